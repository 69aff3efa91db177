// The skinned dialog's frame as numbers: the border kind and title buttons
// by style, the measurements with and without a caption, the caption's room
// and what a point of the title hits.
#include "skin/controls/core/dialog_frame.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

constexpr uint32_t kMessageBox = kWsPopup | kWsCaption | kWsSysMenu | kDsModalFrame;
constexpr uint32_t kSizeable = kWsPopup | kWsCaption | kWsSysMenu | kWsThickFrame | kWsMaximizeBox | kWsMinimizeBox;

TkcDialogState State(uint32_t style, uint32_t exStyle = 0) {
  TkcDialogState d;
  d.Style = style;
  d.ExStyle = exStyle;
  d.BorderStyle = DialogBorderStyle(style);
  return d;
}

// A dialog of 300 x 200 with a client area of 294 x 178 (3-pixel frame,
// 19-pixel caption), buttons placed.
struct Dialog {
  TkFormFrameFacts f;
  TkcDialogState d;
  TkcTitleButtonSizes s;
  TkCaptionLayout l;
  explicit Dialog(TkcDialogState state) : d(state) {
    f.BorderStyle = FrameStyleOf(d.BorderStyle);
    f.Style = d.Style;
    f.Width = 300;
    f.Height = 200;
    const int frame = FrameWidthOf(f, false);
    f.ClientWidth = 300 - 2 * frame;
    f.ClientHeight = 200 - 2 * frame - CaptionHeight(f, true);
    f.Iconic = d.Iconic;
    f.Zoomed = d.Zoomed;
    s.CloseWidth = 16;
    s.MaxWidth = s.MinWidth = s.HelpWidth = 20;
    s.ButtonHeight = 14;
    s.BISpacing = 2;
    l.Close.HaveAlignment = l.Max.HaveAlignment = l.Min.HaveAlignment = l.Help.HaveAlignment = true;
    PlaceDialogButtons(f, d, s, l);
  }
  fw::TPoint Centre(const TkCaptionButton& b) const { return {(b.Rect.Left + b.Rect.Right) / 2, (b.Rect.Top + b.Rect.Bottom) / 2}; }
  int Hit(fw::TPoint p) const { return DialogHitTest(f, d, l, s.ButtonHeight, 16, p); }
};

TEST(DialogFrame, BorderKindAndButtonsByStyle) {
  using B = TkcBorderStyle;
  struct Case {
    const char* what;
    uint32_t style, exStyle;
    B border;
    bool close, max, min, help, enabledClose;
  } cases[] = {
      {"message box", kMessageBox, 0, B::acbsDialog, true, false, false, false, true},
      {"sizeable with min and max", kSizeable, 0, B::acbsSizeable, true, true, true, false, true},
      {"popup without caption", kWsPopup | kWsBorder, 0, B::acbsNone, false, false, false, false, false},
      {"caption without modal frame", kWsCaption | kWsSysMenu, 0, B::acbsSizeable, true, false, false, false, true},
      {"context help", kMessageBox, kWsExContextHelp, B::acbsDialog, true, false, false, true, true},
  };
  for (const Case& c : cases) {
    const TkcDialogState d = State(c.style, c.exStyle);
    EXPECT_EQ(d.BorderStyle, c.border) << c.what;
    EXPECT_EQ(VisibleClose(d), c.close) << c.what;
    EXPECT_EQ(VisibleMax(d), c.max) << c.what;
    EXPECT_EQ(VisibleMin(d), c.min) << c.what;
    EXPECT_EQ(VisibleHelp(d), c.help) << c.what;
    EXPECT_EQ(EnabledClose(d), c.enabledClose) << c.what;
  }
  TkcDialogState noClose = State(kMessageBox);
  noClose.NoCloseClass = true;
  EXPECT_FALSE(EnabledClose(noClose)) << "a class without close";
}

TEST(DialogFrame, WindowMenuRules) {
  struct Case {
    const char* what;
    uint32_t style;
    bool iconic, zoomed;
    bool restoreVisible, restoreEnabled, moveEnabled, sizeVisible, sizeEnabled, minVisible, maxVisible;
  } cases[] = {
      {"message box", kMessageBox, false, false, false, false, true, false, true, false, false},
      {"sizeable, maximised", kSizeable, false, true, true, true, false, true, true, true, true},
      {"sizeable, iconic", kSizeable, true, false, true, true, true, true, false, true, true},
  };
  for (const Case& c : cases) {
    TkcDialogState d = State(c.style);
    d.Iconic = c.iconic;
    d.Zoomed = c.zoomed;
    EXPECT_EQ(VisibleRestore(d), c.restoreVisible) << c.what;
    EXPECT_EQ(EnabledRestore(d), c.restoreEnabled) << c.what;
    EXPECT_EQ(EnabledMove(d), c.moveEnabled) << c.what;
    EXPECT_EQ(VisibleSize(d), c.sizeVisible) << c.what;
    EXPECT_EQ(EnabledSize(d), c.sizeEnabled) << c.what;
    EXPECT_EQ(VisibleMin(d), c.minVisible) << c.what;
    EXPECT_EQ(VisibleMax(d), c.maxVisible) << c.what;
  }
}

