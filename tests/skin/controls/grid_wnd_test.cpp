// Grids under their adapters, against small grids of the class names the
// skinning knows (the framework's string grid, grids of other makers that
// publish their colours under their own names, a data-aware grid, an "Eh"
// grid): the skin's colours written into exactly the properties a grid
// publishes, the grid's own values back exactly when the skin goes, the
// thumb fixes of data-aware grids, native bars back after removal, a grid
// destroyed while adapted, and goldens of the program's skins.
#include "skin/controls/grid_wnd.h"

#include <memory>

#include "fw/controls_test_util.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/stdctrls_common.h"
#include "skin/controls/adapter_factory.h"
#include "skin/controls/attach_hook.h"
#include "skin/engine/core/pixel_colors.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "tests/skin/controls/adapter_test_util.h"

namespace gridtest {

FW_ENUM(TGridDrawingStyle, gdsClassic, gdsThemed, gdsGradient)

// Messages a grid received, and its vertical position when it was told to
// scroll.
struct Seen {
  int Erases = 0, ButtonUps = 0;
  std::vector<std::pair<int, int>> VScrolls;  // code, nPos of the window's bar
};

// Records what reaches the grid itself.
template <class Base>
class TRecording : public Base {
 public:
  using Base::Base;
  Seen S;
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_ERASEBKGND) ++S.Erases;
    if (m.Msg == WM_LBUTTONUP) ++S.ButtonUps;
    if (m.Msg == WM_VSCROLL) {
      SCROLLINFO si{sizeof(si), SIF_POS};
      GetScrollInfo(this->WindowHandle(), SB_VERT, &si);
      S.VScrolls.emplace_back(LOWORD(m.WParam), si.nPos);
    }
    Base::WndProc(m);
  }
};

// A grid as far as the skinning reads it: cells 40 x 20, the first row and
// column fixed (a two-colour gradient in the gradient style), grey lines,
// bars by ScrollBars over 20 rows and columns.
class TPaintedGrid : public fw::TCustomControl {
 public:
  explicit TPaintedGrid(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  fw::TColor FFixedColor = fw::clBtnFace;
  TGridDrawingStyle FDrawingStyle = gdsThemed;
  fw::TColor FGradientStartColor = 0xF0F0F0, FGradientEndColor = 0xC0C0C0;
  fw::TScrollStyle FScrollBars = fw::ssBoth;
  template <class T>
  void Set(T& Field, T Value) {
    Field = Value;
    Invalidate();
  }
  void SetFixedColor(fw::TColor v) { Set(FFixedColor, v); }
  void SetDrawingStyle(TGridDrawingStyle v) { Set(FDrawingStyle, v); }
  void SetGradientStartColor(fw::TColor v) { Set(FGradientStartColor, v); }
  void SetGradientEndColor(fw::TColor v) { Set(FGradientEndColor, v); }
  void SetScrollBars(fw::TScrollStyle v) {
    if (FScrollBars == v) return;
    FScrollBars = v;
    RecreateWnd();
  }

 protected:
  void CreateParams(fw::TCreateParams& P) override {
    fw::TCustomControl::CreateParams(P);
    P.ExStyle |= WS_EX_CLIENTEDGE;
    if (FScrollBars == fw::ssVertical || FScrollBars == fw::ssBoth) P.Style |= WS_VSCROLL;
    if (FScrollBars == fw::ssHorizontal || FScrollBars == fw::ssBoth) P.Style |= WS_HSCROLL;
  }
  void CreateWnd() override {
    fw::TCustomControl::CreateWnd();
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 19, 5, 0, 0};
    SetScrollInfo(WindowHandle(), SB_VERT, &si, FALSE);
    SetScrollInfo(WindowHandle(), SB_HORZ, &si, FALSE);
  }
  void Paint() override {
    fw::TCanvas* c = Canvas();
    const int w = ClientWidth(), h = ClientHeight();
    c->Brush()->SetColor(Color());
    c->FillRect(fw::Rect(0, 0, w, h));
    auto fixed = [&](const fw::TRect& r) {
      if (FDrawingStyle == gdsGradient) {
        c->Brush()->SetColor(FGradientStartColor);
        c->FillRect(fw::Rect(r.Left, r.Top, r.Right, r.Top + r.Height() / 2));
        c->Brush()->SetColor(FGradientEndColor);
        c->FillRect(fw::Rect(r.Left, r.Top + r.Height() / 2, r.Right, r.Bottom));
      } else {
        c->Brush()->SetColor(FFixedColor);
        c->FillRect(r);
      }
    };
    fixed(fw::Rect(0, 0, w, 20));
    fixed(fw::Rect(0, 20, 40, h));
    c->Pen()->SetColor(0x808080);
    for (int x = 39; x < w; x += 40) {
      c->MoveTo(x, 0);
      c->LineTo(x, h);
    }
    for (int y = 19; y < h; y += 20) {
      c->MoveTo(0, y);
      c->LineTo(w, y);
    }
  }
};

