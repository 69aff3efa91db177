#include "controls/base/ckpanel.h"

#include <algorithm>
#include <map>
#include <vector>

#include "controls/base/ckthemes.h"
#include "fw/core/rtti.h"
#include "fw/system/screen.h"
#include "services/ckutils.h"

namespace ck {

using namespace fw;

namespace {

const char16_t* const kSettingsFreedText =
    u"Your code tried to destroy the TCkPanel.ArrangeSettings objects leaving the panel in a broken state. "
    u"Please fix your code by adding\r\n\r\n"
    u"    if not ((Components[I] is TCkArrangeSettings) or\r\n"
    u"            (Components[I] is TCkPanelHotTrackOptions)) then\r\n\r\n"
    u"or by using the Controls[] array property if possible.";

bool AutoWidth(TCkAutoSizePanel a) { return a == asWidth || a == asBoth; }
bool AutoHeight(TCkAutoSizePanel a) { return a == asHeight || a == asBoth; }

}  // namespace

// ---- TCkArrangeSettings

TCkCustomArrangePanel* TCkArrangeSettings::Panel() const { return dynamic_cast<TCkCustomArrangePanel*>(FOwner); }

void TCkArrangeSettings::BeforeDestruction() {
  TCkCustomArrangePanel* panel = Panel();
  if (panel && panel->FArrangeSettings == this && !panel->ComponentState().Contains(csDestroying))
    throw ECKException(kSettingsFreedText);
  TCkPersistentProperty::BeforeDestruction();
}

TCkArrangeSettings::~TCkArrangeSettings() = default;

void TCkArrangeSettings::SetWrapControls(bool Value) { ChangeProperty(FWrapControls, Value, u"WrapControls"); }
void TCkArrangeSettings::SetBorderLeft(int Value) { ChangeProperty(FBorderLeft, Value, u"BorderLeft"); }
void TCkArrangeSettings::SetBorderTop(int Value) { ChangeProperty(FBorderTop, Value, u"BorderTop"); }
void TCkArrangeSettings::SetDistanceVertical(int Value) { ChangeProperty(FDistanceVertical, Value, u"DistanceVertical"); }
void TCkArrangeSettings::SetDistanceHorizontal(int Value) {
  ChangeProperty(FDistanceHorizontal, Value, u"DistanceHorizontal");
}
void TCkArrangeSettings::SetAutoSize(TCkAutoSizePanel Value) { ChangeProperty(FAutoSize, Value, u"AutoSize"); }
void TCkArrangeSettings::SetAutoArrange(bool Value) { ChangeProperty(FAutoArrange, Value, u"AutoArrange"); }
void TCkArrangeSettings::SetMaxWidth(int Value) { ChangeProperty(FMaxWidth, Value, u"MaxWidth"); }
void TCkArrangeSettings::SetMaxControlsPerLine(int Value) {
  ChangeProperty(FMaxControlsPerLine, Value, u"MaxControlsPerLine");
}
void TCkArrangeSettings::SetVerticalAlignment(TCkArrangeSettingsVAlignment Value) {
  ChangeProperty(FVerticalAlignment, Value, u"VerticalAlignment");
}
void TCkArrangeSettings::SetHorizontalAlignment(TCkArrangeSettingsHAlignment Value) {
  ChangeProperty(FHorizontalAlignment, Value, u"HorizontalAlignment");
}
void TCkArrangeSettings::SetHorizontalAlignLines(bool Value) {
  ChangeProperty(FHorizontalAlignLines, Value, u"HorizontalAlignLines");
}

void TCkArrangeSettings::Assign(TPersistent* Source) {
  AssignOptions<TCkArrangeSettings>(Source, [this](TCkArrangeSettings& src) {
    SetWrapControls(src.WrapControls());
    SetBorderLeft(src.BorderLeft());
    SetBorderTop(src.BorderTop());
    SetDistanceVertical(src.DistanceVertical());
    SetDistanceHorizontal(src.DistanceHorizontal());
    ShowNotVisibleAtDesignTime = src.ShowNotVisibleAtDesignTime;
    SetAutoSize(src.AutoSize());
    SetAutoArrange(src.AutoArrange());
    SetMaxWidth(src.MaxWidth());
    SetMaxControlsPerLine(src.MaxControlsPerLine());
    SetVerticalAlignment(src.VerticalAlignment());
    SetHorizontalAlignment(src.HorizontalAlignment());
    SetHorizontalAlignLines(src.HorizontalAlignLines());
  });
}

// ---- ICkHotTrack

void ICkHotTrack::AssignHotTrack(ICkHotTrack* Source) {
  if (!Source || Source == this) return;
  SetHotTrack(Source->HotTrack());
  SetHotTrackFont(Source->HotTrackFont());
  SetHotTrackFontOptions(Source->HotTrackFontOptions());
  SetHotTrackOptions(Source->HotTrackOptions());
}

// ---- TCkCustomArrangePanel

TCkCustomArrangePanel::TCkCustomArrangePanel(TComponent* AOwner) : TCkCustomPanel(AOwner) {
  AddThemeStyleFlags(this, TControlStyle{csParentBackground, csNeedsBorderPaint});
  FControlStyle.Exclude(csSetCaption);
  FHotTrackFont = new TFont();
  FHotTrackOptions = new TCkPanelHotTrackOptions(this);
  FArrangeSettings = new TCkArrangeSettings(this);
  FArrangeSettings->OnChangedProperty = TCkPropertyChangeEvent(this, &TCkCustomArrangePanel::SettingsChanged);
}

TCkCustomArrangePanel::~TCkCustomArrangePanel() {
  // The option objects are owned components and go with the component
  // base; they must no longer call back into this panel.
  if (FArrangeSettings) FArrangeSettings->OnChangedProperty = nullptr;
  delete FHotTrackFont;
  FHotTrackFont = nullptr;
}

void TCkCustomArrangePanel::Notification(TComponent* AComponent, TOperation Operation) {
  TCkCustomPanel::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent->Owner() == this) ReplaceLostOptions(AComponent);
}

