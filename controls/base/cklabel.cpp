#include "controls/base/cklabel.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "controls/base/ckthemes.h"
#include "fw/core/mathutils.h"
#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/platform/oserror.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"
#include "services/shellutils.h"

namespace ck {

using namespace fw;

namespace {

// Rotated labels draw at most this many characters.
constexpr size_t kMaxRotatedText = 4096;

TPoint ShadowOffset(TShadowPosition Pos, int S) {
  switch (Pos) {
    case spLeftTop: return TPoint{-S, -S};
    case spLeftBottom: return TPoint{-S, S};
    case spRightBottom: return TPoint{S, S};
    case spRightTop: return TPoint{S, -S};
  }
  return TPoint{};
}

TRect Moved(TRect R, TPoint D) { return Rect(R.Left + D.x, R.Top + D.y, R.Right + D.x, R.Bottom + D.y); }

}  // namespace

// ---- Rotated text geometry

TCkRotatedBox RotatedTextBox(int Width, int Height, int Angle) {
  int a = ((Angle % 360) + 360) % 360;
  int folded = a < 90 ? 90 - a : a < 180 ? a - 90 : a < 270 ? 270 - a : a - 270;
  double r = folded * std::numbers::pi / 180.0;
  TCkRotatedBox box;
  box.A = static_cast<int>(Round(Width * std::sin(r)));
  box.B = static_cast<int>(Round(Width * std::cos(r)));
  box.C = static_cast<int>(Round(Height * std::cos(r)));
  box.D = static_cast<int>(Round(Height * std::sin(r)));
  return box;
}

TPoint RotatedTextOrigin(const TCkRotatedBox& Box, int Angle, bool AutoSize, TAlignment Alignment, int ClientWidth,
                         int ClientHeight) {
  int a = ((Angle % 360) + 360) % 360;
  int bw = Box.Width(), bh = Box.Height();
  if (AutoSize) {
    if (a < 90) return TPoint{0, Box.B};
    if (a < 180) return TPoint{Box.A, bh};
    if (a < 270) return TPoint{bw, Box.D};
    return TPoint{Box.C, 0};
  }
  double cx = ClientWidth / 2.0, cy = ClientHeight / 2.0;
  double x = 0, y = 0;
  auto pick = [Alignment](double left, double right, double centre) {
    return Alignment == taLeftJustify ? left : Alignment == taRightJustify ? right : centre;
  };
  if (a < 90) {
    x = pick(0, 2 * cx - bw, cx - bw / 2.0);
    y = cy + (bh - 2.0 * Box.D) / 2;
  } else if (a < 180) {
    x = pick(Box.A, 2 * cx - Box.C, cx + (bw - 2.0 * Box.C) / 2);
    y = cy + bh / 2.0;
  } else if (a < 270) {
    x = pick(bw, 2 * cx, cx + bw / 2.0);
    y = cy - (bh - 2.0 * Box.D) / 2;
  } else {
    x = pick(Box.C, 2 * cx - Box.A, cx - (bw - 2.0 * Box.C) / 2);
    y = cy - bh / 2.0;
  }
  return TPoint{static_cast<int>(Round(x)), static_cast<int>(Round(y))};
}

// ---- TCkCustomLabel

TCkCustomLabel::TCkCustomLabel(TComponent* AOwner) : TCkExGraphicControl(AOwner) {
  FChangeLink = std::make_unique<TChangeLink>();
  FChangeLink->OnChange = TNotifyEvent(this, &TCkCustomLabel::ImagesChanged);
  FControlStyle.Include(csOpaque);
  FControlStyle.Include(csReplicatable);
  if (StylesActive()) FControlStyle.Exclude(csOpaque);
  FHotTrackFont = std::make_unique<TFont>();
  FHotTrackFont->OnChange = TNotifyEvent(this, &TCkCustomLabel::HotFontChanged);
  FHotTrackOptions = std::make_unique<TCkHotTrackOptions>(this);
  FConsumerSvc = std::make_unique<TCkDataConsumer>(this, std::initializer_list<int>{2});
  FConsumerSvc->OnChanged = TCkDataConsumerChangeEvent(this, &TCkCustomLabel::ProviderChanged);
  FWidth = 65;
  FHeight = 17;
}

void TCkCustomLabel::ProviderChanged(TCkDataConsumer*, TCkDataConsumerChangeReason) {
  if (HasProvider()) RequestResize();
}

void TCkCustomLabel::DetachProvider() {
  if (FConsumerSvc) FConsumerSvc->SetProviderIntf(nullptr);
}

TCkCustomLabel::~TCkCustomLabel() {
  FConsumerSvc.reset();
  if (FImages) FImages->UnRegisterChanges(FChangeLink.get());
  FHotTrackFont->OnChange = TNotifyEvent();
}

bool TCkCustomLabel::StylesActive() const { return ActiveStyleServices()->Enabled(); }

bool TCkCustomLabel::Transparent() const { return !FControlStyle.Contains(csOpaque); }

void TCkCustomLabel::SetTransparent(bool Value) {
  if (Value == Transparent()) return;
  if (StylesActive() || Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  Invalidate();
}

// ---- Setters

void TCkCustomLabel::SetAlignment(TAlignment Value) {
  if (Value == FAlignment) return;
  FAlignment = Value;
  Invalidate();
}

void TCkCustomLabel::SetAutoSize(bool Value) {
  if (Value == FAutoSize) return;
  FAutoSize = Value;
  RequestResize();
}

void TCkCustomLabel::SetLayout(TTextLayout Value) {
  if (Value == FLayout) return;
  FLayout = Value;
  Invalidate();
}

void TCkCustomLabel::SetShadowColor(TColor Value) {
  if (Value == FShadowColor) return;
  FShadowColor = Value;
  Invalidate();
}

void TCkCustomLabel::SetShadowSize(int Value) {
  Value = std::clamp(Value, 0, 255);
  if (Value == FShadowSize) return;
  FShadowSize = Value;
  RequestResize();
  Invalidate();
}

void TCkCustomLabel::SetShadowPos(TShadowPosition Value) {
  if (Value == FShadowPos) return;
  FShadowPos = Value;
  Invalidate();
}

void TCkCustomLabel::SetWordWrap(bool Value) {
  if (Value == FWordWrap) return;
  FWordWrap = Value;
  RequestResize();
}

void TCkCustomLabel::SetShowAccelChar(bool Value) {
  if (Value == FShowAccelChar) return;
  FShowAccelChar = Value;
  Invalidate();
}

void TCkCustomLabel::SetShowFocus(bool Value) {
  if (Value == FShowFocus) return;
  FShowFocus = Value;
  Invalidate();
}

void TCkCustomLabel::SetTextEllipsis(TCkTextEllipsis Value) {
  if (Value == FTextEllipsis) return;
  FTextEllipsis = Value;
  Invalidate();
}

void TCkCustomLabel::SetFrameColor(TColor Value) {
  if (Value == FFrameColor) return;
  FFrameColor = Value;
  Invalidate();
}

void TCkCustomLabel::SetRoundedFrame(int Value) {
  if (Value < 0 || Value >= Height() / 2 || Value == FRoundedFrame) return;
  FRoundedFrame = Value;
  Invalidate();
}

void TCkCustomLabel::SetMargin(int Value) {
  Value = std::max(Value, 0);
  SetMargins(Value, Value, Value, Value);
}

void TCkCustomLabel::SetMargins(int Left, int Top, int Right, int Bottom) {
  FMarginLeft = std::max(Left, 0);
  FMarginTop = std::max(Top, 0);
  FMarginRight = std::max(Right, 0);
  FMarginBottom = std::max(Bottom, 0);
  RequestResize();
  Invalidate();
}

void TCkCustomLabel::SetAngle(int Value) {
  if (Value < 0) Value += 360;
  if (Value == FAngle) return;
  FAngle = Value;
  if (FAutoSize) RequestResize();
  Invalidate();
}

void TCkCustomLabel::SetSpacing(int Value) {
  if (Value == FSpacing) return;
  FSpacing = Value;
  if (FAutoSize) RequestResize();
  else Invalidate();
}

void TCkCustomLabel::SetImages(TCustomImageList* Value) {
  DetachProvider();
  if (!services::SwapImageListReference(this, Value, FImages, FChangeLink.get())) return;
  if (FAutoSize) RequestResize();
  else Invalidate();
}

void TCkCustomLabel::SetImageIndex(int Value) {
  DetachProvider();
  if (Value == FImageIndex) return;
  FImageIndex = Value;
  RequestResize();
  Invalidate();
}

void TCkCustomLabel::SetFocusControl(TWinControl* Value) {
  if (!services::SwapComponentReference(this, Value, FFocusControl)) return;
  if (FShowFocus) Invalidate();
}

void TCkCustomLabel::ImagesChanged(TObject*) { Invalidate(); }

void TCkCustomLabel::HotFontChanged(TObject*) {
  if (MouseOver) Invalidate();
}

void TCkCustomLabel::SetHotTrack(bool Value) {
  if (Value == FHotTrack) return;
  FHotTrack = Value;
  Invalidate();
}

void TCkCustomLabel::SetHotTrackFont(TFont* Value) {
  if (Value) FHotTrackFont->Assign(Value);
}

void TCkCustomLabel::SetHotTrackFontOptions(TCkTrackFontOptions Value) {
  if (Value == FHotTrackFontOptions) return;
  FHotTrackFontOptions = Value;
  services::SyncHotTrackFont(FHotTrackFont.get(), Font(), FHotTrackFontOptions);
}

void TCkCustomLabel::SetHotTrackOptions(TCkHotTrackOptions* Value) {
  if (Value) FHotTrackOptions->Assign(Value);
}

bool TCkCustomLabel::HotTrackFontStored() const {
  return services::HotTrackFontDiffers(FHotTrackFont.get(), Font(), FHotTrackFontOptions);
}

// ---- Notices

void TCkCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
  TCkExGraphicControl::Notification(AComponent, Operation);
  if (Operation != opRemove) return;
  if (AComponent == FFocusControl) FFocusControl = nullptr;
  if (AComponent == FImages) {
    FImages = nullptr;
    Invalidate();
  }
}

void TCkCustomLabel::Loaded() {
  TCkExGraphicControl::Loaded();
  FConsumerSvc->Loaded();
  RequestResize();
}

void TCkCustomLabel::TextChanged() {
  DetachProvider();
  TCkExGraphicControl::TextChanged();
  Invalidate();
  RequestResize();
}

void TCkCustomLabel::FontChanged() {
  TCkExGraphicControl::FontChanged();
  services::SyncHotTrackFont(FHotTrackFont.get(), Font(), FHotTrackFontOptions);
  RequestResize();
}

void TCkCustomLabel::EnabledChanged() {
  TCkExGraphicControl::EnabledChanged();
  UpdateTracking();
}

void TCkCustomLabel::FocusChangedNotice(TControl* Control) {
  bool focused = FFocusControl && Control == FFocusControl;
  if (focused != FFocused) {
    FFocused = focused;
    if (FShowFocus) Invalidate();
  }
  TCkExGraphicControl::FocusChangedNotice(Control);
}

bool TCkCustomLabel::WantsDialogChar(int Key, TShiftState Shift) {
  if (FFocusControl && Enabled() && FShowAccelChar && Shift.Contains(ssAlt) &&
      IsAccel(static_cast<WORD>(Key), DisplayText())) {
    if (FFocusControl->CanFocus()) FFocusControl->SetFocus();
    return true;
  }
  return false;
}

// ---- Mouse

void TCkCustomLabel::UpdateTracking() {
  bool over = Enabled() && GetKeyState(VK_LBUTTON) >= 0 && Mouse &&
              FindDragTarget(Mouse->CursorPos(), false) == this && services::ThreadOwnsActiveWindow();
  if (over == MouseOver) return;
  MouseOver = over;
  Invalidate();
}

void TCkCustomLabel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExGraphicControl::MouseDown(Button, Shift, X, Y);
  if (Button == mbLeft && Enabled()) FDragging = true;
}