// The framework's own grid class.
class TCustomGrid : public TPaintedGrid {
  FW_CLASS(TCustomGrid, fw::TCustomControl)
 public:
  explicit TCustomGrid(fw::TComponent* AOwner) : TPaintedGrid(AOwner) {}
};

class TStringGrid : public TRecording<TCustomGrid> {
  FW_CLASS(TStringGrid, TCustomGrid)
 public:
  explicit TStringGrid(fw::TComponent* AOwner) : TRecording<TCustomGrid>(AOwner) {}
};

// Another maker's grid: its look in an object of its own, a fixed font, a
// read-only footer cell colour; the look may be missing.
class TLook : public fw::TPersistent {
  FW_CLASS(TLook, fw::TPersistent)
 public:
  fw::TColor FixedGradientFrom = 0x111111, FixedGradientTo = fw::clNone, FixedGradientMirrorFrom = fw::clNone,
             FixedGradientMirrorTo = 0x222222;
};

class TAdvStringGrid : public TRecording<fw::TCustomControl> {
  FW_CLASS(TAdvStringGrid, fw::TCustomControl)
 public:
  explicit TAdvStringGrid(fw::TComponent* AOwner) : TRecording<fw::TCustomControl>(AOwner) {}
  std::unique_ptr<TLook> FLook = std::make_unique<TLook>();
  bool WithLook = true;
  std::unique_ptr<fw::TFont> FFixedFont = std::make_unique<fw::TFont>();
  fw::TColor FixedColor = 0x333333, GridFixedLineColor = 0x444444, GridLineColor = fw::clBtnShadow,
             SelectionColor = 0x555555, SelectionTextColor = 0x666666, FooterColor = 0x777777;
  TLook* ControlLook() const { return WithLook ? FLook.get() : nullptr; }
  fw::TFont* FixedFont() const { return FFixedFont.get(); }
  fw::TColor FooterCellColor() const { return 0x888888; }
};

// A data-aware grid of the "ww" kind: title style and line colours in
// objects, a title font, title and indicator colours.
class TTitleStyle : public fw::TPersistent {
  FW_CLASS(TTitleStyle, fw::TPersistent)
 public:
  fw::TColor StartColor = 0x010101, EndColor = fw::clNone;
};
class TGridStyle : public fw::TPersistent {
  FW_CLASS(TGridStyle, fw::TPersistent)
 public:
  std::unique_ptr<TTitleStyle> FTitle = std::make_unique<TTitleStyle>();
  TTitleStyle* Title() const { return FTitle.get(); }
};
class TLineColors : public fw::TPersistent {
  FW_CLASS(TLineColors, fw::TPersistent)
 public:
  fw::TColor FixedColor = 0x020202, DataColor = 0x030303, ShadowColor = 0x040404;
};

class TwwDBGrid : public TRecording<TPaintedGrid> {
  FW_CLASS(TwwDBGrid, fw::TCustomControl)
 public:
  explicit TwwDBGrid(fw::TComponent* AOwner) : TRecording<TPaintedGrid>(AOwner) { FDrawingStyle = gdsClassic; }
  fw::TComponent* DataSource = nullptr;
  std::unique_ptr<TGridStyle> FGridStyle = std::make_unique<TGridStyle>();
  std::unique_ptr<TLineColors> FLineColors = std::make_unique<TLineColors>();
  std::unique_ptr<fw::TFont> FTitleFont = std::make_unique<fw::TFont>();
  fw::TColor TitleColor = 0x050505, IndicatorIconColor = 0x060606;
  TGridStyle* GridStyle() const { return FGridStyle.get(); }
  TLineColors* LineColors() const { return FLineColors.get(); }
  fw::TFont* TitleFont() const { return FTitleFont.get(); }
};

