#include "controls/base/cktransparentbutton.h"

#include <commctrl.h>

#include <cstdint>
#include <vector>

#include "controls/base/ckextcomponent.h"
#include "fw/controls/actnlink.h"
#include "fw/core/rtti.h"
#include "fw/graphics/icon.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "fw/system/actions.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

// Pixels of a 24-bit bitmap as colour values.
struct Pixels24 {
  TBitmap* bmp;
  explicit Pixels24(TBitmap* b) : bmp(b) { bmp->SetPixelFormat(pf24bit); }
  TColor Get(int x, int y) {
    auto* p = static_cast<uint8_t*>(bmp->ScanLine(y)) + x * 3;
    return static_cast<TColor>(p[2] | (p[1] << 8) | (p[0] << 16));
  }
  void Set(int x, int y, TColor c) {
    auto* p = static_cast<uint8_t*>(bmp->ScanLine(y)) + x * 3;
    p[0] = static_cast<uint8_t>((c >> 16) & 0xFF);
    p[1] = static_cast<uint8_t>((c >> 8) & 0xFF);
    p[2] = static_cast<uint8_t>(c & 0xFF);
  }
};

// The emboss of the pixels that differ from Background: the shape in
// clBtnHighlight one pixel right and down, then in clBtnShadow in place,
// on clBtnFace.
void EmbossShape(TBitmap* Bitmap, TColor Background) {
  if (!Bitmap || Bitmap->Empty()) return;
  int w = Bitmap->Width(), h = Bitmap->Height();
  Pixels24 src(Bitmap);
  std::vector<bool> shape(static_cast<size_t>(w) * static_cast<size_t>(h));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) shape[static_cast<size_t>(y) * w + x] = src.Get(x, y) != Background;
  TColor face = ColorToRGB(clBtnFace), light = ColorToRGB(clBtnHighlight), dark = ColorToRGB(clBtnShadow);
  std::vector<TColor> out(shape.size(), face);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (shape[static_cast<size_t>(y) * w + x] && x + 1 < w && y + 1 < h) out[static_cast<size_t>(y + 1) * w + x + 1] = light;
  for (size_t i = 0; i < shape.size(); ++i)
    if (shape[i]) out[i] = dark;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) src.Set(x, y, out[static_cast<size_t>(y) * w + x]);
  Bitmap->SetModified(true);
}

// A picture of the list drawn through its mask onto white, and its mask
// (black where the picture is, white elsewhere).
void PictureOf(TCustomImageList* List, int Index, TBitmap* Image, TBitmap* Mask) {
  int w = List->Width(), h = List->Height();
  Image->SetPixelFormat(pf24bit);
  Image->SetSize(w, h);
  Image->Canvas()->Brush()->SetColor(clWhite);
  Image->Canvas()->FillRect(Rect(0, 0, w, h));
  ImageList_DrawEx(List->Handle(), Index, Image->Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE,
                   List->Masked() ? ILD_TRANSPARENT : ILD_NORMAL);
  if (!Mask) return;
  Mask->SetPixelFormat(pf24bit);
  Mask->SetSize(w, h);
  Mask->Canvas()->Brush()->SetColor(List->Masked() ? clWhite : clBlack);
  Mask->Canvas()->FillRect(Rect(0, 0, w, h));
  if (List->Masked())
    ImageList_DrawEx(List->Handle(), Index, Mask->Canvas()->Handle(), 0, 0, 0, 0, CLR_NONE, CLR_NONE, ILD_MASK);
}

}  // namespace

// ---- Bitmap routines

void GreyscaleBitmap(TBitmap* Bitmap, int R, int G, int B) {
  if (!Bitmap || Bitmap->Empty() || R + G + B == 0) return;
  Pixels24 px(Bitmap);
  for (int y = 0; y < Bitmap->Height(); ++y) {
    for (int x = 0; x < Bitmap->Width(); ++x) {
      TColor c = px.Get(x, y);
      int red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
      int grey = (R * red + G * green + B * blue) / (R + G + B);
      px.Set(x, y, static_cast<TColor>(grey | (grey << 8) | (grey << 16)));
    }
  }
  Bitmap->SetModified(true);
}

