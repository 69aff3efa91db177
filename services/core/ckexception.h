// The component layer's general error; the settings storage's errors derive
// from it.
#pragma once

#include "fw/core/exceptions.h"

namespace services {

class ECKException : public fw::Exception {
 public:
  using Exception::Exception;
};

}  // namespace services
