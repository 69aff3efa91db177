#include "skin/engine/core/control_kinds.h"

#include <initializer_list>
#include <utility>

#include "fw/core/mathutils.h"

namespace skin {

namespace {

struct TKindRange {
  int From, To;
};

bool InRanges(int kind, std::initializer_list<TKindRange> ranges) {
  if (kind < 0 || kind > 255) return false;
  for (const TKindRange& r : ranges)
    if (kind >= r.From && kind <= r.To) return true;
  return false;
}

struct TKindSection {
  std::initializer_list<TKindRange> Kinds;
  const char16_t* Section;
};

const TKindSection kDefaultSections[] = {
    {{{2, 8}, {10, 10}, {41, 41}, {76, 76}, {78, 78}, {83, 85}, {96, 96}, {131, 131}, {140, 140}, {230, 230}},
     u"EDIT"},
    {{{11, 18}, {81, 82}}, u"COMBOBOX"},
    {{{19, 19}}, u"BAR"},
    {{{20, 20}}, u"BARTITLE"},
    {{{32, 33}, {50, 50}, {152, 152}}, u"CHECKBOX"},
    {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, u"PANEL"},
    {{{52, 52}, {58, 58}}, u"PANEL_LOW"},
    {{{53, 54}, {60, 60}}, u"TOOLBAR"},
    {{{56, 56}}, u"DRAGBAR"},
    {{{57, 57}}, u"TABSHEET"},
    {{{74, 74}, {226, 226}}, u"GROUPBOX"},
    {{{75, 75}}, u"SPLITTER"},
    {{{92, 92}, {95, 95}}, u"SPEEDBUTTON"},
    {{{93, 94}}, u"BUTTON"},
    {{{98, 98}}, u"TOOLBUTTON"},
    {{{141, 141}, {143, 143}}, u"PAGECONTROL"},
    {{{151, 151}}, u"STATUSBAR"},
    {{{161, 161}}, u"GAUGE"},
    {{{165, 165}}, u"TRACKBAR"},
};

uint8_t Byte(fw::TColor c, int shift) { return static_cast<uint8_t>((static_cast<uint32_t>(c) >> shift) & 0xFF); }

}  // namespace

fw::String DefaultSectionOfKind(int kind, fw::StringView ownerClassName) {
  for (const TKindSection& s : kDefaultSections)
    if (InRanges(kind, s.Kinds)) return s.Section;
  return fw::String(ownerClassName);
}

bool IsPlainBgKind(int kind) {
  return InRanges(kind, {{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110}, {141, 141}, {143, 143},
                         {151, 151}, {161, 161}, {226, 226}});
}

bool IsColoredKind(int kind) {
  return InRanges(kind, {{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}, {231, 231}});
}

bool IsNoHotKind(int kind) { return InRanges(kind, {{19, 19}, {51, 74}, {110, 110}, {141, 161}}); }

uint16_t SectionBgType(const TkGenState& state) {
  uint16_t result = 0;
  if (state.ImagePercent != 0) result |= 4;
  if (state.GradientPercent != 0 && !state.GradientArray.empty()) {
    switch (state.GradientArray[0].Mode1) {
      case 0: result += 2; break;
      case 1: result += 1; break;
      case 2: result += 3; break;
      default: break;
    }
  }
  return result;
}

fw::TColor BlendBgColor256(fw::TColor own, fw::TColor parent, int transparency) {
  uint32_t result = static_cast<uint32_t>(Byte(parent, 24)) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    int o = Byte(own, shift), p = Byte(parent, shift);
    result |= static_cast<uint32_t>((o + (p - o) * transparency / 256) & 0xFF) << shift;
  }
  return static_cast<fw::TColor>(result);
}

fw::TColor BlendBgColorPercent(fw::TColor own, fw::TColor parent, int transparency) {
  uint32_t result = static_cast<uint32_t>(Byte(own, 24)) << 24;
  double t = transparency / 100.0;
  for (int shift = 0; shift < 24; shift += 8) {
    double v = Byte(own, shift) * t + Byte(parent, shift) * (1 - t);
    result |= static_cast<uint32_t>(fw::Trunc(v) & 0xFF) << shift;
  }
  return static_cast<fw::TColor>(result);
}

}  // namespace skin
