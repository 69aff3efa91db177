#include "fw/core/inidocument.h"

#include "fw/core/sysutils.h"

namespace fw {

namespace {

bool SameNamePortable(StringView a, StringView b) { return a.size() == b.size() && AnsiCompareText(a, b) == 0; }

}  // namespace

TIniDocument::TIniDocument(TSameName sameName) : FSameName(sameName ? sameName : &SameNamePortable) {}

TIniDocument::Section* TIniDocument::Find(StringView name) {
  for (Section& s : FSections)
    if (FSameName(s.name, name)) return &s;
  return nullptr;
}

const TIniDocument::Section* TIniDocument::FindSection(StringView name) const {
  for (const Section& s : FSections)
    if (FSameName(s.name, name)) return &s;
  return nullptr;
}

const TIniDocument::Entry* TIniDocument::FindEntry(StringView section, StringView key) const {
  const Section* s = FindSection(section);
  if (!s) return nullptr;
  for (const Entry& e : s->entries)
    if (FSameName(e.key, key)) return &e;
  return nullptr;
}

void TIniDocument::SetText(StringView text) {
  FSections.clear();
  Section* current = nullptr;
  size_t p = 0;
  while (p <= text.size()) {
    size_t e = text.find_first_of(u"\r\n", p);
    if (e == StringView::npos) e = text.size();
    String line = Trim(text.substr(p, e - p));
    // CR LF counts as one break.
    p = (e < text.size() && text[e] == u'\r' && e + 1 < text.size() && text[e + 1] == u'\n') ? e + 2 : e + 1;
    if (line.empty() || line[0] == u';') continue;
    if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
      String name = Trim(StringView(line).substr(1, line.size() - 2));
      current = Find(name);
      if (!current) {
        FSections.push_back(Section{name, {}});
        current = &FSections.back();
      }
      continue;
    }
    if (!current) continue;  // lines before the first section are dropped
    size_t eq = line.find(u'=');
    Entry entry;
    if (eq == String::npos) {
      entry.key = line;
    } else {
      entry.key = Trim(StringView(line).substr(0, eq));
      entry.value = Trim(StringView(line).substr(eq + 1));
    }
    current->entries.push_back(std::move(entry));
  }
}

String TIniDocument::GetText() const {
  String out;
  for (const Section& s : FSections) {
    out += u"[" + s.name + u"]\r\n";
    for (const Entry& e : s.entries) out += e.key + u"=" + e.value + u"\r\n";
    out += u"\r\n";
  }
  return out;
}

String TIniDocument::ReadString(StringView section, StringView key, const String& def) const {
  const Entry* e = FindEntry(section, key);
  return e ? e->value : def;
}

void TIniDocument::WriteString(StringView section, StringView key, const String& value) {
  Section* s = Find(section);
  if (!s) {
    FSections.push_back(Section{String(section), {}});
    s = &FSections.back();
  }
  for (Entry& e : s->entries)
    if (FSameName(e.key, key)) {
      e.value = value;
      return;
    }
  s->entries.push_back(Entry{String(key), value});
}

std::vector<String> TIniDocument::SectionNames() const {
  std::vector<String> out;
  for (const Section& s : FSections) out.push_back(s.name);
  return out;
}

std::vector<String> TIniDocument::Keys(StringView section) const {
  std::vector<String> out;
  if (const Section* s = FindSection(section))
    for (const Entry& e : s->entries) out.push_back(e.key);
  return out;
}

void TIniDocument::EraseSection(StringView name) {
  EraseSectionsIf([&](StringView n) { return FSameName(n, name); });
}

void TIniDocument::DeleteKey(StringView section, StringView key) {
  if (Section* s = Find(section)) {
    std::vector<Entry> kept;
    for (Entry& e : s->entries)
      if (!FSameName(e.key, key)) kept.push_back(std::move(e));
    s->entries = std::move(kept);
  }
}

String TIniDocument::DecodeBytes(const std::vector<uint8_t>& b, TIniEncoding& encoding, const TIniAnsiCodec& ansi) {
  if (b.size() >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
    encoding = TIniEncoding::Utf8;
    return Utf8ToString(std::string_view(reinterpret_cast<const char*>(b.data()) + 3, b.size() - 3));
  }
  if (b.size() >= 2 && ((b[0] == 0xFF && b[1] == 0xFE) || (b[0] == 0xFE && b[1] == 0xFF))) {
    const bool le = b[0] == 0xFF;
    encoding = le ? TIniEncoding::Utf16LE : TIniEncoding::Utf16BE;
    String s;
    s.reserve(b.size() / 2);
    for (size_t i = 2; i + 1 < b.size(); i += 2)
      s.push_back(le ? char16_t(b[i] | (b[i + 1] << 8)) : char16_t((b[i] << 8) | b[i + 1]));
    return s;
  }
  encoding = TIniEncoding::Ansi;
  if (b.empty()) return String();
  return ansi.Decode(std::string_view(reinterpret_cast<const char*>(b.data()), b.size()));
}

std::vector<uint8_t> TIniDocument::EncodeBytes(StringView text, TIniEncoding encoding, const TIniAnsiCodec& ansi) {
  std::vector<uint8_t> out;
  switch (encoding) {
    case TIniEncoding::Utf8: {
      out = {0xEF, 0xBB, 0xBF};
      std::string u = StringToUtf8(text);
      out.insert(out.end(), u.begin(), u.end());
      break;
    }
    case TIniEncoding::Utf16LE:
    case TIniEncoding::Utf16BE: {
      const bool le = encoding == TIniEncoding::Utf16LE;
      out.reserve(2 + text.size() * 2);
      out.push_back(le ? 0xFF : 0xFE);
      out.push_back(le ? 0xFE : 0xFF);
      for (char16_t c : text) {
        uint8_t lo = static_cast<uint8_t>(c & 0xFF), hi = static_cast<uint8_t>(c >> 8);
        out.push_back(le ? lo : hi);
        out.push_back(le ? hi : lo);
      }
      break;
    }
    case TIniEncoding::Ansi: {
      std::string a = ansi.Encode(text);
      out.assign(a.begin(), a.end());
      break;
    }
  }
  return out;
}

}  // namespace fw
