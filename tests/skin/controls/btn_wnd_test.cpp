// Push buttons and static texts under their adapters: each state painted
// from the skin (goldens of the program's skins, colours of a synthetic
// one), the caption in the state's text colour, the disabled blend with
// what lies behind, hover through the skin manager, and the window given
// back whole when the skin goes or the window is destroyed.
#include "skin/controls/btn_wnd.h"

#include <cmath>

#include "skin/controls/adapter_factory.h"
#include "skin/controls/core/button_layout.h"
#include "skin/controls/button_wnd.h"
#include "skin/controls/edit_wnd.h"
#include "skin/controls/link_wnd.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/controls/static_wnd.h"
#include "fw/controls/button.h"
#include "fw/controls_test_util.h"
#include "skin/engine/skin_manager.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

struct Skinned {
  std::unique_ptr<TkLoadedSkin> skin;
  explicit Skinned(std::unique_ptr<TkLoadedSkin> s) : skin(std::move(s)) {}
  TkcSkinSource Source() {
    return [this] { return skin.get(); };
  }
};

// A pixel of the face away from the caption.
uint32_t FacePixel(HWND wnd) {
  TPixelBuffer p = Print(wnd);
  return View32(p).Pixel(3, 3);
}

// Each channel within one of behind + ratio * (own - behind).
bool Mixed(uint32_t px, uint32_t own, uint32_t behind, double ratio) {
  for (int s = 0; s < 24; s += 8) {
    const int a = int((own >> s) & 0xFF), b = int((behind >> s) & 0xFF), p = int((px >> s) & 0xFF);
    if (std::abs(p - (b + ratio * (a - b))) > 1.0) return false;
  }
  return true;
}

}  // namespace

