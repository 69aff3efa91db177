#include "services/uclappinst.h"

#include <shellapi.h>
#include <cstring>
#include <memory>

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"
#include "services/uclfilemapping.h"
#include "services/uclsecurity.h"
#include "services/uclsynch.h"
#include "services/uclwin32.h"

namespace services {

namespace {

constexpr int kTableSize = sizeof(InstanceTable);
constexpr int kLockSpinCount = 4000;
constexpr DWORD kSectionAllAccess = 0xF001F;
// A hung instance must not hang the one that asks it something.
constexpr UINT kSendTimeout = 5000;
// Posting to a thread whose queue is full is retried this many times, one
// millisecond apart.
constexpr int kPostAttempts = 1000;

TUclAppInstances* gAppInstances = nullptr;
fw::String gUniqueAppIdOverride;

// A process that ended (killed, or crashed) never unregisters. A process of
// another account that cannot be opened counts as running.
bool ProcessRunning(uint32_t ProcessId) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, ProcessId);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
  const bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
}

fw::String ModuleFileName() {
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n < buffer.size()) return fw::String(reinterpret_cast<const char16_t*>(buffer.data()), n);
    buffer.resize(buffer.size() * 2);
  }
}

fw::String UpperCasedInCurrentLocale(fw::String Text) {
  if (!Text.empty()) CharUpperBuffW(W(Text.data()), static_cast<DWORD>(Text.size()));
  return Text;
}

// The user SID of the thread's token, or of the process's when the thread
// has none.
class TTokenUser {
 public:
  TTokenUser() {
    HANDLE token = nullptr;
    if (!OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token)) {
      if (GetLastError() != ERROR_NO_TOKEN || !OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        fw::RaiseLastOSError();
    }
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    buffer_.resize(size ? size : 1);
    const BOOL ok = GetTokenInformation(token, TokenUser, buffer_.data(), size, &size);
    const DWORD error = GetLastError();
    CloseHandle(token);
    if (!ok) fw::RaiseLastOSError(error);
  }
  PSID Sid() const { return reinterpret_cast<const TOKEN_USER*>(buffer_.data())->User.Sid; }

 private:
  std::vector<uint8_t> buffer_;
};

// The world SID S-1-1-0.
class TWorldSid {
 public:
  TWorldSid() {
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    if (!AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &sid_)) fw::RaiseLastOSError();
  }
  ~TWorldSid() { FreeSid(sid_); }
  TWorldSid(const TWorldSid&) = delete;
  TWorldSid& operator=(const TWorldSid&) = delete;
  PSID Sid() const { return sid_; }

 private:
  PSID sid_ = nullptr;
};

// A security descriptor owned by Owner that grants Granted all access to a
// section, with its attributes; freed with the object.
class TTableSecurity {
 public:
  TTableSecurity(PSID Granted, PSID Owner) {
    acl_.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(Granted));
    auto* acl = reinterpret_cast<ACL*>(acl_.data());
    if (!InitializeSecurityDescriptor(&descriptor_, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorOwner(&descriptor_, Owner, FALSE) ||
        !SetSecurityDescriptorGroup(&descriptor_, Owner, FALSE) ||
        !InitializeAcl(acl, static_cast<DWORD>(acl_.size()), ACL_REVISION) ||
        !AddAccessAllowedAce(acl, ACL_REVISION, kSectionAllAccess, Granted) ||
        !SetSecurityDescriptorDacl(&descriptor_, TRUE, acl, FALSE) ||
        !SetSecurityDescriptorSacl(&descriptor_, FALSE, nullptr, TRUE))
      fw::RaiseLastOSError();
    attributes_.nLength = sizeof attributes_;
    attributes_.lpSecurityDescriptor = &descriptor_;
    attributes_.bInheritHandle = FALSE;
  }
  TTableSecurity(const TTableSecurity&) = delete;
  TTableSecurity& operator=(const TTableSecurity&) = delete;
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

 private:
  SECURITY_DESCRIPTOR descriptor_{};
  std::vector<uint8_t> acl_;
  SECURITY_ATTRIBUTES attributes_{};
};

DWORD ThreadOfWindow(HWND Wnd) { return Wnd ? GetWindowThreadProcessId(Wnd, nullptr) : 0; }

