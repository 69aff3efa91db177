// Version resources built by the test: values, languages, flags, and
// damaged resources that must fail cleanly.
#include <gtest/gtest.h>

#include <cstring>

#include "services/core/versioninfo.h"

using namespace services;
using fw::String;

namespace {

// Writes VS_VERSIONINFO in the 32-bit layout.
class TVersionBuilder {
 public:
  using Bytes = std::vector<uint8_t>;
  static void Word(Bytes& b, uint16_t w) {
    b.push_back(static_cast<uint8_t>(w));
    b.push_back(static_cast<uint8_t>(w >> 8));
  }
  static void Pad(Bytes& b) {
    while (b.size() % 4) b.push_back(0);
  }
  // A block: header, key, value, children; lengths filled in.
  static Bytes Block(const String& key, uint16_t type, const Bytes& value, uint16_t valueLength,
                     const std::vector<Bytes>& children) {
    Bytes b;
    Word(b, 0);
    Word(b, valueLength);
    Word(b, type);
    for (char16_t c : key) Word(b, c);
    Word(b, 0);
    Pad(b);
    b.insert(b.end(), value.begin(), value.end());
    for (const Bytes& c : children) {
      Pad(b);
      b.insert(b.end(), c.begin(), c.end());
    }
    b[0] = static_cast<uint8_t>(b.size());
    b[1] = static_cast<uint8_t>(b.size() >> 8);
    return b;
  }
  static Bytes Text(const String& key, const String& value) {
    Bytes v;
    for (char16_t c : value) Word(v, c);
    Word(v, 0);
    return Block(key, 1, v, static_cast<uint16_t>(value.size() + 1), {});
  }
  static Bytes Fixed(uint32_t fileMS, uint32_t fileLS, uint32_t flags) {
    Bytes v(52, 0);
    const uint32_t words[13] = {0xFEEF04BD, 0x10000, fileMS, fileLS, 0x30000, 0, 0x3F, flags, 4, 1, 0, 0, 0};
    std::memcpy(v.data(), words, 52);
    return v;
  }
  static Bytes Resource(const std::vector<std::pair<String, std::vector<Bytes>>>& tables,
                        const std::vector<uint32_t>& translations, uint32_t flags = 0) {
    std::vector<Bytes> tableBlocks;
    for (const auto& [id, strings] : tables) tableBlocks.push_back(Block(id, 1, {}, 0, strings));
    Bytes trans;
    for (uint32_t t : translations) {
      Word(trans, static_cast<uint16_t>(t));
      Word(trans, static_cast<uint16_t>(t >> 16));
    }
    return Block(u"VS_VERSION_INFO", 0, Fixed(0x30000, 0x70000, flags), 52,
                 {Block(u"StringFileInfo", 1, {}, 0, tableBlocks),
                  Block(u"VarFileInfo", 1, {}, 0,
                        {Block(u"Translation", 0, trans, static_cast<uint16_t>(trans.size()), {})})});
  }
};

using B = TVersionBuilder;

TEST(FileVersionInfo, ReadsTheProgramsOwnKindOfResource) {
  const auto res = B::Resource({{u"040904B0", {B::Text(u"FileVersion", u"3.0.7.0"),
                                               B::Text(u"ProductVersion", u"3.0.0.0")}}},
                               {0x04B00409}, 0x01 | 0x20);
  TUclFileVersionInfo info;
  info.Attach(res.data(), res.size());
  EXPECT_EQ(info.FileVersion(), u"3.0.7.0");
  EXPECT_EQ(info.ProductVersion(), u"3.0.0.0");
  EXPECT_EQ(info.CompanyName(), u"");
  EXPECT_EQ(info.ProductName(), u"");
  EXPECT_EQ(info.FileVersionBuild(), u"0");
  EXPECT_EQ(info.BinFileVersion(), u"3.0.7.0");
  EXPECT_EQ(info.LanguageIds(0), u"040904b0");
  EXPECT_EQ(info.FileFlags(), TFileFlags({ffDebug, ffSpecialBuild}));
  EXPECT_TRUE(info.TranslationMatchesLanguages(true));
  EXPECT_EQ(info.GetCustomFieldValue(u"fileversion"), u"3.0.7.0");
  EXPECT_THROW(info.GetCustomFieldValue(u""), EUclFileVersionInfoError);
  EXPECT_THROW(info.GetCustomFieldValue(u"Nothing"), EUclFileVersionInfoError);
}

TEST(FileVersionInfo, SelectsStringTablesByLanguageIndex) {
  const auto res = B::Resource({{u"040904B0", {B::Text(u"CompanyName", u"One")}},
                                {u"0x040704B0", {B::Text(u"CompanyName", u"Zwei")}}},
                               {0x04B00409});
  TUclFileVersionInfo info;
  info.Attach(res.data(), res.size());
  ASSERT_EQ(info.LanguageCount(), 2);
  EXPECT_EQ(info.CompanyName(), u"One");
  info.SetLanguageIndex(1);
  EXPECT_EQ(info.CompanyName(), u"Zwei");
  EXPECT_EQ(info.Languages(1).LangId, 0x0407);
  EXPECT_FALSE(info.TranslationMatchesLanguages(true));
  EXPECT_TRUE(info.TranslationMatchesLanguages(false));
  EXPECT_THROW(info.SetLanguageIndex(2), EUclFileVersionInfoError);
  EXPECT_THROW(info.Translations(1), EUclFileVersionInfoError);
}

TEST(FileVersionInfo, VersionPartsTable) {
  const struct {
    const char16_t* text;
    const char16_t* parts[4];
  } cases[] = {{u"3.0.7.0", {u"3", u"0", u"7", u"0"}},
               {u"1, 2, 3, 4", {u"1", u"2", u"3", u"4"}},
               {u"5", {u"5", u"", u"", u"5"}},
               {u"1.2", {u"1", u"", u"", u"2"}}};
  for (const auto& c : cases)
    for (int p = 0; p < 4; ++p)
      EXPECT_EQ(TUclFileVersionInfo::VersionPart(c.text, p), c.parts[p]) << fw::StringToUtf8(c.text) << p;
}

TEST(FileVersionInfo, DamagedResourcesFailWithTheNoInformationError) {
  const auto good = B::Resource({{u"040904B0", {B::Text(u"FileVersion", u"1.0")}}}, {0x04B00409});
  std::vector<B::Bytes> bad;
  bad.push_back(B::Resource({{u"0409", {B::Text(u"FileVersion", u"1.0")}}}, {}));  // short table key
  B::Bytes sig = good;
  sig[40] ^= 1;  // signature of the fixed part
  bad.push_back(sig);
  for (size_t cut : {5u, 40u, 100u, 130u}) bad.emplace_back(good.begin(), good.begin() + cut);
  B::Bytes lying = good;
  lying[0] = 0xFF;
  lying[1] = 0x7F;  // root longer than the data
  bad.push_back(lying);
  for (const auto& b : bad) {
    TUclFileVersionInfo info;
    EXPECT_THROW(info.Attach(b.data(), b.size()), EUclFileVersionInfoError) << b.size();
  }
}

}  // namespace
