// Views of type descriptors: the factory by kind, enumeration and set
// views, published properties as text along paths, and the reports.
#include <gtest/gtest.h>

#include "fw/core/component.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"
#include "services/core/ucltypeinfo.h"

namespace ucltest {

using fw::String;
using namespace services;

FW_ENUM(TPlacementOption, fpState, fpSize, fpLocation, fpActiveControl)
using TPlacementOptions = fw::TSet<TPlacementOption>;

class TInner : public fw::TPersistent {
  FW_CLASS(TInner, fw::TPersistent)
  String FName = u"inner";
  TInner* FNext = nullptr;
};

FW_REGISTER(TInner) {
  c.Property(u"Name", &TInner::FName, &TInner::FName);
  c.Property(u"Next", &TInner::FNext, &TInner::FNext);
}

class TSample : public fw::TPersistent {
  FW_CLASS(TSample, fw::TPersistent)
  int FCount = 7;
  TPlacementOption FPlacement = fpSize;
  TPlacementOptions FOptions{fpState, fpLocation};
  double FRatio = 1.5;
  String FCaption = u"hello";
  int64_t FBig = 1234567890123;
  TInner* FInner = nullptr;
  fw::TNotifyEvent FOnChange;
};

FW_REGISTER(TSample) {
  c.Property(u"Count", &TSample::FCount, &TSample::FCount);
  c.Property(u"Placement", &TSample::FPlacement, &TSample::FPlacement);
  c.Property(u"Options", &TSample::FOptions, &TSample::FOptions);
  c.Property(u"Ratio", &TSample::FRatio, &TSample::FRatio);
  c.Property(u"Caption", &TSample::FCaption, &TSample::FCaption);
  c.Property(u"Big", &TSample::FBig, &TSample::FBig);
  c.Property(u"Inner", &TSample::FInner, &TSample::FInner);
  c.Event(u"OnChange", &TSample::FOnChange);
}

class TDerived : public TSample {
  FW_CLASS(TDerived, TSample)
  bool FFlag = false;
};

FW_REGISTER(TDerived) { c.Property(u"Flag", &TDerived::FFlag, &TDerived::FFlag); }

TEST(WrapTypeInfo, EachKindGetsItsView) {
  struct Case {
    const fw::TTypeInfo* type;
    bool ordinalRange, enumeration, set, floating, string, int64, cls, value;
  };
  const Case cases[] = {
      {fw::TypeInfoInteger(), true, false, false, false, false, false, false, true},
      {fw::TypeInfoWideChar(), true, false, false, false, false, false, false, true},
      {fw::TypeInfoOf<TPlacementOption>(), true, true, false, false, false, false, false, true},
      {fw::TypeInfoOf<TPlacementOptions>(), false, false, true, false, false, false, false, true},
      {fw::TypeInfoDouble(), false, false, false, true, false, false, false, true},
      {fw::TypeInfoString(), false, false, false, false, true, false, false, true},
      {fw::TypeInfoInt64(), false, false, false, false, false, true, false, true},
      {fw::TypeInfoOf<TSample*>(), false, false, false, false, false, false, true, true},
      {fw::TypeInfoOf<fw::TNotifyEvent>(), false, false, false, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    const TUclTypeInfoRef view = WrapTypeInfo(c.type);
    SCOPED_TRACE(fw::StringToUtf8(view->Name()));
    EXPECT_EQ(view->TypeKind(), c.type->Kind());
    EXPECT_EQ(view->TypeInfo(), c.type);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclOrdinalRangeTypeInfo>(view) != nullptr, c.ordinalRange);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclEnumerationTypeInfo>(view) != nullptr, c.enumeration);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclSetTypeInfo>(view) != nullptr, c.set);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclFloatTypeInfo>(view) != nullptr, c.floating);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclStringTypeInfo>(view) != nullptr, c.string);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclInt64TypeInfo>(view) != nullptr, c.int64);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclClassTypeInfo>(view) != nullptr, c.cls);
    EXPECT_EQ(std::dynamic_pointer_cast<IUclValueTypeInfo>(view) != nullptr, c.value);
  }
  // Every call makes a new view; a query for an interface the view lacks
  // raises.
  EXPECT_NE(WrapTypeInfo(fw::TypeInfoInteger()), WrapTypeInfo(fw::TypeInfoInteger()));
  EXPECT_THROW(UclQuery<IUclSetTypeInfo>(WrapTypeInfo(fw::TypeInfoInteger())), EUclIntfCastError);
  EXPECT_NO_THROW(UclQuery<IUclValueTypeInfo>(WrapTypeInfo(fw::TypeInfoInteger())));
}

