// List views under the list view adapter: the list's colours follow the
// skin and its hot state and come back exactly; the header painted by the
// skin column by column (hot, pressed, the empty rest, sort arrows on the
// right side of the text), left to itself outside report view; thumb drags
// scroll whole rows; a list destroyed while adapted; goldens of the header
// in both program skins.
#include "skin/controls/list_view_wnd.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "skin/controls/adapter_factory.h"
#include "skin/controls/core/column_header_layout.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"
#include "tests/controls/golden_image.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

HWND Host() {
  static ATOM atom = [] {
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSW wc{};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    wc.lpszClassName = L"VlListHost";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  HWND h = CreateWindowExW(0, L"VlListHost", L"", WS_POPUP | WS_VISIBLE, 30, 30, 400, 300, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
  UpdateWindow(h);
  return h;
}

constexpr COLORREF kOwnBack = RGB(250, 240, 200), kOwnText = RGB(10, 90, 10);

struct List {
  std::unique_ptr<TkLoadedSkin> skin;
  HWND host = Host();
  HWND wnd;
  HWND header;
  WNDPROC headerProc;
  TkcListViewWnd* a = nullptr;
  explicit List(std::unique_ptr<TkLoadedSkin> s = skintest::SyntheticListSkin(), int items = 40)
      : skin(std::move(s)) {
    wnd = CreateWindowExW(0, WC_LISTVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, 10, 10, 300, 200,
                          host, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(wnd, LVM_SETBKCOLOR, 0, kOwnBack);
    SendMessageW(wnd, LVM_SETTEXTBKCOLOR, 0, kOwnBack);
    SendMessageW(wnd, LVM_SETTEXTCOLOR, 0, kOwnText);
    const wchar_t* names[] = {L"Font", L"Score", L"Path"};
    for (int i = 0; i < 3; ++i) {
      LVCOLUMNW col{LVCF_WIDTH | LVCF_TEXT | LVCF_FMT, i == 1 ? LVCFMT_RIGHT : LVCFMT_LEFT, 80,
                    const_cast<wchar_t*>(names[i])};
      SendMessageW(wnd, LVM_INSERTCOLUMNW, WPARAM(i), reinterpret_cast<LPARAM>(&col));
    }
    for (int i = 0; i < items; ++i) {
      std::wstring text = L"Item " + std::to_wstring(i);
      LVITEMW item{LVIF_TEXT, i};
      item.pszText = text.data();
      SendMessageW(wnd, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    header = reinterpret_cast<HWND>(SendMessageW(wnd, LVM_GETHEADER, 0, 0));
    headerProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(header, GWLP_WNDPROC));
  }
  void Attach(bool dialog = false) {
    TkcSkinParams p;
    p.VertScrollSize = p.HorzScrollSize = 17;
    AddingDialogControls = dialog;
    a = AttachAdapter<TkcListViewWnd>(wnd, [this] { return skin.get(); }, p);
    AddingDialogControls = false;
  }
  ~List() {
    delete a;
    DestroyWindow(host);
  }
  COLORREF Back() const { return COLORREF(SendMessageW(wnd, LVM_GETBKCOLOR, 0, 0)); }
  COLORREF Text() const { return COLORREF(SendMessageW(wnd, LVM_GETTEXTCOLOR, 0, 0)); }
  void SetFormat(int column, int fmt) {
    HDITEMW item{HDI_FORMAT};
    SendMessageW(header, HDM_GETITEMW, WPARAM(column), reinterpret_cast<LPARAM>(&item));
    item.fmt = (item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN)) | fmt;
    SendMessageW(header, HDM_SETITEMW, WPARAM(column), reinterpret_cast<LPARAM>(&item));
  }
  RECT HeaderRect() const {
    RECT r{};
    GetClientRect(header, &r);
    return r;
  }
  // The header painted by the adapter into a bitmap of its size.
  std::unique_ptr<fw::TBitmap> PaintedHeader() {
    const RECT r = HeaderRect();
    auto b = NewBitmap32(r.right, r.bottom);
    a->PaintHeader(b->Canvas()->Handle());
    GdiFlush();
    return b;
  }
  fw::TRect Column(int i) const { return a->GetHeaderColumnRect(i); }
};

COLORREF At(fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }

// Whether any pixel of the rectangle has the colour.
bool Shows(fw::TBitmap& b, const fw::TRect& r, fw::TColor color) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x)
      if (At(b, x, y) == COLORREF(color)) return true;
  return false;
}

}  // namespace

