#include "services/core/appinistorage.h"

#include <functional>

#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "services/core/extended.h"
#include "services/core/filehistory.h"
#include "services/core/mime.h"
#include "services/core/pathutils.h"
#include "services/core/textutils.h"

namespace services {

namespace {

const char16_t kSynchronizePrefix[] = u"TCkCustomAppStorage.Synchronize:";

// A drive root or a "\\" start: such names are not joined to a folder.
bool HasDriveOrShareRoot(const String& p) {
  if (p.size() >= 2 && p[0] == u'\\' && p[1] == u'\\') return true;
  return p.size() > 2 && ((p[0] | 0x20) >= u'a' && (p[0] | 0x20) <= u'z') && p[1] == u':' && p[2] == u'\\';
}

String WithoutTrailingBackslash(String s) {
  while (s.size() > 1 && s.back() == u'\\' && !(s.size() == 3 && s[1] == u':')) s.pop_back();
  return s;
}

bool StartsWithNoCase(const String& s, const String& prefix) {
  return s.size() >= prefix.size() && fw::AnsiCompareText(StringView(s).substr(0, prefix.size()), prefix) == 0;
}

bool SameNoCase(const String& a, const String& b) { return a.size() == b.size() && fw::AnsiCompareText(a, b) == 0; }

// Decimal integers only: the file never holds another form.
int DecimalToInt(const String& text) {
  const String t = fw::Trim(text);
  size_t i = (!t.empty() && (t[0] == u'-' || t[0] == u'+')) ? 1 : 0;
  int64_t v = 0;
  bool ok = i < t.size();
  for (; ok && i < t.size(); ++i) {
    ok = t[i] >= u'0' && t[i] <= u'9';
    v = v * 10 + (t[i] - u'0');
    ok = ok && v <= 2147483648LL;
  }
  if (ok && t[0] == u'-') v = -v;
  if (!ok || v > 2147483647LL) throw fw::EConvertError(u"'" + text + u"' is not a valid integer value");
  return static_cast<int>(v);
}

bool IsValidUtf8(const std::vector<uint8_t>& b, size_t from) {
  for (size_t i = from; i < b.size();) {
    const uint8_t c = b[i];
    size_t n;
    if (c < 0x80) n = 0;
    else if ((c >> 5) == 6) n = 1;
    else if ((c >> 4) == 14) n = 2;
    else if ((c >> 3) == 30) n = 3;
    else return false;
    if (i + n >= b.size()) return false;  // cut in the middle of a character
    for (size_t k = 1; k <= n; ++k)
      if ((b[i + k] & 0xC0) != 0x80) return false;
    i += n + 1;
  }
  return true;
}

// Why the decoded file is not INI text, or empty when it is.
String DamageOf(const std::vector<uint8_t>& bytes, fw::TIniEncoding encoding, const String& text) {
  if ((encoding == fw::TIniEncoding::Utf16LE || encoding == fw::TIniEncoding::Utf16BE) && bytes.size() % 2)
    return u"it ends in the middle of a character";
  if (encoding == fw::TIniEncoding::Utf8 && !IsValidUtf8(bytes, 3)) return u"it is not UTF-8 text";
  for (char16_t c : text)
    if (c < 0x20 && c != u'\t' && c != u'\r' && c != u'\n') return u"it is not text";
  size_t p = 0;
  while (p <= text.size()) {
    size_t e = text.find_first_of(u"\r\n", p);
    if (e == String::npos) e = text.size();
    const String line = fw::Trim(StringView(text).substr(p, e - p));
    if (!line.empty() && line[0] == u'[' && line.back() != u']') return u"a section name is not closed";
    p = e + 1;
  }
  return String();
}

}  // namespace

// ---- Options ----------------------------------------------------------------

void TCkAppFileStorageOptions::Assign(fw::TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkAppFileStorageOptions*>(Source)) {
    SetBackupType(s->BackupType());
    SetBackupKeepFileAfterFlush(s->BackupKeepFileAfterFlush());
  }
  TCkCustomAppStorageOptions::Assign(Source);
}

