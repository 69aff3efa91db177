// The single-instance component of the main window: while the window's
// description loads, a second instance of the program brings the first to
// the front, hands it its command line and ends before it touches anything.
#pragma once

#include <windows.h>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/strings_list.h"
#include "fw/system/messages.h"

namespace services {

class TUclAppInstances;

using TInstanceChangeEvent = fw::TEvent<void(fw::TObject* Sender, unsigned ProcessId)>;
using TUserNotifyEvent = fw::TEvent<void(fw::TObject* Sender, int Param)>;
using TDataAvailableEvent = fw::TEvent<void(fw::TObject* Sender, int Kind, void* Data, int Size)>;
using TCmdLineReceivedEvent = fw::TEvent<void(fw::TObject* Sender, fw::TStrings* CmdLine)>;

// Class of the component's hidden window, by which instances find each other.
inline constexpr char16_t kAppInstancesWindowClass[] = u"CkAppInstances_WindowClass";

class TCkAppInstances : public fw::TComponent {
  FW_CLASS(TCkAppInstances, fw::TComponent)

 public:
  explicit TCkAppInstances(fw::TComponent* AOwner);
  ~TCkAppInstances() override;

  void Loaded() override;
  // Ends this process when it is one instance too many and the instances
  // before it are active: the first comes to the front and receives the
  // command line.
  void Check();
  void UserNotify(int Param);
  bool SendData(int DataKind, const void* Data, int Size);

  // The process's registry (null while designing).
  TUclAppInstances* AppInstances();
  HWND Handle() const { return FHandle; }

  bool Active() const { return FActive; }
  void SetActive(bool Value) { FActive = Value; }
  bool AutoActivate() const { return FAutoActivate; }
  void SetAutoActivate(bool Value) { FAutoActivate = Value; }
  int MaxInstances() const { return FMaxInstances; }
  void SetMaxInstances(int Value) { FMaxInstances = Value; }
  bool SendCmdLine() const { return FSendCmdLine; }
  void SetSendCmdLine(bool Value) { FSendCmdLine = Value; }
  fw::String UniqueAppId() const;

  TInstanceChangeEvent OnInstanceCreated;
  TInstanceChangeEvent OnInstanceDestroyed;
  TUserNotifyEvent OnUserNotify;
  TDataAvailableEvent OnDataAvailable;
  TCmdLineReceivedEvent OnCmdLineReceived;
  fw::TNotifyEvent OnRejected;

 protected:
  virtual void InstanceWindowProc(fw::TMessage& Message);
  virtual void FireInstanceCreated(unsigned ProcessId);
  virtual void FireInstanceDestroyed(unsigned ProcessId);
  virtual void FireUserNotify(int Param);
  virtual void FireDataAvailable(int Kind, void* Data, int Size);
  virtual void FireCmdLineReceived(fw::TStrings* CmdLine);
  virtual void FireRejected();

 private:
  bool QueryRemoteActive();
  void HandleInstanceMessage(fw::TMessage& Message);
  void HandleCopyData(fw::TMessage& Message);

  HWND FHandle = nullptr;
  bool FAutoActivate = true;
  int FMaxInstances = 1;
  bool FActive = true;
  bool FSendCmdLine = true;
  TUclAppInstances* FAppInstances = nullptr;
  UINT FMessageID = 0;  // the registered message, once the registry is known
};

// The unit's own instance-id override (empty in this program).
void SetCkAppInstancesUniqueAppId(const fw::String& Id);

}  // namespace services
