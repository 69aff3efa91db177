// The adapter of list views: the list's colours from the skin (following
// its hot state), thumb drags on the skinned bars turned into the list's
// own scrolling (whole rows in report view), and in report view a column
// header painted from the skin ("COLHEADER", else "BUTTON") with hot and
// pressed columns, sort arrows and the column images; the header's own
// painting comes back in the other views.
//
// The colours the adapter overwrites are read when it attaches and written
// back exactly when the skin goes or the adapter is detached.
#pragma once

#include <windows.h>

#include "fw/stdctrls/listview.h"
#include "skin/controls/edit_wnd.h"

namespace skin {

class TkcListViewWnd : public TkcEditWnd {
 public:
  TkcListViewWnd(HWND AHandle, TkcSkinSource ASkin, const TkcSkinParams& Params, bool Repaint = true);
  ~TkcListViewWnd() override;

  void Subclass() override;
  void kcWndProc(fw::TMessage& Message) override;
  bool IsListView() const override { return true; }

  fw::TViewStyle ViewStyle() const;
  bool HotTrack() const { return true; }
  // The columns' widths added up (0 without a framework list view).
  int AllColWidth() const;
  // The header column at display position Index (with full drag; else the
  // item Index), in the header's client coordinates.
  fw::TRect GetHeaderColumnRect(int Index) const;
  // Every column and the empty rest right of them; DC none: the header's own.
  void PaintHeader(HDC DC);
  // One column (cIndex -2: the empty rest) into ControlRect of DC.
  void ColumnSkinPaint(const fw::TRect& ControlRect, int cIndex, HDC DC);
  // The control's and the list's colours for the section's state (window
  // colours in dialog mode).
  void SetSkinParams() override;

  HWND FhWndHeader = nullptr;
  int FPressedColumn = -1;
  int HoverColIndex = -1;

 protected:
  void RestoreStdParams() override;

 private:
  // The list's own colours, read at attach.
  struct TSavedColors {
    bool Saved = false;
    COLORREF Back = 0, TextBack = 0, Text = 0;
  };
  fw::TCustomListView* OwnerList() const;
  void SaveListColors();
  void SetListColors(fw::TColor Back, fw::TColor Text);
  void HookHeader(HWND Header);
  void UnhookHeader();
  void ThumbTrack(fw::TMessage& Message, bool Vertical);
  void PrintHeader(HDC DC);
  LRESULT CallHeaderProc(UINT Msg, WPARAM WParam, LPARAM LParam);
  void HeaderWndProc(fw::TMessage& Message);
  int HeaderColumnAt(POINT Screen) const;
  friend LRESULT CALLBACK HeaderTrampoline(HWND, UINT, WPARAM, LPARAM);

  WNDPROC FhDefHeaderProc = nullptr;
  TSavedColors FSaved;
  bool FSettingColors = false;
};

}  // namespace skin
