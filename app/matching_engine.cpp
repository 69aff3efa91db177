#include "app/matching_engine.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

#include "app/image_routines.h"
#include "fw/core/exceptions.h"

namespace app {

using fw::TBitmap;

namespace {

// The rows of a bitmap as 24 or 32 bits; other formats are read from a
// 24-bit copy held in temp.
PixelView ReadablePixels(TBitmap* b, std::unique_ptr<TBitmap>& temp) {
  const fw::TPixelFormat pf = b->PixelFormat();
  if (b->Empty() || pf == fw::pf24bit || pf == fw::pf32bit) return BitmapPixels(b);
  temp = std::make_unique<TBitmap>();
  temp->Assign(b);
  temp->SetPixelFormat(fw::pf24bit);
  return BitmapPixels(temp.get());
}

// Makes b a 24-bit bitmap of w x h whose pixels the caller writes in full.
// A new size gets a fresh DIB section adopted by the bitmap: resizing
// through the bitmap would also keep and clear the old picture, which the
// engine overwrites anyway, and costs several times more per candidate.
void SetSize24(TBitmap* b, int w, int h) {
  if (b->PixelFormat() == fw::pf24bit && b->Width() == w && b->Height() == h) return;
  if (w <= 0 || h <= 0) {
    MakeBitmap24(b);
    b->SetSize(0, 0);
    return;
  }
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!dib) throw fw::EOutOfResources(u"Out of system resources");
  b->SetHandle(dib);
}

// dst := a 24-bit copy of the rectangle (left, top, w, h) of src.
void CopyBitmap24(const PixelView& src, int left, int top, int w, int h, TBitmap* dst) {
  SetSize24(dst, w, h);
  if (!dst->Empty()) CopyPixels(src, left, top, BitmapPixels(dst));
}

void CopyBitmap24(TBitmap* src, TBitmap* dst) {
  std::unique_ptr<TBitmap> temp;
  CopyBitmap24(ReadablePixels(src, temp), 0, 0, src->Width(), src->Height(), dst);
}

// Adds the time since the last lap to one phase of the timing, when timing.
class TPhaseClock {
 public:
  explicit TPhaseClock(TPhaseTimes* t) : times_(t) {
    if (!times_) return;
    QueryPerformanceFrequency(&freq_);
    QueryPerformanceCounter(&last_);
  }
  void Lap(double TPhaseTimes::*phase) {
    if (!times_) return;
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    times_->*phase += static_cast<double>(now.QuadPart - last_.QuadPart) / static_cast<double>(freq_.QuadPart);
    last_ = now;
  }

 private:
  TPhaseTimes* times_;
  LARGE_INTEGER freq_{};
  LARGE_INTEGER last_{};
};

}  // namespace

void CropGlyph(TBitmap* src, TBitmap* dst) {
  std::unique_ptr<TBitmap> temp;
  const PixelView v = ReadablePixels(src, temp);
  const auto box = FindGlyphBox(v);
  if (!box) {
    SetSize24(dst, 0, 0);
    return;
  }
  CopyBitmap24(v, box->Left, box->Top, box->Width(), box->Height(), dst);
}

namespace {

// Fits the part part of src's canvas into dst's size keeping its aspect,
// centred on white; dst must not be src.
void StretchPartKeepAspect(TBitmap* src, const fw::TRect& part, TBitmap* dst) {
  const int dw = dst->Width();
  const int dh = dst->Height();
  SetSize24(dst, dw, dh);
  if (dst->Empty()) return;
  const PixelView d = BitmapPixels(dst);
  for (int y = 0; y < dh; ++y) std::memset(d.Row(y), 0xFF, static_cast<size_t>(dw) * 3);
  const fw::TRect r = KeepAspectRect(part.Width(), part.Height(), dw, dh);
  if (r.Width() <= 0 || r.Height() <= 0) return;
  HDC dc = dst->Canvas()->Handle();
  HDC sc = src->Canvas()->Handle();
  // Whole pixels only: no blending, so black stays exactly black and the
  // result is the same on every system.
  const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, r.Left, r.Top, r.Width(), r.Height(), sc, part.Left, part.Top, part.Width(), part.Height(),
             SRCCOPY);
  SetStretchBltMode(dc, oldMode);
  GdiFlush();
}

}  // namespace

