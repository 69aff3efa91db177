#include "controls/dialogs/ckbrowsefolder.h"

#include <objbase.h>

#include <memory>
#include <vector>

#include "controls/base/cktypes.h"
#include "fw/controls/forms.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/platform/system_function.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"
#include "services/shellutils.h"

namespace ck {

using fw::TPoint;
using fw::TRect;

namespace {

const wchar_t kDialogProperty[] = L"CkBrowseForFolderDialog";
const char16_t kShellNotCompatible[] = u"Shell not compatible with BrowseForFolder";
// The old-style dialog's status line.
constexpr int kStatusControlId = 14147;
constexpr int kHelpButtonId = 0xFFFF;

struct TOptionFlag {
  TOptionsDirectory Option;
  UINT Flag;
};
constexpr TOptionFlag kOptionFlags[] = {
    {odBrowseForComputer, BIF_BROWSEFORCOMPUTER}, {odOnlyDirectory, 0},
    {odOnlyPrinters, BIF_BROWSEFORPRINTER},       {odNoBelowDomain, BIF_DONTGOBELOWDOMAIN},
    {odSystemAncestorsOnly, BIF_RETURNFSANCESTORS}, {odFileSystemDirectoryOnly, BIF_RETURNONLYFSDIRS},
    {odStatusAvailable, BIF_STATUSTEXT},          {odIncludeFiles, BIF_BROWSEINCLUDEFILES},
    {odIncludeUrls, BIF_BROWSEINCLUDEURLS},       {odEditBox, BIF_EDITBOX},
    {odNewDialogStyle, BIF_NEWDIALOGSTYLE},       {odShareable, BIF_SHAREABLE},
    {odUsageHint, BIF_UAHINT},                    {odNoNewButtonFolder, BIF_NONEWFOLDERBUTTON},
    {odValidate, BIF_VALIDATE},
};

constexpr DWORD kClassFlags[] = {0x20, 0x40, 0x80, 0x100, 0x200, 0x400, 0x800};

struct TSpecialFolder {
  int Csidl;
  DWORD MinVersion;
  bool NTOnly;
  bool PathFallback;
  TFromDirectory FallsBackTo;  // fdNoSpecialFolder: none
};

// By TFromDirectory; the first entry (fdNoSpecialFolder) is never looked up.
constexpr TSpecialFolder kSpecialFolders[] = {
    {0x00, 0, false, false, fdNoSpecialFolder},           // fdNoSpecialFolder
    {0x00, 0, false, false, fdNoSpecialFolder},           // fdRootFolder
    {0x0A, 0, false, false, fdNoSpecialFolder},           // fdRecycleBin
    {0x03, 0, false, false, fdNoSpecialFolder},           // fdControlPanel
    {0x00, 0, false, false, fdNoSpecialFolder},           // fdDesktop
    {0x10, 0, false, false, fdNoSpecialFolder},           // fdDesktopDirectory
    {0x11, 0, false, false, fdNoSpecialFolder},           // fdMyComputer
    {0x14, 0, false, false, fdNoSpecialFolder},           // fdFonts
    {0x13, 0, false, false, fdNoSpecialFolder},           // fdNetHood
    {0x12, 0, false, false, fdNoSpecialFolder},           // fdNetwork
    {0x05, 0, false, true, fdNoSpecialFolder},            // fdPersonal
    {0x04, 0, false, false, fdNoSpecialFolder},           // fdPrinters
    {0x02, 0, false, false, fdNoSpecialFolder},           // fdPrograms
    {0x08, 0, false, false, fdNoSpecialFolder},           // fdRecent
    {0x09, 0, false, false, fdNoSpecialFolder},           // fdSendTo
    {0x0B, 0, false, false, fdNoSpecialFolder},           // fdStartMenu
    {0x07, 0, false, false, fdNoSpecialFolder},           // fdStartup
    {0x15, 0, false, false, fdNoSpecialFolder},           // fdTemplates
    {0x1D, 0, false, false, fdNoSpecialFolder},           // fdStartUpNonLocalized
    {0x1E, 0, true, false, fdNoSpecialFolder},            // fdCommonStartUpNonLocalized
    {0x2E, 0, false, true, fdNoSpecialFolder},            // fdCommonDocuments
    {0x1F, 0, true, false, fdNoSpecialFolder},            // fdCommonFavorites
    {0x17, 0, true, false, fdNoSpecialFolder},            // fdCommonPrograms
    {0x18, 0, true, false, fdNoSpecialFolder},            // fdCommonStartUp
    {0x2D, 0, true, false, fdNoSpecialFolder},            // fdCommonTemplates
    {0x21, 0, false, true, fdNoSpecialFolder},            // fdCookies
    {0x06, 0, false, false, fdNoSpecialFolder},           // fdFavorites
    {0x22, 0, false, true, fdNoSpecialFolder},            // fdHistory
    {0x01, 0, false, false, fdNoSpecialFolder},           // fdInternet
    {0x0D, 0, false, false, fdNoSpecialFolder},           // fdMyMusic
    {0x1B, 0, false, false, fdNoSpecialFolder},           // fdPrinthood
    {0x31, 0, false, false, fdNoSpecialFolder},           // fdConnections
    {0x1A, 0x00040071, false, true, fdNoSpecialFolder},   // fdAppData
    {0x20, 0x00040072, false, true, fdNoSpecialFolder},   // fdInternetCache
    {0x30, 0x00050000, false, true, fdNoSpecialFolder},   // fdAdminTools
    {0x2F, 0x00050000, false, true, fdNoSpecialFolder},   // fdCommonAdminTools
    {0x23, 0x00050000, false, true, fdNoSpecialFolder},   // fdCommonAppData
    {0x1C, 0x00050000, false, true, fdNoSpecialFolder},   // fdLocalAppData
    {0x27, 0x00050000, false, true, fdPersonal},          // fdMyPictures
    {0x28, 0x00050000, false, false, fdNoSpecialFolder},  // fdProfile
    {0x26, 0x00050000, false, true, fdNoSpecialFolder},   // fdProgramFiles
    {0x2B, 0x00050000, true, true, fdNoSpecialFolder},    // fdProgramFilesCommon
    {0x25, 0x00050000, false, true, fdNoSpecialFolder},   // fdSystem
    {0x24, 0x00050000, false, true, fdNoSpecialFolder},   // fdWindows
    {0x3B, 0x00060000, false, false, fdNoSpecialFolder},  // fdCDBurnArea
    {0x35, 0x00060000, false, false, fdCommonDocuments},  // fdCommonMusic
    {0x36, 0x00060000, false, false, fdCommonDocuments},  // fdCommonPictures
    {0x37, 0x00060000, false, false, fdCommonDocuments},  // fdCommonVideo
    {0x0C, 0x00060000, false, false, fdPersonal},         // fdMyDocuments
    {0x0E, 0x00060000, false, false, fdPersonal},         // fdMyVideo
    {0x3E, 0x00060000, false, false, fdNoSpecialFolder},  // fdProfiles
    {0x38, 0x00060000, false, false, fdNoSpecialFolder},  // fdResources
    {0x39, 0x00060000, false, false, fdNoSpecialFolder},  // fdResourcesLocalized
    {0x3A, 0x00060000, false, false, fdNoSpecialFolder},  // fdCommonOEMLinks
    {0x3D, 0x00060000, false, false, fdNoSpecialFolder},  // fdComputersNearMe
};
static_assert(std::size(kSpecialFolders) == fdComputersNearMe + 1);

bool IsNTPlatform() {
  OSVERSIONINFOW v{};
  v.dwOSVersionInfoSize = sizeof v;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
  if (!GetVersionExW(&v)) return true;
#pragma GCC diagnostic pop
  return v.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

String StrRetToString(STRRET& Ret, LPCITEMIDLIST List) {
  switch (Ret.uType) {
    case STRRET_WSTR: {
      String s = FromW(Ret.pOleStr);
      CoTaskMemFree(Ret.pOleStr);
      return s;
    }
    case STRRET_OFFSET:
      return fw::AnsiToString(reinterpret_cast<const char*>(List) + Ret.uOffset);
    case STRRET_CSTR:
      return fw::AnsiToString(Ret.cStr);
    default:
      return String();
  }
}

// The parsing name of an item of Folder (the desktop when null).
String ParsingName(IShellFolder* Folder, LPCITEMIDLIST List) {
  IShellFolder* desktop = nullptr;
  if (!Folder) {
    if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return String();
    Folder = desktop;
  }
  String result;
  STRRET ret{};
  if (SUCCEEDED(Folder->GetDisplayNameOf(List, SHGDN_FORPARSING, &ret))) result = StrRetToString(ret, List);
  if (desktop) desktop->Release();
  return result;
}

LPITEMIDLIST ItemListFromPath(const String& Path) {
  if (Path.empty()) return nullptr;
  IShellFolder* desktop = nullptr;
  if (FAILED(SHGetDesktopFolder(&desktop)) || !desktop) return nullptr;
  String path = Path;
  LPITEMIDLIST list = nullptr;
  ULONG eaten = 0;
  if (FAILED(desktop->ParseDisplayName(nullptr, nullptr, const_cast<LPWSTR>(W(path)), &eaten, &list, nullptr)))
    list = nullptr;
  desktop->Release();
  return list;
}

// The folder's path from SHGetFolderPathW, but only when SHFolder.dll is
// already in the process.
String ShFolderPath(int Csidl) {
  if (!GetModuleHandleW(L"SHFolder.dll")) return String();
  using Fn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
  auto fn = fw::SystemFunction<Fn>(L"SHFolder.dll", "SHGetFolderPathW");
  if (!fn) return String();
  wchar_t buffer[MAX_PATH + 1] = {};
  if (FAILED(fn(nullptr, Csidl, nullptr, 0, buffer))) return String();
  return FromW(buffer);
}

struct TSpecialLocation {
  LPITEMIDLIST List = nullptr;
  String Path;
};

TSpecialLocation LocateSpecialFolder(TFromDirectory Folder, HWND Owner) {
  TSpecialLocation result;
  TSpecialFolderRoot root = ResolveSpecialFolder(Folder, services::Shell32Version(), IsNTPlatform());
  if (root.Kind == TSpecialFolderRoot::rkLocation) {
    if (FAILED(SHGetSpecialFolderLocation(Owner, root.Csidl, &result.List))) result.List = nullptr;
    if (result.List) result.Path = ParsingName(nullptr, result.List);
  } else if (root.Kind == TSpecialFolderRoot::rkFolderPath) {
    result.Path = ShFolderPath(root.Csidl);
    result.List = ItemListFromPath(result.Path);
  }
  return result;
}

// Disables the thread's visible windows for the time of the shell's modal
// call, as a modal form does.
struct TTaskWindowsDisabled {
  std::vector<HWND> Windows;
  HWND Active = GetActiveWindow();

  TTaskWindowsDisabled() {
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND wnd, LPARAM data) -> BOOL {
          if (IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
            reinterpret_cast<TTaskWindowsDisabled*>(data)->Windows.push_back(wnd);
            EnableWindow(wnd, FALSE);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
  }
  ~TTaskWindowsDisabled() {
    for (HWND w : Windows)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    if (Active && IsWindow(Active)) SetActiveWindow(Active);
  }
};

struct TComInit {
  bool Done = false;
  explicit TComInit(bool Use) {
    if (Use) Done = SUCCEEDED(CoInitialize(nullptr));
  }
  ~TComInit() {
    if (Done) CoUninitialize();
  }
};

}  // namespace

// ---- Rules --------------------------------------------------------------------

UINT BrowseOptionFlags(TOptionsDirectories Options) {
  UINT flags = 0;
  for (const TOptionFlag& f : kOptionFlags)
    if (Options.Contains(f.Option)) flags |= f.Flag;
  return flags;
}

DWORD BrowsableClassesToFlags(TCkBrowsableObjectClasses Classes) {
  DWORD flags = 0;
  for (int i = 0; i <= ocStorage; ++i)
    if (Classes.Contains(static_cast<TCkBrowsableObjectClass>(i))) flags |= kClassFlags[i];
  return flags;
}

TCkBrowsableObjectClasses FlagsToBrowsableClasses(DWORD Flags) {
  TCkBrowsableObjectClasses result;
  for (int i = 0; i <= ocStorage; ++i)
    if ((Flags & kClassFlags[i]) == kClassFlags[i]) result.Include(static_cast<TCkBrowsableObjectClass>(i));
  return result;
}

TOptionsDirectories AdjustBrowseOptions(TOptionsDirectories Old, TOptionsDirectories Value) {
  if (Old == Value) return Value;
  TOptionsDirectories o = Value;
  const TOptionsDirectories added = Value - Old;
  const TOptionsDirectories removed = Old - Value;
  if (added.Contains(odIncludeUrls)) o += {odIncludeFiles, odEditBox, odNewDialogStyle};
  if (added.Contains(odShareable)) o.Include(odNewDialogStyle);
  if (added.Contains(odUsageHint)) o.Include(odNewDialogStyle).Exclude(odEditBox);
  if (added.Contains(odValidate)) o.Include(odEditBox);
  if (added.Contains(odEditBox)) o.Exclude(odUsageHint);
  if (removed.Contains(odEditBox)) o -= {odIncludeUrls, odValidate};
  if (removed.Contains(odNewDialogStyle)) o -= {odIncludeUrls, odShareable, odUsageHint};
  if (removed.Contains(odIncludeFiles)) o.Exclude(odIncludeUrls);
  if (o.Contains(odEditBox)) o.Exclude(odUsageHint);
  else o -= {odIncludeUrls, odValidate};
  if (o.Contains(odUsageHint)) o -= {odEditBox, odValidate};
  return o;
}

TOptionsDirectories UsableBrowseOptions(TOptionsDirectories Options, DWORD ShellVersion) {
  TOptionsDirectories o = Options;
  if (ShellVersion < 0x00060000) o -= {odUsageHint, odNoNewButtonFolder};
  if (ShellVersion < 0x00050000) o -= {odIncludeUrls, odNewDialogStyle, odShareable};
  if (ShellVersion < 0x00040071) o -= {odIncludeFiles, odEditBox, odValidate};
  return o;
}

String BrowseDialogTitle(const String& Title, const String& StatusText, bool NewDialogStyle) {
  if (StatusText.empty() || !NewDialogStyle) return Title;
  if (Title.empty()) return StatusText;
  return Title + u'\r' + StatusText;
}

int SpecialFolderCsidl(TFromDirectory Folder) { return kSpecialFolders[Folder].Csidl; }

TSpecialFolderRoot ResolveSpecialFolder(TFromDirectory Folder, DWORD ShellVersion, bool IsNT) {
  auto supported = [&](TFromDirectory f) {
    const TSpecialFolder& s = kSpecialFolders[f];
    return ShellVersion >= s.MinVersion && (IsNT || !s.NTOnly);
  };
  TSpecialFolderRoot result;
  TFromDirectory f = Folder;
  while (f != fdNoSpecialFolder && !kSpecialFolders[f].PathFallback && !supported(f))
    f = kSpecialFolders[f].FallsBackTo;
  result.Folder = f;
  result.Csidl = kSpecialFolders[f].Csidl;
  if (f == fdNoSpecialFolder) result.Kind = TSpecialFolderRoot::rkNone;  // the desktop
  else if (supported(f)) result.Kind = TSpecialFolderRoot::rkLocation;
  else result.Kind = TSpecialFolderRoot::rkFolderPath;
  return result;
}

bool BrowseDialogPlacement(TCkFolderPos Position, const TRect& WorkArea, const TRect& OwnerRect, int Width,
                           int Height, TPoint& TopLeft) {
  const TRect& w = WorkArea;
  switch (Position) {
    case fpDefault:
      return false;
    case fpScreenCenter:
      TopLeft = {w.Left + (w.Width() - Width) / 2, w.Top + (w.Height() - Height) / 2};
      break;
    case fpFormCenter:
      TopLeft = {OwnerRect.Left + (OwnerRect.Width() - Width) / 2, OwnerRect.Top + (OwnerRect.Height() - Height) / 2};
      break;
    case fpTopLeft:
      TopLeft = {w.Left, w.Top};
      break;
    case fpTopRight:
      TopLeft = {w.Right - Width - GetSystemMetrics(SM_CXDLGFRAME), w.Top};
      break;
    case fpBottomLeft:
      TopLeft = {w.Left, w.Bottom - Height - GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYDLGFRAME)};
      break;
    case fpBottomRight:
      TopLeft = {w.Right - Width - GetSystemMetrics(SM_CXDLGFRAME),
                 w.Bottom - Height - GetSystemMetrics(SM_CYCAPTION) - GetSystemMetrics(SM_CYDLGFRAME)};
      break;
  }
  return true;
}

// ---- The component --------------------------------------------------------------

FW_REGISTER(TCkBrowseForFolderDialog) {
  using D = TCkBrowseForFolderDialog;
  c.Property(u"Directory", &D::Directory, &D::SetDirectory);
  c.Property(u"DisplayName", &D::DisplayName, &D::SetDisplayName);
  c.Property(u"HelpContext", &D::HelpContext, &D::SetHelpContext).Default(0);
  c.Property(u"Options", &D::Options, &D::SetOptions)
      .Default(TOptionsDirectories{odStatusAvailable, odNewDialogStyle});
  c.Property(u"Position", &D::Position, &D::SetPosition).Default(fpScreenCenter);
  c.Property(u"RootDirectory", &D::RootDirectory, &D::SetRootDirectory).Default(fdNoSpecialFolder);
  c.Property(u"RootDirectoryPath", &D::RootDirectoryPath, &D::SetRootDirectoryPath).Stored(&D::RootPathStored);
  c.Property(u"Title", &D::Title, &D::SetTitle);
  c.Property(u"StatusText", &D::StatusText, &D::WriteStatusText);
  c.Event(u"OnInitialized", &D::FOnInit);
  c.Event(u"OnChange", &D::FOnChange);
  c.Event(u"OnAcceptChange", &D::FOnAcceptChange);
  c.Event(u"OnShouldShow", &D::FOnShouldShow);
  c.Event(u"OnGetEnumFlags", &D::FOnGetEnumFlags);
  c.Event(u"OnValidateFailed", &D::FOnValidateFailed);
}

void RegisterDialogClasses() { fw::RegisterClasses<TCkBrowseForFolderDialog>(); }

TCkBrowseForFolderDialog::TCkBrowseForFolderDialog(fw::TComponent* AOwner)
    : TCkCommonDialog(AOwner), FOptions{odStatusAvailable, odNewDialogStyle} {}

TCkBrowseForFolderDialog::~TCkBrowseForFolderDialog() { services::FreeShellItemList(FPidl); }

void TCkBrowseForFolderDialog::SetOptions(TOptionsDirectories Value) {
  FOptions = AdjustBrowseOptions(FOptions, Value);
}

void TCkBrowseForFolderDialog::SetRootDirectory(TFromDirectory Value) {
  if (Value == FRootDirectory) return;
  if (Value == fdNoSpecialFolder) FRootDirectoryPath = RootDirectoryPath();
  FRootDirectory = Value;
}

String TCkBrowseForFolderDialog::RootDirectoryPath() const {
  if (FRootDirectory == fdNoSpecialFolder) return FRootDirectoryPath;
  TSpecialLocation location = LocateSpecialFolder(FRootDirectory, FOwnerWindow);
  services::FreeShellItemList(location.List);
  return location.Path;
}

void TCkBrowseForFolderDialog::SetRootDirectoryPath(const String& Value) {
  FRootDirectoryPath = Value;
  FRootDirectory = fdNoSpecialFolder;
}

LPITEMIDLIST TCkBrowseForFolderDialog::RootItemList() const {
  if (FRootDirectory == fdNoSpecialFolder) return ItemListFromPath(FRootDirectoryPath);
  return LocateSpecialFolder(FRootDirectory, FOwnerWindow).List;
}

// ---- Messages to the open dialog

void TCkBrowseForFolderDialog::SetSelection(const String& Path) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(W(Path)));
}

