// Run-time type information: one registry of classes (name, parent, factory)
// with their published properties in declared order, published methods
// (event handlers by name) and published fields (component references), and
// reading and writing property values by name or by "Sub.Prop" path.
//
// A class declares itself with FW_CLASS(TFoo, TBase) in its body and
// describes itself once in its .cpp:
//
//   FW_REGISTER(TFoo) {
//     c.Property(u"Caption", &TFoo::Caption, &TFoo::SetCaption);
//     c.Property(u"Width", &TFoo::Width, &TFoo::SetWidth).Default(100);
//     c.Property(u"Color", &TFoo::Color, &TFoo::SetColor).Type(TypeInfoTColor()).Default(clWindow);
//     c.Event(u"OnClick", &TFoo::FOnClick);
//     c.Method(u"Button1Click", &TFoo::Button1Click);
//     c.Field(u"Button1", &TFoo::Button1);
//   }
//
// Getters and setters may be member functions, data members or callables
// taking the object. A class is created by name with FindClass(..)->Create().
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/object.h"
#include "fw/core/typeinfo.h"
#include "fw/core/value.h"

namespace fw {

class TComponent;
class TStream;
template <class C>
class TClassBuilder;

class TPropInfo {
 public:
  const String& Name() const { return FName; }
  const TTypeInfo* PropType() const { return FType; }
  TTypeKind Kind() const { return FType->Kind(); }
  bool CanWrite() const { return static_cast<bool>(FSet); }

  // Raise EPropertyError when the instance is not of the property's class,
  // the property is read-only ("Property X is read-only") or the value does
  // not fit ("Invalid property value").
  TValue GetValue(TObject* instance) const;
  void SetValue(TObject* instance, const TValue& value) const;

  // Declared default of an ordinal or set property (none: HasDefault false).
  bool HasDefault() const { return FHasDefault; }
  int64_t Default() const { return FDefault; }
  // The stored rule: always, never, or decided by the instance.
  bool IsStored(TObject* instance) const;

 private:
  template <class C>
  friend class TClassBuilder;
  friend class TPropBuilder;
  String FName;
  const TTypeInfo* FType = nullptr;
  std::function<TValue(TObject*)> FGet;
  std::function<void(TObject*, const TValue&)> FSet;
  std::function<bool(TObject*)> FStored;
  bool FStoredFlag = true;
  bool FHasDefault = false;
  int64_t FDefault = 0;
};

// A published method: an event handler found by name.
class TMethodInfo {
 public:
  const String& Name() const { return FName; }
  const TTypeInfo* MethodType() const { return FType; }
  // The method bound to instance, ready for an event property of its type.
  TValue Bind(TObject* instance) const;
  bool Refers(TObject* instance, const TMethod& m) const { return FBind(instance) == m; }

 private:
  template <class C>
  friend class TClassBuilder;
  String FName;
  const TTypeInfo* FType = nullptr;
  std::function<TMethod(TObject*)> FBind;
};

// A published field holding a reference to an owned component; a component
// named like the field is stored into it when it joins its owner.
class TFieldInfo {
 public:
  const String& Name() const { return FName; }
  TClass FieldClass() const { return FFieldClass(); }
  // Stores value (null clears) when it is of the field's class; false when not.
  bool Set(TObject* instance, TObject* value) const { return FSet(instance, value); }
  TObject* Get(TObject* instance) const { return FGet(instance); }

 private:
  template <class C>
  friend class TClassBuilder;
  String FName;
  TClass (*FFieldClass)() = nullptr;
  std::function<bool(TObject*, TObject*)> FSet;
  std::function<TObject*(TObject*)> FGet;
};

// Data stored under a name that is not a published property: binary data
// ("Data = {...}") or a list of values ("Strings = (...)").
class TDefinedProperty {
 public:
  enum TKind : uint8_t { dpBinary, dpList };
  const String& Name() const { return FName; }
  TKind Kind() const { return FKind; }
  std::function<void(TObject*, TStream&)> ReadData;        // dpBinary
  std::function<void(TObject*, TStream&)> WriteData;       // dpBinary
  std::function<void(TObject*, const std::vector<TValue>&)> ReadList;  // dpList
  std::function<std::vector<TValue>(TObject*)> WriteList;  // dpList
  std::function<bool(TObject*)> HasData;                   // worth writing

