// Windows with scroll bars under the scroll-bar adapter: the room the
// skinned bars take, the hit test, presses with their repeat (timers sent
// by the test), the thumb drag up to the last position with the scroll
// messages the window receives, an unusable bar faded and deaf, and a list
// view that never shows the system's bar, whatever scrolled it; both bars
// in each state in both program skins against golden pictures; the
// release ending a scroll kept from another maker's image view only; the
// picture behind the bars of a framed window read where the bars lie.
#include "skin/controls/scroll_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/controls_test_util.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"
#include "skin/controls/base_wnd.h"
#include "skin/engine/background_request.h"
#include "skin/engine/core/gradient.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

// A framework control with a vertical bar that counts its button releases.
class TReleaseCounter : public fw::TCustomControl {
  FW_CLASS(TReleaseCounter, fw::TCustomControl)
 public:
  explicit TReleaseCounter(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  int Releases = 0;

 protected:
  void CreateParams(fw::TCreateParams& Params) override {
    fw::TCustomControl::CreateParams(Params);
    Params.Style |= WS_VSCROLL;
  }
  void WndProc(fw::TMessage& Message) override {
    if (Message.Msg == WM_LBUTTONUP) ++Releases;
    fw::TCustomControl::WndProc(Message);
  }
};

// Another maker's image view, known to the adapter by its class name.
class TImageEnView : public TReleaseCounter {
  FW_CLASS(TImageEnView, TReleaseCounter)
 public:
  explicit TImageEnView(fw::TComponent* AOwner) : TReleaseCounter(AOwner) {}
};

}  // namespace

FW_REGISTER(TReleaseCounter) {}
FW_REGISTER(TImageEnView) {}

namespace {

std::vector<std::string> gScrolls;
int gStyleChanges = 0;
int gSysCommands = 0;
// The announcements around each scroll message with what the window found
// when it came (its position and lParam); a window that keeps its position
// itself answers the first announcement 1.
std::vector<std::string> gNotes;
bool gKeepsPosition = false;

LRESULT CALLBACK ScrollingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND && (SkinCommandCode(w) == SKC_BEFORESCROLL || SkinCommandCode(w) == SKC_AFTERSCROLL)) {
    const bool before = SkinCommandCode(w) == SKC_BEFORESCROLL;
    gNotes.push_back(std::string(before ? "before " : "after ") + std::to_string(LOWORD(l)) +
                     (HIWORD(l) == WM_VSCROLL ? " v" : " h"));
    return before && gKeepsPosition ? 1 : 0;
  }
  if (m == WM_VSCROLL)
    gNotes.push_back("v " + std::to_string(LOWORD(w)) + " " + std::to_string(HIWORD(w)) + " pos " +
                     std::to_string(GetScrollPos(h, SB_VERT)) + " l " + std::to_string(l));
  if (m == WM_VSCROLL || m == WM_HSCROLL)
    gScrolls.push_back(std::string(m == WM_VSCROLL ? "v " : "h ") + std::to_string(LOWORD(w)) + " " +
                       std::to_string(HIWORD(w)));
  if (m == WM_STYLECHANGED) ++gStyleChanges;
  if (m == WM_SYSCOMMAND) ++gSysCommands;
  return DefWindowProcW(h, m, w, l);
}

HWND Host() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"VlScrollHost";
    RegisterClassW(&wc);
    wc.lpfnWndProc = ScrollingProc;
    wc.lpszClassName = L"VlScrolling";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  HWND h = CreateWindowExW(0, L"VlScrollHost", L"", WS_POPUP | WS_VISIBLE, 20, 20, 320, 260, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(h);
  return h;
}

struct Scrolling {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND host = Host();
  HWND wnd;
  TkcScrollWnd* a = nullptr;
  Scrolling(DWORD style = WS_VSCROLL | WS_HSCROLL, DWORD exStyle = 0, int w = 200, int h = 150) {
    gScrolls.clear();
    gStyleChanges = 0;
    wnd = CreateWindowExW(exStyle, L"VlScrolling", L"", WS_CHILD | WS_VISIBLE | WS_BORDER | style, 10, 10, w, h,
                          host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetScrollInfo(wnd, SB_VERT, &si, TRUE);
    SetScrollInfo(wnd, SB_HORZ, &si, TRUE);
  }
  void Attach(int size = 20, int arrow = 17) {
    TkcSkinParams p;
    p.VertScrollSize = p.HorzScrollSize = size;
    p.VertScrollBtnSize = p.HorzScrollBtnSize = arrow;
    a = AttachAdapter<TkcScrollWnd>(wnd, [this] { return skin.get(); }, p);
  }
  ~Scrolling() {
    delete a;
    DestroyWindow(host);
  }
  RECT Client() const {
    RECT r{};
    GetClientRect(wnd, &r);
    return r;
  }
  POINT Screen(int x, int y) const {
    RECT w{};
    GetWindowRect(wnd, &w);
    return POINT{w.left + x, w.top + y};
  }
  LPARAM At(POINT p) const { return MAKELPARAM(p.x, p.y); }
};

}  // namespace

