// The rules of the window commands over border styles, icons and states.
#include "skin/forms/core/system_menu_rules.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

using S = TkFrameStyle;

TEST(SystemMenuRules, TableOfStylesIconsAndStates) {
  // Columns: restore, size, min, max, close visible; restore, move, size,
  // min, max, close enabled.
  struct Case {
    const char* what;
    TkSysMenuFacts facts;
    const char* expected;  // 11 letters: 1 true, 0 false
  } cases[] = {
      {"sizeable normal", {}, "11111" "011111"},
      {"sizeable maximised", {S::bsSizeable, true, true, true, false, true}, "11111" "101111"},
      {"single normal", {S::bsSingle}, "11111" "010111"},
      {"dialog", {S::bsDialog}, "00001" "011101"},
      {"tool window", {S::bsToolWindow}, "00001" "011101"},
      {"no system menu", {S::bsSizeable, false}, "01000" "011111"},
      {"no maximise icon", {S::bsSizeable, true, true, false}, "11101" "011101"},
      {"iconic secondary form", {S::bsSizeable, true, true, true, true, false, true, false, false}, "11111" "110011"},
      {"iconic main form on the task bar",
       {S::bsSizeable, true, true, true, true, false, true, false, true, true},
       "11111" "110111"},
      {"iconic main form off the task bar, no max icon",
       {S::bsSizeable, true, true, false, true, false, true, false, true, false},
       "11111" "110101"},
      {"MDI child dialog style", {S::bsDialog, true, true, true, false, false, false, true}, "11111" "011111"},
      {"close item disabled", {S::bsSizeable, true, true, true, false, false, false, false, false, true, true, true},
       "11111" "011110"},
      {"no close item", {S::bsSizeable, true, true, true, false, false, false, false, false, true, false}, "11110"
                                                                                                          "011111"},
  };
  for (const Case& c : cases) {
    const TkSysMenuRules r = SystemMenuRules(c.facts);
    const bool got[] = {r.VisibleRestore, r.VisibleSize, r.VisibleMin,   r.VisibleMax, r.VisibleClose, r.EnabledRestore,
                        r.EnabledMove,    r.EnabledSize, r.EnabledMin, r.EnabledMax,  r.EnabledClose};
    std::string s;
    for (bool b : got) s += b ? '1' : '0';
    EXPECT_EQ(s, c.expected) << c.what;
  }
}

}  // namespace
}  // namespace skin
