#include "controls/base/ckcommondialog.h"

#include "fw/core/rtti.h"

namespace ck {

FW_REGISTER(TCkComponent) {}
FW_REGISTER(TCkCommonDialog) {}

}  // namespace ck
