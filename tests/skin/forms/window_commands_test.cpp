// Maximise, minimise and restore of a skinned window with the frame
// repainted, the min/max information kept, the system's animation switched
// off around the provider's own animations and given back on every way out,
// the show and close sequences with the skin manager's animations, the
// border window's stretch, sizing with a border window, the size grip's
// corner on a size change, a window made anew, and Alt+Space.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/engine/skin_manager.h"
#include "skin/engine/window_utils.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skinning_links.h"
#include "skin/forms/border_window.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/preview_link.h"
#include "skin/forms/skinned_form.h"

namespace skin {
namespace {

// Records what the provider asks of the border window and the animations.
class RecordingProvider : public TkSkinProvider {
 public:
  using TkSkinProvider::TkSkinProvider;
  std::vector<std::string> log;
  bool throwOnMinimize = false;
  bool border = false;
  bool HasBorderWindow() const override { return border; }
  void UpdateExBordersPos(bool, int) override { log.push_back("place border"); }
  void UpdateBorderForm(bool) override { log.push_back("border"); }
  void TakeCoverSnapshot() override { log.push_back("snapshot"); }
  void ShowCoverForm() override { log.push_back("cover"); }
  void StartMinimizeAnimation() override {
    log.push_back("minimize animation");
    if (throwOnMinimize) throw std::runtime_error("minimize");
  }
  void StartRestoreAnimation() override { log.push_back("restore animation"); }
};

// Notes, each time the form's picture is prepared, whether the skin it is
// painted from is still there; paints only then.
class SkinWatchingProvider : public TkSkinProvider {
 public:
  using TkSkinProvider::TkSkinProvider;
  const bool* skinFreed = nullptr;
  std::vector<bool>* prepared = nullptr;
  void PrepareFormCache() override {
    const bool alive = !skinFreed || !*skinFreed;
    if (prepared) prepared->push_back(alive);
    if (alive) TkSkinProvider::PrepareFormCache();
  }
};

struct FormEvents {
  std::vector<std::string>* log;
  void Show(fw::TObject*) { log->push_back("show"); }
  void Hide(fw::TObject*) { log->push_back("hide"); }
  void Close(fw::TObject*, fw::TCloseAction&) { log->push_back("close"); }
  void CloseQuery(fw::TObject*, bool&) { log->push_back("query"); }
  void Attach(fw::TCustomForm* f) {
    f->OnShow = fw::TNotifyEvent(this, &FormEvents::Show);
    f->OnHide = fw::TNotifyEvent(this, &FormEvents::Hide);
    f->OnClose = fw::TCloseEvent(this, &FormEvents::Close);
    f->OnCloseQuery = fw::TCloseQueryEvent(this, &FormEvents::CloseQuery);
  }
};

// The system's animation setting, as the provider switches it.
struct FakeAnimationSetting {
  static inline std::vector<bool> writes;
  static inline bool on = true;
  bool (*read)() = TkcSysAnimationOff::Read;
  void (*write)(bool) = TkcSysAnimationOff::Write;
  FakeAnimationSetting() {
    writes.clear();
    on = true;
    TkcSysAnimationOff::Read = [] { return on; };
    TkcSysAnimationOff::Write = [](bool v) {
      writes.push_back(v);
      on = v;
    };
  }
  ~FakeAnimationSetting() {
    TkcSysAnimationOff::Read = read;
    TkcSysAnimationOff::Write = write;
  }
};

fw::TRect RectOf(HWND w) {
  RECT r{};
  GetWindowRect(w, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

void ExpectImageFitsWindow(SkinnedForm& f, const char* what) {
  const fw::TRect r = RectOf(f.wnd());
  EXPECT_EQ(f.provider->FormImage().Width(), r.Width()) << what;
  EXPECT_EQ(f.provider->FormImage().Height(), r.Height()) << what;
}

TEST(WindowCommands, MaximiseMinimiseRestoreRepaintTheFrame) {
  SkinnedForm f(1);
  const fw::TRect normal = RectOf(f.wnd());
  int builds = f.provider->BuildCount();
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(IsZoomed(f.wnd()));
  EXPECT_GT(f.provider->BuildCount(), builds);
  EXPECT_TRUE(f.provider->ImageInput().Frame.Zoomed);
  ExpectImageFitsWindow(f, "maximised");
  const int frame = GetSystemMetrics(SM_CXFRAME);
  const fw::TRect area = FormWorkArea(f.form.form);
  EXPECT_EQ(RectOf(f.wnd()).Left, area.Left - frame) << "the frame just off the work area";
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 0);
  builds = f.provider->BuildCount();
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsZoomed(f.wnd()));
  EXPECT_EQ(RectOf(f.wnd()), normal);
  EXPECT_GT(f.provider->BuildCount(), builds);
  ExpectImageFitsWindow(f, "restored");
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(f.wnd()));
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(f.wnd()));
  EXPECT_EQ(RectOf(f.wnd()), normal);
  fwtest::Pump(20);
  ExpectImageFitsWindow(f, "restored from the task bar");
}

