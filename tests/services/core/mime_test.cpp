// Base64 with 76-character lines: sizes, line layout, tolerant and
// piecewise decoding.
#include <gtest/gtest.h>

#include <random>

#include "services/core/mime.h"

using namespace services;

namespace {

TBytes Pattern(size_t n) {
  TBytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>(i * 37 + 11);
  return b;
}

TEST(Mime, EncodedLengthAndLineBreaksFollowTheBlockOf57Bytes) {
  struct Case {
    size_t bytes;
    size_t chars;
    std::vector<size_t> breaksAt;  // positions of CR LF
  };
  const Case cases[] = {{0, 0, {}},   {1, 4, {}},      {2, 4, {}},          {3, 4, {}},
                        {57, 76, {}}, {58, 82, {76}},  {114, 154, {76}},    {115, 160, {76, 154}}};
  for (const Case& c : cases) {
    const TBytes in = Pattern(c.bytes);
    const std::string out = MimeEncode(in.data(), in.size());
    EXPECT_EQ(out.size(), c.chars) << c.bytes;
    EXPECT_EQ(MimeEncodedSize(static_cast<int64_t>(c.bytes)), static_cast<int64_t>(c.chars)) << c.bytes;
    std::vector<size_t> breaks;
    for (size_t p = out.find("\r\n"); p != std::string::npos; p = out.find("\r\n", p + 2)) breaks.push_back(p);
    EXPECT_EQ(breaks, c.breaksAt) << c.bytes;
    EXPECT_EQ(MimeDecode(out.data(), out.size()), in) << c.bytes;
  }
}

TEST(Mime, KnownTextsAndPadding) {
  const struct {
    const char* in;
    const char* out;
  } cases[] = {{"", ""}, {"f", "Zg=="}, {"fo", "Zm8="}, {"foo", "Zm9v"}, {"foob", "Zm9vYg=="},
               {"\xff\xfe", "//4="}};
  for (const auto& c : cases) {
    std::string s = c.in;
    EXPECT_EQ(MimeEncode(reinterpret_cast<const uint8_t*>(s.data()), s.size()), c.out);
  }
}

TEST(Mime, DecodingIgnoresBreaksBlanksAndMissingPadding) {
  const TBytes in = Pattern(100);
  const std::string clean = MimeEncodeNoCRLF(in.data(), in.size());
  std::string noisy;
  for (size_t i = 0; i < clean.size(); ++i) {
    noisy += clean[i];
    if (i % 7 == 3) noisy += " \r\n";
  }
  while (!noisy.empty() && noisy.back() == '=') noisy.pop_back();
  EXPECT_EQ(MimeDecode(noisy.data(), noisy.size()), in);
  // A single leftover value gives nothing; two give one byte.
  EXPECT_EQ(MimeDecode("Zg", 2), TBytes({'f'}));
  EXPECT_EQ(MimeDecode("Zm9vY", 5), TBytes({'f', 'o', 'o'}));
}

TEST(Mime, PiecewiseDecodingEqualsWholeDecodingAtEverySplit) {
  std::mt19937 rng(7);
  TBytes in(61);
  for (auto& b : in) b = static_cast<uint8_t>(rng());
  const std::string text = MimeEncode(in.data(), in.size());
  for (size_t split = 0; split <= text.size(); ++split) {
    TMimeDecodeState state;
    TBytes out;
    MimeDecodePartial(text.data(), split, state, out);
    MimeDecodePartial(text.data() + split, text.size() - split, state, out);
    MimeDecodePartialEnd(state, out);
    ASSERT_EQ(out, in) << split;
  }
}

}  // namespace
