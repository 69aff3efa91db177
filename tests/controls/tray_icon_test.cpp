// The tray icon against a recording stand-in for the shell: adding, retries,
// the click state machine, animation, balloons, the shell's restart; and one
// run against Wine's own notification area.
#include "controls/views/cktrayicon.h"
#include "controls/views/cktrayiconenumerator.h"

#include <gtest/gtest.h>

#include <vector>

namespace ck {
namespace {

struct TShellCall {
  DWORD message;
  UINT flags;
  NOTIFYICONDATAW data;
};

// The shell as the tests want it: every call recorded, the next answers
// taken from a queue (true once it is empty).
struct TFakeShell {
  static inline std::vector<TShellCall> calls;
  static inline std::vector<bool> answers;
  static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAW data) {
    calls.push_back({message, data->uFlags, *data});
    bool ok = true;
    if (!answers.empty()) ok = answers.front(), answers.erase(answers.begin());
    SetLastError(ok ? 0 : ERROR_TIMEOUT);
    return ok;
  }
};

class TrayIcon : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = ShellNotifyIconProc;
    savedWait_ = TrayRetryWait;
    savedArea_ = TrayAreaPresent;
    savedNote_ = TrayFailureNote;
    ShellNotifyIconProc = TFakeShell::Notify;
    TrayRetryWait = [] {};
    TrayAreaPresent = [] { return true; };
    TrayFailureNote = [](const fw::String&) { ++notes; };
    notes = 0;
    TFakeShell::calls.clear();
    TFakeShell::answers.clear();
  }
  void TearDown() override {
    ShellNotifyIconProc = saved_;
    TrayRetryWait = savedWait_;
    TrayAreaPresent = savedArea_;
    TrayFailureNote = savedNote_;
  }
  static inline int notes = 0;
  std::vector<DWORD> Messages() const {
    std::vector<DWORD> m;
    for (const auto& c : TFakeShell::calls) m.push_back(c.message);
    return m;
  }
  static void Callback(TCkTrayIcon& tray, UINT mouseMessage) {
    fw::TMessage m;
    m.Msg = WM_TRAYCALLBACK, m.LParam = mouseMessage;
    tray.TrayWndProc(m);
  }
  static void Timer(TCkTrayIcon& tray, UINT_PTR id) {
    fw::TMessage m;
    m.Msg = WM_TIMER, m.WParam = id;
    tray.TrayWndProc(m);
  }
  TShellNotifyIcon saved_;
  void (*savedWait_)();
  bool (*savedArea_)();
  void (*savedNote_)(const fw::String&);
};

// Counts what the application's visibility would do instead of doing it.
class TCountingTray : public TCkTrayIcon {
 public:
  using TCkTrayIcon::TCkTrayIcon;
  int hides = 0, shows = 0;
  void HideApplication() override { ++hides; }
  void ShowApplication() override { ++shows; }
  using TCkTrayIcon::AppHook;
};

TEST_F(TrayIcon, ActiveAddsTheIconWithItsCallbackAndShortHintAndRemovesItAgain) {
  TCkTrayIcon tray(nullptr);
  tray.SetHint(u"Vestaline|the long part");
  tray.SetActive(true);
  ASSERT_GE(TFakeShell::calls.size(), 1u);
  const TShellCall& add = TFakeShell::calls[0];
  EXPECT_EQ(add.message, DWORD(NIM_ADD));
  EXPECT_EQ(add.flags, UINT(NIF_MESSAGE | NIF_ICON | NIF_TIP));
  EXPECT_EQ(add.data.uID, 1u);
  EXPECT_EQ(add.data.uCallbackMessage, 0x401u);
  EXPECT_EQ(add.data.hWnd, tray.Handle());
  EXPECT_NE(add.data.hIcon, nullptr) << "the application's icon stands in for an empty one";
  EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(add.data.szTip)), u"Vestaline");
  EXPECT_TRUE(tray.IconVisible());
  tray.SetActive(false);
  EXPECT_EQ(Messages().back(), DWORD(NIM_DELETE));
  EXPECT_FALSE(tray.IconVisible());
}

