#include "skin/engine/core/skin_loader.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fw/core/colors.h"
#include "fw/core/sysutils.h"
#include "skin/engine/core/alpha_bitmap.h"
#include "skin/engine/core/mask_values.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/png.h"
#include "skin/engine/core/skin_colors.h"
#include "skin/engine/core/skin_images.h"

namespace skin {

bool TPackedSkinImages::Read(const fw::String& name, std::vector<uint8_t>& bytes) {
  const TkcImageItem* item = pack_.FindImage(name);
  if (!item) return false;
  bytes = item->Data;
  return true;
}

bool TFolderSkinImages::Read(const fw::String& name, std::vector<uint8_t>& bytes) {
  fw::String path = name.find(u':') != fw::String::npos ? name : folder_ + name;
  std::error_code ec;
  std::filesystem::path p(path);
  if (!std::filesystem::is_regular_file(p, ec)) return false;
  auto size = std::filesystem::file_size(p, ec);
  if (ec || size > static_cast<uintmax_t>(kMaxPackedEntrySize)) throw ESkinError(u"The image " + name + u" is too large");
  std::ifstream in(p, std::ios::binary);
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

fw::String VersionNoticeText(TVersionNotice notice, const fw::String& skinName) {
  if (notice == TVersionNotice::OldVersion)
    return u"You are using an old version of the \"" + skinName +
           u"\" skin. Please update your skins or ask the skin engine's maker for an upgrade of this skin.\r\n\r\n"
           u"This notification occurs in design-time only for your information and will not occur in real-time.";
  return u"This skin version is not fully supported by the skin engine release in use.\r\n"
         u"Components must be updated up to latest version for using this skin.";
}

namespace {

constexpr int kNoBound = INT_MAX;

class TLoader {
 public:
  TLoader(const fw::String& name, const TSkinIni& ini, TSkinImages& images, const TSkinLoadOptions& o)
      : name_(name), ini_(ini), images_(images), o_(o), skin_(std::make_unique<TkLoadedSkin>()) {}

  std::unique_ptr<TkLoadedSkin> Run() {
    skin_->CommonSkinData.Version = ini_.ReadFloat(u"GLOBALINFO", u"VERSION", 0);
    CheckVersion();
    LoadAllMasks();
    LoadAllPatterns();
    LoadAllGeneralData();
    skin_->InitConstantIndexes();
    skin_->CommonSkinData.Active = true;
    return std::move(skin_);
  }

 private:
  fw::TColor ToRGB(fw::TColor c) const { return o_.ColorToRGB ? o_.ColorToRGB(c) : c; }

  [[noreturn]] void Fail(const fw::String& what) const { throw ESkinError(u"Skin \"" + name_ + u"\": " + what); }

  void CheckVersion() {
    double v = skin_->CommonSkinData.Version;
    if (!o_.OnVersionNotice) return;
    if (v < 7.45 && o_.TestSwitch) o_.OnVersionNotice(TVersionNotice::OldVersion, name_);
    if (v > 9.99) o_.OnVersionNotice(TVersionNotice::Unsupported, name_);
  }

  // An image of the skin as 32-bit pixels; false when the skin has none of
  // that name.
  bool ReadImage(const fw::String& fileName, bool bitmap, TPixelBuffer& out) {
    std::vector<uint8_t> bytes;
    if (!images_.Read(fileName, bytes)) return false;
    try {
      out = bitmap ? DecodeSkinBitmap(bytes) : DecodeSkinPng(bytes);
    } catch (const fw::Exception& e) {
      Fail(u"the image " + fileName + u" cannot be read: " + e.Message());
    }
    return true;
  }

  void CheckInside(const TkMaskData& m, int width, int height, const fw::String& imageName) {
    const fw::TRect& r = m.R;
    if (r.Left < 0 || r.Top < 0 || r.Right < r.Left || r.Bottom < r.Top || r.Right > width || r.Bottom > height)
      Fail(u"the element " + m.ClassName + u"/" + m.PropertyName + u" lies outside " + imageName);
  }

  void LoadMaster() {
    fw::String master = ini_.ReadString(u"GLOBALINFO", u"MASTERBITMAP", u"");
    masterName_ = master.empty() ? fw::String(u"the master image") : master;
    if (!master.empty()) ReadImage(master, true, skin_->MasterBitmap);
  }

  // The master image as an error names it; a missing one says so.
  fw::String MasterLabel() const {
    return skin_->MasterBitmap.Empty() ? masterName_ + u" (the skin has no such image)" : masterName_;
  }

  void AddMask(TkMaskData m, const TPixelBuffer* own, const fw::String& imageName) {
    if (own) {
      CheckInside(m, own->Width(), own->Height(), imageName);
    } else {
      CheckInside(m, skin_->MasterBitmap.Width(), skin_->MasterBitmap.Height(), MasterLabel());
    }
    skin_->ma.push_back(std::move(m));
  }

  void LoadAllMasks() {
    LoadMaster();
    TPixelView32 masterView = View32(skin_->MasterBitmap);
    for (const TSkinIni::Section& s : ini_.Sections()) {
      for (const TSkinIni::Entry& e : s.entries) {
        if (e.value.empty() || (s.name == u"GLOBALINFO" && e.key == u"MASTERBITMAP")) continue;
        TMaskValue v;
        try {
          v = ParseMaskValue(e.value);
        } catch (const fw::Exception& ex) {
          Fail(u"[" + s.name + u"] " + e.key + u": " + ex.Message());
        }
        if (v.Kind == TMaskValueKind::None) continue;
        TkMaskData& m = v.Mask;
        bool upperNames = v.Kind == TMaskValueKind::PlainBitmap || v.Kind == TMaskValueKind::OldForm;
        m.ClassName = upperNames ? fw::UpperCase(s.name) : s.name;
        m.PropertyName = upperNames ? fw::UpperCase(e.key) : e.key;
        if (v.Kind == TMaskValueKind::OwnImage || v.Kind == TMaskValueKind::PlainBitmap) {
          auto image = std::make_shared<TPixelBuffer>();
          bool bitmap = v.ImageName.find(u".BMP") != fw::String::npos;
          if (!ReadImage(v.ImageName, bitmap, *image) || image->Width() == 0) continue;
          if (v.Kind == TMaskValueKind::OwnImage && !bitmap && o_.Brightness <= 0)
            PrepareAlpha(*image, skin_->CommonSkinData.Version > 7.45);
          SetOwnImageGeometry(v, image->Width(), image->Height());
          m.Bmp = image;
          if (m.ImgType == TkcImgType::itisaBorder) m.CornerType = MaskCornerType(m, View32(*image));
          AddMask(std::move(m), image.get(), v.ImageName);
          continue;
        }
        if (v.Kind == TMaskValueKind::Glyph || v.Kind == TMaskValueKind::Texture) {
          m.CornerType = 0;
        } else {
          CheckInside(m, skin_->MasterBitmap.Width(), skin_->MasterBitmap.Height(), MasterLabel());
          m.CornerType = MaskCornerType(m, masterView);
        }
        AddMask(std::move(m), nullptr, masterName_);
      }
    }
    if (!o_.CommonSections.empty()) LoadCommonMasks();
  }

  void LoadCommonMasks() {
    TSkinIni common(o_.CommonSections, false);
    TFolderSkinImages folder(o_.SkinPath);
    TPixelView32 masterView = View32(skin_->MasterBitmap);
    for (const TSkinIni::Section& s : common.Sections()) {
      if (fw::UpperCase(s.name) == u"GLOBALINFO") continue;
      for (const TSkinIni::Entry& e : s.entries) {
        fw::String value = e.value.empty() ? fw::String(u"-") : e.value;
        if (skin_->MasterBitmap.Empty() || value.find(u'#') == fw::String::npos) {
          fw::String upper = fw::UpperCase(value);
          if (upper.find(u".BMP") == fw::String::npos) continue;
          std::vector<uint8_t> bytes;
          if (!folder.Read(upper, bytes)) continue;
          auto image = std::make_shared<TPixelBuffer>();
          try {
            *image = DecodeSkinBitmap(bytes);
          } catch (const fw::Exception& ex) {
            Fail(u"the image " + upper + u" cannot be read: " + ex.Message());
          }
          if (image->Width() < 1) continue;
          TkMaskData m;
          m.ClassName = fw::UpperCase(s.name);
          m.PropertyName = fw::UpperCase(e.key);
          m.Bmp = image;
          skin_->ma.push_back(std::move(m));
        } else if (value != u"#") {
          TMaskValue v;
          try {
            v = ParseMaskValue(value);
          } catch (const fw::Exception& ex) {
            Fail(u"common section [" + s.name + u"] " + e.key + u": " + ex.Message());
          }
          if (v.Kind != TMaskValueKind::OldForm) continue;
          TkMaskData& m = v.Mask;
          m.ClassName = fw::UpperCase(s.name);
          m.PropertyName = fw::UpperCase(e.key);
          if (m.BorderWidth == 0) {
            m.WL = m.WR = static_cast<int16_t>(m.R.Width() / (m.ImageCount * 3));
            m.WT = m.WB = static_cast<int16_t>(m.R.Height() / (m.MaskType * 3 + 3));
          }
          CheckInside(m, skin_->MasterBitmap.Width(), skin_->MasterBitmap.Height(), MasterLabel());
          m.CornerType = MaskCornerType(m, masterView);
          skin_->ma.push_back(std::move(m));
        }
      }
    }
  }

  static bool IsJpegName(const fw::String& upper) {
    return upper.find(u".JPG") != fw::String::npos || upper.find(u".JPEG") != fw::String::npos;
  }

  void AddPattern(const fw::String& section, const fw::String& key, std::vector<uint8_t> bytes, bool keep) {
    int w = 0, h = 0;
    try {
      ReadSkinJpegSize(bytes, w, h);
      if (w == 0) return;
      if (!keep && int64_t(w) * h < 900000) {
        TkMaskData m;
        m.Bmp = std::make_shared<TPixelBuffer>(DecodeSkinJpeg(bytes));
        m.ClassName = fw::UpperCase(section);
        m.PropertyName = fw::UpperCase(key);
        m.ImgType = TkcImgType::itisaTexture;
        m.ImageCount = 1;
        m.R = fw::TRect{0, 0, w, h};
        skin_->ma.push_back(std::move(m));
        return;
      }
    } catch (const fw::Exception& ex) {
      Fail(u"the texture of [" + section + u"] " + key + u" cannot be read: " + ex.Message());
    }
    skin_->pa.push_back(TkPatternData{std::move(bytes), w, h, fw::UpperCase(section), fw::UpperCase(key)});
  }

  void LoadAllPatterns() {
    for (const TSkinIni::Section& s : ini_.Sections())
      for (const TSkinIni::Entry& e : s.entries) {
        fw::String upper = fw::UpperCase(e.value.empty() ? fw::String(u"-") : e.value);
        if (!IsJpegName(upper)) continue;
        std::vector<uint8_t> bytes;
        if (images_.Read(upper, bytes)) AddPattern(s.name, e.key, std::move(bytes), false);
      }
    if (o_.CommonSections.empty()) return;
    TSkinIni common(o_.CommonSections, false);
    TFolderSkinImages folder(o_.SkinPath);
    for (const TSkinIni::Section& s : common.Sections())
      for (const TSkinIni::Entry& e : s.entries) {
        fw::String upper = fw::UpperCase(e.value);
        std::vector<uint8_t> bytes;
        if (IsJpegName(upper) && folder.Read(upper, bytes)) AddPattern(s.name, e.key, std::move(bytes), true);
      }
  }

  // ---- inherited readers ----

  // The parent of a section when it names another section; empty otherwise.
  fw::String ParentOf(const fw::String& section) const {
    fw::String p = ini_.ReadString(section, u"PARENTCLASS", u"?");
    if (p == u"?" || p == section) return u"";
    return p;
  }

  fw::String ReadInheritedString(const fw::String& section, const fw::String& key, const fw::String& def) const {
    fw::String s = section;
    // As many steps as there are sections: a PARENTCLASS cycle ends here.
    for (size_t step = 0; step <= ini_.Sections().size(); ++step) {
      fw::String v = ini_.ReadString(s, key, u"?");
      if (v != u"?") return v;
      s = ParentOf(s);
      if (s.empty()) break;
    }
    return def;
  }

  bool ReadInheritedBool(const fw::String& section, const fw::String& key, bool def) const {
    fw::String v = ReadInheritedString(section, key, u"?");
    if (v == u"?") return def;
    return v == u"TRUE" || v == u"1";
  }

  int ReadInheritedColor(const fw::String& section, const fw::String& key, int def, int bound) const {
    int v = ini_.ReadInteger(section, key, -1);
    fw::String s = section;
    for (size_t step = 0; v == -1 && step <= ini_.Sections().size(); ++step) {
      s = ParentOf(s);
      if (s.empty()) break;
      v = ini_.ReadInteger(s, key, -1);
      if (v != -1) v = ToRGB(v);
    }
    if (v == -1) v = def;
    return std::min(v, bound);
  }

  // ---- general data ----

  void ReadGlobals() {
    TkSkinData& d = skin_->CommonSkinData;
    auto i = [&](const char16_t* key, int def) { return ini_.ReadInteger(u"GLOBALINFO", key, def); };
    d.Version = ini_.ReadFloat(u"GLOBALINFO", u"VERSION", 0);
    d.Author = ini_.ReadString(u"GLOBALINFO", u"AUTHOR", u"");
    d.Description = ini_.ReadString(u"GLOBALINFO", u"DESCRIPTION", u"");
    d.ExBorderWidth = i(u"BORDERWIDTH", 4);
    d.ExTitleHeight = i(u"TITLEHEIGHT", 30);
    if (d.ExTitleHeight == 0) d.ExTitleHeight = 30;
    d.ExMaxHeight = i(u"MAXHEIGHT", 0);
    if (d.ExMaxHeight == 0) d.ExMaxHeight = d.ExTitleHeight;
    d.ExContentOffs = i(u"FORMOFFSET", o_.SizingFrame);
    d.ExCenterOffs = i(u"CENTEROFFSET", 0);
    d.ExDrawMode = i(u"BORDERMODE", 0);
    d.BrightMin = i(u"BRIGHTMIN", -50);
    d.BrightMax = i(u"BRIGHTMAX", 50);
    d.ExShadowOffs = i(u"ALIGNOFFSET", 0);
    d.ExShadowOffsR = i(u"ALIGNOFFSETR", d.ExShadowOffs);
    d.ExShadowOffsT = i(u"ALIGNOFFSETT", d.ExShadowOffs);
    d.ExShadowOffsB = i(u"ALIGNOFFSETB", d.ExShadowOffs);
    d.BISpacing = i(u"BISPACE", 0);
    d.BIVAlign = i(u"BIVALIGN", 0);
    d.BIRightMargin = i(u"BIRIGHT", 0);
    d.BILeftMargin = i(u"BILEFT", 0);
    d.BITopMargin = i(u"BITOP", 0);
    d.BIKeepHUE = i(u"BIKEEPHUE", 0);
    d.UseAeroBluring = i(u"AEROBLUR", 0) != 0;
    d.BICloseGlow = i(u"BICONCLOSEGLOW", 0);
    d.BICloseGlowMargin = i(u"BICONCLOSEGLOWMARGIN", 0);
    d.BIMaxGlow = i(u"BICONMAXGLOW", 0);
    d.BIMaxGlowMargin = i(u"BICONMAXGLOWMARGIN", 0);
    d.BIMinGlow = i(u"BICONMINGLOW", 0);
    d.BIMinGlowMargin = i(u"BICONMINGLOWMARGIN", 0);
    d.Shadow1Color = i(u"SHADOW1COLOR", 0);
    d.Shadow1Offset = i(u"SHADOW1OFFSET", 0);
    d.Shadow1Blur = i(u"SHADOW1BLUR", -1);
    d.Shadow1Transparency = i(u"SHADOW1TRANSPARENCY", 0);
    d.ComboBoxMargin = i(u"COMBOMARGIN", 2);
  }

  void ReadOuterEffect(TkcOutEffData& oe, const fw::String& prefix, const int colors[4], const int offsets[4],
                       int opacity) {
    auto i = [&](const char16_t* key, int def) { return ini_.ReadInteger(u"GLOBALINFO", prefix + key, def); };
    oe.ColorL = i(u"COLORL", colors[0]);
    oe.ColorT = i(u"COLORT", colors[1]);
    oe.ColorR = i(u"COLORR", colors[2]);
    oe.ColorB = i(u"COLORB", colors[3]);
    oe.WidthL = i(u"WIDTHL", -1);
    oe.WidthT = i(u"WIDTHT", -1);
    oe.WidthR = i(u"WIDTHR", -1);
    oe.WidthB = i(u"WIDTHB", -1);
    oe.OffsetL = i(u"OFFSETL", offsets[0]);
    oe.OffsetT = i(u"OFFSETT", offsets[1]);
    oe.OffsetR = i(u"OFFSETR", offsets[2]);
    oe.OffsetB = i(u"OFFSETB", offsets[3]);
    oe.Source = i(u"SOURCE", 2);
    oe.Opacity = i(u"OPACITY", opacity);
    LoadOuterEffectMask(oe, prefix + u"MASK");
  }

  void LoadOuterEffectMask(TkcOutEffData& oe, const fw::String& key) {
    oe.Mask = -1;
    if (oe.Source == 0) return;
    if (oe.Source == 1) {
      fw::String text = ini_.ReadString(u"GLOBALINFO", key, u"");
      if (text.empty()) return;
      text[0] = u'^';
      TMaskValue v;
      try {
        v = ParseMaskValue(text);
      } catch (const fw::Exception& ex) {
        Fail(u"[GLOBALINFO] " + key + u": " + ex.Message());
      }
      v.Mask.ClassName = u"GLOBALINFO";
      v.Mask.PropertyName = key;
      v.Mask.CornerType = 0;
      AddMask(std::move(v.Mask), nullptr, masterName_);
      oe.Mask = static_cast<int>(skin_->ma.size()) - 1;
      return;
    }
    if (!o_.Blur5 || o_.Blur5->Empty() || o_.Blur5->PixelFormat() != TPixelFormat::pf8bit)
      Fail(u"the program's BLUR5 image is missing");
    const TPixelBuffer& blur = *o_.Blur5;
    const int w = blur.Width(), h = w / 2;
    if (blur.Height() < w || w < 3) Fail(u"the program's BLUR5 image is not square");
    if (oe.WidthL == -1) oe.WidthL = h;
    if (oe.WidthT == -1) oe.WidthT = h;
    if (oe.WidthR == -1) oe.WidthR = h;
    if (oe.WidthB == -1) oe.WidthB = h;
    auto image = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, w, 2 * w);
    TPixelView32 v = View32(*image);
    auto px = [&](fw::TColor c) { return ColorToPixel(static_cast<uint32_t>(ToRGB(c)), 255); };
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x) v.Pixel(x, y) = px(y < h ? oe.ColorT : oe.ColorB);
    FillTriangle(v, {0, 1}, {h - 1, h}, {0, w - 2}, px(oe.ColorL));
    FillTriangle(v, {w - 1, 1}, {h + 1, h}, {w - 1, w - 2}, px(oe.ColorR));
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x) {
        uint8_t g = blur.ScanLine(y)[x];
        v.Pixel(x, w + y) = MakePixel(g, g, g, 255);
      }
    TkMaskData m;
    m.Bmp = image;
    m.ClassName = u"GLOBALINFO";
    m.PropertyName = key;
    m.R = fw::TRect{0, 0, w, 2 * w};
    m.ImageCount = 1;
    m.MaskType = 1;
    m.BorderWidth = m.WL = m.WT = m.WR = m.WB = static_cast<int16_t>(h);
    m.DrawMode = 1;
    skin_->ma.push_back(std::move(m));
    oe.Mask = static_cast<int>(skin_->ma.size()) - 1;
  }

