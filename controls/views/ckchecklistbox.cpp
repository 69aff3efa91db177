#include "controls/views/ckchecklistbox.h"

#include <cstring>
#include <vector>

#include "controls/views/ckitemssearchs.h"
#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/core/sysutils.h"

namespace ck {

using namespace fw;

namespace {
// The check column that a horizontal scroll near the left edge uncovers.
constexpr int kCheckColumn = 20;
}  // namespace

TCkCheckListBox::TCkCheckListBox(TComponent* AOwner) : TCkExCheckListBox(AOwner) {
  FDataConnector = NewDataConnector();
}

TCkCheckListBox::~TCkCheckListBox() = default;

std::unique_ptr<TCkCheckListBoxDataConnector> TCkCheckListBox::NewDataConnector() {
  return std::make_unique<TCkCheckListBoxDataConnector>(this);
}

void TCkCheckListBox::ClickCheck() {
  TCkExCheckListBox::ClickCheck();
  if (ComponentState().Contains(csLoading)) return;
  FDataConnector->Modify();
  FDataConnector->UpdateRecord();
}

// ---- TCkCheckListBoxDataConnector

TCkCheckListBoxDataConnector::TCkCheckListBoxDataConnector(TCkCheckListBox* ACheckListBox)
    : FCheckListBox(ACheckListBox) {}

void TCkCheckListBoxDataConnector::WriteValueChecked(const String& Value) {
  if (Value == FValueChecked) return;
  FValueChecked = Value;
  Reset();
}

void TCkCheckListBoxDataConnector::WriteValueUnchecked(const String& Value) {
  if (Value == FValueUnchecked) return;
  FValueUnchecked = Value;
  Reset();
}

void TCkCheckListBoxDataConnector::Assign(TPersistent* Source) {
  TCkLookupDataConnector::Assign(Source);
  if (auto* c = dynamic_cast<TCkCheckListBoxDataConnector*>(Source)) {
    FValueChecked = c->FValueChecked;
    FValueUnchecked = c->FValueUnchecked;
  }
  Reset();
}

bool TCkCheckListBoxDataConnector::SameDataSet() {
  return List()->DataSource() && DataSource() && List()->DataSource()->DataSet() == DataSource()->DataSet();
}

bool TCkCheckListBoxDataConnector::IsValid() {
  if (!FCheckListBox) return false;
  if (!List()->DataSetConnected() || !List()->Field()->IsValid()) return false;
  if (!DataSetConnected() || !Field()->IsValid()) return false;
  if (!Key()->IsValid() && !List()->Key()->IsValid()) return SameDataSet();
  return true;
}

void TCkCheckListBoxDataConnector::KeyFieldNames(String& Own, String& ListName) {
  Own = Key()->IsValid() ? Key()->FieldName() : String();
  ListName = List()->Key()->IsValid() ? List()->Key()->FieldName() : String();
  if (Own.empty()) Own = ListName;
  if (ListName.empty()) ListName = Own;
}

bool TCkCheckListBoxDataConnector::RecordChecked() {
  if (!SameDataSet()) {
    String own, listName;
    KeyFieldNames(own, listName);
    ICkDataSource* ls = List()->DataSource();
    String key = ls->FieldAsString(ls->FieldByName(listName));
    if (!DataSource()->Locate(own, key)) return false;
  }
  return AnsiCompareText(Field()->AsString(), FValueUnchecked) != 0;
}

void TCkCheckListBoxDataConnector::RefillList() {
  if (!FCheckListBox) return;
  FMap.clear();
  FRecNumMap.clear();
  TStrings* items = FCheckListBox->Items();
  items->BeginUpdate();
  items->Clear();
  FCheckListBox->SetItemIndex(-1);
  items->EndUpdate();
  int current = -1;
  if (IsValid()) {
    ICkDataSource* ls = List()->DataSource();
    ICkDataSource* own = DataSource();
    bool same = SameDataSet();
    ls->BeginUpdate();
    if (!same) own->BeginUpdate();
    auto endUpdates = [&] {
      if (!same) own->EndUpdate();
      ls->EndUpdate();
    };
    try {
      std::vector<bool> states;
      items->BeginUpdate();
      try {
        for (ls->First(); !ls->Eof(); ls->Next()) {
          int index = items->Add(List()->Field()->AsString());
          int rec = ls->RecNo();
          FMap.push_back(rec);
          FRecNumMap[rec] = index;
          states.push_back(RecordChecked());
        }
        for (size_t i = 0; i < states.size(); ++i) FCheckListBox->SetChecked(static_cast<int>(i), states[i]);
      } catch (...) {
        items->EndUpdate();
        throw;
      }
      items->EndUpdate();
    } catch (...) {
      endUpdates();
      throw;
    }
    endUpdates();
    auto it = FRecNumMap.find(ls->RecNo());
    current = it == FRecNumMap.end() ? -1 : it->second;
  }
  FCheckListBox->SetItemIndex(current);
}

void TCkCheckListBoxDataConnector::CurrentRecordChanged() {
  if (!IsValid()) return;
  ICkDataSource* ls = List()->DataSource();
  if (ls->RecordCount() != FCheckListBox->Items()->Count()) {
    RefillList();
    return;
  }
  int rec = ls->RecNo();
  auto it = rec == -1 ? FRecNumMap.end() : FRecNumMap.find(rec);
  if (it == FRecNumMap.end()) return;
  int index = it->second;
  FCheckListBox->Items()->Put(index, List()->Field()->AsString());
  FCheckListBox->SetChecked(index, RecordChecked());
  if (FCheckListBox->ItemIndex() != index) FCheckListBox->SetItemIndex(index);
}

void TCkCheckListBoxDataConnector::SyncListRecord() {
  if (!IsValid()) return;
  int index = FCheckListBox->ItemIndex();
  // No current item: nothing to move to.
  if (index < 0 || index >= static_cast<int>(FMap.size())) return;
  ICkDataSource* ls = List()->DataSource();
  if (FMap[index] == ls->RecNo()) return;
  bool active = Active();
  SetActive(false);
  try {
    ls->SetRecNo(FMap[index]);
  } catch (...) {
    SetActive(active);
    throw;
  }
  SetActive(active);
}

void TCkCheckListBoxDataConnector::WriteBackRecord() {
  if (!Field()->CanModify() || !IsValid() || FValueChecked.empty() || FValueUnchecked.empty() ||
      FCheckListBox->ItemIndex() < 0)
    return;
  String text = FCheckListBox->Checked(FCheckListBox->ItemIndex()) ? FValueChecked : FValueUnchecked;
  SyncListRecord();
  ICkDataSource* own = DataSource();
  own->Edit();
  if (SameDataSet()) {
    Field()->SetAsString(text);
    return;
  }
  String ownKey, listKey;
  KeyFieldNames(ownKey, listKey);
  own->BeginUpdate();
  try {
    ICkDataSource* ls = List()->DataSource();
    String key = ls->FieldAsString(ls->FieldByName(listKey));
    if (own->Locate(ownKey, key)) Field()->SetAsString(text);
  } catch (...) {
    own->EndUpdate();
    throw;
  }
  own->EndUpdate();
}

// ---- Widest item

int TCkCheckListBox::ItemWidth(const String& Text) {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  return canvas->TextWidth(Text + u" ") + CheckWidth();
}

void TCkCheckListBox::RecomputeMaxWidth() {
  FMaxWidth = 0;
  for (int i = 0; i < Items()->Count(); ++i) FMaxWidth = std::max(FMaxWidth, ItemWidth(Items()->Get(i)));
  ApplyHorScrollbar();
}

void TCkCheckListBox::ApplyHorScrollbar() {
  if (!FScroll) return;
  SendMessageW(Handle(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(FMaxWidth), 0);
}

void TCkCheckListBox::WriteHorScrollbar(bool Value) {
  FScroll = Value;
  ApplyHorScrollbar();
}

void TCkCheckListBox::CreateParams(TCreateParams& Params) {
  TCkExCheckListBox::CreateParams(Params);
  if (FScroll) Params.Style |= WS_HSCROLL;
  else Params.Style &= ~static_cast<DWORD>(WS_HSCROLL);
  if (!FCtl3D) Params.ExStyle &= ~static_cast<DWORD>(WS_EX_CLIENTEDGE);
}

void TCkCheckListBox::WndProc(TMessage& Message) {
  switch (Message.Msg) {
    case WM_SETFONT:
      TCkExCheckListBox::WndProc(Message);
      RecomputeMaxWidth();
      return;
    case LB_ADDSTRING:
    case LB_INSERTSTRING: {
      auto* text = reinterpret_cast<const char16_t*>(Message.LParam);
      int w = ItemWidth(text ? String(text) : String());
      if (w > FMaxWidth) {
        FMaxWidth = w;
        ApplyHorScrollbar();
      }
      break;
    }
    case LB_DELETESTRING: {
      int index = static_cast<int>(Message.WParam);
      LRESULT length = SendMessageW(Handle(), LB_GETTEXTLEN, Message.WParam, 0);
      int w = -1;
      if (length >= 0) {
        String text(static_cast<size_t>(length) + 1, u'\0');
        SendMessageW(Handle(), LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<size_t>(length));
        w = ItemWidth(text);
      }
      TCkExCheckListBox::WndProc(Message);
      if (w == FMaxWidth) RecomputeMaxWidth();
      return;
    }
    case LB_RESETCONTENT:
      TCkExCheckListBox::WndProc(Message);
      FMaxWidth = 0;
      ApplyHorScrollbar();
      return;
    case WM_HSCROLL:
      TCkExCheckListBox::WndProc(Message);
      if (LOWORD(Message.WParam) != SB_ENDSCROLL && GetScrollPos(Handle(), SB_HORZ) < kCheckColumn) {
        RECT r{0, 0, kCheckColumn, ClientHeight()};
        InvalidateRect(Handle(), &r, FALSE);
      }
      OnHorizontalScroll(this);
      return;
    case WM_VSCROLL:
      TCkExCheckListBox::WndProc(Message);
      OnVerticalScroll(this);
      return;
    case WM_MOVE:
      TCkExCheckListBox::WndProc(Message);
      OnSelectCancel(this);
      return;
    case CM_CHANGED:
      TCkExCheckListBox::WndProc(Message);
      FDataConnector->SyncListRecord();
      return;
    case CN_DRAWITEM: {
      auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
      if (Items()->Count() == 0 || !item || item->itemID == static_cast<UINT>(-1) ||
          static_cast<int>(item->itemID) >= Items()->Count())
        return;
      break;
    }
    default: break;
  }
  TCkExCheckListBox::WndProc(Message);
}

void TCkCheckListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) {
  TRect r = Rect;
  OnItemDrawing(this, Index, r, State);
  TCkExCheckListBox::DrawItem(Index, Rect, State);
}

// The framework hands a new font to the window itself.
void TCkCheckListBox::FontChanged() {
  TCkExCheckListBox::FontChanged();
  if (HandleAllocated()) RecomputeMaxWidth();
}

// ---- Look

void TCkCheckListBox::SetCtl3D(bool Value) {
  if (Value == FCtl3D) return;
  FCtl3D = Value;
  if (!HandleAllocated() || BorderStyle() != bsSingle) return;
  LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  ex = Value ? (ex | WS_EX_CLIENTEDGE) : (ex & ~static_cast<LONG_PTR>(WS_EX_CLIENTEDGE));
  SetWindowLongPtrW(Handle(), GWL_EXSTYLE, ex);
  SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCkCheckListBox::WriteHotTrack(bool Value) {
  FHotTrack = Value;
  if (Value) SetCtl3D(false);
}

void TCkCheckListBox::MouseEntered(TControl* Control) {
  if (IsOwnNotice(Control) && !ComponentState().Contains(csDesigning) && !MouseOver && FHotTrack) SetCtl3D(true);
  TCkExCheckListBox::MouseEntered(Control);
}

void TCkCheckListBox::MouseLeft(TControl* Control) {
  if (IsOwnNotice(Control) && MouseOver && FHotTrack) SetCtl3D(false);
  TCkExCheckListBox::MouseLeft(Control);
}

// ---- Searches

int TCkCheckListBox::SearchExactString(const String& Value, bool CaseSensitive) {
  return TCkItemsSearchs::SearchExactString(Items(), Value, CaseSensitive, -1);
}

int TCkCheckListBox::SearchPrefix(const String& Value, bool CaseSensitive) {
  return TCkItemsSearchs::SearchPrefix(Items(), Value, CaseSensitive, -1);
}

int TCkCheckListBox::SearchSubString(const String& Value, bool CaseSensitive) {
  return TCkItemsSearchs::SearchSubString(Items(), Value, CaseSensitive, -1);
}

int TCkCheckListBox::DeleteExactString(const String& Value, bool All, bool CaseSensitive) {
  return TCkItemsSearchs::DeleteExactString(Items(), Value, All, CaseSensitive);
}

// ---- Bulk operations

void TCkCheckListBox::CheckAll() {
  for (int i = 0; i < Items()->Count(); ++i) SetChecked(i, true);
}

void TCkCheckListBox::UnCheckAll() {
  for (int i = 0; i < Items()->Count(); ++i) SetChecked(i, false);
}

void TCkCheckListBox::InvertCheck() {
  for (int i = 0; i < Items()->Count(); ++i) SetChecked(i, !Checked(i));
}

void TCkCheckListBox::SelectAll() {
  if (!MultiSelect()) return;
  for (int i = 0; i < Items()->Count(); ++i) SetSelected(i, true);
}

void TCkCheckListBox::UnselectAll() {
  if (!MultiSelect()) return;
  for (int i = 0; i < Items()->Count(); ++i) SetSelected(i, false);
}

void TCkCheckListBox::InvertSelection() {
  if (!MultiSelect()) return;
  for (int i = 0; i < Items()->Count(); ++i) SetSelected(i, !Selected(i));
}

void TCkCheckListBox::DeleteSelected() {
  if (MultiSelect()) {
    for (int i = Items()->Count() - 1; i >= 0; --i)
      if (Selected(i)) Items()->Delete(i);
    return;
  }
  int index = ItemIndex();
  if (index < 0) return;
  Items()->Delete(index);
  if (Items()->Count() > 0) SetItemIndex(std::max(index - 1, 0));
}

std::unique_ptr<TStringList> TCkCheckListBox::ItemsWithCheck(bool Value) {
  auto list = std::make_unique<TStringList>();
  for (int i = 0; i < Items()->Count(); ++i)
    if (Checked(i) == Value) list->AddObject(Items()->Get(i), Items()->GetObject(i));
  return list;
}

std::unique_ptr<TStringList> TCkCheckListBox::GetChecked() { return ItemsWithCheck(true); }

std::unique_ptr<TStringList> TCkCheckListBox::GetUnChecked() { return ItemsWithCheck(false); }

// ---- Saved item lists

void TCkCheckListBox::SaveToStream(TStream& Stream) {
  for (int i = 0; i < Items()->Count(); ++i) {
    std::string text = StringToUtf8(Items()->Get(i));
    uint8_t header[8] = {static_cast<uint8_t>(Checked(i) ? 1 : 0), 0, 0, 0};
    auto n = static_cast<uint32_t>(text.size());
    for (int b = 0; b < 4; ++b) header[4 + b] = static_cast<uint8_t>(n >> (8 * b));
    Stream.WriteBuffer(header, 8);
    if (!text.empty()) Stream.WriteBuffer(text.data(), static_cast<int64_t>(text.size()));
  }
}

void TCkCheckListBox::LoadFromStream(TStream& Stream) {
  // Every record is read before the items change, so that a damaged list
  // leaves them as they were.
  struct Record {
    String text;
    bool checked;
  };
  std::vector<Record> records;
  int64_t remaining = Stream.Size() - Stream.Position();
  while (remaining > 0) {
    if (remaining < 8) throw EReadError(u"The item list is damaged: it ends inside a record");
    uint8_t header[8];
    Stream.ReadBuffer(header, 8);
    remaining -= 8;
    int32_t n = static_cast<int32_t>(static_cast<uint32_t>(header[4]) | static_cast<uint32_t>(header[5]) << 8 |
                                     static_cast<uint32_t>(header[6]) << 16 | static_cast<uint32_t>(header[7]) << 24);
    if (n < 0 || n > remaining) throw EReadError(u"The item list is damaged: a text runs past its end");
    std::string text(static_cast<size_t>(n), '\0');
    if (n > 0) Stream.ReadBuffer(text.data(), n);
    remaining -= n;
    records.push_back(Record{Utf8ToString(text), header[0] != 0});
  }
  Items()->BeginUpdate();
  try {
    Items()->Clear();
    for (const Record& r : records) SetChecked(Items()->Add(r.text), r.checked);
  } catch (...) {
    Items()->EndUpdate();
    throw;
  }
  Items()->EndUpdate();
}

void TCkCheckListBox::SaveToFile(const String& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(stream);
}

void TCkCheckListBox::LoadFromFile(const String& FileName) {
  TFileStream stream(FileName, fmOpenRead);
  LoadFromStream(stream);
}

FW_REGISTER(TCkExCheckListBox) {
  c.Property(u"HintColor", &TCkExCheckListBox::HintColor, &TCkExCheckListBox::SetHintColor)
      .Type(TypeInfoTColor())
      .Default(clDefault);
  c.Event(u"OnParentColorChange", static_cast<TNotifyEvent TCkExCheckListBox::*>(&TCkExCheckListBox::OnParentColorChange));
}

FW_REGISTER(TCkCheckListBox) {
  using B = TCkCheckListBox;
  c.Property(u"HotTrack", &B::HotTrack, &B::SetHotTrack).Default(false);
  c.Property(u"Ctl3D", &B::Ctl3D, &B::SetCtl3D).Default(true);
  c.Property(u"HorScrollbar", &B::HorScrollbar, &B::SetHorScrollbar).Default(true);
  c.Event(u"OnSelectCancel", &B::OnSelectCancel);
  c.Event(u"OnVerticalScroll", &B::OnVerticalScroll);
  c.Event(u"OnHorizontalScroll", &B::OnHorizontalScroll);
  c.Event(u"OnItemDrawing", &B::OnItemDrawing);
}

FW_REGISTER(TCkCheckListBoxDataConnector) {}

void RegisterCheckListBoxClasses() { RegisterClasses<TCkCheckListBox>(); }

}  // namespace ck