fw::String ClassNameOf(HWND Wnd, int BufferLength) {
  std::vector<wchar_t> buffer(BufferLength + 1);
  const int n = GetClassNameW(Wnd, buffer.data(), BufferLength);
  return fw::String(reinterpret_cast<const char16_t*>(buffer.data()), n > 0 ? n : 0);
}

// The command-line parameters after the program name, parsed as the
// system parses them.
std::vector<fw::String> CommandLineParameters() {
  std::vector<fw::String> result;
  int count = 0;
  LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!args) return result;
  for (int i = 1; i < count; ++i) result.emplace_back(reinterpret_cast<const char16_t*>(args[i]));
  LocalFree(args);
  return result;
}

}  // namespace

// ---- Creation and the tables

TUclAppInstances::TUclAppInstances() : FCPID(GetCurrentProcessId()) {
  FUniqueAppID = MakeInstanceId(gUniqueAppIdOverride, UpperCasedInCurrentLocale(u"Ucl" + ModuleFileName()));
  FMessageID = RegisterWindowMessageW(W(FUniqueAppID + u"_Msg"));
  try {
    FOptex = new TUclOptex(FUniqueAppID + u"_Otx", kLockSpinCount);
    TTokenUser user;
    TWorldSid world;
    OpenTable(FAll, FUniqueAppID + u"_All", world.Sid(), user.Sid());
    DWORD session = 0;
    if (!UclProcessIdToSessionId(FCPID, &session)) fw::RaiseLastOSError();
    OpenTable(FSession, FUniqueAppID + u"_Session_" + fw::IntToStr(session), world.Sid(), user.Sid());
    fw::String name, domain;
    AccountNameOfSid(user.Sid(), name, domain, false);
    OpenTable(FUser, FUniqueAppID + u"_User_" + name + u"_" + domain, user.Sid(), user.Sid());
  } catch (...) {
    for (TTable* t : {&FUser, &FSession, &FAll}) delete t->Mapping;
    delete FOptex;
    throw;
  }
}

void TUclAppInstances::OpenTable(TTable& Table, const fw::String& Name, PSID Granted, PSID Owner) {
  TTableSecurity security(Granted, Owner);
  TOptexLock lock(*FOptex);
  auto mapping = std::make_unique<TUclSwapFileMapping>(Name, PAGE_READWRITE, kTableSize, security.Attributes());
  TUclFileMappingView* view = mapping->Views(mapping->Add(FILE_MAP_ALL_ACCESS, kTableSize, 0));
  if (!mapping->Existed()) std::memset(view->Memory(), 0, kTableSize);
  Table.Mapping = mapping.release();
  Table.View = view;
}

TUclAppInstances::~TUclAppInstances() {
  {
    TOptexLock lock(*FOptex);
    for (TTable* t : {&FAll, &FSession, &FUser})
      if (t->View) UnregisterInstance(*static_cast<InstanceTable*>(t->View->Memory()), FCPID);
  }
  Broadcast(AI_INSTANCEDESTROYED, FCPID);
  for (TTable* t : {&FAll, &FSession, &FUser}) delete t->Mapping;
  delete FOptex;
}

InstanceTable* TUclAppInstances::Records(TTable& Table) {
  auto* records = static_cast<InstanceTable*>(Table.View->Memory());
  RemoveEndedInstances(*records, ProcessRunning);
  return records;
}

int TUclAppInstances::CountOf(TTable& Table) {
  TOptexLock lock(*FOptex);
  return Records(Table)->Count;
}

DWORD TUclAppInstances::ProcessIdOf(TTable& Table, int Index) {
  TOptexLock lock(*FOptex);
  return InstanceProcessId(*Records(Table), Index);
}

int TUclAppInstances::IndexOf(TTable& Table, DWORD ProcessID) {
  TOptexLock lock(*FOptex);
  return InstanceIndex(*Records(Table), ProcessID);
}

