// The settings storage on real files under Wine: the flush through a
// temporary file, reload after another writer, the named mutex between two
// storages on one file, version resources, the case table and the clock.
#include <gtest/gtest.h>

#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/platform_test_folder.h"
#include "services/appstorage_win.h"
#include "services/uclutils.h"
#include "services/core/appinistorage.h"
#include "services/core/uclstrings.h"

using namespace services;
using fw::String;

namespace {

class TErrors : public fw::TObject {
 public:
  std::vector<String> messages;
  void OnError(fw::TObject*, const String& text) { messages.push_back(text); }
};

struct WindowsStorage : ::testing::Test {
  void SetUp() override { RegisterAppStorageUnit(); }
  void TearDown() override { FinalizeAppStorageUnit(); }
  std::unique_ptr<TCkAppIniFileStorage> Make(const String& file) {
    auto s = std::make_unique<TCkAppIniFileStorage>(nullptr);
    s->FOnError = TCkAppStorageErrorEvent(&errors, &TErrors::OnError);
    s->SetLocation(flCustom);
    s->SetDefaultSection(u"MainForm");
    s->SetFileName(file);
    return s;
  }
  String Read(const String& file) {
    auto b = fw::ReadFileBytes(file);
    return fw::Utf8ToString(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
  }
  fw::testing::TestFolder folder{"appstorage"};
  TErrors errors;
};

TEST_F(WindowsStorage, FlushCreatesTheFoldersAndReplacesTheFileThroughATemporaryOne) {
  const String file = folder / u"Okrabel\\Vestaline\\vestaline.ini";
  {
    auto s = Make(file);
    s->WriteInteger(u"ImageForm\\secodepoint_Value", 66);
    s->WriteBoolean(u"ImageForm\\cbcheckshow_Checked", true);
  }  // written when it goes
  EXPECT_EQ(Read(file), u"\ufeff[ImageForm]\r\nsecodepoint_Value=66\r\ncbcheckshow_Checked=TRUE\r\n\r\n");
  EXPECT_FALSE(fw::FileExists(file + u".tmp"));
  // A file held open without sharing cannot be replaced: the old one stays whole.
  auto s = Make(file);
  s->WriteInteger(u"ImageForm\\secodepoint_Value", 67);
  HANDLE h = CreateFileW(W(file), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  s->Flush();
  CloseHandle(h);
  EXPECT_EQ(errors.messages.size(), 1u);
  EXPECT_NE(Read(file).find(u"=66"), String::npos);
  EXPECT_FALSE(fw::FileExists(file + u".tmp"));
  s->Flush();
  EXPECT_NE(Read(file).find(u"=67"), String::npos);
  s->WriteFlushOnDestroy(false);
}

TEST_F(WindowsStorage, AutoReloadSeesAnotherWritersChanges) {
  const String file = folder / u"shared.ini";
  auto reader = Make(file);
  reader->SetAutoReload(true);
  auto writer = Make(file);
  writer->WriteString(u"k", u"1");
  writer->Flush();
  EXPECT_EQ(reader->ReadString(u"k", u""), u"1");
  // Another last-write time, as a later write would give.
  writer->WriteString(u"k", u"2");
  writer->Flush();
  HANDLE h = CreateFileW(W(file), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                         0, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE);
  FILETIME ft;
  GetSystemTimeAsFileTime(&ft);
  ULARGE_INTEGER later{{ft.dwLowDateTime, ft.dwHighDateTime}};
  later.QuadPart += 50000000;  // five seconds on
  ft = {later.LowPart, later.HighPart};
  SetFileTime(h, nullptr, nullptr, &ft);
  CloseHandle(h);
  EXPECT_EQ(reader->ReadString(u"k", u""), u"2");
  reader->WriteFlushOnDestroy(false);
  writer->WriteFlushOnDestroy(false);
}

// Runs a flush on a thread of its own and tells when it is done.
struct TFlushThread {
  explicit TFlushThread(TCkAppIniFileStorage* s) : done(CreateEventW(nullptr, TRUE, FALSE, nullptr)), storage(s) {
    thread = CreateThread(nullptr, 0, &Run, this, 0, nullptr);
  }
  ~TFlushThread() {
    WaitForSingleObject(thread, 60000);
    CloseHandle(thread);
    CloseHandle(done);
  }
  static DWORD WINAPI Run(void* p) {
    auto* self = static_cast<TFlushThread*>(p);
    self->storage->Flush();
    SetEvent(self->done);
    return 0;
  }
  HANDLE done;
  HANDLE thread = nullptr;
  TCkAppIniFileStorage* storage;
};

TEST_F(WindowsStorage, SynchronisedFlushWaitsForTheNamedMutexOfItsFile) {
  const String file = folder / u"guarded.ini";
  auto s = Make(file);
  s->SetSynchronizeFlushReload(true);
  s->WriteString(u"k", u"1");
  HANDLE mutex = CreateMutexW(nullptr, TRUE, W(TCkCustomAppMemoryFileStorage::SynchronizeLockName(file)));
  ASSERT_NE(mutex, nullptr);
  {
    TFlushThread flush(s.get());
    EXPECT_EQ(WaitForSingleObject(flush.done, 300), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_FALSE(fw::FileExists(file));
    ReleaseMutex(mutex);
    EXPECT_EQ(WaitForSingleObject(flush.done, 30000), WAIT_OBJECT_0);
  }
  EXPECT_TRUE(fw::FileExists(file));
  // A holder that ended without releasing leaves the mutex abandoned: the
  // next flush takes it over instead of failing or waiting for ever.
  HANDLE t = CreateThread(
      nullptr, 0, [](void* m) -> DWORD { return WaitForSingleObject(static_cast<HANDLE>(m), INFINITE); }, mutex, 0,
      nullptr);
  WaitForSingleObject(t, 30000);
  CloseHandle(t);
  s->WriteString(u"k", u"2");
  s->Flush();
  EXPECT_TRUE(errors.messages.empty());
  EXPECT_NE(Read(file).find(u"k=2"), String::npos);
  CloseHandle(mutex);
  s->WriteFlushOnDestroy(false);
}

TEST_F(WindowsStorage, DamagedFileIsKeptBesideTheNewOne) {
  const String file = folder / u"damaged.ini";
  fw::WriteFileBytes(file, {'[', 'A', ']', '\r', '\n', 'k', '=', 0, 1, 2});
  auto s = Make(file);
  ASSERT_EQ(errors.messages.size(), 1u);
  EXPECT_TRUE(fw::FileExists(folder / u"damaged.~ini"));
  EXPECT_FALSE(fw::FileExists(file));
  s->WriteString(u"k", u"v");
  s->Flush();
  EXPECT_TRUE(fw::FileExists(file));
  EXPECT_EQ(fw::ReadFileBytes(folder / u"damaged.~ini").size(), 10u);
  s->WriteFlushOnDestroy(false);
}

TEST_F(WindowsStorage, VersionResourcesOfSystemFiles) {
  const String kernel = fw::SystemFolder() + u"\\kernel32.dll";
  EXPECT_TRUE(HasVersionResource(kernel));
  auto info = FileVersionInfoOf(kernel);
  EXPECT_FALSE(info->FileVersion().empty());
  EXPECT_GT(info->LanguageCount(), 0);
  EXPECT_NE(FileVersionMS(kernel), 0u);
  try {
    FileVersionInfoOf(folder / u"missing.dll");
    FAIL();
  } catch (const EUclFileVersionInfoError& e) {
    EXPECT_EQ(e.Message(), u"The file " + (folder / u"missing.dll") + u" does not exist");
  }
  const String plain = folder / u"plain.txt";
  fw::WriteFileBytes(plain, {'x'});
  EXPECT_FALSE(HasVersionResource(plain));
  EXPECT_EQ(FileVersionMS(plain), 0u);
  EXPECT_THROW(FileVersionInfoOf(plain), EUclFileVersionInfoError);
  EXPECT_THROW(FileVersionInfoOfModule(nullptr), EUclError);
  EXPECT_FALSE(FileVersionInfoOfModule(GetModuleHandleW(L"kernel32.dll"))->FileVersion().empty());
  EXPECT_FALSE(VersionLanguageName(0x0409).empty());
}

TEST_F(WindowsStorage, ProcessImageNameOfAWindowIsItsProgramsFile) {
  HWND w = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(fw::UpperCase(WindowProcessImageName(w)), fw::UpperCase(fw::ModuleFileName(nullptr)));
  DestroyWindow(w);
  try {
    WindowProcessImageName(nullptr);
    FAIL();
  } catch (const EUclError& e) {
    EXPECT_EQ(e.Message(), u"The window with handle 0 is not valid");
  }
}

TEST_F(WindowsStorage, CaseAndTypeTablesComeFromTheSystem) {
  EXPECT_TRUE(CharType(u'\u0416') & C1_UPPER);
  EXPECT_TRUE(CharType(u'\u00e9') & C1_LOWER);
  EXPECT_TRUE(CharType(u'5') & C1_DIGIT);
  EXPECT_TRUE(CharIsUpperAnsi('A'));
  EXPECT_EQ(CharToUpper(u'\u00e4'), u'\u00c4');
  EXPECT_EQ(TextUpper(u"\u0436abc"), u"\u0416ABC");
  for (char16_t c = 0; c < 0x3000; ++c) {
    wchar_t w[2] = {static_cast<wchar_t>(c), 0};
    CharUpperBuffW(w, 1);
    ASSERT_EQ(CharToUpper(c), static_cast<char16_t>(w[0])) << static_cast<int>(c);
  }
}

TEST_F(WindowsStorage, MillisecondClockMovesInMilliseconds) {
  const uint64_t start = MillisecondClock();
  uint64_t now = start;
  const DWORD until = GetTickCount() + 30000;
  while (now == start && GetTickCount() < until) now = MillisecondClock();
  EXPECT_GT(now, start);
  EXPECT_LT(now - start, 500u);  // not a whole second
}

}  // namespace
