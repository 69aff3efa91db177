// Start-up and end of the utility units: the text tables are built, and
// every unit enters its version record into the unit-version registry (and
// takes it out again at the end).
#pragma once

namespace services {

void InitializeUtilityUnits();
void FinalizeUtilityUnits();

}  // namespace services
