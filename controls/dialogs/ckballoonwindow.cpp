// The balloon window: layout, position, shape and painting, and the
// component's window with its close button, z-order and animation.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>

#include "controls/base/ckthemes.h"
#include "controls/dialogs/ckballoonhint.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "services/shellutils.h"

namespace ck {

using fw::Rect;

namespace {

constexpr UINT kTextFlags = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

// Theme parts and states of the "tooltip" class.
constexpr int kPartBody = 3, kPartTitle = 4, kPartClose = 5, kPartStem = 6;

TBalloonPlatform DetectPlatform() {
  TBalloonPlatform p;
  p.XP = services::WindowsVersionAtLeast(5, 1);
  p.Vista = services::WindowsVersionAtLeast(6, 0);
  p.ComCtl6 = CommonControlsMajorVersion() >= 6;
  p.Themes = ActiveStyleServices()->Enabled();
  return p;
}

std::unique_ptr<TBalloonPlatform>& InjectedPlatform() {
  static std::unique_ptr<TBalloonPlatform> p;
  return p;
}

// The "tooltip" theme, opened once for the application window.
HTHEME TooltipTheme() {
  static HTHEME theme = nullptr;
  static bool opened = false;
  if (!opened) {
    opened = true;
    theme = OpenThemeData(fw::Application ? fw::Application->Handle() : nullptr, L"tooltip");
  }
  return theme;
}

bool VistaComCtl6() {
  const TBalloonPlatform& p = BalloonPlatform();
  return p.Vista && p.ComCtl6;
}
bool VistaThemes() {
  const TBalloonPlatform& p = BalloonPlatform();
  return p.Vista && p.Themes && TooltipTheme();
}

int StemState(TCkBalloonPosition Position) {
  switch (Position) {
    case bpRightDown: return 1;
    case bpLeftUp: return 4;
    case bpRightUp: return 6;
    default: return 3;
  }
}

RECT ToRECT(const TRect& r) { return RECT{r.Left, r.Top, r.Right, r.Bottom}; }

TRect Offset(const TRect& r, int dx, int dy) { return Rect(r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy); }

TRect Union(const TRect& a, const TRect& b) {
  return Rect(std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
              std::max(a.Bottom, b.Bottom));
}

bool IsDown(TCkBalloonPosition p) { return p == bpLeftDown || p == bpRightDown || p == bpAuto; }
bool IsLeft(TCkBalloonPosition p) { return p == bpLeftDown || p == bpLeftUp || p == bpAuto; }

// A region owned until handed to the window.
struct TRegion {
  HRGN Handle;
  explicit TRegion(HRGN h = nullptr) : Handle(h) {}
  ~TRegion() {
    if (Handle) DeleteObject(Handle);
  }
  HRGN Release() {
    HRGN h = Handle;
    Handle = nullptr;
    return h;
  }
};

}  // namespace

TAnimateWindowProc AnimateWindowProc = &AnimateWindow;

const TBalloonPlatform& BalloonPlatform() {
  auto& injected = InjectedPlatform();
  if (!injected) injected = std::make_unique<TBalloonPlatform>(DetectPlatform());
  return *injected;
}

void SetBalloonPlatform(const TBalloonPlatform* Value) {
  auto& injected = InjectedPlatform();
  if (Value) injected = std::make_unique<TBalloonPlatform>(*Value);
  else injected.reset();
}

DWORD BalloonAnimationFlags(TCkAnimationStyle Style, TCkBalloonPosition Position) {
  const DWORD vertical = (Position == bpLeftDown || Position == bpRightDown) ? AW_VER_POSITIVE : AW_VER_NEGATIVE;
  switch (Style) {
    case atNone: return 0;
    case atSlide: return AW_SLIDE | vertical;
    case atRoll: return vertical;
    case atRollHorNeg: return AW_HOR_NEGATIVE;
    case atRollHorPos: return AW_HOR_POSITIVE;
    case atRollVerNeg: return AW_VER_NEGATIVE;
    case atRollVerPos: return AW_VER_POSITIVE;
    case atSlideHorNeg: return AW_SLIDE | AW_HOR_NEGATIVE;
    case atSlideHorPos: return AW_SLIDE | AW_HOR_POSITIVE;
    case atSlideVerNeg: return AW_SLIDE | AW_VER_NEGATIVE;
    case atSlideVerPos: return AW_SLIDE | AW_VER_POSITIVE;
    case atCenter: return AW_CENTER;
    case atBlend: return AW_BLEND;
  }
  return 0;
}

bool IsMultiLineText(const String& Text) {
  auto isBreak = [](char16_t c) {
    return c == 0 || c == 10 || c == 11 || c == 12 || c == 13 || c == 0x2028 || c == 0x2029;
  };
  for (size_t i = 0; i < Text.size(); ++i) {
    if (!isBreak(Text[i])) continue;
    size_t next = i + 1;
    if (Text[i] == 13 && next < Text.size() && Text[next] == 10) ++next;
    return next < Text.size();
  }
  return false;
}

// ---- TCkBalloonWindow -------------------------------------------------------------

FW_REGISTER(TCkBalloonWindow) {}

TCkBalloonWindow::TCkBalloonWindow(fw::TComponent* AOwner) : fw::THintWindow(AOwner) {
  FControlStyle = fw::TControlStyle{fw::csCaptureMouse, fw::csClickEvents, fw::csDoubleClicks};
}

void TCkBalloonWindow::CreateParams(fw::TCreateParams& Params) {
  fw::THintWindow::CreateParams(Params);
  Params.Style &= ~static_cast<DWORD>(WS_BORDER);
  Params.WndParent = FOwnerWindow;
  const TBalloonPlatform& p = BalloonPlatform();
  if (p.XP && p.ComCtl6) {
    Params.WindowClass.style |= CS_DROPSHADOW;
    if (p.Vista && p.Themes) {
      Params.ExStyle |= WS_EX_LAYERED;
      if (FIsMultiLineMsg) Params.ExStyle |= WS_EX_COMPOSITED;
    }
  } else {
    Params.WindowClass.style &= ~static_cast<UINT>(CS_DROPSHADOW);
  }
}

void TCkBalloonWindow::CreateWindowHandle(const fw::TCreateParams& Params) {
  fw::THintWindow::CreateWindowHandle(Params);
  if (Params.ExStyle & WS_EX_LAYERED) SetLayeredWindowAttributes(Handle(), 0, 255, LWA_ALPHA);
  UpdateRegion();
}

void TCkBalloonWindow::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case fw::CM_SHOWINGCHANGED:
      if (Showing()) UpdateRegion();
      fw::THintWindow::Dispatch(Message);
      return;
    case fw::CM_TEXTCHANGED:
      // A caption change never resizes the window.
      return;
    case WM_ERASEBKGND:
      EraseBackground(reinterpret_cast<HDC>(Message.WParam));
      Message.Result = 1;
      return;
    case WM_NCPAINT:
      Message.Result = 0;
      return;
    default:
      fw::THintWindow::Dispatch(Message);
  }
}

