// The data-provider core: aspects found through the object or its attached
// implementers, item IDs, announcements, the text renderer's bounds, the
// consumer's notices and selection, and a provider's item drawn into a
// label by the list's renderer.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "controls/base/ckdatacontexts.h"
#include "controls/base/ckdataprovider.h"
#include "controls/base/ckdataviewlist.h"
#include "controls/base/cklabel.h"
#include "fw/core/sysutils.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;

namespace {

// A provider with one root list; it records its announcements and passes
// them to its sinks.
class Provider : public TExtensibleObject, public ICkDataProvider {
 public:
  Provider() : root(this) {}
  TCkDataItemsList root;
  std::vector<ICkDataProviderNotify*> sinks;
  std::vector<std::string> log;
  std::vector<TCkDataConsumer*> consumers;

  void AttachNotify(ICkDataProviderNotify* Sink) override { sinks.push_back(Sink); }
  void DetachNotify(ICkDataProviderNotify* Sink) override { std::erase(sinks, Sink); }
  ICkDataItems* RootItemList() override { return &root; }
  void AnnounceChanging(TDataProviderChangeReason Reason, TCkDataObject* Source) override {
    log.push_back("changing " + std::to_string(Reason));
    for (auto* s : std::vector<ICkDataProviderNotify*>(sinks)) s->ProviderChangeStart(this, Reason, Source);
  }
  void AnnounceChanged(TDataProviderChangeReason Reason, TCkDataObject* Source) override {
    log.push_back("changed " + std::to_string(Reason));
    for (auto* s : std::vector<ICkDataProviderNotify*>(sinks)) s->ProviderChangeEnd(this, Reason, Source);
  }
  void PushConsumer(TCkDataConsumer* C) override { consumers.push_back(C); }
  TCkDataConsumer* CurrentConsumer() override { return consumers.empty() ? nullptr : consumers.back(); }
  void PopConsumer() override { consumers.pop_back(); }
  std::vector<ICkDataContext*> contextStack;
  void PushContext(ICkDataContext* C) override { contextStack.push_back(C); }
  ICkDataContext* CurrentContext() override { return contextStack.empty() ? nullptr : contextStack.back(); }
  void PopContext() override { contextStack.pop_back(); }
  // Contexts, when the test gives the provider some.
  std::unique_ptr<TCkDataContexts> contexts;

  // A root item with a text aspect.
  ICkDataItem* Add(const String& Text) {
    auto item = std::make_unique<TCkBaseDataItem>(&root);
    item->AttachExtension(std::make_unique<TCkDataItemTextImpl>(item.get(), Text));
    return root.AppendItem(std::move(item));
  }

 protected:
  void* OwnAspect(const std::type_info& Type) override {
    if (Type == typeid(ICkDataProvider)) return static_cast<ICkDataProvider*>(this);
    if (Type == typeid(ICkDataContexts) && contexts) return static_cast<ICkDataContexts*>(contexts.get());
    return nullptr;
  }
};

// An item aspect that handles the click.
class Action : public TCkAggregatedObject, public ICkDataItemExecutable {
 public:
  using TCkAggregatedObject::TCkAggregatedObject;
  int runs = 0;
  bool ExecuteItem(TComponent*) override {
    ++runs;
    return true;
  }
  void* OwnAspect(const std::type_info& Type) override {
    return Type == typeid(ICkDataItemExecutable) ? static_cast<ICkDataItemExecutable*>(this) : nullptr;
  }
};

struct Changes {
  std::vector<TCkDataConsumerChangeReason> reasons;
  void Changed(TCkDataConsumer*, TCkDataConsumerChangeReason R) { reasons.push_back(R); }
};

}  // namespace

