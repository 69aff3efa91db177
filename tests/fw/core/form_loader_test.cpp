#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fw/core/form_loader.h"
#include "fw/core/form_loader_classes.h"

namespace fw {

namespace {

std::string N(const String& s) { return StringToUtf8(s); }

const char16_t* kMainForm =
    u"object LdMain: TLdForm\n"                   // 1
    u"  Caption = 'Main'\n"                       // 2
    u"  OnShow = FormShow\n"                      // 3
    u"  object Panel1: TLdWidget\n"               // 4
    u"    Align = laClient\n"                     // 5
    u"    object Button1: TLdWidget\n"            // 6
    u"      Left = 8\n"                           // 7
    u"      Caption = 'it''s'#13#10'ok'\n"        // 8
    u"      Color = clRed\n"                      // 9
    u"      Visible = False\n"                    // 10
    u"      Style = [lsBold, lsUnderline]\n"      // 11
    u"      Ratio = 1.25\n"                       // 12
    u"      Big = -5000000000\n"                  // 13
    u"      Key = 'K'\n"                          // 14
    u"      Font.Name = 'Arial'\n"                // 15
    u"      Font.Size = 12\n"                     // 16
    u"      Items.Strings = (\n"                  // 17
    u"        'one'\n"                            // 18
    u"        'two')\n"                           // 19
    u"      Columns = <\n"                        // 20
    u"        item\n"                             // 21
    u"          Caption = 'Name'\n"               // 22
    u"          Width = 120\n"                    // 23
    u"        end\n"                              // 24
    u"        item\n"                             // 25
    u"          Caption = 'Size'\n"               // 26
    u"        end>\n"                             // 27
    u"      Data = {0102FF}\n"                    // 28
    u"      Buddy = Timer1\n"                     // 29
    u"      OnClick = Button1Click\n"             // 30
    u"    end\n"                                  // 31
    u"  end\n"                                    // 32
    u"  object Timer1: TLdPlain\n"                // 33
    u"    Interval = $FFFFFFFF\n"                 // 34
    u"  end\n"                                    // 35
    u"end\n";

}  // namespace

TEST(FormLoader, BuildsTheComponentTreeAndSetsEveryKindOfProperty) {
  Log().clear();
  TLdForm form(nullptr);
  ReadRootComponent(&form, kMainForm, u"Main.form");
  EXPECT_EQ(form.Name(), u"LdMain");
  EXPECT_EQ(form.FCaption, u"Main");
  ASSERT_EQ(form.ComponentCount(), 3) << "every component is owned by the root";
  auto* panel = dynamic_cast<TLdWidget*>(form.Components(0));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(panel->Name(), u"Panel1");
  EXPECT_EQ(panel->parent, &form);
  EXPECT_EQ(panel->FAlign, laClient);

  TLdWidget* b = form.Button1;
  ASSERT_NE(b, nullptr) << "the published field is bound by name";
  EXPECT_EQ(b->Owner(), &form);
  EXPECT_EQ(b->parent, panel) << "the parent is the enclosing component";
  EXPECT_EQ(b->FLeft, 8);
  EXPECT_TRUE(b->loadingWhileSet) << "properties are set inside the loading bracket";
  EXPECT_EQ(b->FCaption, u"it's\r\nok");
  EXPECT_EQ(b->FColor, clRed);
  EXPECT_FALSE(b->FVisible);
  EXPECT_EQ(b->FStyle, (TLdStyles{lsBold, lsUnderline}));
  EXPECT_DOUBLE_EQ(b->FRatio, 1.25);
  EXPECT_EQ(b->FBig, -5000000000LL);
  EXPECT_EQ(b->FKey, u'K');
  EXPECT_EQ(b->FFont->FName, u"Arial");
  EXPECT_EQ(b->FFont->FSize, 12);
  ASSERT_EQ(b->FItems->Count(), 2);
  EXPECT_EQ((*b->FItems)[1], u"two");
  ASSERT_EQ(b->FColumns->Count(), 2);
  EXPECT_EQ(static_cast<TLdColumn*>(b->FColumns->Items(0))->FWidth, 120);
  EXPECT_EQ(static_cast<TLdColumn*>(b->FColumns->Items(1))->FCaption, u"Size");
  EXPECT_EQ(b->data, (std::vector<uint8_t>{1, 2, 0xFF}));
  EXPECT_EQ(b->FBuddy, form.Timer1) << "a reference to a component created later";
  ASSERT_NE(form.Timer1, nullptr);
  EXPECT_EQ(form.Timer1->FInterval, -1) << "$FFFFFFFF in a 32-bit property";
  for (int i = 0; i < form.ComponentCount(); ++i) {
    EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csLoading));
    EXPECT_FALSE(form.Components(i)->ComponentState().Contains(csReading));
  }
  EXPECT_FALSE(form.ComponentState().Contains(csLoading));
}

