#include "fw/core/form_loader.h"

#include <algorithm>
#include <memory>

#include "fw/core/collection.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"

namespace fw {

namespace {

// Where a property value lives, found again when a reference is set later:
// the component whose description holds it, then collection items by ID
// (an item may be gone by then, so no pointer to it is kept).
struct Place {
  struct ItemStep {
    String collectionPath;  // from the object reached so far to the collection
    int itemId;
  };
  TComponent* holder = nullptr;
  std::vector<ItemStep> items;
};

// The object that holds the last name of path ("Font.Name": the font), or
// null when the way there is gone.
TObject* WalkPath(TObject* object, StringView path, String& last) {
  for (;;) {
    if (!object) return nullptr;
    size_t dot = path.find(u'.');
    if (dot == StringView::npos) {
      last = String(path);
      return object;
    }
    const TPropInfo* prop = object->ClassType()->FindProperty(path.substr(0, dot));
    if (!prop || prop->Kind() != tkClass) return nullptr;
    object = prop->GetValue(object).AsObject();
    path = path.substr(dot + 1);
  }
}

// The object and class-typed property a place and path lead to now; false
// when they are gone.
bool Locate(const Place& place, StringView path, TObject*& object, const TPropInfo*& prop) {
  TObject* o = place.holder;
  String last;
  for (const Place::ItemStep& step : place.items) {
    TObject* owner = WalkPath(o, step.collectionPath, last);
    const TPropInfo* p = owner ? owner->ClassType()->FindProperty(last) : nullptr;
    auto* collection = p && p->Kind() == tkClass ? dynamic_cast<TCollection*>(p->GetValue(owner).AsObject()) : nullptr;
    if (!collection) return false;
    o = collection->FindItemID(step.itemId);
  }
  object = WalkPath(o, path, last);
  prop = object ? object->ClassType()->FindProperty(last) : nullptr;
  return prop && prop->Kind() == tkClass;
}

// A reference to a component of a form not registered yet.
struct PendingReference {
  Place place;
  String formName;
  String componentName;  // empty: the form itself
  String fileName;
  int line;
  String path;
};

// Keeps the registry of forms and the waiting references, and hears through
// free notification when a form or a referring component goes.
class TGlobalForms : public TComponent {
 public:
  TGlobalForms() : TComponent(nullptr) {}

  std::vector<TComponent*> forms;
  std::vector<PendingReference> pending;

  void Watch(TComponent* c) { FreeNotification(c); }

  void Notification(TComponent* AComponent, TOperation Operation) override {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    forms.erase(std::remove(forms.begin(), forms.end(), AComponent), forms.end());
    pending.erase(std::remove_if(pending.begin(), pending.end(),
                                 [&](const PendingReference& p) { return p.place.holder == AComponent; }),
                  pending.end());
  }
};

// Never freed: forms may outlive every static object.
TGlobalForms& Globals() {
  static TGlobalForms* globals = new TGlobalForms();
  return *globals;
}

[[noreturn]] void Fail(const String& fileName, int line, const String& reason, const String& property = String()) {
  throw EFormDescriptionError(fileName, line, reason, property);
}

// Sets a resolved reference; a component of the wrong class is a fault of
// the description. Nothing happens when the place of the value is gone.
void ApplyReference(const String& fileName, int line, const Place& place, const String& path, TComponent* target) {
  TObject* instance;
  const TPropInfo* prop;
  if (!Locate(place, path, instance, prop)) return;
  if (target && prop->PropType()->ClassType() && !target->InheritsFrom(prop->PropType()->ClassType())) {
    Fail(fileName, line, target->Name() + u" is not a " + prop->PropType()->ClassType()->ClassName(), path);
  }
  try {
    prop->SetValue(instance, TValue(static_cast<TObject*>(target)));
  } catch (const EFormDescriptionError&) {
    throw;
  } catch (const EAbort&) {
    throw;
  } catch (const Exception& e) {
    Fail(fileName, line, e.Message(), path);
  }
}

class Reader {
 public:
  Reader(TComponent* root, const String& fileName) : FRoot(root), FFile(fileName) {}

  void Read(const TFormObject& desc) {
    const size_t pendingBefore = Globals().pending.size();
    FRoot->SetLoading(true);
    FRoot->SetReading(true);
    try {
      CheckRootClass(desc);
      NameRoot(desc.Name, desc.Line);
      ReadBody(FRoot, desc);
      ResolveLocalReferences();
    } catch (...) {
      Undo(pendingBefore);
      throw;
    }
    FRoot->SetReading(false);
    for (TComponent* c : FCreated) c->SetReading(false);
    FRoot->Loaded();
    for (TComponent* c : FCreated) c->Loaded();
    if (!FRoot->Name().empty()) RegisterGlobalForm(FRoot);
  }

