#include "skin/engine/core/zlib_stream.h"

#include <algorithm>
#include <climits>

namespace skin {

namespace {

const char16_t* ZErrorText(int code) {
  switch (code) {
    case 2: return u"need dictionary";
    case 1: return u"stream end";
    case 0: return u"ok";
    case -1: return u"file error";
    case -2: return u"stream error";
    case -3: return u"data error";
    case -4: return u"insufficient memory";
    case -5: return u"buffer error";
    case -6: return u"incompatible version";
    default: return u"";
  }
}

const char16_t kInvalidOperation[] = u"Invalid ZStream operation!";
constexpr int64_t kSkipChunk = 16384;

}  // namespace

EZLibError::EZLibError(int code, const fw::String&) : fw::Exception(ZErrorText(code)), FErrorCode(code) {}

EZLibError::EZLibError(TZError error, const fw::String& dummy)
    : EZLibError(-1 - static_cast<int>(error), dummy) {}

EZLibError::EZLibError(fw::String message) : fw::Exception(std::move(message)), FErrorCode(0) {}

int CheckInflateResult(int code) {
  if (code < 0) throw EZDecompressionError(code, fw::String());
  return code;
}

namespace {

// Data that asks for a preset dictionary cannot be inflated here, and zlib
// would answer the same for ever: it fails like damaged data, with its code.
int InflateChecked(z_stream& zs, int flush) {
  int code = CheckInflateResult(inflate(&zs, flush));
  if (code == Z_NEED_DICT) throw EZDecompressionError(code, fw::String());
  return code;
}

}  // namespace

TCustomZStream::TCustomZStream(fw::TStream& stream)
    : FStream(&stream), FStreamPos(stream.Position()), FStartPos(FStreamPos), FBuffer(kBufferSize) {}

void TCustomZStream::Progress() {
  if (OnProgress) OnProgress(this);
}

TZDecompressionStream::TZDecompressionStream(fw::TStream& source) : TCustomZStream(source) {
  FZStream.next_in = FBuffer.data();
  FZStream.avail_in = 0;
  CheckInflateResult(inflateInit_(&FZStream, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))));
}

TZDecompressionStream::TZDecompressionStream(fw::TStream& source, int windowBits) : TCustomZStream(source) {
  FZStream.next_in = FBuffer.data();
  FZStream.avail_in = 0;
  CheckInflateResult(inflateInit2_(&FZStream, windowBits, ZLIB_VERSION, static_cast<int>(sizeof(z_stream))));
}

TZDecompressionStream::~TZDecompressionStream() { inflateEnd(&FZStream); }

bool TZDecompressionStream::Refill() {
  int64_t n = FStream->Read(FBuffer.data(), kBufferSize);
  FZStream.avail_in = static_cast<uInt>(std::max<int64_t>(n, 0));
  if (FZStream.avail_in == 0) return false;
  FZStream.next_in = FBuffer.data();
  FStreamPos = FStream->Position();
  Progress();
  return true;
}

// The bytes left in the buffer after the end of the data belong to whatever
// follows it in the source: give them back.
void TZDecompressionStream::ReturnUnusedInput() {
  if (FZStream.avail_in == 0) return;
  FStream->Seek(-static_cast<int64_t>(FZStream.avail_in), fw::TSeekOrigin::soCurrent);
  FStreamPos = FStream->Position();
  FZStream.avail_in = 0;
}

// A read satisfied by the last output bytes leaves the end-of-block code and
// the trailer unread, possibly beyond what was taken from the source. Inflate
// on without output space so that the end is reached now and the source
// stands right after the data; stop as soon as output is waiting.
void TZDecompressionStream::FinishData() {
  Bytef none;
  for (;;) {
    FZStream.next_out = &none;
    FZStream.avail_out = 0;
    int code = inflate(&FZStream, Z_NO_FLUSH);
    if (code == Z_STREAM_END) {
      ReturnUnusedInput();
      return;
    }
    if (code == Z_NEED_DICT) throw EZDecompressionError(code, fw::String());
    if (code != Z_BUF_ERROR) CheckInflateResult(code);
    if (FZStream.avail_in > 0 || !Refill()) return;
  }
}

int64_t TZDecompressionStream::Read(void* buffer, int64_t count) {
  if (count <= 0) return 0;
  count = std::min<int64_t>(count, INT_MAX);
  FZStream.next_out = static_cast<Bytef*>(buffer);
  FZStream.avail_out = static_cast<uInt>(count);
  if (FStream->Position() != FStreamPos) FStream->SetPosition(FStreamPos);
  int code = Z_OK;
  while (FZStream.avail_out > 0 && code != Z_STREAM_END) {
    if (FZStream.avail_in == 0 && !Refill()) return count - FZStream.avail_out;
    code = InflateChecked(FZStream, Z_NO_FLUSH);
  }
  int64_t done = count - FZStream.avail_out;
  if (code == Z_STREAM_END) ReturnUnusedInput();
  else FinishData();
  return done;
}

int64_t TZDecompressionStream::Write(const void*, int64_t) { throw EZDecompressionError(kInvalidOperation); }

int64_t TZDecompressionStream::Seek(int64_t offset, fw::TSeekOrigin origin) {
  int64_t total = static_cast<int64_t>(FZStream.total_out);
  if (offset == 0 && origin == fw::TSeekOrigin::soBeginning) {
    // Starts again where the compressed data began, which need not be the
    // start of the source (entries of a packed skin follow a header).
    CheckInflateResult(inflateReset(&FZStream));
    FZStream.next_in = FBuffer.data();
    FZStream.avail_in = 0;
    FStream->SetPosition(FStartPos);
    FStreamPos = FStartPos;
  } else if ((origin == fw::TSeekOrigin::soCurrent && offset >= 0) ||
             (origin == fw::TSeekOrigin::soBeginning && offset > total)) {
    int64_t distance = origin == fw::TSeekOrigin::soCurrent ? offset : offset - total;
    uint8_t scratch[kSkipChunk];
    for (; distance >= kSkipChunk; distance -= kSkipChunk) ReadBuffer(scratch, kSkipChunk);
    if (distance > 0) ReadBuffer(scratch, distance);
  } else if (origin == fw::TSeekOrigin::soEnd && offset == 0) {
    uint8_t scratch[kSkipChunk];
    while (Read(scratch, kSkipChunk) != 0) {
    }
  } else {
    throw EZDecompressionError(kInvalidOperation);
  }
  return static_cast<int64_t>(FZStream.total_out);
}

}  // namespace skin
