// A stored point and rectangle tell their owner of each change once: a
// coordinate set to its own value tells nothing, a whole point one change,
// a copy from another always one, and a rectangle repeats its corners'.
#include "services/core/ckgeometry.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace services {
namespace {

class TCounter : public fw::TObject {
 public:
  int changes = 0;
  void Changed(fw::TObject*) { ++changes; }
};

TEST(CkPoint, ChangesAreAnnouncedOncePerRealChange) {
  struct Case {
    const char* name;
    std::function<void(TCkPoint&)> act;
    int changes;
    fw::TPoint after;
  };
  TCkPoint other;
  other.SetAsPoint(fw::TPoint{1, 2});
  const std::vector<Case> cases = {
      {"X to a new value", [](TCkPoint& p) { p.SetX(5); }, 1, {5, 0}},
      {"X to its value", [](TCkPoint& p) { p.SetX(0); }, 0, {0, 0}},
      {"AsPoint new", [](TCkPoint& p) { p.SetAsPoint(fw::TPoint{3, 4}); }, 1, {3, 4}},
      {"AsPoint same", [](TCkPoint& p) { p.SetAsPoint(fw::TPoint{0, 0}); }, 0, {0, 0}},
      {"AssignPoint both new", [](TCkPoint& p) { p.AssignPoint(fw::TPoint{3, 4}); }, 2, {3, 4}},
      {"AssignPoint one new", [](TCkPoint& p) { p.AssignPoint(fw::TPoint{0, 4}); }, 1, {0, 4}},
      {"Assign another", [&](TCkPoint& p) { p.Assign(&other); }, 1, {1, 2}},
      {"Assign itself unchanged", [](TCkPoint& p) { p.Assign(&p); }, 1, {0, 0}},
  };
  for (const Case& c : cases) {
    TCkPoint p;
    TCounter counter;
    p.OnChange = fw::TNotifyEvent(&counter, &TCounter::Changed);
    c.act(p);
    EXPECT_EQ(counter.changes, c.changes) << c.name;
    EXPECT_EQ(p.AsPoint(), c.after) << c.name;
  }
}

TEST(CkRect, SidesSizesAndCopiesGoThroughTheCornersAndAnnounceEachChange) {
  TCkRect r;
  TCounter counter;
  r.OnChange = fw::TNotifyEvent(&counter, &TCounter::Changed);
  r.SetLeft(5);
  r.SetWidth(20);
  EXPECT_EQ(r.Right(), 25);
  EXPECT_EQ(counter.changes, 2);
  r.SetTop(3);
  r.SetHeight(7);
  EXPECT_EQ(r.Bottom(), 10);
  fw::TRect copy;
  r.CopyToRect(copy);
  EXPECT_EQ(copy, fw::Rect(5, 3, 25, 10));
  EXPECT_EQ(r.Width(), 20);
  EXPECT_EQ(r.Height(), 7);

  counter.changes = 0;
  r.AssignRect(fw::Rect(5, 3, 30, 10));
  EXPECT_EQ(counter.changes, 1) << "only the right side changed";

  TCkRect other;
  other.AssignRect(fw::Rect(1, 2, 3, 4));
  counter.changes = 0;
  r.Assign(&other);
  EXPECT_EQ(counter.changes, 3) << "each corner, then the rectangle";
  r.CopyToRect(copy);
  EXPECT_EQ(copy, fw::Rect(1, 2, 3, 4));
}

TEST(CkPoint, AssigningAnotherKindIsRefused) {
  TCkPoint p;
  TCkRect r;
  EXPECT_ANY_THROW(p.Assign(&r));
  EXPECT_ANY_THROW(r.Assign(&p));
}

}  // namespace
}  // namespace services
