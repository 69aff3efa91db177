// The wizard's drawing objects: page titles, header, panel and image.
#include <algorithm>

#include "controls/base/ckwizard.h"
#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

// ---- TCkWizardGraphicObject

void TCkWizardGraphicObject::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  ColorChanged();
}

void TCkWizardGraphicObject::SetVisible(bool Value) {
  if (FVisible == Value) return;
  FVisible = Value;
  VisibleChanged();
}

// ---- TCkWizardPageTitle

TCkWizardPageTitle::TCkWizardPageTitle() : FFont(new TFont()) {
  // Always stored, so a title's colour is written whatever it is.
  FColor = clNone;
}

TCkWizardPageTitle::~TCkWizardPageTitle() { delete FFont; }

void TCkWizardPageTitle::SetText(const String& Value) {
  if (FText == Value) return;
  FText = Value;
  Changed();
  if (!FWizardPageHeader) return;
  TCkWizardCustomPage* page = FWizardPageHeader->WizardPage();
  if (page && page->Wizard() && page->Wizard()->RouteMap()) page->Wizard()->RouteMap()->NotePageUpdated(page);
}

void TCkWizardPageTitle::SetAnchors(TAnchors Value) {
  if (FAnchors == Value) return;
  FAnchors = Value;
  Changed();
}

void TCkWizardPageTitle::SetAnchorPlacement(int Value) {
  if (FAnchorPlacement == Value) return;
  FAnchorPlacement = Value;
  Changed();
}

void TCkWizardPageTitle::SetIndent(int Value) {
  if (FIndent == Value) return;
  FIndent = Value;
  Changed();
}

void TCkWizardPageTitle::SetAlignment(TAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  Changed();
}

void TCkWizardPageTitle::SetFont(TFont* Value) {
  if (Value && Value != FFont) FFont->Assign(Value);
}

void TCkWizardPageTitle::SetWizardPageHeader(TCkWizardPageHeader* Value) {
  FFont->OnChange.Clear();
  FWizardPageHeader = Value;
  if (Value && Value->WizardPage()) {
    TFont* pageFont = Value->WizardPage()->Font();
    FFont->SetName(pageFont->Name());
    FFont->SetCharset(pageFont->Charset());
  }
  // From now on a change of this font is the form's own choice.
  if (Value) FFont->OnChange = TNotifyEvent(this, &TCkWizardPageTitle::FontChanged);
}

void TCkWizardPageTitle::FontChanged(TObject*) {
  if (!FWizardPageHeader) return;
  FWizardPageHeader->FParentFont = false;
  Changed();
}

void TCkWizardPageTitle::Assign(TPersistent* Source) {
  if (auto* t = dynamic_cast<TCkWizardPageTitle*>(Source)) {
    if (t == this) return;
    FText = t->FText;
    FAnchors = t->FAnchors;
    FAnchorPlacement = t->FAnchorPlacement;
    FIndent = t->FIndent;
    FAlignment = t->FAlignment;
    FFont->Assign(t->FFont);
    Changed();
    return;
  }
  TCkWizardGraphicObject::Assign(Source);
}

void TCkWizardPageTitle::Changed() {
  if (FWizardPageHeader) FWizardPageHeader->Changed();
}

void TCkWizardPageTitle::GetTextRect(TCanvas* ACanvas, const TRect& ARect, TRect& Result) {
  TSize ext = ACanvas->TextExtent(FText);
  Result = Bounds(ARect.Left, ARect.Top, ext.cx, ext.cy);
  if (FAnchors.Contains(akLeft)) {
    Result.Left += FAnchorPlacement;
    Result.Right += FAnchorPlacement;
  }
  if (FAnchors.Contains(akTop)) {
    Result.Top += FAnchorPlacement;
    Result.Bottom += FAnchorPlacement;
  }
  if (FAnchors.Contains(akRight)) Result.Right = ARect.Right - FAnchorPlacement;
  if (FAnchors.Contains(akBottom)) Result.Bottom = ARect.Bottom - FAnchorPlacement;
  Result.Left += FIndent;
  Result.Right -= FIndent;
  if (Result.Bottom > ARect.Bottom) Result.Bottom = ARect.Bottom;
  if (Result.Right > ARect.Right) Result.Right = ARect.Right;
}

