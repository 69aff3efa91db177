#include "skin/engine/core/packed_skin.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "skin/engine/core/skin_folders.h"

namespace skin {
namespace {

std::vector<uint8_t> Bytes(std::string_view s) { return std::vector<uint8_t>(s.begin(), s.end()); }

void PutLE(std::vector<uint8_t>& out, int32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * i)));
}

std::vector<uint8_t> Zlib(const std::vector<uint8_t>& data, int level = 9) {
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::vector<uint8_t> out(size);
  compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), level);
  out.resize(size);
  return out;
}

// A packed skin written field by field, so that each field can be wrong.
std::vector<uint8_t> Pack(int32_t count, const std::vector<std::tuple<int32_t, std::string, int32_t, std::vector<uint8_t>>>& entries) {
  std::vector<uint8_t> out = Bytes("KSzf");
  PutLE(out, count);
  for (const auto& [length, name, size, stream] : entries) {
    PutLE(out, length);
    out.insert(out.end(), name.begin(), name.end());
    PutLE(out, size);
    out.insert(out.end(), stream.begin(), stream.end());
  }
  return out;
}

TEST(PackedSkin, RoundTripKeepsOrderBytesAndBitmapKinds) {
  std::vector<uint8_t> big(100000);
  for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<uint8_t>(i * 7 % 251);
  std::vector<TPackEntry> entries = {{u"a.bmp", Bytes("bitmap one")}, {u"OPTIONS.DAT", Bytes("[GLOBALINFO]\r\n")},
                                     {u"B.BMP", big},                 {u"c.png", Bytes("png")},
                                     {u"notes.txt", {}},              {u"d.Bmp", Bytes("x")}};
  for (int level : {0, 9}) {
    std::vector<uint8_t> packed = WritePackedSkin(entries, level);
    TkcSkinConvertor c = ReadPackedEntries(packed.data(), packed.size());
    EXPECT_EQ(c.ImageCount, 5);
    ASSERT_TRUE(c.HasOptions);
    EXPECT_EQ(c.Options, Bytes("[GLOBALINFO]\r\n"));
    ASSERT_EQ(c.Files.size(), 5u);
    const bool bitmaps[] = {true, true, false, false, true};
    const size_t order[] = {0, 2, 3, 4, 5};
    for (size_t i = 0; i < 5; ++i) {
      EXPECT_EQ(c.Files[i].FileName, entries[order[i]].Name);
      EXPECT_EQ(c.Files[i].Data, entries[order[i]].Data);
      EXPECT_EQ(c.Files[i].IsBitmap, bitmaps[i]) << i;
    }
    EXPECT_EQ(c.FindImage(u"B.BMP"), &c.Files[1]);
    EXPECT_EQ(c.FindImage(u"C.PNG"), &c.Files[2]);
    EXPECT_EQ(c.FindImage(u"c.png"), nullptr);  // names in values are capitals
  }
}

TEST(PackedSkin, DescriptionInSmallLettersAndAPackWithoutOne) {
  std::vector<uint8_t> packed = WritePackedSkin({{u"options.dat", Bytes("x")}});
  EXPECT_TRUE(ReadPackedEntries(packed.data(), packed.size()).HasOptions);
  packed = WritePackedSkin({{u"a.png", Bytes("1")}, {u"b.png", Bytes("2")}});
  TkcSkinConvertor c = ReadPackedEntries(packed.data(), packed.size());
  EXPECT_FALSE(c.HasOptions);
  EXPECT_EQ(c.ImageCount, 1);
  EXPECT_EQ(c.Files.size(), 2u);
}

