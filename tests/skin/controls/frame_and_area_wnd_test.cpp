// The frame-only adapters (a search box and an edged static keep their own
// content inside the skin's frame), the size grip (glyph over what lies
// behind, the bottom-right hit, a press sizing the top-level window) and
// the see-through dialog page (its child windows left alone).
#include <gtest/gtest.h>

#include "skin/controls/dialog_area_wnd.h"
#include "skin/controls/frame_only_wnd.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

constexpr COLORREF kContent = RGB(10, 200, 30);

// A window that fills its client area with one colour, as a search box
// paints its own content.
LRESULT CALLBACK ContentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_PAINT) {
    PAINTSTRUCT ps{};
    HDC dc = w ? reinterpret_cast<HDC>(w) : BeginPaint(h, &ps);
    RECT r{};
    GetClientRect(h, &r);
    HBRUSH b = CreateSolidBrush(kContent);
    FillRect(dc, &r, b);
    DeleteObject(b);
    if (!w) EndPaint(h, &ps);
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

const wchar_t* ContentClass() {
  static const ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ContentProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlOwnContent";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return L"VlOwnContent";
}

COLORREF ScreenPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return c;
}

std::vector<UINT_PTR> gSysCommands;
WNDPROC gHostProc = nullptr;
LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SYSCOMMAND) {
    gSysCommands.push_back(w);
    return 0;  // no sizing loop in the test
  }
  return CallWindowProcW(gHostProc, h, m, w, l);
}

}  // namespace

TEST(SearchWnd, OnlyTheOuterThreePixelsAreTheSkins) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND box = host.Child(ContentClass(), L"", 0, 10, 10, 120, 24);
  std::unique_ptr<TkcSearchWnd> a(AttachAdapter<TkcSearchWnd>(box, [&] { return skin.get(); }, {}));
  for (int i = 0; i < 2; ++i) {  // also after the content repaints itself
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(fw::TColor(ScreenPixel(box, 1, 1)), kCheckBox);
    EXPECT_EQ(fw::TColor(ScreenPixel(box, 2, 12)), kCheckBox);
    EXPECT_EQ(ScreenPixel(box, 3, 12), kContent);
    EXPECT_EQ(ScreenPixel(box, 60, 12), kContent);
  }
  DestroyWindow(box);
  EXPECT_TRUE(a->Destroyed);
}

TEST(EdgeWnd, TheStaticKeepsItsContentInsideATwoPixelFrame) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  Host host;
  HWND edged = host.Child(ContentClass(), L"", 0, 10, 10, 60, 40);
  TkcSkinParams p;
  p.SkinSection = u"EDIT";
  std::unique_ptr<TkcEdgeWnd> a(AttachAdapter<TkcEdgeWnd>(edged, [&] { return skin.get(); }, p));
  RedrawWindow(edged, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(fw::TColor(ScreenPixel(edged, 0, 20)), kEdit);
  EXPECT_EQ(fw::TColor(ScreenPixel(edged, 1, 20)), kEdit);
  EXPECT_EQ(ScreenPixel(edged, 2, 20), kContent);
  EXPECT_EQ(ScreenPixel(edged, 30, 20), kContent);
  a.reset();
  RedrawWindow(edged, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  EXPECT_EQ(ScreenPixel(edged, 0, 20), kContent) << "removal restores";
}

TEST(SizerWnd, GlyphOverWhatLiesBehindAndSizingFromTheCorner) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND grip = host.Child(L"SCROLLBAR", L"", SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 200, 150, 16, 16);
  std::unique_ptr<TkcSizerWnd> a(AttachAdapter<TkcSizerWnd>(grip, [&] { return skin.get(); }, {}));
  EXPECT_EQ(SendMessageW(grip, WM_NCHITTEST, 0, MAKELPARAM(205, 155)), HTBOTTOMRIGHT);
  const TPixelBuffer image = Print(grip);
  EXPECT_EQ(ColorAt(image, 15, 15), kGrip) << "the glyph at the bottom-right";
  EXPECT_EQ(ColorAt(image, 1, 1), kHost) << "what lies behind around it";
  gSysCommands.clear();
  gHostProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(host.wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
  SendMessageW(grip, WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, MAKELPARAM(205, 155));
  SetWindowLongPtrW(host.wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(gHostProc));
  ASSERT_EQ(gSysCommands.size(), 1u);
  EXPECT_EQ(gSysCommands[0], UINT_PTR(SC_SIZE | WMSZ_BOTTOMRIGHT)) << "the dialog is sized from its corner";
}

TEST(TransPanelWnd, SeeThroughExceptOverItsChildren) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND page = host.Child(L"STATIC", L"", 0, 10, 10, 200, 120);
  CreateWindowExW(0, L"BUTTON", L"Child", WS_CHILD | WS_VISIBLE, 100, 60, 60, 20, page, nullptr,
                  GetModuleHandleW(nullptr), nullptr);
  TkcSkinParams p;
  p.SkinSection = u"NOSUCHSECTION";
  std::unique_ptr<TkcTransPanelWnd> a(AttachAdapter<TkcTransPanelWnd>(page, [&] { return skin.get(); }, p));
  const fw::TColor sentinel = 0x123456;
  const TPixelBuffer image = Print(page, Px(sentinel));
  EXPECT_EQ(ColorAt(image, 5, 5), kHost) << "what lies behind the page";
  EXPECT_EQ(ColorAt(image, 130, 70), sentinel) << "the child paints itself";
  DestroyWindow(page);
  EXPECT_TRUE(a->Destroyed);
}

