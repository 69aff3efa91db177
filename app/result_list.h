// The result list of the search page as a list view: filling it from the
// search's results, the score and text sorts, the colouring of scores at the
// wanted percentage, the threshold pass and the text file of the list.
#pragma once

#include <vector>

#include "app/core/result_model.h"
#include "fw/core/types.h"
#include "fw/stdctrls/listview.h"

namespace app {

// Replaces the list's items by the results, in their order: caption the face
// name, sub-items the score text and the path.
void FillResultListView(fw::TCustomListView* List, const TResultList& Results);

// A score text read as a number with the given decimal separator; false when
// it is not one.
bool ReadScoreText(const fw::String& Text, char16_t DecimalSeparator, double& Score);

// The score order of two list items: Param when the first scores higher,
// -Param when lower, 0 when equal. The texts are read with "." only.
int CompareScoreItems(fw::TListItem* Item1, fw::TListItem* Item2, int Param);
// The text order of a column (0: captions, else that sub-item), ordinal and
// case-sensitive, negated when not ascending.
int CompareTextItems(fw::TListItem* Item1, fw::TListItem* Item2, int Column, bool Ascending);

// Whether a score text is drawn red and bold: readable (user's separator)
// and at least the percentage.
bool ScoreIsWanted(const fw::String& Text, int Percentage, char16_t DecimalSeparator);

// Deletes, from the last item to the first, every item scoring below the
// percentage; an unreadable score ends the pass. Returns the items left.
int RemoveBelowThreshold(fw::TCustomListView* List, int Percentage, char16_t DecimalSeparator);

// The lines of the list's text file: the date and time, an empty line pair,
// then "name TAB score TAB path" per item in list order.
std::vector<fw::String> ResultListLines(fw::TCustomListView* List, const fw::String& DateTime);
// Writes the lines single-byte with CR LF ends; false when the file can't be
// written.
bool WriteTextLines(const fw::String& FileName, const std::vector<fw::String>& Lines);

}  // namespace app

namespace app {

class Tmanagedlg;

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

}  // namespace app
