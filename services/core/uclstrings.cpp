#include "services/core/uclstrings.h"

#include <algorithm>
#include <atomic>

#include "fw/core/sysutils.h"

namespace services {

namespace {

const char16_t* gWideCase = nullptr;
const unsigned char* gAnsiCase = nullptr;
std::atomic<TUclCompareTextProc> gCompareText{nullptr};

[[noreturn]] void RaiseBlankSearch() { throw EUclStringError(u"Search string cannot be blank"); }

size_t FindUpper(fw::StringView sub, fw::StringView s, size_t from) {
  const fw::String us = TextUpper(sub), ut = TextUpper(s);
  return ut.find(us, from);
}

}  // namespace

void SetCaseTables(const char16_t* Wide, const unsigned char* Ansi) {
  gWideCase = Wide;
  gAnsiCase = Ansi;
}

char16_t CharToUpper(char16_t Ch) { return gWideCase ? gWideCase[cbUpper * 0x10000 + Ch] : fw::AnsiUpperChar(Ch); }

char16_t CharToLower(char16_t Ch) {
  if (gWideCase) return gWideCase[cbLower * 0x10000 + Ch];
  const fw::String s(1, Ch);
  return fw::LowerCase(s)[0];
}

char16_t CharToggleCase(char16_t Ch) {
  if (gWideCase) return gWideCase[cbReflected * 0x10000 + Ch];
  const char16_t upper = CharToUpper(Ch);
  return upper != Ch ? upper : CharToLower(Ch);
}

char CharToUpperAnsi(char Ch) {
  const unsigned char c = static_cast<unsigned char>(Ch);
  if (gAnsiCase) return static_cast<char>(gAnsiCase[cbUpper * 0x100 + c]);
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : Ch;
}

char CharToLowerAnsi(char Ch) {
  const unsigned char c = static_cast<unsigned char>(Ch);
  if (gAnsiCase) return static_cast<char>(gAnsiCase[cbLower * 0x100 + c]);
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 0x20) : Ch;
}

void SetCompareTextProc(TUclCompareTextProc Proc) { gCompareText.store(Proc); }

int UclCompareText(uint32_t Locale, fw::StringView A, fw::StringView B) {
  if (TUclCompareTextProc proc = gCompareText.load()) return proc(Locale, A, B);
  const int r = fw::AnsiCompareText(A, B);
  return (r > 0) - (r < 0);
}

fw::String TextUpper(fw::StringView S) {
  fw::String r(S);
  TextUpperInPlace(r);
  return r;
}

void TextUpperInPlace(fw::String& S) {
  for (char16_t& c : S) c = CharToUpper(c);
}

fw::String TextLeft(fw::StringView S, int Count) {
  return Count <= 0 ? fw::String() : fw::String(S.substr(0, static_cast<size_t>(Count)));
}

fw::String TextFrom(fw::StringView S, int N) {
  if (N < 1) N = 1;
  return static_cast<size_t>(N) > S.size() ? fw::String() : fw::String(S.substr(static_cast<size_t>(N) - 1));
}

int TextPosNoCase(fw::StringView SubStr, fw::StringView S) { return TextFindNoCase(SubStr, S, 1); }

int TextFindNoCase(fw::StringView SubStr, fw::StringView S, int From) {
  if (SubStr.empty() || S.empty() || From < 1) return 0;
  size_t p = FindUpper(SubStr, S, static_cast<size_t>(From) - 1);
  return p == fw::String::npos ? 0 : static_cast<int>(p) + 1;
}

fw::String TextBefore(fw::StringView SubStr, fw::StringView S) {
  int p = TextPosNoCase(SubStr, S);
  return p == 0 ? fw::String(S) : fw::String(S.substr(0, static_cast<size_t>(p) - 1));
}

fw::String TextAfter(fw::StringView SubStr, fw::StringView S) {
  int p = TextPosNoCase(SubStr, S);
  return p == 0 ? fw::String() : fw::String(S.substr(static_cast<size_t>(p) - 1 + SubStr.size()));
}