void TCkBalloonWindow::InitValues(void*) {
  TGlobalCtrl* g = GlobalCtrl();
  TCkBalloonHint* main = g->MainCtrl();
  const TCkApplicationHintOptions o = main->ApplicationHintOptions();
  FShowIcon = o.Contains(ahShowIconInHint) && main->DefaultIcon() != ikNone &&
              !(main->DefaultIcon() == ikCustom && main->DefaultImageIndex() < 0);
  FShowHeader = o.Contains(ahShowHeaderInHint) && !main->DefaultHeader().empty();
  FHeader = main->DefaultHeader();
  FCurrentPosition = main->DefaultBalloonPosition();
  FImageSize = g->HintImageSize();
  FSwitchHeight = GetSystemMetrics(SM_CYCURSOR);
  FShowCloseBtn = false;
}

TCkIconKind TCkBalloonWindow::IconKindShown() const { return GlobalCtrl()->MainCtrl()->DefaultIcon(); }
int TCkBalloonWindow::ImageIndexShown() const { return GlobalCtrl()->MainCtrl()->DefaultImageIndex(); }

void TCkBalloonWindow::SelectMessageFont(fw::TCanvas* Canvas) {
  if (fw::Screen) Canvas->Font()->Assign(fw::Screen->HintFont());
  Canvas->Font()->SetStyle(Canvas->Font()->Style() - fw::TFontStyles{fw::fsBold});
}

