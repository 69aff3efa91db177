// A link in a control's WindowProc chain. It puts a handler in front of
// whatever procedure the control has and gives that one back when removed,
// but only while the link is still the current procedure: a link that
// someone else has chained over stays behind as a pass-through (owned by the
// control) so that neither procedure is lost, whatever the order of removal.
// Components that watch a control they do not own go through the hook
// registry (services/wndprochook.h), which splices itself in with one link.
#pragma once

#include "fw/controls/controls.h"

namespace fw {

class TWindowProcHook {
 public:
  TWindowProcHook(TControl* Control, const TWndMethod& Handler);
  ~TWindowProcHook();
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;

  // The procedure the hook was put in front of.
  void CallPrevious(TMessage& Message);
  void Remove();
  bool Installed() const { return FNode != nullptr; }
  TControl* Control() const;

 private:
  TWndProcNode* FNode;
};

}  // namespace fw