int TUclAppInstances::InstanceCount() { return CountOf(FAll); }
int TUclAppInstances::SessionInstanceCount() { return CountOf(FSession); }
int TUclAppInstances::UserInstanceCount() { return CountOf(FUser); }
DWORD TUclAppInstances::GetAllProcessIDs(int Index) { return ProcessIdOf(FAll, Index); }
DWORD TUclAppInstances::GetSessionProcessIDs(int Index) { return ProcessIdOf(FSession, Index); }
DWORD TUclAppInstances::GetUserProcessIDs(int Index) { return ProcessIdOf(FUser, Index); }
int TUclAppInstances::GetAllInstanceIndex(DWORD ProcessID) { return IndexOf(FAll, ProcessID); }
int TUclAppInstances::GetSessionInstanceIndex(DWORD ProcessID) { return IndexOf(FSession, ProcessID); }
int TUclAppInstances::GetUserInstanceIndex(DWORD ProcessID) { return IndexOf(FUser, ProcessID); }

// ---- Registration

bool TUclAppInstances::CheckInstance(WORD MaxInstances, WORD MaxSessionInstances, WORD MaxUserInstances) {
  bool ok;
  {
    TOptexLock lock(*FOptex);
    ok = RegisterInstance(*Records(FAll), FCPID, MaxInstances);
    ok = RegisterInstance(*Records(FSession), FCPID, MaxSessionInstances) && ok;
    ok = RegisterInstance(*Records(FUser), FCPID, MaxUserInstances) && ok;
  }
  if (ok) Broadcast(AI_INSTANCECREATED, FCPID);
  return ok;
}

void TUclAppInstances::CheckMultipleInstances(WORD MaxInstances, WORD MaxSessionInstances, WORD MaxUserInstances) {
  if (CheckInstance(MaxInstances, MaxSessionInstances, MaxUserInstances)) return;
  SwitchTo(0);
  KillInstance();
}

void TUclAppInstances::KillInstance() { std::exit(0); }

void TUclAppInstances::Broadcast(WPARAM Code, LPARAM Value) {
  TOptexLock lock(*FOptex);
  const InstanceTable& table = *Records(FAll);
  for (int i = 0; i < table.Count; ++i) {
    HWND wnd = GetApplicationWnd(table.ProcessIds[i]);
    if (!wnd) continue;
    const DWORD thread = ThreadOfWindow(wnd);
    for (int attempt = 0; attempt < kPostAttempts; ++attempt) {
      if (PostThreadMessageW(thread, FMessageID, Code, Value) || GetLastError() == ERROR_INVALID_THREAD_ID) break;
      Sleep(1);
    }
    struct Notice {
      UINT message;
      WPARAM code;
      LPARAM value;
    } notice{FMessageID, Code, Value};
    EnumThreadWindows(
        thread,
        [](HWND w, LPARAM p) -> BOOL {
          const auto* n = reinterpret_cast<const Notice*>(p);
          SendNotifyMessageW(w, n->message, n->code, n->value);
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&notice));
  }
}

void TUclAppInstances::UserNotify(int Param) { Broadcast(AI_USERMSG, Param); }

// ---- Windows

