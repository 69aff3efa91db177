// Word-level routines of the utility units: characters copied into a
// string, bytes as 8-bit text, 64-bit halves and bits in arrays of words.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "fw/core/types.h"

namespace services {

// Copies Count characters of Source, starting SourceIndex characters in,
// into Dest from DestIndex on (offsets from 0). Raises EUclStringError
// "Argument out of range" when either range lies outside its text.
void CopyCharsIntoString(fw::StringView Source, size_t SourceIndex, fw::String& Dest, size_t DestIndex,
                         size_t Count);
// The High + 1 bytes as 8-bit text (High -1: empty).
void BytesToAnsiText(const uint8_t* Bytes, int High, std::string& S);

void SplitInt64(int64_t Value, uint32_t& Low, uint32_t& High);
void JoinInt64(int64_t& Value, uint32_t Low, uint32_t High);

// Bit Bit of an array of 32-bit words: word Bit / 32, bit Bit mod 32. A bit
// beyond the array raises EUclStringError "Argument out of range".
void SetBitInWords(std::span<uint32_t> Words, unsigned Bit);
bool BitInWords(std::span<const uint32_t> Words, unsigned Bit);

}  // namespace services