void TCkCustomLabel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCkExGraphicControl::MouseUp(Button, Shift, X, Y);
  if (Button == mbLeft) FDragging = false;
  UpdateTracking();
}

void TCkCustomLabel::MouseEntered(TControl* Control) {
  if (!IsOwnNotice(Control)) {
    TCkExGraphicControl::MouseEntered(Control);
    return;
  }
  if (ComponentState().Contains(csDesigning) || MouseOver || !Enabled() || !services::ThreadOwnsActiveWindow())
    return;
  UpdateTracking();
  TCkExGraphicControl::MouseEntered(Control);
  bool noButton = GetKeyState(VK_LBUTTON) >= 0;
  if (!Transparent() && (StylesActive() || (FHotTrack && noButton && !FDragging))) Invalidate();
}

void TCkCustomLabel::MouseLeft(TControl* Control) {
  if (!IsOwnNotice(Control)) {
    TCkExGraphicControl::MouseLeft(Control);
    return;
  }
  if (ComponentState().Contains(csDesigning) || !MouseOver || !Enabled()) return;
  UpdateTracking();
  TCkExGraphicControl::MouseLeft(Control);
  bool noButton = GetKeyState(VK_LBUTTON) >= 0;
  if (!Transparent() && (StylesActive() || (FHotTrack && (FDragging || noButton)))) Invalidate();
}