void TCkCustomArrangePanel::ReplaceLostOptions(TComponent* AComponent) {
  if (ComponentState().Contains(csDestroying)) {
    if (AComponent == FArrangeSettings) FArrangeSettings = nullptr;
    if (AComponent == FHotTrackOptions) FHotTrackOptions = nullptr;
    return;
  }
  if (AComponent == FArrangeSettings) {
    FArrangeSettings = new TCkArrangeSettings(this);
    FArrangeSettings->OnChangedProperty = TCkPropertyChangeEvent(this, &TCkCustomArrangePanel::SettingsChanged);
  } else if (AComponent == FHotTrackOptions) {
    FHotTrackOptions = new TCkPanelHotTrackOptions(this);
  }
}

void TCkCustomArrangePanel::SetArrangeSettings(TCkArrangeSettings* Value) {
  if (Value) FArrangeSettings->Assign(Value);
}

void TCkCustomArrangePanel::SetHotTrackFont(TFont* Value) {
  if (Value) FHotTrackFont->Assign(Value);
}

void TCkCustomArrangePanel::SetHotTrackFontOptions(TCkTrackFontOptions Value) {
  if (FHotTrackFontOptions == Value) return;
  FHotTrackFontOptions = Value;
  services::SyncHotTrackFont(FHotTrackFont, Font(), FHotTrackFontOptions);
}

void TCkCustomArrangePanel::SetHotTrackOptions(TCkHotTrackOptions* Value) {
  if (Value) FHotTrackOptions->Assign(Value);
}

bool TCkCustomArrangePanel::HotTrackFontStored() const {
  return services::HotTrackFontDiffers(FHotTrackFont, Font(), FHotTrackFontOptions);
}

void TCkCustomArrangePanel::FontChanged() {
  TCkCustomPanel::FontChanged();
  services::SyncHotTrackFont(FHotTrackFont, Font(), FHotTrackFontOptions);
}

void TCkCustomArrangePanel::SetTransparent(bool Value) {
  if (FTransparent == Value) return;
  FTransparent = Value;
  // The see-through style and csOpaque are decided when the window is made.
  if (Value) FControlStyle.Exclude(csOpaque);
  else FControlStyle.Include(csOpaque);
  RecreateWnd();
}

