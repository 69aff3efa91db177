// The form skinning provider: hooks a form's messages and gives the form its
// frame, caption, title buttons, window region and client background from
// the skin, and makes the frame behave: title buttons that light up and
// click, hit testing, dragging and sizing, maximise and restore, and the
// messages of showing, closing and child windows. Without a skin the form
// keeps the system's frame.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "fw/controls/forms.h"
#include "services/wndprochook.h"
#include "skin/engine/common_data.h"
#include "skin/engine/skinning_links.h"
#include "skin/forms/core/system_menu_rules.h"
#include "skin/forms/core/title_buttons.h"
#include "skin/forms/core/title_hit_test.h"
#include "skin/forms/form_image.h"
#include "skin/forms/form_menus.h"
#include "skin/forms/provider_mdi.h"
#include "skin/forms/title_options.h"

namespace fw {
class THintWindow;
class TTimer;
}  // namespace fw

namespace skin {

class TkSkinManager;
class TkcCtrlAdapter;
class TkcBorderForm;
class TkcProviderEffects;
class TkTitleBar;
class TkcTitleBarItem;
struct TkcBackgroundInfo;

// A title element is held down; no other element becomes hot meanwhile.
extern bool TitleButtonPressed;

FW_ENUM(TkResizeMode, rmStandard, rmBorder);
FW_ENUM(TkGripMode, gmNone, gmRightBottom);

class TkSkinProvider : public fw::TComponent, public TkFormProviderLink {
  FW_CLASS(TkSkinProvider, fw::TComponent)
  // Owned by the form; its messages are hooked at once.
  explicit TkSkinProvider(fw::TCustomForm* form);
  ~TkSkinProvider() override;

  fw::TCustomForm* Form() const { return FForm; }
  // The skin to draw with (kept by the caller); null gives the form the
  // system's frame back.
  void SetSkin(TkLoadedSkin* skin);
  TkLoadedSkin* Skin() const { return FSkin; }
  // Where a new or refreshed skin comes from (the skin manager's skin):
  // the skin commands new skin and refresh take the skin from it, remove
  // skin drops the skin.
  using TkSkinSource = std::function<TkLoadedSkin*()>;
  void SetSkinSource(TkSkinSource source) { FSkinSource = std::move(source); }
  bool Skinned() const { return FSkin != nullptr && FFormSkinIndex >= 0; }
  // The manager whose options (animations, glowing, skinned popups, class
  // lists) apply; the default manager unless one is set.
  TkSkinManager* Manager() const;
  void SetManager(TkSkinManager* manager) { FManager = manager; }

  bool FormActive() const { return FFormActive; }
  // The frame image as last built, and what it was built from.
  fw::TBitmap& FormImage() { return *FCommonData->FCacheBmp; }
  const TkFormImageInput& ImageInput() const { return FInput; }
  int BuildCount() const { return FBuildCount; }
  const std::vector<fw::TRect>& RegionCutouts() const { return FCutouts; }
  // WM_SETREDRAW false messages not yet matched by a true one.
  int LockCount() const { return FLockCount; }

  // The client background: the form's own Color without a skin, else the
  // colour of the form's section for the active state.
  fw::TColor FormColor() const;
  // Recolours a label with the skin's label text colour, or gives it back
  // its own colour, ParentFont and opaqueness. Labels whose Tag has bit
  // 0x100 are left alone.
  void InitLabel(fw::TControl* control, bool skinned);
  struct TkcLabelColor {
    fw::TControl* Control = nullptr;
    fw::TColor Color = 0;
    bool ParentFont = false;
    bool Opaque = false;
  };
  const std::vector<TkcLabelColor>& SavedLabelColors() const { return FSavedLabelColors; }

  // Rebuilds the image and paints the frame at once.
  void RepaintFormFrame();
  // Paints the frame and, with client, the client area (WM_PRINT's work).
  void PrintTo(HDC dc, bool nonClient, bool client);