TEST(ListViewWnd, ColoursFollowTheSkinAndItsHotStateAndComeBackExactly) {
  {
    List l;
    l.Attach();
    EXPECT_EQ(l.Back(), COLORREF(skintest::kEdit));
    EXPECT_EQ(l.Text(), COLORREF(skintest::kEditText));
    EXPECT_EQ(COLORREF(SendMessageW(l.wnd, LVM_GETTEXTBKCOLOR, 0, 0)), COLORREF(skintest::kEdit));
    // The skin goes: everything as it was, the header's procedure its own.
    SendMessageW(l.wnd, WM_SKINCOMMAND, SkinCommand(SKC_REMOVESKIN), 0);
    l.skin.reset();
    EXPECT_EQ(l.Back(), kOwnBack);
    EXPECT_EQ(l.Text(), kOwnText);
    EXPECT_EQ(COLORREF(SendMessageW(l.wnd, LVM_GETTEXTBKCOLOR, 0, 0)), kOwnBack);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(l.header, GWLP_WNDPROC)), l.headerProc);
  }
  {
    // A framework list view: the control's colours too, and the hot state
    // while focused.
    List l;
    auto* list = new fw::TListView(nullptr);
    list->SetParentWindow(l.host);
    list->SetBounds(10, 220, 200, 60);
    list->SetViewStyle(fw::vsReport);
    list->SetColor(fw::TColor(kOwnBack));
    list->Font()->SetColor(fw::TColor(kOwnText));
    list->Columns()->Add()->SetCaption(u"Font");
    list->Items()->Add()->SetCaption(u"Item");
    TkcSkinParams p;
    p.Control = list;
    auto* a = AttachAdapter<TkcListViewWnd>(list->Handle(), [&] { return l.skin.get(); }, p);
    HWND h = list->Handle();
    EXPECT_EQ(list->Color(), skintest::kEdit);
    EXPECT_EQ(list->Font()->Color(), skintest::kEditText);
    EXPECT_EQ(COLORREF(SendMessageW(h, LVM_GETBKCOLOR, 0, 0)), COLORREF(skintest::kEdit));
    SetFocus(h);
    EXPECT_EQ(COLORREF(SendMessageW(h, LVM_GETBKCOLOR, 0, 0)), COLORREF(skintest::Hot(skintest::kEdit)))
        << "focused: the hot state";
    EXPECT_EQ(list->Font()->Color(), skintest::Hot(skintest::kEditText));
    SetFocus(l.host);
    EXPECT_EQ(COLORREF(SendMessageW(h, LVM_GETBKCOLOR, 0, 0)), COLORREF(skintest::kEdit));
    delete a;
    EXPECT_EQ(list->Color(), fw::TColor(kOwnBack));
    EXPECT_EQ(list->Font()->Color(), fw::TColor(kOwnText));
    EXPECT_EQ(COLORREF(SendMessageW(h, LVM_GETBKCOLOR, 0, 0)), kOwnBack);
    EXPECT_EQ(COLORREF(SendMessageW(h, LVM_GETTEXTCOLOR, 0, 0)), kOwnText);
    delete list;
  }
  {
    List l;
    l.Attach(true);
    EXPECT_EQ(l.Back(), COLORREF(GetSysColor(COLOR_WINDOW))) << "a dialog's list keeps the window colours";
    EXPECT_EQ(l.Text(), COLORREF(GetSysColor(COLOR_WINDOWTEXT)));
  }
  {
    List l;
    l.Attach();
    delete l.a;
    l.a = nullptr;
    EXPECT_EQ(l.Back(), kOwnBack) << "detached";
    EXPECT_EQ(l.Text(), kOwnText);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(l.header, GWLP_WNDPROC)), l.headerProc);
    EXPECT_EQ(GetWindowAdapter(l.wnd), nullptr);
  }
}

