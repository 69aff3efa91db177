#include "skin/forms/dwm_link.h"

#include <dwmapi.h>

#include "skin/engine/kconst.h"

namespace skin {

namespace {

// The system's functions, looked up once.
class TSystemDwm : public TkDwmLink {
 public:
  bool CompositionEnabled() override {
    using F = HRESULT(WINAPI*)(BOOL*);
    auto f = reinterpret_cast<F>(Proc("DwmIsCompositionEnabled"));
    BOOL on = FALSE;
    return f && SUCCEEDED(f(&on)) && on;
  }
  bool EnableBlurBehind(HWND Wnd, bool Enable, HRGN Region) override {
    using F = HRESULT(WINAPI*)(HWND, const DWM_BLURBEHIND*);
    auto f = reinterpret_cast<F>(Proc("DwmEnableBlurBehindWindow"));
    if (!f) return false;
    DWM_BLURBEHIND bb{};
    bb.dwFlags = Region ? (DWM_BB_ENABLE | DWM_BB_BLURREGION) : DWM_BB_ENABLE;
    bb.fEnable = Enable;
    bb.hRgnBlur = Region;
    return SUCCEEDED(f(Wnd, &bb));
  }
  bool SetIconicThumbnail(HWND Wnd, HBITMAP Bitmap) override {
    using F = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
    auto f = reinterpret_cast<F>(Proc("DwmSetIconicThumbnail"));
    return f && SUCCEEDED(f(Wnd, Bitmap, 0));
  }
  bool SetIconicLivePreviewBitmap(HWND Wnd, HBITMAP Bitmap) override {
    using F = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
    auto f = reinterpret_cast<F>(Proc("DwmSetIconicLivePreviewBitmap"));
    POINT origin{0, 0};
    return f && SUCCEEDED(f(Wnd, Bitmap, &origin, 1));
  }
  bool InvalidateIconicBitmaps(HWND Wnd) override {
    using F = HRESULT(WINAPI*)(HWND);
    auto f = reinterpret_cast<F>(Proc("DwmInvalidateIconicBitmaps"));
    return f && SUCCEEDED(f(Wnd));
  }
  bool SetHasIconicBitmap(HWND Wnd, bool Flag) override {
    using F = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    auto f = reinterpret_cast<F>(Proc("DwmSetWindowAttribute"));
    if (!f) return false;
    const BOOL value = Flag;
    // Older systems know only the forced iconic representation.
    return SUCCEEDED(f(Wnd, DWMWA_HAS_ICONIC_BITMAP, &value, sizeof(value))) ||
           SUCCEEDED(f(Wnd, DWMWA_FORCE_ICONIC_REPRESENTATION, &value, sizeof(value)));
  }
  bool DisableTransitions(HWND Wnd, bool Disable) override {
    using F = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    auto f = reinterpret_cast<F>(Proc("DwmSetWindowAttribute"));
    const BOOL value = Disable;
    return f && SUCCEEDED(f(Wnd, DWMWA_TRANSITIONS_FORCEDISABLED, &value, sizeof(value)));
  }
  ~TSystemDwm() override {
    if (library_) FreeLibrary(library_);
  }

 private:
  FARPROC Proc(const char* name) {
    if (!tried_) {
      tried_ = true;
      library_ = LoadLibraryW(L"DWMAPI.DLL");
    }
    return library_ ? GetProcAddress(library_, name) : nullptr;
  }
  HMODULE library_ = nullptr;
  bool tried_ = false;
};

TSystemDwm& SystemDwm() {
  static TSystemDwm dwm;
  return dwm;
}

TkDwmLink* gLink = nullptr;

}  // namespace

TkDwmLink& DwmLink() { return gLink ? *gLink : SystemDwm(); }

TkDwmLink* SetDwmLink(TkDwmLink* Link) {
  TkDwmLink* old = gLink;
  gLink = Link;
  return old;
}

int WindowsVersionNumber() { return WindowsMajorVersion; }

bool DwmCompositionActive() { return WindowsVersionNumber() >= 6 && DwmLink().CompositionEnabled(); }

}  // namespace skin
