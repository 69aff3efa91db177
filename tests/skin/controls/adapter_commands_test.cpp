// The skin commands every adapter answers alike beyond its own: a new
// section by name, the background colour (the window's own answer first,
// else the section's), the application object, a held-back repaint once
// the skin is applied, the window's skin data, what lies behind a child of
// the window, and the control's popup menu drawn by the skin; commands of
// another skin manager pass untouched; the mouse over an adapted window
// makes it the manager's active control.
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "fw/controls_test_util.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/menus/menus.h"
#include "fw/controls/button.h"
#include "skin/controls/window_adapter.h"
#include "skin/engine/background_request.h"
#include "skin/engine/control_messages.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_resources.h"
#include "tests/skin/controls/adapter_test_util.h"
#include "tests/skin/synthetic_skin.h"

using namespace skin;

namespace {

LRESULT gOwnColour = 0;
int gPaints = 0;

LRESULT CALLBACK AnsweringProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND && SkinCommandCode(w) == SKC_GETBGCOLOR) return gOwnColour;
  if (m == WM_PAINT) ++gPaints;
  return DefWindowProcW(h, m, w, l);
}

HWND AnsweringWindow() {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = AnsweringProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlAdapterAnswering";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"VlAdapterAnswering", L"", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

LRESULT Command(HWND h, WORD code, LPARAM l = 0) { return SendMessageW(h, WM_SKINCOMMAND, SkinCommand(code), l); }

}  // namespace

TEST(AdapterCommands, SectionBackgroundColourAndApplication) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND h = AnsweringWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, [&] { return skin.get(); }, TkcSkinParams{});
  gOwnColour = 0;
  EXPECT_EQ(Command(h, SKC_GETBGCOLOR), 0) << "no section, no answer of its own";
  EXPECT_EQ(Command(h, SKC_SETSECTION, 0), 0) << "no section given";
  TkcSectionInfo info;
  info.Name = u"SCROLLBAR2H";
  EXPECT_EQ(Command(h, SKC_SETSECTION, reinterpret_cast<LPARAM>(&info)), 1);
  EXPECT_EQ(a->SkinSection(), u"SCROLLBAR2H");
  EXPECT_EQ(fw::TColor(Command(h, SKC_GETBGCOLOR)), skintest::kTrack2) << "the section's colour";
  gOwnColour = 0x123456;
  EXPECT_EQ(Command(h, SKC_GETBGCOLOR), 0x123456) << "the window's own answer first";
  EXPECT_EQ(Command(h, SKC_GETAPPLICATION), reinterpret_cast<LRESULT>(fw::Application));
  delete a;
  DestroyWindow(h);
}

TEST(AdapterCommands, AHeldBackRepaintComesWhenTheSkinIsApplied) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND h = AnsweringWindow();
  auto* a = AttachAdapter<TkcMainWnd>(h, [&] { return skin.get(); }, TkcSkinParams{});
  fwtest::Pump();
  gPaints = 0;
  Command(h, SKC_UPDATEDONE);
  EXPECT_EQ(gPaints, 0) << "nothing held back";
  SendMessageW(h, WM_SKINCOMMAND, SkinCommand(SKC_SETUPDATING, 1), 0);
  EXPECT_EQ(Command(h, SKC_QUERYUPDATING), 1);
  Command(h, SKC_UPDATEDONE);
  EXPECT_EQ(gPaints, 1) << "painted at once";
  EXPECT_EQ(Command(h, SKC_QUERYUPDATING), 0);
  delete a;
  DestroyWindow(h);
}

namespace {

// The program's skin manager with its skin applied: the engine's code reads
// an adapter's skin data through it.
struct ActiveManager {
  TkSkinManager manager{nullptr};
  ActiveManager() {
    manager.ReportMessage = [](const fw::String&) {};
    LoadInternalSkins(*manager.InternalSkins());
    manager.WriteSkinName(u"Sapphire (internal)");
  }
  TkcSkinSource Source() {
    return [this] { return manager.LoadedSkin(); };
  }
  // The name of the first section whose normal state passes.
  fw::String SectionWhere(const std::function<bool(const TkGeneralData&)>& pass) const {
    for (const TkGeneralData& g : manager.gd())
      if (pass(g)) return g.ClassName;
    return {};
  }
};

}  // namespace

