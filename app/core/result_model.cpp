#include "app/core/result_model.h"

#include <algorithm>
#include <cstdio>

namespace app {

fw::String FormatScore(double score, char16_t decimalSeparator) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%.2f", score);
  fw::String s;
  for (int i = 0; i < n && i < static_cast<int>(sizeof buf) - 1; ++i) {
    s += buf[i] == '.' ? decimalSeparator : static_cast<char16_t>(buf[i]);
  }
  return s;
}

int CompareScores(const TResultItem& a, const TResultItem& b, int param) {
  if (a.Score > b.Score) return param;
  if (a.Score < b.Score) return -param;
  return 0;
}

void TResultList::Add(const fw::String& caption, double score, const fw::String& path) {
  items_.push_back(TResultItem{caption, score, FormatScore(score, DecimalSeparator), path});
}

void TResultList::SortByScore(int param) {
  std::stable_sort(items_.begin(), items_.end(),
                   [param](const TResultItem& a, const TResultItem& b) { return CompareScores(a, b, param) < 0; });
}

}  // namespace app
