// A message box without owner under the skinning hook, in the program's
// skins: its icon, text and button get their adapters and show their
// content (screenshots written for looking at).
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "skin/controls/attach_hook.h"
#include "skin/controls/btn_wnd.h"
#include "skin/controls/link_wnd.h"
#include "skin/controls/static_wnd.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

struct BoxProbe {
  bool found = false;
  int icons = 0, texts = 0, buttons = 0;
  int ticks = 0;
  std::string screenshot;
};
BoxProbe gBox;

BOOL CALLBACK CountAdapters(HWND h, LPARAM) {
  TkcMainWnd* a = GetWindowAdapter(h);
  if (dynamic_cast<TkcIconWnd*>(a)) ++gBox.icons;
  else if (dynamic_cast<TkcStaticWnd*>(a)) ++gBox.texts;
  else if (dynamic_cast<TkcBtnWnd*>(a)) ++gBox.buttons;
  return TRUE;
}

void CALLBACK ProbeBox(HWND, UINT, UINT_PTR id, DWORD) {
  ++gBox.ticks;
  HWND d = FindWindowW(L"#32770", L"Vestaline3 box");
  if (d && IsWindowVisible(d)) {
    gBox.found = true;
    EnumChildWindows(d, CountAdapters, 0);
    RedrawWindow(d, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    auto shot = scenarios::ScreenshotOf(d);
    scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(gBox.screenshot));
    PostMessageW(d, WM_COMMAND, IDOK, 0);
    KillTimer(nullptr, id);
  } else if (gBox.ticks > 400) {
    KillTimer(nullptr, id);  // no box within 20 s: give up
  }
}

}  // namespace

TEST(MessageBox, IconTextAndButtonAreSkinnedInBothSkins) {
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    InstallSkinHook([&] { return skin.get(); });
    gBox = BoxProbe{};
    gBox.screenshot = std::string("message_box_adapters_") + ProgramSkinName(s) + ".png";
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, ProbeBox);
    MessageBoxW(nullptr, L"The font was found in 3 files.", L"Vestaline3 box", MB_OK | MB_ICONINFORMATION);
    KillTimer(nullptr, timer);
    RemoveSkinHook();
    ASSERT_TRUE(gBox.found) << "the box showed";
    EXPECT_EQ(gBox.icons, 1) << ProgramSkinName(s);
    EXPECT_GE(gBox.texts, 1) << ProgramSkinName(s);
    EXPECT_EQ(gBox.buttons, 1) << ProgramSkinName(s);
  }
}