TEST(DataProvider, AspectsComeFromTheObjectOrItsImplementers) {
  Provider p;
  ICkDataItem* item = p.Add(u"Serif");
  auto* object = dynamic_cast<TCkBaseDataItem*>(item);
  ASSERT_NE(object, nullptr);
  ASSERT_NE(Query<ICkDataItemText>(item), nullptr);
  EXPECT_EQ(Query<ICkDataItemText>(item)->Text(), u"Serif");
  EXPECT_EQ(Query<ICkDataItem>(item), item);
  EXPECT_EQ(Query<ICkDataItemExecutable>(item), nullptr);
  try {
    object->AttachExtension(std::make_unique<TCkDataItemTextImpl>(object));
    FAIL() << "a second text aspect";
  } catch (const ECKException& e) {
    EXPECT_EQ(e.Message(), u"Implementation of that class already exists");
  }
  object->AttachExtension(std::make_unique<Action>(object));
  EXPECT_NE(Query<ICkDataItemExecutable>(item), nullptr) << "a different aspect coexists";
  EXPECT_EQ(item->IndexInOwner(), 0);
}

TEST(DataProvider, NewItemsHaveDistinctThirtyTwoDigitIDs) {
  Provider p;
  String a = p.Add(u"a")->ID(), b = p.Add(u"b")->ID();
  EXPECT_EQ(a.size(), 32u);
  EXPECT_NE(a, b);
  for (char16_t ch : a) EXPECT_TRUE((ch >= u'0' && ch <= u'9') || (ch >= u'A' && ch <= u'F'));
}

TEST(DataProvider, TextWritesAreAnnouncedOnlyWhenTheTextChanges) {
  Provider p;
  ICkDataItem* item = p.Add(u"Serif");
  p.log.clear();
  ICkDataItemText* text = Query<ICkDataItemText>(item);
  text->SetText(u"Sans");
  text->SetText(u"Sans");
  text->SetText(u"SANS");
  EXPECT_EQ(p.log, (std::vector<std::string>{"changing 2", "changed 2", "changing 2", "changed 2"}));
  p.log.clear();
  p.root.DeleteItemAt(0);
  EXPECT_EQ(p.log, (std::vector<std::string>{"changing 1", "changed 1"}));
  EXPECT_EQ(p.root.ItemCount(), 0);
}

TEST(DataProvider, TextRendererBoundsAndItemsWithoutText) {
  Provider p;
  p.Add(u"Serif");
  p.root.AppendItem(std::make_unique<TCkBaseDataItem>(&p.root));
  auto* renderer = p.root.AttachExtension(std::make_unique<TCkCustomDataItemsTextRenderer>(&p.root));
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(400, 20);
  TCanvas* c = bmp.Canvas();
  try {
    renderer->RenderItemAt(c, Rect(0, 0, 400, 20), -1, {});
    FAIL() << "index -1 is out of bounds";
  } catch (const ECKDataItems& e) {
    EXPECT_EQ(e.Message(), u"List index out of bounds (-1)");
  }
  SIZE average = renderer->ItemExtentAt(c, -1);
  EXPECT_EQ(average.cx, c->TextWidth(u"WyWyWyWyWyWyWyWyWyWy"));
  EXPECT_EQ(renderer->ItemExtentAt(c, 0).cx, c->TextWidth(u"Serif"));
  EXPECT_EQ(renderer->ItemExtentAt(c, 1).cx, c->TextWidth(u"(item does not support the ICkDataItemText interface)"));
  EXPECT_THROW(renderer->ItemExtentAt(c, 2), ECKDataItems);
}

TEST(DataProvider, ConsumerNoticesSelectionAndProviderDestruction) {
  Provider p;
  ICkDataItem* item = p.Add(u"Serif");
  TCkDataConsumer consumer(nullptr, {2, 2, 5});
  EXPECT_TRUE(consumer.HasAttribute(5));
  EXPECT_FALSE(consumer.HasAttribute(3));
  Changes changes;
  consumer.OnChanged = TCkDataConsumerChangeEvent(&changes, &Changes::Changed);
  consumer.SetProviderIntf(&p);
  consumer.SetSelectedItem(item);
  Query<ICkDataItemText>(item)->SetText(u"Sans");
  p.AnnounceChanging(pcrFullRefresh, nullptr);
  p.AnnounceChanged(pcrFullRefresh, nullptr);
  // Assigning: the view change, then the selection of the provider; the
  // selection, a text change, a full refresh.
  EXPECT_EQ(changes.reasons, (std::vector<TCkDataConsumerChangeReason>{ccrViewChange, ccrProviderSelect, ccrViewChange,
                                                                       ccrProviderChange, ccrViewChange}));
  // Deleting the selected item clears the selection.
  p.root.DeleteItemAt(0);
  EXPECT_EQ(consumer.SelectedItem(), nullptr);
  // A provider going away is dropped.
  changes.reasons.clear();
  p.AnnounceChanging(pcrDestroy, nullptr);
  EXPECT_EQ(consumer.ProviderIntf(), nullptr);
  EXPECT_TRUE(p.sinks.empty());
  ASSERT_FALSE(changes.reasons.empty());
  EXPECT_EQ(changes.reasons.back(), ccrProviderSelect);
}

