// A combo box's item text comes whole however long it is, an index it does
// not have gives nothing, and the list's brush is one brush per colour: a
// thousand colour questions leave the process's GDI objects as they were.
#include "skin/controls/combo_parts.h"

#include <gtest/gtest.h>

#include <string>

using namespace skin;

TEST(ComboParts, ItemTextsOfAnyLengthComeWhole) {
  HWND combo = CreateWindowExW(0, L"COMBOBOX", L"", WS_POPUP | CBS_DROPDOWNLIST, 0, 0, 200, 200, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(combo, nullptr);
  const std::wstring longText(6000, L'x');
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Short"));
  SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((longText + L"end").c_str()));
  EXPECT_EQ(ComboItemText(combo, 0), u"Short");
  const fw::String got = ComboItemText(combo, 1);
  EXPECT_EQ(got.size(), 6003u);
  EXPECT_EQ(got.substr(6000), u"end");
  EXPECT_EQ(ComboItemText(combo, 2), u"") << "no such item";
  EXPECT_EQ(ComboItemText(combo, -1), u"");
  EXPECT_EQ(ComboShownText(combo), u"") << "nothing selected, no window text";
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  EXPECT_EQ(ComboShownText(combo).size(), 6003u) << "the selected item";
  DestroyWindow(combo);
}

TEST(ComboParts, TheListBrushIsReplacedOnlyWhenTheColourChanges) {
  const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  {
    TkcListBrush brush;
    HBRUSH first = brush.For(RGB(10, 20, 30));
    for (int i = 0; i < 1000; ++i) EXPECT_EQ(brush.For(RGB(10, 20, 30)), first);
    LOGBRUSH lb{};
    for (int i = 0; i < 1000; ++i) {
      HBRUSH b = brush.For(RGB(i % 256, 0, 0));
      ASSERT_TRUE(GetObjectW(b, sizeof lb, &lb));
      EXPECT_EQ(lb.lbColor, RGB(i % 256, 0, 0));
    }
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 1) << "one brush at a time";
  }
  EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before) << "freed with its owner";
}
