#include "services/core/unitversioning.h"

#include "fw/core/datetime.h"
#include "fw/core/sysutils.h"

namespace services {

namespace {

fw::String TrimmedText(const char16_t* p) { return p ? fw::Trim(p) : fw::String(); }

bool StartsWith(const fw::String& s, fw::StringView prefix) { return fw::StringView(s).starts_with(prefix); }

// The number at 0-based position at with up to count digits; the whole
// field must be a number.
int NumberAt(const fw::String& s, size_t at, size_t count) {
  return fw::StrToInt(at < s.size() ? fw::StringView(s).substr(at, count) : fw::StringView());
}

}  // namespace

fw::String TUnitVersion::RCSfile() const {
  fw::String s = TrimmedText(FInfo->RCSfile);
  if (StartsWith(s, u"$RCSfile: ")) {
    s.erase(0, 10);
    const size_t comma = s.rfind(u',');
    if (comma != fw::String::npos) s.resize(comma);
  }
  if (StartsWith(s, u"$URL: ")) {
    s.erase(0, 6);
    // The closing " $" is not part of the file name.
    if (s.ends_with(u" $")) s.resize(s.size() - 2);
    for (size_t slash; (slash = s.find(u'/')) != fw::String::npos;) s.erase(0, slash + 1);
  }
  return s;
}

fw::String TUnitVersion::Revision() const {
  fw::String s = TrimmedText(FInfo->Revision);
  if (StartsWith(s, u"$Revision: ")) s = s.size() >= 13 ? s.substr(11, s.size() - 13) : fw::String();
  return s;
}

fw::String TUnitVersion::Date() const {
  fw::String s = TrimmedText(FInfo->Date);
  if (StartsWith(s, u"$Date: ")) s = s.size() >= 9 ? s.substr(7, s.size() - 9) : fw::String();
  return s;
}

fw::String TUnitVersion::LogPath() const { return TrimmedText(FInfo->LogPath); }
fw::String TUnitVersion::Extra() const { return TrimmedText(FInfo->Extra); }

fw::String TUnitVersion::Summary() const {
  fw::String s = LogPath() + u'\t' + RCSfile() + u'\t' + Revision() + u'\t' + Date();
  const fw::String extra = Extra();
  if (!extra.empty()) s += u'\t' + extra;
  return s;
}

fw::TDateTime TUnitVersion::DateTime() const {
  const fw::String s = Date();
  size_t sep = s.find(u'/');
  if (sep == fw::String::npos) sep = s.find(u'-');
  int year, month, day;
  if (sep == 4) {
    year = NumberAt(s, 0, 4);
    month = NumberAt(s, 5, 2);
    day = NumberAt(s, 8, 2);
  } else if (sep != fw::String::npos) {
    month = NumberAt(s, 0, 2);
    day = NumberAt(s, 3, 2);
    year = NumberAt(s, 6, 4);
  } else if (s.find(u'.') != fw::String::npos) {
    day = NumberAt(s, 0, 2);
    month = NumberAt(s, 3, 2);
    year = NumberAt(s, 6, 4);
  } else {
    return 0;
  }
  fw::TDateTime result = fw::EncodeDate(year, month, day);
  const size_t blank = s.find(u' ');
  if (blank == fw::String::npos) return result;
  const fw::String time = fw::Trim(fw::StringView(s).substr(blank + 1));
  if (time.empty()) return result;
  const char16_t tsep = time.find(u':') != fw::String::npos ? u':' : u'/';
  int parts[3] = {0, 0, 0};
  size_t at = 0;
  for (int i = 0; i < 3 && at <= time.size(); ++i) {
    size_t end = time.find(tsep, at);
    if (end == fw::String::npos) end = time.size();
    parts[i] = fw::StrToInt(fw::StringView(time).substr(at, end - at));
    at = end + 1;
  }
  return result + fw::EncodeTime(parts[0], parts[1], parts[2], 0);
}

void TUnitVersioningModule::Add(const TUnitVersionInfo* Info) {
  if (IndexOfInfo(Info) < 0) FItems.push_back(std::make_unique<TUnitVersion>(Info));
}

int TUnitVersioningModule::IndexOfInfo(const TUnitVersionInfo* Info) const {
  for (size_t i = 0; i < FItems.size(); ++i)
    if (FItems[i]->Info() == Info) return static_cast<int>(i);
  return -1;
}

TUnitVersioning::TUnitVersioning(std::function<bool(TModuleInstance)> ModuleLoaded)
    : FModuleLoaded(std::move(ModuleLoaded)) {}

TUnitVersioning::~TUnitVersioning() = default;

void TUnitVersioning::AddUnitVersion(TModuleInstance Instance, const TUnitVersionInfo* Info) {
  TUnitVersioningModule* module = nullptr;
  for (const auto& m : FModules)
    if (m->Instance() == Instance) {
      module = m.get();
      break;
    }
  if (!module) {
    FModules.push_back(std::make_unique<TUnitVersioningModule>(Instance));
    module = FModules.back().get();
  }
  module->Add(Info);
}

void TUnitVersioning::RemoveModule(TModuleInstance Instance) {
  for (size_t i = FModules.size(); i-- > 0;)
    if (FModules[i]->Instance() == Instance) {
      FModules.erase(FModules.begin() + static_cast<ptrdiff_t>(i));
      break;
    }
  for (const auto& p : FProviders) p->ReleaseModuleUnitVersioningInfo(Instance);
}

void TUnitVersioning::ValidateModules() {
  if (!FModuleLoaded) return;
  std::erase_if(FModules, [this](const auto& m) { return !FModuleLoaded(m->Instance()); });
}

int TUnitVersioning::ModuleCount() {
  ValidateModules();
  return static_cast<int>(FModules.size());
}

TUnitVersioningModule* TUnitVersioning::Modules(int Index) {
  ValidateModules();
  return Index >= 0 && static_cast<size_t>(Index) < FModules.size() ? FModules[static_cast<size_t>(Index)].get()
                                                                     : nullptr;
}

int TUnitVersioning::Count() {
  ValidateModules();
  int n = 0;
  for (const auto& m : FModules) n += m->Count();
  return n;
}

TUnitVersion* TUnitVersioning::Items(int Index) {
  ValidateModules();
  if (Index < 0) return nullptr;
  for (const auto& m : FModules) {
    if (Index < m->Count()) return m->Items(Index);
    Index -= m->Count();
  }
  return nullptr;
}

int TUnitVersioning::IndexOf(fw::StringView RCSfile, fw::StringView LogPath) {
  ValidateModules();
  int index = 0;
  for (const auto& m : FModules)
    for (int i = 0; i < m->Count(); ++i, ++index) {
      const TUnitVersion* v = m->Items(i);
      if (fw::SameText(v->RCSfile(), RCSfile) && (LogPath == u"*" || fw::SameText(v->LogPath(), LogPath)))
        return index;
    }
  return -1;
}

TUnitVersion* TUnitVersioning::FindUnit(fw::StringView RCSfile, fw::StringView LogPath) {
  const int i = IndexOf(RCSfile, LogPath);
  return i < 0 ? nullptr : Items(i);
}

void TUnitVersioning::LoadModuleUnitVersioningInfo(TModuleInstance Instance) {
  for (const auto& p : FProviders) p->LoadModuleUnitVersioningInfo(Instance);
}

}  // namespace services