TEST(DataProvider, ALabelShowsTheSelectedItemThroughTheListsRenderer) {
  fwtest::TestForm form(300, 100);
  form->SetColor(clWhite);
  auto* label = new TCkLabel(form.form);
  label->SetParent(form.form);
  label->SetBounds(10, 10, 65, 17);
  label->SetCaption(u"Caption");
  form->Show();
  fwtest::Pump();
  EXPECT_EQ(label->Provider()->ProviderIntf(), nullptr) << "no form sets a provider";
  EXPECT_TRUE(label->Provider()->HasAttribute(2));

  Provider p;
  ICkDataItem* item = p.Add(u"Provided text, longer than the caption");
  p.root.AttachExtension(std::make_unique<TCkCustomDataItemsTextRenderer>(&p.root));
  label->Provider()->SetProviderIntf(&p);
  label->Provider()->SetSelectedItem(item);
  EXPECT_EQ(label->DisplayText(), u"Provided text, longer than the caption");
  TBitmap probe;
  probe.Canvas()->SetFont(label->Font());
  EXPECT_EQ(label->Width(), probe.Canvas()->TextWidth(u"Provided text, longer than the caption") + 2)
      << "the label sizes itself to the renderer's extent";
  xptest::Snapshot shot(label, clWhite);
  int ink = 0;
  for (int x = label->Width() / 2; x < label->Width(); ++x)
    for (int y = 0; y < label->Height(); ++y) ink += shot.At(x, y) == 0x000000;
  EXPECT_GT(ink, 10) << "the item's text is drawn across the label";
  EXPECT_TRUE(p.consumers.empty()) << "every Enter has its Leave";

  // The item's action takes the click; OnClick does not fire.
  auto* object = dynamic_cast<TCkBaseDataItem*>(item);
  Action* action = object->AttachExtension(std::make_unique<Action>(object));
  xptest::Calls clicks;
  label->OnClick = clicks.Event();
  label->Click();
  EXPECT_EQ(action->runs, 1);
  EXPECT_EQ(clicks.n, 0);
  // A new caption detaches the provider.
  label->SetCaption(u"Own caption");
  EXPECT_EQ(label->Provider()->ProviderIntf(), nullptr);
  EXPECT_EQ(label->DisplayText(), u"Own caption");
  EXPECT_TRUE(p.sinks.empty());
}

namespace {

// Root: A (with B and C below it, D below C), E.
struct Tree {
  Provider p;
  ICkDataItem *a, *b, *c, *d, *e;
  static ICkDataItem* AddTo(TCkDataItemsList* List, const char16_t* ID) {
    auto item = std::make_unique<TCkBaseDataItem>(List);
    item->SetID(ID);
    return List->AppendItem(std::move(item));
  }
  static TCkDataItemsList* Below(ICkDataItem* Item) { return dynamic_cast<TCkBaseDataItem*>(Item)->SubItems(); }
  Tree() {
    a = AddTo(&p.root, u"A1");
    e = AddTo(&p.root, u"E5");
    b = AddTo(Below(a), u"B2");
    c = AddTo(Below(a), u"C3");
    d = AddTo(Below(c), u"D4");
  }
};

}  // namespace

