#include "skin/controls/gauge.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "fw/core/exceptions.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/graphics.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/alpha_image.h"
#include "skin/engine/core/bitmap_blend.h"
#include "skin/engine/core/border_corners.h"
#include "skin/engine/core/mask_paint.h"
#include "skin/engine/core/section_paint.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "skin/engine/text_out.h"

namespace skin {

using fw::TRect;

int GaugeAnimCycle = 2222;

namespace {

constexpr unsigned kAnimInterval = 22;

// A new bitmap of the size, made black (copy mode BLACKNESS over its own
// rectangle): what the plain painting draws into and inverts over.
std::unique_ptr<fw::TBitmap> BlackBitmap(int Width, int Height, fw::TColor FillFirst = fw::clNone) {
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf32bit);
  b->SetSize(Width, Height);
  if (FillFirst != fw::clNone) {
    b->Canvas()->Brush()->SetColor(FillFirst);
    b->Canvas()->FillRect(TRect(0, 0, Width, Height));
  }
  PatBlt(b->Canvas()->Handle(), 0, 0, Width, Height, BLACKNESS);
  return b;
}

void SetPenAndBrush(fw::TCanvas* C, fw::TColor Pen, fw::TColor Brush) {
  C->Pen()->SetColor(Pen);
  C->Pen()->SetWidth(1);
  C->Pen()->SetStyle(fw::psSolid);
  C->Brush()->SetColor(Brush);
  C->Brush()->SetStyle(fw::bsSolid);
}

int RoundToInt(double V) { return static_cast<int>(fw::Round(V)); }

}  // namespace

int PercentOf(int Value, int Total) {
  if (Total == 0) return 0;
  return RoundToInt(100.0 / Total * Value);
}

int ShareOfPercent(int Percent, int Total) { return RoundToInt(Percent * 0.01 * Total); }

int AnimStep(int Length) { return std::max(15, RoundToInt(Length / (GaugeAnimCycle / 44.0))); }

TkGauge::TkGauge(fw::TComponent* AOwner) : fw::TGraphicControl(AOwner) {
  SetControlStyle(ControlStyle() + fw::TControlStyle{fw::csOpaque});
  SetBounds(Left(), Top(), 120, 30);
  FLongTime = GaugeAnimCycle + 1;
  Timer = new fw::TTimer(this);
  Timer->SetEnabled(false);
  Timer->SetInterval(kAnimInterval);
  Timer->SetOnTimer(fw::TNotifyEvent(this, &TkGauge::AnimTimerTick));
  FCommonData = std::make_unique<TkCommonData>(this, false);
  FCommonData->COC = 161;
}

TkGauge::~TkGauge() = default;

bool TkGauge::Skinned() const {
  // A gauge made in code ends its loading state on first use.
  if (FCommonData->Loading && !ComponentState().Contains(fw::csLoading)) FCommonData->Loaded();
  return FCommonData->Skinned();
}

void TkGauge::Loaded() {
  fw::TGraphicControl::Loaded();
  FCommonData->Loaded();
  if (!ComponentState().Contains(fw::csDesigning) && FAnimated && !Timer->Enabled()) Timer->SetEnabled(true);
}

// ---- Properties

void TkGauge::SetKind(TkGaugeKind Value) {
  if (FKind == Value) return;
  FKind = Value;
  Refresh();
}

void TkGauge::SetCalcPercents(bool Value) {
  if (FCalcPercents == Value) return;
  FCalcPercents = Value;
  Invalidate();
}

void TkGauge::SetBorderStyle(fw::TBorderStyle Value) {
  if (FBorderStyle == Value) return;
  FBorderStyle = Value;
  Refresh();
}

void TkGauge::SetAnimated(bool Value) {
  if (FAnimated == Value) return;
  FAnimated = Value;
  if (ComponentState().Contains(fw::csDesigning)) return;
  FTmpProgressBmp.reset();
  Timer->SetEnabled(Value);
  if (!Value) Invalidate();
}