TEST(ScrollWnd, TheSkinnedBarsTakeTheirOwnRoom) {
  {
    Scrolling s;
    s.Attach(20);
    // Window 200 x 150 with a one-pixel border: bars 20 thick.
    EXPECT_EQ(s.Client().right, 200 - 2 - 20);
    EXPECT_EQ(s.Client().bottom, 150 - 2 - 20);
    EXPECT_TRUE(s.a->sBarVert.Visible);
    EXPECT_EQ(gStyleChanges, 0) << "the adapter's own style changes never reach the window";
    EXPECT_EQ(s.a->VertBarRect().Right - s.a->VertBarRect().Left, 20);
  }
  {
    Scrolling s(WS_VSCROLL, WS_EX_LEFTSCROLLBAR);
    s.Attach(20);
    POINT origin{0, 0};
    ClientToScreen(s.wnd, &origin);
    RECT w{};
    GetWindowRect(s.wnd, &w);
    EXPECT_EQ(origin.x - w.left, 1 + 20) << "the vertical bar on the left";
  }
  {
    Scrolling s(WS_VSCROLL, 0, 12, 150);
    s.Attach(20);
    EXPECT_FALSE(s.a->sBarVert.Visible) << "too narrow for the bar";
    EXPECT_EQ(s.Client().right, 10);
  }
  {
    // Without sizes of the control's own the skin manager's options count.
    TkSkinManager manager{nullptr};
    ASSERT_EQ(DefaultSkinManager, &manager);
    manager.ScrollsOptions()->FScrollSize = 24;
    manager.ScrollsOptions()->FButtonsSize = 12;
    Scrolling s;
    s.Attach(-1, -1);
    EXPECT_EQ(s.Client().right, 200 - 2 - 24);
    EXPECT_EQ(s.a->ScrollBarMetric(s.a->sBarVert, false), 12);
    delete s.a;
    s.a = nullptr;
  }
}

TEST(ScrollWnd, PressingAnArrowScrollsAtOnceAndRepeatsWhileOverIt) {
  Scrolling s;
  s.Attach(20);
  // The second arrow of the vertical bar: x 179..199, y 1 + 129 - 17 ..
  const POINT arrow = s.Screen(189, 1 + 128 - 5);
  ASSERT_EQ(SendMessageW(s.wnd, WM_NCHITTEST, 0, s.At(arrow)), HTVSCROLL);
  SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, s.At(arrow));
  EXPECT_EQ(gScrolls, std::vector<std::string>{"v 1 0"}) << "one line at once";
  ScrollCursorPos = [&] { return arrow; };
  SendMessageW(s.wnd, WM_TIMER, RepeatDelayTimerId, 0);
  EXPECT_EQ(gScrolls.size(), 1u) << "the delay only starts the repeat";
  SendMessageW(s.wnd, WM_TIMER, RepeatTimerId, 0);
  SendMessageW(s.wnd, WM_TIMER, RepeatTimerId, 0);
  EXPECT_EQ(gScrolls.size(), 3u);
  const POINT away = s.Screen(189, 60);
  ScrollCursorPos = [&] { return away; };
  SendMessageW(s.wnd, WM_TIMER, RepeatTimerId, 0);
  EXPECT_EQ(gScrolls.size(), 3u) << "off the arrow nothing scrolls";
  SendMessageW(s.wnd, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(gScrolls.back(), "v 8 0") << "release ends the scroll";
  ScrollCursorPos = [] {
    POINT p{};
    GetCursorPos(&p);
    return p;
  };
}