TEST(DataProvider, PathsIndexPathsAndIDSearch) {
  Tree t;
  struct PathCase {
    const char16_t* path;
    ICkDataItem* found;
  };
  TCkDataItemsList* belowA = Tree::Below(t.a);
  const PathCase fromRoot[] = {{u"A1/C3", t.c}, {u"a1\\c3\\d4", t.d}, {u"X9/A1/B2", t.b},
                               {u"E5", t.e},    {u"B2", nullptr},     {u"", nullptr}};
  for (const PathCase& c : fromRoot) EXPECT_EQ(t.p.root.ItemByPath(c.path), c.found) << StringToUtf8(c.path);
  EXPECT_EQ(belowA->ItemByPath(u"../E5"), t.e) << "up to the list holding A";
  EXPECT_EQ(belowA->ItemByPath(u"/E5"), t.e) << "a leading separator starts at the root";
  EXPECT_EQ(belowA->ItemByPath(u"C3/D4"), t.d);
  EXPECT_EQ(t.p.root.ItemByIndexPath({0, 1}), t.c);
  EXPECT_EQ(t.p.root.ItemByIndexPath({}), nullptr);
  EXPECT_EQ(t.p.root.ItemByIndexPath({0, 0}), nullptr) << "B has no sub-item list";
  ICkDataIDSearch* search = Query<ICkDataIDSearch>(&t.p.root);
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->SearchID(u"d4", true), t.d);
  EXPECT_EQ(search->SearchID(u"D4", false), nullptr);
  EXPECT_EQ(Query<ICkDataItems>(t.a), belowA) << "an item answers with its sub-item list";
  EXPECT_EQ(Query<ICkDataIDSearch>(t.a), static_cast<ICkDataIDSearch*>(belowA));
}

TEST(DataProvider, AncestorsAndListChanges) {
  Tree t;
  EXPECT_TRUE(t.a->IsAncestorOf(t.d, false));
  EXPECT_FALSE(t.a->IsAncestorOf(t.d, true));
  EXPECT_TRUE(t.c->IsAncestorOf(t.d, true));
  EXPECT_FALSE(t.e->IsAncestorOf(t.d, false));
  EXPECT_FALSE(t.b->IsAncestorOf(t.c, false)) << "a sibling is no ancestor";

  // A consumer whose selected item lies below a deleted item loses it.
  TCkDataConsumer consumer(nullptr, {2});
  consumer.SetProviderIntf(&t.p);
  consumer.SetSelectedItem(t.d);
  t.p.root.DeleteItemAt(0);
  EXPECT_EQ(consumer.SelectedItem(), nullptr);

  // Image indexes: announced only when they change; clearing a list is
  // announced once for the list.
  auto* object = dynamic_cast<TCkBaseDataItem*>(t.e);
  auto* image = object->AttachExtension(std::make_unique<TCkDataItemImageImpl>(object));
  t.p.log.clear();
  image->SetImageIndex(3);
  image->SetImageIndex(3);
  image->SetAlignment(itemimage::iaRight);
  EXPECT_EQ(Query<ICkDataItemImage>(t.e)->ImageIndex(), 3);
  EXPECT_EQ(t.p.log.size(), 4u);
  t.p.log.clear();
  t.p.root.ClearItems();
  EXPECT_EQ(t.p.log, (std::vector<std::string>{"changing 3", "changed 3"}));
  EXPECT_EQ(t.p.root.ItemCount(), 0);
}

namespace {

// A consumer with a view list (attribute 3) over Tree's provider.
struct View {
  Tree t;
  TCkDataConsumer consumer{nullptr, {3}};
  TCkDataConsumerViewList* list = nullptr;
  explicit View(int AutoExpandLevel = 0) {
    consumer.SetProviderIntf(&t.p);
    for (auto& e : consumer.Extensions())
      if (auto* v = dynamic_cast<TCkDataConsumerViewList*>(e.get())) list = v;
    if (list) {
      list->SetAutoExpandLevel(AutoExpandLevel);
      list->RefreshView();
    }
  }
  // The entries as "ID:depth" with "+" when expanded and "*" when it has
  // sub-items.
  std::vector<std::string> Shown() const {
    std::vector<std::string> out;
    for (int i = 0; i < list->Count(); ++i) {
      const TViewListItem& e = list->Entries()[static_cast<size_t>(i)];
      out.push_back(StringToUtf8(e.ItemID) + ":" + std::to_string(list->ItemLevel(i)) +
                    (list->ItemIsExpanded(i) ? "+" : "") + (list->ItemHasChildren(i) ? "*" : ""));
    }
    return out;
  }
};

using Strings = std::vector<std::string>;

// An item aspect that hides the item.
class Hidden : public TCkAggregatedObject, public ICkDataItemVisibility {
 public:
  using TCkAggregatedObject::TCkAggregatedObject;
  uint8_t OwnVisibility() override { return 0; }
  void* OwnAspect(const std::type_info& Type) override {
    return Type == typeid(ICkDataItemVisibility) ? static_cast<ICkDataItemVisibility*>(this) : nullptr;
  }
};

}  // namespace

