#include "app/result_list_view.h"

#include "app/settings_form.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/core/result_model.h"
#include "app/font_commands.h"
#include "app/image_form.h"
#include "controls/base/ckwizard.h"
#include "controls/base/xp_taskbar.h"
#include "controls/dialogs/ckbrowsefolder.h"
#include "fw/core/sysutils.h"
#include "fw/dialogs/dialogs.h"
#include "fw/dialogs/msgdlg.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"
#include "fw/system/actions.h"
#include "fw/system/screen.h"

namespace app {

using fw::String;
using fw::TListItem;

void FillResultListView(fw::TCustomListView* List, const TResultList& Results) {
  fw::TListItems* items = List->Items();
  items->BeginUpdate();
  try {
    items->Clear();
    for (const TResultItem& r : Results.Items()) {
      TListItem* item = items->Add();
      item->SetCaption(r.Caption);
      item->SubItems()->Add(r.ScoreText);
      item->SubItems()->Add(r.Path);
      item->SetData(const_cast<TResultItem*>(&r));
    }
  } catch (...) {
    items->EndUpdate();
    throw;
  }
  items->EndUpdate();
}

bool ReadScoreText(const String& Text, char16_t DecimalSeparator, double& Score) {
  std::string s;
  size_t i = 0;
  while (i < Text.size() && Text[i] == u' ') ++i;
  size_t end = Text.size();
  while (end > i && Text[end - 1] == u' ') --end;
  if (i == end) return false;
  bool digits = false, point = false;
  for (size_t k = i; k < end; ++k) {
    char16_t c = Text[k];
    if (c >= u'0' && c <= u'9') {
      s += static_cast<char>(c);
      digits = true;
    } else if (c == DecimalSeparator && !point) {
      s += '.';
      point = true;
    } else if ((c == u'-' || c == u'+') && k == i) {
      s += static_cast<char>(c);
    } else {
      return false;
    }
  }
  if (!digits) return false;
  Score = std::strtod(s.c_str(), nullptr);
  return true;
}

namespace {

String SubItemText(TListItem* Item, int Index) {
  fw::TStrings* sub = Item->SubItems();
  return Index < sub->Count() ? sub->Get(Index) : String();
}

}  // namespace

bool ItemScore(TListItem* Item, char16_t DecimalSeparator, double& Score) {
  if (const auto* result = static_cast<const TResultItem*>(Item->Data())) {
    Score = result->Score;
    return true;
  }
  return ReadScoreText(SubItemText(Item, 0), DecimalSeparator, Score);
}

namespace {

// The result an item stands for, as far as the score sort needs it.
TResultItem ScoredItem(TListItem* Item) {
  TResultItem r;
  ItemScore(Item, u'.', r.Score);
  return r;
}

}  // namespace

void SortByScore(fw::TCustomListView* List, int Param) {
  List->CustomSort(
      [Param](TListItem* a, TListItem* b, LPARAM) { return CompareScores(ScoredItem(a), ScoredItem(b), Param); }, 0);
}

int CompareTextItems(TListItem* Item1, TListItem* Item2, int Column, bool Ascending) {
  String a = Column == 0 ? Item1->Caption() : SubItemText(Item1, Column - 1);
  String b = Column == 0 ? Item2->Caption() : SubItemText(Item2, Column - 1);
  int r = a.compare(b);
  r = r < 0 ? -1 : (r > 0 ? 1 : 0);
  return Ascending ? r : -r;
}

bool ScoreIsWanted(TListItem* Item, int Percentage, char16_t DecimalSeparator) {
  double score = 0;
  return ItemScore(Item, DecimalSeparator, score) && score >= Percentage;
}

int RemoveBelowThreshold(fw::TCustomListView* List, int Percentage, char16_t DecimalSeparator) {
  fw::TListItems* items = List->Items();
  for (int i = items->Count() - 1; i >= 0; --i) {
    double score = 0;
    if (!ItemScore(items->Item(i), DecimalSeparator, score)) break;
    if (score < Percentage) items->Delete(i);
  }
  return items->Count();
}

std::vector<String> ResultListLines(fw::TCustomListView* List, const String& DateTime) {
  std::vector<String> lines;
  lines.push_back(DateTime);
  // One line holding a line break: the date is followed by two empty lines.
  lines.push_back(u"\r\n");
  fw::TListItems* items = List->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TListItem* item = items->Item(i);
    lines.push_back(item->Caption() + u"\t" + SubItemText(item, 0) + u"\t" + SubItemText(item, 1));
  }
  return lines;
}