TEST(ScrollWnd, DraggingTheThumbStopsAtTheLastPosition) {
  struct Case {
    const char* what;
    bool vertical;
    int min;  // the range is min .. min + 100 with a page of 10
  } cases[] = {{"vertical", true, 0}, {"horizontal", false, 0}, {"vertical from 100", true, 100}};
  for (const Case& c : cases) {
    Scrolling s;
    SCROLLINFO range{sizeof(range), SIF_RANGE | SIF_PAGE | SIF_POS, c.min, c.min + 100, 10, c.min};
    SetScrollInfo(s.wnd, SB_VERT, &range, TRUE);
    SetScrollInfo(s.wnd, SB_HORZ, &range, TRUE);
    s.Attach(20);
    const TkcScrollBar& bar = c.vertical ? s.a->sBarVert : s.a->sBarHorz;
    const fw::TRect r = c.vertical ? s.a->VertBarRect() : s.a->HorzBarRect();
    const int length = c.vertical ? r.Height() : r.Width();
    const TkThumb t = ThumbGeometry(bar.Info, bar.MinThumb, 17, c.vertical ? r.Top : r.Left, length);
    const POINT grab = c.vertical ? POINT{r.Left + 5, t.Pos + 2} : POINT{t.Pos + 2, r.Top + 5};
    SendMessageW(s.wnd, WM_NCLBUTTONDOWN, c.vertical ? HTVSCROLL : HTHSCROLL,
                 s.At(grab));
    EXPECT_TRUE(s.a->fThumbTracking) << c.what;
    // Far past the end, in client coordinates.
    const LPARAM beyond = c.vertical ? MAKELPARAM(50, 2000) : MAKELPARAM(2000, 50);
    SendMessageW(s.wnd, WM_MOUSEMOVE, MK_LBUTTON, beyond);
    SendMessageW(s.wnd, WM_LBUTTONUP, 0, beyond);
    const std::string k = c.vertical ? "v " : "h ";
    // A page of 10 in a range of 100: the last position is 91 from the
    // minimum, the window's own position.
    const std::string last = std::to_string(c.min + 91);
    const std::vector<std::string> expected{k + "5 " + last, k + "4 " + last, k + "8 " + last};
    EXPECT_EQ(gScrolls, expected) << c.what;
    SCROLLINFO si{sizeof(si), SIF_POS};
    GetScrollInfo(s.wnd, c.vertical ? SB_VERT : SB_HORZ, &si);
    EXPECT_EQ(si.nPos, c.min + 91) << c.what;
  }
}