void TCkBrowseForFolderDialog::SetSelection(LPCITEMIDLIST List) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(List));
}

void TCkBrowseForFolderDialog::SetStatusText(const String& Text) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(W(Text)));
}

void TCkBrowseForFolderDialog::SetOKEnabled(bool Value) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_ENABLEOK, 0, Value ? 1 : 0);
}

void TCkBrowseForFolderDialog::SetOKText(const String& Text) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETOKTEXT, 0, reinterpret_cast<LPARAM>(W(Text)));
}

void TCkBrowseForFolderDialog::SetExpanded(const String& Path) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETEXPANDED, TRUE, reinterpret_cast<LPARAM>(W(Path)));
}

void TCkBrowseForFolderDialog::SetExpanded(LPCITEMIDLIST List) {
  if (FDialogWindow) SendMessageW(FDialogWindow, BFFM_SETEXPANDED, FALSE, reinterpret_cast<LPARAM>(List));
}

// ---- Execute

bool TCkBrowseForFolderDialog::Execute(HWND ParentWnd) {
  FOwnerWindow = ParentWnd;
  const DWORD version = services::Shell32Version();
  if (version < 0x00040000) {
    FOwnerWindow = nullptr;
    throw ECKException(kShellNotCompatible);
  }
  FDialogWindow = nullptr;
  FHandle = nullptr;
  FPositionSet = false;
  FHelpButtonHandle = nullptr;
  FHelpButtonHeightDelta = 0;
  FUsedOptions = UsableBrowseOptions(FOptions, version);
  const bool newStyle = FUsedOptions.Contains(odNewDialogStyle);

  struct TRootList {
    LPITEMIDLIST List;
    ~TRootList() { services::FreeShellItemList(List); }
  } root{RootItemList()};
  wchar_t displayName[MAX_PATH + 1] = {};
  const String title = BrowseDialogTitle(FTitle, FStatusText, newStyle);

  BROWSEINFOW info{};
  info.hwndOwner = FOwnerWindow;
  info.pidlRoot = root.List;
  info.pszDisplayName = displayName;
  info.lpszTitle = title.empty() ? nullptr : W(title);
  info.ulFlags = BrowseOptionFlags(FUsedOptions);
  info.lpfn = &TCkBrowseForFolderDialog::BrowseCallback;
  info.lParam = reinterpret_cast<LPARAM>(this);

  struct TClosed {
    TCkBrowseForFolderDialog* Self;
    ~TClosed() {
      Self->FDialogWindow = nullptr;
      Self->FHandle = nullptr;
      Self->FOwnerWindow = nullptr;
    }
  } closed{this};

  services::FreeShellItemList(FPidl);
  FPidl = nullptr;
  {
    TComInit com(newStyle);
    TTaskWindowsDisabled disabled;
    FPidl = SHBrowseForFolderW(&info);
  }
  if (!FPidl) return false;
  FDisplayName = FromW(displayName);
  FDirectory = ParsingName(nullptr, FPidl);
  return true;
}