 private:
  struct LocalReference {
    Place place;
    String name;
    int line;
    String path;
  };

  [[noreturn]] void Fail(int line, const String& reason, const String& property = String()) {
    throw EFormDescriptionError(FFile, line, reason, property);
  }

  void CheckRootClass(const TFormObject& desc) {
    TClass named = GetClass(desc.ClassName);
    bool fits = named ? FRoot->InheritsFrom(named) : SameText(FRoot->ClassName(), desc.ClassName);
    if (!fits) Fail(desc.Line, u"Class " + desc.ClassName + u" does not match the root object of class " + FRoot->ClassName());
  }

  // A second form of the same kind under the same owner is named Name_1,
  // Name_2 and so on.
  void NameRoot(const String& name, int line) {
    if (name.empty() || !FRoot->Name().empty()) return;
    if (!IsValidIdent(name)) Fail(line, u"'" + name + u"' is not a valid component name");
    for (int n = 0;; ++n) {
      String candidate = n == 0 ? name : name + u"_" + IntToStr(n);
      TComponent* owner = FRoot->Owner();
      if (owner && owner->FindComponent(candidate)) continue;
      FRoot->SetName(candidate);
      return;
    }
  }

  void ReadBody(TComponent* component, const TFormObject& desc) {
    Place place;
    place.holder = component;
    for (const TFormProperty& p : desc.Properties) ReadProperty(place, component, p);
    for (const TFormObject& child : desc.Children) ReadChild(component, child);
  }

  void ReadChild(TComponent* parent, const TFormObject& desc) {
    TClass cls = GetClass(desc.ClassName);
    if (!cls) Fail(desc.Line, u"Unknown class " + desc.ClassName);
    if (!cls->InheritsFrom(TComponent::StaticClass())) Fail(desc.Line, u"Class " + desc.ClassName + u" is not a component");
    TComponent* child;
    try {
      child = static_cast<TComponent*>(cls->Create(FRoot));
      FCreated.push_back(child);
      child->SetLoading(true);
      child->SetReading(true);
      if (!desc.Name.empty()) child->SetName(desc.Name);
      if (child->HasParent()) child->SetParentComponent(parent);
    } catch (const EAbort&) {
      throw;
    } catch (const Exception& e) {
      Fail(desc.Line, e.Message());
    }
    ReadBody(child, desc);
  }

  // Walks "A.B.C" through class-typed properties to the object that holds
  // the last name.
  TObject* ResolveOwnerObject(TObject* instance, const TFormProperty& p, String& last) {
    StringView rest = p.Name;
    for (;;) {
      size_t dot = rest.find(u'.');
      if (dot == StringView::npos) {
        last = String(rest);
        return instance;
      }
      String name(rest.substr(0, dot));
      const TPropInfo* prop = instance->ClassType()->FindProperty(name);
      if (!prop) Fail(p.Line, u"Unknown property", p.Name);
      if (prop->Kind() != tkClass) Fail(p.Line, u"Property " + name + u" is not an object", p.Name);
      instance = prop->GetValue(instance).AsObject();
      if (!instance) Fail(p.Line, u"Property " + name + u" has no object", p.Name);
      rest = rest.substr(dot + 1);
    }
  }

  // instance is the object place leads to.
  void ReadProperty(const Place& place, TObject* instance, const TFormProperty& p) {
    try {
      String last;
      TObject* target = ResolveOwnerObject(instance, p, last);
      if (const TPropInfo* prop = target->ClassType()->FindProperty(last)) {
        SetProperty(place, target, prop, p);
      } else if (const TDefinedProperty* defined = target->ClassType()->FindDefinedProperty(last)) {
        ReadDefined(target, defined, p);
      } else {
        Fail(p.Line, u"Unknown property", p.Name);
      }
    } catch (const EFormDescriptionError&) {
      throw;
    } catch (const EAbort&) {
      throw;
    } catch (const Exception& e) {
      // Setters and type checks report in their own words; the description
      // adds where.
      Fail(p.Line, e.Message(), p.Name);
    }
  }

  [[noreturn]] void BadValue(const TFormProperty& p) { Fail(p.Value.Line, u"Invalid property value", p.Name); }

