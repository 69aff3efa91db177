#include "services/ckinfo_misc.h"

#include <nb30.h>
#include <shellapi.h>

#include <algorithm>

#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/platform/locale.h"
#include "fw/platform/registry.h"
#include "fw/platform/system_function.h"
#include "services/appstorage_win.h"
#include "services/ckinfo_publish.h"
#include "services/uclsysinfo.h"
#include "services/uclutils.h"

namespace services {

namespace {

const char16_t kDesktopKey[] = u"\\Control Panel\\Desktop";
const char16_t kCurrentKey[] = u"\\Control Panel\\Current";
// Where the legacy database engine keeps its folder.
const char16_t kDatabaseEngineKey[] = u"\\SOFTWARE\\Borland\\Database Engine";

fw::String FromWide(const wchar_t* Text) { return fw::String(reinterpret_cast<const char16_t*>(Text)); }

fw::String ReadString(HKEY Root, const fw::String& Key, const fw::String& Name, const fw::String& Default,
                      REGSAM View = 0) {
  try {
    fw::TRegistry reg(KEY_READ | View);
    reg.SetRootKey(Root);
    if (!reg.OpenKeyReadOnly(Key) || !reg.ValueExists(Name)) return Default;
    return reg.ReadString(Name);
  } catch (const fw::Exception&) {
    return Default;
  }
}

REGSAM NativeView() { return RunningOn64BitWindows() ? KEY_WOW64_64KEY : 0; }

}  // namespace

fw::String TimeRunningText(int64_t Milliseconds) {
  return fw::IntToStr(UptimeDays(Milliseconds)) + u" " +
         fw::FormatDateTime(u"tt", UptimeTimeOfDay(Milliseconds), fw::UserFormatSettings());
}

// ---- Versions

fw::String TCkAppVersions::DirectX() const {
  return ReadString(HKEY_LOCAL_MACHINE, u"\\SOFTWARE\\Microsoft\\DirectX", u"Version", {}, NativeView());
}

fw::String TCkAppVersions::OpenGL() const {
  HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  if (!window) return fw::String();
  struct Destroy {
    HWND w;
    ~Destroy() { DestroyWindow(w); }
  } destroy{window};
  fw::String version, vendor;
  return GetOpenGLVersion(window, version, vendor) ? version : fw::String();
}

fw::String TCkAppVersions::BDE() const {
  fw::String folder = ReadString(HKEY_LOCAL_MACHINE, kDatabaseEngineKey, u"DLLPATH", {});
  if (!folder.empty() && folder.back() == u'\\') folder.pop_back();
  if (folder.empty()) return fw::String();
  fw::String file = folder + u"\\idapi32.dll";
  if (!HasVersionResource(file)) file = folder + u"\\bdeadmin.exe";
  if (!HasVersionResource(file)) return fw::String();
  auto info = FileVersionInfoOf(file);
  return info ? info->FileVersion() : fw::String();
}

fw::String TCkAppVersions::ADO() const {
  return ReadString(HKEY_LOCAL_MACHINE, u"\\SOFTWARE\\Microsoft\\DataAccess", u"Version", {}, NativeView());
}

fw::String TCkAppVersions::InternetExplorer() const {
  return ReadString(HKEY_LOCAL_MACHINE, u"\\SOFTWARE\\Microsoft\\Internet Explorer", u"Version", {}, NativeView());
}

// ---- Hardware profile

HW_PROFILE_INFOW TCkHardwareProfile::NativeType() const {
  HW_PROFILE_INFOW info{};
  using ProfileFn = BOOL(WINAPI*)(HW_PROFILE_INFOW*);
  if (auto get = fw::SystemFunction<ProfileFn>(L"advapi32.dll", "GetCurrentHwProfileW")) {
    if (!get(&info)) info = HW_PROFILE_INFOW{};
  }
  return info;
}

fw::String TCkHardwareProfile::GUID() const {
  const HW_PROFILE_INFOW info = NativeType();
  return FromWide(info.szHwProfileGuid);
}

fw::String TCkHardwareProfile::Name() const {
  const HW_PROFILE_INFOW info = NativeType();
  return FromWide(info.szHwProfileName);
}

// ---- Misc

TCkMiscInfo::~TCkMiscInfo() = default;

int64_t TCkMiscInfo::TimeRunning() const { return static_cast<int64_t>(MillisecondClock()); }

bool TCkMiscInfo::Online() const {
  using ConnectedFn = BOOL(WINAPI*)(DWORD*, DWORD);
  auto connected = fw::SystemFunction<ConnectedFn>(L"wininet.dll", "InternetGetConnectedState");
  if (!connected) return false;
  DWORD flags = 0;
  return connected(&flags, 0) && flags != 0x20 /* INTERNET_CONNECTION_OFFLINE */;
}

fw::String TCkMiscInfo::ScreenSaver() const {
  const fw::String path = ReadDesktop(u"SCRNSAVE.EXE");
  return path.empty() ? path : fw::LongPathName(path);
}

int TCkMiscInfo::DVDRegion() const {
  try {
    fw::TRegistry reg(KEY_READ | NativeView());
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(u"\\" + CurrentVersionKey()) || !reg.ValueExists(u"DVD_Region")) return -1;
    return reg.ReadInteger(u"DVD_Region");
  } catch (const fw::Exception&) {
    return -1;
  }
}

