// The about box: the program's name and version, the maker's line, and links
// to the maker's web page and support address.
#pragma once

#include "controls/base/cklabel.h"
#include "fw/controls/button.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"

namespace app {

// "major.minor.release" of a file's version resource (the fixed file
// information of the root block); empty when the file has none.
fw::String GetExeVersionText(const fw::String& FileName);
// The same of the running executable.
fw::String GetExeVersionText();

// The maker's web page and support address of the about box.
constexpr char16_t kMakerWebUrl[] = u"https://www.okrabel.com/vestaline/";
constexpr char16_t kSupportAddress[] = u"support@okrabel.com";
// The mail link of "Contact": the product followed by " - support" as the
// subject, an empty body.
fw::String SupportMailLink();

class TAboutForm : public fw::TForm {
  FW_CLASS(TAboutForm, fw::TForm)

 public:
  explicit TAboutForm(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

  fw::TImage* Image1 = nullptr;
  fw::TLabel* Label1 = nullptr;
  fw::TLabel* linfo = nullptr;
  fw::TLabel* Label2 = nullptr;
  ck::TCkLabel* lbweb = nullptr;
  ck::TCkLabel* lbcontact = nullptr;
  fw::TButton* btnok = nullptr;

  void FormCreate(fw::TObject* Sender);
  void lbwebClick(fw::TObject* Sender);
  void lbcontactClick(fw::TObject* Sender);
  // The links turn bold and underlined under the mouse, and plain again.
  void CkLabel3MouseEnter(fw::TObject* Sender);
  void CkLabel3MouseLeave(fw::TObject* Sender);
};

extern TAboutForm* AboutForm;

}  // namespace app
