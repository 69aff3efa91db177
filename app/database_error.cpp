#include "app/database_error.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

#include "app/font_commands.h"
#include "app/image_form.h"
#include "fw/core/rtti.h"
#include "fw/core/streams.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/platform/files.h"
#include "fw/system/application.h"

namespace app {

using fw::String;
using fw::TObject;

TDatabaseerror* Databaseerror = nullptr;

namespace {

// A list of paths as the shell's file operations take it: each ends in
// NUL, and one more NUL ends the list.
std::vector<wchar_t> ShellPathList(const String& Path) {
  std::vector<wchar_t> list(Path.begin(), Path.end());
  list.push_back(L'\0');
  list.push_back(L'\0');
  return list;
}

String FullPathOf(const String& Path) {
  wchar_t buf[MAX_PATH * 4] = {};
  const DWORD n = GetFullPathNameW(W(Path), MAX_PATH * 4, buf, nullptr);
  return n > 0 && n < MAX_PATH * 4 ? FromW(buf) : Path;
}

void DeleteMarkerWithMessages(const String& Marker) {
  if (DeleteFileW(W(Marker))) {
    fw::ShowMessage(u"Log file was deleted!");
  } else {
    fw::MessageDlg(u"Log file cannot be deleted!", fw::mtError, fw::TMsgDlgButtons{fw::mbCancel}, 0);
  }
}

}  // namespace

String ProblemFontsFolder() { return fw::ExeFolder() + u"\\Problem Fonts"; }

bool MoveToProblemFonts(const String& Path) {
  if (!fw::FileExists(Path)) return false;
  const String folder = ProblemFontsFolder();
  if (!fw::ForceDirectories(folder)) return false;
  std::vector<wchar_t> from = ShellPathList(FullPathOf(Path));
  std::vector<wchar_t> to = ShellPathList(folder);
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_MOVE;
  op.pFrom = from.data();
  op.pTo = to.data();
  op.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_WANTMAPPINGHANDLE | FOF_ALLOWUNDO;  // 0x74
  const int result = SHFileOperationW(&op);
  if (op.hNameMappings) SHFreeNameMappings(op.hNameMappings);
  return result == 0;
}

String ReadCrashMarker(const String& MarkerFile) {
  const std::vector<uint8_t> bytes = fw::ReadFileBytes(MarkerFile);
  std::string line(bytes.begin(), bytes.end());
  const size_t end = line.find_first_of("\r\n");
  if (end != std::string::npos) line.resize(end);
  return fw::AnsiToString(line);
}

TDatabaseerror::~TDatabaseerror() {
  if (Databaseerror == this) Databaseerror = nullptr;
}

void TDatabaseerror::ReadMarker() {
  namedFile_ = ReadCrashMarker(CrashMarkerFileName());
  if (Label3) Label3->SetCaption(namedFile_.empty() ? String(u"No invalid file recorded!") : namedFile_);
}

String TDatabaseerror::NamedFile() const { return namedFile_; }

void TDatabaseerror::btnviewClick(TObject*) {
  if (namedFile_.empty() || !fw::FileExists(namedFile_)) return;
  ShellOpenFile(Handle(), namedFile_);
}

void TDatabaseerror::btndeleteClick(TObject*) {
  if (namedFile_.empty() || !fw::FileExists(namedFile_)) return;
  MessageBeep(0);
  if (fw::MessageDlg(u"Would you like to delete file?", fw::mtConfirmation, fw::mbYesNo, 0) != fw::mrYes) return;
  if (DeleteFileW(W(namedFile_))) {
    fw::ShowMessage(u"Font file was deleted!");
  } else {
    fw::MessageDlg(u"Font file cannot be deleted!", fw::mtError, fw::TMsgDlgButtons{fw::mbCancel}, 0);
  }
  DeleteFileW(W(CrashMarkerFileName()));
}

void TDatabaseerror::btnmoveClick(TObject*) {
  if (namedFile_.empty() || !fw::FileExists(namedFile_)) return;
  MessageBeep(0);
  if (fw::MessageDlg(u"Would you like to move font file to 'Problem fonts' folder?", fw::mtConfirmation, fw::mbYesNo,
                     0) != fw::mrYes)
    return;
  if (MoveToProblemFonts(namedFile_)) {
    fw::ShowMessage(u"Font was moved to 'Problem Fonts'folder!");
  } else {
    fw::MessageDlg(u"Font file cannot be moved to 'Problem fonts' folder!", fw::mtError,
                   fw::TMsgDlgButtons{fw::mbCancel}, 0);
  }
  DeleteFileW(W(CrashMarkerFileName()));
}

void TDatabaseerror::FormClose(TObject*, fw::TCloseAction&) {
  const String marker = CrashMarkerFileName();
  if (!fw::FileExists(marker)) return;
  MessageBeep(0);
  fw::MessageDlg(
      u"Database error Log file will be deleted. If an error occurred next time, please delete invalid font file.",
      fw::mtConfirmation, fw::TMsgDlgButtons{fw::mbOK}, 0);
  DeleteMarkerWithMessages(marker);
}

void ShowDatabaseError() {
  if (!Databaseerror) return;
  Databaseerror->ReadMarker();
  MessageBeep(0);
  Databaseerror->ShowModal();
}

FW_REGISTER(TDatabaseerror) {
  using F = TDatabaseerror;
  c.Field(u"Label3", &F::Label3);
  c.Field(u"btnview", &F::btnview);
  c.Field(u"btndelete", &F::btndelete);
  c.Field(u"btnmove", &F::btnmove);
  c.Method(u"btnviewClick", &F::btnviewClick);
  c.Method(u"btndeleteClick", &F::btndeleteClick);
  c.Method(u"btnmoveClick", &F::btnmoveClick);
  c.Method(u"FormClose", &F::FormClose);
}

}  // namespace app
