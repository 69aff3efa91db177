#include "services/uclstrings_win.h"

#include <windows.h>

#include <vector>

#include "services/core/uclstrings.h"

namespace services {

namespace {

int CompareTextNT(uint32_t Locale, fw::StringView A, fw::StringView B) {
  const int r = CompareStringW(Locale, NORM_IGNORECASE, reinterpret_cast<const wchar_t*>(A.data()),
                               static_cast<int>(A.size()), reinterpret_cast<const wchar_t*>(B.data()),
                               static_cast<int>(B.size()));
  // 0 (failure) has no order; the framework's case-less order decides then.
  if (r == 0) {
    const int o = fw::AnsiCompareText(A, B);
    return (o > 0) - (o < 0);
  }
  return r - CSTR_EQUAL;
}

struct TTables {
  std::vector<uint16_t> WideTypes = std::vector<uint16_t>(0x10000);
  std::vector<char16_t> WideCase = std::vector<char16_t>(3 * 0x10000);
  uint16_t AnsiTypes[256] = {};
  unsigned char AnsiCase[3 * 256] = {};
};

}  // namespace

void InitializeStringTables() {
  static bool ready = false;
  if (ready) return;
  ready = true;
  static TTables t;
  std::vector<wchar_t> all(0x10000);
  for (size_t i = 0; i < all.size(); ++i) all[i] = static_cast<wchar_t>(i);
  std::vector<WORD> types(0x10000);
  if (GetStringTypeExW(LOCALE_USER_DEFAULT, CT_CTYPE1, all.data(), static_cast<int>(all.size()), types.data()))
    t.WideTypes.assign(types.begin(), types.end());
  for (unsigned block : {cbLower, cbUpper}) {
    wchar_t* p = reinterpret_cast<wchar_t*>(t.WideCase.data()) + block * 0x10000;
    std::copy(all.begin(), all.end(), p);
    if (block == cbLower) CharLowerBuffW(p, 0x10000);
    else CharUpperBuffW(p, 0x10000);
  }
  BuildReflectedCase(t.WideCase.data(), t.WideTypes.data(), 0x10000);

  char bytes[256];
  for (int i = 0; i < 256; ++i) bytes[i] = static_cast<char>(i);
  WORD ansi[256] = {};
  if (GetStringTypeExA(LOCALE_USER_DEFAULT, CT_CTYPE1, bytes, 256, ansi)) std::copy(ansi, ansi + 256, t.AnsiTypes);
  for (unsigned block : {cbLower, cbUpper}) {
    char* p = reinterpret_cast<char*>(t.AnsiCase) + block * 256;
    std::copy(bytes, bytes + 256, p);
    if (block == cbLower) CharLowerBuffA(p, 256);
    else CharUpperBuffA(p, 256);
  }
  BuildReflectedCase(t.AnsiCase, t.AnsiTypes, 256);

  SetCaseTables(t.WideCase.data(), t.AnsiCase);
  SetCharTypeTables(t.WideTypes.data(), t.AnsiTypes);
  SetCompareTextProc(CompareTextNT);
}

}  // namespace services
