// The "Ex" bases of the component layer's controls: each is a framework
// control class whose component notices (and a few window messages) arrive
// as virtual operations with typed parameters. Every default hands the
// message to the framework class's own window procedure unchanged, so a
// descendant that overrides nothing behaves exactly like the framework
// class. On top: mouse-over tracking with OnMouseEnter/OnMouseLeave, an
// OnParentColorChange event, a hint colour inherited from the parent, an
// optional hint window class, and (windowed controls) a .NET-style frame.
//
// The mapping is written once as two class templates (graphic and windowed
// shape) over the framework base; the concrete Ex classes below are those
// templates applied to one framework class each.
#pragma once

#include <windows.h>

#include "fw/controls/controls.h"
#include "fw/core/colors.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/graphics/graphics.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/scrolling.h"

namespace ck {

using fw::String;
using fw::TColor;
using fw::TControl;
using fw::TMessage;

// Marker of the Ex classes.
struct ICkExControl {
  virtual ~ICkExControl() = default;
};
// Marker of controls whose window procedure must not be replaced by
// adapters; the Ex window procedure answers CkDenySubClassingQuery with 1.
struct ICkDenySubClassing {
  virtual ~ICkDenySubClassing() = default;
};
constexpr UINT CkDenySubClassingQuery = 0xB7D0;

FW_ENUM(TDialogKeyCode, dkAllKeys, dkArrows, dkChars, dkButton, dkHasSetSel, dkTab, dkNative)
using TDialogKeyCodes = fw::TSet<TDialogKeyCode>;

// DLGC_ bits to codes and back; bits without a code are dropped and
// dkNative has no bit.
TDialogKeyCodes DlgcToCodeSet(LRESULT Dlgc);
LRESULT CodeSetToDlgc(TDialogKeyCodes Codes);

// The .NET-style frame: two one-pixel rings, the highlight colour
// 0x00733800 twice when highlighted, else grey outside and Color inside.
constexpr TColor DotNetHighlightColor = 0x00733800;
void FrameDotNetRect(HDC DC, const fw::TRect& R, TColor Color, bool Highlighted);
// Draws the frame on the window of Control (focused or MouseOver: highlighted).
void DrawDotNetFrame(fw::TWinControl* Control, TColor Color, bool MouseOver);
// Draws the frame after the messages that change it, and after a mouse
// leave asks the inner ring of the client area to repaint.
void PaintDotNetFrameOnMessage(fw::TWinControl* Control, UINT Msg, bool MouseOver, TColor Color);

namespace detail {

// Resolves HintColor into the hint record (clDefault asks the parent).
void ResolveHintColor(TControl* Control, TColor HintColor, fw::THintInfo& Info);

}  // namespace detail

// ---- The graphic shape

template <class Base>
class TCkExGraphicShape : public Base, public ICkExControl {
 public:
  explicit TCkExGraphicShape(fw::TComponent* AOwner) : Base(AOwner) {}

  // clDefault: the parent's hint colour; clNone: the application's; else
  // this colour.
  TColor HintColor() const { return FHintColor; }
  void SetHintColor(TColor Value) { FHintColor = Value; }
  fw::THintWindowClass HintWindowClass() const { return FHintWindowClass; }
  void SetHintWindowClass(fw::THintWindowClass Value) { FHintWindowClass = Value; }

  // True between the mouse-enter and the mouse-leave notice.
  bool MouseOver = false;

  fw::TNotifyEvent OnParentColorChange;

  void WndProc(TMessage& Message) override {
    if (!HandleGraphicMessage(Message)) Base::WndProc(Message);
  }

 protected:
  using Base::FontChanged;

  // Passes a message to the framework class's window procedure.
  LRESULT BaseProc(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) {
    TMessage m{Msg, WParam, LParam, 0};
    Base::WndProc(m);
    return m.Result;
  }

  // The Ex layer fires OnMouseEnter and OnMouseLeave itself, in its own
  // order; the framework's triggers stay quiet.
  void DoMouseEnter() override {}
  void DoMouseLeave() override {}

  virtual void TextChanged() { BaseProc(fw::CM_TEXTCHANGED); }
  virtual bool WantsDialogChar(int Key, fw::TShiftState Shift) {
    return BaseProc(fw::CM_DIALOGCHAR, static_cast<WPARAM>(Key & 0xFFFF), fw::ShiftToKeyFlags(Shift)) != 0;
  }
  virtual bool PointHitTest(int X, int Y) { return BaseProc(fw::CM_HITTEST, 0, fw::PointToLParam(X, Y)) != 0; }

