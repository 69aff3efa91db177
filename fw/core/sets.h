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
    for (E e : members) bits_ |= Bit(e);
  }
  static constexpr TSet FromMask(uint64_t mask) {
    TSet s;
    s.bits_ = mask;
    return s;
  }

  constexpr uint64_t Mask() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }

  // Union, difference and intersection, as the set operators +, - and *.
  friend constexpr TSet operator+(TSet a, TSet b) { return FromMask(a.bits_ | b.bits_); }
  friend constexpr TSet operator-(TSet a, TSet b) { return FromMask(a.bits_ & ~b.bits_); }
  friend constexpr TSet operator*(TSet a, TSet b) { return FromMask(a.bits_ & b.bits_); }
  constexpr TSet& operator+=(TSet b) { bits_ |= b.bits_; return *this; }
  constexpr TSet& operator-=(TSet b) { bits_ &= ~b.bits_; return *this; }
  constexpr TSet& operator*=(TSet b) { bits_ &= b.bits_; return *this; }
  friend constexpr bool operator==(TSet a, TSet b) = default;

 private:
  static constexpr uint64_t Bit(E e) { return uint64_t{1} << static_cast<unsigned>(e); }
  uint64_t bits_ = 0;
};

}  // namespace fw