TEST_F(TrayIcon, FailedShellCallsAreRetriedUnlessTheVisibilitySaysNot) {
  struct Case {
    std::vector<bool> answers;
    bool noRetry;
    std::vector<DWORD> calls;
    bool visible;
  } cases[] = {
      {{false}, true, {NIM_ADD}, false},
      {{false, true}, false, {NIM_ADD, NIM_MODIFY}, true},
      {{false, false, true}, false, {NIM_ADD, NIM_MODIFY, NIM_ADD}, true},
  };
  for (const auto& c : cases) {
    TFakeShell::calls.clear();
    TFakeShell::answers = c.answers;
    TCkTrayIcon tray(nullptr);
    TTrayVisibilities v = tray.Visibility();
    if (c.noRetry) v.Include(tvNoRetryOnFailure);
    tray.SetVisibility(v);
    tray.SetActive(true);
    std::vector<DWORD> got = Messages();
    if (c.visible) got.resize(c.calls.size());  // the version call follows a successful add
    EXPECT_EQ(got, c.calls);
    EXPECT_EQ(tray.IconVisible(), c.visible);
    TFakeShell::answers.clear();
  }
}

TEST_F(TrayIcon, WithoutANotificationAreaTheIconFailsAtOnceIsNotedOnceAndMinimisingStaysOrdinary) {
  TrayAreaPresent = [] { return false; };
  TFakeShell::answers = {false, false};
  TCountingTray tray(nullptr);
  tray.SetActive(true);
  EXPECT_EQ(Messages(), std::vector<DWORD>{NIM_ADD}) << "no retries: nothing is busy";
  EXPECT_FALSE(tray.IconVisible());
  EXPECT_TRUE(tray.Active()) << "the icon comes when a notification area does";
  EXPECT_EQ(notes, 1);
  fw::TMessage minimise;
  minimise.Msg = WM_SYSCOMMAND, minimise.WParam = SC_MINIMIZE;
  EXPECT_FALSE(tray.AppHook(minimise));
  EXPECT_EQ(tray.hides, 0) << "hidden to a tray that is not there, the program could not come back";
  SendMessageW(tray.Handle(), WM_ENDSESSION, 0, 0);
  EXPECT_EQ(notes, 1) << "a second refusal is not noted again";
  // The shell's notification area appears: the icon is added, and from now on
  // a minimise hides the program to it.
  TFakeShell::calls.clear();
  SendMessageW(tray.Handle(), TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(tray.IconVisible());
  tray.AppHook(minimise);
  EXPECT_EQ(tray.hides, 1);
}

TEST_F(TrayIcon, ADeleteWhoseModifyFailsHasSucceeded) {
  TCkTrayIcon tray(nullptr);
  tray.SetActive(true);
  TFakeShell::calls.clear();
  TFakeShell::answers = {false, false};  // delete fails, then the modify fails too
  tray.SetActive(false);
  EXPECT_EQ(Messages(), (std::vector<DWORD>{NIM_DELETE, NIM_MODIFY}));
  EXPECT_FALSE(tray.IconVisible());
}

TEST_F(TrayIcon, ASingleClickWaitsForTheDoubleClickOnlyWhenOneIsWanted) {
  {
    TCountingTray tray(nullptr);
    tray.SetVisibility({tvVisibleTaskBar, tvMinimizeClick, tvRestoreClick});
    Callback(tray, WM_LBUTTONDOWN);
    Callback(tray, WM_LBUTTONUP);
    EXPECT_EQ(tray.hides + tray.shows, 1) << "performed at once";
  }
  {
    TCountingTray tray(nullptr);
    tray.SetVisibility({tvVisibleTaskBar, tvMinimizeClick, tvRestoreClick});
    int doubles = 0;
    struct Sink {
      int* n;
      void Dbl(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++*n; }
    } sink{&doubles};
    tray.OnDblClick = fw::TMouseEvent(&sink, &Sink::Dbl);
    Callback(tray, WM_LBUTTONDOWN);
    Callback(tray, WM_LBUTTONUP);
    EXPECT_EQ(tray.hides + tray.shows, 0) << "waiting for a double click";
    EXPECT_TRUE(tray.State().Contains(tisWaitingForDoubleClick));
    Timer(tray, kDoubleClickTimer);
    EXPECT_EQ(tray.hides + tray.shows, 1) << "the wait ran out: the click is performed";
    Callback(tray, WM_LBUTTONDOWN);
    Callback(tray, WM_LBUTTONUP);
    Callback(tray, WM_LBUTTONDBLCLK);
    Timer(tray, kDoubleClickTimer);
    EXPECT_EQ(doubles, 1);
    EXPECT_EQ(tray.hides + tray.shows, 1) << "a double click runs only OnDblClick";
  }
  {
    TCountingTray tray(nullptr);
    tray.SetVisibility({tvVisibleTaskBar, tvMinimizeClick, tvRestoreClick});
    Callback(tray, WM_RBUTTONDOWN);
    Callback(tray, WM_RBUTTONUP);
    EXPECT_EQ(tray.hides + tray.shows, 0) << "the right button never minimises or restores";
  }
}

TEST_F(TrayIcon, AnimationWrapsOrSwingsThroughTheImages) {
  fw::TImageList icons(nullptr);
  fw::TBitmap bmp;
  bmp.SetSize(16, 16);
  for (int i = 0; i < 3; ++i) icons.Add(&bmp, nullptr);
  ASSERT_EQ(icons.Count(), 3);
  TCkTrayIcon tray(nullptr);
  tray.SetIcons(&icons);
  tray.SetActive(true);
  std::vector<int> seen;
  for (int i = 0; i < 6; ++i) tray.AnimateNextIcon(), seen.push_back(tray.IconIndex());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 0, 1, 2, 0}));
  tray.SetIconIndex(0);
  tray.SetSwingForthAndBack(true);
  seen.clear();
  for (int i = 0; i < 6; ++i) tray.AnimateNextIcon(), seen.push_back(tray.IconIndex());
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 0, 1, 2}));
  tray.SetIcons(nullptr);
}

