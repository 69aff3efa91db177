#include <gtest/gtest.h>

#include "fw/core/colors.h"
#include "fw/core/component.h"
#include "fw/core/cursors.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"

namespace fw {

FW_ENUM(TRtAlign, raNone, raTop, raBottom, raClient)
FW_ENUM(TRtStyle, rsBold, rsItalic, rsUnderline, rsStrikeOut)
using TRtStyles = TSet<TRtStyle>;

// A sub-object reached through a class-typed property ("Font.Name").
class TRtFont : public TPersistent {
  FW_CLASS(TRtFont, TPersistent)
  String FName = u"Tahoma";
  TRtStyles FStyle;
  const String& Name() const { return FName; }
  void SetName(const String& v) { FName = v; }
};

FW_REGISTER(TRtFont) {
  c.Property(u"Name", &TRtFont::Name, &TRtFont::SetName);
  c.Property(u"Style", &TRtFont::FStyle, &TRtFont::FStyle).Default(TRtStyles{});
}

class TRtWidget : public TComponent {
  FW_CLASS(TRtWidget, TComponent)
  explicit TRtWidget(TComponent* AOwner) : TComponent(AOwner) { FFont = new TRtFont(); }
  ~TRtWidget() override { delete FFont; }

  int FWidth = 75;
  bool FEnabled = true;
  uint8_t FLevel = 0;
  char16_t FKey = u'A';
  TRtAlign FAlign = raNone;
  TRtStyles FStyles;
  double FRatio = 0.5;
  TDateTime FStamp = 0;
  int64_t FBig = 0;
  String FCaption;
  TColor FColor = clBtnFace;
  TCursor FCursor = crDefault;
  TRtFont* FFont;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  int clicks = 0;

