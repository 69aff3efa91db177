// The link to an external skin editor that shows its skin live in this
// program. Only with "/kcpreview" as the first parameter: the main form's
// window is announced to the editor's window (found by its title) with the
// link message, and the editor sends skins back as WM_COPYDATA records,
// which the skin manager then loads. The editor may also close the
// announced form or ask whether it is alive.
#pragma once

#include <windows.h>

#include <functional>

#include "fw/controls/forms.h"

#include "skin/engine/core/preview_record.h"

namespace skin {

constexpr UINT WM_PREVIEWLINK = 0xA400;
constexpr WPARAM kPreviewCopyKind = 7;
// The title of the editor's window the announcement looks for.
extern const wchar_t kSkinEditorTitle[];

// Set by every provider to whether the process was started to preview
// skins; cleared once the window has been announced.
extern bool PreviewRequested;
// The announced window; null until then.
extern HWND PreviewWindow;
// Set while a received record is being taken over.
extern bool PreviewDataBusy;

// Announces Wnd once per run: only while requested, and only the main
// form's window (MainFormWnd; without a main form any window). Up to 101
// tries until the editor answers 1; each try waits at most TryMs for the
// answer, all of them together at most TotalMs (an editor that hangs does
// not hang the program). True when the editor answered 1.
bool AnnouncePreviewWindow(HWND Wnd, HWND MainFormWnd, unsigned TryMs = 500, unsigned TotalMs = 3000);

// What becomes of an accepted record (by default: the default skin
// manager's preview buffer, and SKC_LOADPREVIEW posted to the application
// window, so the skin is loaded after the message, not inside it).
using TPreviewDelivery = std::function<void(const TkcSkinData&)>;
void SetPreviewDelivery(TPreviewDelivery Delivery);

// WM_COPYDATA at a form: true when it was the announced window's and held
// a whole record of the editor (kind 7, the magic, at least the record's
// size; a shorter buffer is never read).
bool TakePreviewCopyData(HWND Wnd, WPARAM WParam, LPARAM LParam);

// The link message at a form: 1 closes it, 4 is answered 1, 3 goes to the
// form's own procedure (Handled false), others do nothing.
LRESULT PreviewLinkMessage(HWND Wnd, WPARAM WParam, bool& Handled);

// A skinned form's share of the link, before the form's own procedure
// (CallOld runs it): the main form announces itself when shown, takes
// records and answers the link message. True when the message is done.
bool PreviewLinkBeforeMessage(fw::TCustomForm* Form, fw::TMessage& Message,
                              const std::function<void(fw::TMessage&)>& CallOld);
// What every provider does when made: notes whether this run previews.
void NotePreviewRequest();

}  // namespace skin
