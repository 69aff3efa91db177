// The unit-version registry: records by module, removal, look-ups, and the
// version-control keywords read as text.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "fw/core/datetime.h"
#include "fw/core/exceptions.h"
#include "services/core/unitversioning.h"

using namespace services;
using fw::String;

namespace {

const TUnitVersionInfo kA = {u"$URL$", u"$Revision$", u"$Date$", u"src/a", u"", nullptr};
const TUnitVersionInfo kB = {u"$RCSfile: B.pas,v $", u"$Revision: 1.23 $", u"$Date: 2005/08/20 12:34:56 $",
                             u" src/b ", u"", nullptr};
const TUnitVersionInfo kC = {u"$URL: https://host/repo/trunk/src/C.pas $", u"$Revision: 456 $", u"", u"src/c",
                             u"patched", nullptr};

const int kModule1 = 0, kModule2 = 0;
TModuleInstance M1 = &kModule1, M2 = &kModule2;

TEST(UnitVersioning, RecordsAreKeptOncePerModuleAndRemovedWithTheirModule) {
  TUnitVersioning r;
  r.AddUnitVersion(M1, &kA);
  r.AddUnitVersion(M1, &kA);  // the same record twice
  r.AddUnitVersion(M1, &kB);
  r.AddUnitVersion(M2, &kA);  // another module may list it too
  EXPECT_EQ(r.ModuleCount(), 2);
  EXPECT_EQ(r.Count(), 3);
  EXPECT_EQ(r.Items(0)->Info(), &kA);
  EXPECT_EQ(r.Items(1)->Info(), &kB);
  EXPECT_EQ(r.Items(2)->Info(), &kA);
  EXPECT_EQ(r.Items(3), nullptr);
  EXPECT_EQ(r.Items(-1), nullptr);

  static const int never = 0;
  r.RemoveModule(&never);  // a module that never registered
  EXPECT_EQ(r.Count(), 3);
  r.RemoveModule(M1);  // all of its records at once
  EXPECT_EQ(r.ModuleCount(), 1);
  EXPECT_EQ(r.Count(), 1);
  EXPECT_EQ(r.Modules(0)->Instance(), M2);
}

TEST(UnitVersioning, ModulesNoLongerLoadedAreDroppedBeforeCounting) {
  std::set<TModuleInstance> loaded = {M1, M2};
  TUnitVersioning r([&](TModuleInstance m) { return loaded.count(m) > 0; });
  r.AddUnitVersion(M1, &kA);
  r.AddUnitVersion(M2, &kB);
  loaded.erase(M1);
  EXPECT_EQ(r.Count(), 1);
  EXPECT_EQ(r.Items(0)->Info(), &kB);
  EXPECT_EQ(r.ModuleCount(), 1);
}

TEST(UnitVersioning, LookUpByFileNameAndFolderWithoutRegardToCase) {
  TUnitVersioning r;
  r.AddUnitVersion(M1, &kA);
  r.AddUnitVersion(M1, &kB);
  r.AddUnitVersion(M2, &kC);
  EXPECT_EQ(r.IndexOf(u"b.PAS"), 1);
  EXPECT_EQ(r.IndexOf(u"B.pas", u"SRC/B"), 1);  // the folder is trimmed
  EXPECT_EQ(r.IndexOf(u"B.pas", u"src/c"), -1);
  EXPECT_EQ(r.FindUnit(u"c.pas"), r.Items(2));
  EXPECT_EQ(r.FindUnit(u"D.pas"), nullptr);
}

struct TCountingProvider : TCustomUnitVersioningProvider {
  static inline int Loads = 0, Releases = 0;
  void LoadModuleUnitVersioningInfo(TModuleInstance) override { ++Loads; }
  void ReleaseModuleUnitVersioningInfo(TModuleInstance) override { ++Releases; }
};

TEST(UnitVersioning, ProvidersAreRegisteredOncePerClassAndToldOfRemovals) {
  TUnitVersioning r;
  r.RegisterProvider<TCountingProvider>();
  r.RegisterProvider<TCountingProvider>();
  r.RegisterProvider<TCustomUnitVersioningProvider>();
  r.LoadModuleUnitVersioningInfo(M1);
  EXPECT_EQ(TCountingProvider::Loads, 1);
  r.RemoveModule(M1);
  EXPECT_EQ(TCountingProvider::Releases, 1);
}

TEST(UnitVersion, KeywordsReadAsText) {
  struct Case {
    const TUnitVersionInfo* info;
    const char16_t *rcsFile, *revision, *date, *summary;
  };
  const Case cases[] = {
      {&kA, u"$URL$", u"$Revision$", u"$Date$", u"src/a\t$URL$\t$Revision$\t$Date$"},
      {&kB, u"B.pas", u"1.23", u"2005/08/20 12:34:56", u"src/b\tB.pas\t1.23\t2005/08/20 12:34:56"},
      {&kC, u"C.pas", u"456", u"", u"src/c\tC.pas\t456\t\tpatched"},
  };
  for (const Case& c : cases) {
    const TUnitVersion v(c.info);
    EXPECT_EQ(v.RCSfile(), c.rcsFile);
    EXPECT_EQ(v.Revision(), c.revision);
    EXPECT_EQ(v.Date(), c.date);
    EXPECT_EQ(v.Summary(), c.summary);
  }
  // Without Extra the summary has exactly three tabs.
  const String s = TUnitVersion(&kA).Summary();
  EXPECT_EQ(std::count(s.begin(), s.end(), u'\t'), 3);
}

TEST(UnitVersion, DateTimeInEachDateOrder) {
  struct Case {
    const char16_t* date;
    int y, m, d, hh, mm, ss;
  };
  const Case cases[] = {
      {u"$Date: 2005/08/20 12:34:56 $", 2005, 8, 20, 12, 34, 56},
      {u"$Date: 2005-08-20 01:02:03 $", 2005, 8, 20, 1, 2, 3},
      {u"$Date: 08/20/2005 $", 2005, 8, 20, 0, 0, 0},
      {u"$Date: 20.08.2005 23:59:58 $", 2005, 8, 20, 23, 59, 58},
      {u"$Date: 2005/08/20 12/34/56 $", 2005, 8, 20, 12, 34, 56},
  };
  for (const Case& c : cases) {
    const TUnitVersionInfo info = {u"", u"", c.date, u"", u"", nullptr};
    EXPECT_DOUBLE_EQ(TUnitVersion(&info).DateTime(),
                     fw::EncodeDate(c.y, c.m, c.d) + fw::EncodeTime(c.hh, c.mm, c.ss, 0))
        << fw::StringToUtf8(c.date);
  }
  for (const char16_t* none : {u"$Date$", u"", u"yesterday"}) {
    const TUnitVersionInfo info = {u"", u"", none, u"", u"", nullptr};
    EXPECT_EQ(TUnitVersion(&info).DateTime(), 0) << fw::StringToUtf8(none);
  }
  const TUnitVersionInfo bad = {u"", u"", u"$Date: 2005/13/40 $", u"", u"", nullptr};
  EXPECT_THROW(TUnitVersion(&bad).DateTime(), fw::EConvertError);
}

}  // namespace