  TRtFont* Font() const { return FFont; }
  void SetFont(TRtFont* v) { FFont->SetName(v->Name()); }
  void Click(TObject*) { ++clicks; }
  void Other(TObject*, int) {}
  int Area() const { return FWidth * 2; }
};

using TRtMove = TEvent<void(TObject*, int)>;

class TRtOwnerForm : public TComponent {
  FW_CLASS(TRtOwnerForm, TComponent)
  using TComponent::TComponent;
  TRtWidget* Widget1 = nullptr;
  TRtMove FOnMove;
  int handled = 0;
  void Widget1Click(TObject*) { ++handled; }
  void FormMove(TObject*, int) {}
};

FW_REGISTER(TRtWidget) {
  c.Property(u"Width", &TRtWidget::FWidth, &TRtWidget::FWidth).Default(75);
  c.Property(u"Enabled", &TRtWidget::FEnabled, &TRtWidget::FEnabled).Default(true);
  c.Property(u"Level", &TRtWidget::FLevel, &TRtWidget::FLevel);
  c.Property(u"Key", &TRtWidget::FKey, &TRtWidget::FKey);
  c.Property(u"Align", &TRtWidget::FAlign, &TRtWidget::FAlign).Default(raNone);
  c.Property(u"Styles", &TRtWidget::FStyles, &TRtWidget::FStyles);
  c.Property(u"Ratio", &TRtWidget::FRatio, &TRtWidget::FRatio);
  c.Property(u"Stamp", &TRtWidget::FStamp, &TRtWidget::FStamp).Type(TypeInfoTDateTime());
  c.Property(u"Big", &TRtWidget::FBig, &TRtWidget::FBig);
  c.Property(u"Caption", &TRtWidget::FCaption, &TRtWidget::FCaption);
  c.Property(u"Color", &TRtWidget::FColor, &TRtWidget::FColor).Type(TypeInfoTColor()).Default(clBtnFace);
  c.Property(u"Cursor", &TRtWidget::FCursor, &TRtWidget::FCursor).Type(TypeInfoTCursor());
  c.Property(u"Font", &TRtWidget::Font, &TRtWidget::SetFont);
  c.Property(u"Buddy", &TRtWidget::FBuddy, &TRtWidget::FBuddy);
  c.Property(u"Area", &TRtWidget::Area);
  c.Event(u"OnClick", &TRtWidget::FOnClick);
}

FW_REGISTER(TRtOwnerForm) {
  c.Field(u"Widget1", &TRtOwnerForm::Widget1);
  c.Event(u"OnMove", &TRtOwnerForm::FOnMove);
  c.Method(u"Widget1Click", &TRtOwnerForm::Widget1Click);
  c.Method(u"FormMove", &TRtOwnerForm::FormMove);
}

TEST(Rtti, ClassesAreFoundAndCreatedByName) {
  TClass cls = FindClass(u"trtwidget");
  ASSERT_EQ(cls, TRtWidget::StaticClass());
  EXPECT_EQ(cls->ClassParent(), TComponent::StaticClass());
  TComponent owner(nullptr);
  TObject* made = cls->Create(&owner);
  auto* widget = dynamic_cast<TRtWidget*>(made);
  ASSERT_NE(widget, nullptr);
  EXPECT_EQ(widget->Owner(), &owner);
  EXPECT_EQ(widget->ClassName(), u"TRtWidget");
  EXPECT_TRUE(widget->InheritsFrom(TPersistent::StaticClass()));
  EXPECT_FALSE(widget->InheritsFrom(TRtFont::StaticClass()));
  EXPECT_EQ(GetClass(u"TNoSuchClass"), nullptr);
  EXPECT_THROW(FindClass(u"TNoSuchClass"), EClassNotFound);
}

TEST(Rtti, PropertiesKeepDeclaredOrderAfterInheritedOnes) {
  const auto& props = TRtWidget::StaticClass()->Properties();
  ASSERT_GE(props.size(), 4u);
  EXPECT_EQ(props[0]->Name(), u"Name");
  EXPECT_EQ(props[1]->Name(), u"Tag");
  EXPECT_EQ(props[2]->Name(), u"Width");
  EXPECT_EQ(props.back()->Name(), u"OnClick");
  EXPECT_FALSE(props[0]->IsStored(nullptr));
}

struct KindCase {
  const char16_t* name;
  TTypeKind kind;
  TValue value;
};

TEST(Rtti, EachKindIsReadAndWrittenByName) {
  TRtWidget w(nullptr);
  TRtOwnerForm form(nullptr);
  const KindCase cases[] = {
      {u"Width", tkInteger, TValue(120)},
      {u"Enabled", tkEnumeration, TValue(false)},
      {u"Level", tkInteger, TValue(200)},
      {u"Key", tkWChar, TValue(u'Z')},
      {u"Align", tkEnumeration, TValue(raClient)},
      {u"Styles", tkSet, TValue(TRtStyles{rsBold, rsUnderline})},
      {u"Ratio", tkFloat, TValue(2.25)},
      {u"Stamp", tkFloat, TValue(45000.5)},
      {u"Big", tkInt64, TValue(int64_t{1} << 40)},
      {u"Caption", tkUString, TValue(u"Hello")},
      {u"Color", tkInteger, TValue(clRed)},
      {u"Cursor", tkInteger, TValue(crHandPoint)},
      {u"Buddy", tkClass, TValue(static_cast<TObject*>(&form))},
      {u"OnClick", tkMethod, TValue(TNotifyEvent(&w, &TRtWidget::Click))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(StringToUtf8(c.name));
    const TPropInfo* p = GetPropInfo(&w, c.name);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Kind(), c.kind);
    SetPropValue(&w, c.name, c.value);
    EXPECT_EQ(GetPropValue(&w, c.name), c.value);
  }
  EXPECT_EQ(w.FWidth, 120);
  EXPECT_EQ(w.FAlign, raClient);
  EXPECT_EQ(w.FStyles, (TRtStyles{rsBold, rsUnderline}));
  w.FOnClick(&w);
  EXPECT_EQ(w.clicks, 1);
  EXPECT_EQ(GetPropInfo(&w, u"Stamp")->PropType(), TypeInfoTDateTime());
  EXPECT_EQ(GetPropInfo(&w, u"Color")->PropType()->Name(), u"TColor");
}

TEST(Rtti, BadValuesAndNamesAreRejected) {
  TRtWidget w(nullptr);
  TRtFont font;
  EXPECT_THROW(SetPropValue(&w, u"Level", TValue(256)), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Align", TValue(4)), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Enabled", TValue(2)), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Styles", TValue::FromSet(1u << 4)), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Buddy", TValue(static_cast<TObject*>(&font))), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Area", TValue(1)), EPropertyError);
  EXPECT_THROW(SetPropValue(&w, u"Width", TValue(u"wide")), EConvertError);
  EXPECT_THROW(GetPropValue(&w, u"Height"), EPropertyError);
  EXPECT_EQ(w.FLevel, 0);
  EXPECT_EQ(w.FAlign, raNone);
  EXPECT_EQ(GetPropValue(&w, u"area").AsOrdinal(), 150);
}

