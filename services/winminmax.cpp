#include "services/winminmax.h"

#include "fw/core/rtti.h"

namespace services {

void TCkWinMinMaxInfo::Set(LONG& Field, int Value) {
  if (Field == Value) return;
  Field = Value;
  if (FOnChange) FOnChange();
}

bool TCkWinMinMaxInfo::DefaultMinMaxInfo() const {
  const MINMAXINFO& m = FMinMaxInfo;
  return !m.ptMaxPosition.x && !m.ptMaxPosition.y && !m.ptMaxSize.x && !m.ptMaxSize.y && !m.ptMaxTrackSize.x &&
         !m.ptMaxTrackSize.y && !m.ptMinTrackSize.x && !m.ptMinTrackSize.y;
}

void TCkWinMinMaxInfo::ApplyTo(MINMAXINFO& Info) const {
  auto put = [](LONG& target, LONG limit) {
    if (limit != 0) target = limit;
  };
  const MINMAXINFO& m = FMinMaxInfo;
  put(Info.ptMinTrackSize.x, m.ptMinTrackSize.x);
  put(Info.ptMinTrackSize.y, m.ptMinTrackSize.y);
  put(Info.ptMaxTrackSize.x, m.ptMaxTrackSize.x);
  put(Info.ptMaxTrackSize.y, m.ptMaxTrackSize.y);
  put(Info.ptMaxSize.x, m.ptMaxSize.x);
  put(Info.ptMaxSize.y, m.ptMaxSize.y);
  put(Info.ptMaxPosition.x, m.ptMaxPosition.x);
  put(Info.ptMaxPosition.y, m.ptMaxPosition.y);
}

void TCkWinMinMaxInfo::Assign(fw::TPersistent* Source) {
  if (auto* s = dynamic_cast<TCkWinMinMaxInfo*>(Source)) {
    FMinMaxInfo = s->FMinMaxInfo;
    if (FOnChange) FOnChange();
    return;
  }
  fw::TPersistent::Assign(Source);
}

FW_REGISTER(TCkWinMinMaxInfo) {
  using M = TCkWinMinMaxInfo;
  c.Property(u"MaxPosLeft", &M::MaxPosLeft, &M::SetMaxPosLeft).Default(0);
  c.Property(u"MaxPosTop", &M::MaxPosTop, &M::SetMaxPosTop).Default(0);
  c.Property(u"MaxSizeHeight", &M::MaxSizeHeight, &M::SetMaxSizeHeight).Default(0);
  c.Property(u"MaxSizeWidth", &M::MaxSizeWidth, &M::SetMaxSizeWidth).Default(0);
  c.Property(u"MaxTrackHeight", &M::MaxTrackHeight, &M::SetMaxTrackHeight).Default(0);
  c.Property(u"MaxTrackWidth", &M::MaxTrackWidth, &M::SetMaxTrackWidth).Default(0);
  c.Property(u"MinTrackHeight", &M::MinTrackHeight, &M::SetMinTrackHeight).Default(0);
  c.Property(u"MinTrackWidth", &M::MinTrackWidth, &M::SetMinTrackWidth).Default(0);
}

POINT MaximizedPositionFor(fw::TFormBorderStyle Style) {
  switch (Style) {
    case fw::bsSingle:
    case fw::bsToolWindow: return {-GetSystemMetrics(SM_CXBORDER), -GetSystemMetrics(SM_CYBORDER)};
    case fw::bsSizeable:
    case fw::bsSizeToolWin: return {-GetSystemMetrics(SM_CXFRAME), -GetSystemMetrics(SM_CYFRAME)};
    case fw::bsDialog: return {-GetSystemMetrics(SM_CXDLGFRAME), -GetSystemMetrics(SM_CYDLGFRAME)};
    default: return {0, 0};
  }
}

void AdjustMaximizedPosition(fw::TCustomForm* Form) {
  if (!Form || !Form->HandleAllocated()) return;
  HWND h = Form->Handle();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  if (!GetWindowPlacement(h, &wp)) return;
  if (!IsWindowVisible(h)) wp.showCmd = SW_HIDE;
  wp.ptMaxPosition = MaximizedPositionFor(Form->BorderStyle());
  SetWindowPlacement(h, &wp);
}

LRESULT PreventResizeHitTest(LRESULT HitTest) {
  return HitTest >= HTLEFT && HitTest <= HTBOTTOMRIGHT ? HTNOWHERE : HitTest;
}

void DisableSizeAndMaximize(HMENU SystemMenu) {
  EnableMenuItem(SystemMenu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(SystemMenu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
}

}  // namespace services
