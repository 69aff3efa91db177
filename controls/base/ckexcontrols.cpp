#include "controls/base/ckexcontrols.h"

#include "fw/core/rtti.h"
#include "fw/graphics/gdi_handles.h"
#include "fw/system/application.h"

namespace ck {

using namespace fw;

namespace {

struct DlgcBit {
  TDialogKeyCode Code;
  LRESULT Bit;
};
constexpr DlgcBit kDlgcBits[] = {
    {dkAllKeys, DLGC_WANTALLKEYS}, {dkArrows, DLGC_WANTARROWS}, {dkChars, DLGC_WANTCHARS},
    {dkButton, DLGC_BUTTON},       {dkHasSetSel, DLGC_HASSETSEL}, {dkTab, DLGC_WANTTAB},
};

void FrameRing(HDC DC, const RECT& R, COLORREF Color) {
  HBRUSH brush = CreateSolidBrush(Color);
  FrameRect(DC, &R, brush);
  DeleteObject(brush);
}

}  // namespace

TDialogKeyCodes DlgcToCodeSet(LRESULT Dlgc) {
  TDialogKeyCodes codes;
  for (const DlgcBit& b : kDlgcBits)
    if (Dlgc & b.Bit) codes.Include(b.Code);
  return codes;
}

LRESULT CodeSetToDlgc(TDialogKeyCodes Codes) {
  LRESULT dlgc = 0;
  for (const DlgcBit& b : kDlgcBits)
    if (Codes.Contains(b.Code)) dlgc |= b.Bit;
  return dlgc;
}

void FrameDotNetRect(HDC DC, const TRect& R, TColor Color, bool Highlighted) {
  RECT r{R.Left, R.Top, R.Right, R.Bottom};
  if (Highlighted) {
    FrameRing(DC, r, static_cast<COLORREF>(DotNetHighlightColor));
    InflateRect(&r, -1, -1);
    FrameRing(DC, r, static_cast<COLORREF>(DotNetHighlightColor));
  } else {
    FrameRing(DC, r, static_cast<COLORREF>(clGray));
    InflateRect(&r, -1, -1);
    FrameRing(DC, r, static_cast<COLORREF>(ColorToRGB(Color)));
  }
}

void DrawDotNetFrame(TWinControl* Control, TColor Color, bool MouseOver) {
  HWND wnd = Control->WindowHandle();
  if (!wnd) return;
  RECT wr;
  GetWindowRect(wnd, &wr);
  OffsetRect(&wr, -wr.left, -wr.top);
  TWindowFrameDC dc(wnd);
  if (!dc.Get()) return;
  FrameDotNetRect(dc.Get(), Rect(wr.left, wr.top, wr.right, wr.bottom), Color, Control->Focused() || MouseOver);
}

void PaintDotNetFrameOnMessage(TWinControl* Control, UINT Msg, bool MouseOver, TColor Color) {
  if (Control->ComponentState().Contains(csDesigning)) return;
  switch (Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_NCPAINT:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: break;
    default: return;
  }
  DrawDotNetFrame(Control, Color, MouseOver);
  if (Msg == CM_MOUSELEAVE && Control->WindowHandle()) {
    int w = Control->Width(), h = Control->Height();
    HRGN outer = CreateRectRgn(0, 0, w - 1, h - 1);
    HRGN inner = CreateRectRgn(2, 2, w - 3, h - 3);
    CombineRgn(outer, outer, inner, RGN_DIFF);
    InvalidateRgn(Control->WindowHandle(), outer, FALSE);
    DeleteObject(inner);
    DeleteObject(outer);
  }
}

namespace detail {

void ResolveHintColor(TControl* Control, TColor HintColor, THintInfo& Info) {
  if (HintColor == clNone) {
    if (Application) Info.HintColor = Application->HintColor();
  } else if (HintColor != clDefault) {
    Info.HintColor = HintColor;
  } else if (Control->Parent()) {
    // An Ex parent answers with its own resolved colour, so clDefault
    // inherits up the parent chain.
    THintInfo copy = Info;
    Control->Parent()->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&copy));
    Info.HintColor = copy.HintColor;
  }
}

}  // namespace detail

namespace {

// What every Ex control publishes beyond its base.
template <class C>
void PublishExProperties(TClassBuilder<C>& c) {
  c.Property(u"HintColor", &C::HintColor, &C::SetHintColor).Type(TypeInfoTColor()).Default(clDefault);
  c.Event(u"OnParentColorChange", static_cast<TNotifyEvent C::*>(&C::OnParentColorChange));
}

}  // namespace

FW_REGISTER(TCkExGraphicControl) { PublishExProperties(c); }

FW_REGISTER(TCkExCustomControl) { PublishExProperties(c); }

FW_REGISTER(TCkExCustomPanel) { PublishExProperties(c); }

FW_REGISTER(TCkExImage) { PublishExProperties(c); }

FW_REGISTER(TCkExPanel) { PublishExProperties(c); }

FW_REGISTER(TCkExScrollBox) { PublishExProperties(c); }

}  // namespace ck
