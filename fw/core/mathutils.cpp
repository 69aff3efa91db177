#include "fw/core/mathutils.h"

#include <cmath>
#include <cstdlib>

namespace fw {

int64_t Round(double x) {
  double floor = std::floor(x);
  double diff = x - floor;  // exact: floor is within one unit of x
  if (diff > 0.5) return static_cast<int64_t>(floor) + 1;
  if (diff < 0.5) return static_cast<int64_t>(floor);
  int64_t f = static_cast<int64_t>(floor);
  return (f % 2 == 0) ? f : f + 1;
}

int64_t Trunc(double x) { return static_cast<int64_t>(x); }

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  int64_t product = static_cast<int64_t>(a) * b;
  bool negative = (product < 0) != (c < 0);
  uint64_t num = product < 0 ? 0 - static_cast<uint64_t>(product) : static_cast<uint64_t>(product);
  uint64_t den = c < 0 ? 0 - static_cast<uint64_t>(static_cast<int64_t>(c)) : static_cast<uint64_t>(c);
  uint64_t q = (num + den / 2) / den;  // an exact half rounds up in magnitude
  if (negative ? q > 0x80000000ull : q > 0x7FFFFFFFull) return -1;
  return negative ? static_cast<int>(-static_cast<int64_t>(q)) : static_cast<int>(q);
}

}  // namespace fw
