#include <gtest/gtest.h>

#include <vector>

#include "fw/core/component.h"
#include "fw/core/rtti.h"

namespace fw {
namespace {

// Records what happens to it in a shared log.
class TLogged : public TComponent {
  FW_CLASS(TLogged, TComponent)
  TLogged(TComponent* AOwner, std::vector<String>* log, String tag)
      : TComponent(AOwner), log_(log), tag_(std::move(tag)) {}
  explicit TLogged(TComponent* AOwner) : TComponent(AOwner) {}
  ~TLogged() override {
    if (log_) log_->push_back(u"free " + tag_ + (ComponentState().Contains(csDestroying) ? u" going" : u""));
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (log_ && AComponent != this)
      log_->push_back(tag_ + (Operation == opInsert ? u" +" : u" -") + AComponent->Name());
  }
  void Loaded() override {
    inherited::Loaded();
    if (log_) log_->push_back(u"loaded " + tag_);
  }

 private:
  std::vector<String>* log_ = nullptr;
  String tag_;
};

// Holds a reference to another component and lets go when it is freed.
class TWatcher : public TComponent {
  FW_CLASS(TWatcher, TComponent)
  using TComponent::TComponent;
  TComponent* FBuddy = nullptr;
  int* cleared = nullptr;
  void SetBuddy(TComponent* v) {
    if (FBuddy) FBuddy->RemoveFreeNotification(this);
    FBuddy = v;
    if (v) v->FreeNotification(this);
  }
  void Notification(TComponent* AComponent, TOperation Operation) override {
    inherited::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FBuddy) {
      FBuddy = nullptr;
      if (cleared) ++*cleared;
    }
  }
};

}  // namespace

FW_REGISTER(TLogged) {}
FW_REGISTER(TWatcher) {}

namespace {

TEST(Component, FreeingAnOwnerFreesItsComponentsLastFirst) {
  std::vector<String> log;
  auto* form = new TLogged(nullptr, &log, u"form");
  auto* a = new TLogged(form, &log, u"a");
  new TLogged(form, &log, u"b");
  new TLogged(a, &log, u"a1");
  ASSERT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->Components(0), a);
  log.clear();
  form->Free();
  // Each component knows it is going before its destructor runs.
  EXPECT_EQ(log, (std::vector<String>{u"free form going", u"free b going", u"free a going", u"free a1 going"}));
}

TEST(Component, ComponentLeavesItsOwnerWhenFreed) {
  TComponent owner(nullptr);
  auto* a = new TComponent(&owner);
  auto* b = new TComponent(&owner);
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  EXPECT_EQ(b->ComponentIndex(), 0);
  EXPECT_THROW(owner.Components(1), EListError);
}

TEST(Component, FreeNotificationClearsReferenceWhenTheOtherGoes) {
  // Across owners, and among components of one owner.
  TComponent form1(nullptr);
  TComponent form2(nullptr);
  auto* watcher = new TWatcher(&form1);
  auto* target = new TComponent(&form2);
  watcher->SetBuddy(target);
  EXPECT_TRUE(target->ComponentState().Contains(csFreeNotification));
  delete target;
  EXPECT_EQ(watcher->FBuddy, nullptr);

  auto* sibling = new TComponent(&form1);
  watcher->SetBuddy(sibling);
  form1.RemoveComponent(sibling);  // leaves the form: siblings hear of it
  EXPECT_EQ(watcher->FBuddy, nullptr);
  delete sibling;

  // The watcher going first must not leave a dangling entry behind.
  auto* kept = new TComponent(&form2);
  watcher->SetBuddy(kept);
  delete watcher;
  delete kept;
}

TEST(Component, OwnerFreeingSiblingsLetsWatchersGo) {
  for (bool watcherFirst : {true, false}) {
    SCOPED_TRACE(watcherFirst);
    auto* form = new TComponent(nullptr);
    TComponent* target = nullptr;
    TWatcher* watcher = nullptr;
    if (!watcherFirst) target = new TComponent(form);
    watcher = new TWatcher(form);
    if (watcherFirst) target = new TComponent(form);
    int cleared = 0;
    watcher->cleared = &cleared;
    watcher->SetBuddy(target);
    // Freed last to first: a watcher created first sees its buddy go; one
    // created last goes first and must leave no entry behind in its buddy.
    form->Free();
    EXPECT_EQ(cleared, watcherFirst ? 1 : 0);
  }
}

TEST(Component, InsertAndRemoveAreReportedToOwnerAndSiblings) {
  std::vector<String> log;
  TLogged form(nullptr, &log, u"form");
  auto* sibling = new TLogged(&form, &log, u"sib");
  TComponent loose(nullptr);
  loose.SetName(u"Loose");
  log.clear();
  form.InsertComponent(&loose);
  EXPECT_EQ(loose.Owner(), &form);
  form.RemoveComponent(&loose);
  EXPECT_EQ(loose.Owner(), nullptr);
  EXPECT_EQ(log, (std::vector<String>{u"sib +Loose", u"form +Loose", u"sib -Loose", u"form -Loose"}));
  (void)sibling;
}

