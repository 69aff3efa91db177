// Canvas, drawing tools and bitmap: pixels that fills, lines and copies
// produce, text measurement, scan-line layout per pixel format and BMP
// round trips.
#include <gtest/gtest.h>

#include <cstring>

#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/graphics/graphics.h"

using namespace fw;

namespace {

// Counts the notifications it receives.
struct TCounter : TObject {
  int Count = 0;
  void Notify(TObject*) { ++Count; }
  TNotifyEvent Event() { return TNotifyEvent(this, &TCounter::Notify); }
};

std::unique_ptr<TBitmap> MakeBitmap(int w, int h, TPixelFormat pf = pf24bit) {
  auto b = std::make_unique<TBitmap>();
  b->SetPixelFormat(pf);
  b->SetSize(w, h);
  return b;
}

}  // namespace

TEST(Bitmap, NewAreaIsWhiteAndOldPictureStaysOnResize) {
  auto b = MakeBitmap(4, 3);
  EXPECT_EQ(b->Canvas()->Pixel(3, 2), clWhite);
  b->Canvas()->SetPixel(1, 1, clRed);
  b->SetSize(6, 5);
  EXPECT_EQ(b->Width(), 6);
  EXPECT_EQ(b->Height(), 5);
  EXPECT_EQ(b->Canvas()->Pixel(1, 1), clRed);
  EXPECT_EQ(b->Canvas()->Pixel(5, 4), clWhite);
  b->SetSize(0, 0);
  EXPECT_TRUE(b->Empty());
  EXPECT_EQ(b->PixelFormat(), pf24bit);
}

TEST(Canvas, FillsFramesAndLinesHitTheExpectedPixels) {
  auto b = MakeBitmap(20, 20);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clBlue);
  c->FillRect(Rect(2, 2, 6, 6));
  EXPECT_EQ(c->Pixel(2, 2), clBlue);
  EXPECT_EQ(c->Pixel(5, 5), clBlue);
  EXPECT_EQ(c->Pixel(6, 6), clWhite);  // right and bottom edges excluded

  c->Brush()->SetColor(clLime);
  c->FrameRect(Rect(8, 8, 12, 12));
  EXPECT_EQ(c->Pixel(8, 10), clLime);
  EXPECT_EQ(c->Pixel(10, 10), clWhite);

  c->Pen()->SetColor(clRed);
  c->MoveTo(0, 15);
  c->LineTo(10, 15);
  EXPECT_EQ(c->Pixel(0, 15), clRed);
  EXPECT_EQ(c->Pixel(9, 15), clRed);
  EXPECT_EQ(c->Pixel(10, 15), clWhite);  // the end point is not drawn
  EXPECT_EQ(c->PenPos(), (TPoint{10, 15}));

  // A clear brush leaves the inside of a rectangle alone.
  c->Brush()->SetStyle(bsClear);
  c->Pen()->SetColor(clBlack);
  c->Rectangle(14, 0, 20, 6);
  EXPECT_EQ(c->Pixel(14, 0), clBlack);
  EXPECT_EQ(c->Pixel(16, 3), clWhite);

  // Flood fill of the surface colour stops at the frame.
  c->Brush()->SetColor(clYellow);
  c->FloodFill(16, 3, clWhite, fsSurface);
  EXPECT_EQ(c->Pixel(16, 3), clYellow);
  EXPECT_EQ(c->Pixel(13, 3), clWhite);
}

TEST(Canvas, PolygonAndEllipseFillWithTheBrush) {
  auto b = MakeBitmap(20, 20);
  TCanvas* c = b->Canvas();
  c->Brush()->SetColor(clRed);
  c->Pen()->SetStyle(psClear);
  c->Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_EQ(c->Pixel(5, 5), clRed);
  c->Brush()->SetColor(clBlue);
  c->Ellipse(10, 10, 20, 20);
  EXPECT_EQ(c->Pixel(15, 15), clBlue);
  EXPECT_EQ(c->Pixel(10, 10), clWhite);
}

TEST(Canvas, TextExtentGrowsWithTextAndFontAndTextOutMovesThePen) {
  auto b = MakeBitmap(200, 60);
  TCanvas* c = b->Canvas();
  c->Font()->SetName(u"Liberation Sans");
  c->Font()->SetSize(10);
  TSize one = c->TextExtent(u"W");
  TSize three = c->TextExtent(u"WWW");
  EXPECT_GT(one.cx, 0);
  EXPECT_EQ(three.cx, 3 * one.cx);
  EXPECT_EQ(c->TextHeight(u"W"), one.cy);
  c->Font()->SetSize(20);
  EXPECT_GT(c->TextWidth(u"W"), one.cx);
  EXPECT_EQ(c->Font()->Height(), -MulDiv(20, 96, 72));

  c->Font()->SetColor(clBlack);
  c->Brush()->SetStyle(bsClear);
  c->TextOut(5, 5, u"WW");
  EXPECT_EQ(c->PenPos().x, 5 + c->TextWidth(u"WW"));
  int ink = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) ink += c->Pixel(x, y) == clBlack;
  EXPECT_GT(ink, 10);
}

