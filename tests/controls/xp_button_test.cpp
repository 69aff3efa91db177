// The XP-style button: its faces per draw state, keyboard activation,
// default and cancel buttons, the modal result and the action link.
#include <gtest/gtest.h>

#include "case_name.h"
#include "controls/base/xp_button.h"
#include "fw/stdctrls/edit.h"
#include "fw/system/actions.h"
#include "fw/core/rtti.h"
#include "xp_test_util.h"

using namespace ck;
using namespace fw;
using xptest::Snapshot;
using xptest::VirtualMouse;

namespace {

struct ButtonForm {
  fwtest::TestForm form{300, 160};
  TCkXPButton* button;
  xptest::Calls clicks;
  ButtonForm() {
    button = new TCkXPButton(form.form);
    button->SetParent(form.form);
    button->SetBounds(10, 10, 73, 21);
    button->OnClick = clicks.Event();
    form->Show();
    fwtest::Pump();
  }
  TCkXPButton* AddButton(int top) {
    auto* b = new TCkXPButton(form.form);
    b->SetParent(form.form);
    b->SetBounds(10, top, 73, 21);
    return b;
  }
};

enum class Rim { None, Hot, Focus };
enum class Face { Normal, Pressed };

struct DrawCase {
  const char* name;
  TCkXPDrawState state;
  bool down;
  bool enabled;
  bool isDefault;
  Rim rim;
  Face face;
  TColor frame;
  TColor edge;
};

const DrawCase kDrawCases[] = {
    {"plain", {dsDefault}, false, true, false, Rim::None, Face::Normal, 0x733800, 0xAD9E7B},
    {"hot", {dsHighlight}, false, true, false, Rim::Hot, Face::Normal, 0x733800, 0xAD9E7B},
    {"focused", {dsFocused}, false, true, false, Rim::Focus, Face::Normal, 0x733800, 0xAD9E7B},
    {"hot and pressed", {dsHighlight, dsClicked}, false, true, false, Rim::None, Face::Pressed, 0x733800, 0xAD9E7B},
    {"pressed, mouse gone", {dsClicked}, false, true, false, Rim::Focus, Face::Normal, 0x733800, 0xAD9E7B},
    {"down", {dsDefault}, true, true, false, Rim::None, Face::Pressed, 0x733800, 0xAD9E7B},
    {"default", {dsDefault}, false, true, true, Rim::Focus, Face::Normal, 0x733800, 0xAD9E7B},
    {"disabled", {dsDefault}, false, false, false, Rim::None, Face::Normal, 0xBDC7CE, 0xBDC7CE},
};

class ButtonDrawStates : public ::testing::TestWithParam<DrawCase> {};

}  // namespace

TEST_P(ButtonDrawStates, FacesRimsAndFramePerState) {
  const DrawCase& c = GetParam();
  ButtonForm f;
  TCkXPButton* b = f.button;
  // The focus is on a control that is not XP-style, so that a default
  // button shows as such.
  auto* edit = new TEdit(f.form.form);
  edit->SetParent(f.form.form);
  edit->SetBounds(10, 100, 80, 21);
  edit->SetFocus();
  b->SetEnabled(c.enabled);
  b->SetDefault(c.isDefault);
  b->SetDown(c.down);
  b->SetDrawState(c.state);
  Snapshot s(b);
  const int w = b->Width(), h = b->Height();
  EXPECT_EQ(s.At(w / 2, 0), c.frame) << "top frame";
  EXPECT_EQ(s.At(0, h / 2), c.frame) << "left frame";
  EXPECT_EQ(s.At(0, 1), c.edge) << "softened corner";
  // The rim: the two pixels inside the frame at the left.
  TBitmap* rim = c.rim == Rim::Hot ? b->HotRim() : c.rim == Rim::Focus ? b->FocusedRim() : nullptr;
  if (rim) {
    EXPECT_EQ(s.At(1, h / 2), rim->Canvas()->Pixel(0, h / 2 - 1)) << "rim";
    EXPECT_EQ(s.At(2, h / 2), rim->Canvas()->Pixel(1, h / 2 - 1)) << "rim";
    EXPECT_EQ(s.At(w / 2, h / 2), b->NormalFace()->Canvas()->Pixel(w / 2 - 3, h / 2 - 3)) << "face inside rim";
  } else if (c.face == Face::Pressed) {
    EXPECT_EQ(s.At(w / 2, h / 2), b->PressedFace()->Canvas()->Pixel(w / 2 - 1, h / 2 - 1)) << "pressed face";
  } else {
    EXPECT_EQ(s.At(w / 2, h / 2), b->NormalFace()->Canvas()->Pixel(w / 2 - 1, h / 2 - 1)) << "normal face";
  }
}