  // A solid triangle, its edges included (as a polygon drawn with a pen of
  // the same colour).
  static void FillTriangle(const TPixelView32& v, fw::TPoint a, fw::TPoint b, fw::TPoint c, uint32_t pixel) {
    auto edge = [](fw::TPoint p, fw::TPoint q, int x, int y) {
      return int64_t(q.x - p.x) * (y - p.y) - int64_t(q.y - p.y) * (x - p.x);
    };
    for (int y = 0; y < v.Height; ++y)
      for (int x = 0; x < v.Width; ++x) {
        int64_t e1 = edge(a, b, x, y), e2 = edge(b, c, x, y), e3 = edge(c, a, x, y);
        if ((e1 >= 0 && e2 >= 0 && e3 >= 0) || (e1 <= 0 && e2 <= 0 && e3 <= 0)) v.Pixel(x, y) = pixel;
      }
  }

  TkGenState ReadState(const fw::String& s, bool hot) {
    TkGenState st;
    auto key = [&](const char16_t* normal, const char16_t* hotKey) { return fw::String(hot ? hotKey : normal); };
    st.Color = ReadInheritedColor(s, key(u"COLOR", u"HOTCOLOR"), 0xFFFFFF, kNoBound);
    st.FontColor.Color = ReadInheritedColor(s, key(u"FONTCOLOR", u"HOTFONTCOLOR"), 0, kNoBound);
    st.FontColor.Left = ReadInheritedColor(s, key(u"TCLEFT", u"HOTTCLEFT"), -1, kNoBound);
    st.FontColor.Top = ReadInheritedColor(s, key(u"TCTOP", u"HOTTCTOP"), -1, kNoBound);
    st.FontColor.Right = ReadInheritedColor(s, key(u"TCRIGHT", u"HOTTCRIGHT"), -1, kNoBound);
    st.FontColor.Bottom = ReadInheritedColor(s, key(u"TCBOTTOM", u"HOTTCBOTTOM"), -1, kNoBound);
    st.GlowColor = ReadInheritedColor(s, key(u"GCOL", u"HGCOL"), 0xFFFFFF, kNoBound);
    st.GlowSize = ReadInheritedColor(s, key(u"GSIZE", u"HGSIZE"), 0, 255);
    st.GradientPercent = ReadInheritedColor(s, key(u"GRADIENTPERCENT", u"HOTGRADIENTPERCENT"), 0, 100);
    st.GradientData = ReadInheritedString(s, key(u"GRADIENTDATA", u"HOTGRADIENTDATA"), u" ");
    st.ImagePercent = ReadInheritedColor(s, key(u"IMAGEPERCENT", u"HOTIMAGEPERCENT"), 0, 100);
    st.Transparency = ReadInheritedColor(s, key(u"TRANSPARENCY", u"HOTTRANSPARENCY"), 0, 100);
    return st;
  }

