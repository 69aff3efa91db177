#include "skin/engine/core/packed_skin.h"

#include <zlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fw/core/sysutils.h"

namespace skin {

namespace {

[[noreturn]] void Damaged(const std::string& what) {
  throw ESkinError(u"The packed skin is damaged: " + fw::AnsiToString(what));
}

class TReader {
 public:
  TReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  size_t Left() const { return size_ - pos_; }
  size_t Pos() const { return pos_; }
  int32_t Int(const char* field) {
    if (Left() < 4) Damaged(std::string("truncated in ") + field);
    uint32_t v = uint32_t(data_[pos_]) | uint32_t(data_[pos_ + 1]) << 8 | uint32_t(data_[pos_ + 2]) << 16 |
                 uint32_t(data_[pos_ + 3]) << 24;
    pos_ += 4;
    return static_cast<int32_t>(v);
  }
  const uint8_t* Take(size_t n) {
    const uint8_t* p = data_ + pos_;
    pos_ += n;
    return p;
  }
  const uint8_t* Here() const { return data_ + pos_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

// Inflates one zlib stream that must give exactly `size` bytes; answers the
// number of compressed bytes it took, trailer included.
size_t InflateEntry(const uint8_t* in, size_t available, size_t size, std::vector<uint8_t>& out,
                    const std::string& name) {
  out.assign(size, 0);
  z_stream z{};
  if (inflateInit(&z) != Z_OK) Damaged("cannot start inflating");
  uint8_t spare = 0;
  z.next_in = const_cast<uint8_t*>(in);
  z.next_out = size ? out.data() : &spare;
  z.avail_out = size ? static_cast<uInt>(size) : 0;
  size_t consumed = 0;
  int rc = Z_OK;
  while (true) {
    if (z.avail_in == 0) {
      size_t chunk = std::min<size_t>(available - consumed, 1u << 30);
      z.next_in = const_cast<uint8_t*>(in + consumed);
      z.avail_in = static_cast<uInt>(chunk);
      consumed += chunk;
    }
    if (z.avail_out == 0) {
      // The declared size is full: the stream must end now, without more output.
      z.next_out = &spare;
      z.avail_out = 1;
      rc = inflate(&z, Z_NO_FLUSH);
      bool overflow = z.avail_out == 0;
      z.next_out = nullptr;
      z.avail_out = 0;
      if (overflow) {
        inflateEnd(&z);
        Damaged("entry \"" + name + "\" is larger than its size");
      }
    } else {
      rc = inflate(&z, Z_NO_FLUSH);
    }
    if (rc == Z_STREAM_END) break;
    if (rc == Z_BUF_ERROR && z.avail_in == 0 && consumed >= available) {
      inflateEnd(&z);
      Damaged("entry \"" + name + "\" is truncated");
    }
    if (rc != Z_OK && rc != Z_BUF_ERROR) {
      inflateEnd(&z);
      Damaged("entry \"" + name + "\" has a damaged stream");
    }
  }
  size_t used = z.total_in;
  size_t produced = z.total_out;
  inflateEnd(&z);
  if (produced != size) Damaged("entry \"" + name + "\" is shorter than its size");
  return used;
}

bool EndsWithBmp(fw::StringView name) {
  if (name.size() < 4) return false;
  return fw::UpperCase(name.substr(name.size() - 4)) == u".BMP";
}

}  // namespace

void TkcSkinConvertor::Clear() {
  ImageCount = 0;
  Files.clear();
  HasOptions = false;
  Options.clear();
}

const TkcImageItem* TkcSkinConvertor::FindImage(fw::StringView name) const {
  for (const TkcImageItem& f : Files)
    if (fw::UpperCase(f.FileName) == name) return &f;
  return nullptr;
}

TkcSkinConvertor ReadPackedEntries(const uint8_t* data, size_t size) {
  TReader r(data, size);
  if (size < 4 || std::memcmp(data, "KSzf", 4) != 0)
    throw ESkinError(u"The loaded data is not a packed skin file");
  r.Take(4);
  TkcSkinConvertor c;
  int32_t n = r.Int("the entry count");
  // Every entry takes at least 8 bytes of header and a 6-byte zlib stream.
  if (n < 0 || static_cast<size_t>(n) > r.Left() / 14) Damaged("entry count " + std::to_string(n) + " is out of range");
  c.ImageCount = n - 1;
  for (int32_t e = 0; e < n; ++e) {
    int32_t length = r.Int("an entry name length");
    if (length < 0 || length > kMaxPackedNameLength || static_cast<size_t>(length) > r.Left())
      Damaged("entry " + std::to_string(e + 1) + " has a name length of " + std::to_string(length));
    std::string ansi(reinterpret_cast<const char*>(r.Take(length)), length);
    int32_t u = r.Int("an entry size");
    // Deflate gives at most about 1032 bytes per byte it reads: a larger
    // size cannot be true, and nothing is allocated for it.
    if (u < 0 || u > kMaxPackedEntrySize || static_cast<uint64_t>(u) > (r.Left() + 1) * uint64_t(1040))
      Damaged("entry \"" + ansi + "\" has a size of " + std::to_string(u));
    std::vector<uint8_t> content;
    size_t used = InflateEntry(r.Here(), r.Left(), static_cast<size_t>(u), content, ansi);
    r.Take(used);
    fw::String name = fw::AnsiToString(ansi);
    if (fw::UpperCase(name) == u"OPTIONS.DAT") {
      if (c.HasOptions) Damaged("it holds two descriptions");
      c.HasOptions = true;
      c.Options = std::move(content);
    } else {
      c.Files.push_back(TkcImageItem{name, EndsWithBmp(name), std::move(content)});
    }
  }
  if (r.Left() != 0) Damaged(std::to_string(r.Left()) + " bytes follow the last entry");
  return c;
}

bool LoadPackedFile(const fw::String& fileName, TkcSkinConvertor& pack) {
  std::filesystem::path path(fileName);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return false;
  // A packed skin holds at most a few entries of kMaxPackedEntrySize.
  if (std::filesystem::file_size(path, ec) > static_cast<uintmax_t>(kMaxPackedEntrySize) * 4 || ec)
    throw ESkinError(u"The packed skin " + fileName + u" is too large");
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  pack = ReadPackedEntries(bytes.data(), bytes.size());
  return true;
}

std::vector<uint8_t> WritePackedSkin(const std::vector<TPackEntry>& entries, int level) {
  std::vector<uint8_t> out = {'K', 'S', 'z', 'f'};
  auto put = [&](uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
  };
  put(static_cast<uint32_t>(entries.size()));
  for (const TPackEntry& e : entries) {
    std::string name = fw::StringToAnsi(e.Name);
    put(static_cast<uint32_t>(name.size()));
    out.insert(out.end(), name.begin(), name.end());
    put(static_cast<uint32_t>(e.Data.size()));
    uLongf packedSize = compressBound(static_cast<uLong>(e.Data.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, e.Data.data(), static_cast<uLong>(e.Data.size()), level) != Z_OK)
      throw ESkinError(u"Cannot compress the entry " + e.Name);
    out.insert(out.end(), packed.begin(), packed.begin() + packedSize);
  }
  return out;
}

bool IsSafeEntryName(fw::StringView name) {
  // A final dot or blank would be dropped by the system ("..." names the folder).
  if (name.empty() || name.back() == u'.' || name.back() == u' ') return false;
  for (char16_t ch : name)
    if (ch < 32 || ch == u'/' || ch == u'\\' || ch == u':' || ch == u'*' || ch == u'?' || ch == u'"' ||
        ch == u'<' || ch == u'>' || ch == u'|')
      return false;
  return true;
}

}  // namespace skin