TEST(PackedSkin, DamagedPacksAreRefusedWithTheirFault) {
  const std::vector<uint8_t> content = Bytes("hello, skin");
  const std::vector<uint8_t> stream = Zlib(content);
  const int32_t size = static_cast<int32_t>(content.size());
  std::vector<uint8_t> corrupt = stream;
  corrupt[4] ^= 0x55;
  std::vector<uint8_t> trailing = Pack(1, {{5, "a.png", size, stream}});
  trailing.push_back(0);
  std::vector<uint8_t> truncated = Pack(1, {{5, "a.png", size, stream}});
  truncated.resize(truncated.size() - 3);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
    const char* message;
  } cases[] = {
      {"wrong magic", Bytes("KSzg\1\0\0\0"), "not a packed skin"},
      {"empty", {}, "not a packed skin"},
      {"truncated header", Bytes("KSzf\1\0"), "truncated"},
      {"count beyond the data", Pack(0x7FFFFFFF, {{5, "a.png", size, stream}}), "entry count"},
      {"negative count", Pack(-1, {}), "entry count"},
      {"negative name length", Pack(1, {{-5, "", size, stream}}), "name length"},
      {"name beyond the end", Pack(1, {{5000, "a.png", size, stream}}), "name length"},
      {"negative size", Pack(1, {{5, "a.png", -1, stream}}), "size of -1"},
      {"huge size", Pack(1, {{5, "a.png", 0x7FFFFFFF, stream}}), "size of"},
      {"size above the content", Pack(1, {{5, "a.png", size + 1, stream}}), "shorter than its size"},
      {"size below the content", Pack(1, {{5, "a.png", size - 1, stream}}), "larger than its size"},
      {"corrupt stream", Pack(1, {{5, "a.png", size, corrupt}}), "damaged stream"},
      {"truncated stream", truncated, "truncated"},
      {"trailing bytes", trailing, "follow the last entry"},
      {"two descriptions", Pack(2, {{11, "Options.dat", size, stream}, {11, "OPTIONS.DAT", size, stream}}),
       "two descriptions"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      ReadPackedEntries(c.bytes.data(), c.bytes.size());
      ADD_FAILURE() << "accepted";
    } catch (const ESkinError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

TEST(PackedSkin, StreamsBackToBackAreReadToTheirExactEnds) {
  // A stored stream and a compressed one meet at an entry boundary; the
  // second entry's data is large enough that a buffered reader would have
  // read past the first stream's end.
  std::vector<uint8_t> first = Bytes("first entry");
  std::vector<uint8_t> second(300000, 'z');
  std::vector<uint8_t> packed =
      Pack(3, {{5, "a.png", static_cast<int32_t>(first.size()), Zlib(first, 0)},
               {5, "b.png", static_cast<int32_t>(second.size()), Zlib(second, 9)},
               {5, "c.png", 0, Zlib({}, 9)}});
  TkcSkinConvertor c = ReadPackedEntries(packed.data(), packed.size());
  ASSERT_EQ(c.Files.size(), 3u);
  EXPECT_EQ(c.Files[0].Data, first);
  EXPECT_EQ(c.Files[1].Data, second);
  EXPECT_TRUE(c.Files[2].Data.empty());
}

TEST(PackedSkin, EntryNamesThatWouldLeaveTheFolder) {
  struct Case {
    const char16_t* name;
    bool safe;
  } cases[] = {{u"MASTER.BMP", true}, {u"a..b.png", true},  {u"", false},       {u"..", false},
               {u".", false},         {u"...", false},      {u"../x", false},   {u"..\\x", false},
               {u"/etc/x", false},    {u"C:x.png", false},  {u"dir/x", false},  {u"x.png ", false},
               {u"a\nb", false}};
  for (const Case& c : cases) EXPECT_EQ(IsSafeEntryName(c.name), c.safe) << fw::StringToUtf8(c.name);
}

TEST(PackedSkin, UnpackingWritesNothingWhenAnEntryWouldLeaveTheFolder) {
  namespace fs = std::filesystem;
  fs::path root = fs::temp_directory_path() / ("packed_skin_test_" + std::to_string(std::random_device()()));
  fs::remove_all(root);
  fs::create_directories(root / "into");
  std::vector<uint8_t> evil = WritePackedSkin({{u"Options.dat", Bytes("x")}, {u"../outside.png", Bytes("y")}});
  TkcSkinConvertor c = ReadPackedEntries(evil.data(), evil.size());
  EXPECT_THROW(UnpackSkinToFolder(c, (root / "into").u16string()), ESkinError);
  EXPECT_FALSE(fs::exists(root / "outside.png"));
  EXPECT_FALSE(fs::exists(root / "into" / "Options.dat"));

  std::vector<uint8_t> good = WritePackedSkin({{u"Options.dat", Bytes("x")}, {u"M.BMP", Bytes("yz")}});
  c = ReadPackedEntries(good.data(), good.size());
  UnpackSkinToFolder(c, (root / "into").u16string());
  EXPECT_EQ(fs::file_size(root / "into" / "M.BMP"), 2u);
  EXPECT_EQ(fs::file_size(root / "into" / "Options.dat"), 1u);
  fs::remove_all(root);
}

}  // namespace
}  // namespace skin
