// Panels, static texts and containers under their adapters: the section by
// the bevels, the caption, the children's background from the panel's
// picture, waiting for a parent that has not painted yet, the static
// text's published alignment, the container's border only with a client
// edge; removal and destruction.
#include "skin/controls/panel_wnd.h"

#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "fw/stdctrls/panel.h"
#include "skin/controls/adapter_factory.h"
#include "skin/engine/manager_options.h"
#include "skin/engine/skin_manager.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

namespace {

// A parent whose answer about what lies behind its children can change.
fw::TColor gParentColor = kHost;
bool gParentMoveRepaint = false;  // its answer to the move-repaint question
LRESULT CALLBACK ParentProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND && SkinCommandCode(w) == SKC_QUERYMOVEREPAINT) return gParentMoveRepaint ? 1 : 0;
  if (m == WM_SKINCOMMAND && SkinCommandCode(w) == SKC_GETBGINFO && l) {
    auto* info = reinterpret_cast<TkcBackgroundInfo*>(l);
    info->BgType = btFill;
    info->Color = gParentColor;
    return 0;
  }
  return DefWindowProcW(h, m, w, l);
}

struct Parent {
  HWND wnd;
  Parent() {
    static const ATOM atom = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = ParentProc;
      wc.hInstance = GetModuleHandleW(nullptr);
      wc.lpszClassName = L"VlPanelParent";
      return RegisterClassW(&wc);
    }();
    (void)atom;
    gParentColor = kHost;
    gParentMoveRepaint = false;
    wnd = CreateWindowExW(0, L"VlPanelParent", L"", WS_POPUP | WS_VISIBLE, 30, 30, 300, 200, nullptr, nullptr,
                          GetModuleHandleW(nullptr), nullptr);
  }
  ~Parent() { DestroyWindow(wnd); }
};

struct Panel {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Parent parent;
  fw::TPanel* panel;
  TkcPanelWnd* a = nullptr;
  explicit Panel(fw::TBevelCut outer = fw::bvRaised, fw::TBevelCut inner = fw::bvNone) {
    panel = new fw::TPanel(nullptr);
    panel->SetParentWindow(parent.wnd);
    panel->SetBounds(10, 10, 200, 100);
    panel->SetBevelOuter(outer);
    panel->SetBevelInner(inner);
    panel->SetCaption(u"Panel");
    panel->HandleNeeded();
    ShowWindow(panel->Handle(), SW_SHOW);
  }
  void Attach() {
    TkcSkinParams p;
    p.Control = panel;
    a = AttachAdapter<TkcPanelWnd>(panel->Handle(), [this] { return skin.get(); }, p);
  }
  ~Panel() {
    delete a;
    delete panel;
  }
};

}  // namespace

TEST(PanelWnd, SectionByBevelsCaptionAndChildrenOnThePicture) {
  {
    Panel p(fw::bvRaised, fw::bvNone);
    p.Attach();
    EXPECT_EQ(p.a->SkinSection(), u"PANEL");
    const TPixelBuffer image = Print(p.panel->Handle());
    EXPECT_EQ(ColorAt(image, 5, 5), kPanel);
    EXPECT_GT(CountPixels(View32(const_cast<TPixelBuffer&>(image)), Px(kText)), 5) << "the caption";
    // A child asking what lies behind it gets the panel's picture.
    TkcBackgroundInfo info;
    info.Offset = fw::TPoint{120, 60};
    info.R = fw::Rect(0, 0, 60, 20);
    ASSERT_TRUE(RequestBackgroundWnd(info, p.panel->Handle(), false));
    ASSERT_EQ(info.BgType, btCache);
    const TCacheInfo ci = BgInfoToCacheInfo(info);
    const uint32_t px = ci.Bmp.Pixel(ci.X + 50, ci.Y + 2);
    EXPECT_EQ(px & 0xFFFFFF, Px(kPanel));
  }
  {
    Panel p(fw::bvRaised, fw::bvLowered);
    p.Attach();
    EXPECT_EQ(p.a->SkinSection(), u"GROUPBOX");
    EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kGroupBox);
  }
  {
    Panel p(fw::bvLowered, fw::bvNone);
    p.Attach();
    EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kPanelLow);
  }
}

