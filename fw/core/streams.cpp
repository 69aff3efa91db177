#include "fw/core/streams.h"

#include <algorithm>
#include <cstring>

#include "fw/core/exceptions.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace fw {

int64_t TStream::Size() {
  int64_t pos = Seek(0, TSeekOrigin::soCurrent);
  int64_t end = Seek(0, TSeekOrigin::soEnd);
  Seek(pos, TSeekOrigin::soBeginning);
  return end;
}

void TStream::SetSize(int64_t) { throw EStreamError(u"Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, int64_t count) {
  if (count > 0 && Read(buffer, count) != count) throw EReadError(u"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
  if (count > 0 && Write(buffer, count) != count) throw EWriteError(u"Stream write error");
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  int64_t done = 0;
  uint8_t buf[65536];
  while (done < count) {
    int64_t n = std::min<int64_t>(sizeof buf, count - done);
    source.ReadBuffer(buf, n);
    WriteBuffer(buf, n);
    done += n;
  }
  return done;
}

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
  if (count <= 0 || FPos >= Size()) return 0;
  int64_t n = std::min<int64_t>(count, Size() - FPos);
  std::memcpy(buffer, FData.data() + FPos, static_cast<size_t>(n));
  FPos += n;
  return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  if (FPos + count > Size()) FData.resize(static_cast<size_t>(FPos + count));
  std::memcpy(FData.data() + FPos, buffer, static_cast<size_t>(count));
  FPos += count;
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == TSeekOrigin::soBeginning ? 0 : origin == TSeekOrigin::soCurrent ? FPos : Size();
  FPos = std::max<int64_t>(0, base + offset);
  return FPos;
}

void TMemoryStream::SetSize(int64_t size) {
  FData.resize(static_cast<size_t>(std::max<int64_t>(0, size)));
  FPos = std::min(FPos, Size());
}

void TMemoryStream::Clear() {
  FData.clear();
  FPos = 0;
}

void TMemoryStream::LoadFromStream(TStream& s) {
  s.SetPosition(0);
  int64_t n = s.Size();
  FData.resize(static_cast<size_t>(n));
  s.ReadBuffer(FData.data(), n);
  FPos = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& s) { s.WriteBuffer(FData.data(), Size()); }

void TMemoryStream::SaveToFile(const String& fileName) {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

static std::FILE* OpenFile(const String& name, const char* mode) {
#ifdef _WIN32
  std::u16string m(mode, mode + std::strlen(mode));
  return _wfopen(reinterpret_cast<const wchar_t*>(name.c_str()), reinterpret_cast<const wchar_t*>(m.c_str()));
#else
  return std::fopen(StringToUtf8(name).c_str(), mode);
#endif
}

TFileStream::TFileStream(const String& fileName, uint16_t mode) : FFileName(fileName) {
  if (mode == fmCreate || (mode & 0xFF00) == fmCreate) {
    FFile = OpenFile(fileName, "w+b");
    if (!FFile) throw EFCreateError(u"Cannot create file \"" + fileName + u"\"");
    return;
  }
  const char* m = (mode & 3) == fmOpenRead ? "rb" : "r+b";
  FFile = OpenFile(fileName, m);
  if (!FFile) throw EFOpenError(u"Cannot open file \"" + fileName + u"\"");
}

TFileStream::~TFileStream() {
  if (FFile) std::fclose(FFile);
}

int64_t TFileStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  return static_cast<int64_t>(std::fread(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Write(const void* buffer, int64_t count) {
  if (count <= 0) return 0;
  return static_cast<int64_t>(std::fwrite(buffer, 1, static_cast<size_t>(count), FFile));
}

int64_t TFileStream::Seek(int64_t offset, TSeekOrigin origin) {
  int whence = origin == TSeekOrigin::soBeginning ? SEEK_SET : origin == TSeekOrigin::soCurrent ? SEEK_CUR : SEEK_END;
#ifdef _WIN32
  if (_fseeki64(FFile, offset, whence) != 0) throw EStreamError(u"Seek error in \"" + FFileName + u"\"");
  return _ftelli64(FFile);
#else
  if (fseeko(FFile, offset, whence) != 0) throw EStreamError(u"Seek error in \"" + FFileName + u"\"");
  return ftello(FFile);
#endif
}

void TFileStream::SetSize(int64_t size) {
  std::fflush(FFile);
#ifdef _WIN32
  bool ok = _chsize_s(_fileno(FFile), size) == 0;
#else
  bool ok = ftruncate(fileno(FFile), size) == 0;
#endif
  if (!ok) throw EStreamError(u"Cannot change the size of \"" + FFileName + u"\"");
  if (Position() > size) Seek(size, TSeekOrigin::soBeginning);
}

std::vector<uint8_t> ReadFileBytes(const String& fileName) {
  TMemoryStream m;
  m.LoadFromFile(fileName);
  return m.Bytes();
}

void WriteFileBytes(const String& fileName, const std::vector<uint8_t>& data) {
  TFileStream f(fileName, fmCreate);
  f.WriteBuffer(data.data(), static_cast<int64_t>(data.size()));
}

std::vector<uint8_t> EncodeText(StringView text, TEncoding encoding) {
  std::vector<uint8_t> out;
  switch (encoding) {
    case TEncoding::ANSI: {
      std::string a = StringToAnsi(text);
      out.assign(a.begin(), a.end());
      break;
    }
    case TEncoding::UTF8:
    case TEncoding::UTF8NoBOM: {
      if (encoding == TEncoding::UTF8) out = {0xEF, 0xBB, 0xBF};
      std::string u = StringToUtf8(text);
      out.insert(out.end(), u.begin(), u.end());
      break;
    }
    case TEncoding::Unicode:
      out.reserve(2 + text.size() * 2);
      out = {0xFF, 0xFE};
      for (char16_t c : text) {
        out.push_back(static_cast<uint8_t>(c & 0xFF));
        out.push_back(static_cast<uint8_t>(c >> 8));
      }
      break;
  }
  return out;
}

String DecodeText(const uint8_t* data, size_t size, TEncoding fallback, TEncoding* found) {
  TEncoding encoding = fallback;
  if (size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    encoding = TEncoding::UTF8;
  } else if (size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    encoding = TEncoding::Unicode;
  }
  if (found) *found = encoding;
  if (encoding == TEncoding::UTF8 && size >= 3 && data[0] == 0xEF && data[1] == 0xBB && data[2] == 0xBF) {
    data += 3;
    size -= 3;
  } else if (encoding == TEncoding::Unicode && size >= 2 && data[0] == 0xFF && data[1] == 0xFE) {
    data += 2;
    size -= 2;
  }
  const char* chars = reinterpret_cast<const char*>(data);
  switch (encoding) {
    case TEncoding::ANSI:
      return AnsiToString(std::string_view(chars, size));
    case TEncoding::UTF8:
    case TEncoding::UTF8NoBOM:
      return Utf8ToString(std::string_view(chars, size));
    case TEncoding::Unicode:
      break;
  }
  String out;
  out.reserve(size / 2);
  for (size_t i = 0; i + 1 < size; i += 2) out.push_back(static_cast<char16_t>(data[i] | (data[i + 1] << 8)));
  return out;  // an odd last byte is dropped
}

bool FileExists(const String& fileName) {
  std::FILE* f = OpenFile(fileName, "rb");
  if (!f) return false;
  std::fclose(f);
  return true;
}

}  // namespace fw
