#include "fw/stdctrls/groupbox.h"

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

namespace {

int FontHeight(TFont* font) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font->Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  return tm.tmHeight;
}

}  // namespace

// ---- TCustomGroupBox

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner) {
  FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                csReplicatable};
  FWidth = 185;
  FHeight = 105;
}

int TCustomGroupBox::CaptionHeight() const { return FontHeight(Font()); }

void TCustomGroupBox::AdjustClientRect(TRect& Rect) {
  TCustomControl::AdjustClientRect(Rect);
  Rect.Top += CaptionHeight();
  Rect.Left += 2;
  Rect.Top += 2;
  Rect.Right -= 2;
  Rect.Bottom -= 2;
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  int h = CaptionHeight();
  RECT frame{0, h / 2 - 1, Width(), Height()};
  DrawEdge(canvas->Handle(), &frame, EDGE_ETCHED, BF_RECT);
  String caption = Caption();
  if (caption.empty()) return;
  TRect r{8, 0, 8, h};
  CanvasDrawText(canvas, caption, r, DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
  canvas->Brush()->SetStyle(bsSolid);
  canvas->Brush()->SetColor(Color());
  CanvasDrawText(canvas, caption, r, DT_LEFT | DT_SINGLELINE);
}

void TCustomGroupBox::Dispatch(TMessage& Message) {
  switch (Message.Msg) {
    case CM_DIALOGCHAR:
      if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
      }
      TCustomControl::Dispatch(Message);
      return;
    case CM_TEXTCHANGED:
      TCustomControl::Dispatch(Message);
      Invalidate();
      return;
    case CM_FONTCHANGED:
      TCustomControl::Dispatch(Message);
      Realign();
      return;
    default:
      TCustomControl::Dispatch(Message);
  }
}

// ---- TRadioGroupItems

void TRadioGroupItems::Changed() {
  TStringList::Changed();
  if (UpdateCount() == 0) FGroup->ItemsChanged();
}

void TRadioGroupItems::SetUpdateState(bool Updating) {
  TStringList::SetUpdateState(Updating);
  if (!Updating) FGroup->ItemsChanged();
}

// ---- TCustomRadioGroup

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FItems(new TRadioGroupItems(this)) {
  FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csReplicatable, csAcceptsControls};
}

TCustomRadioGroup::~TCustomRadioGroup() {
  for (TRadioButton* b : FButtons) b->OnClick.Clear();
  delete FItems;
  FItems = nullptr;
}

TRadioButton* TCustomRadioGroup::Buttons(int Index) const {
  if (Index < 0 || Index >= ButtonCount()) throw EListError(u"List index out of bounds");
  return FButtons[static_cast<size_t>(Index)];
}

void TCustomRadioGroup::ItemsChanged() {
  if (!FItems) return;
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  FUpdating = true;
  int count = FItems->Count();
  while (ButtonCount() < count) {
    auto* b = new TRadioButton(this);
    b->SetParent(this);
    b->OnClick = TNotifyEvent(this, &TCustomRadioGroup::ButtonClicked);
    FButtons.push_back(b);
  }
  while (ButtonCount() > count) {
    TRadioButton* b = FButtons.back();
    FButtons.pop_back();
    b->Free();
  }
  for (int i = 0; i < count; ++i) {
    TRadioButton* b = FButtons[static_cast<size_t>(i)];
    b->SetCaption(FItems->Strings(i));
    b->SetEnabled(Enabled());
    b->SetChecked(i == FItemIndex);
    b->SetTabStop(i == FItemIndex || (FItemIndex < 0 && i == 0));
  }
  FUpdating = false;
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (FButtons.empty() || ComponentState().Contains(csLoading)) return;
  int perColumn = (ButtonCount() + FColumns - 1) / FColumns;
  int buttonWidth = (Width() - 10) / FColumns;
  int textHeight = CaptionHeight();
  int rest = Height() - textHeight - 5;
  int buttonHeight = rest / perColumn;
  int topMargin = textHeight + 1 + (rest % perColumn) / 2;
  for (int i = 0; i < ButtonCount(); ++i)
    FButtons[static_cast<size_t>(i)]->SetBounds((i / perColumn) * buttonWidth + 8,
                                                (i % perColumn) * buttonHeight + topMargin, buttonWidth,
                                                buttonHeight);
}

void TCustomRadioGroup::SetItemIndex(int Value) {
  if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) {
    FItemIndex = Value;
    return;
  }
  if (Value < -1) Value = -1;
  if (Value >= FItems->Count()) Value = FItems->Count() - 1;
  if (FItemIndex == Value) return;
  FItemIndex = Value;
  UpdateButtons();
  Click();
}

void TCustomRadioGroup::ButtonClicked(TObject* Sender) {
  if (FUpdating) return;
  auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
  if (it == FButtons.end()) return;
  int index = static_cast<int>(it - FButtons.begin());
  if (index == FItemIndex) return;
  FItemIndex = index;
  FUpdating = true;
  for (int i = 0; i < ButtonCount(); ++i) FButtons[static_cast<size_t>(i)]->SetTabStop(i == index);
  FUpdating = false;
  Click();
}

void TCustomRadioGroup::SetColumns(int Value) {
  Value = std::clamp(Value, 1, 16);
  if (FColumns == Value) return;
  FColumns = Value;
  ArrangeButtons();
  Invalidate();
}

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
  UpdateButtons();
}

void TCustomRadioGroup::Resize() {
  ArrangeButtons();
  TCustomGroupBox::Resize();
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message) {
  TCustomGroupBox::CMFontChanged(Message);
  ArrangeButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message) {
  TCustomGroupBox::CMEnabledChanged(Message);
  for (TRadioButton* b : FButtons) b->SetEnabled(Enabled());
}

FW_REGISTER(TCustomGroupBox) {}

FW_REGISTER(TGroupBox) {}

FW_REGISTER(TRadioGroupItems) {}

FW_REGISTER(TCustomRadioGroup) {}

FW_REGISTER(TRadioGroup) {
  c.Property(u"Columns", &TRadioGroup::Columns, &TRadioGroup::SetColumns).Default(1);
  c.Property(u"ItemIndex", &TRadioGroup::ItemIndex, &TRadioGroup::SetItemIndex).Default(-1);
  c.Property(u"Items", &TRadioGroup::Items, &TRadioGroup::SetItems);
}

}  // namespace fw
