// Colours and the drawing tools: font, pen and brush.
#include <cstring>
#include <iterator>

#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"

namespace fw {

namespace {
constexpr TIdentMapEntry kCharsets[] = {
    {ANSI_CHARSET, u"ANSI_CHARSET"},         {DEFAULT_CHARSET, u"DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, u"SYMBOL_CHARSET"},     {MAC_CHARSET, u"MAC_CHARSET"},
    {SHIFTJIS_CHARSET, u"SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, u"HANGEUL_CHARSET"},
    {JOHAB_CHARSET, u"JOHAB_CHARSET"},       {GB2312_CHARSET, u"GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, u"CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, u"GREEK_CHARSET"},
    {TURKISH_CHARSET, u"TURKISH_CHARSET"},   {HEBREW_CHARSET, u"HEBREW_CHARSET"},
    {ARABIC_CHARSET, u"ARABIC_CHARSET"},     {BALTIC_CHARSET, u"BALTIC_CHARSET"},
    {RUSSIAN_CHARSET, u"RUSSIAN_CHARSET"},   {THAI_CHARSET, u"THAI_CHARSET"},
    {EASTEUROPE_CHARSET, u"EASTEUROPE_CHARSET"}, {OEM_CHARSET, u"OEM_CHARSET"},
    {VIETNAMESE_CHARSET, u"VIETNAMESE_CHARSET"},
};
bool CharsetToIdent(int64_t v, String& ident) { return IntToIdentIn(kCharsets, std::size(kCharsets), v, ident); }
bool IdentToCharset(StringView ident, int64_t& v) { return IdentToIntIn(kCharsets, std::size(kCharsets), ident, v); }
}  // namespace

const TTypeInfo* TypeInfoTFontCharset() {
  static const TTypeInfo* info =
      TTypeInfo::MakeInteger(u"TFontCharset", otUByte, 0, 255, &CharsetToIdent, &IdentToCharset);
  return info;
}

FW_REGISTER(TGraphicsObject) {}

FW_REGISTER(TFont) {
  c.Property(u"Charset", &TFont::Charset, &TFont::SetCharset).Type(TypeInfoTFontCharset());
  c.Property(u"Color", &TFont::Color, &TFont::SetColor).Type(TypeInfoTColor());
  c.Property(u"Height", &TFont::Height, &TFont::SetHeight);
  c.Property(u"Name", &TFont::Name, &TFont::SetName);
  c.Property(u"Orientation", &TFont::Orientation, &TFont::SetOrientation).Default(0);
  c.Property(u"Pitch", &TFont::Pitch, &TFont::SetPitch).Default(fpDefault);
  c.Property(u"Size", &TFont::Size, &TFont::SetSize).Stored(false);
  c.Property(u"Style", &TFont::Style, &TFont::SetStyle).Default(TFontStyles());
  c.Property(u"Quality", &TFont::Quality, &TFont::SetQuality).Default(fqDefault);
}

FW_REGISTER(TPen) {
  c.Property(u"Color", &TPen::Color, &TPen::SetColor).Type(TypeInfoTColor()).Default(clBlack);
  c.Property(u"Mode", &TPen::Mode, &TPen::SetMode).Default(pmCopy);
  c.Property(u"Style", &TPen::Style, &TPen::SetStyle).Default(psSolid);
  c.Property(u"Width", &TPen::Width, &TPen::SetWidth).Default(1);
}

FW_REGISTER(TBrush) {
  c.Property(u"Color", &TBrush::Color, &TBrush::SetColor).Type(TypeInfoTColor()).Default(clWhite);
  c.Property(u"Style", &TBrush::Style, &TBrush::SetStyle).Default(bsSolid);
}

TColor ColorToRGB(TColor color) {
  if (color < 0) return static_cast<TColor>(GetSysColor(color & 0xFF));
  return color;
}

void TGraphicsObject::Changed() { OnChange(this); }

// ---- TFont ----------------------------------------------------------------

namespace {
constexpr int kDefaultFontPoints = 8;
constexpr const char16_t* kDefaultFontName = u"Tahoma";

BYTE QualityToGdi(TFontQuality q) {
  switch (q) {
    case fqDraft: return DRAFT_QUALITY;
    case fqProof: return PROOF_QUALITY;
    case fqNonAntialiased: return NONANTIALIASED_QUALITY;
    case fqAntialiased: return ANTIALIASED_QUALITY;
    case fqClearType: return CLEARTYPE_QUALITY;
    case fqClearTypeNatural: return CLEARTYPE_NATURAL_QUALITY;
    default: return DEFAULT_QUALITY;
  }
}

TFontQuality QualityFromGdi(BYTE q) {
  switch (q) {
    case DRAFT_QUALITY: return fqDraft;
    case PROOF_QUALITY: return fqProof;
    case NONANTIALIASED_QUALITY: return fqNonAntialiased;
    case ANTIALIASED_QUALITY: return fqAntialiased;
    case CLEARTYPE_QUALITY: return fqClearType;
    case CLEARTYPE_NATURAL_QUALITY: return fqClearTypeNatural;
    default: return fqDefault;
  }
}
}  // namespace

TFont::TFont() : name_(kDefaultFontName), height_(-MulDiv(kDefaultFontPoints, 96, 72)) {}

void TFont::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFont*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TFont& s = *src;
  name_ = s.name_;
  height_ = MulDiv(s.height_, pixelsPerInch_, s.pixelsPerInch_);
  style_ = s.style_;
  color_ = s.color_;
  charset_ = s.charset_;
  pitch_ = s.pitch_;
  quality_ = s.quality_;
  orientation_ = s.orientation_;
  Changed();
}

void TFont::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

void TFont::SetName(const String& v) {
  if (v.empty() || v == name_) return;
  name_ = v;
  Changed();
}

int TFont::Size() const { return -MulDiv(height_, 72, pixelsPerInch_); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, pixelsPerInch_, 72)); }