TEST(Canvas, TextRectClipsToItsRectangle) {
  auto b = MakeBitmap(100, 40);
  TCanvas* c = b->Canvas();
  c->Font()->SetSize(20);
  c->Font()->SetColor(clBlack);
  c->Brush()->SetColor(clYellow);
  c->TextRect(Rect(0, 0, 10, 40), 0, 0, u"MMMM");
  EXPECT_EQ(c->Pixel(5, 39), clYellow);  // opaque brush fills the rectangle
  for (int y = 0; y < 40; ++y)
    for (int x = 10; x < 100; ++x) ASSERT_EQ(c->Pixel(x, y), clWhite);
}

struct ScanLineCase {
  TPixelFormat pf;
  int rowBytesFor5;
};

class BitmapScanLine : public ::testing::TestWithParam<ScanLineCase> {};

TEST_P(BitmapScanLine, RowZeroIsTheTopRowAndRowsAreDwordAligned) {
  auto b = MakeBitmap(5, 3, GetParam().pf);
  EXPECT_EQ(b->PixelFormat(), GetParam().pf);
  EXPECT_EQ(b->RowBytes(), GetParam().rowBytesFor5);
  b->Canvas()->Brush()->SetColor(clBlack);
  b->Canvas()->FillRect(Rect(0, 0, 5, 1));  // top row black
  auto* top = static_cast<uint8_t*>(b->ScanLine(0));
  auto* next = static_cast<uint8_t*>(b->ScanLine(1));
  EXPECT_EQ(std::abs(next - top), GetParam().rowBytesFor5);
  // Black is all zero bits in every format's first byte; white is not.
  EXPECT_EQ(top[0], 0);
  EXPECT_NE(next[0], 0);
  EXPECT_THROW(b->ScanLine(3), EInvalidGraphic);
  EXPECT_THROW(b->ScanLine(-1), EInvalidGraphic);
}

INSTANTIATE_TEST_SUITE_P(AllFormats, BitmapScanLine,
                         ::testing::Values(ScanLineCase{pf1bit, 4}, ScanLineCase{pf4bit, 4}, ScanLineCase{pf8bit, 8},
                                           ScanLineCase{pf15bit, 12}, ScanLineCase{pf16bit, 12},
                                           ScanLineCase{pf24bit, 16}, ScanLineCase{pf32bit, 20}));

TEST(Bitmap, ScanLineWritesShowThroughTheCanvas) {
  auto b = MakeBitmap(3, 2, pf24bit);
  auto* row = static_cast<uint8_t*>(b->ScanLine(1));
  row[3] = 0x10;  // blue
  row[4] = 0x20;  // green
  row[5] = 0x30;  // red
  EXPECT_EQ(b->Canvas()->Pixel(1, 1), 0x102030);
}

TEST(Bitmap, DeviceFormatBecomesDibWhenRowsAreAddressed) {
  TBitmap b;
  EXPECT_EQ(b.PixelFormat(), pfDevice);
  b.SetSize(4, 4);
  EXPECT_EQ(b.HandleType(), bmDDB);
  b.Canvas()->SetPixel(0, 0, clRed);
  b.ScanLine(0);
  EXPECT_EQ(b.HandleType(), bmDIB);
  EXPECT_EQ(b.Canvas()->Pixel(0, 0), clRed);
}

TEST(Bitmap, PixelFormatConversionKeepsColours) {
  auto b = MakeBitmap(2, 1, pf24bit);
  b->Canvas()->SetPixel(0, 0, clRed);
  b->SetPixelFormat(pf4bit);
  EXPECT_EQ(b->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(b->Canvas()->Pixel(1, 0), clWhite);
  b->SetPixelFormat(pf32bit);
  EXPECT_EQ(b->Canvas()->Pixel(0, 0), clRed);
  b->SetMonochrome(true);
  EXPECT_EQ(b->PixelFormat(), pf1bit);
  EXPECT_EQ(b->Canvas()->Pixel(1, 0), clWhite);
}

TEST(Canvas, StretchDrawRepeatsPixelsWithoutBlending) {
  auto src = MakeBitmap(2, 1);
  src->Canvas()->SetPixel(0, 0, clBlack);
  src->Canvas()->SetPixel(1, 0, clWhite);
  auto dst = MakeBitmap(8, 2);
  dst->Canvas()->StretchDraw(Rect(0, 0, 8, 2), src.get());
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(dst->Canvas()->Pixel(x, 0), x < 4 ? clBlack : clWhite) << x;
    EXPECT_EQ(dst->Canvas()->Pixel(x, 1), x < 4 ? clBlack : clWhite) << x;
  }
}

