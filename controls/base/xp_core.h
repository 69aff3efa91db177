// The common state machine of the XP-style controls: which interaction
// states a control is in (hot, pressed, focused), which state changes
// repaint it, an update lock that holds repaints back, and a theme that a
// shared style manager can decide for many controls at once.
#pragma once

#include <vector>

#include "controls/base/ckexcontrols.h"
#include "fw/dialogs/modal_result.h"

namespace ck {

FW_ENUM(TCkXPDrawStateItem, dsDefault, dsHighlight, dsClicked, dsFocused)
using TCkXPDrawState = fw::TSet<TCkXPDrawStateItem>;

// The state changes that repaint a control.
FW_ENUM(TCkXPControlStyleItem, csRedrawCaptionChanged, csRedrawBorderChanged, csRedrawEnabledChanged,
        csRedrawFocusedChanged, csRedrawMouseDown, csRedrawMouseEnter, csRedrawMouseLeave, csRedrawMouseMove,
        csRedrawMouseUp, csRedrawParentColorChanged, csRedrawParentFontChanged, csRedrawPosChanged,
        csRedrawResized)
using TCkXPControlStyle = fw::TSet<TCkXPControlStyleItem>;

FW_ENUM(TCkXPTheme, WindowsXP, OfficeXP)
FW_ENUM(TCkXPBoundLine, blLeft, blTop, blRight, blBottom)
using TCkXPBoundLines = fw::TSet<TCkXPBoundLine>;
FW_ENUM(TCkXPGlyphLayout, glBottom, glCenter, glTop)

class TCkXPCustomControl : public TCkExCustomControl {
  FW_CLASS(TCkXPCustomControl, TCkExCustomControl)
  explicit TCkXPCustomControl(fw::TComponent* AOwner);

  fw::TCanvas* Canvas() const { return TCkExCustomControl::Canvas(); }
  TCkXPDrawState DrawState() const { return FDrawState; }
  void SetDrawState(TCkXPDrawState Value) { FDrawState = Value; }
  bool IsLocked() const { return FIsLocked > 0; }
  // The form's active control is an XP-style control (as of the last focus
  // change).
  bool IsSibling() const { return FIsSibling; }
  fw::TModalResult ModalResult() const { return FModalResult; }
  void SetModalResult(fw::TModalResult Value) { FModalResult = Value; }

  TCkXPControlStyle ExControlStyle;

  // Invalidates the control unless an update is running.
  virtual void RedrawWhenUnlocked();
  virtual void RepaintWhenUnlocked();
  virtual void BeginUpdate();
  // Raises ECKException "Unpaired call to TCkXPCustomControl.EndUpdate"
  // without a matching BeginUpdate.
  virtual void EndUpdate();

  // Hands the modal result to the parent form, then the standard click.
  void Click() override;

  // The state hooks: each does its own work, then redraws when its cause
  // is in ExControlStyle.
  virtual void ReactBorderChanged();
  virtual void ReactEnabledChanged();
  virtual void ReactFocusChanged();
  virtual void ReactMouseDown();
  virtual void ReactMouseEnter();
  virtual void ReactMouseLeave();
  virtual void ReactMouseMove(int X, int Y);
  virtual void ReactMouseUp();
  virtual void ReactParentColorChanged();
  virtual void ReactParentFontChanged();
  virtual void ReactPosChanged();
  virtual void ReactResized();
  virtual void ReactTextChanged();

  void WndProc(fw::TMessage& Message) override;

 protected:
  void RedrawOn(TCkXPControlStyleItem Cause) {
    if (ExControlStyle.Contains(Cause)) RedrawWhenUnlocked();
  }
  bool Designing() const { return ComponentState().Contains(fw::csDesigning); }

  // The Ex notices, each followed by its hook.
  void TextChanged() override;
  void EnabledChanged() override;
  void FocusChangedNotice(fw::TControl* Control) override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void ParentColorChanged() override;
  void ParentFontChanged() override;
  bool WantsDialogChar(int Key, fw::TShiftState Shift) override;
  void MouseDown(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void MouseUp(fw::TMouseButton Button, fw::TShiftState Shift, int X, int Y) override;
  void WMMouseMove(fw::TMessage& Message) override;
  void WMSize(fw::TMessage& Message) override;
  void WMWindowPosChanged(fw::TMessage& Message) override;

  bool FClicking = false;
  TCkXPDrawState FDrawState{dsDefault};
  int FIsLocked = 0;
  bool FIsSibling = false;
  fw::TModalResult FModalResult = fw::mrNone;
};

class TCkXPCustomStyleControl;

// The theme of one control, or the style manager's when asked to follow it.
class TCkXPStyle : public fw::TPersistent {
  FW_CLASS(TCkXPStyle, fw::TPersistent)
  explicit TCkXPStyle(TCkXPCustomStyleControl* AParent = nullptr) : Parent(AParent) {}

  TCkXPTheme Theme() const { return FTheme; }
  void SetTheme(TCkXPTheme Value);
  bool UseStyleManager() const { return FUseStyleManager; }
  void SetUseStyleManager(bool Value);
  // The style manager's theme when it is followed, else the own one.
  TCkXPTheme GetTheme() const;
  void Assign(fw::TPersistent* Source) override;
  fw::TPersistent* GetOwner() const override;

  TCkXPCustomStyleControl* Parent;

 private:
  TCkXPTheme FTheme = WindowsXP;
  bool FUseStyleManager = true;
};

class TCkXPCustomComponent : public fw::TComponent {
  FW_CLASS(TCkXPCustomComponent, fw::TComponent)
  explicit TCkXPCustomComponent(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
};

// Decides the theme of the controls registered with it.
class TCkXPStyleManager : public TCkXPCustomComponent {
  FW_CLASS(TCkXPStyleManager, TCkXPCustomComponent)
  explicit TCkXPStyleManager(fw::TComponent* AOwner) : TCkXPCustomComponent(AOwner) {}
  ~TCkXPStyleManager() override;

  TCkXPTheme Theme() const { return FTheme; }
  void SetTheme(TCkXPTheme Value);
  void RegisterControls(const std::vector<TCkXPCustomControl*>& Controls);
  void UnregisterControls(const std::vector<TCkXPCustomControl*>& Controls);
  const std::vector<TCkXPCustomControl*>& Controls() const { return FControls; }

  fw::TNotifyEvent OnThemeChanged;

 private:
  std::vector<TCkXPCustomControl*> FControls;
  TCkXPTheme FTheme = WindowsXP;
};

class TCkXPCustomStyleControl : public TCkXPCustomControl {
  FW_CLASS(TCkXPCustomStyleControl, TCkXPCustomControl)
  explicit TCkXPCustomStyleControl(fw::TComponent* AOwner);
  ~TCkXPCustomStyleControl() override;

  TCkXPStyle* Style() const { return FStyle; }
  void SetStyle(TCkXPStyle* Value) { FStyle->Assign(Value); }
  TCkXPStyleManager* StyleManager() const { return FStyleManager; }
  virtual void SetStyleManager(TCkXPStyleManager* Value);

  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  TCkXPStyle* FStyle;
  TCkXPStyleManager* FStyleManager = nullptr;
};

// True for the XP-style controls.
inline bool IsXPControl(fw::TControl* Control) { return dynamic_cast<TCkXPCustomControl*>(Control) != nullptr; }

}  // namespace ck