void EmbossBitmap(TBitmap* Bitmap) { EmbossShape(Bitmap, clWhite); }

void DisabledLookBitmap(TBitmap* Bitmap) {
  if (!Bitmap || Bitmap->Empty()) return;
  Pixels24 px(Bitmap);
  TColor background = px.Get(0, 0);
  for (int y = 0; y < Bitmap->Height(); ++y)
    for (int x = 0; x < Bitmap->Width(); ++x) {
      TColor c = px.Get(x, y);
      px.Set(x, y, c == clWhite || c == background ? background : clBlack);
    }
  // The background need not be white: the shape is what differs from it.
  EmbossShape(Bitmap, background);
}

int DrawEtchedText(HDC DC, const String& Text, int Count, UINT Flags, const TRect& R) {
  COLORREF old = GetTextColor(DC);
  RECT r{R.Left + 1, R.Top + 1, R.Right + 1, R.Bottom + 1};
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
  DrawTextW(DC, W(Text), Count, &r, Flags);
  r = RECT{R.Left, R.Top, R.Right, R.Bottom};
  SetTextColor(DC, static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
  int result = DrawTextW(DC, W(Text), Count, &r, Flags);
  SetTextColor(DC, old);
  return result;
}

// ---- TCkTransparentButtonImages

TCkTransparentButtonImages::TCkTransparentButtonImages(TCkTransparentButton* AOwner) : FOwner(AOwner) {
  for (auto*& link : FLinks) {
    link = new TChangeLink();
    link->OnChange = TNotifyEvent(this, &TCkTransparentButtonImages::ListChanged);
  }
}

TCkTransparentButtonImages::~TCkTransparentButtonImages() {
  for (int i = 0; i < 5; ++i) {
    if (FLists[i]) FLists[i]->UnRegisterChanges(FLinks[i]);
    delete FLinks[i];
  }
}

TPersistent* TCkTransparentButtonImages::GetOwner() const { return FOwner; }

void TCkTransparentButtonImages::ListChanged(TObject*) { Rebuild(); }

void TCkTransparentButtonImages::Rebuild() {
  if (FOwner) FOwner->RebuildPictures();
}

void TCkTransparentButtonImages::SetList(int I, TCustomImageList* Value) {
  if (FLists[I] == Value) return;
  if (FOwner) {
    // Another slot may hold the old list: its free notification stays.
    TCustomImageList* old = FLists[I];
    bool shared = false;
    for (int k = 0; k < 5; ++k)
      if (k != I && FLists[k] == old) shared = true;
    if (old) {
      old->UnRegisterChanges(FLinks[I]);
      if (!shared) old->RemoveFreeNotification(FOwner);
    }
    FLists[I] = Value;
    if (Value) {
      Value->RegisterChanges(FLinks[I]);
      Value->FreeNotification(FOwner);
    }
  } else {
    if (FLists[I]) FLists[I]->UnRegisterChanges(FLinks[I]);
    FLists[I] = Value;
    if (Value) Value->RegisterChanges(FLinks[I]);
  }
  Rebuild();
}

void TCkTransparentButtonImages::SetIndex(int I, int Value) {
  if (FIndices[I] == Value) return;
  FIndices[I] = Value;
  Rebuild();
}

void TCkTransparentButtonImages::ListRemoved(TComponent* List) {
  for (int i = 0; i < 5; ++i) {
    if (FLists[i] != List) continue;
    FLists[i]->UnRegisterChanges(FLinks[i]);
    FLists[i] = nullptr;
  }
}

void TCkTransparentButtonImages::Assign(TPersistent* Source) {
  auto* src = dynamic_cast<TCkTransparentButtonImages*>(Source);
  if (!src) {
    TPersistent::Assign(Source);
    return;
  }
  for (int i = 0; i < 5; ++i) SetList(i, src->FLists[i]);
  for (int i = 0; i < 5; ++i) SetIndex(i, src->FIndices[i]);
}

// ---- TCkTransparentButton

TCkTransparentButton::TCkTransparentButton(TComponent* AOwner)
    : TCkCustomGraphicButton(AOwner),
      FImList(new TImageList(this)),
      FGlyph(new TBitmap()),
      FImages(new TCkTransparentButtonImages(this)) {
  FGlyph->OnChange = TNotifyEvent(this, &TCkTransparentButton::GlyphChanged);
}

TCkTransparentButton::~TCkTransparentButton() {
  delete FGlyph;
  FGlyph = nullptr;
  delete FImages;
  FImages = nullptr;
}

void TCkTransparentButton::Loaded() {
  TCkCustomGraphicButton::Loaded();
  RebuildPictures();
}

void TCkTransparentButton::Notification(TComponent* AComponent, TOperation Operation) {
  TCkCustomGraphicButton::Notification(AComponent, Operation);
  if (Operation == opRemove && FImages) FImages->ListRemoved(AComponent);
}

void TCkTransparentButton::SetAutoGray(bool Value) {
  if (FAutoGray == Value) return;
  FAutoGray = Value;
  Invalidate();
}

void TCkTransparentButton::SetBorderWidth(int Value) {
  if (Value < 0) Value = 0;
  if (FBorderSize == static_cast<uint32_t>(Value)) return;
  FBorderSize = static_cast<uint32_t>(Value);
  Invalidate();
}

void TCkTransparentButton::SetFrameStyle(TCkFrameStyle Value) {
  if (FOutline == Value) return;
  FOutline = Value;
  SetFlat(FTransparent);
  Invalidate();
}

void TCkTransparentButton::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  SetFlat(FTransparent);
  Invalidate();
}

