// Buttons with images, bit buttons, links and icon statics under their
// adapters: the image chosen by state and placed by alignment and margins,
// content shifted on click only when the manager says so, a bit button's
// glyph frame, a raw bitmap button measured by its bitmap's pixels and
// showing it, a link without its tags and underlined, icons and bitmaps
// drawn over what lies behind, goldens of the program's skins, and every
// adapter leaving its window whole when the skin goes or the window is
// destroyed.
#include "skin/controls/button_wnd.h"

#include "fw/controls/button.h"
#include "fw/controls_test_util.h"
#include "fw/core/rtti.h"
#include "skin/controls/adapter_paint.h"
#include "skin/controls/link_wnd.h"
#include "skin/controls/static_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

class TTestMargins : public fw::TPersistent {
  FW_CLASS(TTestMargins, fw::TPersistent)
 public:
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A button publishing image-list images as framework buttons with images do.
class TImageButton : public fw::TButton {
  FW_CLASS(TImageButton, fw::TButton)
 public:
  explicit TImageButton(fw::TComponent* AOwner) : fw::TButton(AOwner) {}
  fw::TCustomImageList* Images = nullptr;
  int ImageIndex = -1, HotImageIndex = -1, PressedImageIndex = -1, SelectedImageIndex = -1, DisabledImageIndex = -1;
  int ImageAlignment = iaLeft;
  TTestMargins* Margins = new TTestMargins;
  ~TImageButton() override { delete Margins; }
};

// A button publishing a glyph as bit buttons do.
class TGlyphButton : public fw::TButton {
  FW_CLASS(TGlyphButton, fw::TButton)
 public:
  explicit TGlyphButton(fw::TComponent* AOwner) : fw::TButton(AOwner) {}
  fw::TBitmap* Glyph = nullptr;
  int NumGlyphs = 1, Layout = blGlyphLeft, Spacing = 4, Margin = -1;
};

}  // namespace

FW_REGISTER(TTestMargins) {
  c.Property(u"Left", &TTestMargins::Left, &TTestMargins::Left);
  c.Property(u"Top", &TTestMargins::Top, &TTestMargins::Top);
  c.Property(u"Right", &TTestMargins::Right, &TTestMargins::Right);
  c.Property(u"Bottom", &TTestMargins::Bottom, &TTestMargins::Bottom);
}
FW_REGISTER(TImageButton) {
  c.Property(u"Images", &TImageButton::Images, &TImageButton::Images);
  c.Property(u"ImageIndex", &TImageButton::ImageIndex, &TImageButton::ImageIndex);
  c.Property(u"HotImageIndex", &TImageButton::HotImageIndex, &TImageButton::HotImageIndex);
  c.Property(u"PressedImageIndex", &TImageButton::PressedImageIndex, &TImageButton::PressedImageIndex);
  c.Property(u"SelectedImageIndex", &TImageButton::SelectedImageIndex, &TImageButton::SelectedImageIndex);
  c.Property(u"DisabledImageIndex", &TImageButton::DisabledImageIndex, &TImageButton::DisabledImageIndex);
  c.Property(u"ImageAlignment", &TImageButton::ImageAlignment, &TImageButton::ImageAlignment);
  c.Property(u"ImageMargins", &TImageButton::Margins, &TImageButton::Margins);
}
FW_REGISTER(TGlyphButton) {
  c.Property(u"Glyph", &TGlyphButton::Glyph, &TGlyphButton::Glyph);
  c.Property(u"NumGlyphs", &TGlyphButton::NumGlyphs, &TGlyphButton::NumGlyphs);
  c.Property(u"Layout", &TGlyphButton::Layout, &TGlyphButton::Layout);
  c.Property(u"Spacing", &TGlyphButton::Spacing, &TGlyphButton::Spacing);
  c.Property(u"Margin", &TGlyphButton::Margin, &TGlyphButton::Margin);
}

