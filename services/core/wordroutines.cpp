#include "services/core/wordroutines.h"

#include "services/core/uclstrings.h"

namespace services {

namespace {
[[noreturn]] void RaiseOutOfRange() { throw EUclStringError(u"Argument out of range"); }
}  // namespace

void CopyCharsIntoString(fw::StringView Source, size_t SourceIndex, fw::String& Dest, size_t DestIndex,
                         size_t Count) {
  if (SourceIndex > Source.size() || Count > Source.size() - SourceIndex || DestIndex > Dest.size() ||
      Count > Dest.size() - DestIndex)
    RaiseOutOfRange();
  Source.substr(SourceIndex, Count).copy(Dest.data() + DestIndex, Count);
}

void BytesToAnsiText(const uint8_t* Bytes, int High, std::string& S) {
  S.assign(High < 0 ? 0 : static_cast<size_t>(High) + 1, '\0');
  if (!S.empty()) S.assign(reinterpret_cast<const char*>(Bytes), S.size());
}

void SplitInt64(int64_t Value, uint32_t& Low, uint32_t& High) {
  const uint64_t v = static_cast<uint64_t>(Value);
  Low = static_cast<uint32_t>(v);
  High = static_cast<uint32_t>(v >> 32);
}

void JoinInt64(int64_t& Value, uint32_t Low, uint32_t High) {
  Value = static_cast<int64_t>((static_cast<uint64_t>(High) << 32) | Low);
}

void SetBitInWords(std::span<uint32_t> Words, unsigned Bit) {
  if (Bit / 32 >= Words.size()) RaiseOutOfRange();
  Words[Bit / 32] |= uint32_t{1} << (Bit % 32);
}

bool BitInWords(std::span<const uint32_t> Words, unsigned Bit) {
  if (Bit / 32 >= Words.size()) RaiseOutOfRange();
  return (Words[Bit / 32] >> (Bit % 32)) & 1;
}

}  // namespace services
