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
#include "skin/engine/skin_resources.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/controls/dialog_test_util.h"
#include "tests/skin/forms/fake_dwm.h"
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

TEST(DialogEffects, WindowMenuIsDrawnLikeTheSkinsPopups) {
  Hooked h;
  for (bool popups : {true, false}) {
    TkSkinManager manager(nullptr);
    manager.WriteSkinnedPopups(popups);
    HWND d = TemplateDialog(kBoxStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->SystemMenu->OwnerDraw(), popups) << "drawn by the skinned menus";
    DestroyWindow(d);
  }
}

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
    SetFocus(nullptr);
    SendMessageW(d, WM_NCLBUTTONDOWN, HTCAPTION, at);
    gOnCommand = nullptr;
    EXPECT_TRUE(seen.moved) << c.what << ": the system's move ran";
    EXPECT_EQ(seen.running, c.blended) << c.what;
    EXPECT_EQ(seen.layered, c.blended) << c.what;
    EXPECT_EQ(seen.timer, c.blended) << c.what;
    if (c.blended) {
      EXPECT_DOUBLE_EQ(seen.step, 2) << c.what << ": (255 - 170) div 30";
      EXPECT_EQ(GetFocus(), d) << c.what << ": the dialog has the keyboard again";
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

namespace {

// Counts the animation windows made while it lives.
struct AnimWindowCounter {
  static inline int count = 0;
  HHOOK hook;
  AnimWindowCounter() {
    count = 0;
    hook = SetWindowsHookExW(WH_CBT, Proc, nullptr, GetCurrentThreadId());
  }
  ~AnimWindowCounter() { UnhookWindowsHookEx(hook); }
  static LRESULT CALLBACK Proc(int code, WPARAM w, LPARAM l) {
    if (code == HCBT_CREATEWND) {
      wchar_t cls[32] = {};
      GetClassNameW(reinterpret_cast<HWND>(w), cls, 32);
      if (lstrcmpW(cls, L"TkcAnimWindow") == 0) ++count;
    }
    return CallNextHookEx(nullptr, code, w, l);
  }
};

}  // namespace

// The manager's dialog animations: the dialog appears from its picture,
// and closing leaves a snapshot on the screen that the hide animation
// takes over; without a time nothing of this happens.
TEST(DialogEffects, ShowAndHideAnimations) {
  Hooked h;
  TkSkinManager manager(nullptr);
  TkcAnimEffects& effects = *manager.AnimEffects();
  for (int time : {0, 36}) {
    effects.DialogShow.Time = time;
    effects.DialogShow.Mode = atFading;
    effects.DialogHide.Time = time;
    effects.DialogHide.Mode = atFading;
    AnimWindowCounter counter;
    HWND d = TemplateDialog(kBoxStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << time;
    EXPECT_EQ(counter.count, time ? 1 : 0) << time << ": shown from its picture";
    EXPECT_TRUE(IsWindowVisible(d)) << time;

    const std::unique_ptr<fw::TBitmap> picture = a->DialogPicture();
    RECT w{};
    GetWindowRect(d, &w);
    ASSERT_EQ(picture->Width(), w.right - w.left) << time;
    const TPixelView32 v = View32(*picture);
    EXPECT_EQ(v.Pixel(v.Width / 2, v.Height / 2) >> 24, 0xFFu) << time << ": the picture is opaque";
    EXPECT_EQ(fw::TColor(picture->Canvas()->Pixel(1, v.Height / 2)), kDialog) << time << ": with the frame";

    SendMessageW(d, WM_COMMAND, IDCANCEL, 0);
    EXPECT_EQ(a->CoverForm != nullptr, time != 0) << time << ": a snapshot over the closing dialog";
    counter.count = 0;
    ShowWindow(d, SW_HIDE);
    EXPECT_EQ(a->CoverForm, nullptr) << time << ": handed over to the hide animation";
    EXPECT_EQ(counter.count, time ? 1 : 0) << time;
    if (time) {
      ASSERT_NE(GlobalHideTimer, nullptr);
      EXPECT_TRUE(fwtest::PumpUntil([] { return !GlobalHideTimer->Form; }, 5000)) << "the hide animation ends";
    }
    DestroyWindow(d);
  }
  effects.DialogShow.Time = 0;
  effects.DialogHide.Time = 0;
}

namespace {

// Records the transition switches of windows.
class TTransitionsDwm : public TFakeDwm {
 public:
  explicit TTransitionsDwm(bool composition) : TFakeDwm(composition) {}
  bool DisableTransitions(HWND Wnd, bool Disable) override {
    switches.push_back({Wnd, Disable});
    return true;
  }
  std::vector<std::pair<HWND, bool>> switches;
  int Last(HWND Wnd) const {
    int last = -1;
    for (const auto& [w, off] : switches)
      if (w == Wnd) last = off ? 1 : 0;
    return last;
  }
};

}  // namespace

// Under desktop composition the dialog is layered while the system shows
// it, and no longer afterwards; the system's window transitions are off
// while it is skinned and on again when the skin goes.
TEST(DialogEffects, ShownLayeredUnderComposition) {
  Hooked h;
  for (bool composition : {false, true}) {
    TTransitionsDwm dwm(composition);
    int layeredWhileShown = -1;
    gOnMessage = [&](HWND d, UINT msg, WPARAM wParam) {
      if (msg == WM_SHOWWINDOW && wParam) layeredWhileShown = (GetWindowLongPtrW(d, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
    };
    HWND d = TemplateDialog(kBoxStyle);
    gOnMessage = nullptr;
    ASSERT_NE(DialogAdapterOf(d), nullptr);
    EXPECT_EQ(layeredWhileShown, composition ? 1 : 0) << composition;
    EXPECT_FALSE(Layered(d)) << composition;
    EXPECT_EQ(dwm.Last(d), 1) << composition << ": transitions off";
    RemoveSkinHook();
    EXPECT_EQ(dwm.Last(d), 0) << composition << ": and on again";
    InstallSkinHook([&] { return h.skin.get(); });
    DestroyWindow(d);
  }
}

// A message-box dialog with extended borders in the program's skins, its
// border window and the dialog as the screen shows them, written for
// looking at.
TEST(DialogEffects, BorderWindowScreenshotsInBothSkins) {
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    TkSkinManager manager(nullptr);
    manager.ReportMessage = [](const fw::String& text) { ADD_FAILURE() << fw::StringToUtf8(text); };
    manager.WriteExtendedBorders(true);
    LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(name);
    InstallSkinHook([&] { return manager.LoadedSkin(); });
    HWND d = TemplateDialog(kBoxStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr);
    ASSERT_NE(a->BorderForm, nullptr);
    const HWND border = a->BorderForm->AForm();
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return border && IsWindowVisible(border); }, 5000));
    fwtest::Pump(50);
    const std::string skin = name[0] == u'S' ? "sapphire" : "topaz";
    auto shot = scenarios::ScreenshotOf(border);
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("dialog_border_window_" + skin + ".png"));
    auto image = NewBitmap32(a->Image().Width(), a->Image().Height());
    BitBlt(image->Canvas()->Handle(), 0, 0, image->Width(), image->Height(), a->Image().Canvas()->Handle(), 0, 0,
           SRCCOPY);
    image->SetPixelFormat(fw::pf24bit);
    scenarios::SavePng(image.get(), scenarios::ScreenshotPath("dialog_border_image_" + skin + ".png"));
    DestroyWindow(d);
    RemoveSkinHook();
  }
}