fw::String TextWithPrefix(fw::StringView Prefix, fw::StringView S) {
  return S.starts_with(Prefix) ? fw::String(S) : fw::String(Prefix) + fw::String(S);
}

fw::String TextWithSuffix(fw::StringView Suffix, fw::StringView S) {
  return S.ends_with(Suffix) ? fw::String(S) : fw::String(S) + fw::String(Suffix);
}

fw::String TextWithoutPrefix(fw::StringView Prefix, fw::StringView S) {
  return S.starts_with(Prefix) ? fw::String(S.substr(Prefix.size())) : fw::String(S);
}

void TextReplace(fw::String& S, fw::StringView Search, fw::StringView Replace, unsigned Flags) {
  if (Search.empty()) {
    if (!S.empty()) RaiseBlankSearch();
    S = fw::String(Replace);
    return;
  }
  if (S.empty()) return;
  const bool ignoreCase = Flags & trfIgnoreCase;
  const fw::String search = ignoreCase ? TextUpper(Search) : fw::String(Search);
  fw::String out;
  out.reserve(S.size());
  size_t i = 0;
  while (i < S.size()) {
    bool match = i + search.size() <= S.size();
    for (size_t k = 0; match && k < search.size(); ++k) {
      char16_t c = ignoreCase ? CharToUpper(S[i + k]) : S[i + k];
      match = c == search[k];
    }
    if (!match) {
      out.push_back(S[i++]);
      continue;
    }
    out += Replace;
    i += search.size();
    if (!(Flags & trfReplaceAll)) {
      out.append(S, i, fw::String::npos);
      break;
    }
  }
  S = std::move(out);
}

