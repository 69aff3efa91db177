#include "skin/forms/core/region_cutouts.h"

#include "skin/engine/core/corner_runs.h"
#include "skin/engine/core/mask_paint.h"

namespace skin {

std::vector<fw::TRect> MakeRegionCutouts(TkLoadedSkin& skin, int borderIndex, int titleSkinIndex, int width,
                                         int formHeight) {
  std::vector<fw::TRect> rects;
  if (skin.IsValidImgIndex(borderIndex)) {
    const TkMaskData& m = skin.ma[borderIndex];
    const TPixelView32 source = MaskSourceView(skin, m);
    AddCornerTransparencyRects(rects, width, m, source, false, 0);
    AddCornerTransparencyRects(rects, width, m, source, true, formHeight - skin.MaskWidthBottom(borderIndex));
  }
  if (skin.IsValidSkinIndex(titleSkinIndex)) {
    const int title = skin.GetMaskIndex(titleSkinIndex, skin.gd[titleSkinIndex].ClassName, u"BORDERSMASK");
    if (skin.IsValidImgIndex(title))
      AddCornerTransparencyRects(rects, width, skin.ma[title], MaskSourceView(skin, skin.ma[title]), false, 0);
  }
  return rects;
}

}  // namespace skin
