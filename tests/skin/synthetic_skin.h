// A small skin made in code: a plain form and every scroll-bar section a solid colour of its
// own per state, no masks, no textures, so that a pixel tells which part in
// which state was painted there. Tests of skinned windows and controls use
// it where the program's own skins would be too rich to check by pixel.
#pragma once

#include <memory>

#include "skin/engine/core/skin_data.h"

namespace skintest {

// Colours (0x00BBGGRR) of the sections; hot (and pressed) states add 0x10
// to the blue channel.
constexpr fw::TColor kTrack1 = 0x000080, kTrack2 = 0x008000, kArrow1 = 0x800000, kArrow2 = 0x808000,
                     kThumb = 0x008080, kMain = 0x404040, kArrowMark = 0x000000;
constexpr fw::TColor Hot(fw::TColor c) { return c + 0x100000; }

inline std::unique_ptr<skin::TkLoadedSkin> SyntheticScrollSkin() {
  auto s = std::make_unique<skin::TkLoadedSkin>();
  auto section = [&](const char16_t* name, fw::TColor color) {
    skin::TkGeneralData g;
    g.ClassName = name;
    g.States = 3;
    g.Props[0].Color = color;
    g.Props[1].Color = Hot(color);
    g.Props[0].FontColor.Color = g.Props[1].FontColor.Color = kArrowMark;
    s->gd.push_back(g);
  };
  section(u"GLOBALINFO", kMain);
  section(u"FORM", kMain);
  section(u"SCROLLBAR1H", kTrack1);
  section(u"SCROLLBAR1V", kTrack1);
  section(u"SCROLLBAR2H", kTrack2);
  section(u"SCROLLBAR2V", kTrack2);
  section(u"SCROLLBTNLEFT", kArrow1);
  section(u"SCROLLBTNTOP", kArrow1);
  section(u"SCROLLBTNRIGHT", kArrow2);
  section(u"SCROLLBTNBOTTOM", kArrow2);
  section(u"SCROLLSLIDERH", kThumb);
  section(u"SCROLLSLIDERV", kThumb);
  s->Palette[skin::pcMainColor] = kMain;
  s->InitConstantIndexes();
  return s;
}

}  // namespace skintest