namespace {

// Four 16 x 16 images: red, green, blue, yellow (pixels 0x00RRGGBB).
constexpr uint32_t kImage[4] = {0xE00000, 0x00E000, 0x0000E0, 0xE0E000};

struct Images {
  fw::TCustomImageList list{nullptr};
  Images() {
    list.SetMasked(false);
    list.SetWidth(16);
    list.SetHeight(16);
    for (uint32_t c : kImage) {
      auto b = NewBitmap32(16, 16);
      const TPixelView32 v = View32(*b);
      for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) v.Pixel(x, y) = 0xFF000000u | c;
      list.Add(b.get(), nullptr);
    }
  }
};

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
  template <class A>
  A* Attach(fw::TWinControl* c) {
    TkcSkinParams p;
    p.Control = c;
    return AttachAdapter<A>(c->Handle(), Source(), p);
  }
};

// Each channel within 2.
bool Near(uint32_t a, uint32_t b) {
  for (int s = 0; s < 24; s += 8)
    if (std::abs(int((a >> s) & 0xFF) - int((b >> s) & 0xFF)) > 2) return false;
  return true;
}

uint32_t Pixel(HWND wnd, int x, int y) {
  TPixelBuffer p = Print(wnd);
  return View32(p).Pixel(x, y);
}

}  // namespace

TEST(ButtonWnd, TheImageSitsByAlignmentAndMarginsBesideTheCaption) {
  Form f;
  Images images;
  auto* b = f.Add<TImageButton>(10, 10, 100, 30);
  b->Images = &images.list;
  b->ImageIndex = 0;
  b->Margins->Left = 2;
  b->SetCaption(u"Go");
  auto* a = f.Attach<TkcButtonWnd>(b);
  Print(b->Handle());
  EXPECT_EQ(a->GlyphRect(), fw::Rect(5, 7, 21, 23)) << "margin 2 + 3";
  EXPECT_EQ(Pixel(b->Handle(), 5, 7), kImage[0]);
  EXPECT_NE(Pixel(b->Handle(), 4, 7), kImage[0]);
  const fw::TRect caption = a->CaptionRect();
  EXPECT_GT(caption.Left, 21) << "the caption right of the image";
  EXPECT_LE(std::abs((caption.Left + 1 + caption.Right - 2) / 2 - (21 + 100) / 2), 1) << "centred in the room left";

  b->ImageAlignment = iaRight;
  EXPECT_EQ(Pixel(b->Handle(), 100 - 3 - 16, 7), kImage[0]);
  b->ImageAlignment = iaCenter;
  EXPECT_EQ(Pixel(b->Handle(), 42, 7), kImage[0]);
  b->ImageIndex = 9;
  EXPECT_FALSE(a->HaveImage()) << "an index outside the list shows no image";
  EXPECT_EQ(a->GlyphSize(), fw::TPoint{});
  delete a;
}

TEST(ButtonWnd, TheImageFollowsTheState) {
  Form f;
  Images images;
  auto* b = f.Add<TImageButton>(10, 10, 100, 30);
  b->Images = &images.list;
  b->ImageIndex = 0;
  b->HotImageIndex = 1;
  b->PressedImageIndex = 2;
  b->SelectedImageIndex = 3;
  b->DisabledImageIndex = 7;
  auto* a = f.Attach<TkcButtonWnd>(b);
  EXPECT_EQ(Pixel(b->Handle(), 8, 10), kImage[0]);
  a->S.Focused = true;
  EXPECT_EQ(Pixel(b->Handle(), 8, 10), kImage[1]) << "hot";
  a->S.Focused = false;
  b->SetFocus();
  ASSERT_EQ(GetFocus(), b->Handle());
  EXPECT_EQ(Pixel(b->Handle(), 8, 10), kImage[3]) << "focused: the selected image";
  b->SelectedImageIndex = 7;
  EXPECT_EQ(Pixel(b->Handle(), 8, 10), kImage[0]) << "selected outside the list";
  SendMessageW(b->Handle(), BM_SETSTATE, TRUE, 0);
  EXPECT_EQ(Pixel(b->Handle(), 9, 11), kImage[2]) << "pressed, shifted by one";
  EXPECT_EQ(a->GlyphRect(), fw::Rect(4, 8, 20, 24)) << "no margin: 3 from the edge, and one more";
  {
    TkSkinManager manager(nullptr);
    manager.ButtonsOptions()->FShiftContentOnClick = false;
    EXPECT_EQ(a->GlyphRect(), fw::Rect(3, 7, 19, 23)) << "the manager keeps content still";
  }
  SendMessageW(b->Handle(), BM_SETSTATE, FALSE, 0);
  b->SetEnabled(false);
  EXPECT_EQ(a->GlyphIndex(), 0) << "disabled index outside the list";
  delete a;
}

