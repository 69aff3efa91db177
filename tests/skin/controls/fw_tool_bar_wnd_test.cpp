// A framework tool bar under its adapter: the look of a button by its
// custom-draw state, where its caption goes, the bar and its buttons drawn
// from the skin through the bar's events, hot tracking on a bar that is not
// flat, a dropped button's arrow held pressed until its menu closes, and
// the form's own handlers back when the skin or the adapter goes.
#include "skin/controls/fw_tool_bar_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/stdctrls/toolbar.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

TEST(ToolBarFwWnd, ButtonLookByCustomDrawState) {
  struct Case {
    UINT state;
    bool marked, indeterminate;
    int look;
  } cases[] = {
      {0, false, false, 0},    {0x04, false, false, 0}, {0x40, false, false, 1}, {0x44, false, false, 1},
      {0x01, false, false, 2}, {0x08, false, false, 2}, {0x48, false, false, 2}, {0, true, false, 2},
      {0x04, false, true, 2},  {0x10, false, false, 1},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ToolButtonStateIndex(c.state, c.marked, c.indeterminate), c.look)
        << std::hex << c.state << " " << c.marked << c.indeterminate;
}

TEST(ToolBarFwWnd, CaptionPlaces) {
  // List mode: right of the image, else from the left edge.
  EXPECT_EQ(ToolCaptionRect(60, 22, true, 16, 16, 30, 13), fw::Rect(22, 2, 58, 20));
  EXPECT_EQ(ToolCaptionRect(60, 22, true, -1, -1, 30, 13), fw::Rect(1, 2, 58, 20));
  // Below the image: b = (40 - 16 - 13 - 3) / 2 = 4, top = 16 + 4 + 3.
  EXPECT_EQ(ToolCaptionRect(50, 40, false, 16, 16, 30, 13), fw::Rect(9, 23, 42, 36));
  // Without images centred: b = (22 - 13) / 2 = 4.
  EXPECT_EQ(ToolCaptionRect(50, 22, false, -1, -1, 31, 13), fw::Rect(8, 4, 43, 18));
}

namespace {

constexpr fw::TColor kBar = 0x5090B0;

struct Bar {
  std::unique_ptr<TkLoadedSkin> skin = WithDownArrowGlyph(SyntheticDialogSkin());
  // A framework parent: it hands the bar's notices back to the bar.
  fwtest::TestForm form{400, 200};
  fw::TToolBar* bar;
  fw::TToolButton* buttons[4];
  TkcToolBarFwWnd* a = nullptr;
  int formDraws = 0;
  void FormDraw(fw::TToolBar*, const fw::TRect&, fw::TCustomDrawStage, bool&) { ++formDraws; }
  Bar() {
    TkGeneralData g;
    g.ClassName = u"TOOLBAR";
    g.States = 1;
    g.Props[0].Color = g.Props[1].Color = kBar;
    skin->gd.push_back(g);
    skin->InitConstantIndexes();
    bar = new fw::TToolBar(nullptr);
    bar->SetAlign(fw::alNone);
    bar->SetParent(form.form);
    bar->SetBounds(10, 10, 360, 30);
    bar->SetFlat(false);
    bar->SetEdgeBorders(fw::TEdgeBorders{});
    bar->HandleNeeded();
    const fw::TToolButtonStyle styles[] = {fw::tbsButton, fw::tbsSeparator, fw::tbsButton, fw::tbsDropDown};
    for (int i = 0; i < 4; ++i) {
      buttons[i] = new fw::TToolButton(bar);
      buttons[i]->SetStyle(styles[i]);
      buttons[i]->SetParent(bar);
    }
    buttons[2]->SetEnabled(false);
    bar->OnAdvancedCustomDraw = fw::TTBAdvancedCustomDrawEvent(this, &Bar::FormDraw);
    form->Show();
  }
  void Attach() {
    TkcSkinParams p;
    p.Control = bar;
    a = AttachAdapter<TkcToolBarFwWnd>(bar->Handle(), [this] { return skin.get(); }, p);
  }
  fw::TColor Centre(const TPixelBuffer& image, int i) const {
    const fw::TRect r = a->GetButtonRect(i);
    return ColorAt(image, (r.Left + r.Right) / 2 - (i == 3 ? 8 : 0), (r.Top + r.Bottom) / 2);
  }
  // Pixels of the glyph in its state inside button i.
  int Arrow(const TPixelBuffer& image, int i, int state) const {
    const fw::TRect r = a->GetButtonRect(i);
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += ColorAt(image, x, y) == kDropGlyph + fw::TColor(state);
    return n;
  }
  ~Bar() {
    delete a;
    delete bar;
  }
};

}  // namespace

