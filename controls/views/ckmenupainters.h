// Item painters of the owner-drawn menus: the base painter lays out the
// check-mark, image and text columns and paints an item in fixed steps, each
// a virtual operation; the standard, button, Office, XP and owner-draw
// painters change single steps.
#pragma once

#include <windows.h>

#include <memory>

#include "controls/views/ckmenus.h"
#include "fw/core/component.h"
#include "fw/graphics/graphics.h"

namespace ck {

using TDrawLeftMarginEvent = fw::TEvent<void(fw::TObject* Sender, const fw::TRect& Rect)>;

class TCkCustomMenuItemPainter : public fw::TComponent {
  FW_CLASS(TCkCustomMenuItemPainter, fw::TComponent)
  explicit TCkCustomMenuItemPainter(fw::TComponent* AOwner);
  ~TCkCustomMenuItemPainter() override;

  TCkMenuSettings* Menu() const { return FMenu; }
  void SetMenu(TCkMenuSettings* Value) { FMenu = Value; }
  fw::TCanvas* Canvas() const { return FMenu ? FMenu->Canvas() : nullptr; }
  unsigned LeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(unsigned Value);
  fw::TColor ImageBackgroundColor() const { return FImageBackgroundColor; }
  void SetImageBackgroundColor(fw::TColor Value) { FImageBackgroundColor = Value; }
  TDrawLeftMarginEvent OnDrawLeftMargin;

  virtual void Measure(fw::TMenuItem* Item, int& Width, int& Height);
  virtual void Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State);

  // Steps, public so that tests can watch one at a time.
  virtual int CheckMarkHeight();
  virtual int CheckMarkWidth();
  virtual bool UseDisabledHighlight();
  virtual fw::TColor GrayColor();
  virtual int ImageHeight();
  virtual int ImageWidth();
  virtual int TextMargin();
  virtual void UpdateFieldsFromMenu();
  virtual void DrawCheckedImageFrame(const fw::TRect& Rect);
  virtual void PreparePaint(fw::TMenuItem* Item, const fw::TRect& Rect, bool IsMeasuring, TMenuOwnerDrawState State);
  virtual void DrawItemBackground(const fw::TRect&) {}
  virtual void DrawCheckMarkBackground(const fw::TRect&) {}
  virtual void DrawImageBackground(const fw::TRect&) {}
  virtual void DrawTextBackground(const fw::TRect&) {}
  virtual void DrawSelectedFrame(const fw::TRect&) {}
  virtual void DrawDisabledBitmap(int X, int Y, fw::TBitmap* Bitmap);
  virtual void DrawMenuBitmap(int X, int Y, fw::TBitmap* Bitmap);
  virtual void DrawDisabledImage(int X, int Y);
  virtual void DrawEnabledImage(int X, int Y);
  virtual void DrawCheckMark(const fw::TRect& Rect);
  virtual void DrawCheckedImageBack(const fw::TRect&) {}
  virtual void DrawNotCheckedImageBack(const fw::TRect&) {}
  virtual void DrawSeparator(const fw::TRect& Rect);
  virtual void DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags);
  virtual void DrawLeftMargin(const fw::TRect& Rect);

 protected:
  bool Selected() const { return FState.Contains(mdSelected); }
  bool IsMenuBarItem() const { return FItem && !IsPopupItem(FItem); }
  bool RightToLeft() const;
  // The image list that serves the item: the nearest sub-menu images of an
  // ancestor, else the menu's images.
  fw::TCustomImageList* ImagesInUse() const;
  bool Usable(fw::TCustomImageList* list) const;
  int TextHeight(const fw::String& text);
  int TextWidth(const fw::String& text, UINT flags = DT_CALCRECT | DT_EXPANDTABS | DT_SINGLELINE);

  fw::TColor FImageBackgroundColor = fw::clBtnFace;
  unsigned FLeftMargin = 0;
  TCkMenuSettings* FMenu = nullptr;
  std::unique_ptr<TCkImageMargin> FImageMargin;
  std::unique_ptr<TCkMenuImageSize> FImageSize;
  int FMenuHeight = 0;
  bool FOneItemChecked = false;
  fw::TMenuItem* FItem = nullptr;
  TMenuOwnerDrawState FState;
  int FImageIndex = -1;
  std::unique_ptr<fw::TBitmap> FGlyph;
  int FNumGlyphs = 1;
  fw::TMenu* FParentMenu = nullptr;
};

class TCkStandardMenuItemPainter : public TCkCustomMenuItemPainter {
  FW_CLASS(TCkStandardMenuItemPainter, TCkCustomMenuItemPainter)
  using TCkCustomMenuItemPainter::TCkCustomMenuItemPainter;
  int ImageWidth() override;
  int TextMargin() override { return TCkCustomMenuItemPainter::TextMargin() + 2; }
};

