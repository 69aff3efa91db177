// Data contexts: named variants of a provider's data. A provider that has
// them answers ICkDataContexts with its root context list; a context list
// can belong to a context (its ancestor), so contexts nest. An item's text
// can differ per context (TCkDataItemContextTextImpl).
#pragma once

#include <memory>
#include <vector>

#include "controls/base/ckdataprovider.h"

namespace ck {

class ECKDataContexts : public ECKDataProvider {
 public:
  using ECKDataProvider::ECKDataProvider;
};

struct ICkDataContexts : virtual TCkDataObject {
  virtual ICkDataProvider* OwnerProvider() = 0;
  // The context that owns this list; none for a root list.
  virtual ICkDataContext* AncestorContext() = 0;
  virtual int ContextCount() = 0;
  virtual ICkDataContext* ContextAt(int Index) = 0;
  // Names separated by a backslash or "/", letter case ignored; ".." goes
  // to the list holding the ancestor, a leading separator to the root list.
  virtual ICkDataContext* ContextByPath(const fw::String& Path) = 0;
  virtual int IndexOfContext(ICkDataContext* Context) = 0;
};

struct ICkDataContext : virtual TCkDataObject {
  virtual ICkDataContexts* OwnerContexts() = 0;
  virtual fw::String ContextName() = 0;
  virtual bool CanDelete() = 0;
};

class TCkDataContext;

class TCkDataContexts : public TExtensibleObject, public ICkDataContexts {
 public:
  TCkDataContexts(ICkDataProvider* AProvider, ICkDataContext* AAncestor) : FProvider(AProvider), FAncestor(AAncestor) {}
  ICkDataProvider* OwnerProvider() override { return FProvider; }
  ICkDataContext* AncestorContext() override { return FAncestor; }
  int ContextCount() override { return static_cast<int>(FContexts.size()); }
  ICkDataContext* ContextAt(int Index) override;
  ICkDataContext* ContextByPath(const fw::String& Path) override;
  int IndexOfContext(ICkDataContext* Context) override;
  // Takes the context in, announced as pcrContextAdd (source: the
  // ancestor, then the context); another context of the same name raises
  // ECKDataContexts "A context with that name already exists".
  ICkDataContext* AddContext(std::unique_ptr<TCkDataContext> Context);
  // A context that cannot be deleted stays; the others go, announced as
  // pcrContextDelete (source: the context, then the ancestor).
  void DeleteContext(ICkDataContext* Context);
  void ClearContexts() { FContexts.clear(); }

 protected:
  void* OwnAspect(const std::type_info& Type) override;

 private:
  ICkDataProvider* FProvider;
  ICkDataContext* FAncestor;
  std::vector<std::unique_ptr<TCkDataContext>> FContexts;
};

class TCkDataContext : public TExtensibleObject, public ICkDataContext {
 public:
  // Without a list: ECKDataContexts "Cannot create a context without a
  // context list owner". Creating does not add it to the list.
  TCkDataContext(TCkDataContexts* AContexts, const fw::String& AName);
  ICkDataContexts* OwnerContexts() override { return FContexts; }
  fw::String ContextName() override { return FName; }
  bool CanDelete() override { return true; }
  // A name another context of the list has raises ECKDataContexts.
  void RenameContext(const fw::String& Name);

 protected:
  void* OwnAspect(const std::type_info& Type) override;

 private:
  TCkDataContexts* FContexts;
  fw::String FName;
};

// A context that is never deleted.
class TCkFixedDataContext : public TCkDataContext {
 public:
  using TCkDataContext::TCkDataContext;
  bool CanDelete() override { return false; }
};

// Undoing an item aspect's own value for the current context.
struct ICkDataContextSensitive {
  virtual ~ICkDataContextSensitive() = default;
  virtual void RevertToAncestor() = 0;
  virtual bool IsEqualToAncestor() = 0;
};

// A text per context: reading climbs from the current context through the
// ancestors to the first that has its own text, else the plain text.
class TCkDataItemContextTextImpl : public TCkDataItemTextImpl, public ICkDataContextSensitive {
 public:
  using TCkDataItemTextImpl::TCkDataItemTextImpl;
  fw::String Text() override;
  void SetText(const fw::String& Value) override;
  void RevertToAncestor() override;
  bool IsEqualToAncestor() override;
  void* OwnAspect(const std::type_info& Type) override;

 private:
  ICkDataContext* CurrentContext();
  std::vector<std::pair<ICkDataContext*, fw::String>>::iterator EntryOf(ICkDataContext* Context);
  std::vector<std::pair<ICkDataContext*, fw::String>> FContextStrings;
};

}  // namespace ck
