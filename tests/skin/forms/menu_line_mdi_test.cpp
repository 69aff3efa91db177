// The menu line of a skinned MDI frame form whose active child form has a
// menu of its own: the child's items are drawn where the system put them in
// the frame's bar, in place of the frame's item of their group and after
// the frame's last item, with a maximised child as with a normal one; a
// child menu with only invisible items adds nothing.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "fw/menus/menus.h"
#include "fw/system/application.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/core/pixel_view.h"
#include "skin/forms/menu_line.h"
#include "skin/forms/provider_mdi.h"
#include "skin/forms/skin_provider.h"
#include "tests/fw/controls_test_util.h"
#include "tests/scenarios/screenshot_png.h"
#include "tests/skin/engine/core/program_skins.h"
#include "tests/skin/forms/skinned_manager.h"

namespace skin {
namespace {

using skintest::SkinnedManager;

fw::TMenuItem* AddTop(fw::TComponent* owner, fw::TMainMenu* menu, const char16_t* caption, uint8_t group) {
  auto* item = new fw::TMenuItem(owner);
  item->SetCaption(caption);
  item->SetGroupIndex(group);
  menu->Items()->Add(item);
  auto* sub = new fw::TMenuItem(owner);
  sub->SetCaption(u"Command");
  item->Add(sub);
  return item;
}

// Records which top-level items the line painter is asked to draw, and
// where, and lets them draw.
struct DrawRecorder {
  std::vector<std::pair<std::u16string, fw::TRect>> calls;
  std::map<fw::TMenuItem*, fw::TAdvancedMenuDrawItemEvent> inner;
  void Draw(fw::TObject* Sender, fw::TCanvas* C, const fw::TRect& R, fw::TOwnerDrawState S) {
    auto* item = static_cast<fw::TMenuItem*>(Sender);
    calls.push_back({std::u16string(fw::StripHotkey(item->Caption())), R});
    inner[item](Sender, C, R, S);
  }
  void Wrap(fw::TMainMenu* menu) {
    for (int i = 0; i < menu->Items()->Count(); ++i) {
      fw::TMenuItem* item = menu->Items()->Items(i);
      ASSERT_TRUE(item->OnAdvancedDrawItem) << "hooked";
      inner[item] = item->OnAdvancedDrawItem;
      item->OnAdvancedDrawItem = fw::TAdvancedMenuDrawItemEvent(this, &DrawRecorder::Draw);
    }
  }
  void Unwrap() {
    for (auto& [item, handler] : inner) item->OnAdvancedDrawItem = handler;
    inner.clear();
  }
  std::vector<std::u16string> Names() const {
    std::vector<std::u16string> n;
    for (auto& [name, r] : calls) n.push_back(name);
    return n;
  }
};

// A skinned MDI frame form, the application's main form while it lives,
// with a menu of groups 0, 1 and 2.
struct MdiMenuFrame {
  SkinnedManager m;
  fwtest::TestForm form{560, 360};
  fw::TMainMenu* menu = nullptr;
  TkSkinProvider* provider = nullptr;
  fw::TCustomForm* savedMain = nullptr;
  explicit MdiMenuFrame(int skin) : m(skin) {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(u"Frame");
    form->SetFormStyle(fw::fsMDIForm);
    menu = new fw::TMainMenu(form.form);
    AddTop(form.form, menu, u"&File", 0);
    AddTop(form.form, menu, u"&Edit", 1);
    AddTop(form.form, menu, u"&View", 2);
    form->SetMenu(menu);
    provider = new TkSkinProvider(form.form);
    provider->Menus().SetManager(&m.manager);
    provider->SetSkin(m.manager.LoadedSkin());
    savedMain = fw::Application->MainForm();
    fw::Application->SetMainForm(form.form);
    form->Show();
    SetForegroundWindow(wnd());
    EXPECT_TRUE(fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000));
  }
  ~MdiMenuFrame() { fw::Application->SetMainForm(savedMain); }
  HWND wnd() { return form->Handle(); }
  TkMenuLine& line() { return provider->Menus().Line(); }
  // The image made again from the current state.
  void Rebuild() {
    provider->RepaintMDIMainFrame(true);
    fwtest::Pump(50);
    provider->RepaintFormFrame();
  }
  // The system's rectangle of an item in the frame's bar (window and image
  // coordinates); empty when the bar does not show it.
  fw::TRect BarRect(const fw::TMenuItem* item) {
    const HMENU bar = GetMenu(wnd());
    for (int pos = 0; pos < GetMenuItemCount(bar); ++pos) {
      MENUITEMINFOW info{};
      info.cbSize = sizeof info;
      info.fMask = MIIM_DATA;
      RECT r{}, w{};
      if (GetMenuItemInfoW(bar, UINT(pos), TRUE, &info) && info.dwItemData == reinterpret_cast<ULONG_PTR>(item) &&
          GetMenuItemRect(wnd(), bar, UINT(pos), &r) && GetWindowRect(wnd(), &w))
        return fw::Rect(r.left - w.left, r.top - w.top, r.right - w.left, r.bottom - w.top);
    }
    return fw::TRect{};
  }
  // Paints the line again with every item's drawing recorded.
  DrawRecorder Record(fw::TMainMenu* childMenu) {
    DrawRecorder rec;
    line().InitMenus();
    rec.Wrap(menu);
    if (childMenu) rec.Wrap(childMenu);
    line().Paint(provider->FormImage(), provider->ImageInput().Frame, 0);
    rec.Unwrap();
    return rec;
  }
};

// A skinned MDI child form with a menu, made in the frame.
struct MdiMenuChild {
  fwtest::TestForm form{260, 170};
  fw::TMainMenu* menu = nullptr;
  TkSkinProvider* provider = nullptr;
  MdiMenuChild(MdiMenuFrame& frame, const char16_t* caption,
               std::initializer_list<std::pair<const char16_t*, uint8_t>> tops) {
    form->SetBorderStyle(fw::bsSizeable);
    form->SetCaption(caption);
    form->SetFormStyle(fw::fsMDIChild);
    menu = new fw::TMainMenu(form.form);
    for (auto& [c, g] : tops) AddTop(form.form, menu, c, g);
    form->SetMenu(menu);
    provider = new TkSkinProvider(form.form);
    provider->Menus().SetManager(&frame.m.manager);
    provider->SetSkin(frame.m.manager.LoadedSkin());
    form->Show();
    fwtest::PumpUntil([&] { return provider->BuildCount() > 0; }, 20000);
  }
};

int Differing(fw::TBitmap& image, fw::TBitmap& clean, fw::TPoint origin, const fw::TRect& r) {
  GdiFlush();
  const TPixelView32 a = View32(image), b = View32(clean);
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) n += a.Pixel(x, y) != b.Pixel(x - origin.x, y - origin.y);
  return n;
}