namespace {

// What the window shows at a point of its frame.
uint32_t FramePixel(HWND Wnd, int x, int y) {
  HDC dc = GetWindowDC(Wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(Wnd, dc);
  return c;
}

}  // namespace

TEST(ScrollWnd, AListViewNeverShowsTheSystemBarAfterScrolling) {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND host = Host();
  HWND lv = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 10, 10, 220, 160,
                            host, nullptr, GetModuleHandleW(nullptr), nullptr);
  LVCOLUMNW col{LVCF_WIDTH | LVCF_TEXT, 0, 400, const_cast<wchar_t*>(L"Font")};
  SendMessageW(lv, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
  for (int i = 0; i < 60; ++i) {
    std::wstring text = L"Item " + std::to_wstring(i);
    LVITEMW item{LVIF_TEXT, i};
    item.pszText = text.data();
    SendMessageW(lv, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
  TkcSkinParams p;
  p.VertScrollSize = p.HorzScrollSize = 18;
  p.VertScrollBtnSize = p.HorzScrollBtnSize = 17;
  auto* a = AttachAdapter<TkcScrollWnd>(lv, [&] { return skin.get(); }, p);
  UpdateWindow(host);
  fwtest::Pump();
  ASSERT_TRUE(a->sBarVert.Visible);
  RECT w{};
  GetWindowRect(lv, &w);
  const fw::TRect v = a->VertBarRect();
  // Window-relative points: the first arrow, the track after the thumb.
  const int x = v.Left - w.left + 2, arrowY = v.Top - w.top + 2, trackY = v.Bottom - w.top - 17 - 3;
  auto check = [&](const char* after) {
    fwtest::Pump();
    EXPECT_EQ(FramePixel(lv, x, arrowY), COLORREF(skintest::kArrow1)) << after;
    EXPECT_EQ(FramePixel(lv, x, trackY), COLORREF(skintest::kTrack2)) << after;
  };
  check("showing");
  SendMessageW(lv, LVM_SCROLL, 0, 40);
  check("LVM_SCROLL");
  SendMessageW(lv, WM_VSCROLL, SB_LINEDOWN, 0);
  check("WM_VSCROLL");
  SendMessageW(lv, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(w.left + 20, w.top + 40));
  check("the wheel");
  SetFocus(lv);
  SendMessageW(lv, WM_KEYDOWN, VK_NEXT, 0);
  check("page down");
  RedrawWindow(lv, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  check("a redraw");
  delete a;
  DestroyWindow(host);
}

TEST(ScrollWnd, AnUnusableBarIsFadedAndTakesNoPresses) {
  Scrolling s(WS_VSCROLL);
  // A page covering the whole range, kept shown: nothing to scroll.
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 9, 10, 0};
  SetScrollInfo(s.wnd, SB_VERT, &si, TRUE);
  s.Attach(20);
  ShowWindow(s.host, SW_SHOW);
  fwtest::Pump();
  ASSERT_TRUE(s.a->sBarVert.Visible);
  EXPECT_FALSE(s.a->ScrollBarActive(s.a->sBarVert));
  const fw::TRect v = s.a->VertBarRect();
  const POINT arrow{v.Left + 5, v.Top + 5};
  EXPECT_EQ(SendMessageW(s.wnd, WM_NCHITTEST, 0, s.At(arrow)), HTNOWHERE);
  s.a->PaintScrollBars();
  RECT w{};
  GetWindowRect(s.wnd, &w);
  const COLORREF shown = FramePixel(s.wnd, arrow.x - w.left, arrow.y - w.top);
  EXPECT_NE(shown, COLORREF(skintest::kArrow1)) << "faded toward what lies behind";
  SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, s.At(arrow));
  SendMessageW(s.wnd, WM_LBUTTONUP, 0, 0);
  EXPECT_TRUE(gScrolls.empty()) << "no scroll message from an unusable bar";
  // The system's own bar tracking never starts under the skinned bars.
  SendMessageW(s.wnd, WM_SYSCOMMAND, 0xF077, s.At(arrow));
  EXPECT_EQ(gSysCommands, 0);
}

TEST(ScrollWnd, TheBarsOfAWindowAndTheirShortestThumb) {
  Scrolling s;
  s.Attach(20);
  EXPECT_EQ(GetScrollBarOf(s.wnd, SB_HORZ), &s.a->sBarHorz);
  EXPECT_EQ(GetScrollBarOf(s.wnd, SB_VERT), &s.a->sBarVert);
  EXPECT_EQ(GetScrollBarOf(s.wnd, SB_CTL), nullptr);
  EXPECT_EQ(GetScrollBarOf(s.host, SB_VERT), nullptr) << "no adapter";
  struct Case {
    int which, horz, vert;
  } cases[] = {{0, 30, 16}, {1, 30, 31}, {3, 40, 40}};
  for (const Case& c : cases) {
    EXPECT_TRUE(SetScrollMinThumb(s.wnd, c.which, c.which == 0 ? 30 : c.which == 1 ? 31 : 40));
    EXPECT_EQ(s.a->sBarHorz.MinThumb, c.horz) << c.which;
    EXPECT_EQ(s.a->sBarVert.MinThumb, c.vert) << c.which;
  }
  EXPECT_FALSE(SetScrollMinThumb(s.host, 3, 20));
}

namespace {

// The window's bars as the adapter paints them, into a picture of the
// whole window (nothing read back from the screen).
std::unique_ptr<fw::TBitmap> PaintedBars(TkcScrollWnd& a) {
  RECT w{};
  GetWindowRect(a.CtrlHandle, &w);
  auto b = std::make_unique<fw::TBitmap>();
  b->SetPixelFormat(fw::pf24bit);
  b->SetSize(w.right - w.left, w.bottom - w.top);
  b->Canvas()->Brush()->SetColor(fw::clWhite);
  b->Canvas()->FillRect(fw::TRect{0, 0, b->Width(), b->Height()});
  a.PaintScrollBars(-1, b->Canvas()->Handle());
  GdiFlush();
  return b;
}

}  // namespace

// Both bars of a window in each state, in both program skins: normal, the
// first arrow hot, the second arrow held, the thumb hot, and unusable.
TEST(ScrollWnd, BothBarsInEachStateMatchTheirGoldens) {
  const std::pair<const char*, const char16_t*> skins[] = {{"sapphire", u"Sapphire (internal)"},
                                                           {"topaz", u"Topaz (internal)"}};
  for (const auto& [name, full] : skins) {
    std::vector<std::unique_ptr<fw::TBitmap>> rows;
    for (int state = 0; state < 5; ++state) {
      Scrolling s(WS_VSCROLL | WS_HSCROLL, 0, 160, 110);
      s.skin = LoadProgramSkin((std::string(name) + ".ksz").c_str(), full);
      ASSERT_TRUE(s.skin) << name;
      if (state == 4) {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, 0, 9, 10, 0};
        SetScrollInfo(s.wnd, SB_VERT, &si, TRUE);
        SetScrollInfo(s.wnd, SB_HORZ, &si, TRUE);
      }
      s.Attach(17);
      const fw::TRect v = s.a->VertBarRect();
      const POINT first{v.Left + 5, v.Top + 5}, second{v.Left + 5, v.Bottom - 5};
      RECT w{};
      GetWindowRect(s.wnd, &w);
      const TkThumb t = ThumbGeometry(s.a->sBarVert.Info, s.a->sBarVert.MinThumb, 17, v.Top, v.Height());
      const POINT thumb{v.Left + 5, t.Pos + t.Length / 2};
      auto hover = [&](POINT p) {
        ScrollCursorPos = [p] { return p; };
        SendMessageW(s.wnd, WM_NCMOUSEMOVE, HTVSCROLL, s.At(p));
        SendMessageW(s.wnd, WM_TIMER, HotTimerId, 0);
      };
      if (state == 1) hover(first);
      if (state == 2) SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, s.At(second));
      if (state == 3) hover(thumb);
      rows.push_back(PaintedBars(*s.a));
      if (state == 2) SendMessageW(s.wnd, WM_LBUTTONUP, 0, 0);
      // Off the bars: the hot part goes.
      const POINT away{w.left - 50, w.top - 50};
      ScrollCursorPos = [away] { return away; };
      SendMessageW(s.wnd, WM_TIMER, HotTimerId, 0);
      EXPECT_EQ(ScrollTrackState.HotBar, -1) << name;
    }
    ScrollCursorPos = [] {
      POINT p{};
      GetCursorPos(&p);
      return p;
    };
    std::vector<fw::TBitmap*> parts;
    for (auto& r : rows) parts.push_back(r.get());
    auto sheet = cktest::Stack(parts);
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), std::string("scroll_wnd_bars_") + name)) << name;
  }
}