void TCkCustomLabel::Click() {
  if (HasProvider()) {
    bool handled = false;
    FConsumerSvc->Enter();
    try {
      if (ICkDataItem* item = FConsumerSvc->SelectedItem()) handled = FConsumerSvc->ItemSelected(item);
    } catch (...) {
      FConsumerSvc->Leave();
      throw;
    }
    FConsumerSvc->Leave();
    if (handled) return;
  }
  TCkExGraphicControl::Click();
  if (FAutoOpenURL && !FURL.empty()) services::OpenWithShell(FURL);
}

// ---- Size

void TCkCustomLabel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  if (ALeft != Left() || ATop != Top() || AWidth != Width() || AHeight != Height()) FNeedsResize = true;
  TCkExGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TCkCustomLabel::RequestResize() {
  FNeedsResize = true;
  FitToText();
}

int TCkCustomLabel::ImageSpanWidth() {
  return FImages && FImageIndex >= 0 && !HasProvider() ? FImages->Width() : 0;
}

int TCkCustomLabel::ImageSpanHeight() {
  return FImages && FImageIndex >= 0 && !HasProvider() ? FImages->Height() : 0;
}

void TCkCustomLabel::FitToText() {
  if (Reading() || !FAutoSize || !FNeedsResize) return;
  TWindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  TCanvas* saved = FDrawCanvas;
  FDrawCanvas = &canvas;
  TRect r = Rect(1 + FMarginLeft, 1 + FMarginTop, Width() - 1 - FMarginRight, Height() - 1 - FMarginBottom);
  int left = r.Left, top = r.Top;
  UINT flags = DT_CALCRECT;
  if (FAngle != 0) {
    flags |= FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
  } else {
    flags |= DT_EXPANDTABS;
    if (FWordWrap) flags |= DT_WORDBREAK;
  }
  try {
    PaintLabelText(r, flags);
  } catch (...) {
    FDrawCanvas = saved;
    canvas.SetHandle(nullptr);
    throw;
  }
  FDrawCanvas = saved;
  canvas.SetHandle(nullptr);
  int w = r.Right - left + FMarginLeft + FMarginRight + 2;
  int h = r.Bottom - top + FMarginTop + FMarginBottom + 2;
  if (FAngle != 0) {
    // The rotated measure is already the whole box with its margins.
    w = r.Width() + 2;
    h = r.Height() + 2;
  }
  int imageHeight = ImageSpanHeight();
  if (imageHeight > 0) h = std::max(h, imageHeight);
  int x = Left();
  if (FAlignment == taRightJustify && ImageSpanWidth() == 0) x = Left() + Width() - w;
  SetBounds(x, Top(), w, h);
  FNeedsResize = false;
}

