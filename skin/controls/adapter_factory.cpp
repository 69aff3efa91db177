#include "skin/controls/adapter_factory.h"

#include "skin/controls/button_wnd.h"
#include "skin/controls/check_box_wnd.h"
#include "skin/controls/combo_box_wnd.h"
#include "skin/controls/dialog_area_wnd.h"
#include "skin/controls/edit_wnd.h"
#include "skin/controls/frame_only_wnd.h"
#include "skin/controls/grid_wnd.h"
#include "skin/controls/fw_tool_bar_wnd.h"
#include "skin/controls/link_wnd.h"
#include "skin/controls/menu_wnd.h"
#include "skin/controls/list_view_wnd.h"
#include "skin/controls/panel_wnd.h"
#include "skin/controls/sb_wnd.h"
#include "skin/controls/scroll_box_wnd.h"
#include "skin/controls/scroll_wnd.h"
#include "skin/controls/spin_wnd.h"
#include "skin/controls/static_wnd.h"
#include "skin/controls/status_bar_wnd.h"
#include "skin/controls/tab_control_wnd.h"
#include "skin/controls/tool_bar_wnd.h"
#include "skin/controls/track_wnd.h"
#include "skin/controls/tree_view_wnd.h"
#include "skin/controls/ww_combo_box_wnd.h"
#include "skin/controls/virtual_tree_wnd.h"

namespace skin {

TkcMainWnd* MakeListAdapter(int ListIndex, fw::TWinControl* Control, TkcSkinSource Skin, const TkcSkinParams& Params) {
  if (!Control) return nullptr;
  HWND h = Control->Handle();
  TkcSkinParams p = Params;
  p.Control = Control;
  switch (ListIndex) {
    case tlEdit: return AttachAdapter<TkcEditWnd>(h, std::move(Skin), p);
    case tlButton: return AttachAdapter<TkcButtonWnd>(h, std::move(Skin), p);
    case tlBitBtn: return AttachAdapter<TkcBitBtnWnd>(h, std::move(Skin), p);
    case tlListView: return AttachAdapter<TkcListViewWnd>(h, std::move(Skin), p);
    case tlTreeView: return AttachAdapter<TkcTreeViewWnd>(h, std::move(Skin), p);
    case tlCheckBox: return AttachAdapter<TkcCheckBoxWnd>(h, std::move(Skin), p);
    case tlGroupBox: return AttachAdapter<TkcGroupBoxWnd>(h, std::move(Skin), p);
    case tlPageControl: return AttachAdapter<TkcPageControlWnd>(h, std::move(Skin), p);
    case tlTabControl: return AttachAdapter<TkcTabControlWnd>(h, std::move(Skin), p);
    case tlScrollBar: return AttachAdapter<TkcSBWnd>(h, std::move(Skin), p);
    case tlUpDown: return AttachAdapter<TkcSpinWnd>(h, std::move(Skin), p);
    case tlStatusBar: return AttachAdapter<TkcStatusBarWnd>(h, std::move(Skin), p);
    case tlPanel: return AttachAdapter<TkcPanelWnd>(h, std::move(Skin), p);
    case tlStaticText: return AttachAdapter<TkcStaticTextWnd>(h, std::move(Skin), p);
    case tlGrid: return AttachAdapter<TkcGridWnd>(h, std::move(Skin), p);
    case tlGridEh: return AttachAdapter<TkcGridEhWnd>(h, std::move(Skin), p);
    case tlComboBox: return AttachAdapter<TkcComboBoxWnd>(h, std::move(Skin), p);
    case tlWWEdit: return AttachAdapter<TkcWWComboBoxWnd>(h, std::move(Skin), p);
    case tlScrollControl: return AttachAdapter<TkcScrollBoxWnd>(h, std::move(Skin), p);
    case tlVirtualTree: return AttachAdapter<TkcVirtualTreeViewWnd>(h, std::move(Skin), p);
    case tlToolBar: return AttachAdapter<TkcToolBarFwWnd>(h, std::move(Skin), p);
    case tlSpeedButton:
    default: return nullptr;
  }
}

TkcMainWnd* MakeKindAdapter(TkcAdapterKind Kind, HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params,
                            bool Repaint) {
  if (!Wnd) return nullptr;
  switch (Kind) {
    case TkcAdapterKind::ListView: return AttachAdapter<TkcListViewWnd>(Wnd, std::move(Skin), Params, Repaint);
    case TkcAdapterKind::TreeView: return AttachAdapter<TkcTreeViewWnd>(Wnd, std::move(Skin), Params, Repaint);
    case TkcAdapterKind::Edit: return AttachAdapter<TkcEditWnd>(Wnd, std::move(Skin), Params, Repaint);
    case TkcAdapterKind::Static: return AttachAdapter<TkcStaticWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Button: return AttachAdapter<TkcBtnWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Icon: return AttachAdapter<TkcIconWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Link: return AttachAdapter<TkcLinkWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::CheckBox: return AttachAdapter<TkcCheckBoxWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Container: return AttachAdapter<TkcContainerWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Search: return AttachAdapter<TkcSearchWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::ToolBar: return AttachAdapter<TkcToolBarWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Edge: return AttachAdapter<TkcEdgeWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Sizer: return AttachAdapter<TkcSizerWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::TransPanel: return AttachAdapter<TkcTransPanelWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::GroupBox: return AttachAdapter<TkcGroupBoxWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::TabControl: return AttachAdapter<TkcTabControlWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::Track: return AttachAdapter<TkcTrackWnd>(Wnd, std::move(Skin), Params);
    case TkcAdapterKind::ComboBox: return AttachAdapter<TkcComboBoxWnd>(Wnd, std::move(Skin), Params, Repaint);
    case TkcAdapterKind::Spin: {
      // A dialog's up-down keeps its two left columns (its buddy's edge).
      auto* spin = AttachAdapter<TkcSpinWnd>(Wnd, std::move(Skin), Params);
      spin->lOffset = 2;
      return spin;
    }
    case TkcAdapterKind::Panel: {
      // A framework panel in a dialog is painted as the framework's panels are.
      TkcSkinParams p = Params;
      if (!p.Control) p.Control = fw::FindControl(Wnd);
      return AttachAdapter<TkcPanelWnd>(Wnd, std::move(Skin), p);
    }
    case TkcAdapterKind::None:
    default: return nullptr;
  }
}

TkcMainWnd* MakeMenuWindowAdapter(HWND Wnd, TkcSkinSource Skin, const TkcSkinParams& Params) {
  return AttachAdapter<TkcMnuWnd>(Wnd, std::move(Skin), Params);
}

}  // namespace skin
