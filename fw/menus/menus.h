// Menus: items in a tree (caption with "&" accelerator, "-" for a
// separator, shortcut, check marks and radio groups, sub-menus, actions),
// the main menu a form shows as its menu bar and the popup menu a control
// shows on a right click. Each item with sub-items owns a real HMENU that is
// kept in step with the items; every item carries a command number that
// WM_COMMAND brings back, and its object pointer as the item data that
// owner-draw messages bring back.
//
// Merging: a menu merged into another (an MDI child's main menu into its
// frame's) shows its visible top-level items in the other's menu: each
// takes the place of the other's items of its GroupIndex, and they go in
// group order (groups are expected to rise along each menu). Their
// commands, pop-ups and owner drawing go through the other menu's window.
//
// Owner drawing: with TMenu::OwnerDraw every item is MFT_OWNERDRAW; the
// window that receives WM_MEASUREITEM / WM_DRAWITEM (the form for its main
// menu, the popup list window for popup menus) hands them to the menu, which
// finds the item and calls its MeasureItem / AdvancedDrawItem: the events
// OnMeasureItem, OnDrawItem and OnAdvancedDrawItem let painters take over,
// and without them the item paints itself like a standard menu item.
#pragma once

#include <windows.h>

#include <vector>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/sets.h"
#include "fw/graphics/graphics.h"
#include "fw/menus/menu_types.h"
#include "fw/system/actions.h"
#include "fw/system/messages.h"