 private:
  template <class C>
  friend class TClassBuilder;
  String FName;
  TKind FKind = dpBinary;
};

class TClassInfo {
 public:
  const String& ClassName() const { return FName; }
  TClass ClassParent() const { return FParent; }
  bool InheritsFrom(TClass other) const;
  bool IsAbstract() const { return !FFactory; }
  // A new instance; owner is passed to components and ignored by others.
  // EClassNotFound "Cannot create an instance of abstract class X" when the
  // class cannot be created.
  TObject* Create(TComponent* owner = nullptr) const;

  // Published properties, inherited ones first, in declared order; a class
  // that declares a property again replaces it in place.
  const std::vector<const TPropInfo*>& Properties() const { return FProps; }
  // Case-insensitive lookups; null when there is none.
  const TPropInfo* FindProperty(StringView name) const;
  const TMethodInfo* FindMethod(StringView name) const;
  const TFieldInfo* FindField(StringView name) const;
  const TDefinedProperty* FindDefinedProperty(StringView name) const;
  const std::vector<const TDefinedProperty*>& DefinedProperties() const { return FDefined; }
  // The name of the published method that m calls on instance, or empty.
  String MethodName(TObject* instance, const TMethod& m) const;

 private:
  template <class C>
  friend class TClassBuilder;
  template <class C>
  friend TClass RegisterClassInfo(const char16_t*, void (*)(TClassBuilder<C>&));
  friend TClass RegisterClassInfoImpl(std::unique_ptr<TClassInfo> info);
  TClassInfo() = default;
  void Finish();

  String FName;
  TClass FParent = nullptr;
  TObject* (*FFactory)(TComponent*) = nullptr;
  std::vector<std::unique_ptr<TPropInfo>> FOwnProps;
  std::vector<std::unique_ptr<TMethodInfo>> FOwnMethods;
  std::vector<std::unique_ptr<TFieldInfo>> FOwnFields;
  std::vector<std::unique_ptr<TDefinedProperty>> FOwnDefined;
  std::vector<const TPropInfo*> FProps;
  std::vector<const TMethodInfo*> FMethods;
  std::vector<const TFieldInfo*> FFields;
  std::vector<const TDefinedProperty*> FDefined;
};

// The class registry. GetClass returns null for an unknown name, FindClass
// raises EClassNotFound "Class X not found". Names compare case-insensitively.
TClass GetClass(StringView name);
TClass FindClass(StringView name);
std::vector<TClass> RegisteredClasses();
// Makes sure the classes are registered (and linked in): for classes that
// are only ever created by name, call it from a unit initialisation.
template <class... T>
void RegisterClasses() {
  (T::StaticClass(), ...);
}

// Property access by name or path ("Font.Name" follows class-typed
// properties). Unknown names raise EPropertyError "Property X does not
// exist"; a path through an unassigned object raises EPropertyError too.
const TPropInfo* GetPropInfo(TClass aClass, StringView name);
const TPropInfo* GetPropInfo(const TObject* instance, StringView name);
bool IsPublishedProp(const TObject* instance, StringView path);
struct TPropTarget {
  TObject* Instance = nullptr;
  const TPropInfo* Prop = nullptr;
};
TPropTarget ResolvePropPath(TObject* instance, StringView path);
TValue GetPropValue(TObject* instance, StringView path);
void SetPropValue(TObject* instance, StringView path, const TValue& value);
// Enumeration and set properties as text ("alClient", "[fsBold, fsItalic]").
String GetEnumProp(TObject* instance, StringView path);
void SetEnumProp(TObject* instance, StringView path, StringView value);
String GetSetProp(TObject* instance, StringView path, bool brackets = true);
void SetSetProp(TObject* instance, StringView path, StringView value);
// Binds the published method methodName of root to the event property at
// path of instance; EPropertyError when the method does not exist or its
// signature differs from the event's.
void SetMethodPropByName(TObject* instance, StringView path, TObject* root, StringView methodName);

namespace detail {

[[noreturn]] void RaiseInvalidValue();
[[noreturn]] void RaiseWrongInstance(const TObject* instance, TClass expected);
void CheckOrdinalRange(const TTypeInfo* type, int64_t value);
void CheckSetMask(const TTypeInfo* type, uint64_t mask);
void CheckMethodType(const TTypeInfo* type, const TValue& v);
void CheckObjectClass(TObject* object, TClass expected);

template <class T>
TValue ToValue(const T& v) {
  if constexpr (std::is_same_v<T, bool>) return TValue(static_cast<int64_t>(v ? 1 : 0));
  else if constexpr (std::is_pointer_v<T>) return TValue(static_cast<TObject*>(const_cast<std::remove_const_t<std::remove_pointer_t<T>>*>(v)));
  else return TValue(v);
}

template <class T>
T FromValue(const TValue& v, const TTypeInfo* type) {
  if constexpr (std::is_same_v<T, bool>) {
    int64_t o = v.AsOrdinal();
    CheckOrdinalRange(type, o);
    return o != 0;
  } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
    int64_t o = v.AsOrdinal();
    CheckOrdinalRange(type, o);
    return static_cast<T>(o);
  } else if constexpr (std::is_floating_point_v<T>) {
    return static_cast<T>(v.AsFloat());
  } else if constexpr (std::is_same_v<T, String>) {
    return v.AsString();
  } else if constexpr (IsSet<T>::value) {
    CheckSetMask(type, v.AsSet());
    return T::FromMask(v.AsSet());
  } else if constexpr (IsEvent<T>::value) {
    CheckMethodType(type, v);
    return T(v.AsMethod());
  } else if constexpr (std::is_pointer_v<T>) {
    TObject* o = v.AsObject();
    if (!o) return nullptr;
    auto* p = dynamic_cast<T>(o);
    if (!p) RaiseInvalidValue();
    return p;
  } else {
    static_assert(sizeof(T) == 0, "type without run-time type information");
  }
}

template <class C>
C& InstanceOf(TObject* instance) {
  C* c = dynamic_cast<C*>(instance);
  if (!c) RaiseWrongInstance(instance, C::StaticClass());
  return *c;
}

template <class T>
TObject* CreateInstance(TComponent* owner) {
  if constexpr (std::is_constructible_v<T, TComponent*>) return new T(owner);
  else return new T();
}

}  // namespace detail