TEST(DataViewList, AutoExpandLevelsFlattenTheTree) {
  EXPECT_EQ(View(0).Shown(), (Strings{"A1:0*", "E5:0"}));
  EXPECT_EQ(View(1).Shown(), (Strings{"A1:0+*", "B2:1", "C3:1*", "E5:0"}));
  EXPECT_EQ(View(-1).Shown(), (Strings{"A1:0+*", "B2:1", "C3:1+*", "D4:2", "E5:0"}));
  Tree t;
  TCkDataConsumer plain(nullptr, {2});
  plain.SetProviderIntf(&t.p);
  EXPECT_TRUE(plain.Extensions().empty()) << "only attribute 3 asks for a view list";
}

TEST(DataViewList, HiddenItemsAndTheirSubItemsLeaveNoGap) {
  Tree t;
  auto* a = dynamic_cast<TCkBaseDataItem*>(t.a);
  a->AttachExtension(std::make_unique<Hidden>(a));
  TCkDataConsumer consumer(nullptr, {3});
  consumer.SetProviderIntf(&t.p);
  auto* list = dynamic_cast<TCkDataConsumerViewList*>(consumer.Extensions().front().get());
  list->SetAutoExpandLevel(-1);
  list->RefreshView();
  ASSERT_EQ(list->Count(), 1);
  EXPECT_EQ(list->Entries()[0].ItemID, u"E5");
}

TEST(DataViewList, ToggleCollapseAndRemove) {
  View v(0);
  v.list->ToggleItem(1);  // E5 has no sub-items
  EXPECT_EQ(v.Shown(), (Strings{"A1:0*", "E5:0"}));
  v.list->ToggleItem(0);
  EXPECT_EQ(v.Shown(), (Strings{"A1:0+*", "B2:1", "C3:1*", "E5:0"}));
  v.list->ToggleItem(2);
  EXPECT_EQ(v.Shown(), (Strings{"A1:0+*", "B2:1", "C3:1+*", "D4:2", "E5:0"}));
  v.list->ToggleItem(0);
  EXPECT_EQ(v.Shown(), (Strings{"A1:0*", "E5:0"})) << "exactly the shown sub-tree goes";
  // Removing the only shown child clears its parent's open and children
  // marks; removing one of two keeps them.
  View w(-1);
  w.t.p.AnnounceChanging(pcrDelete, w.t.d);
  EXPECT_EQ(w.Shown(), (Strings{"A1:0+*", "B2:1", "C3:1", "E5:0"}));
  w.t.p.AnnounceChanging(pcrDelete, w.t.b);
  EXPECT_EQ(w.Shown(), (Strings{"A1:0+*", "C3:1", "E5:0"}));
}

TEST(DataViewList, Queries) {
  View v(-1);
  TCkDataConsumerViewList* l = v.list;
  EXPECT_EQ(l->IndexOfID(u"c3"), 2) << "letter case ignored";
  EXPECT_EQ(l->IndexOfItem(v.t.d), 3);
  EXPECT_EQ(l->Item(3), v.t.d);
  EXPECT_EQ(l->ItemParentIndex(3), 2);
  EXPECT_EQ(l->ItemParent(3), v.t.c);
  EXPECT_EQ(l->ItemParentIndex(0), -1);
  EXPECT_EQ(l->ItemSiblingIndex(1), 2);
  EXPECT_EQ(l->ItemSibling(0), v.t.e);
  EXPECT_EQ(l->ItemSiblingIndex(2), -1);
  EXPECT_EQ(l->ChildIndexOfItem(v.t.c), 1);
  EXPECT_EQ(l->ChildIndexOfID(u"E5"), 1);
  EXPECT_EQ(l->SubItemIndex(0, 1), 2);
  EXPECT_EQ(l->SubItem(-1, 1), v.t.e);
  EXPECT_EQ(l->SubItemIndex(0, 5), -1);
  EXPECT_EQ(l->SubItemIndex(99, 0), -1);
  EXPECT_TRUE(l->ItemGroupInfo(0).empty());
  // B2's parent A1 has a next sibling (E5): bit 0.
  EXPECT_EQ(l->ItemGroupInfo(1), std::vector<uint32_t>{1u});
  // D4: A1 has a next sibling (bit 0), C3 has none (bit 1 clear).
  EXPECT_EQ(l->ItemGroupInfo(3), std::vector<uint32_t>{1u});
}