void TFont::SetHeight(int v) {
  if (v == height_) return;
  height_ = v;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  // The colour is not part of the GDI font: keep the handle.
  TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset v) {
  if (v == charset_) return;
  charset_ = v;
  Changed();
}

void TFont::SetPitch(TFontPitch v) {
  if (v == pitch_) return;
  pitch_ = v;
  Changed();
}

void TFont::SetQuality(TFontQuality v) {
  if (v == quality_) return;
  quality_ = v;
  Changed();
}

void TFont::SetOrientation(int v) {
  if (v == orientation_) return;
  orientation_ = v;
  Changed();
}

HFONT TFont::Handle() {
  if (!handle_) {
    LOGFONTW lf{};
    lf.lfHeight = height_;
    lf.lfEscapement = orientation_;
    lf.lfOrientation = orientation_;
    lf.lfWeight = style_.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = style_.Contains(fsItalic);
    lf.lfUnderline = style_.Contains(fsUnderline);
    lf.lfStrikeOut = style_.Contains(fsStrikeOut);
    lf.lfCharSet = charset_;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = QualityToGdi(quality_);
    lf.lfPitchAndFamily = pitch_ == fpFixed ? FIXED_PITCH : pitch_ == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    String face = name_ == u"Default" ? String(kDefaultFontName) : name_;
    size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, face.data(), n * sizeof(char16_t));
    handle_.Reset(CreateFontIndirectW(&lf));
    if (!handle_) throw EOutOfResources(u"Out of system resources");
  }
  return handle_.Get();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTW lf{};
  if (!font || GetObjectW(font, sizeof lf, &lf) == 0) throw EInvalidOperation(u"Invalid font handle");
  name_ = FromW(lf.lfFaceName);
  height_ = lf.lfHeight;
  style_ = TFontStyles();
  if (lf.lfWeight >= FW_BOLD) style_.Include(fsBold);
  if (lf.lfItalic) style_.Include(fsItalic);
  if (lf.lfUnderline) style_.Include(fsUnderline);
  if (lf.lfStrikeOut) style_.Include(fsStrikeOut);
  charset_ = lf.lfCharSet;
  pitch_ = (lf.lfPitchAndFamily & 3) == FIXED_PITCH      ? fpFixed
           : (lf.lfPitchAndFamily & 3) == VARIABLE_PITCH ? fpVariable
                                                         : fpDefault;
  quality_ = QualityFromGdi(lf.lfQuality);
  orientation_ = lf.lfEscapement;
  Changed();
  handle_.Reset(font);
}