  void SetProperty(const Place& place, TObject* target, const TPropInfo* prop, const TFormProperty& p) {
    const TFormValue& v = p.Value;
    const TTypeInfo* type = prop->PropType();
    switch (prop->Kind()) {
      case tkInteger:
      case tkInt64:
      case tkChar:
      case tkWChar:
        prop->SetValue(target, TValue(OrdinalValue(type, p)));
        return;
      case tkEnumeration:
        if (v.Kind != TFormValueKind::Ident) BadValue(p);
        prop->SetValue(target, TValue(StringToEnum(type, v.Text)));
        return;
      case tkFloat:
        if (v.Kind == TFormValueKind::Float) {
          prop->SetValue(target, TValue(v.Float));
        } else if (v.Kind == TFormValueKind::Integer) {
          prop->SetValue(target, TValue(static_cast<double>(v.Integer)));
        } else {
          BadValue(p);
        }
        return;
      case tkString:
      case tkLString:
      case tkWString:
      case tkUString:
        if (v.Kind != TFormValueKind::String) BadValue(p);
        prop->SetValue(target, TValue(v.Text));
        return;
      case tkSet: {
        if (v.Kind != TFormValueKind::Set) BadValue(p);
        String text;
        for (const String& e : v.Set) text += (text.empty() ? u"" : u",") + e;
        prop->SetValue(target, TValue::FromSet(StringToSet(type, text)));
        return;
      }
      case tkMethod: {
        if (v.Kind != TFormValueKind::Ident) BadValue(p);
        const TMethodInfo* m = FRoot->ClassType()->FindMethod(v.Text);
        if (!m) Fail(v.Line, u"Unknown event handler " + v.Text, p.Name);
        if (m->MethodType() != type) Fail(v.Line, u"Event handler " + v.Text + u" does not fit the event", p.Name);
        prop->SetValue(target, m->Bind(FRoot));
        return;
      }
      case tkClass:
        if (v.Kind == TFormValueKind::Ident) {
          ReadReference(place, target, prop, p);
        } else if (v.Kind == TFormValueKind::Collection) {
          ReadCollection(place, prop->GetValue(target).AsObject(), p);
        } else {
          BadValue(p);
        }
        return;
      default:
        BadValue(p);
    }
  }

  int64_t OrdinalValue(const TTypeInfo* type, const TFormProperty& p) {
    const TFormValue& v = p.Value;
    if (v.Kind == TFormValueKind::Integer) {
      // $FFFFFFFF in a signed 32-bit property is -1, as the word it describes.
      if (v.Hex && type->Kind() == tkInteger && type->OrdType() == otSLong && v.Integer > INT32_MAX &&
          v.Integer <= UINT32_MAX) {
        return static_cast<int32_t>(static_cast<uint32_t>(v.Integer));
      }
      return v.Integer;
    }
    if (v.Kind == TFormValueKind::Ident && type->IdentToInt()) {
      int64_t value;
      if (type->IdentToInt()(v.Text, value)) return value;
    }
    if (v.Kind == TFormValueKind::String && v.Text.size() == 1 && (type->Kind() == tkChar || type->Kind() == tkWChar)) {
      return v.Text[0];
    }
    BadValue(p);
  }

  // "Button1", "OtherForm" or "OtherForm.Button1"; nil clears.
  void ReadReference(const Place& place, TObject* target, const TPropInfo* prop, const TFormProperty& p) {
    const String& name = p.Value.Text;
    if (SameText(name, u"nil")) {
      prop->SetValue(target, TValue(nullptr));
      return;
    }
    size_t dot = name.find(u'.');
    if (dot == String::npos || SameText(StringView(name).substr(0, dot), FRoot->Name())) {
      // Within this form; resolved when every component exists.
      String local = dot == String::npos ? name : name.substr(dot + 1);
      if (local.find(u'.') != String::npos) Fail(p.Value.Line, u"Invalid component reference " + name, p.Name);
      FLocals.push_back({place, local, p.Value.Line, p.Name});
      return;
    }
    String formName = name.substr(0, dot), componentName = name.substr(dot + 1);
    if (componentName.find(u'.') != String::npos) Fail(p.Value.Line, u"Invalid component reference " + name, p.Name);
    if (TComponent* form = FindGlobalForm(formName)) {
      TComponent* c = form->FindComponent(componentName);
      if (!c) Fail(p.Value.Line, u"Unknown component " + name, p.Name);
      ApplyReference(FFile, p.Value.Line, place, p.Name, c);
      return;
    }
    Globals().Watch(place.holder);
    Globals().pending.push_back({place, formName, componentName, FFile, p.Value.Line, p.Name});
  }

  void ResolveLocalReferences() {
    for (const LocalReference& r : FLocals) {
      TComponent* c = SameText(r.name, FRoot->Name()) ? FRoot : FRoot->FindComponent(r.name);
      if (!c) c = FindGlobalForm(r.name);
      if (!c) Fail(r.line, u"Unknown component " + r.name, r.path);
      ApplyReference(FFile, r.line, r.place, r.path, c);
    }
  }

