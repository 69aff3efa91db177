#include "services/uclbase.h"

#include "fw/core/sysutils.h"
#include "fw/platform/oserror.h"

namespace services {

EUclWin32Error::EUclWin32Error(const fw::String& Msg) : EUclWin32Error(GetLastError(), Msg) {}

EUclWin32Error::EUclWin32Error(DWORD Code, const fw::String& Msg)
    : EUclError(u"Win32 error: " + fw::SysErrorMessage(Code) + u" (" + fw::IntToStr(Code) + u")\r\n" + Msg),
      FLastError(Code),
      FLastErrorMsg(fw::SysErrorMessage(Code)) {}

}  // namespace services