// The release that ends a scroll-bar action reaches the control, except
// the image views of another maker that would take it for a click.
TEST(ScrollWnd, TheReleaseEndingAScrollReachesTheControlButNotAnImageView) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  for (bool imageView : {false, true}) {
    fwtest::TestForm form;
    TReleaseCounter* c = imageView ? new TImageEnView(form.form) : new TReleaseCounter(form.form);
    c->SetParent(form.form);
    c->SetBounds(10, 10, 120, 100);
    form->Show();
    fwtest::Pump();
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 0};
    SetScrollInfo(c->Handle(), SB_VERT, &si, TRUE);
    TkcSkinParams p;
    p.Control = c;
    p.VertScrollSize = 20;
    p.VertScrollBtnSize = 17;
    auto* a = AttachAdapter<TkcScrollWnd>(c->Handle(), [&] { return skin.get(); }, p);
    const fw::TRect v = a->VertBarRect();
    const POINT arrow{v.Left + 5, v.Bottom - 5};
    SendMessageW(c->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
    SendMessageW(c->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(c->Releases, imageView ? 0 : 1) << (imageView ? "an image view" : "a control");
    delete a;
  }
}

TEST(ScrollWnd, ThePictureBehindTheBarsOfAFramedWindowLinesUpWithIt) {
  // The program's manager with a section shaded from left to right, so
  // that a picture read a frame's width beside its place shows.
  TkSkinManager manager{nullptr};
  manager.ReportMessage = [](const fw::String&) {};
  LoadInternalSkins(*manager.InternalSkins());
  manager.WriteSkinName(u"Sapphire (internal)");
  ASSERT_TRUE(manager.Active());
  TkLoadedSkin& skin = *manager.LoadedSkin();
  TkGeneralData shaded;
  shaded.ClassName = u"VLSHADED";
  shaded.States = 1;
  shaded.Props[0].GradientPercent = 100;
  shaded.Props[0].GradientData = u"255;16711680;100;1;0";
  ParseGradientData(shaded.Props[0].GradientData, shaded.Props[0].GradientArray);
  shaded.Props[1] = shaded.Props[0];
  skin.gd.push_back(shaded);
  // A window with a border and a client edge: its client area 3 pixels in.
  Scrolling s(WS_VSCROLL | WS_HSCROLL, WS_EX_CLIENTEDGE);
  TkcSkinParams p;
  p.SkinSection = u"VLSHADED";
  p.VertScrollSize = p.HorzScrollSize = 20;
  p.VertScrollBtnSize = p.HorzScrollBtnSize = 17;
  s.a = AttachAdapter<TkcBaseWnd>(s.wnd, [&manager] { return manager.LoadedSkin(); }, p);
  SendMessageW(s.wnd, WM_NCPAINT, 1, 0);

  // Asked from the client's origin, the window answers its own picture
  // there: three pixels in.
  TkcBackgroundInfo info;
  ASSERT_TRUE(RequestBackgroundWnd(info, s.wnd, false));
  ASSERT_EQ(info.BgType, btCache);
  ASSERT_EQ(info.Bmp, s.a->SkinData()->FCacheBmp.get());
  EXPECT_EQ(info.Offset.x, 3);
  EXPECT_EQ(info.Offset.y, 3);

  // The square between the bars shows the picture at its own place.
  const TPixelView32 picture = View32(*info.Bmp);
  RECT w{};
  GetWindowRect(s.wnd, &w);
  const fw::TRect square = fw::Rect(s.a->HorzBarRect().Right - w.left, s.a->VertBarRect().Bottom - w.top,
                                    s.a->VertBarRect().Right - w.left, s.a->HorzBarRect().Bottom - w.top);
  ASSERT_EQ(square.Width(), 20);
  ASSERT_EQ(square.Height(), 20);
  const int y = square.Top + 10;
  ASSERT_NE(picture.Pixel(square.Left, y) & 0xFFFFFF, picture.Pixel(square.Left - 3, y) & 0xFFFFFF)
      << "the shading changes within a frame's width";
  HDC dc = GetWindowDC(s.wnd);
  for (int x = square.Left; x < square.Right; x += 4) {
    const uint32_t want = picture.Pixel(x, y) & 0xFFFFFF;
    const COLORREF shown = GetPixel(dc, x, y);
    EXPECT_EQ((GetRValue(shown) << 16) | (GetGValue(shown) << 8) | GetBValue(shown), want) << "x " << x;
  }
  ReleaseDC(s.wnd, dc);
  delete s.a;
  s.a = nullptr;
}