void TCkWizardPageTitle::PaintTo(TCanvas* ACanvas, TRect& ARect) {
  if (!FVisible || !FWizardPageHeader || !FWizardPageHeader->WizardPage()) return;
  ACanvas->SetFont(FFont);
  TRect tr;
  GetTextRect(ACanvas, ARect, tr);
  // Clipped to nothing (a header too low for the text): nothing to draw.
  if (tr.Right <= tr.Left || tr.Bottom <= tr.Top) {
    ARect.Top = tr.Bottom;
    return;
  }
  if (FColor != clNone) {
    ACanvas->Brush()->SetColor(FColor);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->FillRect(tr);
  }
  ACanvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_WORDBREAK;
  switch (FAlignment) {
    case taRightJustify: flags |= DT_RIGHT; break;
    case taCenter: flags |= DT_CENTER; break;
    default: flags |= DT_LEFT; break;
  }
  // TextExtent has selected the font; the text goes onto a clear background.
  HDC dc = ACanvas->Handle();
  ACanvas->TextExtent(FText);
  int oldMode = SetBkMode(dc, TRANSPARENT);
  RECT r{tr.Left, tr.Top, tr.Right, tr.Bottom};
  DrawTextW(dc, W(FText), static_cast<int>(FText.size()), &r, flags);
  SetBkMode(dc, oldMode);
  ARect.Top = tr.Bottom;
}

// ---- TCkWizardPageObject

void TCkWizardPageObject::SetWizardPage(TCkWizardCustomPage* Value) {
  FWizardPage = Value;
  PageAttached();
}

void TCkWizardPageObject::Changed() {
  if (FWizardPage) FWizardPage->Invalidate();
}

// ---- TCkWizardPageHeader

TCkWizardPageHeader::TCkWizardPageHeader() : FTitle(new TCkWizardPageTitle()), FSubtitle(new TCkWizardPageTitle()) {
  FColor = clWindow;
  FTitle->FText = u"Title";
  FTitle->FAnchors = TAnchors{akLeft, akTop, akRight};
  FTitle->FFont->SetSize(12);
  FTitle->FFont->SetStyle(TFontStyles{fsBold});
  FSubtitle->FText = u"Subtitle";
  FSubtitle->FAnchors = TAnchors{akLeft, akTop, akRight, akBottom};
}

TCkWizardPageHeader::~TCkWizardPageHeader() {
  delete FSubtitle;
  delete FTitle;
}

void TCkWizardPageHeader::SetHeight(int Value) {
  if (FHeight == Value) return;
  FHeight = Value;
  Changed();
}

void TCkWizardPageHeader::SetImageIndex(int Value) {
  if (FImageIndex == Value) return;
  FImageIndex = Value;
  Changed();
}

void TCkWizardPageHeader::SetImageOffset(int Value) {
  if (FImageOffset == Value) return;
  FImageOffset = Value;
  Changed();
}

void TCkWizardPageHeader::SetImageAlignment(TCkWizardImageLeftRight Value) {
  if (FImageAlignment == Value) return;
  FImageAlignment = Value;
  Changed();
}

void TCkWizardPageHeader::SetShowDivider(bool Value) {
  if (FShowDivider == Value) return;
  FShowDivider = Value;
  Changed();
}

void TCkWizardPageHeader::SetParentFont(bool Value) {
  if (FParentFont == Value) return;
  FParentFont = Value;
  if (Value && FWizardPage) AdoptPageFont();
}

void TCkWizardPageHeader::AdoptPageFont() {
  if (!FWizardPage) return;
  bool parentFont = FParentFont;
  TFont* pageFont = FWizardPage->Font();
  for (TCkWizardPageTitle* t : {FTitle, FSubtitle}) {
    t->FFont->SetName(pageFont->Name());
    t->FFont->SetCharset(pageFont->Charset());
  }
  // The copy went through the title fonts' notification, which takes it for
  // a choice of the form's.
  FParentFont = parentFont;
}

void TCkWizardPageHeader::VisibleChanged() {
  TCkWizardPageObject::VisibleChanged();
  if (FWizardPage) FWizardPage->Realign();
}

void TCkWizardPageHeader::PageAttached() {
  FTitle->SetWizardPageHeader(this);
  FSubtitle->SetWizardPageHeader(this);
}

