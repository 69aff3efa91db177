#include "app/core/ttf_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "font_file_writer.h"
#include "fw/core/streams.h"
#include "temp_dir.h"

using namespace app;
using namespace app::test_fonts;

namespace {

// Fails the test when the reader asks for a byte outside the file.
class TStrictStream : public fw::TMemoryStream {
 public:
  using fw::TMemoryStream::TMemoryStream;
  int64_t Read(void* buffer, int64_t count) override {
    const int64_t pos = Position();
    if (pos + count > Size()) ADD_FAILURE() << "read of " << count << " bytes at " << pos << " past " << Size();
    return fw::TMemoryStream::Read(buffer, count);
  }
};

struct TableResult {
  int ErrNo;
  tTTFList List;
};

TableResult ReadTable(const Bytes& bytes) {
  TStrictStream s(bytes);
  TableResult r;
  r.List.Track = 2;
  r.ErrNo = ThhTTFinfo::ReadNamingTable(s, r.List);
  return r;
}

void WriteFile(const fw::String& name, const Bytes& bytes) { fw::WriteFileBytes(name, bytes); }

}  // namespace

TEST(TTFinfo, ReadsEnglishWindowsNamesOfFontsOpenTypeAndTheFirstFontOfACollection) {
  TTempDir dir;
  std::vector<NameRecord> other = {{3, 1, 0x409, 1, Utf16Be(u"Second Font")}};
  const struct {
    const char* File;
    Bytes Bytes;
  } cases[] = {
      {"plain.ttf", Font(kTrueType, StandardTables())},
      {"cff.otf", Font(kOpenTypeCff, StandardTables())},
      {"two.ttc", Collection({StandardTables(), StandardTables(other)})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.File);
    const fw::String path = dir.Path(c.File);
    WriteFile(path, c.Bytes);
    ThhTTFinfo info;
    tTTFList list;
    int err = 99;
    info.GetTTFinfo(path, &list, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(list.Copyright, "(c) Somebody");
    EXPECT_EQ(list.Family, "Test Family");
    EXPECT_EQ(list.SubFamily, "Bold");
    EXPECT_EQ(list.FontName, "Test Family Bold");
    EXPECT_EQ(list.PSname, "TestFamily-Bold");
    EXPECT_EQ(list.Version, "");
    EXPECT_EQ(list.Track, 307);  // platform 3, record 7 the last accepted
    EXPECT_EQ(list.PlatformID, 3);
    EXPECT_EQ(list.EncodingID, 1);
    EXPECT_EQ(list.LanguageID, 0x409);
    EXPECT_EQ(list.FontNameSize, 16);
    EXPECT_EQ(list.FontFamilysize, 11);
    EXPECT_EQ(list.FilePath, path);
    EXPECT_EQ(list.FileCalled, fw::Utf8ToString(c.File));
    EXPECT_EQ(list.FileSize, static_cast<int32_t>(c.Bytes.size()));
  }
}

TEST(TTFinfo, AcceptsOnlyWindowsUnicodeOrSymbolRecordsInEnglishOr0x0C0C) {
  const struct {
    uint16_t Platform, Encoding, Language;
    bool Accepted;
  } cases[] = {
      {3, 1, 0x0409, true},  {3, 0, 0x0809, true},  {3, 1, 0x0C09, true},  {3, 1, 0x0C0C, true},
      {3, 1, 0x0407, false}, {3, 1, 0x040C, false}, {3, 10, 0x0409, false}, {1, 0, 0, false},
      {0, 3, 0, false},      {3, 1, 0x0009, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Platform << "/" << c.Encoding << "/" << std::hex << c.Language);
    TableResult r = ReadTable(Font(kTrueType, StandardTables({{c.Platform, c.Encoding, c.Language, 1, Utf16Be(u"Fam")}})));
    EXPECT_EQ(r.ErrNo, 0);
    EXPECT_EQ(r.List.Family, c.Accepted ? "Fam" : "");
    EXPECT_EQ(r.List.Track, c.Accepted ? 301 : 3);
  }
}

TEST(TTFinfo, MacintoshOnlyNamesGiveEmptyTextsAndTrack3) {
  TableResult r = ReadTable(Font(kTrueType, StandardTables({{1, 0, 0, 1, Latin("Mac")}, {1, 0, 0, 4, Latin("Mac Full")}})));
  EXPECT_EQ(r.ErrNo, 0);
  EXPECT_EQ(r.List.Track, 3);
  EXPECT_EQ(r.List.Family, "");
  EXPECT_EQ(r.List.FontName, "");
}

TEST(TTFinfo, FirstAcceptedRecordKeepsItsTextAndTheLastGivesTheSizes) {
  TableResult r = ReadTable(Font(kTrueType, StandardTables({
                                               {3, 1, 0x409, 1, Utf16Be(u"First")},
                                               {3, 1, 0x809, 1, Utf16Be(u"Second Name")},
                                               {3, 1, 0x409, 4, Utf16Be(u"Full One")},
                                               {3, 0, 0xC09, 4, Utf16Be(u"Full Two!")},
                                           })));
  EXPECT_EQ(r.List.Family, "First");
  EXPECT_EQ(r.List.FontFamilysize, 11);
  EXPECT_EQ(r.List.FontName, "Full One");
  EXPECT_EQ(r.List.FontNameSize, 9);
  EXPECT_EQ(r.List.EncodingID, 0);
  EXPECT_EQ(r.List.LanguageID, 0xC09);
  EXPECT_EQ(r.List.Track, 304);
}

TEST(TTFinfo, ReadsAtMost1020BytesOfALongName) {
  const std::u16string longName(1100, u'W');
  TableResult r = ReadTable(Font(kTrueType, StandardTables({{3, 1, 0x409, 1, Utf16Be(longName)}})));
  EXPECT_EQ(r.ErrNo, 0);
  EXPECT_EQ(r.List.Family, std::string(510, 'W'));
  EXPECT_EQ(r.List.FontFamilysize, 510);
}

TEST(TTFinfo, NameBytesKeepPrintableEvenBytesAndEveryOddByte) {
  const struct {
    const char* What;
    Bytes In;
    std::string Out;
  } cases[] = {
      {"utf-16be ascii", Utf16Be(u"Ab c"), "Ab c"},
      {"latin-1 letter", {0x00, 0xE9}, "\xE9"},
      {"control byte dropped", {0x01, 0x41, 0x7F, 0x42}, "AB"},
      {"euro sign", Utf16Be(u"\u20AC"), " \xAC"},
      {"odd length", {0x00, 0x41, 0x42}, "AB"},
      {"1023 bytes", Bytes(1023, 'x'), std::string(1020, 'x')},
      {"1024 bytes", Bytes(1024, 'x'), std::string(1017, 'x') + "..."},
      {"2000 bytes", Bytes(2000, 'x'), std::string(1017, 'x') + "..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    EXPECT_EQ(NameBytesToText(c.In.data(), c.In.size()), c.Out);
  }
}

TEST(TTFinfo, DamagedFilesEndInTheReadErrorWithoutReadingOutsideTheFile) {
  const Bytes good = Font(kTrueType, StandardTables());
  const size_t nameEntry = 12 + 16;
  const uint32_t nameTable = Get32(good, nameEntry + 8);
  auto edited = [&](const std::function<void(Bytes&)>& edit) {
    Bytes b = good;
    edit(b);
    return b;
  };
  // A "name" entry inside table data, where a scan past the directory would
  // find it and read names from wherever it points.
  Bytes decoy;
  {
    Bytes data = Latin("name");
    Put32(data, 0);
    Put32(data, 28 + 16);
    Put32(data, 0);
    Bytes names = NameTable(StandardNames());
    data.insert(data.end(), names.begin(), names.end());
    decoy = Font(kTrueType, {{"head", data}});
  }
  Bytes collection = Collection({StandardTables()});
  const struct {
    const char* What;
    Bytes Bytes;
    int32_t Track;
    std::string Family;
  } cases[] = {
      {"empty file", {}, 2, ""},
      {"header cut short", Bytes(good.begin(), good.begin() + 11), 2, ""},
      {"directory cut inside the name entry", Bytes(good.begin(), good.begin() + nameEntry + 10), 2, ""},
      {"huge table count without a name entry", edited([](Bytes& b) { Set16(b, 4, 0xFFFF); b[28] = 'x'; }), 2, ""},
      {"no name table", Font(kTrueType, {{"head", Bytes(54, 0)}, {"post", Bytes(32, 0)}}), 2, ""},
      {"name tag in table data is not an entry", decoy, 2, ""},
      {"name table offset past the end", edited([&](Bytes& b) { Set32(b, nameEntry + 8, 0xFFFFFFF0); }), 2, ""},
      {"name table header cut", Bytes(good.begin(), good.begin() + nameTable + 4), 2, ""},
      {"record count past the end", edited([&](Bytes& b) { Set16(b, nameTable + 2, 0xFFFF); }), 307, "Test Family"},
      {"string offset past the end", edited([&](Bytes& b) { Set16(b, nameTable + 4, 0xFFFF); }), 302, ""},
      {"string length past the end", edited([&](Bytes& b) { Set16(b, nameTable + 6 + 12 + 8, 0xFFFF); }), 302, ""},
      {"records cut inside the strings", Bytes(good.begin(), good.begin() + nameTable + 6 + 12 * 7 + 40), 303, ""},
      {"collection without fonts", [&] { Bytes b = collection; Set32(b, 8, 0); return b; }(), 2, ""},
      {"collection font offset past the end", [&] { Bytes b = collection; Set32(b, 12, 0xFFFFFFF0); return b; }(), 2, ""},
      {"collection header cut", Bytes(collection.begin(), collection.begin() + 14), 2, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TableResult r = ReadTable(c.Bytes);
    EXPECT_EQ(r.ErrNo, kTTFDiskReadError);
    EXPECT_EQ(r.List.Track, c.Track);
    EXPECT_EQ(r.List.Family, c.Family);
  }
}

TEST(TTFinfo, NamingTableCheckRefusesTablesRecordsAndStringsOutsideTheirBounds) {
  const Bytes good = Font(kTrueType, StandardTables());
  const size_t nameEntry = 12 + 16;
  const uint32_t nameTable = Get32(good, nameEntry + 8);
  const size_t firstRecord = nameTable + 6;
  auto edited = [&](const std::function<void(Bytes&)>& edit) {
    Bytes b = good;
    edit(b);
    return b;
  };
  const struct {
    const char* What;
    Bytes Bytes;
    bool Sound;
  } cases[] = {
      {"whole font", good, true},
      {"first font of a collection", Collection({StandardTables()}), true},
      {"table without records", Font(kTrueType, {{"name", NameTable({})}}), true},
      {"garbage", Bytes(300, 0x5A), false},
      {"no name table", Font(kTrueType, {{"head", Bytes(54, 0)}}), false},
      {"table length beyond the file", edited([&](Bytes& b) { Set32(b, nameEntry + 12, 0x7FFFFFF0); }), false},
      {"table offset beyond the file", edited([&](Bytes& b) { Set32(b, nameEntry + 8, 0xFFFFFFF0); }), false},
      {"table shorter than its header", edited([&](Bytes& b) { Set32(b, nameEntry + 12, 4); }), false},
      {"record count 0xFFFF", edited([&](Bytes& b) { Set16(b, nameTable + 2, 0xFFFF); }), false},
      {"string offset 0xFFFF", edited([&](Bytes& b) { Set16(b, nameTable + 4, 0xFFFF); }), false},
      {"record length beyond the table", edited([&](Bytes& b) { Set16(b, firstRecord + 12 * 6 + 8, 0x400); }),
       false},
      {"record offset beyond the table", edited([&](Bytes& b) { Set16(b, firstRecord + 10, 0xFFF0); }), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    TStrictStream s(c.Bytes);
    EXPECT_EQ(NamingTableIsSound(s), c.Sound);
  }
}

TEST(TTFinfo, OneOpeningChecksTheTableAndReadsItsNamesWhereverTheTableLies) {
  TTempDir dir;
  // The naming table far behind the directory, past what one read brings.
  std::vector<Table> farTables = {{"glyf", Bytes(200000, 0x11)}};
  for (const Table& t : StandardTables()) farTables.push_back(t);
  Bytes broken = Font(kTrueType, StandardTables());
  Set16(broken, Get32(broken, 12 + 16 + 8) + 2, 0xFFFF);  // record count past the table
  const struct {
    const char* What;
    Bytes Bytes;
    bool Read;
  } cases[] = {
      {"whole font", Font(kTrueType, StandardTables()), true},
      {"table behind 200000 bytes", Font(kTrueType, farTables), true},
      {"first font of a collection", Collection({StandardTables()}), true},
      {"damaged table", broken, false},
      {"garbage", Bytes(300, 0x5A), false},
      {"empty file", Bytes(), false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.What);
    const fw::String file = dir.Path("font.ttf");
    WriteFile(file, c.Bytes);
    tTTFList names;
    EXPECT_EQ(ReadSoundNamingTable(file, names), c.Read);
    if (!c.Read) continue;
    // The same names as the reader that opens the file itself.
    ThhTTFinfo info;
    tTTFList expected;
    int err = -5;
    info.GetTTFinfo(file, &expected, err);
    ASSERT_EQ(err, kTTFOk);
    EXPECT_FALSE(names.Family.empty());
    EXPECT_EQ(names.Family, expected.Family);
    EXPECT_EQ(names.FontName, expected.FontName);
    EXPECT_EQ(names.Track, expected.Track);
  }
  tTTFList none;
  EXPECT_FALSE(ReadSoundNamingTable(dir.Path("missing.ttf"), none));
}

TEST(TTFinfo, WithoutARecordOrAFileNothingIsFilled) {
  ThhTTFinfo info;
  int err = 0;
  info.GetTTFinfo(u"whatever.ttf", nullptr, err);
  EXPECT_EQ(err, kTTFNoList);

  TTempDir dir;
  tTTFList list;
  list.Family = "kept";
  list.FileSize = 7;
  info.GetTTFinfo(dir.Path("missing.ttf"), &list, err);
  EXPECT_EQ(err, kTTFFileNotFound);
  EXPECT_EQ(list.Track, 1);
  EXPECT_EQ(list.Family, "kept");
  EXPECT_EQ(list.FileSize, 7);
  EXPECT_TRUE(list.FilePath.empty());

  // A file that opens but holds no font: the record is reset and filled.
  const fw::String junk = dir.Path("junk.ttf");
  WriteFile(junk, Latin("not a font"));
  info.GetTTFinfo(junk, &list, err);
  EXPECT_EQ(err, kTTFDiskReadError);
  EXPECT_EQ(list.Track, 2);
  EXPECT_EQ(list.Family, "");
  EXPECT_EQ(list.FileSize, 10);
  EXPECT_EQ(list.FileCalled, u"junk.ttf");

  info.SetVersion(u"9");
  EXPECT_EQ(info.GetVersion(), u"3.00.0");
}

TEST(TTFinfo, ReadsInstalledDebianFonts) {
  const struct {
    const char* Path;
    const char* Family;
    const char* SubFamily;
  } cases[] = {
      {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans", "Book"},
      {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "Liberation Sans", "Regular"},
      {"/usr/share/fonts/truetype/croscore/Arimo-Bold.ttf", "Arimo", "Bold"},
      {"/usr/share/fonts/opentype/urw-base35/NimbusSans-Regular.otf", "Nimbus Sans", "Regular"},
  };
  int found = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path);
    if (!std::filesystem::exists(c.Path)) continue;
    ++found;
#ifdef _WIN32
    fw::String path = u"Z:" + fw::Utf8ToString(c.Path);
    for (char16_t& ch : path) {
      if (ch == u'/') ch = u'\\';
    }
#else
    const fw::String path = fw::Utf8ToString(c.Path);
#endif
    ThhTTFinfo info;
    tTTFList list;
    int err = -5;
    info.GetTTFinfo(path, &list, err);
    EXPECT_EQ(err, 0);
    EXPECT_EQ(list.Family, c.Family);
    EXPECT_EQ(list.SubFamily, c.SubFamily);
    EXPECT_FALSE(list.FontName.empty());
    EXPECT_GT(list.Track, 300);
    EXPECT_EQ(list.PlatformID, 3);
    EXPECT_EQ(list.FileSize, static_cast<int32_t>(std::filesystem::file_size(c.Path)));
  }
  if (found == 0) GTEST_SKIP() << "no Debian font packages installed";
}
