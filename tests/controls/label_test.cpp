// The label: automatic size, rotation geometry, shadows (also of a
// disabled label), ellipsis, frames, hot-tracking, the focus control's
// accelerator, and the address opened after a click.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "case_name.h"
#include "controls/base/cklabel.h"
#include "controls/base/ckregister.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/edit.h"
#include "scenarios/screenshot_png.h"
#include "services/shellutils.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;

namespace {

constexpr TColor kBack = 0xE0E0E0;

struct LabelForm {
  fwtest::TestForm form{360, 240};
  TCkLabel* label;
  LabelForm() {
    form->SetColor(kBack);
    label = new TCkLabel(form.form);
    label->SetParent(form.form);
    label->SetBounds(10, 10, 65, 17);
    form->Show();
    fwtest::Pump();
  }
};

// The size of Text in the label's font.
SIZE TextSize(TFont* Font, const String& Text) {
  TWindowDC screen(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen.Get());
  canvas.SetFont(Font);
  TSize s = canvas.TextExtent(Text);
  canvas.SetHandle(nullptr);
  return s;
}

// The smallest rectangle holding the pixels of one colour.
TRect InkOf(const Snapshot& S, TColor Color) {
  TRect r{S.Width(), S.Height(), -1, -1};
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (S.At(x, y) == Color) {
        r.Left = std::min(r.Left, x);
        r.Top = std::min(r.Top, y);
        r.Right = std::max(r.Right, x);
        r.Bottom = std::max(r.Bottom, y);
      }
  return r;
}

std::vector<std::string>* gLog = nullptr;
bool RecordOpen(const String& Url) {
  if (gLog) gLog->push_back("open " + StringToUtf8(Url));
  return true;
}

struct ClickLog {
  std::vector<std::string> log;
  void Clicked(TObject*) { log.push_back("click"); }
};

}  // namespace

TEST(Label, AutoSizeFollowsTheTextAndMeasuresAnEmptyOrAmpersandCaptionAsASpace) {
  LabelForm f;
  TCkLabel* l = f.label;
  SIZE space = TextSize(l->Font(), u" ");
  struct SizeCase {
    const char16_t* caption;
    const char16_t* measured;
  };
  const SizeCase cases[] = {{u"Web page", u"Web page"}, {u"", u" "}, {u"&", u" "}, {u"&Contact", u"Contact"}};
  for (const SizeCase& c : cases) {
    l->SetCaption(c.caption);
    SIZE s = TextSize(l->Font(), c.measured);
    EXPECT_EQ(l->Width(), s.cx + 2) << StringToUtf8(c.caption);
    EXPECT_EQ(l->Height(), space.cy + 2) << StringToUtf8(c.caption);
  }
  // Margins add to the size; a right-aligned label keeps its right edge.
  l->SetCaption(u"Web page");
  int right = l->Left() + l->Width();
  l->SetAlignment(taRightJustify);
  l->SetCaption(u"Web");
  EXPECT_EQ(l->Left() + l->Width(), right);
  l->SetMargin(3);
  EXPECT_EQ(l->Width(), TextSize(l->Font(), u"Web").cx + 2 + 6);
  EXPECT_EQ(l->Height(), space.cy + 2 + 6);
  EXPECT_EQ(l->Left() + l->Width(), right);
  // Without AutoSize the size stays.
  l->SetAutoSize(false);
  l->SetBounds(10, 10, 40, 30);
  l->SetCaption(u"A much longer caption");
  EXPECT_EQ(l->Width(), 40);
}

struct RotationCase {
  const char* name;
  int angle;
  int A, B, C, D;
  TPoint autoStart;
};

// Text of 100 x 20 pixels.
const RotationCase kRotationCases[] = {
    {"a30", 30, 87, 50, 10, 17, {0, 50}},     {"a90", 90, 0, 100, 20, 0, {0, 100}},
    {"a135", 135, 71, 71, 14, 14, {71, 85}},  {"a180", 180, 100, 0, 0, 20, {100, 20}},
    {"a270", 270, 0, 100, 20, 0, {20, 0}},    {"a315", 315, 71, 71, 14, 14, {14, 0}},
};

class LabelRotation : public ::testing::TestWithParam<RotationCase> {};