namespace fw {

class TMenu;
class TMenuItem;
class TControl;
class TCustomImageList;
class TChangeLink;
class TMenuActionLink;

// maParent: take the value from the parent item (the root item from its
// menu).
FW_ENUM(TMenuItemAutoFlag, maAutomatic, maManual, maParent)
using TMenuAutoFlag = TMenuItemAutoFlag;
FW_ENUM(TMenuAnimations, maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone)
using TMenuAnimation = TSet<TMenuAnimations>;
FW_ENUM(TPopupAlignment, paLeft, paRight, paCenter)
FW_ENUM(TTrackButton, tbRightButton, tbLeftButton)
FW_ENUM(TFindItemKind, fkCommand, fkHandle, fkShortCut)
// Where a popup item starts a new column: mbBreak without, mbBarBreak with
// a line between the columns.
FW_ENUM(TMenuBreak, mbNone, mbBreak, mbBarBreak)

using TMenuChangeEvent = TEvent<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent =
    TEvent<void(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

// Text of a caption without its accelerator markers ("&&" stays one "&").
String StripHotkey(const String& Text);
// The accelerator letter of a caption (upper-cased), or 0.
char16_t GetHotkey(const String& Text);

class TMenuItem : public TComponent {
  FW_CLASS(TMenuItem, TComponent)

  explicit TMenuItem(TComponent* AOwner);
  // Frees the sub-items, leaves the parent and destroys the sub-menu.
  ~TMenuItem() override;

  // ---- The tree
  TMenuItem* Parent() const { return FParent; }
  int Count() const { return static_cast<int>(FItems.size()); }
  // EMenuError "Menu index out of range" outside 0..Count-1.
  TMenuItem* Items(int Index) const;
  // EMenuError "Menu inserted twice" for an item that already has a parent.
  void Add(TMenuItem* Item);
  void Insert(int Index, TMenuItem* Item);
  // Takes the item out of this one (it is not freed).
  void Delete(int Index);
  void Remove(TMenuItem* Item);
  // Frees every sub-item.
  void Clear();
  int IndexOf(const TMenuItem* Item) const;
  // The sub-item whose caption, without accelerator markers, is ACaption
  // (ignoring case), or null.
  TMenuItem* Find(StringView ACaption) const;
  int MenuIndex() const;
  void SetMenuIndex(int Value);
  // The menu whose tree holds this item, or null.
  TMenu* GetParentMenu() const;
  bool IsLine() const { return FCaption == u"-"; }
  // A top-level item of a main menu (shown on the menu bar).
  bool IsTopLevel() const;

  // ---- Window side
  // The sub-menu of this item (created, with the sub-items in it, on first
  // use). The root item of a main menu has a menu bar.
  HMENU Handle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  // The number WM_COMMAND carries for this item, unique in the process.
  UINT Command() const { return FCommand; }

  // ---- Properties
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool RadioItem() const { return FRadioItem; }
  void SetRadioItem(bool Value);
  uint8_t GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(uint8_t Value);
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);
  bool Default() const { return FDefault; }
  void SetDefault(bool Value);
  TMenuBreak Break() const { return FBreak; }
  void SetBreak(TMenuBreak Value);
  TShortCut ShortCut() const { return FShortCut; }
  void SetShortCut(TShortCut Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  // The bitmap shown beside the caption (made on first use).
  TBitmap* Bitmap();
  void SetBitmap(TBitmap* Value);
  bool HasBitmap() const;
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  // The topic of the program's help that tells about the item (0: none).
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  // Images for the sub-items instead of the menu's.
  TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
  void SetSubMenuImages(TCustomImageList* Value);
  TMenuItemAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
  void SetAutoHotkeys(TMenuItemAutoFlag Value);
  TMenuItemAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
  void SetAutoLineReduction(TMenuItemAutoFlag Value);
  TBasicAction* Action() const;
  void SetAction(TBasicAction* Value);

  // ---- Behaviour
  // Runs the item when it is enabled: AutoCheck toggles Checked, then
  // OnClick or the action.
  virtual void Click();
  // Updates the item's action, and those of the sub-items.
  void InitiateAction();
  void InitiateActions();
  // Copies what the action offers into the item.
  virtual void ActionChange(TObject* Sender, bool CheckDefaults);

  // Owner drawing, called by the menu for WM_MEASUREITEM / WM_DRAWITEM.
  virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
  virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
  virtual void DrawItem(TCanvas* ACanvas, const TRect& ARect, bool Selected);

  // The image list that holds this item's image (the nearest parent's
  // SubMenuImages, else the menu's Images).
  TCustomImageList* GetImageList() const;

  // Tells the menu that the item changed; with Rebuild the sub-menu that
  // shows the item is built again.
  void MenuChanged(bool Rebuild);

  // The root item of the menu merged into this root item, or null.
  TMenuItem* Merged() const { return FMerged; }

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenu;
  friend class TMenuActionLink;

  // The sub-menu's entries made again from the visible sub-items (and the
  // merged menu's). Entries of a menu bar that the system put there (a
  // maximised MDI child's window menu and buttons) stay.
  void RebuildHandle();
  // The items the sub-menu shows, in order: the visible sub-items with the
  // merged menu's visible items in place of those of their groups.
  std::vector<TMenuItem*> ShownItems() const;
  // The caption as the menu shows it: automatic accelerator, shortcut text.
  String DisplayCaption(bool TopLevel) const;
  // Paints the item like a standard one (no painter took it).
  void DefaultDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
  bool EffectiveAutoHotkeys() const;
  bool EffectiveAutoLineReduction() const;
  void TurnSiblingsOff();
  // The accelerators automatic hotkeys give the sub-items (0: none).
  std::vector<char16_t> AutoHotkeyLetters() const;
  void DestroyHandle();

  TMenuItem* FParent = nullptr;
  TMenu* FMenu = nullptr;  // set on the root item of a menu
  // On root items: the root merged into this one, the root this one is
  // merged into.
  TMenuItem* FMerged = nullptr;
  TMenuItem* FMergedWith = nullptr;
  std::vector<TMenuItem*> FItems;
  HMENU FHandle = nullptr;
  UINT FCommand = 0;
  String FCaption;
  bool FChecked = false;
  bool FRadioItem = false;
  uint8_t FGroupIndex = 0;
  bool FAutoCheck = false;
  bool FEnabled = true;
  bool FVisible = true;
  bool FDefault = false;
  TMenuBreak FBreak = mbNone;
  TShortCut FShortCut = 0;
  int FImageIndex = -1;
  TBitmap* FBitmap = nullptr;
  String FHint;
  int FHelpContext = 0;
  TCustomImageList* FSubMenuImages = nullptr;
  TMenuItemAutoFlag FAutoHotkeys = maParent;
  TMenuItemAutoFlag FAutoLineReduction = maParent;
  TMenuActionLink* FActionLink = nullptr;
  // The automatic accelerator shown for this item (0: none).
  char16_t FAutoHotkey = 0;
};

class TMenu : public TComponent {
  FW_CLASS(TMenu, TComponent)

  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  // The root item; its sub-items are the menu's items.
  TMenuItem* Items() const { return FItems; }
  virtual HMENU Handle();
  // The window that shows the menu and receives its messages (a main
  // menu's form; for a popup menu whatever its user sets).
  HWND WindowHandle() const { return FWindowHandle; }
  virtual void SetWindowHandle(HWND Value);

  TCustomImageList* Images() const { return FImages; }
  void SetImages(TCustomImageList* Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  TMenuAutoFlag AutoHotkeys() const { return FAutoHotkeys; }
  void SetAutoHotkeys(TMenuAutoFlag Value);
  TMenuAutoFlag AutoLineReduction() const { return FAutoLineReduction; }
  void SetAutoLineReduction(TMenuAutoFlag Value);
  // The reading order; a change is applied at once (AdjustBiDiBehavior)
  // and told like a change of the items.
  TBiDiMode BiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  // On a system whose locale reads right to left: the items stand in
  // right-to-left order and read so (any right-to-left mode), and a menu
  // bar's items are flush with its right end (bdRightToLeft).
  bool UseRightToLeftReading() const;
  bool UseRightToLeftAlignment() const;
  // Gives the menu's entries the order and alignment of the reading order
  // again (nothing on a system that reads left to right).
  void AdjustBiDiBehavior();

  // The item with that command number, sub-menu handle or shortcut (in
  // this menu's tree or the merged menu's), or null.
  TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind) const;
  // The item is in this menu's tree (or in the merged menu's).
  bool ContainsItem(const TMenuItem* Item) const;
  // Shows the items of Menu among this menu's own until Unmerge (null
  // takes the merged menu out; another menu takes its place).
  void Merge(TMenu* Menu);
  // Takes Menu out when it is the merged one.
  void Unmerge(TMenu* Menu);
  // The menu merged into this one, or null.
  TMenu* MergedMenu() const;
  // A key message (WM_KEYDOWN / WM_SYSKEYDOWN or their CN_ forms): the
  // enabled item with that shortcut runs; true when one ran.
  virtual bool IsShortCut(TMessage& Message);
  // WM_COMMAND of an item of this menu: runs it; false for another number.
  bool DispatchCommand(WORD ACommand);
  // WM_INITMENUPOPUP for a sub-menu of this menu: the actions of its items
  // are updated and its item clicked; false for another sub-menu.
  bool DispatchPopup(HMENU AHandle);
  // The menu messages its window receives: WM_COMMAND (from a menu),
  // WM_INITMENUPOPUP, WM_MENUSELECT (the item's hint becomes the
  // application's hint), WM_MENUCHAR (accelerators of owner-drawn items),
  // WM_MEASUREITEM and WM_DRAWITEM of its items. True when handled.
  virtual bool HandleMenuMessage(TMessage& Message);
  bool MeasureItemMessage(MEASUREITEMSTRUCT& Measure);
  bool DrawItemMessage(DRAWITEMSTRUCT& Draw);
  void ProcessMenuChar(TMessage& Message);

  // Called for every change of an item; fires OnChange.
  virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);
  TMenuChangeEvent OnChange;

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  friend class TMenuItem;
  // The root item's sub-menu is a menu bar.
  virtual bool IsMenuBar() const { return false; }
  // The menu this one is merged into, or null.
  TMenu* MergedInto() const { return FItems && FItems->FMergedWith ? FItems->FMergedWith->FMenu : nullptr; }
  void ImageListChange(TObject* Sender);
  // Makes every entry again, which takes the images and reading order anew.
  void RebuildAllHandles();

  TMenuItem* FItems;
  HWND FWindowHandle = nullptr;
  TCustomImageList* FImages = nullptr;
  TChangeLink* FImageChangeLink;
  bool FOwnerDraw = false;
  TMenuAutoFlag FAutoHotkeys = maAutomatic;
  TMenuAutoFlag FAutoLineReduction = maAutomatic;
  TBiDiMode FBiDiMode = bdLeftToRight;
};

class TMainMenu : public TMenu {
  FW_CLASS(TMainMenu, TMenu)
  explicit TMainMenu(TComponent* AOwner);
  ~TMainMenu() override;

