// The XP-style task bar: its height, items and their actions, hit testing,
// collapsing and expanding (one roll at a time, stopped when the bar goes),
// click semantics, checks and groups, and its painting.
#include <gtest/gtest.h>

#include <algorithm>

#include "controls/base/xp_drawing.h"
#include "controls/base/ckthemes.h"
#include "controls/base/xp_taskbar.h"
#include "fw/system/actions.h"
#include "fw/core/rtti.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;
using xptest::VirtualMouse;

namespace {

constexpr TColor kFormColor = 0x00FF00;

// Records the events of a bar and its items.
struct Recorder {
  std::vector<std::string> log;
  TObject* lastSender = nullptr;
  bool allow = true;
  std::string Name(TObject* o) {
    if (auto* item = dynamic_cast<TCkXPBarItem*>(o)) return StringToUtf8(item->Caption());
    if (auto* c = dynamic_cast<TComponent*>(o)) return StringToUtf8(c->Name());
    return "?";
  }
  void ItemClick(TObject* s) {
    lastSender = s;
    log.push_back("item " + Name(s));
  }
  void BarClick(TObject* s) { log.push_back("bar " + Name(s)); }
  void ItemEvent(TObject*, TCkXPBarItem* item) { log.push_back("onitemclick " + Name(item)); }
  void CanChange(TObject*, TCkXPBarItem* item, bool& a) {
    log.push_back("canchange " + Name(item));
    a = allow;
  }
  void Before(TObject*, bool c) { log.push_back(std::string("before ") + (c ? "collapse" : "expand")); }
  void On(TObject*, bool c) { log.push_back(std::string("on ") + (c ? "collapse" : "expand")); }
  void After(TObject*, bool c) { log.push_back(std::string("after ") + (c ? "collapse" : "expand")); }
  int Count(const std::string& s) const { return static_cast<int>(std::count(log.begin(), log.end(), s)); }
};

struct BarForm {
  Recorder rec;
  fwtest::TestForm form{300, 300};
  TCkXPBar* bar;
  explicit BarForm(int items = 2) {
    form->SetColor(kFormColor);
    bar = MakeBar(u"xpLoad", 10);
    for (int i = 0; i < items; ++i) {
      TCkXPBarItem* item = bar->Items()->Add();
      item->SetCaption(i == 0 ? u"Open" : i == 1 ? u"Capture" : u"More");
      item->OnClick = TNotifyEvent(&rec, &Recorder::ItemClick);
    }
    form->Show();
    fwtest::Pump();
  }
  TCkXPBar* MakeBar(const String& name, int left) {
    auto* b = new TCkXPBar(form.form);
    b->SetName(name);
    b->SetParent(form.form);
    b->SetBounds(left, 10, 153, 46);
    b->SetCaption(u"Image");
    b->SetHeaderHeight(24);
    b->SetShowRollButton(false);
    b->SetRollDelay(5);
    b->OnClick = TNotifyEvent(&rec, &Recorder::BarClick);
    b->OnItemClick = TCkXPBarOnItemClickEvent(&rec, &Recorder::ItemEvent);
    b->BeforeCollapsedChange = TCkXPBarOnCollapsedChangeEvent(&rec, &Recorder::Before);
    b->OnCollapsedChange = TCkXPBarOnCollapsedChangeEvent(&rec, &Recorder::On);
    b->AfterCollapsedChange = TCkXPBarOnCollapsedChangeEvent(&rec, &Recorder::After);
    return b;
  }
  // The middle of a visible item, in the bar's client coordinates.
  TPoint ItemPoint(int index) const {
    TRect r;
    bar->VisibleItemRect(index, r);
    return {r.Left + 20, (r.Top + r.Bottom) / 2};
  }
  // Clicks on an item; a second click on the same place would be a double
  // click, so repeated clicks move by Dx.
  void ClickItem(VirtualMouse& mouse, int index, int Dx = 0) {
    TPoint p = ItemPoint(index);
    mouse.Click(bar, p.x + Dx, p.y);
  }
  bool WaitForRoll() {
    return fwtest::PumpUntil([&] { return !bar->Animating(); }, 3000);
  }
};

}  // namespace