// Every scroll message is announced before and after; a window that keeps
// its position itself gets the dragged position in lParam and is not moved.
TEST(ScrollWnd, EachScrollIsAnnouncedAndTheWindowMayKeepItsPosition) {
  for (bool keeps : {false, true}) {
    SCOPED_TRACE(keeps ? "keeps its position" : "moved by the adapter");
    Scrolling s;
    s.Attach(20);
    gNotes.clear();
    gKeepsPosition = keeps;
    const fw::TRect r = s.a->VertBarRect();
    SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, s.At(POINT{r.Left + 5, r.Bottom - 5}));
    SendMessageW(s.wnd, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(gNotes, (std::vector<std::string>{"before 1 v", "v 1 0 pos 0 l 0", "after 1 v", "before 8 v", "v 8 0 pos 0 l 0",
                                                "after 8 v"}));
    gNotes.clear();
    const TkcScrollBar& bar = s.a->sBarVert;
    const TkThumb t = ThumbGeometry(bar.Info, bar.MinThumb, 17, r.Top, r.Height());
    SendMessageW(s.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, s.At(POINT{r.Left + 5, t.Pos + 2}));
    POINT to{r.Left + 5, t.Pos + 2 + 40};
    ScreenToClient(s.wnd, &to);
    SendMessageW(s.wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(s.wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
    SendMessageW(s.wnd, WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    gKeepsPosition = false;
    ASSERT_EQ(gNotes.size(), 9u) << "one track (none for the same place again), position and end";
    const std::string p = gScrolls[gScrolls.size() - 3].substr(4);  // "v 5 <p>"
    ASSERT_GT(std::stoi(p), 0);
    const std::string moved = keeps ? "pos 0 l " + p : "pos " + p + " l 0";
    EXPECT_EQ(gNotes, (std::vector<std::string>{"before 5 v", "v 5 " + p + " " + moved, "after 5 v", "before 4 v",
                                                "v 4 " + p + " pos " + (keeps ? "0" : p) + " l " + (keeps ? p : "0"),
                                                "after 4 v", "before 8 v",
                                                "v 8 " + p + " pos " + (keeps ? "0" : p) + " l " + (keeps ? p : "0"),
                                                "after 8 v"}));
  }
}