void TCkTransparentButton::SetSpacing(int Value) {
  if (FSpacing == Value) return;
  FSpacing = Value;
  Invalidate();
}

void TCkTransparentButton::SetTextAlign(TCkTextAlign Value) {
  if (FTextAlign == Value) return;
  FTextAlign = Value;
  Invalidate();
}

void TCkTransparentButton::SetWordWrap(bool Value) {
  if (FWordWrap == Value) return;
  FWordWrap = Value;
  Invalidate();
}

void TCkTransparentButton::SetGlyphStretched(bool Value) {
  if (FGlyphStretched == Value) return;
  FGlyphStretched = Value;
  Invalidate();
}

void TCkTransparentButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  RebuildPictures();
  // A strip of square pictures: one picture per state, up to four.
  if (!FGlyph->Empty() && FGlyph->Width() % FGlyph->Height() == 0) {
    int n = FGlyph->Width() / FGlyph->Height();
    SetNumGlyphs(n < 5 ? n : 1);
  }
  Invalidate();
}

void TCkTransparentButton::SetNumGlyphs(int Value) {
  if (Value < 1) Value = 1;
  if (Value > 4) Value = 4;
  if (FNumGlyphs == Value) return;
  FNumGlyphs = Value;
  if (!UseImages()) {
    RebuildPictures();
    Invalidate();
  }
}

void TCkTransparentButton::GlyphChanged(TObject*) { RebuildPictures(); }

// ---- Pictures

void TCkTransparentButton::RebuildPictures() {
  // Reading the glyph's pixels may announce a change of the glyph again.
  if (ComponentState().Contains(csLoading) || FRebuilding) return;
  FRebuilding = true;
  try {
    if (UseImages()) RebuildFromImages();
    else RebuildFromGlyph();
  } catch (...) {
    FRebuilding = false;
    throw;
  }
  FRebuilding = false;
  Invalidate();
}

void TCkTransparentButton::RebuildFromGlyph() {
  if (UseImages()) return;
  FImList->Clear();
  int w = FGlyph->Width() / FNumGlyphs, h = FGlyph->Height();
  if (w <= 0 || h <= 0) return;
  FImList->SetMasked(true);
  FImList->SetWidth(w);
  FImList->SetHeight(h);
  TBitmap first;
  for (int i = 0; i < FNumGlyphs; ++i) {
    TBitmap slice;
    slice.SetPixelFormat(pf24bit);
    slice.SetSize(w, h);
    slice.Canvas()->CopyRect(Rect(0, 0, w, h), FGlyph->Canvas(), Rect(i * w, 0, i * w + w, h));
    FImList->AddMasked(&slice, slice.TransparentColor());
    if (i == 0) first.Assign(&slice);
  }
  TBitmap grey;
  grey.Assign(&first);
  GreyscaleBitmap(&grey, 11, 59, 30);
  FImList->AddMasked(&grey, grey.TransparentColor());
  TBitmap disabled;
  disabled.Assign(&first);
  DisabledLookBitmap(&disabled);
  FImList->AddMasked(&disabled, disabled.TransparentColor());
}

