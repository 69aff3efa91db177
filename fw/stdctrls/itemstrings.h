// The items of a list box or combo box: kept by the framework (texts,
// objects and a word of the control's own per item) and repeated into the
// window, so that they survive a new window and stay in step with it.
#pragma once

#include <cstdint>
#include <vector>

#include "fw/core/strings_list.h"

namespace fw {

class TWinItemStrings : public TStrings {
  FW_CLASS(TWinItemStrings, TStrings)
  TWinItemStrings() = default;

  int Count() const override { return static_cast<int>(FItems.size()); }
  String Get(int Index) const override;
  void Put(int Index, const String& S) override;
  TObject* GetObject(int Index) const override;
  void PutObject(int Index, TObject* Object) override;
  void Insert(int Index, const String& S) override;
  void Delete(int Index) override;
  void Clear() override;
  // Sorted lists put a new item in its place.
  int Add(const String& S) override;
  int AddObject(const String& S, TObject* Object) override;
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);

  bool Sorted() const { return FSorted; }
  // Sorting keeps equal items in their order.
  void SetSorted(bool Value);

  // The control's own word per item (check state...), moved with the item.
  intptr_t Extra(int Index) const;
  void SetExtra(int Index, intptr_t Value);

  // Puts every item into a new window.
  void FillWindow();

 protected:
  // The window side; nothing happens while there is no window.
  virtual bool HasWindow() const = 0;
  virtual void WindowInsert(int Index, const String& S) = 0;
  virtual void WindowDelete(int Index) = 0;
  virtual void WindowClear() = 0;
  virtual void WindowSetRedraw(bool Redraw) = 0;
  // Selection of an item, kept across a rewrite of it.
  virtual bool WindowSelected(int Index) const { (void)Index; return false; }
  virtual void WindowSetSelected(int Index, bool Value) { (void)Index; (void)Value; }
  virtual void Changed() {}
  void SetUpdateState(bool Updating) override;

 private:
  struct Item {
    String Text;
    TObject* Object = nullptr;
    intptr_t Extra = 0;
  };
  int InsertItem(int Index, const String& S, TObject* Object);
  void RewriteWindow();
  std::vector<Item> FItems;
  bool FSorted = false;
};

}  // namespace fw
