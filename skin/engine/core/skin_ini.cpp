#include "skin/engine/core/skin_ini.h"

#include <charconv>
#include <string>

namespace skin {

namespace {

fw::StringView Trim(fw::StringView s) {
  while (!s.empty() && (s.front() == u' ' || s.front() == u'\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == u' ' || s.back() == u'\t')) s.remove_suffix(1);
  return s;
}

}  // namespace

TSkinIni::TSkinIni(fw::StringView text) {
  Section* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of(u"\r\n", pos);
    if (end == fw::StringView::npos) end = text.size();
    fw::StringView line = Trim(text.substr(pos, end - pos));
    pos = end + 1;
    if (end < text.size() && text[end] == u'\r' && pos < text.size() && text[pos] == u'\n') ++pos;
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      size_t close = line.find(u']');
      fw::String name(Trim(line.substr(1, close == fw::StringView::npos ? fw::StringView::npos : close - 1)));
      current = const_cast<Section*>(FindSection(name));
      if (!current) {
        sections_.push_back(Section{name, {}});
        current = &sections_.back();
      }
      continue;
    }
    if (!current) continue;
    size_t eq = line.find(u'=');
    fw::String key(Trim(eq == fw::StringView::npos ? line : line.substr(0, eq)));
    fw::String value(eq == fw::StringView::npos ? fw::StringView() : Trim(line.substr(eq + 1)));
    bool known = false;
    for (const Entry& e : current->Entries) known = known || e.Key == key;
    if (!known) current->Entries.push_back(Entry{key, value});
  }
}

const TSkinIni::Section* TSkinIni::FindSection(fw::StringView name) const {
  for (const Section& s : sections_)
    if (s.Name == name) return &s;
  return nullptr;
}

bool TSkinIni::ValueExists(fw::StringView section, fw::StringView key) const {
  const Section* s = FindSection(section);
  if (!s) return false;
  for (const Entry& e : s->Entries)
    if (e.Key == key) return true;
  return false;
}

fw::String TSkinIni::ReadString(fw::StringView section, fw::StringView key, fw::StringView def) const {
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->Entries)
      if (e.Key == key) return e.Value;
  return fw::String(def);
}

int TSkinIni::ReadInteger(fw::StringView section, fw::StringView key, int def) const {
  int v;
  return ParseIniInteger(ReadString(section, key, u""), v) ? v : def;
}

double TSkinIni::ReadFloat(fw::StringView section, fw::StringView key, double def) const {
  double v;
  return ParseIniFloat(ReadString(section, key, u""), v) ? v : def;
}

bool ParseIniInteger(fw::StringView text, int& value) {
  fw::StringView s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == u'$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty() || s.size() > 16) return false;
  uint64_t v = 0;
  for (char16_t ch : s) {
    int d;
    if (ch >= u'0' && ch <= u'9') d = ch - u'0';
    else if (base == 16 && ch >= u'a' && ch <= u'f') d = ch - u'a' + 10;
    else if (base == 16 && ch >= u'A' && ch <= u'F') d = ch - u'A' + 10;
    else return false;
    v = v * base + d;
  }
  if (base == 10) {
    if (v > (negative ? 2147483648ull : 2147483647ull)) return false;
    value = negative ? static_cast<int>(-static_cast<int64_t>(v)) : static_cast<int>(v);
  } else {
    if (v > 0xFFFFFFFFull) return false;
    int32_t bits = static_cast<int32_t>(static_cast<uint32_t>(v));
    value = negative ? static_cast<int>(-static_cast<int64_t>(bits)) : bits;
  }
  return true;
}

bool ParseIniFloat(fw::StringView text, double& value) {
  fw::StringView s = Trim(text);
  if (s.empty() || s.size() > 40) return false;
  std::string ascii;
  for (char16_t ch : s) {
    if (!((ch >= u'0' && ch <= u'9') || ch == u'.' || ch == u'-' || ch == u'+' || ch == u'e' || ch == u'E'))
      return false;
    ascii.push_back(static_cast<char>(ch));
  }
  // from_chars ignores the locale: "8.5" is 8.5 under a comma locale too.
  const char* first = ascii.c_str();
  if (*first == '+') ++first;
  double v = 0;
  auto [end, ec] = std::from_chars(first, ascii.c_str() + ascii.size(), v);
  if (ec != std::errc() || end != ascii.c_str() + ascii.size()) return false;
  value = v;
  return true;
}

fw::String DescriptionText(const std::vector<uint8_t>& bytes) {
  fw::String text;
  text.reserve(bytes.size());
  for (uint8_t b : bytes) text.push_back(static_cast<char16_t>(b));
  return text;
}

}  // namespace skin
