// A whole form, started the way the program starts its windows: created
// from its form description as the application's main form, shown by the
// message loop, rendered to a bitmap file for a person to look at, and
// closed through its own close path.
#include <gtest/gtest.h>

#include <fstream>

#include "fw/controls/button.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/system/timers.h"
#include "screenshot_png.h"

using namespace fw;

namespace {

class TScenePanel : public TCustomControl {
  FW_CLASS(TScenePanel, TCustomControl)
  explicit TScenePanel(TComponent* owner) : TCustomControl(owner) {
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csOpaque});
  }

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
  }
};
FW_REGISTER(TScenePanel) {}

class TSceneForm : public TForm {
  FW_CLASS(TSceneForm, TForm)
  explicit TSceneForm(TComponent* owner) : TForm(owner) {}
  TScenePanel* Header = nullptr;
  TScenePanel* Body = nullptr;
  TButton* CloseButton = nullptr;
  TTimer* Shot = nullptr;
  std::string pngPath;
  bool saved = false;
  int ticks = 0;
  TBitmap picture;

  void ShotTimer(TObject*) {
    if (++ticks > 100) {  // never hang the test run
      Application->Terminate();
      return;
    }
    if (!Visible() || ticks < 3) return;
    Shot->SetEnabled(false);
    // What the screen shows, for a person; what the form paints, for the
    // checks (the display is shared with other test programs).
    auto shot = scenarios::ScreenshotOf(Handle());
    saved = scenarios::SavePng(shot.get(), pngPath);
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(Width(), Height());
    PaintTo(picture.Canvas(), 0, 0);
    // Closing the main form ends the message loop.
    PostMessageW(CloseButton->Handle(), BM_CLICK, 0, 0);
  }
  void CloseButtonClick(TObject*) { Close(); }
};
FW_REGISTER(TSceneForm) {
  c.Field(u"Header", &TSceneForm::Header);
  c.Field(u"Body", &TSceneForm::Body);
  c.Field(u"CloseButton", &TSceneForm::CloseButton);
  c.Field(u"Shot", &TSceneForm::Shot);
  c.Method(u"ShotTimer", &TSceneForm::ShotTimer);
  c.Method(u"CloseButtonClick", &TSceneForm::CloseButtonClick);
}

const char16_t kSceneForm[] = uR"(object SceneForm: TSceneForm
  Left = 120
  Top = 90
  BorderStyle = bsSingle
  Caption = 'Scenario'
  ClientHeight = 180
  ClientWidth = 320
  Color = clBtnFace
  Position = poScreenCenter
  object Header: TScenePanel
    Left = 0
    Top = 0
    Width = 320
    Height = 40
    Align = alTop
    Color = clNavy
  end
  object Body: TScenePanel
    Left = 0
    Top = 40
    Width = 320
    Height = 140
    Align = alClient
    Color = clWhite
    object CloseButton: TButton
      Left = 232
      Top = 100
      Width = 75
      Height = 25
      Anchors = [akRight, akBottom]
      Caption = 'Close'
      TabOrder = 0
      OnClick = CloseButtonClick
    end
  end
  object Shot: TTimer
    Interval = 50
    OnTimer = ShotTimer
  end
end
)";

TEST(Scenario, FormFromItsDescriptionShowsRendersToAFileAndClosesCleanly) {
  RegisterFormDescription(u"TSceneForm", kSceneForm);
  std::string path = scenarios::ScreenshotPath("form_from_description.png");
  DeleteFileA(path.c_str());

  int formsBefore = Screen->CustomFormCount();
  TSceneForm* form = nullptr;
  Application->CreateForm(form);
  // Other scenarios of this program may have made a main form before.
  Application->SetMainForm(form);
  form->pngPath = path;
  Application->Run();

  ASSERT_TRUE(form->saved) << path;
  std::ifstream file(path, std::ios::binary);
  char signature[8] = {};
  file.read(signature, 8);
  EXPECT_EQ(std::string(signature + 1, 3), "PNG");
  // The rendering holds the form as laid out: the header band on top, the
  // body below it, the close button anchored to the body's corner.
  TPoint headerAt = form->Header->ClientToScreen(TPoint{10, 10});
  TPoint bodyAt = form->Body->ClientToScreen(TPoint{10, 10});
  RECT wr;
  GetWindowRect(form->WindowHandle(), &wr);
  EXPECT_EQ(form->picture.Canvas()->Pixel(headerAt.x - wr.left, headerAt.y - wr.top), clNavy);
  EXPECT_EQ(form->picture.Canvas()->Pixel(bodyAt.x - wr.left, bodyAt.y - wr.top), clWhite);
  EXPECT_EQ(form->CloseButton->BoundsRect(), Bounds(232, 100, 75, 25));
  // Closing the main form ended the loop; freeing the form takes every
  // window with it.
  EXPECT_FALSE(Application->Terminated());
  HWND button = form->CloseButton->WindowHandle();

  HWND h = form->WindowHandle();
  form->Free();
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsWindow(button));
  EXPECT_EQ(Application->MainForm(), nullptr);
  EXPECT_EQ(Screen->CustomFormCount(), formsBefore);
}

}  // namespace