bool WriteTextLines(const String& FileName, const std::vector<String>& Lines) {
  std::string bytes;
  for (const String& line : Lines) {
    if (!line.empty()) {
      int n = WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(line.data()),
                                  static_cast<int>(line.size()), nullptr, 0, nullptr, nullptr);
      std::string part(static_cast<size_t>(n), '\0');
      WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(line.data()), static_cast<int>(line.size()),
                          part.data(), n, nullptr, nullptr);
      bytes += part;
    }
    bytes += "\r\n";
  }
  HANDLE h = CreateFileW(reinterpret_cast<const wchar_t*>(FileName.c_str()), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  bool ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  CloseHandle(h);
  return ok;
}

bool SaveResultListFile(fw::TCustomListView* List, const String& FileName, fw::TDateTime When,
                        const fw::TFormatSettings& Format) {
  std::vector<String> lines;
  try {
    lines = ResultListLines(List, fw::FormatDateTime(u"ddddd tt", When, Format));
  } catch (const fw::Exception&) {
    return false;
  }
  return WriteTextLines(FileName, lines);
}

std::vector<String> SelectedFontPaths(fw::TCustomListView* List) {
  std::vector<String> paths;
  fw::TListItems* items = List->Items();
  for (int i = 0; i < items->Count(); ++i) {
    TListItem* item = items->Item(i);
    if (item->Selected()) paths.push_back(SubItemText(item, 1));
  }
  return paths;
}

// ---- The result list of the main window

namespace {

constexpr fw::TColor kWantedScoreColor = 0x0000FF;

}  // namespace

void TImageForm::ListViewColumnClick(TObject*, fw::TListColumn* Column) {
  if (!ListView || !Column) return;
  const int index = Column->Index();
  if (index == 1) {
    SortByScore(ListView, SizeSortOrder);
    SizeSortOrder = -SizeSortOrder;
  } else {
    if (index == SortColumn) {
      SortAscending = !SortAscending;
    } else {
      SortColumn = index;
      SortAscending = true;
    }
    fw::TCursor saved = fw::Screen->Cursor();
    fw::Screen->SetCursor(fw::crHourGlass);
    try {
      ListView->AlphaSort();  // by ListViewCompare
    } catch (...) {
      fw::Screen->SetCursor(saved);
      throw;
    }
    fw::Screen->SetCursor(saved);
  }
  if (ListView->Items()->Count() > 0) {
    ListView->SetItemFocused(ListView->Items()->Item(0));
    ListView->Scroll(0, -ListView->ClientHeight() * (ListView->Items()->Count() + 1));
  }
}

void TImageForm::ListViewCompare(TObject*, TListItem* Item1, TListItem* Item2, int, int& Compare) {
  Compare = CompareTextItems(Item1, Item2, SortColumn, SortAscending);
}

void TImageForm::ListViewCustomDrawSubItem(fw::TCustomListView* Sender, TListItem* Item, int SubItem,
                                           fw::TCustomDrawState, bool&) {
  fw::TCanvas* canvas = Sender->Canvas();
  if (SubItem == 1) {
    // Red and bold from the settings' wanted percentage, which lies above
    // the threshold every listed entry meets.
    if (ScoreIsWanted(Item, WantedPercentageSetting(), results_->DecimalSeparator)) {
      canvas->Font()->SetColor(kWantedScoreColor);
      canvas->Font()->SetStyle(fw::TFontStyles{fw::fsBold});
      return;
    }
  }
  canvas->Font()->SetColor(Sender->Font()->Color());
  canvas->Font()->SetStyle(fw::TFontStyles{});
}

