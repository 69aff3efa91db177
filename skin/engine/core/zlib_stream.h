// A read-only stream that inflates zlib data (header, deflate data, Adler-32
// trailer) taken from another stream. Packed skins hold their entries back to
// back in one source; when an entry's data ends, the stream hands the bytes it
// read past the end back to the source, so the next entry header is found
// right after it.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <functional>

#include "fw/core/exceptions.h"
#include "fw/core/streams.h"

namespace skin {

enum class TZError { zeError, zeStreamError, zeDataError, zeMemoryError, zeBufferError, zeVersionError };

class EZLibError : public fw::Exception {
 public:
  // The message is the text of the zlib code; the string only tells the
  // overloads apart.
  EZLibError(int code, const fw::String& dummy);
  EZLibError(TZError error, const fw::String& dummy);
  // A failure of the stream itself rather than of zlib; the code is 0.
  explicit EZLibError(fw::String message);
  int ErrorCode() const { return FErrorCode; }

 private:
  int FErrorCode;
};

class EZDecompressionError : public EZLibError {
 public:
  using EZLibError::EZLibError;
};

// Returns a zlib result of 0 or above; raises EZDecompressionError for a
// negative one.
int CheckInflateResult(int code);

class TCustomZStream;
using TZProgressEvent = std::function<void(TCustomZStream* Sender)>;

class TCustomZStream : public fw::TStream {
 public:
  TCustomZStream(const TCustomZStream&) = delete;
  TCustomZStream& operator=(const TCustomZStream&) = delete;

  TZProgressEvent OnProgress;

 protected:
  explicit TCustomZStream(fw::TStream& stream);
  void Progress();

  fw::TStream* FStream;     // not owned
  int64_t FStreamPos;       // where the next refill reads
  int64_t FStartPos;        // where the compressed data begins
  z_stream FZStream{};
  std::vector<uint8_t> FBuffer;

  static constexpr int kBufferSize = 131072;
};

class TZDecompressionStream : public TCustomZStream {
 public:
  // Starts at the source's current position; zlib header expected.
  explicit TZDecompressionStream(fw::TStream& source);
  // Same with zlib's window bits (8..15 with header, negative for raw deflate).
  TZDecompressionStream(fw::TStream& source, int windowBits);
  ~TZDecompressionStream() override;

  int64_t Read(void* buffer, int64_t count) override;
  // Always raises: the stream is read-only.
  int64_t Write(const void* buffer, int64_t count) override;
  // Offset 0 from the beginning starts again where the data began; forward
  // moves read and discard; offset 0 from the end inflates everything. Any
  // other move raises. Returns the number of bytes inflated so far.
  int64_t Seek(int64_t offset, fw::TSeekOrigin origin) override;

 private:
  bool Refill();
  void ReturnUnusedInput();
  void FinishData();
};

}  // namespace skin
