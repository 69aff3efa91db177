#include "services/uclsysinfo.h"

#include <cfloat>
#include <vector>

#include "fw/core/sysutils.h"
#include "fw/platform/files.h"
#include "fw/platform/oserror.h"
#include "fw/platform/registry.h"
#include "fw/platform/system_function.h"
#include "services/uclbase.h"
#include "services/uclwin32.h"

namespace services {

namespace {

fw::String FromWide(const wchar_t* Text) { return fw::String(reinterpret_cast<const char16_t*>(Text)); }

// The running version as the kernel knows it; GetVersionExW reports what
// the program's manifest allows.
OSVERSIONINFOEXW RunningVersionInfo(bool& Ok) {
  OSVERSIONINFOEXW v{};
  v.dwOSVersionInfoSize = sizeof v;
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOEXW*);
  auto rtlGetVersion = fw::SystemFunction<RtlGetVersionFn>(L"ntdll.dll", "RtlGetVersion");
  Ok = rtlGetVersion && rtlGetVersion(&v) == 0;
  if (!Ok) Ok = GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&v)) != 0;
  return v;
}

TWindowsVersionFacts GatherVersionFacts() {
  TWindowsVersionFacts f;
  bool ok = false;
  const OSVERSIONINFOEXW v = RunningVersionInfo(ok);
  f.Nt = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  f.Major = v.dwMajorVersion;
  f.Minor = v.dwMinorVersion;
  f.CsdText = FromWide(v.szCSDVersion);
  f.ServerR2 = GetSystemMetrics(SM_SERVERR2) != 0;
  SYSTEM_INFO si{};
  ReadNativeSystemInfo(si);
  f.NativeArchitecture = si.wProcessorArchitecture;
  f.VersionExOk = ok;
  f.ProductType = v.wProductType;
  f.SuiteMask = v.wSuiteMask;
  f.ServicePackMajor = v.wServicePackMajor;
  if (f.Nt && f.Major == 6 && f.Minor == 2)
    f.ProductName = ReadMachineString(u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion", u"ProductName");
  return f;
}

TSystemFacts MakeSystemFacts() {
  TSystemFacts facts;
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  facts.ProcessorCount = static_cast<int>(si.dwNumberOfProcessors);
  facts.AllocationGranularity = si.dwAllocationGranularity;
  facts.PageSize = si.dwPageSize;
  bool ok = false;
  const OSVERSIONINFOEXW v = RunningVersionInfo(ok);
  facts.IsWinNT = v.dwPlatformId == VER_PLATFORM_WIN32_NT;
  facts.VersionMajor = v.dwMajorVersion;
  facts.VersionMinor = v.dwMinorVersion;
  facts.VersionBuild = v.dwBuildNumber;
  facts.VersionCSDString = FromWide(v.szCSDVersion);
  facts.Version = DetectWindowsVersionFrom(GatherVersionFacts());
  facts.IsVersion[static_cast<int>(facts.Version)] = true;
  using V = TWindowsVersion;
  facts.IsWinNT3 = facts.Version == V::wvWinNT31 || facts.Version == V::wvWinNT35 || facts.Version == V::wvWinNT351;
  facts.IsWinNT35 = facts.Version == V::wvWinNT351;
  return facts;
}

MEMORYSTATUSEX MemoryStatus() {
  MEMORYSTATUSEX m{};
  m.dwLength = sizeof m;
  if (!UclGlobalMemoryStatusEx(&m)) fw::RaiseLastOSError();
  return m;
}

SYSTEM_POWER_STATUS PowerStatus() {
  SYSTEM_POWER_STATUS s{};
  if (!GetSystemPowerStatus(&s)) fw::RaiseLastOSError();
  return s;
}

bool NtFourOrEarlier() {
  const TSystemFacts& f = SystemFacts();
  return f.IsWinNT && f.VersionMajor <= 4;
}

// GetVolumeInformationW on "X:\" without the system's "insert a disk" box.
bool QueryVolumeInfo(const fw::String& Drive, fw::String* Name, DWORD* Serial, fw::String* FileSystem) {
  const fw::String root = Drive + u":\\";
  wchar_t name[261] = {}, fileSystem[16] = {};
  DWORD serial = 0, maxLength = 0, flags = 0;
  const UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS);
  const BOOL ok = GetVolumeInformationW(W(root), name, 261, &serial, &maxLength, &flags, fileSystem, 16);
  SetErrorMode(previous);
  if (!ok) return false;
  if (Name) *Name = FromWide(name);
  if (Serial) *Serial = serial;
  if (FileSystem) *FileSystem = FromWide(fileSystem);
  return true;
}