TEST(XPBar, HeightFitsTheVisibleItemsAndCannotBeSetFromOutside) {
  BarForm f;
  EXPECT_EQ(f.bar->Height(), 79);
  f.bar->SetHeight(200);
  EXPECT_EQ(f.bar->Height(), 79);
  SetWindowPos(f.bar->Handle(), nullptr, 0, 0, 153, 300, SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(f.bar->Height(), 79);
  f.bar->Items()->Items(0)->SetVisible(false);
  EXPECT_EQ(f.bar->Height(), 59);
  f.bar->Items()->Items(1)->SetVisible(false);
  EXPECT_EQ(f.bar->Height(), 31);
  f.bar->Items()->Clear();
  EXPECT_EQ(f.bar->Height(), 31);
  BarForm none(0);
  EXPECT_EQ(none.bar->Height(), 31);
}

TEST(XPBar, EndUpdateRecomputesTheHeight) {
  BarForm f;
  f.bar->BeginUpdate();
  f.bar->Items()->Add()->SetCaption(u"Third");
  EXPECT_EQ(f.bar->Height(), 79);
  f.bar->EndUpdate();
  EXPECT_EQ(f.bar->Height(), 99);
}

TEST(XPBar, HiddenItemsTakeNoRoomAndTheOthersMoveUp) {
  BarForm f(3);
  TCkXPBarItems* items = f.bar->Items();
  items->Items(1)->SetVisible(false);
  ASSERT_EQ(f.bar->VisibleItems()->Count(), 2);
  EXPECT_EQ(f.bar->VisibleItems()->Items(0), items->Items(0));
  EXPECT_EQ(f.bar->VisibleItems()->Items(1), items->Items(2));
  EXPECT_EQ(f.bar->VisibleItems()->Items(2), nullptr);
  items->Items(1)->SetVisible(true);
  EXPECT_EQ(f.bar->VisibleItems()->Items(1), items->Items(1));
  EXPECT_EQ(items->Items(1)->DisplayName(), u"Capture");
  items->Items(1)->SetName(u"cap");
  items->Items(1)->SetVisible(false);
  EXPECT_EQ(items->Items(1)->DisplayName(), u"Capture [cap]*");
  // A name another item has is not taken.
  items->Items(0)->SetName(u"cap");
  EXPECT_EQ(items->Items(0)->Name(), u"");
  EXPECT_EQ(items->Find(u"cap"), items->Items(1));
}

TEST(XPBar, HitTestingOfHeaderRollButtonAndItems) {
  BarForm f;
  struct Hit {
    int x, y;
    TCkXPBarHitTest want;
  } hits[] = {
      {10, 4, htNone},          {10, 5, htHeader},       {10, 28, htHeader},  {10, 29, htNone},
      {153 - 24, 8, htRollButton}, {153 - 24 + 17, 25, htRollButton}, {153 - 25, 8, htHeader}, {100, 60, htNone},
  };
  for (const Hit& h : hits) EXPECT_EQ(f.bar->GetHitTestAt(h.x, h.y), h.want) << h.x << "," << h.y;
  // Items begin at HeaderHeight + TopSpace + 7 and end 4 pixels above the
  // bottom.
  struct Item {
    int y, want;
  } items[] = {{35, -1}, {36, 0}, {55, 0}, {56, 1}, {75, 1}, {76, -1}};
  for (const Item& i : items) EXPECT_EQ(f.bar->GetItemAt(20, i.y), i.want) << i.y;
  TRect r;
  f.bar->VisibleItemRect(1, r);
  EXPECT_EQ(r, Rect(3, 55, 150, 75));
}

TEST(XPBar, ClickOnAnItemRunsItsHandlerWithTheItemAndNotTheBarsClick) {
  BarForm f;
  VirtualMouse mouse;
  f.ClickItem(mouse, 0);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"onitemclick Open", "item Open"}));
  EXPECT_EQ(f.rec.lastSender, f.bar->Items()->Items(0));
  EXPECT_EQ(f.bar->HoverIndex(), 0);

  // A disabled item: only the bar's own click.
  f.rec.log.clear();
  f.bar->Items()->Items(1)->SetEnabled(false);
  f.ClickItem(mouse, 1);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"bar xpLoad"}));

  // The header without a roll button: the bar's click, no collapse.
  f.rec.log.clear();
  mouse.Click(f.bar, 40, 15);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"bar xpLoad"}));
  EXPECT_FALSE(f.bar->Animating());
  EXPECT_EQ(f.bar->Cursor(), crHandPoint);
}