// Adjusts the property just added: default value, stored rule, type.
class TPropBuilder {
 public:
  explicit TPropBuilder(TPropInfo& p) : FProp(p) {}
  template <class V>
  TPropBuilder& Default(V v) {
    FProp.FHasDefault = true;
    if constexpr (IsSet<V>::value) FProp.FDefault = static_cast<int64_t>(v.Mask());
    else FProp.FDefault = static_cast<int64_t>(v);
    return *this;
  }
  TPropBuilder& NoDefault() {
    FProp.FHasDefault = false;
    return *this;
  }
  TPropBuilder& Stored(bool stored) {
    FProp.FStoredFlag = stored;
    FProp.FStored = nullptr;
    return *this;
  }
  // Stored when the object's rule says so.
  template <class K>
  TPropBuilder& Stored(bool (K::*rule)() const) {
    FProp.FStored = [rule](TObject* o) { return (detail::InstanceOf<K>(o).*rule)(); };
    return *this;
  }
  // Gives the property a descriptor of its own (TColor, TDateTime...); the
  // C++ type must match its kind and width.
  TPropBuilder& Type(const TTypeInfo* type) {
    FProp.FType = type;
    return *this;
  }

 private:
  TPropInfo& FProp;
};

template <class C>
class TClassBuilder {
 public:
  explicit TClassBuilder(TClassInfo& info) : FInfo(info) {}

  template <class G, class S = std::nullptr_t>
  TPropBuilder Property(const char16_t* name, G get, S set = nullptr) {
    using T = std::remove_cvref_t<std::invoke_result_t<G, C&>>;
    auto p = std::make_unique<TPropInfo>();
    TPropInfo* prop = p.get();
    prop->FName = name;
    prop->FType = TypeInfoOf<T>();
    prop->FGet = [get](TObject* o) { return detail::ToValue<T>(std::invoke(get, detail::InstanceOf<C>(o))); };
    if constexpr (!std::is_same_v<S, std::nullptr_t>) {
      prop->FSet = [set, prop](TObject* o, const TValue& v) {
        C& c = detail::InstanceOf<C>(o);
        T value = detail::FromValue<T>(v, prop->FType);
        if constexpr (std::is_member_object_pointer_v<S>) std::invoke(set, c) = std::move(value);
        else std::invoke(set, c, std::move(value));
      };
    }
    FInfo.FOwnProps.push_back(std::move(p));
    return TPropBuilder(*prop);
  }

