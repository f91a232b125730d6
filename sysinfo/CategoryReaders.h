#pragma once
// The fifteen category readers of the System Information page. Each reads its WMI class
// anew and adds its rows at the end of the page's list (the page empties the list first).
#include <string>

// Adds one row at the end of the page's list: the label in the first column, the value in
// the second.
void AddSystemInfoRow(const std::string& label, const std::string& value);

void ShowProcessorInfo();
void ShowBIOSInfo();
void ShowModemInfo();
void ShowVideoControllerInfo();
void ShowVideoResolutionInfo();
void ShowPnPDeviceInfo();
void ShowBaseBoardInfo();
void ShowMonitorInfo();
void ShowOnBoardDeviceInfo();
void ShowPhysicalMemoryInfo();
void ShowSoundDeviceInfo();
void ShowFanInfo();
void ShowOperatingSystemInfo();
void ShowHotfixInfo();
void ShowStartMenuInfo();
