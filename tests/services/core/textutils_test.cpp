// Hexadecimal values, the keyed XOR transform and word extraction.
#include <gtest/gtest.h>

#include "fw/core/exceptions.h"
#include "services/core/textutils.h"

using namespace services;
using fw::String;

namespace {

TEST(HexText, BytesToHexAppendsUpperCasePairs) {
  String text = u"x";
  const uint8_t bytes[] = {0x00, 0xAB, 0x7f};
  BytesToHex(bytes, 3, text);
  EXPECT_EQ(text, u"x00AB7F");
}

TEST(HexText, HexToBytesTable) {
  struct Case {
    const char16_t* text;
    size_t bufSize;
    std::vector<uint8_t> bytes;
  };
  const Case cases[] = {{u"ABC", 4, {0x0A, 0xBC}},      {u"ABC", 1, {0x0A}},   {u"", 4, {}},
                        {u"00ff10", 8, {0x00, 0xFF, 0x10}}, {u"0aFf", 2, {0x0A, 0xFF}}};
  for (const Case& c : cases) {
    uint8_t buf[8] = {};
    int n = HexToBytes(c.text, buf, c.bufSize);
    EXPECT_EQ(std::vector<uint8_t>(buf, buf + n), c.bytes) << fw::StringToUtf8(c.text);
  }
  uint8_t buf[4];
  EXPECT_THROW(HexToBytes(u"12G4", buf, 4), fw::EConvertError);
  EXPECT_THROW(HexToBytes(u"1 ", buf, 4), fw::EConvertError);
}

TEST(XorHex, EncodesUtf8BytesAndDecodesThemBack) {
  EXPECT_EQ(XorHexEncode(u"", u"abc"), u"616263");
  EXPECT_EQ(XorHexEncode(u"\x01", u"abc"), u"606362");
  // "é" is two UTF-8 bytes.
  EXPECT_EQ(XorHexEncode(u"", u"\u00e9"), u"c3a9");
  const struct {
    const char16_t* key;
    const char16_t* value;
  } cases[] = {{u"", u""}, {u"k", u"Size"}, {u"longer key", u"x"}, {u"\u00fc", u"Gr\u00fc\u00dfe \u20ac"}};
  for (const auto& c : cases) {
    const String enc = XorHexEncode(c.key, c.value);
    EXPECT_EQ(enc.size(), fw::StringToUtf8(c.value).size() * 2);
    EXPECT_EQ(XorHexDecode(c.key, enc), c.value);
  }
}

TEST(XorHex, DecodingNeverFailsOnBadText) {
  EXPECT_EQ(XorHexDecode(u"", u"6g"), u" ");     // a bad second digit gives a blank
  EXPECT_EQ(XorHexDecode(u"", u"x1"), u"\x01");  // a bad first digit counts 0
  EXPECT_EQ(XorHexDecode(u"", u"616"), u"a");    // an odd last digit is ignored
  EXPECT_EQ(XorHexDecode(u"", u"ff"), u"\ufffd");
  EXPECT_NE(XorHexDecode(u"other", XorHexEncode(u"key", u"text")), u"text");
}

TEST(Words, RunsOfDelimitersCountAsOne) {
  const TCharSet comma{','}, commaBlank{',', ' '};
  EXPECT_EQ(ExtractWordAt(2, u",10,,20,30", comma), u"20");
  EXPECT_EQ(WordStart(2, u",10,,20,30", comma), 6);
  EXPECT_EQ(ExtractWordAt(4, u"1 2 ,,3 4", commaBlank), u"4");
  EXPECT_EQ(ExtractWordAt(3, u"1,2", comma), u"");
  EXPECT_EQ(WordStart(1, u",,,", comma), 0);
  EXPECT_EQ(ExtractWordAt(1, u"", comma), u"");
}

}  // namespace
