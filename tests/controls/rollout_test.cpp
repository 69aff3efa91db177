// Roll-out panels: collapsing and expanding with their sizes and events,
// the accordion of a group, smart expand and smart show against the
// parent's height, the children hidden while collapsed, toggling by click
// and accelerator, the caption button's painting and the sizes stored in
// a form description.
#include <gtest/gtest.h>

#include "controls/base/ckrollout.h"
#include "fw/controls_test_util.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls_test_util.h"
#include "fw/system/screen.h"

using namespace ck;
using namespace fw;
using fwtest::Pump;
using fwtest::TestForm;

namespace {

struct Events {
  int expanded = 0;
  int collapsed = 0;
  int clicks = 0;
  void Expand(TObject*) { ++expanded; }
  void Collapse(TObject*) { ++collapsed; }
  void Click(TObject*) { ++clicks; }
  void Attach(TCkRollOut* r) {
    r->OnExpand = TNotifyEvent(this, &Events::Expand);
    r->OnCollapse = TNotifyEvent(this, &Events::Collapse);
    r->OnClick = TNotifyEvent(this, &Events::Click);
  }
};

TCkRollOut* NewRollOut(TWinControl* parent, int top, const char16_t* name = nullptr) {
  auto* r = new TCkRollOut(parent->Owner() ? parent->Owner() : parent);
  if (name) r->SetName(name);
  r->SetParent(parent);
  r->SetBounds(0, top, 145, 170);
  return r;
}

// A form with a panel of the given height that holds the roll-outs.
struct Stack {
  TestForm form;
  TPanel* host;
  explicit Stack(int hostHeight) : form(300, 600) {
    host = new TPanel(form.form);
    host->SetParent(form.form);
    host->SetBevelOuter(bvNone);
    host->SetBounds(0, 0, 200, hostHeight);
    form->Show();
    Pump();
  }
};

}  // namespace

TEST(RollOut, CollapsesAndExpandsToItsTwoHeightsWithOneEventEach) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  Events ev;
  ev.Attach(r);
  EXPECT_EQ(r->Height(), 170);
  r->SetCollapsed(true);
  EXPECT_EQ(r->Height(), 22);
  EXPECT_EQ(ev.collapsed, 1);
  r->SetCollapsed(true);
  EXPECT_EQ(ev.collapsed, 1) << "an unchanged value fires nothing";
  r->Expand();
  EXPECT_EQ(r->Height(), 170);
  EXPECT_EQ(ev.expanded, 1);
  r->Expand();
  EXPECT_EQ(ev.expanded, 1);
  EXPECT_EQ(ev.collapsed, 1);
}

TEST(RollOut, ResizingAnExpandedPanelChangesItsRememberedHeight) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->SetHeight(120);
  r->Collapse();
  EXPECT_EQ(r->Height(), 22);
  r->Expand();
  EXPECT_EQ(r->Height(), 120);
  // The collapsed height is remembered the same way.
  r->Collapse();
  r->SetHeight(30);
  r->Expand();
  r->Collapse();
  EXPECT_EQ(r->Height(), 30);
}

TEST(RollOut, ABottomAlignedPanelKeepsItsBottomEdge) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->SetAlign(alBottom);
  int bottom = r->Top() + r->Height();
  r->Collapse();
  EXPECT_EQ(r->Top() + r->Height(), bottom);
  EXPECT_EQ(r->Height(), 22);
}

TEST(RollOut, LeftPlacementCollapsesTheWidth) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->SetPlacement(plLeft);
  EXPECT_EQ(r->Width(), 145);
  r->Collapse();
  EXPECT_EQ(r->Width(), 22);
  EXPECT_EQ(r->Height(), 170);
  r->Expand();
  EXPECT_EQ(r->Width(), 145);
}