  void ParseGradient(TkGenState& st, size_t shortest, const fw::String& section) {
    if (st.GradientData.size() < shortest) {
      st.GradientPercent = 0;
      return;
    }
    try {
      ParseGradientData(st.GradientData, st.GradientArray,
                        [this](int32_t c) { return static_cast<uint32_t>(ToRGB(c)); });
    } catch (const fw::Exception& ex) {
      Fail(u"[" + section + u"] has a bad gradient: " + ex.Message());
    }
  }

  static void FlatCopies(TkGeneralData& g) {
    const TkGenState &n = g.Props[0], &h = g.Props[1];
    g.Color = n.Color;
    g.Transparency = n.Transparency;
    g.GradientPercent = n.GradientPercent;
    g.GradientData = n.GradientData;
    g.GradientArray = n.GradientArray;
    g.ImagePercent = n.ImagePercent;
    g.FontColor = n.FontColor;
    g.GlowColor = n.GlowColor;
    g.GlowSize = n.GlowSize;
    g.HotColor = h.Color;
    g.HotTransparency = h.Transparency;
    g.HotGradientPercent = h.GradientPercent;
    g.HotGradientData = h.GradientData;
    g.HotGradientArray = h.GradientArray;
    g.HotImagePercent = h.ImagePercent;
    g.HotFontColor = h.FontColor;
    g.HotGlowColor = h.GlowColor;
    g.HotGlowSize = h.GlowSize;
  }

