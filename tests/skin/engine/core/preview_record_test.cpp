#include "skin/engine/core/preview_record.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(PreviewRecord, TextsEndAtTheirFirstZeroOrTheirFieldsEnd) {
  TkcSkinData r;
  r.Magic = kPreviewMagic;
  r.SkinName = "Sapphire (internal)";
  r.SkinDir = std::string(600, 'd');  // longer than its field: cut
  r.Data = "[GLOBALINFO]\r\nVERSION=8.00\r\n";
  std::vector<uint8_t> bytes = WritePreviewRecord(r);
  ASSERT_EQ(bytes.size(), 30646u);
  TkcSkinData back;
  ASSERT_TRUE(ParsePreviewRecord(bytes.data(), bytes.size(), back));
  EXPECT_EQ(back.SkinName, r.SkinName);
  EXPECT_EQ(back.SkinDir, std::string(513, 'd'));
  EXPECT_EQ(back.Data, r.Data);

  std::vector<uint8_t> full(30646, 'x');
  full[0] = 0x00;
  full[1] = 0xA4;
  full[2] = full[3] = 0;
  ASSERT_TRUE(ParsePreviewRecord(full.data(), full.size(), back));
  EXPECT_EQ(back.SkinName.size(), 128u);
  EXPECT_EQ(back.Data.size(), 30001u);
}

TEST(PreviewRecord, ShortDataOrAWrongMagicIsIgnored) {
  TkcSkinData r;
  r.Magic = kPreviewMagic;
  std::vector<uint8_t> bytes = WritePreviewRecord(r);
  TkcSkinData out;
  out.SkinName = "kept";
  EXPECT_FALSE(ParsePreviewRecord(bytes.data(), bytes.size() - 1, out));
  EXPECT_FALSE(ParsePreviewRecord(nullptr, 30646, out));
  bytes[0] = 1;
  EXPECT_FALSE(ParsePreviewRecord(bytes.data(), bytes.size(), out));
  EXPECT_EQ(out.SkinName, "kept");
}

TEST(SkinSwitches, WhereAndHowEachSwitchCounts) {
  struct Case {
    std::vector<fw::String> params;
    bool test, version, preview;
  } cases[] = {
      {{}, false, false, false},
      {{u"a", u"b", u"/KCVER"}, false, true, false},
      {{u"/kcTest"}, true, false, false},
      {{u"/kcpreview"}, false, false, true},
      {{u"x", u"/kcpreview"}, false, false, false},
      {{u"/KCPREVIEW"}, false, false, false},
      {{u"/kcver2"}, false, false, false},
  };
  for (const Case& c : cases) {
    TSkinSwitches s = ParseSkinSwitches(c.params);
    EXPECT_EQ(s.Test, c.test);
    EXPECT_EQ(s.Version, c.version);
    EXPECT_EQ(s.Preview, c.preview);
  }
}

}  // namespace
}  // namespace skin