void TkGauge::SetBackColor(fw::TColor Value) {
  if (FBackColor == Value) return;
  FBackColor = Value;
  Refresh();
}

void TkGauge::SetForeColor(fw::TColor Value) {
  if (FForeColor == Value) return;
  FForeColor = Value;
  Repaint();
}

void TkGauge::SetMinValue(int Value) {
  if (FMinValue == Value) return;
  if (Value > FMaxValue && !ComponentState().Contains(fw::csLoading))
    throw fw::EInvalidOperation(fw::Format(u"Value must be between %d and %d", {-2147483647, FMaxValue - 1}));
  FMinValue = Value;
  if (FCurValue < Value) FCurValue = Value;
  Refresh();
}

void TkGauge::SetMaxValue(int Value) {
  if (FMaxValue == Value) return;
  if (Value < FMinValue && !ComponentState().Contains(fw::csLoading))
    throw fw::EInvalidOperation(fw::Format(u"Value must be between %d and %d", {FMinValue + 1, 2147483647}));
  FMaxValue = Value;
  if (FCurValue > Value) FCurValue = Value;
  Refresh();
}

void TkGauge::SetProgress(int Value) {
  const int oldPercent = PercentDone();
  Value = std::min(std::max(Value, FMinValue), FMaxValue);
  if (Value == FCurValue) return;
  FCurValue = Value;
  // The gauge repaints only when what it shows changes.
  if (PercentDone() != oldPercent) {
    FCommonData->BGChanged = true;
    Refresh();
  }
  if (OnChange) OnChange(this);
}

void TkGauge::SetProgressSkin(const fw::String& Value) {
  if (FProgressSkin == Value) return;
  FProgressSkin = Value;
  FTmpProgressBmp.reset();
  FCommonData->BGChanged = true;
  Repaint();
}

void TkGauge::SetShowText(bool Value) {
  if (FShowText == Value) return;
  FShowText = Value;
  Refresh();
}

void TkGauge::SetSuffix(const fw::String& Value) {
  if (FSuffix == Value) return;
  FSuffix = Value;
  Invalidate();
}

void TkGauge::AddProgress(int Value) {
  SetProgress(FCurValue + Value);
  Refresh();
}

int TkGauge::PercentDone() const { return PercentOf(FCurValue - FMinValue, FMaxValue - FMinValue); }

fw::String TkGauge::DisplayText() {
  fw::String text = fw::IntToStr(FCalcPercents ? PercentDone() : FCurValue) + FSuffix;
  if (OnPaintText) OnPaintText(this, text);
  return text;
}

// ---- Animation

void TkGauge::AnimTimerTick(fw::TObject*) {
  // The light strip runs over a skinned bar only.
  if (!Skinned()) {
    Timer->SetEnabled(false);
    return;
  }
  if (FLongTime > GaugeAnimCycle) {
    FAnimPos = -LightWidth;
    FLongTime = 0;
  }
  FLongTime += static_cast<int>(kAnimInterval);
  const int length = FKind == gkVerticalBar ? Height() : Width();
  if (FAnimPos >= length) return;
  if (Visible() && FCurValue > 0 && Parent() && Parent()->HandleAllocated() &&
      IsWindowVisible(Parent()->Handle())) {
    PrepareCache();
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), FCommonData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  FAnimPos += AnimStep(length);
}

// ---- Skinned painting

