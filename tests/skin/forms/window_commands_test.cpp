// Maximise, minimise and restore of a skinned window with the frame
// repainted, the min/max information kept, the system's animation switched
// off around the provider's own animations and given back on every way out,
// and the show and close sequences with the skin manager's animations.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "skin/engine/skin_manager.h"
#include "skin/engine/window_utils.h"
#include "skin/forms/min_animation.h"
#include "skin/forms/skinned_form.h"

namespace skin {
namespace {

// Records what the provider asks of the border window and the animations.
class RecordingProvider : public TkSkinProvider {
 public:
  using TkSkinProvider::TkSkinProvider;
  std::vector<std::string> log;
  bool throwOnMinimize = false;
  void UpdateBorderForm(bool) override { log.push_back("border"); }
  void TakeCoverSnapshot() override { log.push_back("snapshot"); }
  void ShowCoverForm() override { log.push_back("cover"); }
  void StartMinimizeAnimation() override {
    log.push_back("minimize animation");
    if (throwOnMinimize) throw std::runtime_error("minimize");
  }
  void StartRestoreAnimation() override { log.push_back("restore animation"); }
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

}  // namespace
}  // namespace skin
