// Component notices: which control hears which CM_ message, in which order,
// when a property changes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "controls_test_util.h"
#include "fw/controls/wndprochook.h"

using namespace fw;
using fwtest::Log;
using fwtest::TTestPanel;

namespace {

class TTestGraphic : public TGraphicControl {
 public:
  explicit TTestGraphic(TComponent* owner) : TGraphicControl(owner) {}
};

std::string NoticeName(UINT m) {
  switch (m) {
    case CM_TEXTCHANGED: return "TEXTCHANGED";
    case CM_ENABLEDCHANGED: return "ENABLEDCHANGED";
    case CM_VISIBLECHANGED: return "VISIBLECHANGED";
    case CM_SHOWINGCHANGED: return "SHOWINGCHANGED";
    case CM_FONTCHANGED: return "FONTCHANGED";
    case CM_PARENTFONTCHANGED: return "PARENTFONTCHANGED";
    case CM_COLORCHANGED: return "COLORCHANGED";
    case CM_PARENTCOLORCHANGED: return "PARENTCOLORCHANGED";
    case CM_SHOWHINTCHANGED: return "SHOWHINTCHANGED";
    case CM_PARENTSHOWHINTCHANGED: return "PARENTSHOWHINTCHANGED";
    case CM_CURSORCHANGED: return "CURSORCHANGED";
    case CM_ENTER: return "ENTER";
    case CM_EXIT: return "EXIT";
    case CM_FOCUSCHANGED: return "FOCUSCHANGED";
    case CM_CONTROLLISTCHANGE: return "CONTROLLISTCHANGE";
    case CM_CONTROLLISTCHANGING: return "CONTROLLISTCHANGING";
    case CM_CONTROLCHANGE: return "CONTROLCHANGE";
    default: return std::string();
  }
}

// Logs the notices a control receives as "who:NOTICE" (with ",1"/",0" for
// the control-list notices, whose lParam says inserting or removing).
struct Recorder {
  std::string who;
  Log* log;
  std::unique_ptr<TWindowProcHook> link;
  void Proc(TMessage& m) {
    std::string n = NoticeName(m.Msg);
    if (!n.empty()) {
      if (m.Msg == CM_CONTROLLISTCHANGE || m.Msg == CM_CONTROLLISTCHANGING || m.Msg == CM_CONTROLCHANGE)
        n += m.LParam ? ",1" : ",0";
      if (m.Msg == CM_VISIBLECHANGED) n += m.WParam ? ",1" : ",0";
      log->push_back(who + ":" + n);
    }
    link->CallPrevious(m);
  }
  void Attach(TControl* c) { link = std::make_unique<TWindowProcHook>(c, TWndMethod(this, &Recorder::Proc)); }
};

struct Notices : ::testing::Test {
  fwtest::TestForm form;
  TTestGraphic* graphic = nullptr;
  TTestPanel* panel = nullptr;
  TTestPanel* other = nullptr;
  Log log;
  Recorder rForm{"form", &log}, rGraphic{"graphic", &log}, rPanel{"panel", &log};