// With the manager's glowing a title button fades into its new state on a
// window of its own; without it the frame is drawn again at once.
TEST(DialogEffects, TitleButtonsFadeWhenTheManagerAllowsGlowing) {
  Hooked h;
  TkSkinManager manager(nullptr);
  for (bool glowing : {true, false}) {
    manager.Effects()->FAllowGlowing = glowing;
    HWND d = TemplateDialog(kSizeableStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr);
    a->PaintAll();
    a->SetHotHT(HTCLOSE, true);
    TkCaptionButton& close = *a->ButtonOf(HTCLOSE);
    EXPECT_EQ(close.State, 1);
    EXPECT_EQ(close.Timer != nullptr, glowing) << glowing;
    a->SetHotHT(HTMINBUTTON, true);
    EXPECT_EQ(a->ButtonOf(HTMINBUTTON)->Timer != nullptr, glowing) << glowing;
    a->KillAnimations();
    EXPECT_EQ(close.Timer, nullptr);
    EXPECT_EQ(a->ButtonOf(HTMINBUTTON)->Timer, nullptr);
    a->SetHotHT(HTCLOSE, true);
    if (glowing) {
      ASSERT_NE(close.Timer, nullptr);
      SendSkinCommand(d, SKC_REMOVESKIN, 0);
      EXPECT_EQ(close.Timer, nullptr) << "no fade outlives the skin";
      SendSkinCommand(d, SKC_NEWSKIN, 0);
      a->SetHotHT(0, true);
      a->SetHotHT(HTCLOSE, true);
    }
    DestroyWindow(d);  // with a fade running
  }
  manager.Effects()->FAllowGlowing = true;
}

