// Text and value routines the storages share: binary values as hexadecimal
// text, the keyed XOR-and-hexadecimal transform of stored values, and words
// of placement texts.
#pragma once

#include <cstdint>
#include <string_view>

#include "fw/core/types.h"

namespace services {

// Appends two upper-case hexadecimal digits per byte to Text.
void BytesToHex(const uint8_t* Bytes, size_t Count, fw::String& Text);
// Reads pairs of hexadecimal digits into Buffer (an odd text is read as if
// it had a leading "0"), at most BufSize bytes; returns the bytes written.
// A pair that is not hexadecimal raises EConvertError.
int HexToBytes(fw::StringView Text, uint8_t* Buffer, size_t BufSize);

// The UTF-8 bytes of Value, each XOR-ed with the key's UTF-8 byte at the same
// index modulo the key's length (unchanged for an empty key), as lower-case
// hexadecimal pairs.
fw::String XorHexEncode(fw::StringView Key, fw::StringView Value);
// The reverse; never raises: a second digit that is not hexadecimal makes
// the byte 0x20, a first one contributes 0, an odd last character is
// ignored, and bytes that are not UTF-8 become U+FFFD.
fw::String XorHexDecode(fw::StringView Key, fw::StringView Text);

// Delimiters of the word routines: single-byte characters.
class TCharSet {
 public:
  TCharSet(std::initializer_list<char> chars) {
    for (char c : chars) Include(c);
  }
  void Include(char c) { bits_[static_cast<uint8_t>(c) >> 6] |= uint64_t(1) << (static_cast<uint8_t>(c) & 63); }
  bool Contains(char16_t c) const { return c < 256 && (bits_[c >> 6] >> (c & 63)) & 1; }

 private:
  uint64_t bits_[4] = {};
};

// 1-based position of the first character of the N-th word (runs of
// delimiters count as one, leading ones are skipped); 0 when there are
// fewer words.
int WordStart(int N, fw::StringView Text, const TCharSet& Delimiters);
// The N-th word, empty when there is none.
fw::String ExtractWordAt(int N, fw::StringView Text, const TCharSet& Delimiters);

}  // namespace services
