// TCkBrowseForFolderDialog: the shell's folder picker (SHBrowseForFolderW) as
// a dialog component. It adds a root given as a special folder or a path,
// options adapted to the shell's version, an initial selection, placement of
// the dialog window, a help button, a status line with the selected path and
// events for the picker's notifications, including the shell's item filter.
#pragma once

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "controls/base/ckcommondialog.h"
#include "fw/core/events.h"
#include "fw/core/sets.h"

namespace ck {

using fw::String;

// Bit n of the set is member n; each member adds its shell flag
// (BrowseOptionFlags).
FW_ENUM(TOptionsDirectory, odBrowseForComputer, odOnlyDirectory, odOnlyPrinters, odNoBelowDomain,
        odSystemAncestorsOnly, odFileSystemDirectoryOnly, odStatusAvailable, odIncludeFiles, odIncludeUrls,
        odEditBox, odNewDialogStyle, odShareable, odUsageHint, odNoNewButtonFolder, odValidate)
using TOptionsDirectories = fw::TSet<TOptionsDirectory>;

FW_ENUM(TCkFolderPos, fpDefault, fpScreenCenter, fpFormCenter, fpTopLeft, fpTopRight, fpBottomLeft,
        fpBottomRight)

// The kinds of items the picker enumerates (SHCONTF_... values).
FW_ENUM(TCkBrowsableObjectClass, ocFolders, ocNonFolders, ocIncludeHidden, ocInitOnFirstNext, ocNetPrinterSrch,
        ocSharable, ocStorage)
using TCkBrowsableObjectClasses = fw::TSet<TCkBrowsableObjectClass>;

// The special folders offered as the root (fdNoSpecialFolder: the root is
// RootDirectoryPath).
FW_ENUM(TFromDirectory, fdNoSpecialFolder, fdRootFolder, fdRecycleBin, fdControlPanel, fdDesktop,
        fdDesktopDirectory, fdMyComputer, fdFonts, fdNetHood, fdNetwork, fdPersonal, fdPrinters, fdPrograms,
        fdRecent, fdSendTo, fdStartMenu, fdStartup, fdTemplates, fdStartUpNonLocalized,
        fdCommonStartUpNonLocalized, fdCommonDocuments, fdCommonFavorites, fdCommonPrograms, fdCommonStartUp,
        fdCommonTemplates, fdCookies, fdFavorites, fdHistory, fdInternet, fdMyMusic, fdPrinthood,
        fdConnections, fdAppData, fdInternetCache, fdAdminTools, fdCommonAdminTools, fdCommonAppData,
        fdLocalAppData, fdMyPictures, fdProfile, fdProgramFiles, fdProgramFilesCommon, fdSystem, fdWindows,
        fdCDBurnArea, fdCommonMusic, fdCommonPictures, fdCommonVideo, fdMyDocuments, fdMyVideo, fdProfiles,
        fdResources, fdResourcesLocalized, fdCommonOEMLinks, fdComputersNearMe)

// ---- Rules of the dialog, open to tests ---------------------------------------

// The ulFlags of the shell's dialog record for a set of options.
UINT BrowseOptionFlags(TOptionsDirectories Options);
// The enumeration flags of a class set and back (a member when all its bits
// are set).
DWORD BrowsableClassesToFlags(TCkBrowsableObjectClasses Classes);
TCkBrowsableObjectClasses FlagsToBrowsableClasses(DWORD Flags);
// Options as written to the Options property when Old was the set before:
// the dependent options follow the ones added and removed.
TOptionsDirectories AdjustBrowseOptions(TOptionsDirectories Old, TOptionsDirectories Value);
// The options a shell of ShellVersion (major shl 16 or minor) can take.
TOptionsDirectories UsableBrowseOptions(TOptionsDirectories Options, DWORD ShellVersion);
// The dialog's title line(s): with the new dialog style the status text goes
// below the title, as the new style has no status line.
String BrowseDialogTitle(const String& Title, const String& StatusText, bool NewDialogStyle);

// How a special folder is reached on a shell of ShellVersion.
struct TSpecialFolderRoot {
  enum TKind : uint8_t { rkLocation, rkFolderPath, rkNone };
  TKind Kind = rkNone;
  // The folder actually used (after the fall-backs) and its CSIDL.
  TFromDirectory Folder = fdNoSpecialFolder;
  int Csidl = 0;
};
TSpecialFolderRoot ResolveSpecialFolder(TFromDirectory Folder, DWORD ShellVersion, bool IsNT);
int SpecialFolderCsidl(TFromDirectory Folder);

// Top-left corner of a dialog of client size Width x Height for Position in
// the work area (or, for fpFormCenter, centred on the owner's rectangle).
// False for fpDefault.
bool BrowseDialogPlacement(TCkFolderPos Position, const fw::TRect& WorkArea, const fw::TRect& OwnerRect,
                           int Width, int Height, fw::TPoint& TopLeft);

// ---- The component ------------------------------------------------------------

using TCkBrowseFolderChange = fw::TEvent<void(fw::TObject* Sender, const String& Directory)>;
using TCkBrowseFolderAcceptChange = fw::TEvent<void(fw::TObject* Sender, const String& NewFolder, bool& Accept)>;
using TCkBrowseFolderShouldShow = fw::TEvent<void(fw::TObject* Sender, const String& Item, bool& DoShow)>;
using TCkBrowseFolderGetEnumFlags =
    fw::TEvent<void(fw::TObject* Sender, const String& AFolder, TCkBrowsableObjectClasses& Flags)>;
using TCkBrowseFolderValidateFailed =
    fw::TEvent<void(fw::TObject* Sender, const String& AEditText, bool& CanCloseDialog)>;

class TCkBrowseForFolderDialog : public TCkCommonDialog, public IFolderFilter {
  FW_CLASS(TCkBrowseForFolderDialog, TCkCommonDialog)

