#include "app/core/result_model.h"

#include <gtest/gtest.h>

namespace app {
namespace {

TEST(ResultModel, ScoreTextIsFixedWithTwoDecimalsAndTheGivenSeparator) {
  const struct {
    double Score;
    char16_t Separator;
    const char16_t* Text;
  } kCases[] = {
      {85.5, u'.', u"85.50"}, {85.5, u',', u"85,50"},   {100, u'.', u"100.00"},
      {0, u',', u"0,00"},     {2.0 / 3 * 100, u',', u"66,67"}, {99.994, u'.', u"99.99"},
  };
  for (const auto& c : kCases) EXPECT_EQ(FormatScore(c.Score, c.Separator), c.Text) << c.Score;
}

TEST(ResultModel, CompareScoresAnswersTheParameterBySign) {
  const TResultItem high{u"a", 90, u"", u""}, low{u"b", 80.5, u"", u""}, same{u"c", 90, u"", u""};
  for (int param : {-1, 1}) {
    EXPECT_EQ(CompareScores(high, low, param), param);
    EXPECT_EQ(CompareScores(low, high, param), -param);
    EXPECT_EQ(CompareScores(high, same, param), 0);
  }
}

TEST(ResultModel, SortIsNumericAndStableWhateverTheSeparator) {
  // Texts that sort wrongly as text ("9,50" after "10,00" and "100,00").
  TResultList list;
  list.DecimalSeparator = u',';
  list.Add(u"Nine", 9.5, u"C:\\f\\nine.ttf");
  list.Add(u"TieFirst", 85, kSystemFontPath);
  list.Add(u"Hundred", 100, u"C:\\f\\h.ttf");
  list.Add(u"Ten", 10, u"C:\\f\\ten.otf");
  list.Add(u"TieSecond", 85, kSystemFontPath);
  EXPECT_EQ(list[0].ScoreText, u"9,50");

  auto captions = [&] {
    std::vector<fw::String> r;
    for (const TResultItem& i : list.Items()) r.push_back(i.Caption);
    return r;
  };
  list.SortByScore(-1);
  EXPECT_EQ(captions(), (std::vector<fw::String>{u"Hundred", u"TieFirst", u"TieSecond", u"Ten", u"Nine"}));
  list.SortByScore(1);
  EXPECT_EQ(captions(), (std::vector<fw::String>{u"Nine", u"Ten", u"TieFirst", u"TieSecond", u"Hundred"}));
  EXPECT_EQ(list[4].Path, u"C:\\f\\h.ttf");
  EXPECT_EQ(list[2].Path, u"System font");

  list.Clear();
  EXPECT_TRUE(list.Empty());
  list.SortByScore(-1);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace app
