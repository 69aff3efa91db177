#include "services/core/mime.h"

namespace services {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr size_t kLineBytes = 57;

int DecodeValue(unsigned c) {
  if (c >= 'A' && c <= 'Z') return static_cast<int>(c - 'A');
  if (c >= 'a' && c <= 'z') return static_cast<int>(c - 'a') + 26;
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0') + 52;
  if (c == '+') return 62;
  if (c == '/') return 63;
  return -1;
}

void EncodeBlock(const uint8_t* p, size_t n, std::string& out) {
  uint32_t v = static_cast<uint32_t>(p[0]) << 16;
  if (n > 1) v |= static_cast<uint32_t>(p[1]) << 8;
  if (n > 2) v |= p[2];
  out.push_back(kAlphabet[(v >> 18) & 63]);
  out.push_back(kAlphabet[(v >> 12) & 63]);
  out.push_back(n > 1 ? kAlphabet[(v >> 6) & 63] : '=');
  out.push_back(n > 2 ? kAlphabet[v & 63] : '=');
}

std::string Encode(const uint8_t* data, size_t size, bool lines) {
  std::string out;
  out.reserve(static_cast<size_t>(MimeEncodedSize(static_cast<int64_t>(size))));
  for (size_t i = 0; i < size; i += 3) {
    if (lines && i > 0 && i % kLineBytes == 0) out += "\r\n";
    EncodeBlock(data + i, size - i < 3 ? size - i : 3, out);
  }
  return out;
}

fw::String Widen(const std::string& s) { return fw::String(s.begin(), s.end()); }

}  // namespace

int64_t MimeEncodedSize(int64_t n) {
  if (n <= 0) return n;
  return 4 * ((n + 2) / 3) + 2 * ((n - 1) / static_cast<int64_t>(kLineBytes));
}

int64_t MimeDecodedSize(int64_t n) { return ((n + 3) / 4) * 3; }

std::string MimeEncode(const uint8_t* data, size_t size) { return Encode(data, size, true); }
std::string MimeEncodeNoCRLF(const uint8_t* data, size_t size) { return Encode(data, size, false); }
fw::String MimeEncodeString(const TBytes& b) { return Widen(MimeEncode(b.data(), b.size())); }
fw::String MimeEncodeStringNoCRLF(const TBytes& b) { return Widen(MimeEncodeNoCRLF(b.data(), b.size())); }

void MimeDecodePartial(const char* text, size_t size, TMimeDecodeState& state, TBytes& out) {
  for (size_t i = 0; i < size; ++i) {
    int v = DecodeValue(static_cast<unsigned char>(text[i]));
    if (v < 0) continue;
    state.Bits = (state.Bits << 6) | static_cast<uint32_t>(v);
    if (++state.Count == 4) {
      out.push_back(static_cast<uint8_t>(state.Bits >> 16));
      out.push_back(static_cast<uint8_t>(state.Bits >> 8));
      out.push_back(static_cast<uint8_t>(state.Bits));
      state = TMimeDecodeState();
    }
  }
}

void MimeDecodePartialEnd(TMimeDecodeState& state, TBytes& out) {
  if (state.Count == 3) {
    uint32_t v = state.Bits << 6;
    out.push_back(static_cast<uint8_t>(v >> 16));
    out.push_back(static_cast<uint8_t>(v >> 8));
  } else if (state.Count == 2) {
    out.push_back(static_cast<uint8_t>((state.Bits << 12) >> 16));
  }
  state = TMimeDecodeState();
}

TBytes MimeDecode(const char* text, size_t size) {
  TBytes out;
  out.reserve(static_cast<size_t>(MimeDecodedSize(static_cast<int64_t>(size))));
  TMimeDecodeState state;
  MimeDecodePartial(text, size, state, out);
  MimeDecodePartialEnd(state, out);
  return out;
}

TBytes MimeDecodeString(fw::StringView text) {
  // Characters beyond 0xFF are outside the alphabet; keep them that way.
  std::string narrow;
  narrow.reserve(text.size());
  for (char16_t c : text) narrow.push_back(c < 0x80 ? static_cast<char>(c) : '\0');
  return MimeDecode(narrow.data(), narrow.size());
}

}  // namespace services
