#include <gtest/gtest.h>

#include "app/startup.h"
#include "fw/core/units.h"
#include "fw/graphics/picture.h"

TEST(Startup, UnitsInitialiseInLinkOrderWithGdiplusLast) {
  vestaline::RegisterProgramUnits();
  vestaline::RegisterProgramUnits();  // listing twice adds nothing
  fw::Units().Initialize();
  const auto& done = fw::Units().InitializedUnits();
  ASSERT_FALSE(done.empty());
  EXPECT_EQ(done.back(), u"GdiPlus");
  // The picture formats the program opens are known once the units ran.
  const fw::String filter = fw::GraphicFilter(fw::TGraphic::StaticClass());
  for (const char16_t* ext : {u"*.png", u"*.gif", u"*.jpg", u"*.bmp", u"*.ico", u"*.emf", u"*.wmf"})
    EXPECT_NE(filter.find(ext), fw::String::npos) << fw::StringToUtf8(ext);
  fw::Units().Finalize();
}