TEST(Rtti, SubPropertyPathsFollowClassTypedProperties) {
  TRtWidget w(nullptr);
  EXPECT_EQ(GetPropValue(&w, u"Font.Name").AsString(), u"Tahoma");
  SetPropValue(&w, u"font.name", TValue(u"Arial"));
  EXPECT_EQ(w.Font()->Name(), u"Arial");
  SetSetProp(&w, u"Font.Style", u"[rsItalic]");
  EXPECT_EQ(GetSetProp(&w, u"Font.Style"), u"[rsItalic]");
  EXPECT_TRUE(IsPublishedProp(&w, u"Font.Style"));
  EXPECT_FALSE(IsPublishedProp(&w, u"Font.Size"));
  EXPECT_FALSE(IsPublishedProp(&w, u"Width.Name"));
  // Buddy is unassigned: a path through it has no object.
  EXPECT_THROW(GetPropValue(&w, u"Buddy.Name"), EPropertyError);
}

TEST(Rtti, EnumerationAndSetTextRoundTrip) {
  const TTypeInfo* align = TypeInfoOf<TRtAlign>();
  const TTypeInfo* styles = TypeInfoOf<TRtStyles>();
  EXPECT_EQ(align->MaxValue(), 3);
  for (int v = 0; v <= 3; ++v) EXPECT_EQ(StringToEnum(align, EnumToString(align, v)), v);
  EXPECT_EQ(StringToEnum(align, u"RACLIENT"), raClient);
  EXPECT_EQ(align->EnumValue(u"raLeft"), -1);
  EXPECT_THROW(StringToEnum(align, u"raLeft"), EPropertyError);

  for (uint64_t mask = 0; mask < 16; ++mask)
    EXPECT_EQ(StringToSet(styles, SetToString(styles, mask)), mask);
  EXPECT_EQ(SetToString(styles, 0b0101), u"[rsBold, rsUnderline]");
  EXPECT_EQ(SetToString(styles, 0b0101, false), u"rsBold, rsUnderline");
  EXPECT_EQ(StringToSet(styles, u" [ rsitalic , RSBOLD ] "), 0b0011u);
  EXPECT_EQ(StringToSet(styles, u"[]"), 0u);
  EXPECT_EQ(StringToSet(styles, u"rsStrikeOut"), 0b1000u);
  EXPECT_THROW(StringToSet(styles, u"[rsBold, nonsense]"), EPropertyError);

  TRtWidget w(nullptr);
  SetEnumProp(&w, u"Align", u"raBottom");
  EXPECT_EQ(GetEnumProp(&w, u"Align"), u"raBottom");
  EXPECT_THROW(SetEnumProp(&w, u"Align", u"raNowhere"), EPropertyError);
  EXPECT_EQ(w.FAlign, raBottom);
}

TEST(Rtti, IntegerSubrangeSetsCountFromTheByteBoundary) {
  // Descriptors live for the whole run.
  static const TTypeInfo* range = TTypeInfo::MakeInteger(u"TRange", otUByte, 5, 12);
  static const TTypeInfo* set = TTypeInfo::MakeSet(u"TRangeSet", range);
  EXPECT_EQ(SetElementBit(set, 5), 5);
  uint64_t mask = StringToSet(set, u"[5, 8, 12]");
  EXPECT_EQ(mask, (1u << 5) | (1u << 8) | (1u << 12));
  EXPECT_EQ(SetToString(set, mask), u"[5, 8, 12]");
  EXPECT_THROW(StringToSet(set, u"[4]"), EPropertyError);
  EXPECT_THROW(StringToSet(set, u"[13]"), EPropertyError);
}