// An "Eh" grid: striped rows, line, indicator, title and row-detail
// parameters in objects.
class TLineParams : public fw::TPersistent {
  FW_CLASS(TLineParams, fw::TPersistent)
 public:
  fw::TColor BrightColor = 0x0A0A0A, DataHorzColor = 0x0B0B0B, DataVertColor = 0x0C0C0C, DarkColor = 0x0D0D0D;
};
class TIndicatorParams : public fw::TPersistent {
  FW_CLASS(TIndicatorParams, fw::TPersistent)
 public:
  fw::TColor Color = 0x0E0E0E;
  bool HorzLines = true, VertLines = true;
  int FillStyle = 0;
};
class TTitleParams : public fw::TPersistent {
  FW_CLASS(TTitleParams, fw::TPersistent)
 public:
  fw::TColor Color = 0x0F0F0F, SecondColor = 0x101010, VertLineColor = 0x121212;
  bool HorzLines = true;
  int FillStyle = 1;
};
class TRowDetail : public fw::TPersistent {
  FW_CLASS(TRowDetail, fw::TPersistent)
 public:
  fw::TColor Color = 0x131313;
};

class TDBGridEh : public TRecording<TPaintedGrid> {
  FW_CLASS(TDBGridEh, fw::TCustomControl)
 public:
  explicit TDBGridEh(fw::TComponent* AOwner) : TRecording<TPaintedGrid>(AOwner) {}
  fw::TColor EvenRowColor = 0x141414, OddRowColor = fw::clNone, FixedColor = 0x151515;
  std::unique_ptr<TLineParams> FLines = std::make_unique<TLineParams>();
  std::unique_ptr<TIndicatorParams> FInd = std::make_unique<TIndicatorParams>();
  std::unique_ptr<TTitleParams> FTitle = std::make_unique<TTitleParams>();
  std::unique_ptr<TRowDetail> FDetail = std::make_unique<TRowDetail>();
  TLineParams* GridLineParams() const { return FLines.get(); }
  TIndicatorParams* IndicatorParams() const { return FInd.get(); }
  TTitleParams* TitleParams() const { return FTitle.get(); }
  TRowDetail* RowDetailPanel() const { return FDetail.get(); }
};

#define VL_FIELD(Class, Name) c.Property(u"" #Name, &Class::Name, &Class::Name)

FW_REGISTER(TCustomGrid) {}
FW_REGISTER(TStringGrid) {
  c.Property(u"FixedColor", &TStringGrid::FFixedColor, &TStringGrid::SetFixedColor);
  c.Property(u"DrawingStyle", &TStringGrid::FDrawingStyle, &TStringGrid::SetDrawingStyle);
  c.Property(u"GradientStartColor", &TStringGrid::FGradientStartColor, &TStringGrid::SetGradientStartColor);
  c.Property(u"GradientEndColor", &TStringGrid::FGradientEndColor, &TStringGrid::SetGradientEndColor);
  c.Property(u"ScrollBars", &TStringGrid::FScrollBars, &TStringGrid::SetScrollBars);
}
FW_REGISTER(TLook) {
  VL_FIELD(TLook, FixedGradientFrom);
  VL_FIELD(TLook, FixedGradientTo);
  VL_FIELD(TLook, FixedGradientMirrorFrom);
  VL_FIELD(TLook, FixedGradientMirrorTo);
}
FW_REGISTER(TAdvStringGrid) {
  c.Property(u"ControlLook", &TAdvStringGrid::ControlLook);
  c.Property(u"FixedFont", &TAdvStringGrid::FixedFont);
  c.Property(u"FooterCellColor", &TAdvStringGrid::FooterCellColor);
  VL_FIELD(TAdvStringGrid, FixedColor);
  VL_FIELD(TAdvStringGrid, GridFixedLineColor);
  VL_FIELD(TAdvStringGrid, GridLineColor);
  VL_FIELD(TAdvStringGrid, SelectionColor);
  VL_FIELD(TAdvStringGrid, SelectionTextColor);
  VL_FIELD(TAdvStringGrid, FooterColor);
}
FW_REGISTER(TTitleStyle) {
  VL_FIELD(TTitleStyle, StartColor);
  VL_FIELD(TTitleStyle, EndColor);
}
FW_REGISTER(TGridStyle) { c.Property(u"Title", &TGridStyle::Title); }
FW_REGISTER(TLineColors) {
  VL_FIELD(TLineColors, FixedColor);
  VL_FIELD(TLineColors, DataColor);
  VL_FIELD(TLineColors, ShadowColor);
}
FW_REGISTER(TwwDBGrid) {
  VL_FIELD(TwwDBGrid, DataSource);
  c.Property(u"GridStyle", &TwwDBGrid::GridStyle);
  c.Property(u"LineColors", &TwwDBGrid::LineColors);
  c.Property(u"TitleFont", &TwwDBGrid::TitleFont);
  VL_FIELD(TwwDBGrid, TitleColor);
  VL_FIELD(TwwDBGrid, IndicatorIconColor);
}
FW_REGISTER(TLineParams) {
  VL_FIELD(TLineParams, BrightColor);
  VL_FIELD(TLineParams, DataHorzColor);
  VL_FIELD(TLineParams, DataVertColor);
  VL_FIELD(TLineParams, DarkColor);
}
FW_REGISTER(TIndicatorParams) {
  VL_FIELD(TIndicatorParams, Color);
  VL_FIELD(TIndicatorParams, HorzLines);
  VL_FIELD(TIndicatorParams, VertLines);
  VL_FIELD(TIndicatorParams, FillStyle);
}
FW_REGISTER(TTitleParams) {
  VL_FIELD(TTitleParams, Color);
  VL_FIELD(TTitleParams, SecondColor);
  VL_FIELD(TTitleParams, VertLineColor);
  VL_FIELD(TTitleParams, HorzLines);
  VL_FIELD(TTitleParams, FillStyle);
}
FW_REGISTER(TRowDetail) { VL_FIELD(TRowDetail, Color); }
FW_REGISTER(TDBGridEh) {
  VL_FIELD(TDBGridEh, EvenRowColor);
  VL_FIELD(TDBGridEh, OddRowColor);
  VL_FIELD(TDBGridEh, FixedColor);
  c.Property(u"GridLineParams", &TDBGridEh::GridLineParams);
  c.Property(u"IndicatorParams", &TDBGridEh::IndicatorParams);
  c.Property(u"TitleParams", &TDBGridEh::TitleParams);
  c.Property(u"RowDetailPanel", &TDBGridEh::RowDetailPanel);
}

