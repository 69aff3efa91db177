// Title buttons of a real skinned window: hover, press, release inside and
// outside, a release with Ctrl held, a lost capture, disabled buttons, the
// window's style deciding which buttons show, the program's own title
// buttons and the items of a title bar.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fw/controls/hintwindow.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/forms/skinned_form.h"
#include "skin/forms/title_bar.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"

namespace skin {
namespace {

uint64_t ImageAt(TkSkinProvider* p, const fw::TRect& r) { return PixelChecksum(SubView(View32(p->FormImage()), r)); }

fw::TRect Centre(const fw::TRect& r) { return fw::Rect(r.Left + r.Width() / 2, r.Top + r.Height() / 2, 0, 0); }

// A 10 x 10 picture: a key-coloured rim (its bottom-left pixel) around ink.
void RimmedGlyph(fw::TBitmap& g, COLORREF key, COLORREF ink) {
  g.SetPixelFormat(fw::pf24bit);
  g.SetSize(10, 10);
  HDC dc = g.Canvas()->Handle();
  HBRUSH k = CreateSolidBrush(key), i = CreateSolidBrush(ink);
  RECT all{0, 0, 10, 10}, inner{2, 2, 8, 8};
  FillRect(dc, &all, k);
  FillRect(dc, &inner, i);
  DeleteObject(k);
  DeleteObject(i);
}

int PixelsOf(const TPixelView32& v, const fw::TRect& r, uint32_t rgb) {
  int n = 0;
  for (int y = std::max(0, r.Top); y < std::min(v.Height, r.Bottom); ++y)
    for (int x = std::max(0, r.Left); x < std::min(v.Width, r.Right); ++x) n += (v.Row(y)[x] & 0xFFFFFF) == rgb;
  return n;
}

struct Log {
  std::vector<std::string> lines;
  void Down(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { lines.push_back("down"); }
  void Up(fw::TObject*, fw::TMouseButton, fw::TShiftState, int, int) { lines.push_back("up"); }
  void Click(fw::TObject*) { lines.push_back("click"); }
  void Enter(fw::TObject*) { lines.push_back("enter"); }
  void Leave(fw::TObject*) { lines.push_back("leave"); }
};

TEST(TitleButtons, HoverLightsAButtonAndLeavingCoolsIt) {
  SkinnedForm f(0);
  const fw::TRect min = f.Layout().Min.Rect;
  const uint64_t normal = ImageAt(f.provider, min);
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTMINBUTTON, f.ScreenPoint(min));
  EXPECT_EQ(f.provider->CurrentHT(), HTMINBUTTON);
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 1);
  EXPECT_NE(ImageAt(f.provider, min), normal) << "the hot image is painted";
  // Over the caption the button is normal again.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(150, 10));
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 0);
  EXPECT_EQ(ImageAt(f.provider, min), normal);
  // Leaving the frame does the same.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTCLOSE, f.ScreenPoint(f.Layout().Close.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 1);
  SendMessageW(f.wnd(), WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  EXPECT_EQ(f.provider->CurrentHT(), -1);
}

TEST(TitleButtons, PressAndReleaseInsideRunsTheCommandOutsideNothing) {
  SkinnedForm f(1);
  const fw::TRect max = f.Layout().Max.Rect;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(max));
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 2);
  EXPECT_TRUE(TitleButtonPressed);
  EXPECT_EQ(GetCapture(), f.wnd()) << "the release comes to the form wherever it is";
  // Another button does not light up while one is held.
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTMINBUTTON, f.ScreenPoint(f.Layout().Min.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTMINBUTTON), 0);
  TkSystemMenu* menu = f.provider->Menus().SystemMenu();
  ASSERT_NE(menu, nullptr);
  ASSERT_TRUE(menu->ItemRestore && menu->ItemMove);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(max));
  EXPECT_TRUE(IsZoomed(f.wnd()));
  EXPECT_TRUE(menu->ItemRestore->Enabled()) << "the system menu follows the new state";
  EXPECT_FALSE(menu->ItemMove->Enabled());
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 0);
  // Pressed and released over the caption: nothing.
  const fw::TRect restore = f.Layout().Max.Rect;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(restore));
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 2);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(fw::Rect(150, 8, 152, 10)));
  EXPECT_TRUE(IsZoomed(f.wnd())) << "released outside the button";
  EXPECT_EQ(f.provider->ButtonState(HTMAXBUTTON), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  // And again inside: restored.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTMAXBUTTON, f.ScreenPoint(restore));
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(restore));
  EXPECT_FALSE(IsZoomed(f.wnd()));
  EXPECT_FALSE(menu->ItemRestore->Enabled());
  EXPECT_TRUE(menu->ItemMove->Enabled());
}