TEST(PanelWnd, WaitsForAParentThatHasNotPainted) {
  Panel p;
  p.Attach();
  gParentColor = 0xFF00FF;
  const fw::TColor sentinel = 0x123456;
  EXPECT_EQ(ColorAt(Print(p.panel->Handle(), Px(sentinel)), 5, 5), sentinel) << "nothing painted";
  EXPECT_TRUE(p.a->Updating);
  gParentColor = kHost;
  SendSkinCommand(p.panel->Handle(), SKC_UPDATEDONE, 0);
  EXPECT_FALSE(p.a->Updating);
  EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kPanel);
}

TEST(PanelWnd, RemovalRestoresAndDestructionWhileAttached) {
  Panel p;
  p.Attach();
  delete p.a;
  p.a = nullptr;
  EXPECT_EQ(GetWindowAdapter(p.panel->Handle()), nullptr);
  EXPECT_NE(ColorAt(Print(p.panel->Handle()), 5, 5), kPanel) << "the panel paints itself again";
  Panel d;
  d.Attach();
  d.panel->DestroyHandle();
  EXPECT_TRUE(d.a->Destroyed);
}

// A framework static text as the adapter sees it: its bevels, bevel kind
// and alignment published by name.
class TVlStaticText : public fw::TCustomControl {
  FW_CLASS(TVlStaticText, fw::TCustomControl)
 public:
  explicit TVlStaticText(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  int FBevelKind = 0, FBevelOuter = 1, FBevelInner = 0;
  fw::TAlignment FAlignment = fw::taRightJustify;
};

FW_REGISTER(TVlStaticText) {
  c.Property(u"BevelKind", &TVlStaticText::FBevelKind, &TVlStaticText::FBevelKind);
  c.Property(u"BevelOuter", &TVlStaticText::FBevelOuter, &TVlStaticText::FBevelOuter);
  c.Property(u"BevelInner", &TVlStaticText::FBevelInner, &TVlStaticText::FBevelInner);
  c.Property(u"Alignment", &TVlStaticText::FAlignment, &TVlStaticText::FAlignment);
}

TEST(StaticTextWnd, SectionByBevelKindAndTextAlignedRight) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Parent parent;
  for (int kind : {0, 1}) {
    auto* t = new TVlStaticText(nullptr);
    t->FBevelKind = kind;
    t->SetParentWindow(parent.wnd);
    t->SetBounds(10, 10, 200, 40);
    t->SetCaption(u"Right");
    ShowWindow(t->Handle(), SW_SHOW);
    TkcSkinParams p;
    p.Control = t;
    auto* a = AttachAdapter<TkcStaticTextWnd>(t->Handle(), [&] { return skin.get(); }, p);
    EXPECT_EQ(a->SkinSection(), kind ? u"PANEL_LOW" : u"CHECKBOX");
    const TPixelBuffer image = Print(t->Handle());
    EXPECT_EQ(ColorAt(image, 2, 30), kind ? kPanelLow : kCheckBox);
    // Right-aligned: the text's pixels lie in the right half.
    int left = 0, right = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 200; ++x)
        if (ColorAt(image, x, y) == kText) (x < 100 ? left : right)++;
    EXPECT_EQ(left, 0);
    EXPECT_GT(right, 5);
    delete a;
    delete t;
  }
}

