// The file-backed settings storage and its INI back end. The whole content
// lives in memory; the file is read when its name is set (and again when it
// changed, with AutoReload) and written by Flush: explicitly, at the end of
// an update bracket or after a write with AutoFlush, and when the storage
// goes with FlushOnDestroy. A flush writes a temporary file beside the
// target and moves it over the target; a file that is not readable INI text
// is reported through OnError, kept under its backup name and replaced by
// an empty document.
#pragma once

#include "fw/core/inidocument.h"
#include "services/core/appstorage.h"
#include "services/core/storagefiles.h"

namespace services {

FW_ENUM(TFileLocation, flCustom, flWindows, flTemp, flExeFile, flUserFolder)
FW_ENUM(TCkAppFileStorageBackupType, afsbtNone, afsbtCreateBefore, afsbtRenameAfter)
FW_ENUM(TCkAppFileStorageBackupHistoryType, afsbhtNone, afsbhtAllways, afsbht1Minute, afsbht15Minute, afsbht1Hour,
        afsbht4Hour, afsbht12Hour, afsbht1Day, afsbht3Day, afsbht1Week, afsbht1Month)

using TCkAppStorageGetFileNameEvent = fw::TEvent<void(TCkCustomAppStorage* Sender, String& FileName)>;

class TCkAppFileStorageOptions : public TCkCustomAppStorageOptions {
  FW_CLASS(TCkAppFileStorageOptions, TCkCustomAppStorageOptions)
  TCkAppFileStorageOptions() = default;

  int BackupHistoryCount() const { return FBackupHistoryCount; }
  void SetBackupHistoryCount(int Value) { FBackupHistoryCount = Value; }
  TCkAppFileStorageBackupHistoryType BackupHistoryType() const { return FBackupHistoryType; }
  void SetBackupHistoryType(TCkAppFileStorageBackupHistoryType Value) { FBackupHistoryType = Value; }
  TCkAppFileStorageBackupType BackupType() const { return FBackupType; }
  void SetBackupType(TCkAppFileStorageBackupType Value) { FBackupType = Value; }
  bool BackupKeepFileAfterFlush() const { return FBackupKeepFileAfterFlush; }
  void SetBackupKeepFileAfterFlush(bool Value) { FBackupKeepFileAfterFlush = Value; }

  void Assign(fw::TPersistent* Source) override;

 private:
  int FBackupHistoryCount = 0;
  TCkAppFileStorageBackupHistoryType FBackupHistoryType = afsbhtNone;
  TCkAppFileStorageBackupType FBackupType = afsbtNone;
  bool FBackupKeepFileAfterFlush = false;
};

class TCkAppIniStorageOptions : public TCkAppFileStorageOptions {
  FW_CLASS(TCkAppIniStorageOptions, TCkAppFileStorageOptions)
  TCkAppIniStorageOptions();

  bool ReplaceCRLF() const { return FReplaceCRLF; }
  virtual void SetReplaceCRLF(bool Value) { FReplaceCRLF = Value; }
  bool PreserveLeadingTrailingBlanks() const { return FPreserveLeadingTrailingBlanks; }
  virtual void SetPreserveLeadingTrailingBlanks(bool Value) { FPreserveLeadingTrailingBlanks = Value; }

  void Assign(fw::TPersistent* Source) override;

 private:
  bool FReplaceCRLF = false;
  bool FPreserveLeadingTrailingBlanks = false;
};

class TCkCustomAppMemoryFileStorage : public TCkCustomAppStorage {
  FW_CLASS(TCkCustomAppMemoryFileStorage, TCkCustomAppStorage)
  explicit TCkCustomAppMemoryFileStorage(fw::TComponent* AOwner);

  const String& FullFileName() const { return FFullFileName; }
  const String& FileName() const { return FFileName; }
  void SetFileName(const String& Value);
  TFileLocation Location() const { return FLocation; }
  void SetLocation(TFileLocation Value);
  const TCkAppStorageGetFileNameEvent& OnGetFileName() const { return FOnGetFileName; }
  void SetOnGetFileName(const TCkAppStorageGetFileNameEvent& Value);
  String AsString() { return ReadAsString(); }
  void SetAsString(const String& Value) { WriteAsString(Value); }
  TCkAppFileStorageOptions* FileOptions() const { return static_cast<TCkAppFileStorageOptions*>(StorageOptions()); }

  void Flush() override;
  void Reload() override;
  bool ReloadNeeded() const override;

  // The name of the named lock that guards flush and reload of FileName.
  static String SynchronizeLockName(const String& FileName);