TEST(WindowCommands, TheFormsLargestSizeHoldsWhenMaximised) {
  SkinnedForm f(0);
  f.form->Constraints()->SetMaxWidth(500);
  f.form->Constraints()->SetMaxHeight(350);
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_MAXIMIZE, 0);
  ASSERT_TRUE(IsZoomed(f.wnd()));
  EXPECT_LE(RectOf(f.wnd()).Width(), 500);
  EXPECT_LE(RectOf(f.wnd()).Height(), 350);
  ExpectImageFitsWindow(f, "limited");
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
}

TEST(WindowCommands, TheSystemAnimationIsOffAroundTheOwnAnimationsAndComesBack) {
  FakeAnimationSetting setting;
  TkSkinManager manager{nullptr};
  TSkinnedForm<RecordingProvider> f(0, fw::bsSizeable, 400, 300, false);
  f.provider->SetManager(&manager);
  manager.AnimEffects()->FormShow.Active = false;
  manager.AnimEffects()->FormHide.Active = false;
  f.Show();
  ASSERT_TRUE(manager.AnimEffects()->Minimizing.Active);
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(f.wnd()));
  EXPECT_EQ(setting.writes, (std::vector<bool>{false, true}));
  EXPECT_NE(std::find(f.provider->log.begin(), f.provider->log.end(), "minimize animation"), f.provider->log.end());
  setting.writes.clear();
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(f.wnd()));
  EXPECT_EQ(setting.writes, (std::vector<bool>{false, true}));
  EXPECT_EQ(f.provider->log.back(), "restore animation");
  // An animation that fails still gives the setting back.
  setting.writes.clear();
  f.provider->throwOnMinimize = true;
  EXPECT_THROW(f.form->Perform(WM_SYSCOMMAND, SC_MINIMIZE, 0), std::runtime_error);
  EXPECT_EQ(setting.writes, (std::vector<bool>{false, true}));
  EXPECT_TRUE(setting.on);
}

TEST(WindowCommands, ShowAndCloseSequences) {
  TkSkinManager manager{nullptr};
  TSkinnedForm<RecordingProvider> f(0, fw::bsSizeable, 400, 300, false);
  std::vector<std::string>& log = f.provider->log;
  FormEvents events{&log};
  events.Attach(f.form.form);
  f.provider->SetManager(&manager);
  f.provider->RTInit = true;
  f.Show();
  // Completed when shown, then the border window and the form's own show.
  EXPECT_EQ(log, (std::vector<std::string>{"border", "border", "show"}));
  EXPECT_FALSE(f.provider->RTInit);
  const HWND w = f.wnd();
  EXPECT_TRUE(GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) << "the fade's redraw lock is over";
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_FALSE(f.provider->fAnimating);
  EXPECT_FALSE(f.provider->FInAnimation);
  EXPECT_EQ(f.provider->LastClientRect, fw::Rect(0, 0, f.form->ClientWidth(), f.form->ClientHeight()));
  // Closing: the form's own close, its hiding with the image covering the
  // window, then the snapshot for the hide animation.
  log.clear();
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"query", "close", "hide", "snapshot", "cover", "snapshot"}));
  EXPECT_FALSE(IsWindowVisible(w));
  EXPECT_EQ(f.provider->FormImage().Width(), 0) << "hidden: the next showing builds the image anew";
  // Shown again, the image is built anew.
  log.clear();
  const int builds = f.provider->BuildCount();
  f.Show();
  EXPECT_GT(f.provider->BuildCount(), builds);
  EXPECT_GT(f.provider->FormImage().Width(), 0);
  EXPECT_EQ(log, (std::vector<std::string>{"border", "show"}));
  // Without the hide animation no snapshot is taken.
  manager.AnimEffects()->FormHide.Active = false;
  log.clear();
  SendMessageW(w, WM_CLOSE, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"query", "close", "hide"}));
}

