// The component layer's bases of non-visual components and dialogs.
#pragma once

#include "fw/core/component.h"
#include "fw/dialogs/dialogs.h"

namespace ck {

class TCkComponent : public fw::TComponent {
  FW_CLASS(TCkComponent, fw::TComponent)
  explicit TCkComponent(fw::TComponent* AOwner) : fw::TComponent(AOwner) {}
};

class TCkCommonDialog : public fw::TCommonDialog {
  FW_CLASS(TCkCommonDialog, fw::TCommonDialog)
  explicit TCkCommonDialog(fw::TComponent* AOwner) : fw::TCommonDialog(AOwner) {}
};

}  // namespace ck