TEST(Canvas, TransparentBitmapLeavesItsKeyColourOut) {
  auto src = MakeBitmap(2, 1);
  src->Canvas()->SetPixel(0, 0, clRed);
  src->Canvas()->SetPixel(1, 0, clLime);
  src->SetTransparent(true);
  src->SetTransparentColor(clLime);
  auto dst = MakeBitmap(2, 1);
  dst->Canvas()->Brush()->SetColor(clBlue);
  dst->Canvas()->FillRect(Rect(0, 0, 2, 1));
  dst->Canvas()->Draw(0, 0, src.get());
  EXPECT_EQ(dst->Canvas()->Pixel(0, 0), clRed);
  EXPECT_EQ(dst->Canvas()->Pixel(1, 0), clBlue);
}

TEST(Canvas, CopyRectAndBrushCopy) {
  auto src = MakeBitmap(4, 4);
  src->Canvas()->Brush()->SetColor(clRed);
  src->Canvas()->FillRect(Rect(0, 0, 2, 4));
  auto dst = MakeBitmap(4, 4);
  dst->Canvas()->CopyRect(Rect(0, 0, 4, 4), src->Canvas(), Rect(0, 0, 4, 4));
  EXPECT_EQ(dst->Canvas()->Pixel(1, 1), clRed);
  EXPECT_EQ(dst->Canvas()->Pixel(3, 1), clWhite);

  // BrushCopy paints the brush where the source has the given colour.
  dst->Canvas()->Brush()->SetColor(clBlue);
  dst->Canvas()->BrushCopy(Rect(0, 0, 4, 4), src.get(), Rect(0, 0, 4, 4), clWhite);
  EXPECT_EQ(dst->Canvas()->Pixel(1, 1), clRed);
  EXPECT_EQ(dst->Canvas()->Pixel(3, 1), clBlue);
}

TEST(Canvas, AttachesToForeignDcAndGivesItsObjectsBack) {
  TMemoryDC dc;
  TBitmapHandle bmp(CreateBitmap(4, 4, 1, 32, nullptr));
  TSelectObject sel(dc.Get(), bmp.Get());
  HGDIOBJ oldPen = GetCurrentObject(dc.Get(), OBJ_PEN);
  {
    TCanvas c;
    c.SetHandle(dc.Get());
    c.Pen()->SetColor(clRed);
    c.MoveTo(0, 0);
    c.LineTo(3, 0);
    EXPECT_NE(GetCurrentObject(dc.Get(), OBJ_PEN), oldPen);
    EXPECT_EQ(c.Pixel(1, 0), clRed);
    c.SetHandle(nullptr);
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_PEN), oldPen);
  }
}

TEST(Canvas, ChangeEventsSurroundDrawingAndLockCounts) {
  auto b = MakeBitmap(4, 4);
  TCounter changing, bitmapChanged;
  b->OnChange = bitmapChanged.Event();
  TCanvas* c = b->Canvas();
  c->OnChanging = changing.Event();
  c->FillRect(Rect(0, 0, 2, 2));
  EXPECT_EQ(changing.Count, 1);
  EXPECT_EQ(bitmapChanged.Count, 1);  // the bitmap hears its canvas
  c->Lock();
  c->Lock();
  EXPECT_EQ(c->LockCount(), 2);
  c->Unlock();
  c->Unlock();
  EXPECT_EQ(c->LockCount(), 0);
}

TEST(Font, SizeAndHeightAndHandleFollowProperties) {
  TFont f;
  TCounter changes;
  f.OnChange = changes.Event();
  f.SetSize(12);
  EXPECT_EQ(f.Height(), -16);
  EXPECT_EQ(f.Size(), 12);
  f.SetStyle({fsBold, fsItalic});
  f.SetOrientation(900);
  LOGFONTW lf{};
  GetObjectW(f.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfHeight, -16);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_TRUE(lf.lfItalic);
  EXPECT_EQ(lf.lfEscapement, 900);
  EXPECT_EQ(changes.Count, 3);
  TFont g;
  g.Assign(&f);
  EXPECT_TRUE(g.Style().Contains(fsBold));
  EXPECT_EQ(g.Height(), -16);
}

TEST(Bitmap, BmpRoundTripKeepsFormatPaletteAndPixels) {
  for (TPixelFormat pf : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
    auto b = MakeBitmap(7, 5, pf);
    b->Canvas()->Brush()->SetColor(clBlack);
    b->Canvas()->FillRect(Rect(0, 0, 3, 2));
    TMemoryStream m;
    b->SaveToStream(m);
    m.SetPosition(0);
    TBitmap r;
    r.LoadFromStream(m);
    EXPECT_EQ(m.Position(), m.Size());
    EXPECT_EQ(r.PixelFormat(), pf) << pf;
    EXPECT_EQ(r.Width(), 7);
    EXPECT_EQ(r.Height(), 5);
    EXPECT_EQ(r.Canvas()->Pixel(1, 1), clBlack) << pf;
    EXPECT_EQ(r.Canvas()->Pixel(5, 4), clWhite) << pf;
  }
}