void TCkBalloonWindow::SelectHeaderFont(fw::TCanvas* Canvas) {
  if (fw::Screen) Canvas->Font()->Assign(fw::Screen->HintFont());
  if (VistaThemes()) {
    LOGFONTW lf{};
    COLORREF color = 0;
    HDC dc = GetDC(nullptr);
    bool gotFont = SUCCEEDED(GetThemeFont(TooltipTheme(), dc, kPartTitle, 0, TMT_FONT, &lf));
    ReleaseDC(nullptr, dc);
    if (gotFont) {
      Canvas->Font()->SetName(FromW(lf.lfFaceName));
      Canvas->Font()->SetHeight(lf.lfHeight);
      fw::TFontStyles styles;
      if (lf.lfWeight >= FW_BOLD) styles.Include(fw::fsBold);
      if (lf.lfItalic) styles.Include(fw::fsItalic);
      Canvas->Font()->SetStyle(styles);
    }
    if (SUCCEEDED(GetThemeColor(TooltipTheme(), kPartTitle, 0, TMT_TEXTCOLOR, &color)))
      Canvas->Font()->SetColor(static_cast<fw::TColor>(color));
    return;
  }
  Canvas->Font()->SetStyle(Canvas->Font()->Style() + fw::TFontStyles{fw::fsBold});
}

void TCkBalloonWindow::MeasureHeader(int MaxWidth, int& Width, int& Height) {
  fw::TBitmap probe;
  probe.SetSize(1, 1);
  fw::TCanvas* c = probe.Canvas();
  SelectHeaderFont(c);
  c->TextRect(TRect{}, 0, 0, String());
  RECT r{0, 0, MaxWidth, 0};
  DrawTextW(c->Handle(), W(FHeader), static_cast<int>(FHeader.size()), &r, kTextFlags | DT_CALCRECT);
  Width = r.right;
  Height = r.bottom;
}

void TCkBalloonWindow::MeasureMessage(int MaxWidth, int& Width, int& Height) {
  fw::TBitmap probe;
  probe.SetSize(1, 1);
  fw::TCanvas* c = probe.Canvas();
  SelectMessageFont(c);
  c->TextRect(TRect{}, 0, 0, String());
  RECT r{0, 0, MaxWidth, 0};
  DrawTextW(c->Handle(), W(FMsg), static_cast<int>(FMsg.size()), &r, kTextFlags | DT_CALCRECT);
  Width = r.right;
  Height = r.bottom;
}

TRect TCkBalloonWindow::CalcHintRect(int MaxWidth, const String& AHint, void* AData) {
  // The main control's width limit serves the application hints while the
  // balloon replaces the hint window.
  TGlobalCtrl* g = GlobalCtrl();
  if (g->UseBalloonAsApplicationHint() && g->MainCtrl()->MaxWidth() > 0) MaxWidth = g->MainCtrl()->MaxWidth();
  FCalculated = CalcHintRectW(MaxWidth, AHint, AData);
  return FCalculated;
}

TRect TCkBalloonWindow::CalcHintRectUTF8(int MaxWidth, const std::string& AUTF8Hint, void* AData) {
  return CalcHintRectW(MaxWidth, fw::Utf8ToString(AUTF8Hint), AData);
}

