#include "skin/forms/core/menu_line_layout.h"

#include <climits>
#include <cstddef>

namespace skin {

std::vector<TkLinePlace> MenuLineLayout(const TkMenuLineInput& In) {
  std::vector<TkLinePlace> out;
  int x = In.StartX, y = In.StartY;
  // The group of the child's item drawn last: the frame's items of that
  // group have been replaced.
  int lastGroup = -1;
  std::size_t next = 0;
  // The child's next items of the groups above the last drawn one up to
  // group upTo; true when the first one drawn has that group.
  auto drawChild = [&](int upTo) {
    const int above = lastGroup;
    bool first = true, replaces = false;
    for (; next < In.Child.size(); ++next) {
      const TkLineItemFacts& c = In.Child[next];
      if (!c.Visible || !c.HasHandlers) continue;
      if (c.Group > upTo) break;
      if (c.Group <= above) continue;
      if (x + c.Width > In.Limit && x > In.StartX) {
        x = In.StartX;
        y += In.RowHeight;
      }
      out.push_back({true, int(next), x, y, c.Width});
      x += c.Width;
      if (first) replaces = c.Group == upTo;
      first = false;
      lastGroup = c.Group;
    }
    return replaces;
  };
  // The maximised child's window menu comes first.
  x += In.IconWidth > 0 ? In.IconWidth : 0;
  for (std::size_t i = 0; i < In.Frame.size(); ++i) {
    const TkLineItemFacts& f = In.Frame[i];
    if (!f.Visible) continue;
    const bool replaced = drawChild(f.Group);
    if (replaced || f.Group == lastGroup) continue;
    out.push_back({false, int(i), x, y, f.Width});
    x += f.Width;
  }
  drawChild(INT_MAX);
  return out;
}

}  // namespace skin
