#include "skin/engine/core/preview_record.h"

#include <algorithm>
#include <cstring>

#include "fw/core/sysutils.h"

namespace skin {

namespace {

std::string Field(const uint8_t* p, size_t size) {
  const uint8_t* end = static_cast<const uint8_t*>(std::memchr(p, 0, size));
  return std::string(reinterpret_cast<const char*>(p), end ? static_cast<size_t>(end - p) : size);
}

}  // namespace

bool ParsePreviewRecord(const uint8_t* data, size_t size, TkcSkinData& record) {
  if (!data || size < kPreviewRecordSize) return false;
  int32_t magic = static_cast<int32_t>(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 |
                                       uint32_t(data[3]) << 24);
  if (magic != kPreviewMagic) return false;
  record.Magic = magic;
  record.SkinName = Field(data + 4, kPreviewNameSize);
  record.SkinDir = Field(data + 4 + kPreviewNameSize, kPreviewDirSize);
  record.Data = Field(data + 4 + kPreviewNameSize + kPreviewDirSize, kPreviewDataSize);
  return true;
}

std::vector<uint8_t> WritePreviewRecord(const TkcSkinData& record) {
  std::vector<uint8_t> out(kPreviewRecordSize, 0);
  for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(static_cast<uint32_t>(record.Magic) >> (8 * i));
  auto put = [&](size_t at, const std::string& text, size_t size) {
    std::memcpy(out.data() + at, text.data(), std::min(text.size(), size));
  };
  put(4, record.SkinName, kPreviewNameSize);
  put(4 + kPreviewNameSize, record.SkinDir, kPreviewDirSize);
  put(4 + kPreviewNameSize + kPreviewDirSize, record.Data, kPreviewDataSize);
  return out;
}

TSkinSwitches ParseSkinSwitches(const std::vector<fw::String>& params) {
  TSkinSwitches s;
  for (const fw::String& p : params) {
    fw::String lower = fw::LowerCase(p);
    if (lower == u"/kctest") s.Test = true;
    if (lower == u"/kcver") s.Version = true;
  }
  s.Preview = !params.empty() && params[0] == u"/kcpreview";
  return s;
}

}  // namespace skin