TEST(MenuLineMdi, TheChildsItemsTakeTheirGroupsPlaceAndFollowTheFramesLast) {
  for (int s = 0; s < 2; ++s) {
    MdiMenuFrame f(s);
    MdiMenuChild child(f, u"Report", {{u"&Record", 1}, {u"&Tools", 5}});
    ASSERT_EQ(f.form->ActiveMDIChild(), child.form.form);
    for (bool maximised : {true, false}) {
      SendMessageW(f.form->ClientHandle(), maximised ? WM_MDIMAXIMIZE : WM_MDIRESTORE,
                   reinterpret_cast<WPARAM>(child.form->Handle()), 0);
      ASSERT_EQ(IsZoomed(child.form->Handle()) != 0, maximised);
      f.Rebuild();
      ASSERT_EQ(MDIIconChild() != nullptr, maximised) << "the skinned child's icon stands first while maximised";
      const DrawRecorder rec = f.Record(child.menu);
      EXPECT_EQ(rec.Names(), (std::vector<std::u16string>{u"File", u"Record", u"View", u"Tools"}))
          << s << " maximised " << maximised;
      // Each where the system put it in the bar, a row high: the child's
      // items too, whose places the line worked out itself.
      for (auto& [name, r] : rec.calls) {
        fw::TMainMenu* owner = name == u"Record" || name == u"Tools" ? child.menu : f.menu;
        fw::TMenuItem* item = owner->Items()->Find(name);
        const fw::TRect bar = f.BarRect(item);
        EXPECT_EQ(r.Left, bar.Left) << fw::StringToUtf8(name);
        EXPECT_EQ(r.Right, bar.Right) << fw::StringToUtf8(name);
        EXPECT_NEAR(r.Top, bar.Top, 1) << fw::StringToUtf8(name);
        // Painted over the clean background.
        EXPECT_GT(Differing(f.provider->FormImage(), f.line().MenuLineBmp(), f.line().Origin(), r), 20)
            << fw::StringToUtf8(name);
      }
      if (maximised) {
        fwtest::Pump(100);
        std::unique_ptr<fw::TBitmap> shot = scenarios::ScreenshotOf(f.wnd());
        scenarios::SavePng(shot.get(), scenarios::ScreenshotPath(s == 0 ? "mdi_merged_menu_topaz.png"
                                                                        : "mdi_merged_menu_sapphire.png"));
      }
    }
  }
}

TEST(MenuLineMdi, AChildMenuWithOnlyInvisibleItemsAddsNothing) {
  MdiMenuFrame f(1);
  MdiMenuChild child(f, u"Hidden", {{u"&Record", 1}, {u"&Tools", 5}});
  for (int i = 0; i < child.menu->Items()->Count(); ++i) child.menu->Items()->Items(i)->SetVisible(false);
  SendMessageW(f.form->ClientHandle(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(child.form->Handle()), 0);
  f.Rebuild();
  EXPECT_EQ(f.Record(child.menu).Names(), (std::vector<std::u16string>{u"File", u"Edit", u"View"}));
  // The frame's line stands for the frame's own items, or for the child's
  // visible ones when the frame shows none of its own.
  for (int i = 0; i < f.menu->Items()->Count(); ++i) f.menu->Items()->Items(i)->SetVisible(false);
  EXPECT_FALSE(f.line().MenuPresent());
  child.menu->Items()->Items(1)->SetVisible(true);
  EXPECT_TRUE(f.line().MenuPresent());
  f.Rebuild();
  EXPECT_EQ(f.Record(child.menu).Names(), (std::vector<std::u16string>{u"Tools"}));
}

}  // namespace
}  // namespace skin
