// The XP-style task bar: a collapsible panel with a gradient header (icon,
// caption, optional roll button) over a list of clickable items (caption,
// image, check state, an optional action). Collapsing and expanding roll
// the items in or out, step by step, driven by a worker thread whose every
// change reaches the bar on the user-interface thread.
#pragma once

#include <algorithm>
#include <atomic>
#include <vector>

#include "controls/base/cktypes.h"
#include "controls/base/xp_core.h"
#include "fw/core/collection.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/imagelist.h"
#include "fw/system/actions.h"

namespace ck {

FW_ENUM(TCkXPBarRollDirection, rdExpand, rdCollapse)
FW_ENUM(TCkXPBarRollMode, rmFixed, rmShrink)
FW_ENUM(TCkXPBarHitTest, htNone, htHeader, htRollButton)

class TCkXPBarItem;
class TCkXPCustomWinXPBar;

using TCkXPBarOnCanChangeEvent = fw::TEvent<void(fw::TObject* Sender, TCkXPBarItem* Item, bool& AllowChange)>;
using TCkXPBarOnCollapsedChangeEvent = fw::TEvent<void(fw::TObject* Sender, bool Collapsing)>;
using TCkXPBarOnDrawItemEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect Rect,
                                                TCkXPDrawState State, TCkXPBarItem* Item, fw::TBitmap* Bitmap)>;
using TCkXPBarOwnerDrawEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* ACanvas, fw::TRect& ARect)>;
using TCkXPBarOnItemClickEvent = fw::TEvent<void(fw::TObject* Sender, TCkXPBarItem* Item)>;

// The colours of a bar; each change fires OnChange.
class TCkXPBarColors : public fw::TPersistent {
  FW_CLASS(TCkXPBarColors, fw::TPersistent)
  TCkXPBarColors();

  TColor CheckedFrameColor() const { return FCheckedFrameColor; }
  void SetCheckedFrameColor(TColor Value) { Put(FCheckedFrameColor, Value); }
  TColor FocusedFrameColor() const { return FFocusedFrameColor; }
  void SetFocusedFrameColor(TColor Value) { Put(FFocusedFrameColor, Value); }
  TColor CheckedColor() const { return FCheckedColor; }
  void SetCheckedColor(TColor Value) { Put(FCheckedColor, Value); }
  TColor FocusedColor() const { return FFocusedColor; }
  void SetFocusedColor(TColor Value) { Put(FFocusedColor, Value); }
  TColor BodyColor() const { return FBodyColor; }
  void SetBodyColor(TColor Value) { Put(FBodyColor, Value); }
  TColor BodyBorderColor() const { return FBodyBorderColor; }
  void SetBodyBorderColor(TColor Value) { Put(FBodyBorderColor, Value); }
  TColor GradientTo() const { return FGradientTo; }
  void SetGradientTo(TColor Value) { Put(FGradientTo, Value); }
  TColor GradientFrom() const { return FGradientFrom; }
  void SetGradientFrom(TColor Value) { Put(FGradientFrom, Value); }
  TColor SeparatorColor() const { return FSeparatorColor; }
  void SetSeparatorColor(TColor Value) { Put(FSeparatorColor, Value); }
  TColor BorderColor() const { return FBorderColor; }
  void SetBorderColor(TColor Value) { Put(FBorderColor, Value); }

  // Copies every colour but BorderColor and BodyBorderColor.
  void Assign(fw::TPersistent* Source) override;

  fw::TNotifyEvent OnChange;

 private:
  void Put(TColor& Field, TColor Value);

  TColor FCheckedFrameColor = fw::clHighlight;
  TColor FFocusedFrameColor = fw::clHotLight;
  TColor FCheckedColor = 0xD9C1BB;
  TColor FFocusedColor = 0xD8ACB0;
  TColor FBodyColor = 0xF7DFD6;
  TColor FBodyBorderColor = 0xF7DFD6;
  TColor FGradientTo = 0xF7D7C6;
  TColor FGradientFrom = 0xFFFFFF;
  TColor FSeparatorColor = 0xF7D7C6;
  TColor FBorderColor = 0xFFFFFF;
};

