#include "skin/engine/window_utils.h"

#include <vector>

#include "fw/core/exceptions.h"
#include "fw/core/rtti.h"
#include "fw/graphics/graphics.h"
#include "fw/system/application.h"
#include "fw/system/screen.h"
#include "fw/graphics/gdi_handles.h"
#include "skin/engine/background_request.h"
#include "skin/engine/bitmap_dc.h"
#include "skin/engine/skin_messages.h"

namespace skin {

bool AnimationInProgress = false;
bool PaintingGraphicControls = false;

namespace {

constexpr int kHintMaxWidth = 800;
constexpr int kHintFadeMaxLength = 100;
constexpr UINT kHintFadeTime = 200;

bool BeingFreed(const fw::TComponent* c) { return c->ComponentState().Contains(fw::csDestroying); }

bool IsSkinned(fw::TWinControl* w) {
  return w->HandleAllocated() && SkinCommandIsOne(w->WindowHandle(), SKC_ISHANDLED);
}

// Direct child windows in z-order.
std::vector<HWND> ChildWindows(HWND wnd) {
  std::vector<HWND> result;
  for (HWND c = GetWindow(wnd, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) result.push_back(c);
  return result;
}

}  // namespace

fw::TPoint CurrentCursorPos() {
  POINT p{0, 0};
  GetCursorPos(&p);
  return fw::TPoint{p.x, p.y};
}

void RequestControlAdapters(fw::TControl* control) {
  if (!control || control->ComponentState().Contains(fw::csLoading)) return;
  fw::TCustomForm* form = fw::GetParentForm(control);
  if (form && form->HandleAllocated())
    SendSkinCommand(form->WindowHandle(), SKC_CONTROLLOADED, reinterpret_cast<LPARAM>(control));
}

void RepaintChildControls(fw::TWinControl* control) {
  if (!control || AnimationInProgress) return;
  // A child may free siblings while it repaints: the count is read anew.
  for (int i = 0; i < control->ControlCount(); ++i) {
    fw::TControl* child = control->Controls(i);
    if (BeingFreed(child)) continue;
    if (auto* w = dynamic_cast<fw::TWinControl*>(child)) {
      if (w->HandleAllocated() && w->Showing()) SendSkinCommand(w->WindowHandle(), SKC_UPDATEDONE, 0);
    } else {
      child->Perform(WM_SKINCOMMAND, SkinCommand(SKC_UPDATEDONE), 0);
    }
  }
}

void RepaintChildWindows(HWND wnd) {
  if (!wnd) return;
  for (HWND c : ChildWindows(wnd))
    if (GetWindowLongW(c, GWL_STYLE) & WS_CHILD) SendSkinCommand(c, SKC_UPDATEDONE, 0);
}

fw::TColor WindowBgColor(HWND wnd) {
  if (!wnd) return 0xFF00FF;
  return fw::ColorToRGB(static_cast<fw::TColor>(SendSkinCommand(wnd, SKC_GETBGCOLOR, 0xFF00FF)));
}

bool ControlCanPaint(fw::TControl* control) {
  if (!control) return false;
  if (auto* w = dynamic_cast<fw::TWinControl*>(control); w && !w->HandleAllocated()) return false;
  fw::TControlState cs = control->ControlState();
  fw::TComponentState st = control->ComponentState();
  if (cs.Contains(fw::csCreating) || cs.Contains(fw::csReadingState)) return false;
  if (st.Contains(fw::csLoading) || st.Contains(fw::csReading) || st.Contains(fw::csDestroying)) return false;
  return control->Parent() != nullptr;
}

fw::TCustomForm* GetOwnerForm(fw::TComponent* component) {
  for (fw::TComponent* c = component; c; c = c->Owner())
    if (auto* form = dynamic_cast<fw::TCustomForm*>(c)) return form;
  return nullptr;
}

UINT AlignmentDrawFlags(fw::TControl* control, fw::TAlignment alignment) {
  UINT flags = DT_VCENTER | DT_EXPANDTABS;
  bool rtl = control && control->IsRightToLeft();
  fw::TAlignment a = alignment;
  if (rtl && a == fw::taLeftJustify) a = fw::taRightJustify;
  else if (rtl && a == fw::taRightJustify) a = fw::taLeftJustify;
  switch (a) {
    case fw::taLeftJustify: flags |= DT_LEFT; break;
    case fw::taRightJustify: flags |= DT_RIGHT; break;
    case fw::taCenter: flags |= DT_CENTER; break;
  }
  if (rtl) flags |= DT_RTLREADING;
  return flags;
}

void BroadcastToControls(fw::TWinControl* control, fw::TMessage& message) {
  if (!control) return;
  // The count is read anew: handlers may add or free children. A child
  // being freed is skipped rather than ending the walk, so that the
  // siblings after it still learn of a new or removed skin.
  for (int i = 0; i < control->ControlCount(); ++i) {
    fw::TControl* child = control->Controls(i);
    if (BeingFreed(child)) continue;
    auto* w = dynamic_cast<fw::TWinControl*>(child);
    if (!w || !w->HandleAllocated()) {
      message.Result = child->Perform(message.Msg, message.WParam, message.LParam);
    } else if (IsSkinned(w)) {
      message.Result = SendMessageW(w->WindowHandle(), message.Msg, message.WParam, message.LParam);
    } else {
      BroadcastToControls(w, message);
    }
  }
}

void BroadcastToChildWindows(HWND wnd, const fw::TMessage& message) {
  if (!wnd) return;
  struct Walk {
    HWND parent;
    std::vector<HWND> children;
  } walk{wnd, {}};
  EnumChildWindows(
      wnd,
      [](HWND c, LPARAM p) -> BOOL {
        auto* w = reinterpret_cast<Walk*>(p);
        if (GetParent(c) == w->parent) w->children.push_back(c);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  for (HWND c : walk.children) SendMessageW(c, message.Msg, message.WParam, message.LParam);
}

fw::TRect WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return fw::Rect(r.left, r.top, r.right, r.bottom);
}

fw::TRect ClientRectInWindow(HWND wnd) {
  RECT w{}, c{};
  if (!wnd || !GetWindowRect(wnd, &w) || !GetClientRect(wnd, &c)) return fw::TRect{};
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  int dx = origin.x - w.left, dy = origin.y - w.top;
  return fw::Rect(c.left + dx, c.top + dy, c.right + dx, c.bottom + dy);
}

fw::String WindowClassName(HWND wnd) {
  wchar_t name[128];
  int n = wnd ? GetClassNameW(wnd, name, 128) : 0;
  return fw::String(reinterpret_cast<const char16_t*>(name), static_cast<size_t>(n > 0 ? n : 0));
}

int AlignedControlsExtent(fw::TWinControl* control, fw::TAlign align, bool withGraphicControls) {
  bool vertical = align == fw::alTop || align == fw::alBottom;
  bool horizontal = align == fw::alLeft || align == fw::alRight;
  if (!control || (!vertical && !horizontal)) return 0;
  int sum = 0;
  for (int i = 0; i < control->ControlCount(); ++i) {
    fw::TControl* child = control->Controls(i);
    if (!child->Visible() || child->Align() != align) continue;
    if (!withGraphicControls && !dynamic_cast<fw::TWinControl*>(child)) continue;
    sum += vertical ? child->Height() : child->Width();
  }
  return sum;
}

HWND TopLevelAncestor(HWND wnd) {
  if (!wnd) return nullptr;
  for (HWND p = GetParent(wnd); p; p = GetParent(wnd)) wnd = p;
  return wnd;
}

fw::TRect FormWorkArea(fw::TCustomForm* form) {
  if (!form || !fw::Screen) return fw::TRect{};
  fw::TMonitor* m = form->HandleAllocated()
                        ? fw::Screen->MonitorFromWindow(form->WindowHandle())
                        : fw::Screen->MonitorFromPoint(fw::TPoint{form->Left() + form->Width() / 2,
                                                                  form->Top() + form->Height() / 2});
  if (!m) return fw::TRect{};
  auto* f = dynamic_cast<fw::TForm*>(form);
  if (f && f->FormStyle() == fw::fsStayOnTop) return fw::Bounds(m->Left(), m->Top(), m->Width(), m->Height());
  return m->WorkareaRect();
}

fw::TRect MonitorWorkAreaAt(fw::TPoint point) {
  if (!fw::Screen) return fw::TRect{};
  for (int i = 0; i < fw::Screen->MonitorCount(); ++i) {
    fw::TRect r = fw::Screen->Monitors(i)->WorkareaRect();
    if (point.x >= r.Left && point.x < r.Right && point.y >= r.Top && point.y < r.Bottom) return r;
  }
  return fw::TRect{};
}

fw::TRect HintRectAt(const fw::TRect& measured, fw::TPoint point, const fw::TRect& workArea) {
  fw::TRect r = fw::Bounds(point.x + 8, point.y + 16, measured.Width(), measured.Height());
  if (r.Right > workArea.Right) {
    int d = r.Right - workArea.Right;
    r.Left -= d, r.Right -= d;
  }
  if (r.Bottom > workArea.Bottom) {
    int d = r.Bottom - workArea.Bottom;
    r.Top -= d, r.Bottom -= d;
  }
  return r;
}

fw::THintWindow* ShowHintAt(const fw::String& text, fw::TPoint point) {
  if (text.empty() || !fw::Application) return nullptr;
  fw::THintWindowClass cls = fw::Application->HintWindowClass();
  fw::TObject* made = (cls ? cls : fw::THintWindow::StaticClass())->Create(nullptr);
  auto* hint = dynamic_cast<fw::THintWindow*>(made);
  if (!hint) {
    delete made;
    throw fw::EInvalidOperation(u"The hint window class is not a hint window");
  }
  try {
    hint->SetVisible(false);
    hint->SetColor(fw::clInfoBk);
    hint->SetParentWindow(fw::Application->Handle());
    const bool skinned = SkinCommandIsOne(hint->Handle(), SKC_ISHANDLED);
    fw::TRect measured = hint->CalcHintRect(kHintMaxWidth, text, nullptr);
    // A plain hint window is 4 pixels higher than measured; it is placed
    // with that height so that it too ends inside the work area.
    if (!skinned) measured.Bottom += 4;
    fw::TRect r = HintRectAt(measured, point, MonitorWorkAreaAt(point));
    if (skinned) {
      hint->ActivateHint(r, text);
      return hint;
    }
    hint->SetText(text);
    hint->SetBoundsRect(r);
    HWND h = hint->Handle();
    SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    BOOL animation = FALSE, fade = FALSE;
    SystemParametersInfoW(SPI_GETTOOLTIPANIMATION, 0, &animation, 0);
    SystemParametersInfoW(SPI_GETTOOLTIPFADE, 0, &fade, 0);
    if (text.size() < kHintFadeMaxLength && animation && fade) AnimateWindow(h, kHintFadeTime, AW_BLEND);
    ShowWindow(h, SW_SHOWNOACTIVATE);
    InvalidateRect(h, nullptr, TRUE);
    return hint;
  } catch (...) {
    delete hint;
    throw;
  }
}

void PaintGraphicControls(HDC DC, fw::TWinControl* Control, bool OnlyWhenVisible, fw::TPoint Offset) {
  if (PaintingGraphicControls || !Control || !DC) return;
  if ((OnlyWhenVisible && !Control->Visible()) || Control->ControlCount() == 0) return;
  struct TGuard {
    TGuard() { PaintingGraphicControls = true; }
    ~TGuard() { PaintingGraphicControls = false; }
  } guard;
  RECT clip{};
  if (GetClipBox(DC, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
    if (Control->HandleAllocated()) SendSkinCommand(Control->WindowHandle(), SKC_SETHALFVISIBLE, 0);
    return;
  }
  TkcBackgroundInfo bg;
  RequestBackground(bg, Control, false);
  std::vector<fw::TControl*> parts;
  for (int i = 0; i < Control->ControlCount(); ++i) {
    fw::TControl* c = Control->Controls(i);
    if (dynamic_cast<fw::TWinControl*>(c) || !c->Visible() || c->Width() <= 0 || c->Height() <= 0 || BeingFreed(c))
      continue;
    RECT r{c->Left() + Offset.x, c->Top() + Offset.y, c->Left() + Offset.x + c->Width(), c->Top() + Offset.y + c->Height()};
    if (RectVisible(DC, &r)) parts.push_back(c);
  }
  if (parts.empty()) return;
  fw::TWindowDC screen;
  fw::TMemoryDC mem(screen.Get());
  fw::TBitmapHandle bitmap(CreateCompatibleBitmap(screen.Get(), Control->Width(), Control->Height()));
  fw::TSelectObject selected(mem.Get(), bitmap.Get());
  const fw::TColor fill = fw::ColorToRGB(bg.Color);
  for (fw::TControl* c : parts) {
    const fw::TRect r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()};
    if (c->ControlStyle().Contains(fw::csOpaque)) {
      SolidFillDC(mem.Get(), r, ControlSkinBgColor(c));
    } else if (bg.BgType == btCache && bg.Bmp) {
      BitBlt(mem.Get(), r.Left, r.Top, r.Width(), r.Height(), bg.Bmp->Canvas()->Handle(), bg.Offset.x + r.Left,
             bg.Offset.y + r.Top, SRCCOPY);
    } else {
      SolidFillDC(mem.Get(), r, fill);
      if (bg.Bmp) {
        // A plain inside with an image border: the border strips the child
        // overlaps come from the image.
        HDC src = bg.Bmp->Canvas()->Handle();
        const int w = bg.Bmp->Width(), h = bg.Bmp->Height();
        const fw::TRect strips[] = {
            {r.Left, r.Top, r.Right, std::min(r.Bottom, bg.FillRect.Top)},
            {r.Left, r.Top, std::min(r.Right, bg.FillRect.Left), r.Bottom},
            {r.Left, std::max(r.Top, h - bg.FillRect.Bottom), r.Right, r.Bottom},
            {std::max(r.Left, w - bg.FillRect.Right), r.Top, r.Right, r.Bottom},
        };
        for (const fw::TRect& s : strips)
          if (s.Right > s.Left && s.Bottom > s.Top)
            BitBlt(mem.Get(), s.Left, s.Top, s.Width(), s.Height(), src, bg.Offset.x + s.Left, bg.Offset.y + s.Top,
                   SRCCOPY);
      }
    }
    const int saved = SaveDC(mem.Get());
    OffsetViewportOrgEx(mem.Get(), c->Left(), c->Top(), nullptr);
    IntersectClipRect(mem.Get(), 0, 0, c->Width(), c->Height());
    const fw::TControlState before = c->ControlState();
    fw::TControlState state = before;
    if (Control->ControlState().Contains(fw::csPaintCopy)) state.Include(fw::csPaintCopy);
    else state.Exclude(fw::csPaintCopy);
    c->SetControlState(state);
    try {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(mem.Get()), 0);
    } catch (...) {
      c->SetControlState(before);
      RestoreDC(mem.Get(), saved);
      throw;
    }
    c->SetControlState(before);
    RestoreDC(mem.Get(), saved);
  }
  for (fw::TControl* c : parts) {
    // A child that left its top-left pixel in the key colour shows what is
    // there already.
    if (GetPixel(mem.Get(), c->Left(), c->Top()) == 0xFF00FF) continue;
    BitBlt(DC, c->Left() + Offset.x, c->Top() + Offset.y, c->Width(), c->Height(), mem.Get(), c->Left(), c->Top(),
           SRCCOPY);
  }
}

}  // namespace skin
