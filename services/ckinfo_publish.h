// Publishing info-object properties for the form descriptions: a
// read-only property's setter raises the read-only error; enumerations
// travel as their ordinals.
#pragma once

#include <type_traits>

#include "fw/core/rtti.h"
#include "services/ckcomputerinfo.h"

namespace services {

template <class C, class G>
void PublishReadOnly(fw::TClassBuilder<C>& c, const char16_t* Name, G Get) {
  using T = std::remove_cvref_t<std::invoke_result_t<G, C&>>;
  if constexpr (std::is_enum_v<T>) {
    c.Property(Name, [Get](C& o) { return static_cast<int>(std::invoke(Get, o)); },
               [](C&, int) { RaiseReadOnlyError(); });
  } else {
    c.Property(Name, Get, [](C&, T) { RaiseReadOnlyError(); });
  }
}

}  // namespace services
