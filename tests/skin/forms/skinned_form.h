// A real form skinned by its provider with one of the program's skins, for
// the tests of the skinned frame's behaviour.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "skin/engine/skin_resources.h"
#include "skin/forms/skin_provider.h"
#include "tests/fw/controls_test_util.h"

namespace skin {

inline std::unique_ptr<TkLoadedSkin> StoredProgramSkin(int index) {
  std::vector<TStoredSkinData> stored = LoadInternalSkins();
  TSkinLoadOptions o = SystemSkinLoadOptions();
  o.Saturation = -58;
  return LoadPackedSkin(stored.at(size_t(index)).Name, stored.at(size_t(index)).Data, o);
}

// Frees a test form's skin and then tells whoever asked (a test may check
// that nothing paints from the skin after).
struct TSkinFree {
  std::function<void()> Freed;
  void operator()(TkLoadedSkin* s) const {
    delete s;
    if (Freed) Freed();
  }
};

// P: the provider class (a test may record what the provider asks of the
// border window and the animations).
template <class P = TkSkinProvider>
struct TSkinnedForm {
  // The skin outlives the form: freeing a shown form runs the hide
  // animation, which paints the closing picture from the provider's skin.
  std::unique_ptr<TkLoadedSkin, TSkinFree> skin;
  fwtest::TestForm form;
  P* provider = nullptr;
  explicit TSkinnedForm(int skinIndex = 0, fw::TFormBorderStyle style = fw::bsSizeable, int w = 400, int h = 300,
                        bool show = true)
      : skin(StoredProgramSkin(skinIndex).release()), form(w, h) {
    form->SetBorderStyle(style);
    form->SetCaption(u"Skinned form");
    provider = new P(form.form);
    provider->SetSkin(skin.get());
    if (show) Show();
  }
  void Show() {
    form->Show();
    SetForegroundWindow(form->Handle());
    fwtest::PumpUntil([&] { return provider->BuildCount() > 0 && IsWindowVisible(wnd()); }, 20000);
  }
  HWND wnd() const { return form->Handle(); }
  RECT WindowRect() const {
    RECT r{};
    GetWindowRect(wnd(), &r);
    return r;
  }
  // A point of the form (window coordinates) in screen coordinates.
  LPARAM ScreenPoint(int x, int y) const {
    const RECT r = WindowRect();
    return MAKELPARAM(r.left + x, r.top + y);
  }
  LPARAM ScreenPoint(const fw::TRect& r) const { return ScreenPoint((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2); }
  // The same point in client coordinates (a release under the capture).
  LPARAM ClientPoint(const fw::TRect& r) const {
    const LPARAM s = ScreenPoint(r);
    POINT p{short(LOWORD(s)), short(HIWORD(s))};
    ScreenToClient(wnd(), &p);
    return MAKELPARAM(p.x, p.y);
  }
  const TkCaptionLayout& Layout() const { return provider->ImageInput().Layout; }
  LRESULT HitAt(int x, int y) const { return SendMessageW(wnd(), WM_NCHITTEST, 0, ScreenPoint(x, y)); }
};

using SkinnedForm = TSkinnedForm<>;

}  // namespace skin
