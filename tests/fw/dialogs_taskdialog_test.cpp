#include "fw/dialogs/taskdialog.h"

#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "fw/dialogs_driver.h"

namespace fw {
namespace {

using testing::DialogDriver;

// The administrator-rights notice of the copy command, as the program
// builds it.
void FillNotice(TTaskDialog& d) {
  d.SetCaption(u"Vestaline information");
  d.SetTitle(u"You'll need to provide administrator permission to copy files..");
  d.SetText(u"1. Close the application.\r\n2. Run Vestaline as Administrator.");
  d.SetExpandedText(u"Administrator privileges are required for additional tasks like copying fonts.");
  d.SetFooterText(u"Cannot copy selected fonts");
  d.SetCommonButtons({tcbCancel});
  d.Buttons()->Add()->SetCaption(u"Close this dialog");
}

TEST(TaskDialog, IsAvailableUnderTheTestProgramWithoutManifest) {
  EXPECT_TRUE(TaskDialogAvailable());
}

TEST(TaskDialog, CustomButtonClosesWithItsModalResult) {
  TTaskDialog d(nullptr);
  FillNotice(d);
  EXPECT_EQ(d.Buttons()->Items(0)->ModalResult(), 100);
  String caption, texts;
  HWND handleWhileShown = nullptr;
  DialogDriver driver({[&](HWND dlg) {
    caption = DialogDriver::TextOf(dlg);
    texts = DialogDriver::ChildTexts(dlg);
    handleWhileShown = d.Handle();
    DialogDriver::Press(dlg, 100);
  }});
  ASSERT_TRUE(d.Execute());
  driver.Join();
  EXPECT_EQ(d.ModalResult(), 100);
  EXPECT_EQ(d.Button(), d.Buttons()->Items(0));
  EXPECT_EQ(caption, u"Vestaline information");
  EXPECT_NE(handleWhileShown, nullptr);
  EXPECT_EQ(d.Handle(), nullptr);
  EXPECT_EQ(driver.ForcedCloses(), 0);
  // The dialog's own controls (where the system makes them windows) show
  // the title and the button.
  if (!texts.empty()) {
    EXPECT_NE(texts.find(u"You'll need to provide administrator permission"), String::npos);
    EXPECT_NE(texts.find(u"Close this dialog"), String::npos);
  }
}

TEST(TaskDialog, CommonButtonsAnswerTheirModalResults) {
  struct Case {
    TTaskDialogCommonButtons buttons;
    int press;
    TModalResult expected;
  } cases[] = {
      {{tcbCancel}, IDCANCEL, mrCancel},
      {{tcbYes, tcbNo}, IDNO, mrNo},
      {{tcbOk}, IDOK, mrOk},
      {{tcbRetry, tcbClose}, IDCLOSE, mrClose},
  };
  for (const Case& c : cases) {
    TTaskDialog d(nullptr);
    d.SetCaption(u"Common");
    d.SetText(u"text");
    d.SetCommonButtons(c.buttons);
    d.SetModalResult(mrNone);
    DialogDriver driver({[&](HWND dlg) { DialogDriver::Press(dlg, c.press); }});
    ASSERT_TRUE(d.Execute());
    driver.Join();
    EXPECT_EQ(d.ModalResult(), c.expected) << c.press;
    EXPECT_EQ(d.Button(), nullptr);
  }
}

TEST(TaskDialog, PublishedPropertiesSetByName) {
  // The way a form description sets them.
  TTaskDialog d(nullptr);
  SetPropValue(&d, u"Caption", u"By name");
  SetSetProp(&d, u"CommonButtons", u"[tcbYes, tcbNo]");
  SetEnumProp(&d, u"MainIcon", u"tdiWarning");
  EXPECT_EQ(d.Caption(), u"By name");
  EXPECT_EQ(d.CommonButtons(), (TTaskDialogCommonButtons{tcbYes, tcbNo}));
  EXPECT_EQ(d.MainIcon(), tdiWarning);
  EXPECT_EQ(GetSetProp(&d, u"Flags"), u"[tfAllowDialogCancellation]");
  ASSERT_NE(GetClass(u"TTaskDialogButtonItem"), nullptr);
  TTaskDialogButtonItem* item = d.Buttons()->Add();
  SetPropValue(item, u"ModalResult", mrYes);
  EXPECT_EQ(item->ModalResult(), mrYes);
}

}  // namespace
}  // namespace fw
