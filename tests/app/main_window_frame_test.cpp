// The main window's skinned frame handled as a user handles it, in both
// skins, with synthetic mouse messages: dragged by its caption and sized by
// its bottom-right corner (the frame's outline drag), maximised and
// restored by its title button, the frame painted anew at each size.
// Screenshots of each step go to build/win/screenshots.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "app/image_form.h"
#include "fw/controls_test_util.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/outline_drag.h"
#include "skin/forms/skin_provider.h"

using namespace app;

namespace {

fw::TRect RectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

// The left button goes down at `from` (screen) on the element `code`, the
// mouse moves (under the capture, in client coordinates) to `to` and the
// button comes up there.
void Drag(HWND wnd, int code, POINT from, POINT to) {
  SendMessageW(wnd, WM_NCLBUTTONDOWN, WPARAM(code), MAKELPARAM(from.x, from.y));
  for (POINT p : {from, to}) {
    ScreenToClient(wnd, &p);
    SendMessageW(wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  }
  POINT c = to;
  ScreenToClient(wnd, &c);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
  fwtest::Pump(100);
}

// A click on a title button: pressed there, released there under the
// capture (client coordinates).
void ClickTitleButton(HWND wnd, int code, const fw::TRect& button) {
  const fw::TRect w = RectOf(wnd);
  POINT at{w.Left + (button.Left + button.Right) / 2, w.Top + (button.Top + button.Bottom) / 2};
  SendMessageW(wnd, WM_NCLBUTTONDOWN, WPARAM(code), MAKELPARAM(at.x, at.y));
  ScreenToClient(wnd, &at);
  SendMessageW(wnd, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  fwtest::Pump(100);
}

// The pixels of the window's title bar and menu line, as far as they are on
// the screen, that differ from the form image the provider holds: none when
// the screen shows the skin's frame, most when it shows the system's.
int TitleMismatches(skin::TkSkinProvider* p, HWND wnd) {
  RECT w{};
  GetWindowRect(wnd, &w);
  POINT client{0, 0};
  ClientToScreen(wnd, &client);
  const std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(wnd);
  // The screenshot's first pixel in window coordinates (a maximised window
  // starts off the screen).
  const int sx = std::max<int>(0, GetSystemMetrics(SM_XVIRTUALSCREEN) - w.left);
  const int sy = std::max<int>(0, GetSystemMetrics(SM_YVIRTUALSCREEN) - w.top);
  const HDC image = p->FormImage().Canvas()->Handle();
  // The frame's rounded corners lie outside the window's region.
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool hasRegion = GetWindowRgn(wnd, region) != ERROR;
  int differing = 0;
  for (int y = sy; y < client.y - w.top && y - sy < shot->Height(); ++y) {
    const auto* row = static_cast<const uint8_t*>(shot->ScanLine(y - sy));
    for (int x = sx; x - sx < shot->Width(); ++x) {
      const uint8_t* px = row + (x - sx) * 3;
      if (hasRegion && !PtInRegion(region, x, y)) continue;
      if (RGB(px[2], px[1], px[0]) != (GetPixel(image, x, y) & 0xFFFFFF)) ++differing;
    }
  }
  DeleteObject(region);
  return differing;
}

void Screenshot(skin::TkSkinProvider* p, HWND wnd, const std::string& name) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  fwtest::Pump(300);
  int differing = 0;
  EXPECT_TRUE(fwtest::PumpUntil([&] { return (differing = TitleMismatches(p, wnd)) == 0; }, 10000))
      << name << ": " << differing << " pixels of the title bar and menu line on the screen are not the skin's";
  EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(wnd).get(), scenarios::ScreenshotPath(name + ".png")))
      << name;
}

void ExpectImageFits(skin::TkSkinProvider* p, HWND wnd, const char* what) {
  const fw::TRect r = RectOf(wnd);
  EXPECT_EQ(p->FormImage().Width(), r.Width()) << what;
  EXPECT_EQ(p->FormImage().Height(), r.Height()) << what;
}

TEST(MainWindowFrame, DraggedSizedMaximisedAndRestoredInBothSkins) {
  apptest::AppDataFolder appData{"main_window_frame"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  auto f = apptest::ShowMainWindow();
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000));
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
  const HWND wnd = f->Handle();
  // The frame's own outline drag: the system's move and size loop cannot be
  // led by posted messages under Wine. The outline is drawn as with window
  // contents shown while dragging.
  provider->ResizeMode = skin::rmBorder;
  struct FullDrag {
    bool (*saved)() = skin::DragFullWindowsQuery;
    FullDrag() { skin::DragFullWindowsQuery = [] { return true; }; }
    ~FullDrag() { skin::DragFullWindowsQuery = saved; }
  } fullDrag;
  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    const std::string skin = name[0] == u'S' ? "sapphire" : "topaz";
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    SetWindowPos(wnd, nullptr, 30, 30, 640, 480, SWP_NOZORDER);
    SetForegroundWindow(wnd);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->FormActive(); }, 20000));
    fwtest::Pump(100);

    // Dragged by the caption.
    fw::TRect before = RectOf(wnd);
    const int captionY = before.Top + GetSystemMetrics(SM_CYFRAME) + 8;
    ASSERT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(before.Left + 200, captionY)), HTCAPTION);
    Drag(wnd, HTCAPTION, {before.Left + 200, captionY}, {before.Left + 260, captionY + 40});
    EXPECT_EQ(RectOf(wnd), fw::Rect(before.Left + 60, before.Top + 40, before.Right + 60, before.Bottom + 40)) << skin;
    Screenshot(provider, wnd, "main_window_" + skin + "_dragged");

    // Sized by the bottom-right corner: the frame is built at the new size.
    before = RectOf(wnd);
    POINT corner{before.Right - 2, before.Bottom - 2};
    ASSERT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(corner.x, corner.y)), HTBOTTOMRIGHT);
    const int builds = provider->BuildCount();
    Drag(wnd, HTBOTTOMRIGHT, corner, {corner.x + 80, corner.y + 50});
    const fw::TRect sized = RectOf(wnd);
    EXPECT_EQ(sized, fw::Rect(before.Left, before.Top, before.Right + 80, before.Bottom + 50)) << skin;
    EXPECT_GT(provider->BuildCount(), builds);
    ExpectImageFits(provider, wnd, "sized");
    Screenshot(provider, wnd, "main_window_" + skin + "_sized");

    // Maximised and restored by the title button.
    ClickTitleButton(wnd, HTMAXBUTTON, provider->ImageInput().Layout.Max.Rect);
    ASSERT_TRUE(IsZoomed(wnd)) << skin;
    EXPECT_TRUE(provider->ImageInput().Frame.Zoomed);
    ExpectImageFits(provider, wnd, "maximised");
    Screenshot(provider, wnd, "main_window_" + skin + "_maximized");
    ClickTitleButton(wnd, HTMAXBUTTON, provider->ImageInput().Layout.Max.Rect);
    EXPECT_FALSE(IsZoomed(wnd)) << skin;
    EXPECT_EQ(RectOf(wnd), sized) << skin;
    ExpectImageFits(provider, wnd, "restored");
    Screenshot(provider, wnd, "main_window_" + skin + "_restored");
  }
}

}  // namespace