TEST(AdapterCommands, TheSkinDataFollowsTheSectionAndAnswersMoves) {
  ActiveManager m;
  ASSERT_TRUE(m.manager.Active());
  HWND h = AnsweringWindow();
  TkcSkinParams params;
  params.SkinSection = u"edit";
  params.UseSkinFontColor = false;
  auto* a = AttachAdapter<TkcMainWnd>(h, m.Source(), params);
  auto* data = reinterpret_cast<TkCommonData*>(Command(h, SKC_GETSKINDATA));
  ASSERT_EQ(data, a->SkinData());
  EXPECT_EQ(data->SkinSection(), u"EDIT");
  EXPECT_EQ(data->SkinIndex, m.manager.GetSkinIndex(u"EDIT"));
  EXPECT_TRUE(data->CustomFont());
  EXPECT_FALSE(data->CustomColor());
  EXPECT_EQ(data->FOwnerControl, nullptr);
  TkcSectionInfo info;
  info.Name = u"Button";
  Command(h, SKC_SETSECTION, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(data->SkinIndex, m.manager.GetSkinIndex(u"BUTTON")) << "a new section's indexes";
  EXPECT_EQ(Command(h, SKC_QUERYMOVEREPAINT), 0) << "a raw window answers for itself";
  delete a;
  DestroyWindow(h);

  fwtest::TestForm form;
  auto* button = new fw::TButton(form.form);
  button->SetParent(form.form);
  form->Show();
  TkcSkinParams owned;
  owned.Control = button;
  auto* b = AttachAdapter<TkcMainWnd>(button->Handle(), m.Source(), owned);
  EXPECT_EQ(b->SkinData()->FOwnerControl, button);
  EXPECT_EQ(Command(button->Handle(), SKC_QUERYMOVEREPAINT), 1) << "a control's children repaint when moved";
  delete b;
}

TEST(AdapterCommands, AChildLearnsWhatLiesBehindItFromTheSection) {
  ActiveManager m;
  const TkLoadedSkin& skin = m.manager.Skin();
  const fw::String flat = m.SectionWhere([&](const TkGeneralData& g) {
    const TkGenState& s = g.Props[0];
    return s.Transparency == 0 && s.GradientPercent < 1 && s.ImagePercent < 1 && g.ImgTL < 0 && g.ImgTR < 0 &&
           g.ImgBL < 0 && g.ImgBR < 0;
  });
  const fw::String seeThrough = m.SectionWhere([&](const TkGeneralData& g) {
    return g.Props[0].Transparency == 100 &&
           !(skin.IsValidImgIndex(g.TextureNormal) && skin.ma[size_t(g.TextureNormal)].DrawMode == 10);
  });
  ASSERT_FALSE(flat.empty());
  ASSERT_FALSE(seeThrough.empty());
  skintest::Host host;
  HWND h = host.Child(L"STATIC", L"", 0, 10, 20, 80, 60);
  TkcSkinParams params;
  params.SkinSection = flat;
  auto* a = AttachAdapter<TkcMainWnd>(h, m.Source(), params);

  TkcBackgroundInfo info;
  info.Offset = fw::TPoint{3, 4};
  info.R = fw::Rect(0, 0, 10, 10);
  ASSERT_TRUE(RequestBackgroundWnd(info, h, false));
  EXPECT_EQ(info.BgType, btFill) << "a flat section answers its colour";
  EXPECT_EQ(info.Color, skin.gd[size_t(skin.GetSkinIndex(flat))].Props[0].Color);

  TkcSectionInfo section;
  section.Name = seeThrough;
  Command(h, SKC_SETSECTION, reinterpret_cast<LPARAM>(&section));
  info = TkcBackgroundInfo{};
  info.Offset = fw::TPoint{3, 4};
  info.R = fw::Rect(0, 0, 10, 10);
  ASSERT_TRUE(RequestBackgroundWnd(info, h, false));
  ASSERT_EQ(info.BgType, btCache) << "a see-through section answers its picture";
  ASSERT_EQ(info.Bmp, a->SkinData()->FCacheBmp.get());
  EXPECT_EQ(info.Bmp->Width(), 80);
  EXPECT_EQ(info.Bmp->Height(), 60);
  EXPECT_EQ(info.Offset.x, 3) << "read at the asker's place";
  EXPECT_EQ(info.Offset.y, 4);
  EXPECT_FALSE(a->SkinData()->BGChanged);
  a->SkinData()->BGChanged = true;
  Command(h, SKC_PREPARECACHE);
  EXPECT_FALSE(a->SkinData()->BGChanged) << "prepared on request";
  delete a;
}

TEST(AdapterCommands, AControlsPopupMenuOpensInTheSkinsLook) {
  ActiveManager m;
  fwtest::TestForm form;
  auto* button = new fw::TButton(form.form);
  button->SetParent(form.form);
  auto* popup = new fw::TPopupMenu(form.form);
  popup->SetAutoPopup(false);  // the message goes on without a menu shown
  button->SetPopupMenu(popup);
  form->Show();
  const auto context = [&] {
    SendMessageW(button->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button->Handle()), MAKELPARAM(50, 50));
  };
  context();
  EXPECT_FALSE(popup->OwnerDraw()) << "not adapted";
  TkcSkinParams owned;
  owned.Control = button;
  auto* a = AttachAdapter<TkcMainWnd>(button->Handle(), m.Source(), owned);
  context();
  EXPECT_TRUE(popup->OwnerDraw());
  m.manager.WriteActive(false);
  context();
  EXPECT_FALSE(popup->OwnerDraw()) << "the system's look without the skin";
  delete a;
}

