// Windows that remember themselves. A form placement dropped on a form
// restores the window's state, size and position from a settings storage
// when the form is first shown and writes them back when the form may close
// (or, failing that, when it goes); a form storage adds a list of control
// properties ("Component.Property" lines) and named stored values.
#pragma once

// Before <windows.h>, which renames GetObject: the stored-property list
// derives from the string list.
#include "fw/core/strings_list.h"
// (keep above)
#include <windows.h>

#include "fw/controls/forms.h"
#include "services/core/appstorage.h"
#include "services/core/placementtext.h"
#include "services/core/storedvalues.h"
#include "services/winminmax.h"
#include "services/wndprochook.h"

namespace services {

// Writes the placement of Form's window below Path: "ShowCmd" (fpState);
// "Flags", "PixelsPerInch", "MinMaxPos" and "NormPos" (fpSize or
// fpLocation), the two position texts both under the key with the desktop
// suffix and under the plain key. Nothing for exactly [fpActiveControl].
void WriteFormPlacement(fw::TCustomForm* Form, TCkCustomAppStorage* Storage, const String& Path,
                        TPlacementOptions Options);
// Applies what WriteFormPlacement stored. A rectangle stored at another
// pixels per inch, with left not less than right, or with a corner off
// every monitor is ignored: the window keeps its geometry.
void ReadFormPlacement(fw::TCustomForm* Form, TCkCustomAppStorage* Storage, const String& Path,
                       TPlacementOptions Options);

// The width and height of the whole virtual desktop as the position keys'
// suffix, "(1920x1080)".
String CurrentDesktopSuffix();

class TCkFormPlacement : public fw::TComponent {
  FW_CLASS(TCkFormPlacement, fw::TComponent)
  explicit TCkFormPlacement(fw::TComponent* AOwner);
  ~TCkFormPlacement() override;

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  TCkCustomAppStorage* AppStorage() const { return FAppStorage; }
  void SetAppStorage(TCkCustomAppStorage* Value);
  const String& AppStoragePath() const { return FAppStoragePath; }
  // A trailing "\" is added; "%FORM_NAME%" becomes the form's name.
  void SetAppStoragePath(const String& Value);
  TPlacementOptions Options() const { return FOptions; }
  void SetOptions(TPlacementOptions Value) { FOptions = Value; }
  int Version() const { return FVersion; }
  void SetVersion(int Value) { FVersion = Value; }
  TCkFormPlacementVersionCheck VersionCheck() const { return FVersionCheck; }
  void SetVersionCheck(TCkFormPlacementVersionCheck Value) { FVersionCheck = Value; }
  bool PreventResize() const { return FPreventResize; }
  void SetPreventResize(bool Value);
  TCkWinMinMaxInfo* MinMaxInfo() const { return FWinMinMaxInfo; }
  void SetMinMaxInfo(TCkWinMinMaxInfo* Value) { FWinMinMaxInfo->Assign(Value); }

  bool IsActive() const { return FActive && FAppStorage; }
  bool Restored() const { return FRestored; }
  bool Saved() const { return FSaved; }
  void SaveFormPlacement();
  void RestoreFormPlacement();
  void EraseSections();

  // Values below AppStoragePath; without a storage or a name a read gives
  // the default and a write does nothing.
  String ReadString(const String& Ident, const String& Default = String());
  void WriteString(const String& Ident, const String& Value);
  bool ReadBoolean(const String& Ident, bool Default);
  void WriteBoolean(const String& Ident, bool Value);
  double ReadFloat(const String& Ident, double Default = 0);
  void WriteFloat(const String& Ident, double Value);
  int ReadInteger(const String& Ident, int Default = 0);
  void WriteInteger(const String& Ident, int Value);
  fw::TDateTime ReadDateTime(const String& Ident, fw::TDateTime Default);
  void WriteDateTime(const String& Ident, fw::TDateTime Value);
  void DeleteValue(const String& Ident);

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