  // Title buttons. CurrentHT names the element that is hot or pressed.
  int CurrentHT() const { return FCurrentHT; }
  // The state (0 normal, 1 hot, 2 pressed) of a standard button by its
  // hit code, -1 for another code.
  int ButtonState(int hitCode) const;
  void SetHotHT(int hitCode, bool repaint);
  void SetPressedHT(int hitCode);
  void PaintTitleButton(int hitCode);
  void StopTitleAnimations();
  // The hit code of a screen point of the form.
  int NCHitTest(int screenX, int screenY);
  // The title's options: the icon, the program's own title buttons (hit
  // code 1000 + index) and the text after the caption.
  TkTitleIcon* TitleIcon() const { return FTitleIcon.get(); }
  TkTitleButtons* TitleButtons() const { return FTitleButtons.get(); }
  TkcAddedTitle* AddedTitle() const { return FAddedTitle.get(); }
  // The form's title bar (the last one among its components when the
  // provider was made); its items answer 2000 + index.
  TkTitleBar* TitleBar() const { return FTitleBar; }
  void SetTitleBar(TkTitleBar* Value);
  // Gives each title-bar item its skin section and the provider as painter.
  void UpdateTitleBar();
  // The hint of the hot user button or title-bar item (an item's after the
  // application's hint pause), or null.
  fw::THintWindow* TitleHint() const { return FTitleHint.get(); }
  // The window commands the form offers now.
  TkSysMenuRules Rules() const;

  // Properties.
  TkResizeMode ResizeMode = rmStandard;
  TkGripMode GripMode = gmNone;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool DrawClientArea = true;
  bool AllowBlendOnMoving = true;
  // Bounds kept while the border window sizes the form; the client size at
  // the last WM_SIZE.
  fw::TRect NormalBounds;
  fw::TRect LastClientRect;
  // Maximised with a border window whose title is taller than the system
  // caption (set as the window's position changes).
  bool FSysExHeight = false;
  bool RTInit = false;
  bool fAnimating = false;
  bool RgnChanging = false;

  // The control adapter (made when the form is first skinned).
  TkcCtrlAdapter* Adapter() const { return FAdapter.get(); }
  void CreateAdapter();
  void FreeAdapter();
  const TkSkinSource& SkinSource() const { return FSkinSource; }
  // Asked about each control before it is adapted.
  using TAddItemEvent = fw::TEvent<void(fw::TComponent* Item, bool& CanBeAdded, fw::String& SkinSection)>;
  using TAddItemExEvent = fw::TEvent<void(fw::TComponent* Item, bool& CanBeAdded, TkcSkinParams* SkinParams)>;
  TAddItemEvent OnSkinItem;
  TAddItemExEvent OnSkinItemEx;

  // Completes a provider made at run time, and (re)applies the skin.
  void LoadInit();
  void PrepareForm();

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;
  void PrepareFormCache() override;
  // The title buttons' fades, the minimize and restore animations, the
  // hide animation's cover and the extended border window
  // (provider_effects.cpp).
  bool HasBorderWindow() const override;
  HWND BorderWindowHandle() const;
  TkcBorderForm* BorderForm() const;
  void TakeCoverSnapshot() override;
  void ShowCoverOnBorder(int Alpha) override;
  void PlaceBorderWindow() override;
  void UpdateBorderForm(bool Allowed) override;
  void UpdateExBordersPos(bool Redraw, int Blend) override;
  void FreeBorderWindow() override;
  void StartMinimizeAnimation() override;
  void StartRestoreAnimation() override;
  bool MinimizedByTimer() const override;
  void ShowCoverForm() override;
  void FreeCoverForm();
  bool AllowExtBorders = true;
  // A press on the caption moves the form fading to the manager's
  // BlendOnMoving value (RunLoop: the system's move loop runs at once).
  bool StartBlendedMove(bool RunLoop);
  void FinishBlendedMove();
  // The taskbar asks for the form's thumbnail or live preview.
  void MsgIconicRequest(fw::TMessage& m);

