// The non-client image of a skinned form for both program skins, active and
// inactive; its copy to a window DC; the window region of a real window.
#include "skin/forms/form_image.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_resources.h"
#include "skin/forms/core/region_cutouts.h"
#include "skin/forms/core/title_buttons.h"
#include "skin/forms/frame_facts.h"
#include "skin/forms/window_region.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

std::unique_ptr<TkLoadedSkin> StoredSkin(int index) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.Saturation = -58;
  return LoadPackedSkin(stored.at(size_t(index)).Name, stored.at(size_t(index)).Data, o);
}

// A sizeable 320 x 120 form with the fixed metrics of the default Wine
// prefix, so the image does not depend on the system.
TkFormImageInput Form(TkLoadedSkin& skin, bool active, const fw::String& caption, HICON icon) {
  TkFormImageInput in;
  in.Frame.Width = 320;
  in.Frame.Height = 120;
  in.Frame.ClientWidth = 312;
  in.Frame.ClientHeight = 93;
  in.Active = active;
  in.Caption = caption;
  in.Icon = icon;
  in.FormSkinIndex = skin.GetSkinIndex(u"FORM");
  in.TitleSkinIndex = skin.GetSkinIndex(u"FORMTITLE");
  InitTitleButtons(skin, {}, in.Layout);
  SetTitleButtonSizes(skin, in.Layout, in.LayoutInput);
  in.LayoutInput.SystemButtons = true;
  in.LayoutInput.IconVisible = icon != nullptr;
  in.LayoutInput.IconWidth = in.LayoutInput.IconHeight = TitleIconSizeFor(CaptionHeight(in.Frame, true));
  CalcCaptionItems(in.Frame, in.LayoutInput, in.Layout);
  return in;
}

// A 16 x 16 icon of one colour.
struct SolidIcon {
  HICON icon = nullptr;
  explicit SolidIcon(COLORREF color) {
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateCompatibleBitmap(screen, 16, 16);
    HBITMAP mask = CreateBitmap(16, 16, 1, 1, nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, colour);
    RECT r{0, 0, 16, 16};
    HBRUSH b = CreateSolidBrush(color);
    FillRect(dc, &r, b);
    DeleteObject(b);
    SelectObject(dc, mask);
    PatBlt(dc, 0, 0, 16, 16, BLACKNESS);
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    ICONINFO ii{TRUE, 0, 0, mask, colour};
    icon = CreateIconIndirect(&ii);
    DeleteObject(colour);
    DeleteObject(mask);
  }
  ~SolidIcon() { DestroyIcon(icon); }
};

// The frame without caption and icon is the skin's own drawing: goldens.
TEST(FormImage, FrameGoldensActiveAndInactive) {
  // [skin][active]; inactive, both skins share their greys.
  const uint64_t golden[2][2] = {{2387708187324550392ull, 8411459984642231490ull},
                                 {2387708187324550392ull, 12185383586384459072ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = StoredSkin(s);
    for (int active = 0; active < 2; ++active) {
      fw::TBitmap image;
      PaintFormImage(image, *skin, Form(*skin, active != 0, u"", nullptr));
      ASSERT_EQ(image.Width(), 320);
      ASSERT_EQ(image.Height(), 120);
      GdiFlush();
      EXPECT_EQ(PixelChecksum(View32(image)), golden[s][active]) << "skin " << s << " active " << active;
    }
  }
}

TEST(FormImage, TitleStateCaptionAndIcon) {
  SolidIcon icon(RGB(200, 30, 30));
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = StoredSkin(s);
    fw::TBitmap active, inactive, plain;
    const TkFormImageInput in = Form(*skin, true, u"Vestaline3 - a caption", icon.icon);
    PaintFormImage(active, *skin, in);
    PaintFormImage(inactive, *skin, Form(*skin, false, u"Vestaline3 - a caption", icon.icon));
    PaintFormImage(plain, *skin, Form(*skin, true, u"", nullptr));
    GdiFlush();
    const TPixelView32 a = View32(active), i = View32(inactive), p = View32(plain);
    // The title band differs between the states; the client part does not.
    const int header = HeaderHeight(in.Frame);
    EXPECT_NE(PixelChecksum(SubView(a, fw::Rect(0, 0, 320, header))),
              PixelChecksum(SubView(i, fw::Rect(0, 0, 320, header))));
    EXPECT_EQ(PixelChecksum(SubView(a, fw::Rect(10, header + 5, 300, 110))),
              PixelChecksum(SubView(i, fw::Rect(10, header + 5, 300, 110))));
    // The caption changes pixels only inside its rectangle.
    const fw::TRect caption = CaptionTextBounds(*skin, in, 320);
    fw::TRect changed{10000, 10000, -1, -1};
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 320; ++x)
        if (a.Pixel(x, y) != p.Pixel(x, y) && !(x >= in.Layout.IconRect.Left && x < in.Layout.IconRect.Right &&
                                                 y >= in.Layout.IconRect.Top && y < in.Layout.IconRect.Bottom)) {
          changed.Left = std::min(changed.Left, x);
          changed.Top = std::min(changed.Top, y);
          changed.Right = std::max(changed.Right, x + 1);
          changed.Bottom = std::max(changed.Bottom, y + 1);
        }
    ASSERT_GT(changed.Right, 0) << "the caption is written";
    EXPECT_GE(changed.Left, caption.Left);
    EXPECT_LE(changed.Right, caption.Right);
    EXPECT_GE(changed.Top, caption.Top);
    EXPECT_LE(changed.Bottom, caption.Bottom);
    // The icon is opaque in the image, where the system drew it.
    const fw::TRect ir = in.Layout.IconRect;
    ASSERT_EQ(ir.Width(), 16);
    EXPECT_EQ(a.Pixel(ir.Left + 8, ir.Top + 8), 0xFFC81E1Eu);
    // Title buttons: the close button's rectangle is not the plain title.
    EXPECT_GT(in.Layout.Close.Rect.Left, caption.Right);

    TPixelBuffer sheet(TPixelFormat::pf32bit, 320, 250);
    const TPixelView32 o = View32(sheet);
    for (int y = 0; y < 250; ++y)
      for (int x = 0; x < 320; ++x) o.Pixel(x, y) = 0xFFFFFFFFu;
    for (int y = 0; y < 120; ++y)
      for (int x = 0; x < 320; ++x) {
        o.Pixel(x, y) = a.Pixel(x, y) | 0xFF000000u;
        o.Pixel(x, y + 130) = i.Pixel(x, y) | 0xFF000000u;
      }
    WriteSheet(sheet, std::string(s == 0 ? "topaz" : "sapphire") + "_form_frame.png");
  }
}