  virtual void FocusChangedNotice(TControl* Control) {
    BaseProc(fw::CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(Control));
  }
  virtual void VisibleChanged() { BaseProc(fw::CM_VISIBLECHANGED); }
  virtual void EnabledChanged() { BaseProc(fw::CM_ENABLEDCHANGED); }
  virtual void ColorChanged() { BaseProc(fw::CM_COLORCHANGED); }
  virtual void FontChanged() { BaseProc(fw::CM_FONTCHANGED); }
  virtual void ParentFontChanged() { BaseProc(fw::CM_PARENTFONTCHANGED); }
  virtual void ParentColorChanged() {
    BaseProc(fw::CM_PARENTCOLORCHANGED);
    OnParentColorChange(this);
  }
  virtual void ParentShowHintChanged() { BaseProc(fw::CM_PARENTSHOWHINTCHANGED); }
  virtual bool HintShow(fw::THintInfo& HintInfo) {
    detail::ResolveHintColor(this, FHintColor, HintInfo);
    if (FHintWindowClass) HintInfo.HintWindowClass = FHintWindowClass;
    return BaseProc(fw::CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&HintInfo)) != 0;
  }
  virtual void MouseEntered(TControl* Control) {
    if (IsOwnNotice(Control)) {
      MouseOver = true;
      Base::OnMouseEnter(this);
    }
    BaseProc(fw::CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(Control));
  }
  virtual void MouseLeft(TControl* Control) {
    bool own = IsOwnNotice(Control);
    if (own) MouseOver = false;
    BaseProc(fw::CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(Control));
    if (own) Base::OnMouseLeave(this);
  }

  // The framework also tells a parent when the mouse enters or leaves one of
  // its children (the child in lParam); only the control's own notice
  // changes MouseOver and fires its events.
  bool IsOwnNotice(TControl* Control) const { return Control == nullptr || Control == this; }

  // The notices both shapes map; true when the message was handled.
  bool HandleGraphicMessage(TMessage& Message) {
    switch (Message.Msg) {
      case fw::CM_DIALOGCHAR:
        Message.Result = WantsDialogChar(static_cast<int>(Message.WParam),
                                         fw::KeyDataToShiftState(Message.LParam)) ? 1 : 0;
        return true;
      case fw::CM_HITTEST:
        Message.Result = PointHitTest(Message.XPos(), Message.YPos()) ? 1 : 0;
        return true;
      case fw::CM_FOCUSCHANGED: FocusChangedNotice(reinterpret_cast<TControl*>(Message.LParam)); return true;
      case fw::CM_MOUSEENTER: MouseEntered(reinterpret_cast<TControl*>(Message.LParam)); return true;
      case fw::CM_MOUSELEAVE: MouseLeft(reinterpret_cast<TControl*>(Message.LParam)); return true;
      case fw::CM_HINTSHOW:
        Message.Result = HintShow(*reinterpret_cast<fw::THintInfo*>(Message.LParam)) ? 1 : 0;
        return true;
      case fw::CM_TEXTCHANGED: TextChanged(); return true;
      case fw::CM_VISIBLECHANGED: VisibleChanged(); return true;
      case fw::CM_ENABLEDCHANGED: EnabledChanged(); return true;
      case fw::CM_COLORCHANGED: ColorChanged(); return true;
      case fw::CM_FONTCHANGED: FontChanged(); return true;
      case fw::CM_PARENTFONTCHANGED: ParentFontChanged(); return true;
      case fw::CM_PARENTCOLORCHANGED: ParentColorChanged(); return true;
      case fw::CM_PARENTSHOWHINTCHANGED: ParentShowHintChanged(); return true;
      case CkDenySubClassingQuery:
        Message.Result = dynamic_cast<ICkDenySubClassing*>(this) ? 1 : 0;
        return true;
      default: return false;
    }
  }

  TColor FHintColor = fw::clDefault;
  fw::THintWindowClass FHintWindowClass = nullptr;
};

// ---- The windowed shape

template <class Base>
class TCkExWindowedShape : public TCkExGraphicShape<Base> {
  using Shape = TCkExGraphicShape<Base>;

 public:
  explicit TCkExWindowedShape(fw::TComponent* AOwner) : Shape(AOwner) {}

  bool DotNetHighlighting() const { return FDotNetHighlighting; }
  void SetDotNetHighlighting(bool Value) { FDotNetHighlighting = Value; }

  void WndProc(TMessage& Message) override {
    HandleWindowedMessage(Message);
    if (FDotNetHighlighting) {
      switch (Message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_NCPAINT:
        case fw::CM_MOUSEENTER:
        case fw::CM_MOUSELEAVE:
          PaintDotNetFrameOnMessage(this, Message.Msg, this->MouseOver, this->Color());
          break;
        default: break;
      }
    }
  }

 protected:
  using Shape::BaseProc;