void TCkTransparentButton::RebuildFromImages() {
  if (!UseImages()) return;
  FImList->SetBkColor(clNone);
  FImList->Clear();
  TCustomImageList* active = FImages->ActiveImage();
  int activeIndex = FImages->ActiveIndex();
  if (!active || activeIndex < 0 || activeIndex >= active->Count()) {
    Invalidate();
    return;
  }
  FImList->SetMasked(active->Masked());
  FImList->SetWidth(active->Width());
  FImList->SetHeight(active->Height());
  // A picture copied from a list through its mask.
  auto addFrom = [&](TCustomImageList* list, int index) {
    TBitmap image, mask;
    PictureOf(list, index, &image, &mask);
    FImList->Add(&image, FImList->Masked() ? &mask : nullptr);
  };
  auto named = [&](int slot) {
    TCustomImageList* list = FImages->FLists[slot];
    int index = FImages->FIndices[slot];
    return list && index >= 0 && index < list->Count();
  };
  addFrom(active, activeIndex);
  if (named(1)) {
    addFrom(FImages->FLists[1], FImages->FIndices[1]);
  } else {
    TBitmap image;
    PictureOf(active, activeIndex, &image, nullptr);
    EmbossBitmap(&image);
    FImList->AddMasked(&image, clBtnFace);
  }
  if (named(2)) addFrom(FImages->FLists[2], FImages->FIndices[2]);
  else addFrom(active, activeIndex);
  if (named(3)) {
    addFrom(FImages->FLists[3], FImages->FIndices[3]);
  } else {
    TBitmap image, mask;
    PictureOf(active, activeIndex, &image, &mask);
    GreyscaleBitmap(&image, 11, 59, 30);
    FImList->Add(&image, FImList->Masked() ? &mask : nullptr);
  }
  if (named(4)) addFrom(FImages->FLists[4], FImages->FIndices[4]);
  else addFrom(active, activeIndex);
  Invalidate();
}

int TCkTransparentButton::PictureIndex() const {
  int count = FImList->Count();
  if (count == 0) return -1;
  const bool inside = FStates.Contains(bsMouseInside);
  if (UseImages()) {
    if (!Enabled()) return 1;
    if ((FStates.Contains(bsMouseDown) && (FKeepMouseLeavePressed || inside)) || FDown) return 2;
    if (FOutline == fsExplorer && FAutoGray && FStates.Empty()) return 3;
    if (inside && FHotTrack) return 4;
    return 0;
  }
  int index = 0;
  if (FNumGlyphs == 2) index = Enabled() ? 0 : 1;
  else if (FNumGlyphs >= 3) index = !Enabled() ? 1 : Pressed() ? 2 : 0;
  if ((FFlat || FOutline == fsExplorer) && FAutoGray && !inside && !FDown) index = count - 2;
  if (!Enabled() && FNumGlyphs == 1) index = count - 1;
  return index;
}

// ---- Painting