TEST(BtnWnd, EachStatePaintsFromTheSectionWithItsTextColour) {
  Skinned k(SyntheticControlSkin());
  Host host;
  HWND b = host.Child(L"BUTTON", L"Go", BS_PUSHBUTTON, 10, 10, 80, 26);
  auto* a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  TPixelBuffer normal = Print(b);
  EXPECT_EQ(View32(normal).Pixel(3, 3), Px(kButton));
  EXPECT_GT(CountPixels(View32(normal), Px(kButtonText)), 5) << "the caption in the normal text colour";

  a->S.Focused = true;
  TPixelBuffer hot = Print(b);
  EXPECT_EQ(View32(hot).Pixel(3, 3), Px(Hot(kButton)));
  EXPECT_GT(CountPixels(View32(hot), Px(Hot(kButtonText))), 5) << "hot text";
  a->S.Focused = false;

  SendMessageW(b, BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(a->CurrentState(), bstPressed);
  TPixelBuffer pressed = Print(b);
  EXPECT_EQ(View32(pressed).Pixel(3, 3), Px(Hot(kButton))) << "states above 1 have the hot colours";
  SendMessageW(b, BM_SETSTATE, FALSE, 0);

  EnableWindow(b, FALSE);
  TPixelBuffer disabled = Print(b);
  EXPECT_TRUE(Mixed(View32(disabled).Pixel(3, 3), Px(kButton), Px(kHost), 0.4)) << "40 % of the button";
  EnableWindow(b, TRUE);

  // Focused: the dotted focus frame in the hot text colour around the caption.
  SetFocus(b);
  ASSERT_EQ(GetFocus(), b);
  TPixelBuffer focused = Print(b);
  EXPECT_GT(CountPixels(View32(focused), Px(Hot(kButtonText))),
            CountPixels(View32(hot), Px(Hot(kButtonText))) + 20);
  SetFocus(nullptr);

  HWND d = host.Child(L"BUTTON", L"OK", BS_DEFPUSHBUTTON, 10, 50, 80, 26);
  auto* ad = AttachAdapter<TkcBtnWnd>(d, k.Source(), TkcSkinParams{});
  EXPECT_EQ(ad->CurrentState(), bstDefault) << "a raw default button";
  WriteRow({normal, hot, focused, pressed, disabled, Print(d)}, "synthetic_button_states.png");
  delete ad;
  delete a;
}

TEST(BtnWnd, GoldensOfTheProgramSkins) {
  // Faces without caption: normal, hot, pressed, default, disabled.
  const uint64_t golden[2][5] = {
      {6884049609758565161ull, 5007108994655481039ull, 18039372573741409325ull, 623788890752556647ull,
       12200960607645460941ull},
      {6884049609758565161ull, 12876026790559549106ull, 5551323419057148355ull, 4201101436796821512ull,
       12200960607645460941ull}};
  for (int s = 0; s < 2; ++s) {
    Skinned k(ProgramSkin(s));
    ASSERT_TRUE(k.skin);
    Host host;
    HWND b = host.Child(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, 75, 25);
    HWND d = host.Child(L"BUTTON", L"", BS_DEFPUSHBUTTON, 10, 50, 75, 25);
    auto* a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
    auto* ad = AttachAdapter<TkcBtnWnd>(d, k.Source(), TkcSkinParams{});
    std::vector<TPixelBuffer> faces;
    faces.push_back(Print(b));
    a->S.Focused = true;
    faces.push_back(Print(b));
    a->S.Focused = false;
    SendMessageW(b, BM_SETSTATE, TRUE, 0);
    faces.push_back(Print(b));
    SendMessageW(b, BM_SETSTATE, FALSE, 0);
    faces.push_back(Print(d));
    EnableWindow(b, FALSE);
    faces.push_back(Print(b));
    for (int i = 0; i < 5; ++i)
      EXPECT_EQ(PixelChecksum(View32(faces[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " face " << i;
    // With captions, for looking at.
    SetWindowTextW(b, L"Disabled");
    SetWindowTextW(d, L"Default");
    HWND c = host.Child(L"BUTTON", L"Caption", BS_PUSHBUTTON, 10, 90, 75, 25);
    auto* ac = AttachAdapter<TkcBtnWnd>(c, k.Source(), TkcSkinParams{});
    faces.push_back(Print(c));
    ac->S.Focused = true;
    faces.push_back(Print(c));
    SendMessageW(c, BM_SETSTATE, TRUE, 0);
    faces.push_back(Print(c));
    faces.push_back(Print(d));
    faces.push_back(Print(b));
    WriteRow(faces, std::string(ProgramSkinName(s)) + "_button_states.png");
    delete ac;
    delete ad;
    delete a;
  }
}

TEST(BtnWnd, HoverFollowsTheManagersActiveControl) {
  Skinned k(SyntheticControlSkin());
  // The button section glows: a 12 x 12 mask with 4-pixel borders.
  TkMaskData glow;
  glow.ClassName = u"BUTTON";
  glow.PropertyName = u"GLOW0";
  glow.Bmp = std::make_shared<TPixelBuffer>(TPixelFormat::pf32bit, 12, 12);
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 12; ++x) View32(*glow.Bmp).Pixel(x, y) = 0x80FFC000;
  glow.R = fw::Rect(0, 0, 12, 12);
  glow.ImageCount = 1;
  glow.WL = glow.WT = glow.WR = glow.WB = 4;
  glow.ImgType = TkcImgType::itisaGlow;
  k.skin->ma.push_back(glow);
  k.skin->gd[size_t(k.skin->GetSkinIndex(u"BUTTON"))].GlowCount = 1;
  TkSkinManager manager(nullptr);
  Host host;
  HWND b = host.Child(L"BUTTON", L"Go", BS_PUSHBUTTON, 10, 10, 80, 26);
  auto* a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  RECT r{};
  GetWindowRect(b, &r);
  POINT cursor{r.left + 5, r.top + 5};
  ScrollCursorPos = [&] { return cursor; };
  SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager.ActiveControl(), b);
  EXPECT_TRUE(a->S.MouseAbove);
  EXPECT_EQ(FacePixel(b), Px(Hot(kButton)));
  EXPECT_NE(a->S.GlowID, -1) << "the section's glow shows";
  cursor = POINT{r.right + 20, r.top + 5};
  SendMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM(100, 5));
  EXPECT_EQ(manager.ActiveControl(), nullptr) << "a move outside (a captured drag) leaves";
  EXPECT_FALSE(a->S.MouseAbove);
  EXPECT_EQ(a->S.GlowID, -1) << "and goes";
  EXPECT_EQ(FacePixel(b), Px(kButton));
  ScrollCursorPos = [] {
    POINT p{};
    GetCursorPos(&p);
    return p;
  };
  delete a;
}

TEST(BtnWnd, SkinRemovalAndDestructionGiveTheWindowBack) {
  Skinned k(SyntheticControlSkin());
  Host host;
  HWND b = host.Child(L"BUTTON", L"Go", BS_PUSHBUTTON, 10, 10, 80, 26);
  const LONG_PTR own = GetWindowLongPtrW(b, GWLP_WNDPROC);
  auto* a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  EXPECT_NE(GetWindowLongPtrW(b, GWLP_WNDPROC), own);
  SendMessageW(b, WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
  delete a;
  EXPECT_EQ(GetWindowLongPtrW(b, GWLP_WNDPROC), own);
  EXPECT_EQ(GetWindowAdapter(b), nullptr);
  EXPECT_EQ(SendMessageW(b, WM_SKINCOMMAND, SkinCommand(SKC_ISHANDLED), 0), 0);

  a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  DestroyWindow(b);
  EXPECT_TRUE(a->Destroyed);
  delete a;

  HWND t = host.Child(L"STATIC", L"Name", SS_LEFT, 10, 50, 80, 20);
  auto* st = AttachAdapter<TkcStaticWnd>(t, k.Source(), TkcSkinParams{});
  DestroyWindow(t);
  EXPECT_TRUE(st->Destroyed);
  delete st;
}

TEST(StaticWnd, TextOverWhatLiesBehindInTheSkinsColour) {
  Skinned k(SyntheticControlSkin());
  Host host;
  HWND t = host.Child(L"STATIC", L"&Name", SS_LEFT, 10, 10, 100, 20);
  HWND n = host.Child(L"STATIC", L"&Name", SS_LEFT | SS_NOPREFIX, 10, 40, 100, 20);
  HWND tab = host.Child(L"STATIC", L"&Name", SS_LEFT | WS_TABSTOP, 10, 70, 100, 20);
  auto* a = AttachAdapter<TkcStaticWnd>(t, k.Source(), TkcSkinParams{});
  auto* an = AttachAdapter<TkcStaticWnd>(n, k.Source(), TkcSkinParams{});
  auto* at = AttachAdapter<TkcStaticWnd>(tab, k.Source(), TkcSkinParams{});
  EXPECT_EQ(a->TextFlags(), 0x9D0u);
  EXPECT_EQ(an->TextFlags(), 0x950u);
  // Centred and right-aligned statics keep their alignment.
  HWND c = host.Child(L"STATIC", L"Mid", SS_CENTER, 10, 100, 100, 20);
  HWND r = host.Child(L"STATIC", L"End", SS_RIGHT | SS_NOPREFIX, 10, 130, 100, 20);
  auto* ac = AttachAdapter<TkcStaticWnd>(c, k.Source(), TkcSkinParams{});
  auto* ar = AttachAdapter<TkcStaticWnd>(r, k.Source(), TkcSkinParams{});
  EXPECT_EQ(ac->TextFlags(), 0x9D0u | DT_CENTER);
  EXPECT_EQ(ar->TextFlags(), 0x950u | DT_RIGHT);
  TPixelBuffer pc = Print(c), pr = Print(r);
  auto inkColumns = [](TPixelBuffer& p) {
    int first = 1000, last = -1;
    for (int y = 0; y < p.Height(); ++y)
      for (int x = 0; x < p.Width(); ++x)
        if (View32(p).Pixel(x, y) == Px(kLabelText)) {
          first = std::min(first, x);
          last = std::max(last, x);
        }
    return std::make_pair(first, last);
  };
  EXPECT_NEAR(inkColumns(pc).first + inkColumns(pc).second, 100, 4) << "centred";
  EXPECT_GE(inkColumns(pr).second, 95) << "at the right";
  delete ar;
  delete ac;
  TPixelBuffer p = Print(t), pn = Print(n), pt = Print(tab);
  EXPECT_EQ(View32(p).Pixel(95, 18), Px(kHost)) << "the see-through section shows the host";
  EXPECT_GT(CountPixels(View32(p), Px(kLabelText)), 5) << "text in the section's colour";
  EXPECT_NE(PixelChecksum(View32(p)), PixelChecksum(View32(pn))) << "the prefix is drawn as an underline";
  EXPECT_EQ(CountPixels(View32(pt), Px(kLabelText)), 0) << "a tab stop keeps its own drawing";
  SetWindowTextW(t, L"Other");
  EXPECT_EQ(a->Caption, u"Other");
  WriteRow({p, pn, pt, Print(t)}, "synthetic_static.png");
  delete at;
  delete an;
  delete a;
}

TEST(BtnWnd, TheFactoryGivesButtonsStaticsAndEditsTheirAdapters) {
  Skinned k(SyntheticControlSkin());
  Host host;
  struct Case {
    const char* what;
    TkcAdapterKind kind;
    const wchar_t* cls;
    bool (*is)(TkcMainWnd*);
  } cases[] = {
      {"button", TkcAdapterKind::Button, L"BUTTON", [](TkcMainWnd* a) { return dynamic_cast<TkcBtnWnd*>(a) != nullptr; }},
      {"static", TkcAdapterKind::Static, L"STATIC", [](TkcMainWnd* a) { return dynamic_cast<TkcStaticWnd*>(a) != nullptr; }},
      {"edit", TkcAdapterKind::Edit, L"EDIT", [](TkcMainWnd* a) { return dynamic_cast<TkcEditWnd*>(a) != nullptr; }},
      {"list box", TkcAdapterKind::Edit, L"LISTBOX", [](TkcMainWnd* a) { return dynamic_cast<TkcEditWnd*>(a) != nullptr; }},
      {"icon", TkcAdapterKind::Icon, L"STATIC", [](TkcMainWnd* a) { return dynamic_cast<TkcIconWnd*>(a) != nullptr; }},
      {"link", TkcAdapterKind::Link, L"STATIC", [](TkcMainWnd* a) { return dynamic_cast<TkcLinkWnd*>(a) != nullptr; }},
  };
  for (const Case& c : cases) {
    HWND h = host.Child(c.cls, L"x", 0, 10, 10, 80, 40);
    TkcMainWnd* a = MakeKindAdapter(c.kind, h, k.Source(), TkcSkinParams{});
    EXPECT_TRUE(c.is(a)) << c.what;
    delete a;
    DestroyWindow(h);
  }
  fwtest::TestForm form;
  form->Show();
  auto* button = new fw::TButton(form.form);
  button->SetParent(form.form);
  TkcMainWnd* a = MakeListAdapter(tlButton, button, k.Source(), TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcButtonWnd*>(a), nullptr) << "a framework button";
  delete a;
  a = MakeListAdapter(tlBitBtn, button, k.Source(), TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcBitBtnWnd*>(a), nullptr) << "a bit button";
  delete a;
}

// A dialog's controls get their adapters while they are being made, before
// their text is set: they show the text they have when they paint.
TEST(BtnWnd, TextSetAfterTheAdapterIsShown) {
  Skinned k(SyntheticControlSkin());
  Host host;
  HWND b = host.Child(L"BUTTON", L"", BS_PUSHBUTTON, 10, 10, 80, 26);
  HWND t = host.Child(L"STATIC", L"", SS_LEFT, 10, 50, 80, 20);
  auto* ab = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  auto* at = AttachAdapter<TkcStaticWnd>(t, k.Source(), TkcSkinParams{});
  // The text as window creation sets it, past the window's procedure.
  DefWindowProcW(b, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Open"));
  DefWindowProcW(t, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Name"));
  TPixelBuffer pb = Print(b), pt = Print(t);
  EXPECT_GT(CountPixels(View32(pb), Px(kButtonText)), 5);
  EXPECT_GT(CountPixels(View32(pt), Px(kLabelText)), 5);
  delete at;
  delete ab;
}

namespace {

HHOOK gCbt = nullptr;
TkcMainWnd* gMadeEarly = nullptr;
TkcSkinSource gEarlySkin;
LRESULT CALLBACK AdaptOnCreate(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_CREATEWND && !gMadeEarly) gMadeEarly = AttachAdapter<TkcMainWnd>(HWND(w), gEarlySkin, TkcSkinParams{});
  return CallNextHookEx(gCbt, code, w, l);
}

}  // namespace

TEST(BtnWnd, AnAdapterMadeWithItsWindowKnowsTheCaption) {
  Skinned k(SyntheticControlSkin());
  Host host;
  gEarlySkin = k.Source();
  gMadeEarly = nullptr;
  gCbt = SetWindowsHookExW(WH_CBT, AdaptOnCreate, nullptr, GetCurrentThreadId());
  HWND b = host.Child(L"BUTTON", L"Early", BS_PUSHBUTTON, 10, 10, 80, 26);
  UnhookWindowsHookEx(gCbt);
  ASSERT_NE(gMadeEarly, nullptr);
  EXPECT_EQ(gMadeEarly->Caption, u"Early");
  delete gMadeEarly;
  DestroyWindow(b);
}

// The button's own drawing never shows over the skin: not when its state,
// style, focus or text changes.
TEST(BtnWnd, TheButtonsOwnDrawingNeverShows) {
  Skinned k(SyntheticControlSkin());
  Host host;
  HWND b = host.Child(L"BUTTON", L"Go", BS_PUSHBUTTON, 10, 10, 80, 26);
  auto* a = AttachAdapter<TkcBtnWnd>(b, k.Source(), TkcSkinParams{});
  RedrawWindow(b, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  auto shown = [&] {
    HDC dc = GetWindowDC(b);
    const COLORREF c = GetPixel(dc, 3, 3);
    ReleaseDC(b, dc);
    return c;
  };
  const COLORREF skinNormal = kButton, skinHot = Hot(kButton);
  EXPECT_EQ(shown(), skinNormal);
  struct Step {
    const char* what;
    UINT msg;
    WPARAM w;
    LPARAM l;
  } steps[] = {
      {"style", BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE},
      {"pressed", BM_SETSTATE, TRUE, 0},
      {"released", BM_SETSTATE, FALSE, 0},
      {"text", WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"Again")},
      {"focus", WM_SETFOCUS, 0, 0},
  };
  for (const Step& s : steps) {
    SendMessageW(b, s.msg, s.w, s.l);
    const COLORREF c = shown();
    EXPECT_TRUE(c == skinNormal || c == skinHot) << s.what << " " << std::hex << c;
  }
  delete a;
}
