// Skinned menus: the owner-draw engine of a skin manager's menus. Popup
// items (and the sub-menus of main menus and the system menu) are measured
// and painted from the skin, each composed in a 32-bit bitmap of its own
// over a background of the whole popup that is made once per opening and
// kept in a small cache keyed by the popup's first item; the popup window
// gets the skin's frame and region. The top-level items of a main menu are
// painted by the form's menu line (menu_line.h) through the same engine.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/core/component.h"
#include "fw/graphics/graphics.h"
#include "fw/menus/menus.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace skin {

class TkSkinManager;
class TkLoadedSkin;

FW_ENUM(TkMenuItemType, smCaption, smDivider, smNormal, smTopLine)

using TkMenuManagerDrawItemEvent = fw::TEvent<void(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect,
                                                   fw::TOwnerDrawState State, TkMenuItemType ItemType)>;

// The cached background of one open popup.
struct TkcMenuInfo {
  fw::TMenuItem* FirstItem = nullptr;
  std::shared_ptr<fw::TBitmap> Bmp;
  HWND Wnd = nullptr;
  bool HaveExtraLine = false;
};

// Set while a skinned popup is measured and shown; the popup-window adapter
// paints the menu window only meanwhile.
extern bool SkinnedMenuOpen;

class TkSkinableMenus : public fw::TComponent {
  FW_CLASS(TkSkinableMenus, fw::TComponent)
  // Owned by the manager (freed with it).
  explicit TkSkinableMenus(TkSkinManager* Manager);
  ~TkSkinableMenus() override;

  TkSkinManager* Manager() const { return FManager; }
  // The manager's loaded skin while it is active, else null.
  TkLoadedSkin* ActiveSkin() const;

  // Options.
  int Margin = 2;
  fw::TAlignment Alignment = fw::taLeftJustify;
  int BevelWidth = 0;
  int BorderWidth = 3;
  int Spacing = 8;
  fw::TFont* CaptionFont() const { return FCaptionFont; }
  void SetCaptionFont(fw::TFont* Value) { FCaptionFont->Assign(Value); }
  // Border width of the skin's popup frame ("MAINMENU" border mask); -1
  // until measured (the manager resets it when it applies a skin).
  int SkinBorderWidth = -1;
  int GetSkinBorderWidth();
  TkMenuManagerDrawItemEvent OnDrawItem;

  // Kind of the item measured or drawn last.
  TkMenuItemType it = smNormal;
  static TkMenuItemType ItemKind(const fw::TMenuItem* Item);
  static bool IsCaptionItem(const fw::TMenuItem* Item);