namespace {

HBITMAP SolidBitmap(int w, int h, uint32_t argb, WORD bits) {
  BITMAPINFO bi{};
  bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, bits, BI_RGB};
  void* p = nullptr;
  HBITMAP b = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0);
  if (bits == 32) std::fill_n(static_cast<uint32_t*>(p), size_t(w) * size_t(h), argb);
  else
    for (int i = 0; i < w * h; ++i) {
      auto* q = static_cast<uint8_t*>(p) + ((w * 3 + 3) & ~3) * (i / w) + 3 * (i % w);
      q[0] = uint8_t(argb);
      q[1] = uint8_t(argb >> 8);
      q[2] = uint8_t(argb >> 16);
    }
  return b;
}

}  // namespace

TEST(BitBtnWnd, GlyphFramesAndARawButtonsBitmap) {
  Form f;
  auto glyph = NewBitmap32(32, 16);
  {
    const TPixelView32 v = View32(*glyph);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 32; ++x) v.Pixel(x, y) = x < 16 ? 0xFF2040E0u : 0xFFE04020u;
  }
  auto* b = f.Add<TGlyphButton>(10, 10, 80, 40);
  b->Glyph = glyph.get();
  b->NumGlyphs = 2;
  b->Layout = blGlyphTop;
  auto* a = f.Attach<TkcBitBtnWnd>(b);
  Print(b->Handle());
  EXPECT_EQ(a->GlyphSize(), (fw::TPoint{16, 16}));
  const fw::TRect g = a->GlyphRect();
  EXPECT_EQ(g.Left, (80 - 16) / 2 + 1) << "one pixel right of the centre";
  EXPECT_EQ(g.Width(), 16);
  EXPECT_TRUE(Near(Pixel(b->Handle(), g.Left + 8, g.Top + 8), 0x2040E0u)) << "the first frame";
  delete a;

  // A raw button with a bitmap: its width in pixels moves the caption.
  Host host;
  HWND plain = host.Child(L"BUTTON", L"Bitmap", BS_PUSHBUTTON, 10, 10, 100, 30);
  HWND raw = host.Child(L"BUTTON", L"Bitmap", BS_PUSHBUTTON | BS_BITMAP, 10, 50, 100, 30);
  HBITMAP bmp = CreateBitmap(20, 15, 1, 32, nullptr);
  SendMessageW(raw, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
  auto* ap = AttachAdapter<TkcBitBtnWnd>(plain, f.Source(), TkcSkinParams{});
  auto* ar = AttachAdapter<TkcBitBtnWnd>(raw, f.Source(), TkcSkinParams{});
  Print(plain);
  Print(raw);
  EXPECT_EQ(ar->GlyphSize(), (fw::TPoint{20, 15})) << "the bitmap's pixels, not its physical dimension";
  EXPECT_EQ(ar->CaptionRect().Left, ap->CaptionRect().Left + 20 / 2 + 1);
  EXPECT_EQ(ar->GlyphRect().Right, ar->CaptionRect().Left - 2);
  {
    HBITMAP shown = SolidBitmap(20, 15, 0x00C04020, 24);
    SendMessageW(raw, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    const fw::TRect g = ar->GlyphRect();
    EXPECT_EQ(Pixel(raw, g.Left + 10, g.Top + 7), 0xC04020u) << "the bitmap is shown where room was made for it";
    SendMessageW(raw, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
    DeleteObject(shown);
  }
  delete ar;
  delete ap;
  DeleteObject(bmp);
}

TEST(LinkWnd, TheLinkIsWrittenUnderlinedWithoutItsTags) {
  EXPECT_EQ(LinkText(u"word <A>link</A>"), u"word link");
  EXPECT_EQ(LinkText(u"<a>kept</a>"), u"<a>kept</a>") << "exact letter case";
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  Host host;
  HWND tagged = host.Child(L"STATIC", L"word <A>link</A>", SS_LEFT, 10, 10, 120, 20);
  HWND bare = host.Child(L"STATIC", L"word link", SS_LEFT, 10, 40, 120, 20);
  auto* a = AttachAdapter<TkcLinkWnd>(tagged, [&] { return skin.get(); }, TkcSkinParams{});
  auto* b = AttachAdapter<TkcLinkWnd>(bare, [&] { return skin.get(); }, TkcSkinParams{});
  TPixelBuffer pa = Print(tagged), pb = Print(bare);
  EXPECT_EQ(PixelChecksum(View32(pa)), PixelChecksum(View32(pb)));
  // The underline: a row with a long run of the text colour.
  int longest = 0;
  const TPixelView32 v = View32(pa);
  for (int y = 0; y < v.Height; ++y) {
    int run = 0;
    for (int x = 0; x < v.Width; ++x) {
      run = v.Pixel(x, y) == Px(kLabelText) ? run + 1 : 0;
      longest = std::max(longest, run);
    }
  }
  EXPECT_GT(longest, 20);
  WriteRow({pa}, "synthetic_link.png", 3);
  delete b;
  delete a;
}

TEST(IconWnd, IconsAndBitmapsOverWhatLiesBehind) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  auto source = [&] { return skin.get(); };
  Host host;
  HWND icon = host.Child(L"STATIC", L"", SS_ICON, 10, 10, 32, 32);
  HWND empty = host.Child(L"STATIC", L"", SS_ICON, 50, 10, 32, 32);
  HWND opaque = host.Child(L"STATIC", L"", SS_BITMAP, 90, 10, 32, 32);
  HWND alpha = host.Child(L"STATIC", L"", SS_BITMAP, 130, 10, 32, 32);
  HWND noAlpha = host.Child(L"STATIC", L"", SS_BITMAP, 170, 10, 32, 32);
  HICON hIcon = LoadIconW(nullptr, IDI_APPLICATION);
  SendMessageW(icon, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0);
  HBITMAP b24 = SolidBitmap(32, 32, 0x00C08040, 24);
  HBITMAP b32 = SolidBitmap(32, 32, 0x80800000, 32);  // half-covering dark red, premultiplied
  SendMessageW(opaque, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(b24));
  SendMessageW(alpha, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(b32));
  HBITMAP b32none = SolidBitmap(32, 32, 0x00406080, 32);  // 32 bits, no alpha anywhere
  SendMessageW(noAlpha, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(b32none));
  auto* ai = AttachAdapter<TkcIconWnd>(icon, source, TkcSkinParams{});
  auto* ae = AttachAdapter<TkcIconWnd>(empty, source, TkcSkinParams{});
  auto* ao = AttachAdapter<TkcIconWnd>(opaque, source, TkcSkinParams{});
  auto* aa = AttachAdapter<TkcIconWnd>(alpha, source, TkcSkinParams{});
  auto* an = AttachAdapter<TkcIconWnd>(noAlpha, source, TkcSkinParams{});
  EXPECT_FALSE(ai->IsBmp);
  EXPECT_TRUE(ao->IsBmp);
  TPixelBuffer pi = Print(icon), pe = Print(empty, 0x00FF00), po = Print(opaque), pa = Print(alpha);
  EXPECT_GT(32 * 32 - CountPixels(View32(pi), Px(kHost)), 50) << "the icon's pixels";
  EXPECT_EQ(CountPixels(View32(pe), 0x00FF00), 32 * 32) << "no icon: nothing copied";
  EXPECT_EQ(View32(po).Pixel(5, 5), 0xC08040u) << "an opaque bitmap copied";
  const uint32_t blended = View32(pa).Pixel(5, 5);
  EXPECT_NE(blended, Px(kHost));
  EXPECT_NE(blended, 0x800000u) << "by alpha over what lies behind";
  EXPECT_EQ(Pixel(noAlpha, 5, 5), 0x406080u) << "32 bits without any alpha: opaque";
  WriteRow({pi, pe, po, pa}, "synthetic_icons.png", 3);
  delete an;
  delete aa;
  delete ao;
  delete ae;
  delete ai;
  EXPECT_NE(GetObjectW(b24, 0, nullptr), 0) << "the static's bitmap is left to it";
  DestroyWindow(opaque);
  DestroyWindow(alpha);
  DeleteObject(b24);
  DeleteObject(b32);
  DestroyWindow(noAlpha);
  DeleteObject(b32none);
}

TEST(ButtonWnd, GoldensOfTheProgramSkins) {
  // A button with an image and no caption: normal, hot, pressed, disabled.
  const uint64_t golden[2][4] = {
      {4715786675340640473ull, 3483744042882551023ull, 16400186204652296957ull, 9446326658608614610ull},
      {4715786675340640473ull, 17571364718966369954ull, 15612709389311773531ull, 9446326658608614610ull}};
  Images images;
  for (int s = 0; s < 2; ++s) {
    Form f(ProgramSkin(s));
    ASSERT_TRUE(f.skin);
    auto* b = f.Add<TImageButton>(10, 10, 75, 25);
    b->Images = &images.list;
    b->ImageIndex = 0;
    b->HotImageIndex = 1;
    b->PressedImageIndex = 2;
    b->ImageAlignment = iaCenter;
    auto* a = f.Attach<TkcButtonWnd>(b);
    std::vector<TPixelBuffer> shown;
    shown.push_back(Print(b->Handle()));
    a->S.Focused = true;
    shown.push_back(Print(b->Handle()));
    a->S.Focused = false;
    SendMessageW(b->Handle(), BM_SETSTATE, TRUE, 0);
    shown.push_back(Print(b->Handle()));
    SendMessageW(b->Handle(), BM_SETSTATE, FALSE, 0);
    b->SetEnabled(false);
    shown.push_back(Print(b->Handle()));
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(PixelChecksum(View32(shown[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " state " << i;
    b->SetEnabled(true);
    b->ImageAlignment = iaLeft;
    b->SetCaption(u"Search");
    shown.push_back(Print(b->Handle()));
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_image_button.png", 3);
    delete a;
  }
}

// The raw windows of a skinned dialog in the program's skins: a bitmap
// button in each state with its bitmap, an icon and an empty static
// (goldens); a static's and a link's text in the skin's label colour.
TEST(BitBtnWnd, StaticsLinksIconsAndBitmapButtonsInBothProgramSkins) {
  // Bitmap button normal, hot, pressed, disabled; icon; empty static.
  const uint64_t golden[2][6] = {{8905066975455131625ull, 11549371618090975631ull, 8355203416284349677ull,
                                  2815815732046707405ull, 2064383320923941742ull, 8498222068028810179ull},
                                 {8905066975455131625ull, 8315750414283499602ull, 2684593514319164755ull,
                                  2815815732046707405ull, 2064383320923941742ull, 8498222068028810179ull}};
  HBITMAP bmp = SolidBitmap(16, 16, 0x00C04020, 24);
  HICON icon = LoadIconW(nullptr, IDI_APPLICATION);
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    auto source = [&] { return skin.get(); };
    Host host;
    HWND b = host.Child(L"BUTTON", L"", BS_PUSHBUTTON | BS_BITMAP, 10, 10, 75, 25);
    SendMessageW(b, BM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bmp));
    HWND i = host.Child(L"STATIC", L"", SS_ICON, 100, 10, 32, 32);
    SendMessageW(i, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    HWND e = host.Child(L"STATIC", L"", SS_LEFT, 140, 10, 60, 20);
    HWND t = host.Child(L"STATIC", L"Name:", SS_LEFT, 10, 50, 80, 20);
    HWND l = host.Child(L"STATIC", L"Visit <A>the site</A>", SS_LEFT, 10, 80, 120, 20);
    auto* ab = AttachAdapter<TkcBitBtnWnd>(b, source, TkcSkinParams{});
    auto* ai = AttachAdapter<TkcIconWnd>(i, source, TkcSkinParams{});
    auto* ae = AttachAdapter<TkcStaticWnd>(e, source, TkcSkinParams{});
    auto* at = AttachAdapter<TkcStaticWnd>(t, source, TkcSkinParams{});
    auto* al = AttachAdapter<TkcLinkWnd>(l, source, TkcSkinParams{});
    std::vector<TPixelBuffer> shown;
    shown.push_back(Print(b));
    ab->S.Focused = true;
    shown.push_back(Print(b));
    ab->S.Focused = false;
    SendMessageW(b, BM_SETSTATE, TRUE, 0);
    shown.push_back(Print(b));
    SendMessageW(b, BM_SETSTATE, FALSE, 0);
    EnableWindow(b, FALSE);
    shown.push_back(Print(b));
    shown.push_back(Print(i));
    shown.push_back(Print(e));
    for (size_t k = 0; k < 6; ++k)
      EXPECT_EQ(PixelChecksum(View32(shown[k])), golden[s][k]) << ProgramSkinName(s) << " look " << k;
    // Texts in the label colour of the statics' section.
    const int section = skin->GetSkinIndex(u"CHECKBOX");
    ASSERT_GE(section, 0) << ProgramSkinName(s);
    const uint32_t label = Px(StateFontColor(*skin, section, 0, fw::clWindowText));
    shown.push_back(Print(t));
    shown.push_back(Print(l));
    EXPECT_GT(CountPixels(View32(shown[6]), label), 5) << ProgramSkinName(s) << ": static";
    EXPECT_GT(CountPixels(View32(shown[7]), label), 20) << ProgramSkinName(s) << ": link and its underline";
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_statics_and_bitmap_button.png", 3);
    delete al;
    delete at;
    delete ae;
    delete ai;
    delete ab;
  }
  DeleteObject(bmp);
}

TEST(ButtonWnd, EveryAdapterGivesItsWindowBack) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticControlSkin();
  auto source = [&] { return skin.get(); };
  Host host;
  using Make = TkcMainWnd* (*)(HWND, TkcSkinSource);
  struct Case {
    const char* what;
    const wchar_t* cls;
    DWORD style;
    Make make;
  } cases[] = {
      {"image button", L"BUTTON", 0, [](HWND h, TkcSkinSource s) -> TkcMainWnd* { return AttachAdapter<TkcButtonWnd>(h, s, {}); }},
      {"bit button", L"BUTTON", 0, [](HWND h, TkcSkinSource s) -> TkcMainWnd* { return AttachAdapter<TkcBitBtnWnd>(h, s, {}); }},
      {"link", L"STATIC", 0, [](HWND h, TkcSkinSource s) -> TkcMainWnd* { return AttachAdapter<TkcLinkWnd>(h, s, {}); }},
      {"icon", L"STATIC", SS_ICON, [](HWND h, TkcSkinSource s) -> TkcMainWnd* { return AttachAdapter<TkcIconWnd>(h, s, {}); }},
  };
  for (const Case& c : cases) {
    HWND h = host.Child(c.cls, L"x", c.style, 10, 10, 60, 30);
    const LONG_PTR own = GetWindowLongPtrW(h, GWLP_WNDPROC);
    TkcMainWnd* a = c.make(h, source);
    Print(h);
    SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
    delete a;
    EXPECT_EQ(GetWindowLongPtrW(h, GWLP_WNDPROC), own) << c.what;
    EXPECT_EQ(GetWindowAdapter(h), nullptr) << c.what;
    a = c.make(h, source);
    DestroyWindow(h);
    EXPECT_TRUE(a->Destroyed) << c.what << ": destroyed while attached";
    delete a;
  }
}
