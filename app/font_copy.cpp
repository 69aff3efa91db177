#include "app/font_copy.h"

#include <windows.h>

#include "app/core/font_files.h"
#include "app/managedlg.h"
#include "fw/core/sysutils.h"
#include "fw/system/application.h"

namespace app {

using fw::String;

String CopyTargetFolder(const String& Directory) { return fw::ExcludeTrailingPathDelimiter(Directory); }

int CopyResultFontFiles(const std::vector<String>& Paths, const String& Directory, Tmanagedlg* Dialog) {
  return CopyFontFiles(Paths, Directory, Dialog, TFontCopyOptions{});
}

namespace {

// Shows the end of a copy on its dialog, however the copy ended.
class TCopyDialogFinish {
 public:
  explicit TCopyDialogFinish(Tmanagedlg* Dialog) : dialog_(Dialog) {}
  ~TCopyDialogFinish() {
    if (!dialog_) return;
    dialog_->SetCaption(u"Finished!");
    dialog_->Hide();
  }
  TCopyDialogFinish(const TCopyDialogFinish&) = delete;
  TCopyDialogFinish& operator=(const TCopyDialogFinish&) = delete;

 private:
  Tmanagedlg* dialog_;
};

bool CopyOneFile(const String& From, const String& To, bool Overwrite) {
  return CopyFileW(W(From), W(To), Overwrite ? FALSE : TRUE) != FALSE;
}

}  // namespace

int CopyFontFiles(const std::vector<String>& Paths, const String& Directory, Tmanagedlg* Dialog,
                  const TFontCopyOptions& Options) {
  const TCopyDialogFinish finish(Dialog);
  const String target = CopyTargetFolder(Directory);
  int copied = 0;
  if (Dialog && Dialog->progres) Dialog->progres->SetMax(static_cast<int>(Paths.size()) - Options.BarMaxLess);
  for (size_t i = 0; i < Paths.size(); ++i) {
    const String& path = Paths[i];
    const String name = fw::ExtractFileName(path);
    if (CopyOneFile(path, target + u"\\" + name, Options.Overwrite)) {
      ++copied;
    } else if (Options.OnFailure && !Options.OnFailure(name, target)) {
      break;
    }
    if (fw::UpperCase(fw::ExtractFileExt(path)) == u".PFM") {
      const String outline = findPFBfilename(path);
      if (!outline.empty()) CopyOneFile(outline, target + u"\\" + fw::ChangeFileExt(name, u".PFB"), Options.Overwrite);
    }
    if (Dialog) {
      if (Dialog->progres) Dialog->progres->SetPosition(static_cast<int>(i));
      if (Dialog->Aborted()) break;
    }
    if (fw::Application) fw::Application->ProcessMessages();
  }
  return copied;
}

}  // namespace app
