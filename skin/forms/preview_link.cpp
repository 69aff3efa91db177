#include "skin/forms/preview_link.h"

#include <algorithm>

#include "fw/system/application.h"
#include "skin/engine/skin_manager.h"
#include "skin/engine/skin_messages.h"
#include "skin/engine/skin_switches.h"

namespace skin {

const wchar_t kSkinEditorTitle[] = L"Vestaline Skin Editor";
bool PreviewRequested = false;
HWND PreviewWindow = nullptr;
bool PreviewDataBusy = false;

namespace {

constexpr int kAnnounceTries = 101;

TPreviewDelivery& Delivery() {
  static TPreviewDelivery d;
  return d;
}

void DeliverToSkinManager(const TkcSkinData& record) {
  if (!DefaultSkinManager || !fw::Application) return;
  DefaultSkinManager->PreviewBuffer = record;
  PostMessageW(fw::Application->Handle(), WM_SKINCOMMAND, SkinCommand(SKC_LOADPREVIEW), 0);
}

}  // namespace

bool AnnouncePreviewWindow(HWND Wnd, HWND MainFormWnd, unsigned TryMs, unsigned TotalMs) {
  if (!PreviewRequested || PreviewWindow) return false;
  if (MainFormWnd && Wnd != MainFormWnd) return false;
  PreviewWindow = Wnd;
  PreviewRequested = false;
  const DWORD start = GetTickCount();
  for (int i = 0; i < kAnnounceTries; ++i) {
    HWND editor = FindWindowW(nullptr, kSkinEditorTitle);
    if (!editor) return false;
    const DWORD spent = GetTickCount() - start;
    if (spent >= TotalMs) return false;
    DWORD_PTR answer = 0;
    const UINT wait = std::min<DWORD>(TryMs, TotalMs - spent);
    if (SendMessageTimeoutW(editor, WM_PREVIEWLINK, 3, reinterpret_cast<LPARAM>(Wnd), SMTO_ABORTIFHUNG, wait,
                            &answer) &&
        answer == 1)
      return true;
  }
  return false;
}

void SetPreviewDelivery(TPreviewDelivery D) { Delivery() = std::move(D); }

bool TakePreviewCopyData(HWND Wnd, WPARAM WParam, LPARAM LParam) {
  if (!Wnd || Wnd != PreviewWindow || PreviewDataBusy) return false;
  const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(LParam);
  if (!data || WParam != kPreviewCopyKind || !data->lpData) return false;
  PreviewDataBusy = true;
  struct TBusy {
    ~TBusy() { PreviewDataBusy = false; }
  } busy;
  TkcSkinData record;
  // The record's size is checked before anything of it is read.
  if (!ParsePreviewRecord(static_cast<const uint8_t*>(data->lpData), data->cbData, record)) return false;
  if (Delivery())
    Delivery()(record);
  else
    DeliverToSkinManager(record);
  return true;
}

LRESULT PreviewLinkMessage(HWND Wnd, WPARAM WParam, bool& Handled) {
  Handled = true;
  switch (WParam) {
    case 1:
      // Closed after the editor's message has returned.
      PostMessageW(Wnd, WM_CLOSE, 0, 0);
      return 0;
    case 3:
      Handled = false;
      return 0;
    case 4:
      return 1;
    default:
      return 0;
  }
}

void NotePreviewRequest() { PreviewRequested = CommandLineSkinSwitches().Preview; }

bool PreviewLinkBeforeMessage(fw::TCustomForm* Form, fw::TMessage& Message,
                              const std::function<void(fw::TMessage&)>& CallOld) {
  if (!Form || !Form->HandleAllocated()) return false;
  const HWND wnd = Form->WindowHandle();
  switch (Message.Msg) {
    case WM_SHOWWINDOW:
      if (Message.WParam && PreviewRequested) {
        fw::TCustomForm* mainForm = fw::Application ? fw::Application->MainForm() : nullptr;
        const HWND mainWnd = mainForm && mainForm->HandleAllocated() ? mainForm->WindowHandle() : nullptr;
        if (!mainForm || mainWnd) AnnouncePreviewWindow(wnd, mainWnd);
      }
      return false;
    case WM_COPYDATA:
      if (wnd != PreviewWindow) return false;
      CallOld(Message);
      if (Message.Result == 0) TakePreviewCopyData(wnd, Message.WParam, Message.LParam);
      return true;
    case WM_PREVIEWLINK: {
      bool handled = false;
      const LRESULT r = PreviewLinkMessage(wnd, Message.WParam, handled);
      if (handled) Message.Result = r;
      return handled;
    }
    default:
      return false;
  }
}

}  // namespace skin
