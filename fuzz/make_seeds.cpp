// Writes the seed inputs of the fuzz targets: small valid files of each
// format, made by the program's own writers (font database, JPEG encoder),
// the tests' GIF and font file writers and the few lines of format writing
// below.
//
//   make_fuzz_seeds <folder>   (the repository's fuzz/corpus)
//
// Each input goes to <folder>/<target>/<name>; the output is the same on
// every run, so the committed seeds can be made again after a change here.
#include <zlib.h>

#include <cstdint>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/font_database.h"
#include "app/core/font_file_writer.h"
#include "fw/codecs/gif_writer.h"
#include "fw/codecs/jpeg.h"
#include "fw/core/streams.h"
#include "skin/engine/core/packed_skin.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/engine/core/skin_images.h"

namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

fs::path gRoot;

void Save(const char* target, const char* name, const Bytes& data) {
  fs::create_directories(gRoot / target);
  fw::WriteFileBytes((gRoot / target / name).u16string(), data);
}

Bytes Text(std::string_view s) { return Bytes(s.begin(), s.end()); }

Bytes Cat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void LE16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void LE32(Bytes& b, uint32_t v) {
  LE16(b, v & 0xFFFF);
  LE16(b, v >> 16);
}
void BE16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v >> 8));
  b.push_back(uint8_t(v));
}
void BE32(Bytes& b, uint32_t v) {
  BE16(b, v >> 16);
  BE16(b, v & 0xFFFF);
}
void SetLE32(Bytes& b, size_t at, uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Bytes Zlib(const Bytes& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
  out.resize(size);
  return out;
}

// ---- Bitmaps ----

// A packed DIB: info header, colour table, bottom-up rows of a diagonal
// pattern.
Bytes Dib(int w, int h, int bits, uint32_t compression = 0, const Bytes& packed = {}) {
  Bytes d;
  const int colors = bits <= 8 ? 1 << bits : 0;
  const uint32_t rowBytes = ((w * bits + 31) / 32) * 4;
  Bytes pixels = packed;
  if (pixels.empty())
    for (int y = 0; y < h; ++y)
      for (uint32_t x = 0; x < rowBytes; ++x) pixels.push_back(uint8_t((x * 7 + y * 13) ^ (x > rowBytes / 2 ? 0xFF : 0)));
  LE32(d, 40);
  LE32(d, w);
  LE32(d, h);
  LE16(d, 1);
  LE16(d, bits);
  LE32(d, compression);
  LE32(d, static_cast<uint32_t>(pixels.size()));
  LE32(d, 2835);
  LE32(d, 2835);
  LE32(d, colors);
  LE32(d, 0);
  if (compression == 3) {
    for (uint32_t m : {0xF800u, 0x07E0u, 0x001Fu}) LE32(d, m);
  }
  for (int i = 0; i < colors; ++i) LE32(d, uint32_t(i * 0x010101 * (255 / std::max(colors - 1, 1))));
  return Cat(d, pixels);
}

Bytes BmpFile(const Bytes& dib) {
  Bytes f = Text("BM");
  LE32(f, static_cast<uint32_t>(14 + dib.size()));
  LE32(f, 0);
  const uint32_t colors = dib[32] | (dib[33] << 8);
  const uint32_t masks = dib[16] == 3 ? 12 : 0;
  LE32(f, 14 + 40 + masks + colors * 4);
  return Cat(f, dib);
}

// RLE8: runs, an absolute run, a delta, line ends and the end mark.
Bytes Rle8Pixels() {
  return {4, 1, 0, 3, 9, 8, 7, 0, 0, 0, 2, 2, 0, 2, 1, 1, 3, 5, 0, 0, 0, 1};
}

// ---- PNG ----

void Chunk(Bytes& png, const char* type, const Bytes& data) {
  BE32(png, static_cast<uint32_t>(data.size()));
  Bytes typed = Cat(Text(type), data);
  png.insert(png.end(), typed.begin(), typed.end());
  BE32(png, static_cast<uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

Bytes Png(int w, int h, int depth, int colorType, bool interlace, const Bytes& palette = {}, const Bytes& trns = {}) {
  Bytes png = {137, 80, 78, 71, 13, 10, 26, 10};
  Bytes ihdr;
  BE32(ihdr, w);
  BE32(ihdr, h);
  ihdr.insert(ihdr.end(), {uint8_t(depth), uint8_t(colorType), 0, 0, uint8_t(interlace)});
  Chunk(png, "IHDR", ihdr);
  if (!palette.empty()) Chunk(png, "PLTE", palette);
  if (!trns.empty()) Chunk(png, "tRNS", trns);
  Chunk(png, "gAMA", {0, 0, 0xB1, 0x8F});
  const int channels = colorType == 2 ? 3 : colorType == 4 ? 2 : colorType == 6 ? 4 : 1;
  const size_t rowBytes = (size_t(w) * channels * depth + 7) / 8;
  // Every filter type in turn; an interlaced image is given as many rows
  // as its passes need at most.
  Bytes raw;
  for (int y = 0; y < h * (interlace ? 2 : 1); ++y) {
    raw.push_back(uint8_t(y % 5));
    for (size_t x = 0; x < rowBytes; ++x) raw.push_back(uint8_t(x * 31 + y * 17));
  }
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", {});
  return png;
}

// ---- Icons ----

// An icon entry's DIB: the header says twice the height (colour rows and
// mask rows follow).
Bytes IconDib(int size, int bits) {
  Bytes d = Dib(size, size, bits);
  SetLE32(d, 8, size * 2);
  const uint32_t maskRow = ((size + 31) / 32) * 4;
  for (uint32_t i = 0; i < maskRow * size; ++i) d.push_back(i % maskRow == 0 ? 0xF0 : 0);
  return d;
}

Bytes Ico(const std::vector<Bytes>& images, const std::vector<int>& sizes) {
  Bytes f;
  LE16(f, 0);
  LE16(f, 1);
  LE16(f, static_cast<uint32_t>(images.size()));
  uint32_t offset = static_cast<uint32_t>(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    f.push_back(uint8_t(sizes[i] >= 256 ? 0 : sizes[i]));
    f.push_back(uint8_t(sizes[i] >= 256 ? 0 : sizes[i]));
    f.insert(f.end(), {0, 0, 1, 0, 32, 0});
    LE32(f, static_cast<uint32_t>(images[i].size()));
    LE32(f, offset);
    offset += static_cast<uint32_t>(images[i].size());
  }
  for (const Bytes& image : images) f = Cat(f, image);
  return f;
}

// ---- Metafiles ----

void WmfRecord(Bytes& f, uint16_t function, const std::vector<uint16_t>& params) {
  LE32(f, static_cast<uint32_t>(3 + params.size()));
  LE16(f, function);
  for (uint16_t p : params) LE16(f, p);
}

Bytes Wmf(bool placeable) {
  Bytes body;
  WmfRecord(body, 0x020B, {0, 0});           // window origin
  WmfRecord(body, 0x020C, {60, 80});         // window extent
  WmfRecord(body, 0x0418, {50, 70, 10, 10}); // ellipse
  WmfRecord(body, 0x0000, {});               // end
  Bytes f;
  if (placeable) {
    LE32(f, 0x9AC6CDD7);
    LE16(f, 0);
    for (uint16_t v : {0, 0, 80, 60}) LE16(f, v);
    LE16(f, 96);
    LE32(f, 0);
    uint16_t sum = 0;
    for (size_t i = 0; i < f.size(); i += 2) sum ^= uint16_t(f[i] | (f[i + 1] << 8));
    LE16(f, sum);
  }
  LE16(f, 1);
  LE16(f, 9);
  LE16(f, 0x300);
  LE32(f, static_cast<uint32_t>(9 + body.size() / 2));
  LE16(f, 0);
  LE32(f, 7);
  LE16(f, 0);
  return Cat(f, body);
}

Bytes Emf() {
  Bytes f;
  LE32(f, 1);  // header record
  LE32(f, 88);
  for (int v : {0, 0, 63, 47}) LE32(f, v);      // bounds
  for (int v : {0, 0, 1693, 1270}) LE32(f, v);  // frame, 0.01 mm
  f.insert(f.end(), {' ', 'E', 'M', 'F'});
  LE32(f, 0x10000);
  LE32(f, 0);  // file size, below
  LE32(f, 3);  // records
  LE16(f, 0);
  LE16(f, 0);
  LE32(f, 0);
  LE32(f, 0);
  LE32(f, 0);
  for (int v : {1024, 768, 320, 240}) LE32(f, v);
  LE32(f, 42);  // ellipse
  LE32(f, 24);
  for (int v : {4, 4, 40, 30}) LE32(f, v);
  LE32(f, 14);  // end
  LE32(f, 20);
  LE32(f, 0);
  LE32(f, 16);
  LE32(f, 20);
  SetLE32(f, 48, static_cast<uint32_t>(f.size()));
  return f;
}

// ---- JPEG ----

Bytes Jpeg(int w, int h, bool grayscale) {
  fw::codecs::JpegImage img;
  img.Width = w;
  img.Height = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) img.Pixels.insert(img.Pixels.end(), {uint8_t(x * 8), uint8_t(y * 8), uint8_t(x < w / 2 ? 255 : 0)});
  return fw::codecs::EncodeJpeg(img, 75, grayscale);
}

// ---- GIF ----

Bytes Gif(bool interlaced, int transparent) {
  fw::testing::GifFrame frame;
  frame.Left = 2;
  frame.Top = 1;
  frame.Width = 12;
  frame.Height = 9;
  frame.Interlaced = interlaced;
  frame.Transparent = transparent;
  for (int i = 0; i < frame.Width * frame.Height; ++i) frame.Indices.push_back(uint8_t((i / 3 + i / 24) % 6));
  return fw::testing::WriteGif(16, 12, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080}, {frame}, 3);
}

// ---- Fonts ----

// Fonts by the tests' font file writer: its standard names, and more
// records of the kinds the reader takes or passes over.
Bytes Font(uint32_t version) {
  namespace w = app::test_fonts;
  std::vector<w::NameRecord> names = w::StandardNames();
  names.push_back({3, 0, 0x409, 4, w::Utf16Be(u"Seed Symbols")});
  names.push_back({3, 1, 0x0C0C, 13, w::Utf16Be(u"Libre")});
  names.push_back({3, 1, 0x409, 5, w::Utf16Be(u"Version 1.0")});
  return w::Font(version, w::StandardTables(names));
}

Bytes Collection() { return app::test_fonts::Collection({app::test_fonts::StandardTables(), app::test_fonts::StandardTables()}); }

// Records written by the database's own writer.
Bytes Database(int records) {
  const fs::path file = fs::temp_directory_path() / "vl_make_fuzz_seeds.dat";
  fs::remove(file);
  {
    app::TFontDatabase db;
    db.OpenCompDatabase(file.u16string());
    const char* names[] = {"DejaVu Sans", "Liberation Serif Bold", "Noto Sans Symbols"};
    const char* styles[] = {"Regular", "Bold", "Italic"};
    const char* families[] = {"Swiss", "Roman", "Decorative"};
    for (int i = 0; i < records; ++i) {
      db.RecName = fw::AnsiToString(names[i % 3]);
      db.RecFamily = fw::AnsiToString(families[i % 3]);
      db.RecStyle = fw::AnsiToString(styles[i % 3]);
      db.RecFileName = u"C:\\Fonts\\" + db.RecName + u".ttf";
      db.RecFontType = fw::AnsiToString(std::to_string(3 + i % 3));
      db.RecWeight = app::WeightTextFromWeight(400 + 300 * (i % 2));
      db.WriteNewCompRec();
    }
  }
  Bytes data = fw::ReadFileBytes(file.u16string());
  fs::remove(file);
  return data;
}

Bytes Utf16Le(char16_t kind, std::u16string_view s) {
  Bytes b = {uint8_t(kind)};
  for (char16_t c : s) LE16(b, c);
  return b;
}

// ---- Form descriptions ----

const char* kFormText =
    "object LdMain: TLdForm\n"
    "  Caption = 'Main'\n"
    "  OnShow = FormShow\n"
    "  object Panel1: TLdWidget\n"
    "    Align = laClient\n"
    "    object Button1: TLdWidget\n"
    "      Left = 8\n"
    "      Caption = 'it''s'#13#10'ok'\n"
    "      Color = clRed\n"
    "      Visible = False\n"
    "      Style = [lsBold, lsUnderline]\n"
    "      Ratio = 1.25\n"
    "      Big = -5000000000\n"
    "      Key = 'K'\n"
    "      Font.Name = 'Arial'\n"
    "      Font.Size = 12\n"
    "      Items.Strings = (\n"
    "        'one'\n"
    "        'two')\n"
    "      Columns = <\n"
    "        item\n"
    "          Caption = 'Name'\n"
    "          Width = 120\n"
    "          Buddy = Timer1\n"
    "        end\n"
    "        item\n"
    "          Caption = 'Size'\n"
    "        end>\n"
    "      Data = {0102FF}\n"
    "      Buddy = Timer1\n"
    "      OnClick = Button1Click\n"
    "    end\n"
    "  end\n"
    "  object Timer1: TLdPlain\n"
    "    Interval = $FFFFFFFF\n"
    "  end\n"
    "end\n";

const char* kOtherFormText =
    "object Other: TLdForm\n"
    "  Caption = 'Other'#9786\n"
    "  object Label1: TLdWidget\n"
    "    Buddy = LdMain.Timer1\n"
    "    Color = $00FF8000\n"
    "    Style = []\n"
    "    Ratio = -2.5E-3\n"
    "    Caption = ''\n"
    "  end\n"
    "end\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds <corpus folder>\n");
    return 2;
  }
  gRoot = argv[1];

  const Bytes bmp8 = BmpFile(Dib(13, 7, 8)), bmp24 = BmpFile(Dib(9, 5, 24));
  Save("bmp", "palette8.bmp", bmp8);
  Save("bmp", "rgb24.bmp", bmp24);
  Save("bmp", "mono1.bmp", BmpFile(Dib(17, 4, 1)));
  Save("bmp", "rle8.bmp", BmpFile(Dib(8, 4, 8, 1, Rle8Pixels())));
  Save("bmp", "fields565.dib", Dib(6, 3, 16, 3));
  Save("bmp", "rgb32.dib", Dib(5, 4, 32));

  const Bytes gif = Gif(false, 3);
  Save("gif", "frame.gif", gif);
  Save("gif", "interlaced.gif", Gif(true, -1));

  const Bytes jpeg = Jpeg(24, 16, false);
  Save("jpeg", "rgb.jpg", Cat({0}, jpeg));
  Save("jpeg", "rgb_quarter.jpg", Cat({2}, jpeg));
  Save("jpeg", "grey.jpg", Cat({4}, Jpeg(16, 16, true)));

  const Bytes png = Png(7, 5, 8, 2, false);
  Save("png", "rgb.png", Cat({0}, png));
  Save("png", "palette_trns.png", Cat({0}, Png(9, 4, 4, 3, false, Bytes(3 * 16, 0x40), {0, 128, 255})));
  Save("png", "grey16_interlaced.png", Cat({0}, Png(5, 6, 16, 0, true)));
  Save("png", "rgba.png", Cat({1}, Bytes(png.begin() + 8, png.end())));
  Bytes synthesized = {2, 3, 4, 3, 3, 0x1F, 4, 6};
  for (int i = 0; i < 200; ++i) synthesized.push_back(uint8_t(i * 37));
  Save("png", "synthesized", synthesized);

  const Bytes ico = Ico({IconDib(16, 4), IconDib(32, 32), Png(48, 48, 8, 6, false)}, {16, 32, 48});
  Save("ico", "three_sizes.ico", ico);
  Save("ico", "png_only.ico", Ico({Png(32, 32, 8, 6, false)}, {32}));

  const Bytes wmf = Wmf(true), emf = Emf();
  Save("metafile", "placeable.wmf", wmf);
  Save("metafile", "plain.wmf", Wmf(false));
  Save("metafile", "frame.emf", emf);

  Save("picture", "picture.bmp", bmp8);
  Save("picture", "picture.gif", gif);
  Save("picture", "picture.jpg", jpeg);
  Save("picture", "picture.png", png);
  Save("picture", "picture.ico", ico);
  Save("picture", "picture.wmf", wmf);
  Save("picture", "picture.emf", emf);

  Save("inflate", "text.z", Cat({1}, Zlib(Text(kFormText))));
  Save("inflate", "two_streams.z", Cat(Cat({0x47}, Zlib(Bytes(300, 'a'))), Zlib(Text(kOtherFormText))));

  // Gradient descriptions behind six bytes choosing the rectangle (0, 0, 20,
  // 20 here) and the image and texture sizes.
  const Bytes gradientHeader = {0, 0, 40, 40, 19, 19};
  Save("gradient", "vertical", Cat(gradientHeader, Text("16777215;12632256;50;0;0;12632256;8421504;50;0;0")));
  Save("gradient", "horizontal", Cat(gradientHeader, Text("0;$FF;30;1;0;;$FF00;-16777201;70;1;0")));
  Save("gradient", "triangles", Cat(gradientHeader, Text("255;0;0;2;0;65280;0;0;2;0;16711680;0;0;2;0")));

  Save("ttf_info", "font.ttf", Font(0x00010000));
  Save("ttf_info", "font.otf", Font(0x4F54544F));
  Save("ttf_info", "collection.ttc", Collection());

  Save("font_database", "three.dat", Database(3));
  Save("typed_file", "two.dat", Database(2));
  Save("typed_file", "partial.dat", Cat(Database(1), Bytes(100, 'x')));

  Save("font_files", "collection", Utf16Le(0, u"Cambria & Cambria Math"));
  Save("font_files", "truetype", Utf16Le(1, u"DejaVu Sans Condensed Bold Oblique (TrueType)"));
  Save("font_files", "raster", Utf16Le(3, u"MS Sans Serif 8,10,12,14,18,24 (VGA res)"));
  Save("font_files", "postscript", Utf16Le(0x84, u"C:\\psfonts\\pfm\\TIR_____"));
  Save("font_files", "resource", Cat(Cat({5, 'M', 'Z', 0, 0}, Text("FONTRES:100,96,96 : Seed Sans")), {0, 1, 2}));

  const std::string description =
      "[GLOBALINFO]\r\nVERSION=8.00\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=15790320\r\n"
      "BOXCHECKED=@0000@0000@0039@0013@3@0\r\n[BASE]\r\nSTATES=2\r\nCOLOR=255\r\nHOTCOLOR=65280\r\n"
      "GRADIENTPERCENT=100\r\nGRADIENTDATA=16777215;15790320;100;0;0\r\n"
      "BORDERSMASK=^0000^0013^0030^0023^0000^0000^0000^0000^2^0^1^0\r\n[BUTTON]\r\nPARENTCLASS=BASE\r\n"
      "GLYPHMASK=!G.PNG!2!0!2\r\nPATTERN=~0000~0024~0010~0030~01~0\r\n[EDIT]\r\nFONTCOLOR=0\r\n";
  skin::TPixelBuffer master(skin::TPixelFormat::pf32bit, 40, 32);
  skin::View32(master).Pixel(0, 13) = skin::clSkinKey;
  skin::TPixelBuffer glyph(skin::TPixelFormat::pf32bit, 8, 4);
  const Bytes packedSkin = skin::WritePackedSkin({{u"Options.dat", Text(description)},
                                                  {u"MASTER.BMP", skin::EncodeBitmap24(master)},
                                                  {u"G.PNG", skin::EncodePngRGBA(glyph)}});
  Save("packed_skin", "skin.ksz", packedSkin);
  Save("skin_description", "skin.ksz", packedSkin);
  Save("skin_description", "Options.dat", Text(description));
  Save("mask_value", "glyph", Text("@0133@0000@0265@0018@3@0"));
  Save("mask_value", "border", Text("^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1^1"));
  Save("mask_value", "texture", Text("~0135~0070~0299~0071~01~0"));
  Save("mask_value", "own", Text("!XBORDER.PNG!2!0!3!0039!0075!0039!0038!1"));
  Save("mask_value", "old", Text("#BTN (0,0,60,20) (3,0,2,1)"));

  Save("form_description", "main.form", Text(kFormText));
  Save("form_description", "other.form", Text(kOtherFormText));
  Bytes utf16 = {0xFF, 0xFE};
  for (char c : std::string_view(kOtherFormText)) LE16(utf16, uint8_t(c));
  Save("form_description", "utf16.form", utf16);
  Save("form_loader", "main.form", Text(kFormText));
  Save("form_loader", "other.form", Text(kOtherFormText));

  const char kSettings[] =
      "[ImageForm]\r\nFormVersion=0\r\nNormPos=10,20,800,600\r\nsecodepoint_Value=65\r\n"
      "cbcheckshow_Checked=TRUE\r\ndlgsearchfolder_RootDirectory=fdRootFolder\r\n\r\n"
      "[ImageForm\\list]\r\nCount=2\r\nItem0=a\r\nItem1=\"  b \"\r\n\r\n"
      "; comment\r\n[VestalineSettings]\r\nf=0000000000000080FF3F\r\nbin=007FAB\r\nkey without value\r\n";
  Save("settings_file", "ansi.ini", Text(kSettings));
  Save("settings_file", "utf8.ini", Cat({0xEF, 0xBB, 0xBF}, Text("[A]\r\nname=\xD0\x96\r\n")));
  Bytes settings16 = {0xFF, 0xFE};
  for (char c : std::string_view("[A]\r\nk=v\r\n")) LE16(settings16, uint8_t(c));
  Save("settings_file", "utf16.ini", settings16);
  return 0;
}
