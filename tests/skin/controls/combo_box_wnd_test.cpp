// Combo boxes under the combo box adapter: frame and drop-down button from
// the skin in each look (the button on the left with right-to-left reading,
// none for a simple box), a focused drop-down list's highlighted text, the
// drop-down list skinned when it first asks for its colours (one brush for
// all its questions, the combo box's dialog mode kept), the list adapter
// and the control's own colours and procedures back when the skin goes, a
// combo box destroyed while adapted, and goldens of the program's skins.
#include "skin/controls/combo_box_wnd.h"

#include <commdlg.h>
#include <dlgs.h>

#include <functional>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/combobox.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/attach_hook.h"
#include "skin/engine/skin_manager.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr fw::TColor kCombo = 0x80C0E0, kComboText = 0x203040, kComboBtn = 0x40A040, kComboBtnText = 0x600000;

// The control skin with a "COMBOBOX" section of two states and, unless
// left out, a "COMBOBTN" section of three; no glyphs, so the button's arrow
// is drawn in the button's text colour.
std::unique_ptr<TkLoadedSkin> ComboSkin(bool Button = true) {
  auto s = SyntheticControlSkin();
  auto section = [&](const char16_t* name, int states, fw::TColor color, fw::TColor text) {
    TkGeneralData g;
    g.ClassName = name;
    g.States = states;
    g.Props[0].Color = color;
    g.Props[1].Color = g.Props[2].Color = Hot(color);
    g.Props[0].FontColor.Color = text;
    g.Props[1].FontColor.Color = g.Props[2].FontColor.Color = Hot(text);
    s->gd.push_back(g);
  };
  section(u"COMBOBOX", 2, kCombo, kComboText);
  if (Button) section(u"COMBOBTN", 3, kComboBtn, kComboBtnText);
  s->InitConstantIndexes();
  return s;
}

HWND ListOf(HWND Combo) {
  COMBOBOXINFO info{sizeof(info)};
  return GetComboBoxInfo(Combo, &info) ? info.hwndList : nullptr;
}

