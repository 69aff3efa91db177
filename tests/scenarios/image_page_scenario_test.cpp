// Opens a sample image on the image page through the task bar's "Open" and
// the real file dialog, clears its background one step, makes it black and
// white and undoes that, as a user would, and saves a screenshot after each
// step under build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>

#include <string>

#include "fw/platform_test_folder.h"
#include "scenarios/program_run.h"
#include "scenarios/running_program.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

using ImagePageScenario = RunningProgram;

namespace {

// The sample's light background: its largest channel is 252, so one step of
// the background clearing (threshold 250) turns it white.
constexpr fw::TColor kBackground = 0xFCF4F0;
constexpr fw::TColor kInk = 0x302018;

// Dark text on a light background.
void WriteSample(const std::wstring& path) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf24bit);
  b.SetSize(300, 90);
  fw::TCanvas* c = b.Canvas();
  c->Brush()->SetColor(kBackground);
  c->FillRect(fw::TRect(0, 0, 300, 90));
  c->Font()->SetName(u"Arial");
  c->Font()->SetHeight(-60);
  c->Font()->SetColor(kInk);
  c->Font()->SetQuality(fw::fqNonAntialiased);
  c->Brush()->SetStyle(fw::bsClear);
  c->TextOut(12, 8, u"Abg 42");
  b.SaveToFile(fw::String(path.begin(), path.end()));
}

// Pixels of the window's screenshot that have exactly this colour.
int CountColour(HWND wnd, fw::TColor colour) {
  auto shot = ScreenshotOf(wnd);
  int n = 0;
  for (int y = 0; y < shot->Height(); ++y) {
    auto* row = static_cast<const uint8_t*>(shot->ScanLine(y));
    for (int x = 0; x < shot->Width(); ++x, row += 3)
      n += fw::TColor(row[2] | row[1] << 8 | row[0] << 16) == colour;
  }
  return n;
}

// The lower of the two panels of the group "Modified image": its buttons.
HWND ModifiedImageButtons(HWND main) {
  HWND group = FindVisibleDescendant(main, L"Modified image");
  HWND lowest = nullptr;
  LONG lowestTop = -1;
  for (HWND c = group ? GetWindow(group, GW_CHILD) : nullptr; c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r{};
    GetWindowRect(c, &r);
    if (r.top > lowestTop) {
      lowestTop = r.top;
      lowest = c;
    }
  }
  return lowest;
}

}  // namespace

TEST_F(ImagePageScenario, OpenFromTheTaskBarThenClearToBlackAndUndo) {
  fw::testing::TestFolder folder("image_page_scenario");
  const std::wstring folderPath(folder.Path().begin(), folder.Path().end());
  const std::wstring sample = folderPath + L"\\sample_text.bmp";
  WriteSample(sample);

  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  HWND bar = FindVisibleDescendant(main, L"Image", L"TCkXPBar");
  ASSERT_NE(bar, nullptr) << DescribeWindowTree(main);
  EXPECT_TRUE(SaveScreenshot(main, "image_page_taskbar"));

  // "Open" in the task bar: the item below the 22-pixel header. The click
  // is posted: the dialog it opens is modal.
  PostClickAt(bar, 50, 35);
  HWND dialog = WaitForDialog(pid, 20000);
  ASSERT_NE(dialog, nullptr) << "the task bar's Open did not show the open dialog";
  EXPECT_EQ(WindowText(dialog), L"Open sample image");
  SettleWindow(dialog, 300);
  SaveScreenshot(dialog, "image_page_open_dialog");
  HWND name = GetDlgItem(dialog, cmb13);
  if (!name) name = GetDlgItem(dialog, edt1);
  ASSERT_NE(name, nullptr) << DescribeWindowTree(dialog);
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sample.c_str()));
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  for (int i = 0; i < 200 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(50);
  SettleWindow(main);
  // Both views show the sample.
  const int opened = CountColour(main, kBackground);
  EXPECT_GT(opened, 2 * 250 * 60) << "the sample is not shown in both views";
  EXPECT_TRUE(SaveScreenshot(main, "image_page_opened"));

  // One step of the background clearing ("-"): the modified view's
  // background turns white, the default view keeps it.
  HWND buttons = ModifiedImageButtons(main);
  ASSERT_NE(buttons, nullptr);
  ClickAt(buttons, 82, 43);
  SettleWindow(main);
  const int cleared = CountColour(main, kBackground);
  EXPECT_LT(cleared, opened * 2 / 3);
  EXPECT_GT(cleared, opened / 3);
  EXPECT_TRUE(SaveScreenshot(main, "image_page_background"));

  // To Black: the ink of the modified view becomes black.
  ClickAt(buttons, 33, 15);
  SettleWindow(main);
  const int inkAfterBlack = CountColour(main, kInk);
  EXPECT_TRUE(SaveScreenshot(main, "image_page_to_black"));

  // Undo gives the cleared image back, its ink in its own colour again.
  ClickAt(buttons, 33, 71);
  SettleWindow(main);
  EXPECT_GT(CountColour(main, kInk), inkAfterBlack);
  EXPECT_NEAR(CountColour(main, kBackground), cleared, cleared / 20);
  EXPECT_TRUE(SaveScreenshot(main, "image_page_undo"));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
