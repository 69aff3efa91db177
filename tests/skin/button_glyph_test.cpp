// Button and tool-bar images: image-list images per state with blend and
// grey, glyph frames per state, the empty-alpha rule, and the caller's
// glyph left exactly as it was.
#include "skin/engine/button_glyph.h"

#include <gtest/gtest.h>

#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

constexpr uint32_t kBack = 0xFF204060;  // the destination under the image

std::unique_ptr<fw::TBitmap> Dest(int w = 40, int h = 30) {
  auto b = NewBitmap32(w, h);
  const TPixelView32 v = View32(*b);
  for (int y = 0; y < h; ++y) std::fill_n(v.Row(y), w, kBack);
  return b;
}

// Frames side by side, frame i in colours[i] (RGB), 8 x 8 each, with the
// key colour in their bottom-left pixel.
std::unique_ptr<fw::TBitmap> Strip(fw::TPixelFormat pf, std::initializer_list<uint32_t> colours, uint8_t alpha) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf32bit);
  b->SetHandleType(fw::bmDIB);
  b->SetSize(8 * int(colours.size()), 8);
  const TPixelView32 v = View32(*b);
  int i = 0;
  for (uint32_t c : colours) {
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) v.Pixel(i * 8 + x, y) = ColorToPixel(c, alpha);
    v.Pixel(i * 8, 7) = ColorToPixel(clSkinKey, alpha);
    ++i;
  }
  if (pf != fw::pf32bit) b->SetPixelFormat(pf);
  return b;
}

struct TChangeCount {
  int changes = 0;
  void Changed(fw::TObject*) { ++changes; }
};

uint64_t Checksum(fw::TBitmap& b) {
  auto copy = NewBitmap32(b.Width(), b.Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, b.Width(), b.Height(), b.Canvas()->Handle(), 0, 0, SRCCOPY);
  GdiFlush();
  return PixelChecksum(View32(*copy));
}

TEST(DrawButtonGlyph, TheCallersGlyphStaysAsItWas) {
  struct Case {
    const char* what;
    fw::TPixelFormat pf;
    fw::TBitmapHandleType handle;
    bool enabled;
  } cases[] = {
      {"32-bit without alpha, disabled: drawn opaque", fw::pf32bit, fw::bmDDB, false},
      {"32-bit DIB without alpha", fw::pf32bit, fw::bmDIB, false},
      {"device format", fw::pfDevice, fw::bmDDB, true},
      {"24-bit", fw::pf24bit, fw::bmDDB, true},
  };
  for (const Case& c : cases) {
    auto glyph = Strip(c.pf, {0x0000FF, 0x00FF00}, 0);
    glyph->SetHandleType(c.handle);
    const fw::TPixelFormat pf = glyph->PixelFormat();
    const uint64_t pixels = Checksum(*glyph);
    TChangeCount count;
    glyph->OnChange = fw::TNotifyEvent(&count, &TChangeCount::Changed);
    auto dest = Dest();
    TkcGlyphPaintInfo info;
    info.DstBmp = dest.get();
    info.Glyph = glyph.get();
    info.ImgRect = fw::Bounds(4, 4, 8, 8);
    info.NumGlyphs = 2;
    info.Enabled = c.enabled;
    DrawButtonGlyph(info);
    EXPECT_EQ(glyph->PixelFormat(), pf) << c.what;
    EXPECT_EQ(glyph->HandleType(), c.handle) << c.what;
    EXPECT_EQ(Checksum(*glyph), pixels) << c.what;
    EXPECT_EQ(count.changes, 0) << c.what;
    EXPECT_EQ(View32(*dest).Pixel(6, 6) & 0xFFFFFF, 0xFF0000u) << c.what << ": frame 0, red, opaque";
  }
}