void TkGauge::PrepareCache() {
  TkCommonData& d = *FCommonData;
  TkLoadedSkin& skin = *d.ReadSkinManager()->LoadedSkin();
  d.EnsureCacheBitmap();
  const TPixelView32 v = View32(*d.FCacheBmp);
  const TRect r(0, 0, Width(), Height());
  TkcBackgroundInfo info;
  RequestBackground(info, this, false);
  const TCacheInfo behind = BgInfoToCacheInfo(info);
  TControlItem item;
  item.SkinIndex = d.SkinIndex;
  item.BorderIndex = d.BorderIndex;
  const bool bar = FKind == gkHorizontalBar || FKind == gkVerticalBar;
  if (skin.gd[d.SkinIndex].ReservedBoolean && bar) {
    PaintControlBackground(v, skin, item, behind, 0, {Left(), Top()}, r);
    PaintSkinItems(r);
    if (skin.IsValidImgIndex(d.BorderIndex)) {
      const TkMaskData& m = skin.ma[d.BorderIndex];
      DrawMaskRect(v, r, behind, m, MaskSourceView(skin, m), 0, true);
    }
  } else {
    PaintControlItem(v, skin, item, behind, true, {}, r, 0);
    PaintSkinItems(r);
  }
  GdiFlush();
  // The border mask's transparent corners show what lies behind.
  if (skin.IsValidImgIndex(d.BorderIndex)) {
    const TkMaskData& m = skin.ma[d.BorderIndex];
    RepaintBorderCorners(v, m, MaskSourceView(skin, m), 0, 15, behind);
  }
  d.BGChanged = false;
}

void TkGauge::PaintSkinItems(const TRect& R) {
  if (FShowText) PaintSkinText(*FCommonData->FCacheBmp->Canvas(), R, FCommonData->SkinIndex, true);
  switch (FKind) {
    case gkHorizontalBar:
    case gkVerticalBar: PaintSkinBar(R); break;
    case gkPie:
    case gkNeedle: PaintSkinRound(R); break;
    default: break;
  }
}

void TkGauge::PaintSkinText(fw::TCanvas& C, const TRect& R, int SkinIndex, bool) {
  C.Font()->Assign(Font());
  C.Brush()->SetStyle(fw::bsClear);
  DrawSectionText(C, DisplayText(), Enabled(), R, DT_CENTER | DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE, SkinIndex, 0,
                  FCommonData->ReadSkinManager()->LoadedSkin());
  GdiFlush();
}