TEST(TitleButtons, CtrlReleaseAndLostCaptureDoNothing) {
  SkinnedForm f(0);
  // Ctrl is 8 in the key flags, the minimise button's hit code.
  SendMessageW(f.wnd(), WM_LBUTTONUP, MK_CONTROL, MAKELPARAM(100, 100));
  fwtest::Pump(50);
  EXPECT_FALSE(IsIconic(f.wnd()));
  // A press whose capture is lost is over.
  const fw::TRect close = f.Layout().Close.Rect;
  struct Watch {
    bool closed = false;
    void OnClose(fw::TObject*, fw::TCloseAction&) { closed = true; }
  } watch;
  f.form->OnClose = fw::TCloseEvent(&watch, &Watch::OnClose);
  const bool& closed = watch.closed;
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(close));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 2);
  ReleaseCapture();
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(close));
  EXPECT_FALSE(closed);
  // A real click closes.
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(close));
  SendMessageW(f.wnd(), WM_LBUTTONUP, MK_CONTROL, f.ClientPoint(close));
  EXPECT_TRUE(closed);
}

TEST(TitleButtons, DisabledButtonsAreNotPressed) {
  SkinnedForm f(0);
  EnableMenuItem(GetSystemMenu(f.wnd(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  const fw::TRect close = f.Layout().Close.Rect;
  EXPECT_EQ(f.HitAt((close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2), HTCAPTION);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, HTCLOSE, f.ScreenPoint(f.Layout().Close.Rect));
  EXPECT_EQ(f.provider->ButtonState(HTCLOSE), 0);
  EXPECT_EQ(f.provider->CurrentHT(), 0);
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_FALSE(f.provider->ImageInput().EnabledClose) << "painted faded";
  ReleaseCapture();
}

TEST(TitleButtons, TheWindowsStyleDecidesWhichButtonsShow) {
  using I = fw::TBorderIcons;
  struct Case {
    const char* what;
    fw::TFormBorderStyle style;
    I icons;
    bool close, max, min, help;
  } cases[] = {
      {"sizeable", fw::bsSizeable, I{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}, true, true, true, false},
      {"no maximise", fw::bsSizeable, I{fw::biSystemMenu, fw::biMinimize}, true, false, true, false},
      {"single, close alone", fw::bsSingle, I{fw::biSystemMenu}, true, false, false, false},
      {"dialog", fw::bsDialog, I{fw::biSystemMenu, fw::biMinimize, fw::biMaximize}, true, false, false, false},
      {"tool window", fw::bsToolWindow, I{fw::biSystemMenu}, true, false, false, false},
      {"help", fw::bsSizeable, I{fw::biSystemMenu, fw::biHelp}, true, false, false, true},
      {"no system menu", fw::bsSizeable, I{fw::biMinimize, fw::biMaximize}, false, false, false, false},
  };
  for (const Case& c : cases) {
    SkinnedForm f(0, c.style, 400, 300, false);
    f.form->SetBorderIcons(c.icons);
    f.Show();
    const TkCaptionLayout& l = f.Layout();
    EXPECT_EQ(l.Close.Rect.Width() > 0, c.close) << c.what;
    EXPECT_EQ(l.Max.Rect.Width() > 0, c.max) << c.what;
    EXPECT_EQ(l.Min.Rect.Width() > 0, c.min) << c.what;
    EXPECT_EQ(l.Help.Rect.Width() > 0, c.help) << c.what;
    if (c.style == fw::bsSingle && f.skin->ConstData.MaskCloseAloneBtn >= 0)
      EXPECT_EQ(l.Close.ImageIndex, f.skin->ConstData.MaskCloseAloneBtn) << "the lone close mask";
    if (c.style == fw::bsToolWindow && f.skin->ConstData.MaskCloseSmall >= 0)
      EXPECT_EQ(l.Close.ImageIndex, f.skin->ConstData.MaskCloseSmall) << "small buttons";
  }
}

TEST(TitleButtons, TheProgramsOwnButtonsStandBesideTheStandardOnesAndClick) {
  for (int s = 0; s < 2; ++s) {
    SkinnedForm f(s, fw::bsSizeable, 400, 300, false);
    Log log;
    TkTitleButtons& buttons = *f.provider->TitleButtons();
    auto* first = static_cast<TkTitleButton*>(buttons.Add());
    auto* hidden = static_cast<TkTitleButton*>(buttons.Add());
    auto* disabled = static_cast<TkTitleButton*>(buttons.Add());
    hidden->SetVisible(false);
    disabled->Enabled = false;
    RimmedGlyph(*first->Glyph(), RGB(0, 255, 0), RGB(255, 0, 0));
    first->OnMouseDown = fw::TMouseEvent(&log, &Log::Down);
    first->OnMouseUp = fw::TMouseEvent(&log, &Log::Up);
    f.Show();
    const TkCaptionLayout& l = f.Layout();
    const int spacing = f.skin->CommonSkinData.BISpacing;
    ASSERT_EQ(l.User.size(), 3u);
    const fw::TRect r = first->Data.Rect;
    EXPECT_EQ(r.Right, l.Min.Rect.Left - spacing - 6) << "6 pixels left of the standard buttons, skin " << s;
    EXPECT_EQ(r.Top, l.Min.Rect.Top);
    EXPECT_EQ(hidden->Data.Rect.Width(), 0);
    EXPECT_EQ(disabled->Data.Rect.Right, r.Left - spacing) << "the hidden button takes no room";
    fwtest::Pump(100);
    scenarios::SavePng(scenarios::ScreenshotOf(f.wnd()).get(),
                       scenarios::ScreenshotPath(s == 0 ? "user_title_buttons_topaz.png" : "user_title_buttons_sapphire.png"));
    EXPECT_GT(PixelsOf(View32(f.provider->FormImage()), r, 0xFF0000), 30) << "the picture is painted";
    EXPECT_EQ(PixelsOf(View32(f.provider->FormImage()), r, 0x00FF00), 0) << "without its key colour";
    EXPECT_LT(CaptionTextBounds(*f.skin, f.provider->ImageInput(), f.provider->FormImage().Width()).Right,
              disabled->Data.Rect.Left)
        << "the caption ends before the buttons";
    // The hit test: 1000 + the index; a disabled button is the caption.
    EXPECT_EQ(f.HitAt(Centre(r).Left, Centre(r).Top), 1000);
    const fw::TRect d = disabled->Data.Rect;
    EXPECT_EQ(f.HitAt(Centre(d).Left, Centre(d).Top), HTCAPTION);
    // Hover shows the button's hint at once; press and release over it.
    first->Hint = u"My button";
    SendMessageW(f.wnd(), WM_NCMOUSEMOVE, 1000, f.ScreenPoint(r));
    EXPECT_EQ(first->Data.State, 1);
    ASSERT_NE(f.provider->TitleHint(), nullptr);
    EXPECT_TRUE(IsWindowVisible(f.provider->TitleHint()->Handle()));
    SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 1000, f.ScreenPoint(r));
    EXPECT_EQ(f.provider->TitleHint(), nullptr) << "pressed, the hint goes";
    EXPECT_EQ(first->Data.State, 2);
    EXPECT_EQ(f.provider->CurrentHT(), 1000);
    EXPECT_EQ(GetCapture(), f.wnd());
    SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(r));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"down", "up"}));
    EXPECT_EQ(first->Data.State, 0);
    EXPECT_FALSE(TitleButtonPressed);
    EXPECT_EQ(GetCapture(), nullptr);
    // Released over the caption: no mouse-up, and normal again.
    log.lines.clear();
    SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 1000, f.ScreenPoint(r));
    SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(fw::Rect(150, 8, 152, 10)));
    EXPECT_EQ(log.lines, (std::vector<std::string>{"down"}));
    EXPECT_EQ(first->Data.State, 0);
    // Hidden at run time: gone from the title at once.
    first->SetVisible(false);
    EXPECT_EQ(first->Data.Rect.Width(), 0);
    EXPECT_EQ(PixelsOf(View32(f.provider->FormImage()), r, 0xFF0000), 0);
  }
}