TEST(WindowCommands, TheBorderWindowsStretchComesBackToTheSavedBounds) {
  // NormalBounds: left and top, and in Bottom the saved height.
  struct Case {
    const char* what;
    bool sameTop;
    fw::TRect expected;
  } cases[] = {
      {"moved: the saved height", false, fw::Rect(120, 70, 520, 70 + 260)},
      {"top kept: back to the saved top", true, fw::Rect(120, 50, 520, 80 + 500)},
  };
  for (const Case& c : cases) {
    SkinnedForm f(0);
    SetWindowPos(f.wnd(), nullptr, 100, 80, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    f.provider->NormalBounds = fw::Rect(100, 50, 400, 260);
    f.provider->FormState |= 0x2000;
    SetWindowPos(f.wnd(), nullptr, 120, c.sameTop ? 80 : 70, 400, 500, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(RectOf(f.wnd()), c.expected) << c.what;
    EXPECT_EQ(f.provider->FormState & 0x6000, 0u) << c.what;
  }
}

LRESULT CALLBACK CountInvalidates(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SKINCOMMAND && HIWORD(wp) == SKC_INVALIDATE)
    SetPropW(w, L"invalidates", HANDLE(reinterpret_cast<intptr_t>(GetPropW(w, L"invalidates")) + 1));
  return DefWindowProcW(w, msg, wp, lp);
}

TEST(WindowCommands, SizingWithABorderWindowMovesItAndRepaintsTheDialogs) {
  TSkinnedForm<RecordingProvider> f(0);
  HWND dialog = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetWindowLongPtrW(dialog, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountInvalidates));
  struct Dialogs {
    decltype(TkSkinningLinks::VisibleDialogWindows) saved = SkinningLinks().VisibleDialogWindows;
    ~Dialogs() { SkinningLinks().VisibleDialogWindows = saved; }
  } restore;
  SkinningLinks().VisibleDialogWindows = [dialog] { return std::vector<HWND>{dialog}; };
  auto invalidates = [&] { return int(reinterpret_cast<intptr_t>(GetPropW(dialog, L"invalidates"))); };
  // Without a border window nothing follows.
  RECT r = f.WindowRect();
  f.provider->log.clear();
  SendMessageW(f.wnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
  SendMessageW(f.wnd(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_TRUE(f.provider->log.empty());
  EXPECT_EQ(invalidates(), 0);
  f.provider->border = true;
  SendMessageW(f.wnd(), WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&r));
  EXPECT_EQ(f.provider->log, (std::vector<std::string>{"place border"}));
  SendMessageW(f.wnd(), WM_EXITSIZEMOVE, 0, 0);
  EXPECT_EQ(invalidates(), 1);
  f.provider->border = false;
  RemovePropW(dialog, L"invalidates");
  DestroyWindow(dialog);
}

TEST(WindowCommands, TheSizeGripsCornerIsPaintedAnewOnASizeChange) {
  int skin = -1;
  for (int s = 0; s < 2 && skin < 0; ++s)
    if (StoredProgramSkin(s)->IsValidImgIndex(StoredProgramSkin(s)->ConstData.GripRightBottom)) skin = s;
  if (skin < 0) GTEST_SKIP() << "no skin of the program has a size grip";
  SkinnedForm f(skin);
  const TkMaskData& grip = f.skin->ma[f.skin->ConstData.GripRightBottom];
  const int gw = MaskFrameWidth(grip), gh = MaskFrameHeight(grip);
  const int cw = f.form->ClientWidth(), ch = f.form->ClientHeight();
  auto sizeFrom = [&](int lastW, int lastH) {
    fwtest::Pump(20);
    ValidateRect(f.wnd(), nullptr);
    f.provider->LastClientRect = fw::Rect(0, 0, lastW, lastH);
    SendMessageW(f.wnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(cw, ch));
    RECT u{};
    GetUpdateRect(f.wnd(), &u, FALSE);
    return fw::Rect(u.left, u.top, u.right, u.bottom);
  };
  auto holds = [](const fw::TRect& o, const fw::TRect& i) {
    return o.Left <= i.Left && o.Top <= i.Top && o.Right >= i.Right && o.Bottom >= i.Bottom;
  };
  EXPECT_EQ(sizeFrom(cw - 40, ch - 30).Width(), 0) << "without a grip nothing is painted anew";
  f.provider->GripMode = gmRightBottom;
  EXPECT_TRUE(holds(sizeFrom(cw + 40, ch + 30), fw::Rect(cw - gw, ch - gh, cw, ch))) << "at the new corner";
  // Grown, the old corner is painted anew only where the background is not
  // the form's image (which paints itself).
  const fw::TRect grew = sizeFrom(cw - 40, ch - 30);
  if (f.provider->FCommonData->BackgroundNeedsCache())
    EXPECT_EQ(grew.Width(), 0);
  else
    EXPECT_TRUE(holds(grew, fw::Rect(cw - 40 - gw, ch - 30 - gh, cw - 40, ch - 30))) << "at the old corner";
}

TEST(WindowCommands, AWindowMadeAnewStaysSkinnedAndIsAnnouncedAgain) {
  SkinnedForm f(0);
  const HWND old = f.wnd();
  const HWND savedPreview = PreviewWindow;
  const bool savedRequest = PreviewRequested;
  PreviewWindow = old;
  f.form->RecreateWnd();
  const HWND wnd = f.form->Handle();
  EXPECT_EQ(PreviewWindow, wnd) << "the skin editor's link follows the new window";
  PreviewWindow = savedPreview;
  PreviewRequested = savedRequest;
  fwtest::PumpUntil([&] { return IsWindowVisible(wnd) != FALSE; }, 20000);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(SendMessageW(wnd, WM_SKINCOMMAND, MAKEWPARAM(0, SKC_ISHANDLED), 0), 1);
  const fw::TRect close = f.Layout().Close.Rect;
  EXPECT_EQ(f.HitAt((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2), HTCLOSE) << "the skin's buttons";
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(wnd, rgn), ERROR) << "the skin's outline";
  DeleteObject(rgn);
}

// Ends any menu the system itself might open meanwhile.
void CALLBACK EndAnyMenu(HWND, UINT, UINT_PTR, DWORD) { EndMenu(); }

TEST(WindowCommands, AltSpaceDropsTheSkinsSystemMenuBelowTheIcon) {
  SkinnedForm f(0);
  struct Shown {
    int count = 0;
    POINT at{};
  } shown;
  f.provider->Menus().ShowPopup = [&](fw::TPopupMenu*, int x, int y) {
    ++shown.count;
    shown.at = {x, y};
  };
  f.provider->Menus().TrackStandardMenu = [&](HMENU, int x, int y, HWND) -> UINT {
    ++shown.count;
    shown.at = {x, y};
    return 0;
  };
  const UINT_PTR guard = SetTimer(nullptr, 0, 200, &EndAnyMenu);
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_KEYMENU, ' ');
  KillTimer(nullptr, guard);
  ASSERT_EQ(shown.count, 1);
  const TkFormFrameFacts& frame = f.provider->ImageInput().Frame;
  const RECT w = f.WindowRect();
  EXPECT_EQ(shown.at.x, w.left + FrameWidthOf(frame, false));
  EXPECT_EQ(shown.at.y, w.top + BorderHeight(frame, true) + f.Layout().IconRect.Height());
  // Another key of the menu does not drop it.
  SendMessageW(f.wnd(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
  EXPECT_EQ(shown.count, 1);
}

// A shown form freed with the hide animation on paints its closing
// picture while it is destroyed: from a skin that is still there.
TEST(WindowCommands, AFormFreedWhileShownPaintsItsClosingPictureFromALiveSkin) {
  TkSkinManager manager{nullptr};
  ASSERT_TRUE(manager.AnimEffects()->FormHide.Active);
  manager.AnimEffects()->FormShow.Active = false;
  manager.AnimEffects()->FormHide.Time = 0;
  bool skinFreed = false;
  std::vector<bool> prepared;
  {
    TSkinnedForm<SkinWatchingProvider> f(0, fw::bsSizeable, 400, 300, false);
    f.skin.get_deleter().Freed = [&] { skinFreed = true; };
    f.provider->skinFreed = &skinFreed;
    f.provider->SetManager(&manager);
    f.Show();
    ASSERT_GT(f.provider->FormImage().Width(), 0);
    f.provider->prepared = &prepared;
    // The frame changed since its last picture.
    f.provider->FormState &= ~fsCachePrepared;
  }
  ASSERT_FALSE(prepared.empty()) << "the closing picture was painted";
  for (bool alive : prepared) EXPECT_TRUE(alive);
  EXPECT_TRUE(skinFreed);
}

}  // namespace
}  // namespace skin

namespace skin {
namespace {

TEST(WindowCommands, ScreenSnapPutsTheFormOnAWorkAreaEdgeWithinTheBuffer) {
  // Moved to `distance` pixels inside an edge of the work area: within the
  // buffer (10) the form lands on the edge, from 10 on it stays. With a
  // border window the skin's shadow offsets count.
  for (bool border : {false, true}) {
    TkSkinManager manager{nullptr};
    manager.AnimEffects()->FormShow.Active = false;
    manager.AnimEffects()->FormHide.Active = false;
    manager.WriteExtendedBorders(border);
    SkinnedForm f(0, fw::bsSizeable, 300, 200, false);
    f.provider->SetManager(&manager);
    f.Show();
    ASSERT_EQ(f.provider->HasBorderWindow(), border);
    f.provider->ScreenSnap = true;
    const fw::TRect a = FormWorkArea(f.form.form);
    TkSkinData& d = f.skin->CommonSkinData;
    if (border) {
      d.ExShadowOffs = 3;
      d.ExShadowOffsT = 2;
      d.ExShadowOffsR = 4;
      d.ExShadowOffsB = 5;
    }
    const TkFormFrameFacts& facts = f.provider->ImageInput().Frame;
    const int delta = ExtFrameDelta(facts);
    // Where the form stands on each edge.
    const int left = a.Left - (border ? d.ExShadowOffs - delta : 0);
    const int top = a.Top + (border ? ExtTitleDelta(facts) + d.ExShadowOffsT : 0);
    const int right = a.Right - 300 - (border ? delta + d.ExShadowOffsR : 0);
    const int bottom = a.Bottom - 200 - (border ? delta + d.ExShadowOffsB : 0);
    const int midX = a.Left + 200, midY = a.Top + 150;
    struct Case {
      const char* edge;
      int x, y, expectedX, expectedY;
    } cases[] = {
        {"left, 9 inside", left + 9, midY, left, midY},     {"left, 10 inside", left + 10, midY, left + 10, midY},
        {"top, 9 inside", midX, top + 9, midX, top},        {"top, 10 inside", midX, top + 10, midX, top + 10},
        {"right, 9 inside", right - 9, midY, right, midY},  {"right, 10 inside", right - 10, midY, right - 10, midY},
        {"bottom, 9 inside", midX, bottom - 9, midX, bottom}, {"bottom, 10 inside", midX, bottom - 10, midX, bottom - 10},
    };
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.edge) + (border ? ", border window" : ""));
      SetWindowPos(f.wnd(), nullptr, c.x, c.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      const RECT r = f.WindowRect();
      EXPECT_EQ(r.left, c.expectedX);
      EXPECT_EQ(r.top, c.expectedY);
    }
    // Buffer 0 never moves the form; without ScreenSnap nothing snaps.
    f.provider->SnapBuffer = 0;
    SetWindowPos(f.wnd(), nullptr, left + 1, midY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(f.WindowRect().left, left + 1);
    f.provider->SnapBuffer = 10;
    f.provider->ScreenSnap = false;
    SetWindowPos(f.wnd(), nullptr, left + 1, midY, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(f.WindowRect().left, left + 1);
  }
}

TEST(WindowCommands, TheBorderWindowFollowsTheFormsEnabledStateAndClosesItsClickThroughHole) {
  TkSkinManager manager{nullptr};
  manager.AnimEffects()->FormShow.Active = false;
  manager.AnimEffects()->FormHide.Active = false;
  manager.WriteExtendedBorders(true);
  SkinnedForm f(0, fw::bsSizeable, 300, 200, false);
  f.provider->SetManager(&manager);
  f.Show();
  TkcBorderForm* b = f.provider->BorderForm();
  ASSERT_TRUE(b && b->AForm());
  f.form->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(b->AForm()));
  f.form->SetEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(b->AForm()));
  // A click went through the shadow; the mouse back on the form closes the
  // hole, but not while the border window is being sized.
  b->ResetRgn = true;
  f.provider->FormState |= 0x1;
  f.form->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(b->ResetRgn);
  f.provider->FormState &= ~0x1u;
  f.form->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_FALSE(b->ResetRgn);
}

TEST(WindowCommands, AParentClosingNotesHowTheFormStood) {
  // The owner going down: the manager learns how to bring the form back,
  // unless it was told to ignore that.
  TkSkinManager manager{nullptr};
  SkinnedForm f(0, fw::bsSizeable, 300, 200, false);
  f.provider->SetManager(&manager);
  f.Show();
  struct Case {
    const char* what;
    int show, notice;
    TShowAction before, expected;
  } cases[] = {
      {"normal", SW_SHOWNORMAL, SW_PARENTCLOSING, saRestore, saRestore},
      {"maximised", SW_MAXIMIZE, SW_PARENTCLOSING, saRestore, saMaximize},
      {"ignored", SW_MAXIMIZE, SW_PARENTCLOSING, saIgnore, saIgnore},
      {"the owner opening", SW_SHOWNORMAL, SW_PARENTOPENING, saMaximize, saMaximize},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ShowWindow(f.wnd(), c.show);
    manager.ShowState = c.before;
    SendMessageW(f.wnd(), WM_SHOWWINDOW, 0, c.notice);
    EXPECT_EQ(manager.ShowState, c.expected);
  }
}

}  // namespace
}  // namespace skin
