// Reads the naming table of a TrueType or OpenType font file (or of the first
// font of a TrueType collection) straight from the file, without installing
// the font, and keeps the English Windows-platform names.
//
// Font files are untrusted: every read is checked against the file's size,
// every loop is bounded by a count taken from the file, and a damaged file
// ends in an error number, never in a crash or a read outside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace app {

// The file's data and its names; the caller owns it.
struct tTTFList {
  std::string Copyright;    // name id 0
  std::string Family;       // 1
  std::string SubFamily;    // 2
  std::string Identifier;   // 3
  std::string FontName;     // 4, the full name
  std::string Version;      // 5
  std::string PSname;       // 6
  std::string Trademark;    // 7
  std::string Company;      // 8
  std::string Designer;     // 9
  std::string Description;  // 10
  std::string VendorURL;    // 11
  std::string DesignerURL;  // 12
  std::string LicenseDesc;  // 13
  std::string LicenseURL;   // 14
  // Of the last accepted record with name id 4.
  uint16_t PlatformID = 0;
  uint16_t EncodingID = 0;
  uint16_t LanguageID = 0;
  fw::String FilePath;
  fw::String FileCalled;
  int32_t FileSize = 0;
  fw::TDateTime FileDated = 0;  // not filled
  uint16_t FileAttribs = 0;
  // Progress mark: 0 started, 1 about to open, 2 opened, 3 naming-table
  // header read, then platform id * 100 + number (from 1) of the last
  // accepted name record.
  int32_t Track = 0;
  uint16_t FontNameSize = 0;    // byte length of the last accepted name id 4, div 2
  uint16_t FontFamilysize = 0;  // the same for name id 1
};
using TTFListPtr = tTTFList*;

// Error numbers of GetTTFinfo, as the file system reports them.
constexpr int kTTFNoList = -1;          // no record was given
constexpr int kTTFOk = 0;
constexpr int kTTFFileNotFound = 2;     // the file could not be opened
constexpr int kTTFDiskReadError = 100;  // a read reached past the end of the file

// The longest name string read, in bytes, and the longest text kept.
constexpr size_t kTTFMaxNameBytes = 1020;
constexpr size_t kTTFMaxNameChars = 1020;

class ThhTTFinfo {
 public:
  virtual ~ThhTTFinfo() = default;

  // Read-only: setting it has no effect.
  fw::String GetVersion() const { return u"3.00.0"; }
  void SetVersion(const fw::String&) {}

  // Fills *TTFList from the file; ErrNo is -1 without a record, else the
  // result of the last checked read (0 for success). A file that cannot be
  // opened leaves the record untouched with Track 1.
  void GetTTFinfo(const fw::String& FilePath, TTFListPtr TTFList, int& ErrNo);

  // The naming-table steps on the bytes of a font file: finds the "name"
  // table and fills the texts, ids, sizes and Track of an already reset
  // record. Returns the error number.
  static int ReadNamingTable(fw::TStream& font, tTTFList& list);

 protected:
  // The file's attributes for FileAttribs; the portable reader knows none.
  virtual uint16_t FileAttributesOf(const fw::String& path);
};

// True when the file's (first font's) naming table lies inside the file as
// its directory entry says, and its header, every record and every string
// lie inside the table. The system's own font naming trusts the table and
// may crash on one that fails this; a file that can't be read fails it.
bool NamingTableIsSound(fw::TStream& font);
bool NamingTableIsSound(const fw::String& path);
// Both steps on one opening of the file: true, with the names in an
// already reset record, only when the table is sound and reads whole.
bool ReadSoundNamingTable(const fw::String& path, tTTFList& list);

// Turns the bytes of a name string into single-byte text: a byte at an even
// position is kept only when printable ASCII, a byte at an odd position
// always, so plain UTF-16BE text becomes its low bytes. The text keeps at
// most 1020 characters; a kept byte beyond them that lies more than three
// positions before the end turns the text into its first 1017 characters
// followed by "...".
std::string NameBytesToText(const uint8_t* bytes, size_t count);

}  // namespace app
