// The texts and numbers of a stored window placement: position fields with
// their defaults, the desktop-suffixed keys, show commands and the version
// check.
#include "services/core/placementtext.h"

#include <gtest/gtest.h>

#include "services/core/appinistorage.h"

using namespace services;
using fw::String;

namespace {

TEST(PlacementText, PositionFieldsAreSeparatedByRunsOfCommasOrBlanksAndFallBackOneByOne) {
  EXPECT_EQ(PositionsText(100, -1, 1096, 863), u"100,-1,1096,863");
  const struct {
    const char16_t* text;
    int fields[4];
  } cases[] = {
      {u"1,2,3,4", {1, 2, 3, 4}},
      {u" 1 2 ,, 3   4 ", {1, 2, 3, 4}},
      {u"1,x,3,4", {1, -7, 3, 4}},
      {u"5", {5, -7, -7, -7}},
      {u"", {-7, -7, -7, -7}},
      {u"-5,99999999999,3", {-5, -7, 3, -7}},
  };
  for (const auto& c : cases)
    for (int i = 0; i < 4; ++i) EXPECT_EQ(PositionField(c.text, i + 1, -7), c.fields[i]) << String(c.text).size() << i;
}

TEST(PlacementText, ShowCommandsAndVersions) {
  using S = TStoredShowState;
  const std::pair<int, S> shows[] = {{1, S::Normal},    {5, S::Normal},    {9, S::Normal},   {2, S::Minimized},
                                     {6, S::Minimized}, {7, S::Minimized}, {3, S::Maximized}, {0, S::Fallback},
                                     {4, S::Fallback},  {8, S::Fallback},  {-1, S::Fallback}};
  for (auto [cmd, state] : shows) EXPECT_EQ(StoredShowState(cmd), state) << cmd;
  const struct {
    TCkFormPlacementVersionCheck check;
    int stored, version;
    bool used;
  } versions[] = {{fpvcNocheck, 0, 5, true},           {fpvcCheckGreaterEqual, 5, 5, true},
                  {fpvcCheckGreaterEqual, 6, 5, true}, {fpvcCheckGreaterEqual, 4, 5, false},
                  {fpvcCheckEqual, 5, 5, true},        {fpvcCheckEqual, 6, 5, false}};
  for (const auto& v : versions) EXPECT_EQ(StoredVersionAccepted(v.check, v.stored, v.version), v.used);
}

TEST(PlacementText, TheKeysOfTheCurrentDesktopAreReadFirst) {
  TCkMemoryFileSystem fs;
  SetStorageFileSystem(&fs);
  {
    TCkAppIniFileStorage s(nullptr);
    s.SetLocation(flCustom);
    s.SetFileName(u"C:\\v.ini");
    EXPECT_EQ(DesktopSuffix(1920, 1080), u"(1920x1080)");
    EXPECT_EQ(ReadPositionsText(s, u"ImageForm\\", u"NormPos", u"(1920x1080)"), u"");
    s.WriteString(u"ImageForm\\NormPos", u"1,1,2,2");
    s.WriteString(u"ImageForm\\NormPos(1920x1080)", u"3,3,4,4");
    // Saved at 1920x1080, started at 2560x1440: the plain key.
    EXPECT_EQ(ReadPositionsText(s, u"ImageForm\\", u"NormPos", u"(2560x1440)"), u"1,1,2,2");
    EXPECT_EQ(ReadPositionsText(s, u"ImageForm\\", u"NormPos", u"(1920x1080)"), u"3,3,4,4");
  }
  SetStorageFileSystem(nullptr);
}

}  // namespace