// ---- Painting

TCanvas* TCkCustomLabel::DrawCanvas() { return FDrawCanvas ? FDrawCanvas : Canvas(); }

void TCkCustomLabel::PaintOctagon(TCanvas* C, const TRect& R) {
  int r = FRoundedFrame;
  int L = R.Left, T = R.Top, Rt = R.Right - 1, B = R.Bottom - 1;
  C->Polygon({TPoint{L + r, T}, TPoint{Rt - r, T}, TPoint{Rt, T + r}, TPoint{Rt, B - r}, TPoint{Rt - r, B},
              TPoint{L + r, B}, TPoint{L, B - r}, TPoint{L, T + r}, TPoint{L + r, T}});
}

void TCkCustomLabel::Paint() {
  TCanvas* c = Canvas();
  if (!Enabled() && !ComponentState().Contains(csDesigning)) FDragging = false;
  TRect client = Rect(0, 0, Width(), Height());
  bool opaque = !Transparent();
  if (Hot()) {
    if (FHotTrackOptions->Enabled()) {
      c->Brush()->SetColor(FHotTrackOptions->Color());
      c->Brush()->SetStyle(bsSolid);
      if (FHotTrackOptions->FrameVisible()) {
        TColor oldPen = c->Pen()->Color();
        c->Pen()->SetColor(FHotTrackOptions->FrameColor());
        if (FRoundedFrame > 0) {
          if (opaque) c->FillRect(client);
          PaintOctagon(c, client);
        } else {
          c->Rectangle(client);
        }
        c->Pen()->SetColor(oldPen);
      } else {
        c->FillRect(client);
      }
    }
  } else {
    c->SetFont(Font());
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    bool roundedFrame = FRoundedFrame > 0 && FFrameColor != clNone;
    if (opaque && !roundedFrame) PaintThemedBackground(this, c, client, Color(), true);
    if (!opaque) c->Brush()->SetStyle(bsClear);
    if (FFrameColor != clNone) {
      if (FRoundedFrame > 0) {
        if (opaque) c->FillRect(client);
        TColor oldPen = c->Pen()->Color();
        c->Pen()->SetColor(FFrameColor);
        PaintOctagon(c, client);
        c->Pen()->SetColor(oldPen);
      } else {
        TBrushStyle style = c->Brush()->Style();
        c->Brush()->SetColor(FFrameColor);
        c->Brush()->SetStyle(bsSolid);
        c->FrameRect(client);
        c->Brush()->SetColor(Color());
        c->Brush()->SetStyle(style);
      }
    }
  }
  // Each margin is applied once.
  TRect r = Rect(FMarginLeft, FMarginTop, Width() - 1 - FMarginRight, Height() - FMarginBottom);
  UINT flags = FWordWrap ? DT_WORDBREAK : 0;
  flags |= FAlignment == taRightJustify ? DT_RIGHT : FAlignment == taCenter ? DT_CENTER : DT_LEFT;
  if (FLayout != tlTop && FAngle == 0) {
    TRect measured = r;
    PaintContentText(measured, flags | DT_EXPANDTABS | DT_CALCRECT);
    int dy = FLayout == tlCenter ? (Height() - measured.Bottom) / 2 : Height() - measured.Bottom;
    r.Top += dy;
    r.Bottom += dy;
  }
  PaintContentText(r, flags | DT_EXPANDTABS);
  if (FShowFocus && FFocusControl && FFocused && !ComponentState().Contains(csDesigning)) {
    c->Brush()->SetColor(Color());
    c->Brush()->SetStyle(bsSolid);
    c->DrawFocusRect(Rect(r.Left - 1, r.Top, r.Right + 1, r.Bottom));
  }
}

