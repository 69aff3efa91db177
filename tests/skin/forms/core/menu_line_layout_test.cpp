// The menu line's layout with an MDI child's menu merged: which frame and
// child items are drawn, in which order and where, and where child items
// wrap to a new row.
#include "skin/forms/core/menu_line_layout.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace skin {
namespace {

// Items of the given groups, 40 pixels wide.
std::vector<TkLineItemFacts> Items(std::initializer_list<int> groups) {
  std::vector<TkLineItemFacts> items;
  for (int g : groups) items.push_back({g, true, true, 40});
  return items;
}

void PrintTo(const TkLinePlace& p, std::ostream* os) {
  *os << (p.Child ? "C" : "F") << p.Index << "@(" << p.X << "," << p.Y << ")w" << p.Width;
}

// The order drawn: "F0" for the frame's first item, "C1" for the child's
// second.
std::string Order(const std::vector<TkLinePlace>& places) {
  std::string s;
  for (const TkLinePlace& p : places) s += (s.empty() ? "" : " ") + std::string(p.Child ? "C" : "F") + std::to_string(p.Index);
  return s;
}

TEST(MenuLineLayout, OrderOfFrameAndChildItems) {
  struct Case {
    const char* name;
    std::vector<TkLineItemFacts> frame, child;
    std::string order;
  };
  auto hidden = [](std::vector<TkLineItemFacts> v, size_t i) {
    v[i].Visible = false;
    return v;
  };
  auto unhooked = [](std::vector<TkLineItemFacts> v, size_t i) {
    v[i].HasHandlers = false;
    return v;
  };
  const Case cases[] = {
      {"no child: every visible frame item, all of group 0", Items({0, 0, 0}), {}, "F0 F1 F2"},
      {"an invisible frame item is left out", hidden(Items({0, 1, 2}), 1), {}, "F0 F2"},
      {"the child's group 1 takes the frame's group 1", Items({0, 1, 2}), Items({1}), "F0 C0 F2"},
      {"two child items of group 1 take the place of one", Items({0, 1, 2}), Items({1, 1}), "F0 C0 C1 F2"},
      {"a child's group above every frame group goes last", Items({0, 1, 2}), Items({5}), "F0 F1 F2 C0"},
      {"groups 1 and 5: in place and last", Items({0, 1, 2}), Items({1, 5}), "F0 C0 F2 C1"},
      {"the child's group 0 replaces all frame items of group 0", Items({0, 0, 1}), Items({0}), "C0 F2"},
      {"a child group between frame groups goes before the higher one", Items({0, 2, 4}), Items({3}),
       "F0 F1 C0 F2"},
      {"a child group below the frame's first", Items({2, 3}), Items({1}), "C0 F0 F1"},
      {"an invisible child item is not drawn and replaces nothing", Items({0, 1, 2}), hidden(Items({1}), 0),
       "F0 F1 F2"},
      {"a child with only invisible items draws nothing of it", Items({0, 1, 2}),
       hidden(hidden(Items({1, 5}), 0), 1), "F0 F1 F2"},
      {"a child item without handlers is not drawn", Items({0, 1, 2}), unhooked(Items({1, 5}), 1), "F0 C0 F2"},
      {"a frame without visible items: the child's items alone", hidden(Items({0}), 0), Items({0, 1}), "C0 C1"},
      {"an invisible frame item of the child's group: the child's items before the next", hidden(Items({0, 1, 2}), 1),
       Items({1}), "F0 C0 F2"},
      {"a child group at or below one drawn before is not drawn", Items({0, 1, 2}), Items({0, 1, 0, 2}),
       "C0 C1 C3"},
  };
  for (const Case& c : cases) {
    TkMenuLineInput in;
    in.Frame = c.frame;
    in.Child = c.child;
    in.StartX = 4;
    in.RowHeight = 19;
    in.Limit = 1000;
    EXPECT_EQ(Order(MenuLineLayout(in)), c.order) << c.name;
  }
}

TEST(MenuLineLayout, PlacesItemsFromTheStartAfterTheChildsWindowMenu) {
  TkMenuLineInput in;
  in.Frame = {{0, true, true, 30}, {1, true, true, 50}, {2, true, true, 20}};
  in.Child = {{1, true, true, 60}, {1, true, true, 25}, {7, true, true, 45}};
  in.StartX = 4;
  in.StartY = 22;
  in.RowHeight = 19;
  in.Limit = 1000;
  in.IconWidth = 18;
  const std::vector<TkLinePlace> expected{
      {false, 0, 22, 22, 30}, {true, 0, 52, 22, 60}, {true, 1, 112, 22, 25}, {false, 2, 137, 22, 20},
      {true, 2, 157, 22, 45}};
  EXPECT_EQ(MenuLineLayout(in), expected);
  // Without the window menu everything starts at the line's start.
  in.IconWidth = 0;
  EXPECT_EQ(MenuLineLayout(in).front().X, 4);
}

TEST(MenuLineLayout, ChildItemsWrapToANewRowWhenTheyWouldPassTheLimit) {
  TkMenuLineInput in;
  in.Frame = Items({0, 1});
  in.Child = Items({2, 3, 4});
  in.StartX = 4;
  in.StartY = 22;
  in.RowHeight = 19;
  // Frame items end at 84; the first child item fits (124), the second
  // would pass 150 and starts a new row, the third follows it.
  in.Limit = 150;
  const std::vector<TkLinePlace> places = MenuLineLayout(in);
  ASSERT_EQ(Order(places), "F0 F1 C0 C1 C2");
  EXPECT_EQ(places[2].X, 84);
  EXPECT_EQ(places[2].Y, 22);
  EXPECT_EQ(places[3].X, 4);
  EXPECT_EQ(places[3].Y, 41);
  EXPECT_EQ(places[4].X, 44);
  EXPECT_EQ(places[4].Y, 41);
  // An item wider than the whole line stays on its row when it starts it.
  in.Frame.clear();
  in.Child = {{0, true, true, 400}};
  EXPECT_EQ(MenuLineLayout(in).front().Y, 22);
  // Exactly reaching the limit is no passing.
  in.Child = Items({0, 0});
  in.Limit = 84;
  EXPECT_EQ(MenuLineLayout(in).back().Y, 22);
}

}  // namespace
}  // namespace skin
