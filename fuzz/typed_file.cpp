// The font database is a file of whole records that may be cut short,
// damaged or foreign: opening it, reading every record as a search does,
// appending and cutting must keep to whole records and never crash or read
// outside the file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/font_database.h"
#include "fw/core/exceptions.h"
#include "fw/core/streams.h"

namespace {

// One file per fuzzing process.
const fw::String& DatabasePath() {
  static const fw::String path =
      (std::filesystem::temp_directory_path() / ("vl_fuzz_typed_file_" + std::to_string(getpid()) + ".dat"))
          .u16string();
  return path;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  constexpr int64_t kRecord = sizeof(app::TCompRec);
  const fw::String& path = DatabasePath();
  fw::WriteFileBytes(path, std::vector<uint8_t>(data, data + size));
  {
    app::TFontDatabase db;
    db.OpenCompDatabase(path);
    const int64_t count = db.CompFile.FileSize();
    Check(count == static_cast<int64_t>(size) / kRecord && db.CompFile.FilePos() == 0);
    // Every record by number, as the database search reads them.
    for (int64_t i = 0; i < count; ++i) {
      db.CompFile.Seek(i);
      db.CompFile.Read(db.CompRec);
      (void)fw::AnsiToString(db.CompRec.FileName.Get());
    }
    Check(db.CompFile.Eof());
    try {
      db.CompFile.Read(db.CompRec);
      Check(false);
    } catch (const fw::EReadError&) {
    }
    try {
      db.CompFile.Seek(count + 1);
      Check(false);
    } catch (const fw::EStreamError&) {
    }
    // A record appended after a partial one starts at a record boundary,
    // over the partial bytes.
    db.RecName = fw::AnsiToString(db.CompRec.Name.Get());
    db.RecFileName = fw::AnsiToString(db.CompRec.FileName.Get());
    db.WriteNewCompRec();
    Check(db.CompFile.FileSize() == count + 1);
    db.CompFile.Seek(count);
    app::TCompRec back{};
    db.CompFile.Read(back);
    Check(back.Name.Get() == db.CompRec.Name.Get() && back.FileName.Get() == db.CompRec.FileName.Get());
    // Cut at a record the input picks.
    const int64_t cut = size ? data[0] % (count + 2) : 0;
    db.CompFile.Seek(cut);
    db.CompFile.Truncate();
    Check(db.CompFile.FileSize() == cut);
    db.CompFile.CloseFile();
  }
  std::error_code ignored;
  std::filesystem::remove(std::filesystem::path(path), ignored);
  return 0;
}