TEST(XPBar, CanChangeRefusingStopsTheWholeClick) {
  BarForm f;
  VirtualMouse mouse;
  TCkXPBarItem* item = f.bar->Items()->Items(0);
  item->SetAutoCheck(true);
  f.bar->OnCanChange = TCkXPBarOnCanChangeEvent(&f.rec, &Recorder::CanChange);
  f.rec.allow = false;
  f.ClickItem(mouse, 0);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"canchange Open"}));
  EXPECT_FALSE(item->Checked());
  f.rec.allow = true;
  f.rec.log.clear();
  f.ClickItem(mouse, 0, 30);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"canchange Open", "onitemclick Open", "item Open"}));
  EXPECT_TRUE(item->Checked());
}

TEST(XPBar, ChecksOfAGroupExcludeEachOtherAndGroupZeroIsFree) {
  BarForm f(3);
  TCkXPBarItems* items = f.bar->Items();
  items->Items(0)->SetGroupIndex(2);
  items->Items(1)->SetGroupIndex(2);
  items->Items(0)->SetChecked(true);
  items->Items(1)->SetChecked(true);
  EXPECT_FALSE(items->Items(0)->Checked());
  EXPECT_TRUE(items->Items(1)->Checked());
  items->Items(2)->SetChecked(true);
  EXPECT_TRUE(items->Items(1)->Checked());
  // Joining a group while checked unchecks the others of the group.
  items->Items(2)->SetGroupIndex(2);
  EXPECT_FALSE(items->Items(1)->Checked());
  EXPECT_TRUE(items->Items(2)->Checked());
}

TEST(XPBar, ItemsFollowTheirActions) {
  BarForm f;
  auto* list = new TActionList(f.form.form);
  auto* action = new TAction(f.form.form);
  action->SetActionList(list);
  action->SetCaption(u"Capture Image");
  action->SetHint(u"Capture part of the screen");
  Recorder executed;
  action->OnExecute = TNotifyEvent(&executed, &Recorder::ItemClick);
  TCkXPBarItem* item = f.bar->Items()->Items(1);
  item->OnClick = nullptr;
  item->SetAction(action);
  EXPECT_EQ(item->Caption(), u"Capture Image");
  EXPECT_EQ(item->Hint(), u"Capture part of the screen");
  EXPECT_TRUE(item->IsSuppliedByAction());
  EXPECT_EQ(f.bar->Items()->Find(action), item);

  VirtualMouse mouse;
  f.ClickItem(mouse, 1);
  EXPECT_EQ(executed.log.size(), 1u);
  EXPECT_EQ(f.bar->Hint(), u"Capture part of the screen");

  action->SetEnabled(false);
  EXPECT_FALSE(item->Enabled());
  action->SetCaption(u"Capture");
  EXPECT_EQ(item->Caption(), u"Capture");
  action->SetVisible(false);
  EXPECT_FALSE(item->Visible());
  EXPECT_EQ(f.bar->Height(), 59);
  action->SetVisible(true);
  action->SetEnabled(true);
  // The action goes: the item stays with what it had.
  action->Free();
  EXPECT_EQ(item->Action(), nullptr);
  EXPECT_EQ(item->Caption(), u"Capture");
}

