#include "fw/core/rtti.h"

#include <algorithm>
#include <cstdio>
#include <map>

namespace fw {
namespace {

char16_t UpCase(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  return c;
}

bool SameIdent(StringView a, StringView b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (UpCase(a[i]) != UpCase(b[i])) return false;
  return true;
}

String UpperIdent(StringView s) {
  String r(s);
  for (auto& c : r) c = UpCase(c);
  return r;
}

// Every registered class by upper-cased name; never freed, so that class
// information stays valid while static objects go at exit.
std::map<String, TClass>& Registry() {
  static auto* registry = new std::map<String, TClass>();
  return *registry;
}

template <class T>
const T* FindByName(const std::vector<const T*>& list, StringView name) {
  for (const T* item : list)
    if (SameIdent(item->Name(), name)) return item;
  return nullptr;
}

// Inherited entries first; an entry named like an inherited one replaces it.
template <class T>
void Merge(std::vector<const T*>& all, const std::vector<std::unique_ptr<T>>& own) {
  for (const auto& item : own) {
    auto it = std::find_if(all.begin(), all.end(), [&](const T* p) { return SameIdent(p->Name(), item->Name()); });
    if (it != all.end()) *it = item.get();
    else all.push_back(item.get());
  }
}

[[noreturn]] void RaiseUnknownProperty(StringView name) {
  throw EPropertyError(u"Property " + String(name) + u" does not exist");
}

}  // namespace

namespace detail {

void RaiseInvalidValue() { throw EPropertyError(u"Invalid property value"); }

void RaiseWrongInstance(const TObject* instance, TClass expected) {
  throw EPropertyError(u"Property of " + expected->ClassName() + u" used on " +
                       (instance ? instance->ClassName() : String(u"nil")));
}

void CheckOrdinalRange(const TTypeInfo* type, int64_t value) {
  if (value < type->MinValue() || value > type->MaxValue()) RaiseInvalidValue();
}

void CheckSetMask(const TTypeInfo* type, uint64_t mask) {
  if (mask & ~SetFullMask(type)) RaiseInvalidValue();
}

void CheckMethodType(const TTypeInfo* type, const TValue& v) {
  const TMethod& m = v.AsMethod();
  if (m.Assigned() && v.MethodType() != type) RaiseInvalidValue();
}

void CheckObjectClass(TObject* object, TClass expected) {
  if (object && expected && !object->InheritsFrom(expected)) RaiseInvalidValue();
}

}  // namespace detail

TValue TPropInfo::GetValue(TObject* instance) const { return FGet(instance); }

void TPropInfo::SetValue(TObject* instance, const TValue& value) const {
  if (!FSet) throw EPropertyError(u"Property " + FName + u" is read-only");
  FSet(instance, value);
}

bool TPropInfo::IsStored(TObject* instance) const {
  if (FStored) return FStored(instance);
  return FStoredFlag;
}

TValue TMethodInfo::Bind(TObject* instance) const { return TValue(FBind(instance), FType); }

bool TClassInfo::InheritsFrom(TClass other) const {
  for (TClass c = this; c; c = c->FParent)
    if (c == other) return true;
  return false;
}

TObject* TClassInfo::Create(TComponent* owner) const {
  if (!FFactory) throw EClassNotFound(u"Cannot create an instance of abstract class " + FName);
  return FFactory(owner);
}

const TPropInfo* TClassInfo::FindProperty(StringView name) const { return FindByName(FProps, name); }
const TMethodInfo* TClassInfo::FindMethod(StringView name) const { return FindByName(FMethods, name); }
const TFieldInfo* TClassInfo::FindField(StringView name) const { return FindByName(FFields, name); }
const TDefinedProperty* TClassInfo::FindDefinedProperty(StringView name) const {
  return FindByName(FDefined, name);
}

String TClassInfo::MethodName(TObject* instance, const TMethod& m) const {
  if (!m.Assigned()) return String();
  for (const TMethodInfo* info : FMethods)
    if (info->Refers(instance, m)) return info->Name();
  return String();
}

void TClassInfo::Finish() {
  if (FParent) {
    FProps = FParent->FProps;
    FMethods = FParent->FMethods;
    FFields = FParent->FFields;
    FDefined = FParent->FDefined;
  }
  Merge(FProps, FOwnProps);
  Merge(FMethods, FOwnMethods);
  Merge(FFields, FOwnFields);
  Merge(FDefined, FOwnDefined);
}

TClass RegisterClassInfoImpl(std::unique_ptr<TClassInfo> info) {
  info->Finish();
  TClass result = info.release();
  auto [it, added] = Registry().emplace(UpperIdent(result->ClassName()), result);
  if (!added) {
    std::string name = StringToUtf8(result->ClassName());
    std::fprintf(stderr, "class %s registered twice; the first one stays\n", name.c_str());
  }
  return result;
}

TClass GetClass(StringView name) {
  auto it = Registry().find(UpperIdent(name));
  return it == Registry().end() ? nullptr : it->second;
}

TClass FindClass(StringView name) {
  TClass c = GetClass(name);
  if (!c) throw EClassNotFound(u"Class " + String(name) + u" not found");
  return c;
}

std::vector<TClass> RegisteredClasses() {
  std::vector<TClass> result;
  for (const auto& [name, c] : Registry()) result.push_back(c);
  return result;
}

const TPropInfo* GetPropInfo(TClass aClass, StringView name) {
  return aClass ? aClass->FindProperty(name) : nullptr;
}

const TPropInfo* GetPropInfo(const TObject* instance, StringView name) {
  return instance ? instance->ClassType()->FindProperty(name) : nullptr;
}

TPropTarget ResolvePropPath(TObject* instance, StringView path) {
  TPropTarget target;
  target.Instance = instance;
  StringView rest = path;
  for (;;) {
    if (!target.Instance) throw EPropertyError(u"Property " + String(path) + u" has no object");
    size_t dot = rest.find(u'.');
    StringView name = rest.substr(0, dot);
    target.Prop = GetPropInfo(target.Instance, name);
    if (!target.Prop) RaiseUnknownProperty(path);
    if (dot == StringView::npos) return target;
    if (target.Prop->Kind() != tkClass) RaiseUnknownProperty(path);
    target.Instance = target.Prop->GetValue(target.Instance).AsObject();
    rest = rest.substr(dot + 1);
  }
}

bool IsPublishedProp(const TObject* instance, StringView path) {
  try {
    ResolvePropPath(const_cast<TObject*>(instance), path);
    return true;
  } catch (const EPropertyError&) {
    return false;
  }
}

TValue GetPropValue(TObject* instance, StringView path) {
  TPropTarget t = ResolvePropPath(instance, path);
  return t.Prop->GetValue(t.Instance);
}

void SetPropValue(TObject* instance, StringView path, const TValue& value) {
  TPropTarget t = ResolvePropPath(instance, path);
  t.Prop->SetValue(t.Instance, value);
}

String GetEnumProp(TObject* instance, StringView path) {
  TPropTarget t = ResolvePropPath(instance, path);
  return EnumToString(t.Prop->PropType(), t.Prop->GetValue(t.Instance).AsOrdinal());
}

void SetEnumProp(TObject* instance, StringView path, StringView value) {
  TPropTarget t = ResolvePropPath(instance, path);
  t.Prop->SetValue(t.Instance, TValue(StringToEnum(t.Prop->PropType(), value)));
}

String GetSetProp(TObject* instance, StringView path, bool brackets) {
  TPropTarget t = ResolvePropPath(instance, path);
  return SetToString(t.Prop->PropType(), t.Prop->GetValue(t.Instance).AsSet(), brackets);
}

void SetSetProp(TObject* instance, StringView path, StringView value) {
  TPropTarget t = ResolvePropPath(instance, path);
  t.Prop->SetValue(t.Instance, TValue::FromSet(StringToSet(t.Prop->PropType(), value)));
}

void SetMethodPropByName(TObject* instance, StringView path, TObject* root, StringView methodName) {
  TPropTarget t = ResolvePropPath(instance, path);
  const TMethodInfo* m = root ? root->ClassType()->FindMethod(methodName) : nullptr;
  if (!m) throw EPropertyError(u"Method " + String(methodName) + u" does not exist");
  if (t.Prop->Kind() != tkMethod || m->MethodType() != t.Prop->PropType())
    throw EPropertyError(u"Method " + String(methodName) + u" does not fit event " + String(path));
  t.Prop->SetValue(t.Instance, m->Bind(root));
}

}  // namespace fw