// The mouse over the dialog itself leaves no skinned control hot, and an
// owner-drawn static of the dialog draws over its background.
TEST(DialogEffects, MouseOverTheDialogAndOwnerDrawnStatics) {
  Hooked h;
  TkSkinManager manager(nullptr);
  HWND d = TemplateDialog(kBoxStyle);
  ASSERT_NE(DialogAdapterOf(d), nullptr);
  manager.WriteActiveControl(d);
  SendMessageW(d, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager.ActiveControl(), nullptr);

  HDC dc = CreateCompatibleDC(nullptr);
  SetBkMode(dc, OPAQUE);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_STATIC;
  item.hDC = dc;
  SendMessageW(d, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  SetBkMode(dc, OPAQUE);
  item.CtlType = ODT_BUTTON;
  SendMessageW(d, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(GetBkMode(dc), OPAQUE) << "other owner-drawn items are their own";
  DeleteDC(dc);
  DestroyWindow(d);
}

// Dragged by the border window's caption, the border window fades while
// the system moves it, and the dialog sits in it again when the move ends.
TEST(DialogEffects, BlendedMoveWithTheBorderWindow) {
  Hooked h;
  ExtendedBorders m;
  TkcBlendOnMoving& blend = m.manager.AnimEffects()->BlendOnMoving;
  blend.Active = true;
  blend.BlendValue = 170;
  HWND d = TemplateDialog(kBoxStyle);
  TkcDialogWnd* a = DialogAdapterOf(d);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a->BorderForm, nullptr);
  const HWND border = a->BorderForm->AForm();
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return IsWindowVisible(border) != 0; }, 5000));
  const RECT before = WindowRectOf(border);
  const fw::TRect close = a->Layout().Close.Rect;
  const POINT p{before.left + close.Left - 40, before.top + (close.Top + close.Bottom) / 2};
  ASSERT_EQ(a->BorderForm->Ex_WMNCHitTest(fw::TPoint{p.x, p.y}), HTCAPTION);
  // The system's move loop ends at the release waiting in the queue.
  PostMessageW(border, WM_LBUTTONUP, 0, MAKELPARAM(p.x - before.left, p.y - before.top));
  SetFocus(nullptr);
  EXPECT_TRUE(a->BlendedMove()) << "started";
  EXPECT_EQ(GetFocus(), d) << "the dialog has the keyboard again";
  EXPECT_FALSE(a->FormState() & 0x80) << "and ended";
  const RECT dr = WindowRectOf(d), br = WindowRectOf(border);
  EXPECT_EQ(dr.left - br.left, a->BorderOwner.XOffset()) << "the dialog sits in its border window again";
  EXPECT_EQ(dr.top - br.top, a->BorderOwner.YOffset());
  EXPECT_FALSE(Layered(d));
  DestroyWindow(d);
}

