// Edits: the system's EDIT class, single-line (TEdit) and multi-line
// (TMemo, with its text as a list of lines). A change of the text, by the
// user or the program, reports OnChange.
#pragma once

#include "fw/core/strings_list.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_ENUM(TEditCharCase, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TWinControl {
  FW_CLASS(TCustomEdit, TWinControl)
  explicit TCustomEdit(TComponent* AOwner);

  TBorderStyle BorderStyle() const { return FBorderStyle; }
  void SetBorderStyle(TBorderStyle Value);
  int MaxLength() const { return FMaxLength; }
  void SetMaxLength(int Value);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  char16_t PasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char16_t Value);
  TEditCharCase CharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value);
  bool HideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { FAutoSelect = Value; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);
  bool Modified() const;
  void SetModified(bool Value);

  int SelStart() const;
  void SetSelStart(int Value);
  int SelLength() const;
  void SetSelLength(int Value);
  String SelText() const;
  void SetSelText(const String& Value);
  void SelectAll();
  void Clear() { SetText(String()); }

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& Params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& Message) override;
  virtual void CNCommand(TMessage& Message);
  virtual void Change();
  void DoEnter() override;
  // The message a standard window procedure would get, sent to the window.
  LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;

 private:
  TBorderStyle FBorderStyle = bsSingle;
  int FMaxLength = 0;
  bool FReadOnly = false;
  char16_t FPasswordChar = 0;
  TEditCharCase FCharCase = ecNormal;
  bool FHideSelection = true;
  bool FAutoSelect = true;
  TAlignment FAlignment = taLeftJustify;
  bool FModified = false;
};

class TEdit : public TCustomEdit {
  FW_CLASS(TEdit, TCustomEdit)
  explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};

class TMemo;

// The lines of a memo, read from and written to the memo's text.
class TMemoStrings : public TStrings {
  FW_CLASS(TMemoStrings, TStrings)
  explicit TMemoStrings(TMemo* Memo) : FMemo(Memo) {}
  int Count() const override;
  String Get(int Index) const override;
  void Put(int Index, const String& S) override;
  void Insert(int Index, const String& S) override;
  void Delete(int Index) override;
  void Clear() override;

 protected:
  void SetUpdateState(bool Updating) override;

 private:
  std::vector<String> Split() const;
  void Join(const std::vector<String>& Lines);
  TMemo* FMemo;
};

class TMemo : public TCustomEdit {
  FW_CLASS(TMemo, TCustomEdit)
  explicit TMemo(TComponent* AOwner);
  ~TMemo() override;

  TStrings* Lines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TScrollStyle ScrollBars() const { return FScrollBars; }
  void SetScrollBars(TScrollStyle Value);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool Value);
  bool WantReturns() const { return FWantReturns; }
  void SetWantReturns(bool Value) { FWantReturns = Value; }
  bool WantTabs() const { return FWantTabs; }
  void SetWantTabs(bool Value) { FWantTabs = Value; }

 protected:
  void CreateParams(TCreateParams& Params) override;
  void Dispatch(TMessage& Message) override;

 private:
  TMemoStrings* FLines;
  TScrollStyle FScrollBars = ssNone;
  bool FWordWrap = true;
  bool FWantReturns = true;
  bool FWantTabs = false;
};

}  // namespace fw
