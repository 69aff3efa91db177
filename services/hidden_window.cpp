#include "services/hidden_window.h"

#include "fw/system/named_utility_window.h"

namespace services {

HWND CreateHiddenMethodWindow(const fw::String& ClassName, const fw::TWndMethod& Method) {
  return fw::AllocateNamedHWnd(Method, ClassName.empty() ? L"TPUtilWindowEx" : W(ClassName));
}

}  // namespace services