void TCkWizardPageHeader::GetImageRect(TCustomImageList* AImages, TRect& ARect, TRect& Result) {
  int iw = AImages->Width(), ih = AImages->Height();
  Result = Bounds(ARect.Left, ARect.Top + (ARect.Height() - ih) / 2, iw, ih);
  if (FImageAlignment == iaRight) {
    int dx = ARect.Width() - iw - 4 - FImageOffset;
    Result.Left += dx;
    Result.Right += dx;
    if (Result.Left < ARect.Right) ARect.Right = Result.Left;
  } else if (FImageAlignment == iaLeft) {
    Result.Left += FImageOffset;
    Result.Right += FImageOffset;
    if (Result.Right > ARect.Left) ARect.Left = Result.Right;
  }
}

void TCkWizardPageHeader::PaintTo(TCanvas* ACanvas, TRect& ARect) {
  if (!FVisible) return;
  TRect r = ARect;
  r.Bottom = r.Top + FHeight;
  ACanvas->Brush()->SetColor(FColor);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(r);
  if (FWizardPage) {
    if (FShowDivider) {
      TRect ignored;
      WizardPaintEdge(ACanvas, r, 3, WizardEdgeBottom, ignored);
    }
    TCkWizard* wizard = FWizardPage->Wizard();
    TCustomImageList* images = wizard ? wizard->HeaderImages() : nullptr;
    if (images && FImageIndex >= 0 && FImageIndex < images->Count()) {
      TRect ir;
      GetImageRect(images, r, ir);
      images->Draw(ACanvas, ir.Left, ir.Top, FImageIndex, true);
    }
    FTitle->PaintTo(ACanvas, r);
    FSubtitle->PaintTo(ACanvas, r);
  }
  ARect.Top += FHeight;
}

// ---- TCkWizardPagePanel

TCkWizardPagePanel::TCkWizardPagePanel() {
  FColor = clBtnFace;
  FVisible = false;
}

void TCkWizardPagePanel::SetBorderWidth(uint16_t Value) {
  if (FBorderWidth == Value) return;
  FBorderWidth = Value;
  Changed();
}

void TCkWizardPagePanel::PaintTo(TCanvas* ACanvas, TRect& ARect) {
  if (!FVisible || FBorderWidth == 0) return;
  ARect.Left += FBorderWidth;
  ARect.Top += FBorderWidth;
  ARect.Right -= FBorderWidth;
  ARect.Bottom -= FBorderWidth;
  TRect ignored;
  WizardPaintEdge(ACanvas, ARect, 3, WizardEdgeAll, ignored);
  if (FColor == clNone) return;
  ARect.Left += 2;
  ARect.Top += 2;
  ARect.Right -= 2;
  ARect.Bottom -= 2;
  ACanvas->Brush()->SetColor(FColor);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->FillRect(ARect);
}

// ---- TCkWizardImage

TCkWizardImage::TCkWizardImage() : FPicture(new TPicture()) {
  FPicture->OnChange = TNotifyEvent(this, &TCkWizardImage::PictureChanged);
}

TCkWizardImage::~TCkWizardImage() { delete FPicture; }

void TCkWizardImage::PictureChanged(TObject*) { OnChange(this); }

void TCkWizardImage::SetPicture(TPicture* Value) {
  FPicture->Assign(Value);
  ApplyTransparent();
}

void TCkWizardImage::SetAlignment(TCkWizardImageAlignment Value) {
  if (FAlignment == Value) return;
  FAlignment = Value;
  OnChange(this);
}

void TCkWizardImage::SetLayout(TCkWizardImageLayout Value) {
  if (FLayout == Value) return;
  FLayout = Value;
  OnChange(this);
}

bool TCkWizardImage::Transparent() const {
  TGraphic* g = FPicture->Graphic();
  return g ? g->Transparent() : FTransparent;
}

void TCkWizardImage::SetTransparent(bool Value) {
  FTransparent = Value;
  ApplyTransparent();
}

void TCkWizardImage::ApplyTransparent() {
  TGraphic* g = FPicture->Graphic();
  if (!g) return;
  // Metafiles and icons carry their own transparency.
  for (const char16_t* name : {u"TMetafile", u"TIcon"}) {
    TClass cls = GetClass(name);
    if (cls && g->InheritsFrom(cls)) return;
  }
  g->SetTransparent(FTransparent);
}