void TCkTransparentButton::PaintFrame(TCanvas* ACanvas) {
  const int w = Width(), h = Height();
  const int bw = static_cast<int>(FBorderSize);
  const bool designing = ComponentState().Contains(csDesigning);
  const TRect all = Rect(0, 0, w, h);
  ACanvas->Brush()->SetStyle(bsSolid);
  ACanvas->Brush()->SetColor(Color());
  ACanvas->Pen()->SetStyle(psSolid);
  ACanvas->Pen()->SetColor(clBlack);
  ACanvas->Pen()->SetWidth(bw);
  auto frame = [&](TRect& r, TColor a, TColor b, int width) { Frame3D(ACanvas, r, a, b, width); };
  auto frameAt = [&](TRect r, TColor a, TColor b, int width) { Frame3D(ACanvas, r, a, b, width); };
  auto fill = [&]() {
    if (!FTransparent) ACanvas->FillRect(all);
  };

  // Background stage.
  switch (FOutline) {
    case fsRegular:
      if (FTransparent) {
        frameAt(Rect(1, 1, w, h), clBlack, clBlack, bw);
      } else {
        ACanvas->Rectangle(1, 1, w, h);
      }
      break;
    case fsIndent:
      ACanvas->Pen()->SetColor(clBtnShadow);
      if (FTransparent) frameAt(Rect(0, 0, w - 1, h - 1), clBtnShadow, clBtnShadow, bw);
      else ACanvas->Rectangle(0, 0, w - 1, h - 1);
      frameAt(Rect(1, 1, w, h), clBtnHighlight, clBtnHighlight, bw);
      break;
    case fsExplorer:
      fill();
      frameAt(all, clBtnHighlight, clBtnShadow, 1);
      break;
    case fsNone:
      fill();
      if (designing) frameAt(all, clBlack, clBlack, 1);
      break;
    case fsLight:
      fill();
      if (designing) frameAt(all, clBtnHighlight, clBtnShadow, 1);
      break;
    case fsDark:
      fill();
      if (designing) frameAt(all, clBtnFace, cl3DDkShadow, 1);
      break;
    case fsMono:
      fill();
      if (designing) frameAt(all, clBtnHighlight, cl3DDkShadow, 1);
      break;
  }

  // State stage.
  TRect r = all;
  const bool inside = FStates.Contains(bsMouseInside);
  if (Pressed()) {
    switch (FOutline) {
      case fsRegular:
      case fsIndent:
        if (FShowPressed) {
          frame(r, clBlack, clBtnHighlight, bw);
          frame(r, clBtnShadow, clBtnFace, bw);
        }
        break;
      case fsExplorer:
        if (inside || FDown) {
          if (FShowPressed) frame(r, clBtnShadow, clBtnHighlight, bw);
          else frame(r, clBtnHighlight, clBtnShadow, bw);
        }
        break;
      case fsNone: break;
      case fsLight:
        if (FShowPressed) frame(r, clBtnShadow, clBtnHighlight, 1);
        break;
      case fsDark:
        if (FShowPressed) frame(r, cl3DDkShadow, clBtnFace, 1);
        break;
      case fsMono:
        if (FShowPressed) frame(r, cl3DDkShadow, clBtnHighlight, 1);
        break;
    }
    return;
  }
  const bool shown = (inside && FTransparent) || !FTransparent || designing;
  switch (FOutline) {
    case fsRegular:
      if (shown) {
        frame(r, clBtnHighlight, clBlack, bw);
        frame(r, static_cast<TColor>(0x00DFDFDF), clBtnShadow, bw);
      }
      break;
    case fsIndent:
      if (shown) {
        frame(r, clBtnShadow, clBtnHighlight, bw);
        frame(r, clBtnHighlight, clBtnShadow, bw);
      }
      break;
    case fsExplorer:
      if (inside || designing) frame(r, clBtnHighlight, clBtnShadow, bw);
      break;
    case fsNone:
      if (designing) frame(r, clBlack, clBlack, 1);
      break;
    case fsLight:
      if (shown) frame(r, clBtnHighlight, clBtnShadow, 1);
      break;
    case fsDark:
      if (shown) frame(r, clBtnFace, cl3DDkShadow, 1);
      break;
    case fsMono:
      if (shown) frame(r, clBtnHighlight, cl3DDkShadow, 1);
      break;
  }
}

void TCkTransparentButton::PaintForeground(TCanvas* ACanvas) {
  TCkCustomGraphicButton::PaintForeground(ACanvas);
  int w = FImList->Width(), h = FImList->Height();
  int top, left;
  switch (FTextAlign) {
    case ttaBottomLeft:
    case ttaBottom:
    case ttaBottomRight: top = FSpacing; break;
    case ttaTopLeft:
    case ttaTop:
    case ttaTopRight: top = Height() - h - FSpacing; break;
    default: top = (Height() - h) / 2; break;
  }
  if (FTextAlign == ttaLeft) left = Width() - w - FSpacing;
  else if (FTextAlign == ttaRight) left = FSpacing;
  else left = (Width() - w) / 2;
  TRect g = Rect(left, top, left + w, top + h);
  if (FImList->Count() > 0) DrawGlyph(g, ACanvas);
  if (!Caption().empty()) DrawCaption(g, ACanvas);
}

