#include "fw/core/strings_list.h"

#include <algorithm>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace fw {

// ---- TStrings ----

FW_REGISTER(TStrings) {
  TDefinedProperty& strings = c.DefineListProperty(u"Strings");
  strings.ReadList = [](TObject* o, const std::vector<TValue>& items) {
    TStrings& list = detail::InstanceOf<TStrings>(o);
    list.BeginUpdate();
    try {
      list.Clear();
      for (const TValue& v : items) list.Add(v.AsString());
    } catch (...) {
      list.EndUpdate();
      throw;
    }
    list.EndUpdate();
  };
  strings.WriteList = [](TObject* o) {
    TStrings& list = detail::InstanceOf<TStrings>(o);
    std::vector<TValue> items;
    for (int i = 0; i < list.Count(); ++i) items.emplace_back(list.Get(i));
    return items;
  };
  strings.HasData = [](TObject* o) { return detail::InstanceOf<TStrings>(o).Count() > 0; };
}

void TStrings::Error(int index) { throw EStringListError(u"List index out of bounds (" + IntToStr(index) + u")"); }

void TStrings::Put(int index, const String& s) {
  TObject* object = GetObject(index);
  BeginUpdate();
  try {
    Delete(index);
    InsertObject(index, s, object);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

TObject* TStrings::GetObject(int) const { return nullptr; }

void TStrings::PutObject(int, TObject*) {}

int TStrings::Add(const String& s) {
  int index = Count();
  Insert(index, s);
  return index;
}

int TStrings::AddObject(const String& s, TObject* object) {
  int index = Add(s);
  PutObject(index, object);
  return index;
}

void TStrings::InsertObject(int index, const String& s, TObject* object) {
  Insert(index, s);
  PutObject(index, object);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  try {
    for (int i = 0; i < strings.Count(); ++i) AddObject(strings.Get(i), strings.GetObject(i));
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) return inherited::Assign(Source);
  if (source == this) return;
  BeginUpdate();
  try {
    Clear();
    AddStrings(*source);
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

int TStrings::CompareStrings(const String& a, const String& b) const { return AnsiCompareText(a, b); }

int TStrings::IndexOf(const String& s) const {
  for (int i = 0; i < Count(); ++i) {
    if (CompareStrings(Get(i), s) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfName(const String& name) const {
  for (int i = 0; i < Count(); ++i) {
    String s = Get(i);
    size_t p = s.find(FNameValueSeparator);
    if (p != String::npos && CompareStrings(s.substr(0, p), name) == 0) return i;
  }
  return -1;
}

int TStrings::IndexOfObject(const TObject* object) const {
  for (int i = 0; i < Count(); ++i) {
    if (GetObject(i) == object) return i;
  }
  return -1;
}

String TStrings::Names(int index) const {
  String s = Get(index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(0, p);
}

String TStrings::Values(const String& name) const {
  int i = IndexOfName(name);
  return i < 0 ? String() : ValueFromIndex(i);
}

void TStrings::SetValues(const String& name, const String& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
    return;
  }
  if (i < 0) {
    Add(name + FNameValueSeparator + value);
  } else {
    Put(i, name + FNameValueSeparator + value);
  }
}

String TStrings::ValueFromIndex(int index) const {
  String s = Get(index);
  size_t p = s.find(FNameValueSeparator);
  return p == String::npos ? String() : s.substr(p + 1);
}

void TStrings::SetValueFromIndex(int index, const String& value) {
  if (value.empty()) {
    Delete(index);
    return;
  }
  String name = Names(index);
  Put(index, name + FNameValueSeparator + value);
}

String TStrings::Text() const {
  String out;
  for (int i = 0; i < Count(); ++i) {
    out += Get(i);
    out += u"\r\n";
  }
  return out;
}

void TStrings::SetText(StringView text) {
  BeginUpdate();
  try {
    Clear();
    size_t i = 0;
    while (i < text.size()) {
      size_t start = i;
      while (i < text.size() && text[i] != u'\r' && text[i] != u'\n') ++i;
      Add(String(text.substr(start, i - start)));
      if (i < text.size() && text[i] == u'\r') ++i;
      if (i < text.size() && text[i] == u'\n') ++i;
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

namespace {

String JoinQuoted(const TStrings& list, char16_t delimiter, char16_t quote) {
  String out;
  for (int i = 0; i < list.Count(); ++i) {
    String s = list.Get(i);
    bool quoted = s.empty();
    for (char16_t c : s) {
      if (c <= u' ' || c == quote || c == delimiter) {
        quoted = true;
        break;
      }
    }
    if (i > 0) out.push_back(delimiter);
    out += quoted ? AnsiQuotedStr(s, quote) : s;
  }
  return out;
}

}  // namespace

String TStrings::DelimitedText() const { return JoinQuoted(*this, FDelimiter, FQuoteChar); }

void TStrings::SetDelimitedText(StringView text) {
  BeginUpdate();
  try {
    Clear();
    const size_t n = text.size();
    size_t p = 0;
    auto skipBlanks = [&] {
      while (p < n && text[p] <= u' ' && text[p] != FDelimiter) ++p;
    };
    skipBlanks();
    while (p < n) {
      String s;
      if (text[p] == FQuoteChar) {
        // Quoted item: doubled quotes stand for one; the item ends at the
        // closing quote (or the end of the text when it is missing).
        ++p;
        while (p < n) {
          if (text[p] == FQuoteChar) {
            if (p + 1 < n && text[p + 1] == FQuoteChar) {
              s.push_back(FQuoteChar);
              p += 2;
              continue;
            }
            ++p;
            break;
          }
          s.push_back(text[p++]);
        }
      } else {
        size_t start = p;
        while (p < n && text[p] > u' ' && text[p] != FDelimiter) ++p;
        s.assign(text.substr(start, p - start));
      }
      Add(s);
      skipBlanks();
      if (p < n && text[p] == FDelimiter) {
        ++p;
        if (p == n) Add(String());  // a delimiter at the very end leaves an empty item
        skipBlanks();
      }
    }
  } catch (...) {
    EndUpdate();
    throw;
  }
  EndUpdate();
}

String TStrings::CommaText() const { return JoinQuoted(*this, u',', u'"'); }

void TStrings::SetCommaText(StringView text) {
  char16_t delimiter = FDelimiter, quote = FQuoteChar;
  FDelimiter = u',';
  FQuoteChar = u'"';
  try {
    SetDelimitedText(text);
  } catch (...) {
    FDelimiter = delimiter;
    FQuoteChar = quote;
    throw;
  }
  FDelimiter = delimiter;
  FQuoteChar = quote;
}

void TStrings::BeginUpdate() {
  if (FUpdateCount++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (FUpdateCount > 0 && --FUpdateCount == 0) SetUpdateState(false);
}

void TStrings::SetUpdateState(bool) {}

void TStrings::LoadFromFile(const String& fileName) { LoadFromFile(fileName, TEncoding::ANSI); }

void TStrings::LoadFromFile(const String& fileName, TEncoding encoding) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyNone);
  LoadFromStream(f, encoding);
}

void TStrings::LoadFromStream(TStream& stream) { LoadFromStream(stream, TEncoding::ANSI); }

void TStrings::LoadFromStream(TStream& stream, TEncoding encoding) {
  int64_t size = stream.Size() - stream.Position();
  std::vector<uint8_t> bytes(static_cast<size_t>(size > 0 ? size : 0));
  stream.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  TEncoding found;
  String text = DecodeText(bytes.data(), bytes.size(), encoding, &found);
  SetText(text);
  FEncoding = found;
}

void TStrings::SaveToFile(const String& fileName) const { SaveToFile(fileName, FEncoding); }

void TStrings::SaveToFile(const String& fileName, TEncoding encoding) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f, encoding);
}

void TStrings::SaveToStream(TStream& stream) const { SaveToStream(stream, FEncoding); }

void TStrings::SaveToStream(TStream& stream, TEncoding encoding) const {
  std::vector<uint8_t> bytes = EncodeText(Text(), encoding);
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
}

// ---- TStringList ----

FW_REGISTER(TStringList) {}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::SetUpdateState(bool updating) {
  if (updating) {
    if (OnChanging) OnChanging(this);
  } else {
    if (OnChange) OnChange(this);
  }
}

int TStringList::CompareStrings(const String& a, const String& b) const {
  return FCaseSensitive ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

String TStringList::Get(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  return FList[static_cast<size_t>(index)].text;
}

void TStringList::Put(int index, const String& s) {
  if (FSorted) throw EStringListError(u"Operation not allowed on sorted list");
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  FList[static_cast<size_t>(index)].text = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  if (index < 0 || index >= Count()) Error(index);
  return FList[static_cast<size_t>(index)].object;
}

void TStringList::PutObject(int index, TObject* object) {
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  FList[static_cast<size_t>(index)].object = object;
  Changed();
}

void TStringList::InsertItem(int index, const String& s, TObject* object) {
  Changing();
  FList.insert(FList.begin() + index, Item{s, object});
  Changed();
}

void TStringList::Insert(int index, const String& s) {
  if (FSorted) throw EStringListError(u"Operation not allowed on sorted list");
  if (index < 0 || index > Count()) Error(index);
  InsertItem(index, s, nullptr);
}

int TStringList::AddItem(const String& s, TObject* object) {
  int index = Count();
  if (FSorted && Find(s, index)) {
    switch (FDuplicates) {
      case dupIgnore:
        return index;
      case dupError:
        throw EStringListError(u"String list does not allow duplicates");
      case dupAccept:
        // After the equal items already there.
        while (index < Count() && CompareStrings(FList[static_cast<size_t>(index)].text, s) == 0) ++index;
        break;
    }
  }
  InsertItem(index, s, object);
  return index;
}

int TStringList::Add(const String& s) { return AddItem(s, nullptr); }

int TStringList::AddObject(const String& s, TObject* object) { return AddItem(s, object); }

void TStringList::Delete(int index) {
  if (index < 0 || index >= Count()) Error(index);
  Changing();
  FList.erase(FList.begin() + index);
  Changed();
}

void TStringList::Clear() {
  if (FList.empty()) return;
  Changing();
  FList.clear();
  Changed();
}

void TStringList::Exchange(int index1, int index2) {
  if (index1 < 0 || index1 >= Count()) Error(index1);
  if (index2 < 0 || index2 >= Count()) Error(index2);
  Changing();
  std::swap(FList[static_cast<size_t>(index1)], FList[static_cast<size_t>(index2)]);
  Changed();
}

int TStringList::IndexOf(const String& s) const {
  if (!FSorted) return TStrings::IndexOf(s);
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const String& s, int& index) const {
  int lo = 0, hi = Count();
  bool found = false;
  while (lo < hi) {
    int mid = lo + (hi - lo) / 2;
    int c = CompareStrings(FList[static_cast<size_t>(mid)].text, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      if (c == 0) found = true;
      hi = mid;
    }
  }
  index = lo;
  return found;
}

void TStringList::Sort() {
  CustomSort([](TStringList& list, int a, int b) {
    return list.CompareStrings(list.FList[static_cast<size_t>(a)].text, list.FList[static_cast<size_t>(b)].text);
  });
}

void TStringList::CustomSort(const TStringListSortCompare& compare) {
  if (Count() < 2) return;
  // A merge sort of indexes over the unchanged list: the comparison sees the
  // items where they were, and even an inconsistent comparison cannot lead
  // outside the list.
  const size_t n = FList.size();
  std::vector<int> order(n), buffer(n);
  for (size_t i = 0; i < n; ++i) order[i] = static_cast<int>(i);
  for (size_t width = 1; width < n; width *= 2) {
    for (size_t lo = 0; lo < n; lo += 2 * width) {
      size_t mid = std::min(lo + width, n), hi = std::min(lo + 2 * width, n);
      size_t a = lo, b = mid, k = lo;
      while (a < mid && b < hi) buffer[k++] = compare(*this, order[b], order[a]) < 0 ? order[b++] : order[a++];
      while (a < mid) buffer[k++] = order[a++];
      while (b < hi) buffer[k++] = order[b++];
    }
    order.swap(buffer);
  }
  Changing();
  std::vector<Item> sorted;
  sorted.reserve(n);
  for (int i : order) sorted.push_back(std::move(FList[static_cast<size_t>(i)]));
  FList.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool value) {
  if (value == FSorted) return;
  if (value) Sort();
  FSorted = value;
}

void TStringList::SetCaseSensitive(bool value) {
  if (value == FCaseSensitive) return;
  FCaseSensitive = value;
  if (FSorted) Sort();
}

}  // namespace fw
