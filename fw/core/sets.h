// A set of enumeration members kept as a bit mask: bit n stands for the
// member of ordinal n. Members must have ordinals below 64.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <type_traits>

namespace fw {

template <class E>
class TSet {
  static_assert(std::is_enum_v<E>, "TSet holds enumeration members");

 public:
  using Element = E;

  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E e : members) FBits |= Bit(e);
  }
  static constexpr TSet FromMask(uint64_t mask) {
    TSet s;
    s.FBits = mask;
    return s;
  }

  constexpr uint64_t Mask() const { return FBits; }
  constexpr bool Contains(E e) const { return (FBits & Bit(e)) != 0; }
  constexpr bool Empty() const { return FBits == 0; }
  constexpr TSet& Include(E e) {
    FBits |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    FBits &= ~Bit(e);
    return *this;
  }

  // Union, difference and intersection, as the set operators +, - and *.
  friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.FBits | b.FBits); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.FBits & ~b.FBits); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.FBits & b.FBits); }
  constexpr TSet& operator+=(TSet b) { FBits |= b.FBits; return *this; }
  constexpr TSet& operator-=(TSet b) { FBits &= ~b.FBits; return *this; }
  constexpr TSet& operator*=(TSet b) { FBits &= b.FBits; return *this; }
  friend constexpr bool operator==(TSet a, TSet b) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t FBits = 0;
};

}  // namespace fw
