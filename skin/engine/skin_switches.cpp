#include "skin/engine/skin_switches.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "skin/engine/skin_manager.h"

namespace skin {

const TSkinSwitches& CommandLineSkinSwitches() {
  static const TSkinSwitches switches = [] {
    std::vector<fw::String> params;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; argv && i < count; ++i) params.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    if (argv) LocalFree(argv);
    return ParseSkinSwitches(params);
  }();
  return switches;
}

fw::String SkinEngineVersionText() { return fw::String(u"Vestaline skin engine v") + kSkinEngineVersion; }

void ShowVersionNoticeOnce() {
  static bool shown = false;
  if (shown || !CommandLineSkinSwitches().Version) return;
  shown = true;
  MessageBoxW(nullptr, reinterpret_cast<LPCWSTR>(SkinEngineVersionText().c_str()), L"Vestaline3", MB_OK);
}

}  // namespace skin
