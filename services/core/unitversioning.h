// The unit-version registry: every utility unit enters a static record of
// its source version at start-up and removes its module's records at the
// end. Records are grouped by module (the executable or a library with its
// own copy of the units). The process-wide instance and its publication to
// the other modules live on the Windows side (uclunitversioning.h).
#pragma once

#include <functional>
#include <memory>
#include <typeinfo>
#include <vector>

#include "fw/core/types.h"

namespace services {

// A unit's static record; never freed. The texts are version-control
// keywords ("$Revision$") and a source folder.
struct TUnitVersionInfo {
  const char16_t* RCSfile;
  const char16_t* Revision;
  const char16_t* Date;
  const char16_t* LogPath;
  const char16_t* Extra;
  void* Data;
};

// A module handle (HINSTANCE on Windows).
using TModuleInstance = const void*;

// One record, its keywords read as plain text.
class TUnitVersion {
 public:
  explicit TUnitVersion(const TUnitVersionInfo* Info) : FInfo(Info) {}
  const TUnitVersionInfo* Info() const { return FInfo; }
  // The file name of an expanded "$RCSfile: X.pas,v ... $" or "$URL: .../X.pas $"
  // keyword; an unexpanded keyword as it is.
  fw::String RCSfile() const;
  // "1.23" of "$Revision: 1.23 $"; the date text of "$Date: ... $".
  fw::String Revision() const;
  fw::String Date() const;
  fw::String LogPath() const;
  fw::String Extra() const;
  void* Data() const { return FInfo->Data; }
  // LogPath, RCSfile, Revision and Date joined by tabs, then a tab and Extra
  // when there is one.
  fw::String Summary() const;
  // The Date text as a date and time: "yyyy/mm/dd", "mm/dd/yyyy" (or with
  // "-") or "dd.mm.yyyy", then after a blank "hh:nn:ss"; 0 when the text has
  // no date. A date or time out of range raises EConvertError.
  fw::TDateTime DateTime() const;

 private:
  const TUnitVersionInfo* FInfo;
};

class TUnitVersioningModule {
 public:
  explicit TUnitVersioningModule(TModuleInstance Instance) : FInstance(Instance) {}
  TModuleInstance Instance() const { return FInstance; }
  int Count() const { return static_cast<int>(FItems.size()); }
  TUnitVersion* Items(int Index) const { return FItems.at(static_cast<size_t>(Index)).get(); }
  // Appends a version for Info unless that very record is listed.
  void Add(const TUnitVersionInfo* Info);
  int IndexOfInfo(const TUnitVersionInfo* Info) const;

 private:
  TModuleInstance FInstance;
  std::vector<std::unique_ptr<TUnitVersion>> FItems;
};

// Adds the records of modules on request; the base adds nothing.
class TCustomUnitVersioningProvider {
 public:
  virtual ~TCustomUnitVersioningProvider() = default;
  virtual void LoadModuleUnitVersioningInfo(TModuleInstance) {}
  virtual void ReleaseModuleUnitVersioningInfo(TModuleInstance) {}
};

class TUnitVersioning {
 public:
  // ModuleLoaded tells whether a module handle still names a loaded module;
  // the counting and indexing operations first drop the modules that do
  // not. Without it every module counts as loaded.
  explicit TUnitVersioning(std::function<bool(TModuleInstance)> ModuleLoaded = {});
  virtual ~TUnitVersioning();

  // Finds or appends the module of Instance and appends a version for Info
  // unless that very record is listed there.
  virtual void AddUnitVersion(TModuleInstance Instance, const TUnitVersionInfo* Info);
  // Frees the last module item of Instance, then tells every provider.
  virtual void RemoveModule(TModuleInstance Instance);

  int ModuleCount();
  TUnitVersioningModule* Modules(int Index);
  // Versions counted and indexed across the modules in order; null past
  // the end.
  int Count();
  TUnitVersion* Items(int Index);
  // The first version whose RCSfile equals RCSfile and, unless LogPath is
  // "*", whose LogPath equals LogPath, both without regard to ASCII case;
  // -1 or null when none.
  int IndexOf(fw::StringView RCSfile, fw::StringView LogPath = u"*");
  TUnitVersion* FindUnit(fw::StringView RCSfile, fw::StringView LogPath = u"*");

  // One provider of class T, unless one of exactly that class is present.
  template <class T>
  void RegisterProvider() {
    for (const auto& p : FProviders) {
      const TCustomUnitVersioningProvider& provider = *p;
      if (typeid(provider) == typeid(T)) return;
    }
    FProviders.push_back(std::make_unique<T>());
  }
  void LoadModuleUnitVersioningInfo(TModuleInstance Instance);

 private:
  void ValidateModules();
  std::function<bool(TModuleInstance)> FModuleLoaded;
  std::vector<std::unique_ptr<TUnitVersioningModule>> FModules;
  std::vector<std::unique_ptr<TCustomUnitVersioningProvider>> FProviders;
};

}  // namespace services