  virtual void BoundsChanged() {}
  virtual void DialogCodes(TDialogKeyCodes& Codes) { (void)Codes; }
  virtual void FocusSet(HWND PreviousWindow) { BaseProc(WM_SETFOCUS, reinterpret_cast<WPARAM>(PreviousWindow)); }
  virtual void FocusKilled(HWND NextWindow) { BaseProc(WM_KILLFOCUS, reinterpret_cast<WPARAM>(NextWindow)); }
  virtual bool EraseBackground(fw::TCanvas* Canvas, LPARAM Param) {
    return BaseProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Canvas->Handle()), Param) != 0;
  }

  virtual void CursorChanged() { BaseProc(fw::CM_CURSORCHANGED); }
  virtual void ShowingChanged() { BaseProc(fw::CM_SHOWINGCHANGED); }
  virtual void ShowHintChanged() { BaseProc(fw::CM_SHOWHINTCHANGED); }
  virtual void ChildListChanging(TControl* Control, bool Inserting) {
    if (Inserting) BaseProc(fw::CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(Control), 1);
    else BaseProc(fw::CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(Control), 0);
  }
  virtual void ChildListChanged(TControl* Control, bool Inserting) {
    if (Inserting) BaseProc(fw::CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(Control), 1);
    else BaseProc(fw::CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(Control), 0);
  }

  void HandleWindowedMessage(TMessage& Message) {
    if (this->HandleGraphicMessage(Message)) return;
    switch (Message.Msg) {
      case fw::CM_CURSORCHANGED: CursorChanged(); return;
      case fw::CM_SHOWINGCHANGED: ShowingChanged(); return;
      case fw::CM_SHOWHINTCHANGED: ShowHintChanged(); return;
      case WM_MOVE:
      case WM_SIZE:
        Base::WndProc(Message);
        BoundsChanged();
        return;
      case WM_SETFOCUS: FocusSet(reinterpret_cast<HWND>(Message.WParam)); return;
      case WM_KILLFOCUS: FocusKilled(reinterpret_cast<HWND>(Message.WParam)); return;
      case WM_ERASEBKGND:
        if (Message.WParam) {
          Message.Result = EraseOnCanvas(reinterpret_cast<HDC>(Message.WParam), Message.LParam);
          return;
        }
        break;
      case WM_GETDLGCODE: {
        Base::WndProc(Message);
        TDialogKeyCodes codes = DlgcToCodeSet(Message.Result) + TDialogKeyCodes{dkNative};
        DialogCodes(codes);
        if (!codes.Contains(dkNative)) Message.Result = CodeSetToDlgc(codes);
        return;
      }
      case fw::CM_CONTROLLISTCHANGE:
        if (Message.LParam) ChildListChanging(reinterpret_cast<TControl*>(Message.WParam), true);
        else ChildListChanged(reinterpret_cast<TControl*>(Message.WParam), false);
        return;
      case fw::CM_CONTROLLISTCHANGING:
        if (Message.LParam) ChildListChanged(reinterpret_cast<TControl*>(Message.WParam), true);
        else ChildListChanging(reinterpret_cast<TControl*>(Message.WParam), false);
        return;
      default: break;
    }
    Base::WndProc(Message);
  }

 private:
  // A temporary canvas on the DC; the DC's state is the same afterwards.
  LRESULT EraseOnCanvas(HDC DC, LPARAM Param) {
    fw::TSavedDC saved(DC);
    // Goes before the DC state comes back: the canvas selects its DC's own
    // objects back first.
    fw::TCanvas canvas;
    canvas.SetHandle(DC);
    return EraseBackground(&canvas, Param) ? 1 : 0;
  }

  bool FDotNetHighlighting = false;
};

// ---- The Ex classes of the program

class TCkExGraphicControl : public TCkExGraphicShape<fw::TGraphicControl> {
  FW_CLASS(TCkExGraphicControl, fw::TGraphicControl)
  explicit TCkExGraphicControl(fw::TComponent* AOwner) : TCkExGraphicShape(AOwner) {}
};

class TCkExCustomControl : public TCkExWindowedShape<fw::TCustomControl> {
  FW_CLASS(TCkExCustomControl, fw::TCustomControl)
  explicit TCkExCustomControl(fw::TComponent* AOwner) : TCkExWindowedShape(AOwner) {}
};

class TCkExCustomPanel : public TCkExWindowedShape<fw::TCustomPanel> {
  FW_CLASS(TCkExCustomPanel, fw::TCustomPanel)
  explicit TCkExCustomPanel(fw::TComponent* AOwner) : TCkExWindowedShape(AOwner) {}
};

class TCkExImage : public TCkExGraphicShape<fw::TImage> {
  FW_CLASS(TCkExImage, fw::TImage)
  explicit TCkExImage(fw::TComponent* AOwner) : TCkExGraphicShape(AOwner) {}
};

class TCkExPanel : public TCkExWindowedShape<fw::TPanel> {
  FW_CLASS(TCkExPanel, fw::TPanel)
  explicit TCkExPanel(fw::TComponent* AOwner) : TCkExWindowedShape(AOwner) {}
};

class TCkExScrollBox : public TCkExWindowedShape<fw::TScrollBox> {
  FW_CLASS(TCkExScrollBox, fw::TScrollBox)
  explicit TCkExScrollBox(fw::TComponent* AOwner) : TCkExWindowedShape(AOwner) {}
};

}  // namespace ck
