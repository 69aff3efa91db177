// The hook registry: order of before- and after-hooks around the control's
// own procedure, hooks that end a message, hooks added and removed while a
// message runs, the control destroyed from a hook, bare windows, a foreign
// subclass over the registry, and the window hook component.
#include "services/wndprochook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/controls/wndprochook.h"
#include "fw/system/application.h"

namespace services {
namespace {

constexpr UINT kProbe = WM_APP + 11;
using Log = std::vector<std::string>;

class TProbeControl : public fw::TCustomControl {
 public:
  explicit TProbeControl(fw::TComponent* owner) : fw::TCustomControl(owner) {}
  Log* log = nullptr;
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == kProbe) {
      if (log) log->push_back("control");
      m.Result = 42;
      return;
    }
    fw::TCustomControl::WndProc(m);
  }
};

// A hook that logs its name and runs an optional action.
struct THook {
  std::string name;
  Log* log;
  bool handles = false;
  std::function<void()> action;
  bool Run(fw::TMessage& m) {
    if (m.Msg != kProbe) return false;
    log->push_back(name);
    if (action) action();
    return handles;
  }
  TCkControlHook Method() { return TCkControlHook(this, &THook::Run); }
};

struct HookRegistry : ::testing::Test {
  fwtest::TestForm form;
  TProbeControl* control = nullptr;
  Log log;
  void SetUp() override {
    control = new TProbeControl(form.form);
    control->SetParent(form.form);
    control->SetBounds(10, 10, 50, 50);
    control->log = &log;
    form->Show();
  }
  LRESULT Probe() { return SendMessageW(control->Handle(), kProbe, 0, 0); }
  // Runs the posted messages (the releaser's among them).
  static void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
};

TEST_F(HookRegistry, BeforeHooksRunInOrderThenTheControlThenAfterHooks) {
  THook a{"A", &log}, b{"B", &log}, c{"C", &log}, d{"D", &log};
  ASSERT_TRUE(AddWindowProcHook(control, a.Method(), hoBeforeMsg));
  AddWindowProcHook(control, c.Method(), hoAfterMsg);
  AddWindowProcHook(control, b.Method(), hoBeforeMsg);
  AddWindowProcHook(control, d.Method(), hoAfterMsg);
  EXPECT_EQ(Probe(), 42);
  EXPECT_EQ(log, (Log{"A", "B", "control", "C", "D"}));
  for (THook* h : {&a, &b}) RemoveWindowProcHook(control, h->Method(), hoBeforeMsg);
  for (THook* h : {&c, &d}) RemoveWindowProcHook(control, h->Method(), hoAfterMsg);
}

TEST_F(HookRegistry, AHookThatHandlesTheMessageEndsIt) {
  THook a{"A", &log, true}, c{"C", &log, true}, d{"D", &log};
  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  AddWindowProcHook(control, c.Method(), hoAfterMsg);
  AddWindowProcHook(control, d.Method(), hoAfterMsg);
  EXPECT_EQ(Probe(), 0) << "the result stays as the hooks left it";
  EXPECT_EQ(log, (Log{"A"}));
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
  log.clear();
  EXPECT_EQ(Probe(), 42);
  EXPECT_EQ(log, (Log{"control", "C"})) << "an after-hook that handles skips only those behind it";
  RemoveWindowProcHook(control, c.Method(), hoAfterMsg);
  RemoveWindowProcHook(control, d.Method(), hoAfterMsg);
}

TEST_F(HookRegistry, HooksMayBeAddedAndRemovedWhileTheMessageRuns) {
  THook a{"A", &log}, b{"B", &log}, c{"C", &log}, late{"late", &log};
  a.action = [&] { RemoveWindowProcHook(control, b.Method(), hoBeforeMsg); };        // the one behind
  c.action = [&] { RemoveWindowProcHook(control, c.Method(), hoBeforeMsg); };        // itself
  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  AddWindowProcHook(control, b.Method(), hoBeforeMsg);
  AddWindowProcHook(control, c.Method(), hoBeforeMsg);
  Probe();
  EXPECT_EQ(log, (Log{"A", "C", "control"}));
  log.clear();
  a.action = [&] { AddWindowProcHook(control, late.Method(), hoBeforeMsg); };  // while the last one runs
  Probe();
  EXPECT_EQ(log, (Log{"A", "late", "control"}));
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
  RemoveWindowProcHook(control, late.Method(), hoBeforeMsg);
  RemoveWindowProcHook(control, late.Method(), hoBeforeMsg);  // never there twice: harmless
}

TEST_F(HookRegistry, TheSameHookTwiceRunsTwiceAndOneRemovalTakesOne) {
  THook a{"A", &log};
  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  Probe();
  EXPECT_EQ(log, (Log{"A", "A", "control"}));
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
  log.clear();
  Probe();
  EXPECT_EQ(log, (Log{"A", "control"}));
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
}

