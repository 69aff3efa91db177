// The root of the class hierarchy and the persistent base: every class that
// run-time type information knows derives from TObject and declares itself
// with FW_CLASS (see rtti.h for the registration).
#pragma once

#include "fw/core/types.h"

namespace fw {

class TClassInfo;
using TClass = const TClassInfo*;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject();

  static TClass StaticClass();
  // The class of the object: the nearest class registered with FW_CLASS.
  virtual TClass ClassType() const;
  String ClassName() const;
  TClass ClassParent() const;
  bool InheritsFrom(TClass aClass) const;

  // Runs BeforeDestruction, then deletes the object. Plain delete is fine
  // too; Free lets a component know early that it is going.
  void Free();
  virtual void BeforeDestruction() {}
};

// Clears the reference before the object goes.
template <class T>
void FreeAndNil(T*& object) {
  T* o = object;
  object = nullptr;
  if (o) o->Free();
}

// An object that can copy itself from another: Assign(Source) asks Source to
// AssignTo this object when it does not know Source's class; when neither
// knows the other, EConvertError "Cannot assign a TSource to a TDest".
class TPersistent : public TObject {
 public:
  static TClass StaticClass();
  TClass ClassType() const override;
  using inherited = TObject;

  virtual void Assign(TPersistent* Source);
  virtual void AssignTo(TPersistent* Dest);
  // The object that owns this one for naming and storage (component owner,
  // collection of an item), or null.
  virtual TPersistent* GetOwner() const { return nullptr; }
  virtual String GetNamePath() const;

 protected:
  [[noreturn]] void AssignError(TPersistent* Source);
};

}  // namespace fw

// First thing in the body of a registered class. Leaves the access public.
#define FW_CLASS(Class, Parent)            \
 public:                                   \
  using inherited = Parent;                \
  static ::fw::TClass StaticClass();       \
  ::fw::TClass ClassType() const override;
