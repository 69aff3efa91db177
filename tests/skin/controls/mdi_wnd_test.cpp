// An MDI client window under its adapter: the area and frame from the skin,
// nothing painted over a maximised child, the contents still while the
// thumb is dragged and scrolled once, in the client's own units, when it is
// let go; what lies behind it asked of the form at its client area's place;
// goldens of the program's skins.
#include "skin/controls/mdi_wnd.h"

#include "skin/controls/mdi_form.h"

#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

LRESULT CALLBACK ChildProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefMDIChildProcW(h, m, w, l); }

struct Mdi {
  std::unique_ptr<TkLoadedSkin> skin;
  Host host{320, 240};
  HWND client = nullptr;
  TkcMDIWnd* a = nullptr;
  explicit Mdi(std::unique_ptr<TkLoadedSkin> s = SyntheticControlSkin()) : skin(std::move(s)) {
    static ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = ChildProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VlMdiChild";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    CLIENTCREATESTRUCT ccs{nullptr, 0xFF00};
    client = CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr,
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL, 10, 10, 280, 200,
                             host.wnd, nullptr, GetModuleHandleW(nullptr), &ccs);
  }
  void Attach() {
    TkcSkinParams p;
    p.SkinSection = u"CHECKBOX";
    a = AttachAdapter<TkcMDIWnd>(client, [this] { return skin.get(); }, p);
  }
  HWND AddChild(int x, int y) {
    MDICREATESTRUCTW mcs{L"VlMdiChild", L"child", GetModuleHandleW(nullptr), x, y, 100, 60, 0, 0};
    HWND child = reinterpret_cast<HWND>(SendMessageW(client, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
    SendMessageW(client, 0x3F, 0, 0);  // the client measures its scroll range now
    return child;
  }
  ~Mdi() { delete a; }
};

POINT ChildPos(HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT p{r.left, r.top};
  ScreenToClient(GetParent(child), &p);
  return p;
}

}  // namespace

TEST(MDIWnd, ThumbScrollsOnceWhenLetGo) {
  Mdi m;
  m.Attach();
  HWND child = m.AddChild(10, 400);
  ASSERT_TRUE(child);
  SCROLLINFO si{sizeof(si), SIF_ALL};
  ASSERT_TRUE(GetScrollInfo(m.client, SB_VERT, &si));
  ASSERT_GT(si.nMax - si.nMin, 0) << "a child below the area gives a range";
  for (int code = 0; code <= 8; ++code)
    EXPECT_EQ(SendMessageW(m.client, WM_SKINCOMMAND, SkinCommand(SKC_BEFORESCROLL), MAKELPARAM(code, WM_VSCROLL)),
              code == SB_THUMBPOSITION || code == SB_THUMBTRACK ? 1 : 0)
        << code;
  const POINT before = ChildPos(child);
  SendMessageW(m.client, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 60), 0);
  EXPECT_EQ(ChildPos(child).y, before.y) << "nothing moves while dragged";
  const int pos = si.nMin + 60;
  SendMessageW(m.client, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, pos), 0);
  si = SCROLLINFO{sizeof(si), SIF_ALL};
  GetScrollInfo(m.client, SB_VERT, &si);
  EXPECT_EQ(si.nPos, pos) << "the client keeps the position";
  EXPECT_EQ(ChildPos(child).y, before.y - (pos - 0)) << "moved once by the distance";
}