bool TCkMiscInfo::NetBIOS() const {
  using NetbiosFn = UCHAR(WINAPI*)(NCB*);
  auto netbios = fw::SystemFunction<NetbiosFn>(L"netapi32.dll", "Netbios");
  if (!netbios) return false;
  NCB block{};
  block.ncb_command = NCBASTAT;
  return netbios(&block) != NRC_OPENERR;
}

TCkWallpaperStyle TCkMiscInfo::WallpaperStyle() const {
  return static_cast<TCkWallpaperStyle>(fw::StrToInt(ReadDesktop(u"WallpaperStyle", u"0")));
}

void TCkMiscInfo::SetWallpaperStyle(TCkWallpaperStyle Value) {
  if (Value == TCkWallpaperStyle::wsUnused) {
    if (!CanWrite()) RaiseReadOnlyError();
    return;
  }
  WriteDesktop(u"WallpaperStyle", fw::IntToStr(static_cast<int>(Value)));
}

fw::TStrings* TCkMiscInfo::ColorSchemes() {
  if (!FColorSchemes) FColorSchemes = std::make_unique<fw::TStringList>();
  FColorSchemes->Clear();
  try {
    fw::TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_CURRENT_USER);
    if (reg.OpenKeyReadOnly(u"\\Control Panel\\Appearance\\Schemes")) reg.GetValueNames(*FColorSchemes);
  } catch (const fw::Exception&) {
  }
  FColorSchemes->Sort();
  return FColorSchemes.get();
}

fw::String TCkMiscInfo::CurrentColorScheme() const { return ReadString(HKEY_CURRENT_USER, kCurrentKey, u"Color Schemes", {}); }

void TCkMiscInfo::SetCurrentColorScheme(const fw::String& Value) { WriteUserString(kCurrentKey, u"Color Schemes", Value); }

TCkAppVersions* TCkMiscInfo::Versions() {
  if (!FVersions) FVersions = std::make_unique<TCkAppVersions>();
  return FVersions.get();
}

TCkHardwareProfile* TCkMiscInfo::HardwareProfile() {
  if (!FHardwareProfile) FHardwareProfile = std::make_unique<TCkHardwareProfile>();
  return FHardwareProfile.get();
}

fw::String TCkMiscInfo::ReadDesktop(const fw::String& Name, const fw::String& Default) const {
  return ReadString(HKEY_CURRENT_USER, kDesktopKey, Name, Default);
}

void TCkMiscInfo::WriteDesktop(const fw::String& Name, const fw::String& Value) {
  WriteUserString(kDesktopKey, Name, Value);
}

void TCkMiscInfo::WriteUserString(const fw::String& Key, const fw::String& Name, const fw::String& Value) {
  if (!CanWrite()) return RaiseReadOnlyError();
  fw::TRegistry reg(KEY_READ | KEY_WRITE);
  reg.SetRootKey(HKEY_CURRENT_USER);
  if (!reg.OpenKey(Key, true))
    throw fw::ERegistryException(u"Unable to open key \"HKEY_CURRENT_USER" + Key + u"\" for write");
  reg.WriteString(Name, Value);
}

