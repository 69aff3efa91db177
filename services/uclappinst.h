// The registry of the running instances of one executable: three tables of
// process ids in named shared memory (the machine, the logon session, the
// user account) under one named lock, a registered message that tells the
// other instances of registrations and leaves, and WM_COPYDATA to hand them
// data. One object per process (GlobalAppInstances).
#pragma once

#include <windows.h>

#include <vector>

#include "fw/core/strings_list.h"
#include "fw/core/types.h"
#include "fw/system/messages.h"
#include "services/core/instance_table.h"

namespace services {

class TUclOptex;
class TUclSwapFileMapping;
class TUclFileMappingView;

// Codes of the registered message (its wParam).
enum : WPARAM {
  AI_INSTANCECREATED = 1,    // lParam: the process id that registered
  AI_INSTANCEDESTROYED = 2,  // lParam: the process id that left
  AI_USERMSG = 3,            // lParam: the caller's value
  AI_QUERYACTIVE = 4,        // lParam: the asking window
  AI_ACTIVEREPLY = 5,        // lParam: 1 active, 0 not
};

// Data kind of a command line sent with WM_COPYDATA.
constexpr int AppInstCmdLineDataKind = 1;

class TUclAppInstances {
 public:
  TUclAppInstances();
  ~TUclAppInstances();
  TUclAppInstances(const TUclAppInstances&) = delete;
  TUclAppInstances& operator=(const TUclAppInstances&) = delete;

  // Registers the process in the three tables; true when every table's
  // limit allowed it. Registering tells the other instances (code 1).
  bool CheckInstance(WORD MaxInstances, WORD MaxSessionInstances, WORD MaxUserInstances);
  // CheckInstance; when refused, brings the first instance to the front and
  // ends this process.
  void CheckMultipleInstances(WORD MaxInstances, WORD MaxSessionInstances, WORD MaxUserInstances);
  void CheckSingleInstance() { CheckMultipleInstances(1, 0, 0); }
  [[noreturn]] void KillInstance();

  // The first top-level window of the process of class "TApplication".
  static HWND GetApplicationWnd(DWORD ProcessID);
  HWND GetAllAppWnds(int Index) { return GetApplicationWnd(GetAllProcessIDs(Index)); }
  HWND GetSessionAppWnds(int Index) { return GetApplicationWnd(GetSessionProcessIDs(Index)); }
  HWND GetUserAppWnds(int Index) { return GetApplicationWnd(GetUserProcessIDs(Index)); }
  // The process id at Index (0 past the end) and the index of an id (-1).
  DWORD GetAllProcessIDs(int Index);
  DWORD GetSessionProcessIDs(int Index);
  DWORD GetUserProcessIDs(int Index);
  int GetAllInstanceIndex(DWORD ProcessID);
  int GetSessionInstanceIndex(DWORD ProcessID);
  int GetUserInstanceIndex(DWORD ProcessID);

  // Restores a minimized window and makes it the foreground window.
  static bool BringAppWindowToFront(HWND Wnd);
  static bool SetForegroundWindow98(HWND Wnd);
  void SwitchTo(int Index) { BringAppWindowToFront(GetAllAppWnds(Index)); }
  void SessionSwitchTo(int Index) { BringAppWindowToFront(GetSessionAppWnds(Index)); }
  void UserSwitchTo(int Index) { BringAppWindowToFront(GetUserAppWnds(Index)); }

  void UserNotify(int Param);
  // Sends the data to every top-level window of class WindowClassName whose
  // process is a registered instance.
  bool SendData(const fw::String& WindowClassName, int DataKind, const void* Data, int Size, HWND OriginatorWnd);
  bool SendString(const fw::String& WindowClassName, int DataKind, const fw::String& S, HWND OriginatorWnd);
  bool SendStrings(const fw::String& WindowClassName, int DataKind, const fw::TStrings& Strings, HWND OriginatorWnd);
  // The command-line parameters without the program name, as lines.
  bool SendCmdLineParams(const fw::String& WindowClassName, HWND OriginatorWnd);

  // Readers of a received WM_COPYDATA. ReadCopyDataKind answers the kind
  // and sets the result to 1, or -1 (result 0) for another message or one
  // from IgnoredOriginatorWnd.
  static int ReadCopyDataKind(fw::TMessage& Message, HWND IgnoredOriginatorWnd);
  static std::vector<uint8_t> ReadCopyDataBuffer(const fw::TMessage& Message);
  static fw::String ReadCopyDataString(const fw::TMessage& Message);
  static void ReadCopyDataStrings(const fw::TMessage& Message, fw::TStrings& Strings);

  int InstanceCount();
  int SessionInstanceCount();
  int UserInstanceCount();
  UINT MessageID() const { return FMessageID; }
  const fw::String& UniqueAppID() const { return FUniqueAppID; }

 private:
  struct TTable {
    TUclSwapFileMapping* Mapping = nullptr;
    TUclFileMappingView* View = nullptr;
  };
  void OpenTable(TTable& Table, const fw::String& Name, PSID Granted, PSID Owner);
  // The table's record with the entries of ended processes removed; call
  // under the lock.
  InstanceTable* Records(TTable& Table);
  int CountOf(TTable& Table);
  DWORD ProcessIdOf(TTable& Table, int Index);
  int IndexOf(TTable& Table, DWORD ProcessID);
  void Broadcast(WPARAM Code, LPARAM Value);

  DWORD FCPID;
  TTable FAll, FSession, FUser;
  UINT FMessageID = 0;
  TUclOptex* FOptex = nullptr;
  fw::String FUniqueAppID;
};

// The process's one registry, made at the first call.
TUclAppInstances* GlobalAppInstances();
// The same, with Id overriding the executable's path in the instance id
// when the registry is made by this call.
TUclAppInstances* GlobalAppInstancesWithId(const fw::String& Id);
// Frees the registry (the process leaves the tables and says so) and clears
// the override; the unit's finalization.
void FreeGlobalAppInstances();

}  // namespace services