// Handles of the process token, closed on every path.
struct TokenHandle {
  HANDLE Handle = nullptr;
  ~TokenHandle() {
    if (Handle) CloseHandle(Handle);
  }
};

}  // namespace

const TSystemFacts& SystemFacts() {
  static const TSystemFacts facts = MakeSystemFacts();
  return facts;
}

fw::String CurrentVersionKey() {
  return SystemFacts().IsWinNT ? u"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion"
                               : u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
}

fw::String ReadMachineString(const fw::String& Key, const fw::String& Name, const fw::String& Default, bool Native) {
  try {
    fw::TRegistry reg(KEY_READ | (Native && RunningOn64BitWindows() ? KEY_WOW64_64KEY : 0));
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    const fw::String key = !Key.empty() && Key[0] == u'\\' ? Key : u"\\" + Key;
    if (!reg.OpenKeyReadOnly(key) || !reg.ValueExists(Name)) return Default;
    return reg.ReadString(Name);
  } catch (const fw::Exception&) {
    return Default;
  }
}

// ---- Environment and folders

bool ExpandEnvironmentText(fw::String& Text) {
  const DWORD size = ExpandEnvironmentStringsW(W(Text), nullptr, 0);
  if (size == 0) return false;
  std::vector<wchar_t> buffer(size + 1);
  if (ExpandEnvironmentStringsW(W(Text), buffer.data(), size + 1) == 0) return false;
  Text = FromWide(buffer.data());
  return true;
}

bool ReadEnvironmentVariable(const fw::String& Name, fw::String& Value, bool Expand) {
  Value.clear();
  const DWORD size = GetEnvironmentVariableW(W(Name), nullptr, 0);
  if (size == 0) return false;
  std::vector<wchar_t> buffer(size + 1);
  const DWORD length = GetEnvironmentVariableW(W(Name), buffer.data(), size + 1);
  if (length == 0 || length > size) return false;
  Value = FromWide(buffer.data());
  if (Expand) ExpandEnvironmentText(Value);
  return true;
}

fw::String ReadCommonFilesFolder() {
  return ReadMachineString(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", u"CommonFilesDir");
}

fw::String ReadProgramFilesFolder() {
  return ReadMachineString(u"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", u"ProgramFilesDir");
}

fw::String ReadCurrentFolder() { return fw::CurrentFolder(); }
fw::String ReadWindowsFolder() { return fw::WindowsFolder(); }
fw::String ReadSystemFolder() { return fw::SystemFolder(); }

fw::String ReadTempPathFolder() {
  fw::String path = fw::GetTempPathStr();
  if (!path.empty() && path.back() == u'\\') path.pop_back();
  return path;
}

fw::String ReadAppDataFolder() { return fw::AppDataFolder(); }

// ---- Volumes and identity

fw::String ReadVolumeName(const fw::String& Drive) {
  fw::String name;
  return QueryVolumeInfo(Drive, &name, nullptr, nullptr) ? name : fw::String();
}

fw::String ReadVolumeSerial(const fw::String& Drive) {
  DWORD serial = 0;
  return QueryVolumeInfo(Drive, nullptr, &serial, nullptr) ? VolumeSerialText(serial) : fw::String();
}

fw::String ReadVolumeFileSystem(const fw::String& Drive) {
  fw::String fileSystem;
  return QueryVolumeInfo(Drive, nullptr, nullptr, &fileSystem) ? fileSystem : fw::String();
}

fw::String ReadHostIPAddress(const fw::String& HostName) {
  // Winsock is looked up by name: the program uses no sockets otherwise.
  struct WsaData {
    WORD wVersion, wHighVersion;
    char rest[512];
  };
  struct HostEnt {
    char* h_name;
    char** h_aliases;
    short h_addrtype, h_length;
    char** h_addr_list;
  };
  using StartupFn = int(WINAPI*)(WORD, WsaData*);
  using CleanupFn = int(WINAPI*)();
  using HostNameFn = int(WINAPI*)(char*, int);
  using ByNameFn = HostEnt*(WINAPI*)(const char*);
  auto startup = fw::SystemFunction<StartupFn>(L"ws2_32.dll", "WSAStartup");
  auto cleanup = fw::SystemFunction<CleanupFn>(L"ws2_32.dll", "WSACleanup");
  auto hostName = fw::SystemFunction<HostNameFn>(L"ws2_32.dll", "gethostname");
  auto byName = fw::SystemFunction<ByNameFn>(L"ws2_32.dll", "gethostbyname");
  if (!startup || !cleanup || !hostName || !byName) return fw::String();
  WsaData data{};
  if (startup(0x0101, &data) != 0) return fw::String();
  fw::String result;
  std::string name = fw::StringToAnsi(HostName);
  if (name.empty()) {
    char local[260] = {};
    if (hostName(local, sizeof local) == 0) name = local;
  }
  if (!name.empty()) {
    const HostEnt* host = byName(name.c_str());
    if (host && host->h_addrtype == 2 /* AF_INET */ && host->h_length == 4 && host->h_addr_list && host->h_addr_list[0]) {
      const auto* a = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
      result = fw::IntToStr(a[0]) + u"." + fw::IntToStr(a[1]) + u"." + fw::IntToStr(a[2]) + u"." + fw::IntToStr(a[3]);
    }
  }
  cleanup();
  return result;
}

fw::String ReadComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  return GetComputerNameW(name, &size) ? FromWide(name) : fw::String();
}