void AddItems(HWND Combo, int Count) {
  for (int i = 0; i < Count; ++i) {
    const std::wstring text = L"Font " + std::to_wstring(i);
    SendMessageW(Combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

// Drops the list down and lets it paint (it asks for its colours then).
void DropDown(HWND Combo) {
  SendMessageW(Combo, CB_SHOWDROPDOWN, TRUE, 0);
  if (HWND list = ListOf(Combo)) {
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  }
}

void CloseUp(HWND Combo) {
  SendMessageW(Combo, CB_SHOWDROPDOWN, FALSE, 0);
  if (GetCapture()) ReleaseCapture();
}

int CountIn(const TPixelBuffer& Image, const fw::TRect& R, uint32_t Pixel) {
  const TPixelView32 v = View32(const_cast<TPixelBuffer&>(Image));
  int n = 0;
  for (int y = std::max(R.Top, 0); y < std::min(R.Bottom, v.Height); ++y)
    for (int x = std::max(R.Left, 0); x < std::min(R.Right, v.Width); ++x) n += (v.Pixel(x, y) & 0xFFFFFF) == Pixel;
  return n;
}

// A raw combo box in a host, its adapter and a skin that can be switched off.
struct RawCombo {
  std::unique_ptr<TkLoadedSkin> skin;
  TkLoadedSkin* active;
  Host host{300, 260};
  HWND wnd;
  TkcComboBoxWnd* a = nullptr;
  RawCombo(DWORD Style, std::unique_ptr<TkLoadedSkin> s = ComboSkin(), DWORD ExStyle = 0, bool Dialog = false,
           int Height = 200)
      : skin(std::move(s)), active(skin.get()) {
    wnd = host.Child(L"COMBOBOX", L"", Style | WS_VSCROLL, 10, 10, 160, Height, ExStyle);
    const bool adding = AddingDialogControls;
    AddingDialogControls = Dialog;
    a = AttachAdapter<TkcComboBoxWnd>(wnd, [this] { return active; }, TkcSkinParams{});
    AddingDialogControls = adding;
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  }
  ~RawCombo() {
    CloseUp(wnd);
    delete a;
  }
};

// A framework combo box on a shown form.
struct FwCombo {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{300, 200};
  fw::TComboBox* combo;
  TkcComboBoxWnd* a = nullptr;
  explicit FwCombo(std::unique_ptr<TkLoadedSkin> s = ComboSkin(), fw::TComboBoxStyle Style = fw::csDropDownList)
      : skin(std::move(s)) {
    form->Show();
    combo = new fw::TComboBox(form.form);
    combo->SetParent(form.form);
    combo->SetStyle(Style);
    combo->SetBounds(10, 10, 160, 24);
    TkcSkinParams p;
    a = dynamic_cast<TkcComboBoxWnd*>(MakeListAdapter(tlComboBox, combo, [this] { return skin.get(); }, p));
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  }
  ~FwCombo() {
    CloseUp(combo->Handle());
    delete a;
  }
};

// The open dialog shown modally, with Check run once on it from a timer
// (the dialog is cancelled afterwards).
struct OpenDialogProbe {
  HWND owner = nullptr;
  std::function<void(HWND)> check;
  bool found = false;
  int ticks = 0;
};
OpenDialogProbe gProbe;

void CALLBACK ProbeTick(HWND, UINT, UINT_PTR id, DWORD) {
  ++gProbe.ticks;
  HWND d = GetLastActivePopup(gProbe.owner);
  wchar_t cls[64] = {};
  if (d && d != gProbe.owner) GetClassNameW(d, cls, 64);
  if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(d) && !gProbe.found) {
    gProbe.found = true;
    KillTimer(nullptr, id);
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    gProbe.check(d);
    if (IsWindow(d)) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  } else if (gProbe.ticks > 400) {
    KillTimer(nullptr, id);  // nothing within 20 s
  }
}

void WithOpenDialog(HWND Owner, std::function<void(HWND)> Check) {
  gProbe = OpenDialogProbe{Owner, std::move(Check)};
  wchar_t file[MAX_PATH] = {};
  OPENFILENAMEW ofn{sizeof(ofn)};
  ofn.hwndOwner = Owner;
  ofn.lpstrFile = file;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrFilter = L"Bitmaps (*.bmp)\0*.bmp\0JPEG pictures (*.jpg)\0*.jpg\0PNG pictures (*.png)\0*.png\0All files\0*.*\0";
  ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST;
  ofn.lpstrInitialDir = L"C:\\windows";
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeTick);
  GetOpenFileNameW(&ofn);
  KillTimer(nullptr, timer);
}

}  // namespace

TEST(ComboBoxWnd, FrameAndButtonComeFromTheSkinOnTheirSide) {
  struct Case {
    const char* what;
    DWORD style, exStyle;
    bool button, leftButton;
  } cases[] = {
      {"drop-down list", CBS_DROPDOWNLIST, 0, true, false},
      {"drop-down", CBS_DROPDOWN, 0, true, false},
      {"right-to-left reading", CBS_DROPDOWNLIST, WS_EX_RTLREADING, true, true},
      {"simple", CBS_SIMPLE, 0, false, false},
  };
  for (const Case& c : cases) {
    RawCombo r(c.style, ComboSkin(), c.exStyle, false, c.style == CBS_SIMPLE ? 120 : 200);
    const fw::TRect b = r.a->ButtonRect();
    TPixelBuffer p = Print(r.wnd);
    const int w = p.Width(), h = p.Height();
    EXPECT_EQ(View32(p).Pixel(0, 0), Px(kCombo)) << c.what << ": the frame is the section's";
    if (!c.button) {
      EXPECT_EQ(b.Width(), 0) << c.what;
      EXPECT_EQ(CountPixels(View32(p), Px(kComboBtn)), 0) << c.what << ": no button";
      continue;
    }
    EXPECT_EQ(b.Width(), ManagerComboButtonWidth(DefaultSkinManager) + 1) << c.what;
    EXPECT_EQ(b.Top, 2) << c.what << ": the skin's margin";
    EXPECT_EQ(b.Bottom, h - 2) << c.what;
    EXPECT_EQ(c.leftButton ? b.Left : w - b.Right, 2) << c.what;
    EXPECT_EQ(View32(p).Pixel(b.Left + 1, b.Top + 1), Px(kComboBtn)) << c.what << ": the button's face";
    EXPECT_GT(CountIn(p, b, Px(kComboBtnText)), 6) << c.what << ": the drawn arrow";
    const int otherSide = c.leftButton ? w - 6 : 5;
    EXPECT_EQ(View32(p).Pixel(otherSide, 3), Px(kCombo)) << c.what << ": no button on the other side";
  }
}

