// Check boxes, radio buttons and group boxes under their adapters: the
// glyph of each check state and look at its place, the caption's side, the
// disabled fade, the group frame below half the caption with what lies
// behind above it, a dialog's group box keeping its inside, removal and
// destruction.
#include "skin/controls/check_box_wnd.h"

#include <gtest/gtest.h>

#include "tests/skin/controls/adapter_test_util.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;
using namespace skintest;

namespace {

struct Button {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND wnd;
  TkcMainWnd* a = nullptr;
  Button(DWORD style, int w = 120, int h = 20, const wchar_t* text = L"Check") {
    wnd = host.Child(L"BUTTON", text, style, 10, 10, w, h);
  }
  template <class T>
  T* Attach(bool dialog = false) {
    AddingDialogControls = dialog;
    auto* t = AttachAdapter<T>(wnd, [this] { return skin.get(); }, TkcSkinParams{});
    AddingDialogControls = false;
    a = t;
    return t;
  }
  ~Button() { delete a; }
};

constexpr fw::TColor Look(fw::TColor c, int state) { return c + 0x20 * state; }

}  // namespace

TEST(CheckBoxWnd, GlyphOfEachStateAndLook) {
  struct Case {
    DWORD style;
    int check;  // BM_SETCHECK
    bool pushed;
    fw::TColor glyph;
  } cases[] = {
      {BS_AUTOCHECKBOX, BST_UNCHECKED, false, kBoxUnchecked},
      {BS_AUTOCHECKBOX, BST_CHECKED, false, kBoxChecked},
      {BS_AUTO3STATE, BST_INDETERMINATE, false, kBoxGrayed},
      {BS_AUTOCHECKBOX, BST_CHECKED, true, Look(kBoxChecked, 2)},
      {BS_AUTORADIOBUTTON, BST_UNCHECKED, false, kRadioUnchecked},
      {BS_RADIOBUTTON, BST_CHECKED, false, kRadioChecked},
  };
  for (const Case& c : cases) {
    Button b(c.style);
    auto* a = b.Attach<TkcCheckBoxWnd>();
    SendMessageW(b.wnd, BM_SETCHECK, c.check, 0);
    if (c.pushed) SendMessageW(b.wnd, BM_SETSTATE, TRUE, 0);
    EXPECT_EQ(a->CheckRect(), fw::Rect(0, 4, 12, 16));
    auto image = Print(b.wnd);
    EXPECT_EQ(ColorAt(image, 5, 9), c.glyph) << c.style << " " << c.check;
    EXPECT_EQ(ColorAt(image, 115, 2), kCheckBox) << "the section behind the caption";
  }
}

TEST(CheckBoxWnd, LeftTextPutsTheGlyphAtTheRight) {
  Button b(BS_AUTOCHECKBOX | BS_LEFTTEXT);
  auto* a = b.Attach<TkcCheckBoxWnd>();
  EXPECT_EQ(a->CheckRect(), fw::Rect(108, 4, 120, 16));
  auto image = Print(b.wnd);
  EXPECT_EQ(ColorAt(image, 113, 9), kBoxUnchecked);
  // The caption starts at x = 2.
  bool text = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 2; x < 8; ++x) text = text || ColorAt(image, x, y) == kText;
  EXPECT_TRUE(text);
}

TEST(CheckBoxWnd, ADisabledBoxFadesIntoWhatLiesBehind) {
  Button b(BS_AUTOCHECKBOX);
  b.Attach<TkcCheckBoxWnd>();
  EnableWindow(b.wnd, FALSE);
  auto image = Print(b.wnd);
  auto mix = [](fw::TColor c, fw::TColor bg, int shift) {
    const int x = (c >> shift) & 0xFF, y = (bg >> shift) & 0xFF;
    return int(0.4 * (x - y) + y);
  };
  const fw::TColor got = ColorAt(image, 115, 2);
  for (int shift : {0, 8, 16}) EXPECT_NEAR((got >> shift) & 0xFF, mix(kCheckBox, kHost, shift), 1) << shift;
}

TEST(CheckBoxWnd, RemovalRestoresAndDestructionWhileAttached) {
  Button b(BS_AUTOCHECKBOX);
  const auto own = GetWindowLongPtrW(b.wnd, GWLP_WNDPROC);
  b.Attach<TkcCheckBoxWnd>();
  EXPECT_EQ(SendSkinCommand(b.wnd, SKC_ISHANDLED, 0), 1);
  delete b.a;
  b.a = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(b.wnd, GWLP_WNDPROC), own);
  EXPECT_NE(ColorAt(Print(b.wnd), 115, 2), kCheckBox);

  Button d(BS_AUTOCHECKBOX);
  auto* a = d.Attach<TkcCheckBoxWnd>();
  DestroyWindow(d.wnd);
  EXPECT_TRUE(a->Destroyed);
}