TEST(Font, PublishedPropertiesAreReachableByName) {
  TCanvas c;
  SetPropValue(&c, u"Font.Name", TValue(String(u"Arial")));
  SetSetProp(&c, u"Font.Style", u"[fsBold, fsUnderline]");
  SetEnumProp(&c, u"Pen.Style", u"psDash");
  SetPropValue(&c, u"Brush.Color", TValue(int64_t(clRed)));
  EXPECT_EQ(c.Font()->Name(), u"Arial");
  EXPECT_EQ(c.Font()->Style(), (TFontStyles{fsBold, fsUnderline}));
  EXPECT_EQ(c.Pen()->Style(), psDash);
  EXPECT_EQ(c.Brush()->Color(), clRed);
  int64_t charset = 0;
  ASSERT_TRUE(TypeInfoTFontCharset()->IdentToInt()(u"SYMBOL_CHARSET", charset));
  EXPECT_EQ(charset, SYMBOL_CHARSET);
}

TEST(Canvas, PatternBrushTilesItsBitmapAndClipRectFollowsTheRegion) {
  auto pattern = MakeBitmap(8, 8);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) pattern->Canvas()->SetPixel(x, y, (x + y) % 2 ? clRed : clBlue);
  auto b = MakeBitmap(16, 16);
  TCanvas* c = b->Canvas();
  c->Brush()->SetBitmap(pattern.get());
  c->FillRect(Rect(0, 0, 16, 16));
  EXPECT_EQ(c->Pixel(0, 0), clBlue);
  EXPECT_EQ(c->Pixel(1, 0), clRed);
  EXPECT_EQ(c->Pixel(9, 8), clRed);
  c->Brush()->SetBitmap(nullptr);

  EXPECT_EQ(c->ClipRect(), Rect(0, 0, 16, 16));
  TRegionHandle rgn(CreateRectRgn(2, 3, 10, 12));
  SelectClipRgn(c->Handle(), rgn.Get());
  EXPECT_EQ(c->ClipRect(), Rect(2, 3, 10, 12));
  SelectClipRgn(c->Handle(), nullptr);
}

TEST(Bitmap, AutomaticTransparentColourIsTheBottomLeftPixelAndPalettesCanBeSet) {
  auto b = MakeBitmap(3, 3);
  b->Canvas()->SetPixel(0, 2, clYellow);
  EXPECT_EQ(b->TransparentMode(), tmAuto);
  EXPECT_EQ(b->TransparentColor(), clYellow);
  b->SetTransparentColor(clRed);
  EXPECT_EQ(b->TransparentMode(), tmFixed);
  EXPECT_EQ(b->TransparentColor(), clRed);
  b->SetTransparentMode(tmAuto);
  EXPECT_EQ(b->TransparentColor(), clYellow);

  auto p = MakeBitmap(2, 1, pf8bit);
  std::vector<uint8_t> lp(sizeof(LOGPALETTE) + 2 * sizeof(PALETTEENTRY));
  auto* log = reinterpret_cast<LOGPALETTE*>(lp.data());
  log->palVersion = 0x300;
  log->palNumEntries = 2;
  log->palPalEntry[0] = PALETTEENTRY{10, 20, 30, 0};
  log->palPalEntry[1] = PALETTEENTRY{200, 100, 50, 0};
  p->SetPalette(CreatePalette(log));
  static_cast<uint8_t*>(p->ScanLine(0))[0] = 1;
  static_cast<uint8_t*>(p->ScanLine(0))[1] = 0;
  EXPECT_EQ(p->Canvas()->Pixel(0, 0), 0x3264C8);
  EXPECT_EQ(p->Canvas()->Pixel(1, 0), 0x1E140A);
  ASSERT_EQ(p->ColorTable().size(), 256u);
  EXPECT_EQ(p->ColorTable()[2].rgbRed, 0);  // entries past the palette are black
}

TEST(Bitmap, LoadsBitmapResourcesAndReportsMissingOnes) {
  // The system's own check-box bitmap (OBM_CHECKBOXES) lives in user32.
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  TBitmap b;
  b.LoadFromResourceID(user32, 32759);
  EXPECT_FALSE(b.Empty());
  EXPECT_GT(b.Width(), 0);
  EXPECT_THROW(b.LoadFromResourceName(user32, u"NO_SUCH_BITMAP"), EInvalidGraphic);
}
