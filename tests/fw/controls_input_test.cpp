// Input: mouse enter/leave with a virtual cursor, clicks on graphic
// children with the capture held by their parent, double clicks, dialog
// keys and accelerators in a modal form, keyboard preview, hints and action
// shortcuts.
#include <gtest/gtest.h>

#include <functional>

#include "controls_test_util.h"
#include "fw/controls/button.h"
#include "fw/controls/hintwindow.h"
#include "fw/core/rtti.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"
#include "fw/system/timers.h"

using namespace fw;
using fwtest::Log;
using fwtest::TTestPanel;

namespace {

class TSpot : public TGraphicControl {
 public:
  explicit TSpot(TComponent* owner) : TGraphicControl(owner) {}
  Log* log = nullptr;
  std::string name;
  std::vector<TMessage> hintShows;
  bool refuseHint = false;
  void Ev(const char* what) {
    if (log) log->push_back(name + ":" + what);
  }
  void Enter(TObject*) { Ev("enter"); }
  void Leave(TObject*) { Ev("leave"); }
  void Click_(TObject*) { Ev("click"); }
  void DblClick_(TObject*) { Ev("dblclick"); }
  void Down(TObject*, TMouseButton, TShiftState, int x, int y) {
    Ev(("down " + std::to_string(x) + "," + std::to_string(y)).c_str());
  }
  void Wire(Log* l, std::string n) {
    log = l;
    name = std::move(n);
    OnMouseEnter = TNotifyEvent(this, &TSpot::Enter);
    OnMouseLeave = TNotifyEvent(this, &TSpot::Leave);
    OnClick = TNotifyEvent(this, &TSpot::Click_);
    OnDblClick = TNotifyEvent(this, &TSpot::DblClick_);
    OnMouseDown = TMouseEvent(this, &TSpot::Down);
  }

 protected:
  void CMHintShow(TMessage& m) override {
    hintShows.push_back(m);
    m.Result = refuseHint ? 1 : 0;
  }
};

// What the hint machinery sees, for the message of a failed expectation.
std::string HintState(TControl* expected) {
  TControl* under = FindDragTarget(Mouse->CursorPos(), true);
  return "showHint=" + std::to_string(Application->ShowHint()) +
         " underCursorIsExpected=" + std::to_string(under == expected) +
         " mouseControlIsExpected=" + std::to_string(Application->MouseControl() == expected) +
         " under=" + (under ? StringToUtf8(under->ClassName()) : std::string("none"));
}

struct Events {
  Log* log;
  std::string name;
  void Enter(TObject*) { log->push_back(name + ":enter"); }
  void Leave(TObject*) { log->push_back(name + ":leave"); }
};

struct Mouse_ : ::testing::Test {
  fwtest::TestForm form{300, 200};
  TSpot *a, *b;
  TTestPanel* w;
  Log log;
  Events formEvents{&log, "form"}, panelEvents{&log, "panel"};

