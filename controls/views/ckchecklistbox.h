// The check list box TCkCheckListBox: the framework's check list box whose
// horizontal scroll range follows the widest item, with an optional
// hot-track look (flat, three-dimensional while the mouse is over it), bulk
// check and selection operations, text searches, saving and loading of the
// items with their check states, and scroll and item-drawing events.
//
// Saved item list: one record per item, in list order, no header: the check
// state (1 byte, 0 unchecked), 3 filler bytes, the text's byte length N
// (signed 32-bit little-endian), the text in UTF-8 (N bytes).
#pragma once

#include <windows.h>

#include <memory>
#include <unordered_map>
#include <vector>

#include "controls/base/ckexcontrols.h"
#include "controls/views/ckdataconnector.h"
#include "fw/core/streams.h"
#include "fw/core/strings_list.h"
#include "fw/stdctrls/listbox.h"

namespace ck {

class TCkExCheckListBox : public TCkExWindowedShape<fw::TCheckListBox> {
  FW_CLASS(TCkExCheckListBox, fw::TCheckListBox)
  explicit TCkExCheckListBox(fw::TComponent* AOwner) : TCkExWindowedShape(AOwner) {}
};

class TCkCheckListBox;

// Fills a check list box with one item per record of the list source and
// keeps each item's check equal to a data field that holds ValueChecked or
// ValueUnchecked (only the unchecked text, in any letter case, unchecks).
class TCkCheckListBoxDataConnector : public TCkLookupDataConnector {
  FW_CLASS(TCkCheckListBoxDataConnector, TCkLookupDataConnector)
  explicit TCkCheckListBoxDataConnector(TCkCheckListBox* ACheckListBox = nullptr);

  const fw::String& ValueChecked() const { return FValueChecked; }
  void WriteValueChecked(const fw::String& Value);
  void SetValueChecked(const fw::String& Value) { WriteValueChecked(Value); }
  const fw::String& ValueUnchecked() const { return FValueUnchecked; }
  void WriteValueUnchecked(const fw::String& Value);
  void SetValueUnchecked(const fw::String& Value) { WriteValueUnchecked(Value); }
  // Both sources bound to valid fields (and, without keys, one data set).
  bool IsValid();
  // Moves the list source to the record of the box's current item.
  void SyncListRecord();
  void Assign(fw::TPersistent* Source) override;
  // The list source's record number behind each item.
  const std::vector<int>& RecordMap() const { return FMap; }

 protected:
  virtual void RefillList();
  void ActiveStateChanged() override { RefillList(); }
  void CurrentRecordChanged() override;
  void WriteBackRecord() override;

 private:
  void KeyFieldNames(fw::String& Own, fw::String& List);
  bool SameDataSet();
  // The check state of the list source's current record.
  bool RecordChecked();

  TCkCheckListBox* FCheckListBox;
  fw::String FValueChecked = u"1";
  fw::String FValueUnchecked = u"0";
  std::vector<int> FMap;
  std::unordered_map<int, int> FRecNumMap;
};

class TCkCheckListBox : public TCkExCheckListBox {
  FW_CLASS(TCkCheckListBox, TCkExCheckListBox)
  explicit TCkCheckListBox(fw::TComponent* AOwner);
  ~TCkCheckListBox() override;

  TCkCheckListBoxDataConnector* DataConnector() const { return FDataConnector.get(); }
  // Copies the given connector's settings into the box's own.
  void SetDataConnector(TCkCheckListBoxDataConnector* Value) { FDataConnector->Assign(Value); }

  // Flat at rest, three-dimensional while the mouse is over the box.
  bool HotTrack() const { return FHotTrack; }
  void WriteHotTrack(bool Value);
  void SetHotTrack(bool Value) { WriteHotTrack(Value); }
  // The sunken client edge.
  bool Ctl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  // A horizontal scroll range as wide as the widest item.
  bool HorScrollbar() const { return FScroll; }
  void WriteHorScrollbar(bool Value);
  void SetHorScrollbar(bool Value) { WriteHorScrollbar(Value); }
  // The widest item: its text followed by one space, plus the check box.
  int MaxWidth() const { return FMaxWidth; }

  int SearchExactString(const fw::String& Value, bool CaseSensitive);
  int SearchPrefix(const fw::String& Value, bool CaseSensitive);
  int SearchSubString(const fw::String& Value, bool CaseSensitive);
  int DeleteExactString(const fw::String& Value, bool All, bool CaseSensitive);

  void CheckAll();
  void UnCheckAll();
  void InvertCheck();
  // Only with MultiSelect.
  virtual void SelectAll();
  void UnselectAll();
  void InvertSelection();
  // With MultiSelect every selected item; otherwise the current one, whose
  // predecessor (or the first item) becomes current.
  virtual void DeleteSelected();
  // New lists owned by the caller: the texts and objects of the checked
  // (unchecked) items in list order.
  std::unique_ptr<fw::TStringList> GetChecked();
  std::unique_ptr<fw::TStringList> GetUnChecked();

  void SaveToStream(fw::TStream& Stream);
  // Reads a saved item list; a damaged list (a record running past the
  // end, or bytes left that are no whole record header) raises EReadError
  // and leaves the items as they were.
  void LoadFromStream(fw::TStream& Stream);
  void SaveToFile(const fw::String& FileName);
  void LoadFromFile(const fw::String& FileName);

  fw::TNotifyEvent OnSelectCancel;
  fw::TNotifyEvent OnVerticalScroll;
  fw::TNotifyEvent OnHorizontalScroll;
  fw::TDrawItemEvent OnItemDrawing;

 protected:
  void WndProc(fw::TMessage& Message) override;
  void CreateParams(fw::TCreateParams& Params) override;
  void DrawItem(int Index, const fw::TRect& Rect, fw::TOwnerDrawState State) override;
  void MouseEntered(fw::TControl* Control) override;
  void MouseLeft(fw::TControl* Control) override;
  void FontChanged() override;
  // The user's check also goes to the bound record.
  void ClickCheck() override;
  virtual std::unique_ptr<TCkCheckListBoxDataConnector> NewDataConnector();

 private:
  int ItemWidth(const fw::String& Text);
  void RecomputeMaxWidth();
  void ApplyHorScrollbar();
  std::unique_ptr<fw::TStringList> ItemsWithCheck(bool Checked);

  bool FHotTrack = false;
  bool FCtl3D = true;
  int FMaxWidth = 0;
  bool FScroll = true;
  std::unique_ptr<TCkCheckListBoxDataConnector> FDataConnector;
};

void RegisterCheckListBoxClasses();

}  // namespace ck
