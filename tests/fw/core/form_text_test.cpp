#include <gtest/gtest.h>

#include "fw/core/form_text.h"

using namespace fw;

namespace {

std::string N(const String& s) { return StringToUtf8(s); }

const TFormProperty& Prop(const std::vector<TFormProperty>& props, const char16_t* name) {
  for (const TFormProperty& p : props) {
    if (p.Name == name) return p;
  }
  static TFormProperty none;
  ADD_FAILURE() << "no property " << N(name);
  return none;
}

}  // namespace

TEST(FormText, ParsesEveryValueKindIntoTheTree) {
  const char16_t* text =
      u"object MainForm: TMainForm\r\n"          // 1
      u"  Left = 12\r\n"                           // 2
      u"  Top = -3\r\n"                            // 3
      u"  Color = $00FF8000\r\n"                   // 4
      u"  Scale = 1.5\r\n"                         // 5
      u"  Big = -2.5E3\r\n"                        // 6
      u"  Caption = 'it''s'#13#10'caf'#233\r\n"    // 7
      u"  Hint = \r\n"                             // 8
      u"    'first part ' +\r\n"                   // 9
      u"    'second'\r\n"                          // 10
      u"  Visible = True\r\n"                      // 11
      u"  Font.Style = [fsBold, fsItalic]\r\n"     // 12
      u"  Anchors = []\r\n"                        // 13
      u"  OnClick = FormClick\r\n"                 // 14
      u"  Partner = OtherForm.Button1\r\n"         // 15
      u"  Items.Strings = (\r\n"                   // 16
      u"    'one'\r\n"                             // 17
      u"    2 (nested x))\r\n"                     // 18
      u"  Columns = <\r\n"                         // 19
      u"    item\r\n"                              // 20
      u"      Caption = 'Name'\r\n"                // 21
      u"      Width = 100\r\n"                     // 22
      u"    end\r\n"                               // 23
      u"    item\r\n"                              // 24
      u"    end>\r\n"                              // 25
      u"  Empty = <>\r\n"                          // 26
      u"  Data = {\r\n"                            // 27
      u"    0A0b FF\r\n"                           // 28
      u"    10}\r\n"                               // 29
      u"  object Panel1: TPanel\r\n"               // 30
      u"    object Button1: TButton\n"             // 31
      u"      Left = 8\n"                          // 32
      u"    end\n"                                 // 33
      u"  end\n"                                   // 34
      u"  object TTimer\n"                         // 35
      u"  end\n"                                   // 36
      u"end\n";                                    // 37
  TFormObject root = ParseFormDescription(text, u"Main.form");
  EXPECT_EQ(root.Name, u"MainForm");
  EXPECT_EQ(root.ClassName, u"TMainForm");
  EXPECT_EQ(root.Line, 1);
  ASSERT_EQ(root.Properties.size(), 16u);
  EXPECT_EQ(root.Properties[0].Name, u"Left") << "properties keep their order";
  EXPECT_EQ(root.Properties[15].Name, u"Data");

  struct IntCase {
    const char16_t* name;
    int64_t value;
    bool hex;
    int line;
  } ints[] = {{u"Left", 12, false, 2}, {u"Top", -3, false, 3}, {u"Color", 0x00FF8000, true, 4}};
  for (const IntCase& c : ints) {
    const TFormProperty& p = Prop(root.Properties, c.name);
    EXPECT_EQ(p.Value.Kind, TFormValueKind::Integer) << N(c.name);
    EXPECT_EQ(p.Value.Integer, c.value) << N(c.name);
    EXPECT_EQ(p.Value.Hex, c.hex) << N(c.name);
    EXPECT_EQ(p.Line, c.line) << N(c.name);
  }
  EXPECT_EQ(Prop(root.Properties, u"Scale").Value.Kind, TFormValueKind::Float);
  EXPECT_DOUBLE_EQ(Prop(root.Properties, u"Scale").Value.Float, 1.5);
  EXPECT_DOUBLE_EQ(Prop(root.Properties, u"Big").Value.Float, -2500);

  const TFormValue& caption = Prop(root.Properties, u"Caption").Value;
  EXPECT_EQ(caption.Kind, TFormValueKind::String);
  EXPECT_EQ(caption.Text, u"it's\r\ncaf\u00e9");
  const TFormProperty& hint = Prop(root.Properties, u"Hint");
  EXPECT_EQ(hint.Value.Text, u"first part second");
  EXPECT_EQ(hint.Line, 8);
  EXPECT_EQ(hint.Value.Line, 9) << "a value starts where its first token is";

  EXPECT_EQ(Prop(root.Properties, u"Visible").Value.Kind, TFormValueKind::Ident);
  EXPECT_EQ(Prop(root.Properties, u"Visible").Value.Text, u"True");
  EXPECT_EQ(Prop(root.Properties, u"OnClick").Value.Text, u"FormClick");
  EXPECT_EQ(Prop(root.Properties, u"Partner").Value.Text, u"OtherForm.Button1");

  const TFormValue& style = Prop(root.Properties, u"Font.Style").Value;
  EXPECT_EQ(style.Kind, TFormValueKind::Set);
  EXPECT_EQ(style.Set, (std::vector<String>{u"fsBold", u"fsItalic"}));
  EXPECT_EQ(Prop(root.Properties, u"Anchors").Value.Kind, TFormValueKind::Set);
  EXPECT_TRUE(Prop(root.Properties, u"Anchors").Value.Set.empty());

  const TFormValue& items = Prop(root.Properties, u"Items.Strings").Value;
  EXPECT_EQ(items.Kind, TFormValueKind::List);
  ASSERT_EQ(items.Items.size(), 3u);
  EXPECT_EQ(items.Items[0].Text, u"one");
  EXPECT_EQ(items.Items[0].Line, 17);
  EXPECT_EQ(items.Items[1].Integer, 2);
  EXPECT_EQ(items.Items[2].Kind, TFormValueKind::List);
  EXPECT_EQ(items.Items[2].Items[1].Text, u"x");

  const TFormValue& columns = Prop(root.Properties, u"Columns").Value;
  EXPECT_EQ(columns.Kind, TFormValueKind::Collection);
  ASSERT_EQ(columns.Collection.size(), 2u);
  EXPECT_EQ(columns.Collection[0].Line, 20);
  ASSERT_EQ(columns.Collection[0].Properties.size(), 2u);
  EXPECT_EQ(columns.Collection[0].Properties[1].Name, u"Width");
  EXPECT_EQ(columns.Collection[0].Properties[1].Line, 22);
  EXPECT_TRUE(columns.Collection[1].Properties.empty());
  EXPECT_TRUE(Prop(root.Properties, u"Empty").Value.Collection.empty());
  EXPECT_EQ(Prop(root.Properties, u"Empty").Value.Kind, TFormValueKind::Collection);

  const TFormValue& data = Prop(root.Properties, u"Data").Value;
  EXPECT_EQ(data.Kind, TFormValueKind::Binary);
  EXPECT_EQ(data.Binary, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF, 0x10}));

  ASSERT_EQ(root.Children.size(), 2u);
  const TFormObject& panel = root.Children[0];
  EXPECT_EQ(panel.Name, u"Panel1");
  EXPECT_EQ(panel.Line, 30);
  ASSERT_EQ(panel.Children.size(), 1u);
  EXPECT_EQ(panel.Children[0].ClassName, u"TButton");
  EXPECT_EQ(panel.Children[0].Line, 31);
  EXPECT_EQ(panel.Children[0].Properties[0].Line, 32);
  EXPECT_EQ(root.Children[1].Name, u"") << "an object may have no name";
  EXPECT_EQ(root.Children[1].ClassName, u"TTimer");
}