TEST(RollOut, ExpandingOneOfAGroupCollapsesTheOthers) {
  struct Case {
    int group;
    bool firstCollapsedAfter;
  };
  for (Case c : {Case{3, true}, Case{0, false}}) {
    Stack s(600);
    auto* a = NewRollOut(s.host, 0);
    auto* b = NewRollOut(s.host, 200);
    auto* other = NewRollOut(s.host, 400);
    other->SetGroupIndex(7);
    b->Collapse();
    a->SetGroupIndex(c.group);
    b->SetGroupIndex(c.group);
    ASSERT_FALSE(a->Collapsed());
    b->Expand();
    EXPECT_EQ(a->Collapsed(), c.firstCollapsedAfter) << "group " << c.group;
    EXPECT_FALSE(b->Collapsed());
    EXPECT_FALSE(other->Collapsed()) << "another group is not touched";
  }
}

TEST(RollOut, SmartExpandCollapsesSiblingsWhileExpandedAndRestoresThem) {
  Stack s(300);
  auto* a = NewRollOut(s.host, 0);
  auto* b = NewRollOut(s.host, 200);
  auto* c = NewRollOut(s.host, 400);
  for (auto* r : {a, b, c}) {
    r->SetAlign(alTop);
    r->SetSmartShow(false);
  }
  b->Collapse();
  c->Collapse();
  // a (170) + b (22) + c (22) fit in 300; expanding c would not.
  ASSERT_FALSE(a->Collapsed());
  ASSERT_EQ(c->Top(), 192);
  c->Expand();
  EXPECT_TRUE(a->Collapsed());
  EXPECT_TRUE(b->Collapsed());
  EXPECT_FALSE(c->Collapsed());
  c->Collapse();
  EXPECT_FALSE(a->Collapsed()) << "the saved states come back";
  EXPECT_TRUE(b->Collapsed());
}

TEST(RollOut, ExpandingAPanelThatFitsTouchesNoSiblingAndStaysInPlace) {
  Stack s(600);
  auto* a = NewRollOut(s.host, 0);
  auto* b = NewRollOut(s.host, 200);
  b->Collapse();
  b->Expand();
  EXPECT_FALSE(a->Collapsed());
  EXPECT_EQ(b->Parent(), s.host);
  EXPECT_FALSE(b->PoppedOut());
}

TEST(RollOut, SmartShowPopsOutAndACollapseReturnsItFirst) {
  Stack s(250);
  auto* r = NewRollOut(s.host, 100);
  r->SetSmartExpand(false);
  r->Collapse();
  r->Expand();
  ASSERT_TRUE(r->PoppedOut());
  EXPECT_EQ(r->Parent(), r->TopForm());
  EXPECT_EQ(r->Height(), 170);
  TPoint p = s.host->ClientToScreen(TPoint{0, 100});
  EXPECT_EQ(r->TopForm()->Left(), p.x);
  EXPECT_EQ(r->TopForm()->Top(), p.y);
  r->Collapse();
  EXPECT_FALSE(r->PoppedOut());
  EXPECT_EQ(r->Parent(), s.host);
  EXPECT_EQ(r->Top(), 100);
  EXPECT_EQ(r->Height(), 22);
  r->SetSmartShow(false);
  r->Expand();
  EXPECT_EQ(r->Height(), 170) << "the expanded size survived the trip";
}

TEST(RollOut, CollapsingHidesWindowedChildrenAndExpandingShowsThemAgain) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  auto* named = new TEdit(s.form.form);
  named->SetName(u"Named");
  named->SetParent(r);
  auto* unnamed = new TEdit(s.form.form);
  unnamed->SetParent(r);
  auto* hiddenBefore = new TEdit(s.form.form);
  hiddenBefore->SetParent(r);
  hiddenBefore->Hide();
  auto* shape = new TShape(s.form.form);
  shape->SetParent(r);
  r->Collapse();
  EXPECT_FALSE(named->Visible());
  EXPECT_FALSE(unnamed->Visible());
  EXPECT_TRUE(shape->Visible()) << "graphic children are only clipped";
  r->Expand();
  EXPECT_TRUE(named->Visible());
  EXPECT_TRUE(unnamed->Visible());
  EXPECT_FALSE(hiddenBefore->Visible()) << "a child hidden before stays hidden";
}

