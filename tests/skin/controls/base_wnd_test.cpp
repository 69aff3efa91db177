// The base of the scrolling adapters in front of the scroll-bar adapter:
// which messages reach the window, when the background is marked changed,
// and when the frame is repainted.
#include "skin/controls/base_wnd.h"

#include <map>

#include "skin/engine/skin_manager.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

// Messages the window got; skin commands by code, as 0xA100'0000 + code.
std::map<UINT, int> gSeen;
constexpr UINT Code(WORD c) { return 0xA1000000u + c; }

LRESULT CALLBACK Recording(HWND h, UINT m, WPARAM w, LPARAM l) {
  ++gSeen[m == WM_SKINCOMMAND ? Code(SkinCommandCode(w)) : m];
  return DefWindowProcW(h, m, w, l);
}

HWND RecordingChild(HWND parent, bool visible) {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Recording;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlBaseRecording";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"VlBaseRecording", L"", WS_CHILD | (visible ? WS_VISIBLE : 0) | WS_VSCROLL, 10, 10,
                         120, 80, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(BaseWnd, MessagesReachTheWindowAndTheFrameFollows) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  Host host;
  int other = 0;
  struct Case {
    const char* what;
    bool visible;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    int reached;   // times the window got the message; -1 not checked
    bool changed;  // background marked changed (or its picture made afresh for the bars' paint)
    int ncPaints;  // WM_NCPAINT the window got
  } cases[] = {
      {"size", true, WM_SIZE, 0, MAKELPARAM(120, 80), 1, true, 0},
      {"end of a size move", true, WM_EXITSIZEMOVE, 0, 0, 1, true, 0},
      {"0x2100 is dropped", true, 0x2100, 0, 0, 0, false, 0},
      {"enable", true, WM_ENABLE, 1, 0, 1, false, 1},
      {"enable hidden", false, WM_ENABLE, 1, 0, 1, false, 0},
      {"own refresh", true, WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), 0, -1, true, 1},
      {"own refresh hidden", false, WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), 0, -1, true, 0},
      {"another manager's refresh", true, WM_SKINCOMMAND, SkinCommand(SKC_REFRESH),
       reinterpret_cast<LPARAM>(&other), 1, false, 0},
  };
  for (const Case& c : cases) {
    HWND h = RecordingChild(host.wnd, c.visible);
    auto* a = AttachAdapter<TkcBaseWnd>(h, [&] { return skin.get(); }, TkcSkinParams{});
    a->BGChanged = false;
    gSeen.clear();
    SendMessageW(h, c.msg, c.wParam, c.lParam);
    const UINT key = c.msg == WM_SKINCOMMAND ? Code(SkinCommandCode(c.wParam)) : c.msg;
    if (c.reached >= 0) EXPECT_EQ(gSeen[key], c.reached) << c.what;
    // Painting the bars has the window make its picture first, which takes
    // the mark off again.
    EXPECT_EQ(a->BGChanged || gSeen[Code(SKC_PREPARECACHE)] > 0, c.changed) << c.what;
    if (c.changed && c.ncPaints > 0)
      EXPECT_EQ(gSeen[Code(SKC_PREPARECACHE)], 1) << c.what << ": the picture is made before the bars are painted";
    if (a->BGChanged) EXPECT_EQ(gSeen[Code(SKC_PREPARECACHE)], 0) << c.what << ": a picture made keeps no mark";
    EXPECT_EQ(gSeen[WM_NCPAINT], c.ncPaints) << c.what;
    delete a;
    DestroyWindow(h);
  }
}

TEST(BaseWnd, WithoutASkinEverythingPassesOn) {
  Host host;
  HWND h = RecordingChild(host.wnd, true);
  auto* a = AttachAdapter<TkcBaseWnd>(h, [] { return static_cast<TkLoadedSkin*>(nullptr); }, TkcSkinParams{});
  gSeen.clear();
  SendMessageW(h, 0x2100, 0, 0);
  SendMessageW(h, WM_SETCURSOR, WPARAM(h), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  EXPECT_EQ(gSeen[0x2100], 1);
  EXPECT_EQ(gSeen[WM_SETCURSOR], 1);
  delete a;
  DestroyWindow(h);
}
