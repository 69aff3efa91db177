#include <gtest/gtest.h>

#include <vector>

#include "fw/core/collection.h"
#include "fw/core/component.h"
#include "fw/core/rtti.h"

namespace fw {
namespace {

class TColumn : public TCollectionItem {
  FW_CLASS(TColumn, TCollectionItem)
  String caption;
  int width = 50;
  void SetCaption(const String& v) {
    caption = v;
    Changed(false);
  }
  void Assign(TPersistent* Source) override {
    if (auto* s = dynamic_cast<TColumn*>(Source)) {
      caption = s->caption;
      width = s->width;
    } else {
      inherited::Assign(Source);
    }
  }
  String DisplayName() const override { return caption; }
};

class TOtherItem : public TCollectionItem {
  FW_CLASS(TOtherItem, TCollectionItem)
};

// Records update reports and notifications.
class TColumns : public TCollection {
  FW_CLASS(TColumns, TCollection)
  explicit TColumns(TPersistent* owner = nullptr) : TCollection(TColumn::StaticClass(), owner) {}
  TColumn* Items(int i) const { return static_cast<TColumn*>(TCollection::Items(i)); }
  std::vector<String> log;

 protected:
  void Update(TCollectionItem* Item) override {
    log.push_back(Item ? u"update " + static_cast<TColumn*>(Item)->caption : String(u"update all"));
  }
  void Notify(TCollectionItem* Item, TCollectionNotification Action) override {
    static const char16_t* names[] = {u"added", u"extracting", u"deleting"};
    log.push_back(String(names[Action]) + u" " + String(1, static_cast<char16_t>(u'0' + Item->ID())));
  }
};

}  // namespace

FW_REGISTER(TColumn) {
  c.Property(u"Caption", &TColumn::caption, &TColumn::SetCaption);
  c.Property(u"Width", &TColumn::width, &TColumn::width).Default(50);
}
FW_REGISTER(TOtherItem) {}
FW_REGISTER(TColumns) {}

namespace {

TEST(Collection, AddDeleteAndItemsKeepOrderAndIds) {
  TColumns cols;
  auto* a = static_cast<TColumn*>(cols.Add());
  auto* b = static_cast<TColumn*>(cols.Add());
  auto* c = static_cast<TColumn*>(cols.Add());
  EXPECT_EQ(cols.Count(), 3);
  EXPECT_EQ(cols.Items(1), b);
  EXPECT_EQ(c->Index(), 2);
  EXPECT_EQ(c->ID(), 2);
  EXPECT_EQ(a->Collection(), &cols);
  cols.Delete(1);
  EXPECT_EQ(cols.Count(), 2);
  EXPECT_EQ(cols.Items(1), c);
  EXPECT_EQ(cols.FindItemID(2), c);
  EXPECT_EQ(cols.FindItemID(1), nullptr);
  auto* d = static_cast<TColumn*>(cols.Insert(0));
  EXPECT_EQ(d->ID(), 3);  // ids are never reused
  EXPECT_EQ(cols.Items(0), d);
  EXPECT_THROW(cols.Items(3), EListError);
  EXPECT_THROW(cols.Delete(-1), EListError);
  delete a;  // an item freed directly leaves its collection
  EXPECT_EQ(cols.Count(), 2);
  cols.Clear();
  EXPECT_EQ(cols.Count(), 0);
}

TEST(Collection, ReportsChangesOnlyOutsideTheUpdateBracket) {
  TColumns cols;
  auto* a = static_cast<TColumn*>(cols.Add());
  EXPECT_EQ(cols.log, (std::vector<String>{u"added 0", u"update all"}));
  cols.log.clear();
  a->SetCaption(u"Name");
  EXPECT_EQ(cols.log, (std::vector<String>{u"update Name"}));
  cols.log.clear();
  cols.BeginUpdate();
  cols.BeginUpdate();
  cols.Add();
  a->SetCaption(u"Size");
  cols.EndUpdate();
  EXPECT_EQ(cols.log, (std::vector<String>{u"added 1"}));
  cols.EndUpdate();
  EXPECT_EQ(cols.log, (std::vector<String>{u"added 1", u"update all"}));
  cols.log.clear();
  cols.Delete(0);
  EXPECT_EQ(cols.log, (std::vector<String>{u"deleting 0", u"extracting 0", u"update all"}));
  cols.EndUpdate();  // an extra EndUpdate leaves the count at 0
  EXPECT_EQ(cols.UpdateCount(), 0);
}

TEST(Collection, IndexMovesAnItem) {
  TColumns cols;
  TColumn* c[3];
  for (auto& p : c) p = static_cast<TColumn*>(cols.Add());
  c[0]->SetIndex(2);
  EXPECT_EQ(cols.Items(0), c[1]);
  EXPECT_EQ(cols.Items(2), c[0]);
  EXPECT_THROW(c[1]->SetIndex(3), EListError);
  EXPECT_EQ(c[1]->Index(), 0);
}

TEST(Collection, AssignCopiesItemsAndItemClassIsEnforced) {
  TComponent owner(nullptr);
  TColumns src(&owner);
  EXPECT_EQ(src.Owner(), &owner);
  auto* x = static_cast<TColumn*>(src.Add());
  x->caption = u"X";
  x->width = 10;
  src.Add()->Assign(x);
  TColumns dst;
  dst.Add();
  dst.Assign(&src);
  ASSERT_EQ(dst.Count(), 2);
  EXPECT_EQ(dst.Items(1)->caption, u"X");
  EXPECT_EQ(dst.Items(1)->width, 10);
  EXPECT_NE(dst.Items(0), src.Items(0));

  TOtherItem* other = new TOtherItem();
  EXPECT_THROW(other->SetCollection(&dst), EListError);
  EXPECT_EQ(other->Collection(), nullptr);
  delete other;
  EXPECT_THROW(TColumns().Assign(&owner), EConvertError);
  EXPECT_THROW(TCollection{TComponent::StaticClass()}, EListError);
}

TEST(Collection, ItemsMoveBetweenCollectionsAndArePublished) {
  TColumns a, b;
  TCollectionItem* item = a.Add();
  item->SetCollection(&b);
  EXPECT_EQ(a.Count(), 0);
  EXPECT_EQ(b.Items(0), item);
  SetPropValue(item, u"Caption", TValue(u"Moved"));
  EXPECT_EQ(b.Items(0)->DisplayName(), u"Moved");
  EXPECT_EQ(GetPropValue(item, u"Width").AsOrdinal(), 50);
}

}  // namespace
}  // namespace fw