// Asks the active visual style for a colour property of the explorer-bar
// header background; false when there is no such colour. Replaceable for
// tests.
using TCkXPBarThemeColorQuery = bool (*)(int PropId, TColor& Color);
TCkXPBarThemeColorQuery SetXPBarThemeColorQuery(TCkXPBarThemeColorQuery Query);

// Keeps an item in step with its action.
class TCkXPBarItemActionLink : public fw::TBasicActionLink {
 public:
  explicit TCkXPBarItemActionLink(TCkXPBarItem* AClient);
  void Change() override;
  // The hint as the item shows it: with the shortcut when the application
  // shows shortcuts in hints and the action has one.
  String Hint() const;

 private:
  TCkXPBarItem* FClient;
};

class TCkXPBarItems;

class TCkXPBarItem : public fw::TCollectionItem {
  FW_CLASS(TCkXPBarItem, fw::TCollectionItem)
  TCkXPBarItem() = default;
  ~TCkXPBarItem() override;

  void SetCollection(fw::TCollection* Value) override;

  fw::TBasicAction* Action() const { return FActionLink ? FActionLink->Action() : nullptr; }
  void SetAction(fw::TBasicAction* Value);
  TCkXPBarItemActionLink* ActionLink() const { return FActionLink; }
  bool AutoCheck() const { return FAutoCheck; }
  void SetAutoCheck(bool Value) { FAutoCheck = Value; }
  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  bool Checked() const { return FChecked; }
  void SetChecked(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  int GroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(int Value);
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  fw::TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(fw::TCustomImageList* Value);
  const String& Name() const { return FName; }
  void SetName(const String& Value);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);

  void* Data() const { return FData; }
  void SetData(void* Value) { FData = Value; }
  fw::TObject* DataObject() const { return FDataObject; }
  void SetDataObject(fw::TObject* Value) { FDataObject = Value; }
  // The item's own list, else its action list's, else the bar's.
  fw::TCustomImageList* Images() const;
  TCkXPCustomWinXPBar* WinXPBar() const { return FWinXPBar; }

  fw::TNotifyEvent OnClick;
  fw::TNotifyEvent OnDblClick;

  // Takes what the action offers (only from a standard action).
  virtual void ActionChanged(fw::TObject* Sender, bool CheckDefaults);
  // Drops the action or image list when that component goes.
  virtual void ComponentRemoved(fw::TComponent* AComponent);
  virtual void PaintItem(TCkXPCustomWinXPBar* AWinXPBar, fw::TCanvas* ACanvas, const fw::TRect& ARect,
                         TCkXPDrawState State, bool ShowItemFrame, fw::TBitmap* Bitmap);
  void Assign(fw::TPersistent* Source) override;
  String DisplayName() const override;

  // Stored rules: not written while an action supplies the value.
  bool IsSuppliedByAction() const;
  bool IsNotSuppliedByAction() const { return !IsSuppliedByAction(); }

 private:
  void RedrawBar();
  void UncheckGroup();

  TCkXPBarItemActionLink* FActionLink = nullptr;
  String FCaption;
  void* FData = nullptr;
  fw::TObject* FDataObject = nullptr;
  bool FEnabled = true;
  String FHint;
  int FImageIndex = -1;
  fw::TCustomImageList* FImageList = nullptr;
  String FName;
  int FTag = 0;
  TCkXPCustomWinXPBar* FWinXPBar = nullptr;
  bool FVisible = true;
  int FGroupIndex = 0;
  bool FChecked = false;
  bool FAutoCheck = false;
};

