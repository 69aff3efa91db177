#include "controls/base/cktypes.h"

#include "fw/core/rtti.h"

namespace ck {

using namespace fw;

TCkThreadNameHook CkThreadNameHook = nullptr;

// ---- TCkPersistent

TCkPersistent::TCkPersistent(TPersistent* AOwner)
    : TComponent(dynamic_cast<TComponent*>(AOwner)), FOwner(AOwner) {}

String TCkPersistent::GetNamePath() const {
  String own = TComponent::GetNamePath();
  if (!FOwner) return own;
  // The owner is an option object itself, or a named part of something.
  bool nested = dynamic_cast<TCkPersistent*>(FOwner) != nullptr || FOwner->GetOwner() != nullptr;
  if (!nested) return own;
  String path = FOwner->GetNamePath();
  if (path.empty()) return own;
  return path + u"." + own;
}

// ---- TCkPersistentProperty

void TCkPersistentProperty::FireChanged() {
  if (FUpdateCount == 0) OnChanged(this);
}

void TCkPersistentProperty::FireChanging() {
  if (FUpdateCount == 0) OnChanging(this);
}

void TCkPersistentProperty::FireChangedProperty(const String& PropName) { OnChangedProperty(this, PropName); }

void TCkPersistentProperty::FireChangingProperty(const String& PropName) { OnChangingProperty(this, PropName); }

void TCkPersistentProperty::ApplyUpdateState(bool Updating) {
  if (Updating) FireChanging();
  else FireChanged();
}

void TCkPersistentProperty::BeginUpdate() {
  if (FUpdateCount == 0) ApplyUpdateState(true);
  ++FUpdateCount;
}

void TCkPersistentProperty::EndUpdate() {
  if (FUpdateCount <= 0) return;
  --FUpdateCount;
  if (FUpdateCount == 0) ApplyUpdateState(false);
}

// ---- TCkCustomThread

String TCkCustomThread::GetThreadName() {
  if (FThreadName.empty()) return ClassName();
  return FThreadName + u" {" + ClassName() + u"}";
}

void TCkCustomThread::NameThread(const std::string& AThreadName, DWORD AThreadID) {
  if (AThreadID == static_cast<DWORD>(-1)) AThreadID = ThreadID();
  TThread::NameThreadForDebugging(AThreadName, AThreadID);
  if (CkThreadNameHook) CkThreadNameHook(AThreadName, AThreadID);
}

void TCkCustomThread::NameThread(const String& AThreadName, DWORD AThreadID) {
  NameThread(StringToAnsi(AThreadName), AThreadID);
}

FW_REGISTER(TCkPersistent) {}

FW_REGISTER(TCkPersistentProperty) {
  c.Event(u"OnChanged", &TCkPersistentProperty::OnChanged);
  c.Event(u"OnChanging", &TCkPersistentProperty::OnChanging);
  c.Event(u"OnChangedProperty", &TCkPersistentProperty::OnChangedProperty);
  c.Event(u"OnChangingProperty", &TCkPersistentProperty::OnChangingProperty);
}

FW_REGISTER(TCkCustomThread) {}

}  // namespace ck
