#include "app/core/font_database.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"
#include "temp_dir.h"

using namespace app;

namespace {

using Bytes = std::vector<uint8_t>;

Bytes RecordBytes(const TCompRec& r) {
  Bytes b(sizeof r);
  std::memcpy(b.data(), &r, sizeof r);
  return b;
}

std::string Field(const Bytes& b, size_t offset) {
  return std::string(reinterpret_cast<const char*>(b.data()) + offset + 1, b[offset]);
}

void SetValues(TFontDatabase& db, const fw::String& name, const fw::String& family, const fw::String& style,
               const fw::String& file, const fw::String& type, const fw::String& weight) {
  db.RecName = name;
  db.RecFamily = family;
  db.RecStyle = style;
  db.RecFileName = file;
  db.RecFontType = type;
  db.RecWeight = weight;
}

TCompRec Record(const std::string& family, const std::string& style, const std::string& type,
                const std::string& weight) {
  TCompRec r{};
  r.Name.Set("Face");
  r.Family.Set(family);
  r.Style.Set(style);
  r.FileName.Set("C:\\Fonts\\face.ttf");
  r.FontType.Set(type);
  r.Weight.Set(weight);
  return r;
}

void Uncheck(TFontFilter& f, int tag) {
  for (TFilterBox& b : f.Boxes) {
    if (b.Tag == tag) b.Checked = false;
  }
}

}  // namespace

TEST(CompRec, FieldsAreLengthPrefixedAtFixedOffsetsAndCutToTheirCapacity) {
  TFontDatabase db;
  SetValues(db, fw::String(45, u'N'), u"Decorative", u"Bold Italic", fw::String(250, u'p'), u"123", u"123456");
  db.SetCompRecVals();
  const Bytes b = RecordBytes(db.CompRec);
  ASSERT_EQ(b.size(), 293u);
  EXPECT_EQ(b[0], 40);
  EXPECT_EQ(Field(b, 0), std::string(40, 'N'));
  EXPECT_EQ(Field(b, 41), "Decorative");
  EXPECT_EQ(Field(b, 62), "Bold Italic");
  EXPECT_EQ(b[83], 200);
  EXPECT_EQ(Field(b, 83), std::string(200, 'p'));
  EXPECT_EQ(Field(b, 284), "12");
  EXPECT_EQ(Field(b, 287), "12345");

  // Single-byte text in the Windows code page; unmapped characters become "?".
  SetValues(db, u"Caf\u00e9 \u20ac \u4e00", u"", u"", u"", u"", u"");
  db.SetCompRecVals();
  EXPECT_EQ(db.CompRec.Name.Get(), "Caf\xE9 \x80 ?");
  EXPECT_EQ(db.CompRec.Family.Length, 0);
}

TEST(CompRec, ALengthByteBeyondTheCapacityReadsAsTheCapacity) {
  TCompRec r{};
  std::memset(&r, 'z', sizeof r);
  r.FontType.Length = 200;
  r.Name.Length = 255;
  EXPECT_EQ(r.FontType.Get(), "zz");
  EXPECT_EQ(r.Name.Get(), std::string(40, 'z'));
}

TEST(FontDatabase, WritesAppendRecordsThatReadBackAfterReopening) {
  TTempDir dir;
  const fw::String file = dir.Path("CBase.DAT");
  {
    TFontDatabase db;
    db.OpenCompDatabase(file);  // created empty
    EXPECT_EQ(db.CompFile.FileSize(), 0);
    SetValues(db, u"Arial", u"Swiss", u"Regular", u"C:\\Windows\\Fonts\\arial.ttf", u"3", u"400");
    db.WriteNewCompRec();
    SetValues(db, u"Symbol", u"Decorative", u"Bold", u"C:\\Fonts\\sym.pfm", u"1", u"700");
    db.WriteNewCompRec();
    db.RecName = u"Wingdings";  // the other values stay from the record before
    db.WriteNewCompRec();
    EXPECT_EQ(db.CompFile.FileSize(), 3);
    db.CompFile.CloseFile();
  }
  EXPECT_EQ(fw::ReadFileBytes(file).size(), 3u * 293u);

  TFontDatabase db;
  db.OpenCompDatabase(file);  // reset: the records stay
  ASSERT_EQ(db.CompFile.FileSize(), 3);
  db.CompFile.Seek(1);
  db.CompFile.Read(db.CompRec);
  EXPECT_EQ(db.CompRec.Name.Get(), "Symbol");
  EXPECT_EQ(db.CompRec.Family.Get(), "Decorative");
  EXPECT_EQ(db.CompRec.Style.Get(), "Bold");
  EXPECT_EQ(db.CompRec.FileName.Get(), "C:\\Fonts\\sym.pfm");
  EXPECT_EQ(db.CompRec.FontType.Get(), "1");
  EXPECT_EQ(db.CompRec.Weight.Get(), "700");
  db.CompFile.Read(db.CompRec);
  EXPECT_EQ(db.CompRec.Name.Get(), "Wingdings");
  EXPECT_EQ(db.CompRec.Weight.Get(), "700");
  EXPECT_TRUE(db.CompFile.Eof());

  // Emptying keeps the database open and usable.
  db.deletecompareDatabase();
  EXPECT_TRUE(db.CompFile.IsOpen());
  EXPECT_EQ(db.CompFile.FileSize(), 0);
  db.WriteNewCompRec();
  EXPECT_EQ(db.CompFile.FileSize(), 1);
}

