// The whole road, as a user takes it: an image of a word set in a font from
// a Debian font package is opened, cut into its characters, one character
// becomes the sample, the installed fonts are searched, and the word's font
// heads the result list. Screenshots of each page go to build/win/screenshots.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "fw/graphics/graphics.h"
#include "fw/platform_test_folder.h"
#include "scenarios/open_image.h"
#include "scenarios/program_run.h"
#include "scenarios/running_program.h"
#include "scenarios/program_windows.h"
#include "scenarios/remote_listview.h"

using namespace scenarios;

using IdentifyFont = RunningProgram;

namespace {

// fonts-dejavu-core; its "g" differs from every other installed face.
constexpr char16_t kWordFont[] = u"DejaVu Serif";
constexpr wchar_t kWordFontW[] = L"DejaVu Serif";

// "Rag" in black on white, the letters set apart so that each is its own
// run of ink columns, drawn without smoothing as a scan would be cleaned.
std::wstring WriteWordImage(const fw::String& Path) {
  fw::TBitmap b;
  b.SetPixelFormat(fw::pf24bit);
  b.SetSize(300, 120);
  fw::TCanvas* c = b.Canvas();
  c->Brush()->SetColor(fw::clWhite);
  c->FillRect(fw::TRect(0, 0, 300, 120));
  c->Font()->SetName(kWordFont);
  c->Font()->SetHeight(-72);
  c->Font()->SetColor(fw::clBlack);
  c->Font()->SetQuality(fw::fqNonAntialiased);
  c->Brush()->SetStyle(fw::bsClear);
  int x = 16;
  for (const char16_t* letter : {u"R", u"a", u"g"}) {
    c->TextOut(x, 10, letter);
    x += c->TextWidth(letter) + 24;
  }
  b.SaveToFile(Path);
  return std::wstring(Path.begin(), Path.end());
}

HWND FirstDescendantOfClass(HWND parent, const wchar_t* className) {
  for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (WindowClass(child) == className && IsWindowVisible(child)) return child;
    if (HWND found = FirstDescendantOfClass(child, className)) return found;
  }
  return nullptr;
}

// The visible descendant of that class that lies highest on the screen.
HWND TopmostDescendantOfClass(HWND parent, const wchar_t* className) {
  struct Search {
    const wchar_t* cls;
    HWND found;
    LONG top;
  } s{className, nullptr, 0};
  EnumChildWindows(
      parent,
      [](HWND wnd, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        RECT r{};
        GetWindowRect(wnd, &r);
        if (IsWindowVisible(wnd) && WindowClass(wnd) == s->cls && (!s->found || r.top < s->top)) {
          s->found = wnd;
          s->top = r.top;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&s));
  return s.found;
}

}  // namespace

TEST_F(IdentifyFont, AWordSetInAnInstalledFontIsNamedByTheSearch) {
  fw::testing::TestFolder folder("identify_font_scenario");
  const std::wstring image = WriteWordImage(folder / u"word.bmp");


  // The image page: open the picture, cut it into characters.
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  ASSERT_TRUE(OpenImageThroughNext(main, pid, image));
  SettleWindow(main);
  HWND cropChars = FindVisibleDescendant(main, L"Crop Chars");
  ASSERT_NE(cropChars, nullptr) << DescribeWindowTree(main);
  ClickAt(cropChars, 10, 10);
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "identify_1_characters"));

  // Next takes the selected character, the last one cut: "g".
  ASSERT_TRUE(ClickButton(main, L"&Next >"));
  SettleWindow(main);
  // The character's code point, typed into the topmost spin edit.
  HWND codePoint = TopmostDescendantOfClass(main, L"TSpinEdit");
  ASSERT_NE(codePoint, nullptr) << DescribeWindowTree(main);
  SendMessageW(codePoint, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"103")) SendMessageW(codePoint, WM_CHAR, c, 0);
  ASSERT_NE(FindVisibleDescendant(main, L"System"), nullptr);
  SendMessageW(FindVisibleDescendant(main, L"System"), BM_CLICK, 0, 0);
  EXPECT_TRUE(SaveScreenshot(main, "identify_2_sample"));

  HWND list = FirstDescendantOfClass(main, L"TListView");
  ASSERT_NE(list, nullptr) << DescribeWindowTree(main);

  // Find: the search runs inside the click, so the click returns when the
  // search has ended.
  HWND find = FindVisibleDescendant(main, L"Find");
  ASSERT_NE(find, nullptr);
  ClickAt(find, 10, 10);
  std::string shown;
  for (HWND w : VisibleTopLevelWindows(pid)) shown += Narrow(WindowClass(w)) + " '" + Narrow(WindowText(w)) + "'\n";
  ASSERT_EQ(WindowText(find), L"Find") << shown;
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "identify_3_search"));
  SettleWindow(main);

  RemoteListView rows(list);
  ASSERT_TRUE(rows.Ready());
  ASSERT_GT(rows.Count(), 0);
  EXPECT_EQ(rows.Text(0, 0), kWordFontW) << "second: " << Narrow(rows.Count() > 1 ? rows.Text(1, 0) : L"");
  // Selecting the first entry previews the sample text in its font.
  ClickAt(list, 40, 26);
  SettleWindow(main);
  EXPECT_TRUE(SaveScreenshot(main, "identify_3_results"));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(60000), 0);
}