void TCkCustomArrangePanel::SetFlatBorder(bool Value) {
  if (FFlatBorder == Value) return;
  FFlatBorder = Value;
  Invalidate();
}

void TCkCustomArrangePanel::SetFlatBorderColor(TColor Value) {
  if (FFlatBorderColor == Value) return;
  FFlatBorderColor = Value;
  Invalidate();
}

void TCkCustomArrangePanel::SetMultiLine(bool Value) {
  if (FMultiLine == Value) return;
  FMultiLine = Value;
  Invalidate();
}

void TCkCustomArrangePanel::SetSizeable(bool Value) {
  if (FSizeable == Value) return;
  if (FDragging) {
    FDragging = false;
    SetMouseCapture(false);
  }
  FSizeable = Value;
  Invalidate();
}

void TCkCustomArrangePanel::CreateParams(TCreateParams& Params) {
  TCkCustomPanel::CreateParams(Params);
  if (FTransparent) {
    Params.ExStyle |= WS_EX_TRANSPARENT;
    FControlStyle.Exclude(csOpaque);
  } else {
    Params.ExStyle &= ~static_cast<DWORD>(WS_EX_TRANSPARENT);
    FControlStyle.Include(csOpaque);
  }
}

void TCkCustomArrangePanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCkCustomPanel::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (FTransparent) Invalidate();
}

void TCkCustomArrangePanel::SetWidth(int Value) {
  if (Value == Width()) return;
  SetBounds(Left(), Top(), Value, Height());
  OnChangedWidth(this, Value);
  if (OnResizeParent) OnResizeParent(this, Left(), Top(), Width(), Height());
  else if (auto* p = dynamic_cast<TCkCustomArrangePanel*>(Parent());
           p && p->FArrangeSettings->AutoArrange() && !p->ComponentState().Contains(csLoading))
    p->ArrangeControls();
}

void TCkCustomArrangePanel::SetHeight(int Value) {
  if (Value == Height()) return;
  SetBounds(Left(), Top(), Width(), Value);
  OnChangedHeight(this, Value);
  if (OnResizeParent) OnResizeParent(this, Left(), Top(), Width(), Height());
  else if (auto* p = dynamic_cast<TCkCustomArrangePanel*>(Parent());
           p && p->FArrangeSettings->AutoArrange() && !p->ComponentState().Contains(csLoading))
    p->ArrangeControls();
}

void TCkCustomArrangePanel::Loaded() {
  TCkCustomPanel::Loaded();
  if (FArrangeSettings->AutoArrange()) ArrangeControls();
}

void TCkCustomArrangePanel::AlignControls(TControl* AControl, TRect& Rect) {
  TCkCustomPanel::AlignControls(AControl, Rect);
  if (FArrangeSettings && FArrangeSettings->AutoArrange()) ArrangeControls();
}

void TCkCustomArrangePanel::Resize() {
  if (FArrangeSettings && FArrangeSettings->AutoArrange()) ArrangeControls();
  TCkCustomPanel::Resize();
}

void TCkCustomArrangePanel::TextChanged() {
  TCkCustomPanel::TextChanged();
  Invalidate();
}

void TCkCustomArrangePanel::ParentColorChanged() {
  Invalidate();
  TCkCustomPanel::ParentColorChanged();
}

void TCkCustomArrangePanel::EnableArrange() {
  EnableAlign();
  if (FEnableArrangeCount > 0) --FEnableArrangeCount;
}

void TCkCustomArrangePanel::DisableArrange() {
  ++FEnableArrangeCount;
  DisableAlign();
}

void TCkCustomArrangePanel::SettingsChanged(TObject*, const String& PropName) { ArrangeSettingChanged(PropName); }

void TCkCustomArrangePanel::ArrangeSettingChanged(const String& PropName) {
  if (!FArrangeSettings->AutoArrange() || ComponentState().Contains(csLoading)) return;
  // Switching auto-size off leaves the children where they are.
  if (PropName == u"AutoSize" && FArrangeSettings->AutoSize() == asNone) return;
  ArrangeControls();
}

// ---- Arranging

