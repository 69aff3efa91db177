// The base of the adapters whose controls have a client area with scroll
// bars (edits and lists, list views, grids, tree views, combo lists and the
// MDI client): in front of the scroll-bar adapter it marks the background
// changed on sizing, keeps the bars in step after sizing and scrolling, and
// repaints the frame after a refresh or an enable change.
#pragma once

#include "skin/controls/control_cache.h"
#include "skin/controls/scroll_wnd.h"

namespace skin {

class TkcBaseWnd : public TkcScrollWnd {
 public:
  using TkcScrollWnd::TkcScrollWnd;

  void kcWndProc(fw::TMessage& Message) override;

  // Re-reads the scroll information and repaints the bars.
  void RefreshScrollBars();

  TkcPaintState S;
};

}  // namespace skin
