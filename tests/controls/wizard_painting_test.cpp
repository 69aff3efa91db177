// Wizard painting, rendered with PaintTo: the page background, the header
// band with its title, subtitle and etched divider, the framed panel, the
// line above the button bar, and the edge and picture routines.
#include <gtest/gtest.h>

#include "fw/graphics/imagelist.h"
#include "wizard_test_util.h"

using namespace ck;
using namespace fw;
using cktest::Rgb;
using cktest::Snapshot;
using cktest::WizardForm;

namespace {

constexpr int kW = 400, kH = 300;

struct PagePainting : ::testing::Test {
  WizardForm f{1, kW, kH};
  TCkWizardInteriorPage* page = nullptr;
  void SetUp() override {
    page = f.pages[0];
    page->SetColor(clSilver);
    page->Header()->SetColor(clWhite);
    page->Header()->Title()->SetColor(clRed);
    page->Header()->Subtitle()->SetColor(clLime);
    f.wizard->SetActivePageIndex(0);
    f.wizard->SetButtonBarHeight(0);
    ASSERT_EQ(page->Width(), kW);
    ASSERT_EQ(page->Height(), kH);
  }
};

TEST_F(PagePainting, HeaderBandTitleSubtitleAndDividerLieWhereTheyBelong) {
  Snapshot s(page);
  TColor shadow = Rgb(clBtnShadow), highlight = Rgb(clBtnHighlight);
  // Title: 4 pixels in from the left, top and right, one text line high.
  EXPECT_EQ(s.At(kW - 6, 5), clRed);
  EXPECT_EQ(s.At(kW - 3, 5), clWhite);
  EXPECT_EQ(s.At(2, 2), clWhite);
  // Subtitle: from 4 pixels under the title down to 4 above the header's
  // bottom (70), between the same sides.
  EXPECT_EQ(s.At(kW - 6, 64), clLime);
  EXPECT_EQ(s.At(kW - 6, 65), clLime);
  EXPECT_EQ(s.At(kW - 6, 66), clWhite);
  EXPECT_EQ(s.At(2, 60), clWhite);
  // Divider: a shadow line on the header's second-last row, a highlight
  // line on its last.
  EXPECT_EQ(s.At(kW / 2, 67), clWhite);
  EXPECT_EQ(s.At(kW / 2, 68), shadow);
  EXPECT_EQ(s.At(kW / 2, 69), highlight);
  // Below the header: the page colour (no panel).
  EXPECT_EQ(s.At(kW / 2, 70), clSilver);
  EXPECT_EQ(s.At(kW / 2, kH - 1), clSilver);
}

TEST_F(PagePainting, APanelIsFramedBorderWidthInsideTheAreaBelowTheHeader) {
  page->Panel()->SetVisible(true);
  page->Panel()->SetColor(clYellow);
  Snapshot s(page);
  TColor shadow = Rgb(clBtnShadow), highlight = Rgb(clBtnHighlight);
  int y = 150;
  EXPECT_EQ(s.At(6, y), clSilver);
  EXPECT_EQ(s.At(7, y), shadow);
  EXPECT_EQ(s.At(8, y), highlight);
  EXPECT_EQ(s.At(9, y), clYellow);
  EXPECT_EQ(s.At(kW - 10, y), clYellow);
  EXPECT_EQ(s.At(kW - 9, y), shadow);
  EXPECT_EQ(s.At(kW - 8, y), highlight);
  EXPECT_EQ(s.At(kW - 7, y), clSilver);
  int x = kW / 2;
  EXPECT_EQ(s.At(x, 76), clSilver);
  EXPECT_EQ(s.At(x, 77), shadow);
  EXPECT_EQ(s.At(x, 78), highlight);
  EXPECT_EQ(s.At(x, 79), clYellow);
  EXPECT_EQ(s.At(x, kH - 10), clYellow);
  EXPECT_EQ(s.At(x, kH - 9), shadow);
  EXPECT_EQ(s.At(x, kH - 8), highlight);
  EXPECT_EQ(s.At(x, kH - 7), clSilver);
}

TEST_F(PagePainting, AHeaderOfHeightZeroOrHiddenDrawsNothingAndTakesNoRoom) {
  auto* child = new TCustomControl(f.form.form);
  child->SetParent(page);
  child->SetAlign(alTop);
  child->SetHeight(10);
  EXPECT_EQ(child->Top(), 70);
  page->Header()->SetHeight(0);
  page->Realign();
  EXPECT_EQ(child->Top(), 0);
  child->SetVisible(false);
  Snapshot s(page);
  for (int x : {2, kW / 2, kW - 3})
    for (int y : {0, 3, 30, 69}) EXPECT_EQ(s.At(x, y), clSilver) << x << "," << y;
  page->Header()->SetHeight(70);
  page->Header()->SetVisible(false);
  child->SetVisible(true);
  EXPECT_EQ(child->Top(), 0);
}

TEST_F(PagePainting, TheHeaderImageSitsRightAndCentredAndTheTitleStopsBesideIt) {
  auto* images = new TImageList(f.form.form);
  TBitmap red;
  red.SetPixelFormat(pf24bit);
  red.SetSize(16, 16);
  red.Canvas()->Brush()->SetColor(clRed);
  red.Canvas()->FillRect(Rect(0, 0, 16, 16));
  images->Add(&red, nullptr);
  f.wizard->SetHeaderImages(images);
  page->Header()->SetImageIndex(0);
  page->Header()->SetImageOffset(10);
  page->Header()->Title()->SetColor(clBlue);
  Snapshot s(page);
  // x = 400 - 16 - 4 - 10 = 370, y = (70 - 16) / 2 = 27.
  EXPECT_EQ(s.At(370, 27), clRed);
  EXPECT_EQ(s.At(385, 42), clRed);
  EXPECT_EQ(s.At(369, 35), clWhite);
  EXPECT_EQ(s.At(386, 35), clWhite);
  // The title's right edge is 4 pixels left of the image.
  EXPECT_EQ(s.At(365, 5), clBlue);
  EXPECT_EQ(s.At(366, 5), clWhite);
  // A freed image list leaves the wizard.
  images->Free();
  EXPECT_EQ(f.wizard->HeaderImages(), nullptr);
}

TEST_F(PagePainting, TitleFontsFollowThePageFontUntilTheFormChangesThem) {
  page->Font()->SetName(u"Courier New");
  EXPECT_EQ(page->Title()->Font()->Name(), u"Courier New");
  EXPECT_TRUE(page->Header()->ParentFont());
  page->Subtitle()->Font()->SetSize(14);
  EXPECT_FALSE(page->Header()->ParentFont());
  page->Font()->SetName(u"Arial");
  EXPECT_EQ(page->Title()->Font()->Name(), u"Courier New");
  page->Header()->SetParentFont(true);
  EXPECT_TRUE(page->Header()->ParentFont());
  EXPECT_EQ(page->Title()->Font()->Name(), u"Arial");
  EXPECT_EQ(page->Subtitle()->Font()->Size(), 14);
}

struct PaintHandler {
  int calls = 0;
  TRect rect;
  void Paint(TObject*, TCanvas* canvas, TRect& r) {
    ++calls;
    rect = r;
    canvas->Brush()->SetColor(clBlue);
    canvas->FillRect(Rect(r.Left, r.Top, r.Left + 10, r.Top + 10));
  }
};

TEST_F(PagePainting, APaintHandlerGetsTheAreaBelowTheHeaderAndReplacesPanelAndImage) {
  page->Panel()->SetVisible(true);
  page->Panel()->SetColor(clYellow);
  PaintHandler h;
  page->OnPaintPage = TCkWizardPaintPageEvent(&h, &PaintHandler::Paint);
  Snapshot s(page);
  EXPECT_GE(h.calls, 1);
  EXPECT_EQ(h.rect, Rect(0, 70, kW, kH));
  EXPECT_EQ(s.At(5, 75), clBlue);
  EXPECT_EQ(s.At(kW - 6, 5), clRed);        // the header is still painted
  EXPECT_EQ(s.At(kW / 2, 150), clSilver);   // no panel
}

TEST(WizardPainting, TheDividerAboveTheButtonBarIsEtchedAndCanBeSwitchedOff) {
  WizardForm f(0, kW, kH);
  f.wizard->SetColor(clWhite);
  TColor shadow = Rgb(clBtnShadow), highlight = Rgb(clBtnHighlight);
  {
    Snapshot s(f.wizard);
    EXPECT_EQ(s.At(kW / 2, kH - 43), clWhite);
    EXPECT_EQ(s.At(kW / 2, kH - 42), shadow);
    EXPECT_EQ(s.At(kW / 2, kH - 41), highlight);
    EXPECT_EQ(s.At(kW / 2, kH - 40), clWhite);
  }
  f.wizard->SetShowDivider(false);
  {
    Snapshot s(f.wizard);
    EXPECT_EQ(s.At(kW / 2, kH - 42), clWhite);
  }
  f.wizard->SetShowDivider(true);
  f.wizard->SetButtonBarHeight(25);
  {
    Snapshot s(f.wizard);
    EXPECT_EQ(s.At(kW / 2, kH - 25), clWhite);
    EXPECT_EQ(s.At(kW / 2, kH - 24), clWhite);
  }
}

// ---- Edge and picture routines

struct EdgeCase {
  TCkWizardEdgeKind kind;
  unsigned sides;
  TRect inside;
};

TEST(WizardEdges, EachKindShrinksTheRectangleByItsWidthOnTheDrawnSides) {
  const EdgeCase cases[] = {
      {0, WizardEdgeAll, Rect(0, 0, 20, 20)},
      {1, WizardEdgeAll, Rect(0, 0, 20, 20)},
      {2, WizardEdgeAll, Rect(1, 1, 19, 19)},
      {3, WizardEdgeTop, Rect(0, 2, 20, 20)},
      {3, WizardEdgeBottom | WizardEdgeLeft, Rect(2, 0, 20, 18)},
      {6, WizardEdgeAll, Rect(2, 2, 18, 18)},
  };
  TBitmap bmp;
  bmp.SetSize(20, 20);
  for (const EdgeCase& c : cases) {
    TRect inside;
    WizardPaintEdge(bmp.Canvas(), Rect(0, 0, 20, 20), c.kind, c.sides, inside);
    EXPECT_EQ(inside, c.inside) << "kind " << c.kind << " sides " << c.sides;
  }
}

TEST(WizardEdges, KindTwoIsOneFrameLineAndKindSixBlackOutsideFaceInside) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(20, 20);
  TRect inside;
  WizardPaintEdge(bmp.Canvas(), Rect(0, 0, 20, 20), 6, WizardEdgeAll, inside);
  EXPECT_EQ(bmp.Canvas()->Pixel(0, 10), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixel(1, 10), Rgb(clBtnFace));
  EXPECT_EQ(bmp.Canvas()->Pixel(10, 18), clBlack);
  EXPECT_EQ(bmp.Canvas()->Pixel(10, 19), Rgb(clBtnFace));
  EXPECT_EQ(bmp.Canvas()->Pixel(2, 10), clWhite);
}