TEST(ContainerWnd, BorderOnlyWithAClientEdge) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Host host;
  HWND plain = host.Child(L"STATIC", L"", 0, 10, 10, 100, 40);
  HWND edged = host.Child(L"STATIC", L"", 0, 10, 60, 100, 40, WS_EX_CLIENTEDGE);
  std::unique_ptr<TkcContainerWnd> a(AttachAdapter<TkcContainerWnd>(plain, [&] { return skin.get(); }, {}));
  std::unique_ptr<TkcContainerWnd> b(AttachAdapter<TkcContainerWnd>(edged, [&] { return skin.get(); }, {}));
  HDC dc = GetWindowDC(plain);
  SetPixel(dc, 0, 0, RGB(1, 2, 3));
  SendMessageW(plain, WM_NCPAINT, 1, 0);
  EXPECT_EQ(GetPixel(dc, 0, 0), RGB(1, 2, 3)) << "no border to paint";
  ReleaseDC(plain, dc);
  EXPECT_EQ(ColorAt(Print(plain), 50, 20), kCheckBox);
  dc = GetWindowDC(edged);
  SendMessageW(edged, WM_NCPAINT, 1, 0);
  EXPECT_EQ(fw::TColor(GetPixel(dc, 0, 0)), kCheckBox) << "the border strips from the skin";
  ReleaseDC(edged, dc);
}

namespace {

// The panel printed into an image with only its top-left quarter in the
// clip (a paint that shows part of the panel).
void PrintQuarter(HWND wnd) {
  RECT r{};
  GetClientRect(wnd, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, r.right, r.bottom);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bmp);
  IntersectClipRect(dc, 0, 0, r.right / 2, r.bottom / 2);
  SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SelectObject(dc, old);
  DeleteObject(bmp);
  DeleteDC(dc);
}

}  // namespace

TEST(PanelWnd, KeepsItsPictureUntilChangedOrShownOnlyInPart) {
  Panel p;
  p.Attach();
  EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kPanel);
  const int panel = p.skin->GetSkinIndex(u"PANEL");
  p.skin->gd[size_t(panel)].Props[0].Color = kGroupBox;
  EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kPanel) << "the picture is kept";
  SendSkinCommand(p.panel->Handle(), SKC_SETHALFVISIBLE, 0);
  EXPECT_EQ(SendSkinCommand(p.panel->Handle(), SKC_QUERYHALFVISIBLE, 0), 1);
  EXPECT_EQ(ColorAt(Print(p.panel->Handle()), 5, 5), kGroupBox) << "built again after a part was hidden";

  // An opaque panel shown in part stays whole; a see-through one whose
  // parent repaints what moves is built again at its next paint.
  PrintQuarter(p.panel->Handle());
  EXPECT_EQ(SendSkinCommand(p.panel->Handle(), SKC_QUERYHALFVISIBLE, 0), 0);
  p.skin->gd[size_t(panel)].Props[0].Transparency = 50;
  gParentMoveRepaint = true;
  PrintQuarter(p.panel->Handle());
  EXPECT_EQ(SendSkinCommand(p.panel->Handle(), SKC_QUERYHALFVISIBLE, 0), 1);
  Print(p.panel->Handle());
  EXPECT_EQ(SendSkinCommand(p.panel->Handle(), SKC_QUERYHALFVISIBLE, 0), 0) << "a whole paint";
}

TEST(PanelWnd, ShowingAgainEndsTheWaitOnlyWhenSavingMemory) {
  TkSkinManager manager(nullptr);
  ASSERT_EQ(DefaultSkinManager, &manager);
  for (const TkcOptimizingPriority priority : {opSpeed, opMemory}) {
    manager.Options()->WriteOptimizingPriority(priority);
    Panel p;
    p.Attach();
    p.a->Updating = true;
    SendMessageW(p.panel->Handle(), fw::CM_SHOWINGCHANGED, 0, 0);
    EXPECT_EQ(p.a->Updating, priority == opSpeed);
  }
  manager.Options()->WriteOptimizingPriority(opSpeed);
  // Becoming visible always ends the wait and builds the picture.
  Panel p;
  p.Attach();
  p.a->Updating = true;
  SendMessageW(p.panel->Handle(), fw::CM_VISIBLECHANGED, 1, 0);
  EXPECT_FALSE(p.a->Updating);
  EXPECT_FALSE(p.a->BGChanged);
}

