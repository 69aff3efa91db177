#include "controls/base/ckdatacontexts.h"

#include <algorithm>

#include "fw/core/sysutils.h"

namespace ck {

using namespace fw;

// ---- TCkDataContexts

ICkDataContext* TCkDataContexts::ContextAt(int Index) {
  if (Index < 0 || Index >= ContextCount()) return nullptr;
  return FContexts[static_cast<size_t>(Index)].get();
}

int TCkDataContexts::IndexOfContext(ICkDataContext* Context) {
  for (int i = ContextCount() - 1; i >= 0; --i)
    if (ContextAt(i) == Context) return i;
  return -1;
}

ICkDataContext* TCkDataContexts::ContextByPath(const String& Path) {
  size_t sep = Path.find_first_of(u"\\/");
  String segment = Path.substr(0, sep);
  String rest = sep == String::npos ? String() : Path.substr(sep + 1);
  if (segment == u"..") {
    if (!FAncestor || !FAncestor->OwnerContexts()) return nullptr;
    return FAncestor->OwnerContexts()->ContextByPath(rest);
  }
  if (segment.empty() && FAncestor) {
    ICkDataContexts* root = Query<ICkDataContexts>(FProvider);
    return root ? root->ContextByPath(rest) : nullptr;
  }
  for (int i = ContextCount() - 1; i >= 0; --i) {
    ICkDataContext* c = ContextAt(i);
    if (AnsiCompareText(c->ContextName(), segment) != 0) continue;
    if (rest.empty()) return c;
    return c->OwnerContexts() ? c->OwnerContexts()->ContextByPath(rest) : nullptr;
  }
  return nullptr;
}

ICkDataContext* TCkDataContexts::AddContext(std::unique_ptr<TCkDataContext> Context) {
  ICkDataContext* c = Context.get();
  // A context just handed over cannot be in the list already.
  if (ContextByPath(c->ContextName())) throw ECKDataContexts(u"A context with that name already exists");
  if (FProvider) FProvider->AnnounceChanging(pcrContextAdd, FAncestor);
  FContexts.push_back(std::move(Context));
  if (FProvider) FProvider->AnnounceChanged(pcrContextAdd, c);
  return c;
}

void TCkDataContexts::DeleteContext(ICkDataContext* Context) {
  int index = IndexOfContext(Context);
  if (index < 0 || !Context->CanDelete()) return;
  ICkDataContext* ancestor = FAncestor;
  if (FProvider) FProvider->AnnounceChanging(pcrContextDelete, Context);
  FContexts.erase(FContexts.begin() + index);
  if (FProvider) FProvider->AnnounceChanged(pcrContextDelete, ancestor);
}

void* TCkDataContexts::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataContexts)) return static_cast<ICkDataContexts*>(this);
  return nullptr;
}

// ---- TCkDataContext

TCkDataContext::TCkDataContext(TCkDataContexts* AContexts, const String& AName) : FContexts(AContexts) {
  if (!AContexts) throw ECKDataContexts(u"Cannot create a context without a context list owner");
  RenameContext(AName);
}

void TCkDataContext::RenameContext(const String& Name) {
  if (Name == FName && !FName.empty()) return;
  ICkDataContext* found = FContexts->ContextByPath(Name);
  if (found && found != this) throw ECKDataContexts(u"A context with that name already exists");
  FName = Name;
}

void* TCkDataContext::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataContext)) return static_cast<ICkDataContext*>(this);
  return nullptr;
}

// ---- TCkDataItemContextTextImpl

ICkDataContext* TCkDataItemContextTextImpl::CurrentContext() {
  auto* item = dynamic_cast<ICkDataItem*>(Owner());
  ICkDataProvider* provider = item && item->OwnerItems() ? item->OwnerItems()->OwnerProvider() : nullptr;
  return provider ? provider->CurrentContext() : nullptr;
}

std::vector<std::pair<ICkDataContext*, String>>::iterator TCkDataItemContextTextImpl::EntryOf(ICkDataContext* C) {
  return std::find_if(FContextStrings.begin(), FContextStrings.end(), [C](auto& e) { return e.first == C; });
}

String TCkDataItemContextTextImpl::Text() {
  for (ICkDataContext* c = CurrentContext(); c;
       c = c->OwnerContexts() ? c->OwnerContexts()->AncestorContext() : nullptr) {
    auto it = EntryOf(c);
    if (it != FContextStrings.end()) return it->second;
  }
  return FText;
}

void TCkDataItemContextTextImpl::SetText(const String& Value) {
  ICkDataContext* c = CurrentContext();
  if (!c) {
    TCkDataItemTextImpl::SetText(Value);
    return;
  }
  if (Value == Text()) return;
  AnnounceItemUpdate([&] {
    auto it = EntryOf(c);
    if (it != FContextStrings.end()) it->second = Value;
    else FContextStrings.emplace_back(c, Value);
  });
}

void TCkDataItemContextTextImpl::RevertToAncestor() {
  auto it = EntryOf(CurrentContext());
  if (!CurrentContext() || it == FContextStrings.end()) return;
  AnnounceItemUpdate([&] { FContextStrings.erase(it); });
}

bool TCkDataItemContextTextImpl::IsEqualToAncestor() { return EntryOf(CurrentContext()) == FContextStrings.end(); }

void* TCkDataItemContextTextImpl::OwnAspect(const std::type_info& Type) {
  if (Type == typeid(ICkDataContextSensitive)) return static_cast<ICkDataContextSensitive*>(this);
  return TCkDataItemTextImpl::OwnAspect(Type);
}

}  // namespace ck