// ---- File information

UINT IconModifierFlags(TCkIconModifiers m) {
  UINT flags = 0;
  if (m & IconModifierBit(imOverlay)) flags |= SHGFI_LINKOVERLAY;
  if (m & IconModifierBit(imSelected)) flags |= SHGFI_SELECTED;
  if (m & IconModifierBit(imOpen)) flags |= SHGFI_OPENICON;
  if (m & IconModifierBit(imShellSize)) flags |= SHGFI_SHELLICONSIZE;
  if (m & IconModifierBit(imSmall)) flags |= SHGFI_SMALLICON;
  return flags;
}

namespace {

DWORD_PTR ShellInfo(const fw::String& FileName, UINT Flags, SHFILEINFOW& Info) {
  Info = SHFILEINFOW{};
  return SHGetFileInfoW(W(FileName), 0, &Info, sizeof Info, Flags);
}

std::unique_ptr<fw::TCustomImageList> SystemImageList(UINT Flags) {
  SHFILEINFOW info{};
  auto handle = reinterpret_cast<HIMAGELIST>(SHGetFileInfoW(L"", 0, &info, sizeof info, SHGFI_SYSICONINDEX | Flags));
  auto list = std::make_unique<fw::TCustomImageList>(nullptr);
  // The system's lists are shared by every program: never destroyed here.
  list->SetShareImages(true);
  if (handle) list->SetHandle(handle);
  return list;
}

}  // namespace

TCkFileInfo::TCkFileInfo()
    : FLargeImages(SystemImageList(0)), FSmallImages(SystemImageList(SHGFI_SMALLICON)),
      FIcon(std::make_unique<fw::TIcon>()) {}

TCkFileInfo::~TCkFileInfo() = default;

void TCkFileInfo::SetFileName(const fw::String& Value) {
  FFileName = Value;
  RefreshIcon();
}

void TCkFileInfo::SetModifiers(TCkIconModifiers Value) {
  if (Value == FModifiers) return;
  FModifiers = Value | IconModifierBit(imNormal);
  RefreshIcon();
}

void TCkFileInfo::RefreshIcon() {
  SHFILEINFOW info;
  ShellInfo(FFileName, SHGFI_ICON | SHGFI_SYSICONINDEX | IconModifierFlags(FModifiers), info);
  // The icon owns the handle the shell made for us and destroys it when it
  // is replaced.
  FIcon->SetHandle(info.hIcon);
}

HICON TCkFileInfo::IconHandle() {
  RefreshIcon();
  return FIcon->Handle();
}

int TCkFileInfo::IconIndex() const {
  SHFILEINFOW info;
  ShellInfo(FFileName, SHGFI_SYSICONINDEX, info);
  return info.iIcon;
}

fw::String TCkFileInfo::DisplayName() const {
  SHFILEINFOW info;
  ShellInfo(FFileName, SHGFI_DISPLAYNAME, info);
  return FromWide(info.szDisplayName);
}

TCkExeType TCkFileInfo::ExeType() const {
  SHFILEINFOW info;
  return ExeTypeFrom(ShellInfo(FFileName, SHGFI_EXETYPE, info));
}

fw::String TCkFileInfo::TypeString() const {
  SHFILEINFOW info;
  ShellInfo(FFileName, SHGFI_TYPENAME, info);
  fw::String type = FromWide(info.szTypeName);
  if (!type.empty()) return type;
  fw::String ext = fw::ExtractFileExt(FFileName);
  if (!ext.empty() && ext[0] == u'.') ext.erase(0, 1);
  return fw::Format(u"%s file", {fw::UpperCase(ext)});
}

