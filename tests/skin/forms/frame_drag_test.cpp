// Dragging and sizing a skinned window by its outline (ResizeMode rmBorder)
// with synthetic mouse messages: the grabbed edge is the one sized, the
// smallest size holds, a Ctrl release ends the drag, a lost capture leaves
// the window and gives everything back.
#include <gtest/gtest.h>

#include "skin/forms/core/border_tracking.h"
#include "skin/forms/outline_drag.h"
#include "fw/stdctrls/panel.h"
#include "skin/forms/skinned_form.h"

namespace skin {
namespace {

// The system shows window contents while dragging (Wine says it does not).
struct DragFullWindows {
  bool (*saved)() = DragFullWindowsQuery;
  DragFullWindows() {
    DragFullWindowsQuery = [] { return true; };
  }
  ~DragFullWindows() { DragFullWindowsQuery = saved; }
};

fw::TRect RectOf(const RECT& r) { return fw::Rect(r.left, r.top, r.right, r.bottom); }

struct OutlineForm : SkinnedForm {
  DragFullWindows full;
  OutlineForm() : SkinnedForm(0) {
    provider->ResizeMode = rmBorder;
    form->Constraints()->SetMinWidth(200);
    form->Constraints()->SetMinHeight(150);
  }
  // Mouse down at a point of the window (screen), moves, release.
  void Drag(int code, int x, int y, std::initializer_list<POINT> moves, WPARAM releaseKeys = 0) {
    const LPARAM at = ScreenPoint(x, y);
    SendMessageW(wnd(), WM_NCLBUTTONDOWN, WPARAM(code), at);
    POINT last{short(LOWORD(at)), short(HIWORD(at))};
    for (POINT m : moves) {
      last = {short(LOWORD(at)) + m.x, short(HIWORD(at)) + m.y};
      POINT c = last;
      ScreenToClient(wnd(), &c);
      SendMessageW(wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
    }
    POINT c = last;
    ScreenToClient(wnd(), &c);
    SendMessageW(wnd(), WM_LBUTTONUP, releaseKeys, MAKELPARAM(c.x, c.y));
  }
};

TEST(FrameDrag, MovingByTheCaptionMovesTheWindowOnceAtTheEnd) {
  OutlineForm f;
  const RECT before = f.WindowRect();
  const LPARAM at = f.ScreenPoint(150, 10);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCAPTION, at);
  ASSERT_TRUE(BorderTracking.Active);
  EXPECT_TRUE(BorderTracking.Moving);
  EXPECT_EQ(GetCapture(), f.wnd());
  POINT c{short(LOWORD(at)) + 30, short(HIWORD(at)) + 20};
  ScreenToClient(f.wnd(), &c);
  SendMessageW(f.wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
  EXPECT_EQ(RectOf(f.WindowRect()), RectOf(before)) << "only the outline moves meanwhile";
  EXPECT_EQ(BorderTracking.Left, before.left + 30);
  // Ctrl held at the release: the drag still ends.
  SendMessageW(f.wnd(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(c.x, c.y));
  EXPECT_FALSE(BorderTracking.Active);
  EXPECT_EQ(BorderTracking.DesktopDC, nullptr);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(IsIconic(f.wnd()));
  EXPECT_EQ(RectOf(f.WindowRect()), fw::Rect(before.left + 30, before.top + 20, before.right + 30, before.bottom + 20));
}

TEST(FrameDrag, AWindowInsideAnotherIsPlacedInItsParentsCoordinates) {
  // As an MDI child lies in its frame: the outline follows the mouse on the
  // screen, the window lands where the outline was, inside its parent.
  OutlineForm f;
  HWND host = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 60, 50, 700, 500, nullptr, nullptr, nullptr,
                              nullptr);
  SetWindowLongPtrW(f.wnd(), GWL_STYLE, (GetWindowLongPtrW(f.wnd(), GWL_STYLE) & ~LONG_PTR(WS_POPUP)) | WS_CHILD);
  SetParent(f.wnd(), host);
  SetWindowPos(f.wnd(), nullptr, 20, 30, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  f.Drag(HTCAPTION, 150, 10, {{30, 20}});
  RECT r = f.WindowRect();
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(RectOf(r), fw::Rect(50, 50, 450, 350)) << "moved";
  f.Drag(HTBOTTOMRIGHT, 398, 298, {{0, 0}, {40, 25}});
  r = f.WindowRect();
  MapWindowPoints(nullptr, host, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(RectOf(r), fw::Rect(50, 50, 490, 375)) << "sized";
  SetParent(f.wnd(), nullptr);
  SetWindowLongPtrW(f.wnd(), GWL_STYLE, (GetWindowLongPtrW(f.wnd(), GWL_STYLE) & ~LONG_PTR(WS_CHILD)) | WS_POPUP);
  DestroyWindow(host);
}

TEST(FrameDrag, EachEdgeSizesItsOwnSide) {
  OutlineForm f;
  struct Case {
    int code, x, y;
  } cases[] = {{HTLEFT, 1, 150},      {HTRIGHT, 398, 150},     {HTTOP, 200, 1},         {HTBOTTOM, 200, 298},
               {HTTOPLEFT, 1, 1},     {HTTOPRIGHT, 398, 1},    {HTBOTTOMLEFT, 1, 298},  {HTBOTTOMRIGHT, 398, 298}};
  for (const Case& c : cases) {
    SetWindowPos(f.wnd(), nullptr, 100, 80, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT before = f.WindowRect();
    // The first move marks where the drag starts, the second sizes.
    f.Drag(c.code, c.x, c.y, {{0, 0}, {-25, 15}});
    EXPECT_FALSE(BorderTracking.Active);
    const fw::TRect expected = SizedTrackRect(RectOf(before), {0, 0}, {-25, 15}, c.code, 200, 150);
    EXPECT_EQ(RectOf(f.WindowRect()), expected) << "edge " << c.code;
  }
  // Dragged beyond the smallest size, the edge stops there.
  SetWindowPos(f.wnd(), nullptr, 100, 80, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
  f.Drag(HTLEFT, 1, 150, {{0, 0}, {350, 0}});
  EXPECT_EQ(RectOf(f.WindowRect()), fw::Rect(500 - 200, 80, 500, 380));
}

TEST(FrameDrag, ALostCaptureEndsTheDragAndLeavesTheWindow) {
  OutlineForm f;
  const RECT before = f.WindowRect();
  const LPARAM at = f.ScreenPoint(398, 150);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTRIGHT, at);
  ASSERT_TRUE(BorderTracking.Active);
  EXPECT_EQ(BorderTracking.EdgeHitCode, HTRIGHT) << "the grabbed edge is kept";
  EXPECT_NE(BorderTracking.DesktopDC, nullptr);
  POINT c{short(LOWORD(at)) + 40, short(HIWORD(at))};
  ScreenToClient(f.wnd(), &c);
  SendMessageW(f.wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x - 40, c.y));
  SendMessageW(f.wnd(), WM_MOUSEMOVE, 0, MAKELPARAM(c.x, c.y));
  ReleaseCapture();
  EXPECT_FALSE(BorderTracking.Active);
  EXPECT_EQ(BorderTracking.DesktopDC, nullptr);
  EXPECT_EQ(RectOf(f.WindowRect()), RectOf(before));
  // A release afterwards moves nothing.
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, MAKELPARAM(c.x, c.y));
  EXPECT_EQ(RectOf(f.WindowRect()), RectOf(before));
}

TEST(FrameDrag, FindControlByDialogIdentifierSearchesDepthFirst) {
  SkinnedForm f(0);
  auto* outer = new fw::TPanel(f.form.form);
  outer->SetParent(f.form.form);
  auto* inner = new fw::TPanel(outer);
  inner->SetParent(outer);
  auto* later = new fw::TPanel(f.form.form);
  later->SetParent(f.form.form);
  SetWindowLongPtrW(outer->Handle(), GWLP_ID, 501);
  SetWindowLongPtrW(inner->Handle(), GWLP_ID, 502);
  SetWindowLongPtrW(later->Handle(), GWLP_ID, 502);
  EXPECT_EQ(FindControlByDlgID(502, f.form.form), inner) << "owned by the panel, found inside it before the next";
  EXPECT_EQ(FindControlByDlgID(501, f.form.form), outer);
  EXPECT_EQ(FindControlByDlgID(0x7FFF, f.form.form), nullptr);
}

TEST(FrameDrag, SetWindowBlendTable) {
  SkinnedForm f(0);
  const HWND w = f.wnd();
  EXPECT_TRUE(SetWindowBlend(w, true, 100)) << "made layered";
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(w, nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 100);
  EXPECT_FALSE(SetWindowBlend(w, true, 200)) << "already layered: only the alpha";
  GetLayeredWindowAttributes(w, nullptr, &alpha, &flags);
  EXPECT_EQ(alpha, 200);
  EXPECT_FALSE(SetWindowBlend(w, false, 1));
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_STYLE) & WS_VISIBLE) << "counts as hidden";
  EXPECT_FALSE(GetWindowLongPtrW(w, GWL_EXSTYLE) & WS_EX_LAYERED);
  SetWindowLongPtrW(w, GWL_STYLE, GetWindowLongPtrW(w, GWL_STYLE) | WS_VISIBLE);
}

}  // namespace
}  // namespace skin