TEST(ToolBarFwWnd, BarAndButtonsFromTheSkin) {
  Bar b;
  b.Attach();
  EXPECT_EQ(b.a->ToolBar, b.bar);
  EXPECT_EQ(b.a->SkinSection(), u"TOOLBAR");
  const TPixelBuffer image = Print(b.bar->Handle());
  EXPECT_EQ(b.Centre(image, 0), kToolButton);
  const fw::TColor disabled = b.Centre(image, 2);
  for (int shift : {0, 8, 16}) {
    const int c = (kToolButton >> shift) & 0xFF, g = (kBar >> shift) & 0xFF;
    EXPECT_NEAR(int((disabled >> shift) & 0xFF), int(g - (g - c) * 0.4), 2) << "disabled: blended with the bar";
  }
  EXPECT_EQ(ColorAt(image, 340, 15), kBar) << "the bar's own section right of the buttons";
  EXPECT_EQ(b.Arrow(image, 3, 0), kDropW * kDropH) << "the drop-down arrow in its normal look";
  EXPECT_EQ(b.formDraws, 0) << "the form's handler makes way";
}

TEST(ToolBarFwWnd, BorderAndEdgesFromTheBarsPicture) {
  Bar b;
  b.bar->SetBorderWidth(2);
  b.bar->SetEdgeBorders(fw::TEdgeBorders{fw::ebLeft, fw::ebTop, fw::ebRight, fw::ebBottom});
  b.bar->SetEdgeOuter(fw::esRaised);
  b.bar->SetEdgeInner(fw::esNone);
  b.Attach();
  EXPECT_EQ(b.a->DisplayRect().Left, 3) << "two of border and one of edge";
  HDC dc = GetWindowDC(b.bar->Handle());
  SetPixel(dc, 0, 0, RGB(1, 2, 3));
  SetPixel(dc, 2, 10, RGB(1, 2, 3));
  SendMessageW(b.bar->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(fw::TColor(GetPixel(dc, 0, 0)), kBar);
  EXPECT_EQ(fw::TColor(GetPixel(dc, 2, 10)), kBar);
  ReleaseDC(b.bar->Handle(), dc);
  // The buttons stand on the bar's picture at their place in the window.
  EXPECT_EQ(b.Centre(Print(b.bar->Handle()), 0), kToolButton);
}

TEST(ToolBarFwWnd, HotTrackingOnABarThatIsNotFlat) {
  Bar b;
  b.Attach();
  const fw::TRect first = b.a->GetButtonRect(0), separator = b.a->GetButtonRect(1);
  SendMessageW(b.bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(first.Left + 3, first.Top + 3));
  EXPECT_EQ(b.a->HotButtonIndex, 0);
  EXPECT_EQ(b.Centre(Print(b.bar->Handle()), 0), Hot(kToolButton));
  SendMessageW(b.bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(separator.Left + 1, separator.Top + 3));
  EXPECT_EQ(b.a->HotButtonIndex, -1) << "a separator is no hot button";
  EXPECT_EQ(b.Centre(Print(b.bar->Handle()), 0), kToolButton);
  const fw::TRect off = b.a->GetButtonRect(2);
  SendMessageW(b.bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(off.Left + 3, off.Top + 3));
  EXPECT_EQ(b.a->HotButtonIndex, -1) << "nor a disabled one";
  SendMessageW(b.bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(first.Left + 3, first.Top + 3));
  SendMessageW(b.bar->Handle(), fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(b.a->HotButtonIndex, -1);
}

TEST(ToolBarFwWnd, DroppedArrowHeldUntilTheMenuCloses) {
  Bar b;
  b.Attach();
  // The drop-down notice as the bar sends it (the button has no menu, so
  // none opens).
  NMTOOLBARW n{};
  n.hdr.hwndFrom = b.bar->Handle();
  n.hdr.code = UINT(TBN_DROPDOWN);
  n.iItem = 4;
  SendMessageW(b.bar->Handle(), fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
  EXPECT_EQ(b.a->DroppedButton, b.buttons[3]);
  fw::TPopupMenu menu(nullptr);
  b.buttons[3]->SetDropdownMenu(&menu);
  EXPECT_EQ(b.Arrow(Print(b.bar->Handle()), 3, 2), kDropW * kDropH) << "pressed while the menu is open";
  EXPECT_EQ(b.Centre(Print(b.bar->Handle()), 3), kToolButton) << "the body keeps its own look";
  b.bar->Perform(fw::CN_DROPDOWNCLOSED, 0, 0);
  EXPECT_EQ(b.a->DroppedButton, nullptr);
  EXPECT_EQ(b.Arrow(Print(b.bar->Handle()), 3, 0), kDropW * kDropH);
  b.buttons[3]->SetDropdownMenu(nullptr);
}

TEST(ToolBarFwWnd, TheFormsHandlersComeBack) {
  {
    Bar b;
    const fw::TMethod form = b.bar->OnAdvancedCustomDraw.Method();
    b.Attach();
    SendSkinCommand(b.bar->Handle(), SKC_REMOVESKIN, 0);
    EXPECT_TRUE(b.bar->OnAdvancedCustomDraw.Method() == form) << "when the skin goes";
    EXPECT_FALSE(b.bar->OnAdvancedCustomDrawButton.Assigned());
    SendSkinCommand(b.bar->Handle(), SKC_NEWSKIN, 0);
    EXPECT_FALSE(b.bar->OnAdvancedCustomDraw.Method() == form) << "a new skin takes them again";
    delete b.a;
    b.a = nullptr;
    EXPECT_TRUE(b.bar->OnAdvancedCustomDraw.Method() == form) << "when the adapter goes";
    Print(b.bar->Handle());
    EXPECT_GT(b.formDraws, 0);
  }
  Bar d;
  d.Attach();
  d.bar->DestroyHandle();
  EXPECT_TRUE(d.a->Destroyed) << "destroyed while attached";
}

// The bar with a push, a disabled and a drop-down button in the program's
// skins, normal and with the first button hot (checksums, and a sheet with
// captions for looking at).
TEST(ToolBarFwWnd, ProgramSkins) {
  const uint64_t golden[2][2] = {{4896214175190438755ull, 4968266300393467107ull},
                                 {4896214175190438755ull, 342277929037057699ull}};
  for (int s = 0; s < 2; ++s) {
    Bar b;
    b.skin = ProgramSkin(s);
    ASSERT_TRUE(b.skin);
    b.Attach();
    std::vector<TPixelBuffer> faces;
    faces.push_back(Print(b.bar->Handle()));
    const fw::TRect first = b.a->GetButtonRect(0);
    SendMessageW(b.bar->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(first.Left + 3, first.Top + 3));
    faces.push_back(Print(b.bar->Handle()));
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(PixelChecksum(View32(faces[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " bar " << i;
    const wchar_t* captions[] = {L"Open", L"", L"Save", L"Views"};
    for (int i = 0; i < 4; ++i) b.buttons[i]->SetCaption(fw::String(reinterpret_cast<const char16_t*>(captions[i])));
    b.bar->SetShowCaptions(true);
    b.bar->SetButtonHeight(36);
    b.bar->SetBounds(10, 10, 360, 44);
    faces.push_back(Print(b.bar->Handle()));
    WriteRow(faces, std::string(ProgramSkinName(s)) + "_framework_tool_bar.png");
  }
}

// Pressed looks in the program's skins: a button held down and a drop-down
// button whose menu is open (its arrow pressed), beside the disabled one
// (checksums).
TEST(ToolBarFwWnd, PressedLooksInTheProgramSkins) {
  const uint64_t golden[2] = {12399769039905751939ull, 534045068094353955ull};
  std::vector<TPixelBuffer> faces;
  for (int s = 0; s < 2; ++s) {
    Bar b;
    b.skin = ProgramSkin(s);
    ASSERT_TRUE(b.skin);
    b.Attach();
    NMTOOLBARW n{};
    n.hdr.hwndFrom = b.bar->Handle();
    n.hdr.code = UINT(TBN_DROPDOWN);
    TBBUTTON dropDown{};
    SendMessageW(b.bar->Handle(), TB_GETBUTTON, 3, reinterpret_cast<LPARAM>(&dropDown));
    n.iItem = dropDown.idCommand;
    SendMessageW(b.bar->Handle(), fw::CN_NOTIFY, 0, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(b.a->DroppedButton, b.buttons[3]);
    fw::TPopupMenu menu(nullptr);
    b.buttons[3]->SetDropdownMenu(&menu);
    b.buttons[0]->SetDown(true);
    EXPECT_FALSE(b.a->Destroyed);
    faces.push_back(Print(b.bar->Handle()));
    EXPECT_EQ(CountPixels(View32(faces.back()), 0xFF00FF), 0) << ProgramSkinName(s);
    EXPECT_EQ(PixelChecksum(View32(faces.back())), golden[s]) << ProgramSkinName(s);
    b.bar->Perform(fw::CN_DROPDOWNCLOSED, 0, 0);
    b.buttons[3]->SetDropdownMenu(nullptr);
  }
  WriteRow(faces, "framework_tool_bar_pressed.png", 2);
}