TEST(Component, NamesAreValidatedAndUniqueAmongTheOwners) {
  TComponent form(nullptr);
  auto* a = new TComponent(&form);
  auto* b = new TComponent(&form);
  a->SetName(u"Button1");
  const char16_t* bad[] = {u"1st", u"with space", u"a.b", u"-"};
  for (const char16_t* name : bad) {
    try {
      b->SetName(name);
      ADD_FAILURE() << StringToUtf8(name);
    } catch (const EComponentError& e) {
      EXPECT_EQ(e.Message(), u"'" + String(name) + u"' is not a valid component name");
    }
  }
  try {
    b->SetName(u"BUTTON1");
    ADD_FAILURE();
  } catch (const EComponentError& e) {
    EXPECT_EQ(e.Message(), u"A component named BUTTON1 already exists");
  }
  EXPECT_EQ(b->Name(), u"");
  a->SetName(u"BUTTON1");  // a new spelling of its own name is fine
  b->SetName(u"_Button2");
  EXPECT_EQ(form.FindComponent(u"button1"), a);
  EXPECT_EQ(form.FindComponent(u"_BUTTON2"), b);
  EXPECT_EQ(form.FindComponent(u""), nullptr);
  EXPECT_EQ(form.FindComponent(u"Button3"), nullptr);
  // Unnamed components do not clash, and a free component can take any name.
  new TComponent(&form);
  TComponent loose(nullptr);
  loose.SetName(u"Button1");
  EXPECT_THROW(form.InsertComponent(&loose), EComponentError);
  EXPECT_EQ(loose.Owner(), nullptr);
}

TEST(Component, StateFlagsAndLoaded) {
  std::vector<String> log;
  TLogged c(nullptr, &log, u"c");
  c.SetLoading(true);
  c.SetReading(true);
  EXPECT_EQ(c.ComponentState(), (TComponentState{csLoading, csReading}));
  c.SetReading(false);
  c.Loaded();
  EXPECT_TRUE(c.ComponentState().Empty());
  EXPECT_EQ(log.back(), u"loaded c");
  auto* child = new TComponent(&c);
  c.SetDesigning(true);
  EXPECT_TRUE(child->ComponentState().Contains(csDesigning));
  auto* late = new TComponent(&c);
  EXPECT_TRUE(late->ComponentState().Contains(csDesigning));
}

TEST(Component, ComponentIndexMovesWithinTheOwner) {
  TComponent form(nullptr);
  TComponent* c[3];
  for (auto& p : c) p = new TComponent(&form);
  c[2]->SetComponentIndex(0);
  EXPECT_EQ(form.Components(0), c[2]);
  EXPECT_EQ(form.Components(1), c[0]);
  EXPECT_EQ(c[1]->ComponentIndex(), 2);
  TComponent loose(nullptr);
  EXPECT_EQ(loose.ComponentIndex(), -1);
}

TEST(Component, TagAndNameArePublished) {
  TComponent c(nullptr);
  SetPropValue(&c, u"Tag", TValue(0x100));
  SetPropValue(&c, u"Name", TValue(u"Panel2"));
  EXPECT_EQ(c.Tag(), 0x100);
  EXPECT_EQ(c.Name(), u"Panel2");
  EXPECT_THROW(SetPropValue(&c, u"Name", TValue(u"2x")), EComponentError);
  const TPropInfo* tag = GetPropInfo(&c, u"Tag");
  EXPECT_TRUE(tag->HasDefault());
  EXPECT_EQ(tag->Default(), 0);
}

class TCopyable : public TPersistent {
  FW_CLASS(TCopyable, TPersistent)
  int value = 0;
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TCopyable*>(Source)) value = s->value;
    else inherited::Assign(Source);
  }
};

}  // namespace

FW_REGISTER(TCopyable) {}

namespace {

TEST(Persistent, AssignCopiesKnownClassesAndRejectsOthers) {
  TCopyable a, b;
  a.value = 7;
  b.Assign(&a);
  EXPECT_EQ(b.value, 7);
  TComponent c(nullptr);
  try {
    b.Assign(&c);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a TComponent to a TCopyable");
  }
  try {
    b.Assign(nullptr);
    ADD_FAILURE();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), u"Cannot assign a nil to a TCopyable");
  }
}

class TTarget {
 public:
  int sum = 0;
  void Add(int v) { sum += v; }
  void Twice(int v) { sum += 2 * v; }
  int Get() const { return sum; }
  virtual ~TTarget() = default;
  virtual void Virt(int v) { sum -= v; }
};

TEST(Event, MethodPointersCallCompareAndClear) {
  TTarget t1, t2;
  TEvent<void(int)> empty;
  EXPECT_FALSE(empty.Assigned());
  empty(5);  // nothing happens
  TEvent<void(int)> add(&t1, &TTarget::Add);
  ASSERT_TRUE(add);
  add(3);
  EXPECT_EQ(t1.sum, 3);
  EXPECT_EQ(add, TEvent<void(int)>(&t1, &TTarget::Add));
  EXPECT_FALSE(add == TEvent<void(int)>(&t2, &TTarget::Add));
  EXPECT_FALSE(add == TEvent<void(int)>(&t1, &TTarget::Twice));
  TEvent<void(int)> virt(&t1, &TTarget::Virt);
  virt(1);
  EXPECT_EQ(t1.sum, 2);
  TEvent<int()> get(&t1, &TTarget::Get);
  EXPECT_EQ(get(), 2);
  EXPECT_EQ(TEvent<int()>()(), 0);
  add.Clear();
  EXPECT_TRUE(add == nullptr);
  EXPECT_EQ(add, empty);
}

}  // namespace
}  // namespace fw
