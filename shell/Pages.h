#pragma once
// Every page and dialog that the main window opens, by its form name. A page that is not
// in this version yet is a stand-in captioned with its widget's label; when the page is
// built, its line here gives way to the page's own header.
#include "shell/frmStandIn.h"
#include "tweaks/frmPerformance.h"

// Tweaks
inline ui::FormRef<StandInPage<347>> frmPerformanceII;
inline ui::FormRef<StandInPage<498>> frmStartupManager;
inline ui::FormRef<StandInPage<305>> frmMoreTweaks;
inline ui::FormRef<StandInPage<269>> frmInternetExplorer;
inline ui::FormRef<StandInPage<37>> frmOneButton;
inline ui::FormRef<StandInPage<298>> frmMiscellaneous;
inline ui::FormRef<StandInPage<482>> frmShellTweaks;
inline ui::FormRef<StandInPage<468>> frmServices;
// Maintenance
inline ui::FormRef<StandInPage<173>> frmDiskUsage;
inline ui::FormRef<StandInPage<171>> frmDiskCleaner;
inline ui::FormRef<StandInPage<479>> frmSharedDLLs;
inline ui::FormRef<StandInPage<481>> frmShellBrowser;
inline ui::FormRef<StandInPage<72>> frmControl;
#include "sysinfo/frmSystemInformation.h"
inline ui::FormRef<StandInPage<561>> frmToolBox;
#include "shell/FRMsysRestore.h"
// Security
inline ui::FormRef<StandInPage<488>> frmStartMenu;
inline ui::FormRef<StandInPage<510>> frmSystem;
inline ui::FormRef<StandInPage<102>> frmDesktop;
inline ui::FormRef<StandInPage<73>> frmControlPanel;
inline ui::FormRef<StandInPage<286>> frmLoginAuth;
inline ui::FormRef<StandInPage<210>> frmFirewall;
inline ui::FormRef<StandInPage<182>> frmLockDown;
inline ui::FormRef<StandInPage<1134>> frmUAC;
// Passwords and help
#include "shell/passwords/frmcreatepass.h"
#include "shell/passwords/frmchangepass.h"
#include "shell/passwords/frmremovepass.h"
#include "shell/help/frmAbout.h"
