#include "services/shellutils.h"

#include <vector>

#include "fw/graphics/graphics.h"
#include "services/uclsysinfo.h"
#include "services/uclutils.h"

namespace services {

using fw::String;

namespace {
TOpenWithShellProc gOpenWithShell = nullptr;
}

bool OpenWithShell(const String& FileName) {
  if (gOpenWithShell) return gOpenWithShell(FileName);
  auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", W(FileName), nullptr, nullptr,
                    SW_SHOWNORMAL));
  return result > 32;
}

void SetOpenWithShellProc(TOpenWithShellProc Proc) { gOpenWithShell = Proc; }

DWORD Shell32Version() {
  // A failed read (0) is tried again on the next call.
  static DWORD version = 0;
  if (version == 0) version = FileVersionMS(u"shell32.dll");
  return version;
}

bool FreeShellItemList(LPITEMIDLIST& List) {
  if (!List) return true;
  IMalloc* malloc = nullptr;
  if (FAILED(SHGetMalloc(&malloc)) || !malloc) return false;
  bool freed = false;
  if (malloc->DidAlloc(List) != 0) {
    malloc->Free(List);
    List = nullptr;
    freed = true;
  }
  malloc->Release();
  return freed;
}

void EllipsizePathText(const String& Text, fw::TCanvas* Canvas, int Width, String& Result) {
  Result = Text;
  if (!Canvas || Text.empty()) return;
  // An empty TextRect makes the canvas select its font without drawing.
  Canvas->TextRect(fw::TRect{}, 0, 0, String());
  HDC dc = Canvas->Handle();
  SIZE line{};
  if (!GetTextExtentPoint32W(dc, L"Wq", 2, &line)) return;
  RECT r{0, 0, Width, line.cy};
  // DT_MODIFYSTRING may write up to four characters past the text.
  std::u16string buffer = Text;
  buffer.append(5, u'\0');
  if (DrawTextW(dc, W(buffer.data()), static_cast<int>(Text.size()), &r,
                DT_PATH_ELLIPSIS | DT_MODIFYSTRING | DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT) == 0)
    return;
  Result = String(buffer.c_str());
}

bool WindowsVersionAtLeast(int Major, int Minor) {
  const TSystemFacts& facts = SystemFacts();
  const int major = static_cast<int>(facts.VersionMajor), minor = static_cast<int>(facts.VersionMinor);
  return major > Major || (major == Major && minor >= Minor);
}

}  // namespace services
