// Win32 errors in messages, optional system functions looked up once, and
// security identifiers as text and account names.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <vector>

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"
#include "services/uclbase.h"
#include "services/uclsecurity.h"
#include "services/uclwin32.h"

using namespace services;
using fw::String;

namespace {

TEST(EUclWin32Error, MessageCarriesTheLastErrorItsTextAndTheCallersText) {
  SetLastError(ERROR_ACCESS_DENIED);
  const EUclWin32Error e(u"Failed to create FileMapping");
  EXPECT_EQ(e.LastError(), 5u);
  EXPECT_EQ(e.LastErrorMsg(), fw::SysErrorMessage(5));
  EXPECT_EQ(e.Message(), u"Win32 error: " + fw::SysErrorMessage(5) + u" (5)\r\nFailed to create FileMapping");

  SetLastError(ERROR_FILE_NOT_FOUND);
  const EUclWin32Error f(u"Cannot open %s (%d)", {u"map", 3});
  EXPECT_EQ(f.LastError(), 2u);
  EXPECT_EQ(f.Message(), u"Win32 error: " + fw::SysErrorMessage(2) + u" (2)\r\nCannot open map (3)");
  // The family is caught as the utility error.
  SetLastError(0);
  EXPECT_THROW(throw EUclMutexError(u"x"), EUclError);
}

TEST(EUclWin32Error, AnsiReplacementCharacterComesFromTheCodePage) {
  CPINFO info{};
  ASSERT_TRUE(GetCPInfo(CP_ACP, &info));
  EXPECT_EQ(AnsiReplacementChar(), static_cast<char>(info.DefaultChar[0]));
}

TEST(GetFunctionOnce, LooksUpOnceAndNamesWhatIsMissing) {
  FARPROC p = nullptr;
  GetFunctionOnce(p, u"kernel32.dll", "GetTickCount");
  EXPECT_EQ(reinterpret_cast<void*>(p), reinterpret_cast<void*>(&GetTickCount));
  // A set pointer is not looked up again, even where the look-up would fail.
  FARPROC set = p;
  GetFunctionOnce(set, u"no-such-library-here.dll", "Nothing");
  EXPECT_EQ(set, p);

  auto messageOf = [](const char16_t* module, const char* name) {
    FARPROC q = nullptr;
    try {
      GetFunctionOnce(q, module, name);
    } catch (const EUclError& e) {
      EXPECT_EQ(q, nullptr);
      return e.Message();
    }
    return String(u"(no error)");
  };
  EXPECT_EQ(messageOf(u"kernel32.dll", "Nope"), u"Function not found: kernel32.dll.Nope");
  EXPECT_EQ(messageOf(u"no-such-library-here.dll", "Nope"), u"Library not found: no-such-library-here.dll");

  // The program's late-bound wrappers reach the real functions.
  DWORD session = 0xFFFFFFFF;
  EXPECT_TRUE(UclProcessIdToSessionId(GetCurrentProcessId(), &session));
  EXPECT_NE(session, 0xFFFFFFFFu);
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  EXPECT_TRUE(UclGlobalMemoryStatusEx(&status));
  EXPECT_GT(status.ullTotalPhys, 0u);
}

// A SID from its parts, as the system lays it out.
std::vector<BYTE> MakeSid(const BYTE (&authority)[6], std::initializer_list<DWORD> subs) {
  std::vector<BYTE> sid(8 + 4 * subs.size());
  sid[0] = SID_REVISION;
  sid[1] = static_cast<BYTE>(subs.size());
  std::memcpy(&sid[2], authority, 6);
  size_t at = 8;
  for (DWORD s : subs) {
    std::memcpy(&sid[at], &s, 4);
    at += 4;
  }
  return sid;
}

TEST(SidText, DecimalOrHexadecimalAuthorityThenEverySubAuthority) {
  struct Case {
    BYTE authority[6];
    std::initializer_list<DWORD> subs;
    const char16_t* text;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 1}, {0}, u"S-1-1-0"},
      {{0, 0, 0, 0, 0, 5}, {32, 544}, u"S-1-5-32-544"},
      {{0, 0, 1, 2, 3, 4}, {7}, u"S-1-16909060-7"},
      {{1, 0, 0, 0, 0, 0xAB}, {1}, u"S-1-0x0100000000ab-1"},
      {{0, 0xFF, 0, 0, 0, 0}, {}, u"S-1-0x00ff00000000"},
  };
  for (const Case& c : cases) {
    std::vector<BYTE> sid = MakeSid(c.authority, c.subs);
    EXPECT_EQ(SidText(sid.data()), c.text);
  }
  std::vector<BYTE> bad = MakeSid({0, 0, 0, 0, 0, 5}, {1});
  bad[0] = 9;  // unknown revision
  try {
    SidText(bad.data());
    ADD_FAILURE() << "no error";
  } catch (const EUclSecurityError& e) {
    EXPECT_EQ(e.Message(), u"Invalid SID");
  }
}

TEST(AccountNameOfSid, NamesKnownAccountsAndFallsBackToTheTextWhenSilent) {
  std::vector<BYTE> world = MakeSid({0, 0, 0, 0, 0, 1}, {0});
  WCHAR name[256], domain[256];
  DWORD nameSize = 256, domainSize = 256;
  SID_NAME_USE use;
  ASSERT_TRUE(LookupAccountSidW(nullptr, world.data(), name, &nameSize, domain, &domainSize, &use));
  String n = u"old", d = u"old";
  AccountNameOfSid(world.data(), n, d, false);
  EXPECT_EQ(n, reinterpret_cast<const char16_t*>(name));
  EXPECT_EQ(d, reinterpret_cast<const char16_t*>(domain));
  EXPECT_EQ(n.find(u'\0'), String::npos);

  // A domain account no system knows.
  std::vector<BYTE> unknown = MakeSid({0, 0, 0, 0, 0, 5}, {21, 11, 22, 33, 4444});
  AccountNameOfSid(unknown.data(), n, d, true);
  EXPECT_EQ(n, u"S-1-5-21-11-22-33-4444");
  EXPECT_EQ(d, u"");
  EXPECT_THROW(AccountNameOfSid(unknown.data(), n, d, false), fw::EOSError);
}

}  // namespace