TEST_F(TrayIcon, BalloonsCountUpAndAnEmptyOneCountsDown) {
  TCkTrayIcon tray(nullptr);
  if (!tray.AcceptBalloons()) GTEST_SKIP() << "this shell shows no balloons";
  tray.BalloonHint(u"Title", u"Text", btInfo, 3000);
  EXPECT_EQ(tray.BalloonCount(), 0) << "ignored while the icon is hidden";
  tray.SetActive(true);
  TFakeShell::calls.clear();
  tray.BalloonHint(u"Title", u"Text", btWarning, 3000);
  EXPECT_EQ(tray.BalloonCount(), 1);
  ASSERT_EQ(TFakeShell::calls.size(), 1u);
  EXPECT_EQ(TFakeShell::calls[0].flags, UINT(NIF_INFO));
  EXPECT_EQ(TFakeShell::calls[0].data.dwInfoFlags, DWORD(NIIF_WARNING));
  EXPECT_TRUE(KillTimer(tray.Handle(), kBalloonTimer)) << "a balloon under 10 s is taken away by the icon";
  tray.BalloonHint(u"", u"", btNone, 3000);
  EXPECT_EQ(tray.BalloonCount(), 0);
  EXPECT_FALSE(KillTimer(tray.Handle(), kBalloonTimer)) << "an empty balloon sets no timer";
  tray.BalloonHint(u"a", u"b");
  TFakeShell::calls.clear();
  Timer(tray, kBalloonTimer);
  EXPECT_EQ(TFakeShell::calls.size(), 2u) << "count + 1 empty balloons";
  EXPECT_EQ(tray.BalloonCount(), 0);
}

