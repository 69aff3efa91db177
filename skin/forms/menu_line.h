// The main menu line of a skinned form: the form draws its menu bar itself,
// inside its form image. The line's background comes from the skin, a clean
// copy of it lies under every item, and each top-level item paints itself
// through the skinned menus' line painter, into the image (owner-draw state
// odNoAccel + odReserved1) or, while the system tracks the bar (a click, Alt,
// the arrows), straight onto the window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "fw/controls/forms.h"
#include "fw/graphics/graphics.h"
#include "fw/menus/menus.h"
#include "skin/forms/core/frame_geometry.h"

namespace skin {

class TkCommonData;
class TkSkinManager;
class TkSkinableMenus;

class TkMenuLine {
 public:
  explicit TkMenuLine(fw::TCustomForm* Form);
  ~TkMenuLine();
  TkMenuLine(const TkMenuLine&) = delete;
  TkMenuLine& operator=(const TkMenuLine&) = delete;

  fw::TCustomForm* Form() const { return FForm; }
  // The manager whose skinned menus paint the items.
  TkSkinManager* Manager = nullptr;
  TkSkinableMenus* Menus() const;
  // The section of the line; empty means "MENULINE".
  fw::String MenuLineSkin;
  // Asks the provider to build its image again and repaint the frame.
  std::function<void()> RequestRepaint;
  // The provider's skin data, updating while the menu bar is rebuilt.
  TkCommonData* SkinData = nullptr;

  bool MenusInitialized = false;
  bool MenuChanged = false;
  int FLinesCount = -1;
  // Whether the line is drawn by the skin (skinned popups on).
  bool FDrawNonClientArea = true;

  // False for a dialog, without a Menu, with an AutoMerge menu or without a
  // visible top-level item.
  bool MenuPresent() const;
  // The line is ours to draw for a form with these facts.
  bool DrawsLine(const TkFormFrameFacts& Frame) const;
  // Hooks the form's main menu into the skinned menus once.
  void InitMenus();
  // Rebuilds the menu bar and applies its reading order again, with the
  // skin data updating meanwhile (false while already rebuilding or
  // without items).
  bool UpdateMenu();
  // Hooks every menu the form owns (A) or unhooks them.
  void InitMenuItems(bool A);
  // The line is redrawn with the next image.
  void RepaintMenu();

  // Paints the line into the form image of a form with these facts
  // (active: the form's section state).
  void Paint(fw::TBitmap& Image, const TkFormFrameFacts& Frame, int State);
  // The image the line was last painted into, and the clean background.
  fw::TBitmap* Image() const { return FImage; }
  fw::TBitmap& MenuLineBmp() { return FMenuLineBmp; }
  // Where MenuLineBmp's corner lies in the image (and in the window).
  fw::TPoint Origin() const { return FOrigin; }
  // Where the window's corner lies in the image.
  fw::TPoint WindowOffset() const { return FWindowOffset; }
  // The form has a border window (its image is shown by its alpha).
  bool Bordered() const { return FBordered; }
  int State() const { return FState; }

  // The menu line of a form's window, or null.
  static TkMenuLine* Of(HWND Wnd);

 private:
  fw::TCustomForm* FForm;
  fw::TBitmap* FImage = nullptr;
  fw::TBitmap FMenuLineBmp;
  fw::TPoint FOrigin{0, 0};
  fw::TPoint FWindowOffset{0, 0};
  bool FBordered = false;
  int FState = 0;
};

// The maximised active child of the skinned MDI frame, whose icon stands
// at the start of the frame's menu line; null while there is none.
HWND MDIIconChild();

}  // namespace skin