TEST(XPBar, CollapseAndExpandRollAndReportInOrder) {
  BarForm f;
  f.bar->SetCollapsed(true);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"before collapse", "on collapse"}));
  // The state changes when the roll has ended.
  EXPECT_FALSE(f.bar->Collapsed());
  ASSERT_TRUE(fwtest::PumpUntil([&] { return f.rec.Count("after collapse") == 1; }));
  EXPECT_TRUE(f.bar->Collapsed());
  EXPECT_EQ(f.bar->RollOffset(), 0);
  EXPECT_EQ(f.bar->Height(), 31);
  EXPECT_FALSE(f.bar->Rolling());
  f.bar->SetCollapsed(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return f.rec.Count("after expand") == 1; }));
  EXPECT_FALSE(f.bar->Collapsed());
  EXPECT_EQ(f.bar->RollOffset(), 20);
  EXPECT_EQ(f.bar->Height(), 79);
}

TEST(XPBar, OneRollAtATimeAndNoneAfterTheBarIsGone) {
  BarForm f;
  f.bar->SetRollDelay(30);
  for (int i = 0; i < 5; ++i) {
    f.bar->SetCollapsed(true);
    fwtest::Pump(10);
  }
  ASSERT_TRUE(fwtest::PumpUntil([&] { return f.rec.Count("after collapse") >= 1; }));
  fwtest::Pump(200);
  EXPECT_EQ(f.rec.Count("after collapse"), 1);
  EXPECT_EQ(f.rec.Count("before collapse"), 5);
  EXPECT_TRUE(f.bar->Collapsed());
  EXPECT_EQ(f.bar->Height(), 31);

  // Freed in the middle of a roll: the roll stops with it.
  f.bar->SetCollapsed(false);
  fwtest::Pump(40);
  ASSERT_TRUE(f.bar->Animating());
  f.bar->Free();
  f.bar = nullptr;
  fwtest::Pump(300);
  EXPECT_EQ(f.rec.Count("after expand"), 0);
}

TEST(XPBar, RollButtonClickCollapsesAndGroupedBarsExpandOneAtATime) {
  BarForm f;
  f.bar->SetShowRollButton(true);
  TCkXPBar* other = f.MakeBar(u"xpOther", 170);
  other->Items()->Add()->SetCaption(u"Item");
  fwtest::Pump();
  VirtualMouse mouse;
  mouse.Click(f.bar, 153 - 20, 15);
  EXPECT_EQ(f.rec.Count("before collapse"), 1);
  EXPECT_EQ(f.rec.Count("bar xpLoad"), 1);
  ASSERT_TRUE(f.WaitForRoll());
  EXPECT_TRUE(f.bar->Collapsed());

  // Grouping collapses an expanded bar; expanding one grouped bar collapses
  // the other grouped bars of the parent.
  other->SetGrouped(true);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return other->Collapsed(); }));
  f.bar->SetGrouped(true);
  other->SetCollapsed(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !other->Collapsed(); }));
  f.bar->SetCollapsed(false);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return !f.bar->Collapsed() && other->Collapsed(); }));
  fwtest::PumpUntil([&] { return !other->Animating(); });
}

TEST(XPBar, AcceleratorsToggleTheBarOrClickAnItem) {
  BarForm f;
  f.bar->SetCaption(u"&Image");
  f.bar->Items()->Items(1)->SetCaption(u"&Capture");
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'c', 0), 1);
  EXPECT_EQ(f.rec.log, (std::vector<std::string>{"onitemclick &Capture", "item &Capture"}));
  EXPECT_EQ(f.form->Perform(CM_DIALOGCHAR, u'i', 0), 1);
  EXPECT_EQ(f.rec.Count("before collapse"), 1);
  f.WaitForRoll();
}

