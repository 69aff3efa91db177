// A skinned system dialog with the form skinning's effects: dragged by its
// caption it fades while the move runs and is opaque again afterwards; its
// window menu answers the dialog's window-command rules; moving repaints
// it only when its background has a pattern; with the manager's extended
// borders a layered border window shows its frame, title and shadow,
// answers the mouse for it and goes with it.
#include "skin/controls/dialog_effects.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/controls/dialog_test_util.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;
using namespace skintest;

namespace {

struct Hooked {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogFrameSkin();
  Hooked() { InstallSkinHook([this] { return skin.get(); }); }
  ~Hooked() { RemoveSkinHook(); }
};

bool Layered(HWND w) { return (GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

POINT CaptionPoint(HWND d, TkcDialogWnd& a) {
  RECT w{};
  GetWindowRect(d, &w);
  const fw::TRect close = a.Layout().Close.Rect;
  return POINT{w.left + close.Left - 30, w.top + (close.Top + close.Bottom) / 2};
}

}  // namespace

TEST(DialogEffects, WindowMenuAnswersTheDialogsRules) {
  Hooked h;
  struct Case {
    const char* what;
    DWORD style;
    bool zoom;
  } cases[] = {{"message box", kBoxStyle, false},
               {"sizeable", kSizeableStyle, false},
               {"sizeable, maximised", kSizeableStyle, true}};
  for (const Case& c : cases) {
    HWND d = TemplateDialog(c.style);
    if (c.zoom) ShowWindow(d, SW_MAXIMIZE);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << c.what;
    TkCustomSysMenu& rules = *a->SystemMenu;
    EXPECT_EQ(rules.VisibleClose(), a->VisibleClose()) << c.what;
    EXPECT_EQ(rules.VisibleMax(), a->VisibleMax()) << c.what;
    EXPECT_EQ(rules.VisibleMin(), a->VisibleMin()) << c.what;
    EXPECT_EQ(rules.EnabledMax(), a->EnabledMax()) << c.what;
    EXPECT_EQ(rules.EnabledMin(), a->EnabledMin()) << c.what;
    EXPECT_EQ(rules.EnabledRestore(), a->EnabledRestore()) << c.what;
    EXPECT_EQ(rules.EnabledRestore(), c.zoom) << c.what;
    EXPECT_EQ(rules.VisibleMax(), c.style == kSizeableStyle) << c.what;
    DestroyWindow(d);
  }
}

TEST(DialogEffects, MovingRepaintsOnlyAPatternedBackground) {
  Hooked h;
  HWND d = TemplateDialog(kBoxStyle);
  TkcDialogWnd* a = DialogAdapterOf(d);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(SendSkinCommand(d, SKC_QUERYMOVEREPAINT, 0), 0) << "a plain colour";
  TkGenState& normal = h.skin->gd[size_t(a->DialogIndex)].Props[0];
  normal.GradientPercent = 40;
  EXPECT_EQ(SendSkinCommand(d, SKC_QUERYMOVEREPAINT, 0), 1) << "a gradient";
  normal.GradientPercent = 0;
  normal.ImagePercent = 100;
  EXPECT_EQ(SendSkinCommand(d, SKC_QUERYMOVEREPAINT, 0), 1) << "a texture";
  DestroyWindow(d);
}

// The press on the caption runs the system's move: the dialog receives
// SC_MOVE + HTCAPTION (swallowed here, so the move ends at once) and the
// state at that moment is recorded.
TEST(DialogEffects, CaptionDragFadesTheDialogWhileItMoves) {
  Hooked h;
  TkSkinManager manager(nullptr);
  ASSERT_EQ(DialogManager(), &manager);
  TkcBlendOnMoving& blend = manager.AnimEffects()->BlendOnMoving;
  struct Case {
    const char* what;
    bool active;
    int value;
    bool blended;
  } cases[] = {{"option off (the default)", false, 170, false},
               {"option on", true, 170, true},
               {"on, but opaque", true, 255, false}};
  for (const Case& c : cases) {
    blend.Active = c.active;
    blend.BlendValue = uint8_t(c.value);
    HWND d = TemplateDialog(kBoxStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << c.what;
    a->PaintAll();
    struct Seen {
      bool moved = false, layered = false, running = false, timer = false;
      double step = -1;
    } seen;
    gOnCommand = [&](HWND w, WPARAM command) {
      if (w != d || (command & 0xFFF0) != SC_MOVE) return;
      seen.moved = true;
      seen.layered = Layered(d);
      seen.running = (a->FormState() & 0x80) != 0;
      if (auto* t = dynamic_cast<TkcMoveTimer*>(a->MoveHost.MoveTimer.get())) {
        seen.timer = true;
        seen.step = t->BlendStep;
      }
    };
    const POINT p = CaptionPoint(d, *a);
    const LPARAM at = MAKELPARAM(p.x, p.y);
    ASSERT_EQ(SendMessageW(d, WM_NCHITTEST, 0, at), HTCAPTION) << c.what;
    SetActiveWindow(d);
    SendMessageW(d, WM_NCLBUTTONDOWN, HTCAPTION, at);
    gOnCommand = nullptr;
    EXPECT_TRUE(seen.moved) << c.what << ": the system's move ran";
    EXPECT_EQ(seen.running, c.blended) << c.what;
    EXPECT_EQ(seen.layered, c.blended) << c.what;
    EXPECT_EQ(seen.timer, c.blended) << c.what;
    if (c.blended) {
      EXPECT_DOUBLE_EQ(seen.step, 2) << c.what << ": (255 - 170) div 30";
    }
    EXPECT_FALSE(a->FormState() & 0x80) << c.what << ": ended";
    EXPECT_FALSE(Layered(d)) << c.what << ": opaque again";
    EXPECT_EQ(a->MoveHost.MoveTimer, nullptr) << c.what;
    DestroyWindow(d);
  }
}

namespace {

constexpr uint32_t kShadowPixel = 0x40000000;  // black at a quarter, premultiplied

// A manager with extended borders and a plain shadow 6 pixels deep.
struct ExtendedBorders {
  TkSkinManager manager{nullptr};
  ExtendedBorders() {
    manager.WriteExtendedBorders(true);
    manager.FormShadowSize = fw::Rect(6, 6, 6, 6);
    for (TPixelBuffer* t : {&manager.ShdaTemplate, &manager.ShdiTemplate}) {
      t->SetSize(TPixelFormat::pf32bit, 21, 21);
      const TPixelView32 v = View32(*t);
      for (int y = 0; y < 21; ++y)
        for (int x = 0; x < 21; ++x) v.Pixel(x, y) = kShadowPixel;
    }
  }
};

RECT WindowRectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

}  // namespace

TEST(DialogEffects, BorderWindowShowsTheFrameAndAnswersForIt) {
  Hooked h;
  ExtendedBorders m;
  ASSERT_TRUE(DialogExtendedBorders()) << "layered windows are there";
  HWND d = TemplateDialog(kBoxStyle);
  TkcDialogWnd* a = DialogAdapterOf(d);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a->BorderForm, nullptr);
  const HWND border = a->BorderForm->AForm();
  ASSERT_NE(border, nullptr);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return IsWindowVisible(border) != 0; }, 5000)) << "shown with the dialog";

  // Placed around the dialog, the size of the dialog's image.
  const TkFormFrameFacts f = a->FrameFacts();
  const RECT dr = WindowRectOf(d), br = WindowRectOf(border);
  EXPECT_EQ(br.right - br.left, a->Image().Width());
  EXPECT_EQ(br.bottom - br.top, a->Image().Height());
  EXPECT_EQ(a->Image().Width(), (dr.right - dr.left) + 2 * ExtFrameDelta(f) + 12);
  EXPECT_EQ(dr.left - br.left, a->BorderOwner.XOffset());
  EXPECT_EQ(dr.top - br.top, a->BorderOwner.YOffset());
  EXPECT_EQ(a->BorderOwner.XOffset(), 6 + ExtFrameDelta(f));

  // The image: the shadow around, the opaque frame inside it.
  const TPixelView32 v = View32(a->Image());
  EXPECT_EQ(v.Pixel(2, v.Height / 2), kShadowPixel);
  EXPECT_EQ(v.Pixel(v.Width - 3, 2), kShadowPixel);
  EXPECT_EQ(v.Pixel(6, v.Height / 2) >> 24, 0xFFu) << "the frame is opaque";
  EXPECT_EQ(fw::TColor(a->Image().Canvas()->Pixel(7, v.Height / 2)), kDialog);

  // The dialog keeps only its client part; the border window the rest.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(d, rgn), ERROR);
  RECT box{};
  GetRgnBox(rgn, &box);
  RECT client{};
  GetClientRect(d, &client);
  EXPECT_EQ(box.right - box.left, client.right) << "as wide as the client area";

  // The close button on the border window closes the dialog.
  const fw::TRect close = a->Layout().Close.Rect;
  const POINT p{br.left + (close.Left + close.Right) / 2, br.top + (close.Top + close.Bottom) / 2};
  const LPARAM at = MAKELPARAM(p.x, p.y);
  EXPECT_EQ(a->BorderForm->Ex_WMNCHitTest(fw::TPoint{p.x, p.y}), HTCLOSE);
  gCommands.clear();
  SendMessageW(border, WM_NCLBUTTONDOWN, HTOBJECT, at);
  EXPECT_EQ(a->Layout().Close.State, 2) << "pressed";
  SendMessageW(border, WM_NCLBUTTONUP, HTOBJECT, at);
  EXPECT_EQ(gCommands, std::vector<WPARAM>{SC_CLOSE});

  // Without extended borders the dialog draws its own frame again.
  m.manager.WriteExtendedBorders(false);
  SendSkinCommand(d, SKC_REFRESH, 0);
  EXPECT_EQ(a->BorderForm, nullptr);
  EXPECT_FALSE(IsWindow(border));
  SendMessageW(d, WM_NCPAINT, 1, 0);
  ASSERT_NE(GetWindowRgn(d, rgn), ERROR);
  GetRgnBox(rgn, &box);
  EXPECT_EQ(box.right - box.left, dr.right - dr.left) << "the skin's outline";
  EXPECT_EQ(a->Image().Width(), dr.right - dr.left);

  // And the border window goes with the dialog.
  m.manager.WriteExtendedBorders(true);
  SendSkinCommand(d, SKC_REFRESH, 0);
  ASSERT_NE(a->BorderForm, nullptr);
  const HWND again = a->BorderForm->AForm();
  DestroyWindow(d);
  EXPECT_FALSE(IsWindow(again));
  DeleteObject(rgn);
}