  void ReadSections() {
    for (const TSkinIni::Section& sec : ini_.Sections()) {
      const fw::String& s = sec.name;
      TkGeneralData g;
      g.ClassName = s;
      g.ParentClass = ini_.ReadString(s, u"PARENTCLASS", u"");
      g.ReservedBoolean = ReadInheritedBool(s, u"RESERVEDBOOLEAN", false);
      g.GiveOwnFont = ReadInheritedBool(s, u"GIVEOWNFONT", false);
      g.GlowCount = ReadInheritedColor(s, u"GLOW", 0, 255);
      g.GlowMargin = ReadInheritedColor(s, u"GLOWMARGIN", 0, 255);
      g.States = ReadInheritedColor(s, u"STATES", 3, 255);
      g.OuterMode = ReadInheritedColor(s, u"OUTERMODE", 2, kNoBound);
      g.OuterOpacity = ReadInheritedColor(s, u"OUTOPACITY", 200, 255);
      g.OuterOffset = fw::TRect{ReadInheritedColor(s, u"OUTOFFSL", 0, 255), ReadInheritedColor(s, u"OUTOFFST", 0, 255),
                                ReadInheritedColor(s, u"OUTOFFSR", 0, 255), ReadInheritedColor(s, u"OUTOFFSB", 0, 255)};
      g.Props[0] = ReadState(s, false);
      ParseGradient(g.Props[0], 2, s);
      if (g.States < 2) {
        g.Props[1] = g.Props[0];
        g.Props[1].GradientArray.clear();
      } else {
        g.Props[1] = ReadState(s, true);
      }
      ParseGradient(g.Props[1], 6, s);
      g.Props[0].TextureIndex = g.Props[1].TextureIndex = -1;
      FlatCopies(g);
      skin_->gd.push_back(std::move(g));
    }
  }

