// The skin commands every adapter answers alike beyond its own: a new
// section by name, the background colour (the window's own answer first,
// else the section's), the application object, and a held-back repaint
// once the skin is applied.
#include <gtest/gtest.h>

#include "fw/controls_test_util.h"
#include "fw/graphics/graphics.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/skin_messages.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

LRESULT gOwnColour = 0;
int gPaints = 0;

LRESULT CALLBACK AnsweringProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND && SkinCommandCode(w) == SKC_GETBGCOLOR) return gOwnColour;
  if (m == WM_PAINT) ++gPaints;
  return DefWindowProcW(h, m, w, l);
}

HWND AnsweringWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = AnsweringProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlAdapterAnswering";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"VlAdapterAnswering", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

LRESULT Command(HWND h, WORD code, LPARAM l = 0) { return SendMessageW(h, WM_SKINCOMMAND, SkinCommand(code), l); }

}  // namespace

TEST(AdapterCommands, SectionBackgroundColourAndApplication) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND h = AnsweringWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, [&] { return skin.get(); }, TkcSkinParams{});
  gOwnColour = 0;
  EXPECT_EQ(Command(h, SKC_GETBGCOLOR), 0) << "no section, no answer of its own";
  EXPECT_EQ(Command(h, SKC_SETSECTION, 0), 0) << "no section given";
  TkcSectionInfo info;
  info.Name = u"SCROLLBAR2H";
  EXPECT_EQ(Command(h, SKC_SETSECTION, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(a->SkinSection(), u"SCROLLBAR2H");
  EXPECT_EQ(fw::TColor(Command(h, SKC_GETBGCOLOR)), skintest::kTrack2) << "the section's colour";
  gOwnColour = 0x123456;
  EXPECT_EQ(Command(h, SKC_GETBGCOLOR), 0x123456) << "the window's own answer first";
  EXPECT_EQ(Command(h, SKC_GETAPPLICATION), reinterpret_cast<LRESULT>(fw::Application));
  delete a;
  DestroyWindow(h);
}

TEST(AdapterCommands, AHeldBackRepaintComesWhenTheSkinIsApplied) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND h = AnsweringWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, [&] { return skin.get(); }, TkcSkinParams{});
  fwtest::Pump();
  gPaints = 0;
  Command(h, SKC_UPDATEDONE);
  EXPECT_EQ(gPaints, 0) << "nothing held back";
  SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_SETUPDATING, 1), 0);
  EXPECT_EQ(Command(h, SKC_QUERYUPDATING), 1);
  Command(h, SKC_UPDATEDONE);
  EXPECT_EQ(gPaints, 1) << "painted at once";
  EXPECT_EQ(Command(h, SKC_QUERYUPDATING), 0);
  delete a;
  DestroyWindow(h);
}