TEST(FontDatabase, AShorterTextLeavesStaleBytesThatReadingIgnores) {
  TTempDir dir;
  const fw::String file = dir.Path("CBase.DAT");
  TFontDatabase db;
  db.OpenCompDatabase(file);
  SetValues(db, u"Long Face Name", u"Roman", u"Regular", u"C:\\a.ttf", u"3", u"400");
  db.WriteNewCompRec();
  db.RecName = u"Short";
  db.WriteNewCompRec();
  db.CompFile.CloseFile();

  const Bytes b = fw::ReadFileBytes(file);
  ASSERT_EQ(b.size(), 586u);
  EXPECT_EQ(b[293], 5);
  EXPECT_EQ(std::string(b.begin() + 294, b.begin() + 294 + 14), "ShortFace Name");

  db.OpenCompDatabase(file);
  db.CompFile.Seek(1);
  db.CompFile.Read(db.CompRec);
  EXPECT_EQ(db.CompRec.Name.Get(), "Short");
}

TEST(FontDatabase, TheFileCountsWholeRecordsAndRefusesReadsAndSeeksPastThem) {
  TTempDir dir;
  const fw::String file = dir.Path("CBase.DAT");
  Bytes bytes(293 * 2 + 100, 0);
  bytes[293] = 3;
  bytes[294] = 'A';
  bytes[295] = 'b';
  bytes[296] = 'c';
  fw::WriteFileBytes(file, bytes);

  TFontDatabase db;
  db.OpenCompDatabase(file);
  EXPECT_EQ(db.CompFile.FileSize(), 2);
  db.CompFile.Seek(2);
  db.CompRec.Name.Set("keep");
  EXPECT_THROW(db.CompFile.Read(db.CompRec), fw::EReadError);
  EXPECT_EQ(db.CompRec.Name.Get(), "keep");
  EXPECT_THROW(db.CompFile.Seek(3), fw::EStreamError);
  EXPECT_THROW(db.CompFile.Seek(-1), fw::EStreamError);

  db.CompFile.Seek(1);
  db.CompFile.Read(db.CompRec);
  EXPECT_EQ(db.CompRec.Name.Get(), "Abc");
  db.CompFile.Truncate();  // at record 2: the partial record goes
  EXPECT_EQ(fw::ReadFileBytes(file).size(), 293u * 2);
  db.CompFile.Seek(1);
  db.CompFile.Truncate();
  EXPECT_EQ(db.CompFile.FileSize(), 1);

  db.CompFile.CloseFile();
  EXPECT_THROW(db.CompFile.FileSize(), fw::EStreamError);
  EXPECT_THROW(db.CompFile.Read(db.CompRec), fw::EStreamError);
  EXPECT_THROW(db.WriteNewCompRec(), fw::EStreamError);

  TCompFile missing;
  missing.AssignFile(dir.Path("none.DAT"));
  EXPECT_THROW(missing.Reset(), fw::EFOpenError);
}

