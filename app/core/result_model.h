// The items a search lists: face name, score and font file of each match,
// kept best first. The score is held as a number beside the text the list
// shows, so sorting never depends on how the text was written.
#pragma once

#include <vector>

#include "fw/core/types.h"

namespace app {

// The path shown for a font installed in the system.
constexpr char16_t kSystemFontPath[] = u"System font";

struct TResultItem {
  fw::String Caption;    // face name
  double Score = 0;      // per cent
  fw::String ScoreText;  // the score as the list shows it
  fw::String Path;       // font file, or kSystemFontPath
};

// A score written fixed with two decimals and the given decimal separator.
fw::String FormatScore(double score, char16_t decimalSeparator);

// The sort order of two items by score: param when a scores higher, -param
// when lower, 0 when equal. With -1 the best score comes first.
int CompareScores(const TResultItem& a, const TResultItem& b, int param);

class TResultList {
 public:
  // The separator of the score texts (the user's, set by the window).
  char16_t DecimalSeparator = u'.';

  void Clear() { items_.clear(); }
  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  const TResultItem& operator[](int index) const { return items_.at(static_cast<size_t>(index)); }
  const std::vector<TResultItem>& Items() const { return items_; }

  // Appends a match; its score text is written now.
  void Add(const fw::String& caption, double score, const fw::String& path);

  // Sorts by CompareScores with param; items of equal score keep their
  // order. The search ends with SortByScore(-1), best first.
  void SortByScore(int param);

 private:
  std::vector<TResultItem> items_;
};

}  // namespace app
