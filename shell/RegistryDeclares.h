#pragma once
// Program-wide state, the entry routine and the shared utility procedures.
#include <windows.h>

#include <cstdint>
#include <string>

// Registry access masks: KEY_QUERY_VALUE / KEY_SET_VALUE, with KEY_WOW64_64KEY on 64-bit
// Windows (0x101 / 0x102, else 1 / 2). Every registry open of the program uses one of them
// unless a page names another.
inline REGSAM RegReadAccess = 0;
inline REGSAM RegWriteAccess = 0;

// Background colour of every coloured message box.
inline int16_t MsgBoxShadeR = 0;
inline int16_t MsgBoxShadeG = 0;
inline int16_t MsgBoxShadeB = 0;
inline COLORREF MsgBoxShade() { return RGB(MsgBoxShadeR, MsgBoxShadeG, MsgBoxShadeB); }

inline bool RestartNeeded = false;         // a change takes effect after a restart
inline bool AutoTuneMode = false;          // the Auto Tuner is running
inline bool ShowMainAfterRestore = false;  // the restore-point page shows the main window on unload
inline int16_t IEMajorVersion = 0;         // first digit of Internet Explorer's "Version"
inline bool SoundsDisabled = false;        // the click sounds are off

// The settings keys (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER).
inline constexpr const char* kSettingsKey = "Software\\Dallmoor Software\\Quenvor";
inline constexpr const char* kAppTitle = "Quenvor Pro";

// The program's entry: masks, message-box colour, common controls, password gate.
void Main();