TEST_F(HookRegistry, RemovingTheLastHookGivesTheProcedureBackAndAForeignSubclassSurvives) {
  const fw::TWndMethod original = control->WindowProc();
  THook a{"A", &log};
  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
  EXPECT_TRUE(control->WindowProc() == original);

  AddWindowProcHook(control, a.Method(), hoBeforeMsg);
  struct TForeign {
    Log* log;
    fw::TWindowProcHook* link = nullptr;
    void Proc(fw::TMessage& m) {
      if (m.Msg == kProbe) log->push_back("foreign");
      link->CallPrevious(m);
    }
  } foreign{&log};
  fw::TWindowProcHook link(control, fw::TWndMethod(&foreign, &TForeign::Proc));
  foreign.link = &link;
  RemoveWindowProcHook(control, a.Method(), hoBeforeMsg);
  log.clear();
  EXPECT_EQ(Probe(), 42);
  EXPECT_EQ(log, (Log{"foreign", "control"})) << "the procedure over the registry's keeps running";
}

TEST_F(HookRegistry, AControlDestroyedByAHookEndsTheMessageAndItsChainGoesLater) {
  THook a{"A", &log}, b{"B", &log}, after{"after", &log};
  a.action = [&] {
    delete control;
    control = nullptr;
  };
  TProbeControl* target = control;
  AddWindowProcHook(target, a.Method(), hoBeforeMsg);
  AddWindowProcHook(target, b.Method(), hoBeforeMsg);
  AddWindowProcHook(target, after.Method(), hoAfterMsg);
  TCkHookInfos* chain = WndProcHookRegistry()->FindChain(target);
  ASSERT_NE(chain, nullptr);
  SendMessageW(target->Handle(), kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"A"}));
  EXPECT_EQ(WndProcHookRegistry()->FindChain(target), nullptr) << "the registry forgets the chain at once";
  EXPECT_TRUE(TCkReleaser::Instance().Waiting(chain)) << "but frees it only from the message loop";
  Pump();
  EXPECT_FALSE(TCkReleaser::Instance().Waiting(chain));
}

TEST(HookRegistryBare, ABareWindowsChainIsDroppedAfterItsDestroyMessage) {
  HWND wnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(wnd, nullptr);
  Log log;
  THook a{"A", &log};
  struct TDestroyed {
    Log* log;
    bool Run(fw::TMessage& m) {
      if (m.Msg == WM_DESTROY) log->push_back("destroy");
      return false;
    }
  } destroyed{&log};
  ASSERT_TRUE(WndProcHookRegistry()->RegisterWndProc(wnd, a.Method(), hoBeforeMsg));
  WndProcHookRegistry()->RegisterWndProc(wnd, TCkControlHook(&destroyed, &TDestroyed::Run), hoAfterMsg);
  SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (Log{"A"}));
  TCkHookInfos* chain = WndProcHookRegistry()->FindChain(wnd);
  DestroyWindow(wnd);
  EXPECT_EQ(log, (Log{"A", "destroy"})) << "the destroy message ran through every hook";
  EXPECT_EQ(WndProcHookRegistry()->FindChain(wnd), nullptr);
  EXPECT_TRUE(TCkReleaser::Instance().Waiting(chain));
  EXPECT_FALSE(AddWindowProcHook(nullptr, a.Method(), hoBeforeMsg)) << "no control: refused";
}

TEST_F(HookRegistry, TheWindowHookComponentRegistersWhatItsEventsNeed) {
  struct TSink {
    Log* log;
    bool handle = false;
    void Before(fw::TObject*, fw::TMessage& m, bool& handled) {
      if (m.Msg == kProbe) log->push_back("before"), handled = handle;
    }
    void After(fw::TObject*, fw::TMessage& m, bool&) {
      if (m.Msg == kProbe) log->push_back("after");
    }
  } sink{&log};
  TCkWindowHook hook(form.form);
  hook.SetActive(false);
  hook.SetBeforeMessage(TCkHookMessageEvent(&sink, &TSink::Before));
  hook.SetControl(control);
  Probe();
  EXPECT_EQ(log, (Log{"control"})) << "inactive: nothing registered";
  log.clear();
  hook.SetActive(true);
  Probe();
  EXPECT_EQ(log, (Log{"before", "control"})) << "only the assigned event's hook";
  log.clear();
  hook.SetAfterMessage(TCkHookMessageEvent(&sink, &TSink::After));
  sink.handle = true;
  Probe();
  EXPECT_EQ(log, (Log{"before"}));
  sink.handle = false;
  log.clear();
  hook.SetControl(nullptr);
  Probe();
  EXPECT_EQ(log, (Log{"control"}));
  hook.SetIsForm(true);
  EXPECT_EQ(hook.Control(), form.form);
  EXPECT_TRUE(hook.IsForm());
}

}  // namespace
}  // namespace services