  explicit TCkBrowseForFolderDialog(fw::TComponent* AOwner);
  ~TCkBrowseForFolderDialog() override;

  using TCkCommonDialog::Execute;
  // Shows the picker modally; true when the user chose an item, which is
  // then in Directory, DisplayName and Pidl. ECKException "Shell not
  // compatible with BrowseForFolder" on shells before 4.0.
  bool Execute(HWND ParentWnd) override;

  // While the dialog is open (Handle() not 0):
  void SetSelection(const String& Path);
  void SetSelection(LPCITEMIDLIST List);
  void SetStatusText(const String& Text);
  void SetOKEnabled(bool Value);
  void SetOKText(const String& Text);
  void SetExpanded(const String& Path);
  void SetExpanded(LPCITEMIDLIST List);

  const String& Directory() const { return FDirectory; }
  void SetDirectory(const String& Value) { FDirectory = Value; }
  const String& DisplayName() const { return FDisplayName; }
  void SetDisplayName(const String& Value) { FDisplayName = Value; }
  int HelpContext() const { return FHelpContext; }
  void SetHelpContext(int Value) { FHelpContext = Value; }
  TOptionsDirectories Options() const { return FOptions; }
  void SetOptions(TOptionsDirectories Value);
  // The options the running (or last) Execute used.
  TOptionsDirectories UsedOptions() const { return FUsedOptions; }
  TCkFolderPos Position() const { return FPosition; }
  void SetPosition(TCkFolderPos Value) { FPosition = Value; }
  TFromDirectory RootDirectory() const { return FRootDirectory; }
  void SetRootDirectory(TFromDirectory Value);
  // With a special folder set: that folder's path.
  String RootDirectoryPath() const;
  void SetRootDirectoryPath(const String& Value);
  const String& Title() const { return FTitle; }
  void SetTitle(const String& Value) { FTitle = Value; }
  const String& StatusText() const { return FStatusText; }
  void WriteStatusText(const String& Value) { FStatusText = Value; }
  LPITEMIDLIST Pidl() const { return FPidl; }

  fw::TNotifyEvent FOnInit;
  TCkBrowseFolderChange FOnChange;
  TCkBrowseFolderAcceptChange FOnAcceptChange;
  TCkBrowseFolderShouldShow FOnShouldShow;
  TCkBrowseFolderGetEnumFlags FOnGetEnumFlags;
  TCkBrowseFolderValidateFailed FOnValidateFailed;

  // IFolderFilter. The component is not reference counted: it lives as
  // long as its owner keeps it.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override;
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE ShouldShow(IShellFolder* psf, PCIDLIST_ABSOLUTE pidlFolder,
                                       PCUITEMID_CHILD pidlItem) override;
  HRESULT STDMETHODCALLTYPE GetEnumFlags(IShellFolder* psf, PCIDLIST_ABSOLUTE pidlFolder, HWND* phwnd,
                                         DWORD* pgrfFlags) override;

  bool RootPathStored() const { return FRootDirectory == fdNoSpecialFolder && !FRootDirectoryPath.empty(); }

  // The shell's notification callback; Data is the dialog component.
  static int CALLBACK BrowseCallback(HWND Wnd, UINT Msg, LPARAM LParam, LPARAM Data);

 private:
  static LRESULT CALLBACK DialogWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
  int Notify(HWND Wnd, UINT Msg, LPARAM LParam);
  LRESULT DialogMessage(UINT Msg, WPARAM WParam, LPARAM LParam);
  void Initialized();
  void AddHelpButton();
  void UpdateStatusLine(const String& Path);
  void PlaceDialog();
  LPITEMIDLIST RootItemList() const;

  HWND FOwnerWindow = nullptr;
  HWND FDialogWindow = nullptr;
  int FHelpContext = 0;
  String FTitle;
  TOptionsDirectories FOptions;
  TOptionsDirectories FUsedOptions;
  String FDisplayName;
  TFromDirectory FRootDirectory = fdNoSpecialFolder;
  String FRootDirectoryPath;
  String FDirectory;
  TCkFolderPos FPosition = fpScreenCenter;
  LPITEMIDLIST FPidl = nullptr;
  String FStatusText;
  HWND FHelpButtonHandle = nullptr;
  int FHelpButtonHeightDelta = 0;
  WNDPROC FDefWndProc = nullptr;
  bool FPositionSet = false;
};

// Lets form descriptions create the dialogs of this library by name.
void RegisterDialogClasses();

}  // namespace ck
