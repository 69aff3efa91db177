#include "services/core/ucltypeinfo.h"

#include <cinttypes>
#include <cstdio>

#include "fw/core/sysutils.h"

namespace services {

using fw::String;
using fw::StringView;
using fw::TTypeInfo;

namespace {

const TTypeInfo* TypeKindType() {
  static const TTypeInfo* t = TTypeInfo::MakeEnum(
      u"TTypeKind",
      u"tkUnknown, tkInteger, tkChar, tkEnumeration, tkFloat, tkString, tkSet, tkClass, tkMethod, tkWChar, "
      u"tkLString, tkWString, tkVariant, tkArray, tkRecord, tkInterface, tkInt64, tkDynArray, tkUString",
      1);
  return t;
}

const TTypeInfo* OrdTypeType() {
  static const TTypeInfo* t =
      TTypeInfo::MakeEnum(u"TOrdType", u"otSByte, otUByte, otSWord, otUWord, otSLong, otULong", 1);
  return t;
}

const TTypeInfo* FloatTypeType() {
  static const TTypeInfo* t = TTypeInfo::MakeEnum(u"TFloatType", u"ftSingle, ftDouble, ftExtended, ftComp, ftCurr", 1);
  return t;
}

String PointerText(const void* p) {
  char text[32];
  std::snprintf(text, sizeof text, "%p", p);
  return fw::Utf8ToString(text);
}

[[noreturn]] void RaiseNoStringValue(StringView path, StringView typeName) {
  throw EUclRTTIError(u"The property " + String(path) + u" of type " + String(typeName) + u" has no string value");
}

// ---- The plain view

class TUclTypeInfo : public virtual IUclTypeInfo {
 public:
  explicit TUclTypeInfo(const TTypeInfo* Info) : FTypeInfo(Info) {}
  String Name() const override { return FTypeInfo ? FTypeInfo->Name() : String(); }
  const TTypeInfo* TypeInfo() const override { return FTypeInfo; }
  fw::TTypeKind TypeKind() const override { return FTypeInfo ? FTypeInfo->Kind() : fw::tkUnknown; }
  void WriteTo(IUclInfoWriter& Dest) const override {
    Dest.Writeln(u"Name: " + Name());
    Dest.Writeln(u"Type kind: " + OrdinalValueName(TypeKindType(), TypeKind()));
    Dest.Writeln(u"Type info: " + PointerText(FTypeInfo));
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    Dest.Writeln(u"// Declaration for '" + Name() + u"' not supported.");
  }

 protected:
  const TTypeInfo* FTypeInfo;
};

// A property of AnObj named Path, whose type this view describes.
const fw::TPropInfo* OwnProperty(fw::TObject* AnObj, StringView Path, const IUclTypeInfo& View) {
  if (!AnObj || Path.find(u'.') != StringView::npos) RaiseNoStringValue(Path, View.Name());
  return fw::GetPropInfo(AnObj, Path);
}

// ---- Ordinals

class TUclOrdinalTypeInfo : public TUclTypeInfo, public virtual IUclOrdinalTypeInfo, public IUclValueTypeInfo {
 public:
  using TUclTypeInfo::TUclTypeInfo;
  fw::TOrdType OrdinalType() const override { return FTypeInfo->OrdType(); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Ordinal type: " + OrdinalValueName(OrdTypeType(), OrdinalType()));
  }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return fw::IntToStr(OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsOrdinal());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    const fw::TPropInfo* prop = OwnProperty(AnObj, PropName, *this);
    int64_t v;
    if (!fw::TryStrToInt64(Value, v))
      throw fw::EConvertError(u"'" + String(Value) + u"' is not a valid integer value");
    prop->SetValue(AnObj, fw::TValue(v));
  }
};

class TUclOrdinalRangeTypeInfo : public TUclOrdinalTypeInfo, public virtual IUclOrdinalRangeTypeInfo {
 public:
  using TUclOrdinalTypeInfo::TUclOrdinalTypeInfo;
  // The descriptors keep unsigned long ranges unsigned already.
  int64_t MinValue() const override { return FTypeInfo->MinValue(); }
  int64_t MaxValue() const override { return FTypeInfo->MaxValue(); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclOrdinalTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Min value: " + fw::IntToStr(MinValue()));
    Dest.Writeln(u"Max value: " + fw::IntToStr(MaxValue()));
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    Dest.Writeln(Name() + u" = " + fw::IntToStr(MinValue()) + u".." + fw::IntToStr(MaxValue()) + u";");
  }
};

class TUclEnumerationTypeInfo : public TUclOrdinalRangeTypeInfo, public virtual IUclEnumerationTypeInfo {
 public:
  using TUclOrdinalRangeTypeInfo::TUclOrdinalRangeTypeInfo;
  std::shared_ptr<IUclEnumerationTypeInfo> BaseType() const override {
    return std::make_shared<TUclEnumerationTypeInfo>(FTypeInfo->BaseType());
  }
  String Names(int64_t Ordinal) const override { return FTypeInfo->EnumName(Ordinal); }
  // The framework's descriptors carry no unit names.
  String UnitName() const override { return String(); }
  int64_t IndexOfName(StringView Name) const override { return EnumIndexOfName(FTypeInfo, Name); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclOrdinalRangeTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Names: " + NameList());
    Dest.Writeln(u"Unit name: " + UnitName());
    if (FTypeInfo->BaseType() != FTypeInfo) Dest.Writeln(u"Based on: " + FTypeInfo->BaseType()->Name());
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    if (FTypeInfo->BaseType() != FTypeInfo)
      Dest.Writeln(Name() + u" = " + Names(MinValue()) + u".." + Names(MaxValue()) + u";");
    else
      Dest.Writeln(Name() + u" = (" + NameList() + u");");
  }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return Names(OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsOrdinal());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    const fw::TPropInfo* prop = OwnProperty(AnObj, PropName, *this);
    const int64_t v = IndexOfName(fw::Trim(Value));
    if (v < 0) throw EUclRTTIError(u"Unknown identifier '" + String(Value) + u"'.");
    prop->SetValue(AnObj, fw::TValue(v));
  }