TRect TCkBalloonWindow::CalcHintRectW(int MaxWidth, const String& AHint, void* AData) {
  const TBalloonPlatform& p = BalloonPlatform();
  const bool vistaCC6 = p.Vista && p.ComCtl6;
  FUseRegion = false;
  InitValues(AData);
  FMsg = AHint;
  FIsMultiLineMsg = IsMultiLineText(FMsg);
  const int imgW = FShowIcon ? FImageSize.cx : 0, imgH = FShowIcon ? FImageSize.cy : 0;
  FIconPos = FShowIcon ? TPoint{12, vistaCC6 ? 12 : 9} : TPoint{0, 0};

  FHeaderRect = TRect{};
  if (FShowHeader) {
    int w = 0, h = 0;
    MeasureHeader(MaxWidth, w, h);
    FHeaderRect = Rect(0, 0, w, h);
    if (!FHeader.empty()) FHeaderRect = Offset(FHeaderRect, 12, vistaCC6 ? 9 : 10);
  }
  FMsgRect = TRect{};
  {
    int w = 0, h = 0;
    MeasureMessage(MaxWidth, w, h);
    FMsgRect = Rect(0, 0, w, h);
    if (!FMsg.empty()) {
      int y;
      const int hb = FHeaderRect.Bottom;
      if (p.Vista) {
        if (p.Themes) y = std::max(9, hb);
        else if (!p.ComCtl6) y = FShowIcon ? std::max(FIconPos.y + imgH + 6, hb + 5) : std::max(9, hb + 5);
        else y = hb + 3;
      } else {
        y = std::max(FShowIcon ? FIconPos.y + imgH + 5 : 9, hb + 4);
      }
      FMsgRect = Offset(FMsgRect, 12, y);
    }
  }
  if (FShowIcon) {
    FHeaderRect = Offset(FHeaderRect, imgW + (vistaCC6 ? 5 : 8), 0);
    if (vistaCC6) FMsgRect = Offset(FMsgRect, imgW + 5, 0);
  }

  // The stem.
  bool themedStem = false;
  if (p.Vista && p.Themes && FIsMultiLineMsg && TooltipTheme()) {
    SIZE s{};
    if (SUCCEEDED(GetThemePartSize(TooltipTheme(), nullptr, kPartStem, StemState(FCurrentPosition), nullptr,
                                   TS_TRUE, &s))) {
      FTipWidth = s.cx;
      FTipHeight = s.cy;
      FTipDelta = 16;
      themedStem = true;
    }
  }
  if (!themedStem) {
    static const int kTips[3][3] = {{12, 12, 16}, {19, 19, 16}, {21, 21, 16}};
    const int kind = !FShowHeader ? 0 : FIsMultiLineMsg ? 2 : 1;
    FTipHeight = kTips[kind][0];
    FTipWidth = kTips[kind][1];
    FTipDelta = kTips[kind][2];
  }
  FStemRect = Rect(0, 0, FTipWidth, FTipHeight);

  // The close button.
  FCloseBtnRect = TRect{};
  if (FShowCloseBtn) {
    SIZE s{GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)};
    if (p.XP && p.Themes && TooltipTheme()) {
      SIZE t{};
      if (SUCCEEDED(GetThemePartSize(TooltipTheme(), nullptr, kPartClose, 1, nullptr, TS_DRAW, &t))) s = t;
    }
    FCloseBtnRect = Rect(0, 0, s.cx, s.cy);
    FHeaderRect.Right += s.cx;
    FMsgRect.Right += s.cx;
  }

  const int m = vistaCC6 ? 10 : 11;
  FRoundRect = Rect(0, 0, std::max(FMsgRect.Right, FHeaderRect.Right) + m + 3,
                    std::max(FMsgRect.Bottom, FHeaderRect.Bottom) + m);
  FStemRect = Offset(FStemRect, FTipDelta, FRoundRect.Bottom - 1);
  TRect result = Union(FRoundRect, FStemRect);
  TPoint off = AnchorOffset(result);
  result = Offset(result, off.x, off.y);
  FCloseBtnRect = Offset(FCloseBtnRect, FRoundRect.Right - FCloseBtnRect.Width() - 6, 6);
  FUseRegion = true;
  return result;
}

TPoint TCkBalloonWindow::AnchorOffset(const TRect& R) const {
  const int w = R.Width(), h = R.Height();
  switch (FCurrentPosition) {
    case bpRightDown: return {-FTipDelta, 0};
    case bpLeftUp: return {FTipDelta - w, -h - FSwitchHeight};
    case bpRightUp: return {-FTipDelta, -h - FSwitchHeight};
    default: return {FTipDelta - w, 0};
  }
}

TPoint TCkBalloonWindow::StemPointInRect(const TRect& R) const {
  switch (FCurrentPosition) {
    case bpRightDown: return {R.Left + FTipDelta, R.Top};
    case bpLeftUp: return {R.Right - FTipDelta, R.Bottom};
    case bpRightUp: return {R.Left + FTipDelta, R.Bottom};
    default: return {R.Right - FTipDelta, R.Top};
  }
}

TPoint TCkBalloonWindow::StemPointPosition() const { return StemPointInRect(BoundsRect()); }