  void SetUp() override {
    a = new TSpot(form.form);
    a->SetParent(form.form);
    a->SetBounds(10, 10, 40, 30);
    a->Wire(&log, "a");
    b = new TSpot(form.form);
    b->SetParent(form.form);
    b->SetBounds(60, 10, 40, 30);
    b->Wire(&log, "b");
    w = new TTestPanel(form.form);
    w->SetParent(form.form);
    w->SetBounds(120, 10, 60, 60);
    w->OnMouseEnter = TNotifyEvent(&panelEvents, &Events::Enter);
    w->OnMouseLeave = TNotifyEvent(&panelEvents, &Events::Leave);
    form->OnMouseEnter = TNotifyEvent(&formEvents, &Events::Enter);
    form->OnMouseLeave = TNotifyEvent(&formEvents, &Events::Leave);
    // Away from where other tests put their windows: the cursor position is
    // looked up on the real screen.
    form->SetBounds(880, 640, 300, 200);
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    fwtest::Pump();
    Mouse->SetVirtualCursor(true);
    // The real pointer of the shared display may have crossed the form.
    Application->SetMouseControl(nullptr);
    log.clear();
  }
  void TearDown() override {
    Mouse->SetVirtualCursor(false);
    Application->SetMouseControl(nullptr);
  }
  void MoveTo(TControl* c, int x, int y) { Mouse->SetCursorPos(c->ClientToScreen(TPoint{x, y})); }
  // Waits for done(), nudging the cursor now and then: another program on
  // the shared display may take the activation away, which cancels a hint
  // that is waiting for its pause, as it should.
  template <class F>
  bool HoverUntil(TControl* c, F done) {
    for (int i = 0; i < 12 && !done(); ++i) {
      if (i) MoveTo(c, 5 + i % 2, 5);
      fwtest::PumpUntil(done, 250);
    }
    return done();
  }
  LPARAM At(int x, int y) { return PointToLParam(x, y); }
};

TEST_F(Mouse_, VirtualCursorAcrossGraphicAndWindowedControlsEntersAndLeavesInOrder) {
  MoveTo(a, 5, 5);
  MoveTo(a, 20, 20);  // moving inside changes nothing
  MoveTo(b, 5, 5);
  MoveTo(w, 5, 5);
  MoveTo(form.form, 110, 150);
  MoveTo(form.form, -50, -30);  // off the form
  EXPECT_EQ(log, (Log{"a:enter", "a:leave", "b:enter", "b:leave", "panel:enter", "panel:leave", "form:enter",
                      "form:leave"}));
}

TEST_F(Mouse_, RealMouseMessagesTrackTheSameWay) {
  Mouse->SetVirtualCursor(false);
  HWND h = form->Handle();
  SendMessageW(h, WM_MOUSEMOVE, 0, At(15, 15));
  SendMessageW(h, WM_MOUSEMOVE, 0, At(65, 15));
  SendMessageW(w->Handle(), WM_MOUSEMOVE, 0, At(3, 3));
  EXPECT_EQ(log, (Log{"a:enter", "a:leave", "b:enter", "b:leave", "panel:enter"}));
}

struct ClickCase {
  const char* name;
  int upX, upY;  // form coordinates of the button release
  Log expected;
};

class ClickOnGraphic : public Mouse_, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(ClickOnGraphic, ParentHoldsTheCaptureAndTheChildDecidesTheClick) {
  Mouse->SetVirtualCursor(false);
  HWND h = form->Handle();
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 20));
  EXPECT_EQ(GetCapture(), h);
  EXPECT_EQ(GetCaptureControl(), a);
  SendMessageW(h, WM_LBUTTONUP, 0, At(GetParam().upX, GetParam().upY));
  EXPECT_EQ(GetCapture(), nullptr);
  Log got;
  for (auto& e : log)
    if (e.rfind("a:", 0) == 0 || e.rfind("b:", 0) == 0) got.push_back(e);
  EXPECT_EQ(got, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Releases, ClickOnGraphic,
                         ::testing::Values(ClickCase{"InsideClicks", 30, 25, {"a:down 15,10", "a:click"}},
                                           // Released over b: the capture kept the message for a.
                                           ClickCase{"OverSiblingDoesNot", 70, 20, {"a:down 15,10"}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Mouse_, TwoQuickClicksOnOneControlMakeAClickAndADoubleClick) {
  Mouse->SetVirtualCursor(false);
  HWND h = form->Handle();
  for (int i = 0; i < 2; ++i) {
    SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(25, 20));
    SendMessageW(h, WM_LBUTTONUP, 0, At(25, 20));
  }
  // A click on another control afterwards is a single click again.
  SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, At(65, 20));
  SendMessageW(h, WM_LBUTTONUP, 0, At(65, 20));
  Log got;
  for (auto& e : log)
    if (e.find("down") == std::string::npos && e.find("enter") == std::string::npos &&
        e.find("leave") == std::string::npos)
      got.push_back(e);
  EXPECT_EQ(got, (Log{"a:click", "a:dblclick", "b:click"}));
}

TEST_F(Mouse_, HintAppearsAfterThePauseWithTheShortHint) {
  Application->SetHintPause(20);
  a->SetHint(u"Short|Long description");
  a->SetShowHint(true);
  MoveTo(a, 5, 5);
  EXPECT_EQ(Application->Hint(), u"Long description");
  EXPECT_EQ(Application->HintWindow(), nullptr);  // not before the pause
  ASSERT_TRUE(HoverUntil(a, [] { return Application->HintWindow() != nullptr; })) << HintState(a);
  ASSERT_GE(a->hintShows.size(), 1u);
  THintWindow* hw = Application->HintWindow();
  EXPECT_EQ(hw->Caption(), u"Short");
  EXPECT_TRUE(IsWindowVisible(hw->WindowHandle()));
  // Leaving for a control without hints hides it.
  MoveTo(b, 5, 5);
  EXPECT_EQ(Application->HintWindow(), nullptr);
  EXPECT_FALSE(IsWindowVisible(hw->WindowHandle()));
}

