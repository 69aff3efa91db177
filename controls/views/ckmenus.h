// Main and popup menus whose items are measured and painted by an item
// painter (ckmenupainters.h): chosen by the menu's Style or given as a
// separate ItemPainter component, with image lists for normal, disabled and
// hot images, image margins and size, a text margin and vertical text
// alignment. Popup menus get their owner-draw messages through the
// framework's popup list window, a main menu through its form's menu
// messages.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/controls/controls.h"
#include "fw/core/cursors.h"
#include "fw/menus/menus.h"

namespace ck {

class TCkCustomMenuItemPainter;

FW_ENUM(TCkMenuStyle, msStandard, msOwnerDraw, msBtnLowered, msBtnRaised, msOffice, msXP, msItemPainter)
FW_ENUM(TCkVerticalAlignment, vaTop, vaMiddle, vaBottom)
// The low byte of the system's owner-draw item state, bit for bit.
enum TMenuOwnerDrawStateItem { mdSelected, mdGrayed, mdDisabled, mdChecked, mdFocused, mdDefault, mdHotlight, mdInactive };
using TMenuOwnerDrawState = fw::TSet<TMenuOwnerDrawStateItem>;

using TDrawMenuItemEvent =
    fw::TEvent<void(fw::TMenu* Sender, fw::TMenuItem* Item, const fw::TRect& Rect, TMenuOwnerDrawState State)>;
using TMeasureMenuItemEvent = fw::TEvent<void(fw::TMenu* Sender, fw::TMenuItem* Item, int& Width, int& Height)>;
using TItemParamsEvent = fw::TEvent<void(fw::TMenu* Sender, fw::TMenuItem* Item, TMenuOwnerDrawState State,
                                         fw::TFont* AFont, fw::TColor& Color, fw::TGraphic*& Graphic,
                                         int& NumGlyphs)>;
using TItemImageEvent =
    fw::TEvent<void(fw::TMenu* Sender, fw::TMenuItem* Item, TMenuOwnerDrawState State, int& ImageIndex)>;

class TCkImageMargin : public fw::TPersistent {
  FW_CLASS(TCkImageMargin, fw::TPersistent)
  int Left() const { return FLeft; }
  int Top() const { return FTop; }
  int Right() const { return FRight; }
  int Bottom() const { return FBottom; }
  void SetLeft(int v) { Set(FLeft, v); }
  void SetTop(int v) { Set(FTop, v); }
  void SetRight(int v) { Set(FRight, v); }
  void SetBottom(int v) { Set(FBottom, v); }
  void Assign(fw::TPersistent* Source) override;
  fw::TNotifyEvent OnChange;

 private:
  void Set(int& field, int v);
  int FTop = 0, FLeft = 0, FRight = 0, FBottom = 0;
};

class TCkMenuImageSize : public fw::TPersistent {
  FW_CLASS(TCkMenuImageSize, fw::TPersistent)
  int Height() const { return FHeight; }
  int Width() const { return FWidth; }
  void SetHeight(int v) { Set(FHeight, v); }
  void SetWidth(int v) { Set(FWidth, v); }
  void Assign(fw::TPersistent* Source) override;
  fw::TNotifyEvent OnChange;

 private:
  void Set(int& field, int v);
  int FHeight = 0, FWidth = 0;
};

// What both owner-drawn menus share: painters, image lists, margins and the
// measure and draw handlers.
class TCkMenuSettings {
 public:
  virtual ~TCkMenuSettings();
  TCkMenuStyle Style() const { return FStyle; }
  fw::TCursor Cursor() const { return FCursor; }
  void SetCursor(fw::TCursor v) { FCursor = v; }
  fw::TCustomImageList* DisabledImages() const { return FDisabledImages; }
  fw::TCustomImageList* HotImages() const { return FHotImages; }
  TCkImageMargin* ImageMargin() const { return FImageMargin.get(); }
  void SetImageMargin(TCkImageMargin* v) { FImageMargin->Assign(v); }
  TCkMenuImageSize* ImageSize() const { return FImageSize.get(); }
  void SetImageSize(TCkMenuImageSize* v) { FImageSize->Assign(v); }
  TCkCustomMenuItemPainter* ItemPainter() const { return FItemPainter; }
  bool ShowCheckMarks() const { return FShowCheckMarks; }
  void SetShowCheckMarks(bool v) { FShowCheckMarks = v; }
  int TextMargin() const { return FTextMargin; }
  void SetTextMargin(int v) { FTextMargin = v; }
  TCkVerticalAlignment TextVAlignment() const { return FTextVAlignment; }
  void SetTextVAlignment(TCkVerticalAlignment v) { FTextVAlignment = v; }
  // The canvas of the item being measured or drawn; null otherwise.
  fw::TCanvas* Canvas() const { return FCanvas; }
  // ItemPainter with msItemPainter, else the painter made for Style.
  TCkCustomMenuItemPainter* ActiveItemPainter() const;
  virtual fw::TMenu* AsMenu() = 0;
  virtual bool IsOwnerDrawMenu() const = 0;

