#include "fw/core/cursors.h"

#include <iterator>
#include <string>

#include "fw/core/exceptions.h"
#include "fw/core/typeinfo.h"

namespace fw {
namespace {

const TIdentMapEntry kCursors[] = {
    {crDefault, u"crDefault"},     {crNone, u"crNone"},         {crArrow, u"crArrow"},
    {crCross, u"crCross"},         {crIBeam, u"crIBeam"},       {crSizeNESW, u"crSizeNESW"},
    {crSizeNS, u"crSizeNS"},       {crSizeNWSE, u"crSizeNWSE"}, {crSizeWE, u"crSizeWE"},
    {crUpArrow, u"crUpArrow"},     {crHourGlass, u"crHourGlass"}, {crDrag, u"crDrag"},
    {crNoDrop, u"crNoDrop"},       {crHSplit, u"crHSplit"},     {crVSplit, u"crVSplit"},
    {crMultiDrag, u"crMultiDrag"}, {crSQLWait, u"crSQLWait"},   {crNo, u"crNo"},
    {crAppStart, u"crAppStart"},   {crHelp, u"crHelp"},         {crHandPoint, u"crHandPoint"},
    {crSizeAll, u"crSizeAll"},     {crSize, u"crSize"},
};

}  // namespace

bool CursorToIdent(int64_t cursor, String& ident) {
  return IntToIdentIn(kCursors, std::size(kCursors), cursor, ident);
}

bool IdentToCursor(StringView ident, int64_t& cursor) {
  return IdentToIntIn(kCursors, std::size(kCursors), ident, cursor);
}

String CursorToString(TCursor cursor) {
  String name;
  if (CursorToIdent(cursor, name)) return name;
  std::string s = std::to_string(cursor);
  return String(s.begin(), s.end());
}

TCursor StringToCursor(StringView text) {
  int64_t v = 0;
  if (IdentToCursor(text, v)) return static_cast<TCursor>(v);
  std::string digits = StringToUtf8(text);
  size_t used = 0;
  try {
    long n = std::stol(digits, &used, 10);
    if (used == digits.size() && n >= INT16_MIN && n <= INT16_MAX) return static_cast<TCursor>(n);
  } catch (const std::exception&) {
  }
  throw EConvertError(u"'" + String(text) + u"' is not a valid integer value");
}

const TTypeInfo* TypeInfoTCursor() {
  static const TTypeInfo* t =
      TTypeInfo::MakeInteger(u"TCursor", otSWord, INT16_MIN, INT16_MAX, &CursorToIdent, &IdentToCursor);
  return t;
}

}  // namespace fw
