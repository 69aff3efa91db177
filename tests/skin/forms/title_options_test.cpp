// The title's options: which changes repaint the frame (not while loading,
// not for the same value), user buttons copied without their visibility,
// their mouse events, and the added title's "no colour" font.
#include "skin/forms/title_options.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

struct Counter {
  int repaints = 0;
  TkTitleOwner owner;
  Counter() { owner.Repaint = [this] { ++repaints; }; }
};

TEST(TitleOptions, VisibleChangesRepaintTheFrameUnlessLoading) {
  const struct {
    const char* name;
    std::function<void(TkTitleIcon&, TkTitleButton&, TkcAddedTitle&)> change;
    int repaints, whileLoading;
  } cases[] = {
      {"icon hidden", [](TkTitleIcon& i, TkTitleButton&, TkcAddedTitle&) { i.SetVisible(false); }, 1, 0},
      {"icon shown as it was", [](TkTitleIcon& i, TkTitleButton&, TkcAddedTitle&) { i.SetVisible(true); }, 0, 0},
      {"icon size", [](TkTitleIcon& i, TkTitleButton&, TkcAddedTitle&) { i.Width = i.Height = 20; }, 0, 0},
      {"button hidden", [](TkTitleIcon&, TkTitleButton& b, TkcAddedTitle&) { b.SetVisible(false); }, 1, 1},
      {"added text", [](TkTitleIcon&, TkTitleButton&, TkcAddedTitle& t) { t.SetText(u"more"); }, 1, 0},
      {"same added text", [](TkTitleIcon&, TkTitleButton&, TkcAddedTitle& t) { t.SetText(u""); }, 0, 0},
      {"main caption off", [](TkTitleIcon&, TkTitleButton&, TkcAddedTitle& t) { t.SetShowMainCaption(false); }, 1, 0},
      {"font", [](TkTitleIcon&, TkTitleButton&, TkcAddedTitle& t) { fw::TFont f; t.SetFont(&f); }, 1, 0},
  };
  for (const auto& c : cases)
    for (int loading = 0; loading < 2; ++loading) {
      Counter k;
      k.owner.Loading = loading != 0;
      TkTitleIcon icon(&k.owner);
      TkTitleButtons buttons(&k.owner);
      auto* button = static_cast<TkTitleButton*>(buttons.Add());
      TkcAddedTitle added(&k.owner);
      c.change(icon, *button, added);
      EXPECT_EQ(k.repaints, loading ? c.whileLoading : c.repaints) << c.name << " loading " << loading;
    }
}

struct Clicks {
  int downs = 0, ups = 0;
  void Down(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++downs; }
  void Up(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { ++ups; }
};

TEST(TitleOptions, UserButtonsAreCopiedWithoutTheirVisibility) {
  Clicks clicks;
  TkTitleButtons from, to;
  auto* b = static_cast<TkTitleButton*>(from.Add());
  EXPECT_EQ(b->Name(), u"TkTitleButton");
  b->SetName(u"Pin");
  b->Hint = u"Keep on top";
  b->Enabled = false;
  b->UseSkinData = false;
  b->SetVisible(false);
  b->Glyph()->SetSize(12, 10);
  b->OnMouseDown = fw::TMouseEvent(&clicks, &Clicks::Down);
  b->OnMouseUp = fw::TMouseEvent(&clicks, &Clicks::Up);
  to.Assign(&from);
  ASSERT_EQ(to.Count(), 1);
  TkTitleButton* c = to.Items(0);
  EXPECT_EQ(c->Name(), u"Pin");
  EXPECT_EQ(c->DisplayName(), u"Pin");
  EXPECT_EQ(c->Hint, u"Keep on top");
  EXPECT_FALSE(c->Enabled);
  EXPECT_FALSE(c->UseSkinData);
  EXPECT_TRUE(c->Visible());
  EXPECT_EQ(c->Glyph()->Width(), 12);
  c->MouseDown(fw::mbLeft, {}, 1, 1);
  c->MouseUp(fw::mbLeft, {}, 1, 1);
  EXPECT_EQ(clicks.downs, 1);
  EXPECT_EQ(clicks.ups, 1);
}

TEST(TitleOptions, TheAddedTitleStartsWithTheSectionsColour) {
  TkcAddedTitle t;
  EXPECT_EQ(t.Font()->Color(), fw::TColor(0x1FFFFFFF));
  EXPECT_TRUE(t.ShowMainCaption());
  EXPECT_TRUE(t.Text().empty());
  TkTitleIcon icon;
  EXPECT_TRUE(icon.Visible());
  EXPECT_TRUE(icon.Glyph()->Empty());
}

}  // namespace
}  // namespace skin