TEST(ComboBoxWnd, WithoutAButtonSectionTheArrowStandsOnTheFrame) {
  RawCombo r(CBS_DROPDOWNLIST, ComboSkin(false));
  const fw::TRect b = r.a->ButtonRect();
  TPixelBuffer p = Print(r.wnd);
  EXPECT_EQ(CountPixels(View32(p), Px(kComboBtn)), 0);
  EXPECT_EQ(View32(p).Pixel(b.Left + 1, b.Top + 1), Px(kCombo)) << "no face: the control's section shows";
  EXPECT_GT(CountIn(p, b, Px(kComboText)), 6) << "the arrow in the section's text colour";
  EXPECT_EQ(r.a->ButtonHeight(), 16) << "no glyph";
}

TEST(ComboBoxWnd, AFocusedDropDownListShowsItsTextHighlighted) {
  RawCombo r(CBS_DROPDOWNLIST);
  AddItems(r.wnd, 3);
  SendMessageW(r.wnd, CB_SETCURSEL, 0, 0);
  const fw::TRect b = r.a->ButtonRect();
  TPixelBuffer before = Print(r.wnd);
  const int h = before.Height();
  const fw::TRect text = fw::Rect(3, 3, b.Left, h - 3);
  const uint32_t highlight = Px(GetSysColor(COLOR_HIGHLIGHT)), highlightText = Px(GetSysColor(COLOR_HIGHLIGHTTEXT));
  EXPECT_EQ(CountIn(before, text, highlight), 0) << "unfocused: no highlight";
  EXPECT_GT(CountIn(before, text, Px(kComboText)), 5) << "the item's text in the section's colour";
  SendMessageW(r.wnd, WM_SETFOCUS, 0, 0);
  TPixelBuffer after = Print(r.wnd);
  EXPECT_GT(CountIn(after, text, highlight), text.Width() * text.Height() / 2) << "the text on the highlight";
  EXPECT_GT(CountIn(after, text, highlightText), 5) << "in the highlight's text colour";
  // The focus rectangle: the highlight inverted along the text rectangle's edge.
  int edge = 0;
  for (int x = text.Left; x < text.Right; ++x) edge += (View32(after).Pixel(x, text.Top) & 0xFFFFFF) != highlight;
  EXPECT_GT(edge, text.Width() / 3) << "a dotted focus rectangle";
  WriteRow({before, after}, "synthetic_combo_focus.png", 3);
}

