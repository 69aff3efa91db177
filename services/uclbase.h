// The exceptions of the utility units. A Win32 error keeps the calling
// thread's last error code and the system's text for it, and says both in
// its message before the caller's text.
#pragma once

#include <windows.h>

#include "fw/core/exceptions.h"
#include "services/core/uclstrings.h"

namespace services {

// EUclError and EUclStringError come with the text routines,
// EUclFileVersionInfoError with the version resources, EUclRTTIError with
// the set texts.
FW_EXCEPTION_CLASS(EUclInternalError, EUclError)
FW_EXCEPTION_CLASS(EUclSecurityError, EUclError)
FW_EXCEPTION_CLASS(EUclFileUtilsError, EUclError)
FW_EXCEPTION_CLASS(EUclRegistryError, EUclError)
FW_EXCEPTION_CLASS(ESharedMemError, EUclError)

class EUclWin32Error : public EUclError {
 public:
  // "Win32 error: <system text> (<code>)" CR LF Msg, with the last error
  // read now.
  explicit EUclWin32Error(const fw::String& Msg);
  DWORD LastError() const { return FLastError; }
  const fw::String& LastErrorMsg() const { return FLastErrorMsg; }

 private:
  EUclWin32Error(DWORD Code, const fw::String& Msg);
  DWORD FLastError;
  fw::String FLastErrorMsg;
};

FW_EXCEPTION_CLASS(EUclFileMappingError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclFileMappingViewError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclEventError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclMutexError, EUclWin32Error)

}  // namespace services