 protected:
  bool IsPhysicallyReadOnly() const override { return FPhysicalReadOnly; }
  virtual String ReadAsString() = 0;
  virtual void WriteAsString(const String& Value) = 0;
  virtual String DefaultExtension() const { return String(); }
  virtual String ResolveFileName();
  virtual void ClearContent() = 0;
  virtual void WriteContentToFile() = 0;
  // Raises ECKAppStorageDamagedFile for content that is not readable text.
  virtual void ReadContentFromFile() = 0;
  bool Loading() const;
  void RecomputeFullFileName();
  // Runs Action under the named lock when SynchronizeFlushReload.
  template <class F>
  void Synchronized(F Action);

 private:
  void FlushContent();

  String FFullFileName;
  String FFileName;
  TFileLocation FLocation = flExeFile;
  TCkAppStorageGetFileNameEvent FOnGetFileName;
  bool FPhysicalReadOnly = false;
  bool FFileLoaded = false;
  fw::TDateTime FFileAge = -1.0;
  // The file exists but could not be read: it is never overwritten.
  bool FReadFailed = false;
};

// The content of a settings file is not readable INI text.
class ECKAppStorageDamagedFile : public ECKAppStorageError {
 public:
  using ECKAppStorageError::ECKAppStorageError;
};

class TCkCustomAppIniStorage : public TCkCustomAppMemoryFileStorage {
  FW_CLASS(TCkCustomAppIniStorage, TCkCustomAppMemoryFileStorage)
  explicit TCkCustomAppIniStorage(fw::TComponent* AOwner);
  ~TCkCustomAppIniStorage() override;

  fw::TIniDocument& IniFile() { return FIniFile; }
  const String& DefaultSection() const { return FDefaultSection; }
  void SetDefaultSection(const String& Value) { FDefaultSection = Value; }
  fw::TIniEncoding Encoding() const { return FEncoding; }
  void SetEncoding(fw::TIniEncoding Value) { FEncoding = Value; }
  TCkAppIniStorageOptions* IniOptions() const { return static_cast<TCkAppIniStorageOptions*>(StorageOptions()); }

  void SplitValuePath(const String& Path, String& Key, String& ValueName) override;
  void ListFolders(const String& Path, fw::TStrings* Strings, bool ReportListAsValue = true) override;
  void ListValues(const String& Path, fw::TStrings* Strings, bool ReportListAsValue = true) override;
  bool CheckIsFolder(const String& Path, bool ListIsValue = true) override;
  bool CheckPathExists(const String& Path) override;
  bool CheckValueStored(const String& Path) override;
  void RemoveValue(const String& Path) override;
  void RemoveSubTree(const String& Path) override;

  // The INI primitives every raw operation uses.
  virtual String ReadValue(const String& Section, const String& Key);
  virtual void WriteValue(const String& Section, const String& Key, const String& Value);
  virtual void RemoveKey(const String& Section, const String& Key);

  // Text forms of values with line breaks and surrounding blanks.
  static String EscapeLineBreaks(const String& Value);
  static String UnescapeLineBreaks(const String& Value);
  static String QuoteBlanks(const String& Value);
  static String UnquoteBlanks(const String& Value);

 protected:
  int RawReadInteger(const String& Path, int Default) override;
  void RawWriteInteger(const String& Path, int Value) override;
  double RawReadFloat(const String& Path, double Default) override;
  void RawWriteFloat(const String& Path, double Value) override;
  String RawReadString(const String& Path, const String& Default) override;
  void RawWriteString(const String& Path, const String& Value) override;
  int RawReadBinary(const String& Path, void* Buf, int BufSize) override;
  void RawWriteBinary(const String& Path, const void* Buf, int BufSize) override;
  String ReadAsString() override { return FIniFile.GetText(); }
  void WriteAsString(const String& Value) override { FIniFile.SetText(Value); }
  String DefaultExtension() const override { return u"ini"; }
  // Section of a path: empty or starting with "." gets DefaultSection in
  // front; "TCkAppIniFileStorage.ReadValue: Section undefined" when that
  // leaves it empty or starting with ".".
  String ResolveSection(const String& Section) const;

  fw::TIniDocument FIniFile;
  // New documents are written as UTF-8 with its byte-order mark.
  fw::TIniEncoding FEncoding = fw::TIniEncoding::Utf8;

 private:
  bool SectionHasList(const String& Section);
  String FDefaultSection;
};

class TCkAppIniFileStorage : public TCkCustomAppIniStorage {
  FW_CLASS(TCkAppIniFileStorage, TCkCustomAppIniStorage)
  explicit TCkAppIniFileStorage(fw::TComponent* AOwner);
  ~TCkAppIniFileStorage() override;

 protected:
  void ClearContent() override;
  void WriteContentToFile() override;
  void ReadContentFromFile() override;
};

}  // namespace services