  // MDI (provider_mdi.cpp): a frame's MDI support, its client window and
  // active child; the frame repainted after a child changed; the frame's
  // image behind the maximised child's buttons (the "kcMDIIcons" cover).
  TkMDIFormLink* MDIForm() const { return FMDIForm.get(); }
  void HookMDI(bool Active);
  HWND MDIClientWindow() const;
  HWND ActiveMDIChild() const;
  void RepaintMDIMainFrame(bool Full);
  void MdiIcoFormPaint(HDC dc);
  void MdiIconsPaint(fw::TObject* Sender);
  // A menu loop of a frame whose active child is maximised begins (the
  // cover goes over the child's buttons) or ends (the cover goes).
  void MdiEnterMenuLoop();
  void MdiExitMenuLoop();
  // The form's window menu about to open lists the visible MDI children of
  // a frame, the active one checked; a click on one activates it.
  void UpdateWindowMenu(fw::TMessage& m);
  void MDIChildMenuClick(fw::TObject* Sender);
  bool MDIChildCreatingMaximized = false;
  // The maximised child's close, restore and minimise buttons at the end of
  // this MDI frame's menu line (hit codes 101, 102, 103): shown while the
  // child provider is set and the frame's active child is maximised with a
  // system menu (provider_mdi_buttons.cpp).
  bool MDIButtonsVisible() const;
  const TkMdiButtons& MdiButtons() const { return FMdi; }

  // The form's system menu, menu line and menu messages.
  TkFormMenus& Menus() { return *FMenus; }
  void DropSysMenu(int x, int y) { FMenus->DropSysMenu(x, y); }

 private:
  friend class TkcProviderEffects;
  friend class TkcProviderMoveHost;
  TkcProviderEffects& Effects();
  const TkExtBorderFacts* ExtBorderFacts() const;
  bool FadeTitleButton(int hitCode);
  void StopTitleButtonFades();
  void ReplaceBorderHitCode(fw::TMessage& m);
  void BorderAfterCommand(UINT command);
  bool MdiSysCommand(fw::TMessage& m);
  void MdiChildCreating();
  void MsgMDIActivate(fw::TMessage& m);
  void MsgChildActivate(fw::TMessage& m);
  void MdiShown(fw::TMessage& m);
  void UnskinnedNcDestroy(fw::TMessage& m);
  void ForgetMDI();
  bool BeforeMessage(fw::TMessage& m);
  // The skin commands: those answered in any state (true: handled), those
  // of a form without a skin, and those of a skinned form.
  bool EarlySkinCommand(fw::TMessage& m);
  bool UnskinnedSkinCommand(fw::TMessage& m);
  bool MsgSkinCommand(fw::TMessage& m);
  // What lies behind a child: the form's section colour, or its image with
  // the child's place in it.
  void AnswerBackground(TkcBackgroundInfo& info);
  // The form's client background is one colour (no gradient, image, corner
  // images or painted border centre, no OnPaint handler).
  bool PlainBackground() const;
  bool SkinnedMessage(fw::TMessage& m);
  void Hook();
  void Unhook();
  void PaintNonClient(HDC dc);
  void UpdateWindowRegion();
  void EraseClient(HDC dc);
  void PaintMenuFreeFrame(HDC dc);
  void CallOld(fw::TMessage& m);
  LRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam);
  HICON FormIcon();
  TkTitleHitInput HitInput() const;
  // GripMode gmRightBottom on a window that is not maximised and can be sized.
  bool GripVisible() const;
  fw::TPoint ScreenToForm(int x, int y) const;
  TkCaptionButton* ButtonOf(int hitCode);
  TkTitleButton* UserButtonOf(int hitCode) const;
  TkcTitleBarItem* ItemOf(int hitCode) const;
  // Copies the layout of the user buttons and the title bar back to them.
  void PlaceTitleElements();
  void PaintTitleItems(fw::TBitmap& image);
  void PaintMdiButtons(fw::TBitmap& image);
  void MdiButtonUp(int code, bool held);
  void DrawItem(TkcTitleBarItem& item, const fw::TRect& r, fw::TBitmap& bmp, bool noAlpha);
  void RepaintTitleRect(const fw::TRect& r);
  // Sets the state of the element of a hit code (leaving, entering).
  void SetElementState(int hitCode, int state, bool entering);
  bool IsMainForm() const;
  bool HasParent() const;
  bool AnimShowActive() const;
  bool AnimHideActive() const;
  bool MinimizingActive() const;
  bool GlowAllowed() const;
  bool SkinnedPopups() const;
  void TakeHideSnapshot();