  void ReadCollection(const Place& place, TObject* object, const TFormProperty& p) {
    auto* collection = dynamic_cast<TCollection*>(object);
    if (!collection) BadValue(p);
    collection->BeginUpdate();
    try {
      collection->Clear();
      for (const TFormCollectionItem& item : p.Value.Collection) {
        TCollectionItem* added = collection->Add();
        Place itemPlace = place;
        itemPlace.items.push_back({p.Name, added->ID()});
        for (const TFormProperty& ip : item.Properties) ReadProperty(itemPlace, added, ip);
      }
    } catch (...) {
      collection->EndUpdate();
      throw;
    }
    collection->EndUpdate();
  }

  void ReadDefined(TObject* target, const TDefinedProperty* defined, const TFormProperty& p) {
    const TFormValue& v = p.Value;
    if (defined->Kind() == TDefinedProperty::dpBinary) {
      if (v.Kind != TFormValueKind::Binary || !defined->ReadData) BadValue(p);
      TMemoryStream data(v.Binary);
      defined->ReadData(target, data);
      return;
    }
    if (v.Kind != TFormValueKind::List || !defined->ReadList) BadValue(p);
    std::vector<TValue> items;
    for (const TFormValue& item : v.Items) {
      switch (item.Kind) {
        case TFormValueKind::String: items.emplace_back(item.Text); break;
        case TFormValueKind::Integer: items.emplace_back(item.Integer); break;
        case TFormValueKind::Float: items.emplace_back(item.Float); break;
        default: Fail(item.Line, u"Invalid property value", p.Name);
      }
    }
    defined->ReadList(target, items);
  }

  // A failed load leaves no half-built components behind.
  void Undo(size_t pendingBefore) {
    auto& pending = Globals().pending;
    // References this load queued belong to components about to go (or to
    // the root, which is not).
    if (pending.size() > pendingBefore) pending.erase(pending.begin() + static_cast<std::ptrdiff_t>(pendingBefore), pending.end());
    while (!FCreated.empty()) {
      TComponent* c = FCreated.back();
      FCreated.pop_back();
      c->Free();
    }
    FRoot->SetReading(false);
    FRoot->SetLoading(false);
  }

  TComponent* FRoot;
  const String& FFile;
  std::vector<TComponent*> FCreated;
  std::vector<LocalReference> FLocals;
};

}  // namespace

void ReadRootComponent(TComponent* root, const TFormObject& description, const String& fileName) {
  Reader(root, fileName).Read(description);
}

void ReadRootComponent(TComponent* root, StringView text, const String& fileName) {
  ReadRootComponent(root, ParseFormDescription(text, fileName), fileName);
}

TComponent* CreateRootComponent(const TFormObject& description, const String& fileName, TComponent* owner) {
  TClass cls = GetClass(description.ClassName);
  if (!cls) Fail(fileName, description.Line, u"Unknown class " + description.ClassName);
  if (!cls->InheritsFrom(TComponent::StaticClass())) {
    Fail(fileName, description.Line, u"Class " + description.ClassName + u" is not a component");
  }
  auto* root = static_cast<TComponent*>(cls->Create(owner));
  try {
    ReadRootComponent(root, description, fileName);
  } catch (...) {
    root->Free();
    throw;
  }
  return root;
}

void RegisterGlobalForm(TComponent* form) {
  TGlobalForms& g = Globals();
  if (std::find(g.forms.begin(), g.forms.end(), form) == g.forms.end()) {
    g.forms.push_back(form);
    g.Watch(form);
  }
  // Take the waiting references out first: setting one may run code that
  // registers or frees forms.
  std::vector<PendingReference> ready;
  auto& pending = g.pending;
  for (auto it = pending.begin(); it != pending.end();) {
    if (SameText(it->formName, form->Name())) {
      ready.push_back(std::move(*it));
      it = pending.erase(it);
    } else {
      ++it;
    }
  }
  std::unique_ptr<EFormDescriptionError> firstError;
  for (const PendingReference& r : ready) {
    try {
      TComponent* c = r.componentName.empty() ? form : form->FindComponent(r.componentName);
      if (!c) Fail(r.fileName, r.line, u"Unknown component " + r.formName + u"." + r.componentName, r.path);
      ApplyReference(r.fileName, r.line, r.place, r.path, c);
    } catch (const EFormDescriptionError& e) {
      if (!firstError) firstError = std::make_unique<EFormDescriptionError>(e);
    }
  }
  if (firstError) throw *firstError;
}

void UnregisterGlobalForm(TComponent* form) {
  TGlobalForms& g = Globals();
  g.forms.erase(std::remove(g.forms.begin(), g.forms.end(), form), g.forms.end());
}

TComponent* FindGlobalForm(StringView name) {
  for (TComponent* f : Globals().forms) {
    if (SameText(f->Name(), name)) return f;
  }
  return nullptr;
}

int PendingFormReferenceCount() { return static_cast<int>(Globals().pending.size()); }

}  // namespace fw
