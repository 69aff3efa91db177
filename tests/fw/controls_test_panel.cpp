#include "controls_test_util.h"
#include "fw/core/rtti.h"

namespace fwtest {

TTestPanel::TTestPanel(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {
  SetControlStyle(ControlStyle() + fw::TControlStyle{fw::csAcceptsControls, fw::csOpaque});
  SetBounds(0, 0, 100, 50);
}

void TTestPanel::Paint() {
  Canvas()->Brush()->SetColor(Color());
  Canvas()->FillRect(ClientRect());
}

FW_REGISTER(TTestPanel) {}

}  // namespace fwtest