void TCkTransparentButton::DrawGlyph(const TRect& GlyphRect, TCanvas* ACanvas) {
  int index = PictureIndex();
  if (index < 0) return;
  TRect g = GlyphRect;
  if (Pressed() && FShowPressed) RectOffset(g, FPressOffset, FPressOffset);
  if (FStates.Contains(bsMouseInside) && Pressed() && !FTransparent) {
    TRect r = Rect(0, 0, Width(), Height());
    int inset = static_cast<int>(FBorderSize) + 1;
    RectInflate(r, -inset, -inset);
    ACanvas->Brush()->SetBitmap(CkButtonPattern());
    ACanvas->FillRect(r);
    ACanvas->Brush()->SetBitmap(nullptr);
  }
  if (FGlyphStretched) {
    TBitmap picture;
    FImList->GetBitmap(index, &picture);
    ACanvas->StretchDraw(Rect(0, 0, Width(), Height()), &picture);
  } else {
    FImList->Draw(ACanvas, g.Left, g.Top, index, true);
  }
}

void TCkTransparentButton::DrawCaption(const TRect& GlyphRect, TCanvas* ACanvas) {
  const bool hot = FStates.Contains(bsMouseInside) && FHotTrack;
  ACanvas->SetFont(hot ? FHotFont : Font());
  String caption = Caption();
  UINT lines = FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  TRect calc = Rect(0, 0, Width(), Height());
  CanvasDrawText(ACanvas, caption, calc, lines | DT_CALCRECT);
  int tw = calc.Width(), th = calc.Height();
  int w = Width(), h = Height(), s = FSpacing;
  int dx = 0, dy = 0;
  switch (FTextAlign) {
    case ttaTopLeft: dx = s; dy = GlyphRect.Top - th - s; break;
    case ttaTop: dx = w / 2 - tw / 2; dy = GlyphRect.Top - th - s; break;
    case ttaTopRight: dx = w - tw - s; dy = GlyphRect.Top - th - s; break;
    case ttaRight: dx = w - tw - s; dy = h / 2 - th / 2; break;
    case ttaBottomRight: dx = w - tw - s; dy = GlyphRect.Bottom + s; break;
    case ttaBottom: dx = w / 2 - tw / 2; dy = GlyphRect.Bottom + s; break;
    case ttaBottomLeft: dx = s; dy = GlyphRect.Bottom + s; break;
    case ttaLeft: dx = s; dy = h / 2 - th / 2; break;
    case ttaCenter: dx = w / 2 - tw / 2; dy = h / 2 - th / 2; break;
  }
  TRect r = Rect(dx, dy, dx + tw, dy + th);
  if (Pressed() && FShowPressed) RectOffset(r, FPressOffset, FPressOffset);
  ACanvas->Brush()->SetStyle(bsClear);
  UINT flags = lines | DT_CENTER | DT_NOCLIP;
  if (Enabled()) {
    ACanvas->Font()->SetColor(hot ? FHotFont->Color() : Font()->Color());
    CanvasDrawText(ACanvas, caption, r, flags);
  } else {
    ACanvas->TextRect(TRect{}, 0, 0, String());  // selects the font and the clear background
    DrawEtchedText(ACanvas->Handle(), caption, static_cast<int>(caption.size()), flags, r);
  }
}

// ---- Actions

void TCkTransparentButton::ActionChange(TObject* Sender, bool CheckDefaults) {
  TCkCustomGraphicButton::ActionChange(Sender, CheckDefaults);
  auto* action = dynamic_cast<TCustomAction*>(Sender);
  if (!action) return;
  if (!CheckDefaults) {
    SetDown(action->Checked());
    // The action's picture number stands for every state's picture.
    FImages->SetDisabledIndex(action->ImageIndex());
    FImages->SetDownIndex(action->ImageIndex());
    FImages->SetGrayIndex(action->ImageIndex());
    FImages->SetHotIndex(action->ImageIndex());
  }
  FGlyph->SetWidth(0);
  FGlyph->SetHeight(0);
  TCustomImageList* images = action->ActionList() ? action->ActionList()->Images() : nullptr;
  if (!CheckDefaults || (images && FImages->ActiveIndex() == -1)) {
    FImages->SetActiveImage(images);
    FImages->SetActiveIndex(action->ImageIndex());
  }
}

