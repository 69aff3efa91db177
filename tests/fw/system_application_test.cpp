// The application: the message loop and its idle time, re-entrant message
// processing, minimizing with the application window, hooks on that window,
// and exceptions shown in a message box (EAbort never).
#include <gtest/gtest.h>

#include "controls_test_util.h"
#include "fw/system/timers.h"
#include "fw/system/wndregistry.h"

using namespace fw;
using fwtest::Log;

namespace {

// A utility window whose handler posts itself the next message and handles
// the queue again from inside the handler.
struct Nested {
  HWND wnd = nullptr;
  std::vector<int> seen;
  int depth = 0, maxDepth = 0;
  void Proc(TMessage& m) {
    if (m.Msg != WM_APP + 1) {
      DefaultUtilityHandler(wnd, m);
      return;
    }
    int n = static_cast<int>(m.WParam);
    seen.push_back(n);
    maxDepth = std::max(maxDepth, ++depth);
    if (n < 5) {
      PostMessageW(wnd, WM_APP + 1, n + 1, 0);
      Application->ProcessMessages();
    }
    --depth;
  }
};

TEST(Application, ProcessMessagesCanBeCalledFromInsideAMessageHandler) {
  Nested nested;
  nested.wnd = AllocateHWnd(TWndMethod(&nested, &Nested::Proc));
  PostMessageW(nested.wnd, WM_APP + 1, 1, 0);
  Application->ProcessMessages();
  DeallocateHWnd(nested.wnd);
  EXPECT_EQ(nested.seen, (std::vector<int>{1, 2, 3, 4, 5}));
  EXPECT_EQ(nested.maxDepth, 5);
}

TEST(Application, RunShowsTheMainFormIdlesAndEndsWithTerminate) {
  fwtest::TestForm form;
  TCustomForm* oldMain = Application->MainForm();
  Application->SetMainForm(form.form);
  struct Driver {
    int idles = 0, ticks = 0;
    void Idle(TObject*, bool& done) {
      ++idles;
      done = true;
    }
    void Tick(TObject*) {
      if (++ticks == 3) Application->Terminate();
    }
  } driver;
  Application->OnIdle = TIdleEvent(&driver, &Driver::Idle);
  TTimer timer(nullptr);
  timer.SetInterval(10);
  timer.SetOnTimer(TNotifyEvent(&driver, &Driver::Tick));
  Application->Run();
  Application->OnIdle = TIdleEvent();
  Application->SetMainForm(oldMain);
  // The loop is over and can run again.
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(form->Visible());
  EXPECT_EQ(driver.ticks, 3);
  EXPECT_GT(driver.idles, 0);
}

TEST(Application, MinimizeHidesTheFormsWithTheApplicationWindowAndRestoreBringsThemBack) {
  fwtest::TestForm form;
  TCustomForm* oldMain = Application->MainForm();
  Application->SetMainForm(form.form);
  form->Show();
  fwtest::Pump();
  Log log;
  struct Events {
    Log* log;
    void Min(TObject*) { log->push_back("minimize"); }
    void Res(TObject*) { log->push_back("restore"); }
  } events{&log};
  Application->OnMinimize = TNotifyEvent(&events, &Events::Min);
  Application->OnRestore = TNotifyEvent(&events, &Events::Res);
  // The system command on the application window is how other code asks.
  SendMessageW(Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Application->Handle()));
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  Application->Restore();
  fwtest::Pump();
  EXPECT_FALSE(IsIconic(Application->Handle()));
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(log, (Log{"minimize", "restore"}));
  Application->OnMinimize = TNotifyEvent();
  Application->OnRestore = TNotifyEvent();
  Application->SetMainForm(oldMain);
}

TEST(Application, HooksOnTheApplicationWindowSeeItsMessagesFirst) {
  struct Hook {
    int seen = 0;
    bool take = false;
    bool Proc(TMessage& m) {
      if (m.Msg != WM_APP + 9) return false;
      ++seen;
      m.Result = 99;
      return take;
    }
  } a, b;
  b.take = true;
  Application->HookMainWindow(TWindowHook(&a, &Hook::Proc));
  Application->HookMainWindow(TWindowHook(&b, &Hook::Proc));
  EXPECT_EQ(SendMessageW(Application->Handle(), WM_APP + 9, 0, 0), 99);
  Application->UnhookMainWindow(TWindowHook(&a, &Hook::Proc));
  SendMessageW(Application->Handle(), WM_APP + 9, 0, 0);
  Application->UnhookMainWindow(TWindowHook(&b, &Hook::Proc));
  SendMessageW(Application->Handle(), WM_APP + 9, 0, 0);
  EXPECT_EQ(a.seen, 1);
  EXPECT_EQ(b.seen, 2);
}

// A control whose handler raises what it is told to.
class TRaiser : public TCustomControl {
 public:
  explicit TRaiser(TComponent* owner) : TCustomControl(owner) {}
  bool abort = false;

 protected:
  void Dispatch(TMessage& m) override {
    if (m.Msg == WM_APP + 3) {
      if (abort) Abort();
      throw EConvertError(u"'x' is not a valid number");
    }
    TCustomControl::Dispatch(m);
  }
};

// Closes the message box of this thread when one shows, keeping its text.
struct BoxCloser {
  String text;
  int looks = 0;
  static BOOL CALLBACK Find(HWND w, LPARAM p) {
    wchar_t cls[32] = {};
    GetClassNameW(w, cls, 32);
    if (IsWindowVisible(w) && lstrcmpW(cls, L"#32770") == 0) {
      *reinterpret_cast<HWND*>(p) = w;
      return FALSE;
    }
    return TRUE;
  }
  void Tick(TObject*) {
    ++looks;
    HWND box = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), Find, reinterpret_cast<LPARAM>(&box));
    if (!box) return;
    wchar_t buf[256] = {};
    GetDlgItemTextW(box, 0xFFFF, buf, 256);
    text = FromW(buf);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
};

struct ExceptionCase {
  const char* name;
  bool abort;
  const char16_t* shown;
};

class Exceptions : public ::testing::TestWithParam<ExceptionCase> {};

TEST_P(Exceptions, EscapingAHandlerTheyAreShownInAMessageBoxExceptAbort) {
  fwtest::TestForm form;
  auto* raiser = new TRaiser(form.form);
  raiser->SetParent(form.form);
  raiser->abort = GetParam().abort;
  BoxCloser closer;
  TTimer timer(nullptr);
  timer.SetInterval(20);
  timer.SetOnTimer(TNotifyEvent(&closer, &BoxCloser::Tick));
  // The exception ends at the window procedure; the caller gets an answer.
  PostMessageW(raiser->Handle(), WM_APP + 3, 0, 0);
  fwtest::PumpUntil([&] { return closer.looks > 5; });
  EXPECT_EQ(closer.text, GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Kinds, Exceptions,
                         ::testing::Values(ExceptionCase{"Message", false, u"'x' is not a valid number."},
                                           ExceptionCase{"AbortIsSilent", true, u""}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
