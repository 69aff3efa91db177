// The switch: toggling by click and key with OnOn/OnOff, the pictures and
// their disabled looks, the "Data" stream value, and what it paints.
#include <gtest/gtest.h>

#include "case_name.h"
#include "controls/base/ckswitch.h"
#include "golden_image.h"
#include "controls/base/ckregister.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "scenarios/screenshot_png.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;

namespace {

constexpr TColor kBack = 0xE0E0E0;

struct SwitchForm {
  fwtest::TestForm form{300, 160};
  TCkSwitch* sw;
  xptest::Calls on, off;
  SwitchForm() {
    form->SetColor(kBack);
    sw = new TCkSwitch(form.form);
    sw->SetParent(form.form);
    sw->SetBounds(10, 10, 50, 60);
    sw->OnOn = on.Event();
    sw->OnOff = off.Event();
    form->Show();
    fwtest::Pump();
  }
  void Click() {
    SendMessageW(sw->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointToLParam(20, 20));
    SendMessageW(sw->Handle(), WM_LBUTTONUP, 0, PointToLParam(20, 20));
  }
};

// The lamp's centre pixel in the 32 x 48 picture.
constexpr int kLampX = 15, kLampY = 41;

}  // namespace

TEST(Switch, ClicksToggleAndFireOnOnThenOnOff) {
  SwitchForm f;
  EXPECT_FALSE(f.sw->StateOn());
  EXPECT_EQ(f.on.n + f.off.n, 0) << "a new switch fires nothing";
  f.Click();
  EXPECT_TRUE(f.sw->StateOn());
  EXPECT_EQ(f.on.n, 1);
  EXPECT_EQ(f.on.sender, f.sw);
  EXPECT_TRUE(f.sw->Focused()) << "the click focuses the switch";
  f.Click();
  EXPECT_FALSE(f.sw->StateOn());
  EXPECT_EQ(f.off.n, 1);
  // A right click does not toggle.
  SendMessageW(f.sw->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, PointToLParam(20, 20));
  SendMessageW(f.sw->Handle(), WM_RBUTTONUP, 0, PointToLParam(20, 20));
  EXPECT_FALSE(f.sw->StateOn());
}

TEST(Switch, WritingTheCurrentStateNeitherRepaintsNorFires) {
  SwitchForm f;
  xptest::FlushPaint(f.sw);
  f.sw->SetStateOn(false);
  EXPECT_FALSE(xptest::HasPendingPaint(f.sw));
  EXPECT_EQ(f.on.n + f.off.n, 0);
  f.sw->SetStateOn(true);
  EXPECT_TRUE(xptest::HasPendingPaint(f.sw));
  EXPECT_EQ(f.on.n, 1);
}