// ---- TPen -----------------------------------------------------------------

void TPen::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPen*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TPen& s = *src;
  color_ = s.color_;
  width_ = s.width_;
  style_ = s.style_;
  mode_ = s.mode_;
  Changed();
}

void TPen::Changed() {
  handle_.Reset();
  TGraphicsObject::Changed();
}

void TPen::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 0 || v == width_) return;
  width_ = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TPen::SetMode(TPenMode v) {
  if (v == mode_) return;
  mode_ = v;
  // The mode is a DC setting (ROP2), not part of the pen object.
  TGraphicsObject::Changed();
}

HPEN TPen::Handle() {
  if (!handle_) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    handle_.Reset(CreatePen(kStyles[style_], width_, ColorToRGB(color_)));
    if (!handle_) throw EOutOfResources(u"Out of system resources");
  }
  return handle_.Get();
}

void TPen::SetHandle(HPEN pen) {
  LOGPEN lp{};
  if (!pen || GetObjectW(pen, sizeof lp, &lp) == 0) throw EInvalidOperation(u"Invalid pen handle");
  color_ = static_cast<TColor>(lp.lopnColor);
  width_ = lp.lopnWidth.x;
  switch (lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: style_ = psDash; break;
    case PS_DOT: style_ = psDot; break;
    case PS_DASHDOT: style_ = psDashDot; break;
    case PS_DASHDOTDOT: style_ = psDashDotDot; break;
    case PS_NULL: style_ = psClear; break;
    case PS_INSIDEFRAME: style_ = psInsideFrame; break;
    default: style_ = psSolid;
  }
  Changed();
  handle_.Reset(pen);
}

// ---- TBrush ---------------------------------------------------------------

TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle() {
  if (handle_ && ownsHandle_) DeleteObject(handle_);
  handle_ = nullptr;
  ownsHandle_ = false;
}

void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TBrush& s = *src;
  color_ = s.color_;
  style_ = s.style_;
  bitmap_ = s.bitmap_;
  Changed();
}

void TBrush::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

void TBrush::SetColor(TColor v) {
  if (v == color_ && style_ != bsClear) return;
  color_ = v;
  // A colour makes a clear brush solid again.
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == style_) return;
  style_ = v;
  Changed();
}

void TBrush::SetBitmap(TBitmap* v) {
  if (v == bitmap_) return;
  bitmap_ = v;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!handle_) {
    ownsHandle_ = true;
    if (bitmap_ && !bitmap_->Empty()) {
      handle_ = CreatePatternBrush(bitmap_->Handle());
    } else if (style_ == bsClear) {
      handle_ = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      ownsHandle_ = false;
    } else if (style_ == bsSolid) {
      handle_ = CreateSolidBrush(ColorToRGB(color_));
    } else {
      static constexpr int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      handle_ = CreateHatchBrush(kHatches[style_], ColorToRGB(color_));
    }
    if (!handle_) throw EOutOfResources(u"Out of system resources");
  }
  return handle_;
}

void TBrush::SetHandle(HBRUSH brush) {
  LOGBRUSH lb{};
  if (!brush || GetObjectW(brush, sizeof lb, &lb) == 0) throw EInvalidOperation(u"Invalid brush handle");
  color_ = static_cast<TColor>(lb.lbColor);
  bitmap_ = nullptr;
  switch (lb.lbStyle) {
    case BS_NULL: style_ = bsClear; break;
    case BS_HATCHED:
      switch (lb.lbHatch) {
        case HS_HORIZONTAL: style_ = bsHorizontal; break;
        case HS_VERTICAL: style_ = bsVertical; break;
        case HS_FDIAGONAL: style_ = bsFDiagonal; break;
        case HS_BDIAGONAL: style_ = bsBDiagonal; break;
        case HS_CROSS: style_ = bsCross; break;
        default: style_ = bsDiagCross;
      }
      break;
    default: style_ = bsSolid;
  }
  Changed();
  handle_ = brush;
  ownsHandle_ = true;
}

}  // namespace fw