void TCkCustomArrangePanel::ArrangeControls() {
  if (!ArrangeEnabled() || FArrangeControlActive || ControlCount() == 0) return;
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) return;
  FArrangeControlActive = true;
  try {
    TCkArrangeSettings* s = FArrangeSettings;
    const bool designing = ComponentState().Contains(csDesigning);
    const int borderLeft = s->BorderLeft(), borderTop = s->BorderTop();
    const TCkAutoSizePanel autoSize = s->AutoSize();
    FArrangeWidth = 0;
    FArrangeHeight = 0;
    int newWidth = Width(), newHeight = Height();
    int penX = borderLeft, penY = borderTop;
    int lineHeight = -1;
    int maxX = AutoWidth(autoSize) ? Width() - 2 * borderLeft : -1;
    int maxY = AutoHeight(autoSize) ? Height() - 2 * borderTop : -1;

    std::vector<TWinControl*> windowed;
    for (int i = 0; i < ControlCount(); ++i)
      if (auto* w = dynamic_cast<TWinControl*>(Controls(i))) windowed.push_back(w);
    for (TWinControl* w : windowed) {
      if (auto* p = dynamic_cast<TCkCustomArrangePanel*>(w);
          p && p->FArrangeSettings->AutoArrange() && !p->ComponentState().Contains(csLoading))
        p->ArrangeControls();
      newWidth = std::max(newWidth, w->Width() + 2 * borderLeft);
    }
    if (s->MaxWidth() > 0 && s->MaxWidth() < newWidth) newWidth = s->MaxWidth();

    // The walk by tab order ends at the first number no child has.
    std::map<int, TWinControl*> byTabOrder;
    for (TWinControl* w : windowed) byTabOrder.emplace(w->TabOrder(), w);

    struct Placed {
      TWinControl* Control;
      TRect R;
      int Line;
    };
    std::vector<Placed> placed;
    int line = 0, onLine = 0;
    for (int order = 0;; ++order) {
      auto it = byTabOrder.find(order);
      if (it == byTabOrder.end()) break;
      TWinControl* c = it->second;
      if (!(c->Visible() || (designing && s->ShowNotVisibleAtDesignTime))) continue;
      int w = c->Width(), h = c->Height();
      int e = penX + w + s->DistanceHorizontal() + borderLeft;
      bool room = s->MaxControlsPerLine() <= 0 || onLine < s->MaxControlsPerLine();
      bool fits = (newWidth >= e || AutoWidth(autoSize)) && (s->MaxWidth() >= e || s->MaxWidth() <= 0);
      bool stay = room && (fits || borderLeft >= penX || !s->WrapControls());
      if (!stay) {
        penX = borderLeft;
        penY += lineHeight + s->DistanceVertical();
        lineHeight = -1;
        ++line;
        onLine = 0;
      }
      placed.push_back({c, Rect(penX, penY, penX + w, penY + h), line});
      ++onLine;
      penX += w;
      maxX = std::max(maxX, penX);
      penX += s->DistanceHorizontal();
      if (h > lineHeight) lineHeight = h;
      maxY = penY + lineHeight;
    }

    int dx = 0, dy = 0;
    if (!AutoHeight(autoSize)) {
      if (s->VerticalAlignment() == asVCenter) dy = (ClientHeight() - maxY) / 2;
      else if (s->VerticalAlignment() == asBottom) dy = ClientHeight() - maxY;
    }
    if (!AutoWidth(autoSize)) {
      if (s->HorizontalAlignment() == asCenter) dx = (ClientWidth() - maxX) / 2;
      else if (s->HorizontalAlignment() == asRight) dx = ClientWidth() - maxX;
    }
    for (Placed& p : placed) RectOffset(p.R, dx, dy);
    if (s->HorizontalAlignLines()) {
      for (size_t first = 0; first < placed.size();) {
        size_t last = first;
        while (last + 1 < placed.size() && placed[last + 1].Line == placed[first].Line) ++last;
        int shift = (maxX - (placed[last].R.Right - placed[first].R.Left)) / 2;
        for (size_t i = first; i <= last; ++i) RectOffset(placed[i].R, shift, 0);
        first = last + 1;
      }
    }
    for (Placed& p : placed) p.Control->SetBoundsRect(p.R);

    if (!ComponentState().Contains(csLoading)) {
      if (AutoWidth(autoSize)) {
        if (maxX < 0) newWidth = 0;
        else if (s->MaxWidth() <= 0 || maxX < s->MaxWidth()) newWidth = borderLeft + maxX;
        else newWidth = s->MaxWidth();
      }
      if (AutoHeight(autoSize)) newHeight = maxY < 0 ? 0 : borderTop + maxY;
      SetWidth(newWidth);
      SetHeight(newHeight);
    }
    int oldW = FArrangeWidth, oldH = FArrangeHeight;
    FArrangeWidth = 2 * borderLeft + maxX;
    FArrangeHeight = 2 * borderTop + maxY;
    if ((oldW != FArrangeWidth || oldH != FArrangeHeight) && GetFocus()) UpdateWindow(GetFocus());
  } catch (...) {
    FArrangeControlActive = false;
    throw;
  }
  FArrangeControlActive = false;
}

