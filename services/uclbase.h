// The exceptions of the utility units. A Win32 error keeps the calling
// thread's last error code and the system's text for it, and says both in
// its message before the caller's text.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "fw/core/exceptions.h"
#include "fw/core/sysutils.h"
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
  // read now, before anything can change it.
  explicit EUclWin32Error(const fw::String& Msg);
  // The same with Msg formatted with Args (fw::Format).
  EUclWin32Error(fw::StringView Format, std::initializer_list<fw::TVarRec> Args);
  DWORD LastError() const { return FLastError; }
  const fw::String& LastErrorMsg() const { return FLastErrorMsg; }

 private:
  EUclWin32Error(DWORD Code, const fw::String& Msg);
  EUclWin32Error(DWORD Code, fw::StringView Format, std::initializer_list<fw::TVarRec> Args);
  DWORD FLastError;
  fw::String FLastErrorMsg;
};

FW_EXCEPTION_CLASS(EUclFileMappingError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclFileMappingViewError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclEventError, EUclWin32Error)
FW_EXCEPTION_CLASS(EUclMutexError, EUclWin32Error)

// The character that stands for a character the system's ANSI code page
// cannot hold, read from the code page at the first call (then kept).
// Raises EUclInternalError "Failed to get ANSI replacement character" when
// the system cannot say.
char AnsiReplacementChar();

}  // namespace services
