// Base64 (RFC 2045 alphabet and padding, lines of 76 characters).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fw/core/types.h"

namespace services {

using TBytes = std::vector<uint8_t>;

// Characters of the encoded form: 4 per started block of 3 bytes, plus CR LF
// between lines of 57 input bytes; n itself for n <= 0.
int64_t MimeEncodedSize(int64_t n);
// An upper bound of the decoded size of n characters.
int64_t MimeDecodedSize(int64_t n);

// Encodes with a CR LF after every 76 characters except at the end.
std::string MimeEncode(const uint8_t* data, size_t size);
// Encodes without any line break.
std::string MimeEncodeNoCRLF(const uint8_t* data, size_t size);
fw::String MimeEncodeString(const TBytes& bytes);
fw::String MimeEncodeStringNoCRLF(const TBytes& bytes);

// Decoding ignores every character outside the alphabet ("=", blanks and
// line breaks included). Leftover values at the end: three give two bytes,
// two give one, one gives nothing.
TBytes MimeDecode(const char* text, size_t size);
TBytes MimeDecodeString(fw::StringView text);

// Decoding in pieces: the leftover bits travel in the state between calls.
struct TMimeDecodeState {
  uint32_t Bits = 0;
  int Count = 0;  // 6-bit values held in Bits (0..3)
};
void MimeDecodePartial(const char* text, size_t size, TMimeDecodeState& state, TBytes& out);
void MimeDecodePartialEnd(TMimeDecodeState& state, TBytes& out);

}  // namespace services
