// The title bar component: a form's own items in its skinned caption
// (buttons, menu buttons with a drop-down menu, tabs, spacers and
// information fields). The component keeps the items and their geometry;
// the form's provider lays them out in the caption band, paints them
// (title_bar_paint.h), hit-tests them (2000 + index) and drives their
// hover, clicks and fade through the operations here.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "fw/controls/forms.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/imagelist.h"
#include "fw/menus/menus.h"
#include "fw/system/timers.h"
#include "skin/engine/animations.h"
#include "skin/engine/core/fade_levels.h"
#include "skin/forms/core/title_bar_layout.h"

namespace skin {

class TkTitleBar;
class TkcItemAnimation;

// Font options of an item: each UseSys flag takes that part of the
// system caption font or of the skin, else the item's own Font.
struct TkcFontData {
  fw::TFont Font;
  bool UseSysColor = true, UseSysSize = true, UseSysStyle = true, UseSysFontName = true, UseSysGlowing = true;
  int GlowSize = 0;
  fw::TColor GlowColor = 8421504;  // clGray
  // The font actually used (InitFont).
  fw::TFont UsedFont;
};

// The skin section the provider chose for an item.
struct TkcItemSkinData {
  int SkinIndex = -1;
  fw::String SkinSection;
};

class TkcTitleBarItem {
 public:
  explicit TkcTitleBarItem(TkTitleBar* Bar);
  ~TkcTitleBarItem();
  TkcTitleBarItem(const TkcTitleBarItem&) = delete;
  TkcTitleBarItem& operator=(const TkcTitleBarItem&) = delete;

  TkTitleBar* Bar;
  fw::String Name = u"TkcTitleBarItem", Caption, Hint, SkinSection;
  fw::TBitmap Glyph;
  bool Enabled = true, Visible = true, AutoSize = true, ShowHint = false;
  int GroupIndex = 0, NumGlyphs = 1, ImageIndex = -1, HotImageIndex = -1, DisabledImageIndex = -1,
      PressedImageIndex = -1;
  TkcBtnStyle Style = bsButton;
  TkcItemAlign Align = tbaLeft;
  int Height = 18, Width = 22, Spacing = 4;
  fw::TPopupMenu* DropdownMenu = nullptr;
  TkcFontData FontData;
  fw::TNotifyEvent OnClick, OnMouseEnter, OnMouseLeave;
  std::function<void(TkcTitleBarItem&)> OnMouseDown, OnMouseUp;
  // The painter of the item (the provider installs DrawTitleBarItem).
  std::function<void(TkcTitleBarItem& Item, const fw::TRect& R, fw::TBitmap& Bmp, bool NoAlpha)> OnDrawItem;
  fw::TPoint ContentSize;
  bool FDroppedDown = false;
  int FState = 0;
  bool FPressed = false;
  fw::TRect Rect;  // in form coordinates
  TkcItemSkinData Data;
  std::unique_ptr<TkcItemAnimation> Timer;
  HWND ExtForm = nullptr;  // the border window the item shows in, if any

  bool Down() const { return FDown; }
  void SetDown(bool Value);
  int Index() const;
  // 2 while dropped down or down, else the state.
  int ItemState() const { return (FDroppedDown || FDown) ? 2 : FState; }
  void SetState(int Value);
  void InitFont();
  void UpdateSize(bool ContentOnly);
  // Lays the title out anew (with RecalcSize after a size change).
  void Invalidate(bool RecalcSize);
  void DoMouseDown();
  void DoMouseUp();
  void DoClick();

 private:
  bool FDown = false;
};

class TkTitleBar : public fw::TComponent {
  FW_CLASS(TkTitleBar, fw::TComponent)
  // Raises the silent EAbort "TkTitleBar component may be used with forms
  // only!" for any owner that is not a form.
  explicit TkTitleBar(fw::TComponent* AOwner);
  ~TkTitleBar() override;

  fw::TCustomForm* Form = nullptr;
  std::vector<std::unique_ptr<TkcTitleBarItem>> Items;
  int ItemsMargin = 3, ItemsSpacing = 0;
  bool ShowCaption = false;
  fw::TCustomImageList* Images = nullptr;
  int FLeftWidth = 0, FRightWidth = 0, FCenterWidth = 0, FCenterWidthS = 0;
  int FBarVCenter = 0, FFullRight = 0;
  fw::TRect FBarRect;
  // The built-in menu button: three frames, premultiplied.
  std::unique_ptr<fw::TBitmap> FDefaultMenuBtn;
  // Drops an item's menu below it (a modal loop); replaceable by tests.
  std::function<void(TkcTitleBarItem&, fw::TPoint Screen)> DropMenu;

  TkcTitleBarItem& Add();
  // Places the visible items in FBarRect.
  void CalcSizes();
  // Asks the form's provider to lay the title out and repaint it.
  void Invalidate();
};

// The hover fade of a title-bar item: a layered click-through window over
// the item showing its image, faded by the shared level machine; a new
// state's window takes over from the old one when its fade-in ends.
class TkcItemAnimation : public fw::TTimer, private TkcFadeSink {
  FW_CLASS(TkcItemAnimation, fw::TTimer)
  TkcItemAnimation(TkcTitleBarItem* Item, HWND FormHandle);
  ~TkcItemAnimation() override;
  TkcTitleBarItem* Item;
  HWND FormHandle;
  TkcFadeLevels Fade{true};
  std::unique_ptr<TkcAnimWindow> AForm, OldForm;
  std::unique_ptr<fw::TBitmap> NewBmp;
  void StartAnimation(int NewState, bool Show);
  void Tick();
  void MakeImg();
  void UpdateForm(int Blend);
  fw::TRect GetFormBounds() const;
  bool Running() const { return Fade.Running; }

 private:
  void ShowAt(int Alpha) override { UpdateForm(Alpha); }
  void DropImage() override;
  bool MouseOutside() override;
  void MouseLeft() override;
  void FadedIn() override { OldForm.reset(); }
  void SyncTimer();

 protected:
  void Timer() override { Tick(); }
};

// Starts or turns the hover fade of an item (10 steps on hover changes, 1
// after a click).
void StartItemAnimation(TkcTitleBarItem& Item, int Iterations, bool Show, HWND ExtForm);

}  // namespace skin
