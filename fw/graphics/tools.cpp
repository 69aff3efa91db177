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

TFont::TFont() : FName(kDefaultFontName), FHeight(-MulDiv(kDefaultFontPoints, 96, 72)) {}

void TFont::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TFont*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TFont& s = *src;
  FName = s.FName;
  FHeight = MulDiv(s.FHeight, FPixelsPerInch, s.FPixelsPerInch);
  FStyle = s.FStyle;
  FColor = s.FColor;
  FCharset = s.FCharset;
  FPitch = s.FPitch;
  FQuality = s.FQuality;
  FOrientation = s.FOrientation;
  Changed();
}

void TFont::Changed() {
  FHandle.Reset();
  TGraphicsObject::Changed();
}

void TFont::SetName(const String& v) {
  if (v.empty() || v == FName) return;
  FName = v;
  Changed();
}

int TFont::Size() const { return -MulDiv(FHeight, 72, FPixelsPerInch); }

void TFont::SetSize(int points) { SetHeight(-MulDiv(points, FPixelsPerInch, 72)); }

void TFont::SetHeight(int v) {
  if (v == FHeight) return;
  FHeight = v;
  Changed();
}

void TFont::SetStyle(TFontStyles v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TFont::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  // The colour is not part of the GDI font: keep the handle.
  TGraphicsObject::Changed();
}

void TFont::SetCharset(TFontCharset v) {
  if (v == FCharset) return;
  FCharset = v;
  Changed();
}

void TFont::SetPitch(TFontPitch v) {
  if (v == FPitch) return;
  FPitch = v;
  Changed();
}

void TFont::SetQuality(TFontQuality v) {
  if (v == FQuality) return;
  FQuality = v;
  Changed();
}

void TFont::SetOrientation(int v) {
  if (v == FOrientation) return;
  FOrientation = v;
  Changed();
}

HFONT TFont::Handle() {
  if (!FHandle) {
    LOGFONTW lf{};
    lf.lfHeight = FHeight;
    lf.lfEscapement = FOrientation;
    lf.lfOrientation = FOrientation;
    lf.lfWeight = FStyle.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = FStyle.Contains(fsItalic);
    lf.lfUnderline = FStyle.Contains(fsUnderline);
    lf.lfStrikeOut = FStyle.Contains(fsStrikeOut);
    lf.lfCharSet = FCharset;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = QualityToGdi(FQuality);
    lf.lfPitchAndFamily = FPitch == fpFixed ? FIXED_PITCH : FPitch == fpVariable ? VARIABLE_PITCH : DEFAULT_PITCH;
    String face = FName == u"Default" ? String(kDefaultFontName) : FName;
    size_t n = std::min<size_t>(face.size(), LF_FACESIZE - 1);
    std::memcpy(lf.lfFaceName, face.data(), n * sizeof(char16_t));
    FHandle.Reset(CreateFontIndirectW(&lf));
    if (!FHandle) throw EOutOfResources(u"Out of system resources");
  }
  return FHandle.Get();
}

void TFont::SetHandle(HFONT font) {
  LOGFONTW lf{};
  if (!font || GetObjectW(font, sizeof lf, &lf) == 0) throw EInvalidOperation(u"Invalid font handle");
  FName = FromW(lf.lfFaceName);
  FHeight = lf.lfHeight;
  FStyle = TFontStyles();
  if (lf.lfWeight >= FW_BOLD) FStyle.Include(fsBold);
  if (lf.lfItalic) FStyle.Include(fsItalic);
  if (lf.lfUnderline) FStyle.Include(fsUnderline);
  if (lf.lfStrikeOut) FStyle.Include(fsStrikeOut);
  FCharset = lf.lfCharSet;
  FPitch = (lf.lfPitchAndFamily & 3) == FIXED_PITCH      ? fpFixed
           : (lf.lfPitchAndFamily & 3) == VARIABLE_PITCH ? fpVariable
                                                         : fpDefault;
  FQuality = QualityFromGdi(lf.lfQuality);
  FOrientation = lf.lfEscapement;
  Changed();
  FHandle.Reset(font);
}

// ---- TPen -----------------------------------------------------------------

void TPen::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TPen*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TPen& s = *src;
  FColor = s.FColor;
  FWidth = s.FWidth;
  FStyle = s.FStyle;
  FMode = s.FMode;
  Changed();
}

void TPen::Changed() {
  FHandle.Reset();
  TGraphicsObject::Changed();
}

