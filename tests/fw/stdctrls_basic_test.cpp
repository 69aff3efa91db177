// Buttons, check boxes, radio buttons, edits, memos, labels and panels:
// what a form description sets reaches the window, and what the user does
// (sent as messages) raises the events.
#include <gtest/gtest.h>

#include <functional>

#include "fw/controls/button.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/spinedit.h"
#include "stdctrls_test_util.h"

namespace fw {

// A form whose handlers log the sender's name and the event.
class TStdBasicForm : public TForm {
  FW_CLASS(TStdBasicForm, TForm)
  explicit TStdBasicForm(TComponent* AOwner) : TForm(AOwner) {}
  std::vector<std::string> log;
  void Note(TObject* Sender, const char* what) {
    auto* c = dynamic_cast<TComponent*>(Sender);
    log.push_back((c ? StringToUtf8(c->Name()) : std::string("?")) + " " + what);
  }
  void AnyClick(TObject* Sender) { Note(Sender, "click"); }
  void AnyChange(TObject* Sender) { Note(Sender, "change"); }
};

FW_REGISTER(TStdBasicForm) {
  c.Method(u"AnyClick", &TStdBasicForm::AnyClick);
  c.Method(u"AnyChange", &TStdBasicForm::AnyChange);
}

}  // namespace fw

using namespace fw;
using fwtest::DescribedForm;
using fwtest::HasExStyle;
using fwtest::HasStyle;
using fwtest::WindowText;

namespace {

const char16_t* kBasicForm =
    u"object StdBasic: TStdBasicForm\n"
    u"  Left = 0\n  Top = 0\n  Width = 500\n  Height = 400\n"
    u"  Color = clBtnFace\n"
    u"  object btnOk: TButton\n"
    u"    Left = 8\n    Top = 8\n    Caption = '&OK'\n    Default = True\n    ModalResult = 1\n"
    u"    OnClick = AnyClick\n"
    u"  end\n"
    u"  object cbshow: TCheckBox\n"
    u"    Left = 8\n    Top = 40\n    Width = 150\n    Caption = 'Don''t show'\n"
    u"    Checked = True\n    Alignment = taLeftJustify\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object cbgray: TCheckBox\n"
    u"    Left = 8\n    Top = 60\n    Caption = 'Gray'\n    AllowGrayed = True\n    State = cbGrayed\n"
    u"    OnClick = AnyClick\n"
    u"  end\n"
    u"  object rbone: TRadioButton\n"
    u"    Left = 200\n    Top = 40\n    Caption = 'One'\n    Checked = True\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object rbtwo: TRadioButton\n"
    u"    Left = 200\n    Top = 60\n    Caption = 'Two'\n    OnClick = AnyClick\n"
    u"  end\n"
    u"  object edsample: TEdit\n"
    u"    Left = 8\n    Top = 90\n    Text = 'SAMPLE abcd'\n    MaxLength = 40\n    CharCase = ecUpperCase\n"
    u"    OnChange = AnyChange\n"
    u"  end\n"
    u"  object edpass: TEdit\n"
    u"    Left = 140\n    Top = 90\n    PasswordChar = '*'\n    ReadOnly = True\n    BorderStyle = bsNone\n"
    u"  end\n"
    u"  object Memo1: TMemo\n"
    u"    Left = 8\n    Top = 120\n    Lines.Strings = (\n      'first'\n      'second')\n"
    u"    ScrollBars = ssVertical\n    WordWrap = False\n    OnChange = AnyChange\n"
    u"  end\n"
    u"  object secodepoint: TSpinEdit\n"
    u"    Left = 220\n    Top = 120\n    MaxValue = 100000\n    MinValue = 33\n    Value = 65\n"
    u"    OnChange = AnyChange\n"
    u"  end\n"
    u"  object Label1: TLabel\n"
    u"    Left = 220\n    Top = 160\n    Caption = '&Code point'\n    FocusControl = secodepoint\n"
    u"  end\n"
    u"  object Panel1: TPanel\n"
    u"    Left = 300\n    Top = 200\n    Width = 100\n    Height = 60\n    Caption = 'X'\n"
    u"    BevelOuter = bvLowered\n    BevelInner = bvRaised\n    BorderWidth = 2\n    OnClick = AnyClick\n"
    u"  end\n"
    u"end\n";

struct WindowFact {
  const char* control;
  const char* what;
  std::function<std::string(HWND)> reported;
  std::string expected;
};

std::string Flag(bool b) { return b ? "yes" : "no"; }

TEST(StdControlsFromDescription, PropertiesReachTheWindows) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  const WindowFact facts[] = {
      {"btnOk", "caption", WindowText, "&OK"},
      {"btnOk", "default push button", [](HWND h) { return Flag(HasStyle(h, BS_DEFPUSHBUTTON)); }, "yes"},
      {"cbshow", "check", [](HWND h) { return std::to_string(SendMessageW(h, BM_GETCHECK, 0, 0)); }, "1"},
      {"cbshow", "text left of the box", [](HWND h) { return Flag(HasStyle(h, BS_LEFTTEXT)); }, "yes"},
      {"cbshow", "caption", WindowText, "Don't show"},
      {"cbgray", "check", [](HWND h) { return std::to_string(SendMessageW(h, BM_GETCHECK, 0, 0)); }, "2"},
      {"rbone", "check", [](HWND h) { return std::to_string(SendMessageW(h, BM_GETCHECK, 0, 0)); }, "1"},
      {"rbtwo", "check", [](HWND h) { return std::to_string(SendMessageW(h, BM_GETCHECK, 0, 0)); }, "0"},
      {"edsample", "text", WindowText, "SAMPLE ABCD"},
      {"edsample", "limit", [](HWND h) { return std::to_string(SendMessageW(h, EM_GETLIMITTEXT, 0, 0)); }, "40"},
      {"edsample", "upper case", [](HWND h) { return Flag(HasStyle(h, ES_UPPERCASE)); }, "yes"},
      {"edsample", "sunken border", [](HWND h) { return Flag(HasExStyle(h, WS_EX_CLIENTEDGE)); }, "yes"},
      {"edpass", "password char", [](HWND h) { return std::to_string(SendMessageW(h, EM_GETPASSWORDCHAR, 0, 0)); },
       "42"},
      {"edpass", "read-only", [](HWND h) { return Flag(HasStyle(h, ES_READONLY)); }, "yes"},
      {"edpass", "sunken border", [](HWND h) { return Flag(HasExStyle(h, WS_EX_CLIENTEDGE)); }, "no"},
      {"Memo1", "text", WindowText, "first\r\nsecond"},
      {"Memo1", "multi-line", [](HWND h) { return Flag(HasStyle(h, ES_MULTILINE)); }, "yes"},
      {"Memo1", "vertical scroll bar", [](HWND h) { return Flag(HasStyle(h, WS_VSCROLL)); }, "yes"},
      {"Memo1", "no word wrap", [](HWND h) { return Flag(HasStyle(h, ES_AUTOHSCROLL)); }, "yes"},
      {"Memo1", "lines", [](HWND h) { return std::to_string(SendMessageW(h, EM_GETLINECOUNT, 0, 0)); }, "2"},
      {"secodepoint", "text", WindowText, "65"},
      {"Panel1", "caption", WindowText, "X"},
  };
  for (const WindowFact& fact : facts) {
    auto* control = f.Find<TWinControl>(Utf8ToString(fact.control).c_str());
    ASSERT_TRUE(control->HandleAllocated()) << fact.control;
    EXPECT_EQ(fact.reported(control->Handle()), fact.expected) << fact.control << ": " << fact.what;
  }
}