// ---- Registration

FW_REGISTER(TCkTransparentButtonImages) {
  using I = TCkTransparentButtonImages;
  c.Property(u"ActiveImage", &I::ActiveImage, &I::SetActiveImage);
  c.Property(u"ActiveIndex", &I::ActiveIndex, &I::SetActiveIndex).Default(-1);
  c.Property(u"DisabledImage", &I::DisabledImage, &I::SetDisabledImage);
  c.Property(u"DisabledIndex", &I::DisabledIndex, &I::SetDisabledIndex).Default(-1);
  c.Property(u"DownImage", &I::DownImage, &I::SetDownImage);
  c.Property(u"DownIndex", &I::DownIndex, &I::SetDownIndex).Default(-1);
  c.Property(u"GrayImage", &I::GrayImage, &I::SetGrayImage);
  c.Property(u"GrayIndex", &I::GrayIndex, &I::SetGrayIndex).Default(-1);
  c.Property(u"HotImage", &I::HotImage, &I::SetHotImage);
  c.Property(u"HotIndex", &I::HotIndex, &I::SetHotIndex).Default(-1);
}

FW_REGISTER(TCkTransparentButton) {
  using B = TCkTransparentButton;
  c.Property(u"AllowAllUp", &B::AllowAllUp, &B::SetAllowAllUp).Default(false);
  c.Property(u"AutoGray", &B::AutoGray, &B::SetAutoGray).Default(true);
  c.Property(u"BorderWidth", &B::BorderWidth, &B::SetBorderWidth).Default(1);
  c.Property(u"Color", &B::Color, &B::SetColor).Type(TypeInfoTColor()).Default(clWindow);
  c.Property(u"DropDownMenu", &B::DropDownMenu, &B::SetDropDownMenu);
  c.Property(u"DropArrow", &B::DropArrow, &B::SetDropArrow).Default(false);
  c.Property(u"Down", &B::Down, &B::SetDown).Default(false);
  c.Property(u"GroupIndex", &B::GroupIndex, &B::SetGroupIndex).Default(0);
  c.Property(u"HotTrack", &B::HotTrack, &B::SetHotTrack).Default(false);
  c.Property(u"HotTrackFont", &B::HotTrackFont, &B::SetHotTrackFont).Stored(&B::HotTrackFontStored);
  c.Property(u"HotTrackFontOptions", &B::HotTrackFontOptions, &B::SetHotTrackFontOptions)
      .Default(services::DefaultTrackFontOptions);
  c.Property(u"FrameStyle", &B::FrameStyle, &B::SetFrameStyle).Default(fsExplorer);
  c.Property(u"ShowPressed", &B::ShowPressed, &B::SetShowPressed).Default(true);
  c.Property(u"PressOffset", &B::PressOffset, &B::SetPressOffset).Default(1);
  c.Property(u"Spacing", &B::Spacing, &B::SetSpacing).Default(2);
  c.Property(u"TextAlign", &B::TextAlign, &B::SetTextAlign).Default(ttaCenter);
  c.Property(u"Transparent", &B::Transparent, &B::SetTransparent).Default(true);
  c.Property(u"WordWrap", &B::WordWrap, &B::SetWordWrap).Default(false);
  c.Property(u"OnDropDownMenu", &B::OnDropDownMenu, &B::OnDropDownMenu);
  c.Property(u"Glyph", &B::Glyph, &B::SetGlyph);
  c.Property(u"GlyphStretched", &B::GlyphStretched, &B::SetGlyphStretched).Default(false);
  c.Property(u"NumGlyphs", &B::NumGlyphs, &B::SetNumGlyphs).Default(1);
  c.Property(u"KeepMouseLeavePressed", &B::KeepMouseLeavePressed, &B::SetKeepMouseLeavePressed).Default(false);
  c.Property(u"Images", &B::Images, &B::SetImages);
}

}  // namespace ck
