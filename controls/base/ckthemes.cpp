#include "controls/base/ckthemes.h"

#include <shlwapi.h>

#include "fw/platform/system_function.h"

namespace ck {

using namespace fw;

namespace {

using IsThemeActiveProc = BOOL(WINAPI*)();
using IsAppThemedProc = BOOL(WINAPI*)();
using DrawThemeParentBackgroundProc = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

struct UxTheme {
  IsThemeActiveProc IsThemeActive = nullptr;
  IsAppThemedProc IsAppThemed = nullptr;
  DrawThemeParentBackgroundProc DrawThemeParentBackground = nullptr;
};

// Optional system functions, looked up once.
const UxTheme& UxThemeFunctions() {
  static const UxTheme fns = [] {
    UxTheme f;
    f.IsThemeActive = fw::SystemFunction<IsThemeActiveProc>(L"uxtheme.dll", "IsThemeActive");
    f.IsAppThemed = fw::SystemFunction<IsAppThemedProc>(L"uxtheme.dll", "IsAppThemed");
    f.DrawThemeParentBackground =
        fw::SystemFunction<DrawThemeParentBackgroundProc>(L"uxtheme.dll", "DrawThemeParentBackground");
    return f;
  }();
  return fns;
}

TCkStyleServices& DefaultStyleServices() {
  static TCkStyleServices services;
  return services;
}

TCkStyleServices* gActiveServices = nullptr;

const TControlStyle kThemeBits{csNeedsBorderPaint, csParentBackground};

bool IsDoubleBuffered(TControl* Control) {
  auto* w = dynamic_cast<TWinControl*>(Control);
  return w && w->DoubleBuffered();
}

}  // namespace

DWORD CommonControlsMajorVersion() {
  // Only the library the process has: loading one here would not be the one in use.
  if (!GetModuleHandleW(L"comctl32.dll")) return 0;
  auto getVersion = fw::SystemFunction<DLLGETVERSIONPROC>(L"comctl32.dll", "DllGetVersion");
  if (!getVersion) return 0;
  DLLVERSIONINFO info{};
  info.cbSize = sizeof(info);
  if (FAILED(getVersion(&info))) return 0;
  return info.dwMajorVersion;
}

bool TCkStyleServices::Enabled() {
  const UxTheme& f = UxThemeFunctions();
  if (!f.IsThemeActive || !f.IsAppThemed) return false;
  return f.IsAppThemed() && f.IsThemeActive() && CommonControlsMajorVersion() >= 6;
}

bool TCkStyleServices::DrawParentBackground(HWND Window, HDC DC, const TRect* R) {
  const UxTheme& f = UxThemeFunctions();
  if (!f.DrawThemeParentBackground) return false;
  RECT r{};
  if (R) r = RECT{R->Left, R->Top, R->Right, R->Bottom};
  return SUCCEEDED(f.DrawThemeParentBackground(Window, DC, R ? &r : nullptr));
}

TCkStyleServices* ActiveStyleServices() { return gActiveServices ? gActiveServices : &DefaultStyleServices(); }

TCkStyleServices* SetActiveStyleServices(TCkStyleServices* Services) {
  TCkStyleServices* old = ActiveStyleServices();
  gActiveServices = Services;
  return old;
}

TControlStyle ThemeStyleFlags(TControl* Control) { return Control->ControlStyle() * kThemeBits; }

void AddThemeStyleFlags(TControl* Control, TControlStyle Style) {
  Control->SetControlStyle(Control->ControlStyle() + (Style * kThemeBits));
}

void PaintThemedBackground(TControl* Control, TCanvas* Canvas, const TRect& R, TColor Color,
                           bool NeedsParentBackground) {
  TCkStyleServices* services = ActiveStyleServices();
  TWinControl* parent = Control->Parent();
  bool plain = !services->Enabled() || !parent;
  if (!plain) {
    TColor parentColor = parent->Color();
    // Two colour values that give the same RGB count as the same colour.
    if (Color != parentColor && ColorToRGB(Color) != ColorToRGB(parentColor)) plain = true;
    if (NeedsParentBackground && !Control->ControlStyle().Contains(csParentBackground)) plain = true;
  }
  if (plain) {
    TBrush* brush = Canvas->Brush();
    TColor old = brush->Color();
    bool changed = Color != old;
    if (changed) brush->SetColor(Color);
    try {
      Canvas->FillRect(R);
    } catch (...) {
      if (changed) brush->SetColor(old);
      throw;
    }
    if (changed) brush->SetColor(old);
    return;
  }
  auto* windowed = dynamic_cast<TWinControl*>(Control);
  if (windowed && !IsDoubleBuffered(Control)) {
    services->DrawParentBackground(windowed->Handle(), Canvas->Handle(), &R);
    return;
  }
  EraseWithParentBackground(Control, Canvas->Handle(), R);
}

void PaintThemedBackground(TControl* Control, TCanvas* Canvas, const TRect& R, bool NeedsParentBackground) {
  PaintThemedBackground(Control, Canvas, R, Canvas->Brush()->Color(), NeedsParentBackground);
}

void EraseWithParentBackground(TControl* Control, HDC DC, const TRect& R) {
  EraseWithParentBackground(Control, DC, TPoint{Control->Left(), Control->Top()}, R);
}

void EraseWithParentBackground(TControl* Control, HDC DC, TPoint Offset, const TRect& R) {
  TWinControl* parent = Control->Parent();
  if (!parent) return;

  // The clip rectangle is in the control's coordinates: turn it into device
  // coordinates before the origin moves.
  bool clip = !(R == NoClipRect);
  HRGN savedClip = nullptr;
  bool hadClip = false;
  if (clip) {
    POINT pts[2] = {{R.Left, R.Top}, {R.Right, R.Bottom}};
    LPtoDP(DC, pts, 2);
    savedClip = CreateRectRgn(0, 0, 0, 0);
    hadClip = GetClipRgn(DC, savedClip) == 1;
    HRGN rgn = CreateRectRgn(pts[0].x, pts[0].y, pts[1].x, pts[1].y);
    SelectClipRgn(DC, rgn);
    DeleteObject(rgn);
  }

  // The parent paints in its own coordinates: moving the origin by the
  // control's place puts the parent's pixel at that place under the
  // control's (0, 0). Each axis moves on its own, whether or not the other
  // is zero.
  POINT oldOrg{};
  bool moved = Offset.x != 0 || Offset.y != 0;
  if (moved) {
    GetWindowOrgEx(DC, &oldOrg);
    SetWindowOrgEx(DC, oldOrg.x + Offset.x, oldOrg.y + Offset.y, nullptr);
  }

  TCkStyleServices* services = ActiveStyleServices();
  bool styled = services->Enabled() && !services->IsSystemStyle();
  HGDIOBJ pen = nullptr, brush = nullptr, font = nullptr;
  COLORREF textColor = 0;
  int bkMode = 0;
  if (styled) {
    pen = GetCurrentObject(DC, OBJ_PEN);
    brush = GetCurrentObject(DC, OBJ_BRUSH);
    font = GetCurrentObject(DC, OBJ_FONT);
    textColor = GetTextColor(DC);
    bkMode = GetBkMode(DC);
  }

  auto restore = [&] {
    if (moved) SetWindowOrgEx(DC, oldOrg.x, oldOrg.y, nullptr);
    if (clip) {
      SelectClipRgn(DC, hadClip ? savedClip : nullptr);
      DeleteObject(savedClip);
    }
  };
  try {
    parent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    if (styled) {
      if (GetCurrentObject(DC, OBJ_PEN) != pen) SelectObject(DC, pen);
      if (GetCurrentObject(DC, OBJ_BRUSH) != brush) SelectObject(DC, brush);
      if (GetCurrentObject(DC, OBJ_FONT) != font) SelectObject(DC, font);
      if (GetTextColor(DC) != textColor) SetTextColor(DC, textColor);
      if (GetBkMode(DC) != bkMode) SetBkMode(DC, bkMode);
    }
  } catch (...) {
    restore();
    throw;
  }
  restore();
}

}  // namespace ck
