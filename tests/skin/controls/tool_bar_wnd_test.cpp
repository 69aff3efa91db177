// A dialog's tool bar under its adapter: each button from "TOOLBUTTON" in
// its look (normal, pressed, disabled faded into the bar), the bar's own
// section elsewhere, no frame without a client edge; removal restores.
#include "skin/controls/tool_bar_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/scroll_wnd.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

TEST(ToolBarWnd, ButtonsInTheirLooksOverTheBar) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host(400, 200);
  HWND bar = host.Child(TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT, 10, 10, 300, 30);
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[4] = {};
  const BYTE states[] = {TBSTATE_ENABLED, TBSTATE_ENABLED | TBSTATE_PRESSED, 0, TBSTATE_ENABLED};
  for (int i = 0; i < 4; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 100 + i;
    buttons[i].fsState = states[i];
    buttons[i].fsStyle = i == 3 ? BTNS_SEP : BTNS_BUTTON;
  }
  SendMessageW(bar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  TkcSkinParams p;
  p.SkinSection = u"CHECKBOX";
  auto* a = AttachAdapter<TkcToolBarWnd>(bar, [&] { return skin.get(); }, p);
  ASSERT_EQ(a->Count(), 4);
  const TPixelBuffer image = Print(bar);
  auto centre = [&](int i) {
    const fw::TRect r = a->GetButtonRect(i);
    return ColorAt(image, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  EXPECT_EQ(centre(0), kToolButton);
  EXPECT_EQ(centre(1), Hot(kToolButton)) << "pressed";
  const fw::TColor disabled = centre(2);
  for (int shift : {0, 8, 16}) {
    const int c = (kToolButton >> shift) & 0xFF, b = (kCheckBox >> shift) & 0xFF;
    EXPECT_NEAR(int((disabled >> shift) & 0xFF), int(b - (b - c) * 0.4), 1) << "disabled: 40 % of the button";
  }
  EXPECT_EQ(ColorAt(image, 295, 15), kCheckBox) << "the bar's own section right of the buttons";
  EXPECT_EQ(centre(3), kCheckBox) << "a separator without a divider in the skin";
  // No client edge: the non-client area is not painted.
  HDC dc = GetWindowDC(bar);
  SetPixel(dc, 0, 0, RGB(1, 2, 3));
  SendMessageW(bar, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3));
  ReleaseDC(bar, dc);
  const auto proc = GetWindowLongPtrW(bar, GWLP_WNDPROC);
  delete a;
  EXPECT_NE(GetWindowLongPtrW(bar, GWLP_WNDPROC), proc) << "removal gives the procedure back";
  EXPECT_EQ(GetWindowAdapter(bar), nullptr);
  ScrollCursorPos = old;
}

TEST(ToolBarWnd, CaptionsOfThreeOrMoreWordsSplitInTwoLines) {
  const auto tenPerChar = [](const fw::String& s) { return int(s.size()) * 10; };
  struct Case {
    const char16_t* text;
    int width;
    const char16_t* first;
    const char16_t* second;
  } cases[] = {
      {u"Open", 40, u"Open", u""},
      {u"New folder", 20, u"New folder", u""},
      {u"Open the folder", 1000, u"Open", u"the folder"},
      {u"Add a new folder here", 1000, u"Add a new", u"folder here"},
      {u"Add a new folder here", 60, u"Add a", u"new folder here"},
      {u"Add a new folder here", 20, u"Add", u"a new folder here"},
  };
  for (const Case& c : cases) {
    const auto lines = SplitToolCaption(c.text, c.width, tenPerChar);
    EXPECT_EQ(lines.first, fw::String(c.first)) << fw::StringToUtf8(c.text) << " in " << c.width;
    EXPECT_EQ(lines.second, fw::String(c.second)) << fw::StringToUtf8(c.text) << " in " << c.width;
  }
}

namespace {

struct Bar {
  std::unique_ptr<TkLoadedSkin> skin = WithDownArrowGlyph(SyntheticDialogSkin());
  Host host{800, 200};
  HWND bar;
  TkcToolBarWnd* a = nullptr;
  Bar(int buttonW, int buttonH, int barW = 360) {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    bar = host.Child(TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT, 10, 10, barW, buttonH + 8);
    SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(bar, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonW, buttonH));
  }
  void Add(BYTE style, const wchar_t* text) {
    TBBUTTON b{};
    b.iBitmap = I_IMAGENONE;
    b.idCommand = 200 + int(SendMessageW(bar, TB_BUTTONCOUNT, 0, 0));
    b.fsState = TBSTATE_ENABLED;
    b.fsStyle = style;
    b.iString = reinterpret_cast<INT_PTR>(text);
    SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&b));
  }
  void Attach() {
    TkcSkinParams p;
    p.SkinSection = u"CHECKBOX";
    a = AttachAdapter<TkcToolBarWnd>(bar, [this] { return skin.get(); }, p);
  }
  ~Bar() { delete a; }
};