void TCkCustomLabel::PaintContentText(TRect& R, UINT Flags) {
  if (HasProvider()) PaintProviderItem(R, Flags);
  else PaintLabelText(R, Flags);
}

String TCkCustomLabel::DisplayText() {
  if (!HasProvider()) return Caption();
  String text = Caption();
  FConsumerSvc->Enter();
  try {
    bool hasText = false;
    ICkDataItem* item = FConsumerSvc->SelectedItem();
    String itemText = item ? ProviderItemText(item, &hasText) : String();
    if (hasText) text = itemText;
  } catch (...) {
    FConsumerSvc->Leave();
    throw;
  }
  FConsumerSvc->Leave();
  return text;
}

void TCkCustomLabel::PaintProviderItem(TRect& R, UINT Flags) {
  ICkDataProvider* provider = FConsumerSvc->ProviderIntf();
  FConsumerSvc->Enter();
  try {
    ICkDataItem* item = FConsumerSvc->SelectedItem();
    ICkDataItemsRenderer* renderer = Query<ICkDataItemsRenderer>(provider);
    if (!renderer && item) renderer = Query<ICkDataItemsRenderer>(item->OwnerItems());
    if (!renderer && item) renderer = Query<ICkDataItemsRenderer>(item);
    if (!item || !renderer) {
      FConsumerSvc->Leave();
      PaintLabelText(R, Flags);
      return;
    }
    TCanvas* c = DrawCanvas();
    c->Brush()->SetColor(Color());
    c->SetFont(Hot() ? FHotTrackFont.get() : Font());
    if (!Transparent()) c->Brush()->SetStyle(bsSolid);
    else c->Brush()->SetStyle(bsClear);
    TProviderDrawStates states;
    if (!Enabled()) states.Include(pdsDisabled);
    if (Flags & DT_CALCRECT) {
      SIZE extent = renderer->ItemExtent(c, item);
      R.Right = R.Left + extent.cx;
      R.Bottom = R.Top + extent.cy;
    } else {
      renderer->RenderItem(c, R, item, states);
    }
  } catch (...) {
    FConsumerSvc->Leave();
    throw;
  }
  FConsumerSvc->Leave();
}

