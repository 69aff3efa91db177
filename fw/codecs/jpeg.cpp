#include "fw/codecs/jpeg.h"

#include <cstdio>
#include <cstdlib>

extern "C" {
#include <jerror.h>
#include <jpeglib.h>
}

#include "fw/codecs/image_limits.h"

namespace fw::codecs {

namespace {

const String kFormat = u"JPEG";

// libjpeg's default error handler ends the process; ours throws, which
// unwinds through the library's frames back to the caller (the library
// keeps no state that needs cleaning beyond jpeg_destroy, done by the
// holders below).
struct TJpegError {
  String Message;
  bool Truncated = false;
};

[[noreturn]] void ErrorExit(j_common_ptr c) {
  char text[JMSG_LENGTH_MAX] = {};
  (*c->err->format_message)(c, text);
  throw TJpegError{AnsiToString(text)};
}

void EmitMessage(j_common_ptr c, int level) {
  // A file that ends early is padded by the library with a warning; here
  // it is an error like any other truncated image.
  if (level < 0 && c->err->msg_code == JWRN_JPEG_EOF) throw TJpegError{String(), true};
}

void OutputMessage(j_common_ptr) {}

void InitErrors(jpeg_error_mgr& err) {
  jpeg_std_error(&err);
  err.error_exit = ErrorExit;
  err.emit_message = EmitMessage;
  err.output_message = OutputMessage;
}

[[noreturn]] void Fail(const TJpegError& e) {
  if (e.Truncated) ThrowTruncated(kFormat);
  ThrowDamaged(kFormat, e.Message);
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

  // Not in the constructor: the library raises its errors from here too
  // (an empty buffer), and only a constructed holder is destroyed.
  void ReadHeader(const uint8_t* data, size_t size) {
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    CheckImageSize(info.image_width, info.image_height, kFormat);
  }
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
    jpeg_mem_dest(&info, &out, &outSize);
  }
  ~TCompress() {
    jpeg_destroy_compress(&info);
    if (out) free(out);
  }
};

}  // namespace

JpegSize ReadJpegSize(const uint8_t* data, size_t size) {
  try {
    TDecompress d;
    d.ReadHeader(data, size);
    return JpegSize{static_cast<int>(d.info.image_width), static_cast<int>(d.info.image_height)};
  } catch (const TJpegError& e) {
    Fail(e);
  }
}

JpegImage DecodeJpeg(const uint8_t* data, size_t size, int denominator, bool grayscale) {
  JpegImage img;
  try {
    TDecompress d;
    d.ReadHeader(data, size);
    d.info.scale_num = 1;
    d.info.scale_denom = static_cast<unsigned>(denominator);
    const J_COLOR_SPACE source = d.info.jpeg_color_space;
    const bool cmyk = source == JCS_CMYK || source == JCS_YCCK;
    if (grayscale || source == JCS_GRAYSCALE) d.info.out_color_space = JCS_GRAYSCALE;
    else if (cmyk) d.info.out_color_space = JCS_CMYK;
    else d.info.out_color_space = JCS_RGB;
    // Adobe applications store CMYK inverted (0 = full ink) and say so
    // with their marker.
    const bool inverted = cmyk && d.info.saw_Adobe_marker;
    jpeg_start_decompress(&d.info);
    img.Width = static_cast<int>(d.info.output_width);
    img.Height = static_cast<int>(d.info.output_height);
    const int comps = d.info.output_components;
    img.Pixels.resize(static_cast<size_t>(img.Width) * 3 * img.Height);
    std::vector<uint8_t> row(static_cast<size_t>(img.Width) * comps);
    while (d.info.output_scanline < d.info.output_height) {
      uint8_t* out = img.Row(static_cast<int>(d.info.output_scanline));
      JSAMPROW rows[1] = {row.data()};
      jpeg_read_scanlines(&d.info, rows, 1);
      for (int x = 0; x < img.Width; ++x) {
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
  return img;
}

std::vector<uint8_t> EncodeJpeg(const JpegImage& image, int quality, bool grayscale) {
  const int w = image.Width, h = image.Height;
  std::vector<uint8_t> file;
  try {
    TCompress c;
    c.info.image_width = static_cast<JDIMENSION>(w);
    c.info.image_height = static_cast<JDIMENSION>(h);
    c.info.input_components = grayscale ? 1 : 3;
    c.info.in_color_space = grayscale ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c.info);
    jpeg_set_quality(&c.info, quality, TRUE);
    jpeg_start_compress(&c.info, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
      const uint8_t* in = image.Row(y);
      for (int x = 0; x < w; ++x) {
        if (grayscale) {
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
    file.assign(c.out, c.out + c.outSize);
  } catch (const TJpegError& e) {
    Fail(e);
  }
  return file;
}

}  // namespace fw::codecs
