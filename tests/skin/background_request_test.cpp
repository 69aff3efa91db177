// Background requests to parents (answered, unanswered, drawn into the
// asker's DC) and the border painters that take their background from them.
#include <gtest/gtest.h>

#include <windows.h>

#include "fw/controls_test_util.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/control_border.h"
#include "skin/engine/skin_messages.h"

namespace skin {
namespace {

constexpr uint32_t kParentPixel = 0xFF102030;

// A parent that answers background requests with its own image, in which
// pixel (x, y) is 0xFF000000 + y * 256 + x.
class TImageParent : public fw::TCustomControl {
 public:
  explicit TImageParent(fw::TComponent* owner) : TCustomControl(owner), image(NewBitmap32(100, 100)) {
    const TPixelView32 v = View32(*image);
    for (int y = 0; y < 100; ++y)
      for (int x = 0; x < 100; ++x) v.Pixel(x, y) = 0xFF000000u + uint32_t(y * 256 + x);
  }
  std::unique_ptr<fw::TBitmap> image;
  int asked = 0;

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKC_GETBGINFO) {
      ++asked;
      auto* info = reinterpret_cast<TkcBackgroundInfo*>(m.LParam);
      info->Bmp = image.get();
      info->BgType = btCache;
      return;
    }
    TCustomControl::WndProc(m);
  }
};

// A graphic control that paints its rectangle in one colour.
class TBlock : public fw::TGraphicControl {
 public:
  explicit TBlock(fw::TComponent* owner) : TGraphicControl(owner) {}

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(0xFF0000);  // blue
    Canvas()->FillRect(fw::Rect(0, 0, Width(), Height()));
  }
};

std::unique_ptr<fw::TBitmap> Filled(int w, int h, uint32_t pixel) {
  auto b = NewBitmap32(w, h);
  const TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) std::fill_n(v.Row(y), w, pixel);
  return b;
}

TEST(RequestBackground, UnansweredRequestsGetAColour) {
  fwtest::TestForm form;
  auto* panel = new fw::TCustomControl(form.form);
  panel->SetParent(form.form);
  panel->SetColor(0x0000FF);
  TkcBackgroundInfo info;
  info.Bmp = reinterpret_cast<fw::TBitmap*>(1);
  info.FillRect = fw::Rect(1, 2, 3, 4);
  EXPECT_TRUE(RequestBackground(info, panel, false));
  EXPECT_EQ(info.BgType, btFill);
  EXPECT_EQ(info.Color, 0x0000FF) << "the control's own colour";
  EXPECT_EQ(info.Bmp, nullptr);
  EXPECT_EQ(info.FillRect, fw::TRect{});
  panel->SetColor(fw::clBtnFace);
  RequestBackground(info, panel, false);
  EXPECT_EQ(info.Color, fw::ColorToRGB(fw::clBtnFace)) << "resolved to RGB";

  HWND plain = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(plain);
  TkcBackgroundInfo wnd;
  EXPECT_FALSE(RequestBackgroundWnd(wnd, plain, false));
  EXPECT_EQ(wnd.BgType, btFill);
  EXPECT_EQ(wnd.Color, fw::clBtnFace) << "no skin: the button face";
  DestroyWindow(plain);
}

TEST(RequestBackground, AnAnsweringParentHandsOverItsImage) {
  fwtest::TestForm form;
  auto* parent = new TImageParent(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 100, 100);
  for (bool windowed : {false, true}) {
    if (windowed) parent->Handle();
    TkcBackgroundInfo info;
    info.Offset = {7, 9};
    EXPECT_TRUE(RequestBackground(info, parent, false));
    EXPECT_EQ(info.BgType, btCache);
    const TCacheInfo ci = BgInfoToCacheInfo(info);
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(ci.X, 7);
    EXPECT_EQ(ci.Y, 9);
    EXPECT_EQ(ci.Bmp.Pixel(7, 9), 0xFF000907u);
  }
  EXPECT_EQ(parent->asked, 2) << "once directly, once through its window";
  TkcBackgroundInfo colour;
  colour.BgType = btFill;
  colour.Color = fw::clBtnFace;
  colour.FillRect = fw::Rect(2, 2, 2, 2);
  const TCacheInfo ci = BgInfoToCacheInfo(colour);
  EXPECT_FALSE(ci.Ready);
  EXPECT_EQ(ci.FillColor, uint32_t(fw::ColorToRGB(fw::clBtnFace)));
  EXPECT_EQ(ci.FillRect, colour.FillRect);
}

