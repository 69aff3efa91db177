// Components with a property of every kind the form loader sets, for the
// loader's tests and its fuzz target. The classes register themselves here:
// include this header in one file of a program only.
#pragma once

#include <vector>

#include "fw/core/collection.h"
#include "fw/core/colors.h"
#include "fw/core/component.h"
#include "fw/core/rtti.h"
#include "fw/core/strings_list.h"

namespace fw {

FW_ENUM(TLdAlign, laNone, laTop, laClient)
FW_ENUM(TLdStyle, lsBold, lsItalic, lsUnderline)
using TLdStyles = TSet<TLdStyle>;

namespace {

// What happened, in order, across the components of a test.
std::vector<String>& Log() {
  static std::vector<String> log;
  return log;
}

}  // namespace

class TLdFont : public TPersistent {
  FW_CLASS(TLdFont, TPersistent)
  String FName = u"Tahoma";
  int FSize = 8;
};

class TLdColumn : public TCollectionItem {
  FW_CLASS(TLdColumn, TCollectionItem)
  String FCaption;
  int FWidth = 50;
  TComponent* FBuddy = nullptr;
};

// A control-like component: it has a parent and logs its life.
class TLdWidget : public TComponent {
  FW_CLASS(TLdWidget, TComponent)
  explicit TLdWidget(TComponent* AOwner)
      : TComponent(AOwner), FFont(new TLdFont()), FItems(new TStringList()), FColumns(new TCollection(TLdColumn::StaticClass(), this)) {}
  ~TLdWidget() override {
    delete FFont;
    delete FItems;
    delete FColumns;
  }

  int FLeft = 0;
  String FCaption;
  TColor FColor = clBtnFace;
  bool FVisible = true;
  TLdAlign FAlign = laNone;
  TLdStyles FStyle;
  double FRatio = 0;
  int64_t FBig = 0;
  char16_t FKey = 0;
  TLdFont* FFont;
  TStringList* FItems;
  TCollection* FColumns;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  std::vector<uint8_t> data;
  TComponent* parent = nullptr;
  bool loadingWhileSet = false;
  TComponent* buddyAtLoaded = nullptr;

  TLdFont* Font() const { return FFont; }
  void SetFont(TLdFont* v) { FFont->FName = v->FName; }
  TStringList* Items() const { return FItems; }
  void SetItems(TStringList* v) { FItems->Assign(v); }
  TCollection* Columns() const { return FColumns; }
  void SetColumns(TCollection* v) { FColumns->Assign(v); }
  void SetLeft(int v) {
    FLeft = v;
    loadingWhileSet = ComponentState().Contains(csLoading);
  }
  void SetCaption(const String& v) {
    if (v == u"boom") throw EInvalidOperation(u"Caption refused");
    FCaption = v;
  }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent; }
  void SetParentComponent(TComponent* Value) override {
    parent = Value;
    Log().push_back(u"parent " + Name() + u" -> " + (Value ? Value->Name() : String(u"nil")));
  }
  void Loaded() override {
    inherited::Loaded();
    buddyAtLoaded = FBuddy;
    Log().push_back(u"loaded " + Name());
  }
};

// A component without a parent (a timer, a dialog).
class TLdPlain : public TComponent {
  FW_CLASS(TLdPlain, TComponent)
  using TComponent::TComponent;
  int FInterval = 1000;
  void Loaded() override {
    inherited::Loaded();
    Log().push_back(u"loaded " + Name());
  }
};

class TLdForm : public TComponent {
  FW_CLASS(TLdForm, TComponent)
  using TComponent::TComponent;
  TLdWidget* Button1 = nullptr;
  TLdPlain* Timer1 = nullptr;
  String FCaption;
  TNotifyEvent FOnShow;
  int clicks = 0;
  TObject* lastSender = nullptr;
  void Button1Click(TObject* Sender) {
    ++clicks;
    lastSender = Sender;
  }
  void FormShow(TObject*) {}
  void WrongShape(TObject*, int) {}
  void Loaded() override {
    inherited::Loaded();
    Log().push_back(u"loaded " + Name());
  }
};

// Not a component at all.
class TLdThing : public TPersistent {
  FW_CLASS(TLdThing, TPersistent)
};

FW_REGISTER(TLdFont) {
  c.Property(u"Name", &TLdFont::FName, &TLdFont::FName);
  c.Property(u"Size", &TLdFont::FSize, &TLdFont::FSize);
}
FW_REGISTER(TLdColumn) {
  c.Property(u"Caption", &TLdColumn::FCaption, &TLdColumn::FCaption);
  c.Property(u"Width", &TLdColumn::FWidth, &TLdColumn::FWidth);
  c.Property(u"Buddy", &TLdColumn::FBuddy, &TLdColumn::FBuddy);
}
FW_REGISTER(TLdWidget) {
  c.Property(u"Left", &TLdWidget::FLeft, &TLdWidget::SetLeft);
  c.Property(u"Caption", &TLdWidget::FCaption, &TLdWidget::SetCaption);
  c.Property(u"Color", &TLdWidget::FColor, &TLdWidget::FColor).Type(TypeInfoTColor());
  c.Property(u"Visible", &TLdWidget::FVisible, &TLdWidget::FVisible);
  c.Property(u"Align", &TLdWidget::FAlign, &TLdWidget::FAlign);
  c.Property(u"Style", &TLdWidget::FStyle, &TLdWidget::FStyle);
  c.Property(u"Ratio", &TLdWidget::FRatio, &TLdWidget::FRatio);
  c.Property(u"Big", &TLdWidget::FBig, &TLdWidget::FBig);
  c.Property(u"Key", &TLdWidget::FKey, &TLdWidget::FKey);
  c.Property(u"Font", &TLdWidget::Font, &TLdWidget::SetFont);
  c.Property(u"Items", &TLdWidget::Items, &TLdWidget::SetItems);
  c.Property(u"Columns", &TLdWidget::Columns, &TLdWidget::SetColumns);
  c.Property(u"Buddy", &TLdWidget::FBuddy, &TLdWidget::FBuddy);
  c.Event(u"OnClick", &TLdWidget::FOnClick);
  TDefinedProperty& d = c.DefineBinaryProperty(u"Data");
  d.ReadData = [](TObject* o, TStream& s) {
    auto& w = detail::InstanceOf<TLdWidget>(o);
    w.data.resize(static_cast<size_t>(s.Size()));
    s.ReadBuffer(w.data.data(), s.Size());
  };
}
FW_REGISTER(TLdPlain) { c.Property(u"Interval", &TLdPlain::FInterval, &TLdPlain::FInterval); }
FW_REGISTER(TLdForm) {
  c.Property(u"Caption", &TLdForm::FCaption, &TLdForm::FCaption);
  c.Event(u"OnShow", &TLdForm::FOnShow);
  c.Field(u"Button1", &TLdForm::Button1);
  c.Field(u"Timer1", &TLdForm::Timer1);
  c.Method(u"Button1Click", &TLdForm::Button1Click);
  c.Method(u"FormShow", &TLdForm::FormShow);
  c.Method(u"WrongShape", &TLdForm::WrongShape);
}
FW_REGISTER(TLdThing) {}

}  // namespace fw