INSTANTIATE_TEST_SUITE_P(XPButton, ButtonDrawStates, ::testing::ValuesIn(kDrawCases), cktest::CaseName());

TEST(XPButton, FacesAreGradientsOfTheirColoursAndFollowTheSize) {
  ButtonForm f;
  TCkXPButton* b = f.button;
  EXPECT_EQ(b->NormalFace()->Width(), 71);
  EXPECT_EQ(b->NormalFace()->Height(), 19);
  // The top rows start from the first colour of each face.
  EXPECT_EQ(b->PressedFace()->Canvas()->Pixel(5, 0), 0xC6CFD6);
  EXPECT_EQ(b->HotRim()->Canvas()->Pixel(5, 0), 0xCEF3FF);
  EXPECT_EQ(b->FocusedRim()->Canvas()->Pixel(5, 0), 0xFFE7CE);
  EXPECT_EQ(b->NormalFace()->Canvas()->Pixel(5, 0), 0xFFFFFF);
  b->SetBounds(10, 10, 100, 30);
  EXPECT_EQ(b->PressedFace()->Width(), 98);
  EXPECT_EQ(b->PressedFace()->Height(), 28);
}

TEST(XPButton, CaptionAndGlyphAreCentredTogetherAndMoveWhenPressed) {
  ButtonForm f;
  TCkXPButton* b = f.button;
  b->SetBounds(10, 10, 100, 30);
  TBitmap glyph;
  glyph.SetPixelFormat(pf24bit);
  glyph.SetSize(8, 8);
  glyph.Canvas()->Brush()->SetColor(0x00FF00);
  glyph.Canvas()->FillRect(Rect(0, 0, 8, 8));
  glyph.Canvas()->SetPixel(0, 7, 0xFF00FF);  // the transparent corner
  b->Glyph()->SetBitmap(&glyph);
  auto greenBox = [&](const Snapshot& s) {
    TRect box{1000, 1000, -1, -1};
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x)
        if (s.At(x, y) == 0x00FF00)
          box = Rect(std::min(box.Left, x), std::min(box.Top, y), std::max(box.Right, x), std::max(box.Bottom, y));
    return box;
  };
  // Without a caption the glyph is centred.
  TRect alone = greenBox(Snapshot(b));
  EXPECT_EQ(alone.Left, (100 - 8) / 2);
  EXPECT_EQ(alone.Top, (30 - 8) / 2);
  b->SetCaption(u"Find");
  TRect withText = greenBox(Snapshot(b));
  EXPECT_LT(withText.Left, alone.Left);
  EXPECT_EQ(withText.Top, alone.Top);
  b->SetDown(true);
  TRect pressed = greenBox(Snapshot(b));
  EXPECT_EQ(pressed.Left, withText.Left + 1);
  EXPECT_EQ(pressed.Top, withText.Top + 1);
  // Disabled with AutoGray: the glyph is lightened to grey.
  b->SetDown(false);
  b->SetEnabled(false);
  EXPECT_LT(greenBox(Snapshot(b)).Right, 0);
}

TEST(XPButton, SpaceShowsThePressedFaceAndClicksOnRelease) {
  ButtonForm f;
  VirtualMouse mouse;
  Mouse->SetCursorPos(TPoint{1000, 900});
  f.button->SetFocus();
  PostMessageW(f.button->Handle(), WM_KEYDOWN, VK_SPACE, 1);
  fwtest::Pump();
  EXPECT_TRUE(f.button->DrawState().Contains(dsClicked));
  EXPECT_TRUE(f.button->DrawState().Contains(dsHighlight));
  EXPECT_EQ(f.clicks.n, 0);
  PostMessageW(f.button->Handle(), WM_KEYUP, VK_SPACE, static_cast<LPARAM>(0xC0000001u));
  fwtest::Pump();
  EXPECT_EQ(f.clicks.n, 1);
  EXPECT_FALSE(f.button->DrawState().Contains(dsClicked));
  // The mouse is not over the button: it does not stay hot.
  EXPECT_FALSE(f.button->DrawState().Contains(dsHighlight));
}

