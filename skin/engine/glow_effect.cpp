#include "skin/engine/glow_effect.h"

#include <algorithm>
#include <map>
#include <memory>

#include "fw/graphics/gdi_handles.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/mask_paint.h"

namespace skin {

bool GlowWindowClosing = false;

namespace {

constexpr wchar_t kGlowClass[] = L"VestalineGlow";
constexpr UINT kReleaseGlow = WM_APP + 0x2F1;

LRESULT CALLBACK GlowWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCHITTEST) return HTTRANSPARENT;
  if (msg == kReleaseGlow) {
    DestroyWindow(wnd);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace

const wchar_t* GlowWindowClass() {
  static const ATOM atom = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = GlowWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kGlowClass;
    return RegisterClassExW(&wc);
  }();
  return atom ? kGlowClass : nullptr;
}

namespace {

// A glow window, destroyed with its owner object.
class TGlowWindow {
 public:
  explicit TGlowWindow(HWND wnd) : wnd_(wnd) {}
  ~TGlowWindow() { Close(true); }
  TGlowWindow(const TGlowWindow&) = delete;
  TGlowWindow& operator=(const TGlowWindow&) = delete;
  HWND Handle() const { return wnd_; }
  // At once, or posted to the window so that it goes after the messages
  // already waiting (a glow is often hidden from inside a mouse message).
  void Close(bool immediate) {
    if (!wnd_ || !IsWindow(wnd_)) return;
    // A terminating application reads no more messages.
    if (fw::Application && fw::Application->Terminated()) immediate = true;
    GlowWindowClosing = true;
    if (immediate || !PostMessageW(wnd_, kReleaseGlow, 0, 0)) DestroyWindow(wnd_);
    else ShowWindow(wnd_, SW_HIDE);
    GlowWindowClosing = false;
    wnd_ = nullptr;
  }

 private:
  HWND wnd_;
};

std::map<int, std::unique_ptr<TGlowWindow>>& Glows() {
  static std::map<int, std::unique_ptr<TGlowWindow>> glows;
  return glows;
}
int gNextId = 0;

struct TGlowGeometry {
  int W = 0, H = 0;              // the whole glow
  int CutL = 0, CutT = 0;        // cut from the left and top
  int Width = 0, Height = 0;     // what is shown
  fw::TPoint Pos;
};

TGlowGeometry Measure(const fw::TRect& r, const fw::TRect& realRect, int wl, int wt, int wr, int wb, int margin) {
  TGlowGeometry g;
  g.W = r.Width() + wl + wr - 2 * margin;
  g.H = r.Height() + wt + wb - 2 * margin;
  int cutR = 0, cutB = 0;
  if (r.Width() != realRect.Width() || r.Height() != realRect.Height()) {
    g.CutL = realRect.Left == 0 ? 0 : wl + realRect.Left - margin;
    g.CutT = realRect.Top == 0 ? 0 : wt + realRect.Top - margin;
    if (r.Width() != realRect.Right)
      cutR = g.CutL ? g.W - g.CutL - realRect.Width() : r.Width() + wr - realRect.Width() - margin;
    if (r.Height() != realRect.Bottom)
      cutB = g.CutT ? g.H - g.CutT - realRect.Height() : r.Height() + wb - realRect.Height() - margin;
  }
  g.Width = g.W - g.CutL - cutR;
  g.Height = g.H - g.CutT - cutB;
  g.Pos = {r.Left + margin + g.CutL - wl, r.Top + margin + g.CutT - wt};
  return g;
}

// Directly above wnd (in the topmost band when wnd is topmost).
HWND InsertAfter(HWND wnd) {
  if (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) return HWND_TOPMOST;
  const HWND prev = GetWindow(wnd, GW_HWNDPREV);
  return prev ? prev : wnd;
}

}  // namespace

int ShowGlowEffect(const fw::TRect& r, const fw::TRect& realRect, TkLoadedSkin* skin, fw::StringView section,
                   fw::StringView propertyName, int margin, int /*alpha*/, HWND wnd,
                   const TGlowColorEffects& colorEffects) {
  if (!LayeredWindowsAvailable() || !skin) return -1;
  const int maskIndex = skin->GetMaskIndex(skin->GetSkinIndex(section), section, fw::String(propertyName) + u"0");
  if (!skin->IsValidImgIndex(maskIndex)) return -1;
  const TGlowGeometry g = Measure(r, realRect, skin->MaskWidthLeft(maskIndex), skin->MaskWidthTop(maskIndex),
                                  skin->MaskWidthRight(maskIndex), skin->MaskWidthBottom(maskIndex), margin);
  // Nothing to show, or a window the screen cannot hold.
  const int screenW = GetSystemMetrics(SM_CXVIRTUALSCREEN), screenH = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (g.Width <= 0 || g.Height <= 0 || g.W > screenW || g.H > screenH || g.Width > screenW || g.Height > screenH)
    return -1;
  const wchar_t* cls = GlowWindowClass();
  if (!cls) return -1;

  std::unique_ptr<fw::TBitmap> image = NewBitmap32(g.W, g.H);
  const TPixelView32 all = View32(*image);
  if (all.Empty()) return -1;
  for (int y = 0; y < all.Height; ++y) std::fill_n(all.Row(y), all.Width, 0u);
  const TkMaskData& mask = skin->ma[maskIndex];
  DrawMaskRect(all, fw::Rect(0, 0, g.W, g.H), TCacheInfo{}, mask, MaskSourceView(*skin, mask), 0, false);
  if (colorEffects) colorEffects(all);

  const HWND glow = CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_LAYERED | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, cls,
                                    L"", WS_POPUP, g.Pos.x, g.Pos.y, g.Width, g.Height, nullptr, nullptr,
                                    GetModuleHandleW(nullptr), nullptr);
  if (!glow) return -1;
  auto owner = std::make_unique<TGlowWindow>(glow);
  SetWindowPos(glow, wnd && IsWindow(wnd) ? InsertAfter(wnd) : HWND_TOP, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  {
    fw::TWindowDC screen;
    POINT src{g.CutL, g.CutT}, pos{g.Pos.x, g.Pos.y};
    SIZE size{g.Width, g.Height};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    if (!UpdateLayeredWindowProc(glow, screen.Get(), &pos, &size, image->Canvas()->Handle(), &src, 0, &blend, ULW_ALPHA))
      return -1;  // the window goes with its owner
  }
  ShowWindow(glow, SW_SHOWNA);
  const int id = gNextId++;
  Glows()[id] = std::move(owner);
  return id;
}

void HideGlowEffect(int& id, bool immediate) {
  auto it = Glows().find(id);
  if (id < 0 || it == Glows().end()) return;
  it->second->Close(immediate);
  Glows().erase(it);
  id = -1;
}

void FreeGlowEffects(bool destroyWindows) {
  auto glows = std::move(Glows());
  Glows().clear();
  for (auto& [id, glow] : glows) glow->Close(destroyWindows);
}

int GlowEffectCount() { return static_cast<int>(Glows().size()); }

HWND GlowEffectWindow(int id) {
  auto it = Glows().find(id);
  return it == Glows().end() ? nullptr : it->second->Handle();
}

}  // namespace skin