TEST(StdControlsFromDescription, WindowClassesCarryTheControlClassNames) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  const std::pair<const char16_t*, const char*> names[] = {
      {u"btnOk", "TButton"}, {u"cbshow", "TCheckBox"}, {u"rbone", "TRadioButton"}, {u"edsample", "TEdit"},
      {u"Memo1", "TMemo"},   {u"secodepoint", "TSpinEdit"}, {u"Panel1", "TPanel"}};
  for (auto [name, cls] : names)
    EXPECT_EQ(fwtest::ClassNameOf(f.Find<TWinControl>(name)->Handle()), cls) << StringToUtf8(name);
}

TEST(StdControlsFromDescription, LoadingReportsNoClicksOrChanges) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  EXPECT_TRUE(f->log.empty()) << f->log.front();
  EXPECT_TRUE(f.Find<TCheckBox>(u"cbshow")->Checked());
  EXPECT_EQ(f.Find<TCheckBox>(u"cbgray")->State(), cbGrayed);
  EXPECT_EQ(f.Find<TSpinEdit>(u"secodepoint")->Value(), 65);
}

// ---- Events from user actions

TEST(StdControlEvents, ButtonClickRaisesOnClickAndSetsTheFormsModalResult) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  SendMessageW(f.Find<TButton>(u"btnOk")->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(f->log, (std::vector<std::string>{"btnOk click"}));
  EXPECT_EQ(f->ModalResult(), 1);
}