// ---- Painting

void TCkCustomArrangePanel::Paint() {
  if (OnPaint) {
    OnPaint(this);
    return;
  }
  ++FPainting;
  try {
    TCanvas* canvas = Canvas();
    // Windowed children show above a see-through panel only when they are
    // drawn again after it.
    if (FTransparent && FPainting == 1 && !FControlState.Contains(csPaintCopy)) {
      for (int i = 0; i < ControlCount(); ++i) {
        auto* w = dynamic_cast<TWinControl*>(Controls(i));
        if (!w || !w->HandleAllocated()) continue;
        w->Invalidate();
        RedrawWindow(w->WindowHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        w->Update();
      }
    }
    if (MouseOver && FHotTrack) {
      canvas->SetFont(FHotTrackFont);
      if (FHotTrackOptions->Enabled()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(FHotTrackOptions->Color());
        if (FHotTrackOptions->FrameVisible()) {
          TColor old = canvas->Pen()->Color();
          canvas->Pen()->SetColor(FHotTrackOptions->FrameColor());
          canvas->Rectangle(0, 0, Width(), Height());
          canvas->Pen()->SetColor(old);
        } else {
          TRect r = ClientRect();
          RectInflate(r, -BevelWidth(), -BevelWidth());
          canvas->FillRect(r);
        }
      }
    } else {
      canvas->SetFont(Font());
      canvas->Brush()->SetColor(Color());
      if (FTransparent) {
        canvas->Brush()->SetStyle(bsClear);
      } else {
        canvas->Brush()->SetStyle(bsSolid);
        PaintThemedBackground(this, canvas, ClientRect(), true);
      }
      if (!FFlatBorder) {
        PaintBorders();
      } else if (BorderWidth() > 0) {
        int b = BorderWidth();
        TRect r = ClientRect();
        r.Left += b / 2;
        r.Top += b / 2;
        r.Right -= b / 2 - (b % 2 == 0 ? 1 : 0);
        r.Bottom -= b / 2 - (b % 2 == 0 ? 1 : 0);
        TPen* pen = canvas->Pen();
        TColor oldColor = pen->Color();
        int oldWidth = pen->Width();
        pen->SetWidth(b);
        pen->SetColor(FFlatBorderColor);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Rectangle(r);
        pen->SetWidth(oldWidth);
        pen->SetColor(oldColor);
      }
    }
    DrawCaption();
    if (FSizeable) {
      TRect cr = ClientRect();
      int x = cr.Width() - GetSystemMetrics(SM_CXVSCROLL) - BevelWidth() - 2;
      int y = cr.Height() - GetSystemMetrics(SM_CYHSCROLL) - BevelWidth() - 2;
      canvas->Font()->SetName(u"Marlett");
      canvas->Font()->SetCharset(DEFAULT_CHARSET);
      canvas->Font()->SetSize(12);
      canvas->Font()->SetStyle(TFontStyles{});
      canvas->Brush()->SetStyle(bsClear);
      canvas->Font()->SetColor(clBtnHighlight);
      canvas->TextOut(x, y, u"o");
      canvas->Font()->SetColor(clBtnShadow);
      canvas->TextOut(x, y, u"p");
    }
  } catch (...) {
    --FPainting;
    throw;
  }
  --FPainting;
}

void TCkCustomArrangePanel::PaintBorders() {
  TCanvas* canvas = Canvas();
  TRect r = ClientRect();
  TColor top, bottom;
  if (BevelOuter() != bvNone) {
    BevelColors(BevelOuter(), top, bottom);
    Frame3D(canvas, r, top, bottom, BevelWidth());
  }
  Frame3D(canvas, r, Color(), Color(), BorderWidth());
  if (BevelInner() != bvNone) {
    BevelColors(BevelInner(), top, bottom);
    Frame3D(canvas, r, top, bottom, BevelWidth());
  }
}

void TCkCustomArrangePanel::DrawCaption() { DrawCaptionTo(Canvas()); }

void TCkCustomArrangePanel::DrawCaptionTo(TCanvas* ACanvas) {
  String caption = Caption();
  if (caption.empty()) return;
  ACanvas->SetFont((MouseOver || FDragging) && FHotTrack ? FHotTrackFont : Font());
  if (!Enabled()) ACanvas->Font()->SetColor(clGrayText);
  ACanvas->Brush()->SetStyle(bsClear);
  int bevels = 0;
  if (BevelOuter() != bvNone) bevels += BevelWidth();
  if (BevelInner() != bvNone) bevels += BevelWidth();
  TRect r = ClientRect();
  RectInflate(r, -(BorderWidth() + bevels), -(BorderWidth() + bevels));
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  UINT flags = (FMultiLine ? DT_WORDBREAK : DT_SINGLELINE) | DT_EXPANDTABS | kAlignments[Alignment()];
  TRect calc = r;
  CanvasDrawText(ACanvas, caption, calc, flags | DT_CALCRECT);
  int tw = calc.Width(), th = calc.Height();
  calc.Top = (Height() - th) / 2;
  calc.Bottom = calc.Top + th;
  if (Alignment() == taRightJustify) {
    RectOffset(calc, Width() - calc.Right - BorderWidth() - bevels, 0);
  } else if (Alignment() == taCenter) {
    calc.Left = (Width() - tw) / 2;
    calc.Right = calc.Left + tw;
  }
  CanvasDrawText(ACanvas, caption, calc, flags);
}

bool TCkCustomArrangePanel::EraseBackground(TCanvas* Canvas, LPARAM Param) {
  if (FTransparent) {
    services::PaintParentImage(this, Canvas);
    return true;
  }
  return TCkCustomPanel::EraseBackground(Canvas, Param);
}

// ---- Mouse: hot tracking, moving and sizing

void TCkCustomArrangePanel::MouseEntered(TControl* Control) {
  bool own = IsOwnNotice(Control);
  bool wasOver = MouseOver;
  TCkCustomPanel::MouseEntered(Control);
  if (ComponentState().Contains(csDesigning) || !own || wasOver || !Enabled()) return;
  if (!FTransparent && FHotTrack && !FDragging) Repaint();
}

void TCkCustomArrangePanel::MouseLeft(TControl* Control) {
  bool own = IsOwnNotice(Control);
  bool wasOver = MouseOver;
  TCkCustomPanel::MouseLeft(Control);
  if (ComponentState().Contains(csDesigning) || !own || !wasOver || !Enabled()) return;
  if (FSizeable) RestoreSizingCursor();
  if (!FTransparent && FHotTrack) Repaint();
}

void TCkCustomArrangePanel::ShowSizingCursor() {
  if (!Screen || Screen->Cursor() == crSizeNWSE) return;
  FLastScreenCursor = Screen->Cursor();
  Screen->SetCursor(crSizeNWSE);
  FSizingCursorShown = true;
}

void TCkCustomArrangePanel::RestoreSizingCursor() {
  if (!Screen || !FSizingCursorShown) return;
  FSizingCursorShown = false;
  if (Screen->Cursor() == crSizeNWSE) Screen->SetCursor(FLastScreenCursor);
}

void TCkCustomArrangePanel::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FSizeable && Button == mbLeft && InSizingCorner(X, Y)) {
    FDragging = true;
    FLastPos = TPoint{X, Y};
    SetMouseCapture(true);
    ShowSizingCursor();
    return;
  }
  TCkCustomPanel::MouseDown(Button, Shift, X, Y);
}

