// The result list of the search page as a list view: filling it from the
// search's results, the score and text sorts, the colouring of scores at the
// wanted percentage, the threshold pass, the selected paths and the text file
// of the list.
#pragma once

#include <windows.h>

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

// Replaces the list's items by the results, in their order: caption the face
// name, sub-items the score text and the path. Each item points at its result
// (its Data), so sorting, colouring and the threshold go by the score's number,
// never by how the user's format wrote the text. The results must stay
// unchanged while the list shows them.
void FillResultListView(fw::TCustomListView* List, const TResultList& Results);

// A score text read as a number with the given decimal separator; false when
// it is not one.
bool ReadScoreText(const fw::String& Text, char16_t DecimalSeparator, double& Score);

// An item's score: its result's, else its score text read with the
// separator; false when it has neither.
bool ItemScore(fw::TListItem* Item, char16_t DecimalSeparator, double& Score);

// The score sort of the list (CompareScores of the items' results); items
// without a result are read with "." only.
void SortByScore(fw::TCustomListView* List, int Param);
// The text order of a column (0: captions, else that sub-item), ordinal and
// case-sensitive, negated when not ascending.
int CompareTextItems(fw::TListItem* Item1, fw::TListItem* Item2, int Column, bool Ascending);

// Whether an item's score is drawn red and bold: known (text read with the
// user's separator) and at least the percentage.
bool ScoreIsWanted(fw::TListItem* Item, int Percentage, char16_t DecimalSeparator);

// Deletes, from the last item to the first, every item scoring below the
// percentage; an unreadable score ends the pass. Returns the items left.
int RemoveBelowThreshold(fw::TCustomListView* List, int Percentage, char16_t DecimalSeparator);

// The paths (sub-item 1) of the selected entries, in list order.
std::vector<fw::String> SelectedFontPaths(fw::TCustomListView* List);

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
