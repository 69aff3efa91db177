// Common dialogs as components: the system's open, save and colour dialogs,
// run modally by Execute, with OnShow (the dialog's window exists; Handle is
// valid) and OnClose (the dialog is gone).
#pragma once

#include <windows.h>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/strings_list.h"

namespace fw {

// The owner that makes a dialog modal: this thread's active window, else the
// application's active form or the application's own window.
HWND DialogOwnerWindow();

class TCommonDialog : public TComponent {
  FW_CLASS(TCommonDialog, TComponent)

  explicit TCommonDialog(TComponent* AOwner);

  // The dialog's window while it is shown: for the explorer-style file
  // dialogs the hook child, whose parent is the visible dialog frame.
  HWND Handle() const { return FHandle; }
  // Runs the dialog modally for DialogOwnerWindow() (or for ParentWnd);
  // true when the user confirmed.
  bool Execute();
  virtual bool Execute(HWND ParentWnd) = 0;

  TNotifyEvent FOnShow;
  TNotifyEvent FOnClose;

 protected:
  virtual void DoShow();
  virtual void DoClose();
  HWND FHandle = nullptr;
};

FW_ENUM(TOpenOption, ofReadOnly, ofOverwritePrompt, ofHideReadOnly, ofNoChangeDir, ofShowHelp,
        ofNoValidate, ofAllowMultiSelect, ofExtensionDifferent, ofPathMustExist, ofFileMustExist,
        ofCreatePrompt, ofShareAware, ofNoReadOnlyReturn, ofNoTestFileCreate, ofNoNetworkButton,
        ofNoLongNames, ofOldStyleDialog, ofNoDereferenceLinks, ofEnableIncludeNotify,
        ofEnableSizing, ofDontAddToRecent, ofForceShowHidden)
using TOpenOptions = TSet<TOpenOption>;

class TOpenDialog : public TCommonDialog {
  FW_CLASS(TOpenDialog, TCommonDialog)

  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;

  using TCommonDialog::Execute;
  bool Execute(HWND ParentWnd) override;

  // "Description|*.ext;*.ext2|Description|..." pairs.
  const String& Filter() const { return FFilter; }
  void SetFilter(const String& Value) { FFilter = Value; }
  // 1-based; after Execute the filter the user chose.
  int FilterIndex() const { return FFilterIndex; }
  void SetFilterIndex(int Value) { FFilterIndex = Value; }
  // Added to a name typed without extension. Written "txt", ".txt" or
  // "*.txt"; the system takes only the bare extension.
  const String& DefaultExt() const { return FDefaultExt; }
  void SetDefaultExt(const String& Value) { FDefaultExt = Value; }
  const String& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const String& Value) { FInitialDir = Value; }
  // The name shown at start; after Execute the chosen file's full path (the
  // first one with several).
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value) { FFileName = Value; }
  // Every chosen file's full path (with ofAllowMultiSelect), or the one.
  TStrings* Files() const { return FFiles; }
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  TOpenOptions Options() const { return FOptions; }
  void SetOptions(TOpenOptions Value) { FOptions = Value; }

 protected:
  bool DoExecute(bool Save, HWND ParentWnd);

 private:
  static UINT_PTR CALLBACK HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

  String FFilter;
  int FFilterIndex = 1;
  String FDefaultExt;
  String FInitialDir;
  String FFileName;
  TStringList* FFiles;
  String FTitle;
  TOpenOptions FOptions{ofHideReadOnly, ofEnableSizing};
};

class TSaveDialog : public TOpenDialog {
  FW_CLASS(TSaveDialog, TOpenDialog)

  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}
  using TCommonDialog::Execute;
  bool Execute(HWND ParentWnd) override;
};

FW_ENUM(TColorDialogOption, cdFullOpen, cdPreventFullOpen, cdShowHelp, cdSolidColor, cdAnyColor)
using TColorDialogOptions = TSet<TColorDialogOption>;

class TColorDialog : public TCommonDialog {
  FW_CLASS(TColorDialog, TCommonDialog)

  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;

  using TCommonDialog::Execute;
  bool Execute(HWND ParentWnd) override;

  // The colour shown at start and, after Execute, the one chosen (always an
  // RGB value: a system colour is resolved first).
  TColor Color() const { return FColor; }
  void SetColor(TColor Value) { FColor = Value; }
  // The sixteen custom colours as "ColorA=hex" .. "ColorP=hex" items (hex:
  // the 0x00BBGGRR value); missing items are white. Updated by Execute.
  TStrings* CustomColors() const { return FCustomColors; }
  TColorDialogOptions Options() const { return FOptions; }
  void SetOptions(TColorDialogOptions Value) { FOptions = Value; }

 private:
  static UINT_PTR CALLBACK HookProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

  TColor FColor = 0;
  TStringList* FCustomColors;
  TColorDialogOptions FOptions;
};

}  // namespace fw