void StretchKeepAspect(TBitmap* src, TBitmap* dst) {
  if (src == dst) {
    TBitmap copy;
    CopyBitmap24(src, &copy);
    StretchKeepAspect(&copy, dst);
    return;
  }
  StretchPartKeepAspect(src, fw::Rect(0, 0, src->Width(), src->Height()), dst);
}

std::unique_ptr<TBitmap> FitSampleToBox(TBitmap* picture, int boxWidth, int boxHeight) {
  auto result = std::make_unique<TBitmap>();
  if (boxWidth < picture->Width() || boxHeight < picture->Height()) {
    TBitmap fitted;
    fitted.SetPixelFormat(fw::pf24bit);
    fitted.SetSize(boxWidth, boxHeight);
    StretchKeepAspect(picture, &fitted);
    CropGlyph(&fitted, result.get());
  } else {
    result->Assign(picture);
  }
  return result;
}

TMatchingEngine::TMatchingEngine()
    : renderBitmap_(std::make_unique<TBitmap>()),
      glyphBitmap_(std::make_unique<TBitmap>()),
      compareBitmap_(std::make_unique<TBitmap>()) {
  renderBitmap_->SetPixelFormat(fw::pf24bit);
  renderBitmap_->SetTransparent(false);
  glyphBitmap_->SetPixelFormat(fw::pf24bit);
  glyphBitmap_->SetTransparent(false);
  compareBitmap_->SetPixelFormat(fw::pf24bit);
  compareBitmap_->SetSize(70, 70);
}

TMatchingEngine::~TMatchingEngine() = default;

int TMatchingEngine::SampleHeight() const { return sample_ ? sample_->Height() : 0; }

TBitmap* TMatchingEngine::GlyphBitmap() {
  if (glyphPending_) {
    SetSize24(glyphBitmap_.get(), glyph_.Width, glyph_.Height);
    if (!glyphBitmap_->Empty()) CopyPixels(glyph_, 0, 0, BitmapPixels(glyphBitmap_.get()));
    glyphPending_ = false;
  }
  return glyphBitmap_.get();
}

TBitmap* TMatchingEngine::CompareBitmap() {
  if (comparePending_) {
    SetSize24(compareBitmap_.get(), compare_.Width, compare_.Height);
    if (!compareBitmap_->Empty()) CopyPixels(compare_, 0, 0, BitmapPixels(compareBitmap_.get()));
    comparePending_ = false;
  }
  return compareBitmap_.get();
}

void TMatchingEngine::comparefontandimage(const fw::String& faceName, const fw::String& path) {
  // The sink hears of every candidate, also of one that failed.
  struct TDone {
    TMatchSink* sink;
    ~TDone() {
      if (sink) sink->CandidateDone();
    }
  } done{sink_};

  lastCounts_ = TMatchCounts{};
  if (!sample_ || sample_->Empty()) return;
  MakeBitmap24(sample_);
  // The images of the last candidate are parts of a drawing about to be
  // drawn over; one that fails half-way leaves none.
  glyph_ = compare_ = PixelView{};
  glyphPending_ = comparePending_ = true;
  const TSpeedRule rule = SpeedRuleFor(options_.Speed);
  const int ws = sample_->Width();
  const int hs = sample_->Height();
  TPhaseClock clock(timing_);

  // Every pixel of the canvas is painted by the drawing's own fill, so the
  // old image need not be cleared; the bitmap stays while the size does.
  SetSize24(renderBitmap_.get(), rule.CanvasScale * ws, rule.CanvasScale * hs);
  const fw::TRect rect = fw::Rect(0, 0, renderBitmap_->Width(), renderBitmap_->Height());
  fw::TCanvas* canvas = renderBitmap_->Canvas();
  DrawCharCentred(options_.CodePoint, canvas, rect, hs, faceName, options_.Bold, options_.Italic);
  clock.Lap(&TPhaseTimes::Draw);
  Reduce(renderBitmap_.get());
  clock.Lap(&TPhaseTimes::Reduce);

  if (rule.Level == 1) {
    // The bolded reduction leaves the glyph of the first drawing in place,
    // which the second one draws over.
    if (monochrome_) HoldGlyph();
    DrawCharLeft(options_.CodePoint, canvas, rect, calibratedSize_, faceName, options_.Bold, options_.Italic);
    clock.Lap(&TPhaseTimes::Draw);
    if (monochrome_)
      ReduceBolded(renderBitmap_.get());
    else
      Reduce(renderBitmap_.get());
    clock.Lap(&TPhaseTimes::Reduce);
  }

  Score(faceName, path);
  clock.Lap(&TPhaseTimes::Score);
  if (timing_) ++timing_->Candidates;
}

