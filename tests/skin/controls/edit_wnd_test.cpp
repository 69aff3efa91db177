// Edits and lists under the edit adapter: the skin's colours given and the
// control's own ones back exactly when the skin goes, the frame in the hot
// look while focused, a disabled edit shown from the cache with its text
// greyed, printing, the scroll bars in step with a list's items, a dialog's
// raw edit in its plain look, and goldens of the program's skins.
#include "skin/controls/edit_wnd.h"

#include <map>

#include "fw/controls_test_util.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/listbox.h"
#include "skin/engine/bitmap_dc.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

// An edit with a published focus colour, as some edits of other makers have.
class TFocusEdit : public fw::TEdit {
  FW_CLASS(TFocusEdit, fw::TEdit)
 public:
  explicit TFocusEdit(fw::TComponent* AOwner) : fw::TEdit(AOwner) {}
  fw::TColor FFocusColor = 0x00FFFF;
};

}  // namespace

FW_REGISTER(TFocusEdit) { c.Property(u"FocusColor", &TFocusEdit::FFocusColor, &TFocusEdit::FFocusColor); }

namespace {

struct Form {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{300, 200};
  explicit Form(std::unique_ptr<TkLoadedSkin> s = SyntheticControlSkin()) : skin(std::move(s)) { form->Show(); }
  TkcSkinSource Source() {
    return [this] { return skin.get(); };
  }
  template <class T>
  T* Add(int x, int y, int w, int h) {
    auto* c = new T(form.form);
    c->SetParent(form.form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  TkcEditWnd* Attach(fw::TWinControl* c, bool skinColor = true, bool skinFont = true) {
    TkcSkinParams p;
    p.Control = c;
    p.UseSkinColor = skinColor;
    p.UseSkinFontColor = skinFont;
    auto* a = AttachAdapter<TkcEditWnd>(c->Handle(), Source(), p);
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    return a;
  }
};

// What the window shows at a point of its frame.
uint32_t ShownPixel(HWND wnd, int x, int y) {
  HDC dc = GetWindowDC(wnd);
  const COLORREF c = GetPixel(dc, x, y);
  ReleaseDC(wnd, dc);
  return Px(c);
}

uint32_t PrintedPixel(HWND wnd, int x, int y) {
  TPixelBuffer p = Print(wnd);
  return View32(p).Pixel(x, y);
}

}  // namespace

TEST(EditWnd, SkinColoursComeAndTheControlsOwnGoBackExactly) {
  struct Case {
    const char* what;
    bool focusColor, skinColor, skinFont;
  } cases[] = {
      {"plain edit", false, true, true},
      {"edit with a focus colour", true, true, true},
      {"own colour kept", false, false, true},
      {"own font colour kept", true, true, false},
  };
  for (const Case& c : cases) {
    Form f;
    fw::TEdit* e = c.focusColor ? f.Add<TFocusEdit>(10, 10, 120, 24) : f.Add<fw::TEdit>(10, 10, 120, 24);
    e->SetColor(0x123456);
    e->Font()->SetColor(0x654321);
    TkcEditWnd* a = f.Attach(e, c.skinColor, c.skinFont);
    a->SetSkinParams();
    EXPECT_EQ(e->Color(), c.skinColor ? kEdit : 0x123456) << c.what;
    EXPECT_EQ(e->Font()->Color(), c.skinFont ? kEditText : 0x654321) << c.what;
    if (c.focusColor && c.skinColor)
      EXPECT_EQ(static_cast<TFocusEdit*>(e)->FFocusColor, kEdit) << c.what << ": the focus colour is the skin's";
    SendMessageW(e->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), 0);
    EXPECT_EQ(e->Color(), c.skinColor ? kEdit : 0x123456) << c.what << " after a refresh";
    SendMessageW(e->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
    EXPECT_EQ(e->Color(), 0x123456) << c.what;
    EXPECT_EQ(e->Font()->Color(), 0x654321) << c.what;
    if (c.focusColor) EXPECT_EQ(static_cast<TFocusEdit*>(e)->FFocusColor, 0x00FFFF) << c.what;
    const fw::TWndMethod adapted = e->WindowProc();
    delete a;
    EXPECT_FALSE(e->WindowProc() == adapted) << c.what << ": the procedure comes back";
    EXPECT_EQ(GetWindowAdapter(e->Handle()), nullptr);
    EXPECT_EQ(e->Color(), 0x123456) << c.what << " after the adapter went";
  }
}

TEST(EditWnd, AControlFollowingItsParentFollowsItAgain) {
  Form f;
  fw::TEdit* e = f.Add<fw::TEdit>(10, 10, 120, 24);
  e->SetParentFont(true);
  e->SetParentColor(true);
  const fw::TColor colour = e->Color(), font = e->Font()->Color();
  TkcEditWnd* a = f.Attach(e);
  a->SetSkinParams();
  EXPECT_FALSE(e->ParentFont()) << "the skin's colours are its own";
  delete a;
  EXPECT_TRUE(e->ParentFont());
  EXPECT_TRUE(e->ParentColor());
  EXPECT_EQ(e->Color(), colour);
  EXPECT_EQ(e->Font()->Color(), font);
}

TEST(EditWnd, FocusShowsTheHotFrameOnlyWithATabStop) {
  for (bool tabStop : {true, false}) {
    Form f;
    fw::TEdit* e = f.Add<fw::TEdit>(10, 10, 120, 24);
    e->SetTabStop(tabStop);
    TkcEditWnd* a = f.Attach(e);
    EXPECT_EQ(PrintedPixel(e->Handle(), 0, 0), Px(kEdit));
    SendMessageW(e->Handle(), WM_SETFOCUS, 0, 0);
    TPixelBuffer focused = Print(e->Handle());
    EXPECT_EQ(View32(focused).Pixel(0, 0), tabStop ? Px(Hot(kEdit)) : Px(kEdit)) << tabStop;
    EXPECT_EQ(e->Color(), tabStop ? Hot(kEdit) : kEdit) << "the control's colour follows";
    EXPECT_EQ(ShownPixel(e->Handle(), 0, 0), tabStop ? Px(Hot(kEdit)) : Px(kEdit)) << "repainted at once";
    SendMessageW(e->Handle(), WM_KILLFOCUS, 0, 0);
    EXPECT_EQ(ShownPixel(e->Handle(), 0, 0), Px(kEdit));
    delete a;
  }
}

TEST(EditWnd, ADisabledEditShowsItsGreyedTextFromTheCache) {
  Form f;
  fw::TEdit* plain = f.Add<fw::TEdit>(10, 10, 120, 24);
  fw::TEdit* secret = f.Add<fw::TEdit>(10, 50, 120, 24);
  plain->SetText(u"abc");
  secret->SetText(u"abc");
  secret->SetPasswordChar(u'*');
  TkcEditWnd* a = f.Attach(plain);
  TkcEditWnd* b = f.Attach(secret);
  plain->SetEnabled(false);
  secret->SetEnabled(false);
  RedrawWindow(plain->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  RedrawWindow(secret->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
  ASSERT_TRUE(a->S.Cache);
  // What the window shows is the cache, text and all.
  const TPixelView32 cache = View32(*a->S.Cache);
  int differ = 0, text = 0;
  for (int y = 0; y < cache.Height; ++y)
    for (int x = 0; x < cache.Width; ++x) {
      differ += ShownPixel(plain->Handle(), x, y) != (cache.Pixel(x, y) & 0xFFFFFF);
      text += (cache.Pixel(x, y) & 0xFFFFFF) != (cache.Pixel(cache.Width - 4, 3) & 0xFFFFFF);
    }
  EXPECT_EQ(differ, 0) << "the window shows its cache";
  EXPECT_GT(text, 10) << "the text is in the cache";
  // Three bullets, not the letters.
  GdiFlush();
  EXPECT_NE(PixelChecksum(View32(*a->S.Cache)), PixelChecksum(View32(*b->S.Cache)));
  TPixelBuffer printed = Print(secret->Handle());
  int unlike = 0;
  for (int y = 0; y < cache.Height; ++y)
    for (int x = 0; x < cache.Width; ++x)
      unlike += View32(printed).Pixel(x, y) != (View32(*b->S.Cache).Pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(unlike, 0) << "printed as shown";
  WriteRow({Print(plain->Handle()), printed}, "synthetic_disabled_edits.png", 3);
  delete b;
  delete a;
}

TEST(EditWnd, PrintingGivesFrameBackgroundAndText) {
  Form f;
  fw::TEdit* e = f.Add<fw::TEdit>(10, 10, 120, 24);
  e->SetText(u"Print me");
  TkcEditWnd* a = f.Attach(e);
  TPixelBuffer p = Print(e->Handle(), 0x00FF00);
  const TPixelView32 v = View32(p);
  EXPECT_EQ(CountPixels(v, 0x00FF00), 0) << "every pixel printed";
  EXPECT_EQ(v.Pixel(0, 0), Px(kEdit)) << "frame";
  EXPECT_EQ(v.Pixel(110, 12), Px(kEdit)) << "background in the skin's colour";
  EXPECT_GT(CountPixels(v, Px(kEditText)), 5) << "the text in the skin's text colour";
  WriteRow({p}, "synthetic_edit_print.png", 3);
  delete a;
}

TEST(EditWnd, AListsBarsFollowItsItems) {
  Form f;
  auto* list = f.Add<fw::TListBox>(10, 10, 120, 80);
  TkcEditWnd* a = f.Attach(list);
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), -1) << "an empty list has no top item";
  for (int i = 0; i < 30; ++i) list->Items()->Add(fw::String(u"Item ") + char16_t(u'A' + i));
  EXPECT_TRUE(a->sBarVert.Visible) << "the bar appears with the items";
  const fw::TRect bar = a->VertBarRect();
  RECT w{};
  GetWindowRect(list->Handle(), &w);
  // The track below the thumb, in the skin's colour.
  EXPECT_EQ(ShownPixel(list->Handle(), bar.Left - w.left + 5, bar.Bottom - w.top - 25), Px(kTrack2));
  EXPECT_EQ(SendMessageW(list->Handle(), LB_GETTOPINDEX, 0, 0), 0);
  delete a;
}

namespace {

std::map<UINT, int> gRawSeen;
LRESULT CALLBACK RawEditSpy(HWND h, UINT m, WPARAM w, LPARAM l);
WNDPROC gRawEditProc = nullptr;
LRESULT CALLBACK RawEditSpy(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND) ++gRawSeen[SkinCommandCode(w)];
  return CallWindowProcW(gRawEditProc, h, m, w, l);
}

}  // namespace

TEST(EditWnd, ADialogsRawEditHasThePlainLook) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  Host host;
  // A dialog's edit has a sunken edge (the system draws an edit's plain
  // border inside its client area).
  HWND e = host.Child(L"EDIT", L"raw", 0, 10, 10, 120, 24, WS_EX_CLIENTEDGE);
  gRawEditProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(e, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RawEditSpy)));
  gRawSeen.clear();
  AddingDialogControls = true;
  TkcSkinParams p;
  p.SkinSection = u"EDIT";
  auto* a = AttachAdapter<TkcEditWnd>(e, [&] { return skin.get(); }, p);
  AddingDialogControls = false;
  EXPECT_TRUE(a->DlgMode);
  TPixelBuffer printed = Print(e);
  EXPECT_EQ(View32(printed).Pixel(0, 0), Px(kBorder)) << "a frame in the skin's border colour";
  EXPECT_EQ(View32(printed).Pixel(110, 12), Px(GetSysColor(COLOR_WINDOW))) << "the window colour";
  EXPECT_EQ(a->Color, fw::clWindow);
  EXPECT_EQ(a->FrameColor, kBorder);
  SendMessageW(e, WM_SKINCOMMAND, SkinCommand(SKC_REFRESH), 0);
  EXPECT_EQ(gRawSeen[SKC_REFRESH], 1) << "the refresh reaches the edit once";
  DestroyWindow(e);
  EXPECT_TRUE(a->Destroyed) << "destroyed while attached";
  delete a;
}