TEST(PanelWnd, AFrameworkPanelInADialogGetsThePanelAdapter) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Parent parent;
  auto* panel = new fw::TPanel(nullptr);
  panel->SetParentWindow(parent.wnd);
  panel->SetBounds(10, 10, 120, 60);
  panel->HandleNeeded();
  ShowWindow(panel->Handle(), SW_SHOW);
  TkcSkinParams params;
  params.SkinSection = u"CHECKBOX";
  TkcMainWnd* a = MakeKindAdapter(TkcAdapterKind::Panel, panel->Handle(), [&] { return skin.get(); }, params, true);
  auto* pw = dynamic_cast<TkcPanelWnd*>(a);
  ASSERT_NE(pw, nullptr);
  EXPECT_EQ(pw->Control(), panel) << "found by its window";
  EXPECT_EQ(ColorAt(Print(panel->Handle()), 5, 5), kCheckBox);
  panel->DestroyHandle();
  EXPECT_TRUE(pw->Destroyed) << "destroyed while attached";
  delete a;
  delete panel;
}

TEST(StaticTextWnd, KeepsItsOwnColourWhenAskedTo) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Parent parent;
  auto* t = new TVlStaticText(nullptr);
  t->SetParentWindow(parent.wnd);
  t->SetBounds(10, 10, 200, 40);
  t->SetColor(0x123456);
  t->SetCaption(u"Own");
  ShowWindow(t->Handle(), SW_SHOW);
  TkcSkinParams p;
  p.Control = t;
  p.UseSkinColor = false;
  auto* a = AttachAdapter<TkcStaticTextWnd>(t->Handle(), [&] { return skin.get(); }, p);
  const TPixelBuffer image = Print(t->Handle());
  EXPECT_EQ(ColorAt(image, 2, 30), fw::TColor(0x123456));
  EXPECT_GT(CountPixels(View32(const_cast<TPixelBuffer&>(image)), Px(kText)), 5) << "the caption over it";
  // Shown again it keeps waiting for its parent: only panels end the wait.
  a->Updating = true;
  SendMessageW(t->Handle(), fw::CM_VISIBLECHANGED, 1, 0);
  EXPECT_TRUE(a->Updating);
  delete a;
  delete t;
}

// Panels of each bevel kind in the program's skins (checksums of their
// pictures, and a sheet with captions for looking at).
TEST(PanelWnd, ProgramSkins) {
  // The program's skins share their panel sections.
  const uint64_t golden[2][3] = {{9574691992068129433ull, 7686443831782397753ull, 15794870353878405363ull},
                                 {9574691992068129433ull, 7686443831782397753ull, 15794870353878405363ull}};
  const fw::TBevelCut bevels[3][2] = {{fw::bvRaised, fw::bvNone}, {fw::bvLowered, fw::bvNone}, {fw::bvRaised, fw::bvLowered}};
  for (int s = 0; s < 2; ++s) {
    std::vector<TPixelBuffer> faces, titled;
    for (int i = 0; i < 3; ++i) {
      Panel p(bevels[i][0], bevels[i][1]);
      p.skin = ProgramSkin(s);
      ASSERT_TRUE(p.skin);
      p.panel->SetCaption(u"");
      p.Attach();
      faces.push_back(Print(p.panel->Handle()));
      EXPECT_EQ(PixelChecksum(View32(faces.back())), golden[s][i]) << ProgramSkinName(s) << " panel " << i;
      p.panel->SetCaption(u"Panel caption");
      titled.push_back(Print(p.panel->Handle()));
    }
    faces.insert(faces.end(), titled.begin(), titled.end());
    WriteRow(faces, std::string(ProgramSkinName(s)) + "_panels.png", 1);
  }
}

