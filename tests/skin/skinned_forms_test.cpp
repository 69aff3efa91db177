// The registry of skinned forms and the lookup of constant section indexes.
#include "skin/engine/skinned_forms.h"

#include <gtest/gtest.h>

#include <vector>

namespace skin {
namespace {

fw::TCustomForm* FakeForm(int n) { return reinterpret_cast<fw::TCustomForm*>(static_cast<intptr_t>(0x1000 * n)); }

TEST(SkinnedForms, RegistryKeepsNoHolesAndRemovesEveryCopy) {
  fw::TCustomForm *a = FakeForm(1), *b = FakeForm(2), *c = FakeForm(3), *x = FakeForm(9);
  const std::vector<fw::TCustomForm*> saved = SkinnedFormList;
  SkinnedFormList.clear();
  struct Step {
    const char* name;
    bool add;
    fw::TCustomForm* form;
    std::vector<fw::TCustomForm*> expected;
  };
  const Step steps[] = {
      {"add A", true, a, {a}},
      {"add B", true, b, {a, b}},
      {"add C", true, c, {a, b, c}},
      {"remove the last", false, c, {a, b}},
      {"add C again", true, c, {a, b, c}},
      {"remove from the middle: the last takes its slot", false, a, {c, b}},
      {"remove one never added", false, x, {c, b}},
      {"add B twice", true, b, {c, b, b}},
      {"remove B: every copy goes", false, b, {c}},
      {"remove the only one", false, c, {}},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    if (s.add) AddSkinnedForm(s.form);
    else RemoveSkinnedForm(s.form);
    EXPECT_EQ(SkinnedFormList, s.expected);
  }
  SkinnedFormList = saved;
}

TEST(SkinnedForms, IndexInArray) {
  const int values[] = {4, 8, 15, 16};
  EXPECT_TRUE(IndexInArray(values, 15, 0, 3));
  EXPECT_FALSE(IndexInArray(values, 15, 0, 1));
  EXPECT_TRUE(IndexInArray(values, 16, 3, 3));
  EXPECT_FALSE(IndexInArray(values, 4, 1, 3));
  EXPECT_FALSE(IndexInArray(values, 4, 1, 0));
}

}  // namespace
}  // namespace skin