 private:
  String NameList() const {
    String list;
    for (int64_t v = MinValue(); v <= MaxValue(); ++v) list += (v > MinValue() ? u", " : u"") + Names(v);
    return list;
  }
};

class TUclSetTypeInfo : public TUclOrdinalTypeInfo, public virtual IUclSetTypeInfo {
 public:
  using TUclOrdinalTypeInfo::TUclOrdinalTypeInfo;
  fw::TOrdType OrdinalType() const override { return FTypeInfo->ElementType()->OrdType(); }
  std::shared_ptr<IUclOrdinalTypeInfo> BaseType() const override {
    return std::dynamic_pointer_cast<IUclOrdinalTypeInfo>(WrapTypeInfo(FTypeInfo->ElementType()));
  }
  void GetAsList(uint64_t Value, bool WantRanges, fw::TStrings& Strings) const override {
    services::GetAsList(FTypeInfo, Value, WantRanges, Strings);
  }
  void SetAsList(uint64_t& Value, const fw::TStrings& Strings) const override {
    Value = services::SetAsList(FTypeInfo, Strings);
  }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclOrdinalTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Based on: ");
    Dest.Indent();
    BaseType()->WriteTo(Dest);
    Dest.Outdent();
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    Dest.Writeln(Name() + u" = set of " + FTypeInfo->ElementType()->Name() + u";");
  }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return fw::SetToString(FTypeInfo, OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsSet());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    const fw::TPropInfo* prop = OwnProperty(AnObj, PropName, *this);
    prop->SetValue(AnObj, fw::TValue::FromSet(fw::StringToSet(FTypeInfo, Value)));
  }
};

// ---- Other value kinds

class TUclFloatTypeInfo : public TUclTypeInfo, public virtual IUclFloatTypeInfo, public IUclValueTypeInfo {
 public:
  using TUclTypeInfo::TUclTypeInfo;
  fw::TFloatType FloatType() const override { return FTypeInfo->FloatType(); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Float type: " + OrdinalValueName(FloatTypeType(), FloatType()));
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    static const char16_t* const kNames[] = {u"Single", u"Double", u"Extended", u"Comp", u"Currency"};
    Dest.Writeln(Name() + u" = type " + kNames[FloatType() % 5] + u";");
  }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return fw::FloatToStr(OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsFloat());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    const fw::TPropInfo* prop = OwnProperty(AnObj, PropName, *this);
    prop->SetValue(AnObj, fw::TValue(fw::StrToFloat(Value)));
  }
};

class TUclStringTypeInfo : public TUclTypeInfo, public virtual IUclStringTypeInfo, public IUclValueTypeInfo {
 public:
  using TUclTypeInfo::TUclTypeInfo;
  // The framework has no short strings.
  int MaxLength() const override { return 0; }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Max length: " + fw::IntToStr(MaxLength()));
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override { Dest.Writeln(Name() + u" = type string;"); }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsString();
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    OwnProperty(AnObj, PropName, *this)->SetValue(AnObj, fw::TValue(String(Value)));
  }
};

