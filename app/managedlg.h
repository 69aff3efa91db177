// The copy-progress window of the font-file copies: a progress bar and an
// "Abort" button. It is shown without being modal while a copy runs; its
// modal result is the copy's abort flag.
#pragma once

#include "controls/base/progress_bar.h"
#include "fw/controls/button.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/rangectrls.h"

namespace app {

class Tmanagedlg : public fw::TForm {
  FW_CLASS(Tmanagedlg, fw::TForm)

 public:
  explicit Tmanagedlg(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

  ck::TCkXPProgressBar* progres = nullptr;
  fw::TButton* Button1 = nullptr;

  // "Abort": the modal result becomes Abort and the message queue runs once.
  void Button1Click(fw::TObject* Sender);

  // Whether "Abort" was pressed since the last reset.
  bool Aborted() const { return ModalResult() == fw::mrAbort; }
  // Abort state cleared, bar at 0 from 0.
  void Reset();
};

extern Tmanagedlg* managedlg;

}  // namespace app
