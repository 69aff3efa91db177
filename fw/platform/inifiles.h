// INI files: TIniFile works on the file through the system's profile
// functions; TMemIniFile holds the whole document in memory and writes it
// back on UpdateFile. Section names and keys compare without regard to case.
#pragma once

#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/inidocument.h"
#include "fw/core/strings_list.h"
#include "fw/core/types.h"

namespace fw {

FW_EXCEPTION_CLASS(EIniFileException, Exception)

// Case-insensitive comparison of names as the INI files use it.
bool SameTextIni(StringView a, StringView b);

class TCustomIniFile {
 public:
  explicit TCustomIniFile(String fileName) : FFileName(std::move(fileName)) {}
  virtual ~TCustomIniFile() = default;
  const String& FileName() const { return FFileName; }

  virtual String ReadString(const String& section, const String& ident, const String& def) = 0;
  virtual void WriteString(const String& section, const String& ident, const String& value) = 0;
  virtual std::vector<String> ReadSections() = 0;
  // The keys of one section, in file order.
  virtual std::vector<String> ReadSection(const String& section) = 0;
  virtual void EraseSection(const String& section) = 0;
  virtual void DeleteKey(const String& section, const String& ident) = 0;
  virtual void UpdateFile() = 0;
  virtual bool SectionExists(const String& section);
  // The same lists into a string list, replacing its items.
  void ReadSections(TStrings& list);
  void ReadSection(const String& section, TStrings& list);
  virtual bool ValueExists(const String& section, const String& ident);

  // Decimal integers, "0x"/"$" hexadecimal accepted; unreadable text gives def.
  int ReadInteger(const String& section, const String& ident, int def);
  void WriteInteger(const String& section, const String& ident, int value);
  // Stored as "1" and "0"; reads any integer (non-zero is true).
  bool ReadBool(const String& section, const String& ident, bool def);
  void WriteBool(const String& section, const String& ident, bool value);

 protected:
  String FFileName;
};

class TIniFile : public TCustomIniFile {
 public:
  using TCustomIniFile::TCustomIniFile;
  using TCustomIniFile::ReadSection;
  using TCustomIniFile::ReadSections;
  String ReadString(const String& section, const String& ident, const String& def) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  std::vector<String> ReadSections() override;
  std::vector<String> ReadSection(const String& section) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  // Flushes the system's cached copy of the file.
  void UpdateFile() override;
};

class TMemIniFile : public TCustomIniFile {
 public:
  // Reads the file when it exists; a missing file gives an empty document.
  explicit TMemIniFile(String fileName);
  TMemIniFile(String fileName, TIniEncoding encoding);
  using TCustomIniFile::ReadSection;
  using TCustomIniFile::ReadSections;

  String ReadString(const String& section, const String& ident, const String& def) override;
  void WriteString(const String& section, const String& ident, const String& value) override;
  std::vector<String> ReadSections() override;
  std::vector<String> ReadSection(const String& section) override;
  void EraseSection(const String& section) override;
  void DeleteKey(const String& section, const String& ident) override;
  bool SectionExists(const String& section) override;
  bool ValueExists(const String& section, const String& ident) override;
  // Writes the whole document to FileName in Encoding (with its byte-order
  // mark for the Unicode encodings). Raises EFCreateError when it cannot.
  void UpdateFile() override;

  void Clear() { FDoc.Clear(); }
  TIniEncoding Encoding() const { return FEncoding; }
  void SetEncoding(TIniEncoding e) { FEncoding = e; }
  // Points the document at another file; with reload its content is read
  // from there (empty when the file is missing).
  void Rename(const String& fileName, bool reload);
  // The document as text in its written form, and parsing text into it.
  String GetText() const;
  void SetText(const String& text);

  // Decoding and encoding of file bytes by the rules above (exposed for tests).
  static String DecodeFile(const std::vector<uint8_t>& bytes, TIniEncoding& encoding);
  static std::vector<uint8_t> EncodeFile(const String& text, TIniEncoding encoding);
  // The system ANSI code page, for BOM-less files.
  static const TIniAnsiCodec& SystemAnsiCodec();

 private:
  void LoadFromFile();

  TIniDocument FDoc{&SameTextIni};
  TIniEncoding FEncoding = TIniEncoding::Ansi;
};

}  // namespace fw