TEST(FormLoader, LoadedRunsOnEveryComponentInCreationOrderAfterAllProperties) {
  Log().clear();
  TLdForm form(nullptr);
  ReadRootComponent(&form, kMainForm, u"Main.form");
  EXPECT_EQ(Log(), (std::vector<String>{u"parent Panel1 -> LdMain", u"parent Button1 -> Panel1", u"loaded LdMain",
                                        u"loaded Panel1", u"loaded Button1", u"loaded Timer1"}));
  EXPECT_EQ(form.Button1->buddyAtLoaded, form.Timer1) << "references are set before Loaded";
}

TEST(FormLoader, EventsAreBoundToTheRootsMethodsByName) {
  TLdForm form(nullptr);
  ReadRootComponent(&form, kMainForm, u"Main.form");
  ASSERT_TRUE(form.Button1->FOnClick.Assigned());
  form.Button1->FOnClick(form.Button1);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.lastSender, form.Button1);
  EXPECT_TRUE(form.FOnShow.Assigned());
  EXPECT_EQ(form.ClassType()->MethodName(&form, form.Button1->FOnClick.Method()), u"Button1Click");
}

TEST(FormLoader, CreatesTheRootFromItsClass) {
  TComponent application(nullptr);
  TFormObject tree = ParseFormDescription(u"object LdCreated: TLdForm\n  Caption = 'made'\nend\n", u"Made.form");
  TComponent* made = CreateRootComponent(tree, u"Made.form", &application);
  auto* form = dynamic_cast<TLdForm*>(made);
  ASSERT_NE(form, nullptr);
  EXPECT_EQ(form->Owner(), &application);
  EXPECT_EQ(form->FCaption, u"made");
  // A second one under the same owner gets a name of its own.
  TComponent* second = CreateRootComponent(tree, u"Made.form", &application);
  EXPECT_EQ(second->Name(), u"LdCreated_1");
}

