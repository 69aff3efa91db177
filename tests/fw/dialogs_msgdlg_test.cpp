#include "fw/dialogs/msgdlg.h"

#include <gtest/gtest.h>

#include "fw/dialogs_driver.h"
#include "fw/system/application.h"

namespace fw {
namespace {

using testing::DialogDriver;

TEST(MessageDlg, ShowsKindAndButtonsAndAnswersThePressedButton) {
  struct Case {
    const char* what;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    int press;
    const char16_t* caption;
    TModalResult expected;
  } cases[] = {
      {"confirmation, No", mtConfirmation, mbYesNo, IDNO, u"Confirm", mrNo},
      {"error, OK", mtError, {mbOK}, IDOK, u"Error", mrOk},
      {"warning, Cancel of three", mtWarning, mbYesNoCancel, IDCANCEL, u"Warning", mrCancel},
      {"retry", mtInformation, {mbRetry, mbCancel}, IDRETRY, u"Information", mrRetry},
      // Sets the system's message box does not have: shown as task dialogs.
      {"lone Cancel", mtInformation, {mbCancel}, mrCancel, u"Information", mrCancel},
      {"Yes to all", mtConfirmation, {mbYes, mbNo, mbYesToAll}, mrYesToAll, u"Confirm", mrYesToAll},
  };
  for (const Case& c : cases) {
    String caption, texts;
    DialogDriver driver({[&](HWND dlg) {
      caption = DialogDriver::TextOf(dlg);
      texts = DialogDriver::ChildTexts(dlg);
      DialogDriver::Press(dlg, c.press);
    }});
    TModalResult r = MessageDlg(u"Database is not complete.Continue?", c.type, c.buttons, 0);
    driver.Join();
    EXPECT_EQ(r, c.expected) << c.what;
    EXPECT_EQ(driver.StepsDone(), 1) << c.what;
    EXPECT_EQ(driver.ForcedCloses(), 0) << c.what;
    EXPECT_EQ(caption, c.caption) << c.what;
    EXPECT_NE(texts.find(u"Database is not complete.Continue?"), String::npos) << c.what;
  }
}

TEST(MessageDlg, DefaultButtonAndCustomCaption) {
  const String oldTitle = Application->Title();
  Application->SetTitle(u"Vestaline3");
  String caption;
  bool cancelIsDefault = false, okIsDefault = true;
  DialogDriver driver({[&](HWND dlg) {
    caption = DialogDriver::TextOf(dlg);
    auto isDefault = [&](int id) {
      return (GetWindowLongW(GetDlgItem(dlg, id), GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON;
    };
    cancelIsDefault = isDefault(IDCANCEL);
    okIsDefault = isDefault(IDOK);
    DialogDriver::Press(dlg, IDOK);
  }});
  EXPECT_EQ(MessageDlg(u"custom", mtCustom, mbOKCancel, 0, mbCancel), mrOk);
  driver.Join();
  EXPECT_EQ(caption, u"Vestaline3");
  EXPECT_TRUE(cancelIsDefault);
  EXPECT_FALSE(okIsDefault);
  Application->SetTitle(oldTitle);
}

TEST(MessageDlg, ShowMessageUsesTheApplicationTitle) {
  String caption, texts;
  DialogDriver driver({[&](HWND dlg) {
    caption = DialogDriver::TextOf(dlg);
    texts = DialogDriver::ChildTexts(dlg);
    DialogDriver::Press(dlg, IDOK);
  }});
  ShowMessage(u"List is empty!");
  driver.Join();
  EXPECT_EQ(caption, u"test_fw");
  EXPECT_NE(texts.find(u"List is empty!"), String::npos);
}

}  // namespace
}  // namespace fw