  // A new style makes its painter anew (not for msItemPainter with a painter
  // set, nor, on a popup menu, for msItemPainter at all).
  void SetStyle(TCkMenuStyle Value);
  // A painter sets msItemPainter; clearing it keeps a popup menu's style and
  // takes a main menu back to msStandard.
  void SetItemPainter(TCkCustomMenuItemPainter* Value);
  void SetImagesList(fw::TCustomImageList* Value);
  void SetDisabledImages(fw::TCustomImageList* Value);
  void SetHotImages(fw::TCustomImageList* Value);

  TDrawMenuItemEvent OnDrawItem;
  TMeasureMenuItemEvent OnMeasureItem;
  TItemParamsEvent OnGetItemParams;
  TItemImageEvent OnGetImageIndex, OnGetDisabledImageIndex, OnGetHotImageIndex;

  void Refresh() { SwitchOwnerDraw(IsOwnerDrawMenu()); }
  // Builds the menu's items anew (not while loading unless forced).
  void Rebuild(bool ForceIfLoading = false);
  virtual void PaintMenuItem(fw::TMenuItem* Item, const fw::TRect& Rect, TMenuOwnerDrawState State);
  void SwitchOwnerDraw(bool Value);
  virtual void FireMeasureItem(fw::TMenuItem* Item, int& Width, int& Height);
  virtual void FireGetItemParams(fw::TMenuItem* Item, TMenuOwnerDrawState State, fw::TFont* AFont, fw::TColor& Color,
                                 fw::TGraphic*& Graphic, int& NumGlyphs);
  virtual void FireGetImageIndex(fw::TMenuItem* Item, TMenuOwnerDrawState State, int& ImageIndex);
  // WM_DRAWITEM / WM_MEASUREITEM of one of this menu's items; false for others.
  bool MsgDrawItem(DRAWITEMSTRUCT& Draw);
  bool MsgMeasureItem(MEASUREITEMSTRUCT& Measure);

 protected:
  void InitSettings();
  // Main menus fall back to the standard style when their painter goes.
  virtual bool IsMainMenuKind() const { return false; }
  void MakeStylePainter();
  void ClearPainterReference(fw::TComponent* AComponent);
  void ImagesChanged(fw::TObject*) { Refresh(); }
  void MarginChanged(fw::TObject*) { Rebuild(false); }

  TCkMenuStyle FStyle = msStandard;
  fw::TCursor FCursor = fw::crDefault;
  fw::TCustomImageList* FDisabledImages = nullptr;
  fw::TCustomImageList* FHotImages = nullptr;
  std::unique_ptr<TCkImageMargin> FImageMargin;
  std::unique_ptr<TCkMenuImageSize> FImageSize;
  bool FShowCheckMarks = false;
  int FTextMargin = 0;
  TCkVerticalAlignment FTextVAlignment = vaMiddle;
  fw::TCanvas* FCanvas = nullptr;
  std::unique_ptr<TCkCustomMenuItemPainter> FStyleItemPainter;
  TCkCustomMenuItemPainter* FItemPainter = nullptr;
};

class TCkPopupMenu : public fw::TPopupMenu, public TCkMenuSettings {
  FW_CLASS(TCkPopupMenu, fw::TPopupMenu)
  explicit TCkPopupMenu(fw::TComponent* AOwner);
  ~TCkPopupMenu() override;

  fw::TMenu* AsMenu() override { return this; }
  // Style other than msStandard, or an image list with images.
  bool IsOwnerDrawMenu() const override;

  void Popup(int X, int Y) override;
  void Assign(fw::TPersistent* Source) override;
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  bool HandleMenuMessage(fw::TMessage& Message) override;
};

class TCkMainMenu : public fw::TMainMenu, public TCkMenuSettings {
  FW_CLASS(TCkMainMenu, fw::TMainMenu)
  explicit TCkMainMenu(fw::TComponent* AOwner);
  ~TCkMainMenu() override;

  fw::TMenu* AsMenu() override { return this; }
  bool IsOwnerDrawMenu() const override { return true; }

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void MenuChanged(fw::TObject* Sender, fw::TMenuItem* Source, bool Rebuild) override;
  bool HandleMenuMessage(fw::TMessage& Message) override;

 protected:
  bool IsMainMenuKind() const override { return true; }
};

// The painter a style calls for, owned by the caller, serving the menu.
std::unique_ptr<TCkCustomMenuItemPainter> CreateMenuItemPainter(TCkMenuStyle Style, TCkMenuSettings* Menu);
// The caption without its accelerator markers.
fw::String StripMenuHotkey(const fw::String& Text);
// The system's menu font (8 pt "MS Sans Serif" when it cannot be read).
void SetDefaultMenuFont(fw::TFont* Font);
// False only for an item of a main menu's bar itself.
bool IsPopupItem(fw::TMenuItem* Item);

}  // namespace ck
