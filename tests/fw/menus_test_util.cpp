#include "menus_test_util.h"

#include "fw/core/rtti.h"

namespace fwtest {

using namespace fw;

namespace {

std::string NameOf(TObject* o) {
  auto* c = dynamic_cast<TComponent*>(o);
  return c ? StringToUtf8(c->Name()) : std::string("?");
}

MenuDriver* gDriver = nullptr;

}  // namespace

void TMenuTestForm::ItemClick(TObject* Sender) { clicks.push_back(NameOf(Sender)); }

void TMenuTestForm::ItemMeasure(TObject* Sender, TCanvas*, int& Width, int& Height) {
  measured.push_back(NameOf(Sender));
  Width = itemWidth;
  Height = itemHeight;
}

void TMenuTestForm::ItemDraw(TObject* Sender, TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State) {
  drawn.push_back({NameOf(Sender), ARect, State});
  ACanvas->Brush()->SetColor(State.Contains(odSelected) ? clRed : clLime);
  ACanvas->FillRect(ARect);
}

void TMenuTestForm::MenuPopup(TObject*) { ++popups; }
void TMenuTestForm::ActionExecute(TObject*) { ++actionRuns; }
void TMenuTestForm::ActionUpdate(TObject* Sender) {
  if (auto* a = dynamic_cast<TCustomAction*>(Sender)) a->SetEnabled(actionEnabled);
}

FW_REGISTER(TMenuTestForm) {
  c.Method(u"ItemClick", &TMenuTestForm::ItemClick);
  c.Method(u"ItemMeasure", &TMenuTestForm::ItemMeasure);
  c.Method(u"ItemDraw", &TMenuTestForm::ItemDraw);
  c.Method(u"MenuPopup", &TMenuTestForm::MenuPopup);
  c.Method(u"ActionExecute", &TMenuTestForm::ActionExecute);
  c.Method(u"ActionUpdate", &TMenuTestForm::ActionUpdate);
}

MenuForm::MenuForm(const char16_t* description, bool show) {
  RegisterClasses<TAction, TActionList>();
  form = NewForm<TMenuTestForm>(nullptr);
  try {
    ReadRootComponent(form, description, u"Menus.form");
  } catch (...) {
    form->Free();
    throw;
  }
  form->SetPosition(poDesigned);
  if (show) {
    form->Show();
    Pump();
  }
}

MenuEntry EntryAt(HMENU menu, int pos) {
  MenuEntry e;
  wchar_t text[256] = {};
  MENUITEMINFOW mii{};
  mii.cbSize = sizeof(mii);
  mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA | MIIM_STRING;
  mii.dwTypeData = text;
  mii.cch = 255;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(pos), TRUE, &mii)) {
    e.text = "<none>";
    return e;
  }
  e.text = (mii.fType & MFT_SEPARATOR) ? "-" : StringToUtf8(FromW(text));
  e.type = mii.fType;
  e.state = mii.fState;
  e.id = mii.wID;
  e.subMenu = mii.hSubMenu;
  e.data = mii.dwItemData;
  return e;
}

std::vector<std::string> EntryTexts(HMENU menu) {
  std::vector<std::string> r;
  int n = GetMenuItemCount(menu);
  for (int i = 0; i < n; ++i) r.push_back(EntryAt(menu, i).text);
  return r;
}

HWND VisibleMenuWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND wnd, LPARAM p) -> BOOL {
        wchar_t cls[32] = {};
        GetClassNameW(wnd, cls, 32);
        if (lstrcmpW(cls, L"#32768") == 0 && IsWindowVisible(wnd)) {
          *reinterpret_cast<HWND*>(p) = wnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

MenuDriver::MenuDriver(std::function<bool(HWND)> tick) : tick_(std::move(tick)) {
  gDriver = this;
  timer_ = SetTimer(nullptr, 0, 20, &MenuDriver::Proc);
}

MenuDriver::~MenuDriver() {
  KillTimer(nullptr, timer_);
  gDriver = nullptr;
}

void CALLBACK MenuDriver::Proc(HWND, UINT, UINT_PTR, DWORD) {
  MenuDriver* d = gDriver;
  if (!d || !d->tick_) return;
  ++d->ticks;
  if (d->ticks > 150) {
    d->timedOut = true;
    d->tick_ = nullptr;
    EndMenu();
    return;
  }
  if (d->tick_(VisibleMenuWindow())) d->tick_ = nullptr;
}

HeldKeys::HeldKeys(const std::vector<int>& keys) {
  GetKeyboardState(saved);
  BYTE state[256];
  memcpy(state, saved, sizeof state);
  for (int k : keys) state[k] |= 0x80;
  SetKeyboardState(state);
}

HeldKeys::~HeldKeys() { SetKeyboardState(saved); }

}  // namespace fwtest
