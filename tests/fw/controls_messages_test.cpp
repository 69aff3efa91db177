// Message routing: WindowProc chains, dispatch by number, the window
// registry, reflected notifications and the rule that framework notices
// never reach a native window procedure.
#include <gtest/gtest.h>

#include "controls_test_util.h"
#include "fw/controls/button.h"
#include "fw/controls/wndprochook.h"
#include "fw/system/wndregistry.h"

using namespace fw;
using fwtest::Log;

namespace {

constexpr UINT kProbe = WM_APP + 7;

// A control that logs the probe message at its own procedure and handles
// one message number of its own through Dispatch.
class TProbeControl : public TCustomControl {
 public:
  explicit TProbeControl(TComponent* owner) : TCustomControl(owner) {}
  Log* log = nullptr;
  std::vector<TMessage> reflected;
  void WndProc(TMessage& m) override {
    if (m.Msg == kProbe && log) log->push_back("control");
    TCustomControl::WndProc(m);
  }
  void Dispatch(TMessage& m) override {
    switch (m.Msg) {
      case kProbe:
        m.Result = 42;
        return;
      case CN_NOTIFY:
      case CN_COMMAND:
        reflected.push_back(m);
        m.Result = 7;
        return;
      default:
        TCustomControl::Dispatch(m);
    }
  }
};

// A hook object that logs under its name and passes the message on.
struct Hook {
  std::string name;
  Log* log;
  TWindowProcHook* link = nullptr;
  void Proc(TMessage& m) {
    if (m.Msg == kProbe) log->push_back(name);
    link->CallPrevious(m);
  }
};

struct Fixture : ::testing::Test {
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
};

TEST_F(Fixture, ReplacedWindowProcSeesMessagesBeforeTheControlAndChains) {
  Hook a{"hook", &log};
  TWindowProcHook link(control, TWndMethod(&a, &Hook::Proc));
  a.link = &link;
  EXPECT_EQ(Probe(), 42);  // the control's handler still answers
  EXPECT_EQ(log, (Log{"hook", "control"}));
}

struct UnhookCase {
  const char* name;
  bool removeFirstHookFirst;
};

class UnhookOrder : public Fixture, public ::testing::WithParamInterface<UnhookCase> {};

TEST_P(UnhookOrder, TwoHooksUnhookInAnyOrderWithoutLosingEither) {
  Hook a{"A", &log}, b{"B", &log};
  TWndMethod original = control->WindowProc();
  auto* la = new TWindowProcHook(control, TWndMethod(&a, &Hook::Proc));
  a.link = la;
  auto* lb = new TWindowProcHook(control, TWndMethod(&b, &Hook::Proc));
  b.link = lb;
  Probe();
  EXPECT_EQ(log, (Log{"B", "A", "control"}));

  log.clear();
  if (GetParam().removeFirstHookFirst) {
    delete la;
    Probe();
    EXPECT_EQ(log, (Log{"B", "control"}));
    log.clear();
    delete lb;
  } else {
    delete lb;
    Probe();
    EXPECT_EQ(log, (Log{"A", "control"}));
    log.clear();
    delete la;
  }
  Probe();
  EXPECT_EQ(log, (Log{"control"}));
  // Nothing is left in the chain once both are gone.
  EXPECT_TRUE(control->WindowProc() == original);
}

INSTANTIATE_TEST_SUITE_P(Orders, UnhookOrder,
                         ::testing::Values(UnhookCase{"FirstHookFirst", true}, UnhookCase{"LastHookFirst", false}),
                         [](const auto& info) { return std::string(info.param.name); });

// A native subclass made by code outside the framework.
Log* gNativeLog = nullptr;
WNDPROC gNativePrevious = nullptr;
LRESULT CALLBACK ForeignProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (m == kProbe && gNativeLog) gNativeLog->push_back("native");
  return CallWindowProcW(gNativePrevious, w, m, wp, lp);
}