TEST(FormLoader, WrongDescriptionsNameFileLineAndPropertyAndLeaveNothingBehind) {
  struct Case {
    const char16_t* body;  // inside "object LdBad: TLdForm ... end", from line 2
    int line;
    const char16_t* reason;
    const char16_t* property;
  } cases[] = {
      {u"  object B: TLdMissing\n  end\n", 2, u"Unknown class TLdMissing", u""},
      {u"  object B: TLdThing\n  end\n", 2, u"Class TLdThing is not a component", u""},
      {u"  object B: TLdWidget\n    Lefty = 3\n  end\n", 3, u"Unknown property", u"Lefty"},
      {u"  object B: TLdWidget\n    Font.Colour = 3\n  end\n", 3, u"Unknown property", u"Font.Colour"},
      {u"  object B: TLdWidget\n    Left.X = 3\n  end\n", 3, u"Property Left is not an object", u"Left.X"},
      {u"  object B: TLdWidget\n    Left = 'x'\n  end\n", 3, u"Invalid property value", u"Left"},
      {u"  object B: TLdWidget\n    Left = 1.5\n  end\n", 3, u"Invalid property value", u"Left"},
      {u"  object B: TLdWidget\n    Left = 4294967296\n  end\n", 3, u"Invalid property value", u"Left"},
      {u"  object B: TLdWidget\n    Caption = Button\n  end\n", 3, u"Invalid property value", u"Caption"},
      {u"  object B: TLdWidget\n    Caption = 'boom'\n  end\n", 3, u"Caption refused", u"Caption"},
      {u"  object B: TLdWidget\n    Color = clNoSuchColour\n  end\n", 3, u"Invalid property value", u"Color"},
      {u"  object B: TLdWidget\n    Align = laLeft\n  end\n", 3, u"Invalid property element: laLeft", u"Align"},
      {u"  object B: TLdWidget\n    Style = [lsBold, lsBlink]\n  end\n", 3, u"Invalid property element: lsBlink", u"Style"},
      {u"  object B: TLdWidget\n    OnClick = Button2Click\n  end\n", 3, u"Unknown event handler Button2Click", u"OnClick"},
      {u"  object B: TLdWidget\n    OnClick = WrongShape\n  end\n", 3, u"Event handler WrongShape does not fit the event",
       u"OnClick"},
      {u"  object B: TLdWidget\n    Buddy = Nobody\n  end\n", 3, u"Unknown component Nobody", u"Buddy"},
      {u"  object B: TLdWidget\n    Data = ('x')\n  end\n", 3, u"Invalid property value", u"Data"},
      {u"  object B: TLdWidget\n    Items.Strings = ([a])\n  end\n", 3, u"Invalid property value", u"Items.Strings"},
      {u"  object B: TLdWidget\n    Columns = <\n      item\n        Wide = 1\n      end>\n  end\n", 5, u"Unknown property",
       u"Wide"},
      {u"  object B: TLdWidget\n  end\n  object B: TLdPlain\n  end\n", 4, u"A component named B already exists", u""},
      {u"  object B: TLdWidget\n    Caption = 'open\n  end\n", 3, u"Unterminated string", u"Caption"},
  };
  for (const Case& c : cases) {
    Log().clear();
    TLdForm form(nullptr);
    String text = String(u"object LdBad: TLdForm\n") + c.body + u"end\n";
    try {
      ReadRootComponent(&form, text, u"Bad.form");
      ADD_FAILURE() << "accepted: " << N(c.body);
    } catch (const EFormDescriptionError& e) {
      EXPECT_EQ(e.FileName(), u"Bad.form");
      EXPECT_EQ(e.Line(), c.line) << N(c.body);
      EXPECT_EQ(N(e.Reason()), N(c.reason)) << N(c.body);
      EXPECT_EQ(N(e.PropertyName()), N(c.property)) << N(c.body);
    }
    EXPECT_EQ(form.ComponentCount(), 0) << "created components are freed: " << N(c.body);
    EXPECT_FALSE(form.ComponentState().Contains(csLoading));
    EXPECT_TRUE(Log().empty() || Log().back().rfind(u"parent", 0) == 0) << "no Loaded after a failure";
  }
  TLdWidget widget(nullptr);
  try {
    ReadRootComponent(&widget, u"object W: TLdForm\nend\n", u"W.form");
    FAIL();
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Message(), u"W.form(1): Class TLdForm does not match the root object of class TLdWidget");
  }
  try {
    TLdForm form(nullptr);
    ReadRootComponent(&form, u"object F: TLdForm\n  Caption = 'a'\n  Caption = 5\nend\n", u"ImageForm.form");
    FAIL();
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Message(), u"ImageForm.form(3): Invalid property value in property Caption");
  }
}