HWND TUclAppInstances::GetApplicationWnd(DWORD ProcessID) {
  if (!ProcessID) return nullptr;
  struct Search {
    DWORD pid;
    HWND found;
  } search{ProcessID, nullptr};
  EnumWindows(
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner != s->pid || ClassNameOf(w, 14) != u"TApplication") return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

bool TUclAppInstances::BringAppWindowToFront(HWND Wnd) {
  if (!Wnd) return false;
  if (IsIconic(Wnd)) SendMessageTimeoutW(Wnd, WM_SYSCOMMAND, SC_RESTORE, 0, SMTO_ABORTIFHUNG, kSendTimeout, nullptr);
  return SetForegroundWindow98(Wnd);
}

bool TUclAppInstances::SetForegroundWindow98(HWND Wnd) {
  HWND foreground = GetForegroundWindow();
  if (Wnd == foreground) return true;
  const DWORD target = ThreadOfWindow(Wnd);
  const DWORD current = ThreadOfWindow(foreground);
  if (foreground && target != current) {
    AttachThreadInput(current, target, TRUE);
    const BOOL ok = SetForegroundWindow(Wnd);
    AttachThreadInput(current, target, FALSE);
    return ok && SetForegroundWindow(Wnd);
  }
  return SetForegroundWindow(Wnd) != 0;
}

// ---- Data

bool TUclAppInstances::SendData(const fw::String& WindowClassName, int DataKind, const void* Data, int Size,
                                HWND OriginatorWnd) {
  struct Sending {
    TUclAppInstances* self;
    const fw::String* className;
    COPYDATASTRUCT data;
    HWND originator;
  } sending{this, &WindowClassName, {static_cast<ULONG_PTR>(DataKind), static_cast<DWORD>(Size), const_cast<void*>(Data)},
            OriginatorWnd};
  return EnumWindows(
             [](HWND w, LPARAM p) -> BOOL {
               auto* s = reinterpret_cast<Sending*>(p);
               if (ClassNameOf(w, 200) != *s->className) return TRUE;
               DWORD pid = 0;
               GetWindowThreadProcessId(w, &pid);
               if (s->self->GetAllInstanceIndex(pid) < 0) return TRUE;
               SendMessageTimeoutW(w, WM_COPYDATA, reinterpret_cast<WPARAM>(s->originator),
                                   reinterpret_cast<LPARAM>(&s->data), SMTO_ABORTIFHUNG, kSendTimeout, nullptr);
               return TRUE;
             },
             reinterpret_cast<LPARAM>(&sending)) != 0;
}

bool TUclAppInstances::SendString(const fw::String& WindowClassName, int DataKind, const fw::String& S,
                                  HWND OriginatorWnd) {
  return SendData(WindowClassName, DataKind, S.data(), static_cast<int>(S.size() * 2), OriginatorWnd);
}

bool TUclAppInstances::SendStrings(const fw::String& WindowClassName, int DataKind, const fw::TStrings& Strings,
                                   HWND OriginatorWnd) {
  fw::String text;
  for (int i = 0; i < Strings.Count(); ++i) text += Strings[i] + u"\r\n";
  return SendString(WindowClassName, DataKind, text, OriginatorWnd);
}

bool TUclAppInstances::SendCmdLineParams(const fw::String& WindowClassName, HWND OriginatorWnd) {
  fw::TStringList params;
  for (const fw::String& p : CommandLineParameters()) params.Add(p);
  return SendStrings(WindowClassName, AppInstCmdLineDataKind, params, OriginatorWnd);
}

int TUclAppInstances::ReadCopyDataKind(fw::TMessage& Message, HWND IgnoredOriginatorWnd) {
  if (Message.Msg == WM_COPYDATA && reinterpret_cast<HWND>(Message.WParam) != IgnoredOriginatorWnd) {
    Message.Result = 1;
    return static_cast<int>(reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam)->dwData);
  }
  Message.Result = 0;
  return -1;
}

std::vector<uint8_t> TUclAppInstances::ReadCopyDataBuffer(const fw::TMessage& Message) {
  if (Message.Msg != WM_COPYDATA) return {};
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  const auto* bytes = static_cast<const uint8_t*>(data->lpData);
  return bytes ? std::vector<uint8_t>(bytes, bytes + data->cbData) : std::vector<uint8_t>();
}

fw::String TUclAppInstances::ReadCopyDataString(const fw::TMessage& Message) {
  if (Message.Msg != WM_COPYDATA) return {};
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (!data->lpData) return {};
  fw::String text(data->cbData / 2, u'\0');
  std::memcpy(text.data(), data->lpData, text.size() * 2);
  return text;
}

void TUclAppInstances::ReadCopyDataStrings(const fw::TMessage& Message, fw::TStrings& Strings) {
  if (Message.Msg != WM_COPYDATA) return;
  Strings.SetText(ReadCopyDataString(Message));
}

// ---- The process's registry

TUclAppInstances* GlobalAppInstances() {
  if (!gAppInstances) gAppInstances = new TUclAppInstances();
  return gAppInstances;
}

TUclAppInstances* GlobalAppInstancesWithId(const fw::String& Id) {
  gUniqueAppIdOverride = Id;
  return GlobalAppInstances();
}

void FreeGlobalAppInstances() {
  delete gAppInstances;
  gAppInstances = nullptr;
  gUniqueAppIdOverride.clear();
}

}  // namespace services