TEST(Rtti, BooleanAndDescriptorFacts) {
  EXPECT_TRUE(TypeInfoBoolean()->IsBooleanLike());
  EXPECT_FALSE(TypeInfoOf<TRtAlign>()->IsBooleanLike());
  EXPECT_EQ(TypeInfoBoolean()->EnumName(1), u"True");
  EXPECT_EQ(TypeInfoOf<bool>(), TypeInfoBoolean());
  EXPECT_EQ(TypeInfoOf<uint16_t>()->OrdType(), otUWord);
  EXPECT_EQ(TypeInfoOf<int8_t>()->MinValue(), -128);
  EXPECT_EQ(TypeInfoCardinal()->MaxValue(), 4294967295);
  EXPECT_EQ(TypeInfoOf<TRtWidget*>()->ClassType(), TRtWidget::StaticClass());
  EXPECT_EQ(TypeInfoOf<TRtWidget*>()->Name(), u"TRtWidget");
  EXPECT_EQ(TypeInfoOf<TRtStyles>()->ElementType(), TypeInfoOf<TRtStyle>());
  EXPECT_NE(TypeInfoTColor(), TypeInfoInteger());
  EXPECT_NE(TypeInfoTFileName(), TypeInfoString());
  EXPECT_EQ(TypeInfoTFileName()->Kind(), tkUString);
}

TEST(Rtti, ColourAndCursorIdentifiers) {
  struct Case {
    TColor color;
    const char16_t* text;
  };
  const Case colours[] = {
      {clBlack, u"clBlack"},     {clRed, u"clRed"},       {clWhite, u"clWhite"},
      {clNone, u"clNone"},       {clDefault, u"clDefault"}, {clBtnFace, u"clBtnFace"},
      {clWindowText, u"clWindowText"}, {0x00123456, u"$00123456"},
  };
  for (const auto& c : colours) {
    EXPECT_EQ(ColorToString(c.color), c.text);
    EXPECT_EQ(StringToColor(c.text), c.color);
  }
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(clHighlight, static_cast<TColor>(0xFF00000D));
  EXPECT_EQ(StringToColor(u"CLRED"), clRed);
  EXPECT_EQ(StringToColor(u"255"), clRed);
  EXPECT_THROW(StringToColor(u"clReddish"), EConvertError);

  const TTypeInfo* color = TypeInfoTColor();
  String ident;
  ASSERT_NE(color->IntToIdent(), nullptr);
  EXPECT_TRUE(color->IntToIdent()(clLime, ident));
  EXPECT_EQ(ident, u"clLime");
  int64_t v = 0;
  EXPECT_TRUE(TypeInfoTCursor()->IdentToInt()(u"crHandPoint", v));
  EXPECT_EQ(v, crHandPoint);
  EXPECT_EQ(CursorToString(crIBeam), u"crIBeam");
  EXPECT_EQ(StringToCursor(u"5"), 5);
  EXPECT_THROW(StringToCursor(u"crBanana"), EConvertError);
}

TEST(Rtti, PublishedMethodsBindToEventsByName) {
  TRtOwnerForm form(nullptr);
  auto* w = new TRtWidget(&form);
  SetMethodPropByName(w, u"OnClick", &form, u"widget1click");
  w->FOnClick(w);
  EXPECT_EQ(form.handled, 1);
  EXPECT_EQ(form.ClassType()->MethodName(&form, w->FOnClick.Method()), u"Widget1Click");
  EXPECT_EQ(w->FOnClick, TNotifyEvent(&form, &TRtOwnerForm::Widget1Click));
  // A handler of another signature does not fit the event.
  EXPECT_THROW(SetMethodPropByName(w, u"OnClick", &form, u"FormMove"), EPropertyError);
  EXPECT_THROW(SetPropValue(w, u"OnClick", form.ClassType()->FindMethod(u"FormMove")->Bind(&form)),
               EPropertyError);
  EXPECT_THROW(SetMethodPropByName(w, u"OnClick", &form, u"NoSuchHandler"), EPropertyError);
  SetMethodPropByName(&form, u"OnMove", &form, u"FormMove");
  EXPECT_TRUE(form.FOnMove.Assigned());
  SetPropValue(w, u"OnClick", TValue(TNotifyEvent()));
  EXPECT_FALSE(w->FOnClick.Assigned());
}