TEST(FormLoader, ReferencesToAnotherFormWaitUntilThatFormExists) {
  const int pendingAtStart = PendingFormReferenceCount();
  auto first = std::make_unique<TLdForm>(nullptr);
  ReadRootComponent(first.get(),
                    u"object LdFirst: TLdForm\n"
                    u"  object Button1: TLdWidget\n"
                    u"    Buddy = LdSecond.Timer1\n"
                    u"  end\n"
                    u"end\n",
                    u"First.form");
  EXPECT_EQ(first->Button1->FBuddy, nullptr);
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart + 1);

  auto second = std::make_unique<TLdForm>(nullptr);
  ReadRootComponent(second.get(),
                    u"object LdSecond: TLdForm\n"
                    u"  object Timer1: TLdPlain\n"
                    u"  end\n"
                    u"  object Button1: TLdWidget\n"
                    u"    Buddy = LdFirst\n"
                    u"  end\n"
                    u"end\n",
                    u"Second.form");
  EXPECT_EQ(first->Button1->FBuddy, second->Timer1) << "resolved when the second form registered";
  EXPECT_EQ(second->Button1->FBuddy, first.get()) << "a form that exists is found at once";
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart);
  EXPECT_EQ(FindGlobalForm(u"ldsecond"), second.get());

  // A referring component freed before its form appears drops its reference.
  auto third = std::make_unique<TLdForm>(nullptr);
  ReadRootComponent(third.get(), u"object LdThird: TLdForm\n  object Button1: TLdWidget\n    Buddy = LdLater.Timer1\n  end\nend\n",
                    u"Third.form");
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart + 1);
  third.reset();
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart);
  second.reset();
  EXPECT_EQ(FindGlobalForm(u"LdSecond"), nullptr) << "a freed form leaves the registry";

  // A form that appears without the component referred to is a fault of the
  // referring description.
  auto fourth = std::make_unique<TLdForm>(nullptr);
  ReadRootComponent(fourth.get(), u"object LdFourth: TLdForm\n  object Button1: TLdWidget\n    Buddy = LdFifth.Nothing\n  end\nend\n",
                    u"Fourth.form");
  TLdForm fifth(nullptr);
  try {
    ReadRootComponent(&fifth, u"object LdFifth: TLdForm\nend\n", u"Fifth.form");
    FAIL();
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Message(), u"Fourth.form(3): Unknown component LdFifth.Nothing in property Buddy");
  }
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart);
}

TEST(FormLoader, ReferencesFromCollectionItemsFindTheItemAgainOrNothing) {
  const int pendingAtStart = PendingFormReferenceCount();
  TLdForm form(nullptr);
  ReadRootComponent(&form,
                    u"object LdItems: TLdForm\n"
                    u"  object Button1: TLdWidget\n"
                    u"    Columns = <\n"
                    u"      item\n"
                    u"        Buddy = Timer1\n"
                    u"      end\n"
                    u"      item\n"
                    u"        Buddy = LdLaterItems.Timer1\n"
                    u"      end\n"
                    u"      item\n"
                    u"        Buddy = LdLaterItems.Timer1\n"
                    u"      end>\n"
                    u"  end\n"
                    u"  object Timer1: TLdPlain\n"
                    u"  end\n"
                    u"end\n",
                    u"Items.form");
  auto column = [&](int i) { return static_cast<TLdColumn*>(form.Button1->FColumns->Items(i)); };
  EXPECT_EQ(column(0)->FBuddy, form.Timer1);
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart + 2);
  // The second item goes before the other form appears: only the third
  // receives its reference.
  form.Button1->FColumns->Delete(1);
  TLdForm later(nullptr);
  ReadRootComponent(&later, u"object LdLaterItems: TLdForm\n  object Timer1: TLdPlain\n  end\nend\n", u"Later.form");
  ASSERT_EQ(form.Button1->FColumns->Count(), 2);
  EXPECT_EQ(column(1)->FBuddy, later.Timer1);
  EXPECT_EQ(PendingFormReferenceCount(), pendingAtStart);

  // A collection read twice frees the first items: their references go too.
  TLdForm twice(nullptr);
  ReadRootComponent(&twice,
                    u"object LdTwice: TLdForm\n"
                    u"  object Button1: TLdWidget\n"
                    u"    Columns = <item Buddy = Timer1 end>\n"
                    u"    Columns = <item end>\n"
                    u"  end\n"
                    u"  object Timer1: TLdPlain\n"
                    u"  end\n"
                    u"end\n",
                    u"Twice.form");
  EXPECT_EQ(static_cast<TLdColumn*>(twice.Button1->FColumns->Items(0))->FBuddy, nullptr);
}

}  // namespace fw
