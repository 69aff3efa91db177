// Another vendor's virtual tree under its adapter, through a small control
// publishing what the adapter reads: colours given by the skin and given
// back, the header events taken only when free and always cleared, the
// header drawn from the skin (background by state, the sort arrow as the
// skin's glyph or a drawn mark, the area right of the columns), controls
// that publish nothing left alone; destruction while attached.
#include "skin/controls/virtual_tree_wnd.h"

#include <gtest/gtest.h>

#include "fw/core/rtti.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_colors.h"
#include "tests/skin/controls/adapter_test_util.h"

using namespace skin;
using namespace skintest;

FW_ENUM(TVlHeaderOption, hoVisible, hoOwnerDraw)
FW_ENUM(TVlColumnOption, coVisible, coWrapCaption)

class TVlTreeColors : public fw::TPersistent {
  FW_CLASS(TVlTreeColors, fw::TPersistent)
 public:
  TVlTreeColors() = default;
  int FocusedSelectionBorderColor = 0x010101, FocusedSelectionColor = 0x020202, UnfocusedSelectionBorderColor = 0x030303,
      UnfocusedSelectionColor = 0x040404, HotColor = 0x050505, SelectionTextColor = 0x060606;
};
FW_REGISTER(TVlTreeColors) {
  using T = TVlTreeColors;
  c.Property(u"FocusedSelectionBorderColor", &T::FocusedSelectionBorderColor, &T::FocusedSelectionBorderColor);
  c.Property(u"FocusedSelectionColor", &T::FocusedSelectionColor, &T::FocusedSelectionColor);
  c.Property(u"UnfocusedSelectionBorderColor", &T::UnfocusedSelectionBorderColor, &T::UnfocusedSelectionBorderColor);
  c.Property(u"UnfocusedSelectionColor", &T::UnfocusedSelectionColor, &T::UnfocusedSelectionColor);
  c.Property(u"HotColor", &T::HotColor, &T::HotColor);
  c.Property(u"SelectionTextColor", &T::SelectionTextColor, &T::SelectionTextColor);
}

class TVlVETColors : public fw::TPersistent {
  FW_CLASS(TVlVETColors, fw::TPersistent)
 public:
  TVlVETColors() = default;
  int CompressedTextColor = 0x070707, FileTextColor = 0x080808, FolderTextColor = 0x090909;
};
FW_REGISTER(TVlVETColors) {
  using T = TVlVETColors;
  c.Property(u"CompressedTextColor", &T::CompressedTextColor, &T::CompressedTextColor);
  c.Property(u"FileTextColor", &T::FileTextColor, &T::FileTextColor);
  c.Property(u"FolderTextColor", &T::FolderTextColor, &T::FolderTextColor);
}

class TVlTreeHeader : public fw::TPersistent {
  FW_CLASS(TVlTreeHeader, fw::TPersistent)
 public:
  TVlTreeHeader() { Font->SetColor(0x0A0A0A); }
  ~TVlTreeHeader() override { delete Font; }
  fw::TSet<TVlHeaderOption> Options{hoVisible};
  int Height = 20, Color = 0x0B0B0B, SortDirection = 0;
  fw::TFont* Font = new fw::TFont();
};
FW_REGISTER(TVlTreeHeader) {
  using T = TVlTreeHeader;
  c.Property(u"Options", &T::Options, &T::Options);
  c.Property(u"Height", &T::Height, &T::Height);
  c.Property(u"Color", &T::Color, &T::Color);
  c.Property(u"SortDirection", &T::SortDirection, &T::SortDirection);
  c.Property(u"Font", &T::Font);
}

class TVlPaintColumn : public fw::TPersistent {
  FW_CLASS(TVlPaintColumn, fw::TPersistent)
 public:
  TVlPaintColumn() = default;
  int Color = 0x0C0C0C, Style = 0;
};
FW_REGISTER(TVlPaintColumn) {
  c.Property(u"Color", &TVlPaintColumn::Color, &TVlPaintColumn::Color);
  c.Property(u"Style", &TVlPaintColumn::Style, &TVlPaintColumn::Style);
}