TEST(DataViewList, NewItemsAreShownWhereTheirParentIsOpen) {
  View v(0);
  Tree::AddTo(&v.t.p.root, u"F6");
  EXPECT_EQ(v.Shown(), (Strings{"A1:0*", "E5:0", "F6:0"}));
  // Below a closed parent: left alone, unless ExpandOnNewItem.
  Tree::AddTo(Tree::Below(v.t.c), u"G7");
  EXPECT_EQ(v.list->IndexOfID(u"G7"), -1);
  v.list->SetExpandOnNewItem(true);
  ICkDataItem* h = Tree::AddTo(Tree::Below(v.t.c), u"H8");
  EXPECT_EQ(v.Shown(), (Strings{"A1:0+*", "B2:1", "C3:1+*", "D4:2", "G7:2", "H8:2", "E5:0", "F6:0"}));
  EXPECT_EQ(v.list->Item(5), h);
  // Selecting an item shows its sub-items as the roots of the view.
  v.consumer.SetSelectedItem(v.t.c);
  EXPECT_EQ(v.Shown(), (Strings{"D4:0", "G7:0", "H8:0"}));
}

namespace {

// A provider with the contexts "Print" (fixed) and "Screen", and "Draft"
// nested below "Screen".
struct WithContexts {
  Provider p;
  ICkDataContext *print, *screen, *draft;
  TCkDataContexts* nested;
  std::unique_ptr<TCkDataContexts> below;
  WithContexts() {
    p.contexts = std::make_unique<TCkDataContexts>(&p, nullptr);
    print = p.contexts->AddContext(std::make_unique<TCkFixedDataContext>(p.contexts.get(), u"Print"));
    screen = p.contexts->AddContext(std::make_unique<TCkDataContext>(p.contexts.get(), u"Screen"));
    below = std::make_unique<TCkDataContexts>(&p, screen);
    nested = below.get();
    draft = nested->AddContext(std::make_unique<TCkDataContext>(nested, u"Draft"));
  }
};

}  // namespace

TEST(DataContexts, ListsNamesPathsAndDeletion) {
  WithContexts w;
  EXPECT_EQ(w.p.contexts->ContextByPath(u"screen"), w.screen);
  EXPECT_EQ(w.nested->ContextByPath(u"../Print"), w.print);
  EXPECT_EQ(w.nested->ContextByPath(u"/Screen"), w.screen);
  EXPECT_EQ(w.nested->ContextByPath(u"Nothing"), nullptr);
  try {
    w.p.contexts->AddContext(std::make_unique<TCkDataContext>(w.p.contexts.get(), u"PRINT"));
    FAIL() << "a second context of one name";
  } catch (const ECKDataContexts& e) {
    EXPECT_EQ(e.Message(), u"A context with that name already exists");
  }
  EXPECT_THROW(TCkDataContext(nullptr, u"x"), ECKDataContexts);
  w.p.log.clear();
  w.p.contexts->DeleteContext(w.print);
  EXPECT_EQ(w.p.contexts->ContextCount(), 2) << "a fixed context stays";
  EXPECT_TRUE(w.p.log.empty());
}