TEST(Rtti, NamedComponentFillsItsOwnersPublishedField) {
  TRtOwnerForm form(nullptr);
  auto* w = new TRtWidget(&form);
  w->SetName(u"Widget1");
  EXPECT_EQ(form.Widget1, w);
  w->SetName(u"Widget2");
  EXPECT_EQ(form.Widget1, nullptr);
  w->SetName(u"Widget1");
  delete w;
  EXPECT_EQ(form.Widget1, nullptr);
  // A component of another class does not take the field.
  auto* other = new TComponent(&form);
  other->SetName(u"Widget1");
  EXPECT_EQ(form.Widget1, nullptr);
}

}  // namespace fw

namespace fw {

// Data kept under names that are not published properties.
class TRtPicture : public TPersistent {
  FW_CLASS(TRtPicture, TPersistent)
  std::vector<uint8_t> bytes;
  std::vector<String> lines;
};

class TRtIcon : public TRtPicture {
  FW_CLASS(TRtIcon, TRtPicture)
};

FW_REGISTER(TRtPicture) {
  auto& data = c.DefineBinaryProperty(u"Data");
  data.ReadData = [](TObject* o, TStream& s) {
    auto* p = static_cast<TRtPicture*>(o);
    p->bytes.resize(static_cast<size_t>(s.Size()));
    s.ReadBuffer(p->bytes.data(), s.Size());
  };
  data.HasData = [](TObject* o) { return !static_cast<TRtPicture*>(o)->bytes.empty(); };
  auto& strings = c.DefineListProperty(u"Strings");
  strings.ReadList = [](TObject* o, const std::vector<TValue>& items) {
    for (const TValue& v : items) static_cast<TRtPicture*>(o)->lines.push_back(v.AsString());
  };
}
FW_REGISTER(TRtIcon) {}

TEST(Rtti, DefinedPropertiesAreInheritedAndFoundByName) {
  RegisterClasses<TRtIcon>();
  TRtIcon icon;
  TClass cls = icon.ClassType();
  const TDefinedProperty* data = cls->FindDefinedProperty(u"data");
  ASSERT_NE(data, nullptr);
  EXPECT_EQ(data->Kind(), TDefinedProperty::dpBinary);
  EXPECT_FALSE(data->HasData(&icon));
  TMemoryStream s({1, 2, 3});
  data->ReadData(&icon, s);
  EXPECT_EQ(icon.bytes, (std::vector<uint8_t>{1, 2, 3}));
  const TDefinedProperty* strings = cls->FindDefinedProperty(u"Strings");
  ASSERT_NE(strings, nullptr);
  strings->ReadList(&icon, {TValue(u"a"), TValue(u"b")});
  EXPECT_EQ(icon.lines, (std::vector<String>{u"a", u"b"}));
  EXPECT_EQ(cls->FindDefinedProperty(u"Bitmap"), nullptr);
  EXPECT_EQ(cls->DefinedProperties().size(), 2u);
}

}  // namespace fw

namespace fw {

class TRtWideWidget : public TRtWidget {
  FW_CLASS(TRtWideWidget, TRtWidget)
  using TRtWidget::TRtWidget;
  int FDepth = 0;
};

FW_REGISTER(TRtWideWidget) {
  c.Property(u"Width", &TRtWideWidget::FWidth, &TRtWideWidget::FWidth).Default(200);
  c.Property(u"Depth", &TRtWideWidget::FDepth, &TRtWideWidget::FDepth);
}

TEST(Rtti, RedeclaredPropertyKeepsItsPlaceWithItsNewDefault) {
  const auto& base = TRtWidget::StaticClass()->Properties();
  const auto& wide = TRtWideWidget::StaticClass()->Properties();
  ASSERT_EQ(wide.size(), base.size() + 1);
  EXPECT_EQ(wide[2]->Name(), u"Width");
  EXPECT_EQ(wide[2]->Default(), 200);
  EXPECT_EQ(base[2]->Default(), 75);
  EXPECT_EQ(wide.back()->Name(), u"Depth");
  TRtWideWidget w(nullptr);
  SetPropValue(&w, u"Caption", TValue(u"inherited"));
  EXPECT_EQ(w.FCaption, u"inherited");
}

}  // namespace fw
