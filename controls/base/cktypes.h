// Small bases of the component layer: owned option objects (TCkPersistent,
// and TCkPersistentProperty with change events and an update bracket), a
// named worker thread, the layer's general exception, and two enumerations
// several controls share.
#pragma once

#include <string>

#include "fw/core/component.h"
#include "fw/core/events.h"
#include "fw/core/exceptions.h"
#include "fw/system/threads.h"
#include "services/core/ckexception.h"
#include "services/core/trackfont.h"

namespace ck {

using fw::String;

// The component layer's general error (shared with the services layer).
using ECKException = services::ECKException;

FW_ENUM(TCkGradientStyle, grFilled, grEllipse, grHorizontal, grVertical, grPyramid, grMount)

// The hot-track font options live with the routines that apply them.
using services::TCkTrackFontOption;
using services::TCkTrackFontOptions;

// An option object that belongs to a persistent owner (a control) and is
// stored as part of it.
class TCkPersistent : public fw::TComponent {
  FW_CLASS(TCkPersistent, fw::TComponent)
  // The component owner is AOwner when it is a component.
  explicit TCkPersistent(fw::TPersistent* AOwner);
  explicit TCkPersistent(fw::TComponent* AOwner) : TCkPersistent(static_cast<fw::TPersistent*>(AOwner)) {}

  fw::TPersistent* GetOwner() const override { return FOwner; }
  // "Owner.Name" when the owner has a name path of its own.
  String GetNamePath() const override;

 protected:
  fw::TPersistent* FOwner;
};

using TCkPropertyChangeEvent = fw::TEvent<void(fw::TObject* Sender, const String& PropName)>;

// An option object that announces its changes; BeginUpdate/EndUpdate
// bracket several changes into one OnChanging at the start and one
// OnChanged at the end.
class TCkPersistentProperty : public TCkPersistent {
  FW_CLASS(TCkPersistentProperty, TCkPersistent)
  explicit TCkPersistentProperty(fw::TPersistent* AOwner) : TCkPersistent(AOwner) {}
  explicit TCkPersistentProperty(fw::TComponent* AOwner) : TCkPersistent(AOwner) {}

  virtual void BeginUpdate();
  virtual void EndUpdate();
  int UpdateCount() const { return FUpdateCount; }

  fw::TNotifyEvent OnChanging;
  fw::TNotifyEvent OnChanged;
  TCkPropertyChangeEvent OnChangingProperty;
  TCkPropertyChangeEvent OnChangedProperty;

  // The triggers; descendants call them when a property changes.
  virtual void FireChanged();
  virtual void FireChanging();
  virtual void FireChangedProperty(const String& PropName);
  virtual void FireChangingProperty(const String& PropName);

 protected:
  virtual void ApplyUpdateState(bool Updating);

  // Stores a changed value into Field, announced before and after under the
  // property's name; an unchanged value announces nothing.
  template <class T>
  void ChangeProperty(T& Field, T Value, const char16_t* Name) {
    if (Field == Value) return;
    FireChanging();
    FireChangingProperty(Name);
    Field = Value;
    FireChangedProperty(Name);
    FireChanged();
  }

  // Assign for option objects of class T: copy(source) runs inside one
  // update bracket, so the copied values announce one change; a source of
  // another class goes to the inherited Assign, the object itself is skipped.
  template <class T, class CopyFn>
  void AssignOptions(fw::TPersistent* Source, CopyFn copy) {
    auto* src = dynamic_cast<T*>(Source);
    if (!src) {
      TCkPersistentProperty::Assign(Source);
      return;
    }
    if (src == this) return;
    BeginUpdate();
    try {
      copy(*src);
    } catch (...) {
      EndUpdate();
      throw;
    }
    EndUpdate();
  }

  int FUpdateCount = 0;
};

// A thread with a name for debuggers.
class TCkCustomThread : public fw::TThread {
  FW_CLASS(TCkCustomThread, fw::TThread)
  explicit TCkCustomThread(bool CreateSuspended = false) : fw::TThread(CreateSuspended) {}

  // The class name, or "Name {ClassName}" once a name is set.
  String ThreadName() { return GetThreadName(); }
  virtual String GetThreadName();
  virtual void SetThreadName(const String& Value) { FThreadName = Value; }

  // Names the thread (-1: this thread's own id) for debuggers and for the
  // process-wide naming hook when one is set.
  virtual void NameThread(const std::string& AThreadName, DWORD AThreadID = static_cast<DWORD>(-1));
  void NameThread(const String& AThreadName, DWORD AThreadID = static_cast<DWORD>(-1));

 protected:
  String FThreadName;
};

// Called after a thread has been named for debuggers; nothing sets it in the
// program.
using TCkThreadNameHook = void (*)(const std::string& Name, DWORD ThreadID);
extern TCkThreadNameHook CkThreadNameHook;

}  // namespace ck