fw::String ReadUserName() {
  wchar_t name[257] = {};
  DWORD size = 257;
  return GetUserNameW(name, &size) ? FromWide(name) : fw::String();
}

fw::String ReadRegisteredOrganization() { return ReadMachineString(CurrentVersionKey(), u"RegisteredOrganization"); }
fw::String ReadRegisteredOwner() { return ReadMachineString(CurrentVersionKey(), u"RegisteredOwner"); }

fw::String ReadAccountDomain(const fw::String& AccountName) {
  DWORD sidSize = 0, domainSize = 0;
  SID_NAME_USE use;
  LookupAccountNameW(nullptr, W(AccountName), nullptr, &sidSize, nullptr, &domainSize, &use);
  if (sidSize == 0 || domainSize == 0) return fw::String();
  std::vector<BYTE> sid(sidSize);
  std::vector<wchar_t> domain(domainSize + 1);
  if (!LookupAccountNameW(nullptr, W(AccountName), sid.data(), &sidSize, domain.data(), &domainSize, &use))
    return fw::String();
  return FromWide(domain.data());
}

fw::String ReadProcessUserDomain() {
  TokenHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_READ, &token.Handle)) {
    token.Handle = nullptr;
    return fw::String();
  }
  alignas(8) BYTE buffer[1000];
  DWORD length = 0;
  if (!GetTokenInformation(token.Handle, TokenUser, buffer, sizeof buffer, &length)) fw::RaiseLastOSError();
  const auto* user = reinterpret_cast<const TOKEN_USER*>(buffer);
  wchar_t name[257] = {}, domain[257] = {};
  DWORD nameSize = 257, domainSize = 257;
  SID_NAME_USE use;
  if (!LookupAccountSidW(nullptr, user->User.Sid, name, &nameSize, domain, &domainSize, &use)) return fw::String();
  return FromWide(domain);
}

// ---- BIOS

fw::String ReadBiosName() {
  if (SystemFacts().IsWinNT) return fw::String();
  return ReadMachineString(u"Enum\\Root\\*PNP0C01\\0000", u"BIOSName");
}

// The 9x family kept these texts in the ROM image mapped into every
// process; reading raw addresses is not safe, and Windows NT has no such
// mapping, so there is nothing to read.
fw::String ReadBiosNotice() { return fw::String(); }
fw::String ReadBiosExtendedInfo() { return fw::String(); }

fw::TDateTime ReadBiosDate() {
  // A missing value reads 0, as every other reader here answers its
  // default (a system without the value is common).
  const fw::String text = SystemFacts().IsWinNT
                              ? ReadMachineString(u"HARDWARE\\DESCRIPTION\\System", u"SystemBiosDate")
                              : ReadMachineString(u"Enum\\Root\\*PNP0C01\\0000", u"BiosDate");
  return ParseBiosDate(text);
}

// ---- Version and product

TWindowsVersion DetectWindowsVersion() { return SystemFacts().Version; }

TNtProductType DetectNtProductType() {
  TWindowsVersionFacts f = GatherVersionFacts();
  f.ProductOptionsType = ReadMachineString(u"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", u"ProductType");
  return DetectNtProductTypeFrom(f, SystemFacts().Version);
}

int ReadServicePackVersion() {
  const TSystemFacts& facts = SystemFacts();
  if (facts.IsWinNT && facts.VersionMajor >= 5) {
    bool ok = false;
    const OSVERSIONINFOEXW v = RunningVersionInfo(ok);
    return ok ? v.wServicePackMajor : 0;
  }
  try {
    fw::TRegistry reg(KEY_READ);
    reg.SetRootKey(HKEY_LOCAL_MACHINE);
    if (!reg.OpenKeyReadOnly(u"\\SYSTEM\\CurrentControlSet\\Control\\Windows") || !reg.ValueExists(u"CSDVersion"))
      return 0;
    return ServicePackFromCsdVersion(static_cast<uint32_t>(reg.ReadInteger(u"CSDVersion")));
  } catch (const fw::Exception&) {
    return 0;
  }
}