#undef VL_FIELD

}  // namespace gridtest

using namespace skintest;
using namespace gridtest;
using skin::GetWindowAdapter;
using skin::SkinCommand;
using skin::TkcGridEhWnd;
using skin::TkcGridWnd;
using skin::TkcSkinParams;
using skin::TkLoadedSkin;
using skin::TPixelBuffer;
using skin::WM_SKINCOMMAND;

namespace {

// The synthetic skin with a palette of its own for the grids' colours.
constexpr fw::TColor kEditBG = 0xF0E0D0, kEditFont = 0x102030, kLabel = 0x204060, kSelBG = 0x00C0FF,
                     kSelText = 0xFFFFFE, kEven = 0xF8F0E8, kOdd = 0xE8E0D8;

std::unique_ptr<TkLoadedSkin> GridSkin() {
  auto s = SyntheticControlSkin();
  s->Palette[skin::pcEditBG] = kEditBG;
  s->Palette[skin::pcEditText] = kEditFont;
  s->Palette[skin::pcLabelText] = kLabel;
  s->Palette[skin::pcSelectionBG_Focused] = kSelBG;
  s->Palette[skin::pcSelectionText_Focused] = kSelText;
  s->Palette[skin::pcEditBG_EvenRow] = kEven;
  s->Palette[skin::pcEditBG_OddRow] = kOdd;
  return s;
}

fw::TColor Mix(fw::TColor a, fw::TColor b, double r) {
  return fw::TColor(skin::MixColors(uint32_t(a), uint32_t(b), r));
}

struct Form {
  std::unique_ptr<TkLoadedSkin> skin;
  fwtest::TestForm form{320, 240};
  explicit Form(std::unique_ptr<TkLoadedSkin> s = GridSkin()) : skin(std::move(s)) { form->Show(); }
  template <class T>
  T* Add(int x = 10, int y = 10, int w = 180, int h = 120) {
    auto* c = new T(form.form);
    c->SetParent(form.form);
    c->SetBounds(x, y, w, h);
    return c;
  }
  // The adapter the factory makes for the grid list (Eh: the Eh list).
  TkcGridWnd* Attach(fw::TWinControl* c, bool eh = false) {
    skin::TkcMainWnd* a = skin::MakeListAdapter(eh ? skin::tlGridEh : skin::tlGrid, c,
                                                [this] { return skin.get(); }, TkcSkinParams{});
    RedrawWindow(c->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW);
    return dynamic_cast<TkcGridWnd*>(a);
  }
};

void RemoveSkin(fw::TWinControl* c) {
  SendMessageW(c->Handle(), WM_SKINCOMMAND, SkinCommand(skin::SKC_REMOVESKIN), 0);
}

}  // namespace

