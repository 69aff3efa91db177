#include "services/core/uclrtti.h"

#include "fw/core/sysutils.h"

namespace services {

namespace {

fw::String OrdinalText(const fw::TTypeInfo* base, int64_t v) {
  return base->Kind() == fw::tkEnumeration ? base->EnumName(v) : fw::IntToStr(v);
}

[[noreturn]] void RaiseUnknown(fw::StringView name) {
  throw EUclRTTIError(u"Unknown identifier '" + fw::String(name) + u"'.");
}

int64_t OrdinalOf(const fw::TTypeInfo* base, const fw::String& text) {
  int64_t v;
  if (base->Kind() == fw::tkEnumeration) {
    v = EnumIndexOfName(base, text);
    if (v < 0) RaiseUnknown(text);
  } else {
    if (!fw::TryStrToInt64(text, v)) throw fw::EConvertError(u"'" + text + u"' is not a valid integer value");
  }
  // A member outside the base type has no bit in the set.
  if (v < base->MinValue() || v > base->MaxValue()) RaiseUnknown(text);
  return v;
}

}  // namespace

int64_t EnumIndexOfName(const fw::TTypeInfo* Enum, fw::StringView Name) {
  for (int64_t v = Enum->MaxValue(); v >= Enum->MinValue(); --v)
    if (UclCompareText(LocaleUserDefault, Enum->EnumName(v), Name) == 0) return v;
  return -1;
}

void GetAsList(const fw::TTypeInfo* SetType, uint64_t Value, bool WantRanges, fw::TStrings& Strings) {
  const fw::TTypeInfo* base = SetType->ElementType();
  Strings.BeginUpdate();
  auto emit = [&](int64_t first, int64_t last) {
    if (WantRanges && first != last) {
      Strings.Add(OrdinalText(base, first) + u" .. " + OrdinalText(base, last));
    } else {
      for (int64_t v = first; v <= last; ++v) Strings.Add(OrdinalText(base, v));
    }
  };
  int64_t runStart = 0;
  bool inRun = false;
  for (int64_t v = base->MinValue(); v <= base->MaxValue(); ++v) {
    const bool set = (Value >> fw::SetElementBit(SetType, v)) & 1;
    if (set && !inRun) {
      runStart = v;
      inRun = true;
    } else if (!set && inRun) {
      emit(runStart, v - 1);
      inRun = false;
    }
  }
  if (inRun) emit(runStart, base->MaxValue());
  Strings.EndUpdate();
}

uint64_t SetAsList(const fw::TTypeInfo* SetType, const fw::TStrings& Strings) {
  const fw::TTypeInfo* base = SetType->ElementType();
  uint64_t mask = 0;
  for (int i = 0; i < Strings.Count(); ++i) {
    const fw::String item = fw::Trim(Strings[i]);
    if (item.empty()) continue;
    fw::String low = item, high = item;
    size_t dots = item.find(u"..");
    if (dots != fw::String::npos) {
      low = fw::Trim(fw::StringView(item).substr(0, dots));
      high = fw::Trim(fw::StringView(item).substr(dots + 2));
    }
    const int64_t lo = OrdinalOf(base, low), hi = OrdinalOf(base, high);
    for (int64_t v = lo; v <= hi; ++v) mask |= uint64_t{1} << fw::SetElementBit(SetType, v);
  }
  return mask;
}

fw::String SetToText(const fw::TTypeInfo* SetType, uint64_t Value, bool WantBrackets, bool WantRanges) {
  fw::TStringList list;
  GetAsList(SetType, Value, WantRanges, list);
  fw::String text;
  for (int i = 0; i < list.Count(); ++i) {
    if (i) text += u", ";
    text += list[i];
  }
  return WantBrackets ? u"[" + text + u"]" : text;
}

uint64_t TextToSet(const fw::TTypeInfo* SetType, fw::StringView Text) {
  fw::TStringList items;
  TextSplitBy(Text, u",", &items, true);
  if (items.Count() > 0 && !items[0].empty() && items[0][0] == u'[') {
    items.Put(0, items[0].substr(1));
    // Only a closing bracket is taken off the end: "[a, b" keeps its "b".
    const int last = items.Count() - 1;
    fw::String t = fw::TrimRight(items[last]);
    if (!t.empty() && t.back() == u']') items.Put(last, t.substr(0, t.size() - 1));
  }
  return SetAsList(SetType, items);
}

}  // namespace services
