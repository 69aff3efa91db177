#include "fw/system/screen.h"

#include <algorithm>

#include "fw/core/rtti.h"
#include "fw/system/application.h"

namespace fw {

namespace {

const struct {
  TCursor cursor;
  LPCWSTR id;
} kStandardCursors[] = {
    {crArrow, IDC_ARROW},       {crCross, IDC_CROSS},     {crIBeam, IDC_IBEAM},         {crSizeNESW, IDC_SIZENESW},
    {crSizeNS, IDC_SIZENS},     {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},     {crUpArrow, IDC_UPARROW},
    {crHourGlass, IDC_WAIT},    {crDrag, IDC_ARROW},      {crNoDrop, IDC_NO},           {crHSplit, IDC_SIZEWE},
    {crVSplit, IDC_SIZENS},     {crMultiDrag, IDC_ARROW}, {crSQLWait, IDC_WAIT},        {crNo, IDC_NO},
    {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},    {crHandPoint, IDC_HAND},      {crSizeAll, IDC_SIZEALL},
};

void AssignLogFont(TFont* font, const LOGFONTW& lf) {
  HFONT h = CreateFontIndirectW(&lf);
  if (h) font->SetHandle(h);
}

int CALLBACK AddFamily(const LOGFONTW* lf, const TEXTMETRICW*, DWORD, LPARAM data) {
  auto* list = reinterpret_cast<std::vector<String>*>(data);
  if (lf->lfFaceName[0] != L'@') list->push_back(FromW(lf->lfFaceName));
  return 1;
}

BOOL CALLBACK AddMonitor(HMONITOR m, HDC, LPRECT, LPARAM data) {
  reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(m);
  return TRUE;
}

}  // namespace

TRect TMonitor::BoundsRect() const {
  MONITORINFO mi{sizeof(mi)};
  GetMonitorInfoW(FHandle, &mi);
  return Rect(mi.rcMonitor.left, mi.rcMonitor.top, mi.rcMonitor.right, mi.rcMonitor.bottom);
}

TRect TMonitor::WorkareaRect() const {
  MONITORINFO mi{sizeof(mi)};
  GetMonitorInfoW(FHandle, &mi);
  return Rect(mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom);
}

bool TMonitor::Primary() const {
  MONITORINFO mi{sizeof(mi)};
  GetMonitorInfoW(FHandle, &mi);
  return (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
}

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), FHintFont(new TFont()), FMenuFont(new TFont()), FIconFont(new TFont()) {
  for (const auto& c : kStandardCursors) FCursors[c.cursor] = LoadCursorW(nullptr, c.id);
  FCursors[crNone] = nullptr;
  FCursors[crDefault] = LoadCursorW(nullptr, IDC_ARROW);
  NONCLIENTMETRICSW ncm{};
  ncm.cbSize = sizeof(ncm);
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(ncm), &ncm, 0)) {
    AssignLogFont(FHintFont, ncm.lfStatusFont);
    AssignLogFont(FMenuFont, ncm.lfMenuFont);
  }
  LOGFONTW lf{};
  if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(lf), &lf, 0)) AssignLogFont(FIconFont, lf);
}

TScreen::~TScreen() {
  delete FHintFont;
  delete FMenuFont;
  delete FIconFont;
}

