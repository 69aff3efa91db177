// Names the cases of a parameterised test after their `name` field, with
// every character that a test name may not hold turned into '_'. Pass an
// instance as the last argument of INSTANTIATE_TEST_SUITE_P.
#pragma once

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace cktest {

struct CaseName {
  template <class Param>
  std::string operator()(const ::testing::TestParamInfo<Param>& info) const {
    std::string n = info.param.name;
    for (char& ch : n)
      if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return n;
  }
};

}  // namespace cktest