TEST(DrawButtonGlyph, ThirtyTwoBitGlyphsWithoutAlpha) {
  // (enabled, a manager with CheckEmptyAlpha) -> drawn opaque or invisible.
  struct Case {
    bool enabled, manager, check, visible;
  } cases[] = {
      {true, false, false, true},  // no manager: the check runs
      {true, true, true, true},
      {true, true, false, false},  // the check does not run: alpha 0 shows nothing
      {false, true, false, true},  // disabled: the check runs
  };
  for (const Case& c : cases) {
    TkGlyphOptions options;
    options.CheckEmptyAlpha = c.check;
    DefaultGlyphOptions = c.manager ? &options : nullptr;
    auto glyph = Strip(fw::pf32bit, {0x0000FF}, 0);
    auto dest = Dest();
    TkcGlyphPaintInfo info;
    info.DstBmp = dest.get();
    info.Glyph = glyph.get();
    info.ImgRect = fw::Bounds(0, 0, 8, 8);
    info.Enabled = c.enabled;
    DrawButtonGlyph(info);
    const uint32_t p = View32(*dest).Pixel(3, 3);
    EXPECT_EQ(p != kBack, c.visible) << c.enabled << c.manager << c.check << std::hex << " " << p;
  }
  DefaultGlyphOptions = nullptr;
}

TEST(DrawButtonGlyph, GlyphFramesByState) {
  // Up, disabled, down, held: red, green, blue, white.
  struct Case {
    const char* what;
    bool enabled, down;
    int state;
    bool stdOrder;
    uint32_t want;
  } cases[] = {
      {"up", true, false, 0, false, 0xFF0000},
      {"hot shows the up frame", true, false, 1, false, 0xFF0000},
      {"disabled", false, false, 0, false, 0x00FF00},
      {"disabled in the standard order: the first frame", false, false, 0, true, 0xFF0000},
      {"down", true, true, 2, false, 0x0000FF},
      {"pressed", true, false, 2, false, 0x0000FF},
  };
  TkGlyphOptions options;
  for (const Case& c : cases) {
    options.StdGlyphsOrder = c.stdOrder;
    DefaultGlyphOptions = &options;
    auto glyph = Strip(fw::pf24bit, {0x0000FF, 0x00FF00, 0xFF0000, 0xFFFFFF}, 0);
    auto dest = Dest();
    TkcGlyphPaintInfo info;
    info.DstBmp = dest.get();
    info.Glyph = glyph.get();
    info.ImgRect = fw::Bounds(10, 10, 8, 8);
    info.NumGlyphs = 4;
    info.Enabled = c.enabled;
    info.Down = c.down;
    info.State = c.state;
    DrawButtonGlyph(info);
    EXPECT_EQ(View32(*dest).Pixel(12, 12) & 0xFFFFFF, c.want) << c.what;
  }
  DefaultGlyphOptions = nullptr;
}

// A list of 8 x 8 images: image 0 has four 2-pixel frames (red, green,
// blue, white), image 1 is grey with a black top-left pixel.
struct ListFixture {
  fw::TCustomImageList list{nullptr};
  ListFixture() {
    list.SetMasked(false);
    list.SetWidth(8);
    list.SetHeight(8);
    auto frames = NewBitmap32(8, 8);
    const TPixelView32 v = View32(*frames);
    const uint32_t colours[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) v.Pixel(x, y) = colours[x / 2];
    list.Add(frames.get(), nullptr);
    auto grey = NewBitmap32(8, 8);
    const TPixelView32 g = View32(*grey);
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) g.Pixel(x, y) = 0xFF0080FF;
    g.Pixel(0, 0) = 0xFF000000;
    list.Add(grey.get(), nullptr);
  }
};

TEST(DrawButtonGlyph, ImageListImagesByState) {
  ListFixture f;
  ASSERT_EQ(f.list.Count(), 2);
  struct Case {
    const char* what;
    int state, blend;
    bool grayed, enabled;
    uint32_t want;  // destination pixel under image pixel (3, 3) of image 1
  } cases[] = {
      // Trunc(S - (S - D) * 0.4) per channel (red, green, blue): S (0x00, 0x80, 0xFF), D (0x20, 0x40, 0x60).
      {"normal with blend 40: 40 % of the destination", 0, 40, false, true, 0xFF0C66BF},
      {"hot: copied unblended", 1, 40, false, true, 0xFF0080FF},
      {"disabled and blended: half and half", 0, 0, false, false, 0xFF1060AF},
  };
  for (const Case& c : cases) {
    auto dest = Dest();
    TkcGlyphPaintInfo info;
    info.DstBmp = dest.get();
    info.Images = &f.list;
    info.ImageIndex = 1;
    info.ImgRect = fw::Bounds(2, 2, 8, 8);
    info.State = c.state;
    info.BlendPercent = c.blend;
    info.Grayed = c.grayed;
    info.Enabled = c.enabled;
    info.DisabledKind = TkDisabledKind{dkBlended};
    DrawButtonGlyph(info);
    EXPECT_EQ(View32(*dest).Pixel(5, 5), c.want) << c.what << std::hex << " got " << View32(*dest).Pixel(5, 5);
  }
  auto dest = Dest();
  TkcGlyphPaintInfo grey;
  grey.DstBmp = dest.get();
  grey.Images = &f.list;
  grey.ImageIndex = 1;
  grey.ImgRect = fw::Bounds(0, 0, 8, 8);
  grey.Grayed = true;
  DrawButtonGlyph(grey);
  const uint32_t p = View32(*dest).Pixel(3, 3);
  EXPECT_TRUE(Red(p) == Green(p) && Green(p) == Blue(p)) << "normal and grayed: grey" << std::hex << p;
  EXPECT_EQ(View32(*dest).Pixel(0, 0) & 0xFFFFFF, 0u) << "the top-left colour keeps its colour";
}