TEST(WrapTypeInfo, EnumerationAndSetViewsAsTheStorageUsesThem) {
  auto set = UclQuery<IUclSetTypeInfo>(WrapTypeInfo(fw::TypeInfoOf<TPlacementOptions>()));
  auto base = UclQuery<IUclEnumerationTypeInfo>(set->BaseType());
  EXPECT_EQ(base->TypeKind(), fw::tkEnumeration);
  EXPECT_EQ(base->MinValue(), 0);
  EXPECT_EQ(base->MaxValue(), 3);
  EXPECT_EQ(base->Names(2), u"fpLocation");
  EXPECT_EQ(base->Names(4), u"");  // past the names: nothing read beyond them
  EXPECT_EQ(base->Names(-1), u"");
  EXPECT_EQ(base->IndexOfName(u"FPACTIVECONTROL"), 3);
  EXPECT_EQ(base->IndexOfName(u"fpNone"), -1);
  EXPECT_EQ(base->BaseType()->TypeInfo(), base->TypeInfo());

  static const fw::TTypeInfo* sub = fw::TTypeInfo::MakeEnumSubrange(u"TMiddle", fw::TypeInfoOf<TPlacementOption>(), 1, 2);
  auto middle = UclQuery<IUclEnumerationTypeInfo>(WrapTypeInfo(sub));
  EXPECT_EQ(middle->BaseType()->TypeInfo(), fw::TypeInfoOf<TPlacementOption>());
  EXPECT_EQ(middle->IndexOfName(u"fpState"), -1);  // outside the sub-range
  EXPECT_EQ(middle->IndexOfName(u"fpSize"), 1);

  fw::TStringList list;
  list.Add(u"kept");
  set->GetAsList(TPlacementOptions{fpState, fpLocation}.Mask(), false, list);
  EXPECT_EQ(list.CommaText(), u"kept,fpState,fpLocation");  // appended, not cleared
  uint64_t value = 0xFF;
  fw::TStringList items;
  items.Add(u" fpSize .. fpActiveControl ");
  set->SetAsList(value, items);
  EXPECT_EQ(value, (TPlacementOptions{fpSize, fpLocation, fpActiveControl}.Mask()));
}

TEST(ValueText, PublishedPropertiesByNameAndPath) {
  TSample sample;
  TInner inner, next;
  inner.FNext = &next;
  sample.FInner = &inner;
  struct Case {
    const char16_t* path;
    const char16_t* saved;
    const char16_t* load;
  };
  const Case cases[] = {
      {u"Count", u"7", u"-12"},
      {u"Placement", u"fpSize", u"FPACTIVECONTROL"},
      {u"Options", u"[fpState, fpLocation]", u"[fpSize]"},
      {u"Ratio", u"1.5", u"0.25"},
      {u"Caption", u"hello", u"a b"},
      {u"Big", u"1234567890123", u"-9000000000"},
      {u"Inner.Name", u"inner", u"renamed"},
      {u"Inner.Next.Name", u"inner", u"deep"},
  };
  const char16_t* reloaded[] = {u"-12", u"fpActiveControl", u"[fpSize]", u"0.25", u"a b", u"-9000000000",
                                u"renamed", u"deep"};
  auto viewOf = [&](const char16_t* path) {
    const String head = String(path).substr(0, String(path).find(u'.'));
    return UclQuery<IUclValueTypeInfo>(WrapTypeInfo(fw::GetPropInfo(&sample, head)->PropType()));
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(fw::StringToUtf8(c.path));
    EXPECT_EQ(viewOf(c.path)->SaveValueToString(&sample, c.path), c.saved);
    viewOf(c.path)->LoadValueFromString(&sample, c.path, c.load);
    EXPECT_EQ(viewOf(c.path)->SaveValueToString(&sample, c.path), reloaded[i]);
  }
  EXPECT_EQ(next.FName, u"deep");

  // Through the property view, by the property's own name.
  auto cls = UclQuery<IUclClassTypeInfo>(WrapTypeInfo(fw::TypeInfoOf<TSample*>()));
  EXPECT_EQ(cls->PropNames(u"count")->SaveValueToString(&sample), u"-12");
  cls->PropNames(u"Caption")->LoadValueFromString(&sample, u"set");
  EXPECT_EQ(sample.FCaption, u"set");
}

