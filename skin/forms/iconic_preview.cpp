#include "skin/forms/iconic_preview.h"

#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/bitmap_effects.h"
#include "skin/forms/border_window.h"
#include "skin/forms/core/min_animation_steps.h"
#include "skin/forms/dwm_link.h"

namespace skin {

bool IconicPreviewsEnabled = false;

namespace {

// Sets 0x800 for its scope.
struct TRequestMark {
  uint32_t& state;
  explicit TRequestMark(uint32_t& s) : state(s) { state |= 0x800; }
  ~TRequestMark() { state &= ~0x800u; }
};

fw::TBitmap* PreviewSource(TkcMinAnimHost& Host, fw::TBitmap* Cache) {
  if (auto* timer = dynamic_cast<TkcMinTimer*>(Host.FormTimer.get()); timer && timer->Steps.Minimized)
    return timer->SavedImage.get();
  return Cache;
}

bool Usable(fw::TBitmap* b) { return b && b->Width() > 0 && b->Height() > 0; }

}  // namespace

void EnableIconicThumbnails(HWND Wnd, bool Flag) {
  if (!IconicPreviewsEnabled || !Wnd || WindowsVersionNumber() < 6) return;
  DwmLink().SetHasIconicBitmap(Wnd, Flag);
  DwmLink().InvalidateIconicBitmaps(Wnd);
}

void InvalidateIconicImages(HWND Wnd) {
  if (Wnd && WindowsVersionNumber() >= 6) DwmLink().InvalidateIconicBitmaps(Wnd);
}

HWND FormTaskbarWindow(HWND Form) {
  if (!fw::Application || !Form) return Form;
  fw::TCustomForm* main = fw::Application->MainForm();
  const bool isMain = main && main->HandleAllocated() && main->Handle() == Form;
  if (isMain && GetWindow(Form, GW_OWNER)) return fw::Application->Handle();
  return Form;
}

bool SendIconicThumbnail(HWND Wnd, TkcMinAnimHost& Host, fw::TBitmap* Cache, int MaxWidth, int MaxHeight) {
  if (WindowsVersionNumber() < 6 || MaxWidth == 0 || MaxHeight == 0) return false;
  fw::TBitmap* source = PreviewSource(Host, Cache);
  if (!Usable(source)) return false;
  const fw::TPoint size = FitThumbnail(MaxWidth, MaxHeight, source->Width(), source->Height());
  if (size.x == 0 || size.y == 0) return false;
  TRequestMark mark(Host.FormState);
  auto copy = NewBitmap32(source->Width(), source->Height());
  BitBlt(copy->Canvas()->Handle(), 0, 0, source->Width(), source->Height(), source->Canvas()->Handle(), 0, 0, SRCCOPY);
  auto thumb = NewBitmap32(size.x, size.y);
  ResampleBitmap(*copy, *thumb, size.x, size.y, 0);
  if (!DwmLink().SetIconicThumbnail(Wnd, thumb->Handle())) return false;
  if (source == Cache) {
    // The image holds the frame only: the form with its controls follows.
    if (std::unique_ptr<fw::TBitmap> rendering = Host.MakeFormImage(); Usable(rendering.get())) {
      ResampleBitmap(*rendering, *thumb, size.x, size.y, 0);
      DwmLink().SetIconicThumbnail(Wnd, thumb->Handle());
    }
    if (TkcBorderForm* border = Host.HostBorderForm()) border->UpdateExBordersPos(false, 255);
  }
  return true;
}

bool SendLivePreviewBitmap(HWND Wnd, TkcMinAnimHost& Host, fw::TBitmap* Cache) {
  if (WindowsVersionNumber() < 6) return false;
  fw::TBitmap* source = PreviewSource(Host, Cache);
  if (!Usable(source)) return false;
  TRequestMark mark(Host.FormState);
  if (source != Cache) return DwmLink().SetIconicLivePreviewBitmap(Wnd, source->Handle());
  // The form with its controls, not only its frame.
  std::unique_ptr<fw::TBitmap> rendering = Host.MakeFormImage();
  const bool sent = Usable(rendering.get()) && DwmLink().SetIconicLivePreviewBitmap(Wnd, rendering->Handle());
  if (TkcBorderForm* border = Host.HostBorderForm()) border->UpdateExBordersPos(false, 255);
  return sent;
}

}  // namespace skin
