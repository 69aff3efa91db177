// Speed buttons in the skin. A speed button is drawn by the framework on
// its parent and has no window, so it gets a handler instead of a window
// adapter: the handler takes over the control's WindowProc and, whenever
// the parent has the button paint, paints it from the skin into its cache
// image (face over what lies behind, caption, glyph, the disabled look) and
// copies that to the parent's device context.
//
// Removing the skin, the control's WM_DESTROY or freeing the handler gives
// the control its WindowProc back, once; a button freed under its handler
// is let go without being touched.
#pragma once

#include <memory>

#include "fw/controls/controls.h"
#include "fw/controls/wndprochook.h"
#include "fw/system/messages.h"
#include "skin/controls/core/speed_button_layout.h"
#include "skin/controls/window_adapter.h"

namespace skin {

class TkcSpeedButtonHandler {
 public:
  // Section empty: "SPEEDBUTTON", else "BUTTON" when the skin has none.
  TkcSpeedButtonHandler(fw::TControl* Btn, TkcSkinSource ASkin, const fw::String& SkinSection = {});
  ~TkcSpeedButtonHandler();
  TkcSpeedButtonHandler(const TkcSpeedButtonHandler&) = delete;
  TkcSpeedButtonHandler& operator=(const TkcSpeedButtonHandler&) = delete;

  void kcWndProc(fw::TMessage& Message);
  LRESULT CallPrevWndProc(UINT Msg, WPARAM WParam, LPARAM LParam);

  // 2 pressed (down or held down), 1 hot, else 0.
  int CurrentState() const;
  fw::String Caption() const;
  fw::TPoint TextRectSize();
  int GlyphWidth() const;
  int GlyphHeight() const;
  fw::TRect ImgRect();
  fw::TRect CaptionRect();
  // Paints the button into the cache; false when what lies behind is not
  // ready yet.
  bool PrepareCache();
  int SkinIndex() const;
  // The button was freed while the handler was on it.
  bool ControlGone() const;
  fw::TBitmap* Cache() const { return FCache.get(); }

  fw::TControl* Ctrl = nullptr;
  bool Destroyed = false;
  bool MouseAbove = false;
  bool Updating = false;
  bool BGChanged = true;

 private:
  TkSpeedButtonLayout Layout();
  void KC_WMPaint(fw::TMessage& Message);
  void DrawCaption();
  void DrawGlyph();
  void GiveBack();
  void Repaint();

  TkcSkinSource FSkin;
  fw::String FSection;
  std::unique_ptr<fw::TWindowProcHook> FHook;
  std::unique_ptr<fw::TBitmap> FCache;
};

// A handler for a speed button of a skinned form, as the form's control
// adapter keeps it (in the section of the button's skin data).
TkAdapterLink* MakeSpeedButtonLink(fw::TControl* Button, TkCommonData* SkinData, TkcSkinSource Skin);

}  // namespace skin