TEST(RequestBackground, APleaseDrawRequestPaintsTheParentIntoTheAskersDC) {
  fwtest::TestForm form(120, 80);
  form->SetColor(0x00FF00);  // green
  auto* block = new TBlock(form.form);
  block->SetParent(form.form);
  block->SetBounds(20, 20, 10, 10);
  form->Show();
  // The asker lies at (10, 10) of the form and wants its 20 x 20.
  auto dest = Filled(40, 40, 0xFF777777);
  for (bool windowed : {true, false}) {
    TkcBackgroundInfo info;
    info.Offset = {10, 10};
    info.R = fw::Rect(0, 0, 20, 20);
    info.DrawDC = dest->Canvas()->Handle();
    if (windowed) EXPECT_FALSE(RequestBackgroundWnd(info, form->Handle(), true));
    else EXPECT_TRUE(RequestBackground(info, form.form, true));
    EXPECT_EQ(info.BgType, btUnknown);
    GdiFlush();
    const TPixelView32 v = View32(*dest);
    EXPECT_EQ(v.Pixel(2, 2) & 0xFFFFFF, 0x00FF00u) << "the form's colour";
    EXPECT_EQ(v.Pixel(12, 12) & 0xFFFFFF, 0x0000FFu) << "its graphic child at its place";
    EXPECT_EQ(v.Pixel(25, 5), 0xFF777777u) << "outside the wanted area";
    EXPECT_EQ(v.Pixel(5, 25), 0xFF777777u);
    POINT org{};
    GetViewportOrgEx(info.DrawDC, &org);
    EXPECT_EQ(org.x, 0) << "the DC comes back as it was";
    for (int y = 0; y < 40; ++y) std::fill_n(v.Row(y), 40, 0xFF777777u);
  }
}

// A border of widths 2, 3, 4, 5 in the master image: one 20 x 20 state,
// grey, with a key pixel in each outer corner.
TkLoadedSkin BorderSkin() {
  TkLoadedSkin skin;
  skin.MasterBitmap.SetSize(TPixelFormat::pf32bit, 20, 20);
  const TPixelView32 m = View32(skin.MasterBitmap);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) m.Pixel(x, y) = 0xFF808080;
  m.Pixel(0, 0) = m.Pixel(19, 0) = m.Pixel(0, 19) = m.Pixel(19, 19) = clSkinKey;
  TkMaskData border;
  border.R = fw::Rect(0, 0, 20, 20);
  border.ImageCount = 1;
  border.WL = 2, border.WT = 3, border.WR = 4, border.WB = 5;
  border.CornerType = 1;
  border.DrawMode = dmPaintCenter;
  skin.ma.push_back(border);
  TkGeneralData gd;
  gd.ClassName = u"PANEL";
  gd.BorderIndex = 0;
  gd.States = 1;
  skin.gd.push_back(gd);
  return skin;
}