bool TextMatchesMask(fw::StringView Mask, fw::StringView S, int From) {
  if (Mask.empty()) RaiseBlankSearch();
  if (Mask == u"*") return true;
  if (S.empty()) return false;
  if (From <= 0 || static_cast<size_t>(From) > S.size()) throw EUclStringError(u"Argument out of range");
  // The usual single-backtrack star match: after a mismatch resume one unit
  // further behind the last "*".
  size_t s = static_cast<size_t>(From) - 1, m = 0;
  size_t starM = fw::String::npos, starS = 0;
  while (s < S.size()) {
    if (m < Mask.size() && (Mask[m] == u'?' || Mask[m] == S[s])) {
      ++s;
      ++m;
    } else if (m < Mask.size() && Mask[m] == u'*') {
      starM = m++;
      starS = s;
    } else if (starM != fw::String::npos) {
      m = starM + 1;
      s = ++starS;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == u'*') ++m;
  return m == Mask.size();
}

fw::String TextReplaceChar(fw::StringView S, char16_t Source, char16_t Target) {
  fw::String r(S);
  ReplaceCharInPlace(r, Source, Target);
  return r;
}

int ReplaceCharInPlace(fw::String& S, char16_t Source, char16_t Target) {
  if (Source == Target) return 0;
  int n = 0;
  for (char16_t& c : S)
    if (c == Source) {
      c = Target;
      ++n;
    }
  return n;
}

int CharFind(fw::StringView S, char16_t Ch, int Index) {
  if (Index < 1 || static_cast<size_t>(Index) > S.size()) return 0;
  size_t p = S.find(Ch, static_cast<size_t>(Index) - 1);
  return p == fw::StringView::npos ? 0 : static_cast<int>(p) + 1;
}

int CharFindLast(fw::StringView S, char16_t Ch, int Index) {
  if (Index < 1 || static_cast<size_t>(Index) > S.size()) return 0;
  size_t p = S.rfind(Ch);
  return p == fw::StringView::npos || p + 1 < static_cast<size_t>(Index) ? 0 : static_cast<int>(p) + 1;
}

void TextCutAtNul(fw::String& S) {
  size_t p = S.find(u'\0');
  if (p != fw::String::npos) S.resize(p);
}

namespace {
const uint16_t* gWideTypes = nullptr;
const uint16_t* gAnsiTypes = nullptr;

uint16_t AsciiType(unsigned c) {
  uint16_t t = 0;
  if (c >= 'A' && c <= 'Z') t |= 0x1 | 0x100;
  if (c >= 'a' && c <= 'z') t |= 0x2 | 0x100;
  if (c >= '0' && c <= '9') t |= 0x4;
  if (c == ' ' || (c >= 9 && c <= 13)) t |= 0x8;
  if (c < 0x20 || c == 0x7F) t |= 0x20;
  if (c == ' ' || c == '\t') t |= 0x40;
  if ((c >= '0' && c <= '9') || ((c | 0x20) >= 'a' && (c | 0x20) <= 'f')) t |= 0x80;
  if (c > 0x20 && c < 0x7F && !(t & 0x107)) t |= 0x10;
  return t;
}
}  // namespace

void SetCharTypeTables(const uint16_t* WideTypes, const uint16_t* AnsiTypes) {
  gWideTypes = WideTypes;
  gAnsiTypes = AnsiTypes;
}

uint16_t CharType(char16_t Ch) { return gWideTypes ? gWideTypes[Ch] : Ch < 0x80 ? AsciiType(Ch) : 0; }

static uint16_t AnsiType(char Ch) {
  const unsigned c = static_cast<unsigned char>(Ch);
  return gAnsiTypes ? gAnsiTypes[c] : c < 0x80 ? AsciiType(c) : 0;
}
bool CharIsUpperAnsi(char Ch) { return AnsiType(Ch) & 0x1; }
bool CharIsLowerAnsi(char Ch) { return AnsiType(Ch) & 0x2; }

std::string AnsiTextFromBuffer(const char* P) { return P ? std::string(P) : std::string(); }

void AnsiTextToBuffer(char* Dest, size_t BufSize, const std::string& S) {
  if (!Dest || BufSize == 0) return;
  const size_t n = std::min(S.size(), BufSize - 1);
  S.copy(Dest, n);
  Dest[n] = '\0';
}

size_t AnsiFormatToBuffer(char* Buffer, size_t BufSize, std::string_view Format,
                          std::initializer_list<fw::TVarRec> Args) {
  const std::string text = fw::StringToAnsi(fw::Format(fw::AnsiToString(Format), Args));
  AnsiTextToBuffer(Buffer, BufSize, text);
  return Buffer && BufSize ? std::min(text.size(), BufSize - 1) : 0;
}

const char16_t* StrPosInWide(const char16_t* Str, const char16_t* SubStr) {
  if (!Str || !SubStr || !*Str || !*SubStr) return nullptr;
  const fw::StringView s(Str), sub(SubStr);
  size_t p = s.find(sub);
  return p == fw::StringView::npos ? nullptr : Str + p;
}

uint16_t FpuControlWord() {
#if defined(__i386__) || defined(__x86_64__)
  uint16_t cw = 0;
  __asm__ volatile("fnstcw %0" : "=m"(cw));
  return cw;
#else
  return 0;
#endif
}

fw::String TextTakeToken(fw::String& S, char16_t Separator) {
  size_t p = S.find(Separator);
  fw::String token;
  if (p == fw::String::npos) {
    token = std::move(S);
    S.clear();
  } else {
    token = S.substr(0, p);
    S.erase(0, p + 1);
  }
  return token;
}

void TextSplitTokens(fw::StringView S, char16_t Separator, fw::TStrings* List) {
  if (!List) return;
  List->BeginUpdate();
  List->Clear();
  fw::String rest(S);
  while (!rest.empty()) List->Add(TextTakeToken(rest, Separator));
  List->EndUpdate();
}

void TextSplitBy(fw::StringView S, fw::StringView Separator, fw::TStrings* List, bool AllowEmpty) {
  if (!List) return;
  List->BeginUpdate();
  List->Clear();
  size_t p = 0;
  if (!Separator.empty()) {
    for (size_t q; (q = S.find(Separator, p)) != fw::StringView::npos; p = q + Separator.size())
      if (AllowEmpty || q > p) List->Add(fw::String(S.substr(p, q - p)));
  }
  if (AllowEmpty || p < S.size()) List->Add(fw::String(S.substr(p)));
  List->EndUpdate();
}

}  // namespace services
