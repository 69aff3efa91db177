#include "skin/forms/core/title_buttons.h"

#include <algorithm>

namespace skin {

void InitTitleButtons(const TkLoadedSkin& skin, const TkTitleButtonSet& set, TkCaptionLayout& layout,
                      TkMdiButtons* mdi) {
  if (!skin.IsValidSkinIndex(skin.ConstData.IndexGLobalInfo)) return;
  const TConstantSkinData& c = skin.ConstData;
  layout.Min.HitCode = 8;
  layout.Max.HitCode = 9;
  layout.Close.HitCode = 20;
  layout.Help.HitCode = 21;
  auto big = [&] {
    layout.Min.ImageIndex = c.MaskMinBtn;
    layout.Max.ImageIndex = c.MaskMaxBtn;
    layout.Close.ImageIndex =
        !set.VisibleMax && !set.VisibleMin && c.MaskCloseAloneBtn >= 0 ? c.MaskCloseAloneBtn : c.MaskCloseBtn;
    layout.Help.ImageIndex = c.MaskHelpBtn;
    layout.Min.HaveAlignment = layout.Max.HaveAlignment = layout.Close.HaveAlignment = layout.Help.HaveAlignment =
        true;
  };
  if (set.BigButtons) {
    big();
  } else {
    layout.Close.ImageIndex = c.MaskCloseSmall;
    layout.Min.ImageIndex = c.MaskMinSmall;
    layout.Max.ImageIndex = c.MaskMaxSmall;
    layout.Help.ImageIndex = c.MaskHelpSmall >= 0 ? c.MaskHelpSmall : c.MaskHelpBtn;
    layout.Min.HaveAlignment = layout.Max.HaveAlignment = layout.Close.HaveAlignment = layout.Help.HaveAlignment =
        false;
  }
  const bool fellBack = layout.Close.ImageIndex < 0;
  if (fellBack) big();
  if (!mdi) return;
  mdi->Close.HitCode = 101;
  mdi->Max.HitCode = 102;
  mdi->Min.HitCode = 103;
  auto take = [&](int min, int max, int close, bool alignment) {
    mdi->Min.ImageIndex = min;
    mdi->Max.ImageIndex = max;
    mdi->Close.ImageIndex = close;
    mdi->Min.HaveAlignment = mdi->Max.HaveAlignment = mdi->Close.HaveAlignment = alignment;
  };
  if (fellBack) {
    take(c.MaskMinBtn, c.MaskMaxBtn, c.MaskCloseBtn, true);
  } else {
    take(c.MaskMinSmall, c.MaskMaxSmall, c.MaskCloseSmall, false);
    if (mdi->Min.ImageIndex < 0)
      take(layout.Min.ImageIndex, layout.Max.ImageIndex, layout.Close.ImageIndex, true);
  }
}

int MDIButtonWidth(const TkLoadedSkin& skin, const TkMdiButtons& mdi) {
  if (!skin.IsValidImgIndex(mdi.Close.ImageIndex)) return 16;
  const TkMaskData& m = skin.ma[mdi.Close.ImageIndex];
  return m.Bmp ? m.Bmp->Width() / 3 : MaskFrameWidth(m);
}

int MDIButtonHeight(const TkLoadedSkin& skin, const TkMdiButtons& mdi) {
  if (!skin.IsValidImgIndex(mdi.Close.ImageIndex)) return 16;
  const TkMaskData& m = skin.ma[mdi.Close.ImageIndex];
  return m.Bmp ? m.Bmp->Height() / 2 : MaskFrameHeight(m);
}

void PlaceMdiButtons(const TkLoadedSkin& skin, const TkFormFrameFacts& f, TkMdiButtons& mdi) {
  const fw::TRect s = ShadowSize(f);
  const int w = MDIButtonWidth(skin, mdi), h = MDIButtonHeight(skin, mdi);
  const int top = FrameHeightOf(f, true) + CaptionHeight(f, true) + s.Top + (MenuHeight(f) - h) / 2 +
                  (std::max(1, f.MenuRows) - 1) * MenuHeight(f);
  const int right = CaptionWidth(f) - FrameWidthOf(f, true) - s.Right;
  auto place = [&](TkCaptionButton& b, int left) { b.Rect = fw::Rect(left, top, left + w, top + h); };
  if (skin.IsValidImgIndex(mdi.Min.ImageIndex))
    place(mdi.Min, right - 3 * w - 3);
  else
    mdi.Min.Rect = fw::TRect{};
  place(mdi.Max, right - 2 * w - 2);
  place(mdi.Close, right - w - 1);
}

int TitleButtonWidth(const TkLoadedSkin& skin, int maskIndex) {
  if (!skin.IsValidImgIndex(maskIndex)) return 21;
  const TkMaskData& m = skin.ma[maskIndex];
  if (m.Bmp) return m.Bmp->Width() / std::max<int>(1, m.ImageCount);
  return MaskFrameWidth(m);
}

int TitleButtonHeight(const TkLoadedSkin& skin, const TkCaptionLayout& layout) {
  return skin.IsValidImgIndex(layout.Close.ImageIndex) ? MaskFrameHeight(skin.ma[layout.Close.ImageIndex]) : 21;
}

void SetTitleButtonSizes(const TkLoadedSkin& skin, const TkCaptionLayout& layout, TkCaptionLayoutInput& in) {
  in.BISpacing = skin.CommonSkinData.BISpacing;
  in.BIVAlign = skin.CommonSkinData.BIVAlign;
  in.BIRightMargin = skin.CommonSkinData.BIRightMargin;
  in.BILeftMargin = skin.CommonSkinData.BILeftMargin;
  in.ExCenterOffs = skin.CommonSkinData.ExCenterOffs;
  in.MaskMaxBtn = skin.ConstData.MaskMaxBtn;
  in.MaskNormBtn = skin.ConstData.MaskNormBtn;
  in.MaskMinBtn = skin.ConstData.MaskMinBtn;
  in.CloseWidth = TitleButtonWidth(skin, layout.Close.ImageIndex);
  in.MaxWidth = TitleButtonWidth(skin, layout.Max.ImageIndex);
  in.MinWidth = TitleButtonWidth(skin, layout.Min.ImageIndex);
  in.HelpWidth = TitleButtonWidth(skin, layout.Help.ImageIndex);
  in.ButtonHeight = TitleButtonHeight(skin, layout);
}

int UserButtonWidth(const TkLoadedSkin& skin, int userMask, int glyphWidth) {
  const int glyph = glyphWidth > 0 ? glyphWidth + 2 : 0;
  int mask = 21;
  if (skin.IsValidImgIndex(userMask)) {
    const TkMaskData& m = skin.ma[userMask];
    mask = m.R.Width() / std::max<int>(1, m.ImageCount);
  }
  return std::max(glyph, mask);
}

int TitleButtonsWidth(const TkLoadedSkin& skin, const TkCaptionLayoutInput& in) {
  const int spacing = in.BigButtons ? skin.CommonSkinData.BISpacing : 0;
  int w = 0;
  if (in.SystemButtons) {
    w = skin.CommonSkinData.BIRightMargin + in.CloseWidth;
    if (in.VisibleMax) w += in.MaxWidth + spacing;
    if (in.VisibleMin) w += in.MinWidth + spacing;
    if (in.HelpButton) w += in.HelpWidth + spacing;
  }
  if (!in.UserButtons.empty()) w += 6;
  for (const TkCaptionLayoutInput::TkUserButton& b : in.UserButtons) w += b.Width + spacing;
  return w;
}

int SysButtonCount(const TkCaptionLayoutInput& in) {
  if (!in.SystemButtons) return 0;
  return 3 + (in.HelpButton ? 1 : 0) - (in.VisibleMin ? 0 : 1) - (in.VisibleMax ? 0 : 1);
}

}  // namespace skin
