// The search page's result list in the program's skins: the list takes the
// skin's colours and frame (the hot ones while focused or under the mouse),
// its column header is painted by the skin with a sort arrow, a selected
// row shows the selection, and wanted scores stay red and bold; screenshots
// of the page with results in both skins go to build/win/screenshots.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/core/result_model.h"
#include "app/image_form.h"
#include "app/result_list_view.h"
#include "fw/controls_test_util.h"
#include "fw/graphics/gdi_handles.h"
#include "main_window_util.h"
#include "scenarios/screenshot_png.h"
#include "skin/controls/list_view_wnd.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_manager.h"
#include "skin/forms/skin_provider.h"

using namespace app;

namespace {

COLORREF At(fw::TBitmap& b, int x, int y) { return GetPixel(b.Canvas()->Handle(), x, y); }

// Whether some pixel of the rectangle is the colour.
bool Shows(fw::TBitmap& b, const RECT& r, COLORREF c) {
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.Height()); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.Width()); ++x)
      if (At(b, x, y) == c) return true;
  return false;
}

// The pixels of the rectangle other than the background.
int InkPixels(fw::TBitmap& b, const RECT& r, COLORREF Background) {
  int n = 0;
  for (int y = std::max<LONG>(r.top, 0); y < std::min<LONG>(r.bottom, b.Height()); ++y)
    for (int x = std::max<LONG>(r.left, 0); x < std::min<LONG>(r.right, b.Width()); ++x) n += At(b, x, y) != Background;
  return n;
}

// The ink of a text written black on white in the font at that weight.
int TextInk(HFONT Font, LONG Weight, const wchar_t* Text) {
  LOGFONTW lf{};
  GetObjectW(Font ? Font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), sizeof(lf), &lf);
  lf.lfWeight = Weight;
  fw::TFontHandle f(CreateFontIndirectW(&lf));
  auto b = skin::NewBitmap32(200, 40);
  HDC dc = b->Canvas()->Handle();
  RECT r{0, 0, 200, 40};
  FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HGDIOBJ old = SelectObject(dc, f.Get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  TextOutW(dc, 2, 2, Text, int(wcslen(Text)));
  SelectObject(dc, old);
  GdiFlush();
  return InkPixels(*b, r, RGB(255, 255, 255));
}

