// Every routine that takes a rectangle, a point or images of different sizes,
// driven with rectangles and points on, across and far outside the images.
// Each image is a heap block of exactly its pixels (some laid out bottom-up),
// so the sanitizers of the host tree report any read or write outside one;
// the checks here add that nothing outside the clipped area changes.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/resample.h"

namespace skin {
namespace {

// A 32-bit image in a block of its own, top-down or bottom-up.
class ExactImage {
 public:
  ExactImage(int width, int height, bool bottomUp = false, uint32_t seed = 1)
      : width_(width), height_(height), bottomUp_(bottomUp), pixels_(new uint32_t[size_t(width) * height]) {
    for (int i = 0; i < width * height; ++i) pixels_[i] = (seed + i) * 2654435761u;
  }
  TPixelView32 View() const {
    uint8_t* base = reinterpret_cast<uint8_t*>(pixels_.get());
    const ptrdiff_t row = ptrdiff_t(width_) * 4;
    if (bottomUp_) return {base + (height_ - 1) * row, -row, width_, height_};
    return {base, row, width_, height_};
  }

 private:
  int width_, height_;
  bool bottomUp_;
  std::unique_ptr<uint32_t[]> pixels_;
};

// The pixels of a view, row by row.
std::vector<uint32_t> Snapshot(const TPixelView32& v) {
  std::vector<uint32_t> out;
  for (int y = 0; y < v.Height; ++y) out.insert(out.end(), v.Row(y), v.Row(y) + v.Width);
  return out;
}

// How many pixels outside the allowed rectangle differ from before.
int ChangedOutside(const TPixelView32& v, const std::vector<uint32_t>& before, const fw::TRect& allowed) {
  const std::vector<uint32_t> after = Snapshot(v);
  int changed = 0;
  for (int y = 0; y < v.Height; ++y)
    for (int x = 0; x < v.Width; ++x) {
      const bool inside = x >= allowed.Left && x < allowed.Right && y >= allowed.Top && y < allowed.Bottom;
      if (!inside && before[size_t(y) * v.Width + x] != after[size_t(y) * v.Width + x]) ++changed;
    }
  return changed;
}

constexpr int kW = 5, kH = 4;

// Rectangles against a 5 x 4 image: inside, across each edge, beyond each
// edge, far away, inverted and empty.
const fw::TRect kRects[] = {
    {1, 1, 3, 3},          {-3, -2, 2, 2},       {3, 2, 9, 9},        {-100, -100, 100, 100}, {kW, kH, kW + 4, kH + 4},
    {kW - 1, kH - 1, kW + 1, kH + 1}, {-9, 1, -1, 3}, {1, -9, 3, -1},   {4, 3, 1, 1},           {2, 2, 2, 2},
    {-2147483000, 0, 2, 2}, {0, 0, 2147483000, 2147483000},
};

const fw::TPoint kPoints[] = {{0, 0}, {-1, -1}, {-3, 2}, {2, -3}, {kW - 1, kH - 1}, {kW, kH}, {100, 100}, {-100, -100}};

std::string Name(const fw::TRect& r) {
  return "(" + std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) + "," +
         std::to_string(r.Bottom) + ")";
}

// The part of r inside the 5 x 4 image, with inclusive right and bottom
// when asked.
fw::TRect Allowed(const fw::TRect& r, bool inclusive = false) {
  const fw::TRect e = inclusive ? fw::TRect{r.Left, r.Top, r.Right + 1, r.Bottom + 1} : r;
  return ClipToView(e, kW, kH);
}

TEST(Clipping, FillsAndAlphaRoutinesStayInsideTheImage) {
  struct Routine {
    const char* name;
    void (*run)(const TPixelView32&, const fw::TRect&);
    bool inclusive;
  } routines[] = {
      {"FillRectAlpha", [](const TPixelView32& v, const fw::TRect& r) { FillRectAlpha(v, r, 0x123456, 7); }, false},
      {"SetRectAlpha", [](const TPixelView32& v, const fw::TRect& r) { SetRectAlpha(v, r, 9, clSkinNone); }, false},
      {"PremultiplyRect", [](const TPixelView32& v, const fw::TRect& r) { PremultiplyRect(v, r); }, false},
      {"BlendRectToColor", [](const TPixelView32& v, const fw::TRect& r) { BlendRectToColor(v, r, 40, 0xFF); },
       true},
      {"FadeRectAlpha", [](const TPixelView32& v, const fw::TRect& r) { FadeRectAlpha(v, r, 0xFF00, 3, 33); },
       false},
      {"FillGradient", [](const TPixelView32& v, const fw::TRect& r) {
         TkGradArray stops;
         ParseGradientData(u"0;16777215;60;0;0;255;65280;40;0;0", stops);
         FillGradient(v, r, stops);
       }, false},
      {"FillGradient horizontal", [](const TPixelView32& v, const fw::TRect& r) {
         TkGradArray stops;
         ParseGradientData(u"0;16777215;60;1;0;255;65280;40;1;0", stops);
         FillGradient(v, r, stops);
       }, false},
  };
  for (const auto& routine : routines)
    for (bool bottomUp : {false, true})
      for (const fw::TRect& r : kRects) {
        ExactImage image(kW, kH, bottomUp);
        const std::vector<uint32_t> before = Snapshot(image.View());
        routine.run(image.View(), r);
        EXPECT_EQ(ChangedOutside(image.View(), before, Allowed(r, routine.inclusive)), 0)
            << routine.name << " " << Name(r) << (bottomUp ? " bottom-up" : "");
      }
}

TEST(Clipping, FrameStripsStayInsideTheImageAndFittingOnesInsideTheRectangle) {
  for (const fw::TRect& r : kRects)
    for (int width : {0, 1, 3, 50, -2}) {
      ExactImage image(kW, kH);
      const std::vector<uint32_t> before = Snapshot(image.View());
      FillFrameAlpha(image.View(), r, width, width, width, width, 0xFF);
      // Strips wider than the rectangle reach past it by design; those that
      // fit stay inside it.
      if (2 * width <= std::min(r.Right - r.Left, r.Bottom - r.Top)) {
        EXPECT_EQ(ChangedOutside(image.View(), before, Allowed(r)), 0) << Name(r) << " width " << width;
      }
    }
}

TEST(Clipping, CopiesAndBlendsStayInsideBothImages) {
  // The source is 3 x 6, so it is narrower and taller than the 5 x 4
  // destination; the cache image is smaller than both.
  ExactImage source(3, 6, true, 77);
  ExactImage cache(2, 2, false, 5);
  const uint32_t key = source.View().Pixel(1, 1);  // some source pixels are keys
  for (const fw::TRect& sr : kRects)
    for (const fw::TPoint& p : kPoints) {
      SCOPED_TRACE(Name(sr) + " at " + std::to_string(p.x) + "," + std::to_string(p.y));
      struct Routine {
        const char* name;
        std::function<void(const TPixelView32&)> run;
      } routines[] = {
          {"CopyBitmapSkipKey", [&](const TPixelView32& d) { CopyBitmapSkipKey(d, source.View(), p.x, p.y, key); }},
          {"CopyRectSkipKey", [&](const TPixelView32& d) { CopyRectSkipKey(d, source.View(), p.x, p.y, sr, key); }},
          {"CopyRectKeyed background", [&](const TPixelView32& d) {
             TCacheInfo ci;
             ci.Bmp = cache.View(), ci.X = p.y, ci.Y = p.x, ci.Ready = true;
             CopyRectKeyed(d, source.View(), p.x, p.y, sr, SwapRedBlue(key), ci, true);
           }},
          {"CopyRectKeyed onto the cache", [&](const TPixelView32& d) {
             TCacheInfo ci;
             ci.Bmp = d, ci.Ready = true;
             CopyRectKeyed(d, source.View(), p.x, p.y, sr, SwapRedBlue(key), ci, true);
           }},
          {"CopyRectKeyed not ready", [&](const TPixelView32& d) {
             CopyRectKeyed(d, source.View(), p.x, p.y, sr, SwapRedBlue(key), TCacheInfo{}, false);
           }},
          {"BlendBitmapAt", [&](const TPixelView32& d) { BlendBitmapAt(d, source.View(), 100, sr, p); }},
          {"BlendBitmapRectKeyed",
           [&](const TPixelView32& d) { BlendBitmapRectKeyed(d, p.x, p.y, source.View(), sr, 0.4, key); }},
          {"FillKeyedCorner", [&](const TPixelView32& d) {
             FillKeyedCorner(d, source.View(), sr, p, nullptr, {});
           }},
          {"FillKeyedCorner through a mask", [&](const TPixelView32& d) {
             const TPixelView32 mask = cache.View();
             FillKeyedCorner(d, source.View(), sr, {p.y, p.x}, &mask, p);
           }},
          {"BlendTextCoverage", [&](const TPixelView32& d) { BlendTextCoverage(d, p.x, p.y, source.View(), 0xFF); }},
          {"FillGradientTextured", [&](const TPixelView32& d) {
             TkGradArray stops;
             ParseGradientData(u"0;16777215;100;0;0", stops);
             FillGradientTextured(d, sr, stops, source.View(), {p.x, p.y, p.x + 2, p.y + 9}, 128, 200);
           }},
      };
      for (const auto& routine : routines)
        for (bool bottomUp : {false, true}) {
          ExactImage dest(kW, kH, bottomUp);
          routine.run(dest.View());  // the sanitizers judge the accesses
        }
    }
}

TEST(Clipping, PlacedCopiesChangeOnlyWhereTheSourceLands) {
  ExactImage source(3, 6, false, 77);
  for (const fw::TRect& sr : kRects)
    for (const fw::TPoint& p : kPoints) {
      // The landing area: the source rectangle (inclusive, limited to the
      // source) placed at the point, within the destination.
      const fw::TRect limited{std::max(sr.Left, 0), std::max(sr.Top, 0), std::min(sr.Right + 1, 3),
                              std::min(sr.Bottom + 1, 6)};
      const fw::TRect lands =
          Allowed({p.x, p.y, p.x + limited.Right - limited.Left, p.y + limited.Bottom - limited.Top});
      ExactImage dest(kW, kH);
      const std::vector<uint32_t> before = Snapshot(dest.View());
      CopyRectSkipKey(dest.View(), source.View(), p.x, p.y, sr, clSkinNone);
      EXPECT_EQ(ChangedOutside(dest.View(), before, lands), 0) << Name(sr) << " at " << p.x << "," << p.y;
    }
}

TEST(Clipping, WholeImageRoutinesToleratePartnersOfOtherSizes) {
  ExactImage a(kW, kH), b(kW, kH, true), smallMask(2, 3), wideMask(9, 1);
  struct Case {
    const char* name;
    int destW, destH;
  } dests[] = {{"smaller", 2, 2}, {"same", kW, kH}, {"larger", 8, 7}, {"one row", 9, 1}};
  for (const auto& c : dests) {
    ExactImage dest(c.destW, c.destH, true);
    for (const ExactImage* mask : {&smallMask, &wideMask}) {
      const TPixelView32 m = mask->View();
      BlendTwoBitmaps(dest.View(), a.View(), b.View(), &m, 0);
      for (const fw::TRect& r : kRects) BlendThroughMask(dest.View(), a.View(), m, r);
      CombineFadeMask(dest.View(), m, 0xFF);
    }
    BlendTwoBitmaps(dest.View(), a.View(), b.View(), nullptr, 128);
    BlendTwoBitmaps(dest.View(), a.View(), smallMask.View(), nullptr, 128);  // unequal pair: nothing
    RotatePixels90(a.View(), dest.View(), true);  // a destination of the wrong size is left
  }
  for (const auto& c : dests) {
    ExactImage image(c.destW, c.destH);
    std::vector<uint8_t> eight(size_t(3) * 2, 9);
    CopyChannel(image.View(), TPixelView8{eight.data(), 3, 3, 2}, 3, true);
    CopyChannel(image.View(), TPixelView8{eight.data(), 3, 3, 2}, 1, false);
    CopyChannel(image.View(), TPixelView8{eight.data(), 3, 3, 2}, 4, false);  // no such channel
  }
}

TEST(Clipping, ResamplingAPieceOutsideTheImageDoesNothing) {
  ExactImage image(kW, kH);
  for (const fw::TRect& r : kRects) {
    const TPixelView32 piece = SubView(image.View(), r);
    const fw::TRect inside = Allowed(r);
    const bool empty = inside.Right <= inside.Left || inside.Bottom <= inside.Top;
    EXPECT_EQ(piece.Empty(), empty) << Name(r);
    if (!piece.Empty()) {
      EXPECT_EQ(piece.Width, inside.Right - inside.Left) << Name(r);
      EXPECT_EQ(&piece.Pixel(0, 0), &image.View().Pixel(inside.Left, inside.Top)) << Name(r);
    }
    for (int size : {0, 1, 3, 11}) {
      TPixelBuffer out;
      ResamplePixels(piece, out, size, size + 1, rfMitchell);
      const bool nothing = piece.Empty() || piece.Width < 2 || piece.Height < 2 || size == 0;
      EXPECT_EQ(out.Empty(), nothing) << Name(r) << " to " << size;
      if (!nothing) {
        EXPECT_EQ(out.Height(), size + 1) << Name(r);
      }
    }
  }
}

}  // namespace
}  // namespace skin
