#include "fw/core/colors.h"

#include <iterator>

#include "fw/core/exceptions.h"
#include "fw/core/typeinfo.h"

namespace fw {
namespace {

const TIdentMapEntry kColors[] = {
    {clBlack, u"clBlack"},
    {clMaroon, u"clMaroon"},
    {clGreen, u"clGreen"},
    {clOlive, u"clOlive"},
    {clNavy, u"clNavy"},
    {clPurple, u"clPurple"},
    {clTeal, u"clTeal"},
    {clGray, u"clGray"},
    {clSilver, u"clSilver"},
    {clRed, u"clRed"},
    {clLime, u"clLime"},
    {clYellow, u"clYellow"},
    {clBlue, u"clBlue"},
    {clFuchsia, u"clFuchsia"},
    {clAqua, u"clAqua"},
    {clWhite, u"clWhite"},
    {clMoneyGreen, u"clMoneyGreen"},
    {clSkyBlue, u"clSkyBlue"},
    {clCream, u"clCream"},
    {clMedGray, u"clMedGray"},
    {clActiveBorder, u"clActiveBorder"},
    {clActiveCaption, u"clActiveCaption"},
    {clAppWorkSpace, u"clAppWorkSpace"},
    {clBackground, u"clBackground"},
    {clBtnFace, u"clBtnFace"},
    {clBtnHighlight, u"clBtnHighlight"},
    {clBtnShadow, u"clBtnShadow"},
    {clBtnText, u"clBtnText"},
    {clCaptionText, u"clCaptionText"},
    {clDefault, u"clDefault"},
    {clGradientActiveCaption, u"clGradientActiveCaption"},
    {clGradientInactiveCaption, u"clGradientInactiveCaption"},
    {clGrayText, u"clGrayText"},
    {clHighlight, u"clHighlight"},
    {clHighlightText, u"clHighlightText"},
    {clHotLight, u"clHotLight"},
    {clInactiveBorder, u"clInactiveBorder"},
    {clInactiveCaption, u"clInactiveCaption"},
    {clInactiveCaptionText, u"clInactiveCaptionText"},
    {clInfoBk, u"clInfoBk"},
    {clInfoText, u"clInfoText"},
    {clMenu, u"clMenu"},
    {clMenuBar, u"clMenuBar"},
    {clMenuHighlight, u"clMenuHighlight"},
    {clMenuText, u"clMenuText"},
    {clNone, u"clNone"},
    {clScrollBar, u"clScrollBar"},
    {cl3DDkShadow, u"cl3DDkShadow"},
    {cl3DLight, u"cl3DLight"},
    {clWindow, u"clWindow"},
    {clWindowFrame, u"clWindowFrame"},
    {clWindowText, u"clWindowText"},
};

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Decimal or "$"/"0x" hexadecimal, as a 32-bit value.
bool ParseColorNumber(StringView s, int64_t& value) {
  bool negative = false;
  if (!s.empty() && (s[0] == u'-' || s[0] == u'+')) {
    negative = s[0] == u'-';
    s.remove_prefix(1);
  }
  int base = 10;
  if (!s.empty() && s[0] == u'$') {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() > 1 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty()) return false;
  uint64_t v = 0;
  for (char16_t c : s) {
    int d = HexDigit(c);
    if (d < 0 || d >= base) return false;
    v = v * base + static_cast<uint64_t>(d);
    if (v > 0xFFFFFFFFu) return false;
  }
  if (negative && v > 0x80000000u) return false;
  value = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(v)));
  return true;
}

}  // namespace

bool ColorToIdent(int64_t color, String& ident) {
  return IntToIdentIn(kColors, std::size(kColors), color, ident);
}

bool IdentToColor(StringView ident, int64_t& color) {
  return IdentToIntIn(kColors, std::size(kColors), ident, color);
}

String ColorToString(TColor color) {
  String name;
  if (ColorToIdent(color, name)) return name;
  static const char16_t kHex[] = u"0123456789ABCDEF";
  String result = u"$";
  uint32_t v = static_cast<uint32_t>(color);
  for (int shift = 28; shift >= 0; shift -= 4) result += kHex[(v >> shift) & 0xF];
  return result;
}

TColor StringToColor(StringView text) {
  int64_t v = 0;
  if (IdentToColor(text, v) || ParseColorNumber(text, v)) return static_cast<TColor>(v);
  throw EConvertError(u"'" + String(text) + u"' is not a valid integer value");
}

const TTypeInfo* TypeInfoTColor() {
  static const TTypeInfo* t =
      TTypeInfo::MakeInteger(u"TColor", otSLong, INT32_MIN, INT32_MAX, &ColorToIdent, &IdentToColor);
  return t;
}

}  // namespace fw