TEST(MDIWnd, AreaAndFrameFromTheSkinAndNothingOverAMaximisedChild) {
  Mdi m;
  skin::TkGeneralData area;
  area.ClassName = u"MDIAREA";
  area.States = 1;
  area.Props[0].Color = area.Props[1].Color = 0x608040;
  m.skin->gd.push_back(area);
  m.Attach();
  TPixelBuffer shown = Print(m.client);
  EXPECT_EQ(View32(shown).Pixel(0, 0), Px(0x608040)) << "the frame";
  EXPECT_EQ(View32(shown).Pixel(100, 100), Px(0x608040)) << "the area";
  m.skin->gd.pop_back();
  shown = Print(m.client);
  EXPECT_EQ(View32(shown).Pixel(100, 100), Px(kMain)) << "without the section: the form's colour";

  HWND child = m.AddChild(10, 10);
  SendMessageW(m.client, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child), 0);
  ASSERT_TRUE(m.a->ChildMaximized());
  TPixelBuffer sentinel = Print(m.client, 0x00FF00);
  EXPECT_EQ(CountPixels(View32(sentinel), 0x00FF00), sentinel.Width() * sentinel.Height()) << "printed nothing";
  HDC dc = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(dc);
  HBITMAP bmp = CreateCompatibleBitmap(dc, 50, 50);
  ReleaseDC(nullptr, dc);
  HGDIOBJ old = SelectObject(mem, bmp);
  SetPixel(mem, 5, 5, RGB(1, 2, 3));
  EXPECT_EQ(SendMessageW(m.client, WM_ERASEBKGND, reinterpret_cast<WPARAM>(mem), 0), 1);
  EXPECT_EQ(GetPixel(mem, 5, 5), RGB(1, 2, 3)) << "erased nothing";
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
}

TEST(MDIWnd, GoldensOfTheProgramSkinsAndTheWindowGivenBack) {
  // Neither skin has an MDI area: the form colour and the bars, alike in both.
  const uint64_t golden[2] = {3047890961591923275ull, 3047890961591923275ull};
  std::vector<TPixelBuffer> shown;
  for (int s = 0; s < 2; ++s) {
    Mdi m(ProgramSkin(s));
    ASSERT_TRUE(m.skin);
    const LONG_PTR own = GetWindowLongPtrW(m.client, GWLP_WNDPROC);
    m.Attach();
    shown.push_back(Print(m.client));
    EXPECT_EQ(PixelChecksum(View32(shown.back())), golden[s]) << ProgramSkinName(s);
    delete m.a;
    m.a = nullptr;
    EXPECT_EQ(GetWindowLongPtrW(m.client, GWLP_WNDPROC), own);
    m.Attach();
    DestroyWindow(m.client);
    EXPECT_TRUE(m.a->Destroyed) << "destroyed while attached";
  }
  WriteRow(shown, "mdi_client.png", 1);
}

TEST(MDIWnd, ArrangingChildrenOrChangingTheMenuDrawsTheMenuLineAgain) {
  Mdi m;
  TkMDIForm support(nullptr, nullptr, m.client, [&] { return m.skin.get(); });
  int repaints = 0;
  support.RepaintMenu = [&] { ++repaints; };
  support.RefreshMDIScrolls();
  ASSERT_NE(support.ListSW(), nullptr);
  HWND child = m.AddChild(10, 10);
  SendMessageW(m.client, WM_MDICASCADE, 0, 0);
  EXPECT_EQ(repaints, 1);
  EXPECT_FALSE(GetWindowLongPtrW(child, GWL_STYLE) & WS_SYSMENU) << "the active child's system menu is the frame's";
  SendMessageW(m.client, WM_MDITILE, MDITILE_VERTICAL, 0);
  EXPECT_EQ(repaints, 2);
  SendMessageW(m.client, WM_MDISETMENU, 0, 0);
  EXPECT_EQ(repaints, 3);
}

TEST(MDIWnd, TheFormIsAskedWhatLiesBehindAtTheClientAreasPlace) {
  Mdi m;
  m.Attach();
  // The client window at (10, 10) of the form with a 2-pixel edge: its
  // client area lies at (12, 12) of the form's.
  TkcBackgroundInfo info;
  info.Offset = fw::TPoint{5, 6};
  ASSERT_TRUE(RequestBackgroundWnd(info, m.client, false));
  EXPECT_EQ(info.BgType, btFill);
  EXPECT_EQ(info.Color, kHost) << "the form answered";
  EXPECT_EQ(info.Offset.x, 5 + 12);
  EXPECT_EQ(info.Offset.y, 6 + 12);
}