TEST(Switch, ToggleKeyWithItsModifiersOnly) {
  SwitchForm f;
  f.sw->SetFocus();
  struct KeyCase {
    WORD key;
    bool shift;
    bool state;
  };
  BYTE keys[256] = {};
  const KeyCase cases[] = {{VK_SPACE, false, true}, {VK_SPACE, true, true}, {VK_RETURN, false, true},
                           {VK_SPACE, false, false}};
  for (const KeyCase& k : cases) {
    keys[VK_SHIFT] = k.shift ? 0x80 : 0;
    SetKeyboardState(keys);
    SendMessageW(f.sw->Handle(), WM_KEYDOWN, k.key, 1);
    EXPECT_EQ(f.sw->StateOn(), k.state) << k.key << (k.shift ? " with Shift" : "");
  }
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  // Another toggle key: Ctrl+T.
  f.sw->SetToggleKey(static_cast<TShortCut>('T' | scCtrl));
  SendMessageW(f.sw->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  EXPECT_FALSE(f.sw->StateOn());
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(f.sw->Handle(), WM_KEYDOWN, 'T', 1);
  keys[VK_CONTROL] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(f.sw->StateOn());
  EXPECT_EQ(f.on.n, 2);
  EXPECT_EQ(f.off.n, 1);
}

TEST(Switch, PaintsThePictureOfTheStateCentredWithItsCornerColourTransparent) {
  SwitchForm f;
  f.sw->SetShowFocus(false);
  Snapshot off(f.sw);
  // 50 x 60 with a 32 x 48 picture: at (9, 6).
  EXPECT_EQ(off.At(9 + kLampX, 6 + kLampY), 0x000080) << "dark red lamp";
  EXPECT_EQ(off.At(9, 6), xptest::Rgb(kBack)) << "the picture's corner is transparent";
  EXPECT_EQ(off.At(9 + 1, 6), 0xFFFFFF) << "the plate's lit top edge";
  EXPECT_EQ(off.At(3, 3), xptest::Rgb(kBack));
  f.sw->SetStateOn(true);
  Snapshot on(f.sw);
  EXPECT_EQ(on.At(9 + kLampX, 6 + kLampY), 0x0000FF) << "lit red lamp";
  EXPECT_EQ(on.At(9 + 12, 6 + 9), 0xC0C0C0) << "the lever is up";
  EXPECT_EQ(off.At(9 + 12, 6 + 9), 0x000000) << "the slot shows where the lever is not";

  // Focused with ShowFocus: a dotted rectangle around the picture; not
  // with ShowFocus off (the database builder's switch, as above).
  f.sw->SetFocus();
  fwtest::Pump();
  ASSERT_TRUE(f.sw->Focused());
  f.sw->SetShowFocus(true);
  Snapshot focused(f.sw);
  int dotted = 0;
  for (int x = 9; x < 41; ++x) dotted += focused.At(x, 6) != on.At(x, 6);
  EXPECT_GE(dotted, 10);

  // A caption below: the picture moves to the top.
  f.sw->SetBounds(10, 10, 60, 80);
  f.sw->SetCaption(u"Stop");
  f.sw->SetTextPosition(tpBelow);
  Snapshot captioned(f.sw);
  EXPECT_EQ(captioned.At(14 + kLampX, 0 + kLampY), 0x0000FF);
  bool text = false;
  for (int y = 50; y < 80; ++y)
    for (int x = 0; x < 60; ++x) text |= captioned.At(x, y) == 0x000000;
  EXPECT_TRUE(text) << "the caption is drawn below the picture";

  auto shot = std::make_unique<TBitmap>();
  shot->SetPixelFormat(pf24bit);
  shot->SetSize(190, 90);
  shot->Canvas()->Brush()->SetColor(kBack);
  shot->Canvas()->FillRect(Rect(0, 0, 190, 90));
  shot->Canvas()->Draw(5, 5, off.bmp.get());
  shot->Canvas()->Draw(60, 5, on.bmp.get());
  shot->Canvas()->Draw(120, 5, captioned.bmp.get());
  EXPECT_TRUE(scenarios::SavePng(shot.get(), scenarios::ScreenshotPath("switch.png")));
}

TEST(Switch, DisabledLookOnlyForPicturesSetAfterCreation) {
  SwitchForm f;
  f.sw->SetEnabled(false);
  Snapshot builtIn(f.sw);
  EXPECT_EQ(builtIn.At(9 + kLampX, 6 + kLampY), 0x000080) << "the built-in picture keeps its look";
  EXPECT_EQ(f.sw->DisabledGlyph(0), nullptr);

  // A user picture: black lines on white; disabled, the lines are embossed.
  TBitmap user;
  user.SetPixelFormat(pf24bit);
  user.SetSize(20, 20);
  user.Canvas()->Brush()->SetColor(clWhite);
  user.Canvas()->FillRect(Rect(0, 0, 20, 20));
  user.Canvas()->Brush()->SetColor(clBlack);
  user.Canvas()->FillRect(Rect(5, 5, 10, 10));
  f.sw->SetGlyphOff(&user);
  EXPECT_EQ(f.sw->UserBitmaps(), TSwitchBitmaps{sbOff});
  ASSERT_NE(f.sw->DisabledGlyph(0), nullptr);
  Snapshot disabled(f.sw);
  // Picture at (15, 20); its corner colour (white) was the key of the
  // normal picture, the disabled look keys on clBtnFace.
  EXPECT_EQ(disabled.At(15 + 6, 20 + 6), xptest::Rgb(clBtnShadow));
  EXPECT_EQ(disabled.At(15 + 10, 20 + 10), xptest::Rgb(clBtnHighlight));
  f.sw->SetEnabled(true);
  Snapshot enabled(f.sw);
  EXPECT_EQ(enabled.At(15 + 6, 20 + 6), 0x000000);

  // nullptr brings the built-in picture back and stops it being stored.
  f.sw->SetGlyphOff(nullptr);
  EXPECT_TRUE(f.sw->UserBitmaps().Empty());
  EXPECT_EQ(f.sw->GlyphOff()->Width(), 32);
  EXPECT_EQ(f.sw->GlyphOff()->Height(), 48);
}

TEST(Switch, DataStreamValueAndDescription) {
  RegisterCkControlClasses();
  TComponent root(nullptr);
  ReadRootComponent(&root,
                    u"object Root: TComponent\n"
                    u"  object btnstop: TCkSwitch\n    Width = 33\n    Height = 44\n    ShowFocus = False\n"
                    u"    Visible = False\n  end\n"
                    u"  object Marked: TCkSwitch\n    Data = {02}\n    StateOn = True\n  end\n"
                    u"end\n",
                    u"Root.form");
  auto* stop = dynamic_cast<TCkSwitch*>(root.FindComponent(u"btnstop"));
  auto* marked = dynamic_cast<TCkSwitch*>(root.FindComponent(u"Marked"));
  ASSERT_TRUE(stop && marked);
  EXPECT_FALSE(stop->ShowFocus());
  EXPECT_EQ(stop->Width(), 33);
  EXPECT_TRUE(stop->UserBitmaps().Empty());
  EXPECT_EQ(stop->ToggleKey(), 32);
  EXPECT_TRUE(stop->TabStop());
  EXPECT_EQ(marked->UserBitmaps(), TSwitchBitmaps{sbOn});
  EXPECT_TRUE(marked->StateOn());
  // Only the user's picture belongs in a description.
  const TPropInfo* on = GetPropInfo(marked, u"GlyphOn");
  const TPropInfo* off = GetPropInfo(marked, u"GlyphOff");
  ASSERT_TRUE(on && off);
  EXPECT_TRUE(on->IsStored(marked));
  EXPECT_FALSE(off->IsStored(marked));
  EXPECT_FALSE(on->IsStored(stop));
}

TEST(Switch, StatesMatchTheirGoldenPictures) {
  // Off, on, on with the focus, a disabled switch with the built-in
  // pictures, and one whose on picture was assigned (its embossed look).
  SwitchForm f;
  ::SetFocus(f.form->Handle());
  fwtest::Pump();
  Snapshot off(f.sw);
  f.sw->SetStateOn(true);
  Snapshot on(f.sw);
  f.sw->SetFocus();
  fwtest::Pump();
  Snapshot focused(f.sw);
  f.sw->SetEnabled(false);
  Snapshot builtInDisabled(f.sw);
  TBitmap copy;
  copy.Assign(f.sw->GlyphOn());
  f.sw->SetGlyphOn(&copy);
  Snapshot assignedDisabled(f.sw);
  auto all = cktest::Stack(
      {off.bmp.get(), on.bmp.get(), focused.bmp.get(), builtInDisabled.bmp.get(), assignedDisabled.bmp.get()});
  EXPECT_TRUE(cktest::MatchesGolden(all.get(), "switch_states"));
}