void TCkCustomArrangePanel::MouseMove(TShiftState Shift, int X, int Y) {
  if (FDragging) {
    int w = Width() + (X - FLastPos.x);
    int h = Height() + (Y - FLastPos.y);
    if (w > 1 && h > 1) {
      TSizeConstraints* k = Constraints();
      if (k->MinWidth() > 0 && w < k->MinWidth()) w = k->MinWidth();
      if (k->MaxWidth() > 0 && w > k->MaxWidth()) w = k->MaxWidth();
      if (k->MinHeight() > 0 && h < k->MinHeight()) h = k->MinHeight();
      if (k->MaxHeight() > 0 && h > k->MaxHeight()) h = k->MaxHeight();
      bool changed = false;
      if (w != Width()) {
        FLastPos.x = X;
        changed = true;
      }
      if (h != Height()) {
        FLastPos.y = Y;
        changed = true;
      }
      if (changed) {
        SetBounds(Left(), Top(), w, h);
        Repaint();
      }
    }
  } else {
    TCkCustomPanel::MouseMove(Shift, X, Y);
  }
  if (FSizeable) {
    if (InSizingCorner(X, Y)) ShowSizingCursor();
    else RestoreSizingCursor();
  }
}

void TCkCustomArrangePanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (FDragging) {
    FDragging = false;
    SetMouseCapture(false);
    RestoreSizingCursor();
    Repaint();
    return;
  }
  TCkCustomPanel::MouseUp(Button, Shift, X, Y);
}

