// Alignment of children: top, bottom, left and right edges are taken in that
// order, the client control gets what remains, and children without an
// alignment keep their distances to the anchored edges of the parent.
#include <algorithm>

#include "fw/controls/controls.h"

namespace fw {

namespace {

// The order of controls sharing one edge: nearest the edge first; the
// control being placed wins over others at the same position.
bool Before(TControl* a, TControl* b, TAlign align, TControl* moving) {
  auto key = [align](TControl* c) {
    switch (align) {
      case alTop: return c->Top();
      case alBottom: return -(c->Top() + c->Height());
      case alLeft: return c->Left();
      case alRight: return -(c->Left() + c->Width());
      default: return 0;
    }
  };
  int ka = key(a), kb = key(b);
  if (ka != kb) return ka < kb;
  if (a == moving) return true;
  if (b == moving) return false;
  return false;
}

}  // namespace

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign() {
  if (FAlignLevel > 0) --FAlignLevel;
  if (FAlignLevel == 0 && FControlState.Contains(csAlignmentNeeded)) Realign();
}

void TWinControl::Realign() {
  if (FAlignLevel != 0 || ComponentState().Contains(csLoading)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  if (ComponentState().Contains(csDestroying)) return;
  AlignControl(nullptr);
}

void TWinControl::RequestAlign() {
  TControl::RequestAlign();
}

void TWinControl::AlignControl(TControl* AControl) {
  if (ComponentState().Contains(csDestroying)) return;
  if (FAlignLevel != 0 || ComponentState().Contains(csLoading)) {
    FControlState.Include(csAlignmentNeeded);
    return;
  }
  DisableAlign();
  try {
    TRect r = ClientRect();
    AdjustClientRect(r);
    AlignControls(AControl, r);
  } catch (...) {
    FControlState.Exclude(csAlignmentNeeded);
    EnableAlign();
    throw;
  }
  FControlState.Exclude(csAlignmentNeeded);
  EnableAlign();
}

void TWinControl::AlignControls(TControl* AControl, TRect& Rect) {
  std::vector<TControl*> all(FControls.begin(), FControls.end());
  all.insert(all.end(), FWinControls.begin(), FWinControls.end());
  bool designing = ComponentState().Contains(csDesigning);
  TRect parentClient = ClientRect();
  FControlState.Include(csAligning);
  try {
    for (TAlign align : {alTop, alBottom, alLeft, alRight, alClient}) {
      std::vector<TControl*> list;
      for (TControl* c : all)
        if (c->Align() == align && (c->Visible() || designing)) list.push_back(c);
      std::stable_sort(list.begin(), list.end(),
                       [&](TControl* a, TControl* b) { return Before(a, b, align, AControl); });
      for (TControl* c : list) {
        int w = std::max(0, Rect.Width()), h = std::max(0, Rect.Height());
        int l = Rect.Left, t = Rect.Top;
        switch (align) {
          case alTop: h = c->Height(); break;
          case alBottom: h = c->Height(); t = Rect.Bottom - h; break;
          case alLeft: w = c->Width(); break;
          case alRight: w = c->Width(); l = Rect.Right - w; break;
          default: break;
        }
        c->SetBounds(l, t, w, h);
        // Constraints may have changed the size: the edge moves by what
        // the control really took.
        switch (align) {
          case alTop: Rect.Top = t + c->Height(); break;
          case alBottom: Rect.Bottom = c->Top(); break;
          case alLeft: Rect.Left = l + c->Width(); break;
          case alRight: Rect.Right = c->Left(); break;
          default: break;
        }
      }
    }
    // Anchored children keep their distances to the edges they hold on to.
    for (TControl* c : all) {
      // A child still being read keeps the place its description gives; its
      // distances are taken once it is loaded.
      if (c->Align() != alNone || !c->FAnchorValid || c->ComponentState().Contains(csLoading)) continue;
      TAnchors a = c->Anchors();
      if (a == TAnchors{akLeft, akTop}) continue;
      const TRect& ob = c->FAnchorBounds;
      TPoint ps = c->FAnchorParentSize;
      int pw = parentClient.Width(), ph = parentClient.Height();
      int l = ob.Left, t = ob.Top, w = ob.Width(), h = ob.Height();
      if (a.Contains(akRight)) {
        if (a.Contains(akLeft)) w = ob.Width() + (pw - ps.x);
        else l = ob.Left + (pw - ps.x);
      } else if (!a.Contains(akLeft) && ps.x > 0) {
        l = MulDiv(ob.Left + ob.Width() / 2, pw, ps.x) - ob.Width() / 2;
      }
      if (a.Contains(akBottom)) {
        if (a.Contains(akTop)) h = ob.Height() + (ph - ps.y);
        else t = ob.Top + (ph - ps.y);
      } else if (!a.Contains(akTop) && ps.y > 0) {
        t = MulDiv(ob.Top + ob.Height() / 2, ph, ps.y) - ob.Height() / 2;
      }
      c->SetBounds(l, t, std::max(0, w), std::max(0, h));
    }
  } catch (...) {
    FControlState.Exclude(csAligning);
    throw;
  }
  FControlState.Exclude(csAligning);
}

}  // namespace fw