class TUclInt64TypeInfo : public TUclTypeInfo, public virtual IUclInt64TypeInfo, public IUclValueTypeInfo {
 public:
  using TUclTypeInfo::TUclTypeInfo;
  int64_t MinValue() const override { return FTypeInfo->MinValue(); }
  int64_t MaxValue() const override { return FTypeInfo->MaxValue(); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Min value: " + fw::IntToStr(MinValue()));
    Dest.Writeln(u"Max value: " + fw::IntToStr(MaxValue()));
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    Dest.Writeln(Name() + u" = " + fw::IntToStr(MinValue()) + u".." + fw::IntToStr(MaxValue()) + u";");
  }
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    return fw::IntToStr(OwnProperty(AnObj, PropName, *this)->GetValue(AnObj).AsOrdinal());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    const fw::TPropInfo* prop = OwnProperty(AnObj, PropName, *this);
    int64_t v;
    if (!fw::TryStrToInt64(Value, v))
      throw fw::EConvertError(u"'" + String(Value) + u"' is not a valid integer value");
    prop->SetValue(AnObj, fw::TValue(v));
  }
};

// ---- Properties and classes

// The value of the property at Path of AnObj as text (Load: from text),
// through the view of the type of the property that Path's first step
// names. Paths go through class-typed properties.
String SaveAlongPath(fw::TObject* AnObj, StringView Path, StringView TypeName);
void LoadAlongPath(fw::TObject* AnObj, StringView Path, StringView Value, StringView TypeName);

std::shared_ptr<IUclValueTypeInfo> ValueViewOf(fw::TObject* AnObj, StringView Path, StringView TypeName) {
  if (!AnObj) RaiseNoStringValue(Path, TypeName);
  const StringView head = Path.substr(0, Path.find(u'.'));
  const fw::TPropInfo* prop = fw::GetPropInfo(AnObj, head);
  auto view = std::dynamic_pointer_cast<IUclValueTypeInfo>(WrapTypeInfo(prop->PropType()));
  if (!view) RaiseNoStringValue(Path, prop->PropType()->Name());
  return view;
}

String SaveAlongPath(fw::TObject* AnObj, StringView Path, StringView TypeName) {
  return ValueViewOf(AnObj, Path, TypeName)->SaveValueToString(AnObj, Path);
}

void LoadAlongPath(fw::TObject* AnObj, StringView Path, StringView Value, StringView TypeName) {
  ValueViewOf(AnObj, Path, TypeName)->LoadValueFromString(AnObj, Path, Value);
}

class TUclPropInfo : public IUclPropInfo {
 public:
  explicit TUclPropInfo(const fw::TPropInfo* Info) : FPropInfo(Info) {}
  const fw::TPropInfo* PropInfo() const override { return FPropInfo; }
  TUclTypeInfoRef PropType() const override { return WrapTypeInfo(FPropInfo->PropType()); }
  String Name() const override { return FPropInfo->Name(); }
  bool HasDefault() const override { return FPropInfo->HasDefault(); }
  int64_t Default() const override { return FPropInfo->Default(); }
  bool IsStored(fw::TObject* Instance) const override { return FPropInfo->IsStored(Instance); }
  bool CanWrite() const override { return FPropInfo->CanWrite(); }
  String SaveValueToString(fw::TObject* AnObj) const override {
    auto view = std::dynamic_pointer_cast<IUclValueTypeInfo>(PropType());
    if (!view) RaiseNoStringValue(Name(), FPropInfo->PropType()->Name());
    return view->SaveValueToString(AnObj, Name());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView Value) const override {
    auto view = std::dynamic_pointer_cast<IUclValueTypeInfo>(PropType());
    if (!view) RaiseNoStringValue(Name(), FPropInfo->PropType()->Name());
    view->LoadValueFromString(AnObj, Name(), Value);
  }

 private:
  const fw::TPropInfo* FPropInfo;
};