TEST(GridWnd, TheFrameworkGridTakesTheSkinsColoursAndGetsItsOwnBack) {
  struct Case {
    TGridDrawingStyle own, skinned;
  } cases[] = {{gdsClassic, gdsClassic}, {gdsThemed, gdsGradient}, {gdsGradient, gdsGradient}};
  for (const Case& k : cases) {
    Form f;
    auto* g = f.Add<TStringGrid>();
    g->FDrawingStyle = k.own;
    TkcGridWnd* a = f.Attach(g);
    ASSERT_TRUE(a);
    EXPECT_EQ(g->FDrawingStyle, k.skinned) << int(k.own);
    EXPECT_EQ(g->FFixedColor, kMain);
    EXPECT_EQ(g->FGradientStartColor, Mix(kMain, kEditBG, 0.5));
    EXPECT_EQ(g->FGradientEndColor, kMain);
    g->S.Erases = 0;
    RedrawWindow(g->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    EXPECT_EQ(g->S.Erases, 0) << "the grid paints every cell itself";
    RemoveSkin(g);
    EXPECT_EQ(g->FDrawingStyle, k.own);
    EXPECT_EQ(g->FFixedColor, fw::clBtnFace) << "a system colour stays one";
    EXPECT_EQ(g->FGradientStartColor, 0xF0F0F0);
    EXPECT_EQ(g->FGradientEndColor, 0xC0C0C0);
    delete a;
  }
}

TEST(GridWnd, OtherMakersGridsAreRecolouredThroughWhatTheyPublish) {
  for (bool withLook : {true, false}) {
    Form f;
    auto* g = f.Add<TAdvStringGrid>();
    g->WithLook = withLook;
    g->FFixedFont->SetColor(0x999999);
    TkcGridWnd* a = f.Attach(g);
    ASSERT_TRUE(a);
    const char* what = withLook ? "with its look" : "without its look";
    EXPECT_EQ(g->FixedColor, kMain) << what;
    const TLook& l = *g->FLook;
    if (withLook) {
      EXPECT_EQ(l.FixedGradientFrom, Mix(kMain, kEditBG, 0.5));
      EXPECT_EQ(l.FixedGradientTo, kMain);
      EXPECT_EQ(l.FixedGradientMirrorFrom, Mix(kMain, 0, 0.95));
      EXPECT_EQ(l.FixedGradientMirrorTo, Mix(kMain, 0xFFFFFF, 0.9));
      EXPECT_EQ(g->FFixedFont->Color(), kLabel);
      EXPECT_EQ(g->GridFixedLineColor, kBorder);
      EXPECT_EQ(g->GridLineColor, Mix(kEditBG, kEditFont, 0.7));
      EXPECT_EQ(g->SelectionColor, kSelBG);
      EXPECT_EQ(g->SelectionTextColor, kSelText);
    } else {
      // Without the look its line, selection and font colours are left.
      EXPECT_EQ(g->GridLineColor, fw::clBtnShadow);
      EXPECT_EQ(g->SelectionColor, 0x555555);
      EXPECT_EQ(g->FFixedFont->Color(), 0x999999);
    }
    EXPECT_EQ(g->FooterColor, kMain) << "the GLOBALINFO colour";
    RemoveSkin(g);
    EXPECT_EQ(g->FixedColor, 0x333333) << what;
    EXPECT_EQ(l.FixedGradientFrom, 0x111111);
    EXPECT_EQ(l.FixedGradientTo, withLook ? fw::clBtnFace : fw::clNone) << "a look without colour comes back as face";
    EXPECT_EQ(l.FixedGradientMirrorTo, 0x222222);
    EXPECT_EQ(g->FFixedFont->Color(), 0x999999);
    EXPECT_EQ(g->GridFixedLineColor, 0x444444);
    EXPECT_EQ(g->GridLineColor, fw::clBtnShadow);
    EXPECT_EQ(g->SelectionColor, 0x555555);
    EXPECT_EQ(g->SelectionTextColor, 0x666666);
    EXPECT_EQ(g->FooterColor, 0x777777);
    EXPECT_EQ(g->FooterCellColor(), 0x888888) << "a read-only colour is left alone";
    delete a;
  }
}

TEST(GridWnd, ADataAwareGridsTitleAndLineColours) {
  Form f;
  auto* g = f.Add<TwwDBGrid>();
  g->FTitleFont->SetColor(0x070707);
  TkcGridWnd* a = f.Attach(g);
  ASSERT_TRUE(a);
  EXPECT_EQ(g->FDrawingStyle, gdsClassic) << "not the framework's grid: its style is its own";
  EXPECT_EQ(g->FGridStyle->FTitle->StartColor, Mix(kMain, kEditBG, 0.5));
  EXPECT_EQ(g->FGridStyle->FTitle->EndColor, kMain);
  EXPECT_EQ(g->FTitleFont->Color(), kLabel);
  EXPECT_EQ(g->FLineColors->FixedColor, kBorder);
  EXPECT_EQ(g->FLineColors->DataColor, Mix(kEditBG, kEditFont, 0.8));
  EXPECT_EQ(g->FLineColors->ShadowColor, Mix(kEditBG, kEditFont, 0.8));
  EXPECT_EQ(g->TitleColor, kMain);
  EXPECT_EQ(g->IndicatorIconColor, kEditText) << "the text colour of the grid's section";
  RemoveSkin(g);
  EXPECT_EQ(g->FGridStyle->FTitle->StartColor, 0x010101);
  EXPECT_EQ(g->FGridStyle->FTitle->EndColor, fw::clBtnFace);
  EXPECT_EQ(g->FTitleFont->Color(), 0x070707);
  EXPECT_EQ(g->FLineColors->FixedColor, 0x020202);
  EXPECT_EQ(g->FLineColors->DataColor, 0x030303);
  EXPECT_EQ(g->FLineColors->ShadowColor, 0x040404) << "the shadow lines get their own colour back";
  EXPECT_EQ(g->TitleColor, 0x050505);
  EXPECT_EQ(g->IndicatorIconColor, 0x060606);
  delete a;
}

TEST(GridWnd, AnEhGridsParametersAndStripes) {
  for (bool striped : {true, false}) {
    Form f;
    auto* g = f.Add<TDBGridEh>();
    if (!striped) g->OddRowColor = g->EvenRowColor;
    auto* a = dynamic_cast<TkcGridEhWnd*>(f.Attach(g, true));
    ASSERT_TRUE(a);
    if (striped) {
      EXPECT_EQ(g->EvenRowColor, kEven);
      EXPECT_EQ(g->OddRowColor, kOdd);
    } else {
      EXPECT_EQ(g->EvenRowColor, 0x141414) << "rows alike stay alike";
      EXPECT_EQ(g->OddRowColor, 0x141414);
    }
    EXPECT_EQ(g->FixedColor, kMain);
    EXPECT_EQ(g->FLines->BrightColor, Mix(0xFFFFFF, kEditBG, 0.2));
    EXPECT_EQ(g->FLines->DataHorzColor, Mix(kEditFont, kEditBG, 0.2));
    EXPECT_EQ(g->FLines->DataVertColor, Mix(kEditFont, kEditBG, 0.2));
    EXPECT_EQ(g->FLines->DarkColor, Mix(0, kMain, 0.3));
    EXPECT_EQ(g->FInd->Color, kMain);
    EXPECT_FALSE(g->FInd->HorzLines);
    EXPECT_FALSE(g->FInd->VertLines);
    EXPECT_EQ(g->FInd->FillStyle, 2);
    EXPECT_EQ(g->FTitle->Color, kMain);
    EXPECT_EQ(g->FTitle->SecondColor, Mix(0xFFFFFF, kMain, 0.1));
    EXPECT_FALSE(g->FTitle->HorzLines);
    EXPECT_EQ(g->FTitle->FillStyle, 3);
    EXPECT_EQ(g->FTitle->VertLineColor, kBorder);
    EXPECT_EQ(g->FDetail->Color, kMain);
    RemoveSkin(g);
    EXPECT_EQ(g->EvenRowColor, 0x141414);
    EXPECT_EQ(g->OddRowColor, striped ? fw::clWindow : 0x141414) << "no colour comes back as the window's";
    EXPECT_EQ(g->FixedColor, 0x151515);
    EXPECT_EQ(g->FLines->BrightColor, 0x0A0A0A);
    EXPECT_EQ(g->FLines->DataHorzColor, 0x0B0B0B);
    EXPECT_EQ(g->FLines->DataVertColor, 0x0C0C0C);
    EXPECT_EQ(g->FLines->DarkColor, 0x0D0D0D);
    EXPECT_EQ(g->FInd->Color, 0x0E0E0E);
    EXPECT_TRUE(g->FInd->HorzLines);
    EXPECT_TRUE(g->FInd->VertLines);
    EXPECT_EQ(g->FInd->FillStyle, 0);
    EXPECT_EQ(g->FTitle->Color, 0x0F0F0F);
    EXPECT_EQ(g->FTitle->SecondColor, 0x101010);
    EXPECT_TRUE(g->FTitle->HorzLines);
    EXPECT_EQ(g->FTitle->FillStyle, 1);
    EXPECT_EQ(g->FTitle->VertLineColor, 0x121212);
    EXPECT_EQ(g->FDetail->Color, 0x131313);
    delete a;
  }
}

namespace {

// Counts the form's requests for adapters of new controls.
struct FormSpy {
  fw::TWndMethod Old;
  int Loaded = 0;
  void Proc(fw::TMessage& m) {
    if (m.Msg == WM_SKINCOMMAND && skin::SkinCommandCode(m.WParam) == skin::SKC_CONTROLLOADED) ++Loaded;
    Old(m);
  }
};

}  // namespace

// An editor made inside an "Eh" grid gets its adapter through the form,
// when the manager skins other makers' controls.
TEST(GridWnd, AControlMadeInAnEhGridIsAnnouncedToTheForm) {
  for (bool thirdParty : {true, false}) {
    Form f;
    skin::TkSkinManager manager(nullptr);
    if (!thirdParty) manager.WriteSkinningRules(skin::TkcSkinningRules{skin::srStdForms, skin::srStdDialogs});
    auto* eh = f.Add<TDBGridEh>();
    auto* plain = f.Add<TStringGrid>(10, 140, 180, 90);
    TkcGridWnd* a = f.Attach(eh, true);
    TkcGridWnd* b = f.Attach(plain);
    FormSpy spy{f.form->WindowProc()};
    f.form->SetWindowProc(fw::TWndMethod(&spy, &FormSpy::Proc));
    SendMessageW(eh->Handle(), WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), 0);
    EXPECT_EQ(spy.Loaded, thirdParty ? 1 : 0) << thirdParty;
    SendMessageW(plain->Handle(), WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), 0);
    EXPECT_EQ(spy.Loaded, thirdParty ? 1 : 0) << "a plain grid waits for its drawing to resume";
    f.form->SetWindowProc(spy.Old);
    delete b;
    delete a;
  }
}