namespace {

// Counts the skin commands of each code a window receives.
std::vector<std::pair<HWND, WORD>> gReceived;

LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_SKINCOMMAND) gReceived.emplace_back(h, SkinCommandCode(w));
  return DefWindowProcW(h, m, w, l);
}

HWND Recording(HWND parent, DWORD style) {
  static ATOM atom = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"VlAdapterRecording";
    return RegisterClassW(&wc);
  }();
  (void)atom;
  return CreateWindowExW(0, L"VlAdapterRecording", L"", style, 0, 0, 60, 60, parent, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

int Count(HWND h, WORD code) {
  int n = 0;
  for (const auto& [wnd, c] : gReceived) n += wnd == h && c == code;
  return n;
}

}  // namespace

TEST(AdapterCommands, ANewSkinReachesTheChildWindowsAndAChildTellsItsTopWindow) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  HWND top = Recording(nullptr, WS_POPUP);
  HWND middle = Recording(top, WS_CHILD);
  HWND inner = Recording(middle, WS_CHILD);
  auto* a = AttachAdapter<TkcMainWnd>(middle, [&] { return skin.get(); }, TkcSkinParams{});
  gReceived.clear();
  Command(middle, SKC_NEWSKIN);
  EXPECT_EQ(Count(inner, SKC_NEWSKIN), 1) << "on to the child window";
  EXPECT_EQ(Count(middle, SKC_NEWSKIN), 1) << "and to the window itself";
  EXPECT_EQ(Count(top, SKC_NEWSKIN), 0);
  // Another manager's new skin, refresh or removal is the window's own
  // business: passed on untouched, nothing forwarded, nothing redone.
  int other = 0;
  const LPARAM otherManager = reinterpret_cast<LPARAM>(&other);
  for (WORD code : {SKC_NEWSKIN, SKC_REFRESH, SKC_REMOVESKIN}) {
    gReceived.clear();
    SendMessageW(middle, WM_SKINCOMMAND, SkinCommand(SKC_SETUPDATING, 1), 0);
    Command(middle, code, otherManager);
    EXPECT_EQ(Count(middle, code), 1) << code;
    EXPECT_EQ(Count(inner, code), 0) << code;
    EXPECT_TRUE(a->Updating) << code;
  }
  gReceived.clear();
  NotifyTopWindow(inner);
  ASSERT_EQ(gReceived.size(), 1u);
  EXPECT_EQ(gReceived[0].first, top);
  EXPECT_EQ(gReceived[0].second, SKC_CONTROLLOADED);
  delete a;
  DestroyWindow(top);
}