TEST(FontDatabase, FieldValuesDerivedFromFaceMetrics) {
  const struct {
    uint32_t FontType, Flags;
    int Code;
  } types[] = {
      {kTrueTypeFontType, 0, 3},
      {kTrueTypeFontType, kNtmTtOpenType, 5},
      {kTrueTypeFontType, kNtmPsOpenType | kNtmTtOpenType, 4},
      {kDeviceFontType, 0, 1},
      {kRasterFontType, kNtmBold, 2},
      {kDeviceFontType | kTrueTypeFontType, 0, 0},
      {0, 0, 0},
  };
  for (const auto& t : types) {
    EXPECT_EQ(FontTypeCodeFromFlags(t.FontType, t.Flags), t.Code) << t.FontType << " " << t.Flags;
  }

  const struct {
    int Weight;
    const char16_t* Text;
  } weights[] = {{0, u"0"}, {100, u"100"}, {400, u"400"}, {900, u"900"}, {350, u"50"},
                 {1000, u"50"}, {-100, u"50"}, {50, u"50"}};
  for (const auto& w : weights) EXPECT_EQ(WeightTextFromWeight(w.Weight), w.Text) << w.Weight;

  EXPECT_EQ(StyleFromFlags(kNtmItalic | kNtmBold, 0), u"Bold Italic");
  EXPECT_EQ(StyleFromFlags(kNtmItalic, 0), u"Italic");
  EXPECT_EQ(StyleFromFlags(kNtmBold, 1), u"Italic");  // the logical font's italic byte wins over bold
  EXPECT_EQ(StyleFromFlags(kNtmBold, 0), u"Bold");
  EXPECT_EQ(StyleFromFlags(0x40, 0), u"Regular");

  const struct {
    int PitchAndFamily;
    const char16_t* Previous;
    const char16_t* Family;
  } families[] = {
      {0, u"Roman", u"Dontcare"}, {15, u"", u"Dontcare"},       {16, u"", u"Roman"},
      {34, u"", u"Swiss"},        {49, u"", u"Modern"},         {66, u"", u"Script"},
      {95, u"", u"Decorative"},   {96, u"Roman", u"Roman"},     {255, u"", u"Dontcare"},
  };
  for (const auto& f : families) {
    EXPECT_EQ(FamilyFromPitchAndFamily(static_cast<uint8_t>(f.PitchAndFamily), f.Previous), f.Family)
        << f.PitchAndFamily;
  }
}

TEST(FontDatabase, FilterPassesRecordsMatchingCheckedBoxesWithinTheWeightBounds) {
  const TFontFilter all;
  TFontFilter noDontcare;
  Uncheck(noDontcare, 15);
  TFontFilter noBold;
  Uncheck(noBold, 20);
  TFontFilter noCollections;
  Uncheck(noCollections, 7);
  TFontFilter from100;
  from100.LowWeight = 100;
  TFontFilter narrow;
  narrow.LowWeight = 400;
  narrow.HighWeight = 700;

  const struct {
    const char* What;
    TCompRec Rec;
    const TFontFilter* Filter;
    bool Passes;
  } cases[] = {
      {"plain TrueType", Record("Swiss", "Regular", "3", "400"), &all, true},
      {"every type code with a box", Record("Roman", "Italic", "7", "900"), &all, true},
      {"type 0: face not enumerable", Record("Swiss", "Regular", "0", "400"), &all, false},
      {"empty type counts as 0", Record("Swiss", "Regular", "", "400"), &all, false},
      {"type 6 has no box", Record("Swiss", "Regular", "6", "400"), &all, false},
      {"weight 0 is below every lower bound", Record("Swiss", "Regular", "3", "0"), &all, false},
      {"unusual weight at the lowest bound", Record("Swiss", "Regular", "3", "50"), &all, true},
      {"unusual weight above a raised bound", Record("Swiss", "Regular", "3", "50"), &from100, false},
      {"family without a box", Record("Fancy", "Regular", "3", "400"), &all, false},
      {"family compared exactly", Record("swiss", "Regular", "3", "400"), &all, false},
      {"style without a box", Record("Swiss", "Oblique", "3", "400"), &all, false},
      {"unchecked family", Record("Dontcare", "Regular", "3", "400"), &noDontcare, false},
      {"other family with one unchecked", Record("Script", "Regular", "3", "400"), &noDontcare, true},
      {"unchecked style", Record("Swiss", "Bold", "3", "700"), &noBold, false},
      {"unchecked type", Record("Swiss", "Bold", "7", "700"), &noCollections, false},
      {"lower bound inclusive", Record("Swiss", "Bold", "3", "400"), &narrow, true},
      {"upper bound inclusive", Record("Swiss", "Bold", "3", "700"), &narrow, true},
      {"above the upper bound", Record("Swiss", "Bold", "3", "800"), &narrow, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareFontFromDatabase(c.Rec, *c.Filter), c.Passes) << c.What;
  }

  for (const char* bad : {"abc", "", "4x", "-", "4 "}) {
    EXPECT_THROW(CompareFontFromDatabase(Record("Swiss", "Regular", "3", bad), all), fw::EConvertError) << bad;
  }
}
