// The picture in a stream is recognised by its leading bytes, counted from
// where the picture starts; an unknown or short stream gives no class and
// raises nothing; a bad signature is refused with a clear error.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/jpeg.h"
#include "fw/graphics/metafile.h"
#include "services/ckgraphicsig.h"
#include "services/core/ckexception.h"

using namespace fw;

namespace {

TMemoryStream StreamOf(const std::string& bytes, size_t lead = 0) {
  std::vector<uint8_t> data(lead, 0xAA);
  data.insert(data.end(), bytes.begin(), bytes.end());
  TMemoryStream s(std::move(data));
  s.SetPosition(static_cast<int64_t>(lead));
  return s;
}

std::string Named(TClass c) { return c ? StringToUtf8(c->ClassName()) : "none"; }

TEST(GraphicSignatures, EachFormatIsRecognisedFromItsFirstBytesWhereverThePictureStarts) {
  struct Case {
    std::string bytes;
    TClass expected;
  };
  const std::string pad(16, '\0');
  const Case cases[] = {
      {"BM" + pad, TBitmap::StaticClass()},
      {std::string("\x00\x00\x01\x00", 4) + pad, TIcon::StaticClass()},
      {"\xD7\xCD\xC6\x9A" + pad, TMetafile::StaticClass()},
      {std::string("\x01\x00\x00\x00", 4) + pad, TMetafile::StaticClass()},
      {std::string("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10) + pad, TJPEGImage::StaticClass()},
      {std::string("\xFF\xD8\xFF\xE1\x00\x10" "Exif", 10) + pad, TJPEGImage::StaticClass()},
      {"\x89PNG\r\n\x1A\n" + pad, nullptr},  // no PNG signature is registered
      {"\xFF\xD8\xFF", nullptr},            // shorter than the JPEG signatures
      {"", nullptr},
  };
  for (size_t lead : {size_t{0}, size_t{7}}) {
    for (const Case& c : cases) {
      TMemoryStream s = StreamOf(c.bytes, lead);
      EXPECT_EQ(Named(services::FindGraphicClass(s)), Named(c.expected)) << "lead " << lead << " " << c.bytes.size();
      EXPECT_EQ(s.Position(), static_cast<int64_t>(lead)) << "the position is kept";
    }
  }
}

TEST(GraphicSignatures, APictureLoadsFromWhereItStartsAndUnknownBytesGiveNone) {
  TBitmap source;
  source.SetPixelFormat(pf24bit);
  source.SetSize(5, 3);
  TMemoryStream saved;
  source.SaveToStream(saved);
  std::string bytes(saved.Bytes().begin(), saved.Bytes().end());
  TMemoryStream s = StreamOf(bytes, 11);
  auto graphic = services::GraphicFromStream(s);
  ASSERT_NE(graphic, nullptr);
  EXPECT_TRUE(graphic->InheritsFrom(TBitmap::StaticClass()));
  EXPECT_EQ(graphic->Width(), 5);
  EXPECT_EQ(graphic->Height(), 3);

  TMemoryStream unknown = StreamOf("GIF89a" + std::string(20, '\0'));
  EXPECT_EQ(services::GraphicFromStream(unknown), nullptr);
}

TEST(GraphicSignatures, ABadSignatureIsRefusedAndAGoodOneIsFoundAfterTheBuiltInOnes) {
  struct Case {
    std::string signature;
    int offset;
    TClass graphicClass;
  };
  const Case bad[] = {{"", 0, TBitmap::StaticClass()}, {"VL", -1, TBitmap::StaticClass()}, {"VL", 0, nullptr}};
  for (const Case& c : bad) {
    try {
      services::AddGraphicSignature(c.signature, c.offset, c.graphicClass);
      ADD_FAILURE() << "accepted '" << c.signature << "' at " << c.offset;
    } catch (const services::ECKException& e) {
      EXPECT_EQ(StringToUtf8(e.Message()), "Bad Graphic Signature");
    }
  }
  services::AddGraphicSignatureBytes({'V', 'L', 'P', 'I', 'C'}, 2, TIcon::StaticClass());
  TMemoryStream s = StreamOf("..VLPIC....");
  EXPECT_EQ(Named(services::FindGraphicClass(s)), "TIcon");
}

}  // namespace