TEST(ComboBoxWnd, TheButtonFollowsFocusAndTheOpenList) {
  FwCombo f;
  ASSERT_NE(f.a, nullptr) << "the factory makes the combo box adapter for the combo-box list";
  f.combo->Items()->Add(u"Arial");
  f.combo->Items()->Add(u"Courier");
  HWND c = f.combo->Handle();
  const fw::TRect b = f.a->ButtonRect();
  std::vector<TPixelBuffer> shown;
  shown.push_back(Print(c));
  EXPECT_EQ(f.a->ButtonState(), 0);
  EXPECT_EQ(View32(shown.back()).Pixel(b.Left + 1, b.Top + 1), Px(kComboBtn)) << "normal";
  const fw::TRect text = fw::Rect(3, 3, b.Left, shown.back().Height() - 3);
  f.combo->SetItemIndex(1);
  shown.push_back(Print(c));
  EXPECT_GT(CountIn(shown.back(), text, Px(kComboText)), 5) << "the chosen item in the section's text colour";
  f.combo->SetItemIndex(-1);
  f.combo->Perform(fw::CM_MOUSEENTER, 0, 0);
  shown.push_back(Print(c));
  EXPECT_EQ(f.a->ButtonState(), 1) << "under the mouse";
  EXPECT_EQ(View32(shown.back()).Pixel(b.Left + 1, b.Top + 1), Px(Hot(kComboBtn))) << "hovered: hot";
  const auto cursor = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-5000, -5000}; };
  f.combo->Perform(fw::CM_MOUSELEAVE, 0, 0);
  ScrollCursorPos = cursor;
  EXPECT_EQ(f.a->ButtonState(), 0) << "the mouse gone";
  SendMessageW(c, WM_SETFOCUS, 0, 0);
  shown.push_back(Print(c));
  EXPECT_EQ(f.a->ButtonState(), 1);
  EXPECT_EQ(View32(shown.back()).Pixel(b.Left + 1, b.Top + 1), Px(Hot(kComboBtn))) << "focused: hot";
  EXPECT_EQ(View32(shown.back()).Pixel(0, 0), Px(Hot(kCombo))) << "the frame's hot look";
  EXPECT_EQ(f.combo->Color(), Hot(kCombo)) << "the control's colour follows";
  SendMessageW(c, WM_KILLFOCUS, 0, 0);
  DropDown(c);
  EXPECT_EQ(f.a->FListHandle, ListOf(c)) << "the list asked for its colours";
  EXPECT_EQ(f.a->ButtonState(), 2) << "pressed while the list shows";
  shown.push_back(Print(c));
  CloseUp(c);
  EXPECT_EQ(f.a->ButtonState(), 0);
  f.combo->SetEnabled(false);
  shown.push_back(Print(c));
  EXPECT_NE(View32(shown.back()).Pixel(0, 0), Px(kCombo)) << "disabled: faded into what lies behind";
  WriteRow(shown, "synthetic_combo_states.png", 3);
}

TEST(ComboBoxWnd, TheDropDownListIsSkinnedWhenItFirstAsksForColours) {
  for (bool dialog : {false, true}) {
    RawCombo r(CBS_DROPDOWNLIST, ComboSkin(), 0, dialog);
    AddItems(r.wnd, 30);
    HWND list = ListOf(r.wnd);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(r.a->ListSW, nullptr) << "none before the list shows";
    DropDown(r.wnd);
    ASSERT_NE(r.a->ListSW, nullptr);
    EXPECT_EQ(GetWindowAdapter(list), r.a->ListSW);
    EXPECT_EQ(r.a->ListSW->DlgMode, dialog) << "the list works in the combo box's mode";
    EXPECT_FALSE(r.a->ListSW->SimplyBox);
    EXPECT_TRUE(r.a->ListSW->sBarVert.Visible) << "30 items scroll";
    EXPECT_EQ(r.a->ListSW->Color, dialog ? fw::TColor(fw::clWindow) : Hot(kEdit)) << "the list's section";
    TkcComboListWnd* first = r.a->ListSW;
    HDC dc = GetDC(list);
    const DWORD before = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    HBRUSH brush = nullptr;
    for (int i = 0; i < 1000; ++i)
      brush = reinterpret_cast<HBRUSH>(SendMessageW(r.wnd, WM_CTLCOLORLISTBOX, WPARAM(dc), LPARAM(list)));
    EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), before + 1) << "one brush, not one per question";
    EXPECT_EQ(r.a->ListSW, first) << "made once";
    if (!dialog) {
      LOGBRUSH lb{};
      ASSERT_TRUE(GetObjectW(brush, sizeof lb, &lb));
      EXPECT_EQ(lb.lbColor, COLORREF(kEdit)) << "the list's normal colour";
      EXPECT_EQ(GetBkColor(dc), COLORREF(kEdit));
      EXPECT_EQ(GetTextColor(dc), COLORREF(kEditText));
    }
    ReleaseDC(list, dc);
    TPixelBuffer p = Print(list);
    EXPECT_EQ(View32(p).Pixel(0, 0), Px(kBorder)) << "framed in the skin's border colour";
    EXPECT_GT(CountPixels(View32(p), Px(kThumb)), 10) << "the skinned thumb";
    WriteRow({p}, std::string("synthetic_combo_list") + (dialog ? "_dialog" : "") + ".png", 2);
  }
}

