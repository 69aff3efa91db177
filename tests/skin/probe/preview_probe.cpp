// A stand-in for the external skin editor in the preview-link tests. It
// shows a window with the editor's title; when a program announces its
// window with the link message (wParam 3), it answers 1 and then sends that
// window two WM_COPYDATA records of kind 7: first only the number of bytes
// given as its one argument, then a whole record naming the skin
// "ProbeSkin". It ends after that, or after ten seconds.
#include <windows.h>

#include <cstdlib>
#include <vector>

#include "skin/engine/core/preview_record.h"

namespace {

constexpr UINT kLink = 0xA400, kSend = WM_APP + 1;
HWND gTarget = nullptr;
size_t gShortSize = 16;

void SendRecord(const std::vector<uint8_t>& bytes, size_t size) {
  COPYDATASTRUCT cds{};
  cds.cbData = static_cast<DWORD>(size);
  cds.lpData = const_cast<uint8_t*>(bytes.data());
  DWORD_PTR result = 0;
  SendMessageTimeoutW(gTarget, WM_COPYDATA, 7, reinterpret_cast<LPARAM>(&cds), SMTO_ABORTIFHUNG, 5000, &result);
}

LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kLink:
      if (wParam != 3) return 0;
      gTarget = reinterpret_cast<HWND>(lParam);
      PostMessageW(wnd, kSend, 0, 0);
      return 1;
    case kSend: {
      skin::TkcSkinData record;
      record.Magic = skin::kPreviewMagic;
      record.SkinName = "ProbeSkin";
      record.SkinDir = "C:\\probe";
      record.Data = "[FORM]";
      const std::vector<uint8_t> bytes = skin::WritePreviewRecord(record);
      SendRecord(bytes, gShortSize);
      SendRecord(bytes, bytes.size());
      PostQuitMessage(0);
      return 0;
    }
    case WM_TIMER:
      PostQuitMessage(1);
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

}  // namespace

int main(int argc, char** argv) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (argc > 1) gShortSize = static_cast<size_t>(std::atoi(argv[1]));
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.lpszClassName = L"VlPreviewProbe";
  RegisterClassExW(&wc);
  HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, L"VlPreviewProbe", L"Vestaline Skin Editor", WS_POPUP, 0, 0, 10, 10,
                             nullptr, nullptr, instance, nullptr);
  SetTimer(wnd, 1, 10000, nullptr);
  MSG m;
  while (GetMessageW(&m, nullptr, 0, 0) > 0) DispatchMessageW(&m);
  return static_cast<int>(m.wParam);
}
