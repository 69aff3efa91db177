// The menu error; the owner-draw state menus hand to painters is the one
// of the standard controls (bit for bit DRAWITEMSTRUCT's itemState).
#pragma once

#include "fw/core/exceptions.h"
#include "fw/stdctrls/stdctrls_common.h"

namespace fw {

FW_EXCEPTION_CLASS(EMenuError, Exception)

}  // namespace fw