TEST(DialogFrame, MeasurementsWithAndWithoutCaption) {
  Dialog box(State(kMessageBox));
  const int frame = FrameWidthOf(box.f, false);
  EXPECT_EQ(DialogHeaderHeight(box.f), 19 + frame);
  EXPECT_EQ(DialogOffsetX(box.f), frame);
  EXPECT_EQ(DialogOffsetY(box.f), 19 + frame) << "the client area right below the caption";
  const fw::TRect icon = DialogIconRect(box.f, 2, 16, 16);
  EXPECT_EQ(icon.Left, frame + 2);
  EXPECT_EQ(icon.Top, (frame + 19 - 16) / 2);

  Dialog bare(State(kWsPopup | kWsBorder));
  EXPECT_EQ(CaptionHeight(bare.f, true), 0);
  EXPECT_EQ(DialogHeaderHeight(bare.f), FrameWidthOf(bare.f, false));
  EXPECT_EQ(DialogOffsetY(bare.f), bare.f.Height - bare.f.ClientHeight) << "no frame term without a caption";
  EXPECT_EQ(bare.l.Close.Rect.Width(), 0) << "no buttons without the system menu";

  TkcDialogState iconic = State(kWsPopup | kWsBorder);
  iconic.Iconic = true;
  Dialog min(iconic);
  EXPECT_GT(CaptionHeight(min.f, true), 0) << "an iconic dialog keeps a caption";
}

TEST(DialogFrame, ButtonsFromTheRightAndTheCaptionBeforeThem) {
  Dialog box(State(kMessageBox));
  const int frame = FrameWidthOf(box.f, false);
  EXPECT_EQ(box.l.Close.Rect.Right, 300 - frame);
  EXPECT_EQ(box.l.Close.Rect.Width(), 16);
  EXPECT_EQ(box.l.Close.Rect.Top, (frame + 19 - 14) / 2);
  // Only close: the text ends 6 pixels before it.
  const fw::TRect text = DialogCaptionRect(box.f, box.d, box.s, 300, 16, 2);
  EXPECT_EQ(text.Right, 300 - 16 - 6);
  EXPECT_EQ(text.Left, frame + 16 + 2 + 4);
  EXPECT_EQ(text.Bottom, frame + 19);

  Dialog big(State(kSizeable, kWsExContextHelp));
  EXPECT_EQ(big.l.Max.Rect.Right, big.l.Close.Rect.Left - 2) << "spacing between big buttons";
  EXPECT_EQ(big.l.Min.Rect.Right, big.l.Max.Rect.Left - 2);
  EXPECT_EQ(big.l.Help.Rect.Right, big.l.Min.Rect.Left - 2);
  EXPECT_EQ(DialogButtonsWidth(big.d, big.s), 16 + 3 * 20);
}

// With a border window whose skin draws frame and shadow as one image, the
// icon, the title buttons and the caption's room move down by the skin's
// centre offset; in the other draw mode they stay.
TEST(DialogFrame, OneImageBorderCentresTheTitleLower) {
  for (int drawMode : {0, 1}) {
    TkExtBorderFacts e;
    e.ExBorderWidth = 5;
    e.ExTitleHeight = 26;
    e.ExCenterOffs = 3;
    e.ExDrawMode = drawMode;
    e.Shadow = fw::Rect(6, 6, 6, 6);
    Dialog plain(State(kMessageBox));
    plain.f.BorderForm = &e;
    PlaceDialogButtons(plain.f, plain.d, plain.s, plain.l);
    const fw::TRect icon = DialogIconRect(plain.f, 2, 16, 16);
    const fw::TRect text = DialogCaptionRect(plain.f, plain.d, plain.s, 320, 16, 2);
    e.ExCenterOffs = 0;
    Dialog base(State(kMessageBox));
    base.f.BorderForm = &e;
    PlaceDialogButtons(base.f, base.d, base.s, base.l);
    const int shift = drawMode == 1 ? 3 : 0;
    EXPECT_EQ(icon.Top, DialogIconRect(base.f, 2, 16, 16).Top + shift) << drawMode;
    EXPECT_EQ(plain.l.Close.Rect.Top, base.l.Close.Rect.Top + shift) << drawMode;
    const fw::TRect baseText = DialogCaptionRect(base.f, base.d, base.s, 320, 16, 2);
    EXPECT_EQ(text.Top, baseText.Top + shift) << drawMode;
    EXPECT_EQ(text.Bottom, baseText.Bottom + shift) << drawMode;
  }
}