  void SetUp() override {
    graphic = new TTestGraphic(form.form);
    graphic->SetParent(form.form);
    graphic->SetBounds(5, 5, 20, 20);
    panel = new TTestPanel(form.form);
    panel->SetParent(form.form);
    panel->SetBounds(40, 5, 50, 50);
    panel->SetTabStop(true);
    other = new TTestPanel(form.form);
    other->SetParent(form.form);
    other->SetBounds(100, 5, 50, 50);
    other->SetTabStop(true);
    form->Show();
    other->SetFocus();
    fwtest::PumpUntil([&] { return other->Focused(); }, 1000);
    rForm.Attach(form.form);
    rGraphic.Attach(graphic);
    rPanel.Attach(panel);
  }
  void TearDown() override {
    rPanel.link.reset();
    rGraphic.link.reset();
    rForm.link.reset();
  }
};

struct NoticeCase {
  const char* name;
  std::function<void(Notices&)> change;
  Log expected;
};

class PropertyNotices : public Notices, public ::testing::WithParamInterface<NoticeCase> {};

TEST_P(PropertyNotices, ChangeSendsItsNoticesInOrder) {
  GetParam().change(*this);
  EXPECT_EQ(log, GetParam().expected);
}

TTestGraphic* gAdded = nullptr;

INSTANTIATE_TEST_SUITE_P(
    Table, PropertyNotices,
    ::testing::Values(
        NoticeCase{"Text", [](Notices& t) { t.panel->SetText(u"new"); }, {"panel:TEXTCHANGED"}},
        NoticeCase{"SameText", [](Notices& t) {
                     t.panel->SetText(u"x");
                     t.log.clear();
                     t.panel->SetText(u"x");
                   },
                   {}},
        NoticeCase{"GraphicText", [](Notices& t) { t.graphic->SetCaption(u"g"); }, {"graphic:TEXTCHANGED"}},
        NoticeCase{"Enabled", [](Notices& t) { t.panel->SetEnabled(false); }, {"panel:ENABLEDCHANGED"}},
        NoticeCase{"Visible",
                   [](Notices& t) { t.panel->SetVisible(false); },
                   {"panel:VISIBLECHANGED,0", "panel:SHOWINGCHANGED"}},
        NoticeCase{"GraphicVisible", [](Notices& t) { t.graphic->SetVisible(false); },
                   {"graphic:VISIBLECHANGED,0"}},
        NoticeCase{"Font",
                   [](Notices& t) { t.form->Font()->SetSize(20); },
                   {"form:FONTCHANGED", "graphic:PARENTFONTCHANGED", "graphic:FONTCHANGED", "panel:PARENTFONTCHANGED",
                    "panel:FONTCHANGED"}},
        NoticeCase{"OwnFontLeavesParentFont",
                   [](Notices& t) {
                     t.panel->Font()->SetSize(9);
                     t.form->Font()->SetSize(20);
                   },
                   {"panel:FONTCHANGED", "form:FONTCHANGED", "graphic:PARENTFONTCHANGED", "graphic:FONTCHANGED",
                    "panel:PARENTFONTCHANGED"}},
        NoticeCase{"Colour",
                   [](Notices& t) { t.form->SetColor(clRed); },
                   {"form:COLORCHANGED", "graphic:PARENTCOLORCHANGED", "graphic:COLORCHANGED",
                    "panel:PARENTCOLORCHANGED", "panel:COLORCHANGED"}},
        NoticeCase{"OwnColourLeavesParentColour",
                   [](Notices& t) {
                     t.panel->SetColor(clBlue);
                     t.form->SetColor(clRed);
                   },
                   {"panel:COLORCHANGED", "form:COLORCHANGED", "graphic:PARENTCOLORCHANGED", "graphic:COLORCHANGED",
                    "panel:PARENTCOLORCHANGED"}},
        NoticeCase{"ParentColourBackOn",
                   [](Notices& t) {
                     t.panel->SetColor(clBlue);
                     t.log.clear();
                     t.panel->SetParentColor(true);
                   },
                   {"panel:PARENTCOLORCHANGED", "panel:COLORCHANGED"}},
        NoticeCase{"ShowHint",
                   [](Notices& t) { t.form->SetShowHint(true); },
                   {"form:SHOWHINTCHANGED", "graphic:PARENTSHOWHINTCHANGED", "graphic:SHOWHINTCHANGED",
                    "panel:PARENTSHOWHINTCHANGED", "panel:SHOWHINTCHANGED"}},
        NoticeCase{"Cursor", [](Notices& t) { t.panel->SetCursor(crHandPoint); }, {"panel:CURSORCHANGED"}},
        NoticeCase{"Focus",
                   [](Notices& t) {
                     t.panel->SetFocus();
                     fwtest::Pump();
                   },
                   {"panel:ENTER", "form:FOCUSCHANGED", "graphic:FOCUSCHANGED", "panel:FOCUSCHANGED"}},
        NoticeCase{"FocusLeaves",
                   [](Notices& t) {
                     t.panel->SetFocus();
                     t.log.clear();
                     t.other->SetFocus();
                     fwtest::Pump();
                   },
                   {"panel:EXIT", "form:FOCUSCHANGED", "graphic:FOCUSCHANGED", "panel:FOCUSCHANGED"}},
        NoticeCase{"ControlInserted",
                   [](Notices& t) {
                     gAdded = new TTestGraphic(t.form.form);
                     gAdded->SetParent(t.form.form);
                   },
                   {"form:CONTROLLISTCHANGE,1", "form:CONTROLCHANGE,1", "form:CONTROLLISTCHANGING,1"}},
        NoticeCase{"ControlRemoved",
                   [](Notices& t) { t.graphic->SetParent(nullptr); },
                   {"form:CONTROLLISTCHANGING,0", "form:CONTROLCHANGE,0", "form:CONTROLLISTCHANGE,0"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Notices, ParentColourAndFontReachChildrenAsValues) {
  form->SetColor(clRed);
  form->Font()->SetName(u"Courier New");
  EXPECT_EQ(panel->Color(), clRed);
  EXPECT_TRUE(panel->ParentColor());
  EXPECT_EQ(graphic->Font()->Name(), u"Courier New");
  EXPECT_TRUE(graphic->ParentFont());
  panel->SetColor(clBlue);
  EXPECT_FALSE(panel->ParentColor());
  form->SetColor(clGreen);
  EXPECT_EQ(panel->Color(), clBlue);
  // A control joining a parent takes the parent's colour and font.
  auto* late = new TTestGraphic(form.form);
  late->SetParent(form.form);
  EXPECT_EQ(late->Color(), clGreen);
  EXPECT_EQ(late->Font()->Name(), u"Courier New");
}

TEST_F(Notices, MouseEnterAndLeaveTellTheParentsWhichChild) {
  graphic->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(graphic));
  graphic->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(graphic));
  // Not in the recorder's list of names: check the parent's log directly.
  struct Seen {
    std::vector<std::pair<UINT, LPARAM>> list;
    TWindowProcHook* link = nullptr;
    void Proc(TMessage& m) {
      if (m.Msg == CM_MOUSEENTER || m.Msg == CM_MOUSELEAVE) list.push_back({m.Msg, m.LParam});
      link->CallPrevious(m);
    }
  } seen;
  TWindowProcHook link(form.form, TWndMethod(&seen, &Seen::Proc));
  seen.link = &link;
  graphic->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(graphic));
  graphic->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(graphic));
  using P = std::pair<UINT, LPARAM>;
  EXPECT_EQ(seen.list, (std::vector<P>{{CM_MOUSEENTER, reinterpret_cast<LPARAM>(graphic)},
                                       {CM_MOUSELEAVE, reinterpret_cast<LPARAM>(graphic)}}));
}

