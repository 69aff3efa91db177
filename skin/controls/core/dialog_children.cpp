#include "skin/controls/core/dialog_children.h"

#include "skin/controls/core/check_layout.h"

namespace skin {

namespace {

constexpr uint32_t kStaticEdge = 0x20000;   // WS_EX_STATICEDGE
constexpr uint32_t kSizeGrip = 0x10;        // SBS_SIZEGRIP
constexpr uint32_t kTabOwnerDraw = 0x2000;  // TCS_OWNERDRAWFIXED
constexpr uint32_t kToolBarFlat = 0x200;

bool Bits(uint32_t style, uint32_t mask) { return (style & mask) == mask; }

}  // namespace

TkcChildAdapter ChooseDialogChildAdapter(const TkcChildWindow& W) {
  using K = TkcAdapterKind;
  const fw::String& c = W.ClassName;
  const uint32_t s = W.Style;
  if (c == u"static") {
    const uint32_t type = s & 0x1F;
    if (Bits(s, 3) || Bits(s, 0x0E)) return (W.ExStyle & kStaticEdge) ? TkcChildAdapter{K::Edge, u"EDIT"} : TkcChildAdapter{K::Icon, {}};
    if (Bits(s, 0x0D) || type == 5 || type == 6) return {};
    return {K::Static, {}};
  }
  if (c == u"#32770" || c == u"shbrowseforfolder") return {K::TransPanel, {}};
  if (c == u"tpanel") return {K::Panel, u"CHECKBOX"};
  if (c == u"tsilentpaintpanel") return {K::Panel, u"GROUPBOX"};
  if (c == u"edit") return W.Visible ? TkcChildAdapter{K::Edit, u"EDIT", true, true} : TkcChildAdapter{K::None, {}, true};
  if (c == u"button" || c == u"tbutton") {
    // By the button's type (owner-drawn ones keep their drawing under the
    // check box adapter): bit tests would take split buttons and command
    // links for check boxes.
    switch (ButtonKindOf(s)) {
      case bkGroup: return {K::GroupBox, u"GROUPBOX"};
      case bkCheck:
      case bkRadio:
      case bkOwnerDraw: return {K::CheckBox, {}};
      default: return {K::Button, {}};
    }
  }
  if (c == u"combobox") return {K::ComboBox, u"COMBOBOX", true, true};
  if (c == u"comboboxex32") return {K::ComboBox, u"COMBOBOX", true};
  if (c == u"combolbox") return {K::Edit, u"COMBOBOX", true};
  if (c == u"scrollbar") return (s & kSizeGrip) ? TkcChildAdapter{K::Sizer, {}} : TkcChildAdapter{};
  if (c == u"systabcontrol32") return (s & kTabOwnerDraw) ? TkcChildAdapter{} : TkcChildAdapter{K::TabControl, u"PAGECONTROL"};
  if (c == u"syslistview32") return {K::ListView, u"EDIT"};
  if (c == u"msctls_updown32") return {K::Spin, u"SPEEDBUTTON_SMALL"};
  if (c == u"msctls_trackbar32") return {K::Track, u"TRACKBAR"};
  if (c == u"listbox") return {K::Edit, u"EDIT", true};
  if (c == u"link window" || c == u"syslink") return {K::Link, {}};
  if (c == u"toolbarwindow32") return {K::ToolBar, (s & kToolBarFlat) ? u"BAR" : u"CHECKBOX"};
  if (c == u"systreeview32") return {K::TreeView, u"EDIT"};
  if (c == u"ctrlnotifysink") return {};
  if (c == u"rebarwindow32" || c == u"msctls_progress32" || c == u"universalsearchband" || c == u"address band root" ||
      c == u"workerw" || c == u"search box" || c == u"travelband" || c == u"breadcrumb parent")
    return W.Visible ? TkcChildAdapter{K::Container, {}} : TkcChildAdapter{};
  if (c == u"directuihwnd") return W.Height == 24 ? TkcChildAdapter{K::Search, {}} : TkcChildAdapter{};
  return {};
}

}  // namespace skin
