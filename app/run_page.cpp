// The search page of the main window: the source choice, the options the
// search takes from the page's controls, the "Find"/"Stop" command and what
// the window shows while a search runs and when it ends.
#include <windows.h>

#include "app/core/result_model.h"
#include "app/database_form.h"
#include "app/filter_form.h"
#include "app/font_folders.h"
#include "app/image_form.h"
#include "app/matching_engine.h"
#include "app/result_list_view.h"
#include "controls/base/cktransparentbutton.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_button.h"
#include "controls/base/xp_taskbar.h"
#include "controls/dialogs/ckballoonhint.h"
#include "fw/controls/button.h"
#include "fw/core/datetime.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/platform/files.h"
#include "fw/platform/locale.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"
#include "skin/controls/gauge.h"

namespace app {

using fw::String;
using fw::TObject;

TFontDatabase* MainWindowDatabase() { return ImageForm ? &ImageForm->Database() : nullptr; }

ck::TCkBalloonHint* MainWindowBalloon() { return ImageForm ? ImageForm->Balloon : nullptr; }

void UpdateMainWindowInfo() {
  if (ImageForm) ImageForm->Updateinfo();
}

TSearchSource TImageForm::ChosenSource() const {
  if (cbsysytem && cbsysytem->Checked()) return TSearchSource::System;
  if (cbdatabase && cbdatabase->Checked()) return TSearchSource::Database;
  if (cbfolders && cbfolders->Checked()) return TSearchSource::Folders;
  return TSearchSource::None;
}

void TImageForm::ReadSearchOptions() {
  TSearchOptions& o = search_->Options();
  o.Source = ChosenSource();
  o.SymbolFontsOnly = cbsymbols && cbsymbols->Down();
  if (o.Folder.empty()) o.Folder = SystemFontsFolder();
  o.Filter = DatabaseFilter();
  o.FilterActive = FilterActive != 0;
  TMatchOptions m = engine_->Options();
  if (secodepoint) m.CodePoint = secodepoint->Value();
  if (sespeed) m.Speed = sespeed->Value();
  if (sepercentage) m.Threshold = sepercentage->Value();
  m.Bold = chrbold && chrbold->Down();
  m.Italic = chritalic && chritalic->Down();
  engine_->SetOptions(m);
}

void TImageForm::cbsysytemClick(TObject*) {
  if (cbdatabase && cbdatabase->Checked() && DatabaseOpen() && database_->CompFile.FileSize() == 0 &&
      fw::MessageDlg(u"Font database is empty. Would you like to create database now?", fw::mtInformation,
                     fw::mbYesNo, 0) == fw::mrYes)
    ShowDatabaseBuilder();
  Updateinfo();
  results_->Clear();
  if (ListView) ListView->Items()->Clear();
  if (lbcount) lbcount->SetCaption(u"0");
  if (cbsysytem && cbsysytem->Checked() && cbsymbols) cbsymbols->SetDown(false);
}

void TImageForm::Updateinfo() {
  TSearchOptions& o = search_->Options();
  if (o.Folder.empty()) o.Folder = SystemFontsFolder();
  if (dlgsearchfolder && dlgsearchfolder->Directory().empty()) dlgsearchfolder->SetDirectory(o.Folder);
  o.Source = ChosenSource();
  if (lbfonts) lbfonts->SetCaption(u"Fonts: " + fw::IntToStr(search_->CandidateCount()));
  if (xppreview) xppreview->SetEnabled(o.Source != TSearchSource::System);
}

void TImageForm::btnBrowseClick(TObject*) {
  if (!dlgsearchfolder) return;
  if (dlgsearchfolder->Directory().empty()) dlgsearchfolder->SetDirectory(search_->Options().Folder);
  if (!dlgsearchfolder->Execute()) return;
  search_->Options().Folder = dlgsearchfolder->Directory();
  Updateinfo();
}

void TImageForm::btnfilterClick(TObject*) {
  if (formfilter) formfilter->ShowModal();
}

void TImageForm::Refreshdatabase1Click(TObject*) { ShowDatabaseBuilder(); }

void TImageForm::btnstartstopClick(TObject*) {
  if (gbsampletext) gbsampletext->SetCaption(u"Sample");
  if (Balloon) Balloon->CancelHint();
  if (search_->State() == TSearchState::Idle) ReadSearchOptions();
  search_->btnstartstopClick();
}

// ---- What the window shows of a search

void TImageForm::SearchStarted(TSearchSource) {
  // The scores are listed as the user writes numbers.
  results_->DecimalSeparator = fw::UserFormatSettings().DecimalSeparator;
  if (Gauge1) {
    Gauge1->SetProgress(0);
    Gauge1->Show();
  }
  FStartTime = fw::Now();
  if (Panel3) Panel3->SetEnabled(false);
  if (Run) {
    Run->EnableButton(ck::bkBack, false);
    Run->EnableButton(ck::bkNext, false);
  }
  if (lbcount) lbcount->SetCaption(u"0");
  if (lbviewall) lbviewall->SetEnabled(false);
  if (lbsavetofile) lbsavetofile->SetEnabled(false);
  if (btnstartstop) btnstartstop->SetCaption(u"Stop");
  if (ListView) ListView->Items()->Clear();
}

void TImageForm::SourceDefaulted() {
  if (cbsysytem) cbsysytem->SetChecked(true);
  cbsysytemClick(this);
}

void TImageForm::SetProgressMax(int Max) {
  if (Gauge1) Gauge1->SetMaxValue(Max > 0 ? Max : 1);
}

void TImageForm::SetProgress(int Position) {
  if (Gauge1) Gauge1->SetProgress(Position);
}

void TImageForm::ShowInformation(const String& Text) {
  fw::MessageDlg(Text, fw::mtInformation, fw::TMsgDlgButtons{fw::mbOK}, 0);
}

void TImageForm::ShowFilterActive() {
  if (!Balloon || !btnfilter) return;
  Balloon->ActivateHint(btnfilter, u"Database filter is activated!", u"Database filter status", 3000);
}

void TImageForm::SearchFinished(const TSearchSummary& Summary) {
  if (Panel3) Panel3->SetEnabled(true);
  if (lbviewall) lbviewall->SetEnabled(true);
  if (lbsavetofile) lbsavetofile->SetEnabled(true);
  if (Run) Run->EnableButton(ck::bkBack, true);
  if (btnstartstop) btnstartstop->SetCaption(u"Find");
  if (Gauge1) {
    Gauge1->Hide();
    Gauge1->SetProgress(0);
  }
  SetStatusText(1, Summary.ElapsedText);
  SetStatusText(2, SkippedFilesText(Summary));
  if (ListView) FillResultListView(ListView, *results_);
  if (lbcount) lbcount->SetCaption(fw::IntToStr(results_->Count()));
  if (Run) Run->EnableButton(ck::bkNext, results_->Count() > 0);
  if (Summary.SymbolFontsNotice && Balloon && ListView) {
    Balloon->SetOptions({ck::boUseDefaultIcon, ck::boShowCloseBtn, ck::boPlaySound});
    Balloon->ActivateHint(ListView,
                          u"List contain only Symbol fonts!\r\nUncheck \"Search for symbol fonts\" button to "
                          u"include all fons in search.",
                          u"Information about filtered fonts", 9000);
    Balloon->SetOptions({ck::boUseDefaultIcon, ck::boShowCloseBtn});
  }
}

void TImageForm::sespeedChange(TObject*) {
  if (!sespeed || !Run || !Run->Visible()) return;
  sespeed->SetShowHint(false);
  static constexpr struct {
    int Level;
    const char16_t* Text;
  } kModes[] = {
      {1, u"Slowest, but the most accurate mode. Recommended."},
      {3, u"30% faster mode, good accuracy"},
      {5, u"30% faster mode, changeable accuracy"},
      {7, u"150% faster mode, lowest accuracy,the best results with uppercase letters"},
  };
  if (!Balloon) return;
  for (const auto& mode : kModes) {
    if (sespeed->Value() != mode.Level) continue;
    Balloon->SetOptions({ck::boUseDefaultIcon, ck::boShowCloseBtn});
    Balloon->ActivateHint(sespeed, mode.Text, u"Mode " + fw::IntToStr(mode.Level), 4000);
  }
  Balloon->SetOptions({ck::boUseDefaultIcon, ck::boShowCloseBtn, ck::boPlaySound});
}

}  // namespace app