  void ReadCommonSections() {
    TSkinIni common(o_.CommonSections, false);
    for (const TSkinIni::Section& sec : common.Sections()) {
      if (skin_->GetSkinIndex(sec.name) >= 0) continue;
      TkGeneralData g;
      g.ClassName = sec.name;
      g.ParentClass = fw::UpperCase(common.ReadString(sec.name, u"PARENTCLASS", u"-1"));
      const TkGeneralData* base = nullptr;
      for (const TkGeneralData& d : skin_->gd)
        if (fw::UpperCase(d.ClassName) == g.ParentClass) {
          base = &d;
          break;
        }
      TkGeneralData defaults;
      defaults.Props[0].FontColor.Color = defaults.Props[1].FontColor.Color = -1;
      defaults.Props[0].GradientData = defaults.Props[1].GradientData = u" ";
      defaults.States = 3;
      defaults.GlowCount = defaults.GlowMargin = 0;
      const TkGeneralData& d = base ? *base : defaults;
      auto integer = [&](const char16_t* key, int def) { return common.ReadInteger(sec.name, key, def); };
      auto boolean = [&](const char16_t* key, bool def) {
        fw::String v = fw::UpperCase(common.ReadString(sec.name, key, u"?"));
        return v == u"?" ? def : (v == u"1" || v == u"TRUE");
      };
      g.States = integer(u"STATES", d.States);
      g.ReservedBoolean = boolean(u"RESERVEDBOOLEAN", d.ReservedBoolean);
      g.GiveOwnFont = boolean(u"GIVEOWNFONT", d.GiveOwnFont);
      g.GlowCount = integer(u"GLOW", d.GlowCount);
      g.GlowMargin = integer(u"GLOWMARGIN", d.GlowMargin);
      for (int hot = 0; hot < 2; ++hot) {
        const TkGenState& b = d.Props[hot];
        TkGenState& st = g.Props[hot];
        auto k = [&](const char16_t* normal, const char16_t* hotKey) { return hot ? hotKey : normal; };
        st.Color = integer(k(u"COLOR", u"HOTCOLOR"), b.Color);
        st.FontColor.Color = integer(k(u"FONTCOLOR", u"HOTFONTCOLOR"), b.FontColor.Color);
        st.FontColor.Left = integer(k(u"TCLEFT", u"HOTTCLEFT"), b.FontColor.Left);
        st.FontColor.Top = integer(k(u"TCTOP", u"HOTTCTOP"), b.FontColor.Top);
        st.FontColor.Right = integer(k(u"TCRIGHT", u"HOTTCRIGHT"), b.FontColor.Right);
        st.FontColor.Bottom = integer(k(u"TCBOTTOM", u"HOTTCBOTTOM"), b.FontColor.Bottom);
        st.GlowColor = integer(k(u"GCOL", u"HGCOL"), b.GlowColor);
        st.GlowSize = integer(k(u"GSIZE", u"HGSIZE"), b.GlowSize);
        st.GradientPercent = integer(k(u"GRADIENTPERCENT", u"HOTGRADIENTPERCENT"), b.GradientPercent);
        st.GradientData = common.ReadString(sec.name, k(u"GRADIENTDATA", u"HOTGRADIENTDATA"), b.GradientData);
        st.ImagePercent = integer(k(u"IMAGEPERCENT", u"HOTIMAGEPERCENT"), b.ImagePercent);
        st.Transparency = integer(k(u"TRANSPARENCY", u"HOTTRANSPARENCY"), b.Transparency);
      }
      if (g.States < 2) g.Props[1] = g.Props[0];
      for (TkGenState& st : g.Props) {
        st.GradientArray.clear();
        st.TextureIndex = -1;
        if (st.GradientData.size() > 5) ParseGradient(st, 0, sec.name);
      }
      FlatCopies(g);
      skin_->gd.push_back(std::move(g));
    }
  }

