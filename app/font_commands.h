// Viewing a font file in the system's font viewer and copying the chosen
// font files into a folder, from the result list and from the multi-font
// list. The shell, the folder question and the elevation test go through
// replaceable functions, so tests run the commands without starting a
// viewer or showing a folder browser.
#pragma once

#include <windows.h>

#include "fw/core/types.h"

namespace app {

class TImageForm;

// Runs File with the shell's "open" verb for Owner: a program with
// Parameters, or a document with its own program.
using TShellOpenProc = void (*)(HWND Owner, const fw::String& File, const fw::String& Parameters);
void SetShellOpenProc(TShellOpenProc Proc);  // nullptr: the shell
void ShellOpenFile(HWND Owner, const fw::String& File, const fw::String& Parameters = fw::String());

// The system's font viewer, looked for in the system folder.
constexpr char16_t kFontViewer[] = u"FONTVIEW.EXE";
// Opens a font file in the font viewer when SystemFolder holds it, else with
// the file's own program.
void ViewFontFile(HWND Owner, const fw::String& Path, const fw::String& SystemFolder);

// Asks for the folder the fonts are copied into, starting at Directory;
// true when one was chosen, which is then in Directory.
using TBrowseCopyFolderProc = bool (*)(TImageForm* Form, fw::String& Directory);
void SetBrowseCopyFolderProc(TBrowseCopyFolderProc Proc);  // nullptr: the window's dlgbrowsecopy
bool BrowseCopyFolder(TImageForm* Form, fw::String& Directory);

// Whether the process runs with administrator rights (copying from the
// multi-font list needs them).
using TIsElevatedProc = bool (*)();
void SetIsElevatedProc(TIsElevatedProc Proc);  // nullptr: the process token

}  // namespace app
