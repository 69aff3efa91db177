#include "fw/platform/oserror.h"

#include <string>

namespace fw {

String SysErrorMessage(DWORD code) {
  wchar_t* buffer = nullptr;
  DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  String text;
  if (n && buffer) text = FromW(buffer, n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' '))
    text.pop_back();
  if (text.empty()) {
    std::string s = "System error " + std::to_string(code);
    text = String(s.begin(), s.end());
  }
  return text;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD code) {
  std::string n = std::to_string(code);
  throw EOSError(u"System Error.  Code: " + String(n.begin(), n.end()) + u".\r\n" +
                 SysErrorMessage(code));
}

}  // namespace fw