TEST(NoticeNumbers, AreTheFrameworksContract) {
  struct N {
    UINT value, expected;
  } table[] = {
      {CM_ACTIVATE, 0xB000},          {CM_DIALOGKEY, 0xB005},       {CM_DIALOGCHAR, 0xB006},
      {CM_FOCUSCHANGED, 0xB007},      {CM_PARENTFONTCHANGED, 0xB008}, {CM_PARENTCOLORCHANGED, 0xB009},
      {CM_HITTEST, 0xB00A},           {CM_VISIBLECHANGED, 0xB00B},  {CM_ENABLEDCHANGED, 0xB00C},
      {CM_COLORCHANGED, 0xB00D},      {CM_FONTCHANGED, 0xB00E},     {CM_CURSORCHANGED, 0xB00F},
      {CM_TEXTCHANGED, 0xB012},       {CM_MOUSEENTER, 0xB013},      {CM_MOUSELEAVE, 0xB014},
      {CM_MENUCHANGED, 0xB015},       {CM_SHOWINGCHANGED, 0xB019},  {CM_RELEASE, 0xB021},
      {CM_SHOWHINTCHANGED, 0xB022},   {CM_PARENTSHOWHINTCHANGED, 0xB023}, {CM_SYSCOLORCHANGE, 0xB024},
      {CM_CONTROLLISTCHANGE, 0xB02C}, {CM_HINTSHOW, 0xB030},        {CM_RECREATEWND, 0xB033},
      {CM_CHANGED, 0xB037},           {CM_FLOAT, 0xB03A},           {CM_MOUSEWHEEL, 0xB043},
      {CM_CONTROLLISTCHANGING, 0xB04C}, {CN_DRAWITEM, 0xBC2B},      {CN_NOTIFY, 0xBC4E},
      {CN_KEYDOWN, 0xBD00},           {CN_HSCROLL, 0xBD14},         {CN_VSCROLL, 0xBD15},
  };
  for (const N& n : table) EXPECT_EQ(n.value, n.expected) << std::hex << n.expected;
}

}  // namespace
