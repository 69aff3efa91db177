// Builds components from a parsed form description: creates each component
// by class name, owned by the root, attaches it to the component whose
// block holds it (SetParentComponent, for components that HasParent), sets
// its properties by name through run-time type information, binds events to
// the root's published methods by name and calls Loaded on every component,
// root first, once the whole tree is set.
//
// A reference to a component of another form ("OtherForm.Button1") is set
// as soon as that form is registered; until then it waits in a global list.
// Every root the loader reads is registered under its name.
#pragma once

#include "fw/core/component.h"
#include "fw/core/form_text.h"

namespace fw {

// Reads the description into root, whose class must be the description's
// class or derive from it. Every problem raises EFormDescriptionError naming
// the file, the line and the property; the components created so far are
// freed again.
void ReadRootComponent(TComponent* root, const TFormObject& description, const String& fileName);
void ReadRootComponent(TComponent* root, StringView text, const String& fileName);

// Creates the root from the description's class with the given owner, then
// reads the description into it.
TComponent* CreateRootComponent(const TFormObject& description, const String& fileName, TComponent* owner);

// Forms (root components) found by name for references between forms.
// Registering resolves the references that waited for the form; a fault in
// one (the component is missing or of the wrong class) raises
// EFormDescriptionError naming the referring description. A form leaves
// the registry when it is freed; references held by freed components are
// dropped.
void RegisterGlobalForm(TComponent* form);
void UnregisterGlobalForm(TComponent* form);
TComponent* FindGlobalForm(StringView name);
// References still waiting for their form.
int PendingFormReferenceCount();

}  // namespace fw