TCkAppIniStorageOptions::TCkAppIniStorageOptions() { SetFloatAsString(false); }

void TCkAppIniStorageOptions::Assign(fw::TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkAppIniStorageOptions*>(Source)) {
    SetReplaceCRLF(s->ReplaceCRLF());
    SetPreserveLeadingTrailingBlanks(s->PreserveLeadingTrailingBlanks());
  }
  TCkAppFileStorageOptions::Assign(Source);
}

FW_REGISTER(TCkAppFileStorageOptions) {
  using O = TCkAppFileStorageOptions;
  c.Property(u"BackupHistoryCount", &O::BackupHistoryCount, &O::SetBackupHistoryCount).Default(0);
  c.Property(u"BackupHistoryType", &O::BackupHistoryType, &O::SetBackupHistoryType).Default(afsbhtNone);
  c.Property(u"BackupKeepFileAfterFlush", &O::BackupKeepFileAfterFlush, &O::SetBackupKeepFileAfterFlush)
      .Default(false);
  c.Property(u"BackupType", &O::BackupType, &O::SetBackupType).Default(afsbtNone);
}

FW_REGISTER(TCkAppIniStorageOptions) {
  using O = TCkAppIniStorageOptions;
  c.Property(u"ReplaceCRLF", &O::ReplaceCRLF, &O::SetReplaceCRLF).Default(false);
  c.Property(u"PreserveLeadingTrailingBlanks", &O::PreserveLeadingTrailingBlanks,
             &O::SetPreserveLeadingTrailingBlanks)
      .Default(false);
}

// ---- File storage -------------------------------------------------------------

TCkCustomAppMemoryFileStorage::TCkCustomAppMemoryFileStorage(fw::TComponent* AOwner) : TCkCustomAppStorage(AOwner) {
  SetOptionsObject(std::make_unique<TCkAppFileStorageOptions>());
}

bool TCkCustomAppMemoryFileStorage::Loading() const { return ComponentState().Contains(fw::csLoading); }

String TCkCustomAppMemoryFileStorage::SynchronizeLockName(const String& FileName) {
  const std::string text = fw::StringToUtf8(kSynchronizePrefix + FileName);
  String name = MimeEncodeStringNoCRLF(TBytes(text.begin(), text.end()));
  // Kernel object names end at MAX_PATH: a long one keeps its start and a
  // hash of the whole.
  if (name.size() > 240) {
    uint64_t h = 14695981039346656037ULL;
    for (char c : text) h = (h ^ static_cast<uint8_t>(c)) * 1099511628211ULL;
    name = name.substr(0, 224) + fw::IntToHex(h, 16);
  }
  return name;
}

template <class F>
void TCkCustomAppMemoryFileStorage::Synchronized(F Action) {
  if (!SynchronizeFlushReload()) {
    Action();
    return;
  }
  std::unique_ptr<TCkNamedLock> lock = StorageFileSystem().OpenNamedLock(SynchronizeLockName(FFullFileName));
  if (!lock || !lock->Acquire())
    throw ECKAppStorageError(String(kSynchronizePrefix) + FFullFileName + u": Mutex Timeout");
  try {
    Action();
  } catch (...) {
    lock->Release();
    throw;
  }
  lock->Release();
}

String TCkCustomAppMemoryFileStorage::ResolveFileName() {
  String name = ActiveTranslateStringEngine()->TranslateString(FFileName);
  if (FOnGetFileName) FOnGetFileName(this, name);
  return name;
}