class TCkBtnMenuItemPainter : public TCkCustomMenuItemPainter {
  FW_CLASS(TCkBtnMenuItemPainter, TCkCustomMenuItemPainter)
  explicit TCkBtnMenuItemPainter(fw::TComponent* AOwner, bool Lowered = true)
      : TCkCustomMenuItemPainter(AOwner), FLowered(Lowered) {}
  bool Lowered() const { return FLowered; }
  void SetLowered(bool v) { FLowered = v; }
  bool UseDisabledHighlight() override { return true; }
  fw::TColor GrayColor() override { return fw::clBtnShadow; }
  void UpdateFieldsFromMenu() override;
  void DrawSelectedFrame(const fw::TRect& Rect) override;

 private:
  bool FLowered;
};

class TCkOfficeMenuItemPainter : public TCkCustomMenuItemPainter {
  FW_CLASS(TCkOfficeMenuItemPainter, TCkCustomMenuItemPainter)
  using TCkCustomMenuItemPainter::TCkCustomMenuItemPainter;
  bool UseDisabledHighlight() override;
  int TextMargin() override { return TCkCustomMenuItemPainter::TextMargin() + 3; }
  void UpdateFieldsFromMenu() override;
  void DrawItemBackground(const fw::TRect& Rect) override;
  void DrawSelectedFrame(const fw::TRect& Rect) override;
  void DrawCheckMark(const fw::TRect& Rect) override;
  void DrawCheckedImageBack(const fw::TRect& Rect) override;
  void DrawNotCheckedImageBack(const fw::TRect& Rect) override;
  void DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags) override;

 private:
  void ImageBackgroundBox(const fw::TRect& Rect, int frame);  // frame: 0 none, 1 raised, -1 sunken
};

class TCkXPMenuItemPainter : public TCkCustomMenuItemPainter {
  FW_CLASS(TCkXPMenuItemPainter, TCkCustomMenuItemPainter)
  explicit TCkXPMenuItemPainter(fw::TComponent* AOwner);
  fw::TColor BorderColor = 0x666666;
  fw::TColor ShadowColor = 0x9D8D88;
  fw::TColor SeparatorColor = 0xA6A6A6;
  fw::TColor CheckedImageBackColor = 0xD8D5D4;
  fw::TColor CheckedImageBackColorSelected = 0xB59285;
  fw::TColor SelectionFrameBrushColor = 0xD2BDB6;
  fw::TColor SelectionFramePenColor = 0x6A240A;

  bool UseDisabledHighlight() override;
  int TextMargin() override { return TCkCustomMenuItemPainter::TextMargin() + 2; }
  void UpdateFieldsFromMenu() override;
  void PreparePaint(fw::TMenuItem* Item, const fw::TRect& Rect, bool IsMeasuring, TMenuOwnerDrawState State) override;
  void DrawItemBackground(const fw::TRect& Rect) override;
  void DrawCheckMarkBackground(const fw::TRect& Rect) override { DrawImageBackground(Rect); }
  void DrawImageBackground(const fw::TRect& Rect) override;
  void DrawSelectedFrame(const fw::TRect& Rect) override;
  void DrawMenuBitmap(int X, int Y, fw::TBitmap* Bitmap) override;
  void DrawEnabledImage(int X, int Y) override;
  void DrawDisabledImage(int X, int Y) override;
  void DrawCheckMark(const fw::TRect& Rect) override;
  void DrawCheckedImageBack(const fw::TRect& Rect) override;
  void DrawSeparator(const fw::TRect& Rect) override;
  void DrawItemText(const fw::TRect& Rect, const fw::String& Text, UINT Flags) override;
  void Measure(fw::TMenuItem* Item, int& Width, int& Height) override;
  // Popup items also give the menu's window its XP border, subclassing the
  // window until it hides.
  void Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State) override;
  // The border on a rectangle of a menu window's device context: outline,
  // white inner lines, the image column's colour down the left side.
  void DrawMenuBorder(HDC dc, const fw::TRect& r);

 private:
  int ShiftX(int X) const { return RightToLeft() ? X + 3 : X - 3; }
  void DrawShadow(int X, int Y, fw::TBitmap* Bitmap);
};

// Measures and paints only through the menu's OnMeasureItem and OnDrawItem.
class TCkOwnerDrawMenuItemPainter : public TCkCustomMenuItemPainter {
  FW_CLASS(TCkOwnerDrawMenuItemPainter, TCkCustomMenuItemPainter)
  using TCkCustomMenuItemPainter::TCkCustomMenuItemPainter;
  void Measure(fw::TMenuItem* Item, int& Width, int& Height) override;
  void Paint(fw::TMenuItem* Item, const fw::TRect& ItemRect, TMenuOwnerDrawState State) override;
};

}  // namespace ck
