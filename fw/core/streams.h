// Byte streams: the abstract stream, memory and file streams. The resource
// stream lives in the Windows layer.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

#include "fw/core/types.h"

namespace fw {

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
 public:
  virtual ~TStream() = default;
  // Reads up to count bytes; returns the number read (0 at the end).
  virtual int64_t Read(void* buffer, int64_t count) = 0;
  // Writes count bytes; returns the number written.
  virtual int64_t Write(const void* buffer, int64_t count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
  void SetPosition(int64_t p) { Seek(p, TSeekOrigin::soBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t size);

  // Exact transfers: raise EReadError / EWriteError when short.
  void ReadBuffer(void* buffer, int64_t count);
  void WriteBuffer(const void* buffer, int64_t count);
  // Copies count bytes from source (all of it from its start when count is 0).
  int64_t CopyFrom(TStream& source, int64_t count);
};

class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  explicit TMemoryStream(std::vector<uint8_t> data) : FData(std::move(data)) {}
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(FData.size()); }
  void SetSize(int64_t size) override;
  void Clear();
  const uint8_t* Memory() const { return FData.data(); }
  uint8_t* Memory() { return FData.data(); }
  const std::vector<uint8_t>& Bytes() const { return FData; }
  void LoadFromStream(TStream& s);
  void LoadFromFile(const String& fileName);
  void SaveToStream(TStream& s);
  void SaveToFile(const String& fileName);

 private:
  std::vector<uint8_t> FData;
  int64_t FPos = 0;
};

// Open modes as the framework names them.
enum : uint16_t {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,
};

class TFileStream : public TStream {
 public:
  // Raises EFOpenError / EFCreateError naming the file.
  TFileStream(const String& fileName, uint16_t mode);
  ~TFileStream() override;
  TFileStream(const TFileStream&) = delete;
  TFileStream& operator=(const TFileStream&) = delete;
  int64_t Read(void* buffer, int64_t count) override;
  int64_t Write(const void* buffer, int64_t count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t size) override;
  const String& FileName() const { return FFileName; }

 private:
  String FFileName;
  std::FILE* FFile = nullptr;
};

// Text encodings of files and streams. UTF8 and Unicode (UTF-16 LE) write
// their byte-order mark; UTF8NoBOM does not.
enum class TEncoding { ANSI, UTF8, UTF8NoBOM, Unicode };

// The bytes of text in an encoding, byte-order mark first where it has one.
std::vector<uint8_t> EncodeText(StringView text, TEncoding encoding);
// Decodes bytes whose encoding a byte-order mark names (UTF-8, UTF-16 LE),
// else as fallback. found, when given, receives the encoding used.
String DecodeText(const uint8_t* data, size_t size, TEncoding fallback, TEncoding* found = nullptr);

// Whole-file helpers used by tests and small readers.
std::vector<uint8_t> ReadFileBytes(const String& fileName);
void WriteFileBytes(const String& fileName, const std::vector<uint8_t>& data);
bool FileExists(const String& fileName);

}  // namespace fw
