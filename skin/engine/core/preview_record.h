// The skin preview record an external skin editor sends (30,646 bytes: a
// magic number, the skin's name, its skin folder and its description text,
// each text ending at its first zero byte or its field's end), and the skin
// engine's command-line switches.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/types.h"

namespace skin {

constexpr int32_t kPreviewMagic = 0xA400;
constexpr size_t kPreviewNameSize = 128, kPreviewDirSize = 513, kPreviewDataSize = 30001;
constexpr size_t kPreviewRecordSize = 4 + kPreviewNameSize + kPreviewDirSize + kPreviewDataSize;

// The preview record (not to be confused with TkSkinData, a loaded skin's
// global values). Texts are single-byte characters.
struct TkcSkinData {
  int32_t Magic = 0;
  std::string SkinName;
  std::string SkinDir;
  std::string Data;
};

// False, with the record untouched, for data shorter than a record or
// without the magic number.
bool ParsePreviewRecord(const uint8_t* data, size_t size, TkcSkinData& record);
// The record's bytes; texts too long for their field are cut.
std::vector<uint8_t> WritePreviewRecord(const TkcSkinData& record);

struct TSkinSwitches {
  bool Test = false;     // "/kctest" in any parameter, any letter case
  bool Version = false;  // "/kcver" likewise
  bool Preview = false;  // "/kcpreview" as the first parameter, exactly
};
// The parameters after the program's name.
TSkinSwitches ParseSkinSwitches(const std::vector<fw::String>& params);

}  // namespace skin
