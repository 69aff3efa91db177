// Which adapter a child window of a skinned system dialog gets, chosen by
// its window class name (in lower case), style and size.
#pragma once

#include <cstdint>

#include "fw/core/types.h"

namespace skin {

enum class TkcAdapterKind {
  None,
  Edge,         // a sunken static frame
  Icon,         // an icon or picture static
  Static,       // static text
  TransPanel,   // a dialog page or the folder browser's frame
  Panel,
  Edit,         // edits, list boxes and combo lists
  GroupBox,
  CheckBox,     // check boxes, radio buttons and their relatives
  Button,
  ComboBox,
  Sizer,        // a size grip
  TabControl,
  ListView,
  Spin,
  Track,
  Link,
  ToolBar,
  TreeView,
  Container,
  Search,
};

struct TkcChildAdapter {
  TkcAdapterKind Kind = TkcAdapterKind::None;
  fw::String Section;  // empty: the adapter's own default
  // The dialog's own painting must go on (edits, lists and combo boxes
  // repaint through it), also when the child gets no adapter.
  bool DialogPaints = false;
  // Repainted when made only once the dialog's image exists.
  bool RepaintWithDialogImage = false;
};

// Facts of one child window.
struct TkcChildWindow {
  fw::String ClassName;  // lower case
  uint32_t Style = 0;
  uint32_t ExStyle = 0;
  bool Visible = true;
  int Height = 0;  // of the window rectangle
};

TkcChildAdapter ChooseDialogChildAdapter(const TkcChildWindow& W);

}  // namespace skin
