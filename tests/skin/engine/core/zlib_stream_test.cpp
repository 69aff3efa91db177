// The inflating stream: round trips, entries back to back in one source,
// restarting, seeking and damaged data.
#include "skin/engine/core/zlib_stream.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace skin {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes Compress(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  EXPECT_EQ(compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6), Z_OK);
  out.resize(size);
  return out;
}

// Text-like bytes compress well; noise does not, so its compressed form
// spans several refills of the stream's buffer.
Bytes Text(size_t n) {
  Bytes b(n);
  for (size_t i = 0; i < n; ++i) b[i] = static_cast<uint8_t>("the quick brown fox "[i % 20] + (i / 997) % 3);
  return b;
}

Bytes Noise(size_t n, uint32_t seed) {
  Bytes b(n);
  for (auto& v : b) {
    seed = seed * 1664525u + 1013904223u;
    v = static_cast<uint8_t>(seed >> 24);
  }
  return b;
}

void Append(Bytes& to, const Bytes& what) { to.insert(to.end(), what.begin(), what.end()); }

void AppendInt(Bytes& to, uint32_t v) {
  for (int i = 0; i < 4; ++i) to.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A memory stream that hands out at most a few bytes per read, so that the
// end of the compressed data lies beyond what the inflater has taken.
class TTrickleStream : public fw::TMemoryStream {
 public:
  TTrickleStream(std::vector<uint8_t> data, int64_t piece) : fw::TMemoryStream(std::move(data)), piece_(piece) {}
  int64_t Read(void* buffer, int64_t count) override {
    return fw::TMemoryStream::Read(buffer, std::min(count, piece_));
  }

 private:
  int64_t piece_;
};

uint32_t ReadInt(fw::TStream& s) {
  uint8_t b[4];
  for (int i = 0; i < 4; ++i)
    if (s.Read(b + i, 1) != 1) ADD_FAILURE() << "source ended";
  return b[0] | (b[1] << 8) | (b[2] << 16) | (uint32_t{b[3]} << 24);
}

Bytes ReadAll(fw::TStream& s, size_t expected) {
  Bytes out(expected);
  s.ReadBuffer(out.data(), static_cast<int64_t>(expected));
  return out;
}

TEST(ZDecompressionStream, InflatesSmallAndMultiRefillData) {
  for (const Bytes& raw : {Text(10), Text(300000), Noise(200000, 3)}) {
    Bytes packed = Compress(raw);
    fw::TMemoryStream src(packed);
    TZDecompressionStream z(src);
    EXPECT_EQ(ReadAll(z, raw.size()), raw);
    uint8_t more;
    EXPECT_EQ(z.Read(&more, 1), 0);
  }
}

TEST(ZDecompressionStream, BackToBackEntriesKeepTheirPlaceInTheSource) {
  struct Case {
    const char* what;
    Bytes first, second;
    int64_t piece;  // bytes the source hands out per read
  };
  const Case cases[] = {
      {"both entries in one refill", Text(1000), Text(3000), 1 << 30},
      {"entries larger than a refill", Noise(150000, 1), Noise(140000, 2), 1 << 30},
      {"source that hands out one byte per read", Text(500), Noise(300, 4), 1},
      {"source that hands out 7 bytes per read", Noise(2000, 5), Text(900), 7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Bytes src = {9, 9, 9};  // a header before the first entry
    Append(src, Compress(c.first));
    AppendInt(src, 0x12345678);
    Append(src, Compress(c.second));
    AppendInt(src, 0xCAFEBABE);
    TTrickleStream s(src, c.piece);
    s.SetPosition(3);
    {
      TZDecompressionStream z(s);
      EXPECT_EQ(ReadAll(z, c.first.size()), c.first);
    }
    EXPECT_EQ(ReadInt(s), 0x12345678u);
    {
      TZDecompressionStream z(s);
      EXPECT_EQ(ReadAll(z, c.second.size()), c.second);
    }
    EXPECT_EQ(ReadInt(s), 0xCAFEBABEu);
    EXPECT_EQ(s.Position(), s.Size());
  }
}

TEST(ZDecompressionStream, RestartsWhereItsDataBeganNotAtTheStartOfTheSource) {
  Bytes raw = Text(5000);
  Bytes src = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
  Append(src, Compress(raw));
  fw::TMemoryStream s(src);
  s.SetPosition(10);
  TZDecompressionStream z(s);
  EXPECT_EQ(ReadAll(z, 100), Bytes(raw.begin(), raw.begin() + 100));
  EXPECT_EQ(z.Seek(0, fw::TSeekOrigin::soBeginning), 0);
  EXPECT_EQ(ReadAll(z, raw.size()), raw);
  EXPECT_EQ(z.Seek(0, fw::TSeekOrigin::soEnd), static_cast<int64_t>(raw.size()));
  z.Seek(0, fw::TSeekOrigin::soBeginning);
  EXPECT_EQ(ReadAll(z, 10), Bytes(raw.begin(), raw.begin() + 10));
}

TEST(ZDecompressionStream, SeeksForwardByReadingAndRefusesToGoBack) {
  Bytes raw = Text(40000);
  Bytes packed = Compress(raw);
  fw::TMemoryStream s(packed);
  TZDecompressionStream z(s);
  uint8_t b[5];
  z.ReadBuffer(b, 5);
  EXPECT_EQ(z.Seek(0, fw::TSeekOrigin::soCurrent), 5);
  EXPECT_EQ(z.Position(), 5);
  EXPECT_EQ(z.Seek(10, fw::TSeekOrigin::soCurrent), 15);
  EXPECT_EQ(z.Seek(20000, fw::TSeekOrigin::soBeginning), 20000);  // forward, past 16 KB chunks
  z.ReadBuffer(b, 1);
  EXPECT_EQ(b[0], raw[20000]);
  EXPECT_THROW(z.Seek(-1, fw::TSeekOrigin::soCurrent), EZDecompressionError);
  EXPECT_THROW(z.Seek(3, fw::TSeekOrigin::soBeginning), EZDecompressionError);
  EXPECT_THROW(z.Seek(-5, fw::TSeekOrigin::soEnd), EZDecompressionError);
  EXPECT_EQ(z.Seek(0, fw::TSeekOrigin::soEnd), 40000);
  EXPECT_THROW(z.Seek(1, fw::TSeekOrigin::soCurrent), fw::EReadError);
  try {
    z.Seek(-1, fw::TSeekOrigin::soCurrent);
  } catch (const EZDecompressionError& e) {
    EXPECT_EQ(e.Message(), u"Invalid ZStream operation!");
  }
}

TEST(ZDecompressionStream, ReadingAfterTheEndReturnsNothingAndLeavesTheSource) {
  Bytes raw = Text(100);
  Bytes src = Compress(raw);
  Append(src, Bytes(50, 7));
  fw::TMemoryStream s(src);
  TZDecompressionStream z(s);
  ReadAll(z, raw.size());
  int64_t after = s.Position();
  EXPECT_EQ(after, static_cast<int64_t>(src.size() - 50));
  uint8_t b[16];
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(z.Read(b, sizeof b), 0);
    EXPECT_EQ(s.Position(), after);
  }
  EXPECT_EQ(z.Read(b, 0), 0);
}

TEST(ZDecompressionStream, SourceThatEndsEarlyGivesWhatItHas) {
  Bytes raw = Noise(1000, 8);
  Bytes packed = Compress(raw);
  packed.resize(packed.size() / 2);
  fw::TMemoryStream s(packed);
  TZDecompressionStream z(s);
  Bytes out(1000);
  int64_t got = z.Read(out.data(), 1000);
  EXPECT_GT(got, 0);
  EXPECT_LT(got, 1000);
  EXPECT_TRUE(std::equal(out.begin(), out.begin() + got, raw.begin()));
  EXPECT_EQ(z.Read(out.data(), 1000), 0);
  z.Seek(0, fw::TSeekOrigin::soBeginning);
  EXPECT_THROW(z.ReadBuffer(out.data(), 1000), fw::EReadError);
}

TEST(ZDecompressionStream, DamagedDataRaisesWithZlibsCode) {
  Bytes raw = Text(3000);
  Bytes badTrailer = Compress(raw);
  badTrailer.back() ^= 1;
  Bytes badHeader = Compress(raw);
  badHeader[0] = 0x11;
  struct Case {
    const char* what;
    Bytes data;
    int code;
    const char16_t* text;
  };
  // A header that asks for a preset dictionary (flag 0x20), then a dictionary id.
  Bytes needsDictionary = {0x08, 0x7A, 0x5B, 0x5B, 0x5B, 0x26, 0x5B};
  const Case cases[] = {
      {"Adler-32 trailer", badTrailer, -3, u"data error"},
      {"zlib header", badHeader, -3, u"data error"},
      {"preset dictionary", needsDictionary, 2, u"need dictionary"},
  };
  for (const Case& c : cases) {
    fw::TMemoryStream s(c.data);
    TZDecompressionStream z(s);
    Bytes out(raw.size());
    try {
      z.ReadBuffer(out.data(), static_cast<int64_t>(out.size()));
      ADD_FAILURE() << c.what << ": no error";
    } catch (const EZDecompressionError& e) {
      EXPECT_EQ(e.ErrorCode(), c.code) << c.what;
      EXPECT_EQ(e.Message(), c.text) << c.what;
    }
  }
}

TEST(ZDecompressionStream, WritingIsRefused) {
  fw::TMemoryStream s(Compress(Text(10)));
  TZDecompressionStream z(s);
  EXPECT_THROW(z.Write("x", 1), EZDecompressionError);
}

TEST(ZDecompressionStream, RawDeflateWithWindowBits) {
  Bytes raw = Text(4000);
  z_stream d{};
  ASSERT_EQ(deflateInit2(&d, 6, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY), Z_OK);
  Bytes out(8000);
  d.next_in = raw.data();
  d.avail_in = static_cast<uInt>(raw.size());
  d.next_out = out.data();
  d.avail_out = static_cast<uInt>(out.size());
  ASSERT_EQ(deflate(&d, Z_FINISH), Z_STREAM_END);
  out.resize(d.total_out);
  deflateEnd(&d);
  fw::TMemoryStream s(out);
  TZDecompressionStream z(s, -15);
  EXPECT_EQ(ReadAll(z, raw.size()), raw);
}

TEST(ZLibError, MessagesFollowTheCode) {
  struct Case {
    int code;
    const char16_t* text;
  };
  const Case cases[] = {{2, u"need dictionary"}, {1, u"stream end"},           {0, u"ok"},
                        {-1, u"file error"},     {-2, u"stream error"},        {-3, u"data error"},
                        {-4, u"insufficient memory"}, {-5, u"buffer error"}, {-6, u"incompatible version"}};
  for (const Case& c : cases) {
    EZLibError e(c.code, u"");
    EXPECT_EQ(e.Message(), c.text);
    EXPECT_EQ(e.ErrorCode(), c.code);
  }
  EXPECT_EQ(EZLibError(TZError::zeError, u"").ErrorCode(), -1);
  EXPECT_EQ(EZLibError(TZError::zeVersionError, u"").ErrorCode(), -6);
  EXPECT_EQ(CheckInflateResult(2), 2);
  EXPECT_THROW(CheckInflateResult(-4), EZDecompressionError);
}

}  // namespace
}  // namespace skin