void TMatchingEngine::Score(const fw::String& faceName, const fw::String& path) {
  lastCounts_ = app::CountMatchingPixels(BitmapPixels(sample_), compare_);
  if (!MatchAccepted(lastCounts_, options_.Threshold)) return;
  if (sink_) sink_->AddMatch(faceName, path, MatchScore(lastCounts_));
  ++matchCount_;
}

void TMatchingEngine::Reduce(TBitmap* drawing) {
  const TSpeedRule rule = SpeedRuleFor(options_.Speed);
  const int hs = SampleHeight();
  const PixelView whole = BitmapPixels(drawing);
  fw::TRect box = fw::Rect(0, 0, whole.Width, whole.Height);
  if (rule.CropToGlyph) box = FindGlyphBox(whole).value_or(fw::TRect{});
  glyph_ = PartOf(whole, box);
  glyphPending_ = true;
  // An empty crop counts as Hs rows high (and 0 columns wide).
  const int hg = glyph_.Height > 0 ? glyph_.Height : hs;

  if (rule.Level == 1) {
    compare_ = glyph_;
    comparePending_ = true;
    calibratedSize_ = CalibratedSizeFor(hs, hg, calibratedSize_);
    return;
  }
  if (rule.Reduce == TCompareReduce::StretchToSample) {
    // The one comparison image of its own: of the sample's size, so its
    // bitmap stays from one candidate to the next.
    TBitmap* c = compareBitmap_.get();
    SetSize24(c, sample_ ? sample_->Width() : 0, sample_ ? sample_->Height() : 0);
    StretchPartKeepAspect(drawing, box, c);
    compare_ = BitmapPixels(c);
    comparePending_ = false;
    return;
  }
  compare_ = glyph_;
  comparePending_ = true;
}

void TMatchingEngine::ReduceBolded(TBitmap* drawing) {
  // Anti-aliased gray edges become ink like the black-and-white sample's.
  MakeBlackAndWhite(drawing);
  compare_ = GlyphPart(BitmapPixels(drawing));
  comparePending_ = true;
}

void TMatchingEngine::HoldGlyph() {
  // Rows of 3-byte pixels without padding; the buffer only ever grows.
  const size_t rowBytes = static_cast<size_t>(glyph_.Width) * 3;
  heldGlyph_.resize(std::max(heldGlyph_.size(), rowBytes * static_cast<size_t>(glyph_.Height)));
  PixelView held{heldGlyph_.data(), static_cast<ptrdiff_t>(rowBytes), glyph_.Width, glyph_.Height, 3};
  CopyPixels(glyph_, 0, 0, held);
  glyph_ = held;
}

void TMatchingEngine::KeepImages() {
  GlyphBitmap();
  CompareBitmap();
}

void TMatchingEngine::BmpfromPainBox(TBitmap* drawing) {
  if (drawing == renderBitmap_.get()) return Reduce(drawing);
  // Another's drawing may change or go once the call returns: the images
  // are copied out of it (of a 24-bit copy, which the reduction can read).
  TBitmap copy;
  CopyBitmap24(drawing, &copy);
  Reduce(&copy);
  KeepImages();
}

void TMatchingEngine::BmpfromPainBoxBolded(TBitmap* drawing) {
  ReduceBolded(drawing);
  if (drawing != renderBitmap_.get()) KeepImages();
}

TMatchCounts TMatchingEngine::CountMatchingPixels(TBitmap* s, TBitmap* c) {
  MakeBitmap24(s);
  std::unique_ptr<TBitmap> temp;
  const PixelView cv = c ? ReadablePixels(c, temp) : PixelView{};
  return app::CountMatchingPixels(BitmapPixels(s), cv);
}

}  // namespace app