// The border window answers for the dialog's title buttons by the dialog's
// rules, its sizing edges when it is sizeable, its caption, and nothing
// on the shadow.
TEST(DialogEffects, BorderWindowHitTestFollowsTheDialog) {
  Hooked h;
  ExtendedBorders m;
  struct Case {
    const char* what;
    DWORD style;
    int closeCode, maxCode, minCode, leftEdge;
  } cases[] = {
      {"sizeable with both boxes", kSizeableStyle, HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTLEFT},
      {"modal frame: no sizing edge", kBoxStyle, HTCLOSE, -100, -100, -1},
  };
  for (const Case& c : cases) {
    HWND d = TemplateDialog(c.style);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << c.what;
    ASSERT_NE(a->BorderForm, nullptr) << c.what;
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    const HWND border = a->BorderForm->AForm();
    ASSERT_TRUE(fwtest::PumpUntil([&] { return IsWindowVisible(border) != 0; }, 5000)) << c.what;
    const RECT br = WindowRectOf(border);
    auto hit = [&](int x, int y) { return a->BorderForm->Ex_WMNCHitTest(fw::TPoint{br.left + x, br.top + y}); };
    auto centre = [&](const fw::TRect& r) { return hit((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); };
    const TkCaptionLayout& l = a->Layout();
    EXPECT_EQ(centre(l.Close.Rect), c.closeCode) << c.what;
    if (c.maxCode != -100) {
      EXPECT_EQ(centre(l.Max.Rect), c.maxCode) << c.what;
      EXPECT_EQ(centre(l.Min.Rect), c.minCode) << c.what;
    }
    const int h2 = (br.bottom - br.top) / 2;
    EXPECT_EQ(hit(2, h2), -1) << c.what << ": the shadow";
    const TkFormFrameFacts f = a->FrameFacts();
    const int left = ShadowSize(f).Left;
    EXPECT_EQ(hit(left + 1, h2), c.leftEdge) << c.what << ": the left edge";
    EXPECT_EQ(hit(left + 60, ShadowSize(f).Top + 8), HTCAPTION) << c.what << ": the title";
    DestroyWindow(d);
  }
}

// A dialog with a border window that changes its size: the image, the
// border window and the dialog's region follow; under composition the
// border window comes with the dialog's first frame paint.
TEST(DialogEffects, BorderWindowFollowsSizeChanges) {
  Hooked h;
  ExtendedBorders m;
  for (bool composition : {false, true}) {
    TTransitionsDwm dwm(composition);
    HWND d = TemplateDialog(kSizeableStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << composition;
    ASSERT_NE(a->BorderForm, nullptr) << composition;
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    const HWND border = a->BorderForm->AForm();
    ASSERT_TRUE(fwtest::PumpUntil([&] { return IsWindowVisible(border) != 0; }, 5000)) << composition;
    const RECT before = WindowRectOf(d);
    const int grow = 60;
    SetWindowPos(d, nullptr, 0, 0, before.right - before.left + grow, before.bottom - before.top + grow / 2,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    fwtest::Pump();
    const TkFormFrameFacts f = a->FrameFacts();
    const RECT dr = WindowRectOf(d), br = WindowRectOf(border);
    EXPECT_EQ(a->Image().Width(), CaptionWidth(f)) << composition;
    EXPECT_EQ(a->Image().Height(), FormImageHeight(f)) << composition;
    EXPECT_EQ(br.right - br.left, a->Image().Width()) << composition << ": the border window grew";
    EXPECT_EQ(br.bottom - br.top, a->Image().Height()) << composition;
    EXPECT_EQ(dr.left - br.left, a->BorderOwner.XOffset()) << composition;
    HRGN rgn = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(d, rgn), ERROR) << composition;
    RECT box{}, client{};
    GetRgnBox(rgn, &box);
    GetClientRect(d, &client);
    EXPECT_EQ(box.right - box.left, client.right) << composition << ": the region follows the client area";
    EXPECT_EQ(a->LastClientRect.Width(), client.right) << composition;
    DeleteObject(rgn);
    DestroyWindow(d);
  }
}

namespace {

constexpr uint32_t kFramePixel = 0xFF2040C0;  // the one-image frame, opaque
constexpr uint32_t kEdgePixel = 0xFFC08020;   // a border mask's edge, opaque

// A border mask of 12 x 12 pixels with 4-pixel borders, one image, key
// coloured in the outermost corner pixel of each corner.
skin::TkMaskData KeyCornerMask(const char16_t* cls, const char16_t* name) {
  skin::TkMaskData m;
  m.ClassName = cls;
  m.PropertyName = name;
  m.ImageCount = 1;
  m.WL = m.WT = m.WR = m.WB = 4;
  m.R = fw::Rect(0, 0, 12, 12);
  m.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 12, 12);
  const TPixelView32 v = View32(*m.Bmp);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) v.Pixel(x, y) = kEdgePixel;
  for (auto [x, y] : {std::pair{0, 0}, {11, 0}, {0, 11}, {11, 11}}) v.Pixel(x, y) = clSkinKey;
  return m;
}

}  // namespace

// The shadow shows through the key-coloured corner pixels of the dialog's
// border mask, and only there: the rest of the frame stays opaque.
TEST(DialogEffects, ShadowShowsThroughTheBorderMasksCorners) {
  Hooked h;
  h.skin->ma.push_back(KeyCornerMask(u"DIALOG", u"BORDERSMASK"));
  h.skin->InitConstantIndexes();
  const int dialog = h.skin->GetSkinIndex(u"DIALOG");
  ASSERT_GE(dialog, 0);
  h.skin->gd[size_t(dialog)].BorderIndex = int(h.skin->ma.size()) - 1;
  ExtendedBorders m;
  HWND d = TemplateDialog(kBoxStyle);
  TkcDialogWnd* a = DialogAdapterOf(d);
  ASSERT_NE(a, nullptr);
  ASSERT_NE(a->BorderForm, nullptr);
  RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  a->PaintAll();
  const TPixelView32 v = View32(a->Image());
  const int r = v.Width - 7, b = v.Height - 7;  // the frame's last column and row
  for (auto [x, y] : {std::pair{6, 6}, {r, 6}, {6, b}, {r, b}})
    EXPECT_EQ(v.Pixel(x, y), kShadowPixel) << x << "," << y << ": a key-coloured corner pixel";
  for (auto [x, y] : {std::pair{7, 6}, {6, 7}, {r - 1, b}, {r, b - 1}})
    EXPECT_EQ(v.Pixel(x, y) >> 24, 0xFFu) << x << "," << y << ": the frame beside it is opaque";
  EXPECT_EQ(v.Pixel(6, v.Height / 2), kEdgePixel) << "the mask's left edge";
  DestroyWindow(d);
}

