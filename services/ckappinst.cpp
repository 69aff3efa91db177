#include "services/ckappinst.h"

#include <memory>

#include "fw/core/rtti.h"
#include "fw/system/application.h"
#include "fw/system/wndregistry.h"
#include "services/hidden_window.h"
#include "services/uclappinst.h"

namespace services {

namespace {

// Only the first component of a process registers it.
bool gFirstInstanceComponent = true;
fw::String gCkUniqueAppIdOverride;

constexpr UINT kQueryTimeout = 5000;

bool Designing(const fw::TComponent* C) { return C->ComponentState().Contains(fw::csDesigning); }

}  // namespace

void SetCkAppInstancesUniqueAppId(const fw::String& Id) { gCkUniqueAppIdOverride = Id; }

TCkAppInstances::TCkAppInstances(fw::TComponent* AOwner) : fw::TComponent(AOwner) {
  if (!Designing(this)) {
    FHandle = CreateHiddenMethodWindow(kAppInstancesWindowClass, fw::TWndMethod(this, &TCkAppInstances::InstanceWindowProc));
    if (gFirstInstanceComponent) {
      gFirstInstanceComponent = false;
      (void)AppInstances()->CheckInstance(65535, 0, 0);
    }
  }
}

TCkAppInstances::~TCkAppInstances() {
  if (FHandle) fw::DeallocateHWnd(FHandle);
  FHandle = nullptr;
}

TUclAppInstances* TCkAppInstances::AppInstances() {
  if (Designing(this)) return nullptr;
  // Asked each time: the registry may have been freed and made again
  // meanwhile (the unit's end, a test), and this must never be stale.
  FAppInstances = GlobalAppInstancesWithId(gCkUniqueAppIdOverride);
  FMessageID = FAppInstances->MessageID();
  return FAppInstances;
}

fw::String TCkAppInstances::UniqueAppId() const { return gCkUniqueAppIdOverride; }

void TCkAppInstances::Loaded() {
  fw::TComponent::Loaded();
  Check();
}

void TCkAppInstances::Check() {
  if (!FActive || Designing(this) || FMaxInstances <= 0) return;
  TUclAppInstances* instances = AppInstances();
  if (instances->GetAllInstanceIndex(GetCurrentProcessId()) < FMaxInstances) return;
  if (!QueryRemoteActive()) return;
  FireRejected();
  if (FAutoActivate) instances->SwitchTo(0);
  if (FSendCmdLine) instances->SendCmdLineParams(kAppInstancesWindowClass, FHandle);
  FAppInstances = nullptr;
  FreeGlobalAppInstances();
  ExitProcess(0);
}

bool TCkAppInstances::QueryRemoteActive() {
  TUclAppInstances* instances = AppInstances();
  const int count = instances->InstanceCount();
  for (int i = 0; i < count && FActive; ++i) {
    const DWORD pid = instances->GetAllProcessIDs(i);
    if (pid == 0 || pid == GetCurrentProcessId()) continue;
    HWND app = TUclAppInstances::GetApplicationWnd(pid);
    if (!app) continue;
    EnumThreadWindows(
        GetWindowThreadProcessId(app, nullptr),
        [](HWND w, LPARAM p) -> BOOL {
          auto* self = reinterpret_cast<TCkAppInstances*>(p);
          // The answer (code 5) arrives while this send waits.
          SendMessageTimeoutW(w, self->FMessageID, AI_QUERYACTIVE,
                              reinterpret_cast<LPARAM>(self->FHandle), SMTO_ABORTIFHUNG, kQueryTimeout, nullptr);
          return self->FActive;
        },
        reinterpret_cast<LPARAM>(this));
  }
  return FActive;
}

void TCkAppInstances::InstanceWindowProc(fw::TMessage& Message) {
  try {
    if (FMessageID && Message.Msg == FMessageID) {
      HandleInstanceMessage(Message);
      return;
    }
    if (TUclAppInstances::ReadCopyDataKind(Message, FHandle) != -1) {
      HandleCopyData(Message);
      return;
    }
  } catch (...) {
    fw::Application->HandleException(this);
  }
  Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TCkAppInstances::HandleInstanceMessage(fw::TMessage& Message) {
  switch (Message.WParam) {
    case AI_INSTANCECREATED:
      if (static_cast<DWORD>(Message.LParam) != GetCurrentProcessId()) FireInstanceCreated(static_cast<unsigned>(Message.LParam));
      break;
    case AI_INSTANCEDESTROYED:
      FireInstanceDestroyed(static_cast<unsigned>(Message.LParam));
      break;
    case AI_USERMSG:
      FireUserNotify(static_cast<int>(Message.LParam));
      break;
    case AI_QUERYACTIVE:
      SendMessageTimeoutW(reinterpret_cast<HWND>(Message.LParam), FMessageID, AI_ACTIVEREPLY,
                          FActive ? 1 : 0, SMTO_ABORTIFHUNG, kQueryTimeout, nullptr);
      break;
    case AI_ACTIVEREPLY:
      FActive = Message.LParam != 0;
      break;
    default:
      break;
  }
  Message.Result = DefWindowProcW(FHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TCkAppInstances::HandleCopyData(fw::TMessage& Message) {
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
  if (data->dwData == AppInstCmdLineDataKind) {
    if (!OnCmdLineReceived) return;
    fw::TStringList lines;
    TUclAppInstances::ReadCopyDataStrings(Message, lines);
    FireCmdLineReceived(&lines);
  } else if (OnDataAvailable) {
    std::vector<uint8_t> buffer = TUclAppInstances::ReadCopyDataBuffer(Message);
    FireDataAvailable(static_cast<int>(data->dwData), buffer.data(), static_cast<int>(buffer.size()));
  }
}

void TCkAppInstances::UserNotify(int Param) {
  if (TUclAppInstances* instances = AppInstances()) instances->UserNotify(Param);
}

bool TCkAppInstances::SendData(int DataKind, const void* Data, int Size) {
  TUclAppInstances* instances = AppInstances();
  return instances && instances->SendData(kAppInstancesWindowClass, DataKind, Data, Size, FHandle);
}

void TCkAppInstances::FireInstanceCreated(unsigned ProcessId) {
  if (OnInstanceCreated) OnInstanceCreated(this, ProcessId);
}
void TCkAppInstances::FireInstanceDestroyed(unsigned ProcessId) {
  if (OnInstanceDestroyed) OnInstanceDestroyed(this, ProcessId);
}
void TCkAppInstances::FireUserNotify(int Param) {
  if (OnUserNotify) OnUserNotify(this, Param);
}
void TCkAppInstances::FireDataAvailable(int Kind, void* Data, int Size) {
  if (OnDataAvailable) OnDataAvailable(this, Kind, Data, Size);
}
void TCkAppInstances::FireCmdLineReceived(fw::TStrings* CmdLine) {
  if (OnCmdLineReceived) OnCmdLineReceived(this, CmdLine);
}
void TCkAppInstances::FireRejected() {
  if (OnRejected) OnRejected(this);
}

FW_REGISTER(TCkAppInstances) {
  c.Property(u"Active", &TCkAppInstances::Active, &TCkAppInstances::SetActive).Default(true);
  c.Property(u"AutoActivate", &TCkAppInstances::AutoActivate, &TCkAppInstances::SetAutoActivate).Default(true);
  c.Property(u"MaxInstances", &TCkAppInstances::MaxInstances, &TCkAppInstances::SetMaxInstances).Default(1);
  c.Property(u"SendCmdLine", &TCkAppInstances::SendCmdLine, &TCkAppInstances::SetSendCmdLine).Default(true);
  c.Property(u"UniqueAppId", &TCkAppInstances::UniqueAppId);
  c.Event(u"OnInstanceCreated", &TCkAppInstances::OnInstanceCreated);
  c.Event(u"OnInstanceDestroyed", &TCkAppInstances::OnInstanceDestroyed);
  c.Event(u"OnUserNotify", &TCkAppInstances::OnUserNotify);
  c.Event(u"OnDataAvailable", &TCkAppInstances::OnDataAvailable);
  c.Event(u"OnCmdLineReceived", &TCkAppInstances::OnCmdLineReceived);
  c.Event(u"OnRejected", &TCkAppInstances::OnRejected);
}

}  // namespace services