// With a border window the buttons lie lower by the skin's top margin when
// they keep to the top, and a maximised dialog's lower still (3 pixels at
// the top, half its frame when centred); without one neither applies.
TEST(DialogFrame, ButtonTopsWithABorderWindow) {
  struct Case {
    const char* what;
    bool border, zoomed;
    int vAlign;
  } cases[] = {
      {"centred", false, false, 0},         {"centred, maximised", false, true, 0},
      {"centred, border", true, false, 0},  {"centred, border, maximised", true, true, 0},
      {"at the top", false, false, 1},      {"at the top, maximised", false, true, 1},
      {"at the top, border", true, false, 1}, {"at the top, border, maximised", true, true, 1},
  };
  for (const Case& c : cases) {
    TkExtBorderFacts e;
    e.ExBorderWidth = 5;
    e.ExTitleHeight = 26;
    e.BITopMargin = 4;
    e.Shadow = fw::Rect(6, 7, 6, 6);
    TkcDialogState state = State(kSizeable);
    state.Zoomed = c.zoomed;
    Dialog g(state);
    g.s.BIVAlign = c.vAlign;
    if (c.border) g.f.BorderForm = &e;
    PlaceDialogButtons(g.f, g.d, g.s, g.l);
    const int shadowTop = c.border ? 7 : 0;
    int top = c.vAlign == 1 ? shadowTop
                            : (FrameHeightOf(g.f, true) + CaptionHeight(g.f, true) - 14) / 2 + shadowTop;
    if (c.border && c.vAlign == 1) top += 4 + (c.zoomed ? 3 : 0);
    if (c.border && c.vAlign == 0 && c.zoomed) top += FrameWidthOf(g.f, false) / 2;
    EXPECT_EQ(g.l.Close.Rect.Top, top) << c.what;
    EXPECT_EQ(g.l.Min.Rect.Top, top) << c.what;
  }
}

// A size change repaints the right-hand corner images at the old client
// corner only when the client area shrank (or was never measured).
TEST(DialogFrame, ShrinkingRepaintsTheCornerImagesAtTheOldCorner) {
  const std::vector<fw::TPoint> images{{10, 8}, {12, 14}};
  struct Case {
    const char* what;
    fw::TRect last;
    int width, height;
    size_t count;
  } cases[] = {
      {"narrower", fw::Rect(0, 0, 200, 100), 150, 100, 2},
      {"lower", fw::Rect(0, 0, 200, 100), 200, 90, 2},
      {"larger", fw::Rect(0, 0, 200, 100), 220, 120, 0},
      {"the same", fw::Rect(0, 0, 200, 100), 200, 100, 0},
      {"never measured", fw::TRect{}, 200, 100, 2},
  };
  for (const Case& c : cases) {
    const std::vector<fw::TRect> r = ShrunkCornerRects(c.last, c.width, c.height, images);
    ASSERT_EQ(r.size(), c.count) << c.what;
    if (c.count == 0) continue;
    EXPECT_EQ(r[0], fw::Rect(c.last.Right - 10, c.last.Bottom - 8, c.last.Right, c.last.Bottom)) << c.what;
    EXPECT_EQ(r[1], fw::Rect(c.last.Right - 12, c.last.Bottom - 14, c.last.Right, c.last.Bottom)) << c.what;
  }
  EXPECT_TRUE(ShrunkCornerRects(fw::Rect(0, 0, 200, 100), 100, 50, {}).empty()) << "a section without images";
}

TEST(DialogFrame, HitTestOfTheTitle) {
  Dialog box(State(kMessageBox, kWsExContextHelp));  // close and help only
  EXPECT_EQ(box.Hit(box.Centre(box.l.Close)), 20);
  EXPECT_EQ(box.Hit(box.Centre(box.l.Help)), 21) << "help is the second shown button";
  EXPECT_EQ(DialogButtonIndexAt(box.d, box.l, box.Centre(box.l.Help).x), 2);
  const int frame = FrameWidthOf(box.f, false);
  EXPECT_EQ(box.Hit({frame + 4, box.Centre(box.l.Close).y}), 3) << "the icon";
  EXPECT_EQ(box.Hit({150, box.Centre(box.l.Close).y}), 2) << "the rest of the button row";
  EXPECT_EQ(box.Hit({150, 100}), 0) << "the client area: the dialog's own answer";

  TkcDialogState noClose = State(kMessageBox);
  noClose.NoCloseClass = true;
  Dialog disabled(noClose);
  EXPECT_EQ(disabled.Hit(disabled.Centre(disabled.l.Close)), 0) << "a disabled close is no button";

  Dialog full(State(kSizeable));
  EXPECT_EQ(full.Hit(full.Centre(full.l.Max)), 9);
  EXPECT_EQ(full.Hit(full.Centre(full.l.Min)), 8);
  TkcDialogState zoomed = State(kSizeable);
  zoomed.Zoomed = true;
  Dialog max(zoomed);
  EXPECT_EQ(max.Hit(max.Centre(max.l.Max)), 9) << "restore";
  EXPECT_EQ(max.Hit({1, 100}), -1) << "outside a maximised dialog's inner rectangle";
  EXPECT_EQ(max.Hit({100, 100}), 0);
}

}  // namespace
}  // namespace skin
