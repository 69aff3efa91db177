// UTF-16 text routines with 1-based positions: case-insensitive search,
// prefixes and suffixes, replacement, wildcard masks, token splitting.
// Upper-casing goes through one case table, code unit by code unit; the
// Windows side fills it from the system at start-up (SetUpperCaseTable),
// before that the framework's case mapping serves.
#pragma once

#include <cstdint>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/strings_list.h"
#include "fw/core/types.h"

namespace services {

class EUclError : public fw::Exception {
 public:
  using Exception::Exception;
};
FW_EXCEPTION_CLASS(EUclStringError, EUclError)

// Table of 65,536 upper-case code units (null: the framework's mapping). The
// table must stay alive.
void SetUpperCaseTable(const char16_t* Table);
char16_t CharToUpper(char16_t Ch);
fw::String TextUpper(fw::StringView S);
void TextUpperInPlace(fw::String& S);

fw::String TextLeft(fw::StringView S, int Count);
fw::String TextFrom(fw::StringView S, int N);
int TextPosNoCase(fw::StringView SubStr, fw::StringView S);
int TextFindNoCase(fw::StringView SubStr, fw::StringView S, int From);
fw::String TextBefore(fw::StringView SubStr, fw::StringView S);
fw::String TextAfter(fw::StringView SubStr, fw::StringView S);
fw::String TextWithPrefix(fw::StringView Prefix, fw::StringView S);
fw::String TextWithSuffix(fw::StringView Suffix, fw::StringView S);
fw::String TextWithoutPrefix(fw::StringView Prefix, fw::StringView S);

enum TTextReplaceFlag : unsigned { trfReplaceAll = 1, trfIgnoreCase = 2 };
// Replaces Search by Replace (the first or every occurrence); inserted text
// is never searched again. An empty Search raises EUclStringError "Search
// string cannot be blank" unless S is empty too (S becomes Replace).
void TextReplace(fw::String& S, fw::StringView Search, fw::StringView Replace, unsigned Flags);
// "*" any run, "?" one unit, case-sensitive, from position From to the end.
// An empty mask raises "Search string cannot be blank", From outside S
// "Argument out of range".
bool TextMatchesMask(fw::StringView Mask, fw::StringView S, int From = 1);

fw::String TextReplaceChar(fw::StringView S, char16_t Source, char16_t Target);
int ReplaceCharInPlace(fw::String& S, char16_t Source, char16_t Target);
int CharFind(fw::StringView S, char16_t Ch, int Index);
int CharFindLast(fw::StringView S, char16_t Ch, int Index);
void TextCutAtNul(fw::String& S);

// Character classes (upper 0x1, lower 0x2, digit 0x4, space 0x8,
// punctuation 0x10, control 0x20, blank 0x40, hexadecimal digit 0x80,
// letter 0x100) from a table of 65,536 entries (null: ASCII rules), and the
// same for the 256 single-byte characters.
void SetCharTypeTables(const uint16_t* WideTypes, const uint16_t* AnsiTypes);
uint16_t CharType(char16_t Ch);
bool CharIsUpperAnsi(char Ch);
bool CharIsLowerAnsi(char Ch);

// Single-byte text from a NUL-terminated buffer, and into one of BufSize
// bytes (cut to fit, always terminated).
std::string AnsiTextFromBuffer(const char* P);
void AnsiTextToBuffer(char* Dest, size_t BufSize, const std::string& S);
// The first occurrence of SubStr in the NUL-terminated Str; null when
// either is null or empty or there is none.
const char16_t* StrPosInWide(const char16_t* Str, const char16_t* SubStr);
// The x87 control word (0 where there is no x87 unit).
uint16_t FpuControlWord();

fw::String TextTakeToken(fw::String& S, char16_t Separator);
void TextSplitTokens(fw::StringView S, char16_t Separator, fw::TStrings* List);
void TextSplitBy(fw::StringView S, fw::StringView Separator, fw::TStrings* List, bool AllowEmpty);

}  // namespace services
