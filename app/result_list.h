// The result list of the search page as a list view: filling it from the
// search's results, the score and text sorts, the colouring of scores at the
// wanted percentage, the threshold pass and the text file of the list.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "app/core/result_model.h"
#include "fw/core/datetime.h"
#include "fw/core/rtti.h"
#include "fw/core/types.h"
#include "fw/platform/locale.h"
#include "fw/stdctrls/listview.h"

namespace app {

class TImageForm;
// The search page's components and handlers, by their names in the form
// description.
void DescribeResultPage(fw::TClassBuilder<TImageForm>& c);

// The scores of the list's items as numbers. Each item filled from the
// results points at its score (its Data), so sorting, colouring and the
// threshold never depend on how the user's format wrote the text. The store
// outlives the items that point into it: it is emptied only by the next fill.
class TItemScores {
 public:
  void Clear() { values_.clear(); }
  void Attach(fw::TListItem* Item, double Score);

 private:
  std::deque<double> values_;  // stable addresses while growing
};

// Replaces the list's items by the results, in their order: caption the face
// name, sub-items the score text and the path; each item keeps its score.
void FillResultListView(fw::TCustomListView* List, const TResultList& Results, TItemScores& Scores);

// A score text read as a number with the given decimal separator; false when
// it is not one.
bool ReadScoreText(const fw::String& Text, char16_t DecimalSeparator, double& Score);

// An item's score: the number it was filled with, else its score text read
// with the separator; false when it has neither.
bool ItemScore(fw::TListItem* Item, char16_t DecimalSeparator, double& Score);

// The score order of two list items: Param when the first scores higher,
// -Param when lower, 0 when equal. Items without a number are read with "."
// only.
int CompareScores(fw::TListItem* Item1, fw::TListItem* Item2, int Param);
// The text order of a column (0: captions, else that sub-item), ordinal and
// case-sensitive, negated when not ascending.
int CompareTextItems(fw::TListItem* Item1, fw::TListItem* Item2, int Column, bool Ascending);

// Whether an item's score is drawn red and bold: known (text read with the
// user's separator) and at least the percentage.
bool ScoreIsWanted(fw::TListItem* Item, int Percentage, char16_t DecimalSeparator);

// Deletes, from the last item to the first, every item scoring below the
// percentage; an unreadable score ends the pass. Returns the items left.
int RemoveBelowThreshold(fw::TCustomListView* List, int Percentage, char16_t DecimalSeparator);

// The lines of the list's text file: the date and time, an empty line pair,
// then "name TAB score TAB path" per item in list order.
std::vector<fw::String> ResultListLines(fw::TCustomListView* List, const fw::String& DateTime);
// Writes the lines single-byte with CR LF ends; false when the file can't be
// written.
bool WriteTextLines(const fw::String& FileName, const std::vector<fw::String>& Lines);
// The list's text file, dated When in the format's short date and long time;
// false when it could not be built or written completely.
bool SaveResultListFile(fw::TCustomListView* List, const fw::String& FileName, fw::TDateTime When,
                        const fw::TFormatSettings& Format);

}  // namespace app

namespace app {

class Tmanagedlg;

// The paths (sub-item 1) of the selected entries, in list order.
std::vector<fw::String> SelectedFontPaths(fw::TCustomListView* List);

// The folder the copied files go into, ready to be joined with "\" and a
// file name: a drive's root folder becomes the drive alone ("D:"), any
// other folder loses a trailing backslash.
fw::String CopyTargetFolder(const fw::String& Directory);

// Copies the font files to the folder without overwriting (failures are
// ignored; "System font" entries copy nothing); a ".PFM" file takes its
// outline file along as "<name>.PFB". With a dialog, its bar follows the
// files and its "Abort" ends the copy after the current file; the dialog
// is captioned "Finished!" and hidden at the end. Returns the files copied.
int CopyResultFontFiles(const std::vector<fw::String>& Paths, const fw::String& Directory, Tmanagedlg* Dialog);

// How a copy of font files goes.
struct TFontCopyOptions {
  bool Overwrite = false;
  // The bar's maximum is the number of files, less this.
  int BarMaxLess = 0;
  // Told of a font file that could not be copied (file name, target folder);
  // false ends the copy. Empty: failures are ignored.
  std::function<bool(const fw::String& FileName, const fw::String& Target)> OnFailure;
};
// The copy the two commands share (see CopyResultFontFiles).
int CopyFontFiles(const std::vector<fw::String>& Paths, const fw::String& Directory, Tmanagedlg* Dialog,
                  const TFontCopyOptions& Options);

}  // namespace app
