// Option objects with an update bracket, their name paths, and thread names.
#include <gtest/gtest.h>

#include "controls/base/cktypes.h"
#include "fw/core/rtti.h"

using namespace ck;
using namespace fw;

namespace {

struct Counter {
  int changing = 0, changed = 0;
  std::vector<String> props;
  void Changing(TObject*) { ++changing; }
  void Changed(TObject*) { ++changed; }
  void Prop(TObject*, const String& name) { props.push_back(name); }
};

TEST(CkPersistentProperty, ABracketFiresChangingOnceAtItsStartAndChangedOnceAtItsEnd) {
  TCkPersistentProperty p(static_cast<TComponent*>(nullptr));
  Counter c;
  p.OnChanging = TNotifyEvent(&c, &Counter::Changing);
  p.OnChanged = TNotifyEvent(&c, &Counter::Changed);
  p.OnChangedProperty = TCkPropertyChangeEvent(&c, &Counter::Prop);
  p.BeginUpdate();
  EXPECT_EQ(c.changing, 1);
  p.BeginUpdate();
  p.FireChanged();
  p.FireChangedProperty(u"Color");  // fires at once, bracket or not
  EXPECT_EQ(c.props, std::vector<String>{u"Color"});
  p.EndUpdate();
  EXPECT_EQ(c.changed, 0);
  p.EndUpdate();
  EXPECT_EQ(c.changing, 1);
  EXPECT_EQ(c.changed, 1);
  p.EndUpdate();  // unbalanced: nothing
  EXPECT_EQ(c.changed, 1);
  p.FireChanged();
  EXPECT_EQ(c.changed, 2);
}

TEST(CkPersistent, TheNamePathFollowsANamedOwner) {
  TComponent form(nullptr);
  form.SetName(u"Form1");
  TComponent panel(&form);
  panel.SetName(u"Panel1");
  TCkPersistent options(&panel);
  options.SetName(u"Options");
  EXPECT_EQ(options.GetOwner(), &panel);
  EXPECT_EQ(options.GetNamePath(), u"Panel1.Options");
  TCkPersistent loose(&form);
  loose.SetName(u"Loose");
  EXPECT_EQ(loose.GetNamePath(), u"Loose");  // the owner has no owner itself
}

class TTestFadeThread : public TCkCustomThread {
  FW_CLASS(TTestFadeThread, TCkCustomThread)
  TTestFadeThread() : TCkCustomThread(true) {}

 protected:
  void Execute() override {}
};
FW_REGISTER(TTestFadeThread) {}

TEST(CkCustomThread, TheThreadNameIsTheClassNameOrTheNameWithTheClassInBraces) {
  TTestFadeThread t;
  EXPECT_EQ(t.ThreadName(), u"TTestFadeThread");
  t.SetThreadName(u"Roll");
  EXPECT_EQ(t.ThreadName(), u"Roll {TTestFadeThread}");
}

}  // namespace