TEST_P(LabelRotation, BoxAndStartPoint) {
  const RotationCase& c = GetParam();
  TCkRotatedBox box = RotatedTextBox(100, 20, c.angle);
  EXPECT_EQ(box.A, c.A);
  EXPECT_EQ(box.B, c.B);
  EXPECT_EQ(box.C, c.C);
  EXPECT_EQ(box.D, c.D);
  EXPECT_EQ(RotatedTextOrigin(box, c.angle, true, taLeftJustify, 0, 0), c.autoStart);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelRotation, ::testing::ValuesIn(kRotationCases), cktest::CaseName());

TEST(Label, RotatedStartPointWithoutAutoSizeFollowsTheAlignment) {
  // 90 degrees in a 40 x 120 client: the 20 x 100 box.
  TCkRotatedBox box = RotatedTextBox(100, 20, 90);
  EXPECT_EQ(RotatedTextOrigin(box, 90, false, taLeftJustify, 40, 120), (TPoint{0, 110}));
  EXPECT_EQ(RotatedTextOrigin(box, 90, false, taRightJustify, 40, 120), (TPoint{20, 110}));
  EXPECT_EQ(RotatedTextOrigin(box, 90, false, taCenter, 40, 120), (TPoint{10, 110}));
  EXPECT_EQ(RotatedTextOrigin(box, 270, false, taCenter, 40, 120), (TPoint{30, 10}));
}

TEST(Label, RotatedLabelSizesToItsBoxAndDrawsUpwards) {
  LabelForm f;
  f.label->SetCaption(u"Vertical");
  f.label->SetAngle(-90);
  EXPECT_EQ(f.label->Angle(), 270);
  f.label->SetAngle(90);
  SIZE s = TextSize(f.label->Font(), u"Vertical");
  EXPECT_EQ(f.label->Width(), s.cy + 2);
  EXPECT_EQ(f.label->Height(), s.cx + 2);
  Snapshot shot(f.label, kBack);
  TRect ink = InkOf(shot, 0x000000);
  EXPECT_GT(ink.Bottom - ink.Top, ink.Right - ink.Left) << "the text runs up, not across";
  // Longer than 4096 characters: only the first 4096 are drawn.
  f.label->SetCaption(String(5000, u'x'));
  EXPECT_EQ(f.label->Height(), TextSize(f.label->Font(), String(4096, u'x')).cx + 2);
}

struct ShadowCase {
  const char* name;
  TShadowPosition pos;
  int dx, dy;
};

const ShadowCase kShadowCases[] = {
    {"left top", spLeftTop, -2, -2},
    {"left bottom", spLeftBottom, -2, 2},
    {"right bottom", spRightBottom, 2, 2},
    {"right top", spRightTop, 2, -2},
};

class LabelShadow : public ::testing::TestWithParam<ShadowCase> {};

TEST_P(LabelShadow, ShadowIsTheTextMovedBySizeTowardsItsPosition) {
  const ShadowCase& c = GetParam();
  LabelForm f;
  f.label->SetAutoSize(false);
  f.label->SetBounds(10, 10, 80, 24);
  f.label->SetMargins(4, 4, 0, 0);
  f.label->SetCaption(u"IIII");
  f.label->SetShadowColor(clRed);
  f.label->SetShadowSize(2);
  f.label->SetShadowPos(c.pos);
  f.label->SetTransparent(true);
  Snapshot s(f.label, clWhite);
  TRect text = InkOf(s, 0x000000);
  TRect shadow = InkOf(s, 0x0000FF);
  ASSERT_GE(text.Right, 0);
  ASSERT_GE(shadow.Right, 0);
  // The text is drawn last: where the shadow hides under it only the
  // far edges tell.
  if (c.dx > 0) EXPECT_EQ(shadow.Right, text.Right + c.dx);
  else EXPECT_EQ(shadow.Left, text.Left + c.dx);
  if (c.dy > 0) EXPECT_EQ(shadow.Bottom, text.Bottom + c.dy);
  else EXPECT_EQ(shadow.Top, text.Top + c.dy);
}

INSTANTIATE_TEST_SUITE_P(Cases, LabelShadow, ::testing::ValuesIn(kShadowCases), cktest::CaseName());