void TCkCustomAppMemoryFileStorage::RecomputeFullFileName() {
  TCkStorageFileSystem& fs = StorageFileSystem();
  if (FFileName.empty() && FLocation != flCustom) {
    FFullFileName.clear();
  } else {
    const String t = ActiveTranslateStringEngine()->TranslateString(FFileName);
    const String n = fw::ExtractFileName(t);
    const String r = HasDriveOrShareRoot(t) ? n : t;
    switch (FLocation) {
      case flCustom: FFullFileName = ResolveFileName(); break;
      case flWindows: FFullFileName = WithoutTrailingBackslash(fs.WindowsFolder()) + u"\\" + n; break;
      case flTemp: FFullFileName = WithoutTrailingBackslash(fs.TempFolder()) + u"\\" + n; break;
      case flExeFile: FFullFileName = fw::ExtractFilePath(fs.ExeFileName()) + n; break;
      case flUserFolder: FFullFileName = WithoutTrailingBackslash(fs.AppDataFolder()) + u"\\" + r; break;
    }
  }
  FPhysicalReadOnly = !FFullFileName.empty() && fs.FileExists(FFullFileName) && fs.IsReadOnly(FFullFileName);
}

void TCkCustomAppMemoryFileStorage::SetFileName(const String& Value) {
  String name = Value;
  if (!name.empty() && fw::ExtractFileExt(name).empty() && !DefaultExtension().empty())
    name += u"." + DefaultExtension();
  if (name == FFileName) return;
  const bool quiet = Loading() || IsUpdating();
  const String oldFull = FFullFileName;
  if (!quiet && !oldFull.empty()) {
    const String keep = FFileName;
    FFileName = name;
    RecomputeFullFileName();
    const bool differs = FFullFileName != oldFull;
    FFileName = keep;
    RecomputeFullFileName();
    if (differs) Flush();
  }
  FFileName = name;
  RecomputeFullFileName();
  if (!quiet) Reload();
}

void TCkCustomAppMemoryFileStorage::SetLocation(TFileLocation Value) {
  if (Value == FLocation) return;
  const bool quiet = Loading() || IsUpdating();
  if (!quiet && !FFullFileName.empty()) Flush();
  FLocation = Value;
  RecomputeFullFileName();
  if (!quiet) Reload();
}

void TCkCustomAppMemoryFileStorage::SetOnGetFileName(const TCkAppStorageGetFileNameEvent& Value) {
  const bool quiet = Loading() || IsUpdating();
  if (!quiet) Flush();
  FOnGetFileName = Value;
  RecomputeFullFileName();
  if (!quiet) Reload();
}

bool TCkCustomAppMemoryFileStorage::ReloadNeeded() const {
  if (IsUpdating()) return false;
  if (FFileLoaded && !AutoReload()) return false;
  fw::TDateTime age;
  if (FFullFileName.empty() || !StorageFileSystem().FileAge(FFullFileName, age))
    return !(FFileLoaded && FFileAge == -1.0);  // still missing: nothing to reload
  return age != FFileAge;
}

void TCkCustomAppMemoryFileStorage::Reload() {
  if (IsUpdating()) return;
  TCkStorageFileSystem& fs = StorageFileSystem();
  FFileLoaded = true;
  FReadFailed = false;
  const bool exists = !FFullFileName.empty() && fs.FileExists(FFullFileName);
  FPhysicalReadOnly = exists && fs.IsReadOnly(FFullFileName);
  fw::TDateTime age;
  FFileAge = exists && fs.FileAge(FFullFileName, age) ? age : -1.0;
  if (!exists) {
    ClearContent();
    return;
  }
  Synchronized([&] {
    try {
      ReadContentFromFile();
    } catch (const ECKAppStorageDamagedFile& e) {
      ClearContent();
      const String backup = BackupFileName(FFullFileName);
      if (fs.MoveReplace(FFullFileName, backup)) {
        FFileAge = -1.0;
        DoError(u"The settings file \"" + FFullFileName + u"\" cannot be read: " + e.Message() +
                u". It was kept as \"" + backup + u"\"; the settings start from their defaults.");
      } else {
        FReadFailed = true;
        DoError(u"The settings file \"" + FFullFileName + u"\" cannot be read: " + e.Message() +
                u". It is left as it is and will not be overwritten.");
      }
    } catch (const fw::Exception& e) {
      ClearContent();
      FReadFailed = true;
      DoError(e.Message());
    }
  });
}