bool ReadNativeSystemInfo(SYSTEM_INFO& Info) {
  using NativeFn = void(WINAPI*)(SYSTEM_INFO*);
  if (auto native = fw::SystemFunction<NativeFn>(L"kernel32.dll", "GetNativeSystemInfo")) {
    native(&Info);
    return true;
  }
  GetSystemInfo(&Info);
  return false;
}

bool RunningOn64BitWindows() {
  SYSTEM_INFO si{};
  ReadNativeSystemInfo(si);
  return si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         si.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool GetOpenGLVersion(HWND Window, fw::String& Version, fw::String& Vendor) {
  Version.clear();
  Vendor.clear();
  const fw::String err = u"Err";
  using GetStringFn = const unsigned char*(WINAPI*)(unsigned);
  using GetErrorFn = unsigned(WINAPI*)();
  using ErrorStringFn = const unsigned char*(WINAPI*)(unsigned);
  using CreateContextFn = HGLRC(WINAPI*)(HDC);
  using DeleteContextFn = BOOL(WINAPI*)(HGLRC);
  using MakeCurrentFn = BOOL(WINAPI*)(HDC, HGLRC);
  auto glGetString = fw::SystemFunction<GetStringFn>(L"opengl32.dll", "glGetString");
  auto glGetError = fw::SystemFunction<GetErrorFn>(L"opengl32.dll", "glGetError");
  auto gluErrorString = fw::SystemFunction<ErrorStringFn>(L"glu32.dll", "gluErrorString");
  auto createContext = fw::SystemFunction<CreateContextFn>(L"opengl32.dll", "wglCreateContext");
  auto deleteContext = fw::SystemFunction<DeleteContextFn>(L"opengl32.dll", "wglDeleteContext");
  auto makeCurrent = fw::SystemFunction<MakeCurrentFn>(L"opengl32.dll", "wglMakeCurrent");
  if (!glGetString || !glGetError || !gluErrorString || !createContext || !deleteContext || !makeCurrent) {
    Version = Vendor = err;
    return false;
  }
  // GL drivers may raise floating-point exceptions; all are masked for the
  // call and the caller's control word comes back.
  const unsigned savedControl = _controlfp(0, 0);
  _controlfp(_MCW_EM, _MCW_EM);
  struct RestoreControl {
    unsigned Word;
    ~RestoreControl() { _controlfp(Word, _MCW_EM | _MCW_RC | _MCW_PC); }
  } restore{savedControl};
  if (!Window) {
    Version = Vendor = err;
    return false;
  }
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = 24;
  pfd.cDepthBits = 32;
  pfd.iLayerType = PFD_MAIN_PLANE;
  HDC dc = GetDC(Window);
  struct ReleaseWindowDC {
    HWND Window;
    HDC DC;
    ~ReleaseWindowDC() { ReleaseDC(Window, DC); }
  } releaseDC{Window, dc};
  auto fail = [](const char16_t* Step) { throw EUclError(u"GetOpenGLVersion: " + fw::String(Step) + u" failed"); };
  const int format = ChoosePixelFormat(dc, &pfd);
  if (format == 0) fail(u"ChoosePixelFormat");
  if (!SetPixelFormat(dc, format, &pfd)) fail(u"SetPixelFormat");
  HGLRC context = createContext(dc);
  if (!context) fail(u"wglCreateContext");
  struct Context {
    HGLRC Handle;
    MakeCurrentFn MakeCurrent;
    DeleteContextFn Delete;
    ~Context() {
      MakeCurrent(nullptr, nullptr);
      Delete(Handle);
    }
  } owned{context, makeCurrent, deleteContext};
  if (!makeCurrent(dc, context)) fail(u"wglMakeCurrent");
  auto text = [](const unsigned char* s) {
    return fw::AnsiToString(reinterpret_cast<const char*>(s));
  };
  bool error = false;
  fw::String version, vendor;
  if (const unsigned char* v = glGetString(0x1F02)) {
    version = text(v);
  } else {
    error = true;
    if (const unsigned code = glGetError()) {
      if (const unsigned char* s = gluErrorString(code)) version = text(s);
    }
  }
  if (const unsigned char* v = glGetString(0x1F00)) {
    vendor = text(v);
  } else {
    error = true;
    if (glGetError() != 0) return false;
  }
  Version = version;
  Vendor = vendor;
  return !error;
}

// ---- Power

TAPMLineStatus ReadACLineStatus() {
  if (NtFourOrEarlier()) return TAPMLineStatus::alsUnknown;
  return LineStatusFrom(PowerStatus().ACLineStatus);
}

TAPMBatteryFlag ReadBatteryFlag() {
  if (NtFourOrEarlier()) return TAPMBatteryFlag::abfUnknown;
  return BatteryFlagFrom(PowerStatus().BatteryFlag);
}

int ReadBatteryLifePercent() { return NtFourOrEarlier() ? 0 : PowerStatus().BatteryLifePercent; }
DWORD ReadBatteryLifeTime() { return NtFourOrEarlier() ? 0 : PowerStatus().BatteryLifeTime; }
DWORD ReadBatteryFullLifeTime() { return NtFourOrEarlier() ? 0 : PowerStatus().BatteryFullLifeTime; }

// ---- Memory

int ReadMemoryLoad() { return static_cast<int>(MemoryStatus().dwMemoryLoad & 0xFF); }
int64_t ReadTotalPhysicalMemory() { return static_cast<int64_t>(MemoryStatus().ullTotalPhys); }
int64_t ReadFreePhysicalMemory() { return static_cast<int64_t>(MemoryStatus().ullAvailPhys); }
int64_t ReadTotalPageFileMemory() { return static_cast<int64_t>(MemoryStatus().ullTotalPageFile); }
int64_t ReadFreePageFileMemory() { return static_cast<int64_t>(MemoryStatus().ullAvailPageFile); }
int64_t ReadTotalVirtualMemory() { return static_cast<int64_t>(MemoryStatus().ullTotalVirtual); }
int64_t ReadFreeVirtualMemory() { return static_cast<int64_t>(MemoryStatus().ullAvailVirtual); }

int64_t ReadSwapFileSize() {
  const MEMORYSTATUSEX m = MemoryStatus();
  return static_cast<int64_t>(m.ullTotalPageFile - m.ullAvailPageFile);
}

int ReadSwapFileUsage() {
  const MEMORYSTATUSEX m = MemoryStatus();
  return SwapFileUsageFrom(m.ullTotalPageFile, m.ullAvailPageFile);
}

uintptr_t ReadMaxAppAddress() {
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  return reinterpret_cast<uintptr_t>(si.lpMaximumApplicationAddress);
}

uintptr_t ReadMinAppAddress() {
  SYSTEM_INFO si{};
  GetSystemInfo(&si);
  return reinterpret_cast<uintptr_t>(si.lpMinimumApplicationAddress);
}

// ---- Keyboard

bool TestKeyStateBit(int Key, BYTE Mask) {
  if (Key < 0 || Key > 255) return false;
  BYTE state[256];
  return GetKeyboardState(state) && (state[Key] & Mask) != 0;
}

bool IsKeyDown(int Key) { return TestKeyStateBit(Key, 0x80); }
bool IsNumLockOn() { return TestKeyStateBit(VK_NUMLOCK, 1); }
bool IsScrollLockOn() { return TestKeyStateBit(VK_SCROLL, 1); }
bool IsCapsLockOn() { return TestKeyStateBit(VK_CAPITAL, 1); }

}  // namespace services

#include <intrin.h>

namespace services {

namespace {

class TWindowsSpeedClock : public TSpeedClock {
 public:
  bool Frequency(int64_t& TicksPerSecond) override {
    LARGE_INTEGER f;
    if (!QueryPerformanceFrequency(&f)) return false;
    TicksPerSecond = f.QuadPart;
    return true;
  }
  int64_t Counter() override {
    LARGE_INTEGER c;
    QueryPerformanceCounter(&c);
    return c.QuadPart;
  }
  uint64_t Cycles() override { return __rdtsc(); }
  void EnterTimedPart() override {
    previous_ = GetThreadPriority(GetCurrentThread());
    if (previous_ != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
  }
  void LeaveTimedPart() override {
    if (previous_ != THREAD_PRIORITY_ERROR_RETURN) SetThreadPriority(GetCurrentThread(), previous_);
  }

 private:
  int previous_ = THREAD_PRIORITY_ERROR_RETURN;
};

}  // namespace

void IdentifyRunningProcessor(TCpuInfo& Info) {
  TWindowsSpeedClock clock;
  IdentifyProcessor(RunningProcessor(), clock, Info);
}

}  // namespace services