int TCkCustomLabel::DrawTextWithShadow(TCanvas* C, const String& Text, TRect& R, UINT Flags, TColor Shadow, int S,
                                       TShadowPosition Pos) {
  TColor textColor = C->Font()->Color();
  int height = 0;
  TRect shadowRect = R;
  if (S > 0) {
    shadowRect = Moved(R, ShadowOffset(Pos, S));
    C->Font()->SetColor(Shadow);
    C->Brush()->SetStyle(bsClear);
    height = services::DrawTextUnmodified(C, Text, -1, shadowRect, Flags);
    C->Font()->SetColor(textColor);
  }
  C->Brush()->SetStyle(bsClear);
  int textHeight = services::DrawTextUnmodified(C, Text, -1, R, Flags);
  if (S > 0) {
    R = Rect(std::min(R.Left, shadowRect.Left), std::min(R.Top, shadowRect.Top), std::max(R.Right, shadowRect.Right),
             std::max(R.Bottom, shadowRect.Bottom));
    return height > 0 ? height + S : textHeight;
  }
  return textHeight;
}

void TCkCustomLabel::PaintLabelText(TRect& R, UINT Flags) {
  TCanvas* c = DrawCanvas();
  bool measuring = (Flags & DT_CALCRECT) != 0;
  String text = DisplayText();
  if (measuring && (text.empty() || (FShowAccelChar && text == u"&"))) text += u" ";
  if (!FShowAccelChar) Flags |= DT_NOPREFIX;
  switch (FTextEllipsis) {
    case teWordEllipsis: Flags |= DT_WORD_ELLIPSIS; break;
    case tePathEllipsis: Flags |= DT_PATH_ELLIPSIS; break;
    case teEndEllipsis: Flags |= DT_END_ELLIPSIS; break;
    case teNone: break;
  }
  if (Hot()) {
    c->SetFont(FHotTrackFont.get());
  } else {
    c->SetFont(Font());
    c->Font()->SetColor(NormalTextColor());
  }
  TColor shadow = FShadowColor;
  int size = FShadowSize;
  TShadowPosition pos = FShadowPos;
  if (!Enabled()) {
    c->Font()->SetColor(clGrayText);
    shadow = clBtnHighlight;
    if (size == 0) {
      size = 1;
      pos = spRightBottom;
    }
  }
  int imageWidth = ImageSpanWidth();
  if (imageWidth > 0) R.Left += imageWidth + FSpacing;
  if (FAngle != 0) PaintRotatedText(c, text, R, Flags);
  else DrawTextWithShadow(c, text, R, Flags, shadow, size, pos);
  if (imageWidth > 0 && !measuring) PaintImage(c);
}

void TCkCustomLabel::PaintImage(TCanvas* C) {
  int h = FImages->Height();
  int y = FMarginTop;
  if (FLayout == tlBottom) y = Height() - h - FMarginBottom;
  else if (FLayout == tlCenter) y = (Height() - h) / 2;
  y = std::max(y, FMarginTop);
  FImages->Draw(C, FMarginLeft, y, FImageIndex, Enabled());
}