TEST(Label, DisabledLabelDrawsGreyTextWithAOnePixelHighlightShadowBelowRight) {
  LabelForm f;
  f.label->SetCaption(u"IIII");
  f.label->SetTransparent(true);
  f.label->SetEnabled(false);
  Snapshot s(f.label, 0x808000);
  TRect text = InkOf(s, xptest::Rgb(clGrayText));
  TRect shadow = InkOf(s, xptest::Rgb(clBtnHighlight));
  ASSERT_GE(text.Right, 0);
  EXPECT_EQ(shadow.Right, text.Right + 1);
  EXPECT_EQ(shadow.Bottom, text.Bottom + 1);
}

TEST(Label, EllipsisKeepsTheTextInsideANarrowLabel) {
  LabelForm f;
  f.label->SetAutoSize(false);
  f.label->SetBounds(10, 10, 60, 17);
  f.label->SetCaption(u"C:\\Fonts\\Collection\\Serif\\DejaVuSerif.ttf");
  f.label->SetTransparent(true);
  Snapshot plain(f.label, clWhite);
  f.label->SetTextEllipsis(tePathEllipsis);
  Snapshot path(f.label, clWhite);
  f.label->SetTextEllipsis(teEndEllipsis);
  Snapshot end(f.label, clWhite);
  auto differs = [](const Snapshot& a, const Snapshot& b) {
    for (int y = 0; y < a.Height(); ++y)
      for (int x = 0; x < a.Width(); ++x)
        if (a.At(x, y) != b.At(x, y)) return true;
    return false;
  };
  EXPECT_TRUE(differs(plain, path));
  EXPECT_TRUE(differs(plain, end));
  EXPECT_TRUE(differs(path, end));
  EXPECT_LE(InkOf(end, 0x000000).Right, 58);
}

TEST(Label, FramesSquareAndOctagonal) {
  LabelForm f;
  f.label->SetAutoSize(false);
  f.label->SetBounds(10, 10, 60, 20);
  f.label->SetColor(clWhite);
  f.label->SetParentColor(false);
  f.label->SetFrameColor(clBlue);
  Snapshot square(f.label, kBack);
  EXPECT_EQ(square.At(0, 0), 0xFF0000);
  EXPECT_EQ(square.At(59, 19), 0xFF0000);
  EXPECT_EQ(square.At(1, 1), 0xFFFFFF);
  f.label->SetRoundedFrame(10);  // half the height: refused
  EXPECT_EQ(f.label->RoundedFrame(), 0);
  f.label->SetRoundedFrame(4);
  Snapshot octagon(f.label, kBack);
  EXPECT_EQ(octagon.At(4, 0), 0xFF0000);
  EXPECT_EQ(octagon.At(0, 4), 0xFF0000);
  EXPECT_EQ(octagon.At(5, 5), 0xFFFFFF);
}

TEST(Label, ClickFiresOnClickThenOpensTheAddress) {
  LabelForm f;
  ClickLog clicks;
  gLog = &clicks.log;
  services::SetOpenWithShellProc(&RecordOpen);
  f.label->OnClick = TNotifyEvent(&clicks, &ClickLog::Clicked);
  f.label->SetURL(u"http://example.org/vestaline");
  f.label->Click();
  EXPECT_EQ(clicks.log, (std::vector<std::string>{"click", "open http://example.org/vestaline"}));
  clicks.log.clear();
  f.label->SetAutoOpenURL(false);
  f.label->Click();
  EXPECT_EQ(clicks.log, std::vector<std::string>{"click"});
  services::SetOpenWithShellProc(nullptr);
  gLog = nullptr;
}

TEST(Label, AltWithTheAcceleratorFocusesTheFocusControl) {
  LabelForm f;
  auto* edit = new TEdit(f.form.form);
  edit->SetParent(f.form.form);
  edit->SetBounds(100, 10, 100, 21);
  auto* other = new TEdit(f.form.form);
  other->SetParent(f.form.form);
  other->SetBounds(100, 40, 100, 21);
  other->SetFocus();
  f.label->SetCaption(u"&Name");
  f.label->SetFocusControl(edit);
  EXPECT_EQ(f.label->Perform(CM_DIALOGCHAR, 'N', 0), 0) << "not without Alt";
  EXPECT_EQ(f.label->Perform(CM_DIALOGCHAR, 'N', ShiftToKeyFlags(TShiftState{ssAlt})), 1);
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(f.label->Perform(CM_DIALOGCHAR, 'X', ShiftToKeyFlags(TShiftState{ssAlt})), 0);
  f.label->SetShowAccelChar(false);
  EXPECT_EQ(f.label->Perform(CM_DIALOGCHAR, 'N', ShiftToKeyFlags(TShiftState{ssAlt})), 0);
  // A removed focus control is forgotten.
  edit->Free();
  EXPECT_EQ(f.label->FocusControl(), nullptr);
}

