// A small skin made in code: a plain form and every scroll-bar section a solid colour of its
// own per state, no masks, no textures, so that a pixel tells which part in
// which state was painted there. Tests of skinned windows and controls use
// it where the program's own skins would be too rich to check by pixel.
#pragma once

#include <memory>

#include "skin/engine/core/pixel_buffer.h"
#include "skin/engine/core/pixel_view.h"
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

// Colours of the control sections added by SyntheticControlSkin.
constexpr fw::TColor kButton = 0x20C0C0, kButtonText = 0x101080, kEdit = 0xE0E0C0, kEditText = 0x402000,
                     kLabelText = 0x600060, kBorder = 0x0000C0;

// The scroll skin with a button section of four states (states 2 and 3
// paint as hot: there are no masks), an edit section of two states and a
// see-through check-box section for statics; each with its own text colour.
inline std::unique_ptr<skin::TkLoadedSkin> SyntheticControlSkin() {
  auto s = SyntheticScrollSkin();
  auto section = [&](const char16_t* name, int states, fw::TColor color, fw::TColor text, int transparency) {
    skin::TkGeneralData g;
    g.ClassName = name;
    g.States = states;
    g.Props[0].Color = color;
    g.Props[1].Color = Hot(color);
    g.Props[0].FontColor.Color = text;
    g.Props[1].FontColor.Color = Hot(text);
    g.Props[0].Transparency = g.Props[1].Transparency = transparency;
    s->gd.push_back(g);
  };
  section(u"BUTTON", 4, kButton, kButtonText, 0);
  section(u"EDIT", 2, kEdit, kEditText, 0);
  section(u"CHECKBOX", 1, kMain, kLabelText, 100);
  s->Palette[skin::pcBorder] = kBorder;
  s->InitConstantIndexes();
  return s;
}

// Colours of the sections added by SyntheticDialogSkin (text colours are
// their own; hot states add 0x10 to blue as above).
constexpr fw::TColor kPage = 0x30C0A0, kPageBottom = 0x2090F0, kCheckBox = 0xE0D0C0, kGroupBox = 0xC0E0D0,
                     kDlgButton = 0x6060C0, kUpDown = 0xA02060, kTab = 0x4080E0, kText = 0x102030,
                     kPanel = 0x80A0C0, kPanelLow = 0x607080, kToolButton = 0x40C040;
// Check and radio glyphs: 12 x 12, one colour per mask and state (state
// s adds 0x20 * s to red).
constexpr fw::TColor kBoxUnchecked = 0x00A000, kBoxChecked = 0x0000A0, kBoxGrayed = 0x808080,
                     kRadioUnchecked = 0x00A0A0, kRadioChecked = 0xA000A0, kGrip = 0x3050F0;
constexpr int kGlyphSize = 12;

// The scroll skin with the sections of dialog controls, tabs and pages,
// and the check and radio glyphs (solid squares cut from the master image).
inline std::unique_ptr<skin::TkLoadedSkin> SyntheticDialogSkin() {
  auto s = SyntheticScrollSkin();
  auto section = [&](const char16_t* name, fw::TColor color) {
    skin::TkGeneralData g;
    g.ClassName = name;
    g.States = 3;
    g.Props[0].Color = color;
    g.Props[1].Color = Hot(color);
    g.Props[0].FontColor.Color = kText;
    g.Props[1].FontColor.Color = Hot(kText);
    s->gd.push_back(g);
  };
  section(u"PAGECONTROL", kPage);
  section(u"PAGECONTROLBOTTOM", kPageBottom);
  section(u"CHECKBOX", kCheckBox);
  section(u"GROUPBOX", kGroupBox);
  section(u"BUTTON", kDlgButton);
  section(u"UPDOWNBTN", kUpDown);
  section(u"TABTOP", kTab);
  section(u"PANEL", kPanel);
  section(u"PANEL_LOW", kPanelLow);
  section(u"TOOLBUTTON", kToolButton);
  const std::pair<const char16_t*, fw::TColor> glyphs[] = {{u"BOXUNCHECKED", kBoxUnchecked},
                                                           {u"BOXCHECKED", kBoxChecked},
                                                           {u"BOXGRAYED", kBoxGrayed},
                                                           {u"RADIOUNCHECKED", kRadioUnchecked},
                                                           {u"RADIOCHECKED", kRadioChecked},
                                                           {u"GRIPIMAGE", kGrip}};
  const int n = int(std::size(glyphs));
  s->MasterBitmap.SetSize(skin::TPixelFormat::pf32bit, 3 * kGlyphSize, n * kGlyphSize);
  const skin::TPixelView32 v = skin::View32(s->MasterBitmap);
  for (int i = 0; i < n; ++i) {
    for (int state = 0; state < 3; ++state)
      for (int y = 0; y < kGlyphSize; ++y)
        for (int x = 0; x < kGlyphSize; ++x)
          v.Pixel(state * kGlyphSize + x, i * kGlyphSize + y) =
              skin::ColorToPixel(uint32_t(glyphs[i].second) + 0x20u * uint32_t(state), 255);
    skin::TkMaskData m;
    m.ClassName = u"GLOBALINFO";
    m.PropertyName = glyphs[i].first;
    m.R = fw::Rect(0, i * kGlyphSize, 3 * kGlyphSize, (i + 1) * kGlyphSize);
    m.ImageCount = 3;
    m.MaskType = 0;
    m.ImgType = skin::TkcImgType::itisaGlyph;
    s->ma.push_back(m);
  }
  s->InitConstantIndexes();
  return s;
}

