#include "fw/graphics/jpeg.h"

#include <cstdio>
#include <cstring>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "fw/codecs/image_limits.h"
#include "fw/core/rtti.h"
#include "fw/graphics/picture.h"

namespace fw {

FW_REGISTER(TJPEGImage) {}

void RegisterJpegFormat() {
  TPicture::RegisterFileFormat(u"jpg", u"JPEG Image File", TJPEGImage::StaticClass());
  TPicture::RegisterFileFormat(u"jpeg", u"JPEG Image File", TJPEGImage::StaticClass());
}

namespace {

const String kFormat = u"JPEG";

// libjpeg's default error handler ends the process; ours throws, which
// unwinds through the library's frames back to the caller (the library
// keeps no state that needs cleaning beyond jpeg_destroy, done by the
// holders below).
struct TJpegError {
  String Message;
};

[[noreturn]] void ErrorExit(j_common_ptr c) {
  char text[JMSG_LENGTH_MAX] = {};
  (*c->err->format_message)(c, text);
  throw TJpegError{AnsiToString(text)};
}

void EmitMessage(j_common_ptr c, int level) {
  // A file that ends early is padded by the library with a warning; here
  // it is an error like any other truncated image.
  if (level < 0 && c->err->msg_code == JWRN_JPEG_EOF) throw TJpegError{u"image is truncated"};
}

void OutputMessage(j_common_ptr) {}

void InitErrors(jpeg_error_mgr& err) {
  jpeg_std_error(&err);
  err.error_exit = ErrorExit;
  err.emit_message = EmitMessage;
  err.output_message = OutputMessage;
}

struct TDecompress {
  jpeg_decompress_struct info{};
  jpeg_error_mgr err{};
  TDecompress() {
    InitErrors(err);
    info.err = &err;
    jpeg_create_decompress(&info);
  }
  ~TDecompress() { jpeg_destroy_decompress(&info); }
};

struct TCompress {
  jpeg_compress_struct info{};
  jpeg_error_mgr err{};
  unsigned char* out = nullptr;
  unsigned long outSize = 0;
  TCompress() {
    InitErrors(err);
    info.err = &err;
    jpeg_create_compress(&info);
  }
  ~TCompress() {
    jpeg_destroy_compress(&info);
    if (out) free(out);
  }
};

[[noreturn]] void Fail(const TJpegError& e) {
  if (e.Message == u"image is truncated") throw EInvalidGraphic(kFormat + u" image is truncated");
  throw EInvalidGraphic(kFormat + u" image is damaged: " + e.Message);
}

int Denominator(TJPEGScale s) { return 1 << static_cast<int>(s); }

// Scaled size as libjpeg computes it: rounded up.
int ScaledSize(int size, TJPEGScale s) {
  int d = Denominator(s);
  return (size + d - 1) / d;
}

}  // namespace

TJPEGImage::TJPEGImage() = default;
TJPEGImage::~TJPEGImage() = default;

bool TJPEGImage::Empty() const { return data_.empty() && (!bitmap_ || bitmap_->Empty()); }

int TJPEGImage::Width() const {
  if (bitmap_) return bitmap_->Width();
  return ScaledSize(imageWidth_, scale_);
}

int TJPEGImage::Height() const {
  if (bitmap_) return bitmap_->Height();
  return ScaledSize(imageHeight_, scale_);
}

void TJPEGImage::SetWidth(int v) {
  if (v != Width()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::SetHeight(int v) {
  if (v != Height()) throw EInvalidGraphic(u"Cannot change the size of a JPEG image");
}

void TJPEGImage::FreeBitmap() {
  // Only a bitmap decoded from data can be made again.
  if (!data_.empty()) bitmap_.reset();
}

void TJPEGImage::SetScale(TJPEGScale v) {
  if (v == scale_) return;
  scale_ = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetGrayscale(bool v) {
  if (v == grayscale_) return;
  grayscale_ = v;
  FreeBitmap();
  Changed();
}

void TJPEGImage::SetCompressionQuality(int v) { quality_ = std::clamp(v, 1, 100); }

void TJPEGImage::ReadHeader() {
  try {
    TDecompress d;
    jpeg_mem_src(&d.info, data_.data(), static_cast<unsigned long>(data_.size()));
    jpeg_read_header(&d.info, TRUE);
    codecs::CheckImageSize(d.info.image_width, d.info.image_height, kFormat);
    imageWidth_ = static_cast<int>(d.info.image_width);
    imageHeight_ = static_cast<int>(d.info.image_height);
  } catch (const TJpegError& e) {
    Fail(e);
  }
}

void TJPEGImage::DIBNeeded() {
  if (bitmap_ || data_.empty()) return;
  auto bmp = std::make_unique<TBitmap>();
  bmp->SetPixelFormat(pf24bit);
  try {
    TDecompress d;
    jpeg_mem_src(&d.info, data_.data(), static_cast<unsigned long>(data_.size()));
    jpeg_read_header(&d.info, TRUE);
    codecs::CheckImageSize(d.info.image_width, d.info.image_height, kFormat);
    d.info.scale_num = 1;
    d.info.scale_denom = static_cast<unsigned>(Denominator(scale_));
    const J_COLOR_SPACE source = d.info.jpeg_color_space;
    const bool cmyk = source == JCS_CMYK || source == JCS_YCCK;
    if (grayscale_ || source == JCS_GRAYSCALE) d.info.out_color_space = JCS_GRAYSCALE;
    else if (cmyk) d.info.out_color_space = JCS_CMYK;
    else d.info.out_color_space = JCS_RGB;
    // Adobe applications store CMYK inverted (0 = full ink) and say so
    // with their marker.
    const bool inverted = cmyk && d.info.saw_Adobe_marker;
    Progress(psStarting, 0, false, TRect{}, String());
    jpeg_start_decompress(&d.info);
    const int w = static_cast<int>(d.info.output_width), h = static_cast<int>(d.info.output_height);
    const int comps = d.info.output_components;
    bmp->SetSize(w, h);
    std::vector<uint8_t> row(static_cast<size_t>(w) * comps);
    while (d.info.output_scanline < d.info.output_height) {
      const int y = static_cast<int>(d.info.output_scanline);
      JSAMPROW rows[1] = {row.data()};
      jpeg_read_scanlines(&d.info, rows, 1);
      auto* out = static_cast<uint8_t*>(bmp->ScanLine(y));
      for (int x = 0; x < w; ++x) {
        const uint8_t* s = row.data() + static_cast<size_t>(x) * comps;
        uint8_t r, g, b;
        if (comps == 1) {
          r = g = b = s[0];
        } else if (comps == 4) {
          int c = s[0], m = s[1], ye = s[2], k = s[3];
          if (!inverted) {
            c = 255 - c;
            m = 255 - m;
            ye = 255 - ye;
            k = 255 - k;
          }
          r = static_cast<uint8_t>((c * k + 127) / 255);
          g = static_cast<uint8_t>((m * k + 127) / 255);
          b = static_cast<uint8_t>((ye * k + 127) / 255);
        } else {
          r = s[0];
          g = s[1];
          b = s[2];
        }
        out[3 * x] = b;
        out[3 * x + 1] = g;
        out[3 * x + 2] = r;
      }
    }
    jpeg_finish_decompress(&d.info);
  } catch (const TJpegError& e) {
    Fail(e);
  }
  bitmap_ = std::move(bmp);
  Progress(psEnding, 100, false, TRect{}, String());
}

TBitmap* TJPEGImage::Bitmap() {
  DIBNeeded();
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->SetPixelFormat(pf24bit);
  }
  return bitmap_.get();
}

void TJPEGImage::Compress() {
  if (!bitmap_ || bitmap_->Empty()) throw EInvalidGraphic(u"Cannot compress an empty JPEG image");
  TBitmap src;
  src.Assign(bitmap_.get());
  src.SetPixelFormat(pf24bit);
  const int w = src.Width(), h = src.Height();
  std::vector<uint8_t> out;
  try {
    TCompress c;
    jpeg_mem_dest(&c.info, &c.out, &c.outSize);
    c.info.image_width = static_cast<JDIMENSION>(w);
    c.info.image_height = static_cast<JDIMENSION>(h);
    c.info.input_components = grayscale_ ? 1 : 3;
    c.info.in_color_space = grayscale_ ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, quality_, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
      const auto* in = static_cast<const uint8_t*>(src.ScanLine(y));
      for (int x = 0; x < w; ++x) {
        if (grayscale_) {
          row[x] = static_cast<uint8_t>((in[3 * x + 2] * 77 + in[3 * x + 1] * 151 + in[3 * x] * 28) >> 8);
        } else {
          row[3 * x] = in[3 * x + 2];
          row[3 * x + 1] = in[3 * x + 1];
          row[3 * x + 2] = in[3 * x];
        }
      }
      JSAMPROW rows[1] = {row.data()};
      jpeg_write_scanlines(&c.info, rows, 1);
    }
    jpeg_finish_compress(&c.info);
    out.assign(c.out, c.out + c.outSize);
  } catch (const TJpegError& e) {
    Fail(e);
  }
  data_ = std::move(out);
  imageWidth_ = w;
  imageHeight_ = h;
  scale_ = jsFullSize;
}

void TJPEGImage::JPEGNeeded() {
  if (data_.empty() && bitmap_ && !bitmap_->Empty()) Compress();
}

void TJPEGImage::Assign(TPersistent* Source) {
  if (Source == this) return;
  if (auto* src = dynamic_cast<TJPEGImage*>(Source)) {
    data_ = src->data_;
    imageWidth_ = src->imageWidth_;
    imageHeight_ = src->imageHeight_;
    scale_ = src->scale_;
    grayscale_ = src->grayscale_;
    quality_ = src->quality_;
    bitmap_.reset();
    if (data_.empty() && src->bitmap_) {
      bitmap_ = std::make_unique<TBitmap>();
      bitmap_->Assign(src->bitmap_.get());
    }
    Changed();
    return;
  }
  if (auto* g = dynamic_cast<TGraphic*>(Source)) {
    // Any other graphic becomes the picture to compress.
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf24bit);
    bmp->Assign(g);
    bmp->SetPixelFormat(pf24bit);
    data_.clear();
    bitmap_ = std::move(bmp);
    scale_ = jsFullSize;
    Changed();
    return;
  }
  TGraphic::Assign(Source);
}

void TJPEGImage::AssignTo(TPersistent* Dest) {
  if (auto* b = dynamic_cast<TBitmap*>(Dest)) {
    b->Assign(Bitmap());
    return;
  }
  TGraphic::AssignTo(Dest);
}

void TJPEGImage::LoadFromStream(TStream& stream) {
  int64_t left = stream.Size() - stream.Position();
  std::vector<uint8_t> data(static_cast<size_t>(std::max<int64_t>(left, 0)));
  if (!data.empty()) stream.ReadBuffer(data.data(), static_cast<int64_t>(data.size()));
  std::vector<uint8_t> old = std::move(data_);
  data_ = std::move(data);
  try {
    ReadHeader();
  } catch (...) {
    data_ = std::move(old);
    throw;
  }
  bitmap_.reset();
  Changed();
}

void TJPEGImage::SaveToStream(TStream& stream) {
  JPEGNeeded();
  if (data_.empty()) throw EInvalidGraphic(u"Cannot save an empty JPEG image");
  stream.WriteBuffer(data_.data(), static_cast<int64_t>(data_.size()));
}

void TJPEGImage::Draw(TCanvas* canvas, const TRect& r) {
  DIBNeeded();
  if (bitmap_) canvas->StretchDraw(r, bitmap_.get());
}

}  // namespace fw