void TPen::SetColor(TColor v) {
  if (v == FColor) return;
  FColor = v;
  Changed();
}

void TPen::SetWidth(int v) {
  if (v < 0 || v == FWidth) return;
  FWidth = v;
  Changed();
}

void TPen::SetStyle(TPenStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TPen::SetMode(TPenMode v) {
  if (v == FMode) return;
  FMode = v;
  // The mode is a DC setting (ROP2), not part of the pen object.
  TGraphicsObject::Changed();
}

HPEN TPen::Handle() {
  if (!FHandle) {
    static constexpr int kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
    FHandle.Reset(CreatePen(kStyles[FStyle], FWidth, ColorToRGB(FColor)));
    if (!FHandle) throw EOutOfResources(u"Out of system resources");
  }
  return FHandle.Get();
}

void TPen::SetHandle(HPEN pen) {
  LOGPEN lp{};
  if (!pen || GetObjectW(pen, sizeof lp, &lp) == 0) throw EInvalidOperation(u"Invalid pen handle");
  FColor = static_cast<TColor>(lp.lopnColor);
  FWidth = lp.lopnWidth.x;
  switch (lp.lopnStyle & PS_STYLE_MASK) {
    case PS_DASH: FStyle = psDash; break;
    case PS_DOT: FStyle = psDot; break;
    case PS_DASHDOT: FStyle = psDashDot; break;
    case PS_DASHDOTDOT: FStyle = psDashDotDot; break;
    case PS_NULL: FStyle = psClear; break;
    case PS_INSIDEFRAME: FStyle = psInsideFrame; break;
    default: FStyle = psSolid;
  }
  Changed();
  FHandle.Reset(pen);
}

// ---- TBrush ---------------------------------------------------------------

TBrush::~TBrush() { FreeHandle(); }

void TBrush::FreeHandle() {
  if (FHandle && FOwnsHandle) DeleteObject(FHandle);
  FHandle = nullptr;
  FOwnsHandle = false;
}

void TBrush::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TBrush*>(Source);
  if (!src) return TGraphicsObject::Assign(Source);
  if (src == this) return;
  const TBrush& s = *src;
  FColor = s.FColor;
  FStyle = s.FStyle;
  FBitmap = s.FBitmap;
  Changed();
}

void TBrush::Changed() {
  FreeHandle();
  TGraphicsObject::Changed();
}

void TBrush::SetColor(TColor v) {
  if (v == FColor && FStyle != bsClear) return;
  FColor = v;
  // A colour makes a clear brush solid again.
  if (FStyle == bsClear) FStyle = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  Changed();
}

void TBrush::SetBitmap(TBitmap* v) {
  if (v == FBitmap) return;
  FBitmap = v;
  Changed();
}

HBRUSH TBrush::Handle() {
  if (!FHandle) {
    FOwnsHandle = true;
    if (FBitmap && !FBitmap->Empty()) {
      FHandle = CreatePatternBrush(FBitmap->Handle());
    } else if (FStyle == bsClear) {
      FHandle = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
      FOwnsHandle = false;
    } else if (FStyle == bsSolid) {
      FHandle = CreateSolidBrush(ColorToRGB(FColor));
    } else {
      static constexpr int kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
      FHandle = CreateHatchBrush(kHatches[FStyle], ColorToRGB(FColor));
    }
    if (!FHandle) throw EOutOfResources(u"Out of system resources");
  }
  return FHandle;
}

void TBrush::SetHandle(HBRUSH brush) {
  LOGBRUSH lb{};
  if (!brush || GetObjectW(brush, sizeof lb, &lb) == 0) throw EInvalidOperation(u"Invalid brush handle");
  FColor = static_cast<TColor>(lb.lbColor);
  FBitmap = nullptr;
  switch (lb.lbStyle) {
    case BS_NULL: FStyle = bsClear; break;
    case BS_HATCHED:
      switch (lb.lbHatch) {
        case HS_HORIZONTAL: FStyle = bsHorizontal; break;
        case HS_VERTICAL: FStyle = bsVertical; break;
        case HS_FDIAGONAL: FStyle = bsFDiagonal; break;
        case HS_BDIAGONAL: FStyle = bsBDiagonal; break;
        case HS_CROSS: FStyle = bsCross; break;
        default: FStyle = bsDiagCross;
      }
      break;
    default: FStyle = bsSolid;
  }
  Changed();
  FHandle = brush;
  FOwnsHandle = true;
}

}  // namespace fw
