#include "controls/views/ckthumbimage.h"

#include <algorithm>

#include <cmath>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "controls/base/cktypes.h"
#include "controls/views/ckthumbnails.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/jpeg.h"
#include "fw/graphics/metafile.h"
#include "fw/graphics/picture.h"

namespace ck {

using fw::TBitmap;
using fw::TGraphic;

namespace {

// The whole number nearest to Num / Den (Den > 0), a half going to the
// even neighbour; exact, so that Percent x 2.55 rounds as written.
int RoundHalfEven(int Num, int Den) {
  int q = Num / Den, r = Num % Den;
  int twice = 2 * (r < 0 ? -r : r);
  int away = Num < 0 ? -1 : 1;
  if (twice > Den || (twice == Den && (q % 2) != 0)) q += away;
  return q;
}

// The JPEG scale of a thumbnail's picture by its file size in bytes.
fw::TJPEGScale JpegScaleForSize(int64_t size) {
  if (size <= 1000000) return fw::jsFullSize;
  if (size <= 4000000) return fw::jsHalf;
  if (size <= 7000000) return fw::jsQuarter;
  return fw::jsEighth;
}

// The whole file, read while others may read it but not write it.
std::vector<uint8_t> ReadFileDenyWrite(const String& AFile) {
  HANDLE h = CreateFileW(W(AFile), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                         nullptr);
  if (h == INVALID_HANDLE_VALUE) throw fw::EFOpenError(u"Cannot open file \"" + AFile + u"\"");
  std::vector<uint8_t> data;
  LARGE_INTEGER size{};
  bool ok = GetFileSizeEx(h, &size) != 0 && size.QuadPart < 0x7FFFFFFF;
  if (ok) {
    data.resize(static_cast<size_t>(size.QuadPart));
    DWORD got = 0;
    ok = data.empty() || (ReadFile(h, data.data(), static_cast<DWORD>(data.size()), &got, nullptr) &&
                          got == data.size());
  }
  CloseHandle(h);
  if (!ok) throw fw::EReadError(u"Cannot read file \"" + AFile + u"\"");
  return data;
}

uint8_t* PixelAt(TBitmap* Bmp, int X, int Y) { return static_cast<uint8_t*>(Bmp->ScanLine(Y)) + X * 3; }

}  // namespace

TCkThumbImage::TCkThumbImage(fw::TComponent* AOwner) : TCkBaseThumbImage(AOwner) {}

bool TCkThumbImage::IsInThumbnail() const { return dynamic_cast<TCkThumbnail*>(Parent()) != nullptr; }

bool TCkThumbImage::CanModify() const {
  TGraphic* g = Picture()->Graphic();
  return g && !g->Empty() && !dynamic_cast<fw::TMetafile*>(g) && !dynamic_cast<fw::TIcon*>(g);
}

// ---- Loading and saving

void TCkThumbImage::LoadFromFile(const String& AFile) {
  FLoadRefused = false;
  try {
    if (fw::UpperCase(fw::ExtractFileExt(AFile)) != u".JPG") {
      try {
        Picture()->LoadFromFile(AFile);
      } catch (...) {
        if (!OnInvalidImage) throw;
        FLoadRefused = true;
        OnInvalidImage(this, AFile);
        return;
      }
      FClass = Picture()->Graphic() ? Picture()->Graphic()->ClassType() : nullptr;
    } else {
      LoadJpegFile(AFile);
      FClass = fw::TJPEGImage::StaticClass();
    }
  } catch (...) {
    FFileName.clear();
    FClass = nullptr;
    throw;
  }
  FFileName = AFile;
  FAngle = AT0;
  OnLoaded(this);
}

void TCkThumbImage::LoadJpegFile(const String& AFile) {
  std::vector<uint8_t> data = ReadFileDenyWrite(AFile);
  fw::TMemoryStream stream;
  if (!data.empty()) stream.Write(data.data(), static_cast<int64_t>(data.size()));
  stream.SetPosition(0);
  fw::TJPEGImage jpeg;
  jpeg.LoadFromStream(stream);
  jpeg.SetScale(IsInThumbnail() ? JpegScaleForSize(static_cast<int64_t>(data.size())) : fw::jsFullSize);
  jpeg.DIBNeeded();
  TBitmap* bmp = Picture()->Bitmap();
  bmp->SetSize(jpeg.Width(), jpeg.Height());
  bmp->Canvas()->Draw(0, 0, &jpeg);
}

void TCkThumbImage::LoadFromStream(fw::TStream& AStream, TGRFKind AType) {
  std::unique_ptr<TGraphic> g;
  switch (AType) {
    case grBMP: {
      auto bmp = std::make_unique<TBitmap>();
      bmp->LoadFromStream(AStream);
      bmp->SetPixelFormat(fw::pf24bit);
      g = std::move(bmp);
      break;
    }
    case grJPG: g = std::make_unique<fw::TJPEGImage>(); break;
    case grWMF:
    case grEMF: g = std::make_unique<fw::TMetafile>(); break;
    case grICO: g = std::make_unique<fw::TIcon>(); break;
    case grPNG: return;
  }
  if (AType != grBMP) g->LoadFromStream(AStream);
  Picture()->SetGraphic(g.get());
}

void TCkThumbImage::SaveToStream(fw::TStream& AStream, TGRFKind AType) {
  TGraphic* src = Picture()->Graphic();
  std::unique_ptr<TGraphic> g;
  switch (AType) {
    case grBMP: g = std::make_unique<TBitmap>(); break;
    case grJPG: g = std::make_unique<fw::TJPEGImage>(); break;
    case grWMF:
    case grEMF: {
      auto m = std::make_unique<fw::TMetafile>();
      m->SetEnhanced(AType == grEMF);
      g = std::move(m);
      break;
    }
    case grICO: g = std::make_unique<fw::TIcon>(); break;
    case grPNG: return;
  }
  g->Assign(src);
  if (AType == grBMP) static_cast<TBitmap*>(g.get())->SetPixelFormat(fw::pf24bit);
  g->SaveToStream(AStream);
}

void TCkThumbImage::SaveToFile(const String& AFile) {
  String ext = fw::UpperCase(fw::ExtractFileExt(AFile));
  TGraphic* src = Picture()->Graphic();
  if (ext == u".JPG" || ext == u".JPEG") {
    fw::TJPEGImage jpeg;
    jpeg.Assign(src);
    jpeg.SetCompressionQuality(75);
    jpeg.Compress();
    jpeg.SaveToFile(AFile);
  } else if (ext == u".BMP") {
    TBitmap bmp;
    bmp.SetSize(Picture()->Width(), Picture()->Height());
    if (src) bmp.Canvas()->Draw(0, 0, src);
    bmp.SaveToFile(AFile);
  } else if (ext == u".WMF" || ext == u".EMF") {
    fw::TMetafile meta;
    meta.SetEnhanced(ext == u".EMF");
    meta.SetWidth(Picture()->Width());
    meta.SetHeight(Picture()->Height());
    {
      fw::TMetafileCanvas canvas(&meta, nullptr);
      if (src) canvas.Draw(0, 0, src);
    }
    meta.SaveToFile(AFile);
  } else {
    throw ECKException(fw::Format(u"Unknown file extension %s", {ext}));
  }
}

void TCkThumbImage::Save() {
  if (FClass) {
    std::unique_ptr<TGraphic> g(fw::CreateGraphic(FClass));
    g->Assign(Picture()->Graphic());
    g->SaveToFile(FFileName);
  } else {
    SaveToFile(FFileName);
  }
}

std::unique_ptr<TBitmap> TCkThumbImage::Bitmap24() const {
  auto bmp = std::make_unique<TBitmap>();
  TGraphic* g = Picture()->Graphic();
  if (auto* src = dynamic_cast<TBitmap*>(g)) {
    bmp->Assign(src);
    bmp->SetPixelFormat(fw::pf24bit);
  } else {
    bmp->SetPixelFormat(fw::pf24bit);
    bmp->SetSize(Picture()->Width(), Picture()->Height());
    if (g) bmp->Canvas()->Draw(0, 0, g);
  }
  return bmp;
}

void TCkThumbImage::BitmapNeeded() {
  TGraphic* g = Picture()->Graphic();
  if (!g) return;
  auto bmp = Bitmap24();
  g->Assign(bmp.get());
}

String TCkThumbImage::GetFilter() {
  String s = fw::GraphicFilter(TGraphic::StaticClass());
  size_t p = s.find(u'(');
  if (p != String::npos) s.insert(p + 1, u"*.pcx;*.tga;");
  p = s.find(u'|');
  if (p != String::npos) s.insert(p + 1, u"*.pcx;*.tga;");
  return s + u"|PCX Files(*.pcx)|*.pcx|Targa Files(*.tga)|*.tga";
}

// ---- Reduction

void TCkThumbImage::ScaleDown(int MaxW, int MaxH) {
  TGraphic* g = Picture()->Graphic();
  if (!g || g->Empty()) return;
  int w = g->Width(), h = g->Height();
  // A box of no size (a view's MaxWidth or MaxHeight of 0) fits one pixel;
  // the steps below double the box, which must grow to end them.
  MaxW = std::max(MaxW, 1);
  MaxH = std::max(MaxH, 1);
  TThumbSize f = ProportionalFit({w, h}, {MaxW, MaxH});
  // A picture so narrow or flat that a fitted side would vanish keeps one
  // pixel there.
  if (f.cx < 1) f.cx = 1;
  if (f.cy < 1) f.cy = 1;
  if (w < f.cx && h < f.cy) return;
  if (w / f.cx > 16 || h / f.cy > 16) {
    ScaleDown(2 * MaxW, 2 * MaxH);
    g = Picture()->Graphic();
  }
  TBitmap bmp;
  bmp.SetPixelFormat(fw::pf24bit);
  bmp.SetSize(f.cx, f.cy);
  SetStretchBltMode(bmp.Canvas()->Handle(), HALFTONE);
  bmp.Canvas()->StretchDraw(fw::Rect(0, 0, f.cx, f.cy), g);
  Picture()->SetGraphic(&bmp);
  FModified = true;
}

// ---- Pixel operations

void TCkThumbImage::Grayscale() {
  if (!CanModify()) return;
  auto bmp = Bitmap24();
  for (uint16_t y = 0; y < bmp->Height(); ++y)
    for (uint16_t x = 0; x < bmp->Width(); ++x) {
      uint8_t* p = PixelAt(bmp.get(), x, y);
      uint8_t v = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
      p[0] = p[1] = p[2] = v;
    }
  TGraphic* g = Picture()->Graphic();
  if (dynamic_cast<fw::TJPEGImage*>(g) || dynamic_cast<TBitmap*>(g)) g->Assign(bmp.get());
  Invalidate();
}

void TCkThumbImage::ChangeRGBCurves(const TColorCurve& R, const TColorCurve& G, const TColorCurve& B) {
  if (!CanModify()) return;
  auto bmp = Bitmap24();
  for (uint16_t y = 0; y < bmp->Height(); ++y)
    for (uint16_t x = 0; x < bmp->Width(); ++x) {
      uint8_t* p = PixelAt(bmp.get(), x, y);
      p[0] = B[p[0]];
      p[1] = G[p[1]];
      p[2] = R[p[2]];
    }
  TGraphic* g = Picture()->Graphic();
  if (dynamic_cast<fw::TJPEGImage*>(g) || dynamic_cast<TBitmap*>(g)) g->Assign(bmp.get());
  Invalidate();
}

void TCkThumbImage::ChangeRGB(int R, int G, int B) {
  if (!CanModify()) return;
  auto bmp = Bitmap24();
  for (uint16_t y = 0; y < bmp->Height(); ++y)
    for (uint16_t x = 0; x < bmp->Width(); ++x) {
      uint8_t* p = PixelAt(bmp.get(), x, y);
      p[0] = static_cast<uint8_t>(BoundValue(0, 255, p[0] + B));
      p[1] = static_cast<uint8_t>(BoundValue(0, 255, p[1] + G));
      p[2] = static_cast<uint8_t>(BoundValue(0, 255, p[2] + R));
    }
  // A picture kind that cannot take a bitmap becomes the bitmap.
  try {
    Picture()->Graphic()->Assign(bmp.get());
  } catch (const fw::Exception&) {
    Picture()->SetGraphic(bmp.get());
  }
  Invalidate();
  FModified = true;
}

void TCkThumbImage::Invert() {
  TColorCurve t;
  for (int i = 0; i < 256; ++i) t[i] = static_cast<uint8_t>(255 - i);
  ChangeRGBCurves(t, t, t);
}

void TCkThumbImage::Lightness(int Percent) {
  int a = RoundHalfEven(Percent * 255, 100);
  TColorCurve t;
  for (int i = 0; i < 256; ++i) {
    int v = a > 0 ? i + ((255 - i) * a) / 256 : i - (i * std::abs(a)) / 256;
    t[i] = static_cast<uint8_t>(BoundValue(0, 255, v));
  }
  ChangeRGBCurves(t, t, t);
}

void TCkThumbImage::Contrast(int Percent) {
  int a = RoundHalfEven(Percent * 256, 100);
  TColorCurve t;
  for (int i = 0; i < 256; ++i) {
    int d = (std::abs(128 - i) * a) / 256;
    t[i] = static_cast<uint8_t>(BoundValue(0, 255, i <= 126 ? i - d : i + d));
  }
  ChangeRGBCurves(t, t, t);
}

// ---- Geometry

namespace {

// Shows a W x H 24-bit picture whose pixel (x, y) is Src's pixel at
// SourceOf(x, y): one routine for every mirror and quarter turn.
template <class F>
void ShowRemapped(fw::TPicture* Picture, TBitmap* Src, int W, int H, F SourceOf) {
  TBitmap dst;
  dst.SetPixelFormat(fw::pf24bit);
  dst.SetSize(W, H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const auto [sx, sy] = SourceOf(x, y);
      const uint8_t* s = PixelAt(Src, sx, sy);
      uint8_t* d = PixelAt(&dst, x, y);
      d[0] = s[0];
      d[1] = s[1];
      d[2] = s[2];
    }
  Picture->SetGraphic(&dst);
}

}  // namespace

void TCkThumbImage::Mirror(TMirror MirrorType) {
  if (!CanModify()) return;
  auto src = Bitmap24();
  const int w = src->Width(), h = src->Height();
  const bool flipX = MirrorType != mtVertical, flipY = MirrorType != mtHorizontal;
  ShowRemapped(Picture(), src.get(), w, h,
               [&](int x, int y) { return std::pair(flipX ? w - 1 - x : x, flipY ? h - 1 - y : y); });
  Invalidate();
}

void TCkThumbImage::TurnClockwise() {
  if (!CanModify()) return;
  auto src = Bitmap24();
  const int w = src->Width(), h = src->Height();
  ShowRemapped(Picture(), src.get(), h, w, [&](int x, int y) { return std::pair(y, h - 1 - x); });
}

void TCkThumbImage::TurnCounterClockwise() {
  if (!CanModify()) return;
  auto src = Bitmap24();
  const int w = src->Width(), h = src->Height();
  ShowRemapped(Picture(), src.get(), h, w, [&](int x, int y) { return std::pair(w - 1 - y, x); });
  Invalidate();
}

void TCkThumbImage::Rotate(TAngle AAngle) {
  switch (AAngle) {
    case AT90: TurnClockwise(); break;
    case AT180: Mirror(mtBoth); break;
    case AT270: TurnCounterClockwise(); break;
    case AT0: break;
  }
}

void TCkThumbImage::SetAngle(TAngle Value) {
  if (Value == FAngle) return;
  int quarters = (static_cast<int>(Value) - static_cast<int>(FAngle) + 4) % 4;
  if (quarters == 1) TurnClockwise();
  else if (quarters == 3) TurnCounterClockwise();
  else Mirror(mtBoth);
  if (quarters != 2) {
    if (auto* thumb = dynamic_cast<TCkThumbnail*>(Parent())) thumb->Perform(RefitThumbnailMessage, 0, 0);
  }
  FAngle = Value;
  FModified = Value != AT0;
}

FW_REGISTER(TCkThumbImage) {
  c.Property(u"Angle", &TCkThumbImage::Angle, &TCkThumbImage::SetAngle).Default(AT0);
  c.Property(u"Zoom", &TCkThumbImage::Zoom, &TCkThumbImage::SetZoom);
  c.Event(u"OnRotate", &TCkThumbImage::OnRotate);
  c.Event(u"OnLoaded", &TCkThumbImage::OnLoaded);
  c.Event(u"OnInvalidImage", &TCkThumbImage::OnInvalidImage);
}

}  // namespace ck