class TVlTreeColumn : public fw::TCollectionItem {
  FW_CLASS(TVlTreeColumn, fw::TCollectionItem)
 public:
  TVlTreeColumn() = default;
  fw::String Text = u"Name";
  fw::TSet<TVlColumnOption> Options{coVisible};
};
FW_REGISTER(TVlTreeColumn) {
  c.Property(u"Text", &TVlTreeColumn::Text, &TVlTreeColumn::Text);
  c.Property(u"Options", &TVlTreeColumn::Options, &TVlTreeColumn::Options);
}

class TVlVirtualTree : public fw::TCustomControl {
  FW_CLASS(TVlVirtualTree, fw::TCustomControl)
 public:
  explicit TVlVirtualTree(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  ~TVlVirtualTree() override {
    delete Colors;
    delete VETColors;
    delete Header;
    delete PaintInfoColumn;
  }
  TVlTreeColors* Colors = new TVlTreeColors();
  TVlVETColors* VETColors = new TVlVETColors();
  TVlTreeHeader* Header = new TVlTreeHeader();
  TVlPaintColumn* PaintInfoColumn = new TVlPaintColumn();
  bool Themed = false;
  TVTAdvancedHeaderPaintEvent OnAdvancedHeaderDraw;
  TVTHeaderPaintQueryElementsEvent OnHeaderDrawQueryElements;
  // A handler the form may have.
  void FormDraw(fw::TPersistent*, THeaderPaintInfo&, uint32_t) {}

 protected:
  // A mark at the client's origin, to find where the client is printed.
  void Paint() override {
    Canvas()->Brush()->SetColor(0x00FF00);
    Canvas()->FillRect(fw::Rect(0, 0, 6, 6));
  }
};
FW_REGISTER(TVlVirtualTree) {
  using T = TVlVirtualTree;
  c.Property(u"Colors", &T::Colors);
  c.Property(u"VETColors", &T::VETColors);
  c.Property(u"Header", &T::Header);
  c.Property(u"PaintInfoColumn", &T::PaintInfoColumn);
  c.Property(u"Themed", &T::Themed, &T::Themed);
  c.Event(u"OnAdvancedHeaderDraw", &T::OnAdvancedHeaderDraw);
  c.Event(u"OnHeaderDrawQueryElements", &T::OnHeaderDrawQueryElements);
}

// A control of the list that publishes none of it.
class TVlBareTree : public fw::TCustomControl {
  FW_CLASS(TVlBareTree, fw::TCustomControl)
 public:
  explicit TVlBareTree(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
};
FW_REGISTER(TVlBareTree) {}

namespace {

template <class C>
struct Tree {
  std::unique_ptr<TkLoadedSkin> skin = SyntheticListSkin();
  Host host{300, 200};
  C* tree;
  TkcVirtualTreeViewWnd* a = nullptr;
  Tree() {
    skin->Palette[pcSelectionBG_Focused] = 0x113355;
    skin->Palette[pcSelectionText_Focused] = 0x224466;
    skin->Palette[pcEditBG] = 0x335577;
    skin->Palette[pcEditText] = 0x446688;
    skin->Palette[pcLabelText] = 0x557799;
    tree = new C(nullptr);
    tree->SetParentWindow(host.wnd);
    tree->SetBounds(10, 10, 200, 120);
    tree->HandleNeeded();
    ShowWindow(tree->Handle(), SW_SHOW);
  }
  void Attach() {
    TkcSkinParams p;
    p.Control = tree;
    a = AttachAdapter<TkcVirtualTreeViewWnd>(tree->Handle(), [this] { return skin.get(); }, p);
  }
  ~Tree() {
    delete a;
    delete tree;
  }
};

}  // namespace

TEST(VirtualTreeWnd, ColoursAndHeaderEventsGivenAndGivenBack) {
  Tree<TVlVirtualTree> t;
  TVlVirtualTree& v = *t.tree;
  t.Attach();
  EXPECT_EQ(v.Colors->FocusedSelectionColor, 0x113355);
  EXPECT_EQ(v.Colors->FocusedSelectionBorderColor, 0x113355);
  EXPECT_EQ(v.Colors->SelectionTextColor, 0x224466);
  EXPECT_EQ(v.Colors->HotColor, 0x446688);
  EXPECT_EQ(v.Colors->UnfocusedSelectionColor, fw::TColor(MixColors(0x113355, 0x335577, 0.5)));
  EXPECT_EQ(v.VETColors->FileTextColor, kEditText) << "the section's text colour";
  EXPECT_TRUE(v.OnAdvancedHeaderDraw.Assigned());
  EXPECT_TRUE(v.OnHeaderDrawQueryElements.Assigned());
  EXPECT_TRUE(v.Header->Options.Contains(hoOwnerDraw));
  EXPECT_EQ(v.PaintInfoColumn->Color, kMain);
  EXPECT_EQ(v.PaintInfoColumn->Style, 1);
  EXPECT_EQ(v.Header->Color, 0x335577);
  EXPECT_EQ(v.Header->Font->Color(), 0x557799);
  THeaderPaintInfo info;
  uint32_t elements = 0;
  v.OnHeaderDrawQueryElements(&v, info, elements);
  EXPECT_EQ(elements, 27u);

  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(v.Colors->FocusedSelectionColor, 0x020202);
  EXPECT_EQ(v.Colors->UnfocusedSelectionColor, 0x040404);
  EXPECT_EQ(v.VETColors->FolderTextColor, 0x090909);
  EXPECT_FALSE(v.OnAdvancedHeaderDraw.Assigned());
  EXPECT_FALSE(v.OnHeaderDrawQueryElements.Assigned());
  EXPECT_FALSE(v.Header->Options.Contains(hoOwnerDraw)) << "the header's own choice";
  EXPECT_TRUE(v.Themed);
  EXPECT_EQ(v.PaintInfoColumn->Color, fw::clBtnFace);
  EXPECT_EQ(v.Header->Font->Color(), fw::clBtnText);
}

TEST(VirtualTreeWnd, AFormsHeaderHandlerIsKeptButClearedWithTheSkin) {
  Tree<TVlVirtualTree> t;
  TVlVirtualTree& v = *t.tree;
  v.OnAdvancedHeaderDraw = TVTAdvancedHeaderPaintEvent(&v, &TVlVirtualTree::FormDraw);
  const fw::TMethod form = v.OnAdvancedHeaderDraw.Method();
  t.Attach();
  EXPECT_TRUE(v.OnAdvancedHeaderDraw.Method() == form);
  delete t.a;
  t.a = nullptr;
  EXPECT_FALSE(v.OnAdvancedHeaderDraw.Assigned());
}

TEST(VirtualTreeWnd, AControlPublishingNothingIsSkinnedAndGivenBack) {
  Tree<TVlBareTree> t;
  t.Attach();
  EXPECT_TRUE(t.a->Skinned());
  Print(t.tree->Handle());
  delete t.a;
  t.a = nullptr;
  EXPECT_EQ(GetWindowAdapter(t.tree->Handle()), nullptr);
}

namespace {

// One header piece drawn through the installed event into a white image.
TPixelBuffer DrawHeader(TVlVirtualTree& v, TVlTreeColumn* column, bool hover, uint32_t elements, bool sorted = false) {
  auto bmp = NewBitmap32(120, 20);
  SolidFillDC(bmp->Canvas()->Handle(), fw::Rect(0, 0, 120, 20), 0xFFFFFF);
  THeaderPaintInfo info;
  info.TargetCanvas = bmp->Canvas();
  info.Column = column;
  info.PaintRectangle = fw::Rect(20, 0, 120, 20);
  info.TextRectangle = fw::Rect(24, 2, 90, 18);
  info.IsHoverIndex = hover;
  info.ShowSortGlyph = sorted;
  info.SortGlyphPos = fw::TPoint{100, 7};
  v.OnAdvancedHeaderDraw(&v, info, elements);
  GdiFlush();
  TPixelBuffer out(TPixelFormat::pf32bit, 120, 20);
  const TPixelView32 o = View32(out), in = View32(*bmp);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 120; ++x) o.Pixel(x, y) = in.Pixel(x, y) & 0xFFFFFF;
  return out;
}

}  // namespace

TEST(VirtualTreeWnd, HeaderDrawnFromTheSkin) {
  Tree<TVlVirtualTree> t;
  TVlVirtualTree& v = *t.tree;
  t.Attach();
  TVlTreeColumn column;
  EXPECT_EQ(ColorAt(DrawHeader(v, &column, false, hpeBackground), 50, 10), kHeader);
  const TPixelBuffer hot = DrawHeader(v, &column, true, hpeBackground);
  EXPECT_EQ(ColorAt(hot, 50, 10), Hot(kHeader));
  EXPECT_EQ(ColorAt(hot, 10, 10), fw::TColor(0xFFFFFF)) << "only the paint rectangle";
  EXPECT_EQ(ColorAt(DrawHeader(v, nullptr, false, hpeBackground), 50, 10), kEdit) << "right of the columns";
  // Text over what is there, in the section's text colour.
  const TPixelBuffer text = DrawHeader(v, &column, false, hpeText);
  EXPECT_GT(CountPixels(View32(const_cast<TPixelBuffer&>(text)), Px(kHeaderText)), 5);
  // Sorted descending, the skin without arrow glyphs: a 6 x 3 mark.
  v.Header->SortDirection = 1;
  const TPixelBuffer mark = DrawHeader(v, &column, false, hpeSortGlyph, true);
  int inMark = 0, elsewhere = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 20; x < 120; ++x)
      if (ColorAt(mark, x, y) == kArrowMark) (x >= 97 && x < 108 && y >= 7 && y < 12 ? inMark : elsewhere)++;
  EXPECT_GT(inMark, 3);
  EXPECT_EQ(elsewhere, 0);
  // Wider rows first: pointing down.
  auto row = [&](int y) {
    int n = 0;
    for (int x = 97; x < 108; ++x) n += ColorAt(mark, x, y) == kArrowMark;
    return n;
  };
  int first = -1, last = -1;
  for (int y = 0; y < 20; ++y)
    if (row(y)) (first < 0 ? first : last) = y;
  ASSERT_GE(first, 0);
  ASSERT_GT(last, first);
  EXPECT_GT(row(first), row(last));
}

