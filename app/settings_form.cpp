#include "app/settings_form.h"

#include <algorithm>

#include "app/image_form.h"
#include "controls/views/cktrayicon.h"
#include "fw/core/rtti.h"
#include "fw/stdctrls/spinedit.h"
#include "services/core/appinistorage.h"

namespace app {

TVestalineSettings* VestalineSettings = nullptr;

namespace {

bool Checked(fw::TCheckBox* Box, bool Default) { return VestalineSettings && Box ? Box->Checked() : Default; }

}  // namespace

void TVestalineSettings::FormCreate(fw::TObject*) {
  // The older systems have no default skin to go back to.
  if (OsVersionInfo.dwMajorVersion <= 5) {
    if (cbskin) cbskin->SetVisible(false);
    if (lbskinnote) lbskinnote->SetVisible(false);
  }
  ReadEarlySettings();
}

void TVestalineSettings::ReadEarlySettings() {
  if (!settingsstorage) return;
  if (cbminimize) {
    cbminimize->SetChecked(settingsstorage->ReadBoolean(u"cbminimize_Checked", true));
    cbminimizeClick(cbminimize);
  }
  if (rgresize) rgresize->SetItemIndex(settingsstorage->ReadInteger(u"rgresize_ItemIndex", 0));
  if (rgcapture) rgcapture->SetItemIndex(settingsstorage->ReadInteger(u"rgcapture_ItemIndex", 0));
  if (cbtitle) cbtitle->SetChecked(settingsstorage->ReadBoolean(u"cbtitle_Checked", true));
}

void TVestalineSettings::cbminimizeClick(fw::TObject*) {
  if (ImageForm && ImageForm->Tray && cbminimize) ImageForm->Tray->SetActive(cbminimize->Checked());
}

bool MinimizeToTraySetting() { return Checked(VestalineSettings ? VestalineSettings->cbminimize : nullptr, true); }

int SampleBoxSetting() {
  return VestalineSettings && VestalineSettings->rgresize ? std::max(0, VestalineSettings->rgresize->ItemIndex()) : 0;
}

bool CropTitlesSetting() { return Checked(VestalineSettings ? VestalineSettings->cbtitle : nullptr, true); }

int WantedPercentageSetting() {
  return VestalineSettings && VestalineSettings->sepercentage ? VestalineSettings->sepercentage->Value() : 90;
}

int CaptureModeSetting() {
  return VestalineSettings && VestalineSettings->rgcapture ? std::max(0, VestalineSettings->rgcapture->ItemIndex())
                                                           : 0;
}

TDatabaseTypeSettings DatabaseTypeSettings() {
  TDatabaseTypeSettings s;
  if (!VestalineSettings) return s;
  const TVestalineSettings* d = VestalineSettings;
  s.OpenType = Checked(d->cbotf, s.OpenType);
  s.Type1 = Checked(d->cbps, s.Type1);
  s.Collections = Checked(d->cbttc, s.Collections);
  s.Raster = Checked(d->cbfon, s.Raster);
  s.CrashMarker = Checked(d->cberror, s.CrashMarker);
  return s;
}

FW_REGISTER(TVestalineSettings) {
  using F = TVestalineSettings;
  c.Field(u"PageControl1", &F::PageControl1);
  c.Field(u"cbminimize", &F::cbminimize);
  c.Field(u"rgresize", &F::rgresize);
  c.Field(u"cbtitle", &F::cbtitle);
  c.Field(u"cbskin", &F::cbskin);
  c.Field(u"lbskinnote", &F::lbskinnote);
  c.Field(u"sepercentage", &F::sepercentage);
  c.Field(u"rgcapture", &F::rgcapture);
  c.Field(u"cbotf", &F::cbotf);
  c.Field(u"cbps", &F::cbps);
  c.Field(u"cbttc", &F::cbttc);
  c.Field(u"cbfon", &F::cbfon);
  c.Field(u"cberror", &F::cberror);
  c.Field(u"btnclose", &F::btnclose);
  c.Field(u"settingsstorage", &F::settingsstorage);
  c.Method(u"FormCreate", &F::FormCreate);
  c.Method(u"cbminimizeClick", &F::cbminimizeClick);
}

}  // namespace app
