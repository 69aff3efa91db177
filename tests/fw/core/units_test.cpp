#include <gtest/gtest.h>

#include "fw/core/units.h"

using namespace fw;

TEST(UnitRegistry, InitialisesInOrderAndFinalisesInReverseOnce) {
  TUnitRegistry r;
  std::u16string log;
  r.Add(u"A", [&] { log += u"+A"; }, [&] { log += u"-A"; });
  r.Add(u"B", [&] { log += u"+B"; }, [&] { throw 1; });
  r.Add(u"C", [&] { log += u"+C"; }, [&] { log += u"-C"; });
  r.Initialize();
  r.Initialize();
  r.Finalize();
  r.Finalize();
  EXPECT_EQ(log, u"+A+B+C-C-A");
}

TEST(UnitRegistry, FailedInitialisationLeavesEarlierUnitsToFinalise) {
  TUnitRegistry r;
  std::u16string log;
  r.Add(u"A", [&] { log += u"+A"; }, [&] { log += u"-A"; });
  r.Add(u"B", [&] { throw 1; }, [&] { log += u"-B"; });
  EXPECT_ANY_THROW(r.Initialize());
  ASSERT_EQ(r.InitializedUnits().size(), 1u);
  r.Finalize();
  EXPECT_EQ(log, u"+A-A");
}