class TCkXPBarItems : public fw::TCollection {
  FW_CLASS(TCkXPBarItems, fw::TCollection)
  explicit TCkXPBarItems(TCkXPCustomWinXPBar* AWinXPBar = nullptr);

  TCkXPBarItem* Add() { return static_cast<TCkXPBarItem*>(fw::TCollection::Add()); }
  TCkXPBarItem* Add(fw::TBasicAction* Action);
  TCkXPBarItem* Add(fw::TObject* DataObject);
  TCkXPBarItem* Insert(int Index) { return static_cast<TCkXPBarItem*>(fw::TCollection::Insert(Index)); }
  TCkXPBarItem* Insert(int Index, fw::TBasicAction* Action);
  TCkXPBarItem* Insert(int Index, fw::TObject* DataObject);
  TCkXPBarItem* Find(const String& Name) const;
  TCkXPBarItem* Find(fw::TBasicAction* Action) const;
  TCkXPBarItem* FindByDataObject(fw::TObject* DataObject) const;
  TCkXPBarItem* Items(int Index) const { return static_cast<TCkXPBarItem*>(fw::TCollection::Items(Index)); }
  TCkXPCustomWinXPBar* WinXPBar() const { return FWinXPBar; }

 protected:
  void Update(fw::TCollectionItem* Item) override;

 private:
  TCkXPCustomWinXPBar* FWinXPBar;
};

// The visible items of a bar, in collection order.
class TCkXPBarVisibleItems : public fw::TPersistent {
  FW_CLASS(TCkXPBarVisibleItems, fw::TPersistent)
  explicit TCkXPBarVisibleItems(TCkXPCustomWinXPBar* AWinXPBar = nullptr) : FWinXPBar(AWinXPBar) {}

  int Count() const { return static_cast<int>(FItems.size()); }
  // Null at or beyond Count.
  TCkXPBarItem* Items(int Index) const;
  bool Contains(TCkXPBarItem* Item) const;
  void Add(TCkXPBarItem* Item);
  void Remove(TCkXPBarItem* Item);
  void Sort();

 private:
  std::vector<TCkXPBarItem*> FItems;
  TCkXPCustomWinXPBar* FWinXPBar;
};

// Rolls a bar in or out: computes each next offset, hands it to the bar on
// the user-interface thread, waits RollDelay, and finally tells the bar
// through a posted message. Owned by the bar, which stops it before it
// starts another one and before it goes.
class TCkXPFadeThread : public TCkCustomThread {
  FW_CLASS(TCkXPFadeThread, TCkCustomThread)
  TCkXPFadeThread(TCkXPCustomWinXPBar* AWinXPBar, TCkXPBarRollDirection ARollDirection);

  TCkXPBarRollDirection RollDirection() const { return FRollDirection; }
  // Stops the animation where it is; nothing more reaches the bar.
  void Cancel();
  bool Cancelled() const { return FCancelled; }

 protected:
  void Execute() override;

 private:
  TCkXPCustomWinXPBar* FWinXPBar;
  TCkXPBarRollDirection FRollDirection;
  int FWinXPBarNewOffSet = 0;
  std::atomic<bool> FCancelled{false};
};

// Posted by the roll thread when a roll has ended (WParam 1: collapsed).
constexpr UINT WM_XPBAR_ROLLED = WM_USER + 303;
// Sent to the siblings of a grouped bar that expanded (WParam: the bar).
constexpr UINT WM_XPBAR_GROUPEXPANDED = WM_USER + 304;

class TCkXPCustomWinXPBar : public TCkXPCustomControl {
  FW_CLASS(TCkXPCustomWinXPBar, TCkXPCustomControl)
  explicit TCkXPCustomWinXPBar(fw::TComponent* AOwner);
  ~TCkXPCustomWinXPBar() override;
  void BeforeDestruction() override;

