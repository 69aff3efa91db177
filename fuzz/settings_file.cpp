// Any bytes are read as a settings file through the INI storage and written
// back; the file written must read back as the same document, whatever the
// input was (a damaged input is kept aside and an empty one written).
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "services/core/appinistorage.h"

namespace {

using namespace services;

std::unique_ptr<TCkAppIniFileStorage> Open(TCkMemoryFileSystem& fs) {
  (void)fs;
  auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
  s->WriteFlushOnDestroy(false);
  s->SetLocation(flCustom);
  s->SetDefaultSection(u"MainForm");
  s->SetFileName(u"C:\\cfg\\vestaline.ini");
  return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TCkMemoryFileSystem fs;
  SetStorageFileSystem(&fs);
  fs.Files[u"C:\\cfg\\vestaline.ini"].Bytes.assign(data, data + size);
  auto first = Open(fs);
  // Typed reads of whatever is there must answer or fail with a convert error.
  try {
    first->ReadInteger(u"ImageForm\\secodepoint_Value", 1);
    first->ReadBoolean(u"ImageForm\\cbcheckshow_Checked", false);
    first->ReadFloat(u"VestalineSettings\\f", 0);
    uint8_t buf[16];
    first->ReadBinary(u"VestalineSettings\\bin", buf, sizeof buf);
    fw::TStringList list;
    first->ReadStringList(u"ImageForm\\list", &list);
  } catch (const fw::EConvertError&) {
  }
  first->WriteString(u"ImageForm\\fuzz", u"x");
  first->Flush();
  const fw::String written = first->AsString();
  auto second = Open(fs);
  if (second->AsString() != written) std::abort();
  SetStorageFileSystem(nullptr);
  return 0;
}