TEST(Label, HotTrackDrawsWithTheHotFontAndFillWhileTheMouseIsOver) {
  LabelForm f;
  xptest::VirtualMouse mouse;
  xptest::OnTop(f.form.form);
  SetForegroundWindow(f.form->Handle());
  fwtest::Pump();
  f.label->SetCaption(u"Web page");
  f.label->SetHotTrack(true);
  f.label->HotTrackFont()->SetColor(clRed);
  f.label->HotTrackOptions()->SetEnabled(true);
  f.label->HotTrackOptions()->SetColor(clYellow);
  xptest::Calls enter;
  f.label->OnMouseEnter = enter.Event();
  mouse.MoveTo(f.form.form, 15, 15);
  fwtest::PumpUntil([&] { return f.label->MouseOver; });
  ASSERT_TRUE(f.label->MouseOver);
  EXPECT_EQ(enter.n, 1);
  Snapshot hot(f.label, kBack);
  EXPECT_EQ(hot.At(f.label->Width() - 2, 1), 0x00FFFF) << "hot fill";
  EXPECT_GE(InkOf(hot, 0x0000FF).Right, 0) << "hot font colour";
  mouse.MoveTo(f.form.form, 300, 200);
  fwtest::PumpUntil([&] { return !f.label->MouseOver; });
  EXPECT_FALSE(f.label->MouseOver);
  Snapshot cold(f.label, kBack);
  EXPECT_LT(InkOf(cold, 0x0000FF).Right, 0);
}

TEST(Label, DescriptionAndScreenshot) {
  RegisterCkControlClasses();
  fwtest::TestForm form(300, 150);
  form->SetColor(kBack);
  ReadRootComponent(form.form,
                    u"object LabelTest: TForm\n"
                    u"  Color = 14737632\n"
                    u"  object WebPage: TCkLabel\n    Left = 10\n    Top = 10\n    Caption = 'Web page'\n"
                    u"    Transparent = True\n    TextEllipsis = tePathEllipsis\n"
                    u"    URL = 'http://example.org'\n  end\n"
                    u"  object Shadowed: TCkLabel\n    Left = 10\n    Top = 40\n    Caption = 'Shadow'\n"
                    u"    ShadowSize = 1\n    ShadowColor = clWhite\n  end\n"
                    u"  object Framed: TCkLabel\n    Left = 10\n    Top = 70\n    Caption = 'Rounded frame'\n"
                    u"    AutoSize = False\n    Width = 110\n    Height = 22\n    Layout = tlCenter\n"
                    u"    Alignment = taCenter\n    FrameColor = clNavy\n    RoundedFrame = 5\n  end\n"
                    u"  object Off: TCkLabel\n    Left = 10\n    Top = 105\n    Caption = 'Disabled'\n"
                    u"    Enabled = False\n  end\n"
                    u"  object Turned: TCkLabel\n    Left = 150\n    Top = 10\n    Caption = 'Turned 45'\n"
                    u"    Angle = 45\n  end\n"
                    u"end\n",
                    u"LabelTest.form");
  auto* web = dynamic_cast<TCkLabel*>(form->FindComponent(u"WebPage"));
  auto* framed = dynamic_cast<TCkLabel*>(form->FindComponent(u"Framed"));
  ASSERT_TRUE(web && framed);
  EXPECT_TRUE(web->Transparent());
  EXPECT_EQ(web->URL(), u"http://example.org");
  EXPECT_EQ(web->TextEllipsis(), tePathEllipsis);
  EXPECT_EQ(framed->RoundedFrame(), 5);
  form->Show();
  fwtest::Pump();
  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf24bit);
  shot->SetSize(300, 150);
  form->PaintTo(shot->Canvas()->Handle(), 0, 0);
  EXPECT_TRUE(scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("label.png")));
}