TEST(XPButton, PressedDraggedOutAndReleasedDoesNotClick) {
  ButtonForm f;
  VirtualMouse mouse;
  mouse.MoveTo(f.button, 5, 5);
  mouse.Down(f.button, 5, 5);
  EXPECT_TRUE(f.button->IsSpecialDrawState(true) == false);
  mouse.Up(f.button, -20, 40);
  EXPECT_EQ(f.clicks.n, 0);
  EXPECT_FALSE(f.button->DrawState().Contains(dsClicked));
  mouse.Click(f.button, 5, 5);
  EXPECT_EQ(f.clicks.n, 1);
}

TEST(XPButton, ReturnClicksTheFocusedButtonOrTheDefaultOneAndEscapeTheCancelOne) {
  ButtonForm f;
  TCkXPButton* ok = f.button;
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  TCkXPButton* cancel = f.AddButton(40);
  xptest::Calls cancelClicks;
  cancel->OnClick = cancelClicks.Event();
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  auto* edit = new TEdit(f.form.form);
  edit->SetParent(f.form.form);
  edit->SetBounds(10, 80, 100, 21);
  fwtest::Pump();

  // Focus on a control that is not XP-style: Return goes to the default.
  ASSERT_TRUE(xptest::FocusOn(edit));
  EXPECT_FALSE(ok->IsSibling());
  xptest::PressKey(edit, VK_RETURN);
  EXPECT_EQ(f.clicks.n, 1);
  EXPECT_EQ(f.form->ModalResult(), mrOk);
  ASSERT_EQ(GetFocus(), edit->Handle());
  xptest::PressKey(edit, VK_ESCAPE);
  EXPECT_EQ(cancelClicks.n, 1);
  EXPECT_EQ(f.form->ModalResult(), mrCancel);

  // Focus on another XP-style control: that one answers Return.
  ASSERT_TRUE(xptest::FocusOn(cancel));
  EXPECT_TRUE(ok->IsSibling());
  xptest::PressKey(cancel, VK_RETURN);
  EXPECT_EQ(f.clicks.n, 1);
  EXPECT_EQ(cancelClicks.n, 2);

  // A disabled default button takes no Return.
  ok->SetEnabled(false);
  ASSERT_TRUE(xptest::FocusOn(edit));
  xptest::PressKey(edit, VK_RETURN);
  EXPECT_EQ(f.clicks.n, 1);
}

TEST(XPButton, ActionLinkGivesCaptionStateHintClickAndImageIndex) {
  ButtonForm f;
  auto* list = new TActionList(f.form.form);
  auto* action = new TAction(f.form.form);
  action->SetActionList(list);
  action->SetCaption(u"Crop Chars");
  action->SetHint(u"Crop the characters");
  action->SetImageIndex(3);
  xptest::Calls executed;
  action->OnExecute = executed.Event();
  f.button->OnClick = nullptr;
  f.button->SetButtonAction(action);
  EXPECT_EQ(f.button->Caption(), u"Crop Chars");
  EXPECT_EQ(f.button->Hint(), u"Crop the characters");
  EXPECT_EQ(f.button->ImageIndex(), 3);
  f.button->Click();
  EXPECT_EQ(executed.n, 1);
  action->SetEnabled(false);
  EXPECT_FALSE(f.button->Enabled());
  action->SetCaption(u"Find");
  EXPECT_EQ(f.button->Caption(), u"Find");
  action->SetImageIndex(5);
  EXPECT_EQ(f.button->ImageIndex(), 5);
  // The action goes: the button keeps what it had and has no action.
  action->Free();
  EXPECT_EQ(f.button->Action(), nullptr);
  EXPECT_EQ(f.button->Caption(), u"Find");
}

TEST(XPButton, FormDescriptionSetsThePublishedProperties) {
  ButtonForm f;
  EXPECT_TRUE(f.button->TabStop());
  EXPECT_EQ(GetPropValue(f.button, u"Spacing").AsOrdinal(), 3);
  SetPropValue(f.button, u"Layout", TValue(static_cast<int64_t>(blGlyphTop)));
  EXPECT_EQ(f.button->Layout(), blGlyphTop);
  SetEnumProp(f.button, u"Layout", u"blGlyphRight");
  EXPECT_EQ(f.button->Layout(), blGlyphRight);
  EXPECT_EQ(GetPropInfo(f.button, u"TabStop")->Default(), 1);
  EXPECT_EQ(GetPropInfo(f.button, u"ShowFocusRect")->Default(), 0);
}