TEST(FormImage, FrameToDCLeavesTheClientArea) {
  std::unique_ptr<TkLoadedSkin> skin = StoredSkin(0);
  const TkFormImageInput in = Form(*skin, true, u"Caption", nullptr);
  fw::TBitmap image;
  PaintFormImage(image, *skin, in);
  auto window = NewBitmap32(320, 120);
  const TPixelView32 w = View32(*window);
  for (int y = 0; y < 120; ++y) std::fill_n(w.Row(y), 320, 0xFF123456u);
  PaintFrameToDC(window->Canvas()->Handle(), image, in);
  GdiFlush();
  const TPixelView32 v = View32(image);
  const int x0 = OffsetX(in.Frame), y0 = OffsetY(in.Frame);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 320; ++x) {
      const bool client = x >= x0 && x < x0 + 312 && y >= y0 && y < y0 + 93;
      if (client)
        ASSERT_EQ(w.Pixel(x, y), 0xFF123456u) << x << "," << y;
      else
        ASSERT_EQ(w.Pixel(x, y) & 0xFFFFFF, v.Pixel(x, y) & 0xFFFFFF) << x << "," << y;
    }
}

LRESULT CALLBACK PlainProc(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(WindowRegion, KeyedCornersCutOutAndMaximisedWithoutThem) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = PlainProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"VlRegionTest";
  RegisterClassW(&wc);
  HWND wnd = CreateWindowExW(0, wc.lpszClassName, L"Region", WS_OVERLAPPEDWINDOW, 10, 10, 300, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
  ASSERT_TRUE(wnd);
  std::unique_ptr<TkLoadedSkin> skin = StoredSkin(0);
  const int form = skin->GetSkinIndex(u"FORM");
  TkFormFrameFacts f = WindowFrameFacts(wnd, TkFrameStyle::bsSizeable);
  ASSERT_EQ(f.Width, 300);
  const std::vector<fw::TRect> cut =
      MakeRegionCutouts(*skin, skin->gd[form].BorderIndex, skin->GetSkinIndex(u"FORMTITLE"), CaptionWidth(f), f.Height);
  ASSERT_FALSE(cut.empty());
  SetWindowRgn(wnd, FormWindowRegion(f, cut, false), FALSE);
  HRGN got = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(wnd, got), ERROR);
  for (const fw::TRect& r : cut) {
    EXPECT_FALSE(PtInRegion(got, r.Left, r.Top)) << r.Left << "," << r.Top;
    EXPECT_FALSE(PtInRegion(got, r.Right - 1, r.Top));
  }
  EXPECT_FALSE(PtInRegion(got, 0, 0));
  EXPECT_FALSE(PtInRegion(got, 299, 0));
  EXPECT_TRUE(PtInRegion(got, 5, 5));
  EXPECT_TRUE(PtInRegion(got, 0, 199)) << "the bottom corners are square";
  EXPECT_TRUE(PtInRegion(got, 150, 0));
  // Maximised: the frame pushed off the monitor is cut instead.
  f.Zoomed = true;
  SetWindowRgn(wnd, FormWindowRegion(f, cut, false), FALSE);
  ASSERT_NE(GetWindowRgn(wnd, got), ERROR);
  const int frame = FrameWidthOf(f, false);
  EXPECT_FALSE(PtInRegion(got, frame - 1, 50));
  EXPECT_TRUE(PtInRegion(got, frame, frame));
  EXPECT_TRUE(PtInRegion(got, 299 - frame, 199 - frame));
  EXPECT_FALSE(PtInRegion(got, 300 - frame, 50));
  // With a maximum size the skin's outline stays.
  SetWindowRgn(wnd, FormWindowRegion(f, cut, true), FALSE);
  ASSERT_NE(GetWindowRgn(wnd, got), ERROR);
  EXPECT_FALSE(PtInRegion(got, 0, 0));
  EXPECT_TRUE(PtInRegion(got, 0, 50));
  DeleteObject(got);
  DestroyWindow(wnd);
}

}  // namespace
}  // namespace skin
