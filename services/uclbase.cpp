#include "services/uclbase.h"

#include "fw/platform/oserror.h"

namespace services {

EUclWin32Error::EUclWin32Error(const fw::String& Msg) : EUclWin32Error(GetLastError(), Msg) {}

EUclWin32Error::EUclWin32Error(fw::StringView Format, std::initializer_list<fw::TVarRec> Args)
    : EUclWin32Error(GetLastError(), Format, Args) {}

// The code is read before the caller's text is formatted, which may touch
// the last error.
EUclWin32Error::EUclWin32Error(DWORD Code, fw::StringView Format, std::initializer_list<fw::TVarRec> Args)
    : EUclWin32Error(Code, fw::Format(Format, Args)) {}

EUclWin32Error::EUclWin32Error(DWORD Code, const fw::String& Msg)
    : EUclError(u"Win32 error: " + fw::SysErrorMessage(Code) + u" (" + fw::IntToStr(Code) + u")\r\n" + Msg),
      FLastError(Code),
      FLastErrorMsg(fw::SysErrorMessage(Code)) {}

char AnsiReplacementChar() {
  static const char replacement = [] {
    CPINFO info{};
    if (!GetCPInfo(CP_ACP, &info)) throw EUclInternalError(u"Failed to get ANSI replacement character");
    return static_cast<char>(info.DefaultChar[0]);
  }();
  return replacement;
}

}  // namespace services
