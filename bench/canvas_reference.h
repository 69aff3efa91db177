// A deliberately plain twin of the matching engine's pixel work: every pixel
// is read from the canvas one at a time (GetPixel), the glyph crop follows
// the column-run procedure step by step and copies each run through the
// canvas. The benchmark measures the engine against it and the tests check
// that both give the same results.
#pragma once

#include <windows.h>

#include <memory>

#include "app/core/glyph_compare.h"
#include "app/image_routines.h"
#include "app/matching_engine.h"
#include "fw/graphics/graphics.h"

namespace bench {

inline bool CanvasInk(fw::TCanvas* c, int x, int y) { return c->Pixel(x, y) == 0x000000; }
inline bool CanvasWhite(fw::TCanvas* c, int x, int y) {
  return static_cast<uint32_t>(c->Pixel(x, y)) == 0xFFFFFF;
}

// The glyph crop, run by run, each run's box copied through the canvas.
inline void CanvasCropGlyph(fw::TBitmap* src, fw::TBitmap* dst) {
  fw::TCanvas* c = src->Canvas();
  const int w = src->Width();
  const int h = src->Height();
  auto columnInk = [&](int x) {
    if (x >= w) return false;
    for (int y = 0; y < h; ++y)
      if (CanvasInk(c, x, y)) return true;
    return false;
  };
  bool any = false;
  int a = 0;
  for (;;) {
    int b = a;
    while (b < w && !columnInk(b)) ++b;
    if (b >= w) break;
    int e = b + 1;
    while (columnInk(e)) ++e;
    int t = -1, u = -1;
    for (int y = 0; y < h; ++y)
      for (int x = b; x < e; ++x)
        if (CanvasInk(c, x, y)) {
          if (t < 0) t = y;
          u = y;
          break;
        }
    dst->SetPixelFormat(fw::pf24bit);
    dst->SetSize(e - b, u - t + 1);
    dst->Canvas()->CopyRect(fw::Rect(0, 0, e - b, u - t + 1), c, fw::Rect(b, t, e, u + 1));
    any = true;
    a = e;
  }
  if (!any) dst->SetSize(0, 0);
}

inline app::TMatchCounts CanvasCountMatchingPixels(fw::TBitmap* s, fw::TBitmap* c) {
  app::TMatchCounts m;
  const int ws = s->Width(), hs = s->Height();
  const int cw = c->Width(), ch = c->Height();
  m.Total = ws * hs;
  if (!app::WidthsComparable(ws, cw)) {
    m.Misses = m.Total;
    return m;
  }
  fw::TCanvas* sc = s->Canvas();
  fw::TCanvas* cc = c->Empty() ? nullptr : c->Canvas();
  for (int y = 0; y < hs; ++y)
    for (int x = 0; x < ws; ++x) {
      const bool a = CanvasWhite(sc, x, y);
      const bool b = cc && x < cw && y < ch && CanvasWhite(cc, x, y);
      if (a == b)
        ++m.Matches;
      else
        ++m.Misses;
    }
  return m;
}

// The engine's candidate procedure with the canvas-reading pieces above.
class TCanvasReferenceEngine {
 public:
  TCanvasReferenceEngine() {
    for (auto* b : {&render_, &glyph_, &compare_}) {
      *b = std::make_unique<fw::TBitmap>();
      (*b)->SetPixelFormat(fw::pf24bit);
    }
  }
  app::TMatchOptions Options;
  fw::TBitmap* Sample = nullptr;
  double CalibratedSize = 1.0;
  bool Monochrome = false;

  fw::TBitmap* RenderBitmap() const { return render_.get(); }
  fw::TBitmap* GlyphBitmap() const { return glyph_.get(); }
  fw::TBitmap* CompareBitmap() const { return compare_.get(); }

  app::TMatchCounts Compare(const fw::String& face) {
    const app::TSpeedRule rule = app::SpeedRuleFor(Options.Speed);
    const int ws = Sample->Width(), hs = Sample->Height();
    render_->SetSize(rule.CanvasScale * ws, rule.CanvasScale * hs);
    const fw::TRect r = fw::Rect(0, 0, render_->Width(), render_->Height());
    app::DrawCharCentred(Options.CodePoint, render_->Canvas(), r, hs, face, Options.Bold, Options.Italic);
    Reduce(render_.get(), rule, hs);
    if (rule.Level == 1) {
      app::DrawCharLeft(Options.CodePoint, render_->Canvas(), r, CalibratedSize, face, Options.Bold,
                        Options.Italic);
      if (Monochrome) {
        fw::TCanvas* c = render_->Canvas();
        for (int y = 0; y < render_->Height(); ++y)
          for (int x = 0; x < render_->Width(); ++x) {
            const uint32_t v = static_cast<uint32_t>(c->Pixel(x, y));
            if (v < 0xFFFFFF && v != 0) c->SetPixel(x, y, 0);
          }
        fw::TBitmap t;
        t.SetPixelFormat(fw::pf24bit);
        CanvasCropGlyph(render_.get(), &t);
        CopyWhole(&t, compare_.get());
      } else {
        Reduce(render_.get(), rule, hs);
      }
    }
    return CanvasCountMatchingPixels(Sample, compare_.get());
  }

 private:
  static void CopyWhole(fw::TBitmap* src, fw::TBitmap* dst) {
    dst->SetPixelFormat(fw::pf24bit);
    dst->SetSize(src->Width(), src->Height());
    if (!src->Empty())
      dst->Canvas()->CopyRect(fw::Rect(0, 0, src->Width(), src->Height()), src->Canvas(),
                              fw::Rect(0, 0, src->Width(), src->Height()));
  }

  void Reduce(fw::TBitmap* src, const app::TSpeedRule& rule, int hs) {
    if (rule.CropToGlyph)
      CanvasCropGlyph(src, glyph_.get());
    else
      CopyWhole(src, glyph_.get());
    const int hg = glyph_->Height() > 0 ? glyph_->Height() : hs;
    if (rule.Level == 1) {
      CopyWhole(glyph_.get(), compare_.get());
      CalibratedSize = app::CalibratedSizeFor(hs, hg, CalibratedSize);
    } else if (rule.Reduce == app::TCompareReduce::StretchToSample) {
      compare_->SetSize(Sample->Width(), Sample->Height());
      app::StretchKeepAspect(glyph_.get(), compare_.get());
    } else {
      CopyWhole(glyph_.get(), compare_.get());
    }
  }

  std::unique_ptr<fw::TBitmap> render_, glyph_, compare_;
};

}  // namespace bench
