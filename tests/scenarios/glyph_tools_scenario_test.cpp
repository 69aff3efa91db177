// The glyph tools in the running program: an image of two characters is cut
// into character files by "Crop Chars", a character is grabbed by a click on
// the upper view, and Next takes the selected character as the sample. The
// grab itself is checked pixel by pixel in tests/app.
// Screenshots go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "fw/platform/files.h"
#include "fw/platform_test_folder.h"
#include "scenarios/open_image.h"
#include "scenarios/program_run.h"
#include "scenarios/running_program.h"
#include "scenarios/program_windows.h"

using namespace scenarios;

using GlyphToolsScenario = RunningProgram;

TEST_F(GlyphToolsScenario, CropCharsThenGrabAndTakeTheSelectedCharacterAsTheSample) {
  fw::testing::TestFolder folder("glyph_tools_scenario");
  // Two characters: a 30 x 40 block and a 20 x 40 one.
  const std::wstring image =
      WriteCharacterImage(folder / u"two.bmp", {fw::TRect(20, 20, 50, 60), fw::TRect(80, 20, 100, 60)});

  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  ASSERT_TRUE(OpenImageThroughNext(main, pid, image));
  SettleWindow(main);
  EXPECT_EQ(CropFiles(), 0);  // opening emptied the crop folder

  HWND cropChars = FindVisibleDescendant(main, L"Crop Chars");
  ASSERT_NE(cropChars, nullptr) << DescribeWindowTree(main);
  ClickAt(cropChars, 10, 10);
  SettleWindow(main);
  EXPECT_EQ(CropFiles(), 2);
  EXPECT_TRUE(SaveScreenshot(main, "glyph_tools_crop_chars"));

  // The upper view lies centred on its pane: click into the first block.
  HWND pane = FindVisibleDescendant(main, L"", L"TScrollBox");
  ASSERT_NE(pane, nullptr);
  RECT client{};
  GetClientRect(pane, &client);
  const int left = (client.right - 120) / 2, top = (client.bottom - 80) / 2;
  ClickAt(pane, left + 30, top + 30);
  // The default view while the grab shows it gray with the region red (for
  // half a second after the release), and after that.
  SettleWindow(main, 100);
  EXPECT_TRUE(SaveScreenshot(main, "glyph_tools_grab"));
  Sleep(800);
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "glyph_tools_after_grab"));

  // Next takes the selected character (the last one cut) as the sample.
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  EXPECT_NE(FindVisibleDescendant(main, L"Size: 20 x 40"), nullptr) << DescribeWindowTree(main);
  EXPECT_TRUE(SaveScreenshot(main, "glyph_tools_sample"));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