TEST_F(Mouse_, ControlCanRefuseItsHintThroughHintShow) {
  Application->SetHintPause(10);
  b->SetHint(u"Never");
  b->SetShowHint(true);
  b->refuseHint = true;
  MoveTo(b, 5, 5);
  ASSERT_TRUE(HoverUntil(b, [&] { return !b->hintShows.empty(); })) << HintState(b);
  fwtest::Pump(30);
  EXPECT_EQ(Application->HintWindow(), nullptr);
}

class TMarkedHint : public THintWindow {
  FW_CLASS(TMarkedHint, THintWindow)
  explicit TMarkedHint(TComponent* owner) : THintWindow(owner) {}
};
FW_REGISTER(TMarkedHint) {}

TEST_F(Mouse_, HintWindowClassIsReplaceable) {
  Application->SetHintPause(10);
  Application->SetHintWindowClass(TMarkedHint::StaticClass());
  a->SetHint(u"Marked");
  a->SetShowHint(true);
  MoveTo(a, 5, 5);
  ASSERT_TRUE(HoverUntil(a, [] { return Application->HintWindow() != nullptr; })) << HintState(a);
  EXPECT_NE(dynamic_cast<TMarkedHint*>(Application->HintWindow()), nullptr);
  Application->CancelHint();
  Application->SetHintWindowClass(nullptr);
  EXPECT_EQ(Application->HintWindowClass(), THintWindow::StaticClass());
}

// ---- Keyboard

class TDialog : public TForm {
 public:
  explicit TDialog(TComponent* owner) : TForm(owner) {
    SetPosition(poScreenCenter);
    SetBounds(0, 0, 260, 120);
    field = new TTestPanel(this);
    field->SetParent(this);
    field->SetBounds(8, 8, 100, 24);
    field->SetTabStop(true);
    ok = new TButton(this);
    ok->SetParent(this);
    ok->SetBounds(8, 60, 75, 25);
    ok->SetCaption(u"OK");
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    cancel = new TButton(this);
    cancel->SetParent(this);
    cancel->SetBounds(90, 60, 75, 25);
    cancel->SetCaption(u"&Cancel");
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    SetActiveControl(field);
    timer = new TTimer(this);
    timer->SetInterval(30);
    timer->SetOnTimer(TNotifyEvent(this, &TDialog::Tick));
  }
  TTestPanel* field;
  TButton *ok, *cancel;
  TTimer* timer;
  UINT keyMsg = WM_KEYDOWN;
  WPARAM key = 0;
  int ticks = 0;
  // Types the key into the focused control once the form is up; gives up
  // with a click on Cancel after a while.
  void Tick(TObject*) {
    if (++ticks > 60) {
      SetModalResult(mrAbort);
      return;
    }
    if (!Visible() || !key) return;
    HWND target = GetFocus();
    if (!target || !FindOwningControl(target)) target = ActiveControl()->Handle();
    PostMessageW(target, keyMsg, key, keyMsg == WM_SYSCHAR ? 0x20000001 : 1);
    key = 0;
  }
};

struct KeyCase {
  const char* name;
  UINT msg;
  WPARAM key;
  TModalResult expected;
};

class ModalKeys : public ::testing::TestWithParam<KeyCase> {};

TEST_P(ModalKeys, KeyInAModalFormPicksItsButton) {
  auto* d = new TDialog(nullptr);
  d->keyMsg = GetParam().msg;
  d->key = GetParam().key;
  TModalResult r = d->ShowModal();
  EXPECT_EQ(r, GetParam().expected);
  EXPECT_FALSE(d->Visible());
  d->Free();
}