// ---- Notifications of the shell's dialog

int CALLBACK TCkBrowseForFolderDialog::BrowseCallback(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data) {
  auto* self = reinterpret_cast<TCkBrowseForFolderDialog*>(Data);
  try {
    return self->Notify(Wnd, Msg, LParam);
  } catch (...) {
    if (fw::Application) fw::Application->HandleException(self);
    return 0;
  }
}

int TCkBrowseForFolderDialog::Notify(HWND Wnd, UINT Msg, LPARAM LParam) {
  FDialogWindow = Wnd;
  FHandle = Wnd;
  switch (Msg) {
    case BFFM_INITIALIZED:
      Initialized();
      return 0;
    case BFFM_SELCHANGED: {
      auto list = reinterpret_cast<LPITEMIDLIST>(LParam);
      wchar_t path[MAX_PATH + 1] = {};
      if (!list || !SHGetPathFromIDListW(list, path)) path[0] = 0;
      const String selected = FromW(path);
      // Pidl names the selected item while the events run.
      LPITEMIDLIST saved = FPidl;
      FPidl = list;
      struct TRestore {
        LPITEMIDLIST& Field;
        LPITEMIDLIST Saved;
        ~TRestore() { Field = Saved; }
      } restore{FPidl, saved};
      if (FOnAcceptChange) {
        bool accept = true;
        FOnAcceptChange(this, selected, accept);
        SetOKEnabled(accept);
      }
      UpdateStatusLine(selected);
      if (FOnChange) FOnChange(this, selected);
      return 0;
    }
    case BFFM_VALIDATEFAILEDA:
    case BFFM_VALIDATEFAILEDW: {
      if (!FOnValidateFailed) return 0;
      String text = Msg == BFFM_VALIDATEFAILEDW ? FromW(reinterpret_cast<const wchar_t*>(LParam))
                                                : fw::AnsiToString(reinterpret_cast<const char*>(LParam));
      bool canClose = true;
      FOnValidateFailed(this, text, canClose);
      return canClose ? 0 : 1;
    }
    case BFFM_IUNKNOWN: {
      auto* unknown = reinterpret_cast<IUnknown*>(LParam);
      if (unknown && (FOnShouldShow || FOnGetEnumFlags)) {
        IFolderFilterSite* site = nullptr;
        if (SUCCEEDED(unknown->QueryInterface(IID_IFolderFilterSite, reinterpret_cast<void**>(&site))) && site) {
          site->SetFilter(static_cast<IFolderFilter*>(this));
          site->Release();
        }
      }
      return 0;
    }
    default:
      return 0;
  }
}

