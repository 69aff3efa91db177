// Shell and system routines of the component layer: the shell's version,
// item-id lists, path ellipsis and the Windows version test.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "fw/core/types.h"

namespace fw {
class TCanvas;
}

namespace services {

// The version of shell32.dll as major shl 16 or minor from the file's
// version resource, kept once read; 0 when it has none.
DWORD Shell32Version();

// Frees List with the shell allocator when that allocator owns it and clears
// the reference. True when it was already empty or has been freed.
bool FreeShellItemList(LPITEMIDLIST& List);

// Text shortened with a path ellipsis so that it fits Width in one line of
// Canvas's font; the unchanged text when measuring fails.
void EllipsizePathText(const fw::String& Text, fw::TCanvas* Canvas, int Width, fw::String& Result);

// Opens a file or an address with the program the shell associates with it
// (the verb "open", SW_SHOWNORMAL); true when the shell started it. This is
// the program's one way of opening a file or address with the shell.
bool OpenWithShell(const fw::String& FileName);
// Replaces what OpenWithShell does (nullptr: the shell again); for tests.
using TOpenWithShellProc = bool (*)(const fw::String& FileName);
void SetOpenWithShellProc(TOpenWithShellProc Proc);

// Whether the running Windows is at least Major.Minor (the real version, not
// the one the manifest lets GetVersionEx report).
bool WindowsVersionAtLeast(int Major, int Minor);

}  // namespace services
