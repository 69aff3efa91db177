// UTF-16 text routines with 1-based positions: case-insensitive search,
// prefixes and suffixes, replacement, wildcard masks, token splitting.
// Upper-casing goes through one case table, code unit by code unit; the
// Windows side fills it from the system at start-up (SetCaseTables),
// before that the framework's case mapping serves.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "fw/core/exceptions.h"
#include "fw/core/strings_list.h"
#include "fw/core/sysutils.h"
#include "fw/core/types.h"

namespace services {

class EUclError : public fw::Exception {
 public:
  using Exception::Exception;
};
FW_EXCEPTION_CLASS(EUclStringError, EUclError)

// Case tables: for UTF-16 three blocks of 65,536 code units (lower case,
// upper case, reflected case), for the 256 single-byte characters three
// blocks of 256 bytes the same way. The Windows side fills them from the
// system at start-up; before that (null) the framework's case mapping
// serves. The tables must stay alive.
enum TCaseBlock : unsigned { cbLower = 0, cbUpper = 1, cbReflected = 2 };
void SetCaseTables(const char16_t* Wide, const unsigned char* Ansi);
// Fills the reflected block of Count characters from the lower and upper
// blocks: the lower form of an upper-case character (type flag 0x1), the
// upper form of a lower-case one (0x2), else the character itself.
template <class TChar>
void BuildReflectedCase(TChar* Table, const uint16_t* Types, size_t Count) {
  for (size_t c = 0; c < Count; ++c)
    Table[cbReflected * Count + c] = (Types[c] & 0x1)   ? Table[cbLower * Count + c]
                                     : (Types[c] & 0x2) ? Table[cbUpper * Count + c]
                                                        : static_cast<TChar>(c);
}
char16_t CharToUpper(char16_t Ch);
char16_t CharToLower(char16_t Ch);
char16_t CharToggleCase(char16_t Ch);
char CharToUpperAnsi(char Ch);
char CharToLowerAnsi(char Ch);
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
// Format (fw::Format) as single-byte text into a buffer of BufSize bytes,
// cut to fit and always terminated; returns the characters written.
size_t AnsiFormatToBuffer(char* Buffer, size_t BufSize, std::string_view Format,
                          std::initializer_list<fw::TVarRec> Args);

// Comparison of two texts without regard to case in the conventions of a
// locale (0x400: the user's), giving -1, 0 or 1. The Windows side installs
// the system's comparison at start-up; before that (null) the framework's
// case-less order serves.
using TUclCompareTextProc = int (*)(uint32_t Locale, fw::StringView A, fw::StringView B);
void SetCompareTextProc(TUclCompareTextProc Proc);
int UclCompareText(uint32_t Locale, fw::StringView A, fw::StringView B);
constexpr uint32_t LocaleUserDefault = 0x400;
// The first occurrence of SubStr in the NUL-terminated Str; null when
// either is null or empty or there is none.
const char16_t* StrPosInWide(const char16_t* Str, const char16_t* SubStr);
// The x87 control word (0 where there is no x87 unit).
uint16_t FpuControlWord();

fw::String TextTakeToken(fw::String& S, char16_t Separator);
void TextSplitTokens(fw::StringView S, char16_t Separator, fw::TStrings* List);
void TextSplitBy(fw::StringView S, fw::StringView Separator, fw::TStrings* List, bool AllowEmpty);

}  // namespace services