void TCkBrowseForFolderDialog::Initialized() {
  FPositionSet = !FUsedOptions.Contains(odNewDialogStyle);
  if (!FUsedOptions.Contains(odNewDialogStyle)) {
    PlaceDialog();
  } else if (!FDefWndProc) {
    // The new-style dialog is resized after this notice: it is placed when
    // it is first shown, and its help button follows its size.
    SetPropW(FDialogWindow, kDialogProperty, reinterpret_cast<HANDLE>(this));
    FDefWndProc = fw::ReplaceWindowProc(FDialogWindow, &TCkBrowseForFolderDialog::DialogWindowProc);
  }
  if (FHelpContext != 0) AddHelpButton();
  if (!FDirectory.empty()) SetSelection(FDirectory);
  UpdateStatusLine(FDirectory);
  if (FOnInit) FOnInit(this);
}

void TCkBrowseForFolderDialog::AddHelpButton() {
  HWND button = FindWindowExW(FDialogWindow, nullptr, L"BUTTON", nullptr);
  if (!button) return;
  RECT dialog{}, r{};
  GetWindowRect(FDialogWindow, &dialog);
  GetWindowRect(button, &r);
  MapWindowPoints(nullptr, FDialogWindow, reinterpret_cast<POINT*>(&r), 2);
  FHelpButtonHeightDelta = (dialog.bottom - dialog.top) - r.top;
  FHelpButtonHandle = CreateWindowExW(0, L"BUTTON", L"&Help", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, 12,
                                      r.top, r.right - r.left, r.bottom - r.top, FDialogWindow,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kHelpButtonId)),
                                      GetModuleHandleW(nullptr), nullptr);
  if (FHelpButtonHandle) {
    SendMessageW(FHelpButtonHandle, WM_SETFONT, SendMessageW(FDialogWindow, WM_GETFONT, 0, 0), 0);
    UpdateWindow(FDialogWindow);
  }
}