TEST(ValueText, PathsThatCannotBeFollowedSayWhich) {
  TSample sample;  // Inner unassigned
  auto inner = UclQuery<IUclValueTypeInfo>(WrapTypeInfo(fw::TypeInfoOf<TInner*>()));
  struct Case {
    const char16_t* path;
    const char16_t* message;
  };
  const Case cases[] = {
      {u"Inner.Name", u"The property Inner.Name of type TInner has no string value"},
      {u"Inner", u"The property Inner of type TInner has no string value"},
      {u"Count.Name", u"The property Count.Name of type TInner has no string value"},
  };
  for (const Case& c : cases) {
    try {
      inner->SaveValueToString(&sample, c.path);
      ADD_FAILURE() << fw::StringToUtf8(c.path);
    } catch (const EUclRTTIError& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
  auto cls = UclQuery<IUclClassTypeInfo>(WrapTypeInfo(fw::TypeInfoOf<TSample*>()));
  try {
    cls->PropNames(u"OnChange")->SaveValueToString(&sample);
    ADD_FAILURE() << "an event has no text";
  } catch (const EUclRTTIError& e) {
    EXPECT_EQ(e.Message(), u"The property OnChange of type TMethod has no string value");
  }
  auto placement = UclQuery<IUclValueTypeInfo>(WrapTypeInfo(fw::TypeInfoOf<TPlacementOption>()));
  EXPECT_THROW(placement->LoadValueFromString(&sample, u"Placement", u"nonsense"), EUclRTTIError);
  EXPECT_EQ(sample.FPlacement, fpSize);
  auto count = UclQuery<IUclValueTypeInfo>(WrapTypeInfo(fw::TypeInfoInteger()));
  EXPECT_THROW(count->LoadValueFromString(&sample, u"Count", u"12x"), fw::EConvertError);
  EXPECT_EQ(sample.FCount, 7);
}

TEST(ClassView, PropertiesOwnAndInherited) {
  auto derived = WrapClass(TDerived::StaticClass());
  EXPECT_EQ(derived->Name(), u"TDerived");
  EXPECT_EQ(derived->TotalPropertyCount(), 9);
  EXPECT_EQ(derived->PropertyCount(), 1);
  EXPECT_EQ(derived->Properties(0)->Name(), u"Count");
  EXPECT_EQ(derived->Properties(8)->Name(), u"Flag");
  EXPECT_EQ(derived->Properties(9), nullptr);
  EXPECT_EQ(derived->PropNames(u"nope"), nullptr);
  auto parent = derived->Parent();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->ClassRef(), TSample::StaticClass());
  EXPECT_EQ(parent->PropertyCount(), 8);
}

TEST(Reports, LabelledFactsAndDeclarations) {
  fw::TStringList lines;
  TUclInfoStringsWriter writer(lines);
  WrapTypeInfo(fw::TypeInfoOf<TPlacementOptions>())->WriteTo(writer);
  const String text = lines.Text();
  for (const char16_t* expected : {u"Type kind: tkSet", u"Based on: ", u"  Name: TPlacementOption",
                                   u"  Type kind: tkEnumeration", u"  Min value: 0", u"  Max value: 3",
                                   u"  Names: fpState, fpSize, fpLocation, fpActiveControl"})
    EXPECT_NE(text.find(expected), String::npos) << fw::StringToUtf8(expected);

  struct Case {
    const fw::TTypeInfo* type;
    const char16_t* declaration;
  };
  const Case cases[] = {
      {fw::TypeInfoOf<TPlacementOption>(), u"TPlacementOption = (fpState, fpSize, fpLocation, fpActiveControl);"},
      {fw::TypeInfoByte(), u"Byte = 0..255;"},
      {fw::TypeInfoOf<TDerived*>(), u"TDerived = class(TSample);"},
      {fw::TypeInfoOf<fw::TNotifyEvent>(), u"// Declaration for 'TMethod' not supported."},
  };
  for (const Case& c : cases) {
    fw::TStringList one;
    TUclInfoStringsWriter w(one);
    WrapTypeInfo(c.type)->DeclarationTo(w);
    ASSERT_EQ(one.Count(), 1);
    EXPECT_EQ(one[0], c.declaration);
  }
  EXPECT_EQ(OrdinalValueName(fw::TypeInfoOf<TPlacementOption>(), 1), u"fpSize");
  EXPECT_EQ(OrdinalValueName(fw::TypeInfoOf<TPlacementOption>(), 9),
            u"Value ordinal=9 out of range fpState..fpActiveControl.");
}

}  // namespace ucltest