TEST(AdapterCommands, TheMouseOverAWindowMakesItTheManagersActiveControl) {
  std::unique_ptr<TkLoadedSkin> skin = skintest::SyntheticScrollSkin();
  TkSkinManager manager{nullptr};
  ASSERT_EQ(DefaultSkinManager, &manager);
  HWND first = Recording(nullptr, WS_POPUP);
  HWND second = Recording(nullptr, WS_POPUP);
  auto* a = AttachAdapter<TkcMainWnd>(first, [&] { return skin.get(); }, TkcSkinParams{});
  auto* b = AttachAdapter<TkcMainWnd>(second, [&] { return skin.get(); }, TkcSkinParams{});
  gReceived.clear();
  SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager.ActiveControl(), first);
  EXPECT_EQ(Count(first, SKC_MOUSEENTER), 1);
  SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  EXPECT_EQ(Count(first, SKC_MOUSEENTER), 1) << "once while it stays";
  SendMessageW(second, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager.ActiveControl(), second);
  EXPECT_EQ(Count(first, SKC_MOUSELEAVE), 1);
  EnableWindow(first, FALSE);
  SendMessageW(first, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(manager.ActiveControl(), second) << "a disabled window never";
  manager.WriteActiveControl(nullptr);
  delete a;
  delete b;
  DestroyWindow(first);
  DestroyWindow(second);
}

namespace {

// Another maker's control publishing a focus colour, and one publishing none.
class TVlFocusEdit : public fw::TCustomControl {
  FW_CLASS(TVlFocusEdit, fw::TCustomControl)
 public:
  explicit TVlFocusEdit(fw::TComponent* AOwner) : fw::TCustomControl(AOwner) {}
  fw::TColor FocusColor = fw::clBtnFace;
};
FW_REGISTER(TVlFocusEdit) { c.Property(u"FocusColor", &TVlFocusEdit::FocusColor, &TVlFocusEdit::FocusColor); }

}  // namespace

TEST(AdapterBase, PublishedPropertiesByNameWhenPresent) {
  TVlFocusEdit edit(nullptr);
  fw::TCustomControl bare(nullptr);
  EXPECT_EQ(ReadColorPropRGB(&edit, u"FocusColor"), fw::TColor(GetSysColor(COLOR_BTNFACE))) << "system colour as RGB";
  EXPECT_EQ(ReadOrdPropIfPresent(&edit, u"FocusColor"), int64_t(fw::clBtnFace));
  WriteOrdPropIfPresent(&edit, u"FocusColor", 0x123456);
  EXPECT_EQ(edit.FocusColor, fw::TColor(0x123456));
  // Missing: written nowhere, read as 0 (black), not as an error value.
  WriteOrdPropIfPresent(&bare, u"FocusColor", 0x123456);
  WriteOrdPropIfPresent(nullptr, u"FocusColor", 0x123456);
  EXPECT_EQ(ReadOrdPropIfPresent(&bare, u"FocusColor"), 0);
  EXPECT_EQ(ReadColorPropRGB(&bare, u"FocusColor"), fw::TColor(0));
  EXPECT_EQ(ReadOrdPropIfPresent(nullptr, u"FocusColor"), 0);
}
