// The adapter of another vendor's virtual tree control (the skin manager's
// virtual-tree list): the edit adapter's frame and scroll bars, the tree's
// selection, hot and text colours from the skin, and its column header
// drawn from the skin through the control's own header events. Everything
// is reached through the control's published properties by name; what the
// control does not publish is skipped. The control's own values come back
// when the skin goes.
#pragma once

#include <cstdint>

#include "fw/core/collection.h"
#include "fw/core/events.h"
#include "fw/graphics/graphics.h"
#include "skin/controls/edit_wnd.h"

namespace skin {

// What the virtual tree hands its header events for one piece of the header.
struct THeaderPaintInfo {
  fw::TCanvas* TargetCanvas = nullptr;
  fw::TCollectionItem* Column = nullptr;  // none: the area right of the columns
  fw::TRect PaintRectangle;
  fw::TRect TextRectangle;
  bool IsHoverIndex = false;
  bool IsDownIndex = false;
  bool IsEnabled = true;
  bool ShowHeaderGlyph = false;
  bool ShowSortGlyph = false;
  bool ShowRightBorder = false;
  int DropMark = 0;
  fw::TPoint GlyphPos;
  fw::TPoint SortGlyphPos;
};

// Header paint elements, as bits of one value.
constexpr uint32_t hpeBackground = 1, hpeDropMark = 2, hpeHeaderGlyph = 4, hpeSortGlyph = 8, hpeText = 16;

using TVTAdvancedHeaderPaintEvent =
    fw::TEvent<void(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, uint32_t Elements)>;
using TVTHeaderPaintQueryElementsEvent =
    fw::TEvent<void(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, uint32_t& Elements)>;

class TkcVirtualTreeViewWnd : public TkcEditWnd {
 public:
  using TkcEditWnd::TkcEditWnd;
  ~TkcVirtualTreeViewWnd() override { Detach(); }

  // The tree keeps its visual theme.
  bool ThemeOffOnAttach() const override { return false; }
  void Subclass() override;
  void SetSkinParams() override;
  void kcWndProc(fw::TMessage& Message) override;

  // The header events the adapter installs on the control.
  void HeaderDrawQueryElements(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, uint32_t& Elements);
  void AdvancedHeaderDraw(fw::TPersistent* Sender, THeaderPaintInfo& PaintInfo, uint32_t Elements);
  // The window's border by its styles, as negative sizes.
  fw::TPoint GetBorderDimensions() const;

  // The control's own values, saved at attach.
  fw::TColor FocusedSelectionBorderColor = 0, FocusedSelectionColor = 0, UnfocusedSelectionBorderColor = 0,
             UnfocusedSelectionColor = 0, SelectionTextColor = 0, HotColor = 0, CompressedTextColor = 0,
             FileTextColor = 0, FolderTextColor = 0;
  bool OwnerDraw = false;

 protected:
  void SaveStdParams() override;
  void RestoreStdParams() override;

 private:
  void PrintTree(fw::TMessage& Message);
  void PaintTreeFrame(fw::TMessage& Message);
  bool FSaved = false;
};

}  // namespace skin
