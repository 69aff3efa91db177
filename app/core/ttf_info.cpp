#include "app/core/ttf_info.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <vector>

#include "fw/core/exceptions.h"

namespace app {

namespace {

uint16_t Be16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

uint32_t Be32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) << 24 | static_cast<uint32_t>(p[1]) << 16 |
         static_cast<uint32_t>(p[2]) << 8 | p[3];
}

// Reads only whole ranges that lie inside the file. The reads go through
// one window of the file kept in memory: a naming table is read as hundreds
// of small records, and each read of the file itself is a system call.
class TBoundedReader {
 public:
  explicit TBoundedReader(fw::TStream& s) : s_(s), size_(s.Size()) {}

  bool ReadAt(int64_t offset, void* buffer, size_t count) {
    if (offset < 0 || offset > size_ || static_cast<int64_t>(count) > size_ - offset) return false;
    if (count == 0) return true;
    const int64_t end = offset + static_cast<int64_t>(count);
    if (offset < windowStart_ || end > windowStart_ + static_cast<int64_t>(window_.size())) {
      const int64_t wanted = std::min(std::max(static_cast<int64_t>(count), kWindowBytes), size_ - offset);
      window_.resize(static_cast<size_t>(wanted));
      s_.Seek(offset, fw::TSeekOrigin::soBeginning);
      // A file that shrank since its size was taken gives fewer bytes.
      const int64_t got = std::max<int64_t>(s_.Read(window_.data(), wanted), 0);
      window_.resize(static_cast<size_t>(got));
      windowStart_ = offset;
      if (got < static_cast<int64_t>(count)) return false;
    }
    std::memcpy(buffer, window_.data() + (offset - windowStart_), count);
    return true;
  }

 private:
  static constexpr int64_t kWindowBytes = 64 * 1024;
  fw::TStream& s_;
  int64_t size_;
  int64_t windowStart_ = 0;
  std::vector<uint8_t> window_;
};

// The offset of the "name" table of the file's (first) font. Only the
// directory's own entries are searched: a scan past them would take table
// data for entries and read names from wherever they point.
bool FindNameTable(TBoundedReader& r, int64_t& tableOffset, int64_t* tableLength = nullptr) {
  uint8_t head[12];
  if (!r.ReadAt(0, head, sizeof head)) return false;
  int64_t directory = 0;
  if (std::memcmp(head, "ttcf", 4) == 0) {
    // A collection: table offsets of its fonts count from the file's start.
    if (Be32(head + 8) == 0) return false;
    uint8_t first[4];
    if (!r.ReadAt(12, first, sizeof first)) return false;
    directory = Be32(first);
    if (!r.ReadAt(directory, head, sizeof head)) return false;
  }
  const uint16_t numTables = Be16(head + 4);
  for (uint16_t i = 0; i < numTables; ++i) {
    uint8_t entry[16];
    if (!r.ReadAt(directory + 12 + 16 * static_cast<int64_t>(i), entry, sizeof entry)) return false;
    if (std::memcmp(entry, "name", 4) == 0) {
      tableOffset = Be32(entry + 8);
      if (tableLength) *tableLength = Be32(entry + 12);
      return true;
    }
  }
  return false;
}

// English names of the Windows platform (and, as it always was, the
// language 0x0C0C).
bool IsAcceptedRecord(uint16_t platform, uint16_t encoding, uint16_t language) {
  return platform == 3 && (encoding == 0 || encoding == 1) &&
         ((language & 0xFF) == 9 || language == 0x0C0C);
}

fw::String FileNamePart(const fw::String& path) {
  size_t p = path.find_last_of(u"\\/:");
  return p == fw::String::npos ? path : path.substr(p + 1);
}

}  // namespace

std::string NameBytesToText(const uint8_t* bytes, size_t count) {
  std::string text;
  for (size_t p = 0; p < count; ++p) {
    const uint8_t b = bytes[p];
    if (p % 2 == 0 && (b < 32 || b > 126)) continue;
    if (text.size() < kTTFMaxNameChars) {
      text.push_back(static_cast<char>(b));
    } else if (p + 3 < count) {
      text.resize(kTTFMaxNameChars - 3);
      text += "...";
    }
  }
  return text;
}

