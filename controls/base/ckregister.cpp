#include "controls/base/ckregister.h"

#include "controls/base/cklabel.h"
#include "controls/base/ckscrollpanel.h"
#include "controls/base/ckslider.h"
#include "controls/base/ckswitch.h"
#include "fw/core/rtti.h"

namespace ck {

void RegisterCkControlClasses() {
  fw::RegisterClasses<TCkxSlider, TCkSwitch, TCkLabel, TCkScrollingWindow, TCkScrollButton>();
}

}  // namespace ck
