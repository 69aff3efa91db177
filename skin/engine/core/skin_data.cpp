#include "skin/engine/core/skin_data.h"

namespace skin {

int MaskFrameWidth(const TkMaskData& m) {
  if (m.ImageCount <= 0) return 0;
  return m.R.Width() / m.ImageCount;
}

int MaskFrameHeight(const TkMaskData& m) {
  if (m.MaskType < 0) return 0;
  if (m.MaskType == 0) return m.R.Height();
  if (m.MaskType == 1) return m.R.Height() / 2;
  return m.R.Height() / (m.MaskType + 1);
}

int TkLoadedSkin::GetSkinIndex(fw::StringView section) const {
  if (section.empty()) return -1;
  for (size_t i = 0; i < gd.size(); ++i)
    if (gd[i].ClassName == section) return static_cast<int>(i);
  return -1;
}

template <class Match>
int TkLoadedSkin::FindWithParents(int skinIndex, fw::StringView section, const Match& match) const {
  // A chain longer than the number of sections has a cycle in it.
  for (size_t step = 0; step <= gd.size(); ++step) {
    if (skinIndex < 0 || section.empty()) return -1;
    int found = match(section);
    if (found >= 0) return found;
    if (!IsValidSkinIndex(skinIndex)) return -1;
    const fw::String& parent = gd[skinIndex].ParentClass;
    if (parent.empty() || parent == section) return -1;
    int q = GetSkinIndex(parent);
    if (q < 0) return -1;
    skinIndex = q;
    section = gd[q].ClassName;
  }
  return -1;
}

int TkLoadedSkin::GetMaskIndex(int skinIndex, fw::StringView section, fw::StringView mask) const {
  return FindWithParents(skinIndex, section, [&](fw::StringView s) { return GetMaskIndex(s, mask); });
}

int TkLoadedSkin::GetMaskIndex(fw::StringView section, fw::StringView mask) const {
  if (section.empty()) return -1;
  for (size_t i = 0; i < ma.size(); ++i)
    if (ma[i].ClassName == section && ma[i].PropertyName == mask) return static_cast<int>(i);
  return -1;
}

int TkLoadedSkin::GetTextureIndex(int skinIndex, fw::StringView section, fw::StringView name) const {
  if (ma.empty()) return -1;
  return FindWithParents(skinIndex, section, [&](fw::StringView s) {
    for (size_t i = 0; i < ma.size(); ++i)
      if (ma[i].ImgType == TkcImgType::itisaTexture && ma[i].PropertyName == name && ma[i].ClassName == s)
        return static_cast<int>(i);
    return -1;
  });
}

int TkLoadedSkin::GetPatternIndex(int skinIndex, fw::StringView section, fw::StringView name) const {
  if (pa.empty()) return -1;
  return FindWithParents(skinIndex, section, [&](fw::StringView s) {
    for (size_t i = 0; i < pa.size(); ++i)
      if (pa[i].PropertyName == name && pa[i].ClassName == s) return static_cast<int>(i);
    return -1;
  });
}

int TkLoadedSkin::MaskWidthLeft(int i) const {
  if (!IsValidImgIndex(i)) return 0;
  const TkMaskData& m = ma[i];
  if (m.WL > 0) return m.WL;
  if (m.BorderWidth > 0) return m.BorderWidth;
  // A count of 0 counts as 1 here; the record itself stays as loaded.
  TkMaskData one = m;
  if (one.ImageCount == 0) one.ImageCount = 1;
  return MaskFrameWidth(one);
}

int TkLoadedSkin::MaskWidthRight(int i) const {
  if (!IsValidImgIndex(i)) return 0;
  const TkMaskData& m = ma[i];
  if (m.WR > 0) return m.WR;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return MaskFrameWidth(m);
}

int TkLoadedSkin::MaskWidthTop(int i) const {
  if (!IsValidImgIndex(i)) return 0;
  const TkMaskData& m = ma[i];
  if (m.WT > 0) return m.WT;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return MaskFrameHeight(m);
}

int TkLoadedSkin::MaskWidthBottom(int i) const {
  if (!IsValidImgIndex(i)) return 0;
  const TkMaskData& m = ma[i];
  if (m.WB > 0) return m.WB;
  if (m.BorderWidth > 0) return m.BorderWidth;
  return MaskFrameHeight(m);
}

std::vector<fw::String> TkLoadedSkin::GetSkinSections() const {
  std::vector<fw::String> names;
  if (!CommonSkinData.Active) return names;
  for (const TkGeneralData& g : gd) names.push_back(g.ClassName);
  return names;
}

void TkLoadedSkin::InitMaskIndexes() {
  for (size_t n = 0; n < gd.size(); ++n) {
    int i = static_cast<int>(n);
    if (i == ConstData.IndexGLobalInfo) continue;
    TkGeneralData& g = gd[n];
    const fw::String name = g.ClassName;
    g.BorderIndex = GetMaskIndex(i, name, u"BORDERSMASK");
    g.OuterMask = GetMaskIndex(i, name, u"OUTERMASK");
    g.ImgTL = GetMaskIndex(i, name, u"IMGTOPLEFT");
    g.ImgTR = GetMaskIndex(i, name, u"IMGTOPRIGHT");
    g.ImgBL = GetMaskIndex(i, name, u"IMGBTMLEFT");
    g.ImgBR = GetMaskIndex(i, name, u"IMGBTMRIGHT");
    g.TextureNormal = g.Props[0].TextureIndex = GetTextureIndex(i, name, u"PATTERN");
    // One-state sections have no hot texture (-1, never the valid index 0).
    g.Props[1].TextureIndex = g.States > 1 ? GetTextureIndex(i, name, u"HOTPATTERN") : -1;
  }
}

void TkLoadedSkin::InitConstantIndexes() {
  TConstantSkinData& c = ConstData;
  c.IndexGLobalInfo = GetSkinIndex(u"GLOBALINFO");
  const int gi = c.IndexGLobalInfo;
  auto global = [&](fw::StringView name) { return GetMaskIndex(gi, u"GLOBALINFO", name); };
  c.CheckBoxChecked = global(u"BOXCHECKED");
  c.CheckBoxUnChecked = global(u"BOXUNCHECKED");
  c.CheckBoxGrayed = global(u"BOXGRAYED");
  c.RadioButtonChecked = global(u"RADIOCHECKED");
  c.RadioButtonUnChecked = global(u"RADIOUNCHECKED");
  c.RadioButtonGrayed = global(u"RADIOGRAYED");
  c.SmallCheckBoxChecked = global(u"SMALLCHECKED");
  c.SmallCheckBoxUnChecked = global(u"SMALLUNCHECKED");
  c.SmallCheckBoxGrayed = global(u"SMALLGRAYED");
  c.ExBorder = global(u"EXBORDER");
  c.GripRightBottom = global(u"GRIPIMAGE");
  c.GripHorizontal = global(u"GRIPHORZ");
  c.GripVertical = global(u"GRIPVERT");

  auto element = [&](TkcConstElementData& e, const char16_t* section) {
    e.SkinSection = section;
    e.SkinIndex = GetSkinIndex(section);
    e.MaskIndex = GetMaskIndex(e.SkinIndex, section, u"BORDERSMASK");
    e.GlyphIndex = GetMaskIndex(e.SkinIndex, section, u"GLYPHMASK");
    e.BGIndex[0] = GetMaskIndex(e.SkinIndex, section, u"PATTERN");
    e.BGIndex[1] = GetMaskIndex(e.SkinIndex, section, u"HOTPATTERN");
  };
  element(c.ComboBtn, u"COMBOBTN");
  c.ComboBtn.GlyphIndex = GetMaskIndex(u"COMBOBOX", u"GLYPHMASK");
  const char16_t* tabs[] = {u"TABLEFT", u"TABTOP", u"TABRIGHT", u"TABBOTTOM"};
  const char16_t* buttons[] = {u"SCROLLBTNLEFT", u"SCROLLBTNTOP", u"SCROLLBTNRIGHT", u"SCROLLBTNBOTTOM"};
  const char16_t* scrolls[] = {u"SCROLLBAR1H", u"SCROLLBAR1V", u"SCROLLBAR2H", u"SCROLLBAR2V"};
  for (int s = 0; s < 4; ++s) {
    element(c.Tabs[s], tabs[s]);
    element(c.ScrollBtns[s], buttons[s]);
    element(c.Scrolls[s], scrolls[s]);
  }
  element(c.Sliders[0], u"SCROLLSLIDERH");
  element(c.Sliders[1], u"SCROLLSLIDERV");

  c.MaskCloseBtn = global(u"BICONCLOSE");
  c.MaskCloseAloneBtn = global(u"BICLOSEALONE");
  c.MaskMaxBtn = global(u"BICONMAX");
  c.MaskNormBtn = global(u"BICONNORM");
  c.MaskMinBtn = global(u"BICONMIN");
  c.MaskHelpBtn = global(u"BICONHELP");
  c.MaskCloseSmall = global(u"SICONCLOSE");
  c.MaskMaxSmall = global(u"SICONMAX");
  c.MaskNormSmall = global(u"SICONNORM");
  c.MaskMinSmall = global(u"SICONMIN");
  c.MaskHelpSmall = global(u"SICONHELP");

  const char16_t* sections[] = {u"MENUITEM", u"TOOLBUTTON", u"CHECKBOX", u"TRANSPARENT", u"GROUPBOX", u"WEBBUTTON"};
  for (int s = 0; s < 6; ++s) c.Sections[s] = GetSkinIndex(sections[s]);
  InitMaskIndexes();
}

}  // namespace skin
