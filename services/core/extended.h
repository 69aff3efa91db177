// The 80-bit extended float of the settings files: 10 bytes in memory order
// (64-bit mantissa with its integer bit, then sign and 15-bit exponent),
// converted explicitly so that every double survives bit-exactly on any
// compiler.
#pragma once

#include <array>
#include <cstdint>

namespace services {

using TExtendedBytes = std::array<uint8_t, 10>;

TExtendedBytes DoubleToExtended(double Value);
// Rounds to the nearest double; NaNs stay NaNs, infinities infinities.
double ExtendedToDouble(const TExtendedBytes& Bytes);

}  // namespace services