void TkGauge::PaintSkinBar(const TRect& R) {
  TkLoadedSkin& skin = *FCommonData->ReadSkinManager()->LoadedSkin();
  fw::TBitmap& cache = *FCommonData->FCacheBmp;
  const bool vertical = FKind == gkVerticalBar;
  fw::String name = !FProgressSkin.empty() ? FProgressSkin : (!vertical || FAnimated ? u"PROGRESSH" : u"PROGRESSV");
  int x = skin.GetSkinIndex(name);
  TCacheInfo self;
  self.Bmp = View32(cache);
  self.Ready = true;
  if (vertical && !FAnimated && skin.IsValidSkinIndex(x)) {
    // A real vertical section: the bottom strip, painted standing.
    const int f = std::min(ShareOfPercent(PercentDone(), R.Height()), R.Height());
    if (f <= 0) return;
    TSectionPaint p;
    p.SkinIndex = x;
    p.SectionName = name;
    p.CI = self;
    p.R = TRect(R.Left, Height() - f, R.Right, Height());
    PaintSectionRect(View32(cache), skin, p);
    if (FShowText) {
      const int saved = SaveDC(cache.Canvas()->Handle());
      IntersectClipRect(cache.Canvas()->Handle(), p.R.Left, p.R.Top, p.R.Right, p.R.Bottom);
      PaintSkinText(*cache.Canvas(), R, x, true);
      RestoreDC(cache.Canvas()->Handle(), saved);
    }
    return;
  }
  if (vertical && !skin.IsValidSkinIndex(x)) {
    name = u"PROGRESSH";
    x = skin.GetSkinIndex(name);
  }
  // Painted lying down; a vertical bar is turned afterwards.
  const int length = vertical ? R.Height() : R.Width(), thickness = vertical ? R.Width() : R.Height();
  const int f = std::min(ShareOfPercent(PercentDone(), length), length);
  if (f <= 0 || !skin.IsValidSkinIndex(x)) return;
  std::unique_ptr<fw::TBitmap> g = NewBitmap32(f, thickness);
  const TPixelView32 gv = View32(*g);
  // The light, and the part of the section's "LRGN" mask under it (drawn
  // over white, so that only its dark parts let the light through).
  const bool lit = FAnimated && FAnimPos < f + LightWidth;
  TRect visible;
  std::unique_ptr<TPixelBuffer> lightMask;
  if (lit) {
    LoadLight(thickness);
    visible = TRect(std::max(0, FAnimPos), 0, std::min(f, FAnimPos + LightWidth), thickness);
    const int lrgn = skin.gd[FCommonData->SkinIndex].ReservedBoolean ? -1 : skin.GetMaskIndex(x, name, u"LRGN");
    if (visible.Width() > 0 && skin.IsValidImgIndex(lrgn)) {
      GdiFlush();
      FillRectAlpha(gv, TRect(0, 0, f, thickness), 0xFFFFFF, 255);
      TCacheInfo white;
      white.FillColor = 0xFFFFFF;
      const TkMaskData& m = skin.ma[size_t(lrgn)];
      DrawMaskRect(gv, TRect(0, 0, f, thickness), white, m, MaskSourceView(skin, m), 0, false);
      lightMask = std::make_unique<TPixelBuffer>(TPixelFormat::pf32bit, visible.Width(), thickness);
      const TPixelView32 mv = View32(*lightMask);
      for (int y = 0; y < thickness; ++y) std::copy_n(gv.Row(y) + visible.Left, mv.Width, mv.Row(y));
    }
  }
  if (FTmpProgressBmp && FTmpProgressBmp->Width() == f && FTmpProgressBmp->Height() == thickness) {
    BitBlt(g->Canvas()->Handle(), 0, 0, f, thickness, FTmpProgressBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
  } else {
    TSectionPaint p;
    p.SkinIndex = x;
    p.SectionName = name;
    p.R = TRect(0, 0, f, thickness);
    if (skin.gd[FCommonData->SkinIndex].ReservedBoolean)
      PaintSectionBackground(gv, skin, p);
    else
      PaintSectionRect(gv, skin, p);
    GdiFlush();
    FTmpProgressBmp = NewBitmap32(f, thickness);
    BitBlt(FTmpProgressBmp->Canvas()->Handle(), 0, 0, f, thickness, g->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  if (lit && visible.Width() > 0) {
    GdiFlush();
    const TRect source(visible.Left - FAnimPos, 0, visible.Right - FAnimPos, thickness);
    if (lightMask) {
      // Light, filled part and mask side by side, blended through the mask.
      const int w = visible.Width();
      TPixelBuffer light(TPixelFormat::pf32bit, w, thickness), under(TPixelFormat::pf32bit, w, thickness);
      const TPixelView32 lv = View32(light), uv = View32(under), sv = View32(*Light);
      for (int y = 0; y < thickness; ++y) {
        std::copy_n(sv.Row(y) + source.Left, w, lv.Row(y));
        std::copy_n(gv.Row(y) + visible.Left, w, uv.Row(y));
      }
      BlendThroughMask(uv, lv, View32(*lightMask), TRect(0, 0, w, thickness));
      for (int y = 0; y < thickness; ++y) std::copy_n(uv.Row(y), w, gv.Row(y) + visible.Left);
    } else {
      DrawAlphaImage(gv, visible, View32(*Light), source, TCacheInfo{}, false, clSkinNone, 0, false);
    }
  }
  if (vertical) {
    g = RotateBitmap90(g, false, true);
    if (FShowText) {
      const int top = Height() - f;
      PaintSkinText(*g->Canvas(), TRect(R.Left, R.Top - top, R.Right, R.Bottom - top), x, true);
    }
    BitBlt(cache.Canvas()->Handle(), 0, Height() - f, thickness, f, g->Canvas()->Handle(), 0, 0, SRCCOPY);
  } else {
    if (FShowText) PaintSkinText(*g->Canvas(), R, x, true);
    BitBlt(cache.Canvas()->Handle(), R.Left, R.Top, f, thickness, g->Canvas()->Handle(), 0, 0, SRCCOPY);
  }
  GdiFlush();
}

void TkGauge::PaintSkinRound(const TRect& R) {
  // The pie and the needle keep their outline colour; the full ellipse is
  // the gauge's back colour.
  fw::TCanvas* c = FCommonData->FCacheBmp->Canvas();
  const TRect p = R;
  if (FKind == gkPie) {
    SetPenAndBrush(c, FForeColor, FBackColor);
    const int done = PercentDone();
    c->Ellipse(p.Left, p.Top, p.Width(), p.Height());
    if (done >= 1) {
      const int mx = p.Width() / 2, my = p.Height() / 2;
      const double a = std::numbers::pi * (done / 50.0 + 0.5);
      const int x = RoundToInt(mx * (1 - std::cos(a))), y = RoundToInt(my * (1 - std::sin(a)));
      c->Brush()->SetColor(FForeColor);
      if (x == mx && y == 0) {
        c->Ellipse(p.Left, p.Top, p.Width(), p.Height());
      } else {
        const HDC dc = c->Handle();
        SelectObject(dc, c->Brush()->Handle());
        Pie(dc, p.Left, p.Top, p.Width(), p.Height(), x, y, mx, 0);
      }
    }
  } else {
    SetPenAndBrush(c, FForeColor, FBackColor);
    c->Brush()->SetStyle(fw::bsClear);
    const int w = p.Width(), h = p.Height();
    Pie(c->Handle(), p.Left, p.Top, w, 2 * h - 1, p.Left + w, p.Bottom - 1, p.Left, p.Bottom - 1);
    c->MoveTo(p.Left, p.Bottom - 1);
    c->LineTo(p.Left + w, p.Bottom - 1);
    const int done = PercentDone();
    if (done > 0) {
      const int mx = Width() / 2;
      const double a = std::numbers::pi * done / 100.0;
      c->MoveTo(mx, p.Bottom - 1);
      c->LineTo(RoundToInt(mx * (1 - std::cos(a))), RoundToInt((p.Bottom - 1) * (1 - std::sin(a))));
    }
  }
  GdiFlush();
}

void TkGauge::LoadLight(int Thickness) {
  if (Light && Light->Width() == LightWidth && Light->Height() == Thickness) return;
  static const TPixelBuffer image = GaugeLightImage();
  Light = NewBitmap32(LightWidth, std::max(1, Thickness));
  if (image.Width() <= 0 || image.Height() <= 0) return;
  int y0 = image.Height() > Height() ? (image.Height() - Thickness) / 2 + 1 : 0;
  if (Light->Height() - 2 * y0 < 0) y0 = 0;
  const int rows = std::max(1, image.Height() - y0);
  const TPixelView32 d = View32(*Light);
  for (int y = 0; y < d.Height; ++y) {
    const uint8_t* src = image.ScanLine(y0 + std::min(rows - 1, y * rows / d.Height));
    for (int x = 0; x < d.Width; ++x) {
      const uint8_t* px = src + 4 * (x * image.Width() / d.Width);
      d.Pixel(x, y) = uint32_t(px[0]) | uint32_t(px[1]) << 8 | uint32_t(px[2]) << 16 | uint32_t(px[3]) << 24;
    }
  }
}

void TkGauge::WndProc(fw::TMessage& Message) {
  TkCommonData& d = *FCommonData;
  if (Message.Msg == WM_SKINCOMMAND) {
    const bool own = reinterpret_cast<TkSkinManager*>(Message.LParam) == d.ReadSkinManager();
    switch (SkinCommandCode(Message.WParam)) {
      case SKC_NEWSKIN:
        if (!own) break;
        FTmpProgressBmp.reset();
        HandleControlMessage(Message, &d);
        return;
      case SKC_REMOVESKIN:
        if (!own) break;
        if (FAnimated) Timer->SetEnabled(false);
        FTmpProgressBmp.reset();
        HandleControlMessage(Message, &d);
        Repaint();
        return;
      case SKC_REFRESH:
        if (!own) break;
        FTmpProgressBmp.reset();
        HandleControlMessage(Message, &d);
        Repaint();
        if (FAnimated && !ComponentState().Contains(fw::csDesigning)) Timer->SetEnabled(true);
        return;
      case SKC_UPDATEDONE:
        if (!d.ReadUpdating()) break;
        d.FUpdating = false;
        Repaint();
        return;
      case SKC_ISHANDLED: Message.Result = 1; return;
      case SKC_CLEARCACHE: FTmpProgressBmp.reset(); break;
      default: break;
    }
    if (Skinned() && HandleControlMessage(Message, &d)) return;
  }
  if (Message.Msg == WM_ERASEBKGND && Skinned()) return;  // a skinned gauge never erases
  fw::TGraphicControl::WndProc(Message);
}

// ---- Unskinned painting

void TkGauge::Paint() {
  if (Width() < 1 || Height() < 1) return;
  if (Skinned()) {
    if (FCommonData->ReadUpdating()) {
      Canvas()->SetPixel(0, 0, 0xFF00FF);
      return;
    }
    PrepareCache();
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), FCommonData->FCacheBmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    // An idle gauge holds no picture; the light strip's ticks keep theirs.
    FCommonData->FCacheBmp.reset();
    return;
  }
  const int w = Width(), h = Height();
  std::unique_ptr<fw::TBitmap> image = BlackBitmap(w, h);
  TRect p(0, 0, w, h);
  if (FBorderStyle == fw::bsSingle) p = TRect(1, 1, w - 1, h - 1);
  std::unique_ptr<fw::TBitmap> overlay = BlackBitmap(w, h, fw::clWindowFrame);
  fw::TCanvas* o = overlay->Canvas();
  switch (FKind) {
    case gkText: PaintPlainEmpty(o, p); break;
    case gkHorizontalBar:
    case gkVerticalBar: PaintPlainBar(o, p); break;
    case gkPie: PaintPlainPie(o, p); break;
    case gkNeedle: PaintPlainNeedle(o, p); break;
  }
  BitBlt(image->Canvas()->Handle(), 0, 0, w, h, o->Handle(), 0, 0, SRCINVERT);
  if (FShowText) PaintPlainPercent(image.get(), p);
  BitBlt(Canvas()->Handle(), 0, 0, w, h, image->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TkGauge::PaintPlainEmpty(fw::TCanvas* C, const TRect& P) {
  C->Brush()->SetColor(FBackColor);
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
}

void TkGauge::PaintPlainBar(fw::TCanvas* C, const TRect& P) {
  PaintPlainEmpty(C, P);
  SetPenAndBrush(C, FForeColor, FForeColor);
  const int w = P.Right - P.Left + 1;
  const int h = P.Bottom - P.Top + 1;
  if (FKind == gkHorizontalBar) {
    const int f = std::min(ShareOfPercent(PercentDone(), w), w);
    if (f > 0) C->Rectangle(P.Left, P.Top, f, h);
  } else {
    int f = ShareOfPercent(PercentDone(), h);
    if (f >= h) f = h - 1;
    C->Rectangle(P.Left, h - f, w, h);
  }
}

void TkGauge::PaintPlainPie(fw::TCanvas* C, const TRect& P) {
  const int grow = FBorderStyle == fw::bsSingle ? 1 : 0;
  const int w = P.Right - P.Left + grow;
  const int h = P.Bottom - P.Top + grow;
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
  SetPenAndBrush(C, FForeColor, FBackColor);
  C->Ellipse(P.Left, P.Top, w, h);
  const int done = PercentDone();
  if (done <= 0) return;
  C->Brush()->SetColor(FForeColor);
  const int mx = w / 2, my = h / 2;
  const double a = std::numbers::pi * (done / 50.0 + 0.5);
  const int x = RoundToInt(mx * (1 - std::cos(a))), y = RoundToInt(my * (1 - std::sin(a)));
  // A pie whose two radials meet is the whole ellipse on Windows; Wine
  // draws nothing for it.
  if (x == mx && y == 0) {
    C->Ellipse(P.Left, P.Top, w, h);
  } else {
    Pie(C->Handle(), P.Left, P.Top, w, h, x, y, mx, 0);
  }
}

void TkGauge::PaintPlainNeedle(fw::TCanvas* C, const TRect& P) {
  const int grow = FBorderStyle == fw::bsSingle ? 1 : 0;
  const int w = P.Right - P.Left + grow;
  const int h = P.Bottom - P.Top + grow;
  C->Brush()->SetColor(Color());
  C->Brush()->SetStyle(fw::bsSolid);
  C->FillRect(P);
  SetPenAndBrush(C, FForeColor, FBackColor);
  // The upper half of an ellipse twice the height, on the base line.
  Pie(C->Handle(), P.Left, P.Top, w, 2 * h - 1, P.Left + w, P.Bottom - 1, P.Left, P.Bottom - 1);
  C->MoveTo(P.Left, P.Bottom);
  C->LineTo(P.Left + w, P.Bottom);
  const int done = PercentDone();
  if (done <= 0) return;
  const int mx = Width() / 2;
  const double a = std::numbers::pi * done / 100.0;
  C->MoveTo(mx, P.Bottom - 1);
  C->LineTo(RoundToInt(mx * (1 - std::cos(a))), RoundToInt((P.Bottom - 1) * (1 - std::sin(a))));
}

void TkGauge::PaintPlainPercent(fw::TBitmap* Image, const TRect& P) {
  const int w = Image->Width(), h = Image->Height();
  std::unique_ptr<fw::TBitmap> text = BlackBitmap(w, h, fw::clWindowFrame);
  fw::TCanvas* t = text->Canvas();
  t->Font()->Assign(Font());
  t->Font()->SetColor(0xFFFFFF);
  t->Brush()->SetStyle(fw::bsClear);
  const fw::String s = DisplayText();
  const int x = (P.Right - P.Left + 1 - t->TextWidth(s)) / 2;
  const int y = (P.Bottom - P.Top + 1 - t->TextHeight(s)) / 2;
  t->TextRect(P, x, y, s);
  // White text over black inverts what lies under it.
  BitBlt(Image->Canvas()->Handle(), 0, 0, w, h, t->Handle(), 0, 0, SRCINVERT);
}

FW_REGISTER(TkGauge) {
  using G = TkGauge;
  c.Property(u"Kind", &G::Kind, &G::SetKind).Default(gkHorizontalBar);
  c.Event(u"OnChange", &G::OnChange);
  c.Property(u"CalcPercents", &G::CalcPercents, &G::SetCalcPercents).Default(true);
  c.Property(u"BorderStyle", &G::BorderStyle, &G::SetBorderStyle).Default(fw::bsSingle).Type(fw::TypeInfoTBorderStyle());
  c.Property(u"Animated", &G::Animated, &G::SetAnimated).Default(true);
  c.Property(u"BackColor", &G::BackColor, &G::SetBackColor).Default(fw::TColor{0xFFFFFF});
  c.Property(u"ForeColor", &G::ForeColor, &G::SetForeColor);
  c.Property(u"MinValue", &G::MinValue, &G::SetMinValue).Default(0);
  c.Property(u"MaxValue", &G::MaxValue, &G::SetMaxValue).Default(100);
  c.Property(u"Progress", &G::Progress, &G::SetProgress).Default(47);
  c.Property(u"ProgressSkin", &G::ProgressSkin, &G::SetProgressSkin);
  c.Property(u"ShowText", &G::ShowText, &G::SetShowText).Default(true);
  c.Property(u"Suffix", &G::Suffix, &G::SetSuffix);
  c.Event(u"OnPaintText", &G::OnPaintText);
}

}  // namespace skin