  // Attaches the menu bar to the window (null detaches it from the old
  // one, which a window must do before it is destroyed: Windows destroys
  // the menu of a window it destroys).
  void SetWindowHandle(HWND Value) override;
  bool AutoMerge() const { return FAutoMerge; }
  void SetAutoMerge(bool Value) { FAutoMerge = Value; }
  void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;

 protected:
  bool IsMenuBar() const override { return true; }
  bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
  FW_CLASS(TPopupMenu, TMenu)
  explicit TPopupMenu(TComponent* AOwner);
  ~TPopupMenu() override;

  // Shows the menu at the screen point and returns when it closes; the
  // chosen item's command arrives afterwards through the message queue.
  virtual void Popup(int X, int Y);
  TPoint PopupPoint() const { return FPopupPoint; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return FPopupComponent; }
  void SetPopupComponent(TComponent* Value);
  TPopupAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value) { FAutoPopup = Value; }
  TTrackButton TrackButton() const { return FTrackButton; }
  void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }
  TMenuAnimation MenuAnimation() const { return FMenuAnimation; }
  void SetMenuAnimation(TMenuAnimation Value) { FMenuAnimation = Value; }

  TNotifyEvent OnPopup;

  void Notification(TComponent* AComponent, TOperation Operation) override;

 protected:
  virtual void DoPopup(TObject* Sender);
  // The TrackPopupMenu flags of alignment, button and animation.
  UINT TrackFlags() const;

  TPoint FPopupPoint{-1, -1};
  TComponent* FPopupComponent = nullptr;
  TPopupAlignment FAlignment = paLeft;
  bool FAutoPopup = true;
  TTrackButton FTrackButton = tbRightButton;
  TMenuAnimation FMenuAnimation;
};

// The hidden window that owns every tracked popup menu and hands its
// messages to the popup menus alive.
HWND PopupListWindow();

// WM_CONTEXTMENU of a control: the popup menu of the control (or of the
// graphic child under the point) with AutoPopup shows at the point (at the
// control's corner for the keyboard's menu key). True when one showed.
bool ShowControlPopupMenu(TControl* Control, TMessage& Message);
// A key message offered to the popup menus of the control and its parents;
// true when an item's shortcut ran.
bool IsPopupMenuShortCut(TControl* Control, TMessage& Message);

}  // namespace fw
