// The adapter of tree views (the folder tree of the system's folder dialog,
// and framework tree views of the skin manager's list): the edit adapter's
// frame and scroll bars, with the tree's background given the section's
// colour of its state (the window colour in a dialog) and erased in it; the
// window colour comes back when the skin goes.
#pragma once

#include "skin/controls/edit_wnd.h"

namespace skin {

class TkcTreeViewWnd : public TkcEditWnd {
 public:
  using TkcEditWnd::TkcEditWnd;
  ~TkcTreeViewWnd() override { Detach(); }

  // The tree takes its background at once.
  void Subclass() override;
  void SetSkinParams() override;
  void kcWndProc(fw::TMessage& Message) override;
  // The colour the tree is erased in for its state.
  fw::TColor BackColor() const;

 protected:
  void RestoreStdParams() override;

 private:
  bool HotOrFocused() const;
};

}  // namespace skin