void TCkBalloonWindow::SetPosition(TCkBalloonPosition Value, TRect& R) {
  if (Value == FCurrentPosition) return;
  TPoint old = AnchorOffset(R);
  R = Offset(R, -old.x, -old.y);
  FCurrentPosition = Value;
  TPoint now = AnchorOffset(R);
  R = Offset(R, now.x, now.y);
}

void TCkBalloonWindow::CheckPosition(TRect& R) {
  RECT wa{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &wa, 0);
  if (FCurrentPosition == bpAuto) {
    const TCkBalloonPosition saved = FCurrentPosition;
    FCurrentPosition = bpLeftDown;
    TPoint p = StemPointInRect(R);
    FCurrentPosition = saved;
    const bool left = 2 * p.x < wa.left + wa.right;
    TCkBalloonPosition pos;
    if (2 * p.y < wa.top + wa.bottom) pos = left ? bpLeftUp : bpRightUp;
    else pos = left ? bpLeftDown : bpRightDown;
    SetPosition(pos, R);
  }
  TCkBalloonPosition pos = FCurrentPosition;
  if (R.Bottom > wa.bottom) {
    if (pos == bpLeftDown) pos = bpLeftUp;
    else if (pos == bpRightDown) pos = bpRightUp;
  }
  if (R.Right > wa.right) {
    if (pos == bpRightDown) pos = bpLeftDown;
    else if (pos == bpRightUp) pos = bpLeftUp;
  }
  if (R.Left < wa.left) {
    if (pos == bpLeftDown) pos = bpRightDown;
    else if (pos == bpLeftUp) pos = bpRightUp;
  }
  if (R.Top < wa.top) {
    if (pos == bpLeftUp) pos = bpLeftDown;
    else if (pos == bpRightUp) pos = bpRightDown;
  }
  SetPosition(pos, R);
  if (R.Left < wa.left) {
    if (FCurrentPosition == bpLeftUp) SetPosition(bpRightUp, R);
    else if (FCurrentPosition == bpLeftDown) SetPosition(bpRightDown, R);
  }
  if (R.Top < wa.top) {
    if (FCurrentPosition == bpLeftUp) SetPosition(bpLeftDown, R);
    else if (FCurrentPosition == bpRightUp) SetPosition(bpRightDown, R);
  }

  // The inside for the final position.
  if (FCurrentPosition == bpLeftDown || FCurrentPosition == bpRightDown) {
    const int d = FTipHeight - 1;
    FRoundRect = Offset(FRoundRect, 0, d);
    FMsgRect = Offset(FMsgRect, 0, d);
    FHeaderRect = Offset(FHeaderRect, 0, d);
    FStemRect = Offset(FStemRect, 0, -FStemRect.Top);
    FIconPos.y += FTipHeight;
    FCloseBtnRect = Offset(FCloseBtnRect, 0, FTipHeight);
  }
  if (FCurrentPosition == bpLeftDown || FCurrentPosition == bpLeftUp)
    FStemRect = Offset(FStemRect, FRoundRect.Width() - 2 * FTipDelta - FStemRect.Width(), 0);
}

void TCkBalloonWindow::UpdateRegion() {
  if (!HandleAllocated() || !FUseRegion || FCurrentPosition == bpAuto) return;
  TRegion region;
  if (VistaThemes() && FIsMultiLineMsg) {
    HRGN body = nullptr, stem = nullptr;
    RECT rr = ToRECT(FRoundRect), sr = ToRECT(FStemRect);
    HDC dc = GetDC(Handle());
    if (FAILED(GetThemeBackgroundRegion(TooltipTheme(), dc, kPartBody, 0, &rr, &body))) body = nullptr;
    if (FAILED(GetThemeBackgroundRegion(TooltipTheme(), dc, kPartStem, StemState(FCurrentPosition), &sr, &stem)))
      stem = nullptr;
    ReleaseDC(Handle(), dc);
    TRegion b(body), s(stem);
    if (!body || !stem) {
      region.Handle = CreateRectRgn(0, 0, 1, 1);
    } else {
      region.Handle = CreateRectRgn(0, 0, 0, 0);
      CombineRgn(region.Handle, body, stem, RGN_OR);
    }
  } else {
    region.Handle = CreateRoundRectRgn(FRoundRect.Left, FRoundRect.Top, FRoundRect.Right, FRoundRect.Bottom, 11, 11);
    const TRect& s = FStemRect;
    POINT pts[3];
    switch (FCurrentPosition) {
      case bpRightDown:
        pts[0] = {s.Left, s.Top}, pts[1] = {s.Left, s.Bottom}, pts[2] = {s.Right, s.Bottom};
        break;
      case bpLeftUp:
        pts[0] = {s.Right, s.Bottom}, pts[1] = {s.Right, s.Top}, pts[2] = {s.Left, s.Top};
        break;
      case bpRightUp:
        pts[0] = {s.Left, s.Bottom}, pts[1] = {s.Left, s.Top}, pts[2] = {s.Right, s.Top};
        break;
      default:  // bpLeftDown
        pts[0] = {s.Right, s.Top}, pts[1] = {s.Right, s.Bottom}, pts[2] = {s.Left, s.Bottom};
        break;
    }
    TRegion triangle(CreatePolygonRgn(pts, 3, WINDING));
    CombineRgn(region.Handle, region.Handle, triangle.Handle, RGN_OR);
  }
  if (SetWindowRgn(Handle(), region.Handle, IsWindowVisible(Handle()))) region.Release();
}