fw::String TCkFileInfo::IconLocation() const {
  SHFILEINFOW info;
  fw::String location;
  ShellInfo(FFileName, SHGFI_ICONLOCATION, info);
  location = FromWide(info.szDisplayName);
  if (location.empty()) {
    ShellInfo(FFileName, SHGFI_ICONLOCATION | SHGFI_ICON, info);
    if (info.hIcon) DestroyIcon(info.hIcon);
    location = FromWide(info.szDisplayName);
  }
  if (location.empty()) {
    fw::String ext;
    if (FFileName.find(u'.') == fw::String::npos) {
      ext = !FFileName.empty() && FFileName[0] == u'.' ? FFileName : u"." + FFileName;
    } else {
      fw::String unquoted;
      for (char16_t c : FFileName)
        if (c != u'"' && c != u'\'') unquoted += c;
      ext = fw::ExtractFileExt(unquoted);
    }
    if (!ext.empty()) {
      const fw::String cls = ReadString(HKEY_CLASSES_ROOT, u"\\" + ext, u"", {});
      if (!cls.empty()) location = ReadString(HKEY_CLASSES_ROOT, u"\\" + cls + u"\\DefaultIcon", u"", {});
      if (location.find(u"%1") != fw::String::npos) location = FFileName;
      const size_t comma = location.find(u',');
      if (comma != fw::String::npos) location.resize(comma);
      // Environment references expand into a buffer of the size needed.
      ExpandEnvironmentText(location);
    }
  }
  location.erase(std::remove(location.begin(), location.end(), u'"'), location.end());
  return location;
}

// ---- Published properties

FW_REGISTER(TCkAppVersions) {
  using C = TCkAppVersions;
  PublishReadOnly(c, u"DirectX", &C::DirectX);
  PublishReadOnly(c, u"OpenGL", &C::OpenGL);
  PublishReadOnly(c, u"BDE", &C::BDE);
  PublishReadOnly(c, u"ADO", &C::ADO);
  PublishReadOnly(c, u"InternetExplorer", &C::InternetExplorer);
}

FW_REGISTER(TCkHardwareProfile) {
  using C = TCkHardwareProfile;
  PublishReadOnly(c, u"GUID", &C::GUID);
  PublishReadOnly(c, u"Name", &C::Name);
  PublishReadOnly(c, u"DockInfo", &C::DockInfo);
}

FW_REGISTER(TCkMiscInfo) {
  using C = TCkMiscInfo;
  PublishReadOnly(c, u"TimeRunning", &C::TimeRunning);
  PublishReadOnly(c, u"TimeRunningAsString", &C::TimeRunningAsString);
  PublishReadOnly(c, u"Online", &C::Online);
  c.Property(u"ScreenSaver", &C::ScreenSaver, &C::SetScreenSaver);
  PublishReadOnly(c, u"DVDRegion", &C::DVDRegion);
  PublishReadOnly(c, u"NetBIOS", &C::NetBIOS);
  c.Property(u"WallpaperTiled", &C::WallpaperTiled, &C::SetWallpaperTiled);
  c.Property(u"Wallpaper", &C::Wallpaper, &C::SetWallpaper);
  c.Property(u"WallpaperStyle", [](C& o) { return static_cast<int>(o.WallpaperStyle()); },
             [](C& o, int v) { o.SetWallpaperStyle(static_cast<TCkWallpaperStyle>(v)); });
  c.Property(u"Pattern", &C::Pattern, &C::SetPattern);
  c.Property(u"CurrentColorScheme", &C::CurrentColorScheme, &C::SetCurrentColorScheme);
  c.Property(u"Versions", &C::Versions, [](C&, TCkAppVersions*) {}).Stored(false);
  c.Property(u"HardwareProfile", &C::HardwareProfile, [](C&, TCkHardwareProfile*) {}).Stored(false);
}

FW_REGISTER(TCkFileInfo) {
  using C = TCkFileInfo;
  c.Property(u"FileName", &C::FileName, &C::SetFileName);
  c.Property(u"Modifiers", &C::Modifiers, &C::SetModifiers);
  PublishReadOnly(c, u"IconIndex", &C::IconIndex);
  PublishReadOnly(c, u"DisplayName", &C::DisplayName);
  PublishReadOnly(c, u"ExeType", &C::ExeType);
  PublishReadOnly(c, u"AttrString", &C::AttrString);
  PublishReadOnly(c, u"IconLocation", &C::IconLocation);
  PublishReadOnly(c, u"TypeString", &C::TypeString);
}

}  // namespace services
