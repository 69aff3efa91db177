// The system clipboard: text, bitmaps (as device-independent bitmaps) and raw
// formats. Opening retries for a short while, since another program may hold
// the clipboard for a moment.
#pragma once

#include <windows.h>

#include <cstddef>

#include "fw/core/exceptions.h"
#include "fw/core/types.h"

namespace fw {

FW_EXCEPTION_CLASS(EClipboardException, Exception)

class TClipboard {
 public:
  TClipboard() = default;
  ~TClipboard();
  TClipboard(const TClipboard&) = delete;
  TClipboard& operator=(const TClipboard&) = delete;

  // Open and Close nest; every other operation opens around itself.
  void Open();
  void Close();
  void Clear();
  bool HasFormat(UINT format);

  // CF_UNICODETEXT; empty when the clipboard holds no text.
  String AsText();
  void SetAsText(const String& text);

  // Puts a copy of the bitmap (24 or 32 bits per pixel) as CF_DIB; the system
  // offers it as CF_BITMAP too. The caller keeps its bitmap, which must not be
  // selected into a device context.
  void SetBitmap(HBITMAP bitmap);
  // A new DIB section (24 or 32 bits per pixel) from the clipboard's bitmap,
  // owned by the caller; nullptr when the clipboard holds none.
  HBITMAP GetBitmap();

  // A raw block of a registered or standard format.
  void SetBuffer(UINT format, const void* data, size_t size);

 private:
  void Adding();  // empties the clipboard on the first change while open
  void SetHandle(UINT format, HGLOBAL h);

  HWND FWindow = nullptr;
  int FOpenCount = 0;
  bool FEmptied = false;
};

// The one clipboard object of the program.
TClipboard& Clipboard();

}  // namespace fw