// Pixels of the glyph's first state inside r of the image, and the
// leftmost column holding one.
std::pair<int, int> GlyphPixels(const TPixelBuffer& image, const fw::TRect& r) {
  int n = 0, left = -1;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (ColorAt(image, x, y) == kDropGlyph) {
        ++n;
        if (left < 0 || x < left) left = x;
      }
  return {n, left};
}

}  // namespace

TEST(ToolBarWnd, WholeDropDownButtonsShowTheSkinsDownArrow) {
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  Bar b(60, 40);
  b.Add(BTNS_WHOLEDROPDOWN, nullptr);
  b.Add(BTNS_WHOLEDROPDOWN, L"Views");
  b.Add(BTNS_BUTTON, nullptr);
  b.Attach();
  const TPixelBuffer image = Print(b.bar);
  const fw::TRect plain = b.a->GetButtonRect(0), titled = b.a->GetButtonRect(1), other = b.a->GetButtonRect(2);
  // Without text at the right edge, with text centred; whole glyphs.
  const auto [n0, left0] = GlyphPixels(image, plain);
  EXPECT_EQ(n0, kDropW * kDropH);
  EXPECT_EQ(left0, plain.Right - kDropW - 1);
  const auto [n1, left1] = GlyphPixels(image, titled);
  EXPECT_EQ(n1, kDropW * kDropH);
  EXPECT_EQ(left1, titled.Left + (titled.Width() - kDropW) / 2);
  EXPECT_EQ(GlyphPixels(image, other).first, 0) << "a plain button has no arrow";
  // A skin without the glyph: the button alone.
  b.skin->ma.back().PropertyName = u"NOGLYPH";
  b.skin->InitConstantIndexes();
  SendSkinCommand(b.bar, SKC_REFRESH, 0);
  EXPECT_EQ(GlyphPixels(Print(b.bar), plain).first, 0);
  ScrollCursorPos = old;
}

TEST(ToolBarWnd, LongCaptionIsWrittenOnTwoLinesOnly) {
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  Bar b(70, 60);
  b.Add(BTNS_BUTTON, L"Make a new folder here now");
  b.Attach();
  const TPixelBuffer image = Print(b.bar);
  HDC dc = GetDC(b.bar);
  HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(b.bar, WM_GETFONT, 0, 0)));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, oldFont);
  ReleaseDC(b.bar, dc);
  const fw::TRect r = b.a->GetButtonRect(0);
  ASSERT_GT(r.Height(), 2 * tm.tmHeight + 8);
  // Text pixels per band of one line height, from the text area's top.
  auto inked = [&](int band) {
    int n = 0;
    const int bottom = std::min(int(r.Top + 2 + (band + 1) * tm.tmHeight), int(r.Bottom - 2));
    for (int y = r.Top + 2 + band * tm.tmHeight; y < bottom; ++y)
      for (int x = r.Left + 2; x < r.Right - 2; ++x) n += ColorAt(image, x, y) != kToolButton;
    return n;
  };
  EXPECT_GT(inked(0), 5) << "first line";
  EXPECT_GT(inked(1), 5) << "second line";
  EXPECT_EQ(inked(2), 0) << "no third line: the second ends in an ellipsis";
  ScrollCursorPos = old;
}

// A dialog's tool bar with plain, whole drop-down and long-caption buttons
// in the program's skins (checksums of a bar without texts, and a sheet for
// looking at).
TEST(ToolBarWnd, ProgramSkinsSheet) {
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  // The program's skins share their tool-button and divider sections.
  const uint64_t golden[2] = {12637434689316364059ull, 12637434689316364059ull};
  std::vector<TPixelBuffer> faces;
  for (int s = 0; s < 2; ++s) {
    // Without texts: checksums.
    Bar plain(40, 30, 200);
    plain.skin = ProgramSkin(s);
    plain.Add(BTNS_BUTTON, nullptr);
    plain.Add(BTNS_SEP, nullptr);
    plain.Add(BTNS_WHOLEDROPDOWN, nullptr);
    plain.Attach();
    faces.push_back(Print(plain.bar));
    EXPECT_EQ(PixelChecksum(View32(faces.back())), golden[s]) << ProgramSkinName(s);
    Bar b(72, 40, 760);
    b.skin = ProgramSkin(s);
    ASSERT_TRUE(b.skin);
    b.Add(BTNS_BUTTON, L"Make a new folder here");
    b.Add(BTNS_WHOLEDROPDOWN, nullptr);
    b.Add(BTNS_WHOLEDROPDOWN, L"Views");
    b.Add(BTNS_BUTTON, L"Back");
    b.Attach();
    faces.push_back(Print(b.bar));
  }
  WriteRow(faces, "program_skins_dialog_tool_bar.png");
  ScrollCursorPos = old;
}