TEST(FormText, DecodesUtf8AndUtf16Bytes) {
  const std::string utf8 = "\xEF\xBB\xBF" "object F: TForm\n  Caption = 'caf\xC3\xA9'\nend\n";
  TFormObject a = ParseFormDescription(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size(), u"a.form");
  EXPECT_EQ(a.Properties[0].Value.Text, u"caf\u00e9");
  std::vector<uint8_t> utf16 = {0xFF, 0xFE};
  for (char16_t c : String(u"object F: TForm Caption = '\u20ac' end")) {
    utf16.push_back(static_cast<uint8_t>(c & 0xFF));
    utf16.push_back(static_cast<uint8_t>(c >> 8));
  }
  TFormObject b = ParseFormDescription(utf16.data(), utf16.size(), u"b.form");
  EXPECT_EQ(b.Properties[0].Value.Text, u"\u20ac");
}

TEST(FormText, MalformedDescriptionsNameFileLineReasonAndProperty) {
  struct Case {
    const char16_t* text;
    int line;
    const char16_t* reason;
    const char16_t* property;
  } cases[] = {
      {u"", 1, u"'object' expected", u""},
      {u"objekt A: TA\nend", 1, u"'object' expected", u""},
      {u"object A: TA\n  Caption = 'abc\nend", 2, u"Unterminated string", u"Caption"},
      {u"object A: TA\n  Caption = 'a' +\n  Width = 3\nend", 3, u"String expected after '+'", u"Caption"},
      {u"object A: TA\n  Caption = #70000\nend", 2, u"Invalid character code", u"Caption"},
      {u"object A: TA\n  Caption = 'a'#\nend", 2, u"Invalid character code", u"Caption"},
      {u"object A: TA\n  Left = 99999999999999999999\nend", 2, u"Invalid integer value", u"Left"},
      {u"object A: TA\n  Left = 12px\nend", 2, u"Invalid integer value", u"Left"},
      {u"object A: TA\n  Left = $\nend", 2, u"Invalid integer value", u"Left"},
      {u"object A: TA\n  Left = -\nend", 3, u"Number expected after '-'", u"Left"},
      {u"object A: TA\n  Scale = 1e999\nend", 2, u"Invalid float value", u"Scale"},
      {u"object A: TA\n  Caption =\n  Width = 3\nend", 2, u"Value expected", u"Caption"},
      {u"object A: TA\n  Caption = )\nend", 2, u"Value expected", u"Caption"},
      {u"object A: TA\n  Left 5\nend", 2, u"'=' expected", u"Left"},
      {u"object A: TA\n  Style = [a b]\nend", 2, u"',' or ']' expected", u"Style"},
      {u"object A: TA\n  Style = [a, 1]\nend", 2, u"Set element expected", u"Style"},
      {u"object A: TA\n  Items = (\n 'a'\n", 2, u"Unterminated list", u"Items"},
      {u"object A: TA\n  Cols = <\n  item\n  Width = 1\n", 2, u"Unterminated collection", u"Cols"},
      {u"object A: TA\n  Cols = <\n  thing\n  end>\nend", 3, u"'item' expected", u"Cols"},
      {u"object A: TA\n  Cols = <\n  item\n  W = '\n  end>\nend", 4, u"Unterminated string", u"W"},
      {u"object A: TA\n  Data = {\n 0A 1\n}\nend", 2, u"Odd number of hex digits in binary value", u"Data"},
      {u"object A: TA\n  Data = { 0G }\nend", 2, u"Invalid binary value", u"Data"},
      {u"object A: TA\n  Data = { 00\n", 2, u"Unterminated binary value", u"Data"},
      {u"object A: TA\n  Left = 1\n  @\nend", 3, u"Invalid character", u""},
      {u"object A: TA\n  'x'\nend", 2, u"Property name expected", u""},
      // The one 'end' closes B: it is A that lacks its end.
      {u"object A: TA\n  object B: TB\n  Left = 1\nend", 1, u"Missing 'end' of object A", u""},
      {u"object A: \nend", 2, u"Class name expected", u""},
      {u"object 'A'\nend", 1, u"Object name expected", u""},
      {u"object A: TA\nend\nend", 3, u"Text after the end of the description", u""},
  };
  for (const Case& c : cases) {
    try {
      ParseFormDescription(c.text, u"ImageForm.form");
      ADD_FAILURE() << "accepted: " << N(c.text);
    } catch (const EFormDescriptionError& e) {
      EXPECT_EQ(e.FileName(), u"ImageForm.form");
      EXPECT_EQ(e.Line(), c.line) << N(c.text);
      EXPECT_EQ(N(e.Reason()), N(c.reason)) << N(c.text);
      EXPECT_EQ(N(e.PropertyName()), N(c.property)) << N(c.text);
    }
  }
  try {
    ParseFormDescription(u"object ImageForm: TImageForm\n\n  Caption = 'abc\nend", u"ImageForm.form");
    FAIL();
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Message(), u"ImageForm.form(3): Unterminated string in property Caption");
  }
}

TEST(FormText, DeepNestingIsRefusedNotOverflowed) {
  String deep = u"object A: TA\n  L = ";
  for (int i = 0; i < 100000; ++i) deep += u"(";
  try {
    ParseFormDescription(deep, u"deep.form");
    FAIL();
  } catch (const EFormDescriptionError& e) {
    EXPECT_EQ(e.Reason(), u"Nesting too deep");
  }
  String objects;
  for (int i = 0; i < 5000; ++i) objects += u"object A: TA\n";
  EXPECT_THROW(ParseFormDescription(objects, u"deep.form"), EFormDescriptionError);
}
