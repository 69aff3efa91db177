// Shared memory blocks counted per process and seen through a second
// mapping of the same name, module loading, GUID text and zeroed buffers.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
#include "services/uclbase.h"
#include "services/uclfilemapping.h"
#include "services/uclsysutils.h"

using fw::String;
using namespace services;

namespace {

String UniqueName(const char16_t* Base) { return String(Base) + u"_" + fw::IntToStr(GetCurrentProcessId()); }

TEST(UclSysUtils, SharedMemoryIsCountedPerProcessAndSharedBetweenMappings) {
  const String name = UniqueName(u"vl_shared_block");
  void* first = nullptr;
  EXPECT_EQ(SharedOpenMemory(first, name, 4096), 0u);
  ASSERT_NE(first, nullptr);
  std::strcpy(static_cast<char*>(first), "shared text");

  void* second = nullptr;
  EXPECT_EQ(SharedOpenMemory(second, name, 100), DWORD(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(second, first) << "the process's own block is handed out again";
  void* tooLarge = nullptr;
  EXPECT_THROW(SharedOpenMemory(tooLarge, name, 8192), ESharedMemError) << "the block is only 4096 bytes";
  EXPECT_EQ(tooLarge, nullptr);

  // Another mapping of the name (as another process would make it) sees the
  // same bytes.
  {
    std::unique_ptr<TUclCustomFileMapping> other(TUclCustomFileMapping::Open(name, false, FILE_MAP_READ));
    TUclFileMappingView* view = other->Views(other->Add(FILE_MAP_READ, 0, 0));
    EXPECT_STREQ(static_cast<const char*>(view->Memory()), "shared text");
  }

  // Names are as exact as the system's: another case is another block.
  void* otherCase = nullptr;
  EXPECT_EQ(SharedOpenMemory(otherCase, fw::UpperCase(name), 16), 0u);
  EXPECT_NE(otherCase, first);
  EXPECT_TRUE(SharedCloseMemory(otherCase));

  void* copy = first;
  EXPECT_TRUE(SharedCloseMemory(second));
  EXPECT_EQ(second, nullptr);
  EXPECT_STREQ(static_cast<const char*>(first), "shared text") << "one reference is left";
  EXPECT_TRUE(SharedCloseMemory(first));
  EXPECT_FALSE(SharedCloseMemory(copy)) << "unmapped with the last reference";
  void* none = nullptr;
  EXPECT_TRUE(SharedCloseMemory(none));
  HANDLE gone = OpenFileMappingW(FILE_MAP_READ, FALSE, W(name));
  EXPECT_EQ(gone, nullptr) << "the system's mapping went with the last handle";
  if (gone) CloseHandle(gone);

  void* empty = nullptr;
  try {
    SharedOpenMemory(empty, UniqueName(u"vl_shared_empty"), 0);
    ADD_FAILURE() << "an empty block was made";
  } catch (const ESharedMemError& e) {
    EXPECT_EQ(fw::StringToUtf8(e.Message()),
              "The MMF named \"" + fw::StringToUtf8(UniqueName(u"vl_shared_empty")) + "\" cannot be created empty");
  }
}

TEST(UclSysUtils, ModulesLoadOnceAndAnswerSymbols) {
  HMODULE module = nullptr;
  ASSERT_TRUE(LoadModuleOnce(module, u"kernel32.dll"));
  HMODULE same = module;
  EXPECT_TRUE(LoadModuleOnce(module, u"no_such_module.dll")) << "already set: nothing is loaded";
  EXPECT_EQ(module, same);
  EXPECT_NE(ModuleSymbol(module, "GetTickCount"), nullptr);
  EXPECT_EQ(ModuleSymbol(module, "NoSuchFunction"), nullptr);
  EXPECT_EQ(ModuleSymbol(nullptr, "GetTickCount"), nullptr);
  UnloadModuleHandle(module);
  EXPECT_EQ(module, nullptr);
  EXPECT_FALSE(LoadModuleOnce(module, u"no_such_module.dll"));
  EXPECT_EQ(module, nullptr);
}

TEST(UclSysUtils, GuidTextAndZeroBytes) {
  EXPECT_EQ(fw::StringToUtf8(GuidText(GUID{})), "{00000000-0000-0000-0000-000000000000}");
  const GUID known = {0x0A1B2C3D, 0x4E5F, 0x6071, {0x82, 0x93, 0xA4, 0xB5, 0xC6, 0xD7, 0xE8, 0xF9}};
  EXPECT_EQ(fw::StringToUtf8(GuidText(known)), "{0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9}");
  char buffer[4] = {1, 2, 3, 4};
  ZeroBytes(buffer, 2);
  ZeroBytes(buffer + 2, -1);
  EXPECT_EQ(std::string(buffer, 4), std::string("\0\0\3\4", 4));
}

}  // namespace
