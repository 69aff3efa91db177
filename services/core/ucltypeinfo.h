// Reference-counted views of the framework's type descriptors, one class
// per kind of type, with a published property's value as text (also along
// "Sub.Prop" paths) and two text reports per type. WrapTypeInfo makes a new
// view for every call; UclQuery asks a view for another of its interfaces.
#pragma once

#include <cstdint>
#include <memory>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/strings_list.h"
#include "fw/core/typeinfo.h"
#include "services/core/uclrtti.h"

namespace services {

// Line-oriented target of the reports.
class IUclInfoWriter {
 public:
  virtual ~IUclInfoWriter() = default;
  virtual void Writeln(fw::StringView Line) = 0;
  virtual void Indent() = 0;
  virtual void Outdent() = 0;
};

// Lines added to a string list, two blanks per indentation level.
class TUclInfoStringsWriter : public IUclInfoWriter {
 public:
  explicit TUclInfoStringsWriter(fw::TStrings& Strings) : FStrings(Strings) {}
  void Writeln(fw::StringView Line) override;
  void Indent() override { ++FLevel; }
  void Outdent() override {
    if (FLevel > 0) --FLevel;
  }

 private:
  fw::TStrings& FStrings;
  int FLevel = 0;
};

class IUclBaseInfo {
 public:
  virtual ~IUclBaseInfo() = default;
  // Labelled lines, one per fact ("Name: ", "Type kind: " ...).
  virtual void WriteTo(IUclInfoWriter& Dest) const = 0;
  // A one-line declaration of the type.
  virtual void DeclarationTo(IUclInfoWriter& Dest) const = 0;
};

class IUclTypeInfo : public virtual IUclBaseInfo {
 public:
  virtual fw::String Name() const = 0;
  // Null for a parent class reached through IUclClassTypeInfo::Parent.
  virtual const fw::TTypeInfo* TypeInfo() const = 0;
  virtual fw::TTypeKind TypeKind() const = 0;
};
using TUclTypeInfoRef = std::shared_ptr<IUclTypeInfo>;

// A published property of an object, of the viewed type, as text.
class IUclValueTypeInfo {
 public:
  virtual ~IUclValueTypeInfo() = default;
  virtual fw::String SaveValueToString(fw::TObject* AnObj, fw::StringView PropName) const = 0;
  virtual void LoadValueFromString(fw::TObject* AnObj, fw::StringView PropName, fw::StringView Value) const = 0;
};

class IUclOrdinalTypeInfo : public virtual IUclTypeInfo {
 public:
  virtual fw::TOrdType OrdinalType() const = 0;
};

class IUclOrdinalRangeTypeInfo : public virtual IUclOrdinalTypeInfo {
 public:
  virtual int64_t MinValue() const = 0;
  virtual int64_t MaxValue() const = 0;
};

class IUclEnumerationTypeInfo : public virtual IUclOrdinalRangeTypeInfo {
 public:
  // The enumeration this one is a sub-range of (a view of itself when none).
  virtual std::shared_ptr<IUclEnumerationTypeInfo> BaseType() const = 0;
  // The element name of an ordinal; empty outside the type's range.
  virtual fw::String Names(int64_t Ordinal) const = 0;
  virtual fw::String UnitName() const = 0;
  // The ordinal named Name in the locale's case-less comparison, searched
  // from the maximum down; -1 when none.
  virtual int64_t IndexOfName(fw::StringView Name) const = 0;
};

class IUclSetTypeInfo : public virtual IUclOrdinalTypeInfo {
 public:
  // A view of the element type.
  virtual std::shared_ptr<IUclOrdinalTypeInfo> BaseType() const = 0;
  virtual void GetAsList(uint64_t Value, bool WantRanges, fw::TStrings& Strings) const = 0;
  virtual void SetAsList(uint64_t& Value, const fw::TStrings& Strings) const = 0;
};

class IUclFloatTypeInfo : public virtual IUclTypeInfo {
 public:
  virtual fw::TFloatType FloatType() const = 0;
};

class IUclStringTypeInfo : public virtual IUclTypeInfo {
 public:
  // The declared length of a short string; 0 for the other string kinds.
  virtual int MaxLength() const = 0;
};

class IUclInt64TypeInfo : public virtual IUclTypeInfo {
 public:
  virtual int64_t MinValue() const = 0;
  virtual int64_t MaxValue() const = 0;
};

class IUclPropInfo {
 public:
  virtual ~IUclPropInfo() = default;
  virtual const fw::TPropInfo* PropInfo() const = 0;
  virtual TUclTypeInfoRef PropType() const = 0;
  virtual fw::String Name() const = 0;
  virtual bool HasDefault() const = 0;
  virtual int64_t Default() const = 0;
  virtual bool IsStored(fw::TObject* Instance) const = 0;
  virtual bool CanWrite() const = 0;
  // The property's value as text, through its type's view; EUclRTTIError
  // "The property %s of type %s has no string value" when the type has none.
  virtual fw::String SaveValueToString(fw::TObject* AnObj) const = 0;
  virtual void LoadValueFromString(fw::TObject* AnObj, fw::StringView Value) const = 0;
};
using TUclPropInfoRef = std::shared_ptr<IUclPropInfo>;

class IUclClassTypeInfo : public virtual IUclTypeInfo {
 public:
  virtual fw::TClass ClassRef() const = 0;
  // Null for a class without a parent.
  virtual std::shared_ptr<IUclClassTypeInfo> Parent() const = 0;
  // Published properties with the inherited ones, and the class's own.
  virtual int TotalPropertyCount() const = 0;
  virtual int PropertyCount() const = 0;
  // By index in the whole list (inherited first); null past the end.
  virtual TUclPropInfoRef Properties(int Index) const = 0;
  // By name without regard to case; null when there is none.
  virtual TUclPropInfoRef PropNames(fw::StringView Name) const = 0;
  virtual fw::String UnitName() const = 0;
};

// A new view of Info, of the class for its kind: integer and characters
// (ordinal range), enumeration, set, float, strings, class, 64-bit integer;
// any other kind gets the plain type view.
TUclTypeInfoRef WrapTypeInfo(const fw::TTypeInfo* Info);
// A view of a class reached without a type descriptor.
std::shared_ptr<IUclClassTypeInfo> WrapClass(fw::TClass Class);

FW_EXCEPTION_CLASS(EUclIntfCastError, EUclError)
// Another interface of the same view; EUclIntfCastError "Interface not
// supported" when it has none.
template <class I, class From>
std::shared_ptr<I> UclQuery(const std::shared_ptr<From>& View) {
  std::shared_ptr<I> result = std::dynamic_pointer_cast<I>(View);
  if (!result) throw EUclIntfCastError(u"Interface not supported");
  return result;
}

// The element name of Value of an ordinal type, or "Value ordinal=<n> out of
// range <min name>..<max name>." outside its range.
fw::String OrdinalValueName(const fw::TTypeInfo* Type, int64_t Value);

}  // namespace services