  void DerivePalette() {
    TkPalette& p = skin_->Palette;
    auto i = [&](const char16_t* key, int def) { return ini_.ReadInteger(u"GLOBALINFO", key, def); };
    p[pcMainColor] = i(u"COLOR", ToRGB(fw::clBtnFace));
    p[pcLabelText] = i(u"FONTCOLOR", 0);
    p[pcWebText] = i(u"TCBOTTOM", 0xFF0000);
    p[pcWebTextHot] = i(u"TCTOP", 0x0000FF);
    p[pcBorder] = i(u"BORDERCOLOR", 0);
    int edit = skin_->GetSkinIndex(u"EDIT");
    if (edit >= 0) {
      p[pcEditText] = ToRGB(skin_->gd[edit].Props[0].FontColor.Color);
      p[pcEditBG] = ToRGB(skin_->gd[edit].Props[0].Color);
    } else {
      p[pcEditText] = ToRGB(fw::clWindowText);
      p[pcEditBG] = ToRGB(fw::clWindow);
    }
    int sel = skin_->GetSkinIndex(u"SELECTION");
    if (sel >= 0) {
      const TkGeneralData& g = skin_->gd[sel];
      const TkGenState& focused = g.States >= 2 ? g.Props[1] : g.Props[0];
      p[pcSelectionBG] = g.Props[0].Color;
      p[pcSelectionText] = g.Props[0].FontColor.Color;
      p[pcSelectionBG_Focused] = focused.Color;
      p[pcSelectionText_Focused] = focused.FontColor.Color;
    } else {
      p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBG_Focused] = p[pcSelectionText_Focused] = -1;
    }
    if (p[pcSelectionText] == -1 || p[pcSelectionText] == 0xFF00FF) {
      int menu = skin_->GetSkinIndex(u"MENUITEM");
      if (menu >= 0) {
        const TkGenState& hot = skin_->gd[menu].Props[1];
        fw::TColor text = hot.FontColor.Color;
        p[pcSelectionBG] = p[pcSelectionBG_Focused] = hot.Color;
        p[pcSelectionText] = (text == -1 || text == 0xFF00FF) ? fw::clHighlightText : ToRGB(text);
        p[pcSelectionText_Focused] = p[pcSelectionText];
      } else {
        p[pcSelectionText] = p[pcSelectionText_Focused] = ToRGB(fw::clHighlightText);
        p[pcSelectionBG] = p[pcSelectionBG_Focused] = ToRGB(fw::clHighlight);
      }
    }
    p[pcEditText_Ok] = i(u"EDITTEXT_OK", 0x008000);
    p[pcEditText_Warning] = i(u"EDITTEXT_WARN", 0x008484);
    p[pcEditText_Alert] = i(u"EDITTEXT_ALERT", 0x0000FF);
    // Caution and bypassed have keys of their own (not the alert keys).
    p[pcEditText_Caution] = i(u"EDITTEXT_CAUTION", 0x8597D9);
    p[pcEditText_Bypassed] = i(u"EDITTEXT_BYPASSED", 0x4AB28F);
    p[pcEditBG_Ok] = i(u"EDITBG_OK", 0x6CC2A5);
    p[pcEditBG_Warning] = i(u"EDITBG_WARN", 0x40FFFF);
    p[pcEditBG_Alert] = i(u"EDITBG_ALERT", 0x95A7E9);
    p[pcEditBG_Caution] = i(u"EDITBG_CAUTION", 0x8597D9);
    p[pcEditBG_Bypassed] = i(u"EDITBG_BYPASSED", 0x4AB28F);
    p[pcEditText_Highlight1] = i(u"EDITTEXT_H1", 0);
    p[pcEditText_Highlight2] = i(u"EDITTEXT_H2", 0);
    p[pcEditText_Highlight3] = i(u"EDITTEXT_H3", 0);
    p[pcEditText_Inverted] = i(u"EDITTEXT_INV", p[pcEditBG]);
    p[pcEditBG_Inverted] = i(u"EDITBG_INV", p[pcEditText]);
    p[pcEditBG_OddRow] = i(u"EDITBG_ODD", p[pcEditBG]);
    p[pcEditBG_EvenRow] = i(u"EDITBG_EVEN", static_cast<fw::TColor>(MixColors(static_cast<uint32_t>(p[pcEditText]),
                                                                           static_cast<uint32_t>(p[pcEditBG]), 0.05)));
  }

  void AddTransparent() {
    if (skin_->GetSkinIndex(u"TRANSPARENT") >= 0) return;
    TkGeneralData g;
    g.ClassName = u"TRANSPARENT";
    g.States = 1;
    for (TkGenState& st : g.Props) {
      st.Transparency = 100;
      st.Color = 0xFFFFFF;
      st.FontColor = TkFontColor{skin_->Palette[pcLabelText], -1, -1, -1, -1};
      st.GradientData = u" ";
    }
    FlatCopies(g);
    skin_->gd.push_back(std::move(g));
  }

  void LoadAllGeneralData() {
    ReadGlobals();
    const int shColors[4] = {0, 0, 0, 0}, shOffsets[4] = {3, 2, 3, 5};
    const int loColors[4] = {0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF}, loOffsets[4] = {2, 2, 2, 4};
    ReadOuterEffect(skin_->oe[1], u"SH_", shColors, shOffsets, 60);
    ReadOuterEffect(skin_->oe[0], u"LO_", loColors, loOffsets, 200);
    ReadSections();
    if (!o_.CommonSections.empty()) ReadCommonSections();
    DerivePalette();
    AddTransparent();
    AdjustSkinColors(*skin_, o_.HueOffset, o_.Saturation, o_.Brightness);
  }

  fw::String name_;
  const TSkinIni& ini_;
  TSkinImages& images_;
  const TSkinLoadOptions& o_;
  std::unique_ptr<TkLoadedSkin> skin_;
  fw::String masterName_;
};

}  // namespace

