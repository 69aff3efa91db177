// Rounding rules of the framework, each with its own name: Round (half to
// even), Trunc (toward zero) and MulDiv (a 64-bit product divided, half away
// from zero, as the system's MulDiv does it).
#pragma once

#include <cstdint>

namespace fw {

// Nearest integer; an exact half goes to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). Values outside the 64-bit range are undefined.
int64_t Round(double x);

// Drops the fraction (toward zero).
int64_t Trunc(double x);

// a * b / c with a 64-bit intermediate, rounded half away from zero; -1 when
// c is 0 or the result does not fit in 32 bits.
int MulDiv(int a, int b, int c);

}  // namespace fw
