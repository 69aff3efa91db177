#include "services/uclunits.h"

#include "services/uclbase.h"
#include "services/uclstrings_win.h"
#include "services/uclunitversioning.h"

namespace services {

namespace {

#define UCL_UNIT_VERSION(Name, Folder) \
  const TUnitVersionInfo Name = {u"$URL$", u"$Revision$", u"$Date$", u"" Folder, u"", nullptr};

// In the order the units start.
UCL_UNIT_VERSION(kFileUtils, "services/uclfilemapping")
UCL_UNIT_VERSION(kSynch, "services/uclsynch")
UCL_UNIT_VERSION(kStrings, "services/core/uclstrings")
UCL_UNIT_VERSION(kBase, "services/uclbase")
UCL_UNIT_VERSION(kWin32, "services/uclwin32")
UCL_UNIT_VERSION(kSecurity, "services/uclsecurity")
UCL_UNIT_VERSION(kVersionInfo, "services/core/versioninfo")
UCL_UNIT_VERSION(kComputerInfo, "services/ckcomputerinfo")
UCL_UNIT_VERSION(kUnitVersioning, "services/uclunitversioning")
UCL_UNIT_VERSION(kBlend, "services/core/argb_blend")
UCL_UNIT_VERSION(kRtti, "services/core/uclrtti")
UCL_UNIT_VERSION(kMime, "services/core/mime")
UCL_UNIT_VERSION(kAppInstances, "services/uclappinst")

#undef UCL_UNIT_VERSION

}  // namespace

void InitializeUtilityUnits() {
  AnsiReplacementChar();
  InitializeStringTables();
  const TModuleInstance module = ThisModule();
  for (const TUnitVersionInfo* info : {&kFileUtils, &kSynch, &kStrings, &kBase, &kWin32, &kSecurity, &kVersionInfo,
                                       &kComputerInfo, &kUnitVersioning, &kBlend, &kRtti, &kMime, &kAppInstances})
    RegisterUnitVersion(module, *info);
}

void FinalizeUtilityUnits() {
  // Each unit removes its module's records; the first removal takes them all.
  UnregisterUnitVersion(ThisModule());
  ModuleUnitVersioning().Finalize();
}

}  // namespace services