  bool Collapsed() const { return FCollapsed; }
  void SetCollapsed(bool Value);
  TCkXPBarColors* Colors() const { return FColors; }
  void SetColors(TCkXPBarColors* Value) { FColors->Assign(Value); }
  TCkXPBarItems* Items() const { return FItems; }
  void SetItems(TCkXPBarItems* Value) { FItems->Assign(Value); }
  fw::TCustomImageList* RollImages() const { return FRollImages; }
  void SetRollImages(fw::TCustomImageList* Value);
  // The item font (the control's own Font is what ParentFont follows).
  fw::TFont* ItemFont() const { return FFont; }
  void SetItemFont(fw::TFont* Value);
  bool Grouped() const { return FGrouped; }
  void SetGrouped(bool Value);
  fw::TFont* HeaderFont() const { return FHeaderFont; }
  void SetHeaderFont(fw::TFont* Value);
  int HeaderHeight() const { return FHeaderHeight; }
  void SetHeaderHeight(int Value);
  bool HeaderRounded() const { return FHeaderRounded; }
  void SetHeaderRounded(bool Value);
  bool HotTrack() const { return FHotTrack; }
  void SetHotTrack(bool Value);
  TColor HotTrackColor() const { return FHotTrackColor; }
  void SetHotTrackColor(TColor Value);
  bool OwnerDraw() const { return FOwnerDraw; }
  void SetOwnerDraw(bool Value);
  fw::TIcon* Icon() const { return FIcon; }
  void SetIcon(fw::TIcon* Value);
  fw::TCustomImageList* ImageList() const { return FImageList; }
  void SetImageList(fw::TCustomImageList* Value);
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value);
  int RollDelay() const { return FRollDelay; }
  void SetRollDelay(int Value) { FRollDelay = std::clamp(Value, 1, 200); }
  TCkXPBarRollMode RollMode() const { return FRollMode; }
  void SetRollMode(TCkXPBarRollMode Value);
  int RollStep() const { return FRollStep; }
  void SetRollStep(int Value) { FRollStep = std::clamp(Value, 1, 50); }
  bool ShowLinkCursor() const { return FShowLinkCursor; }
  void SetShowLinkCursor(bool Value) { FShowLinkCursor = Value; }
  bool ShowRollButton() const { return FShowRollButton; }
  void SetShowRollButton(bool Value);
  bool ShowItemFrame() const { return FShowItemFrame; }
  void SetShowItemFrame(bool Value);
  int RoundedItemFrame() const { return FRoundedItemFrame; }
  void SetRoundedItemFrame(int Value);
  int TopSpace() const { return FTopSpace; }
  void SetTopSpace(int Value);

  TCkXPBarVisibleItems* VisibleItems() const { return FVisibleItems; }
  int HoverIndex() const { return FHoverIndex; }
  TCkXPBarHitTest HitTest() const { return FHitTest; }
  bool Rolling() const { return FRolling; }
  int RollOffset() const { return FRollOffset; }
  bool Animating() const { return FFadeThread != nullptr; }

  TCkXPBarHitTest GetHitTestAt(int X, int Y) const;
  // An index into the visible items (possibly at or beyond their count), or
  // -1 outside the item area.
  int GetItemAt(int X, int Y) const;
  fw::TRect HeaderRect() const;
  fw::TRect RollButtonRect() const;
  virtual void VisibleItemRect(int Index, fw::TRect& Rect) const;
  // The height the bar takes for its visible items and state.
  int FittedHeight() const;
  void ResizeToFitItems();
  void ReorderVisibleItems(bool Redraw);
  virtual void NoteItemVisibility(TCkXPBarItem* Item);
  void InitiateAction();

  void Click() override;
  void DblClick() override;
  void EndUpdate() override;
  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void AdjustClientRect(fw::TRect& Rect) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void WndProc(fw::TMessage& Message) override;

  void ReactMouseDown() override;
  void ReactMouseEnter() override;
  void ReactMouseLeave() override;
  void ReactMouseMove(int X, int Y) override;
  void ReactParentFontChanged() override;
  void ReactResized() override;

  TCkXPBarOnCollapsedChangeEvent AfterCollapsedChange;
  TCkXPBarOnCollapsedChangeEvent BeforeCollapsedChange;
  TCkXPBarOnCollapsedChangeEvent OnCollapsedChange;
  TCkXPBarOnCanChangeEvent OnCanChange;
  TCkXPBarOnDrawItemEvent OnDrawItem;
  TCkXPBarOnItemClickEvent OnItemClick;
  TCkXPBarOwnerDrawEvent OnDrawBackground;
  TCkXPBarOwnerDrawEvent OnDrawHeader;

 protected:
  friend class TCkXPFadeThread;
  friend class TCkXPBarItem;
  friend class TCkXPBarItems;

  virtual fw::TClass ItemsCollectionClass() const { return TCkXPBarItems::StaticClass(); }
  virtual void PaintVisibleItem(int Index, TCkXPDrawState State);
  void Paint() override;
  void CreateWnd() override;
  bool HintShow(fw::THintInfo& HintInfo) override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  void ItemsChanged();
  // The roll offset as one animation step sets it.
  void WriteRollOffset(int Value);
  void CollapseGroupSiblings();
  void StopFadeThread();
  void InvalidateVisibleItem(int Index);
  // The roll button's picture for the current state.
  void GetRollBitmap(fw::TBitmap* Bitmap) const;
  // The state an item is painted in: hot, checked or plain.
  TCkXPDrawState ItemState(int Index) const;

  bool FCollapsed = false;
  TCkXPFadeThread* FFadeThread = nullptr;
  fw::TFont* FFont;
  bool FFontChanging = false;
  fw::TBitmap* FGradient;
  int FGradientWidth = 0;
  fw::TFont* FHeaderFont;
  bool FHeaderRounded = true;
  TCkXPBarHitTest FHitTest = htNone;
  bool FHotTrack = true;
  int FHoverIndex = -1;
  fw::TIcon* FIcon;
  fw::TCustomImageList* FImageList = nullptr;
  int FItemHeight = 20;
  TCkXPBarItems* FItems;
  int FRollDelay = 25;
  bool FRolling = false;
  TCkXPBarRollMode FRollMode = rmShrink;
  int FRollOffset;
  int FRollStep = 3;
  bool FShowLinkCursor = true;
  bool FShowRollButton = true;
  TColor FHotTrackColor = 0xFF7C35;
  TCkXPBarVisibleItems* FVisibleItems;
  TCkXPBarColors* FColors;
  fw::TCustomImageList* FRollImages = nullptr;
  fw::TChangeLink* FImageChangeLink;
  fw::TChangeLink* FRollChangeLink;
  bool FGrouped = false;
  int FHeaderHeight = 28;
  String FStoredHint = u"|";
  bool FShowItemFrame = false;
  int FRoundedItemFrame = 0;
  int FTopSpace = 5;
  bool FOwnerDraw = false;
  // The height the last fit gave the bar; -1 before the first fit.
  int FForcedHeight = -1;
  // True while one roll step of the thread runs on this thread.
  bool FInFadeStep = false;

 private:
  void ColorsChanged(fw::TObject* Sender);
  void ItemFontChanged(fw::TObject* Sender);
  void ImagesChanged(fw::TObject* Sender);
};

class TCkXPBar : public TCkXPCustomWinXPBar {
  FW_CLASS(TCkXPBar, TCkXPCustomWinXPBar)
  explicit TCkXPBar(fw::TComponent* AOwner) : TCkXPCustomWinXPBar(AOwner) {}
};

// The octagon of a rounded item frame, filled with the canvas's brush.
void PaintRoundedItemFrame(fw::TCanvas* ACanvas, const fw::TRect& R, TColor AColor, int Radius);

}  // namespace ck
