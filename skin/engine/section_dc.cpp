#include "skin/engine/section_dc.h"

#include "fw/graphics/gdi_handles.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_utils.h"

namespace skin {

void PaintSectionToDC(HDC dc, TkLoadedSkin& skin, int skinIndex, const fw::String& sectionName, const TCacheInfo& ci,
                      int state, const fw::TRect& r, fw::TPoint offset) {
  if (!dc || r.Left < 0 || r.Top < 0 || r.Width() <= 0 || r.Height() <= 0) return;
  auto work = NewBitmap32(r.Width(), r.Height());
  TSectionPaint p;
  p.SkinIndex = skinIndex;
  p.SectionName = sectionName;
  p.CI = ci;
  p.State = state;
  p.R = fw::Rect(0, 0, r.Width(), r.Height());
  p.Offset = offset;
  PaintSectionRect(View32(*work), skin, p);
  fw::TSavedDC saved(dc);
  BitBlt(dc, r.Left, r.Top, r.Width(), r.Height(), work->Canvas()->Handle(), 0, 0, SRCCOPY);
}

int PaintSectionByName(fw::TBitmap& bitmap, const fw::String& name, const fw::String& fallbackName, int state,
                       TkLoadedSkin& skin, const fw::TRect& source, fw::TColor fillColor, HDC dc) {
  fw::String section = name;
  int index = skin.GetSkinIndex(section);
  if (!skin.IsValidSkinIndex(index)) {
    section = fallbackName;
    index = skin.GetSkinIndex(section);
  }
  const TPixelView32 v = View32(bitmap);
  if (!skin.IsValidSkinIndex(index) || v.Empty()) return index;
  TCacheInfo ci;
  if (dc) {
    BitBlt(bitmap.Canvas()->Handle(), 0, 0, v.Width, v.Height, dc, source.Left, source.Top, SRCCOPY);
    GdiFlush();
    ci = MakeCacheInfo(v, 0, 0);
  }
  ci.FillColor = static_cast<uint32_t>(fw::ColorToRGB(fillColor));
  TSectionPaint p;
  p.SkinIndex = index;
  p.SectionName = section;
  p.CI = ci;
  p.State = state;
  p.R = fw::Rect(0, 0, v.Width, v.Height);
  PaintSectionRect(v, skin, p);
  return index;
}

}  // namespace skin