TEST(RollOut, AlignedChildrenStartBelowTheButton) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->SetChildOffset(4);
  auto* e = new TEdit(s.form.form);
  e->SetParent(r);
  e->SetAlign(alClient);
  EXPECT_EQ(e->Top(), 20 + 1);
  EXPECT_EQ(e->Left(), 1 + 4);
}

TEST(RollOut, AClickTogglesAnywhereOrOnlyOnTheButton) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  Events ev;
  ev.Attach(r);
  Mouse->SetVirtualCursor(true);
  auto clickAt = [&](int x, int y) {
    Pump();
    Mouse->SetCursorPos(r->ClientToScreen(TPoint{x, y}));
    r->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(x, y));
    r->Perform(WM_LBUTTONUP, 0, PointToLParam(x, y));
    Pump();
  };
  clickAt(60, 100);
  EXPECT_TRUE(r->Collapsed()) << "ToggleAnywhere is on by default";
  r->Expand();
  r->SetToggleAnywhere(false);
  clickAt(60, 100);
  EXPECT_FALSE(r->Collapsed());
  EXPECT_EQ(ev.clicks, 2) << "OnClick fires either way";
  clickAt(60, 10);
  EXPECT_TRUE(r->Collapsed());
  Mouse->SetVirtualCursor(false);
}

TEST(RollOut, TheCaptionAcceleratorWithAltToggles) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->SetCaption(u"&Resize");
  EXPECT_EQ(r->Perform(CM_DIALOGCHAR, 'r', 0), 0) << "without Alt";
  EXPECT_FALSE(r->Collapsed());
  EXPECT_NE(r->Perform(CM_DIALOGCHAR, 'r', 0x20000000), 0);
  EXPECT_TRUE(r->Collapsed());
  r->SetEnabled(false);
  EXPECT_EQ(r->Perform(CM_DIALOGCHAR, 'r', 0x20000000), 0) << "a disabled panel ignores it";
}

TEST(RollOut, PaintsFrameButtonAndCaptionWhereTheOffsetsSay) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->Colors()->SetColor(0x00EBE4D4);
  r->Colors()->SetButtonColor(clWhite);
  r->Colors()->SetFrameTop(clRed);
  r->Colors()->SetFrameBottom(clBlue);
  r->ButtonFont()->SetName(u"Arial");
  r->ButtonFont()->SetColor(clBlack);
  r->SetCaption(u"MMM");
  auto firstTextColumn = [&](TBitmap* bmp) {
    for (int x = 0; x < 100; ++x)
      for (int y = 3; y < 19; ++y)
        if (fwtest::PixelAt(bmp, x, y) == clBlack) return x;
    return -1;
  };
  auto bmp = fwtest::Capture(r);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 0, 0), clRed);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 0, 100), clRed);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 144, 169), clBlue);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 144, 100), clBlue);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 1, 1), 0x00EBE4D4) << "idle button frame in the panel colour";
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 5, 5), clWhite) << "button fill";
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 60, 100), 0x00EBE4D4) << "panel background";
  // No image list: the caption starts at 2 x Offset + BevelWidth.
  int x = firstTextColumn(bmp.get());
  EXPECT_GE(x, 11);
  EXPECT_LE(x, 12);

  TImageList images(nullptr);
  images.SetWidth(16);
  images.SetHeight(16);
  TBitmap pic;
  pic.SetPixelFormat(pf24bit);
  pic.SetSize(16, 16);
  pic.Canvas()->Brush()->SetColor(clLime);
  pic.Canvas()->FillRect(Rect(0, 0, 16, 16));
  images.Add(&pic, nullptr);
  images.Add(&pic, nullptr);
  r->ImageOptions()->SetImages(&images);
  bmp = fwtest::Capture(r);
  // The picture at Offset + BevelWidth, centred in the button; the caption
  // after it at width + 2 x Offset + BevelWidth.
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 6, 3), clLime);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 21, 18), clLime);
  EXPECT_NE(fwtest::PixelAt(bmp.get(), 5, 3), clLime);
  x = firstTextColumn(bmp.get());
  EXPECT_GE(x, 27);
  EXPECT_LE(x, 28);
  r->ImageOptions()->SetImages(nullptr);
}