void TCkBalloonWindow::EraseBackground(HDC DC) {
  if (VistaThemes()) {
    RECT rr = ToRECT(FRoundRect);
    if (FIsMultiLineMsg) {
      RECT sr = ToRECT(FStemRect);
      DrawThemeBackground(TooltipTheme(), DC, kPartBody, 0, &rr, &rr);
      DrawThemeBackground(TooltipTheme(), DC, kPartStem, StemState(FCurrentPosition), &sr, &sr);
      return;
    }
    RECT cr{0, 0, Width(), Height()};
    DrawThemeBackground(TooltipTheme(), DC, kPartBody, 0, &cr, nullptr);
  }
  TRegion region(CreateRectRgn(0, 0, 0, 0));
  if (!HandleAllocated() || GetWindowRgn(Handle(), region.Handle) == ERROR) {
    // No shape yet (painted off-screen before showing): the layout's.
    DeleteObject(region.Release());
    region.Handle = CreateRoundRectRgn(FRoundRect.Left, FRoundRect.Top, FRoundRect.Right, FRoundRect.Bottom, 11, 11);
  }
  if (!VistaThemes()) {
    HBRUSH fill = CreateSolidBrush(static_cast<COLORREF>(fw::ColorToRGB(Color())));
    FillRgn(DC, region.Handle, fill);
    DeleteObject(fill);
  }
  HBRUSH frame = CreateSolidBrush(RGB(0, 0, 0));
  FrameRgn(DC, region.Handle, frame, 1, 1);
  DeleteObject(frame);
}

void TCkBalloonWindow::PaintIcon(fw::TCanvas* Canvas) {
  if (FShowIcon)
    GlobalCtrl()->DrawHintImage(Canvas, FIconPos.x, FIconPos.y, IconKindShown(), ImageIndexShown(), Color());
}

void TCkBalloonWindow::PaintTexts(fw::TCanvas* Canvas) {
  if (!FMsg.empty()) {
    SelectMessageFont(Canvas);
    Canvas->TextRect(TRect{}, 0, 0, String());
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    RECT r = ToRECT(FMsgRect);
    DrawTextW(Canvas->Handle(), W(FMsg), static_cast<int>(FMsg.size()), &r, kTextFlags);
  }
  if (FShowHeader) {
    SelectHeaderFont(Canvas);
    Canvas->TextRect(TRect{}, 0, 0, String());
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    RECT r = ToRECT(FHeaderRect);
    DrawTextW(Canvas->Handle(), W(FHeader), static_cast<int>(FHeader.size()), &r, kTextFlags);
  }
}

void TCkBalloonWindow::Paint() {
  fw::TCanvas* c = Canvas();
  PaintIcon(c);
  PaintTexts(c);
}

