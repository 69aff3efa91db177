// The settings dialog ("Settings", F8). Its values are kept in the settings
// file; the other windows read its controls when they need a value, through
// the readers below, which give the defaults while the dialog does not exist.
#pragma once

#include "fw/controls/button.h"
#include "fw/controls/forms.h"
#include "fw/stdctrls/checkbox.h"
#include "fw/stdctrls/groupbox.h"
#include "fw/stdctrls/label.h"
#include "fw/stdctrls/pagecontrol.h"
#include "fw/stdctrls/spinedit.h"
#include "services/formstorage.h"

namespace app {

class TVestalineSettings : public fw::TForm {
  FW_CLASS(TVestalineSettings, fw::TForm)

 public:
  explicit TVestalineSettings(fw::TComponent* AOwner) : fw::TForm(AOwner) {}

  fw::TPageControl* PageControl1 = nullptr;
  fw::TCheckBox* cbminimize = nullptr;
  fw::TRadioGroup* rgresize = nullptr;
  fw::TCheckBox* cbtitle = nullptr;
  fw::TCheckBox* cbskin = nullptr;
  fw::TLabel* lbskinnote = nullptr;
  fw::TSpinEdit* sepercentage = nullptr;
  fw::TRadioGroup* rgcapture = nullptr;
  fw::TCheckBox* cbotf = nullptr;
  fw::TCheckBox* cbps = nullptr;
  fw::TCheckBox* cbttc = nullptr;
  fw::TCheckBox* cbfon = nullptr;
  fw::TCheckBox* cberror = nullptr;
  fw::TButton* btnclose = nullptr;
  services::TCkFormStorage* settingsstorage = nullptr;

  // Reads the four values needed before the dialog is ever shown (tray,
  // sample box, capture mode, crop titles) from the settings file; the
  // others come back when the dialog is first shown.
  void FormCreate(fw::TObject* Sender);
  // The tray icon is on exactly while "Minimize to systray" is checked.
  void cbminimizeClick(fw::TObject* Sender);

 private:
  void ReadEarlySettings();
};

extern TVestalineSettings* VestalineSettings;

// The settings as the dialog's controls hold them (defaults: tray on, the
// 70 x 70 box, titles shown, 90 %, rectangle capture, .OTF, .PFM and .TTC
// fonts in the database, no crash marker).
bool MinimizeToTraySetting();
int SampleBoxSetting();
bool CropTitlesSetting();
int WantedPercentageSetting();
int CaptureModeSetting();
struct TDatabaseTypeSettings {
  bool OpenType = true;
  bool Type1 = true;
  bool Collections = true;
  bool Raster = false;
  bool CrashMarker = false;
};
TDatabaseTypeSettings DatabaseTypeSettings();

}  // namespace app
