#include "services/core/placementtext.h"

#include "fw/core/sysutils.h"

namespace services {

bool StoredVersionAccepted(TCkFormPlacementVersionCheck Check, int Stored, int Version) {
  switch (Check) {
    case fpvcNocheck:
      return true;
    case fpvcCheckGreaterEqual:
      return Stored >= Version;
    case fpvcCheckEqual:
      return Stored == Version;
  }
  return false;
}

String PositionsText(int A, int B, int C, int D) {
  return fw::IntToStr(A) + u"," + fw::IntToStr(B) + u"," + fw::IntToStr(C) + u"," + fw::IntToStr(D);
}

int PositionField(StringView Text, int Index, int Default) {
  auto separator = [](char16_t c) { return c == u',' || c == u' '; };
  size_t i = 0;
  for (int field = 1;; ++field) {
    while (i < Text.size() && separator(Text[i])) ++i;
    if (i >= Text.size()) return Default;
    size_t end = i;
    while (end < Text.size() && !separator(Text[end])) ++end;
    if (field == Index) {
      int64_t v;
      if (!fw::TryStrToInt64(Text.substr(i, end - i), v) || v < INT32_MIN || v > INT32_MAX) return Default;
      return static_cast<int>(v);
    }
    i = end;
  }
}

String DesktopSuffix(int Width, int Height) {
  return u"(" + fw::IntToStr(Width) + u"x" + fw::IntToStr(Height) + u")";
}

String ReadPositionsText(TCkCustomAppStorage& Storage, const String& Path, const String& Key, const String& Suffix) {
  const String suffixed = TCkCustomAppStorage::ConcatPaths({Path, Key + Suffix});
  if (Storage.ValueStored(suffixed)) return Storage.ReadString(suffixed, String());
  return Storage.ReadString(TCkCustomAppStorage::ConcatPaths({Path, Key}), String());
}

TStoredShowState StoredShowState(int ShowCmd) {
  switch (ShowCmd) {
    case 1:
    case 5:
    case 9:
      return TStoredShowState::Normal;
    case 2:
    case 6:
    case 7:
      return TStoredShowState::Minimized;
    case 3:
      return TStoredShowState::Maximized;
    default:
      return TStoredShowState::Fallback;
  }
}

}  // namespace services
