// The link between a control and its action: the control takes the
// action's caption, state, hint and click handler, and follows changes.
#pragma once

#include "fw/controls/controls.h"
#include "fw/system/actions.h"

namespace fw {

class TControlActionLink : public TBasicActionLink {
 public:
  explicit TControlActionLink(TControl* AClient) : TBasicActionLink(AClient), FControl(AClient) {}
  void Change() override {
    if (FControl && FAction) FControl->ActionChange(FAction, false);
  }
  bool Update() override { return TBasicActionLink::Update(); }

 private:
  TControl* FControl;
};

}  // namespace fw