TEST(ListViewWnd, TheHeaderIsPaintedColumnByColumnWithHotPressedAndEmptyParts) {
  List l;
  l.Attach();
  const fw::TColor normal = skintest::kHeader, hot = skintest::Hot(skintest::kHeader);
  auto b = l.PaintedHeader();
  const RECT h = l.HeaderRect();
  ASSERT_EQ(l.Column(2).Right, 240);
  EXPECT_EQ(At(*b, 2, 2), COLORREF(normal));
  EXPECT_EQ(At(*b, 270, h.bottom / 2), COLORREF(normal)) << "the rest right of the columns: an empty column";
  EXPECT_FALSE(Shows(*b, fw::Rect(241, 0, 300, h.bottom), skintest::kHeaderText)) << "with no text";
  EXPECT_TRUE(Shows(*b, l.Column(0), skintest::kHeaderText)) << "captions in the section's text colour";

  l.a->HoverColIndex = 1;
  b = l.PaintedHeader();
  EXPECT_EQ(At(*b, 82, 2), COLORREF(hot)) << "the column under the mouse";
  EXPECT_EQ(At(*b, 2, 2), COLORREF(normal));
  EXPECT_TRUE(Shows(*b, l.Column(1), skintest::Hot(skintest::kHeaderText)));

  // Through the header's own messages: over column 2, then the mouse on
  // the list itself clears it.
  RECT hr{};
  GetWindowRect(l.header, &hr);
  SendMessageW(l.header, WM_NCHITTEST, 0, MAKELPARAM(hr.left + 200, hr.top + 3));
  EXPECT_EQ(l.a->HoverColIndex, 2);
  SendMessageW(l.wnd, WM_NCHITTEST, 0, MAKELPARAM(hr.left + 200, hr.top + 60));
  EXPECT_EQ(l.a->HoverColIndex, -1);

  // Pressed: only that column differs; its caption moves by one pixel.
  l.a->FPressedColumn = 0;
  auto pressed = l.PaintedHeader();
  l.a->FPressedColumn = -1;
  auto plain = l.PaintedHeader();
  EXPECT_EQ(At(*pressed, 82, 2), COLORREF(normal)) << "the others normal while one is pressed";
  int firstPressed = 999, firstPlain = 999;
  for (int x = 0; x < 80; ++x)
    for (int y = 0; y < h.bottom; ++y) {
      if (At(*pressed, x, y) == COLORREF(skintest::Hot(skintest::kHeaderText))) firstPressed = std::min(firstPressed, x);
      if (At(*plain, x, y) == COLORREF(skintest::kHeaderText)) firstPlain = std::min(firstPlain, x);
    }
  EXPECT_EQ(firstPressed, firstPlain + 1);
}

TEST(ListViewWnd, SortArrowsSitRightOfTheTextInsideTheColumn) {
  List l;
  l.Attach();
  const RECT h = l.HeaderRect();
  auto none = l.PaintedHeader();
  l.SetFormat(0, HDF_SORTUP);
  l.SetFormat(1, HDF_SORTDOWN);  // right-aligned
  auto sorted = l.PaintedHeader();
  auto arrowColumns = [&](int column) {
    int left = 999, right = -1;
    const fw::TRect c = l.Column(column);
    for (int x = c.Left; x < c.Right; ++x)
      for (int y = 0; y < h.bottom; ++y)
        if (At(*sorted, x, y) != At(*none, x, y)) left = std::min(left, x), right = std::max(right, x);
    return std::pair<int, int>{left, right};
  };
  // The skin has no arrow glyphs: a drawn 6 x 3 arrow mark; right-aligned
  // text ends 4 pixels and the arrow's width before the column's edge.
  const auto up = arrowColumns(0);
  EXPECT_GT(up.first, 0) << "the up arrow is drawn";
  EXPECT_LT(up.second, l.Column(0).Right - 4);
  const auto down = arrowColumns(1);
  ASSERT_GT(down.first, l.Column(1).Left) << "the down arrow is drawn";
  EXPECT_LE(down.second, l.Column(1).Right - 4) << "inside the column";
  EXPECT_TRUE(Shows(*sorted, fw::Rect(down.first, 0, down.second + 1, h.bottom), skintest::kHeaderText))
      << "in the header's text colour";
}

TEST(ListViewWnd, OutsideReportViewTheHeaderPaintsItself) {
  List l;
  l.Attach();
  SendMessageW(l.wnd, LVM_SETVIEW, LV_VIEW_ICON, 0);
  EXPECT_EQ(l.a->ViewStyle(), fw::vsIcon);
  const RECT h = l.HeaderRect();
  auto b = NewBitmap32(300, 30);
  SendMessageW(l.header, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(b->Canvas()->Handle()), PRF_CLIENT);
  GdiFlush();
  EXPECT_FALSE(Shows(*b, fw::Rect(0, 0, 300, std::max<LONG>(h.bottom, 1)), skintest::kHeader));
  SendMessageW(l.wnd, LVM_SETVIEW, LV_VIEW_DETAILS, 0);
  EXPECT_EQ(l.a->ViewStyle(), fw::vsReport);
}

TEST(ListViewWnd, WithoutColumnsTheWholeHeaderIsOneEmptyColumn) {
  List l(skintest::SyntheticListSkin(), 0);
  while (SendMessageW(l.wnd, LVM_DELETECOLUMN, 0, 0)) {
  }
  l.Attach();
  auto b = l.PaintedHeader();
  const RECT h = l.HeaderRect();
  ASSERT_GT(h.bottom, 0);
  EXPECT_EQ(At(*b, 5, h.bottom / 2), COLORREF(skintest::kHeader));
  EXPECT_EQ(At(*b, h.right - 5, h.bottom / 2), COLORREF(skintest::kHeader));
}