void TImageForm::ListViewKeyDown(TObject*, WORD& Key, fw::TShiftState Shift) {
  if (!ListView) return;
  if (Key == 'A' && Shift.Contains(fw::ssCtrl)) {
    ListView->SelectAll();
  } else if (Key == 'C' && Shift.Contains(fw::ssCtrl)) {
    CkXPBar1Items0Click(ListView);
  } else if (Key == VK_DELETE && ListView->SelCount() > 0) {
    ListView->DeleteSelected();
    if (lbcount) lbcount->SetCaption(fw::IntToStr(ListView->Items()->Count()));
  }
  if (Run) Run->EnableButton(ck::bkNext, ListView->Items()->Count() > 0);
}

void TImageForm::sepercentageChange(TObject*) {
  if (!sepercentage || sepercentage->Text().empty() || !ListView) return;
  const int left = RemoveBelowThreshold(ListView, sepercentage->Value(), results_->DecimalSeparator);
  if (lbcount) lbcount->SetCaption(fw::IntToStr(left));
}

void TImageForm::lbsavetofileClick(TObject*) {
  if (!ListView || ListView->Items()->Count() == 0) {
    fw::MessageDlg(u"List is empty!", fw::mtInformation, fw::TMsgDlgButtons{fw::mbCancel}, 0);
    return;
  }
  if (!dlgsavetext || !dlgsavetext->Execute()) return;
  const String fileName = dlgsavetext->FileName();
  // A list that could not be written whole is reported, not opened as if it
  // had been saved.
  if (!SaveResultListFile(ListView, fileName, fw::Now(), fw::UserFormatSettings())) {
    fw::MessageDlg(u"Cannot save the list into \"" + fileName + u"\".", fw::mtError, fw::TMsgDlgButtons{fw::mbOK}, 0);
    return;
  }
  ShellOpenFile(Handle(), fileName);
}

void DescribeResultPage(fw::TClassBuilder<TImageForm>& c) {
  using F = TImageForm;
  c.Field(u"chrbold", &F::chrbold);
  c.Field(u"chritalic", &F::chritalic);
  c.Field(u"tracksample", &F::tracksample);
  c.Field(u"xppreview", &F::xppreview);
  c.Field(u"acviewfont", &F::acviewfont);
  c.Field(u"accopy", &F::accopy);
  c.Field(u"dlgbrowsecopy", &F::dlgbrowsecopy);
  c.Method(u"ListViewCompare", &F::ListViewCompare);
  c.Method(u"ListViewClick", &F::ListViewClick);
  c.Method(u"ListViewChange", &F::ListViewChange);
  c.Method(u"ListViewDblClick", &F::ListViewDblClick);
  c.Method(u"PaintBox2Paint", &F::PaintBox2Paint);
  c.Method(u"edsampleChange", &F::edsampleChange);
  c.Method(u"tracksampleChange", &F::tracksampleChange);
  c.Method(u"btnboldClick", &F::btnboldClick);
  c.Method(u"btnitalicClick", &F::btnitalicClick);
  c.Method(u"imgcompareMouseDown", &F::imgcompareMouseDown);
  c.Method(u"acviewfontExecute", &F::acviewfontExecute);
  c.Method(u"acviewfontUpdate", &F::acviewfontUpdate);
  c.Method(u"CkXPBar1Items1Click", &F::CkXPBar1Items1Click);
  c.Method(u"CkXPBar1Items0Click", &F::CkXPBar1Items0Click);
  c.Method(u"accopyExecute", &F::accopyExecute);
  c.Method(u"accopyUpdate", &F::accopyUpdate);
  c.Method(u"Selectall1Click", &F::Selectall1Click);
}

}  // namespace app
