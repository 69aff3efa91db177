// The adapters of tab controls ("systabcontrol32") and the framework's page
// controls: the tab strip over what lies behind the control, the inactive
// tabs row by row and the page area from the skin into the cache, the
// active tab last straight onto the window, texts turned for side tabs, and
// the control's own scroll arrows through a spin adapter. The page control
// adapter also gives every page an adapter that paints the page from the
// tab control's picture, so the page's controls stand on the skinned page.
#pragma once

#include <memory>
#include <vector>

#include "fw/graphics/graphics.h"
#include "fw/stdctrls/pagecontrol.h"
#include "skin/controls/core/tab_geometry.h"
#include "skin/controls/spin_wnd.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

class TkcTabControlWnd : public TkcMainWnd {
 public:
  TkcTabControlWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params);
  ~TkcTabControlWnd() override;

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"PAGECONTROL"; }

  virtual fw::TRect ClientRect() const;
  virtual fw::TRect PageRect() const;
  int TabCount() const;
  int ActiveTabIndex() const;
  int RowCount() const;
  fw::TRect TabRect(int Index) const;
  fw::TRect TabsRect() const;
  int TabRow(int Index) const;
  TkTabPosition TabPosition() const;
  TkTabStyle Style() const;
  // Empty for an index outside the tabs.
  fw::TRect SkinTabRect(int Index, bool Active) const;
  // A spin adapter on the control's up-down window while it has one.
  void CheckUpDown();
  // Builds the cache (strip, inactive tabs, page); DC none: only the cache.
  void KC_WMPaint(HDC DC);

  std::unique_ptr<TkcSpinWnd> BtnSW;
  std::unique_ptr<fw::TBitmap> Cache;

 protected:
  void DrawSkinTabs(const TCacheInfo& CI);
  // One tab into Bmp moved by Offset; State 2 for the active tab.
  void DrawSkinTab(int Index, int State, fw::TPoint Offset, fw::TBitmap& Bmp);
  // The active tab through a bitmap of its own onto the DC.
  void DrawSkinTab(int Index, int State, HDC DC);
  void RedrawSpin();
  void AnswerBackground(fw::TMessage& Message);

 private:
  void DrawTabContent(int Index, int State, fw::TRect R, int SkinIndex, fw::TBitmap& Bmp);
  // The owner-drawn page control's drawing of the tab on Bmp; true when it
  // changed the canvas font (Bmp's canvas then has that font).
  bool OwnerDrawTab(int Index, int State, const fw::TRect& R, int SkinIndex, fw::TBitmap& Bmp);
};

class TkcPageWnd;

class TkcPageControlWnd : public TkcTabControlWnd {
 public:
  using TkcTabControlWnd::TkcTabControlWnd;
  ~TkcPageControlWnd() override;

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  // Every page with a window and no adapter gets one; adapters of pages
  // that are gone are freed.
  void InitPages();
  fw::TPageControl* PageControl() const;
};

// The adapter of one page of a tab control.
class TkcPageWnd : public TkcMainWnd {
 public:
  using TkcMainWnd::TkcMainWnd;

  void kcWndProc(fw::TMessage& Message) override;
  fw::String DefaultSection() const override { return u"CHECKBOX"; }
  TkTabPosition TabPosition() const;
  // Paints the page from what the tab control shows behind it; false when
  // that is not ready.
  bool KC_WMEraseBKGnd(HDC DC);

  fw::TTabSheet* Page = nullptr;
  TkcPageControlWnd* Owner = nullptr;
};

// The page adapters made so far (those of removed pages are freed when the
// page control looks at its pages again, and with its adapter).
std::vector<std::unique_ptr<TkcPageWnd>>& PageWndList();

}  // namespace skin