void TCkCustomLabel::PaintRotatedText(TCanvas* C, const String& FullText, TRect& R, UINT Flags) {
  String text = FullText.substr(0, kMaxRotatedText);
  LOGFONTW lf{};
  if (GetObjectW(Font()->Handle(), sizeof(lf), &lf) == 0) RaiseLastOSError();
  lf.lfEscapement = FAngle * 10;
  lf.lfOrientation = FAngle * 10;
  lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
  TFontHandle rotated(CreateFontIndirectW(&lf));
  C->SetFont(Font());
  TSize extent = C->TextExtent(text);
  TCkRotatedBox box = RotatedTextBox(extent.cx, extent.cy, FAngle);
  int imageWidth = ImageSpanWidth();
  if (Flags & DT_CALCRECT) {
    R = Bounds(R.Left, R.Top, box.Width() + imageWidth + FMarginLeft + FMarginRight,
               box.Height() + FMarginTop + FMarginBottom);
    return;
  }
  TPoint p = RotatedTextOrigin(box, FAngle, FAutoSize, FAlignment, Width(), Height());
  if (FAlignment == taLeftJustify) p.x += imageWidth;
  else if (FAlignment == taCenter) p.x += imageWidth / 2;
  p.x += FMarginLeft;
  p.y += FMarginTop;
  HDC dc = C->Handle();
  TSelectObject font(dc, rotated.Get());
  int oldMode = SetBkMode(dc, TRANSPARENT);
  COLORREF oldColor = GetTextColor(dc);
  auto out = [&](int x, int y, TColor color) {
    SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
    TextOutW(dc, x, y, W(text), static_cast<int>(text.size()));
  };
  if (FShadowSize > 0) {
    TPoint d = ShadowOffset(FShadowPos, FShadowSize);
    out(p.x + d.x, p.y + d.y, FShadowColor);
  }
  if (!Enabled()) {
    out(p.x + 1, p.y + 1, clBtnHighlight);
    out(p.x, p.y, clBtnShadow);
  } else {
    out(p.x, p.y, Font()->Color());
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

// ---- Registration

FW_REGISTER(TCkCustomLabel) {}

FW_REGISTER(TCkLabel) {
  using L = TCkLabel;
  c.Property(u"Alignment", &L::Alignment, &L::SetAlignment).Default(taLeftJustify);
  c.Property(u"AutoSize", &L::AutoSize, &L::SetAutoSize).Default(true);
  c.Property(u"FocusControl", &L::FocusControl, &L::SetFocusControl);
  c.Property(u"FrameColor", &L::FrameColor, &L::SetFrameColor).Type(TypeInfoTColor()).Default(clNone);
  c.Property(u"Layout", &L::Layout, &L::SetLayout).Default(tlTop);
  c.Property(u"Margin", &L::Margin, &L::SetMargin).Default(0);
  c.Property(u"RoundedFrame", &L::RoundedFrame, &L::SetRoundedFrame).Default(0);
  c.Property(u"ShadowColor", &L::ShadowColor, &L::SetShadowColor).Type(TypeInfoTColor()).Default(clBtnHighlight);
  c.Property(u"ShadowSize", &L::ShadowSize, &L::SetShadowSize).Default(0);
  c.Property(u"ShadowPos", &L::ShadowPos, &L::SetShadowPos).Default(spRightBottom);
  c.Property(u"ShowAccelChar", &L::ShowAccelChar, &L::SetShowAccelChar).Default(true);
  c.Property(u"ShowFocus", &L::ShowFocus, &L::SetShowFocus).Default(false);
  c.Property(u"Transparent", &L::Transparent, &L::SetTransparent).Default(false);
  c.Property(u"WordWrap", &L::WordWrap, &L::SetWordWrap).Default(false);
  c.Property(u"Angle", &L::Angle, &L::SetAngle).Default(0);
  c.Property(u"AutoOpenURL", &L::AutoOpenURL, &L::SetAutoOpenURL).Default(true);
  c.Property(u"HotTrack", &L::HotTrack, &L::SetHotTrack).Default(false);
  c.Property(u"HotTrackFont", &L::HotTrackFont, &L::SetHotTrackFont).Stored(&L::HotTrackFontStored);
  c.Property(u"HotTrackFontOptions", &L::HotTrackFontOptions, &L::SetHotTrackFontOptions)
      .Default(services::DefaultTrackFontOptions);
  c.Property(u"HotTrackOptions", &L::HotTrackOptions, &L::SetHotTrackOptions);
  c.Property(u"Images", &L::Images, &L::SetImages);
  c.Property(u"ImageIndex", &L::ImageIndex, &L::SetImageIndex).Default(-1);
  c.Property(u"Spacing", &L::Spacing, &L::SetSpacing).Default(4);
  c.Property(u"TextEllipsis", &L::TextEllipsis, &L::SetTextEllipsis).Default(teNone);
  c.Property(u"URL", &L::URL, &L::SetURL);
}

}  // namespace ck
