#include "fw/core/object.h"

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"

namespace fw {

TObject::~TObject() = default;

FW_REGISTER(TObject) {}

String TObject::ClassName() const { return ClassType()->ClassName(); }

TClass TObject::ClassParent() const { return ClassType()->ClassParent(); }

bool TObject::InheritsFrom(TClass aClass) const { return ClassType()->InheritsFrom(aClass); }

void TObject::Free() {
  BeforeDestruction();
  delete this;
}

FW_REGISTER(TPersistent) {}

void TPersistent::Assign(TPersistent* Source) {
  if (Source) Source->AssignTo(this);
  else AssignError(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest) { Dest->AssignError(this); }

void TPersistent::AssignError(TPersistent* Source) {
  String sourceName = Source ? Source->ClassName() : String(u"nil");
  throw EConvertError(u"Cannot assign a " + sourceName + u" to a " + ClassName());
}

String TPersistent::GetNamePath() const {
  String result = ClassName();
  if (TPersistent* owner = GetOwner()) {
    String ownerPath = owner->GetNamePath();
    if (!ownerPath.empty()) result = ownerPath + u"." + result;
  }
  return result;
}

}  // namespace fw
