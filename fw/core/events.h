// Method pointers for events: an object and one of its member functions,
// held as a small value that can be called, compared for identity, tested
// for emptiness and cleared. TEvent<void(TObject*)> is typed by signature;
// TMethod is the untyped form that run-time type information passes around.
#pragma once

#include <cstring>
#include <type_traits>
#include <utility>

namespace fw {

class TObject;

// The untyped method pointer: Data is the object, Code the call stub of the
// signature and member function's class, Target the member pointer's bytes.
struct TMethod {
  void* Data = nullptr;
  void (*Code)() = nullptr;
  alignas(void*) unsigned char Target[2 * sizeof(void*)] = {};

  bool Assigned() const { return Code != nullptr; }
  friend bool operator==(const TMethod& a, const TMethod& b) {
    return a.Data == b.Data && a.Code == b.Code &&
           std::memcmp(a.Target, b.Target, sizeof a.Target) == 0;
  }
};

namespace detail {

template <class C, class M, class R, class... A>
R CallMember(void* data, const unsigned char* target, A... args) {
  M m;
  std::memcpy(&m, target, sizeof m);
  return (static_cast<C*>(data)->*m)(std::forward<A>(args)...);
}

// Binds object to member function m of class C (object must derive from C).
template <class C, class M, class R, class... A>
TMethod MakeMethod(C* object, M m) {
  static_assert(sizeof(M) <= sizeof(TMethod::Target), "member pointer too large");
  TMethod result;
  if (object == nullptr || m == nullptr) return result;
  result.Data = const_cast<void*>(static_cast<const void*>(object));
  result.Code = reinterpret_cast<void (*)()>(&CallMember<C, M, R, A...>);
  std::memcpy(result.Target, &m, sizeof m);
  return result;
}

}  // namespace detail

template <class Signature>
class TEvent;

template <class R, class... A>
class TEvent<R(A...)> {
 public:
  using Signature = R(A...);

  TEvent() = default;
  TEvent(std::nullptr_t) {}
  // Binds an object and a member function of it (or of one of its bases).
  template <class Obj, class C>
  TEvent(Obj* object, R (C::*method)(A...)) {
    static_assert(std::is_base_of_v<C, Obj>, "method of another class");
    FMethod = detail::MakeMethod<C, R (C::*)(A...), R, A...>(static_cast<C*>(object), method);
  }
  template <class Obj, class C>
  TEvent(Obj* object, R (C::*method)(A...) const) {
    static_assert(std::is_base_of_v<C, Obj>, "method of another class");
    FMethod = detail::MakeMethod<const C, R (C::*)(A...) const, R, A...>(static_cast<const C*>(object), method);
  }
  // The caller vouches that m was made for this signature (run-time type
  // information checks it before it gets here).
  explicit TEvent(const TMethod& m) : FMethod(m) {}

  bool Assigned() const { return FMethod.Code != nullptr; }
  explicit operator bool() const { return Assigned(); }
  void Clear() { FMethod = TMethod(); }
  const TMethod& Method() const { return FMethod; }
  // The bound object, as its member function's class sees it.
  void* Data() const { return FMethod.Data; }

  // Calling an empty event does nothing (and returns R's empty value).
  R operator()(A... args) const {
    if (!FMethod.Code) {
      if constexpr (std::is_void_v<R>) return;
      else return R{};
    }
    auto stub = reinterpret_cast<R (*)(void*, const unsigned char*, A...)>(FMethod.Code);
    return stub(FMethod.Data, FMethod.Target, std::forward<A>(args)...);
  }

  friend bool operator==(const TEvent& a, const TEvent& b) { return a.FMethod == b.FMethod; }
  friend bool operator==(const TEvent& a, std::nullptr_t) { return !a.FMethod.Code; }

 private:
  TMethod FMethod;
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;

}  // namespace fw