void TCkCustomAppMemoryFileStorage::FlushContent() {
  TCkStorageFileSystem& fs = StorageFileSystem();
  TCkAppFileStorageOptions& o = *FileOptions();
  const String folder = WithoutTrailingBackslash(fw::ExtractFilePath(FFullFileName));
  if (!folder.empty() && !fs.ForceDirectories(folder))
    throw fw::EFCreateError(u"Cannot create the folder \"" + folder + u"\".");
  const String target = FFullFileName;
  const String backup = BackupFileName(target);
  if (o.BackupType() == afsbtCreateBefore && fs.FileExists(target) && !fs.MoveReplace(target, backup))
    throw fw::Exception(u"Unable to rename file \"" + target + u"\" to \"" + backup + u"\".");
  if (o.BackupType() == afsbtRenameAfter) {
    const String name = FFileName;
    FFileName = name + u".tmp";
    RecomputeFullFileName();
    try {
      WriteContentToFile();
      if (fs.FileExists(target) && !fs.MoveReplace(target, backup))
        throw fw::Exception(u"Unable to rename file \"" + target + u"\" to \"" + backup + u"\".");
      if (!fs.MoveReplace(FFullFileName, target))
        throw fw::Exception(u"Unable to rename file \"" + FFullFileName + u"\" to \"" + target + u"\".");
    } catch (...) {
      FFileName = name;
      RecomputeFullFileName();
      throw;
    }
    FFileName = name;
    RecomputeFullFileName();
  } else {
    WriteContentToFile();
  }
  if (o.BackupHistoryCount() > 0 && o.BackupHistoryType() != afsbhtNone) {
    static const double kAge[] = {0,        0,       1.0 / 1440, 1.0 / 96, 1.0 / 24, 1.0 / 6,
                                  0.5,      1,       3,          7,        30};
    KeepFileHistory(fs, target, String(), o.BackupHistoryCount(), true, fs.Now() - kAge[o.BackupHistoryType()]);
  }
  if (o.BackupType() != afsbtNone && !o.BackupKeepFileAfterFlush()) fs.RemoveFile(backup);
  fw::TDateTime age;
  if (fs.FileAge(target, age)) FFileAge = age;
}

void TCkCustomAppMemoryFileStorage::Flush() {
  if (FFullFileName.empty() || ReadOnly()) return;
  if (FReadFailed) {
    DoError(u"The settings file \"" + FFullFileName + u"\" could not be read, so it is not overwritten.");
    return;
  }
  try {
    Synchronized([&] { FlushContent(); });
  } catch (const fw::Exception& e) {
    DoError(e.Message());
  }
}

FW_REGISTER(TCkCustomAppMemoryFileStorage) {
  using S = TCkCustomAppMemoryFileStorage;
  c.Property(u"FileName", &S::FileName, &S::SetFileName);
  c.Property(u"Location", &S::Location, &S::SetLocation).Default(flExeFile);
  c.Property(u"OnGetFileName", &S::OnGetFileName, &S::SetOnGetFileName);
}

// ---- INI back end ----------------------------------------------------------------

TCkCustomAppIniStorage::TCkCustomAppIniStorage(fw::TComponent* AOwner) : TCkCustomAppMemoryFileStorage(AOwner) {
  SetOptionsObject(std::make_unique<TCkAppIniStorageOptions>());
}

TCkCustomAppIniStorage::~TCkCustomAppIniStorage() = default;

