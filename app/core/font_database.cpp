#include "app/core/font_database.h"

#include <cstdio>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"

namespace app {

namespace {

bool DeleteFileNamed(const fw::String& name) {
#ifdef _WIN32
  return _wremove(reinterpret_cast<const wchar_t*>(name.c_str())) == 0;
#else
  return std::remove(fw::StringToUtf8(name).c_str()) == 0;
#endif
}

// Decimal integer text as the framework's StrToInt reads it: leading blanks,
// an optional sign, digits, nothing after them.
int StrToInt(const fw::String& s) {
  size_t i = 0;
  while (i < s.size() && s[i] == u' ') ++i;
  bool negative = false;
  if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
  const size_t first = i;
  int64_t value = 0;
  while (i < s.size() && s[i] >= u'0' && s[i] <= u'9' && value <= 0x80000000LL) value = value * 10 + (s[i++] - u'0');
  if (negative) value = -value;
  if (i == first || i != s.size() || value > 0x7FFFFFFFLL || value < -0x80000000LL) {
    throw fw::EConvertError(u"'" + s + u"' is not a valid integer value");
  }
  return static_cast<int>(value);
}

fw::String IntToStr(int v) {
  return fw::Utf8ToString(std::to_string(v));
}

}  // namespace

void TFontDatabase::OpenCompDatabase(const fw::String& fileName) {
  CompFile.AssignFile(fileName);
  if (fw::FileExists(fileName)) {
    CompFile.Reset();
  } else {
    CompFile.Rewrite();
  }
}

void TFontDatabase::SetCompRecVals() {
  CompRec.Name.Set(fw::StringToAnsi(RecName));
  CompRec.Family.Set(fw::StringToAnsi(RecFamily));
  CompRec.Style.Set(fw::StringToAnsi(RecStyle));
  CompRec.FileName.Set(fw::StringToAnsi(RecFileName));
  CompRec.FontType.Set(fw::StringToAnsi(RecFontType));
  CompRec.Weight.Set(fw::StringToAnsi(RecWeight));
}

void TFontDatabase::WriteNewCompRec() {
  SetCompRecVals();
  CompFile.Seek(CompFile.FileSize());
  CompFile.Write(CompRec);
}

void TFontDatabase::deletecompareDatabase() {
  const fw::String name = CompFile.FileName();
  if (fw::FileExists(name)) {
    CompFile.CloseFile();
    if (!DeleteFileNamed(name)) {
      // Another program may hold the file: emptying it in place gives the
      // same empty database.
      CompFile.Rewrite();
      return;
    }
  }
  OpenCompDatabase(name);
}

int FontTypeCodeFromFlags(uint32_t fontType, uint32_t ntmFlags) {
  if (ntmFlags & kNtmPsOpenType) return kFontTypePsOpenType;
  if (ntmFlags & kNtmTtOpenType) return kFontTypeTtOpenType;
  if (fontType == kRasterFontType) return kFontTypeRaster;
  if (fontType == kDeviceFontType) return kFontTypeDevice;
  if (fontType == kTrueTypeFontType) return kFontTypeTrueType;
  return kFontTypeUnknown;
}

fw::String WeightTextFromWeight(int weight) {
  if (weight >= 0 && weight <= 900 && weight % 100 == 0) return IntToStr(weight);
  return u"50";
}

fw::String StyleFromFlags(uint32_t ntmFlags, uint8_t logFontItalic) {
  const bool italic = (ntmFlags & kNtmItalic) != 0;
  const bool bold = (ntmFlags & kNtmBold) != 0;
  if (italic && bold) return u"Bold Italic";
  if (italic || logFontItalic != 0) return u"Italic";
  if (bold) return u"Bold";
  return u"Regular";
}

fw::String FamilyFromPitchAndFamily(uint8_t pitchAndFamily, const fw::String& previous) {
  static const char16_t* const kClasses[] = {u"Dontcare", u"Roman", u"Swiss", u"Modern", u"Script", u"Decorative"};
  if (pitchAndFamily < 96) return kClasses[pitchAndFamily / 16];
  return previous.empty() ? fw::String(u"Dontcare") : previous;
}

std::vector<TFilterBox> DefaultFilterBoxes() {
  return {
      {10, u"Swiss", true},
      {11, u"Roman", true},
      {12, u"Script", true},
      {13, u"Modern", true},
      {14, u"Decorative", true},
      {15, u"Dontcare", true},
      {20, u"Bold", true},
      {21, u"Bold Italic", true},
      {22, u"Italic", true},
      {23, u"Regular", true},
      {1, u"PostScript Type1 (*.pfb)", true},
      {2, u"Raster - Vector (*.fon)", true},
      {3, u"TrueType (*.ttf)", true},
      {4, u"PostScript OpenType (*.otf)", true},
      {5, u"OpenType (*.ttf)", true},
      {7, u"TrueType Collections (*.ttc)", true},
  };
}

bool CompareFontFromDatabase(const TCompRec& rec, const TFontFilter& filter) {
  const std::string typeText = rec.FontType.Get();
  const fw::String type = typeText.empty() ? fw::String(u"0") : fw::AnsiToString(typeText);
  const fw::String family = fw::AnsiToString(rec.Family.Get());
  const fw::String style = fw::AnsiToString(rec.Style.Get());
  const fw::String weightText = fw::AnsiToString(rec.Weight.Get());

  bool typeOk = false, familyOk = false, styleOk = false;
  for (const TFilterBox& box : filter.Boxes) {
    if (box.Tag >= 1 && box.Tag <= 7) {
      if (IntToStr(box.Tag) == type) typeOk = box.Checked;
    } else if (box.Tag >= 10 && box.Tag <= 15) {
      if (box.Caption == family) familyOk = box.Checked;
    } else if (box.Tag >= 20 && box.Tag <= 23) {
      if (box.Caption == style) styleOk = box.Checked;
    }
  }
  const int weight = StrToInt(weightText);
  const bool weightOk = weight >= filter.LowWeight && weight <= filter.HighWeight;
  return typeOk && familyOk && styleOk && weightOk;
}

}  // namespace app