void TCkBalloonWindow::ActivateHint(const TRect& Rect, const String& AHint) {
  TRect r = Rect;
  // The application places only the size at its hint position; the
  // calculated rectangle keeps the anchor (the hint position) at (0, 0).
  if (r.Width() == FCalculated.Width() && r.Height() == FCalculated.Height())
    r = Offset(FCalculated, Rect.Left, Rect.Top);
  HWND appWnd = fw::Application ? fw::Application->Handle() : nullptr;
  if (HandleAllocated() && VistaComCtl6()) {
    // The create parameters follow the new message.
    RecreateWnd();
  }
  if (HandleAllocated()) {
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(appWnd));
    if (IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
  }
  FOwnerWindow = appWnd;
  CheckPosition(r);
  UpdateRegion();
  r.Bottom += 4;
  TCkBalloonHint* main = GlobalCtrl()->MainCtrl();
  if (main->ApplicationHintOptions().Contains(ahPlaySound)) GlobalCtrl()->PlaySound(main->DefaultIcon());
  fw::THintWindow::ActivateHint(r, AHint);
  UpdateRegion();
}

// ---- TCkBalloonWindowEx -------------------------------------------------------------

FW_REGISTER(TCkBalloonWindowEx) {}

TCkBalloonWindowEx::TCkBalloonWindowEx(fw::TComponent* AOwner)
    : TCkBalloonWindow(AOwner), FCtrl(dynamic_cast<TCkBalloonHint*>(AOwner)) {}

void TCkBalloonWindowEx::InitValues(void* AData) {
  auto* data = static_cast<THintData*>(AData);
  if (fw::Screen) Canvas()->Font()->Assign(fw::Screen->HintFont());
  if (fw::Application) SetColor(fw::Application->HintColor());
  if (!data) return;
  FImageIndex = data->RImageIndex;
  FIconKind = data->RIconKind;
  FHeader = fw::Utf8ToString(data->RUTF8Header);
  if (FHeader.empty() && !data->RUTF8Header.empty()) FHeader = fw::AnsiToString(data->RUTF8Header);
  FShowHeader = !FHeader.empty();
  FShowIcon = !(FIconKind == ikNone || (FIconKind == ikCustom && FImageIndex == -1));
  FShowCloseBtn = data->RShowCloseBtn;
  FAnimationTime = data->RAnimationTime;
  FAnimationStyle = data->RAnimationStyle;
  FSwitchHeight = data->RSwitchHeight;
  FIsAnchored = data->RAnchorWindow != nullptr;
  FImageSize = GlobalCtrl()->HintImageSize(FIconKind, FImageIndex);
  FCurrentPosition = FCtrl ? FCtrl->DefaultBalloonPosition() : bpAuto;
}

void TCkBalloonWindowEx::Paint() {
  fw::TCanvas* c = Canvas();
  PaintIcon(c);
  if (FShowCloseBtn) {
    const bool designing = ComponentState().Contains(fw::csDesigning);
    if (BalloonPlatform().Themes && TooltipTheme()) {
      int state = 1;
      if ((FCloseState & DFCS_PUSHED) && (FCloseState & DFCS_HOT)) state = 3;
      else if ((FCloseState & DFCS_HOT) && !designing) state = 2;
      RECT r = ToRECT(FCloseBtnRect);
      DrawThemeBackground(TooltipTheme(), c->Handle(), kPartClose, state, &r, nullptr);
    } else {
      RECT r = ToRECT(FCloseBtnRect);
      DrawFrameControl(c->Handle(), &r, DFC_CAPTION, DFCS_CAPTIONCLOSE | FCloseState | DFCS_TRANSPARENT);
    }
  }
  SetBkMode(c->Handle(), TRANSPARENT);
  PaintTexts(c);
}

bool TCkBalloonWindowEx::InCloseButton(int X, int Y) const {
  return FShowCloseBtn && X >= FCloseBtnRect.Left && X < FCloseBtnRect.Right && Y >= FCloseBtnRect.Top &&
         Y < FCloseBtnRect.Bottom;
}

void TCkBalloonWindowEx::SetCloseState(UINT Value) {
  if (Value == FCloseState) return;
  FCloseState = Value;
  if (HandleAllocated()) {
    RECT r = ToRECT(FCloseBtnRect);
    InvalidateRect(Handle(), &r, TRUE);
  }
}

void TCkBalloonWindowEx::WMMouseMove(fw::TMessage& Message) {
  const int x = Message.XPos(), y = Message.YPos();
  if (!InCloseButton(x, y) || ComponentState().Contains(fw::csDesigning)) SetCloseState(DFCS_FLAT);
  else SetCloseState(DFCS_FLAT | DFCS_HOT | (FCloseState & DFCS_PUSHED));
  TCkBalloonWindow::WMMouseMove(Message);
}

