// Unit initialisations and finalisations. The program lists its units in
// link order once, at start-up; initialisations run in that order and
// finalisations in the reverse order, each exactly once.
#pragma once

#include <functional>
#include <vector>

#include "fw/core/types.h"

namespace fw {

class TUnitRegistry {
 public:
  using Proc = std::function<void()>;

  void Add(String name, Proc initialization, Proc finalization = {});
  // Runs the initialisations not run yet. If one throws, the units already
  // initialised stay initialised (Finalize undoes them) and the error passes on.
  void Initialize();
  // Runs the finalisations of the initialised units in reverse order; an
  // error in one does not keep the others from running.
  void Finalize();
  const std::vector<String>& InitializedUnits() const { return FInitialized; }

 private:
  struct Unit {
    String name;
    Proc initialization;
    Proc finalization;
    bool done = false;
  };
  std::vector<Unit> FUnits;
  std::vector<String> FInitialized;
};

// The program's one registry.
TUnitRegistry& Units();

}  // namespace fw