  // An event property read and written through its field.
  template <class Sig>
  TPropBuilder Event(const char16_t* name, TEvent<Sig> C::*field) {
    return Property(name, field, field);
  }

  // A published method (event handler) of the class.
  template <class M>
    requires std::is_member_function_pointer_v<M>
  void Method(const char16_t* name, M method) {
    AddMethod(name, method);
  }

  // A published field referring to a component of the given class.
  template <class T>
  void Field(const char16_t* name, T* C::*field) {
    auto f = std::make_unique<TFieldInfo>();
    f->FName = name;
    f->FFieldClass = &T::StaticClass;
    f->FSet = [field](TObject* o, TObject* v) {
      T* typed = nullptr;
      if (v && !(typed = dynamic_cast<T*>(v))) return false;
      detail::InstanceOf<C>(o).*field = typed;
      return true;
    };
    f->FGet = [field](TObject* o) -> TObject* { return detail::InstanceOf<C>(o).*field; };
    FInfo.FOwnFields.push_back(std::move(f));
  }

  TDefinedProperty& DefineBinaryProperty(const char16_t* name) { return Define(name, TDefinedProperty::dpBinary); }
  TDefinedProperty& DefineListProperty(const char16_t* name) { return Define(name, TDefinedProperty::dpList); }

 private:
  template <class R, class K, class... A>
  void AddMethod(const char16_t* name, R (K::*method)(A...)) {
    static_assert(std::is_base_of_v<K, C>, "method of another class");
    auto m = std::make_unique<TMethodInfo>();
    m->FName = name;
    m->FType = MethodTypeInfo<R(A...)>();
    m->FBind = [method](TObject* o) {
      return TEvent<R(A...)>(&detail::InstanceOf<C>(o), method).Method();
    };
    FInfo.FOwnMethods.push_back(std::move(m));
  }
  TDefinedProperty& Define(const char16_t* name, TDefinedProperty::TKind kind) {
    auto d = std::make_unique<TDefinedProperty>();
    d->FName = name;
    d->FKind = kind;
    FInfo.FOwnDefined.push_back(std::move(d));
    return *FInfo.FOwnDefined.back();
  }

  TClassInfo& FInfo;
};

TClass RegisterClassInfoImpl(std::unique_ptr<TClassInfo> info);

template <class C>
TClass RegisterClassInfo(const char16_t* name, void (*describe)(TClassBuilder<C>&)) {
  std::unique_ptr<TClassInfo> info(new TClassInfo());
  info->FName = name;
  if constexpr (!std::is_same_v<C, TObject>) info->FParent = C::inherited::StaticClass();
  if constexpr (!std::is_abstract_v<C> &&
                (std::is_constructible_v<C, TComponent*> || std::is_default_constructible_v<C>))
    info->FFactory = &detail::CreateInstance<C>;
  TClassBuilder<C> builder(*info);
  describe(builder);
  return RegisterClassInfoImpl(std::move(info));
}

}  // namespace fw

// Defines StaticClass/ClassType of a class declared with FW_CLASS, registers
// it at start-up and opens the body that describes its published members
// through the builder `c`. Use it in the class's namespace.
#define FW_REGISTER(Class)                                                            \
  static void FwDescribe_##Class(::fw::TClassBuilder<Class>& c);                      \
  ::fw::TClass Class::StaticClass() {                                                 \
    static const ::fw::TClass info = ::fw::RegisterClassInfo<Class>(u"" #Class, &FwDescribe_##Class); \
    return info;                                                                      \
  }                                                                                   \
  ::fw::TClass Class::ClassType() const { return StaticClass(); }                     \
  [[maybe_unused]] static const bool FwRegistered_##Class = Class::StaticClass() != nullptr; \
  static void FwDescribe_##Class([[maybe_unused]] ::fw::TClassBuilder<Class>& c)
