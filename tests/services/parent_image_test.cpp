// What lies behind a see-through control is painted by its parent into the
// control's canvas; a parent whose painting fails leaves the canvas's
// device context and the parent as they were, and the next paint works.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "fw/controls/forms.h"
#include "fw/graphics/graphics.h"
#include "services/ckutils.h"

using namespace fw;

namespace {

class TPaintedParent : public TCustomControl {
 public:
  explicit TPaintedParent(TComponent* owner) : TCustomControl(owner) {}
  TColor color = 0x0000FF;
  bool fail = false;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(color);
    Canvas()->FillRect(ClientRect());
    if (fail) throw Exception(u"painting failed");
  }
};

class TSeeThrough : public TGraphicControl {
 public:
  explicit TSeeThrough(TComponent* owner) : TGraphicControl(owner) {}
};

struct Scene {
  TForm* form = NewForm<TForm>(nullptr);
  TPaintedParent* parent = new TPaintedParent(form);
  TSeeThrough* control = new TSeeThrough(form);
  std::unique_ptr<TBitmap> canvas = std::make_unique<TBitmap>();
  Scene() {
    form->SetBounds(40, 40, 200, 120);
    parent->SetParent(form);
    parent->SetBounds(0, 0, 100, 80);
    control->SetParent(parent);
    control->SetBounds(10, 10, 20, 20);
    canvas->SetPixelFormat(pf24bit);
    canvas->SetSize(20, 20);
  }
  ~Scene() { form->Free(); }
};

TEST(PaintParentImage, PaintsTheParentBehindTheControl) {
  Scene s;
  s.canvas->Canvas()->SetPixel(5, 5, 0xFFFFFF);
  services::PaintParentImage(s.control, s.canvas->Canvas());
  EXPECT_EQ(s.canvas->Canvas()->Pixel(5, 5), 0x0000FF);
}

TEST(PaintParentImage, AFailingParentLeavesTheDeviceContextAndTheParentAsTheyWere) {
  Scene s;
  HDC dc = s.canvas->Canvas()->Handle();
  SetViewportOrgEx(dc, 3, 4, nullptr);
  s.parent->fail = true;
  EXPECT_THROW(services::PaintParentImage(s.control, s.canvas->Canvas()), Exception);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(org.x, 3);
  EXPECT_EQ(org.y, 4);
  HRGN clip = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(dc, clip), 0) << "no clipping region left behind";
  DeleteObject(clip);
  EXPECT_FALSE(s.parent->ControlState().Contains(csPaintCopy));

  // The control is no longer counted as painting: the next paint runs.
  SetViewportOrgEx(dc, 0, 0, nullptr);
  s.parent->fail = false;
  s.parent->color = 0x00FF00;
  services::PaintParentImage(s.control, s.canvas->Canvas());
  EXPECT_EQ(s.canvas->Canvas()->Pixel(5, 5), 0x00FF00);
}

}  // namespace