  // Non-client mouse.
  void MsgNcHitTest(fw::TMessage& m);
  void MsgNcMouseMove(fw::TMessage& m);
  void MsgNcLButtonDown(fw::TMessage& m);
  void MsgNcLButtonUp(fw::TMessage& m);
  void UpdateSystemMenuItems();
  bool NativeBordersMaximized() const;
  bool FormScrollBarsVisible() const;
  void MsgNcLButtonDblClk(fw::TMessage& m);
  void MsgNcRButtonDown(fw::TMessage& m);
  void MsgNcRButtonUp(fw::TMessage& m);
  void MsgMouseMove(fw::TMessage& m);
  void MsgMouseLeave(fw::TMessage& m);
  void MsgCaptureChanged(fw::TMessage& m);
  void TitleElementDown(int code, fw::TMessage& m);
  void ShowTitleItemHintDelayed(TkcTitleBarItem& item);
  void TitleItemHintTimer(fw::TObject* Sender);
  void MsgContextMenu(fw::TMessage& m);
  void MsgMouseEnter(fw::TMessage& m);
  bool TitleElementUp(int code, bool held);
  // Size, position and system commands.
  void MsgMove(fw::TMessage& m);
  void MsgSize(fw::TMessage& m);
  void MsgWindowPosChanging(fw::TMessage& m);
  void MsgWindowPosChanged(fw::TMessage& m);
  void MsgSysCommand(fw::TMessage& m);
  void MsgSizing(fw::TMessage& m);
  void MsgExitSizeMove(fw::TMessage& m);
  // Creation, show, close and children.
  void MsgNcCreate(fw::TMessage& m);
  void MsgCreate(fw::TMessage& m);
  void MsgRecreateWnd(fw::TMessage& m);
  void MsgShowWindow(fw::TMessage& m);
  void MsgClose(fw::TMessage& m);
  void MsgVisibleChanged(fw::TMessage& m);
  void MsgShowingChanged(fw::TMessage& m);
  void MsgEnabledChanged(fw::TMessage& m);
  void MsgFloat(fw::TMessage& m);
  void MsgParentNotify(fw::TMessage& m);
  void MsgControlListChange(fw::TMessage& m);
  void MsgNotify(fw::TMessage& m);
  void UnskinnedVisibleChanged(fw::TMessage& m);
  void UnskinnedWindowPosChanged(fw::TMessage& m);

  fw::TCustomForm* FForm = nullptr;
  TkLoadedSkin* FSkin = nullptr;
  TkSkinSource FSkinSource;
  TkSkinManager* FManager = nullptr;
  std::unique_ptr<TkCommonData> FSkinData;
  std::unique_ptr<TkcCtrlAdapter> FAdapter;
  int FFormSkinIndex = -1, FTitleSkinIndex = -1;
  bool FHooked = false;
  bool FFormActive = false;
  bool FBGChanged = true;
  bool FRgnChanged = true;
  bool FInOld = false;
  bool FTrackingLeave = false;
  int FCurrentHT = 0;
  int FLockCount = 0;
  int FBuildCount = 0;
  fw::TColor FSavedColor = 0;
  bool FColorSaved = false;
  TkFormImageInput FInput;
  std::vector<fw::TRect> FCutouts;
  std::vector<TkcLabelColor> FSavedLabelColors;
  std::unique_ptr<TkFormMenus> FMenus;
  std::unique_ptr<TkcProviderEffects> FEffects;
  std::unique_ptr<TkMDIFormLink> FMDIForm;
  TkMdiButtons FMdi;
  TkTitleOwner FTitleOwner;
  std::unique_ptr<TkTitleIcon> FTitleIcon;
  std::unique_ptr<TkTitleButtons> FTitleButtons;
  std::unique_ptr<TkcAddedTitle> FAddedTitle;
  TkTitleBar* FTitleBar = nullptr;
  std::unique_ptr<fw::THintWindow> FTitleHint;
  std::unique_ptr<fw::TTimer> FHintTimer;
  fw::TRect FHintRect;
  int FHintItem = -1;
};

}  // namespace skin