TEST(ListViewWnd, DraggingTheThumbScrollsByWholeRows) {
  List l;
  l.Attach();
  UpdateWindow(l.wnd);
  ASSERT_TRUE(l.a->sBarVert.Visible);
  const fw::TRect r = l.a->VertBarRect();
  const TkcScrollBar& bar = l.a->sBarVert;
  const TkThumb t = ThumbGeometry(bar.Info, bar.MinThumb, l.a->ScrollBarMetric(bar, false), r.Top, r.Height());
  const POINT grab{r.Left + 5, t.Pos + 2};
  SendMessageW(l.wnd, WM_NCLBUTTONDOWN, HTVSCROLL, MAKELPARAM(grab.x, grab.y));
  ASSERT_TRUE(l.a->fThumbTracking);
  // Down by a few rows' worth of track, in client coordinates.
  POINT p{grab.x, grab.y + 30};
  ScreenToClient(l.wnd, &p);
  SendMessageW(l.wnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(p.x, p.y));
  const int track = ScrollTrackState.LastTrackPos;
  EXPECT_GT(track, 0);
  EXPECT_EQ(SendMessageW(l.wnd, LVM_GETTOPINDEX, 0, 0), track) << "one position is one row";
  SendMessageW(l.wnd, WM_LBUTTONUP, 0, MAKELPARAM(p.x, p.y));
  EXPECT_EQ(SendMessageW(l.wnd, LVM_GETTOPINDEX, 0, 0), track);
  SCROLLINFO si{sizeof(si), SIF_POS};
  GetScrollInfo(l.wnd, SB_VERT, &si);
  EXPECT_EQ(si.nPos, track);
}

TEST(ListViewWnd, AListDestroyedWhileAdaptedLetsGoOfItAndItsHeader) {
  List l;
  l.Attach();
  HWND header = l.header;
  DestroyWindow(l.wnd);
  EXPECT_TRUE(l.a->Destroyed);
  EXPECT_EQ(l.a->FhWndHeader, nullptr);
  EXPECT_FALSE(IsWindow(header));
  // Nothing left to restore; deleting the adapter touches no window.
  delete l.a;
  l.a = nullptr;
}

TEST(ListViewWnd, TheHeaderInBothProgramSkinsMatchesItsGoldens) {
  const struct {
    const char* file;
    const char16_t* name;
    const char* golden;
  } skins[] = {{"sapphire.ksz", u"Sapphire (internal)", "list_header_sapphire"},
               {"topaz.ksz", u"Topaz (internal)", "list_header_topaz"}};
  for (const auto& s : skins) {
    std::unique_ptr<TkLoadedSkin> skin = LoadProgramSkin(s.file, s.name);
    ASSERT_TRUE(skin);
    List l(std::move(skin));
    // No captions (text is checked above): the faces and arrows alone.
    for (int i = 0; i < 3; ++i) {
      HDITEMW item{HDI_TEXT};
      item.pszText = const_cast<wchar_t*>(L"");
      SendMessageW(l.header, HDM_SETITEMW, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    l.Attach();
    l.SetFormat(0, HDF_SORTUP);
    l.SetFormat(1, HDF_SORTDOWN);
    std::vector<std::unique_ptr<fw::TBitmap>> rows;
    std::vector<fw::TBitmap*> parts;
    const struct {
      int hover, pressed;
    } states[] = {{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {-1, 2}};
    for (const auto& st : states) {
      l.a->HoverColIndex = st.hover;
      l.a->FPressedColumn = st.pressed;
      rows.push_back(l.PaintedHeader());
      parts.push_back(rows.back().get());
    }
    auto sheet = cktest::Stack(parts);
    EXPECT_TRUE(cktest::MatchesGolden(sheet.get(), s.golden)) << s.golden;
  }
}

TEST(ListViewWnd, TheFactoryGivesListViewsThisAdapter) {
  List l;
  TkcMainWnd* a = MakeKindAdapter(TkcAdapterKind::ListView, l.wnd, [&] { return l.skin.get(); }, TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcListViewWnd*>(a), nullptr) << "a dialog's list view";
  delete a;
  fw::TListView* list = new fw::TListView(nullptr);
  list->SetParentWindow(l.host);
  TkcMainWnd* b = MakeListAdapter(tlListView, list, [&] { return l.skin.get(); }, TkcSkinParams{});
  EXPECT_NE(dynamic_cast<TkcListViewWnd*>(b), nullptr) << "a framework list view of the class list";
  delete b;
  delete list;
}