TEST(TitleButtons, TitleBarItemsAreLaidOutHitAndClicked) {
  SkinnedForm f(1, fw::bsSizeable, 500, 300, false);
  Log log;
  auto* bar = new TkTitleBar(f.form.form);
  TkcTitleBarItem& button = bar->Add();
  button.Caption = u"Go";
  button.OnClick = fw::TNotifyEvent(&log, &Log::Click);
  button.OnMouseEnter = fw::TNotifyEvent(&log, &Log::Enter);
  button.OnMouseLeave = fw::TNotifyEvent(&log, &Log::Leave);
  TkcTitleBarItem& spacer = bar->Add();
  spacer.Style = bsSpacing;
  TkcTitleBarItem& tab = bar->Add();
  tab.Style = bsTab;
  tab.Caption = u"Tab";
  tab.SetDown(true);
  TkcTitleBarItem& right = bar->Add();
  right.Caption = u"R";
  right.Align = tbaRight;
  for (auto& i : bar->Items) i->UpdateSize(false);
  f.Show();
  ASSERT_EQ(f.provider->TitleBar(), bar) << "the form's title bar is the provider's";
  const TkCaptionLayout& l = f.Layout();
  // The band between the icon and the buttons.
  EXPECT_EQ(bar->FBarRect.Left, l.IconRect.Right + 6);
  EXPECT_EQ(bar->FBarRect.Right, l.ButtonsLeft - 6);
  EXPECT_EQ(button.Rect.Left, bar->FBarRect.Left);
  EXPECT_EQ(right.Rect.Right, bar->FBarRect.Right);
  ASSERT_GT(button.Rect.Width(), 0);
  EXPECT_GE(CaptionTextBounds(*f.skin, f.provider->ImageInput(), f.provider->FormImage().Width()).Left,
            tab.Rect.Right)
      << "the caption stands right of the left items";
  fwtest::Pump(100);
  scenarios::SavePng(scenarios::ScreenshotOf(f.wnd()).get(), scenarios::ScreenshotPath("title_bar_form_sapphire.png"));
  // Hit codes 2000 + index; a spacer is the caption; a pressed tab is the
  // client to the title (the window then answers as the system does).
  EXPECT_EQ(f.HitAt(Centre(button.Rect).Left, Centre(button.Rect).Top), 2000);
  EXPECT_EQ(f.HitAt(Centre(right.Rect).Left, Centre(right.Rect).Top), 2003);
  const LPARAM tabAt = f.ScreenPoint(tab.Rect);
  EXPECT_EQ(f.provider->NCHitTest(short(LOWORD(tabAt)), short(HIWORD(tabAt))), HTCLIENT);
  if (spacer.Rect.Width() > 0) EXPECT_EQ(f.HitAt(Centre(spacer.Rect).Left, Centre(spacer.Rect).Top), HTCAPTION);
  // Hover, press, release over the item: entered, clicked, hot again; the
  // item's hint comes after the hint pause while the mouse stays on it.
  button.ShowHint = true;
  button.Hint = u"Go there";
  const LPARAM buttonAt = f.ScreenPoint(button.Rect);
  POINT cursor{};
  GetCursorPos(&cursor);
  SetCursorPos(short(LOWORD(buttonAt)), short(HIWORD(buttonAt)));
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, 2000, buttonAt);
  EXPECT_EQ(button.ItemState(), 1);
  EXPECT_EQ(f.provider->TitleHint(), nullptr) << "not yet";
  EXPECT_TRUE(fwtest::PumpUntil([&] { return f.provider->TitleHint() != nullptr; }, 20000));
  // The real mouse may have left and entered meanwhile; it goes back where
  // it was (other tests read it).
  SetCursorPos(cursor.x, cursor.y);
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, 2000, buttonAt);
  log.lines = {"enter"};
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 2000, f.ScreenPoint(button.Rect));
  EXPECT_EQ(button.ItemState(), 2);
  EXPECT_TRUE(TitleButtonPressed);
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(button.Rect));
  EXPECT_FALSE(TitleButtonPressed);
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"enter", "click"}));
  SendMessageW(f.wnd(), WM_NCMOUSEMOVE, HTCAPTION, f.ScreenPoint(150, 8));
  EXPECT_EQ(log.lines.back(), "leave");
  EXPECT_EQ(button.ItemState(), 0);
  // Pressed and released elsewhere: no click, and the next click counts.
  log.lines.clear();
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 2000, f.ScreenPoint(button.Rect));
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(fw::Rect(150, 8, 152, 10)));
  EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "click"), 0);
  SendMessageW(f.wnd(), WM_NCLBUTTONDOWN, 2000, f.ScreenPoint(button.Rect));
  SendMessageW(f.wnd(), WM_LBUTTONUP, 0, f.ClientPoint(button.Rect));
  EXPECT_EQ(std::count(log.lines.begin(), log.lines.end(), "click"), 1);
  // An item the program changes repaints the title.
  const int builds = f.provider->BuildCount();
  button.Caption = u"Longer caption";
  button.Invalidate(true);
  EXPECT_GT(f.provider->BuildCount(), builds);
  // Removed with the title bar, the title has no items.
  const fw::TRect where = button.Rect;
  delete bar;
  EXPECT_EQ(f.provider->TitleBar(), nullptr);
  f.provider->RepaintFormFrame();
  EXPECT_EQ(f.HitAt(Centre(where).Left, Centre(where).Top), HTCAPTION);
}

TEST(TitleButtons, TheAddedTitleFollowsTheCaptionInItsOwnColour) {
  SkinnedForm f(1);
  TkcAddedTitle& added = *f.provider->AddedTitle();
  added.Font()->SetColor(0x0000FF);  // red
  added.SetText(u"EXTRA");
  const fw::TRect r = CaptionTextBounds(*f.skin, f.provider->ImageInput(), f.provider->FormImage().Width());
  // The leftmost red pixel of the caption band.
  auto firstRed = [&] {
    const TPixelView32 v = View32(f.provider->FormImage());
    for (int x = r.Left; x < r.Right; ++x)
      if (PixelsOf(v, fw::Rect(x, r.Top, x + 1, r.Bottom), 0xFF0000) > 0) return x;
    return -1;
  };
  const int after = firstRed();
  ASSERT_GT(after, r.Left + 20) << "after the caption";
  added.SetShowMainCaption(false);
  const int instead = firstRed();
  EXPECT_GE(instead, r.Left);
  EXPECT_LT(instead, after) << "in the caption's place";
  added.SetText(u"");
  EXPECT_EQ(firstRed(), -1);
}

}  // namespace
}  // namespace skin
