// The table of running instances that every instance of the program keeps
// in shared memory: a limit, a count and the process ids in the order the
// instances registered. The layout is shared with the running instances of
// other builds, so it never changes: 1032 bytes.
#pragma once

#include <cstdint>
#include <functional>

#include "fw/core/types.h"

namespace services {

constexpr int kInstanceTableCapacity = 257;

struct InstanceTable {
  uint16_t Limit;  // instances allowed; 0 = no limit
  uint16_t Count;  // valid entries of ProcessIds
  uint32_t ProcessIds[kInstanceTableCapacity];
};
static_assert(sizeof(InstanceTable) == 1032, "the shared table is 1032 bytes");

// Appends ProcessId and answers whether the table's limit allowed one more
// instance. A table without a limit takes MaxInstances as its limit first.
// The id is appended even when the limit is reached (the caller ends then
// and unregisters); a full table takes no more ids and answers false.
bool RegisterInstance(InstanceTable& Table, uint32_t ProcessId, uint16_t MaxInstances);
// Removes the first entry of ProcessId, keeping the order of the others;
// false when it is not there.
bool UnregisterInstance(InstanceTable& Table, uint32_t ProcessId);
// Position of ProcessId among the valid entries, -1 when absent.
int InstanceIndex(const InstanceTable& Table, uint32_t ProcessId);
// The id at Index, 0 past the valid entries.
uint32_t InstanceProcessId(const InstanceTable& Table, int Index);
// Removes the entries of processes that IsRunning says have ended (killed
// instances never unregister); returns how many it removed.
int RemoveEndedInstances(InstanceTable& Table, const std::function<bool(uint32_t)>& IsRunning);

// The name every kernel object of the single-instance registry starts with:
// "Ucl" + Override when there is an override, else UpperCasedPath (the
// upper-cased "Ucl" + executable path); backslashes become "_" because
// kernel object names may not hold them.
fw::String MakeInstanceId(const fw::String& Override, const fw::String& UpperCasedPath);

}  // namespace services
