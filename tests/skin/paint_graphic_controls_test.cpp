// Graphic children painted into a DC through one off-screen image: each at
// its place plus the offset, over the parent's colour; an empty clip paints
// nothing and marks the parent half visible.
#include <gtest/gtest.h>

#include <windows.h>

#include "fw/controls_test_util.h"
#include "fw/graphics/gdi_handles.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/window_utils.h"

namespace skin {
namespace {

class TRedBox : public fw::TGraphicControl {
 public:
  explicit TRedBox(fw::TComponent* owner) : fw::TGraphicControl(owner) {}
  int painted = 0;

 protected:
  void Paint() override {
    ++painted;
    Canvas()->Brush()->SetColor(0x0000FF);
    Canvas()->FillRect(fw::TRect{0, 0, Width(), Height()});
  }
};

class THalfVisibleWatch : public fw::TCustomControl {
 public:
  explicit THalfVisibleWatch(fw::TComponent* owner) : fw::TCustomControl(owner) {}
  int halfVisible = 0;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKC_SETHALFVISIBLE) ++halfVisible;
    fw::TCustomControl::WndProc(m);
  }
};

TEST(PaintGraphicControls, ChildrenLandAtTheirPlacePlusTheOffset) {
  fwtest::TestForm form;
  auto* parent = new THalfVisibleWatch(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 100, 60);
  parent->SetColor(0x00FF00);
  auto* box = new TRedBox(parent);
  box->SetParent(parent);
  box->SetBounds(10, 5, 20, 10);
  parent->Handle();

  fw::TWindowDC screen;
  fw::TMemoryDC dc(screen.Get());
  fw::TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), 120, 80));
  fw::TSelectObject selected(dc.Get(), bitmap.Get());
  RECT all{0, 0, 120, 80};
  FillRect(dc.Get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  PaintGraphicControls(dc.Get(), parent, true, fw::TPoint{3, 4});
  EXPECT_EQ(box->painted, 1);
  EXPECT_EQ(GetPixel(dc.Get(), 13, 9), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc.Get(), 32, 18), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc.Get(), 12, 9), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc.Get(), 33, 9), 0xFFFFFFu);
  EXPECT_FALSE(PaintingGraphicControls);

  // An empty clip: nothing painted, the parent marked half visible.
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(dc.Get(), empty);
  DeleteObject(empty);
  PaintGraphicControls(dc.Get(), parent, true, fw::TPoint{0, 0});
  EXPECT_EQ(box->painted, 1);
  EXPECT_EQ(parent->halfVisible, 1);
  SelectClipRgn(dc.Get(), nullptr);

  // A hidden parent paints nothing when only visible ones are asked for.
  parent->SetVisible(false);
  PaintGraphicControls(dc.Get(), parent, true, fw::TPoint{0, 0});
  EXPECT_EQ(box->painted, 1);
}

}  // namespace
}  // namespace skin