bool TCkCustomArrangePanel::FireBeforeMove(int X, int Y) {
  bool allow = true;
  OnBeforeMove(this, X, Y, allow);
  return allow;
}

void TCkCustomArrangePanel::FireAfterMove() { OnAfterMove(this); }

void TCkCustomArrangePanel::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST: {
      TCkCustomPanel::WndProc(Message);
      if (!FMovable || ComponentState().Contains(csDesigning)) return;
      TPoint p = ScreenToClient(TPoint{Message.XPos(), Message.YPos()});
      if (p.x > 5 && p.y > 5 && p.x < Width() - 5 && p.y < Height() - 5 && FireBeforeMove(p.x, p.y)) {
        Message.Result = HTCAPTION;
        FWasMoved = true;
      }
      return;
    }
    case WM_EXITSIZEMOVE:
      TCkCustomPanel::WndProc(Message);
      if (FWasMoved) FireAfterMove();
      FWasMoved = false;
      return;
    default:
      TCkCustomPanel::WndProc(Message);
      return;
  }
}

// ---- Registration

FW_REGISTER(TCkArrangeSettings) {
  c.Property(u"WrapControls", &TCkArrangeSettings::WrapControls, &TCkArrangeSettings::SetWrapControls).Default(true);
  c.Property(u"BorderLeft", &TCkArrangeSettings::BorderLeft, &TCkArrangeSettings::SetBorderLeft).Default(0);
  c.Property(u"BorderTop", &TCkArrangeSettings::BorderTop, &TCkArrangeSettings::SetBorderTop).Default(0);
  c.Property(u"DistanceVertical", &TCkArrangeSettings::DistanceVertical, &TCkArrangeSettings::SetDistanceVertical)
      .Default(0);
  c.Property(u"DistanceHorizontal", &TCkArrangeSettings::DistanceHorizontal,
             &TCkArrangeSettings::SetDistanceHorizontal)
      .Default(0);
  c.Property(u"ShowNotVisibleAtDesignTime", &TCkArrangeSettings::ShowNotVisibleAtDesignTime,
             &TCkArrangeSettings::ShowNotVisibleAtDesignTime)
      .Default(true);
  c.Property(u"AutoSize", &TCkArrangeSettings::AutoSize, &TCkArrangeSettings::SetAutoSize).Default(asNone);
  c.Property(u"AutoArrange", &TCkArrangeSettings::AutoArrange, &TCkArrangeSettings::SetAutoArrange).Default(false);
  c.Property(u"MaxWidth", &TCkArrangeSettings::MaxWidth, &TCkArrangeSettings::SetMaxWidth).Default(0);
  c.Property(u"MaxControlsPerLine", &TCkArrangeSettings::MaxControlsPerLine,
             &TCkArrangeSettings::SetMaxControlsPerLine)
      .Default(0);
  c.Property(u"VerticalAlignment", &TCkArrangeSettings::VerticalAlignment,
             &TCkArrangeSettings::SetVerticalAlignment)
      .Default(asTop);
  c.Property(u"HorizontalAlignment", &TCkArrangeSettings::HorizontalAlignment,
             &TCkArrangeSettings::SetHorizontalAlignment)
      .Default(asLeft);
  c.Property(u"HorizontalAlignLines", &TCkArrangeSettings::HorizontalAlignLines,
             &TCkArrangeSettings::SetHorizontalAlignLines)
      .Default(false);
}