// A divider whose mask has see-through pixels: they show the bar, never the
// key colour.
TEST(ToolBarWnd, SeparatorsShowTheBarThroughTheDividersKeyPixels) {
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  constexpr fw::TColor kDivider = 0x104080;
  Bar b(30, 24);
  TkGeneralData g;
  g.ClassName = u"DIVIDER";
  g.States = 1;
  g.Props[0].Color = g.Props[1].Color = kDivider;
  b.skin->gd.push_back(g);
  TkMaskData m;
  m.ClassName = u"DIVIDER";
  m.PropertyName = u"BORDERSMASK";
  m.ImageCount = 1;
  m.WL = m.WT = m.WR = m.WB = 2;
  m.R = fw::Rect(0, 0, 6, 6);
  m.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 6, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x)
      View32(*m.Bmp).Pixel(x, y) = x < 2 ? 0xFFFF00FFu : 0xFF000000u | Px(kDivider);
  b.skin->ma.push_back(m);
  b.skin->InitConstantIndexes();
  b.Add(BTNS_BUTTON, nullptr);
  b.Add(BTNS_SEP, nullptr);
  b.Add(BTNS_BUTTON, nullptr);
  b.Attach();
  const TPixelBuffer image = Print(b.bar);
  const fw::TRect sep = b.a->GetButtonRect(1);
  int divider = 0, key = 0;
  for (int y = sep.Top; y < sep.Bottom; ++y)
    for (int x = sep.Left; x < sep.Right; ++x) {
      divider += ColorAt(image, x, y) == kDivider;
      key += ColorAt(image, x, y) == fw::TColor(0xFF00FF);
    }
  EXPECT_GT(divider, 0);
  EXPECT_EQ(key, 0);
  ScrollCursorPos = old;
}

// Buttons in each look in the program's skins: normal, under the mouse,
// pressed and disabled, in one bar (checksums); a bar destroyed while
// attached leaves its adapter detached.
TEST(ToolBarWnd, EachLookInTheProgramSkinsAndDestructionWhileAttached) {
  const uint64_t golden[2] = {6236215380168172919ull, 1753503790775767743ull};
  const auto old = ScrollCursorPos;
  POINT cursor{-1000, -1000};
  ScrollCursorPos = [&] { return cursor; };
  std::vector<TPixelBuffer> faces;
  for (int s = 0; s < 2; ++s) {
    Bar b(40, 30, 200);
    b.skin = ProgramSkin(s);
    ASSERT_TRUE(b.skin);
    for (int i = 0; i < 4; ++i) b.Add(BTNS_BUTTON, nullptr);
    SendMessageW(b.bar, TB_SETSTATE, 202, MAKELPARAM(TBSTATE_ENABLED | TBSTATE_PRESSED, 0));
    SendMessageW(b.bar, TB_SETSTATE, 203, MAKELPARAM(0, 0));
    b.Attach();
    const fw::TRect hot = b.a->GetButtonRect(1);
    RECT wr{};
    GetWindowRect(b.bar, &wr);
    cursor = POINT{wr.left + (hot.Left + hot.Right) / 2, wr.top + (hot.Top + hot.Bottom) / 2};
    faces.push_back(Print(b.bar));
    cursor = POINT{-1000, -1000};
    EXPECT_EQ(CountPixels(View32(faces.back()), 0xFF00FF), 0) << ProgramSkinName(s);
    EXPECT_EQ(PixelChecksum(View32(faces.back())), golden[s]) << ProgramSkinName(s);
    DestroyWindow(b.bar);
    EXPECT_TRUE(b.a->Destroyed);
  }
  WriteRow(faces, "program_skins_dialog_tool_bar_looks.png", 3);
  ScrollCursorPos = old;
}