void TCkWizardImage::PaintTo(TCanvas* ACanvas, const TRect& ARect) {
  if (TGraphic* g = FPicture->Graphic()) WizardPaintGraphic(ACanvas, g, ARect, FAlignment, FLayout);
}

// ---- Run-time type information

FW_REGISTER(TCkWizardGraphicObject) {
  c.Property(u"Color", &TCkWizardGraphicObject::Color, &TCkWizardGraphicObject::SetColor).Type(TypeInfoTColor());
  c.Property(u"Visible", &TCkWizardGraphicObject::Visible, &TCkWizardGraphicObject::SetVisible).Default(true);
}

FW_REGISTER(TCkWizardPageTitle) {
  // Stored even when empty, so that an empty text does not load back as
  // the default "Title".
  c.Property(u"Text", &TCkWizardPageTitle::Text, &TCkWizardPageTitle::SetText).Stored(true);
  c.Property(u"Anchors", &TCkWizardPageTitle::Anchors, &TCkWizardPageTitle::SetAnchors);
  c.Property(u"AnchorPlacement", &TCkWizardPageTitle::AnchorPlacement, &TCkWizardPageTitle::SetAnchorPlacement)
      .Default(4);
  c.Property(u"Indent", &TCkWizardPageTitle::Indent, &TCkWizardPageTitle::SetIndent).Default(0);
  c.Property(u"Alignment", &TCkWizardPageTitle::Alignment, &TCkWizardPageTitle::SetAlignment).Default(taLeftJustify);
  c.Property(u"Font", &TCkWizardPageTitle::Font, &TCkWizardPageTitle::SetFont);
}

FW_REGISTER(TCkWizardPageObject) {}

FW_REGISTER(TCkWizardPageHeader) {
  c.Property(u"Color", &TCkWizardPageHeader::Color, &TCkWizardPageHeader::SetColor)
      .Type(TypeInfoTColor())
      .Default(clWindow);
  c.Property(u"ImageIndex", &TCkWizardPageHeader::ImageIndex, &TCkWizardPageHeader::SetImageIndex).Default(-1);
  c.Property(u"ImageOffset", &TCkWizardPageHeader::ImageOffset, &TCkWizardPageHeader::SetImageOffset).Default(0);
  c.Property(u"ImageAlignment", &TCkWizardPageHeader::ImageAlignment, &TCkWizardPageHeader::SetImageAlignment)
      .Default(iaRight);
  c.Property(u"Height", &TCkWizardPageHeader::Height, &TCkWizardPageHeader::SetHeight).Default(70);
  c.Property(u"ParentFont", &TCkWizardPageHeader::ParentFont, &TCkWizardPageHeader::SetParentFont).Default(true);
  c.Property(u"Title", &TCkWizardPageHeader::Title, &TCkWizardPageHeader::SetTitle);
  c.Property(u"Subtitle", &TCkWizardPageHeader::Subtitle, &TCkWizardPageHeader::SetSubtitle);
  c.Property(u"ShowDivider", &TCkWizardPageHeader::ShowDivider, &TCkWizardPageHeader::SetShowDivider).Default(true);
}

FW_REGISTER(TCkWizardPagePanel) {
  c.Property(u"Color", &TCkWizardPagePanel::Color, &TCkWizardPagePanel::SetColor)
      .Type(TypeInfoTColor())
      .Default(clBtnFace);
  c.Property(u"Visible", &TCkWizardPagePanel::Visible, &TCkWizardPagePanel::SetVisible).Default(false);
  c.Property(u"BorderWidth", &TCkWizardPagePanel::BorderWidth, &TCkWizardPagePanel::SetBorderWidth).Default(7);
}

FW_REGISTER(TCkWizardImage) {
  c.Property(u"Picture", &TCkWizardImage::Picture, &TCkWizardImage::SetPicture);
  c.Property(u"Alignment", &TCkWizardImage::Alignment, &TCkWizardImage::SetAlignment).Default(iaStretch);
  c.Property(u"Layout", &TCkWizardImage::Layout, &TCkWizardImage::SetLayout).Default(ilStretch);
  c.Property(u"Transparent", &TCkWizardImage::Transparent, &TCkWizardImage::SetTransparent).Default(false);
}

}  // namespace ck
