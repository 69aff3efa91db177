// Combo boxes under the skin: the combo box adapter paints the combo's
// 3-pixel frame from its section, the drop-down button (the skin's
// combo-button section and glyph, else a drawn arrow) in its look (pressed
// while the list is open, hot while focused or under the mouse), the
// selected text of a drop-down list when printed, the items of framework
// combo boxes it is asked to draw, and the edit part of a simple box. When
// the list first asks for its colours it gets a list adapter of its own
// (frame, background and skinned scroll bars), which goes with the skin or
// with the combo box's adapter.
#pragma once

#include <windows.h>

#include "fw/stdctrls/stdctrls_common.h"
#include "skin/controls/combo_parts.h"
#include "skin/controls/edit_wnd.h"

namespace fw {
class TCustomComboBox;
}

namespace skin {

// Set while a combo box reports its list dropped down (CBN_DROPDOWN until
// CBN_CLOSEUP).
extern bool ComboListDropped;

class TkcComboListWnd;

class TkcComboBoxWnd : public TkcEditWnd {
 public:
  TkcComboBoxWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcComboBoxWnd() override;

  fw::String DefaultSection() const override { return u"COMBOBOX"; }
  void kcWndProc(fw::TMessage& Message) override;

  // The drop-down button in window coordinates (none for a simple box).
  virtual fw::TRect ButtonRect() const;
  // The height of the skin's combo-button glyph, 16 without one.
  int ButtonHeight() const;
  // The button's look: 2 while the list shows, 1 hot or focused, else 0.
  int ButtonState() const;
  void PaintButton(HDC DC);
  void RepaintButton();
  // The selected text of a drop-down list into the cache.
  void PaintText();
  // A simple box's edit part into the cache.
  void PrepareSimple();
  // An item of a framework combo box (or its edit part) drawn into DC.
  void DrawItem(int Index, const fw::TRect& Rect, fw::TOwnerDrawState State, HDC DC);
  void Invalidate();
  fw::TCustomComboBox* EasyComboBox() const;
  static bool DroppedDown() { return ComboListDropped; }

  HWND FListHandle = nullptr;
  TkcComboListWnd* ListSW = nullptr;

 protected:
  TkcComboListWnd* AttachListAdapter(HWND List);
  void FreeListAdapter(bool GiveBorderBack);
  HWND EditChild() const;
  bool HotLookAllowed() const;
  void ClearEditSelection();
  void Paint(fw::TMessage& Message);
  void PrintCombo(fw::TMessage& Message);
  void ListColours(fw::TMessage& Message);
  void NoteDropDown(WORD Code);

  bool LBoxOpening = false;
  TkcListBrush FListBrush;
};

// The adapter of a combo box's list window: its frame and background in
// the list's colour, and skinned scroll bars that keep working while the
// list holds the mouse.
class TkcComboListWnd : public TkcEditWnd {
 public:
  TkcComboListWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint, bool Simply);

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  void SetSkinParams() override;

  bool Showed = false;     // the list is open
  bool SimplyBox = false;  // the list of a simple box (always shown under its edit)

 protected:
  void PrepareListCache();
  void PaintNonClient(fw::TMessage& Message);
  void PaintBelowList(HDC ComboDC);
  void ButtonUp(fw::TMessage& Message);
  void PrintList(fw::TMessage& Message);
};

}  // namespace skin