TEST(VirtualTreeWnd, DestroyedWhileAttached) {
  Tree<TVlVirtualTree> t;
  t.Attach();
  t.tree->DestroyHandle();
  EXPECT_TRUE(t.a->Destroyed);
}

// Printed with a client edge: the frame from the section, the client below
// the visible header.
TEST(VirtualTreeWnd, PrintedWithFrameAndTheClientBelowTheHeader) {
  Tree<TVlVirtualTree> t;
  HWND h = t.tree->Handle();
  SetWindowLongPtrW(h, GWL_EXSTYLE, GetWindowLongPtrW(h, GWL_EXSTYLE) | WS_EX_CLIENTEDGE);
  SetWindowPos(h, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  t.Attach();
  const TPixelBuffer image = Print(h);
  EXPECT_EQ(ColorAt(image, 0, 0), kEdit) << "the frame";
  EXPECT_EQ(ColorAt(image, 1, 60), kEdit);
  EXPECT_EQ(ColorAt(image, 2 + 2, 2 + 20 + 2), fw::TColor(0x00FF00)) << "the client moved below the header";
  t.tree->Header->Options = fw::TSet<TVlHeaderOption>{};
  EXPECT_EQ(ColorAt(Print(h), 2 + 2, 2 + 2), fw::TColor(0x00FF00)) << "no header shown";
}

// The header pieces and the printed frame in the program's skins.
TEST(VirtualTreeWnd, ProgramSkins) {
  const uint64_t golden[2][3] = {{14286197249537484361ull, 988300307084134621ull, 2509668117535106723ull},
                                 {14286197249537484361ull, 4988394097391482926ull, 2509668117535106723ull}};
  for (int s = 0; s < 2; ++s) {
    Tree<TVlVirtualTree> t;
    t.skin = ProgramSkin(s);
    ASSERT_TRUE(t.skin);
    t.Attach();
    TVlTreeColumn column;
    column.Text = u"";
    const TPixelBuffer faces[] = {DrawHeader(*t.tree, &column, false, hpeBackground),
                                  DrawHeader(*t.tree, &column, true, hpeBackground),
                                  DrawHeader(*t.tree, nullptr, false, hpeBackground)};
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(PixelChecksum(View32(const_cast<TPixelBuffer&>(faces[i]))), golden[s][i]) << ProgramSkinName(s) << " " << i;
    column.Text = u"Name";
    t.tree->Header->SortDirection = 1;
    WriteRow({faces[0], faces[1], faces[2], DrawHeader(*t.tree, &column, false, hpeText),
              DrawHeader(*t.tree, &column, false, hpeSortGlyph, true)},
             std::string(ProgramSkinName(s)) + "_virtual_tree_header.png");
  }
}