TEST(DrawImageListFrame, FrameOfTheStateAndItsSize) {
  ListFixture f;
  auto dest = Dest();
  const fw::TPoint size = DrawImageListFrame(&f.list, *dest, 5, 5, 7, 4, 0);
  EXPECT_EQ(size, (fw::TPoint{2, 8})) << "list width / 4";
  // Drawn by alpha 255: ((S - D) * 255 + D * 256) >> 8 keeps 254 of 255.
  EXPECT_EQ(View32(*dest).Pixel(5, 6) & 0xFFFFFF, 0xFEFEFEu) << "state 7 of 4 frames: the fourth";
  EXPECT_EQ(View32(*dest).Pixel(7, 6), kBack) << "one frame only";
  auto none = Dest();
  DrawImageListFrame(&f.list, *none, 5, 5, 0, 4, -1);
  DrawImageListFrame(&f.list, *none, 5, 5, 0, 4, 9);
  EXPECT_EQ(Checksum(*none), Checksum(*Dest())) << "an index outside the list draws nothing";
  DrawImageListFrame(&f.list, *none, 5, 5, 1, 0, 0);
  EXPECT_EQ(View32(*none).Pixel(5, 6) & 0xFFFFFF, 0xFE0000u) << "no frame count: one frame";
}

TEST(DrawToolButtonGlyph, PlaceStateAndList) {
  ListFixture f;
  fw::TCustomImageList disabled{nullptr};
  disabled.SetMasked(false);
  disabled.SetWidth(8);
  disabled.SetHeight(8);
  auto black = NewBitmap32(8, 8);
  const TPixelView32 bv = View32(*black);
  for (int y = 0; y < 8; ++y) std::fill_n(bv.Row(y), 8, 0xFF000000u);
  disabled.Add(black.get(), nullptr);
  disabled.Add(black.get(), nullptr);
  TkLoadedSkin skin;
  struct Case {
    const char* what;
    UINT itemState;
    bool listMode, skinned, shift;
    fw::TPoint at;  // where image pixel (0, 1) lands
    uint32_t want;  // its pixel, alpha left out
  } cases[] = {
      // (24 - 8) / 2 + 1 = 9, (20 - 8) / 2 = 6.
      {"normal, centred", 0, false, false, true, {9, 7}, 0x0080FF},
      {"checked: pressed, one pixel down and right", kToolItemChecked, false, false, true, {10, 8}, 0x0080FF},
      {"checked without the shift", kToolItemChecked, false, true, false, {9, 7}, 0x0080FF},
      {"list mode: five from the left", 0, true, false, true, {5, 7}, 0x0080FF},
      {"disabled: the disabled images", kToolItemDisabled, false, false, true, {9, 7}, 0x000000},
  };
  for (const Case& c : cases) {
    auto dest = Dest(24, 20);
    TToolButtonGlyph b;
    b.Images = &f.list;
    b.DisabledImages = &disabled;
    b.ImageIndex = 1;
    b.ButtonSize = {24, 20};
    b.ListMode = c.listMode;
    b.Skin = c.skinned ? &skin : nullptr;
    b.ShiftContentOnClick = c.shift;
    DrawToolButtonGlyph(b, c.itemState, *dest);
    EXPECT_EQ(View32(*dest).Pixel(c.at.x, c.at.y) & 0xFFFFFF, c.want) << c.what;
    EXPECT_EQ(View32(*dest).Pixel(c.at.x - 1, c.at.y), kBack) << c.what << ": the image starts there";
  }
}

}  // namespace
}  // namespace skin
