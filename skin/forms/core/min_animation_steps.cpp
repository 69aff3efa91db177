#include "skin/forms/core/min_animation_steps.h"

#include <algorithm>
#include <cstdint>

#include "fw/core/mathutils.h"

namespace skin {

fw::TRect MinimizeTarget(const TkTaskbarFacts& Taskbar, bool Composition, int XFrom, int YFrom, unsigned& Position) {
  if (!Taskbar.Exists) return fw::TRect{0, 0, 0, 0};
  if (!Composition && Taskbar.ButtonRect.Width() > 0 && Taskbar.ButtonRect.Height() > 0) return Taskbar.ButtonRect;
  const fw::TRect& t = Taskbar.Rect;
  Position = kTaskbarRight;
  if (t.Top != 0)
    Position = (t.Left >= -4 && t.Left <= 0) ? kTaskbarBottom : kTaskbarRight;
  else if (t.Left == 0)
    Position = t.Width() > t.Height() ? kTaskbarTop : kTaskbarLeft;
  switch (Position) {
    case kTaskbarLeft:
      return fw::TRect{t.Right, YFrom, t.Right, YFrom};
    case kTaskbarRight:
      return fw::TRect{t.Left, YFrom, t.Left, YFrom};
    case kTaskbarTop:
      return fw::TRect{XFrom, t.Bottom, XFrom, t.Bottom};
    default:
      return fw::TRect{XFrom, t.Top, XFrom, t.Top};
  }
}

int MinimizeAlphaFrom(bool AlphaBlend, int AlphaBlendValue, bool Stepped) {
  const int a = AlphaBlend ? std::clamp(AlphaBlendValue, 0, 255) : 255;
  return Stepped ? a >> 2 : a;
}

void TkMinSteps::Init(const fw::TRect& From, int AlphaFrom, unsigned TimeMs, const TkTaskbarFacts& Taskbar,
                      bool Composition) {
  StepCount = std::max(1, static_cast<int>(TimeMs / 12));
  AlphaOrigin = AlphaFrom;
  CurrentAlpha = AlphaFrom;
  RectFrom = From;
  XFrom = From.Left + From.Width() / 2;
  YFrom = From.Top + From.Height() / 2;
  UpdateDst(Taskbar, Composition);
  CurLeft = From.Left;
  CurTop = From.Top;
  CurRight = From.Right;
  CurBottom = From.Bottom;
  BlendStep = static_cast<double>(AlphaFrom - AlphaTo) / std::max(1, StepCount - 1);
}

void TkMinSteps::UpdateDst(const TkTaskbarFacts& Taskbar, bool Composition) {
  RectTo = MinimizeTarget(Taskbar, Composition, XFrom, YFrom, TaskbarPosition);
  XTo = RectTo.Left + RectTo.Width() / 2;
  YTo = RectTo.Top + RectTo.Height() / 2;
  DeltaX = static_cast<double>(XTo - XFrom) / StepCount;
  DeltaY = static_cast<double>(YTo - YFrom) / StepCount;
  DeltaW = static_cast<double>(RectFrom.Width() - RectTo.Width()) / (2.0 * StepCount);
  DeltaH = static_cast<double>(RectFrom.Height() - RectTo.Height()) / (2.0 * StepCount);
  AlphaTo = 0;
}

bool TkMinSteps::StepMinimize() {
  CurLeft += DeltaX + DeltaW;
  CurRight += DeltaX - DeltaW;
  CurTop += DeltaY + DeltaH;
  CurBottom += DeltaY - DeltaH;
  CurrentAlpha = std::max(CurrentAlpha - BlendStep, 0.0);
  if (CurrentAlpha > 0) return false;
  Minimized = true;
  return true;
}

bool TkMinSteps::StepRestore(int AlphaFrom) {
  CurLeft -= DeltaX + DeltaW;
  CurRight = CurRight - DeltaX + DeltaW;
  CurTop -= DeltaY + DeltaH;
  CurBottom = CurBottom - DeltaY + DeltaH;
  CurrentAlpha = std::min(CurrentAlpha + BlendStep, 255.0);
  if (CurrentAlpha < AlphaFrom) return false;
  Minimized = false;
  return true;
}

TkMinFrame TkMinSteps::Frame(int BmpWidth, int BmpHeight) const {
  TkMinFrame f;
  const double w = std::max(CurRight - CurLeft, 0.0), h = std::max(CurBottom - CurTop, 0.0);
  const int cx = static_cast<int>(fw::Round(w / 2 + CurLeft)), cy = static_cast<int>(fw::Round(h / 2 + CurTop));
  f.StretchWidth = static_cast<int>(fw::Round(w));
  f.StretchHeight = static_cast<int>(fw::Round(h));
  f.OffsetX = static_cast<int>(fw::Round(BmpWidth - w)) / 2;
  f.OffsetY = static_cast<int>(fw::Round(BmpHeight - h)) / 2;
  f.WindowPos = fw::TPoint{cx - BmpWidth / 2, cy - BmpHeight / 2};
  f.Alpha = static_cast<int>(CurrentAlpha);
  return f;
}

fw::TPoint FitThumbnail(int MaxW, int MaxH, int W, int H) {
  if (MaxW <= 0 || MaxH <= 0 || W <= 0 || H <= 0) return fw::TPoint{0, 0};
  fw::TPoint r{W, H};
  // MaxW / MaxH > W / H, compared without rounding.
  if (static_cast<int64_t>(MaxW) * H > static_cast<int64_t>(W) * MaxH) {
    r.x = static_cast<int>(fw::Round(static_cast<double>(MaxH) * W / H));
    r.y = MaxH;
  } else {
    r.x = MaxW;
    r.y = static_cast<int>(fw::Round(static_cast<double>(MaxW) * H / W));
  }
  return r;
}

}  // namespace skin
