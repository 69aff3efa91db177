// A dialog's tool bar under its adapter: each button from "TOOLBUTTON" in
// its look (normal, pressed, disabled faded into the bar), the bar's own
// section elsewhere, no frame without a client edge; removal restores.
#include "skin/controls/tool_bar_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "skin/controls/scroll_wnd.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

TEST(ToolBarWnd, ButtonsInTheirLooksOverTheBar) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
  InitCommonControlsEx(&icc);
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host(400, 200);
  HWND bar = host.Child(TOOLBARCLASSNAMEW, L"", CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_FLAT, 10, 10, 300, 30);
  SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  TBBUTTON buttons[4] = {};
  const BYTE states[] = {TBSTATE_ENABLED, TBSTATE_ENABLED | TBSTATE_PRESSED, 0, TBSTATE_ENABLED};
  for (int i = 0; i < 4; ++i) {
    buttons[i].iBitmap = I_IMAGENONE;
    buttons[i].idCommand = 100 + i;
    buttons[i].fsState = states[i];
    buttons[i].fsStyle = i == 3 ? BTNS_SEP : BTNS_BUTTON;
  }
  SendMessageW(bar, TB_ADDBUTTONSW, 4, reinterpret_cast<LPARAM>(buttons));
  const auto old = ScrollCursorPos;
  ScrollCursorPos = [] { return POINT{-1000, -1000}; };
  TkcSkinParams p;
  p.SkinSection = u"CHECKBOX";
  auto* a = AttachAdapter<TkcToolBarWnd>(bar, [&] { return skin.get(); }, p);
  ASSERT_EQ(a->Count(), 4);
  const TPixelBuffer image = Print(bar);
  auto centre = [&](int i) {
    const fw::TRect r = a->GetButtonRect(i);
    return ColorAt(image, (r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  EXPECT_EQ(centre(0), kToolButton);
  EXPECT_EQ(centre(1), Hot(kToolButton)) << "pressed";
  const fw::TColor disabled = centre(2);
  for (int shift : {0, 8, 16}) {
    const int c = (kToolButton >> shift) & 0xFF, b = (kCheckBox >> shift) & 0xFF;
    EXPECT_NEAR(int((disabled >> shift) & 0xFF), int(b - (b - c) * 0.4), 1) << "disabled: 40 % of the button";
  }
  EXPECT_EQ(ColorAt(image, 295, 15), kCheckBox) << "the bar's own section right of the buttons";
  EXPECT_EQ(centre(3), kCheckBox) << "a separator without a divider in the skin";
  // No client edge: the non-client area is not painted.
  HDC dc = GetWindowDC(bar);
  SetPixel(dc, 0, 0, RGB(1, 2, 3));
  SendMessageW(bar, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3));
  ReleaseDC(bar, dc);
  const auto proc = GetWindowLongPtrW(bar, GWLP_WNDPROC);
  delete a;
  EXPECT_NE(GetWindowLongPtrW(bar, GWLP_WNDPROC), proc) << "removal gives the procedure back";
  EXPECT_EQ(GetWindowAdapter(bar), nullptr);
  ScrollCursorPos = old;
}