TEST(GroupBoxWnd, FrameBelowHalfTheCaptionAndWhatLiesBehindAboveIt) {
  Button b(BS_GROUPBOX, 200, 100, L"Group");
  auto* a = b.Attach<TkcGroupBoxWnd>();
  const fw::TRect caption = a->CaptionRect();
  EXPECT_EQ(caption.Left, 6);
  EXPECT_EQ(SendSkinCommand(b.wnd, SKC_CTRLQUERY, 0), caption.Height());
  auto image = Print(b.wnd);
  EXPECT_EQ(ColorAt(image, 100, 60), kGroupBox);
  EXPECT_EQ(ColorAt(image, 150, 1), kHost) << "right of the caption, above the frame";
  EXPECT_EQ(ColorAt(image, 150, caption.Height() / 2 + 1), kGroupBox);
}

TEST(GroupBoxWnd, ADialogsGroupBoxKeepsItsInside) {
  Button b(BS_GROUPBOX, 200, 100, L"Group");
  auto* a = b.Attach<TkcGroupBoxWnd>(true);
  ASSERT_TRUE(a->DlgMode);
  HDC dc = GetWindowDC(b.wnd);
  const COLORREF sentinel = RGB(1, 2, 3);
  SetPixel(dc, 100, 60, sentinel);
  SendMessageW(b.wnd, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, 100, 60), sentinel) << "the inside is the dialog's";
  EXPECT_EQ(fw::TColor(GetPixel(dc, 150, 1)), kHost) << "the caption strip is the skin's";
  ReleaseDC(b.wnd, dc);
}

TEST(GroupBoxWnd, RemovalRestoresAndDestructionWhileAttached) {
  Button b(BS_GROUPBOX, 200, 100, L"Group");
  const auto own = GetWindowLongPtrW(b.wnd, GWLP_WNDPROC);
  b.Attach<TkcGroupBoxWnd>();
  delete b.a;
  b.a = nullptr;
  EXPECT_EQ(GetWindowLongPtrW(b.wnd, GWLP_WNDPROC), own);
  Button d(BS_GROUPBOX, 200, 100, L"Group");
  auto* a = d.Attach<TkcGroupBoxWnd>();
  DestroyWindow(d.wnd);
  EXPECT_TRUE(a->Destroyed);
}
// The program's skins: each look has its golden (without captions, which
// depend on the system's fonts); the glyphs' see-through pixels show what
// lies behind, never the key colour. With captions written for looking at.
TEST(CheckBoxWnd, GoldensOfTheProgramSkins) {
  // Box unchecked, checked, indeterminate, pushed, disabled; radio
  // unchecked, checked; group box; box focused (hot).
  const uint64_t golden[2][9] = {{13136226845312598584ull, 16662842043034495688ull, 4498816083213194933ull, 14412848006192146985ull, 2127926574901595203ull, 11749546514916969936ull, 16254438572016269404ull, 13924984538504950059ull, 10500051036343699029ull},
                                 {13136226845312598584ull, 15732320413179869152ull, 3652519911672722463ull, 14937197852739893559ull, 2505838311505418550ull, 11749546514916969936ull, 2976942801029518954ull, 13924984538504950059ull, 17536129062813091247ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    Host host;
    HWND box = host.Child(L"BUTTON", L"", BS_AUTO3STATE, 10, 10, 60, 20);
    HWND radio = host.Child(L"BUTTON", L"", BS_AUTORADIOBUTTON, 10, 40, 60, 20);
    HWND group = host.Child(L"BUTTON", L"", BS_GROUPBOX, 80, 10, 100, 60);
    auto source = [&] { return skin.get(); };
    std::unique_ptr<TkcMainWnd> a(AttachAdapter<TkcCheckBoxWnd>(box, source, TkcSkinParams{}));
    std::unique_ptr<TkcMainWnd> b(AttachAdapter<TkcCheckBoxWnd>(radio, source, TkcSkinParams{}));
    std::unique_ptr<TkcMainWnd> c(AttachAdapter<TkcGroupBoxWnd>(group, source, TkcSkinParams{}));
    std::vector<TPixelBuffer> looks;
    for (int check : {BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE}) {
      SendMessageW(box, BM_SETCHECK, check, 0);
      looks.push_back(Print(box));
    }
    SendMessageW(box, BM_SETSTATE, TRUE, 0);
    looks.push_back(Print(box));
    SendMessageW(box, BM_SETSTATE, FALSE, 0);
    EnableWindow(box, FALSE);
    looks.push_back(Print(box));
    EnableWindow(box, TRUE);
    looks.push_back(Print(radio));
    SendMessageW(radio, BM_SETCHECK, BST_CHECKED, 0);
    looks.push_back(Print(radio));
    looks.push_back(Print(group));
    SendMessageW(box, WM_SETFOCUS, 0, 0);
    looks.push_back(Print(box));
    SendMessageW(box, WM_KILLFOCUS, 0, 0);
    for (int i = 0; i < 9; ++i) {
      EXPECT_EQ(CountPixels(View32(looks[size_t(i)]), 0xFF00FF), 0) << ProgramSkinName(s) << " look " << i;
      EXPECT_EQ(PixelChecksum(View32(looks[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    }
    SetWindowTextW(box, L"Check box");
    SetWindowTextW(radio, L"Radio");
    SetWindowTextW(group, L"Group");
    SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    WriteRow({Print(box), Print(radio), Print(group)}, std::string("check_boxes_") + ProgramSkinName(s) + ".png");
  }
}
