// The font database "CBase.DAT": a headerless file of 293-byte records, one
// per font file, with the properties of its first face; how the record's
// fields are derived from a face's metrics; the filter that narrows a search
// to some of the records.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "app/core/typed_file.h"
#include "fw/core/types.h"

namespace app {

// A length byte followed by room for N single-byte characters. Bytes after
// the text are not significant: they may hold leftovers of an earlier text.
template <size_t N>
struct TShortString {
  static_assert(N > 0 && N < 256);
  uint8_t Length;
  char Chars[N];

  // A length byte beyond the capacity (a damaged file) reads as the capacity.
  std::string Get() const { return std::string(Chars, std::min<size_t>(Length, N)); }
  // Keeps at most N characters.
  void Set(std::string_view s) {
    const size_t n = std::min(s.size(), N);
    Length = static_cast<uint8_t>(n);
    std::memcpy(Chars, s.data(), n);
  }
};

struct TCompRec {
  TShortString<40> Name;        // face name
  TShortString<20> Family;      // family class
  TShortString<20> Style;       // "Bold Italic", "Italic", "Bold" or "Regular"
  TShortString<200> FileName;   // full path of the font file
  TShortString<2> FontType;     // font type code
  TShortString<5> Weight;       // "0" ... "900", or "50"
};
static_assert(sizeof(TCompRec) == 293 && std::is_trivially_copyable_v<TCompRec>);
static_assert(offsetof(TCompRec, Family) == 41 && offsetof(TCompRec, Style) == 62 &&
              offsetof(TCompRec, FileName) == 83 && offsetof(TCompRec, FontType) == 284 &&
              offsetof(TCompRec, Weight) == 287);

using TCompFile = TFileOf<TCompRec>;

constexpr char16_t kCompDatabaseName[] = u"CBase.DAT";

// The open database, its one record buffer and the field values of the
// record being built (they keep their contents from one record to the next).
// The main window owns one; its dialogs share it.
struct TFontDatabase {
  TCompFile CompFile;
  TCompRec CompRec{};
  fw::String RecName;
  fw::String RecFamily;
  fw::String RecStyle;
  fw::String RecFileName;
  fw::String RecFontType;
  fw::String RecWeight;

  // Binds CompFile to the file and opens it: reset when it exists, else
  // created empty. Raises the stream error when neither works.
  void OpenCompDatabase(const fw::String& fileName);
  // Copies the six field values into CompRec as single-byte text, each cut
  // to its field's capacity.
  void SetCompRecVals();
  // SetCompRecVals, then appends CompRec at the end of CompFile.
  void WriteNewCompRec();
  // Empties the database: the file is deleted and opened again, created empty.
  void deletecompareDatabase();
};

// Font type codes as stored in FontType.
enum : int {
  kFontTypeUnknown = 0,
  kFontTypeDevice = 1,         // PostScript Type 1
  kFontTypeRaster = 2,
  kFontTypeTrueType = 3,
  kFontTypePsOpenType = 4,
  kFontTypeTtOpenType = 5,
  kFontTypeCollection = 7,     // every ".TTC" file
};

// Flags of an enumerated face (the values of the system's NTM_* and
// *_FONTTYPE constants, under names that don't collide with its macros).
constexpr uint32_t kNtmItalic = 0x1;
constexpr uint32_t kNtmBold = 0x20;
constexpr uint32_t kNtmPsOpenType = 0x20000;
constexpr uint32_t kNtmTtOpenType = 0x40000;
constexpr uint32_t kRasterFontType = 0x1;
constexpr uint32_t kDeviceFontType = 0x2;
constexpr uint32_t kTrueTypeFontType = 0x4;

// Field derivation from the first enumerated style of a face.
// The code of a style: the OpenType metric flags first, then the type flags
// tested for equality (a style flagged both device and TrueType gets 0).
int FontTypeCodeFromFlags(uint32_t fontType, uint32_t ntmFlags);
// 0, 100, ..., 900 as text; any other weight "50".
fw::String WeightTextFromWeight(int weight);
fw::String StyleFromFlags(uint32_t ntmFlags, uint8_t logFontItalic);
// The family class of a pitch-and-family byte; from 96 up the previous
// value stays, "Dontcare" when there is none.
fw::String FamilyFromPitchAndFamily(uint8_t pitchAndFamily, const fw::String& previous);

// The filter as the filter dialog's check boxes and weight sliders hold it.
struct TFilterBox {
  int Tag;  // 1..7 font type, 10..15 family, 20..23 style
  fw::String Caption;
  bool Checked;
};

std::vector<TFilterBox> DefaultFilterBoxes();  // every box, checked

struct TFontFilter {
  std::vector<TFilterBox> Boxes = DefaultFilterBoxes();
  int LowWeight = 50;     // 50 to 950
  int HighWeight = 1000;  // 50 to 1000
};

// True when the record's type, family class and style each match a checked
// box and its weight lies within the bounds (inclusive). A record whose
// type, family or style matches no box fails. A weight that is not a number
// raises EConvertError.
bool CompareFontFromDatabase(const TCompRec& rec, const TFontFilter& filter);

}  // namespace app
