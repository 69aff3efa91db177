// A file of fixed-size records, read and written by record number: the
// storage of the font database. Records are raw bytes of their struct, so a
// record type must be trivially copyable with an exact byte layout.
#pragma once

#include <cstdint>
#include <memory>
#include <type_traits>

#include "fw/core/streams.h"
#include "fw/core/types.h"

namespace app {

// Errors are the framework's stream errors: EFOpenError / EFCreateError when
// opening fails, EReadError / EWriteError for short transfers, EStreamError
// for an operation on a closed file or a seek outside the records.
class TTypedFile {
 public:
  explicit TTypedFile(int recordSize);
  virtual ~TTypedFile();
  TTypedFile(const TTypedFile&) = delete;
  TTypedFile& operator=(const TTypedFile&) = delete;

  // Binds the file name; a file still open is closed first.
  void AssignFile(const fw::String& fileName);
  const fw::String& FileName() const { return fileName_; }
  int RecordSize() const { return recordSize_; }

  // Opens the existing file for reading and writing, at record 0.
  void Reset();
  // Creates the file, or empties an existing one, at record 0.
  void Rewrite();
  // Closes the file; nothing happens when it is not open.
  void CloseFile();
  bool IsOpen() const { return stream_ != nullptr; }

  // Number of whole records; bytes of a trailing partial record don't count.
  int64_t FileSize();
  int64_t FilePos() const;
  bool Eof();
  // Moves to a record from 0 to FileSize (FileSize is the end).
  void Seek(int64_t record);
  // Cuts the file at the current record.
  void Truncate();

  void ReadRecord(void* record);
  void WriteRecord(const void* record);

 private:
  fw::TFileStream& Stream() const;

  int recordSize_;
  fw::String fileName_;
  std::unique_ptr<fw::TFileStream> stream_;
  int64_t pos_ = 0;  // in records
};

template <class T>
class TFileOf : public TTypedFile {
  static_assert(std::is_trivially_copyable_v<T> && std::is_standard_layout_v<T>);

 public:
  TFileOf() : TTypedFile(static_cast<int>(sizeof(T))) {}
  void Read(T& record) { ReadRecord(&record); }
  void Write(const T& record) { WriteRecord(&record); }
};

}  // namespace app