INSTANTIATE_TEST_SUITE_P(Keys, ModalKeys,
                         ::testing::Values(KeyCase{"ReturnPicksDefault", WM_KEYDOWN, VK_RETURN, mrOk},
                                           KeyCase{"EscapePicksCancel", WM_KEYDOWN, VK_ESCAPE, mrCancel},
                                           KeyCase{"AcceleratorCharacter", WM_CHAR, 'c', mrCancel},
                                           KeyCase{"AltAccelerator", WM_SYSCHAR, 'C', mrCancel}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Modal, ResultOfAClickedButtonComesBackFromShowModal) {
  struct Clicker {
    TButton* target;
    int n = 0;
    void Tick(TObject*) {
      if (++n == 2) PostMessageW(target->Handle(), BM_CLICK, 0, 0);
    }
  };
  auto* d = new TDialog(nullptr);
  Clicker c{d->cancel};
  d->timer->SetOnTimer(TNotifyEvent(&c, &Clicker::Tick));
  d->cancel->SetModalResult(mrRetry);
  EXPECT_EQ(d->ShowModal(), mrRetry);
  // The other windows of the program were disabled meanwhile and are back.
  d->Free();
}

TEST(Modal, ShowingAVisibleFormModallyIsRefused) {
  fwtest::TestForm form;
  form->Show();
  EXPECT_THROW(form->ShowModal(), EInvalidOperation);
}

struct KeyLog {
  Log* log;
  std::string name;
  bool eat = false;
  void Down(TObject*, WORD& key, TShiftState) {
    log->push_back(name + ":" + std::to_string(key));
    if (eat) key = 0;
  }
};

TEST(Keyboard, KeyPreviewLetsTheFormSeeKeysFirstAndSwallowThem) {
  fwtest::TestForm form;
  auto* field = new TTestPanel(form.form);
  field->SetParent(form.form);
  field->SetTabStop(true);
  Log log;
  KeyLog formKeys{&log, "form"}, fieldKeys{&log, "field"};
  form->OnKeyDown = TKeyEvent(&formKeys, &KeyLog::Down);
  field->OnKeyDown = TKeyEvent(&fieldKeys, &KeyLog::Down);
  form->Show();
  SendMessageW(field->Handle(), WM_KEYDOWN, 'A', 1);
  form->SetKeyPreview(true);
  SendMessageW(field->Handle(), WM_KEYDOWN, 'B', 1);
  formKeys.eat = true;
  SendMessageW(field->Handle(), WM_KEYDOWN, 'C', 1);
  EXPECT_EQ(log, (Log{"field:65", "form:66", "field:66", "form:67"}));
}

TEST(Keyboard, TabMovesTheFocusInTabOrder) {
  fwtest::TestForm form;
  std::vector<TTestPanel*> fields;
  for (int i = 0; i < 3; ++i) {
    auto* f = new TTestPanel(form.form);
    f->SetParent(form.form);
    f->SetBounds(10, 10 + 30 * i, 50, 20);
    f->SetTabStop(true);
    fields.push_back(f);
  }
  fields[2]->SetTabOrder(0);  // order: 2, 0, 1
  form->Show();
  fields[2]->SetFocus();
  fwtest::Pump();
  ASSERT_EQ(form->ActiveControl(), fields[2]);
  PostMessageW(fields[2]->Handle(), WM_KEYDOWN, VK_TAB, 1);
  fwtest::Pump();
  EXPECT_EQ(form->ActiveControl(), fields[0]);
  PostMessageW(fields[0]->Handle(), WM_KEYDOWN, VK_TAB, 1);
  fwtest::Pump();
  EXPECT_EQ(form->ActiveControl(), fields[1]);
}

TEST(Keyboard, ActionShortcutRunsTheActionAndIdleUpdatesItsControl) {
  fwtest::TestForm form;
  auto* list = new TActionList(form.form);
  auto* action = new TAction(form.form);
  action->SetActionList(list);
  action->SetCaption(u"Refresh");
  action->SetShortCut(ShortCut(VK_F5, TShiftState()));
  struct Handler {
    int runs = 0;
    bool enable = true;
    void Execute(TObject*) { ++runs; }
    void Update(TObject* s) { static_cast<TAction*>(s)->SetEnabled(enable); }
  } h;
  action->OnExecute = TNotifyEvent(&h, &Handler::Execute);
  action->OnUpdate = TNotifyEvent(&h, &Handler::Update);
  auto* button = new TButton(form.form);
  button->SetParent(form.form);
  button->SetAction(action);
  EXPECT_EQ(button->Caption(), u"Refresh");
  form->Show();
  button->SetFocus();
  PostMessageW(button->Handle(), WM_KEYDOWN, VK_F5, 1);
  fwtest::Pump();
  EXPECT_EQ(h.runs, 1);
  // Clicking the control runs the action too.
  SendMessageW(button->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(h.runs, 2);
  // The idle update disables the action and with it the button.
  h.enable = false;
  struct Busy {
    void Idle(TObject*, bool& done) { done = false; }  // do not wait for a message
  } busy;
  Application->OnIdle = TIdleEvent(&busy, &Busy::Idle);
  Application->ProcessMessages();
  Application->HandleMessage();
  Application->OnIdle = TIdleEvent();
  EXPECT_FALSE(action->Enabled());
  EXPECT_FALSE(button->Enabled());
  PostMessageW(button->Handle(), WM_KEYDOWN, VK_F5, 1);
  fwtest::Pump();
  EXPECT_EQ(h.runs, 2);
}

}  // namespace
