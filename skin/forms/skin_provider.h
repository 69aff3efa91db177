// The form skinning provider: hooks a form's messages and gives the form its
// frame, caption, title buttons, window region and client background from
// the skin. Without a skin the form keeps the system's frame.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "services/wndprochook.h"
#include "fw/controls/forms.h"
#include "skin/forms/form_image.h"
#include "skin/forms/form_menus.h"

namespace skin {

class TkSkinProvider : public fw::TComponent {
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

  bool FormActive() const { return FFormActive; }
  // The frame image as last built, and what it was built from.
  fw::TBitmap& FormImage() { return FImage; }
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

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  // The form's system menu, menu line and menu messages.
  TkFormMenus& Menus() { return *FMenus; }
  void DropSysMenu(int x, int y) { FMenus->DropSysMenu(x, y); }

 private:
  bool BeforeMessage(fw::TMessage& m);
  void Hook();
  void Unhook();
  // Reads the form's facts and builds the image when it changed.
  void PrepareFormCache();
  void PaintNonClient(HDC dc);
  void UpdateWindowRegion();
  void EraseClient(HDC dc);
  void PaintMenuFreeFrame(HDC dc);
  LRESULT HitTest(fw::TMessage& m);
  void CallOld(fw::TMessage& m);
  HICON FormIcon();

  fw::TCustomForm* FForm = nullptr;
  TkLoadedSkin* FSkin = nullptr;
  TkSkinSource FSkinSource;
  int FFormSkinIndex = -1, FTitleSkinIndex = -1;
  bool FHooked = false;
  bool FFormActive = false;
  bool FBGChanged = true;
  bool FRgnChanged = true;
  bool FInOld = false;
  int FPressedHT = 0;
  int FLockCount = 0;
  int FBuildCount = 0;
  fw::TColor FSavedColor = 0;
  bool FColorSaved = false;
  fw::TBitmap FImage;
  TkFormImageInput FInput;
  std::vector<fw::TRect> FCutouts;
  std::vector<TkcLabelColor> FSavedLabelColors;
  std::unique_ptr<TkFormMenus> FMenus;
};

}  // namespace skin
