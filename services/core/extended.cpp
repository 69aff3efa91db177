#include "services/core/extended.h"

#include <bit>
#include <cmath>
#include <cstring>

namespace services {

TExtendedBytes DoubleToExtended(double Value) {
  const uint64_t bits = std::bit_cast<uint64_t>(Value);
  const uint16_t sign = static_cast<uint16_t>((bits >> 63) << 15);
  const int e = static_cast<int>((bits >> 52) & 0x7FF);
  const uint64_t f = bits & ((uint64_t{1} << 52) - 1);
  uint64_t mant = 0;
  int exp = 0;
  if (e == 0x7FF) {
    exp = 0x7FFF;
    mant = (uint64_t{1} << 63) | (f << 11);
  } else if (e == 0) {
    if (f != 0) {  // a denormal double is a normal extended value
      const int h = 63 - std::countl_zero(f);
      exp = h - 1074 + 16383;
      mant = f << (63 - h);
    }
  } else {
    exp = e - 1023 + 16383;
    mant = (uint64_t{1} << 63) | (f << 11);
  }
  TExtendedBytes out{};
  for (int i = 0; i < 8; ++i) out[i] = static_cast<uint8_t>(mant >> (8 * i));
  const uint16_t se = static_cast<uint16_t>(sign | exp);
  out[8] = static_cast<uint8_t>(se);
  out[9] = static_cast<uint8_t>(se >> 8);
  return out;
}

double ExtendedToDouble(const TExtendedBytes& b) {
  uint64_t mant = 0;
  for (int i = 0; i < 8; ++i) mant |= uint64_t{b[i]} << (8 * i);
  const uint16_t se = static_cast<uint16_t>(b[8] | (b[9] << 8));
  const bool negative = se & 0x8000;
  const int exp = se & 0x7FFF;
  double v;
  if (exp == 0x7FFF) {
    if ((mant << 1) == 0) {
      v = INFINITY;
    } else {
      uint64_t frac = (mant << 1) >> 12;
      if (frac == 0) frac = uint64_t{1} << 51;
      v = std::bit_cast<double>((uint64_t{0x7FF} << 52) | frac);
    }
  } else if (mant == 0) {
    v = 0.0;
  } else {
    // Round the mantissa to 53 bits once; ldexp then only scales (or
    // rounds once more into the denormal range).
    v = std::ldexp(static_cast<double>(mant), (exp == 0 ? 1 : exp) - 16383 - 63);
  }
  return negative ? -v : v;
}

}  // namespace services