// The open list holds the mouse: a press on its skinned down arrow scrolls
// it, and the release ends the press without choosing an item or closing
// the list.
TEST(ComboBoxWnd, TheOpenListScrollsFromItsSkinnedBar) {
  RawCombo r(CBS_DROPDOWNLIST);
  AddItems(r.wnd, 30);
  DropDown(r.wnd);
  HWND list = ListOf(r.wnd);
  ASSERT_NE(r.a->ListSW, nullptr);
  const fw::TRect bar = r.a->ListSW->VertBarRect();
  ASSERT_GT(bar.Height(), 0);
  const POINT arrow{bar.Left + bar.Width() / 2, bar.Bottom - 3};
  EXPECT_EQ(SendMessageW(list, WM_NCHITTEST, 0, MAKELPARAM(arrow.x, arrow.y)), HTVSCROLL);
  const LRESULT top = SendMessageW(list, LB_GETTOPINDEX, 0, 0);
  SendMessageW(list, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), top + 1) << "one line down";
  POINT client = arrow;
  ScreenToClient(list, &client);
  SendMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
  EXPECT_EQ(ScrollTrackState.PressedPart, -1) << "the press ended";
  EXPECT_TRUE(SendMessageW(r.wnd, CB_GETDROPPEDSTATE, 0, 0)) << "the list stays open";
  EXPECT_EQ(SendMessageW(r.wnd, CB_GETCURSEL, 0, 0), CB_ERR) << "no item chosen";
}