TEST(RollOut, TheButtonFrameShowsHotAndPressed) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  r->Colors()->SetButtonTop(clRed);
  r->Colors()->SetButtonBottom(clBlue);
  r->Perform(WM_MOUSEMOVE, 0, PointToLParam(50, 10));
  auto hot = fwtest::Capture(r);
  EXPECT_EQ(fwtest::PixelAt(hot.get(), 1, 1), clRed);
  EXPECT_EQ(fwtest::PixelAt(hot.get(), 143, 20), clBlue);
  r->Perform(WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(50, 10));
  auto pressed = fwtest::Capture(r);
  EXPECT_EQ(fwtest::PixelAt(pressed.get(), 1, 1), clBlue);
  EXPECT_EQ(fwtest::PixelAt(pressed.get(), 143, 20), clRed);
  r->Perform(WM_LBUTTONUP, 0, PointToLParam(50, 10));
}

TEST(RollOut, StoredSizesDecideTheLoadedHeight) {
  fwtest::DescribedForm<TForm> f(
      u"object Form1: TForm\n"
      u"  Width = 300\n"
      u"  Height = 400\n"
      u"  object roResize: TCkRollOut\n"
      u"    Left = 0\n"
      u"    Top = 0\n"
      u"    Width = 145\n"
      u"    Height = 22\n"
      u"    Caption = 'Resize'\n"
      u"    Collapsed = True\n"
      u"    ShowFocus = False\n"
      u"    Colors.ButtonColor = 14998742\n"
      u"    FAWidth = 145\n"
      u"    FAHeight = 120\n"
      u"    FCWidth = 22\n"
      u"    FCHeight = 22\n"
      u"  end\n"
      u"end\n");
  auto* r = f.Find<TCkRollOut>(u"roResize");
  EXPECT_TRUE(r->Collapsed());
  EXPECT_EQ(r->Height(), 22);
  EXPECT_EQ(r->Colors()->ButtonColor(), 14998742);
  r->SetSmartShow(false);
  r->Expand();
  EXPECT_EQ(r->Height(), 120);
}

TEST(RollOut, ExpandedSizeResizesAnExpandedPanelAndPopsItOutWhenItNoLongerFits) {
  Stack s(250);
  auto* r = NewRollOut(s.host, 0);
  r->SetSmartExpand(false);
  r->SetExpandedSize(120);
  EXPECT_EQ(r->Height(), 120);
  EXPECT_FALSE(r->PoppedOut());
  r->SetExpandedSize(300);
  EXPECT_TRUE(r->PoppedOut()) << "300 does not fit the 250 of the parent";
  EXPECT_EQ(r->TopForm()->Height(), 300);
  r->SetExpandedSize(200);
  EXPECT_FALSE(r->PoppedOut()) << "back once it fits";
  EXPECT_EQ(r->Parent(), s.host);
  EXPECT_EQ(r->Height(), 200);
  r->Collapse();
  r->SetExpandedSize(90);
  EXPECT_EQ(r->Height(), 22) << "a collapsed panel only remembers it";
  r->Expand();
  EXPECT_EQ(r->Height(), 90);
}

TEST(RollOut, APoppedOutPanelReturnsExpandedWhenItsWindowLosesActivation) {
  Stack s(250);
  auto* r = NewRollOut(s.host, 100);
  r->SetSmartExpand(false);
  r->Collapse();
  r->Expand();
  ASSERT_TRUE(r->PoppedOut());
  r->TopForm()->Perform(CM_DEACTIVATE, 0, 0);
  EXPECT_FALSE(r->PoppedOut());
  EXPECT_FALSE(r->Collapsed());
  EXPECT_EQ(r->Parent(), s.host);
  EXPECT_EQ(r->BoundsRect(), Rect(0, 100, 145, 270));
}

TEST(RollOut, AFreedImageListIsDropped) {
  Stack s(400);
  auto* r = NewRollOut(s.host, 0);
  auto* images = new TImageList(nullptr);
  r->ImageOptions()->SetImages(images);
  images->Free();
  EXPECT_EQ(r->ImageOptions()->Images(), nullptr);
  fwtest::Capture(r);
}
