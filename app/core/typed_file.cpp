#include "app/core/typed_file.h"

#include "fw/core/exceptions.h"

namespace app {

TTypedFile::TTypedFile(int recordSize) : recordSize_(recordSize) {}

TTypedFile::~TTypedFile() = default;

void TTypedFile::AssignFile(const fw::String& fileName) {
  CloseFile();
  fileName_ = fileName;
}

void TTypedFile::Reset() {
  CloseFile();
  stream_ = std::make_unique<fw::TFileStream>(fileName_, fw::fmOpenReadWrite);
  pos_ = 0;
}

void TTypedFile::Rewrite() {
  CloseFile();
  stream_ = std::make_unique<fw::TFileStream>(fileName_, fw::fmCreate);
  pos_ = 0;
}

void TTypedFile::CloseFile() {
  stream_.reset();
  pos_ = 0;
}

fw::TFileStream& TTypedFile::Stream() const {
  if (!stream_) throw fw::EStreamError(u"File not open");
  return *stream_;
}

int64_t TTypedFile::FileSize() { return Stream().Size() / recordSize_; }

int64_t TTypedFile::FilePos() const {
  Stream();
  return pos_;
}

bool TTypedFile::Eof() { return FilePos() >= FileSize(); }

void TTypedFile::Seek(int64_t record) {
  if (record < 0 || record > FileSize()) throw fw::EStreamError(u"Seek beyond end of file");
  pos_ = record;
}

void TTypedFile::Truncate() { Stream().SetSize(pos_ * recordSize_); }

void TTypedFile::ReadRecord(void* record) {
  fw::TFileStream& s = Stream();
  // A partial record at the end is not a record: the buffer stays as it was.
  if (pos_ >= FileSize()) throw fw::EReadError(u"Read beyond end of file");
  // Every transfer seeks first: the C library needs a positioning call
  // between reading and writing the same file.
  s.Seek(pos_ * recordSize_, fw::TSeekOrigin::soBeginning);
  if (s.Read(record, recordSize_) != recordSize_) throw fw::EReadError(u"Read beyond end of file");
  ++pos_;
}

void TTypedFile::WriteRecord(const void* record) {
  fw::TFileStream& s = Stream();
  s.Seek(pos_ * recordSize_, fw::TSeekOrigin::soBeginning);
  if (s.Write(record, recordSize_) != recordSize_) throw fw::EWriteError(u"Disk write error");
  ++pos_;
}

}  // namespace app
