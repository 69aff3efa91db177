// The skin engine's general routines that need the system: the caption font,
// the window animation switch, a message-pumping delay, process facts, folder
// and file helpers, published properties by name, and the skin descriptions
// in INI form.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "fw/core/object.h"
#include "fw/core/strings_list.h"
#include "fw/graphics/graphics.h"
#include "fw/graphics/icon.h"
#include "fw/platform/inifiles.h"
#include "fw/system/messages.h"
#include "skin/engine/core/bitmap_blend.h"

namespace skin {

// The caption font of the non-client metrics: its height (0 when the query
// fails) and a new font handle the caller deletes (null when it fails).
int CaptionFontHeight();
HFONT CreateCaptionFont();
// The fonts of the non-client metrics by kind.
enum TkNonClientFont { ncfCaption = 1, ncfSmallCaption = 2, ncfMenu = 3, ncfStatus = 4, ncfMessage = 5 };
// A new font handle the caller deletes (any other kind: the message font);
// null when the query fails.
HFONT NonClientFontHandle(int Kind);
// The canvas writes in that font (left as it is when the query fails).
void AssignNonClientFont(fw::TCanvas& Canvas, int Kind);
// The system's minimize and restore animation (not written to the profile).
bool SysWindowAnimationOn();
void SetSysWindowAnimation(bool on);
// Lets the application process its queue at least once, then until the time
// has passed (tick counter wrap-around is harmless).
void DelayProcessingMessages(unsigned milliseconds);
void ShowErrorMessage(const fw::String& text);

bool DebuggerIsPresent();
bool RunningUnderWow64();
// True when this is a 32-bit process on 64-bit Windows with desktop
// composition off at start: caption glow is then not painted.
extern bool Wow64WithoutComposition;

// A missing path (not found, not ready, bad name) is false; a path that
// exists but cannot be read is true. Links are followed.
bool FolderExists(const fw::String& path);
// The running executable's folder with its trailing "\".
fw::String AppFolder();
// The file's shell icon; null when the file is missing or has none.
std::unique_ptr<fw::TIcon> FileIconOf(const fw::String& fileName, UINT shellFlags);

fw::TMessage PackMessageRec(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT result);
TCacheInfo MakeCacheInfo(const TPixelView32& bmp, int x, int y);

// Skin descriptions in INI form ("Options.dat"), read through the
// framework's INI document: the lines become its sections once, then values
// are read by section and key (a missing one gives the default).
void ParseIniSections(const fw::TStrings& lines, fw::TMemIniFile& sections);
fw::String ReadIniString(fw::TMemIniFile& sections, const fw::String& section, const fw::String& key,
                         const fw::String& def);
// Decimal, "$" or "0x" hexadecimal; anything else gives the default.
int ReadIniInteger(fw::TMemIniFile& sections, const fw::String& section, const fw::String& key, int def);

// Published properties by name; neutral results when there is none (a
// read-only or not ordinal property is not written).
bool HasPublishedProp(fw::TObject* object, fw::StringView name);
fw::TObject* ReadObjectPropByName(fw::TObject* object, fw::StringView name);
int64_t ReadOrdPropByName(fw::TObject* object, fw::StringView name);
void WriteOrdPropByName(fw::TObject* object, fw::StringView name, int64_t value);
bool SetPropHasElement(fw::TObject* object, fw::StringView setProp, fw::StringView element);
// Includes or removes one element by its exact name; returns false.
bool ChangeSetPropElement(fw::TObject* object, fw::StringView setProp, fw::StringView element, bool include);

}  // namespace skin
