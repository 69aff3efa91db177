// The XP-style controls read from a form description, as the main window
// holds them: a container with a task bar whose items call the form's
// handlers, a check box, a button and a progress bar.
#include <gtest/gtest.h>

#include "controls/base/progress_bar.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_checkbox.h"
#include "controls/base/xp_container.h"
#include "controls/base/xp_taskbar.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

class TXPTestForm : public TForm {
  FW_CLASS(TXPTestForm, TForm)
  explicit TXPTestForm(TComponent* owner) : TForm(owner) {}
  TCkXPContainer* CkXPContainer1 = nullptr;
  TCkXPBar* xpLoad = nullptr;
  TCkXPCheckbox* cbcheckshow = nullptr;
  TCkXPButton* btncropchars = nullptr;
  TCkXPProgressBar* progres = nullptr;
  std::vector<std::string> log;
  void Log(const char* what, TObject* Sender) {
    auto* item = dynamic_cast<TCkXPBarItem*>(Sender);
    log.push_back(std::string(what) + " " + (item ? StringToUtf8(item->Caption()) : "?"));
  }
  void xpLoadItems0Click(TObject* Sender) { Log("open", Sender); }
  void xpLoadItems1Click(TObject* Sender) { Log("capture", Sender); }
  void btnCropcharsClick(TObject* Sender) { log.push_back(Sender == btncropchars ? "crop" : "?"); }
};

FW_REGISTER(TXPTestForm) {
  c.Field(u"CkXPContainer1", &TXPTestForm::CkXPContainer1);
  c.Field(u"xpLoad", &TXPTestForm::xpLoad);
  c.Field(u"cbcheckshow", &TXPTestForm::cbcheckshow);
  c.Field(u"btncropchars", &TXPTestForm::btncropchars);
  c.Field(u"progres", &TXPTestForm::progres);
  c.Method(u"xpLoadItems0Click", &TXPTestForm::xpLoadItems0Click);
  c.Method(u"xpLoadItems1Click", &TXPTestForm::xpLoadItems1Click);
  c.Method(u"btnCropcharsClick", &TXPTestForm::btnCropcharsClick);
}

const char16_t* kDescription =
    u"object XPTestForm: TXPTestForm\n"
    u"  Left = 40\n"
    u"  Top = 40\n"
    u"  Width = 500\n"
    u"  Height = 400\n"
    u"  Color = clBtnFace\n"
    u"  object CkXPContainer1: TCkXPContainer\n"
    u"    Left = 0\n"
    u"    Top = 0\n"
    u"    Width = 206\n"
    u"    Height = 300\n"
    u"    Color = $00F7DFD6\n"
    u"    ParentColor = False\n"
    u"    object xpLoad: TCkXPBar\n"
    u"      Left = 0\n"
    u"      Top = 0\n"
    u"      Width = 206\n"
    u"      Height = 46\n"
    u"      Align = alTop\n"
    u"      Caption = 'Image'\n"
    u"      Items = <\n"
    u"        item\n"
    u"          Caption = 'Open'\n"
    u"          Hint = 'Open image'\n"
    u"          OnClick = xpLoadItems0Click\n"
    u"        end\n"
    u"        item\n"
    u"          Caption = 'Capture'\n"
    u"          OnClick = xpLoadItems1Click\n"
    u"        end>\n"
    u"      HeaderHeight = 24\n"
    u"      ShowRollButton = False\n"
    u"      Colors.BodyColor = $00F7DFD6\n"
    u"    end\n"
    u"  end\n"
    u"  object cbcheckshow: TCkXPCheckbox\n"
    u"    Left = 220\n"
    u"    Top = 20\n"
    u"    Width = 260\n"
    u"    Height = 17\n"
    u"    Caption = 'Don''t show this page next time'\n"
    u"    Checked = True\n"
    u"    TabOrder = 0\n"
    u"  end\n"
    u"  object btncropchars: TCkXPButton\n"
    u"    Left = 220\n"
    u"    Top = 60\n"
    u"    Width = 73\n"
    u"    Height = 21\n"
    u"    Caption = 'Crop Chars'\n"
    u"    TabOrder = 1\n"
    u"    OnClick = btnCropcharsClick\n"
    u"  end\n"
    u"  object progres: TCkXPProgressBar\n"
    u"    Left = 220\n"
    u"    Top = 100\n"
    u"    Width = 272\n"
    u"    Height = 17\n"
    u"    Smooth = True\n"
    u"    BarColorFrom = $00DF9170\n"
    u"    BarColorTo = $00FCF1EB\n"
    u"  end\n"
    u"end\n";

}  // namespace

TEST(XPForm, ControlsLoadFromADescriptionAndItemClicksReachTheFormsHandlers) {
  RegisterClasses<TCkXPContainer, TCkXPBar, TCkXPCheckbox, TCkXPButton, TCkXPProgressBar>();
  auto* form = new TXPTestForm(nullptr);
  ReadRootComponent(form, kDescription, u"XPTestForm.form");
  ASSERT_NE(form->xpLoad, nullptr);
  ASSERT_EQ(form->xpLoad->Items()->Count(), 2);
  EXPECT_EQ(form->xpLoad->Parent(), form->CkXPContainer1);
  EXPECT_EQ(form->xpLoad->Items()->Items(0)->Hint(), u"Open image");
  EXPECT_FALSE(form->xpLoad->ShowRollButton());
  EXPECT_EQ(form->xpLoad->Colors()->BodyColor(), 0xF7DFD6);
  EXPECT_TRUE(form->cbcheckshow->Checked());
  EXPECT_EQ(form->progres->BarColorFrom(), 0xDF9170);
  EXPECT_TRUE(form->progres->Smooth());
  form->SetPosition(poDesigned);
  form->SetBorderStyle(bsNone);
  form->Show();
  xptest::OnTop(form);
  fwtest::Pump();
  // The bar fits its two items, aligned at the top of its container.
  EXPECT_EQ(form->xpLoad->Height(), 79);
  EXPECT_EQ(form->xpLoad->Width(), 206);

  // "Open" and "Capture" clicked through mouse messages.
  xptest::VirtualMouse mouse;
  for (int i = 0; i < 2; ++i) {
    TRect r;
    form->xpLoad->VisibleItemRect(i, r);
    mouse.Click(form->xpLoad, r.Left + 10 + 30 * i, (r.Top + r.Bottom) / 2);
  }
  EXPECT_EQ(form->log, (std::vector<std::string>{"open Open", "capture Capture"}));
  mouse.Click(form->btncropchars, 10, 10);
  EXPECT_EQ(form->log.back(), "crop");
  form->Free();
}