  fw::TNotifyEvent OnSavePlacement, OnRestorePlacement;
  fw::TNotifyEvent BeforeSavePlacement, AfterSavePlacement, BeforeRestorePlacement, AfterRestorePlacement;

 protected:
  virtual void WritePlacementData();
  virtual void ReadPlacementData();
  fw::TCustomForm* Form() const;
  bool Loading() const { return ComponentState().Contains(fw::csLoading); }
  bool Designing() const { return ComponentState().Contains(fw::csDesigning); }
  bool FRestored = false;
  bool FSaved = false;
  bool FDestroying = false;

 private:
  void ReplaceFormNameToken();
  String ValuePath(const String& Ident, bool Reading);
  void FormShow(fw::TObject* Sender);
  void FormCloseQuery(fw::TObject* Sender, bool& CanClose);
  void FormDestroy(fw::TObject* Sender);
  void UpdateHook();
  void LimitsChanged();
  void AdjustMaxPosition();
  void WndMessage(fw::TObject* Sender, fw::TMessage& Msg, bool& Handled);

  bool FActive = true;
  TCkCustomAppStorage* FAppStorage = nullptr;
  String FAppStoragePath = u"%FORM_NAME%";
  TPlacementOptions FOptions;
  int FVersion = 0;
  TCkFormPlacementVersionCheck FVersionCheck = fpvcCheckGreaterEqual;
  bool FPreventResize = false;
  TCkWinMinMaxInfo* FWinMinMaxInfo;
  TCkWindowHook* FWinHook;
  bool FHooked = false;
  fw::TNotifyEvent FSaveFormShow, FSaveFormDestroy;
  fw::TCloseQueryEvent FSaveFormCloseQuery;
};

class TCkFormStorage;

// The "Component.Property" lines of a form storage; an assigned list is
// bound to the form's components at once unless the storage is loading.
class TCkFormStorageStringList : public fw::TStringList {
  FW_CLASS(TCkFormStorageStringList, fw::TStringList)
  explicit TCkFormStorageStringList(TCkFormStorage* AFormStorage = nullptr) : FFormStorage(AFormStorage) {}
  void Assign(fw::TPersistent* Source) override;

 private:
  TCkFormStorage* FFormStorage;
};

class TCkFormStorage : public TCkFormPlacement {
  FW_CLASS(TCkFormStorage, TCkFormPlacement)
  explicit TCkFormStorage(fw::TComponent* AOwner);
  ~TCkFormStorage() override;

  fw::TStrings* StoredProps() const { return FStoredProps; }
  void SetStoredProps(fw::TStrings* Value) { FStoredProps->Assign(Value); }
  TCkStoredValues* StoredValues() const { return FStoredValues; }
  void SetStoredValues(TCkStoredValues* Value) { FStoredValues->Assign(Value); }
  const String& StoredPropsPath() const { return FStoredPropsPath; }
  void SetStoredPropsPath(const String& Value) { FStoredPropsPath = Value; }
  const String& StoredValuesPath() const { return FStoredValuesPath; }
  void SetStoredValuesPath(const String& Value) { FStoredValuesPath = Value; }
  TCkStoredVariant StoredValue(const String& Name) const { return FStoredValues->StoredValue(Name); }
  void SetStoredValue(const String& Name, const TCkStoredVariant& Value) { FStoredValues->SetStoredValue(Name, Value); }

  // Binds the lines to the owner's components (lines naming none go).
  void ResolveStoredProps();
  void WriteStoredProps();
  void ReadStoredProps();

  void Loaded() override;
  void Notification(fw::TComponent* AComponent, fw::TOperation Operation) override;

 protected:
  void WritePlacementData() override;
  void ReadPlacementData() override;

 private:
  void BindStoredValues();
  TCkFormStorageStringList* FStoredProps;
  TCkStoredValues* FStoredValues;
  String FStoredPropsPath;
  String FStoredValuesPath;
};

}  // namespace services