  // ---- Popup items
  void sMeasureItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height);
  void sAdvancedDrawItem(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect, fw::TOwnerDrawState State);
  int ItemHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item);
  // The whole popup of Item's parent (columns split at Break items).
  int MenuWidth(fw::TCanvas* Canvas, fw::TMenuItem* Item);
  int MenuHeight(fw::TCanvas* Canvas, fw::TMenuItem* Item);
  // The extra band down the left of a popup: the menu support's
  // ExtraLineWidth while it shows the band and the popup has one, else 0.
  int ExtraWidth(const TkcMenuInfo* Info) const;
  fw::TSize GlyphSize(fw::TMenuItem* Item) const;

  // ---- Hooking
  // Gives (A) or takes the handlers of every menu the application's
  // components own.
  void InitItems(bool A);
  bool Active() const { return FActive; }
  void SetActive(bool Value);
  // Active when the manager's skin is.
  void UpdateMenus();
  // The children of MenuItem, recursively: popup handlers where none are
  // set (not for the top line), or the engine's own handlers cleared.
  void HookItem(fw::TMenuItem* MenuItem, bool A);
  void HookPopupMenu(fw::TMenu* Menu, bool A);
  // The top-level items of a main menu get the line handlers (replacing
  // others), or lose the engine's; the menu becomes owner-drawn with A.
  void InitMenuLine(fw::TMainMenu* Menu, bool A);
  void InitItem(fw::TMenuItem* Item, bool A);
  static bool IsTopLine(const fw::TMenuItem* Item);

  // ---- Popup backgrounds
  // The cached background of Item's popup; with a canvas it is made when
  // missing (the window's size, or the measured menu's without window).
  TkcMenuInfo* GetMenuInfo(fw::TMenuItem* Item, fw::TCanvas* Canvas, HWND Wnd);
  void PrepareMenuBG(fw::TMenuItem* FirstItem, int Width, int Height, HWND Wnd);
  // The popup window's region (the skin's corners cut away) and frame.
  void DrawWndBorder(HWND Wnd, fw::TBitmap* MenuBmp);
  void FreeMenuBgCache();
  const std::vector<TkcMenuInfo>& MenuInfoCache() const { return FCache; }
  const std::vector<fw::TRect>& ArOR() const { return FArOR; }
  int IcoLineWidth() const { return FIcoLineWidth; }
  // The application window's answer to a posted frame request: the item's
  // popup window gets its frame (nothing for an item freed meanwhile).
  void DrawPostedBorder(void* Item, HWND Wnd);

  // ---- Top line of a main menu (painted through the form's menu line)
  void sMeasureLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, int& Width, int& Height);
  void sAdvancedDrawLineItem(fw::TObject* Sender, fw::TCanvas* ACanvas, const fw::TRect& ARect,
                             fw::TOwnerDrawState State);

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 private:
  void InitComponentMenus(fw::TComponent* Owner, bool A);
  void PopupHandlers(fw::TMenuItem* Item, bool A, bool SkipTopLine);
  void DrawDivider(fw::TCanvas* ACanvas, const fw::TRect& ARect, TkcMenuInfo* Info, fw::TMenuItem* Item);
  void DrawCaptionItem(fw::TCanvas* ACanvas, const fw::TRect& ARect, TkcMenuInfo* Info, fw::TMenuItem* Item);
  void CopyFrameStrips(HWND Wnd, fw::TBitmap& Bmp, fw::TMenuItem* Item, const fw::TRect& ARect, int E);
  void PostBorderRequest(fw::TMenuItem* Item);
  void SetMenuFont(fw::TCanvas& Canvas, fw::TMenuItem* Item, bool Bold);
  // The manager's word on an item's font; true when it changed the colour.
  bool AskItemData(fw::TMenuItem* Item, fw::TOwnerDrawState State, fw::TCanvas& Canvas);
  bool UseExtraLine() const;
  // Asks the manager's event about the band of the popup that starts with
  // FirstItem (never for the skin list); the answer is kept until the
  // next question. Returns whether the popup has a band.
  bool FetchExtraLineData(fw::TMenuItem* FirstItem);
  // The band painted into a popup's background.
  void PaintExtraLine(TkLoadedSkin& Skin, fw::TBitmap& Bmp, int SkinBorder);

  TkSkinManager* FManager = nullptr;
  fw::TFont* FCaptionFont = nullptr;
  bool FActive = false;
  bool BorderDrawing = false;
  std::vector<TkcMenuInfo> FCache;
  std::vector<fw::TRect> FArOR;
  int FIcoLineWidth = 0;
  // The item of a frame request not yet answered (cleared when freed).
  fw::TMenuItem* FPostedItem = nullptr;
  // The band of the popup asked about last.
  fw::String FExtraLineSection, FExtraLineCaption;
  std::unique_ptr<fw::TBitmap> FExtraLineGlyph;
  bool FFetchingExtraLine = false;
};

// The engine of the manager, made on first use and freed with the manager.
TkSkinableMenus* SkinableMenusOf(TkSkinManager* Manager);
// The engine of the default manager, or null.
TkSkinableMenus* DefaultSkinableMenus();
// Hands the engine's routines to the skin engine's links.
void RegisterMenuLinks();

}  // namespace skin