TEST(ControlBorder, CornersShowTheParentAtTheControlsPlace) {
  TkLoadedSkin skin = BorderSkin();
  fwtest::TestForm form;
  auto* parent = new TImageParent(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 100, 100);
  auto* control = new TBlock(form.form);
  control->SetParent(parent);
  control->SetBounds(5, 7, 30, 20);
  auto cache = Filled(30, 20, 0xFF111111);
  TControlBorderSource s{&skin, 0, 0, control, cache.get(), 0};
  RepaintBorderCorners(s, 0, bcTopLeft | bcBottomRight);
  const TPixelView32 v = View32(*cache);
  EXPECT_EQ(v.Pixel(0, 0), 0xFF000705u) << "the parent's pixel under the control's corner";
  EXPECT_EQ(v.Pixel(29, 19), 0xFF000000u + (7 + 19) * 256 + 5 + 29);
  EXPECT_EQ(v.Pixel(29, 0), 0xFF111111u) << "top-right not asked for";
  EXPECT_EQ(v.Pixel(1, 0), 0xFF111111u) << "only key pixels";
  skin.ma[0].CornerType = 0;
  v.Pixel(0, 0) = 0xFF111111;
  RepaintBorderCorners(s, 0, bcAll);
  EXPECT_EQ(v.Pixel(0, 0), 0xFF111111u) << "CornerType 0: nothing";
}

TEST(ControlBorder, ClientRectangleInsideTheBorderAndTheExtraFrame) {
  TkLoadedSkin skin = BorderSkin();
  fwtest::TestForm form;
  auto* parent = new TImageParent(form.form);
  parent->SetParent(form.form);
  parent->SetBounds(0, 0, 100, 100);
  auto* control = new TBlock(form.form);
  control->SetParent(parent);
  control->SetBounds(5, 7, 30, 20);
  auto cache = Filled(30, 20, 0xFF111111);
  TControlBorderSource s{&skin, 0, 0, control, cache.get(), 0x0000FF};
  const fw::TRect r = fw::Rect(0, 0, 30, 20);
  fw::TRect client{};
  HDC cacheDC = cache->Canvas()->Handle();
  PaintControlBorder(cacheDC, r, 0, client, 3, s);
  EXPECT_EQ(client, fw::Rect(2, 3, 26, 15)) << "r less the widths 2, 3, 4, 5";
  const TPixelView32 v = View32(*cache);
  EXPECT_EQ(v.Pixel(0, 0), 0xFF000705u) << "the mask's key corner over the parent's image";
  EXPECT_EQ(v.Pixel(10, 10), 0xFF808080u) << "the mask";

  auto screen = Filled(30, 20, 0xFF000000);
  PaintControlBorder(screen->Canvas()->Handle(), r, 6, client, 0, s);
  GdiFlush();
  EXPECT_EQ(client, fw::Rect(6, 6, 24, 14)) << "inset by the extra width";
  EXPECT_EQ(v.Pixel(2, 10), 0xFFFF0000u) << "the frame in the control's colour inside the border";
  EXPECT_EQ(v.Pixel(5, 10), 0xFFFF0000u);
  EXPECT_EQ(v.Pixel(6, 10), 0xFF808080u) << "the client area";
  const TPixelView32 sv = View32(*screen);
  EXPECT_EQ(sv.Pixel(5, 10) & 0xFFFFFF, 0xFF0000u) << "the frame's strips copied to the DC";
  EXPECT_EQ(sv.Pixel(10, 10), 0xFF000000u) << "the client area of the DC stays";

  TControlBorderSource none = s;
  none.BorderIndex = -1;
  auto plain = Filled(30, 20, 0xFF000000);
  client = fw::Rect(1, 1, 1, 1);
  PaintControlBorder(plain->Canvas()->Handle(), r, 3, client, 0, none);
  GdiFlush();
  EXPECT_EQ(client, fw::Rect(1, 1, 1, 1)) << "no border: the client rectangle stays";
  EXPECT_EQ(View32(*plain).Pixel(2, 10) & 0xFFFFFF, 0xFF0000u) << "the frame filled on the DC";
  EXPECT_EQ(View32(*plain).Pixel(3, 10), 0xFF000000u);
}

}  // namespace
}  // namespace skin