void TCkBrowseForFolderDialog::UpdateStatusLine(const String& Path) {
  if (!FUsedOptions.Contains(odStatusAvailable) || FUsedOptions.Contains(odNewDialogStyle)) return;
  String text = FStatusText;
  if (text.empty()) {
    HWND status = GetDlgItem(FDialogWindow, kStatusControlId);
    if (!status) return;
    RECT dialog{}, sr{};
    GetWindowRect(FDialogWindow, &dialog);
    GetWindowRect(status, &sr);
    const int width = dialog.right + dialog.left - 2 * sr.left - 8;
    fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
    if (mainForm) {
      services::EllipsizePathText(Path, mainForm->Canvas(), width, text);
    } else {
      HDC dc = GetDC(nullptr);
      {
        fw::TCanvas canvas;
        canvas.SetHandle(dc);
        services::EllipsizePathText(Path, &canvas, width, text);
        canvas.SetHandle(nullptr);
      }
      ReleaseDC(nullptr, dc);
    }
  }
  SetStatusText(text);
}

void TCkBrowseForFolderDialog::PlaceDialog() {
  if (FPosition == fpDefault || !FDialogWindow) return;
  RECT client{};
  if (!GetClientRect(FDialogWindow, &client)) return;
  HMONITOR monitor = MonitorFromWindow(FOwnerWindow, MONITOR_DEFAULTTONEAREST);
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(monitor, &mi);
  RECT owner{};
  if (FOwnerWindow) GetWindowRect(FOwnerWindow, &owner);
  TPoint p;
  if (!BrowseDialogPlacement(FPosition, TRect{mi.rcWork.left, mi.rcWork.top, mi.rcWork.right, mi.rcWork.bottom},
                             TRect{owner.left, owner.top, owner.right, owner.bottom}, client.right - client.left,
                             client.bottom - client.top, p))
    return;
  SetWindowPos(FDialogWindow, nullptr, p.x, p.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- The subclassed new-style dialog

LRESULT CALLBACK TCkBrowseForFolderDialog::DialogWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) {
  auto* self = reinterpret_cast<TCkBrowseForFolderDialog*>(GetPropW(Wnd, kDialogProperty));
  if (!self) return DefWindowProcW(Wnd, Msg, WParam, LParam);
  WNDPROC previous = self->FDefWndProc;
  if (Msg == WM_NCDESTROY) {
    // The procedure goes back while the window still exists.
    fw::RestoreWindowProc(Wnd, &TCkBrowseForFolderDialog::DialogWindowProc, previous);
    RemovePropW(Wnd, kDialogProperty);
    self->FDefWndProc = nullptr;
    return CallWindowProcW(previous, Wnd, Msg, WParam, LParam);
  }
  try {
    return self->DialogMessage(Msg, WParam, LParam);
  } catch (...) {
    if (fw::Application) fw::Application->HandleException(self);
    return 0;
  }
}

LRESULT TCkBrowseForFolderDialog::DialogMessage(UINT Msg, WPARAM WParam, LPARAM LParam) {
  HWND wnd = FDialogWindow;
  switch (Msg) {
    case WM_SHOWWINDOW:
      if (!FPositionSet) {
        PlaceDialog();
        FPositionSet = true;
      }
      break;
    case WM_SIZE: {
      LRESULT result = CallWindowProcW(FDefWndProc, wnd, Msg, WParam, LParam);
      if (FHelpButtonHandle) {
        RECT dialog{}, r{};
        GetWindowRect(wnd, &dialog);
        GetWindowRect(FHelpButtonHandle, &r);
        MapWindowPoints(nullptr, wnd, reinterpret_cast<POINT*>(&r), 2);
        SetWindowPos(FHelpButtonHandle, nullptr, r.left, (dialog.bottom - dialog.top) - FHelpButtonHeightDelta, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return result;
    }
    default:
      break;
  }
  return CallWindowProcW(FDefWndProc, wnd, Msg, WParam, LParam);
}

// ---- IFolderFilter

HRESULT STDMETHODCALLTYPE TCkBrowseForFolderDialog::QueryInterface(REFIID riid, void** ppv) {
  if (!ppv) return E_POINTER;
  if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IFolderFilter)) {
    *ppv = static_cast<IFolderFilter*>(this);
    return S_OK;
  }
  *ppv = nullptr;
  return E_NOINTERFACE;
}

HRESULT STDMETHODCALLTYPE TCkBrowseForFolderDialog::ShouldShow(IShellFolder* psf, PCIDLIST_ABSOLUTE,
                                                                PCUITEMID_CHILD pidlItem) {
  try {
    bool show = true;
    if (FOnShouldShow) FOnShouldShow(this, ParsingName(psf, pidlItem), show);
    return show ? S_OK : S_FALSE;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

HRESULT STDMETHODCALLTYPE TCkBrowseForFolderDialog::GetEnumFlags(IShellFolder*, PCIDLIST_ABSOLUTE pidlFolder, HWND*,
                                                                  DWORD* pgrfFlags) {
  try {
    if (!pgrfFlags) return E_POINTER;
    TCkBrowsableObjectClasses classes = FlagsToBrowsableClasses(*pgrfFlags);
    if (FOnGetEnumFlags) FOnGetEnumFlags(this, ParsingName(nullptr, pidlFolder), classes);
    *pgrfFlags = BrowsableClassesToFlags(classes);
    return S_OK;
  } catch (...) {
    return E_UNEXPECTED;
  }
}

}  // namespace ck
