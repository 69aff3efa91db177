// The shared table of running instances: limits taken from the first
// registration, order kept on leaving, bounded at its 257 entries, and
// entries of ended processes removed.
#include "services/core/instance_table.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace services {
namespace {

InstanceTable TableOf(uint16_t limit, std::vector<uint32_t> ids) {
  InstanceTable t{};
  t.Limit = limit;
  for (uint32_t id : ids) t.ProcessIds[t.Count++] = id;
  return t;
}

std::vector<uint32_t> Ids(const InstanceTable& t) { return {t.ProcessIds, t.ProcessIds + t.Count}; }

TEST(InstanceTable, RegistrationTakesTheFirstLimitAndAppendsEvenWhenRefused) {
  struct Case {
    uint16_t limit;
    std::vector<uint32_t> before;
    uint16_t max;
    bool allowed;
    uint16_t limitAfter;
  };
  const Case cases[] = {
      {0, {}, 65535, true, 65535},   // the first instance on the machine sets the limit
      {0, {}, 0, true, 0},           // no limit asked: none stored
      {1, {10}, 65535, false, 1},    // a later caller cannot change the limit
      {2, {10}, 1, true, 2},
      {2, {10, 11}, 5, false, 2},
      {0, {10, 11, 12}, 0, true, 0},
  };
  for (const Case& c : cases) {
    InstanceTable t = TableOf(c.limit, c.before);
    EXPECT_EQ(RegisterInstance(t, 99, c.max), c.allowed) << c.limit << " " << c.before.size();
    EXPECT_EQ(t.Limit, c.limitAfter);
    std::vector<uint32_t> expected = c.before;
    expected.push_back(99);
    EXPECT_EQ(Ids(t), expected);
  }
}

TEST(InstanceTable, AFullTableTakesNoMoreEntriesAndRefuses) {
  InstanceTable t{};
  for (uint32_t id = 1; id <= kInstanceTableCapacity; ++id) ASSERT_TRUE(RegisterInstance(t, id, 0));
  EXPECT_FALSE(RegisterInstance(t, 1000, 0));
  EXPECT_EQ(t.Count, kInstanceTableCapacity);
  EXPECT_EQ(InstanceIndex(t, 1000), -1);
  // A damaged count past the capacity is read as the capacity.
  t.Count = 60000;
  EXPECT_EQ(InstanceIndex(t, kInstanceTableCapacity), kInstanceTableCapacity - 1);
  EXPECT_EQ(InstanceProcessId(t, 300), 0u);
  EXPECT_FALSE(RegisterInstance(t, 1001, 0));
}

TEST(InstanceTable, LeavingShiftsTheLaterEntriesDownAndIgnoresAbsentIds) {
  struct Case {
    std::vector<uint32_t> before;
    uint32_t leaving;
    bool found;
    std::vector<uint32_t> after;
  };
  const Case cases[] = {
      {{1, 2, 3}, 1, true, {2, 3}},
      {{1, 2, 3}, 2, true, {1, 3}},
      {{1, 2, 3}, 3, true, {1, 2}},
      {{1, 2, 3}, 7, false, {1, 2, 3}},
      {{}, 7, false, {}},
      {{5, 5}, 5, true, {5}},  // one entry per call
  };
  for (const Case& c : cases) {
    InstanceTable t = TableOf(0, c.before);
    EXPECT_EQ(UnregisterInstance(t, c.leaving), c.found);
    EXPECT_EQ(Ids(t), c.after);
  }
}

TEST(InstanceTable, LookUpsAnswerMinusOneAndZeroOutsideTheValidEntries) {
  InstanceTable t = TableOf(1, {40, 41});
  t.ProcessIds[2] = 42;  // beyond Count: not an entry
  EXPECT_EQ(InstanceIndex(t, 41), 1);
  EXPECT_EQ(InstanceIndex(t, 42), -1);
  EXPECT_EQ(InstanceProcessId(t, 0), 40u);
  EXPECT_EQ(InstanceProcessId(t, 2), 0u);
  EXPECT_EQ(InstanceProcessId(t, -1), 0u);
}

TEST(InstanceTable, EndedProcessesAreRemovedInOrder) {
  InstanceTable t = TableOf(65535, {1, 2, 3, 4, 5});
  const std::set<uint32_t> running{2, 4};
  EXPECT_EQ(RemoveEndedInstances(t, [&](uint32_t id) { return running.count(id) > 0; }), 3);
  EXPECT_EQ(Ids(t), (std::vector<uint32_t>{2, 4}));
  EXPECT_EQ(t.Limit, 65535);
  EXPECT_EQ(t.ProcessIds[2], 0u);
  EXPECT_EQ(RemoveEndedInstances(t, [](uint32_t) { return true; }), 0);
}

TEST(InstanceTable, TheIdHasNoBackslashAndTheOverrideKeepsItsCase) {
  struct Case {
    const char16_t* override_;
    const char16_t* upperPath;
    const char16_t* id;
  };
  const Case cases[] = {
      {u"", u"UCLC:\\APPS\\TOOL.EXE", u"UCLC:_APPS_TOOL.EXE"},
      {u"My\\App", u"UCLC:\\APPS\\TOOL.EXE", u"UclMy_App"},
      {u"", u"UCL\\\\SERVER\\SHARE\\A.EXE", u"UCL__SERVER_SHARE_A.EXE"},
  };
  for (const Case& c : cases) EXPECT_TRUE(MakeInstanceId(c.override_, c.upperPath) == c.id);
}

}  // namespace
}  // namespace services