void TCkBalloonWindowEx::WMLButtonDown(fw::TMessage& Message) {
  if (InCloseButton(Message.XPos(), Message.YPos())) SetCloseState(FCloseState | DFCS_PUSHED);
  TCkBalloonWindow::WMLButtonDown(Message);
}

void TCkBalloonWindowEx::WMLButtonUp(fw::TMessage& Message) {
  bool cancel = false;
  if (FCloseState & DFCS_PUSHED) {
    SetCloseState(FCloseState & ~static_cast<UINT>(DFCS_PUSHED));
    if (InCloseButton(Message.XPos(), Message.YPos())) {
      FControlState.Exclude(fw::csClicked);
      cancel = FCtrl && FCtrl->CloseBtnClick();
    }
  }
  TCkBalloonWindow::WMLButtonUp(Message);
  if (cancel) FCtrl->CancelHint();
}

void TCkBalloonWindowEx::Dispatch(fw::TMessage& Message) {
  switch (Message.Msg) {
    case WM_NCHITTEST:
      Message.Result = HTCLIENT;
      return;
    case WM_ACTIVATEAPP:
      TCkBalloonWindow::Dispatch(Message);
      if (Message.WParam && FCtrl && FCtrl->Active()) UpdateZOrder();
      return;
    default:
      TCkBalloonWindow::Dispatch(Message);
  }
}

void TCkBalloonWindowEx::UpdateZOrder() {
  if (!HandleAllocated()) return;
  const UINT flags = SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE;
  fw::TCustomForm* anchor = FCtrl ? FCtrl->Data().RAnchorWindow : nullptr;
  if (!anchor || !anchor->HandleAllocated()) {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    return;
  }
  HWND form = anchor->Handle();
  HWND focus = GetFocus();
  if (focus && (focus == form || IsChild(form, focus))) {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, flags);
    return;
  }
  HWND above = GetWindow(form, GW_HWNDPREV);
  if (above == Handle()) return;
  if (!above || (GetWindowLongW(above, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    SetWindowPos(Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, flags);
    // Directly above the form.
    SetWindowPos(form, Handle(), 0, 0, 0, 0, flags);
  } else {
    SetWindowPos(Handle(), above, 0, 0, 0, 0, flags);
  }
}

void TCkBalloonWindowEx::ShowBalloon(TRect& R) {
  FCloseState = DFCS_FLAT;
  CheckPosition(R);
  if (HandleAllocated() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
  HWND owner = FIsAnchored && fw::Application ? fw::Application->Handle() : nullptr;
  FOwnerWindow = owner;
  if (HandleAllocated()) SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  HandleNeeded();

  // Into the virtual screen, size kept.
  const int vx = GetSystemMetrics(SM_XVIRTUALSCREEN), vy = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int vr = vx + GetSystemMetrics(SM_CXVIRTUALSCREEN), vb = vy + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (R.Left < vx) R = Offset(R, vx - R.Left, 0);
  if (R.Top < vy) R = Offset(R, 0, vy - R.Top);
  if (R.Right > vr) R = Offset(R, vr - R.Right, 0);
  if (R.Bottom > vb) R = Offset(R, 0, vb - R.Bottom);

  SetBoundsRect(R);
  UpdateRegion();

  fw::TCustomForm* anchor = FCtrl ? FCtrl->Data().RAnchorWindow : nullptr;
  if (!anchor) {
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
  } else {
    if (!anchor->HandleAllocated() || !IsWindowVisible(anchor->Handle()) || IsIconic(anchor->Handle())) return;
    UpdateZOrder();
  }

  TCkAnimationStyle style = FAnimationStyle;
  const TBalloonPlatform& p = BalloonPlatform();
  if (p.Vista && p.ComCtl6 && style != atNone) style = atBlend;
  if (style != atNone && p.XP && p.ComCtl6 && AnimateWindowProc)
    AnimateWindowProc(Handle(), FAnimationTime, BalloonAnimationFlags(style, FCurrentPosition));
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  FVisible = true;
  FShowing = true;
  Invalidate();
}

}  // namespace ck
