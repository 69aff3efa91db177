// The process-wide unit-version registry: one registry for every module of
// the process, found through the named shared block, and nothing done
// after the end.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>

#include "services/uclunitversioning.h"
#include "services/uclunits.h"

using namespace services;

namespace {

const TUnitVersionInfo kInfo = {u"$URL$", u"$Revision$", u"$Date$", u"tests/a", u"", nullptr};
const TUnitVersionInfo kOther = {u"$URL$", u"$Revision$", u"$Date$", u"tests/b", u"", nullptr};

// The address the process's block publishes, null when there is no block.
void* PublishedRegistry() {
  HANDLE h = OpenFileMappingW(FILE_MAP_READ, FALSE, W(UnitVersioningBlockName()));
  if (!h) return nullptr;
  void* address = nullptr;
  if (void* view = MapViewOfFile(h, FILE_MAP_READ, 0, 0, sizeof address)) {
    std::memcpy(&address, view, sizeof address);
    UnmapViewOfFile(view);
  }
  CloseHandle(h);
  return address;
}

TEST(UnitVersioningAccess, EveryModuleOfTheProcessFindsTheSameRegistry) {
  // Two accesses stand for two modules with their own copy of the units.
  TUnitVersioningAccess first, second;
  const TModuleInstance module = ThisModule();
  ASSERT_NE(module, nullptr);
  first.Register(module, &kInfo);
  TUnitVersioning* registry = first.Registry();
  ASSERT_NE(registry, nullptr);
  EXPECT_TRUE(first.CreatedRegistry());
  EXPECT_EQ(PublishedRegistry(), registry);  // the whole 64-bit address

  second.Register(module, &kInfo);  // the same record twice
  second.Register(module, &kOther);
  EXPECT_EQ(second.Registry(), registry);
  EXPECT_FALSE(second.CreatedRegistry());
  EXPECT_EQ(registry->Count(), 2);

  // The second module's end leaves the registry to the first.
  second.Unregister(module);
  second.Finalize();
  EXPECT_EQ(registry->Count(), 0);
  EXPECT_EQ(second.Registry(), nullptr);
  second.Register(module, &kInfo);  // after the end: nothing
  EXPECT_EQ(registry->Count(), 0);
  EXPECT_EQ(PublishedRegistry(), registry);

  // The creator's end takes the address back, so no one finds a freed one.
  first.Finalize();
  EXPECT_EQ(first.Registry(), nullptr);
  EXPECT_EQ(PublishedRegistry(), nullptr);
}

TEST(UnitVersioningAccess, ModulesThatAreUnloadedDropOut) {
  TUnitVersioningAccess access;
  HMODULE library = LoadLibraryW(L"version.dll");
  ASSERT_NE(library, nullptr);
  access.Register(library, &kInfo);
  access.Register(ThisModule(), &kOther);
  TUnitVersioning* registry = access.Registry();
  const bool stillLoaded = GetModuleHandleW(L"version.dll") != nullptr;
  FreeLibrary(library);
  // A library the process loaded before keeps its place.
  const int expected = GetModuleHandleW(L"version.dll") ? 2 : 1;
  EXPECT_TRUE(stillLoaded);
  EXPECT_EQ(registry->Count(), expected);
  access.Finalize();
}

TEST(UtilityUnits, EveryUnitEntersItsRecordAndLeavesAtTheEnd) {
  InitializeUtilityUnits();
  TUnitVersioning* registry = ModuleUnitVersioning().Registry();
  ASSERT_NE(registry, nullptr);
  EXPECT_GE(registry->Count(), 10);
  EXPECT_EQ(registry->FindUnit(u"$URL$", u"services/core/uclrtti")->Revision(), u"$Revision$");
  FinalizeUtilityUnits();
  EXPECT_EQ(ModuleUnitVersioning().Registry(), nullptr);
}

}  // namespace