// A skin that draws frame and shadow from one image: the frame's edges and
// the whole title come from the shadow image, the rest of the frame is the
// section's background, and the caption's contents sit lower by the skin's
// centre offset.
TEST(DialogEffects, OneImageBorderDrawsFrameAndTitleFromTheShadowImage) {
  Hooked h;
  skin::TkMaskData ex = KeyCornerMask(u"GLOBALINFO", u"EXBORDER");
  // Deeper than frame and shadow at the sides and bottom, and than the
  // whole title at the top.
  ex.WL = ex.WR = ex.WB = 14;
  ex.WT = 40;
  h.skin->ma.push_back(ex);
  h.skin->InitConstantIndexes();
  ASSERT_GE(h.skin->ConstData.ExBorder, 0);
  ExtendedBorders m;
  for (TPixelBuffer* t : {&m.manager.ShdaTemplate, &m.manager.ShdiTemplate}) {
    t->SetSize(TPixelFormat::pf32bit, 31, 61);
    const TPixelView32 tv = View32(*t);
    for (int y = 0; y < tv.Height; ++y)
      for (int x = 0; x < tv.Width; ++x) tv.Pixel(x, y) = kFramePixel;
  }
  fw::TRect closeBefore;
  for (int drawMode : {0, 1}) {
    h.skin->CommonSkinData.ExDrawMode = drawMode;
    h.skin->CommonSkinData.ExCenterOffs = 3;
    HWND d = TemplateDialog(kBoxStyle);
    TkcDialogWnd* a = DialogAdapterOf(d);
    ASSERT_NE(a, nullptr) << drawMode;
    ASSERT_NE(a->BorderForm, nullptr) << drawMode;
    a->PaintAll();
    const TkFormFrameFacts f = a->FrameFacts();
    const TPixelView32 v = View32(a->Image());
    const int deep = FrameWidthOf(f, true) + 6;  // frame and shadow
    const int titleBottom = 6 + CaptionHeight(f, true);
    fw::TCanvas& c = *a->Image().Canvas();
    if (drawMode == 0) {
      EXPECT_EQ(v.Pixel(2, v.Height / 2), kFramePixel) << "the shadow margin";
      EXPECT_EQ(fw::TColor(c.Pixel(7, v.Height / 2)), kDialog) << "the section's frame";
      EXPECT_EQ(fw::TColor(c.Pixel(deep + 1, 7)), kTitle) << "the title section";
      closeBefore = a->Layout().Close.Rect;
    } else {
      EXPECT_EQ(v.Pixel(deep - 1, v.Height / 2), kFramePixel) << "the left edge, frame and shadow deep";
      EXPECT_EQ(v.Pixel(v.Width - deep, v.Height / 2), kFramePixel) << "the right edge";
      EXPECT_EQ(v.Pixel(v.Width / 2, v.Height - deep - 2), kFramePixel) << "the bottom edge, 2 deeper";
      EXPECT_NE(v.Pixel(v.Width / 2, v.Height - deep - 3), kFramePixel);
      EXPECT_EQ(v.Pixel(deep + 1, titleBottom - 1), kFramePixel) << "the title from the image, no title section";
      EXPECT_EQ(fw::TColor(c.Pixel(deep, v.Height / 2)), kDialog) << "inside: the section's background";
      EXPECT_EQ(v.Pixel(deep, v.Height / 2) >> 24, 0xFFu) << "and opaque";
      EXPECT_EQ(a->Layout().Close.Rect.Top, closeBefore.Top + 3) << "the buttons sit lower";
      EXPECT_EQ(a->Layout().Close.Rect.Left, closeBefore.Left);
      const fw::TRect close = a->Layout().Close.Rect;
      EXPECT_EQ(v.Pixel(close.Left + close.Width() / 2, close.Top + close.Height() / 2) >> 24, 0xFFu)
          << "the button drawn over the image";
      EXPECT_NE(v.Pixel(close.Left + close.Width() / 2, close.Top + close.Height() / 2), kFramePixel);
    }
    DestroyWindow(d);
  }
}
