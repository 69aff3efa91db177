// The remaining computer information objects: up-time, connection state and
// the desktop settings kept in the user's registry (stored, not applied),
// versions of installed runtimes, the hardware profile, and what the shell
// knows of one file.
#pragma once

#include <windows.h>

#include <memory>

#include "fw/core/strings_list.h"
#include "fw/graphics/icon.h"
#include "fw/graphics/imagelist.h"
#include "services/ckcomputerinfo.h"
#include "services/core/sysinfo_decode.h"

namespace services {

// "<days> <time of day>" of an up-time in milliseconds, the time in the
// user's long time format.
fw::String TimeRunningText(int64_t Milliseconds);

class TCkAppVersions : public TCkReadOnlyInfo {
  FW_CLASS(TCkAppVersions, TCkReadOnlyInfo)
  fw::String DirectX() const;
  // Asked on a hidden window of its own: finding the version fixes the
  // pixel format of the window it is asked on.
  fw::String OpenGL() const;
  fw::String BDE() const;
  fw::String ADO() const;
  fw::String InternetExplorer() const;
};

class TCkHardwareProfile : public TCkReadOnlyInfo {
  FW_CLASS(TCkHardwareProfile, TCkReadOnlyInfo)
  // Zeros when the system has no profile function.
  HW_PROFILE_INFOW NativeType() const;
  fw::String GUID() const;
  fw::String Name() const;
  TCkHWDockInfo DockInfo() const { return DockInfoFrom(NativeType().dwDockInfo); }
};

enum class TCkWallpaperStyle { wsCenter, wsUnused, wsStretch };

class TCkMiscInfo : public TCkWriteableInfo {
  FW_CLASS(TCkMiscInfo, TCkWriteableInfo)

 public:
  ~TCkMiscInfo() override;
  int64_t TimeRunning() const;
  fw::String TimeRunningAsString() const { return TimeRunningText(TimeRunning()); }
  bool Online() const;
  fw::String ScreenSaver() const;
  void SetScreenSaver(const fw::String& Value) { WriteDesktop(u"SCRNSAVE.EXE", Value); }
  int DVDRegion() const;
  bool NetBIOS() const;
  bool WallpaperTiled() const { return ReadDesktop(u"TileWallpaper", u"0") != u"0"; }
  void SetWallpaperTiled(bool Value) { WriteDesktop(u"TileWallpaper", Value ? u"1" : u"0"); }
  fw::String Wallpaper() const { return ReadDesktop(u"Wallpaper"); }
  void SetWallpaper(const fw::String& Value) { WriteDesktop(u"Wallpaper", Value); }
  // A stored text that is not a number raises the conversion error.
  TCkWallpaperStyle WallpaperStyle() const;
  // wsUnused writes nothing.
  void SetWallpaperStyle(TCkWallpaperStyle Value);
  fw::String Pattern() const { return ReadDesktop(u"Pattern"); }
  void SetPattern(const fw::String& Value) { WriteDesktop(u"Pattern", Value); }
  // Refilled and sorted on every read.
  fw::TStrings* ColorSchemes();
  fw::String CurrentColorScheme() const;
  void SetCurrentColorScheme(const fw::String& Value);
  TCkAppVersions* Versions();
  TCkHardwareProfile* HardwareProfile();

 private:
  fw::String ReadDesktop(const fw::String& Name, const fw::String& Default = {}) const;
  void WriteDesktop(const fw::String& Name, const fw::String& Value);
  void WriteUserString(const fw::String& Key, const fw::String& Name, const fw::String& Value);
  std::unique_ptr<TCkAppVersions> FVersions;
  std::unique_ptr<TCkHardwareProfile> FHardwareProfile;
  std::unique_ptr<fw::TStringList> FColorSchemes;
};

// Modifiers of the file icon.
enum TCkIconModifier { imNormal, imOverlay, imSelected, imOpen, imShellSize, imSmall };
using TCkIconModifiers = unsigned;  // bit per modifier
constexpr TCkIconModifiers IconModifierBit(TCkIconModifier m) { return 1u << m; }
// The shell flags of a set of modifiers.
UINT IconModifierFlags(TCkIconModifiers Modifiers);

// What the shell knows of one file.
class TCkFileInfo : public TCkWriteableInfo {
  FW_CLASS(TCkFileInfo, TCkWriteableInfo)

 public:
  TCkFileInfo();
  ~TCkFileInfo() override;
  // The shell's system image lists, shared and never destroyed here.
  fw::TCustomImageList* LargeImages() const { return FLargeImages.get(); }
  fw::TCustomImageList* SmallImages() const { return FSmallImages.get(); }
  const fw::String& FileName() const { return FFileName; }
  void SetFileName(const fw::String& Value);
  TCkIconModifiers Modifiers() const { return FModifiers; }
  // imNormal is always part of the set.
  void SetModifiers(TCkIconModifiers Value);
  int IconIndex() const;
  fw::String DisplayName() const;
  TCkExeType ExeType() const;
  fw::String AttrString() const { return AttributeLetters(static_cast<uint32_t>(Attributes())); }
  fw::String IconLocation() const;
  fw::String TypeString() const;
  fw::TIcon* Icon() const { return FIcon.get(); }
  // Refreshes the icon and returns its handle.
  HICON IconHandle();
  DWORD Attributes() const { return GetFileAttributesW(W(FFileName)); }

 private:
  void RefreshIcon();
  std::unique_ptr<fw::TCustomImageList> FLargeImages, FSmallImages;
  fw::String FFileName;
  TCkIconModifiers FModifiers = IconModifierBit(imNormal);
  std::unique_ptr<fw::TIcon> FIcon;
};

}  // namespace services
