#include "services/formstorage.h"

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "services/core/propertystorage.h"

namespace services {

namespace {

using Storage = TCkCustomAppStorage;

int CurrentPixelsPerInch() { return fw::Screen ? fw::Screen->PixelsPerInch() : 96; }

bool IsMainFormOrNone(fw::TCustomForm* Form) {
  return !fw::Application || !fw::Application->MainForm() || fw::Application->MainForm() == Form;
}

bool OnSomeMonitor(int X, int Y) { return MonitorFromPoint(POINT{X, Y}, MONITOR_DEFAULTTONULL) != nullptr; }

// Where the stored rectangle must not be overridden by the form's own
// placement rule.
fw::TPosition KeepStoredRectangle(fw::TPosition Position, TPlacementOptions Options) {
  const bool size = Options.Contains(fpSize), location = Options.Contains(fpLocation);
  if (size && location) return fw::poDesigned;
  if (location) return Position == fw::poDefault ? fw::poDefaultSizeOnly : fw::poDesigned;
  if (size && Position == fw::poDefault) return fw::poDefaultPosOnly;
  return Position;
}

// Both of the position texts go under the key with the desktop suffix and
// under the plain key.
void WritePositions(Storage* S, const String& Path, const String& Key, const String& Text) {
  S->WriteString(Storage::ConcatPaths({Path, Key + CurrentDesktopSuffix()}), Text);
  S->WriteString(Storage::ConcatPaths({Path, Key}), Text);
}

struct TUpdateBracket {
  Storage* s;
  explicit TUpdateBracket(Storage* S) : s(S) { s->BeginUpdate(); }
  ~TUpdateBracket() { s->EndUpdate(); }
};

}  // namespace

String CurrentDesktopSuffix() {
  return DesktopSuffix(GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void WriteFormPlacement(fw::TCustomForm* Form, TCkCustomAppStorage* S, const String& Path,
                        TPlacementOptions Options) {
  if (!Form || !S || Options == TPlacementOptions{fpActiveControl} || !Form->HandleAllocated()) return;
  TUpdateBracket bracket(S);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(Form->Handle(), &wp);
  if (fw::Application && fw::Application->MainForm() == Form && IsIconic(fw::Application->Handle()))
    wp.showCmd = SW_SHOWMINIMIZED;
  if (Form->FormStyle() == fw::fsMDIChild && Form->WindowState() == fw::wsMinimized) wp.flags |= WPF_SETMINPOSITION;
  auto key = [&](const char16_t* name) { return Storage::ConcatPaths({Path, name}); };
  if (Options.Contains(fpState)) S->WriteInteger(key(u"ShowCmd"), static_cast<int>(wp.showCmd));
  if (Options.Contains(fpSize) || Options.Contains(fpLocation)) {
    S->WriteInteger(key(u"Flags"), static_cast<int>(wp.flags));
    S->WriteInteger(key(u"PixelsPerInch"), CurrentPixelsPerInch());
    WritePositions(S, Path, u"MinMaxPos",
                   PositionsText(wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x, wp.ptMaxPosition.y));
    const RECT& r = wp.rcNormalPosition;
    WritePositions(S, Path, u"NormPos", PositionsText(r.left, r.top, r.right, r.bottom));
  }
}

void ReadFormPlacement(fw::TCustomForm* Form, TCkCustomAppStorage* S, const String& Path,
                       TPlacementOptions Options) {
  if (!Form || !S || Options == TPlacementOptions{fpActiveControl}) return;
  TUpdateBracket bracket(S);
  const HWND wnd = Form->Handle();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  GetWindowPlacement(wnd, &wp);
  const int shown = static_cast<int>(wp.showCmd);
  // Applying the record must not show the window.
  if (!IsWindowVisible(wnd)) wp.showCmd = SW_HIDE;
  auto key = [&](const char16_t* name) { return Storage::ConcatPaths({Path, name}); };
  const bool size = Options.Contains(fpSize), location = Options.Contains(fpLocation);
  if (size || location) {
    wp.flags = static_cast<UINT>(S->ReadInteger(key(u"Flags"), static_cast<int>(wp.flags)));
    const String suffix = CurrentDesktopSuffix();
    bool found = false;
    const String minMax = ReadPositionsText(*S, Path, u"MinMaxPos", suffix);
    if (!minMax.empty()) {
      found = true;
      if (location) wp.ptMinPosition = POINT{PositionField(minMax, 1, 0), PositionField(minMax, 2, 0)};
      if (size) wp.ptMaxPosition = POINT{PositionField(minMax, 3, 0), PositionField(minMax, 4, 0)};
    }
    const String norm = ReadPositionsText(*S, Path, u"NormPos", suffix);
    RECT& r = wp.rcNormalPosition;
    if (!norm.empty()) {
      found = true;
      const int storedLeft = PositionField(norm, 1, Form->Left()), storedTop = PositionField(norm, 2, Form->Top());
      r.left = location ? storedLeft : Form->Left();
      r.top = location ? storedTop : Form->Top();
      if (size) {
        // The stored size wherever the window goes; a missing right or
        // bottom keeps the form's own size.
        r.right = r.left + PositionField(norm, 3, storedLeft + Form->Width()) - storedLeft;
        r.bottom = r.top + PositionField(norm, 4, storedTop + Form->Height()) - storedTop;
      } else {
        r.right = r.left + Form->Width();
        r.bottom = r.top + Form->Height();
      }
    }
    if (found) found = S->ReadInteger(key(u"PixelsPerInch"), CurrentPixelsPerInch()) == CurrentPixelsPerInch();
    // A rectangle that would lie (even partly) off every monitor, say one
    // that was detached since, is not used.
    if (found && r.left < r.right && OnSomeMonitor(r.left, r.top) && OnSomeMonitor(r.right - 1, r.bottom - 1)) {
      if (!Form->ComponentState().Contains(fw::csDesigning))
        Form->SetPosition(KeepStoredRectangle(Form->Position(), Options));
      SetWindowPlacement(wnd, &wp);
    }
  }
  if (Options.Contains(fpState)) {
    const bool mainOrNone = IsMainFormOrNone(Form);
    const bool fallbackMaximized =
        mainOrNone && (Form->FormStyle() == fw::fsMDIForm ||
                       (Form->FormStyle() == fw::fsNormal && Form->Position() == fw::poDefault));
    fw::TWindowState state = fallbackMaximized ? fw::wsMaximized : fw::wsNormal;
    switch (StoredShowState(S->ReadInteger(key(u"ShowCmd"), shown))) {
      case TStoredShowState::Normal:
        state = fw::wsNormal;
        break;
      case TStoredShowState::Minimized:
        state = fw::wsMinimized;
        break;
      case TStoredShowState::Maximized:
        state = fw::wsMaximized;
        break;
      case TStoredShowState::Fallback:
        break;
    }
    if (state == fw::wsMinimized && mainOrNone) {
      // A minimized program is the application window's business.
      Form->SetWindowState(fw::wsNormal);
      if (fw::Application) PostMessageW(fw::Application->Handle(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    }
    Form->SetWindowState(state);
  }
  Form->Update();
}

// ---- Form placement --------------------------------------------------------

TCkFormPlacement::TCkFormPlacement(fw::TComponent* AOwner)
    : fw::TComponent(AOwner),
      FWinMinMaxInfo(new TCkWinMinMaxInfo([this] { LimitsChanged(); })),
      FWinHook(new TCkWindowHook(this)) {
  if (dynamic_cast<fw::TCustomForm*>(AOwner)) FOptions = {fpState, fpSize, fpLocation};
  FWinHook->SetAfterMessage(TCkHookMessageEvent(this, &TCkFormPlacement::WndMessage));
  FWinHook->SetActive(false);
}

TCkFormPlacement::~TCkFormPlacement() {
  if (!Designing()) {
    FWinHook->SetActive(false);
    // A form on its way out takes its handlers with it.
    fw::TCustomForm* form = Form();
    if (FHooked && form && !form->ComponentState().Contains(fw::csDestroying)) {
      form->OnShow = FSaveFormShow;
      form->OnCloseQuery = FSaveFormCloseQuery;
      form->OnDestroy = FSaveFormDestroy;
    }
  }
  delete FWinMinMaxInfo;
}

fw::TCustomForm* TCkFormPlacement::Form() const { return dynamic_cast<fw::TCustomForm*>(Owner()); }

void TCkFormPlacement::SetAppStorage(TCkCustomAppStorage* Value) {
  if (FAppStorage == Value) return;
  if (FAppStorage) FAppStorage->RemoveFreeNotification(this);
  FAppStorage = Value;
  if (Value) Value->FreeNotification(this);
}

void TCkFormPlacement::SetAppStoragePath(const String& Value) {
  FAppStoragePath = Value;
  if (!Value.empty() && Value.back() != u'\\') FAppStoragePath += u'\\';
  if (!Designing() && !Loading()) ReplaceFormNameToken();
}

void TCkFormPlacement::ReplaceFormNameToken() {
  static const String token = u"%FORM_NAME%";
  fw::TCustomForm* form = Form();
  if (!form) return;
  const size_t at = fw::UpperCase(FAppStoragePath).find(token);
  if (at != String::npos) FAppStoragePath.replace(at, token.size(), form->Name());
}

void TCkFormPlacement::SetPreventResize(bool Value) {
  if (FPreventResize == Value) return;
  FPreventResize = Value;
  AdjustMaxPosition();
  if (!Loading()) UpdateHook();
}

void TCkFormPlacement::LimitsChanged() {
  AdjustMaxPosition();
  if (!Loading()) UpdateHook();
}

void TCkFormPlacement::UpdateHook() {
  if (Designing()) return;
  FWinHook->SetControl(Form());
  FWinHook->SetActive(FPreventResize || !FWinMinMaxInfo->DefaultMinMaxInfo());
}

void TCkFormPlacement::AdjustMaxPosition() {
  fw::TCustomForm* form = Form();
  if (!form || !form->HandleAllocated() || Loading() || FPreventResize || !FWinMinMaxInfo->DefaultMinMaxInfo())
    return;
  AdjustMaximizedPosition(form);
}

void TCkFormPlacement::WndMessage(fw::TObject*, fw::TMessage& Msg, bool&) {
  fw::TCustomForm* form = Form();
  if (!form) return;
  if (FPreventResize) {
    switch (Msg.Msg) {
      case WM_GETMINMAXINFO:
        if (form->HandleAllocated() && IsWindowVisible(form->Handle())) {
          auto* info = reinterpret_cast<MINMAXINFO*>(Msg.LParam);
          info->ptMinTrackSize = info->ptMaxTrackSize = POINT{form->Width(), form->Height()};
          Msg.Result = 1;
        }
        break;
      case WM_NCHITTEST:
        Msg.Result = PreventResizeHitTest(Msg.Result);
        break;
      case WM_INITMENUPOPUP:
        if (HIWORD(Msg.LParam)) {
          DisableSizeAndMaximize(reinterpret_cast<HMENU>(Msg.WParam));
          Msg.Result = 1;
        }
        break;
      default:
        break;
    }
  } else if (Msg.Msg == WM_GETMINMAXINFO && !FWinMinMaxInfo->DefaultMinMaxInfo()) {
    FWinMinMaxInfo->ApplyTo(*reinterpret_cast<MINMAXINFO*>(Msg.LParam));
    Msg.Result = 1;
  }
}

void TCkFormPlacement::Loaded() {
  const bool loading = Loading();
  fw::TComponent::Loaded();
  if (Designing()) return;
  ReplaceFormNameToken();
  if (fw::TCustomForm* form = Form(); form && loading) {
    FSaveFormShow = form->OnShow;
    FSaveFormCloseQuery = form->OnCloseQuery;
    FSaveFormDestroy = form->OnDestroy;
    form->OnShow = fw::TNotifyEvent(this, &TCkFormPlacement::FormShow);
    form->OnCloseQuery = fw::TCloseQueryEvent(this, &TCkFormPlacement::FormCloseQuery);
    form->OnDestroy = fw::TNotifyEvent(this, &TCkFormPlacement::FormDestroy);
    FHooked = true;
  }
  UpdateHook();
}

void TCkFormPlacement::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  fw::TComponent::Notification(AComponent, Operation);
  if (Operation == fw::opRemove && AComponent == FAppStorage) FAppStorage = nullptr;
}

void TCkFormPlacement::FormShow(fw::TObject* Sender) {
  if (IsActive() && !FRestored) {
    try {
      RestoreFormPlacement();
    } catch (...) {
      if (fw::Application) fw::Application->HandleException(this);
    }
  }
  FSaveFormShow(Sender);
}

void TCkFormPlacement::FormCloseQuery(fw::TObject* Sender, bool& CanClose) {
  FSaveFormCloseQuery(Sender, CanClose);
  fw::TCustomForm* form = Form();
  if (!CanClose || !IsActive() || !form || !form->HandleAllocated()) return;
  try {
    SaveFormPlacement();
  } catch (...) {
    if (fw::Application) fw::Application->HandleException(this);
  }
}

void TCkFormPlacement::FormDestroy(fw::TObject* Sender) {
  if (IsActive() && !FSaved) {
    FDestroying = true;
    try {
      SaveFormPlacement();
    } catch (...) {
      if (fw::Application) fw::Application->HandleException(this);
    }
    FDestroying = false;
  }
  FSaveFormDestroy(Sender);
}

void TCkFormPlacement::SaveFormPlacement() {
  if (!FAppStorage) return;
  TUpdateBracket bracket(FAppStorage);
  ReplaceFormNameToken();
  BeforeSavePlacement(this);
  if (FVersionCheck != fpvcNocheck) WriteInteger(u"FormVersion", FVersion);
  OnSavePlacement(this);
  WritePlacementData();
  AfterSavePlacement(this);
  FSaved = true;
}

void TCkFormPlacement::RestoreFormPlacement() {
  if (FAppStorage) {
    ReplaceFormNameToken();
    TUpdateBracket bracket(FAppStorage);
    FSaved = false;
    if (StoredVersionAccepted(FVersionCheck, ReadInteger(u"FormVersion", 0), FVersion)) {
      BeforeRestorePlacement(this);
      ReadPlacementData();
      FRestored = true;
      OnRestorePlacement(this);
      fw::TCustomForm* form = Form();
      if (FOptions.Contains(fpActiveControl) && form) {
        const String name = FAppStorage->ReadString(Storage::ConcatPaths({FAppStoragePath, u"ActiveControl"}));
        auto* control = dynamic_cast<fw::TWinControl*>(form->FindComponent(name));
        if (control && control->CanFocus()) form->SetActiveControl(control);
      }
      AfterRestorePlacement(this);
    }
    FRestored = true;
  }
  AdjustMaxPosition();
}

void TCkFormPlacement::WritePlacementData() {
  if (fw::TCustomForm* form = Form(); form && FOptions != TPlacementOptions{fpActiveControl}) {
    WriteFormPlacement(form, FAppStorage, FAppStoragePath, FOptions);
    if (FOptions.Contains(fpActiveControl) && form->ActiveControl())
      FAppStorage->WriteString(Storage::ConcatPaths({FAppStoragePath, u"ActiveControl"}),
                               form->ActiveControl()->Name());
  }
}

void TCkFormPlacement::ReadPlacementData() {
  if (fw::TCustomForm* form = Form()) ReadFormPlacement(form, FAppStorage, FAppStoragePath, FOptions);
}

void TCkFormPlacement::EraseSections() {
  if (FAppStorage) FAppStorage->DeleteSubTree(FAppStoragePath);
}

String TCkFormPlacement::ValuePath(const String& Ident, bool Reading) {
  return Storage::ConcatPaths({FAppStoragePath, FAppStorage->TranslatePropertyName(this, Ident, Reading)});
}

#define VL_PLACEMENT_VALUE(Type, Arg, Name)                                                      \
  Type TCkFormPlacement::Read##Name(const String& Ident, Arg Default) {                           \
    if (!FAppStorage || Ident.empty()) return Default;                                           \
    return FAppStorage->Read##Name(ValuePath(Ident, true), Default);                             \
  }                                                                                              \
  void TCkFormPlacement::Write##Name(const String& Ident, Arg Value) {                            \
    if (FAppStorage && !Ident.empty()) FAppStorage->Write##Name(ValuePath(Ident, false), Value); \
  }
VL_PLACEMENT_VALUE(String, const String&, String)
VL_PLACEMENT_VALUE(bool, bool, Boolean)
VL_PLACEMENT_VALUE(double, double, Float)
VL_PLACEMENT_VALUE(int, int, Integer)
VL_PLACEMENT_VALUE(fw::TDateTime, fw::TDateTime, DateTime)
#undef VL_PLACEMENT_VALUE

void TCkFormPlacement::DeleteValue(const String& Ident) {
  if (FAppStorage && !Ident.empty()) FAppStorage->DeleteValue(ValuePath(Ident, false));
}

// ---- Form storage ------------------------------------------------------------

void TCkFormStorageStringList::Assign(fw::TPersistent* Source) {
  fw::TStringList::Assign(Source);
  if (FFormStorage && !FFormStorage->ComponentState().Contains(fw::csLoading)) FFormStorage->ResolveStoredProps();
}

TCkFormStorage::TCkFormStorage(fw::TComponent* AOwner)
    : TCkFormPlacement(AOwner), FStoredProps(new TCkFormStorageStringList(this)), FStoredValues(new TCkStoredValues(this)) {}

TCkFormStorage::~TCkFormStorage() {
  delete FStoredProps;
  FStoredProps = nullptr;
  delete FStoredValues;
  FStoredValues = nullptr;
}

void TCkFormStorage::ResolveStoredProps() { services::ResolveStoredProps(*FStoredProps, Owner()); }

void TCkFormStorage::Loaded() {
  TCkFormPlacement::Loaded();
  ResolveStoredProps();
}

void TCkFormStorage::Notification(fw::TComponent* AComponent, fw::TOperation Operation) {
  TCkFormPlacement::Notification(AComponent, Operation);
  if (Operation != fw::opRemove || !FStoredProps || ComponentState().Contains(fw::csDestroying)) return;
  for (int i = FStoredProps->Count() - 1; i >= 0; --i)
    if (FStoredProps->Objects(i) == AComponent) FStoredProps->Delete(i);
}

void TCkFormStorage::BindStoredValues() {
  FStoredValues->SetStorage(AppStorage());
  FStoredValues->SetPath(Storage::ConcatPaths({AppStoragePath(), FStoredValuesPath}));
}

void TCkFormStorage::WritePlacementData() {
  if (!FRestored) return;
  TCkFormPlacement::WritePlacementData();
  if (auto* client = dynamic_cast<ICkAppStorageClient*>(Owner())) client->WriteToAppStorage(AppStorage(), AppStoragePath());
  WriteStoredProps();
  BindStoredValues();
  FStoredValues->SaveValues();
}

void TCkFormStorage::ReadPlacementData() {
  TCkFormPlacement::ReadPlacementData();
  FRestored = true;
  if (auto* client = dynamic_cast<ICkAppStorageClient*>(Owner())) client->ReadFromAppStorage(AppStorage(), AppStoragePath());
  ReadStoredProps();
  BindStoredValues();
  FStoredValues->RestoreValues();
}

void TCkFormStorage::WriteStoredProps() {
  TCkPropertyStorage ps;
  ps.SetAppStorage(AppStorage());
  ps.SetAppStoragePath(Storage::ConcatPaths({AppStoragePath(), FStoredPropsPath}));
  ps.StoreObjectsProps(Owner(), *FStoredProps);
}

void TCkFormStorage::ReadStoredProps() {
  try {
    TCkPropertyStorage ps;
    ps.SetAppStorage(AppStorage());
    ps.SetAppStoragePath(Storage::ConcatPaths({AppStoragePath(), FStoredPropsPath}));
    ps.LoadObjectsProps(Owner(), *FStoredProps);
  } catch (...) {
    // Stored control values are a convenience; the window opens anyway.
  }
}

FW_REGISTER(TCkFormPlacement) {
  c.Property(u"Active", &TCkFormPlacement::Active, &TCkFormPlacement::SetActive).Default(true);
  c.Property(u"AppStorage", &TCkFormPlacement::AppStorage, &TCkFormPlacement::SetAppStorage);
  c.Property(u"AppStoragePath", &TCkFormPlacement::AppStoragePath, &TCkFormPlacement::SetAppStoragePath);
  c.Property(u"MinMaxInfo", &TCkFormPlacement::MinMaxInfo, &TCkFormPlacement::SetMinMaxInfo);
  c.Property(u"Options", &TCkFormPlacement::Options, &TCkFormPlacement::SetOptions);
  c.Property(u"PreventResize", &TCkFormPlacement::PreventResize, &TCkFormPlacement::SetPreventResize).Default(false);
  c.Property(u"Version", &TCkFormPlacement::Version, &TCkFormPlacement::SetVersion).Default(0);
  c.Property(u"VersionCheck", &TCkFormPlacement::VersionCheck, &TCkFormPlacement::SetVersionCheck)
      .Default(fpvcCheckGreaterEqual);
  c.Event(u"BeforeSavePlacement", &TCkFormPlacement::BeforeSavePlacement);
  c.Event(u"AfterSavePlacement", &TCkFormPlacement::AfterSavePlacement);
  c.Event(u"BeforeRestorePlacement", &TCkFormPlacement::BeforeRestorePlacement);
  c.Event(u"AfterRestorePlacement", &TCkFormPlacement::AfterRestorePlacement);
  c.Event(u"OnSavePlacement", &TCkFormPlacement::OnSavePlacement);
  c.Event(u"OnRestorePlacement", &TCkFormPlacement::OnRestorePlacement);
}

FW_REGISTER(TCkFormStorageStringList) {}

FW_REGISTER(TCkFormStorage) {
  c.Property(u"StoredProps", &TCkFormStorage::StoredProps, &TCkFormStorage::SetStoredProps);
  c.Property(u"StoredPropsPath", &TCkFormStorage::StoredPropsPath, &TCkFormStorage::SetStoredPropsPath);
  c.Property(u"StoredValues", &TCkFormStorage::StoredValues, &TCkFormStorage::SetStoredValues);
  c.Property(u"StoredValuesPath", &TCkFormStorage::StoredValuesPath, &TCkFormStorage::SetStoredValuesPath);
}

}  // namespace services