// Title-button masks in "GLOBALINFO": close, maximise, restore and
// minimise, 21 x 21 a state with three states of solid colours (state s of
// a button: its colour + s), and the close button's glow picture
// "BICONCLOSEGLOW0", 27 x 27 of kGlow, reaching kGlowMargin pixels beyond
// the button.
constexpr fw::TColor kCloseBtn = 0x2020C0, kMaxBtn = 0x20C020, kNormBtn = 0x20A0A0, kMinBtn = 0xC02020,
                     kGlow = 0x30F0F0;
constexpr int kTitleBtnSize = 21, kGlowSize = 27, kGlowMargin = 3;

inline void AddTitleButtonMasks(skin::TkLoadedSkin& s) {
  auto mask = [&](const char16_t* name, fw::TColor color, int frames, int size) {
    auto bmp = std::make_shared<skin::TPixelBuffer>(skin::TPixelFormat::pf32bit, size * frames, size);
    for (int y = 0; y < size; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(bmp->ScanLine(y));
      for (int x = 0; x < size * frames; ++x) {
        const uint32_t c = static_cast<uint32_t>(color + x / size);
        // 0x00BBGGRR to pixel bytes B, G, R, A.
        row[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      }
    }
    skin::TkMaskData m;
    m.Bmp = bmp;
    m.ClassName = u"GLOBALINFO";
    m.PropertyName = name;
    m.R = fw::Rect(0, 0, size * frames, size);
    m.ImageCount = static_cast<int16_t>(frames);
    m.ImgType = skin::TkcImgType::itisaGlyph;
    s.ma.push_back(m);
  };
  mask(u"BICONCLOSE", kCloseBtn, 3, kTitleBtnSize);
  mask(u"BICONMAX", kMaxBtn, 3, kTitleBtnSize);
  mask(u"BICONNORM", kNormBtn, 3, kTitleBtnSize);
  mask(u"BICONMIN", kMinBtn, 3, kTitleBtnSize);
  mask(u"BICONCLOSEGLOW0", kGlow, 1, kGlowSize);
  s.CommonSkinData.BICloseGlowMargin = kGlowMargin;
  s.InitConstantIndexes();
}

// Colours of the dialog frame and its title in SyntheticDialogFrameSkin,
// and the help button's mask (the other title buttons are those of
// AddTitleButtonMasks).
constexpr fw::TColor kDialog = 0x206020, kTitle = 0x602020, kHelpBtn = 0xC020C0;

// The dialog skin with a "DIALOG" section, a "FORMTITLE" and the big
// title-button masks with help (there are no small ones, so every dialog
// takes the big ones).
inline std::unique_ptr<skin::TkLoadedSkin> SyntheticDialogFrameSkin() {
  auto s = SyntheticDialogSkin();
  auto section = [&](const char16_t* name, fw::TColor color) {
    skin::TkGeneralData g;
    g.ClassName = name;
    g.States = 2;
    g.Props[0].Color = g.Props[1].Color = color;
    g.Props[0].FontColor.Color = g.Props[1].FontColor.Color = 0xFFFFFF;
    s->gd.push_back(g);
  };
  section(u"DIALOG", kDialog);
  section(u"FORMTITLE", kTitle);
  AddTitleButtonMasks(*s);
  skin::TkMaskData help = s->ma[s->ConstData.MaskCloseBtn];
  help.PropertyName = u"BICONHELP";
  help.Bmp = std::make_shared<skin::TPixelBuffer>(*help.Bmp);
  for (int y = 0; y < help.Bmp->Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(help.Bmp->ScanLine(y));
    for (int x = 0; x < help.Bmp->Width(); ++x)
      row[x] = 0xFF000000u | ((kHelpBtn & 0xFF) << 16) | (kHelpBtn & 0xFF00) | ((kHelpBtn >> 16) & 0xFF);
  }
  s->ma.push_back(help);
  s->InitConstantIndexes();
  return s;
}

// Colours of the column header section added by SyntheticListSkin; the
// hot state adds 0x10 to the blue channel of both.
constexpr fw::TColor kHeader = 0x40A060, kHeaderText = 0x0000C0;

// The control skin with the column header of list views.
inline std::unique_ptr<skin::TkLoadedSkin> SyntheticListSkin() {
  auto s = SyntheticControlSkin();
  skin::TkGeneralData g;
  g.ClassName = u"COLHEADER";
  g.States = 3;
  g.Props[0].Color = kHeader;
  g.Props[1].Color = Hot(kHeader);
  g.Props[0].FontColor.Color = kHeaderText;
  g.Props[1].FontColor.Color = Hot(kHeaderText);
  s->gd.push_back(g);
  s->InitConstantIndexes();
  return s;
}

// Colours of the status bar's section and its dividers.
constexpr fw::TColor kStatus = 0x90B0D0, kDivider = 0x104080, kStatusText = 0x000080;

// The scroll skin with a "STATUSBAR" section and a "DIVIDER" section whose
// "BORDERSMASK" (2 + 2 pixels of border) makes dividers 4 pixels wide; with
// PanelMask a "STATUSPANELMASK" of the status bar's section as well (all
// pixels kDivider).
inline std::unique_ptr<skin::TkLoadedSkin> SyntheticStatusBarSkin(bool PanelMask = false) {
  auto s = SyntheticScrollSkin();
  auto section = [&](const char16_t* name, fw::TColor color) {
    skin::TkGeneralData g;
    g.ClassName = name;
    g.States = 1;
    g.Props[0].Color = g.Props[1].Color = color;
    g.Props[0].FontColor.Color = g.Props[1].FontColor.Color = kStatusText;
    s->gd.push_back(g);
  };
  section(u"STATUSBAR", kStatus);
  section(u"DIVIDER", kDivider);
  auto mask = [&](const char16_t* cls, const char16_t* name) {
    skin::TkMaskData m;
    m.ClassName = cls;
    m.PropertyName = name;
    m.ImageCount = 1;
    m.WL = m.WT = m.WR = m.WB = 2;
    m.R = fw::Rect(0, 0, 6, 6);
    m.Bmp = std::make_shared<skin::TPixelBuffer>(skin::TPixelFormat::pf32bit, 6, 6);
    for (int y = 0; y < 6; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(m.Bmp->ScanLine(y));
      for (int x = 0; x < 6; ++x)
        row[x] = 0xFF000000u | ((kDivider & 0xFF) << 16) | (kDivider & 0xFF00) | ((kDivider >> 16) & 0xFF);
    }
    s->ma.push_back(m);
  };
  mask(u"DIVIDER", u"BORDERSMASK");
  if (PanelMask) mask(u"STATUSBAR", u"STATUSPANELMASK");
  s->InitConstantIndexes();
  return s;
}

// The section and masks of track bars added by SyntheticTrackSkin: the
// section kTrackBar; the channel 4 pixels thick; the thumb 10 x 20 with its
// top 3 rows in kThumbTip (so a turned thumb shows); ticks 1 x 4; frame s
// (0 normal, 1 hot or pressed) of a mask adds 0x20 * s to red.
constexpr fw::TColor kTrackBar = 0x806040, kChannel = 0x2020A0, kThumbBody = 0x20A020, kThumbTip = 0xA0A020,
                     kTick = 0x102080;
constexpr int kChannelThickness = 4, kThumbWidth = 10, kThumbHeight = 20;

inline std::unique_ptr<skin::TkLoadedSkin> SyntheticTrackSkin() {
  auto s = SyntheticControlSkin();
  skin::TkGeneralData g;
  g.ClassName = u"TRACKBAR";
  g.States = 2;
  g.Props[0].Color = kTrackBar;
  g.Props[1].Color = Hot(kTrackBar);
  s->gd.push_back(g);
  auto mask = [&](const char16_t* name, int w, int h, auto colorAt) -> skin::TkMaskData& {
    auto bmp = std::make_shared<skin::TPixelBuffer>(skin::TPixelFormat::pf32bit, 2 * w, h);
    for (int y = 0; y < h; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(bmp->ScanLine(y));
      for (int x = 0; x < 2 * w; ++x) {
        const uint32_t c = uint32_t(colorAt(y)) + 0x20u * uint32_t(x / w);
        row[x] = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      }
    }
    skin::TkMaskData m;
    m.Bmp = bmp;
    m.ClassName = u"TRACKBAR";
    m.PropertyName = name;
    m.R = fw::Rect(0, 0, 2 * w, h);
    m.ImageCount = 2;
    m.ImgType = skin::TkcImgType::itisaGlyph;
    s->ma.push_back(m);
    return s->ma.back();
  };
  // The channel stretches: edges of 2 and 1 pixels and its centre.
  skin::TkMaskData& channel = mask(u"SLIDERCHANNEL", 10, kChannelThickness, [](int) { return kChannel; });
  channel.ImgType = skin::TkcImgType::itisaBorder;
  channel.DrawMode = skin::dmPaintCenter;
  channel.WL = channel.WR = 2;
  channel.WT = channel.WB = 1;
  mask(u"SLIDERMASK", kThumbWidth, kThumbHeight, [](int y) { return y < 3 ? kThumbTip : kThumbBody; });
  mask(u"TICKHORZ", 1, 4, [](int) { return kTick; });
  s->InitConstantIndexes();
  return s;
}

}  // namespace skintest