TEST_F(Fixture, NativeSubclassInstalledBySomeoneElseSurvivesHooksComingAndGoing) {
  HWND h = control->Handle();
  gNativeLog = &log;
  gNativePrevious = ReplaceWindowProc(h, ForeignProc);
  {
    Hook a{"hook", &log};
    TWindowProcHook link(control, TWndMethod(&a, &Hook::Proc));
    a.link = &link;
    Probe();
    EXPECT_EQ(log, (Log{"native", "hook", "control"}));
  }
  log.clear();
  Probe();
  EXPECT_EQ(log, (Log{"native", "control"}));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), ForeignProc);
  // The framework restores a procedure only when it is still the current
  // one: ours was replaced, so nothing is touched.
  EXPECT_FALSE(RestoreWindowProc(h, gNativePrevious, DefWindowProcW));
  EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_WNDPROC)), ForeignProc);
  EXPECT_TRUE(RestoreWindowProc(h, ForeignProc, gNativePrevious));
  gNativeLog = nullptr;
}

TEST_F(Fixture, WindowRegistryMapsTheHandleToItsControlUntilTheWindowGoes) {
  HWND h = control->Handle();
  EXPECT_EQ(FindControl(h), control);
  EXPECT_EQ(FindControl(form->Handle()), form.form);
  control->DestroyHandle();
  EXPECT_FALSE(control->HandleAllocated());
  EXPECT_EQ(FindControl(h), nullptr);
  // The control makes a new window when one is needed again.
  EXPECT_EQ(Probe(), 42);
  EXPECT_EQ(FindControl(control->WindowHandle()), control);
}

TEST_F(Fixture, ParentReflectsNotificationsToTheChildThatSentThem) {
  NMHDR hdr{control->Handle(), 5, static_cast<UINT>(-2)};
  LRESULT r = SendMessageW(form->Handle(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&hdr));
  ASSERT_EQ(control->reflected.size(), 1u);
  EXPECT_EQ(control->reflected[0].Msg, CN_NOTIFY);
  EXPECT_EQ(control->reflected[0].LParam, reinterpret_cast<LPARAM>(&hdr));
  EXPECT_EQ(r, 7);

  auto* button = new TButton(form.form);
  button->SetParent(form.form);
  int clicks = 0;
  struct Counter {
    int* n;
    void Click(TObject*) { ++*n; }
  } counter{&clicks};
  button->OnClick = TNotifyEvent(&counter, &Counter::Click);
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

// A windowed control over a native class of the test: what reaches the
// class's procedure is logged.
Log* gClassLog = nullptr;
LRESULT CALLBACK NativeClassProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
  if (gClassLog && (IsFrameworkMessage(m) || m == kProbe)) gClassLog->push_back(std::to_string(m));
  return DefWindowProcW(w, m, wp, lp);
}

class TWrapped : public TWinControl {
 public:
  explicit TWrapped(TComponent* owner) : TWinControl(owner) {}

 protected:
  void CreateParams(TCreateParams& p) override {
    TWinControl::CreateParams(p);
    static bool registered = [] {
      WNDCLASSEXW wc{sizeof(wc)};
      wc.lpfnWndProc = NativeClassProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"FwTestNative";
      return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
    CreateSubClass(p, L"FwTestNative");
  }
};

TEST_F(Fixture, FrameworkNoticesBroadcastToSiblingsNeverReachANativeProcedure) {
  auto* wrapped = new TWrapped(form.form);
  wrapped->SetParent(form.form);
  wrapped->HandleNeeded();
  gClassLog = &log;
  TMessage m{CM_DIALOGKEY, VK_F5, 0, 0};
  form->Broadcast(m);
  form->NotifyControls(CM_PARENTCOLORCHANGED);
  SendMessageW(wrapped->Handle(), CM_MOUSEENTER, 0, 0);
  SendMessageW(wrapped->Handle(), CN_COMMAND, 0, 0);
  EXPECT_TRUE(log.empty());
  // Ordinary messages do reach it.
  SendMessageW(wrapped->Handle(), kProbe, 0, 0);
  EXPECT_EQ(log, (Log{std::to_string(kProbe)}));
  gClassLog = nullptr;
}

TEST_F(Fixture, PerformGoesThroughWindowProcWithoutAWindow) {
  auto* loose = new TProbeControl(form.form);
  Log own;
  loose->log = &own;
  EXPECT_EQ(loose->Perform(kProbe, 0, 0), 42);
  EXPECT_FALSE(loose->HandleAllocated());
  EXPECT_EQ(own, (Log{"control"}));
}

}  // namespace