struct GraphicCase {
  const char* name;
  TCkWizardImageAlignment alignment;
  TCkWizardImageLayout layout;
  TPoint red;     // a pixel the picture covers
  TPoint white;   // a pixel it leaves alone
};

TEST(WizardPictures, APictureIsPlacedByAlignmentAndLayout) {
  const GraphicCase cases[] = {
      {"left top", iaLeft, ilTop, {0, 0}, {12, 12}},
      {"right bottom", iaRight, ilBottom, {39, 39}, {27, 27}},
      {"centre", iaCenter, ilCenter, {20, 20}, {10, 10}},
      {"stretched", iaStretch, ilStretch, {39, 39}, {-1, -1}},
      {"stretched across, cut to the top", iaStretch, ilTop, {39, 5}, {20, 20}},
      {"tiled", iaLeft, ilTile, {35, 35}, {-1, -1}},
  };
  TBitmap pic;
  pic.SetPixelFormat(pf24bit);
  pic.SetSize(10, 10);
  pic.Canvas()->Brush()->SetColor(clRed);
  pic.Canvas()->FillRect(Rect(0, 0, 10, 10));
  for (const GraphicCase& c : cases) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf24bit);
    bmp.SetSize(40, 40);
    bmp.Canvas()->Brush()->SetColor(clWhite);
    WizardPaintGraphic(bmp.Canvas(), &pic, Rect(0, 0, 40, 40), c.alignment, c.layout);
    EXPECT_EQ(bmp.Canvas()->Pixel(c.red.x, c.red.y), clRed) << c.name;
    if (c.white.x >= 0) {
      EXPECT_EQ(bmp.Canvas()->Pixel(c.white.x, c.white.y), clWhite) << c.name;
    }
  }
}

TEST(WizardPictures, TilingAnEmptyGraphicIsRefused) {
  TBitmap empty;
  TBitmap bmp;
  bmp.SetSize(10, 10);
  EXPECT_THROW(WizardPaintTiled(bmp.Canvas(), &empty, Rect(0, 0, 10, 10)), ECkWizardError);
}

}  // namespace
