// Which top-level items a skinned form's menu line draws, in which order and
// where, when an MDI frame shows its active child's menu merged into its
// own: the child's items go in group order before the frame's item of the
// next higher group, take the place of the frame's items of their group,
// and wrap to a new row when they would pass the line's end; the child's
// items left after the frame's last item follow it.
#pragma once

#include <vector>

namespace skin {

// What the layout reads of one top-level item.
struct TkLineItemFacts {
  int Group = 0;
  bool Visible = true;
  // The item has both owner-draw handlers of the line painter (a child's
  // item without them is not drawn; the painter gives a frame's item its
  // handlers back before the layout).
  bool HasHandlers = true;
  // The width of its rectangle in the menu bar.
  int Width = 0;
};

struct TkMenuLineInput {
  std::vector<TkLineItemFacts> Frame;
  // The active MDI child's items (empty without one or without its menu).
  std::vector<TkLineItemFacts> Child;
  // Where the first item starts, the height of a row, and the X no child
  // item may pass.
  int StartX = 0, StartY = 0, RowHeight = 0, Limit = 0;
  // The width of the maximised child's window-menu entry that stands first
  // in the bar (0: none).
  int IconWidth = 0;
};

// One item to draw. A frame item is drawn where the system put it; a child
// item at X, Y, Width wide and a row high.
struct TkLinePlace {
  bool Child = false;
  int Index = 0;  // into TkMenuLineInput::Frame or ::Child
  int X = 0, Y = 0, Width = 0;

  bool operator==(const TkLinePlace&) const = default;
};

std::vector<TkLinePlace> MenuLineLayout(const TkMenuLineInput& In);

}  // namespace skin