// The four adapters in the program's skins, each with its golden: the
// search box and the edged static (their own content inside the skin's
// frame), the size grip and the see-through page with a child; removal
// gives each window back, destruction while attached leaves the adapter
// detached.
TEST(SearchWnd, FramesGripAndSeeThroughPageInTheProgramSkins) {
  // The program's skins share these sections.
  const uint64_t golden[2][4] = {{17624277249731052291ull, 6438292926526575919ull, 641311558258568427ull, 2511423677758988291ull},
                                 {17624277249731052291ull, 6438292926526575919ull, 641311558258568427ull, 2511423677758988291ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    auto source = [&] { return skin.get(); };
    Host host;
    HWND box = host.Child(ContentClass(), L"", 0, 10, 10, 120, 24);
    HWND edged = host.Child(ContentClass(), L"", 0, 10, 40, 60, 40);
    HWND grip = host.Child(L"SCROLLBAR", L"", SBS_SIZEGRIP | SBS_SIZEBOXBOTTOMRIGHTALIGN, 200, 150, 16, 16);
    HWND page = host.Child(L"STATIC", L"", 0, 140, 10, 120, 80);
    CreateWindowExW(0, ContentClass(), L"", WS_CHILD | WS_VISIBLE, 40, 30, 40, 20, page, nullptr,
                    GetModuleHandleW(nullptr), nullptr);
    TkcSkinParams edit;
    edit.SkinSection = u"EDIT";
    auto* a = AttachAdapter<TkcSearchWnd>(box, source, {});
    auto* b = AttachAdapter<TkcEdgeWnd>(edged, source, edit);
    auto* c = AttachAdapter<TkcSizerWnd>(grip, source, {});
    auto* d = AttachAdapter<TkcTransPanelWnd>(page, source, {});
    const HWND windows[] = {box, edged, grip, page};
    std::vector<TPixelBuffer> looks;
    for (int i = 0; i < 4; ++i) {
      looks.push_back(Print(windows[i], Px(0x123456)));
      EXPECT_EQ(CountPixels(View32(looks.back()), 0xFF00FF), 0) << ProgramSkinName(s) << " look " << i;
      EXPECT_EQ(PixelChecksum(View32(looks.back())), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    }
    EXPECT_EQ(ColorAt(looks[0], 60, 12), fw::TColor(kContent)) << "the box's own content";
    EXPECT_EQ(ColorAt(looks[1], 30, 20), fw::TColor(kContent)) << "the static's own content";
    WriteRow(looks, std::string("frames_grip_page_") + ProgramSkinName(s) + ".png", 2);
    // Removal: the search box and the page paint themselves again.
    delete a;
    delete d;
    EXPECT_EQ(GetWindowAdapter(box), nullptr);
    EXPECT_EQ(GetWindowAdapter(page), nullptr);
    EXPECT_EQ(ColorAt(Print(box, Px(0x123456)), 1, 1), fw::TColor(0x123456)) << "no frame after removal";
    DestroyWindow(grip);
    DestroyWindow(edged);
    EXPECT_TRUE(c->Destroyed);
    EXPECT_TRUE(b->Destroyed);
    delete c;
    delete b;
  }
}