class TUclClassTypeInfo : public TUclTypeInfo, public virtual IUclClassTypeInfo, public IUclValueTypeInfo {
 public:
  TUclClassTypeInfo(const TTypeInfo* Info, fw::TClass Class) : TUclTypeInfo(Info), FClass(Class) {}
  String Name() const override { return FClass ? FClass->ClassName() : String(); }
  fw::TTypeKind TypeKind() const override { return fw::tkClass; }
  fw::TClass ClassRef() const override { return FClass; }
  std::shared_ptr<IUclClassTypeInfo> Parent() const override {
    return FClass && FClass->ClassParent() ? WrapClass(FClass->ClassParent()) : nullptr;
  }
  int TotalPropertyCount() const override { return FClass ? static_cast<int>(FClass->Properties().size()) : 0; }
  int PropertyCount() const override {
    const auto parent = Parent();
    return TotalPropertyCount() - (parent ? parent->TotalPropertyCount() : 0);
  }
  TUclPropInfoRef Properties(int Index) const override {
    if (Index < 0 || Index >= TotalPropertyCount()) return nullptr;
    return std::make_shared<TUclPropInfo>(FClass->Properties()[static_cast<size_t>(Index)]);
  }
  TUclPropInfoRef PropNames(StringView Name) const override {
    const fw::TPropInfo* p = FClass ? FClass->FindProperty(Name) : nullptr;
    return p ? std::make_shared<TUclPropInfo>(p) : nullptr;
  }
  String UnitName() const override { return String(); }
  void WriteTo(IUclInfoWriter& Dest) const override {
    TUclTypeInfo::WriteTo(Dest);
    Dest.Writeln(u"Class name: " + Name());
    const auto parent = Parent();
    Dest.Writeln(u"Parent: " + (parent ? parent->Name() : String()));
    Dest.Writeln(u"Property count: " + fw::IntToStr(PropertyCount()));
    Dest.Writeln(u"Unit name: " + UnitName());
  }
  void DeclarationTo(IUclInfoWriter& Dest) const override {
    const auto parent = Parent();
    Dest.Writeln(Name() + u" = class" + (parent ? u"(" + parent->Name() + u")" : String()) + u";");
  }
  // Paths "Sub.Prop": the object in property Sub, then Prop of it (which
  // may be a path again).
  String SaveValueToString(fw::TObject* AnObj, StringView PropName) const override {
    StringView rest;
    fw::TObject* sub = SubObject(AnObj, PropName, rest);
    return SaveAlongPath(sub, rest, Name());
  }
  void LoadValueFromString(fw::TObject* AnObj, StringView PropName, StringView Value) const override {
    StringView rest;
    fw::TObject* sub = SubObject(AnObj, PropName, rest);
    LoadAlongPath(sub, rest, Value, Name());
  }

 private:
  fw::TObject* SubObject(fw::TObject* AnObj, StringView Path, StringView& Rest) const {
    const size_t dot = Path.find(u'.');
    if (!AnObj || dot == StringView::npos) RaiseNoStringValue(Path, Name());
    const fw::TPropInfo* prop = fw::GetPropInfo(AnObj, Path.substr(0, dot));
    if (prop->Kind() != fw::tkClass) RaiseNoStringValue(Path, Name());
    fw::TObject* sub = prop->GetValue(AnObj).AsObject();
    if (!sub) RaiseNoStringValue(Path, Name());
    Rest = Path.substr(dot + 1);
    return sub;
  }

  fw::TClass FClass;
};

}  // namespace

void TUclInfoStringsWriter::Writeln(StringView Line) {
  FStrings.Add(String(static_cast<size_t>(FLevel) * 2, u' ') + String(Line));
}

TUclTypeInfoRef WrapTypeInfo(const TTypeInfo* Info) {
  if (!Info) return std::make_shared<TUclTypeInfo>(Info);
  switch (Info->Kind()) {
    case fw::tkInteger:
    case fw::tkChar:
    case fw::tkWChar:
      return std::make_shared<TUclOrdinalRangeTypeInfo>(Info);
    case fw::tkEnumeration:
      return std::make_shared<TUclEnumerationTypeInfo>(Info);
    case fw::tkFloat:
      return std::make_shared<TUclFloatTypeInfo>(Info);
    case fw::tkString:
    case fw::tkLString:
    case fw::tkWString:
    case fw::tkUString:
      return std::make_shared<TUclStringTypeInfo>(Info);
    case fw::tkSet:
      return std::make_shared<TUclSetTypeInfo>(Info);
    case fw::tkClass:
      return std::make_shared<TUclClassTypeInfo>(Info, Info->ClassType());
    case fw::tkInt64:
      return std::make_shared<TUclInt64TypeInfo>(Info);
    default:
      return std::make_shared<TUclTypeInfo>(Info);
  }
}

std::shared_ptr<IUclClassTypeInfo> WrapClass(fw::TClass Class) {
  return std::make_shared<TUclClassTypeInfo>(nullptr, Class);
}

String OrdinalValueName(const TTypeInfo* Type, int64_t Value) {
  if (Value >= Type->MinValue() && Value <= Type->MaxValue())
    return Type->Kind() == fw::tkEnumeration ? Type->EnumName(Value) : fw::IntToStr(Value);
  auto name = [Type](int64_t v) { return Type->Kind() == fw::tkEnumeration ? Type->EnumName(v) : fw::IntToStr(v); };
  return u"Value ordinal=" + fw::IntToStr(Value) + u" out of range " + name(Type->MinValue()) + u".." +
         name(Type->MaxValue()) + u".";
}

}  // namespace services
