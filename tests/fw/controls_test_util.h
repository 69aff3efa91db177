// Helpers shared by the control tests: a form that is freed at the end, a
// message pump with a deadline, and a log of what happened in order.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/system/application.h"

namespace fwtest {

// Handles messages for about ms milliseconds.
inline void Pump(int ms = 0) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    fw::Application->ProcessMessages();
    if (ms) Sleep(1);
  } while (static_cast<int>(end - GetTickCount()) > 0);
}

// Handles messages until done() or the time is up; returns done().
template <class F>
bool PumpUntil(F done, int ms = 3000) {
  DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  while (!done() && static_cast<int>(end - GetTickCount()) > 0) {
    fw::Application->ProcessMessages();
    Sleep(1);
  }
  return done();
}

// A plain form, freed with the fixture.
struct TestForm {
  fw::TForm* form;
  explicit TestForm(int w = 300, int h = 200) {
    form = fw::NewForm<fw::TForm>(nullptr);
    form->SetPosition(fw::poDesigned);
    form->SetBorderStyle(fw::bsNone);
    form->SetBounds(40, 40, w, h);
  }
  ~TestForm() {
    if (form) form->Free();
  }
  fw::TForm* operator->() const { return form; }
};

using Log = std::vector<std::string>;

}  // namespace fwtest

namespace fwtest {

// A minimal panel: accepts children and fills itself with its colour.
class TTestPanel : public fw::TCustomControl {
  FW_CLASS(TTestPanel, fw::TCustomControl)
  explicit TTestPanel(fw::TComponent* AOwner);

 protected:
  void Paint() override;
};

// The colour of a pixel of a DC as 0x00BBGGRR.
inline fw::TColor PixelAt(HDC dc, int x, int y) { return static_cast<fw::TColor>(GetPixel(dc, x, y)); }

}  // namespace fwtest