TEST(ComboBoxWnd, SkinRemovalGivesBackColoursAndProcedures) {
  FwCombo f(ComboSkin(), fw::csDropDown);
  for (int i = 0; i < 20; ++i) f.combo->Items()->Add(u"Item");
  HWND c = f.combo->Handle();
  HWND list = ListOf(c);
  ASSERT_NE(list, nullptr);
  const LONG_PTR listProc = GetWindowLongPtrW(list, GWLP_WNDPROC);
  const LONG_PTR listStyle = GetWindowLongPtrW(list, GWL_STYLE);
  const fw::TColor own = f.a->StdColor, ownFont = f.a->StdFontColor;
  DropDown(c);
  CloseUp(c);
  ASSERT_NE(f.a->ListSW, nullptr);
  EXPECT_NE(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc);
  EXPECT_EQ(f.combo->Color(), kCombo);
  SendMessageW(c, WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  EXPECT_EQ(f.a->ListSW, nullptr) << "the list adapter goes with the skin";
  EXPECT_EQ(f.a->FListHandle, nullptr);
  EXPECT_EQ(GetWindowAdapter(list), nullptr);
  EXPECT_EQ(GetWindowLongPtrW(list, GWLP_WNDPROC), listProc) << "the list's own procedure";
  EXPECT_EQ(GetWindowLongPtrW(list, GWL_STYLE) & (WS_BORDER | WS_THICKFRAME), listStyle & (WS_BORDER | WS_THICKFRAME));
  EXPECT_EQ(f.combo->Color(), own);
  EXPECT_EQ(f.combo->Font()->Color(), ownFont);
  const fw::TWndMethod adapted = f.combo->WindowProc();
  delete f.a;
  f.a = nullptr;
  EXPECT_FALSE(f.combo->WindowProc() == adapted) << "the combo box's procedure comes back";
  EXPECT_EQ(GetWindowAdapter(c), nullptr);
}

TEST(ComboBoxWnd, TheListAdapterGoesAlsoWhenTheSkinWentFirst) {
  RawCombo r(CBS_DROPDOWNLIST);
  AddItems(r.wnd, 20);
  DropDown(r.wnd);
  CloseUp(r.wnd);
  HWND list = ListOf(r.wnd);
  ASSERT_NE(r.a->ListSW, nullptr);
  r.active = nullptr;
  SendMessageW(r.wnd, WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  EXPECT_EQ(r.a->ListSW, nullptr);
  EXPECT_EQ(GetWindowAdapter(list), nullptr);
}

TEST(ComboBoxWnd, ASimpleBoxKeepsItsListUnderItsEdit) {
  RawCombo r(CBS_SIMPLE, ComboSkin(), 0, false, 120);
  AddItems(r.wnd, 30);
  HWND list = ListOf(r.wnd);
  ASSERT_NE(list, nullptr);
  RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_NE(r.a->ListSW, nullptr) << "the open list asks for its colours as it paints";
  fwtest::Pump();  // the frame the new adapter asked for
  EXPECT_TRUE(r.a->ListSW->SimplyBox);
  EXPECT_EQ(r.a->ButtonState(), 0) << "an open simple list is no pressed button";
  TPixelBuffer p = Print(r.wnd);
  EXPECT_EQ(CountPixels(View32(p), Px(kComboBtn)), 0);
  RECT cr{}, lr{};
  GetWindowRect(r.wnd, &cr);
  GetWindowRect(list, &lr);
  ASSERT_LT(lr.bottom, cr.bottom) << "the list ends above the combo box's bottom";
  {
    HDC dc = GetWindowDC(r.wnd);
    EXPECT_EQ(GetPixel(dc, 5, cr.bottom - cr.top - 1), COLORREF(kHost)) << "below the list: what lies behind";
    ReleaseDC(r.wnd, dc);
  }
  WriteRow({p, Print(list)}, "synthetic_combo_simple.png", 2);
}

TEST(ComboBoxWnd, DestroyedWhileAdapted) {
  auto skin = ComboSkin();
  Host host;
  HWND c = host.Child(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 10, 10, 160, 200);
  AddItems(c, 30);
  auto* a = AttachAdapter<TkcComboBoxWnd>(c, [&] { return skin.get(); }, TkcSkinParams{});
  DropDown(c);
  CloseUp(c);
  ASSERT_NE(a->ListSW, nullptr);
  TkcComboListWnd* list = a->ListSW;
  DestroyWindow(c);
  EXPECT_TRUE(a->Destroyed);
  EXPECT_TRUE(list->Destroyed) << "the list went with its combo box";
  delete a;
}

TEST(ComboBoxWnd, GoldensOfTheProgramSkins) {
  // Empty framework drop-down lists printed: normal, focused, disabled.
  const uint64_t golden[2][3] = {{8842222932017420783ull, 3503631558726697818ull, 11805408243616013939ull},
                                 {8842222932017420783ull, 1271963904933028658ull, 11805408243616013939ull}};
  for (int s = 0; s < 2; ++s) {
    FwCombo f(ProgramSkin(s));
    ASSERT_TRUE(f.skin);
    HWND c = f.combo->Handle();
    std::vector<TPixelBuffer> shown;
    shown.push_back(Print(c));
    SendMessageW(c, WM_SETFOCUS, 0, 0);
    shown.push_back(Print(c));
    SendMessageW(c, WM_KILLFOCUS, 0, 0);
    f.combo->SetEnabled(false);
    shown.push_back(Print(c));
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(PixelChecksum(View32(shown[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " combo " << i;
    f.combo->SetEnabled(true);
    for (int i = 0; i < 20; ++i) f.combo->Items()->Add(u"Vestaline");
    f.combo->SetItemIndex(0);
    shown.push_back(Print(c));
    DropDown(c);
    shown.push_back(Print(c));
    std::vector<TPixelBuffer> list{Print(ListOf(c))};
    CloseUp(c);
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_combo_states.png", 3);
    WriteRow(list, std::string(ProgramSkinName(s)) + "_combo_list.png", 2);
  }
}

// Raw combo boxes as skinned dialogs have them, in the program's skins:
// a drop-down list normal, under the mouse and open, a drop-down box with
// its edit, and a simple box (its edit part: the list below is a window of
// its own, printed by itself).
TEST(ComboBoxWnd, RawKindsInEachLookMatchTheirGoldens) {
  const uint64_t golden[2][5] = {
      {8673064719768480871ull, 18090547767894073031ull, 6587254898826965771ull, 8673064719768480871ull,
       6053833072804184615ull},
      {8673064719768480871ull, 3093650692231339139ull, 12494375634029070599ull, 8673064719768480871ull,
       6053833072804184615ull}};
  for (int s = 0; s < 2; ++s) {
    std::vector<TPixelBuffer> shown;
    {
      RawCombo r(CBS_DROPDOWNLIST, ProgramSkin(s));
      ASSERT_TRUE(r.skin);
      shown.push_back(Print(r.wnd));
      {
        // The mouse over it makes it the manager's active control.
        TkSkinManager manager(nullptr);
        RECT wr{};
        GetWindowRect(r.wnd, &wr);
        const auto cursor = ScrollCursorPos;
        ScrollCursorPos = [&] { return POINT{wr.left + 5, wr.top + 5}; };
        SendMessageW(r.wnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        EXPECT_EQ(manager.ActiveControl(), r.wnd);
        shown.push_back(Print(r.wnd));
        manager.WriteActiveControl(nullptr);
        ScrollCursorPos = cursor;
      }
      DropDown(r.wnd);
      ASSERT_EQ(r.a->ButtonState(), 2) << ProgramSkinName(s);
      shown.push_back(Print(r.wnd));
      CloseUp(r.wnd);
    }
    {
      RawCombo r(CBS_DROPDOWN, ProgramSkin(s));
      shown.push_back(Print(r.wnd));
    }
    {
      RawCombo r(CBS_SIMPLE, ProgramSkin(s), 0, false, 80);
      shown.push_back(Print(r.wnd));
    }
    for (size_t i = 0; i < 5; ++i)
      EXPECT_EQ(PixelChecksum(View32(shown[i])), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_raw_combo_kinds.png", 2);
  }
}

// The program's open dialog in both skins: its combo boxes have the combo
// box adapter, and the file-type list dropped down is skinned in the
// dialog's plain mode. Screenshots for looking at.
TEST(ComboBoxWnd, TheOpenDialogsComboBoxesInBothSkins) {
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    InstallSkinHook([&] { return skin.get(); });
    fwtest::TestForm owner;
    owner->SetBorderStyle(fw::bsSizeable);
    owner->Show();
    fwtest::Pump();
    bool typesAdapted = false, lookInAdapted = false, listAdapted = false, listPlain = false;
    WithOpenDialog(owner->WindowHandle(), [&](HWND d) {
      HWND types = GetDlgItem(d, cmb1), lookIn = GetDlgItem(d, cmb2);
      auto* a = dynamic_cast<TkcComboBoxWnd*>(GetWindowAdapter(types));
      typesAdapted = a != nullptr;
      lookInAdapted = dynamic_cast<TkcComboBoxWnd*>(GetWindowAdapter(lookIn)) != nullptr;
      const std::string name = ProgramSkinName(s);
      scenarios::SavePng(scenarios::ScreenshotOf(d).get(), scenarios::ScreenshotPath("combo_open_dialog_" + name + ".png"));
      if (!a) return;
      DropDown(types);
      // The list has the combo box's list adapter, or the edit adapter the
      // dialog gave it when it was made inside the dialog.
      TkcMainWnd* list = GetWindowAdapter(ListOf(types));
      listAdapted = list != nullptr && (a->ListSW == nullptr || a->ListSW == list);
      listPlain = list && list->DlgMode;
      if (list) WriteRow({Print(ListOf(types))}, "combo_open_dialog_types_" + name + ".png", 2);
      CloseUp(types);
    });
    EXPECT_TRUE(gProbe.found) << ProgramSkinName(s);
    EXPECT_TRUE(typesAdapted) << ProgramSkinName(s) << ": files of type";
    EXPECT_TRUE(lookInAdapted) << ProgramSkinName(s) << ": look in";
    EXPECT_TRUE(listAdapted) << ProgramSkinName(s);
    EXPECT_TRUE(listPlain) << ProgramSkinName(s);
    RemoveSkinHook();
  }
}