TEST(StdControlEvents, CheckBoxClicksToggleAndCycleThroughGrayedWhenAllowed) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* show = f.Find<TCheckBox>(u"cbshow");
  SendMessageW(show->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(show->Checked());
  EXPECT_EQ(SendMessageW(show->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  auto* gray = f.Find<TCheckBox>(u"cbgray");
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    SendMessageW(gray->Handle(), BM_CLICK, 0, 0);
    seen.push_back(gray->State());
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbChecked, cbUnchecked, cbGrayed}));
  EXPECT_EQ(f->log, (std::vector<std::string>{"cbshow click", "cbgray click", "cbgray click", "cbgray click"}));
  // The program's change is reported the same way.
  f->log.clear();
  show->SetChecked(true);
  show->SetChecked(true);
  EXPECT_EQ(f->log, (std::vector<std::string>{"cbshow click"}));
}

TEST(StdControlEvents, RadioButtonClickChecksItAndUnchecksItsSiblings) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* one = f.Find<TRadioButton>(u"rbone");
  auto* two = f.Find<TRadioButton>(u"rbtwo");
  SendMessageW(two->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(two->Checked());
  EXPECT_FALSE(one->Checked());
  EXPECT_EQ(SendMessageW(one->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(f->log, (std::vector<std::string>{"rbtwo click"})) << "unchecking is not a click";
}

TEST(StdControlEvents, TypingAndSettingTextRaiseOnChange) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* ed = f.Find<TEdit>(u"edsample");
  SendMessageW(ed->Handle(), EM_SETSEL, 0, -1);
  SendMessageW(ed->Handle(), WM_CHAR, 'x', 1);
  EXPECT_EQ(ed->Text(), u"X") << "upper case edit";
  ed->SetText(u"Other");
  auto* memo = f.Find<TMemo>(u"Memo1");
  memo->Lines()->Add(u"third");
  EXPECT_EQ(memo->Lines()->Count(), 3);
  EXPECT_EQ(memo->Lines()->Strings(2), u"third");
  EXPECT_EQ(WindowText(memo->Handle()), "first\r\nsecond\r\nthird");
  SendMessageW(memo->Handle(), WM_CHAR, 'z', 1);
  EXPECT_EQ(f->log, (std::vector<std::string>{"edsample change", "edsample change", "Memo1 change", "Memo1 change"}));
}

TEST(StdControlEvents, LabelAcceleratorFocusesItsFocusControl) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* spin = f.Find<TSpinEdit>(u"secodepoint");
  f.Find<TEdit>(u"edsample")->SetFocus();
  EXPECT_NE(f->Perform(CM_DIALOGCHAR, 'C', 0), 0);
  EXPECT_TRUE(spin->Focused());
  EXPECT_EQ(f->Perform(CM_DIALOGCHAR, 'Q', 0), 0) << "no control has Q";
}

TEST(StdControlEvents, PanelClickRaisesOnClick) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  fwtest::ClickAt(f.Find<TPanel>(u"Panel1")->Handle(), 10, 10);
  EXPECT_EQ(f->log, (std::vector<std::string>{"Panel1 click"}));
}

// ---- Drawing

TEST(StdControlPainting, PanelDrawsItsBevelsBorderAndCaption) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* panel = f.Find<TPanel>(u"Panel1");
  auto bmp = fwtest::Capture(panel);
  TColor shadow = ColorToRGB(clBtnShadow), light = ColorToRGB(clBtnHighlight), face = ColorToRGB(clBtnFace);
  // Lowered outer bevel: shadow on top, light at the bottom; then two
  // pixels of border in the face colour; then the raised inner bevel.
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 50, 0), shadow);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 50, 59), light);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 50, 1), face);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 50, 3), light);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 50, 56), shadow);
  TRect client = panel->ClientRect();
  panel->AdjustClientRect(client);
  EXPECT_EQ(client, Rect(4, 4, 96, 56));
  // The caption is drawn in the middle.
  EXPECT_GT(fwtest::CountColor(bmp.get(), ColorToRGB(clBtnText), Rect(40, 20, 60, 40)), 5);
}

TEST(StdControlPainting, LabelSizesItselfToItsTextAndDrawsIt) {
  DescribedForm<TStdBasicForm> f(kBasicForm);
  auto* label = f.Find<TLabel>(u"Label1");
  EXPECT_GT(label->Width(), 30);
  EXPECT_LT(label->Width(), 120);
  int oldWidth = label->Width();
  label->SetCaption(u"&Code point of the character");
  EXPECT_GT(label->Width(), oldWidth) << "AutoSize follows the caption";
  auto bmp = fwtest::Capture(f.form);
  TRect r = label->BoundsRect();
  EXPECT_GT(fwtest::CountColor(bmp.get(), ColorToRGB(clWindowText), r), 10);
  EXPECT_EQ(fwtest::CountColor(bmp.get(), ColorToRGB(clWindowText), Rect(r.Right + 2, r.Top, r.Right + 40, r.Bottom)),
            0);
}

