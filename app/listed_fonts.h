// The font files a multi-font list shows, made usable for this process
// alone: each file is added privately the first time its entry is drawn and
// named once; all of them leave the font table together when the list gets
// other entries or the window goes, so nothing stays in the system's table.
#pragma once

#include <windows.h>

#include <map>
#include <memory>

#include "app/font_loading.h"
#include "fw/core/types.h"

namespace app {

// Kind icons of the list's entries (font type codes 0 .. 5 come first).
enum : int { kKindIconNotAdded = 6, kKindIconNoFamily = 8, kKindIconCount = 9 };

// What the list knows of one font.
struct TListedFont {
  fw::String Path;     // the entry: a file path, or a face name for installed fonts
  fw::String Ext;      // upper-case extension of the file
  bool Added = false;  // the file gave the font table at least one font
  fw::String Title;    // the name the caption shows
  fw::String Face;     // the face its sample is drawn in; empty: none that is its own
  int KindIcon = kKindIconNotAdded;
  int Descent = 0;  // of the face's first enumerated style
};

class TListedFonts {
 public:
  TListedFonts() = default;
  ~TListedFonts() = default;
  TListedFonts(const TListedFonts&) = delete;
  TListedFonts& operator=(const TListedFonts&) = delete;

  // A font file of the list, added and named on first use.
  const TListedFont& File(const fw::String& path);
  // An installed face of the list (a search over the installed fonts).
  const TListedFont& Installed(const fw::String& face);
  // Every added file leaves the font table; the names are forgotten.
  void Release();
  // Files currently in the font table.
  int AddedCount() const;

 private:
  struct TEntry {
    TListedFont Info;
    std::unique_ptr<TAddedFontResource> Resource;
  };
  std::map<fw::String, TEntry> files_;
  std::map<fw::String, TListedFont> faces_;
};

}  // namespace app
