#include "skin/engine/core/mask_values.h"

#include <algorithm>
#include <string>

#include "fw/core/sysutils.h"
#include "skin/engine/core/skin_ini.h"
#include "skin/engine/core/skin_text.h"

namespace skin {

namespace {

[[noreturn]] void BadValue(fw::StringView value, const char16_t* why) {
  throw ESkinError(u"The mask value \"" + fw::String(value.substr(0, 60)) + u"\" " + why);
}

// Characters first..first+count-1 (1-based) as an integer.
int Column(fw::StringView value, size_t first, size_t count) {
  fw::StringView text = first - 1 < value.size() ? value.substr(first - 1, count) : fw::StringView();
  int v;
  if (!ParseIniInteger(text, v)) BadValue(value, u"has no number where one is expected");
  return v;
}

int16_t Small(fw::StringView value, int v, int low, int high, const char16_t* what) {
  if (v < low || v > high) BadValue(value, what);
  return static_cast<int16_t>(v);
}

std::string Narrow(fw::StringView s) {
  std::string out;
  for (char16_t ch : s) out.push_back(ch < 256 ? static_cast<char>(ch) : '?');
  return out;
}

void DefaultBorderWidths(TkMaskData& m) {
  int count = std::max<int>(m.ImageCount, 1);
  m.WL = m.WR = static_cast<int16_t>(m.R.Width() / (count * 3));
  m.WT = m.WB = static_cast<int16_t>(m.R.Height() / (std::max<int>(m.MaskType, 0) * 3 + 3));
}

}  // namespace

int WordAsInt(int n, fw::StringView text, fw::StringView delimiters) {
  std::string word = CopyWordA(n, Narrow(text), CharSet(Narrow(delimiters)));
  int v;
  return ParseIniInteger(fw::AnsiToString(word), v) ? v : 0;
}

TMaskValue ParseMaskValue(fw::StringView value) {
  TMaskValue r;
  TkMaskData& m = r.Mask;
  if (value.empty()) return r;
  auto rect = [&] {
    m.R = fw::TRect{Column(value, 2, 4), Column(value, 7, 4), Column(value, 12, 4), Column(value, 17, 4)};
  };
  switch (value[0]) {
    case u'@':
      r.Kind = TMaskValueKind::Glyph;
      rect();
      m.ImgType = TkcImgType::itisaGlyph;
      m.ImageCount = Small(value, Column(value, 22, 1), 1, 9, u"has no image count");
      m.MaskType = Small(value, Column(value, 24, 1), 0, 9, u"has a bad mask type");
      return r;
    case u'^':
      r.Kind = TMaskValueKind::Border;
      rect();
      m.ImgType = TkcImgType::itisaBorder;
      m.WL = Small(value, Column(value, 22, 4), 0, 9999, u"has a bad border width");
      m.WT = Small(value, Column(value, 27, 4), 0, 9999, u"has a bad border width");
      m.WR = Small(value, Column(value, 32, 4), 0, 9999, u"has a bad border width");
      m.WB = Small(value, Column(value, 37, 4), 0, 9999, u"has a bad border width");
      m.ImageCount = Small(value, Column(value, 42, 1), 1, 9, u"has no image count");
      m.MaskType = Small(value, Column(value, 44, 1), 0, 9, u"has a bad mask type");
      m.DrawMode = Small(value, Column(value, 46, 1), 0, 9, u"has a bad draw mode");
      m.BorderWidth = Small(value, Column(value, 48, 1), 0, 9, u"has a bad border width");
      if (m.WL + m.WT + m.WR + m.WB == 0) {
        if (m.BorderWidth != 0) m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
        else DefaultBorderWidths(m);
      }
      return r;
    case u'~':
      r.Kind = TMaskValueKind::Texture;
      rect();
      m.ImgType = TkcImgType::itisaTexture;
      m.ImageCount = 1;
      m.DrawMode = Small(value, Column(value, 22, 2), 0, 99, u"has a bad draw mode");
      m.MaskType = value.size() >= 25 ? Small(value, Column(value, 25, 1), 0, 9, u"has a bad mask type") : 0;
      return r;
    case u'!': {
      const fw::StringView delims = u"!";
      fw::String name = fw::AnsiToString(CopyWordA(1, Narrow(value), CharSet("!")));
      if (name.find(u".BMP") == fw::String::npos && name.find(u".PNG") == fw::String::npos) return r;
      r.Kind = TMaskValueKind::OwnImage;
      r.ImageName = name;
      r.WordCount = CountWordsA(Narrow(value), CharSet("!"));
      m.ImageCount = Small(value, WordAsInt(2, value, delims), 1, 99, u"has no image count");
      m.MaskType = Small(value, WordAsInt(3, value, delims), 0, 99, u"has a bad mask type");
      int type = WordAsInt(4, value, delims);
      if (type < 0) BadValue(value, u"has a bad image type");
      m.ImgType = static_cast<TkcImgType>(std::min(type, 4));
      if (r.WordCount >= 5) {
        m.WL = Small(value, WordAsInt(5, value, delims), 0, 9999, u"has a bad border width");
        m.WT = Small(value, WordAsInt(6, value, delims), 0, 9999, u"has a bad border width");
        m.WR = Small(value, WordAsInt(7, value, delims), 0, 9999, u"has a bad border width");
        m.WB = Small(value, WordAsInt(8, value, delims), 0, 9999, u"has a bad border width");
      }
      m.DrawMode = r.WordCount >= 9 ? Small(value, WordAsInt(9, value, delims), 0, 99, u"has a bad draw mode") : 1;
      return r;
    }
    default:
      break;
  }
  if (value.find(u'#') != fw::StringView::npos) {
    if (value == u"#") return r;
    // "#NAME (x1,y1,x2,y2) (count,type,border,mode)"
    r.Kind = TMaskValueKind::OldForm;
    std::string text = Narrow(value);
    std::string place = CopyWordA(2, text, CharSet(" ()"));
    std::string counts = CopyWordA(3, text, CharSet(" ()"));
    const fw::StringView comma = u" ,";
    fw::String p = fw::AnsiToString(place), c = fw::AnsiToString(counts);
    m.R = fw::TRect{WordAsInt(1, p, comma), WordAsInt(2, p, comma), WordAsInt(3, p, comma), WordAsInt(4, p, comma)};
    m.ImgType = TkcImgType::itisaBorder;
    m.ImageCount = Small(value, std::max(WordAsInt(1, c, comma), 1), 1, 99, u"has a bad image count");
    m.MaskType = Small(value, std::max(WordAsInt(2, c, comma), 0), 0, 99, u"has a bad mask type");
    m.BorderWidth = Small(value, std::max(WordAsInt(3, c, comma), 0), 0, 9999, u"has a bad border width");
    m.DrawMode = CountWordsA(counts, CharSet(" ,")) >= 4 ? Small(value, WordAsInt(4, c, comma), 0, 99, u"has a bad draw mode") : 1;
    if (m.BorderWidth != 0) {
      m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
    } else {
      m.WL = m.WR = static_cast<int16_t>(MaskFrameWidth(m));
      m.WT = m.WB = static_cast<int16_t>(MaskFrameHeight(m));
    }
    return r;
  }
  fw::String upper = fw::UpperCase(value);
  if (upper.find(u".BMP") != fw::String::npos) {
    r.Kind = TMaskValueKind::PlainBitmap;
    r.ImageName = upper;
    m.ImgType = TkcImgType::itisaBorder;
    m.ImageCount = 3;
    m.MaskType = 1;
  }
  return r;
}

void SetOwnImageGeometry(TMaskValue& v, int width, int height) {
  TkMaskData& m = v.Mask;
  m.R = fw::TRect{0, 0, width, height};
  if (v.Kind == TMaskValueKind::PlainBitmap) {
    m.WL = m.WR = static_cast<int16_t>(width / 9);
    m.WT = m.WB = static_cast<int16_t>(height / 6);
  } else if (v.Kind == TMaskValueKind::OwnImage && v.WordCount < 5) {
    m.WL = m.WR = static_cast<int16_t>(width / (m.ImageCount * 3));
    m.WT = m.WB = static_cast<int16_t>(height / (m.MaskType * 3 + 3));
  }
}

int MaskCornerType(const TkMaskData& m, const TPixelView32& image) {
  if (m.ClassName == u"BUTTON_HUGE" && m.PropertyName == u"BORDERSMASK") return 2;
  if (m.R.Height() <= 0 || image.Empty()) return 0;
  const int fw = m.R.Width() / std::max<int>(m.ImageCount, 1);
  const int fh = m.R.Height() / (std::max<int>(m.MaskType, 0) + 1);
  const int iw = image.Width, ih = image.Height;
  auto search = [&](int x0, int x1, int y0, int y1) {
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, iw - 1);
    y1 = std::min(y1, ih - 1);
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x)
        if (image.Pixel(x, y) == clSkinKey) return true;
    return false;
  };
  const int l = m.R.Left, t = m.R.Top;
  if (search(l, l + m.WL, t, t + m.WT)) return 1;
  if (search(l + fw - m.WR, l + fw, t, t + m.WT)) return 1;
  if (search(l, l + m.WL, t + fh - m.WB, t + fh)) return 1;
  if (search(l + fw - m.WR, l + fw, t + fh - m.WB, t + fh)) return 1;
  return 0;
}

}  // namespace skin
