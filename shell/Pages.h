#pragma once
// Every page and dialog that the main window opens, by its form name.
#include "tweaks/frmPerformance.h"

// Tweaks
#include "tweaks/frmPerformanceII.h"
#include "services/frmStartupManager.h"
#include "tweaks/frmMoreTweaks.h"
#include "tweaks/frmInternetExplorer.h"
#include "services/frmOneButton.h"
#include "tweaks/frmMiscellaneous.h"
#include "tweaks/frmShellTweaks.h"
#include "services/frmServices.h"
// Maintenance
#include "maintenance/frmDiskUsage.h"
#include "maintenance/frmDiskCleaner.h"
#include "maintenance/frmSharedDLLs.h"
#include "maintenance/frmShellBrowser.h"
#include "maintenance/frmControl.h"
#include "sysinfo/frmSystemInformation.h"
#include "maintenance/frmToolBox.h"
#include "shell/FRMsysRestore.h"
// Security
#include "security/frmStartMenu.h"
#include "security/frmSystem.h"
#include "security/frmDesktop.h"
#include "security/frmControlPanel.h"
#include "security/frmLoginAuth.h"
#include "security/frmFirewall.h"
#include "security/frmLockDown.h"
#include "security/frmUAC.h"
// Passwords and help
#include "shell/passwords/frmcreatepass.h"
#include "shell/passwords/frmchangepass.h"
#include "shell/passwords/frmremovepass.h"
#include "shell/help/frmAbout.h"