int ThhTTFinfo::ReadNamingTable(fw::TStream& font, tTTFList& list) {
  try {
    TBoundedReader r(font);
    int64_t table = 0;
    if (!FindNameTable(r, table)) return kTTFDiskReadError;
    uint8_t header[6];
    if (!r.ReadAt(table, header, sizeof header)) return kTTFDiskReadError;
    const uint16_t count = Be16(header + 2);
    const int64_t strings = table + Be16(header + 4);
    list.Track = 3;

    std::string* const fields[15] = {
        &list.Copyright,   &list.Family,      &list.SubFamily,   &list.Identifier, &list.FontName,
        &list.Version,     &list.PSname,      &list.Trademark,   &list.Company,    &list.Designer,
        &list.Description, &list.VendorURL,   &list.DesignerURL, &list.LicenseDesc, &list.LicenseURL};
    uint8_t text[kTTFMaxNameBytes];
    for (uint32_t i = 0; i < count; ++i) {
      uint8_t rec[12];
      if (!r.ReadAt(table + 6 + 12 * static_cast<int64_t>(i), rec, sizeof rec)) return kTTFDiskReadError;
      const uint16_t platform = Be16(rec);
      const uint16_t encoding = Be16(rec + 2);
      const uint16_t language = Be16(rec + 4);
      const uint16_t nameId = Be16(rec + 6);
      const uint16_t length = Be16(rec + 8);
      const uint16_t offset = Be16(rec + 10);
      if (!IsAcceptedRecord(platform, encoding, language)) continue;
      list.Track = platform * 100 + static_cast<int32_t>(i + 1);
      const size_t n = std::min<size_t>(length, kTTFMaxNameBytes);
      // A string outside the file is damage like a short record read: it
      // ends the table with the read error.
      if (!r.ReadAt(strings + offset, text, n)) return kTTFDiskReadError;
      if (nameId < 15 && fields[nameId]->empty()) *fields[nameId] = NameBytesToText(text, n);
      if (nameId == 1) list.FontFamilysize = static_cast<uint16_t>(n / 2);
      if (nameId == 4) {
        list.PlatformID = platform;
        list.EncodingID = encoding;
        list.LanguageID = language;
        list.FontNameSize = static_cast<uint16_t>(n / 2);
      }
    }
    return kTTFOk;
  } catch (const fw::EStreamError&) {
    return kTTFDiskReadError;
  }
}

bool NamingTableIsSound(fw::TStream& font) {
  try {
    TBoundedReader r(font);
    int64_t table = 0, length = 0;
    if (!FindNameTable(r, table, &length)) return false;
    // The table must end inside the file; only the part that records and
    // strings can reach is read.
    uint8_t last = 0;
    if (length < 6 || !r.ReadAt(table + length - 1, &last, 1)) return false;
    constexpr int64_t kReachable = 6 + 12 * 0xFFFF + 0xFFFF + 0xFFFF;
    std::vector<uint8_t> data(static_cast<size_t>(std::min(length, kReachable)));
    if (!r.ReadAt(table, data.data(), data.size())) return false;
    const size_t count = Be16(data.data() + 2);
    const size_t strings = Be16(data.data() + 4);
    if (6 + 12 * count > data.size() || strings > data.size()) return false;
    for (size_t i = 0; i < count; ++i) {
      const uint8_t* rec = data.data() + 6 + 12 * i;
      if (strings + Be16(rec + 10) + Be16(rec + 8) > data.size()) return false;
    }
    return true;
  } catch (const fw::EStreamError&) {
    return false;
  }
}

bool NamingTableIsSound(const fw::String& path) {
  try {
    fw::TFileStream file(path, fw::fmOpenRead | fw::fmShareDenyNone);
    return NamingTableIsSound(file);
  } catch (const fw::EStreamError&) {
    return false;
  }
}

bool ReadSoundNamingTable(const fw::String& path, tTTFList& list) {
  try {
    fw::TFileStream file(path, fw::fmOpenRead | fw::fmShareDenyNone);
    return NamingTableIsSound(file) && ThhTTFinfo::ReadNamingTable(file, list) == kTTFOk;
  } catch (const fw::EStreamError&) {
    return false;
  }
}

uint16_t ThhTTFinfo::FileAttributesOf(const fw::String&) { return 0; }

void ThhTTFinfo::GetTTFinfo(const fw::String& FilePath, TTFListPtr TTFList, int& ErrNo) {
  ErrNo = kTTFNoList;
  if (!TTFList) return;
  tTTFList& list = *TTFList;
  list.Track = 0;

  list.Track = 1;
  std::unique_ptr<fw::TFileStream> file;
  try {
    file = std::make_unique<fw::TFileStream>(FilePath, fw::fmOpenRead | fw::fmShareDenyNone);
  } catch (const fw::EStreamError&) {
    ErrNo = kTTFFileNotFound;
    return;
  }
  ErrNo = kTTFOk;

  list.Track = 2;
  for (std::string* s : {&list.Copyright, &list.Family, &list.SubFamily, &list.Identifier, &list.FontName,
                         &list.Version, &list.PSname, &list.Trademark, &list.Company, &list.Designer,
                         &list.Description, &list.VendorURL, &list.DesignerURL, &list.LicenseDesc,
                         &list.LicenseURL}) {
    s->clear();
  }
  list.PlatformID = list.EncodingID = list.LanguageID = 0;
  list.FontNameSize = list.FontFamilysize = 0;
  list.FilePath = FilePath;
  list.FileCalled = FileNamePart(FilePath);
  list.FileAttribs = FileAttributesOf(FilePath);
  try {
    list.FileSize = static_cast<int32_t>(std::min<int64_t>(file->Size(), std::numeric_limits<int32_t>::max()));
  } catch (const fw::EStreamError&) {
    list.FileSize = 0;
    ErrNo = kTTFDiskReadError;
    return;
  }

  ErrNo = ReadNamingTable(*file, list);
}

}  // namespace app
