// Making a font file usable for one rendering and naming it: adding it to
// the system's font table and removing it again, the face name a renderer
// selects, the symbol-charset test, the installed faces, and the face
// properties that the font database stores.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "app/core/font_database.h"
#include "app/core/ttf_info.h"
#include "fw/core/types.h"

namespace app {

// A font file in the system's font table while the holder lives: the
// constructor adds it (a ".PFM" as its resource name "x.PFM|x.PFB"), the
// destructor removes it when the add gave any font. The table is shared by
// every program, so nothing is left in it. A private font is seen by this
// process alone, and the system drops it when the process ends.
class TAddedFontResource {
 public:
  enum TScope { System, Private };
  explicit TAddedFontResource(const fw::String& resourceName, TScope scope = System);
  ~TAddedFontResource();
  TAddedFontResource(const TAddedFontResource&) = delete;
  TAddedFontResource& operator=(const TAddedFontResource&) = delete;

  bool Loaded() const { return fontsAdded_ > 0; }
  int FontsAdded() const { return fontsAdded_; }
  const fw::String& ResourceName() const { return resourceName_; }

 private:
  fw::String resourceName_;
  TScope scope_;
  int fontsAdded_ = 0;
};

// The user's application-data folder followed by "\Okrabel\Vestaline" (no
// trailing backslash). Tests may point it elsewhere.
fw::String VestalineFolder();
void SetAppDataFolderForTests(const fw::String& Folder);  // empty: the real one
// The temporary font resource file: VestalineFolder() + "\TEMPFONTFile.FOT".
fw::String TempFotFileName();

// The system's description of a font resource (GetFontResourceInfoW, looked
// up in gdi32 at run time); empty when the function is missing or fails.
fw::String GetFontResourceDescription(const fw::String& resourceName);

// The face name that a font resource file made for the font file names;
// empty when the file can't be made. The temporary file is deleted in
// every case; reading it raises the stream error.
fw::String GetFontResNameViaFot(const fw::String& path, const fw::String& fotFile);
fw::String GetFontResNameViaFot(const fw::String& path);
// The same for a file whose naming table was found sound already (the
// search and the build check each file once).
fw::String FotFaceNameOfSoundFile(const fw::String& path, const fw::String& fotFile);

// True when the system enumerates a face of that name.
bool FaceIsInstalled(const fw::String& face);

// The name from a TrueType, OpenType or collection file's own naming table
// (first font of a collection): its full name, else its family name, the
// first that the system enumerates (so call it while the file is added).
// Empty when neither is.
fw::String FaceNameFromFontFile(const fw::String& path);
// The same with the test of each name given: it answers whether the system
// enumerates the face (a build reads the face's fields in the same pass).
fw::String FaceNameFromFontFile(const fw::String& path, const std::function<bool(const fw::String&)>& enumerated);
// The same from names already read from the file's naming table.
fw::String FaceNameFromNames(const tTTFList& names, const std::function<bool(const fw::String&)>& enumerated);

// The ways of finding a face name, replaceable for tests.
struct TFaceNameRoutes {
  int OsPlatformId = VER_PLATFORM_WIN32_NT;  // 1 (Windows 9x) goes via the resource file
  std::function<fw::String(const fw::String&)> Description = GetFontResourceDescription;
  std::function<fw::String(const fw::String&)> ViaFot = [](const fw::String& p) { return GetFontResNameViaFot(p); };
  std::function<fw::String(const fw::String&)> FromFile = [](const fw::String& p) { return FaceNameFromFontFile(p); };
  // The file's own naming table before the font resource file: a build
  // names hundreds of files, and the resource file is written, read and
  // deleted for each of them.
  bool FileBeforeFot = false;
};

// The face name of an added font file, at most 31 characters: the system's
// description cut by the file's kind, else (".TTF", ".OTF") the name in a
// font resource file, else the file's own naming table. Some systems answer
// neither (Wine fails the first and names "??" in the second). Empty when
// no usable name is found: such a file is skipped rather than drawn in
// whatever face the system substitutes.
fw::String GetFontFaceName(const fw::String& path, const TFaceNameRoutes& routes = {});

// Adds the names of the charsets the face is enumerated in to charsetNames
// (each once; the list is not cleared) and answers whether
// "SYMBOL_CHARSET" is among them.
bool IsSymbolFont(const fw::String& face, std::vector<fw::String>& charsetNames);

// The faces installed in the system, each once, sorted ignoring case.
std::vector<fw::String> InstalledFontNames();

// The database's font type code of the face's first enumerated style; 0
// when the face isn't enumerated.
int GetFontTypeCode(HDC dc, const fw::String& face);
// The database's weight text of the face's first enumerated style; "0"
// when the face isn't enumerated.
fw::String GetWeightForDatabase(const fw::String& face);
// Enumeration callback for the first style of a face (lParam: the
// TFontDatabase): sets RecStyle and RecFamily, then stops the enumeration.
int CALLBACK EnumFontStyleProc(const LOGFONTW* logFont, const TEXTMETRICW* metric, DWORD fontType, LPARAM lParam);
// Runs EnumFontStyleProc on the face; leaves both fields as they were when
// the face isn't enumerated.
void GetFontStyleForDatabase(TFontDatabase& database, HDC dc, const fw::String& face);
// RecFontType, RecWeight, RecStyle and RecFamily from one enumeration of the
// face's first style: what the three above give, at a third of the cost.
// Type "0" and weight "0" (style and family kept) when it isn't enumerated;
// answers whether it was.
// dc: the desktop's for null; a walk over hundreds of files passes one it
// holds for the whole walk.
bool GetFaceFieldsForDatabase(TFontDatabase& database, const fw::String& face, HDC dc = nullptr);

}  // namespace app
