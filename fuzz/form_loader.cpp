// Form descriptions are applied to components by name: any description must
// end in a built component tree or an EFormDescriptionError, with every
// component created so far freed again, never a crash or a leak.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fw/core/collection.h"
#include "fw/core/colors.h"
#include "fw/core/component.h"
#include "fw/core/form_loader.h"
#include "fw/core/rtti.h"
#include "fw/core/strings_list.h"

namespace fw {

// Components with a property of every kind the loader sets.
FW_ENUM(TFzAlign, faNone, faTop, faClient)
FW_ENUM(TFzStyle, fsBold, fsItalic, fsUnderline)
using TFzStyles = TSet<TFzStyle>;

class TFzFont : public TPersistent {
  FW_CLASS(TFzFont, TPersistent)
  String FName = u"Tahoma";
  int FSize = 8;
};

class TFzColumn : public TCollectionItem {
  FW_CLASS(TFzColumn, TCollectionItem)
  String FCaption;
  int FWidth = 50;
  TComponent* FBuddy = nullptr;
};

class TFzWidget : public TComponent {
  FW_CLASS(TFzWidget, TComponent)
  explicit TFzWidget(TComponent* AOwner)
      : TComponent(AOwner), FFont(new TFzFont()), FItems(new TStringList()),
        FColumns(new TCollection(TFzColumn::StaticClass(), this)) {}
  ~TFzWidget() override {
    delete FFont;
    delete FItems;
    delete FColumns;
  }

  int FLeft = 0;
  String FCaption;
  TColor FColor = clBtnFace;
  bool FVisible = true;
  TFzAlign FAlign = faNone;
  TFzStyles FStyle;
  double FRatio = 0;
  int64_t FBig = 0;
  char16_t FKey = 0;
  TFzFont* FFont;
  TStringList* FItems;
  TCollection* FColumns;
  TComponent* FBuddy = nullptr;
  TNotifyEvent FOnClick;
  std::vector<uint8_t> data;
  TComponent* parent = nullptr;

  TFzFont* Font() const { return FFont; }
  void SetFont(TFzFont* v) { FFont->FName = v->FName; }
  TStringList* Items() const { return FItems; }
  void SetItems(TStringList* v) { FItems->Assign(v); }
  TCollection* Columns() const { return FColumns; }
  void SetColumns(TCollection* v) { FColumns->Assign(v); }
  void SetCaption(const String& v) {
    // A setter may refuse a value.
    if (v == u"refused") throw EInvalidOperation(u"Caption refused");
    FCaption = v;
  }

  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override { return parent; }
  void SetParentComponent(TComponent* Value) override { parent = Value; }
};

class TFzPlain : public TComponent {
  FW_CLASS(TFzPlain, TComponent)
  using TComponent::TComponent;
  int FInterval = 1000;
};

class TFzForm : public TComponent {
  FW_CLASS(TFzForm, TComponent)
  using TComponent::TComponent;
  TFzWidget* Button1 = nullptr;
  TFzPlain* Timer1 = nullptr;
  String FCaption;
  TNotifyEvent FOnShow;
  void Button1Click(TObject*) {}
  void FormShow(TObject*) {}
  void WrongShape(TObject*, int) {}
};

class TFzThing : public TPersistent {
  FW_CLASS(TFzThing, TPersistent)
};

FW_REGISTER(TFzFont) {
  c.Property(u"Name", &TFzFont::FName, &TFzFont::FName);
  c.Property(u"Size", &TFzFont::FSize, &TFzFont::FSize);
}
FW_REGISTER(TFzColumn) {
  c.Property(u"Caption", &TFzColumn::FCaption, &TFzColumn::FCaption);
  c.Property(u"Width", &TFzColumn::FWidth, &TFzColumn::FWidth);
  c.Property(u"Buddy", &TFzColumn::FBuddy, &TFzColumn::FBuddy);
}
FW_REGISTER(TFzWidget) {
  c.Property(u"Left", &TFzWidget::FLeft, &TFzWidget::FLeft);
  c.Property(u"Caption", &TFzWidget::FCaption, &TFzWidget::SetCaption);
  c.Property(u"Color", &TFzWidget::FColor, &TFzWidget::FColor).Type(TypeInfoTColor());
  c.Property(u"Visible", &TFzWidget::FVisible, &TFzWidget::FVisible);
  c.Property(u"Align", &TFzWidget::FAlign, &TFzWidget::FAlign);
  c.Property(u"Style", &TFzWidget::FStyle, &TFzWidget::FStyle);
  c.Property(u"Ratio", &TFzWidget::FRatio, &TFzWidget::FRatio);
  c.Property(u"Big", &TFzWidget::FBig, &TFzWidget::FBig);
  c.Property(u"Key", &TFzWidget::FKey, &TFzWidget::FKey);
  c.Property(u"Font", &TFzWidget::Font, &TFzWidget::SetFont);
  c.Property(u"Items", &TFzWidget::Items, &TFzWidget::SetItems);
  c.Property(u"Columns", &TFzWidget::Columns, &TFzWidget::SetColumns);
  c.Property(u"Buddy", &TFzWidget::FBuddy, &TFzWidget::FBuddy);
  c.Event(u"OnClick", &TFzWidget::FOnClick);
  TDefinedProperty& d = c.DefineBinaryProperty(u"Data");
  d.ReadData = [](TObject* o, TStream& s) {
    auto& w = detail::InstanceOf<TFzWidget>(o);
    w.data.resize(static_cast<size_t>(s.Size()));
    s.ReadBuffer(w.data.data(), s.Size());
  };
}
FW_REGISTER(TFzPlain) { c.Property(u"Interval", &TFzPlain::FInterval, &TFzPlain::FInterval); }
FW_REGISTER(TFzForm) {
  c.Property(u"Caption", &TFzForm::FCaption, &TFzForm::FCaption);
  c.Event(u"OnShow", &TFzForm::FOnShow);
  c.Field(u"Button1", &TFzForm::Button1);
  c.Field(u"Timer1", &TFzForm::Timer1);
  c.Method(u"Button1Click", &TFzForm::Button1Click);
  c.Method(u"FormShow", &TFzForm::FormShow);
  c.Method(u"WrongShape", &TFzForm::WrongShape);
}
FW_REGISTER(TFzThing) {}

}  // namespace fw

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    fw::TFormObject description = fw::ParseFormDescription(data, size, u"fuzz.form");
    fw::TFzForm form(nullptr);
    fw::ReadRootComponent(&form, description, u"fuzz.form");
  } catch (const fw::EFormDescriptionError&) {
  }
  return 0;
}