TEST(GridWnd, ADataAwareGridScrollsToTheSkinnedThumb) {
  Form f;
  auto* db = f.Add<TwwDBGrid>(10, 10, 180, 120);
  auto* plain = f.Add<TStringGrid>(10, 140, 180, 90);
  TkcGridWnd* a = f.Attach(db);
  TkcGridWnd* b = f.Attach(plain);
  ASSERT_TRUE(a && b);
  for (TkcGridWnd* x : {a, b}) x->sBarVert.Info.nTrackPos = 7;
  SendMessageW(db->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  SendMessageW(plain->Handle(), WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 7), 0);
  ASSERT_EQ(db->S.VScrolls.size(), 1u);
  EXPECT_EQ(db->S.VScrolls[0].second, 7) << "the bar holds the thumb's place before the grid looks";
  ASSERT_EQ(plain->S.VScrolls.size(), 1u);
  EXPECT_EQ(plain->S.VScrolls[0].second, 0) << "a grid without a data source is left alone";
  // A "ww" grid is told the thumb's final place when the scroll ends.
  SendMessageW(db->Handle(), WM_VSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), 0);
  ASSERT_EQ(db->S.VScrolls.size(), 3u);
  EXPECT_EQ(db->S.VScrolls[1].first, SB_THUMBPOSITION);
  EXPECT_EQ(db->S.VScrolls[2].first, SB_ENDSCROLL);
  delete b;
  delete a;
}