void TScreen::SetCursor(TCursor Value) {
  if (FCursor == Value) return;
  FCursor = Value;
  if (Value == crDefault) {
    // Let the window under the mouse choose again.
    POINT p;
    GetCursorPos(&p);
    HWND w = WindowFromPoint(p);
    if (w) SendMessageW(w, WM_SETCURSOR, reinterpret_cast<WPARAM>(w), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  } else {
    ::SetCursor(Cursors(Value));
  }
}

HCURSOR TScreen::Cursors(int Index) {
  auto it = FCursors.find(Index);
  if (it != FCursors.end()) return it->second;
  return FCursors[crDefault];
}

void TScreen::SetCursors(int Index, HCURSOR Handle) {
  if (Index == crDefault) {
    FCursors[crDefault] = Handle ? Handle : LoadCursorW(nullptr, IDC_ARROW);
    return;
  }
  FCursors[Index] = Handle;
}

const std::vector<String>& TScreen::Fonts() {
  if (FFonts.empty()) {
    HDC dc = GetDC(nullptr);
    LOGFONTW lf{};
    lf.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &lf, AddFamily, reinterpret_cast<LPARAM>(&FFonts), 0);
    ReleaseDC(nullptr, dc);
    std::sort(FFonts.begin(), FFonts.end(), [](const String& a, const String& b) {
      return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, W(a), static_cast<int>(a.size()), W(b),
                            static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
    FFonts.erase(std::unique(FFonts.begin(), FFonts.end()), FFonts.end());
  }
  return FFonts;
}

int TScreen::PixelsPerInch() const {
  HDC dc = GetDC(nullptr);
  int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

TRect TScreen::DesktopRect() const {
  int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
  return Bounds(x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
  RECT r;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
  return Rect(r.left, r.top, r.right, r.bottom);
}

void TScreen::UpdateMonitors() {
  std::vector<HMONITOR> handles;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&handles));
  FMonitors.clear();
  for (size_t i = 0; i < handles.size(); ++i) {
    TMonitor m;
    m.FHandle = handles[i];
    m.FNum = static_cast<int>(i);
    FMonitors.push_back(m);
  }
}

int TScreen::MonitorCount() {
  UpdateMonitors();
  return static_cast<int>(FMonitors.size());
}

TMonitor* TScreen::Monitors(int Index) {
  if (FMonitors.empty()) UpdateMonitors();
  return &FMonitors.at(static_cast<size_t>(Index));
}

TMonitor* TScreen::MonitorFromWindow(HWND Wnd) {
  HMONITOR h = ::MonitorFromWindow(Wnd, MONITOR_DEFAULTTONEAREST);
  UpdateMonitors();
  for (auto& m : FMonitors)
    if (m.FHandle == h) return &m;
  return FMonitors.empty() ? nullptr : &FMonitors[0];
}

TMonitor* TScreen::MonitorFromPoint(const TPoint& P) {
  HMONITOR h = ::MonitorFromPoint(POINT{P.x, P.y}, MONITOR_DEFAULTTONEAREST);
  UpdateMonitors();
  for (auto& m : FMonitors)
    if (m.FHandle == h) return &m;
  return FMonitors.empty() ? nullptr : &FMonitors[0];
}

void TScreen::AddForm(TCustomForm* Form) {
  if (std::find(FCustomForms.begin(), FCustomForms.end(), Form) != FCustomForms.end()) return;
  FCustomForms.push_back(Form);
  // Every form is a TForm as far as the list of forms goes once its class
  // is complete; the cast is repeated on lookup.
  FForms.push_back(static_cast<TForm*>(Form));
}

void TScreen::RemoveForm(TCustomForm* Form) {
  auto it = std::find(FCustomForms.begin(), FCustomForms.end(), Form);
  if (it != FCustomForms.end()) FCustomForms.erase(it);
  auto f = std::find(FForms.begin(), FForms.end(), static_cast<TForm*>(Form));
  if (f != FForms.end()) FForms.erase(f);
  if (FActiveCustomForm == Form) {
    FActiveCustomForm = nullptr;
    FActiveControl = nullptr;
    OnActiveFormChange(this);
  }
  if (FFocusedForm == Form) FFocusedForm = nullptr;
}

void TScreen::SetActiveFocus(TCustomForm* Form, TWinControl* Control) {
  bool formChanged = FActiveCustomForm != Form;
  bool controlChanged = FActiveControl != Control;
  FActiveCustomForm = Form;
  FActiveControl = Control;
  // The most recently active form first.
  auto it = std::find(FCustomForms.begin(), FCustomForms.end(), Form);
  if (it != FCustomForms.end() && it != FCustomForms.begin()) {
    FCustomForms.erase(it);
    FCustomForms.insert(FCustomForms.begin(), Form);
  }
  if (controlChanged) OnActiveControlChange(this);
  if (formChanged) OnActiveFormChange(this);
}

void TScreen::ControlGone(TControl* Control) {
  if (FActiveControl == Control) FActiveControl = nullptr;
}

TPoint TMouse::CursorPos() const {
  if (FVirtual) return *FVirtual;
  POINT p{0, 0};
  GetCursorPos(&p);
  return {p.x, p.y};
}

void TMouse::SetCursorPos(const TPoint& P) {
  if (FVirtual) {
    FVirtual = P;
    if (Application) Application->DoMouseIdle();
    return;
  }
  ::SetCursorPos(P.x, P.y);
}

void TMouse::SetVirtualCursor(bool Enabled) {
  if (Enabled == FVirtual.has_value()) return;
  if (Enabled) {
    POINT p{0, 0};
    GetCursorPos(&p);
    FVirtual = TPoint{p.x, p.y};
  } else {
    FVirtual.reset();
  }
}

int TMouse::WheelScrollLines() const {
  UINT lines = 3;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  return static_cast<int>(lines);
}

FW_REGISTER(TScreen) {}

}  // namespace fw
