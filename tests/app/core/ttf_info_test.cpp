#include "app/core/ttf_info.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "fw/core/streams.h"
#include "temp_dir.h"

using namespace app;

namespace {

using Bytes = std::vector<uint8_t>;

void Put16(Bytes& b, uint16_t v) {
  b.push_back(static_cast<uint8_t>(v >> 8));
  b.push_back(static_cast<uint8_t>(v));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, static_cast<uint16_t>(v >> 16));
  Put16(b, static_cast<uint16_t>(v));
}
void Set16(Bytes& b, size_t at, uint16_t v) {
  b[at] = static_cast<uint8_t>(v >> 8);
  b[at + 1] = static_cast<uint8_t>(v);
}
void Set32(Bytes& b, size_t at, uint32_t v) {
  Set16(b, at, static_cast<uint16_t>(v >> 16));
  Set16(b, at + 2, static_cast<uint16_t>(v));
}
uint32_t Get32(const Bytes& b, size_t at) {
  return static_cast<uint32_t>(b[at]) << 24 | b[at + 1] << 16 | b[at + 2] << 8 | b[at + 3];
}

Bytes Utf16Be(std::u16string_view s) {
  Bytes b;
  for (char16_t c : s) Put16(b, c);
  return b;
}
Bytes Latin(std::string_view s) { return Bytes(s.begin(), s.end()); }

struct NameRecord {
  uint16_t Platform, Encoding, Language, NameId;
  Bytes Text;
};

// A format 0 naming table: header, records, then the strings in order.
Bytes NameTable(const std::vector<NameRecord>& records) {
  Bytes t, strings;
  Put16(t, 0);
  Put16(t, static_cast<uint16_t>(records.size()));
  Put16(t, static_cast<uint16_t>(6 + 12 * records.size()));
  for (const NameRecord& r : records) {
    for (uint16_t v : {r.Platform, r.Encoding, r.Language, r.NameId}) Put16(t, v);
    Put16(t, static_cast<uint16_t>(r.Text.size()));
    Put16(t, static_cast<uint16_t>(strings.size()));
    strings.insert(strings.end(), r.Text.begin(), r.Text.end());
  }
  t.insert(t.end(), strings.begin(), strings.end());
  return t;
}

struct Table {
  std::string Tag;
  Bytes Data;
};

// Appends one font (offset table, directory, table data) to file; table
// offsets count from the file's start, as in a collection.
void AppendFont(Bytes& file, uint32_t version, const std::vector<Table>& tables) {
  Put32(file, version);
  Put16(file, static_cast<uint16_t>(tables.size()));
  Put16(file, 0);
  Put16(file, 0);
  Put16(file, 0);
  const size_t dir = file.size();
  file.resize(dir + 16 * tables.size());
  for (size_t i = 0; i < tables.size(); ++i) {
    while (file.size() % 4) file.push_back(0);
    const size_t at = dir + 16 * i;
    std::copy(tables[i].Tag.begin(), tables[i].Tag.end(), file.begin() + static_cast<ptrdiff_t>(at));
    Set32(file, at + 8, static_cast<uint32_t>(file.size()));
    Set32(file, at + 12, static_cast<uint32_t>(tables[i].Data.size()));
    file.insert(file.end(), tables[i].Data.begin(), tables[i].Data.end());
  }
}

constexpr uint32_t kTrueType = 0x00010000;
constexpr uint32_t kOpenTypeCff = 0x4F54544F;  // "OTTO"

Bytes Font(uint32_t version, const std::vector<Table>& tables) {
  Bytes f;
  AppendFont(f, version, tables);
  return f;
}

Bytes Collection(const std::vector<std::vector<Table>>& fonts) {
  Bytes f = Latin("ttcf");
  Put32(f, 0x00010000);
  Put32(f, static_cast<uint32_t>(fonts.size()));
  f.resize(f.size() + 4 * fonts.size());
  for (size_t i = 0; i < fonts.size(); ++i) {
    Set32(f, 12 + 4 * i, static_cast<uint32_t>(f.size()));
    AppendFont(f, kTrueType, fonts[i]);
  }
  return f;
}

std::vector<NameRecord> StandardNames() {
  return {
      {1, 0, 0, 1, Latin("Mac Family")},
      {3, 1, 0x409, 0, Utf16Be(u"(c) Somebody")},
      {3, 1, 0x409, 1, Utf16Be(u"Test Family")},
      {3, 1, 0x409, 2, Utf16Be(u"Bold")},
      {3, 1, 0x409, 4, Utf16Be(u"Test Family Bold")},
      {3, 1, 0x407, 4, Utf16Be(u"Testfamilie Fett")},
      {3, 1, 0x409, 6, Utf16Be(u"TestFamily-Bold")},
  };
}

std::vector<Table> StandardTables(const std::vector<NameRecord>& names = StandardNames()) {
  return {{"head", Bytes(54, 0)}, {"name", NameTable(names)}, {"post", Bytes(32, 0)}};
}

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
