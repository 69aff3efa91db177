#include "fw/stdctrls/register.h"

#include "fw/controls/button.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/combobox.h"
#include "fw/stdctrls/listview.h"
#include "fw/stdctrls/edit.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/image.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/listbox.h"
#include "fw/stdctrls/pagecontrol.h"
#include "fw/stdctrls/panel.h"
#include "fw/stdctrls/rangectrls.h"
#include "fw/stdctrls/scrolling.h"
#include "fw/stdctrls/shapes.h"
#include "fw/stdctrls/speedbutton.h"
#include "fw/stdctrls/spinedit.h"
#include "fw/stdctrls/statusbar.h"
#include "fw/stdctrls/toolbar.h"
#include "fw/stdctrls/treeview.h"

namespace fw {

void RegisterStdControls() {
  RegisterClasses<TButton, TCheckBox, TRadioButton, TLabel, TPanel, TBevel, TShape, TPaintBox, TEdit, TMemo,
                  TSpinEdit, TListView, TStatusBar, TPageControl, TTabSheet, TImage>();
  RegisterClasses<TListBox, TCheckListBox, TComboBox, TGroupBox, TRadioGroup>();
  RegisterClasses<TSpeedButton, TScrollBar, TScrollBox, TTrackBar, TProgressBar, TTreeView>();
  RegisterClasses<TToolBar, TToolButton>();
}

}  // namespace fw
