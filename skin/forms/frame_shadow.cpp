#include "skin/forms/frame_shadow.h"

#include <algorithm>

#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/nine_slice.h"
#include "skin/engine/core/pixel_colors.h"

namespace skin {

bool ExOneImage(const TkLoadedSkin& skin, const TkFormFrameFacts& f) {
  return f.BorderForm != nullptr && skin.CommonSkinData.ExDrawMode == 1;
}

void MakeFrameOpaque(const TPixelView32& image, const TkFormFrameFacts& f) {
  const fw::TRect s = ShadowSize(f);
  for (int y = std::max(0, s.Top); y < image.Height - s.Bottom; ++y) {
    uint32_t* row = image.Row(y);
    for (int x = std::max(0, s.Left); x < image.Width - s.Right; ++x)
      row[x] = (row[x] & 0xFFFFFFu) == clSkinKey ? 0 : row[x] | 0xFF000000u;
  }
}

void DrawFrameShadow(const TPixelView32& image, const TPixelView32& shadow, const TkLoadedSkin& skin,
                     const TkFormFrameFacts& f, bool oneImage, bool stretchAlways) {
  if (image.Empty() || shadow.Empty()) return;
  const fw::TRect s = ShadowSize(f);
  const int ex = skin.ConstData.ExBorder;
  const TkMaskData* e = skin.IsValidImgIndex(ex) ? &skin.ma[size_t(ex)] : nullptr;
  const int half = (shadow.Width - 1) / 2;
  fw::TRect borders = e ? fw::Rect(e->WL, e->WT, e->WR, e->WB) : fw::Rect(half, half, half, half);
  fw::TRect limits = s;
  bool stretch = !e || stretchAlways || e->DrawMode != 0;
  if (oneImage) {
    const int ch = CaptionHeight(f, true), w = BorderWidth(f, true);
    const int body = (image.Height - ch) / 2;
    borders.Top = std::min<int>(borders.Top, body + ch);
    borders.Bottom = std::min<int>(borders.Bottom, body);
    limits = fw::Rect(w + s.Left, s.Top + ch, w + s.Right, w + s.Bottom + 2);
    stretch = !e || (e->DrawMode & 1) != 0;
  }
  const int mode = stretch ? 1 : 0;
  DrawNineSliceImage(image, shadow, fw::Rect(0, 0, image.Width, image.Height),
                     fw::Rect(0, 0, shadow.Width, shadow.Height), borders, limits,
                     fw::Rect(mode, mode, mode, mode), mode, false);
}

void FillShadowCorners(const TPixelView32& image, const TPixelView32& shadow, TkLoadedSkin& skin,
                       const TkFormFrameFacts& f, int formSkinIndex, int titleSkinIndex) {
  if (image.Empty() || shadow.Empty() || !skin.IsValidSkinIndex(formSkinIndex)) return;
  const fw::TRect s = ShadowSize(f);
  const int w = image.Width, h = image.Height;
  const int form = skin.gd[size_t(formSkinIndex)].BorderIndex;
  const int title = skin.IsValidSkinIndex(titleSkinIndex) ? skin.gd[size_t(titleSkinIndex)].BorderIndex : -1;
  if (skin.IsValidImgIndex(title)) {
    const TkMaskData& m = skin.ma[size_t(title)];
    FillKeyedCorner(image, shadow, fw::Rect(s.Left, s.Top, s.Left + m.WL, s.Top + m.WT), ccTopLeft, &skin, title,
                    {s.Left, s.Top});
    FillKeyedCorner(image, shadow, fw::Rect(w - s.Right - m.WR, s.Top, w - s.Right, s.Top + m.WT), ccTopRight,
                    &skin, title, {shadow.Width - s.Right - m.WR, s.Top});
  } else if (skin.IsValidImgIndex(form)) {
    const TkMaskData& m = skin.ma[size_t(form)];
    FillKeyedCorner(image, shadow,
                    fw::Rect(s.Left, s.Top, s.Left + std::min<int>(8, m.WL), s.Top + std::min<int>(8, m.WT)),
                    ccTopLeft, &skin, form, {s.Left, s.Top});
    FillKeyedCorner(image, shadow, fw::Rect(w - s.Right - m.WR, s.Top, w - s.Right, s.Top + m.WT), ccTopRight,
                    &skin, form, {std::max(0, shadow.Width - s.Right - m.WR), s.Top});
  }
  if (!skin.IsValidImgIndex(form)) return;
  const TkMaskData& m = skin.ma[size_t(form)];
  const int top = h - s.Bottom - m.WB, sy = std::max(0, shadow.Height - s.Bottom - m.WB);
  FillKeyedCorner(image, shadow, fw::Rect(s.Left, top, s.Left + m.WL, h - s.Bottom), ccBottomLeft, &skin, form,
                  {s.Left, sy});
  FillKeyedCorner(image, shadow, fw::Rect(w - s.Right - m.WR, top, w - s.Right, h - s.Bottom), ccBottomRight, &skin,
                  form, {std::max(0, shadow.Width - s.Right - m.WR), sy});
}

TkAlphaKeeper::TkAlphaKeeper(const TPixelView32& image) : FImage(image) {
  if (image.Empty()) return;
  FBefore.reserve(size_t(image.Width) * size_t(image.Height));
  for (int y = 0; y < image.Height; ++y) FBefore.insert(FBefore.end(), image.Row(y), image.Row(y) + image.Width);
}

void TkAlphaKeeper::Restore() {
  if (FBefore.empty()) return;
  size_t i = 0;
  for (int y = 0; y < FImage.Height; ++y) {
    uint32_t* row = FImage.Row(y);
    for (int x = 0; x < FImage.Width; ++x, ++i)
      row[x] = ((row[x] ^ FBefore[i]) & 0xFFFFFFu) != 0 ? row[x] | 0xFF000000u : FBefore[i];
  }
}

}  // namespace skin
