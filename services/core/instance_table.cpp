#include "services/core/instance_table.h"

#include <algorithm>

namespace services {

namespace {

// A table written by a damaged process may claim more entries than it holds.
int ValidCount(const InstanceTable& Table) { return std::min<int>(Table.Count, kInstanceTableCapacity); }

}  // namespace

bool RegisterInstance(InstanceTable& Table, uint32_t ProcessId, uint16_t MaxInstances) {
  if (Table.Limit == 0) Table.Limit = MaxInstances;
  const int count = ValidCount(Table);
  const bool allowed = Table.Limit == 0 || Table.Limit > count;
  if (count >= kInstanceTableCapacity) return false;
  Table.ProcessIds[count] = ProcessId;
  Table.Count = static_cast<uint16_t>(count + 1);
  return allowed;
}

bool UnregisterInstance(InstanceTable& Table, uint32_t ProcessId) {
  const int index = InstanceIndex(Table, ProcessId);
  if (index < 0) return false;
  const int count = ValidCount(Table);
  std::copy(Table.ProcessIds + index + 1, Table.ProcessIds + count, Table.ProcessIds + index);
  Table.ProcessIds[count - 1] = 0;
  Table.Count = static_cast<uint16_t>(count - 1);
  return true;
}

int InstanceIndex(const InstanceTable& Table, uint32_t ProcessId) {
  const int count = ValidCount(Table);
  for (int i = 0; i < count; ++i)
    if (Table.ProcessIds[i] == ProcessId) return i;
  return -1;
}

uint32_t InstanceProcessId(const InstanceTable& Table, int Index) {
  return Index >= 0 && Index < ValidCount(Table) ? Table.ProcessIds[Index] : 0;
}

int RemoveEndedInstances(InstanceTable& Table, const std::function<bool(uint32_t)>& IsRunning) {
  const int count = ValidCount(Table);
  int kept = 0;
  for (int i = 0; i < count; ++i)
    if (IsRunning(Table.ProcessIds[i])) Table.ProcessIds[kept++] = Table.ProcessIds[i];
  std::fill(Table.ProcessIds + kept, Table.ProcessIds + count, 0u);
  Table.Count = static_cast<uint16_t>(kept);
  return count - kept;
}

fw::String MakeInstanceId(const fw::String& Override, const fw::String& UpperCasedPath) {
  fw::String id = Override.empty() ? UpperCasedPath : u"Ucl" + Override;
  std::replace(id.begin(), id.end(), u'\\', u'_');
  return id;
}

}  // namespace services
