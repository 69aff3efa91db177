#include "fw/stdctrls/itemstrings.h"

#include <algorithm>

#include "fw/core/rtti.h"

namespace fw {

String TWinItemStrings::Get(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[static_cast<size_t>(Index)].Text;
}

TObject* TWinItemStrings::GetObject(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[static_cast<size_t>(Index)].Object;
}

void TWinItemStrings::PutObject(int Index, TObject* Object) {
  if (Index < 0 || Index >= Count()) Error(Index);
  FItems[static_cast<size_t>(Index)].Object = Object;
}

intptr_t TWinItemStrings::Extra(int Index) const {
  if (Index < 0 || Index >= Count()) Error(Index);
  return FItems[static_cast<size_t>(Index)].Extra;
}

void TWinItemStrings::SetExtra(int Index, intptr_t Value) {
  if (Index < 0 || Index >= Count()) Error(Index);
  FItems[static_cast<size_t>(Index)].Extra = Value;
}

void TWinItemStrings::Put(int Index, const String& S) {
  if (Index < 0 || Index >= Count()) Error(Index);
  if (FSorted) {
    // A new text may belong elsewhere.
    Item item = FItems[static_cast<size_t>(Index)];
    Delete(Index);
    int at = InsertItem(-1, S, item.Object);
    FItems[static_cast<size_t>(at)].Extra = item.Extra;
    return;
  }
  FItems[static_cast<size_t>(Index)].Text = S;
  if (HasWindow()) {
    bool selected = WindowSelected(Index);
    WindowDelete(Index);
    WindowInsert(Index, S);
    if (selected) WindowSetSelected(Index, true);
  }
  Changed();
}

int TWinItemStrings::InsertItem(int Index, const String& S, TObject* Object) {
  if (Index < 0) {
    // Sorted: after the last item that is not greater.
    auto it = std::upper_bound(FItems.begin(), FItems.end(), S,
                               [this](const String& s, const Item& item) { return CompareStrings(s, item.Text) < 0; });
    Index = static_cast<int>(it - FItems.begin());
  }
  if (Index > Count()) Error(Index);
  FItems.insert(FItems.begin() + Index, Item{S, Object, 0});
  if (HasWindow()) WindowInsert(Index, S);
  Changed();
  return Index;
}

void TWinItemStrings::Insert(int Index, const String& S) {
  if (Index < 0 || Index > Count()) Error(Index);
  InsertItem(FSorted ? -1 : Index, S, nullptr);
}

int TWinItemStrings::Add(const String& S) { return InsertItem(FSorted ? -1 : Count(), S, nullptr); }

int TWinItemStrings::AddObject(const String& S, TObject* Object) {
  return InsertItem(FSorted ? -1 : Count(), S, Object);
}

void TWinItemStrings::Delete(int Index) {
  if (Index < 0 || Index >= Count()) Error(Index);
  FItems.erase(FItems.begin() + Index);
  if (HasWindow()) WindowDelete(Index);
  Changed();
}

void TWinItemStrings::Clear() {
  FItems.clear();
  if (HasWindow()) WindowClear();
  Changed();
}

void TWinItemStrings::Exchange(int Index1, int Index2) {
  if (Index1 < 0 || Index1 >= Count()) Error(Index1);
  if (Index2 < 0 || Index2 >= Count()) Error(Index2);
  std::swap(FItems[static_cast<size_t>(Index1)], FItems[static_cast<size_t>(Index2)]);
  RewriteWindow();
  Changed();
}

void TWinItemStrings::Move(int CurIndex, int NewIndex) {
  if (CurIndex < 0 || CurIndex >= Count()) Error(CurIndex);
  if (NewIndex < 0 || NewIndex >= Count()) Error(NewIndex);
  Item item = FItems[static_cast<size_t>(CurIndex)];
  FItems.erase(FItems.begin() + CurIndex);
  FItems.insert(FItems.begin() + NewIndex, item);
  RewriteWindow();
  Changed();
}

void TWinItemStrings::SetSorted(bool Value) {
  if (FSorted == Value) return;
  FSorted = Value;
  if (!Value) return;
  std::stable_sort(FItems.begin(), FItems.end(),
                   [this](const Item& a, const Item& b) { return CompareStrings(a.Text, b.Text) < 0; });
  RewriteWindow();
  Changed();
}

void TWinItemStrings::RewriteWindow() {
  if (!HasWindow()) return;
  WindowSetRedraw(false);
  WindowClear();
  FillWindow();
  WindowSetRedraw(true);
}

void TWinItemStrings::FillWindow() {
  if (!HasWindow()) return;
  for (size_t i = 0; i < FItems.size(); ++i) WindowInsert(static_cast<int>(i), FItems[i].Text);
}

void TWinItemStrings::SetUpdateState(bool Updating) {
  if (HasWindow()) WindowSetRedraw(!Updating);
  if (!Updating) Changed();
}

FW_REGISTER(TWinItemStrings) {}

}  // namespace fw