TEST(XPBar, PaintsHeaderSeparatorBodyAndItemFrames) {
  BarForm f;
  SeedDitherRandom(3);
  TCkXPBarColors* c = f.bar->Colors();
  const int top = f.bar->TopSpace(), hh = f.bar->HeaderHeight(), w = f.bar->Width();
  {
    Snapshot s(f.bar);
    // The band above the header shows the parent; the rounded corners too.
    EXPECT_EQ(s.At(40, 0), kFormColor);
    EXPECT_EQ(s.At(0, top), kFormColor);
    EXPECT_EQ(s.At(1, top), kFormColor);
    EXPECT_EQ(s.At(w - 1, top + 1), kFormColor);
    EXPECT_EQ(s.At(1, top + 1), c->BorderColor());
    EXPECT_EQ(s.At(40, top), c->BorderColor());
    EXPECT_EQ(s.At(w - 1, top + 10), c->BorderColor());
    // Separator below the header, body under it.
    EXPECT_EQ(s.At(40, top + hh), c->SeparatorColor());
    EXPECT_EQ(s.At(w - 2, top + hh + 2), c->BodyColor());
    EXPECT_EQ(s.At(w - 2, f.bar->Height() - 2), c->BodyColor());
  }
  // With item frames: the hot item in the focused colours, a checked one in
  // the checked colours.
  f.bar->SetShowItemFrame(true);
  f.bar->Items()->Items(1)->SetChecked(true);
  VirtualMouse mouse;
  TPoint p = f.ItemPoint(0);
  mouse.MoveTo(f.bar, p.x, p.y);
  ASSERT_EQ(f.bar->HoverIndex(), 0);
  Snapshot s(f.bar);
  TRect r0, r1;
  f.bar->VisibleItemRect(0, r0);
  f.bar->VisibleItemRect(1, r1);
  EXPECT_EQ(s.At(r0.Left, r0.Top + 5), xptest::Rgb(c->FocusedFrameColor()));
  EXPECT_EQ(s.At(r0.Right - 3, r0.Top + 3), c->FocusedColor());
  EXPECT_EQ(s.At(r1.Left, r1.Top + 5), xptest::Rgb(c->CheckedFrameColor()));
  EXPECT_EQ(s.At(r1.Right - 3, r1.Top + 3), c->CheckedColor());
}

TEST(XPBar, ConstructionValuesAndStoredDefaults) {
  BarForm f(0);
  SetPropValue(f.bar, u"Colors.BodyColor", TValue(static_cast<int64_t>(0x112233)));
  EXPECT_EQ(f.bar->Colors()->BodyColor(), 0x112233);
  EXPECT_EQ(GetPropInfo(f.bar, u"HeaderHeight")->Default(), 28);
  EXPECT_EQ(GetPropInfo(f.bar, u"RoundedItemFrame")->Default(), 1);
  TCkXPBar fresh(nullptr);
  EXPECT_EQ(fresh.HeaderHeight(), 28);
  EXPECT_EQ(fresh.RoundedItemFrame(), 0);
  EXPECT_EQ(fresh.ItemFont()->Color(), 0x840000);
  EXPECT_TRUE(fresh.HeaderFont()->Style().Contains(fsBold));
  EXPECT_EQ(fresh.Width(), 153);
  EXPECT_EQ(fresh.Height(), 46);
}

namespace {

struct StylesOn : TCkStyleServices {
  bool Enabled() override { return true; }
};

// The style supplies the fill and the first gradient colour only.
bool TwoThemeColors(int PropId, TColor& Color) {
  if (PropId == 3802) Color = 0x010203;
  else if (PropId == 3810) Color = 0x040506;
  else return false;
  return true;
}

}  // namespace

TEST(XPBar, ActiveVisualStylesGiveTheColoursTheyHave) {
  TCkXPBarColors plain;
  EXPECT_EQ(plain.BodyColor(), 0xF7DFD6);
  StylesOn on;
  TCkStyleServices* oldServices = SetActiveStyleServices(&on);
  TCkXPBarThemeColorQuery oldQuery = SetXPBarThemeColorQuery(&TwoThemeColors);
  TCkXPBarColors themed;
  SetXPBarThemeColorQuery(oldQuery);
  SetActiveStyleServices(oldServices);
  EXPECT_EQ(themed.BodyColor(), 0x010203);
  EXPECT_EQ(themed.GradientFrom(), 0x040506);
  EXPECT_EQ(themed.GradientTo(), 0xF7D7C6);
  EXPECT_EQ(themed.SeparatorColor(), 0xF7D7C6);
  // Assign copies all but the border colours.
  plain.SetBorderColor(0x111111);
  plain.Assign(&themed);
  EXPECT_EQ(plain.BodyColor(), 0x010203);
  EXPECT_EQ(plain.BorderColor(), 0x111111);
}