TEST(StdControlPainting, ShapesBevelsAndPaintBoxesDrawOnTheirParent) {
  fwtest::TestForm form(200, 100);
  form->SetColor(clWhite);
  auto* shape = new TShape(form.form);
  shape->SetParent(form.form);
  shape->SetBounds(10, 10, 40, 40);
  shape->Brush()->SetColor(clRed);
  shape->Pen()->SetColor(clBlue);
  auto* bevel = new TBevel(form.form);
  bevel->SetParent(form.form);
  bevel->SetBounds(60, 10, 40, 40);
  bevel->SetShape(bsTopLine);
  auto* box = new TPaintBox(form.form);
  box->SetParent(form.form);
  box->SetBounds(110, 10, 40, 40);
  box->SetColor(clYellow);
  int painted = 0;
  struct Painter {
    TPaintBox* box;
    int* count;
    void Paint(TObject*) {
      ++*count;
      box->Canvas()->FillRect(Rect(0, 0, 40, 40));
    }
  } painter{box, &painted};
  box->OnPaint = TNotifyEvent(&painter, &Painter::Paint);
  form->Show();
  auto bmp = fwtest::Capture(form.form);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 30, 30), clRed) << "shape brush";
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 10, 30), clBlue) << "shape pen";
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 80, 10), ColorToRGB(clBtnShadow)) << "bevel line";
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 80, 11), ColorToRGB(clBtnHighlight));
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 80, 30), clWhite);
  EXPECT_GE(painted, 1);
  EXPECT_EQ(fwtest::PixelAt(bmp.get(), 130, 30), clYellow) << "paint box canvas brush is its colour";
}

}  // namespace

namespace {

// The box around the text's pixels inside r.
TRect InkBox(TBitmap* bmp, const TRect& r, TColor ink) {
  TRect box{r.Right, r.Bottom, r.Left, r.Top};
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (fwtest::PixelAt(bmp, x, y) == ink) {
        box.Left = std::min(box.Left, x);
        box.Top = std::min(box.Top, y);
        box.Right = std::max(box.Right, x + 1);
        box.Bottom = std::max(box.Bottom, y + 1);
      }
  return box;
}

TEST(StdControlPainting, LabelAlignsLaysOutWrapsAndLetsTheParentShowThrough) {
  fwtest::TestForm form(300, 200);
  form->SetColor(clWhite);
  auto* label = new TLabel(form.form);
  label->SetParent(form.form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 120, 60);
  label->SetCaption(u"Ab");
  label->SetColor(clYellow);
  label->Font()->SetColor(clBlack);
  form->Show();
  struct Case {
    TAlignment alignment;
    TTextLayout layout;
    bool transparent;
  } cases[] = {{taLeftJustify, tlTop, false}, {taRightJustify, tlBottom, true}, {taCenter, tlCenter, false}};
  for (const Case& c : cases) {
    label->SetAlignment(c.alignment);
    label->SetLayout(c.layout);
    label->SetTransparent(c.transparent);
    auto bmp = fwtest::Capture(form.form);
    TRect area = label->BoundsRect();
    TRect ink = InkBox(bmp.get(), area, clBlack);
    ASSERT_LT(ink.Left, ink.Right) << "text drawn";
    int left = ink.Left - area.Left, right = area.Right - ink.Right;
    int top = ink.Top - area.Top, bottom = area.Bottom - ink.Bottom;
    switch (c.alignment) {
      case taLeftJustify: EXPECT_LT(left, right); break;
      case taRightJustify: EXPECT_LT(right, left); break;
      case taCenter: EXPECT_LE(std::abs(left - right), 3); break;
    }
    switch (c.layout) {
      case tlTop: EXPECT_LT(top, bottom); break;
      case tlBottom: EXPECT_LT(bottom, top); break;
      case tlCenter: EXPECT_LE(std::abs(top - bottom), 4); break;
    }
    EXPECT_EQ(fwtest::PixelAt(bmp.get(), area.Left + 1, area.Top + 1), c.transparent ? clWhite : clYellow);
  }
  // A wrapped caption sized to its text stays within its width and grows
  // down.
  int oneLine = label->Canvas()->TextHeight(u"Ab");
  label->SetCaption(u"Left click on image - grab character, right click- zoom");
  label->SetWordWrap(true);
  label->SetAutoSize(true);
  EXPECT_LE(label->Width(), 120);
  EXPECT_GT(label->Width(), 60);
  EXPECT_GE(label->Height(), 3 * oneLine);
}

}  // namespace
