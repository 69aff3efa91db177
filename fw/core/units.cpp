#include "fw/core/units.h"

namespace fw {

void TUnitRegistry::Add(String name, Proc initialization, Proc finalization) {
  FUnits.push_back(Unit{std::move(name), std::move(initialization), std::move(finalization)});
}

void TUnitRegistry::Initialize() {
  for (auto& u : FUnits) {
    if (u.done) continue;
    if (u.initialization) u.initialization();
    u.done = true;
    FInitialized.push_back(u.name);
  }
}

void TUnitRegistry::Finalize() {
  for (auto it = FUnits.rbegin(); it != FUnits.rend(); ++it) {
    if (!it->done) continue;
    it->done = false;
    try {
      if (it->finalization) it->finalization();
    } catch (...) {
      // A failing finalisation must not keep the other units from closing.
    }
  }
  FInitialized.clear();
}

TUnitRegistry& Units() {
  static TUnitRegistry registry;
  return registry;
}

}  // namespace fw