String TCkCustomAppIniStorage::EscapeLineBreaks(const String& Value) {
  // Only a text that holds a break, or that would change when read back,
  // is escaped: a plain folder name stays as it is.
  if (Value.find_first_of(u"\r\n") == String::npos && UnescapeLineBreaks(Value) == Value) return Value;
  String out;
  for (size_t i = 0; i < Value.size(); ++i) {
    char16_t c = Value[i];
    if (c == u'\\') {
      out += u"\\\\";
    } else if (c == u'\r' || c == u'\n') {
      out += u"\\n";
      if (c == u'\r' && i + 1 < Value.size() && Value[i + 1] == u'\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

String TCkCustomAppIniStorage::UnescapeLineBreaks(const String& Value) {
  String out;
  for (size_t i = 0; i < Value.size(); ++i) {
    if (Value[i] == u'\\' && i + 1 < Value.size() && (Value[i + 1] == u'\\' || Value[i + 1] == u'n')) {
      out += Value[i + 1] == u'\\' ? u"\\" : u"\r\n";
      ++i;
    } else {
      out.push_back(Value[i]);
    }
  }
  return out;
}

String TCkCustomAppIniStorage::QuoteBlanks(const String& Value) {
  if (Value.empty()) return Value;
  const bool blank = Value.front() == u' ' || Value.back() == u' ';
  const bool quoted = Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"';
  return blank || quoted ? u"\"" + Value + u"\"" : Value;
}

String TCkCustomAppIniStorage::UnquoteBlanks(const String& Value) {
  if (Value.size() >= 2 && Value.front() == u'"' && Value.back() == u'"') return Value.substr(1, Value.size() - 2);
  return Value;
}

String TCkCustomAppIniStorage::ResolveSection(const String& Section) const {
  String s = Section;
  if (s.empty() || s[0] == u'.') s = FDefaultSection + s;
  if (s.empty() || s[0] == u'.') throw ECKAppStorageError(u"TCkAppIniFileStorage.ReadValue: Section undefined");
  return s;
}

void TCkCustomAppIniStorage::SplitValuePath(const String& Path, String& Key, String& ValueName) {
  TCkCustomAppStorage::SplitValuePath(Path, Key, ValueName);
  if (Key.empty()) Key = FDefaultSection;
}

String TCkCustomAppIniStorage::ReadValue(const String& Section, const String& Key) {
  ReloadIfNeeded();
  String v = FIniFile.ReadString(ResolveSection(Section), Key, String());
  if (IniOptions()->ReplaceCRLF()) v = UnescapeLineBreaks(v);
  if (IniOptions()->PreserveLeadingTrailingBlanks()) v = UnquoteBlanks(v);
  return v;
}

void TCkCustomAppIniStorage::WriteValue(const String& Section, const String& Key, const String& Value) {
  ReloadIfNeeded();
  const String section = ResolveSection(Section);
  String v = Value;
  // A raw line break would end the value in the file and start a new key or
  // section there: texts with breaks are always escaped.
  if (IniOptions()->ReplaceCRLF() || v.find_first_of(u"\r\n") != String::npos) v = EscapeLineBreaks(v);
  if (IniOptions()->PreserveLeadingTrailingBlanks()) v = QuoteBlanks(v);
  FIniFile.WriteString(section, Key, v);
  FlushIfNeeded();
}

void TCkCustomAppIniStorage::RemoveKey(const String& Section, const String& Key) {
  ReloadIfNeeded();
  FIniFile.DeleteKey(ResolveSection(Section), Key);
  FlushIfNeeded();
}

bool TCkCustomAppIniStorage::CheckValueStored(const String& Path) {
  String section, key;
  SplitValuePath(Path, section, key);
  ReloadIfNeeded();
  return FIniFile.ValueExists(ResolveSection(section), key);
}

bool TCkCustomAppIniStorage::CheckPathExists(const String& Path) {
  ReloadIfNeeded();
  return FIniFile.SectionExists(GetAbsPath(Path));
}

bool TCkCustomAppIniStorage::SectionHasList(const String& Section) { return FIniFile.ValueExists(Section, u"Count"); }

bool TCkCustomAppIniStorage::CheckIsFolder(const String& Path, bool ListIsValue) {
  ReloadIfNeeded();
  String s = GetAbsPath(Path);
  if (s.empty()) s = FDefaultSection;
  if (FIniFile.SectionExists(s)) {
    if (ListIsValue && SectionHasList(s)) {
      fw::TStringList values;
      ListValues(u"\\" + s, &values, true);
      return values.Count() >= 2;
    }
    return true;
  }
  const String prefix = s + u"\\";
  for (const auto& sec : FIniFile.Sections())
    if (StartsWithNoCase(sec.name, prefix)) return true;
  return false;
}

void TCkCustomAppIniStorage::ListFolders(const String& Path, fw::TStrings* Strings, bool ReportListAsValue) {
  if (!Strings) return;
  ReloadIfNeeded();
  const String k = GetAbsPath(Path);
  const String prefix = k + u"\\";
  Strings->BeginUpdate();
  Strings->Clear();
  for (const auto& sec : FIniFile.Sections()) {
    if (!k.empty() && !StartsWithNoCase(sec.name, prefix)) continue;
    if (k.empty() && SameNoCase(sec.name, FDefaultSection)) continue;
    if (ReportListAsValue && SectionHasList(sec.name)) continue;
    String rest = k.empty() ? sec.name : sec.name.substr(prefix.size());
    size_t bs = rest.find(u'\\');
    if (bs != String::npos) rest.resize(bs);
    if (Strings->IndexOf(rest) < 0) Strings->Add(rest);
  }
  Strings->EndUpdate();
}

void TCkCustomAppIniStorage::ListValues(const String& Path, fw::TStrings* Strings, bool ReportListAsValue) {
  if (!Strings) return;
  ReloadIfNeeded();
  String k = GetAbsPath(Path);
  if (k.empty()) k = FDefaultSection;
  Strings->BeginUpdate();
  Strings->Clear();
  const bool list = ReportListAsValue && SectionHasList(k);
  for (const String& key : FIniFile.Keys(k)) {
    if (list && (SameNoCase(key, u"Count") ||
                 (key.size() > 4 && StartsWithNoCase(key, u"Item") && key[4] >= u'0' && key[4] <= u'9')))
      continue;
    Strings->Add(key);
  }
  if (list) Strings->Add(String());
  Strings->EndUpdate();
}

void TCkCustomAppIniStorage::RemoveValue(const String& Path) {
  String section, key;
  SplitValuePath(Path, section, key);
  ReloadIfNeeded();
  section = ResolveSection(section);
  if (FIniFile.ValueExists(section, key)) FIniFile.DeleteKey(section, key);
  else if (FIniFile.SectionExists(section + u"\\" + key)) FIniFile.EraseSection(section + u"\\" + key);
  FlushIfNeeded();
}

void TCkCustomAppIniStorage::RemoveSubTree(const String& Path) {
  if (AutoReload() && !IsUpdating()) Reload();
  const String k = GetAbsPath(Path);
  const String prefix = k + u"\\";
  FIniFile.EraseSectionsIf([&](StringView name) {
    const String n(name);
    return k.empty() || SameNoCase(n, k) || StartsWithNoCase(n, prefix);
  });
  FlushIfNeeded();
}

int TCkCustomAppIniStorage::RawReadInteger(const String& Path, int Default) {
  String section, key;
  SplitValuePath(Path, section, key);
  if (!CheckValueStored(Path)) return Default;
  const String text = fw::Trim(ReadValue(section, key));
  return text.empty() ? 0 : DecimalToInt(text);
}

void TCkCustomAppIniStorage::RawWriteInteger(const String& Path, int Value) {
  String section, key;
  SplitValuePath(Path, section, key);
  WriteValue(section, key, fw::IntToStr(Value));
}

double TCkCustomAppIniStorage::RawReadFloat(const String& Path, double Default) {
  String section, key;
  SplitValuePath(Path, section, key);
  if (!CheckValueStored(Path)) return Default;
  const String text = ReadValue(section, key);
  if ((text.size() + 1) / 2 != 10) return Default;
  TExtendedBytes bytes{};
  HexToBytes(text, bytes.data(), bytes.size());
  return ExtendedToDouble(bytes);
}

void TCkCustomAppIniStorage::RawWriteFloat(const String& Path, double Value) {
  String section, key;
  SplitValuePath(Path, section, key);
  const TExtendedBytes bytes = DoubleToExtended(Value);
  String text;
  BytesToHex(bytes.data(), bytes.size(), text);
  WriteValue(section, key, text);
}

String TCkCustomAppIniStorage::RawReadString(const String& Path, const String& Default) {
  String section, key;
  SplitValuePath(Path, section, key);
  return CheckValueStored(Path) ? ReadValue(section, key) : Default;
}

void TCkCustomAppIniStorage::RawWriteString(const String& Path, const String& Value) {
  String section, key;
  SplitValuePath(Path, section, key);
  WriteValue(section, key, Value);
}

int TCkCustomAppIniStorage::RawReadBinary(const String& Path, void* Buf, int BufSize) {
  String section, key;
  SplitValuePath(Path, section, key);
  if (!CheckValueStored(Path) || BufSize <= 0) return 0;
  return HexToBytes(ReadValue(section, key), static_cast<uint8_t*>(Buf), static_cast<size_t>(BufSize));
}

void TCkCustomAppIniStorage::RawWriteBinary(const String& Path, const void* Buf, int BufSize) {
  String section, key;
  SplitValuePath(Path, section, key);
  String text;
  if (BufSize > 0) BytesToHex(static_cast<const uint8_t*>(Buf), static_cast<size_t>(BufSize), text);
  WriteValue(section, key, text);
}

FW_REGISTER(TCkCustomAppIniStorage) {
  c.Property(u"DefaultSection", &TCkCustomAppIniStorage::DefaultSection, &TCkCustomAppIniStorage::SetDefaultSection);
}

// ---- The INI file storage ---------------------------------------------------------

TCkAppIniFileStorage::TCkAppIniFileStorage(fw::TComponent* AOwner) : TCkCustomAppIniStorage(AOwner) {}

TCkAppIniFileStorage::~TCkAppIniFileStorage() { FlushOnceOnDestroy(); }

void TCkAppIniFileStorage::ClearContent() {
  FIniFile.Clear();
  FEncoding = fw::TIniEncoding::Utf8;
}

void TCkAppIniFileStorage::ReadContentFromFile() {
  TCkStorageFileSystem& fs = StorageFileSystem();
  const std::vector<uint8_t> bytes = fs.ReadFile(FullFileName());
  fw::TIniEncoding encoding;
  const String text = fw::TIniDocument::DecodeBytes(bytes, encoding, fs.AnsiCodec());
  const String damage = DamageOf(bytes, encoding, text);
  if (!damage.empty()) throw ECKAppStorageDamagedFile(damage);
  FIniFile.SetText(text);
  FEncoding = encoding;
}

void TCkAppIniFileStorage::WriteContentToFile() {
  TCkStorageFileSystem& fs = StorageFileSystem();
  const String text = FIniFile.GetText();
  std::vector<uint8_t> bytes = fw::TIniDocument::EncodeBytes(text, FEncoding, fs.AnsiCodec());
  if (FEncoding == fw::TIniEncoding::Ansi) {
    // Text the code page cannot hold would be lost: such a file turns UTF-8.
    fw::TIniEncoding found;
    if (fw::TIniDocument::DecodeBytes(bytes, found, fs.AnsiCodec()) != text) {
      FEncoding = fw::TIniEncoding::Utf8;
      bytes = fw::TIniDocument::EncodeBytes(text, FEncoding, fs.AnsiCodec());
    }
  }
  const String target = FullFileName();
  const String temp = target + u".tmp";
  try {
    fs.WriteFile(temp, bytes);
  } catch (...) {
    fs.RemoveFile(temp);
    throw;
  }
  if (!fs.MoveReplace(temp, target)) {
    fs.RemoveFile(temp);
    throw fw::EWriteError(u"Cannot replace the file \"" + target + u"\".");
  }
}

FW_REGISTER(TCkAppIniFileStorage) {}

}  // namespace services