FW_REGISTER(TCkCustomArrangePanel) {}

FW_REGISTER(TCkPanel) {
  using P = TCkPanel;
  c.Property(u"HotTrack", &P::HotTrack, &P::SetHotTrack).Default(false);
  c.Property(u"HotTrackFont", &P::HotTrackFont, &P::SetHotTrackFont).Stored(&P::HotTrackFontStored);
  c.Property(u"HotTrackFontOptions", &P::HotTrackFontOptions, &P::SetHotTrackFontOptions)
      .Default(services::DefaultTrackFontOptions);
  c.Property(u"HotTrackOptions", &P::HotTrackOptions, &P::SetHotTrackOptions);
  c.Property(u"Movable", &P::Movable, &P::SetMovable).Default(false);
  c.Property(u"Sizeable", &P::Sizeable, &P::SetSizeable).Default(false);
  c.Property(u"Transparent", &P::Transparent, &P::SetTransparent).Default(false);
  c.Property(u"MultiLine", &P::MultiLine, &P::SetMultiLine).Default(false);
  c.Property(u"FlatBorder", &P::FlatBorder, &P::SetFlatBorder).Default(false);
  c.Property(u"FlatBorderColor", &P::FlatBorderColor, &P::SetFlatBorderColor)
      .Type(TypeInfoTColor())
      .Default(clBtnShadow);
  c.Property(u"OnBeforeMove", &P::OnBeforeMove, &P::OnBeforeMove);
  c.Property(u"OnAfterMove", &P::OnAfterMove, &P::OnAfterMove);
  c.Property(u"OnPaint", &P::OnPaint, &P::OnPaint);
  c.Property(u"ArrangeSettings", &P::ArrangeSettings, &P::SetArrangeSettings);
  c.Property(u"Width", &P::Width, &P::SetWidth);
  c.Property(u"Height", &P::Height, &P::SetHeight);
  c.Property(u"OnResizeParent", &P::OnResizeParent, &P::OnResizeParent);
  c.Property(u"OnChangedWidth", &P::OnChangedWidth, &P::OnChangedWidth);
  c.Property(u"OnChangedHeight", &P::OnChangedHeight, &P::OnChangedHeight);
  c.Property(u"Alignment", &P::Alignment, &P::SetAlignment).Default(taCenter);
  c.Property(u"FullRepaint", &P::FullRepaint, &P::SetFullRepaint).Default(true);
  c.Property(u"BevelInner", &P::BevelInner, &P::SetBevelInner).Default(bvNone);
  c.Property(u"BevelOuter", &P::BevelOuter, &P::SetBevelOuter).Default(bvRaised);
  c.Property(u"BevelWidth", &P::BevelWidth, &P::SetBevelWidth).Default(1);
  c.Property(u"BorderWidth", &P::BorderWidth, &P::SetBorderWidth).Default(0);
  c.Property(u"BorderStyle", &P::BorderStyle, &P::SetBorderStyle).Type(TypeInfoTBorderStyle()).Default(bsNone);
  c.Property(u"Color", &P::Color, &P::SetColor).Type(TypeInfoTColor()).Default(clBtnFace);
  c.Property(u"ParentColor", &P::ParentColor, &P::SetParentColor).Default(false);
  // Read from older descriptions, never written.
  c.Property(u"HotColor", &P::HotColor, &P::SetHotColor).Type(TypeInfoTColor()).Stored(false);
}

}  // namespace ck