TEST(DataContexts, ConsumerSelectsTheFirstContextAndStoresOnlyAnother) {
  WithContexts w;
  TCkDataConsumer consumer(nullptr, {2});
  consumer.SetProviderIntf(&w.p);
  EXPECT_EQ(consumer.ContextIntf(), w.print);
  EXPECT_FALSE(consumer.ContextStored());
  consumer.SetContext(u"Screen");
  EXPECT_EQ(consumer.ContextIntf(), w.screen);
  EXPECT_TRUE(consumer.ContextStored());
  consumer.SetContext(u"SCREEN");
  EXPECT_EQ(consumer.ContextIntf(), w.screen);
  try {
    consumer.SetContext(u"Paper");
    FAIL();
  } catch (const ECKDataConsumer& e) {
    EXPECT_EQ(e.Message(), u"Provider has no context named \"Paper\"");
  }
  // Enter makes the consumer's context the provider's current one.
  consumer.Enter();
  EXPECT_EQ(w.p.CurrentContext(), w.screen);
  consumer.Leave();
  EXPECT_EQ(w.p.CurrentContext(), nullptr);

  TCkDataConsumer none(nullptr, {2});
  try {
    none.SetContext(u"Screen");
    FAIL();
  } catch (const ECKDataConsumer& e) {
    EXPECT_EQ(e.Message(), u"You must specify a provider before setting the context");
  }
}

TEST(DataContexts, ContextTextsClimbToTheirAncestors) {
  WithContexts w;
  auto item = std::make_unique<TCkBaseDataItem>(&w.p.root);
  auto* text = item->AttachExtension(std::make_unique<TCkDataItemContextTextImpl>(item.get(), u"plain"));
  w.p.root.AppendItem(std::move(item));
  w.p.PushContext(w.screen);
  EXPECT_EQ(text->Text(), u"plain") << "no text of its own or of an ancestor";
  w.p.log.clear();
  text->SetText(u"for screens");
  text->SetText(u"for screens");
  EXPECT_EQ(w.p.log.size(), 2u) << "one change, announced once";
  EXPECT_FALSE(text->IsEqualToAncestor());
  w.p.PopContext();
  EXPECT_EQ(text->Text(), u"plain");
  w.p.PushContext(w.draft);
  EXPECT_EQ(text->Text(), u"for screens") << "Draft lies below Screen";
  w.p.PopContext();
  w.p.PushContext(w.screen);
  Query<ICkDataContextSensitive>(w.p.root.ItemAt(0))->RevertToAncestor();
  EXPECT_EQ(text->Text(), u"plain");
  EXPECT_TRUE(text->IsEqualToAncestor());
  w.p.PopContext();
}

TEST(DataProvider, ItemSelectedByID) {
  Tree t;
  TCkDataConsumer consumer(nullptr, {2});
  try {
    consumer.SetItem(u"D4");
    FAIL();
  } catch (const ECKDataConsumer& e) {
    EXPECT_EQ(e.Message(), u"You must specify a provider before setting the item");
  }
  consumer.SetProviderIntf(&t.p);
  consumer.SetItem(u"d4");
  EXPECT_EQ(consumer.SelectedItem(), t.d) << "found below the root, letter case ignored";
  EXPECT_EQ(consumer.Item(), u"D4");
  try {
    consumer.SetItem(u"Z0");
    FAIL();
  } catch (const ECKDataConsumer& e) {
    EXPECT_EQ(e.Message(), u"Item not found in the selected context");
  }
  consumer.SetItem(u"");
  EXPECT_EQ(consumer.SelectedItem(), nullptr);
  EXPECT_TRUE(t.p.consumers.empty());
}

TEST(DataProvider, ListManagementAndImageLists) {
  Tree t;
  ICkDataItemsManagement* manage = Query<ICkDataItemsManagement>(&t.p.root);
  ASSERT_NE(manage, nullptr);
  ICkDataItem* e = t.e;
  t.p.log.clear();
  manage->RemoveItem(e);
  EXPECT_EQ(e, nullptr) << "the caller's reference is cleared";
  EXPECT_EQ(t.p.root.ItemCount(), 1);
  EXPECT_EQ(t.p.log, (std::vector<std::string>{"changing 1", "changed 1"}));
  auto* images = t.p.root.AttachExtension(std::make_unique<TCkCustomDataItemsImages>(&t.p.root));
  TObject list;
  t.p.log.clear();
  images->SetImages(&list);
  images->SetImages(&list);
  EXPECT_EQ(Query<ICkDataItemsImages>(&t.p.root)->Images(), &list);
  EXPECT_EQ(t.p.log, (std::vector<std::string>{"changing 3", "changed 3"}));
}
