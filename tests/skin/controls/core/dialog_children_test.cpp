// The adapter each child window of a skinned system dialog gets.
#include "skin/controls/core/dialog_children.h"

#include <gtest/gtest.h>

namespace skin {
namespace {

TEST(DialogChildren, AdapterByClassStyleAndSize) {
  using K = TkcAdapterKind;
  struct Case {
    const char* what;
    TkcChildWindow w;
    K kind;
    const char16_t* section;
  } cases[] = {
      {"sunken frame", {u"static", 0x1007, 0x20000}, K::Edge, u"EDIT"},
      {"icon", {u"static", 0x3}, K::Icon, u""},
      {"bitmap", {u"static", 0xE}, K::Icon, u""},
      {"gray rectangle", {u"static", 5}, K::None, u""},
      {"white rectangle", {u"static", 6}, K::None, u""},
      {"etched frame", {u"static", 0x12}, K::Static, u""},
      {"text", {u"static", 0}, K::Static, u""},
      {"page", {u"#32770", 0x40000000}, K::TransPanel, u""},
      {"visible edit", {u"edit", 0, 0, true}, K::Edit, u"EDIT"},
      {"hidden edit", {u"edit", 0, 0, false}, K::None, u""},
      {"group box", {u"button", 7}, K::GroupBox, u"GROUPBOX"},
      {"check box", {u"button", 3}, K::CheckBox, u""},
      {"radio", {u"button", 9}, K::CheckBox, u""},
      {"3-state box", {u"button", 5}, K::CheckBox, u""},
      {"owner-drawn button", {u"button", 0xB}, K::CheckBox, u""},
      {"split button", {u"button", 0xC}, K::Button, u""},
      {"command link", {u"button", 0xE}, K::Button, u""},
      {"push button", {u"button", 0}, K::Button, u""},
      {"default button", {u"button", 1}, K::Button, u""},
      {"combo box", {u"combobox", 0}, K::ComboBox, u"COMBOBOX"},
      {"combo list", {u"combolbox", 0}, K::Edit, u"COMBOBOX"},
      {"size grip", {u"scrollbar", 0x10}, K::Sizer, u""},
      {"plain scroll bar", {u"scrollbar", 0}, K::None, u""},
      {"owner-drawn tabs", {u"systabcontrol32", 0x2000}, K::None, u""},
      {"tabs", {u"systabcontrol32", 0}, K::TabControl, u"PAGECONTROL"},
      {"list view", {u"syslistview32", 0}, K::ListView, u"EDIT"},
      {"list box", {u"listbox", 0}, K::Edit, u"EDIT"},
      {"up-down", {u"msctls_updown32", 0}, K::Spin, u"SPEEDBUTTON_SMALL"},
      {"flat tool bar", {u"toolbarwindow32", 0x200}, K::ToolBar, u"BAR"},
      {"tool bar", {u"toolbarwindow32", 0}, K::ToolBar, u"CHECKBOX"},
      {"tree", {u"systreeview32", 0}, K::TreeView, u"EDIT"},
      {"folder browser", {u"shbrowseforfolder", 0}, K::TransPanel, u""},
      {"visible rebar", {u"rebarwindow32", 0, 0, true}, K::Container, u""},
      {"hidden rebar", {u"rebarwindow32", 0, 0, false}, K::None, u""},
      {"search box 24 high", {u"directuihwnd", 0, 0, true, 24}, K::Search, u""},
      {"directui 23 high", {u"directuihwnd", 0, 0, true, 23}, K::None, u""},
      {"directui 25 high", {u"directuihwnd", 0, 0, true, 25}, K::None, u""},
      {"notify sink", {u"ctrlnotifysink", 0}, K::None, u""},
      {"anything else", {u"richedit20w", 0}, K::None, u""},
  };
  for (const Case& c : cases) {
    const TkcChildAdapter a = ChooseDialogChildAdapter(c.w);
    EXPECT_EQ(a.Kind, c.kind) << c.what;
    EXPECT_EQ(a.Section, fw::String(c.section)) << c.what;
  }
}

// Edits, lists and combo boxes need the dialog's own painting to go on;
// an edit and a combo box are repainted when made only over a finished
// dialog image.
TEST(DialogChildren, WhichChildrenNeedTheDialogsPainting) {
  struct Case {
    const char* what;
    TkcChildWindow w;
    bool dialogPaints;
    bool withImage;
  } cases[] = {
      {"visible edit", {u"edit", 0, 0, true}, true, true},
      {"hidden edit", {u"edit", 0, 0, false}, true, false},
      {"combo box", {u"combobox", 0}, true, true},
      {"extended combo box", {u"comboboxex32", 0}, true, false},
      {"combo list", {u"combolbox", 0}, true, false},
      {"list box", {u"listbox", 0}, true, false},
      {"list view", {u"syslistview32", 0}, false, false},
      {"push button", {u"button", 0}, false, false},
      {"text", {u"static", 0}, false, false},
  };
  for (const Case& c : cases) {
    const TkcChildAdapter a = ChooseDialogChildAdapter(c.w);
    EXPECT_EQ(a.DialogPaints, c.dialogPaints) << c.what;
    EXPECT_EQ(a.RepaintWithDialogImage, c.withImage) << c.what;
  }
}

}  // namespace
}  // namespace skin
