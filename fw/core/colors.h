// Colour constants and their names ("clRed" <-> 0x0000FF). System colours
// have 0xFF in the high byte and the Windows COLOR_* index in the low one.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace fw {

namespace detail {
constexpr TColor SysColor(uint32_t index) { return static_cast<TColor>(0xFF000000u | index); }
}  // namespace detail

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

constexpr TColor clScrollBar = detail::SysColor(0);
constexpr TColor clBackground = detail::SysColor(1);
constexpr TColor clActiveCaption = detail::SysColor(2);
constexpr TColor clInactiveCaption = detail::SysColor(3);
constexpr TColor clMenu = detail::SysColor(4);
constexpr TColor clWindow = detail::SysColor(5);
constexpr TColor clWindowFrame = detail::SysColor(6);
constexpr TColor clMenuText = detail::SysColor(7);
constexpr TColor clWindowText = detail::SysColor(8);
constexpr TColor clCaptionText = detail::SysColor(9);
constexpr TColor clActiveBorder = detail::SysColor(10);
constexpr TColor clInactiveBorder = detail::SysColor(11);
constexpr TColor clAppWorkSpace = detail::SysColor(12);
constexpr TColor clHighlight = detail::SysColor(13);
constexpr TColor clHighlightText = detail::SysColor(14);
constexpr TColor clBtnFace = detail::SysColor(15);
constexpr TColor clBtnShadow = detail::SysColor(16);
constexpr TColor clGrayText = detail::SysColor(17);
constexpr TColor clBtnText = detail::SysColor(18);
constexpr TColor clInactiveCaptionText = detail::SysColor(19);
constexpr TColor clBtnHighlight = detail::SysColor(20);
constexpr TColor cl3DDkShadow = detail::SysColor(21);
constexpr TColor cl3DLight = detail::SysColor(22);
constexpr TColor clInfoText = detail::SysColor(23);
constexpr TColor clInfoBk = detail::SysColor(24);
constexpr TColor clHotLight = detail::SysColor(26);
constexpr TColor clGradientActiveCaption = detail::SysColor(27);
constexpr TColor clGradientInactiveCaption = detail::SysColor(28);
constexpr TColor clMenuHighlight = detail::SysColor(29);
constexpr TColor clMenuBar = detail::SysColor(30);

// Name of a colour that has one; false for any other value.
bool ColorToIdent(int64_t color, String& ident);
// Case-insensitive; false for an unknown name.
bool IdentToColor(StringView ident, int64_t& color);
// The name, or "$" and eight hex digits ("$00A0B0C0").
String ColorToString(TColor color);
// A name, a decimal number or "$hex"; EConvertError for anything else.
TColor StringToColor(StringView text);

}  // namespace fw