TEST(GridWnd, AReleaseOverTheSkinnedBarStaysWithTheBar) {
  Form f;
  auto* g = f.Add<TStringGrid>();
  TkcGridWnd* a = f.Attach(g);
  ASSERT_TRUE(a && a->sBarVert.Visible);
  const fw::TRect bar = a->VertBarRect();
  const POINT arrow{(bar.Left + bar.Right) / 2, bar.Bottom - 5};
  for (bool overBar : {true, false}) {
    SendMessageW(g->Handle(), WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(arrow.x, arrow.y));
    const POINT at = overBar ? arrow : POINT{bar.Left - 30, bar.Top + 30};
    skin::ScrollCursorPos = [at] { return at; };
    const int before = g->S.ButtonUps;
    SendMessageW(g->Handle(), WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(g->S.ButtonUps - before, overBar ? 0 : 1) << overBar;
    EXPECT_EQ(g->S.VScrolls.back().first, SB_ENDSCROLL) << "the press ends either way";
  }
  skin::ScrollCursorPos = [] {
    POINT p{};
    GetCursorPos(&p);
    return p;
  };
  delete a;
}

TEST(GridWnd, RemovalGivesTheGridItsOwnBarsAndDestructionWhileAttached) {
  Form f;
  auto* g = f.Add<TStringGrid>();
  const fw::TWndMethod own = g->WindowProc();
  TkcGridWnd* a = f.Attach(g);
  const HWND first = g->Handle();
  ASSERT_EQ(GetWindowAdapter(first), a);
  RemoveSkin(g);
  EXPECT_NE(g->Handle(), first) << "the window is made again";
  EXPECT_EQ(g->FScrollBars, fw::ssBoth);
  EXPECT_TRUE(GetWindowLongPtrW(g->Handle(), GWL_STYLE) & WS_VSCROLL);
  EXPECT_TRUE(a->Destroyed);
  EXPECT_TRUE(g->WindowProc() == own) << "the grid's procedure is its own again";
  EXPECT_EQ(GetWindowAdapter(g->Handle()), nullptr);
  delete a;

  auto* eh = f.Add<TDBGridEh>(10, 140, 180, 90);
  TkcGridWnd* b = f.Attach(eh, true);
  DestroyWindow(eh->Handle());
  EXPECT_TRUE(b->Destroyed);
  delete b;

  // A grid freed while adapted leaves the adapter detached.
  auto* db = f.Add<TwwDBGrid>(10, 140, 180, 90);
  TkcGridWnd* c = f.Attach(db);
  db->Free();
  EXPECT_TRUE(c->Destroyed);
  delete c;
}

TEST(GridWnd, GoldensOfTheProgramSkins) {
  // Printed: the themed grid (gradient fixed cells), focused, classic, an
  // Eh grid.
  const uint64_t golden[2][4] = {{13085325080793544552ull, 11214946051025801304ull, 6678482399934052163ull, 4370113989188869330ull},
                                 {13085325080793544552ull, 1909259022307988144ull, 6678482399934052163ull, 4370113989188869330ull}};
  for (int s = 0; s < 2; ++s) {
    Form f(ProgramSkin(s));
    ASSERT_TRUE(f.skin);
    auto* g = f.Add<TStringGrid>();
    g->SetTabStop(true);
    auto* classic = f.Add<TStringGrid>(10, 140, 180, 90);
    classic->FDrawingStyle = gdsClassic;
    TkcGridWnd* a = f.Attach(g);
    TkcGridWnd* b = f.Attach(classic);
    auto* eh = f.Add<TDBGridEh>(200, 140, 180, 90);
    TkcGridWnd* c = f.Attach(eh, true);
    std::vector<TPixelBuffer> shown;
    shown.push_back(Print(g->Handle()));
    SendMessageW(g->Handle(), WM_SETFOCUS, 0, 0);
    shown.push_back(Print(g->Handle()));
    SendMessageW(g->Handle(), WM_KILLFOCUS, 0, 0);
    shown.push_back(Print(classic->Handle()));
    shown.push_back(Print(eh->Handle()));
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(skin::PixelChecksum(skin::View32(shown[size_t(i)])), golden[s][i])
          << ProgramSkinName(s) << " grid " << i;
    WriteRow(shown, std::string(ProgramSkinName(s)) + "_grids.png", 2);
    delete c;
    delete b;
    delete a;
  }
}

// The program's road: a grid whose class stands in the manager's grid list
// is skinned with its form and gets its own colours and bars back when the
// skin goes.
TEST(GridWnd, AGridOfTheManagersGridListIsSkinnedWithItsForm) {
  skin::TkSkinManager manager{nullptr};
  manager.ReportMessage = [](const fw::String&) {};
  skin::LoadInternalSkins(*manager.InternalSkins());
  manager.ThirdLists[skin::tlGrid]->SetText(u"TStringGrid");
  skin::LinkControlSkinning();
  manager.WriteSkinName(u"Sapphire (internal)");
  ASSERT_NE(manager.LoadedSkin(), nullptr);
  fwtest::TestForm form;
  form->SetBorderStyle(fw::bsSizeable);
  auto* g = new TStringGrid(form.form);
  g->SetParent(form.form);
  g->SetBounds(10, 10, 180, 120);
  form->Show();
  const auto adapted = [&] { return dynamic_cast<TkcGridWnd*>(GetWindowAdapter(g->Handle())) != nullptr; };
  ASSERT_TRUE(fwtest::PumpUntil(adapted, 10000)) << "the grid has its adapter";
  EXPECT_EQ(g->FFixedColor, manager.LoadedSkin()->GetGlobalColor());
  EXPECT_EQ(g->FDrawingStyle, gdsGradient);
  manager.WriteActive(false);
  fwtest::Pump();
  EXPECT_EQ(g->FFixedColor, fw::clBtnFace);
  EXPECT_EQ(g->FDrawingStyle, gdsThemed);
  EXPECT_EQ(GetWindowAdapter(g->Handle()), nullptr);
  RECT client{};
  GetClientRect(g->Handle(), &client);
  EXPECT_EQ(client.right + GetSystemMetrics(SM_CXVSCROLL) + 2 * GetSystemMetrics(SM_CXEDGE), 180)
      << "the system's own bar takes its room again";
  skin::RemoveSkinHook();
}
