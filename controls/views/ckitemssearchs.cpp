#include "controls/views/ckitemssearchs.h"

#include <windows.h>

namespace ck {

using namespace fw;

namespace {

bool SameLocaleText(const String& A, const String& B, bool CaseSensitive) {
  return CompareStringW(LOCALE_USER_DEFAULT, CaseSensitive ? 0 : NORM_IGNORECASE, W(A),
                        static_cast<int>(A.size()), W(B), static_cast<int>(B.size())) == CSTR_EQUAL;
}

String LocaleUpper(String S) {
  if (!S.empty()) CharUpperBuffW(reinterpret_cast<wchar_t*>(S.data()), static_cast<DWORD>(S.size()));
  return S;
}

// Runs Match over the items in search order; the first index it accepts.
template <class F>
int Scan(TStrings* Items, int StartIndex, F Match) {
  int count = Items ? Items->Count() : 0;
  // An index outside the list would never come round again.
  if (StartIndex < -1 || StartIndex >= count) StartIndex = -1;
  for (int n = 0; n < count; ++n) {
    int i = (StartIndex + 1 + n) % count;
    if (Match(Items->Get(i))) return i;
  }
  return -1;
}

}  // namespace

int TCkItemsSearchs::SearchExactString(TStrings* Items, const String& Value, bool CaseSensitive, int StartIndex) {
  return Scan(Items, StartIndex, [&](const String& S) { return SameLocaleText(S, Value, CaseSensitive); });
}

int TCkItemsSearchs::SearchPrefix(TStrings* Items, const String& Value, bool CaseSensitive, int StartIndex) {
  if (Value.empty()) return -1;
  String v = CaseSensitive ? Value : LocaleUpper(Value);
  return Scan(Items, StartIndex, [&](const String& S) {
    String s = CaseSensitive ? S : LocaleUpper(S);
    return s.compare(0, v.size(), v) == 0;
  });
}

int TCkItemsSearchs::SearchSubString(TStrings* Items, const String& Value, bool CaseSensitive, int StartIndex) {
  if (Value.empty()) return -1;
  String v = CaseSensitive ? Value : LocaleUpper(Value);
  return Scan(Items, StartIndex, [&](const String& S) {
    String s = CaseSensitive ? S : LocaleUpper(S);
    return s.find(v) != String::npos;
  });
}

int TCkItemsSearchs::DeleteExactString(TStrings* Items, const String& Value, bool All, bool CaseSensitive) {
  if (!Items) return 0;
  int deleted = 0;
  Items->BeginUpdate();
  try {
    for (int i = SearchExactString(Items, Value, CaseSensitive); i >= 0;
         i = All ? SearchExactString(Items, Value, CaseSensitive) : -1) {
      Items->Delete(i);
      ++deleted;
    }
  } catch (...) {
    Items->EndUpdate();
    throw;
  }
  Items->EndUpdate();
  return deleted;
}

}  // namespace ck