TEST_F(TrayIcon, ANewNotificationAreaGetsTheIconBack) {
  TCkTrayIcon tray(nullptr);
  tray.SetActive(true);
  TFakeShell::calls.clear();
  SendMessageW(tray.Handle(), TaskbarCreatedMessage(), 0, 0);
  ASSERT_FALSE(TFakeShell::calls.empty());
  EXPECT_EQ(TFakeShell::calls[0].message, DWORD(NIM_ADD));
  EXPECT_TRUE(tray.IconVisible());
  TFakeShell::calls.clear();
  SendMessageW(tray.Handle(), WM_ENDSESSION, 1, 0);
  EXPECT_EQ(Messages(), std::vector<DWORD>{NIM_DELETE});
}

// Pumps messages until Done holds, for half a minute at most.
template <class F>
bool PumpUntil(F Done) {
  const DWORD start = GetTickCount();
  while (!Done() && GetTickCount() - start < 30000) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (!Done()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return Done();
}

TEST(TrayIconUnderWine, AddsModifiesAndRemovesItsIconAndTurnsItsMessagesIntoClicks) {
  TCkTrayIcon tray(nullptr);
  tray.SetVisibility({tvVisibleTaskBar, tvVisibleTaskList});
  tray.SetHint(u"Vestaline");
  tray.SetActive(true);
  if (!FindWindowW(L"Shell_TrayWnd", nullptr)) {
    EXPECT_FALSE(tray.IconVisible());
    GTEST_SKIP() << "this desktop has no notification area";
  }
  EXPECT_TRUE(tray.IconVisible()) << "Wine's notification area takes the icon";
  // Where the icon is: told by the shell or read from its tray tool bar;
  // Wine's notification area has neither, and nothing is made up.
  TTrayIconEnumerator buttons;
  if (!buttons.ToolbarHandle()) {
    EXPECT_FALSE(buttons.MoveNext());
    fw::TRect where;
    EXPECT_FALSE(tray.GetIconRect(where));
  }
  tray.SetHint(u"changed");
  tray.BalloonHint(u"Title", u"Text", btInfo, 2000);
  // The shell's callback messages, through the real window and queue.
  struct Sink {
    int clicks = 0, doubles = 0;
    void Click(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++clicks; }
    void Dbl(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++doubles; }
  } sink;
  tray.OnClick = fw::TMouseEvent(&sink, &Sink::Click);
  PostMessageW(tray.Handle(), WM_TRAYCALLBACK, 1, WM_LBUTTONDOWN);
  PostMessageW(tray.Handle(), WM_TRAYCALLBACK, 1, WM_LBUTTONUP);
  EXPECT_TRUE(PumpUntil([&] { return sink.clicks == 1; })) << "a click without a double-click handler comes at once";
  tray.OnDblClick = fw::TMouseEvent(&sink, &Sink::Dbl);
  for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
    PostMessageW(tray.Handle(), WM_TRAYCALLBACK, 1, m);
  EXPECT_TRUE(PumpUntil([&] { return sink.doubles == 1; }));
  EXPECT_EQ(sink.clicks, 1) << "the double click swallows its first click";
  // A restarted shell has lost every icon and announces its new notification
  // area: the icon is added again.
  NOTIFYICONDATAW id{};
  id.cbSize = sizeof(id);
  id.hWnd = tray.Handle();
  id.uID = 1;
  ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &id));
  EXPECT_FALSE(Shell_NotifyIconW(NIM_MODIFY, &id)) << "gone from the shell";
  SendMessageW(tray.Handle(), TaskbarCreatedMessage(), 0, 0);
  EXPECT_TRUE(tray.IconVisible());
  EXPECT_TRUE(Shell_NotifyIconW(NIM_MODIFY, &id)) << "back in the shell";
  tray.SetActive(false);
  EXPECT_FALSE(tray.IconVisible());
}

}  // namespace
}  // namespace ck