// Static texts (flat, with a bevel, disabled) and a container in the
// program's skins, each with its golden; removal gives each its own
// procedure back, destruction while attached leaves the adapter detached.
TEST(StaticTextWnd, StaticTextsAndContainersInTheProgramSkins) {
  // The program's skins share these sections.
  const uint64_t golden[2][4] = {{9147306842133509187ull, 5455882947792108841ull, 9147306842133509187ull, 16893785374409714467ull},
                                 {9147306842133509187ull, 5455882947792108841ull, 9147306842133509187ull, 16893785374409714467ull}};
  for (int s = 0; s < 2; ++s) {
    std::unique_ptr<TkLoadedSkin> skin = ProgramSkin(s);
    ASSERT_TRUE(skin);
    Parent parent;
    std::vector<TPixelBuffer> looks;
    for (int look = 0; look < 3; ++look) {
      auto* t = new TVlStaticText(nullptr);
      t->FBevelKind = look == 1;
      t->FBevelOuter = fw::bvLowered;
      t->SetParentWindow(parent.wnd);
      t->SetBounds(10, 10, 120, 30);
      t->SetCaption(u"");
      if (look == 2) t->SetEnabled(false);
      ShowWindow(t->Handle(), SW_SHOW);
      const fw::TWndMethod own = t->WindowProc();
      TkcSkinParams p;
      p.Control = t;
      auto* a = AttachAdapter<TkcStaticTextWnd>(t->Handle(), [&] { return skin.get(); }, p);
      looks.push_back(Print(t->Handle()));
      if (look == 0) {
        delete a;
        EXPECT_TRUE(t->WindowProc() == own) << "removal gives the procedure back";
        EXPECT_EQ(GetWindowAdapter(t->Handle()), nullptr);
      } else {
        t->DestroyHandle();
        EXPECT_TRUE(a->Destroyed) << "destroyed while attached";
        delete a;
      }
      delete t;
    }
    HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 50, 100, 30, parent.wnd, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    auto* c = AttachAdapter<TkcContainerWnd>(plain, [&] { return skin.get(); }, {});
    looks.push_back(Print(plain));
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ(CountPixels(View32(looks[size_t(i)]), 0xFF00FF), 0) << ProgramSkinName(s) << " look " << i;
      EXPECT_EQ(PixelChecksum(View32(looks[size_t(i)])), golden[s][i]) << ProgramSkinName(s) << " look " << i;
    }
    WriteRow(looks, std::string("static_texts_and_containers_") + ProgramSkinName(s) + ".png");
    DestroyWindow(plain);
    EXPECT_TRUE(c->Destroyed);
    delete c;
    HWND edged = CreateWindowExW(WS_EX_CLIENTEDGE, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 90, 100, 30, parent.wnd,
                                 nullptr, GetModuleHandleW(nullptr), nullptr);
    const auto own = GetWindowLongPtrW(edged, GWLP_WNDPROC);
    delete AttachAdapter<TkcContainerWnd>(edged, [&] { return skin.get(); }, {});
    EXPECT_EQ(GetWindowLongPtrW(edged, GWLP_WNDPROC), own) << "removal gives the container its procedure back";
    EXPECT_EQ(GetWindowAdapter(edged), nullptr);
  }
}

// A framework control freed while attached: its window goes without a
// message reaching the adapter, and the adapter freed afterwards leaves
// the freed control's memory alone.
TEST(StaticTextWnd, AControlFreedWhileAttachedIsLeftAlone) {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticDialogSkin();
  Parent parent;
  alignas(TVlStaticText) unsigned char memory[sizeof(TVlStaticText)];
  auto* t = new (memory) TVlStaticText(nullptr);
  t->SetParentWindow(parent.wnd);
  t->SetBounds(10, 10, 120, 30);
  ShowWindow(t->Handle(), SW_SHOW);
  TkcSkinParams p;
  p.Control = t;
  auto* a = AttachAdapter<TkcStaticTextWnd>(t->Handle(), [&] { return skin.get(); }, p);
  const HWND wnd = t->Handle();
  t->~TVlStaticText();
  EXPECT_FALSE(IsWindow(wnd));
  std::vector<unsigned char> freed(memory, memory + sizeof memory);
  delete a;
  EXPECT_TRUE(std::equal(freed.begin(), freed.end(), memory)) << "nothing written into the freed control";
}