std::unique_ptr<TkLoadedSkin> LoadSkin(const fw::String& skinName, const fw::String& description,
                                       TSkinImages& images, const TSkinLoadOptions& options) {
  TSkinIni ini(description);
  return TLoader(skinName, ini, images, options).Run();
}

std::unique_ptr<TkLoadedSkin> LoadPackedSkin(const fw::String& skinName, const std::vector<uint8_t>& packed,
                                             const TSkinLoadOptions& options) {
  if (packed.empty()) throw ESkinError(u"Skin \"" + skinName + u"\" has no data");
  TkcSkinConvertor pack;
  try {
    pack = ReadPackedEntries(packed.data(), packed.size());
  } catch (const fw::Exception& e) {
    throw ESkinError(u"Skin \"" + skinName + u"\": " + e.Message());
  }
  if (!pack.HasOptions)
    throw ESkinError(u"\"" + skinName + u"\" skin have internal format error. Please update this skin to latest version.");
  TPackedSkinImages images(pack);
  return LoadSkin(skinName, DescriptionText(pack.Options), images, options);
}

namespace {

fw::String WithDelimiter(const fw::String& folder) {
  if (folder.empty() || folder.back() == u'\\' || folder.back() == u'/') return folder;
  return folder + static_cast<char16_t>(std::filesystem::path::preferred_separator);
}

std::vector<uint8_t> FileBytes(const std::filesystem::path& p, const fw::String& skinName) {
  std::error_code ec;
  auto size = std::filesystem::file_size(p, ec);
  if (ec) throw ESkinError(u"Skin \"" + skinName + u"\" cannot be read: " + p.u16string());
  if (size > static_cast<uintmax_t>(kMaxPackedEntrySize) * 4) throw ESkinError(u"Skin \"" + skinName + u"\" is too large");
  std::ifstream in(p, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return bytes;
}

}  // namespace

TChosenSkin ReloadSkin(const fw::String& name, const fw::String& skinDirectory,
                       const std::vector<TStoredSkinRef>& stored, const fw::String* previewText,
                       TSkinLoadOptions options) {
  TChosenSkin r;
  r.Name = name;
  const fw::String folder = WithDelimiter(WithDelimiter(skinDirectory) + name);
  std::error_code ec;
  if (previewText || std::filesystem::is_regular_file(std::filesystem::path(folder + u"Options.dat"), ec)) {
    options.SkinPath = folder;
    TFolderSkinImages images(folder);
    fw::String text = previewText ? *previewText
                                  : DescriptionText(FileBytes(std::filesystem::path(folder + u"Options.dat"), name));
    r.Skin = LoadSkin(name, text, images, options);
    r.Skin->CommonSkinData.SkinPath = folder;
    return r;
  }
  if (stored.empty()) return r;
  size_t index = 0;
  for (size_t i = 0; i < stored.size(); ++i)
    if (stored[i].Name == name) {
      index = i;
      break;
    }
  if (stored[index].Name != name) r.Name = stored[index].Name;
  options.SkinPath.clear();
  r.Packed = true;
  static const std::vector<uint8_t> none;
  r.Skin = LoadPackedSkin(r.Name, stored[index].Data ? *stored[index].Data : none, options);
  return r;
}

std::unique_ptr<TkLoadedSkin> ReloadPackedSkin(const fw::String& name, const fw::String& skinDirectory,
                                               TSkinLoadOptions options) {
  TkcSkinConvertor pack;
  try {
    if (!LoadPackedFile(WithDelimiter(skinDirectory) + name + u".ksz", pack))
      throw ESkinError(u"Skin \"" + name + u"\" is not found");
  } catch (const ESkinError& e) {
    if (e.Message().rfind(u"Skin \"", 0) == 0) throw;
    throw ESkinError(u"Skin \"" + name + u"\": " + e.Message());
  }
  if (!pack.HasOptions)
    throw ESkinError(u"\"" + name + u"\" skin have internal format error. Please update this skin to latest version.");
  options.SkinPath = WithDelimiter(skinDirectory);
  TPackedSkinImages images(pack);
  std::unique_ptr<TkLoadedSkin> skin = LoadSkin(name, DescriptionText(pack.Options), images, options);
  skin->CommonSkinData.SkinPath = options.SkinPath;
  return skin;
}

TShadowTemplates CheckShadows(const TkLoadedSkin& skin, bool extendedBorders, const TPixelBuffer* defaultActive,
                              const TPixelBuffer* defaultInactive) {
  TShadowTemplates t;
  if (!skin.CommonSkinData.Active || !extendedBorders) return t;
  int ex = skin.ConstData.ExBorder;
  if (ex < 0) {
    if (defaultActive && defaultInactive) {
      t.Active = *defaultActive;
      t.Inactive = *defaultInactive;
      t.FormShadowSize = fw::TRect{9, 9, 9, 9};
    }
  } else {
    const TkMaskData& m = skin.ma[ex];
    // The templates are cut from the element's own image; a rectangle of the
    // master image gives none.
    if (!m.Bmp) return t;
    const int c = skin.CommonSkinData.ExContentOffs;
    t.FormShadowSize = skin.CommonSkinData.ExDrawMode != 0 ? fw::TRect{c, c, c, c}
                                                            : fw::TRect{m.WL - c, m.WT - c, m.WR - c, m.WB - c};
    const int fw_ = MaskFrameWidth(m), fh = MaskFrameHeight(m);
    auto cut = [&](int x0) {
      TPixelBuffer b(TPixelFormat::pf32bit, fw_, fh);
      TPixelView32 src = View32(*m.Bmp), dst = View32(b);
      for (int y = 0; y < fh; ++y)
        for (int x = 0; x < fw_; ++x)
          if (src.Contains(x0 + x, y)) dst.Pixel(x, y) = src.Pixel(x0 + x, y);
      return b;
    };
    t.Inactive = cut(0);
    t.Active = m.ImageCount == 1 ? t.Inactive : cut(fw_);
  }
  if (skin.CommonSkinData.Version < 7.6) {
    ZeroTransparentWhite(t.Active);
    ZeroTransparentWhite(t.Inactive);
  }
  return t;
}

}  // namespace skin