TEST(EditWnd, GoldensOfTheProgramSkins) {
  // Empty edits printed: normal, focused, disabled.
  const uint64_t golden[2][3] = {{2636595120897728407ull, 8634187390907509171ull, 18092167414287140883ull},
                                 {2636595120897728407ull, 18303251313078840675ull, 18092167414287140883ull}};
  for (int s = 0; s < 2; ++s) {
    Form f(ProgramSkin(s));
    ASSERT_TRUE(f.skin);
    fw::TEdit* e = f.Add<fw::TEdit>(10, 10, 120, 24);
    TkcEditWnd* a = f.Attach(e);
    std::vector<TPixelBuffer> shown;
    shown.push_back(Print(e->Handle()));
    SendMessageW(e->Handle(), WM_SETFOCUS, 0, 0);
    shown.push_back(Print(e->Handle()));
    SendMessageW(e->Handle(), WM_KILLFOCUS, 0, 0);
    e->SetEnabled(false);
    shown.push_back(Print(e->Handle()));
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(PixelChecksum(View32(shown[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " edit " << i;
    e->SetEnabled(true);
    e->SetText(u"Vestaline");
    shown.push_back(Print(e->Handle()));
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_edit_states.png", 3);
    delete a;
  }
}

TEST(EditWnd, HoverShowsTheHotFrame) {
  Form f;
  fw::TEdit* e = f.Add<fw::TEdit>(10, 10, 120, 24);
  TkcEditWnd* a = f.Attach(e);
  e->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_EQ(PrintedPixel(e->Handle(), 0, 0), Px(Hot(kEdit)));
  e->Perform(fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(PrintedPixel(e->Handle(), 0, 0), Px(kEdit));
  delete a;
}

// A list whose window is made again (its style changed) leaves its adapter
// detached; a new one attaches to the new window.
TEST(EditWnd, AListMadeAgainLeavesItsAdapterDetached) {
  Form f;
  auto* list = f.Add<fw::TListBox>(10, 10, 120, 80);
  for (int i = 0; i < 30; ++i) list->Items()->Add(fw::String(u"Font ") + char16_t(u'A' + i));
  TkcEditWnd* a = f.Attach(list);
  const HWND first = list->Handle();
  list->SetColumns(3);  // the window is made again
  list->SetStyle(fw::lbOwnerDrawFixed);
  const HWND second = list->Handle();
  ASSERT_NE(first, second);
  EXPECT_TRUE(a->Destroyed);
  EXPECT_EQ(list->Color(), a->StdColor) << "the list's own colour back";
  delete a;
  TkcEditWnd* b = f.Attach(list);
  EXPECT_EQ(GetWindowAdapter(second), b);
  EXPECT_TRUE(b->sBarHorz.Visible) << "columns scroll sideways";
  delete b;
}

TEST(EditWnd, ASkinWithoutTheSectionShowsWhatLiesBehind) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticScrollSkin();  // no "EDIT"
  Host host;
  HWND e = host.Child(L"EDIT", L"", 0, 10, 10, 120, 24, WS_EX_CLIENTEDGE);
  auto* a = AttachAdapter<TkcEditWnd>(e, [&] { return skin.get(); }, TkcSkinParams{});
  TPixelBuffer p = Print(e);
  EXPECT_EQ(View32(p).Pixel(0, 0), Px(kHost)) << "the frame is what lies behind, not an empty image";
  delete a;
}
