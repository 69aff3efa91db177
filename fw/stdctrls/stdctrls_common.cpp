#include "fw/stdctrls/stdctrls_common.h"

#include <commctrl.h>

#include <atomic>
#include <mutex>

#include "fw/graphics/graphics.h"

namespace fw {

const TTypeInfo* TypeInfoTBorderStyle() {
  static const TTypeInfo* info =
      TTypeInfo::MakeEnumSubrange(u"TBorderStyle", FwTypeInfo(static_cast<TFormBorderStyle*>(nullptr)), bsNone, bsSingle);
  return info;
}

TOwnerDrawState OwnerDrawStateOf(UINT itemState) {
  TOwnerDrawState s;
  if (itemState & ODS_SELECTED) s.Include(odSelected);
  if (itemState & ODS_GRAYED) s.Include(odGrayed);
  if (itemState & ODS_DISABLED) s.Include(odDisabled);
  if (itemState & ODS_CHECKED) s.Include(odChecked);
  if (itemState & ODS_FOCUS) s.Include(odFocused);
  if (itemState & ODS_DEFAULT) s.Include(odDefault);
  if (itemState & ODS_HOTLIGHT) s.Include(odHotLight);
  if (itemState & ODS_INACTIVE) s.Include(odInactive);
  if (itemState & ODS_NOACCEL) s.Include(odNoAccel);
  if (itemState & ODS_NOFOCUSRECT) s.Include(odNoFocusRect);
  if (itemState & ODS_COMBOBOXEDIT) s.Include(odComboBoxEdit);
  return s;
}

void InitCommonControlClasses(DWORD classes) {
  static std::mutex lock;
  static DWORD done = 0;
  std::lock_guard guard(lock);
  if ((done & classes) == classes) return;
  INITCOMMONCONTROLSEX icc{sizeof(icc), classes};
  InitCommonControlsEx(&icc);
  done |= classes;
}

LRESULT ControlColorResult(HDC dc, TColor fontColor, TColor color, HBRUSH brush) {
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(fontColor)));
  SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
  return reinterpret_cast<LRESULT>(brush);
}

void AssignUniqueControlId(HWND wnd) {
  // Identifiers start high, clear of the small numbers dialogs use.
  static std::atomic<LONG_PTR> next{0x4000};
  if (wnd && GetWindowLongPtrW(wnd, GWLP_ID) == 0) SetWindowLongPtrW(wnd, GWLP_ID, next++);
}

void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width) {
  Canvas->Pen()->SetWidth(1);
  Rect.Right -= 1;
  Rect.Bottom -= 1;
  for (int i = 0; i < Width; ++i) {
    Canvas->Pen()->SetColor(TopColor);
    Canvas->Polyline({{Rect.Left, Rect.Bottom}, {Rect.Left, Rect.Top}, {Rect.Right, Rect.Top}});
    Canvas->Pen()->SetColor(BottomColor);
    Canvas->Polyline({{Rect.Right, Rect.Top}, {Rect.Right, Rect.Bottom}, {Rect.Left - 1, Rect.Bottom}});
    ++Rect.Left;
    ++Rect.Top;
    --Rect.Right;
    --Rect.Bottom;
  }
  Rect.Right += 1;
  Rect.Bottom += 1;
}

void CanvasDrawText(TCanvas* Canvas, const String& Text, TRect& Rect, UINT Format) {
  // An empty TextRect makes the canvas select its font and brush (and set
  // the text colour and background mode) without drawing anything.
  Canvas->TextRect(TRect{}, 0, 0, String());
  RECT r{Rect.Left, Rect.Top, Rect.Right, Rect.Bottom};
  DrawTextW(Canvas->Handle(), W(Text), static_cast<int>(Text.size()), &r, Format);
  Rect = TRect{r.left, r.top, r.right, r.bottom};
}

void SetWindowStyleBit(HWND wnd, LONG_PTR bit, bool on) {
  if (!wnd) return;
  LONG_PTR s = GetWindowLongPtrW(wnd, GWL_STYLE);
  LONG_PTR n = on ? (s | bit) : (s & ~bit);
  if (n != s) SetWindowLongPtrW(wnd, GWL_STYLE, n);
}

}  // namespace fw