// The list's whole window (frame included) as the screen shows it.
std::unique_ptr<fw::TBitmap> FrameShot(HWND Wnd) {
  RECT r{};
  GetWindowRect(Wnd, &r);
  auto b = skin::NewBitmap32(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(Wnd);
  BitBlt(b->Canvas()->Handle(), 0, 0, b->Width(), b->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(Wnd, dc);
  GdiFlush();
  return b;
}

// The list's client area as the screen shows it.
std::unique_ptr<fw::TBitmap> ClientShot(HWND Wnd) {
  RECT r{};
  GetClientRect(Wnd, &r);
  auto b = skin::NewBitmap32(r.right, r.bottom);
  HDC dc = GetDC(Wnd);
  BitBlt(b->Canvas()->Handle(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(Wnd, dc);
  GdiFlush();
  return b;
}

TEST(SkinnedResultList, HeaderArrowSelectionAndRedScoresInBothSkins) {
  apptest::AppDataFolder appData{"skinned_result_list"};
  apptest::SampleTextKeeper keep;
  apptest::InitialiseProgramUnits();
  auto f = apptest::ShowMainWindow(kPageRun);
  ASSERT_TRUE(fwtest::PumpUntil([&] { return apptest::SkinProviderOf(f.get()) != nullptr; }, 20000));
  skin::TkSkinProvider* provider = apptest::SkinProviderOf(f.get());
  TResultList results;
  results.Add(u"Vltest Sans Bold", 99.0, u"C:\\Fonts\\vltestbd.ttf");
  results.Add(u"Vltest Serif", 96.5, u"C:\\Fonts\\vltestserif.ttf");
  results.Add(u"Arial", 71.25, u"System font");
  results.Add(u"Vlotfx Sans Regular", 64.0, u"D:\\Type\\vlotf.otf");
  FillResultListView(f->ListView, results);
  HWND list = f->ListView->Handle();
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  ASSERT_NE(header, nullptr);

  for (const char16_t* name : {u"Sapphire (internal)", u"Topaz (internal)"}) {
    const std::string file = name[0] == u'S' ? "sapphire" : "topaz";
    f->kSkinManager1->WriteSkinName(name);
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->Skinned() && provider->Skin() == &f->kSkinManager1->Skin(); },
                                  20000));
    SetForegroundWindow(f->Handle());
    ASSERT_TRUE(fwtest::PumpUntil([&] { return provider->FormActive(); }, 20000));
    // The adapter the form's skinning gives the list (made here when the
    // form has not given one).
    std::unique_ptr<skin::TkcListViewWnd> own;
    auto* a = dynamic_cast<skin::TkcListViewWnd*>(skin::GetWindowAdapter(list));
    if (!a) {
      skin::TkcSkinParams p;
      p.Control = f->ListView;
      own.reset(skin::AttachAdapter<skin::TkcListViewWnd>(
          list, [&] { return f->kSkinManager1->LoadedSkin(); }, p));
      a = own.get();
    }
    ASSERT_TRUE(a->Skinned()) << file;
    // Scores sorted down, the arrow on their column; one row selected and
    // the list focused (its hot look).
    HDITEMW item{HDI_FORMAT};
    SendMessageW(header, HDM_GETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    item.fmt = (item.fmt & ~HDF_SORTUP) | HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    f->ListView->SetFocus();
    f->ListView->SetSelected(f->ListView->Items()->Item(2));
    RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(300);

    const skin::TkLoadedSkin& skin = f->kSkinManager1->Skin();
    const int edit = skin.GetSkinIndex(u"EDIT");
    ASSERT_GE(edit, 0);
    const skin::TkGeneralData& section = skin.gd[size_t(edit)];
    const fw::TColor hot = section.Props[section.States > 1 ? 1 : 0].Color;
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), COLORREF(fw::ColorToRGB(hot)))
        << file << ": the section's hot colour while focused";
    // Unfocused, the list takes its hot look while the mouse is over it: the
    // hot colour and the hot frame.
    const fw::TColor normal = section.Props[0].Color;
    f->Wizard->SetFocus();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    fwtest::Pump(50);
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), COLORREF(fw::ColorToRGB(normal))) << file;
    auto calm = FrameShot(list);
    f->ListView->Perform(fw::CM_MOUSEENTER, 0, 0);
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    EXPECT_EQ(COLORREF(SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), COLORREF(fw::ColorToRGB(hot)))
        << file << ": the hot colour under the mouse";
    auto hovered = FrameShot(list);
    int changed = 0;
    for (int x = 0; x < calm->Width(); ++x) changed += At(*calm, x, 0) != At(*hovered, x, 0);
    EXPECT_GT(changed, calm->Width() / 2) << file << ": the hot frame under the mouse";
    f->ListView->Perform(fw::CM_MOUSELEAVE, 0, 0);
    f->ListView->SetFocus();
    RedrawWindow(f->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(300);

    // The header on the screen is the adapter's painting.
    RECT hr{};
    GetClientRect(header, &hr);
    auto painted = skin::NewBitmap32(hr.right, hr.bottom);
    a->PaintHeader(painted->Canvas()->Handle());
    GdiFlush();
    auto shown = skin::NewBitmap32(hr.right, hr.bottom);
    HDC hdc = GetDC(header);
    BitBlt(shown->Canvas()->Handle(), 0, 0, hr.right, hr.bottom, hdc, 0, 0, SRCCOPY);
    ReleaseDC(header, hdc);
    GdiFlush();
    int differing = 0;
    for (int y = 0; y < hr.bottom; ++y)
      for (int x = 0; x < hr.right; ++x) differing += At(*painted, x, y) != At(*shown, x, y);
    EXPECT_EQ(differing, 0) << file << ": the header shows the skin's painting";
    // The arrow: the column's painting differs from the same column unsorted.
    item.fmt &= ~HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));
    auto unsorted = skin::NewBitmap32(hr.right, hr.bottom);
    a->PaintHeader(unsorted->Canvas()->Handle());
    GdiFlush();
    RECT c1{};
    SendMessageW(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&c1));
    int arrow = 0;
    for (int y = 0; y < hr.bottom; ++y)
      for (int x = c1.left; x < c1.right; ++x) arrow += At(*painted, x, y) != At(*unsorted, x, y);
    EXPECT_GT(arrow, 4) << file << ": a sort arrow on the score column";
    item.fmt |= HDF_SORTDOWN;
    SendMessageW(header, HDM_SETITEMW, 1, reinterpret_cast<LPARAM>(&item));

    // Rows: wanted scores red, the selected row in the selection colour.
    auto rows = ClientShot(list);
    auto rowRect = [&](int i, int column) {
      RECT r{};
      r.top = column;
      r.left = LVIR_BOUNDS;
      SendMessageW(list, LVM_GETSUBITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&r));
      return r;
    };
    const COLORREF red = RGB(255, 0, 0);
    EXPECT_TRUE(Shows(*rows, rowRect(0, 1), red)) << file << ": 99 is wanted";
    EXPECT_TRUE(Shows(*rows, rowRect(1, 1), red)) << file << ": 96.5 is wanted";
    EXPECT_FALSE(Shows(*rows, rowRect(3, 1), red)) << file << ": 64 is not";
    // Bold: the wanted score shows as much ink as its text written bold in
    // the list's font, well above the same text in the list's own weight.
    {
      const RECT cell = rowRect(0, 1);
      wchar_t text[32]{};
      LVITEMW li{};
      li.iSubItem = 1;
      li.pszText = text;
      li.cchTextMax = 32;
      SendMessageW(list, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&li));
      const int shown = InkPixels(*rows, cell, At(*rows, cell.right - 2, cell.top + 1));
      const auto font = reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0));
      const int normal = TextInk(font, FW_NORMAL, text), bold = TextInk(font, FW_BOLD, text);
      EXPECT_GT(bold, normal) << file;
      EXPECT_GT(shown, (normal + bold) / 2) << file << ": wanted scores are bold (" << shown << " ink pixels, "
                                            << normal << " normal, " << bold << " bold)";
    }
    EXPECT_TRUE(Shows(*rows, rowRect(2, 0), GetSysColor(COLOR_HIGHLIGHT))) << file << ": the selected row";
    EXPECT_FALSE(Shows(*rows, rowRect(3, 0), GetSysColor(COLOR_HIGHLIGHT))) << file;

    EXPECT_TRUE(scenarios::SavePng(scenarios::ScreenshotOf(f->Handle()).get(),
                                   scenarios::ScreenshotPath("search_page_results_" + file + ".png")));
  }
}

}  // namespace
