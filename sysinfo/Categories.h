#pragma once
// The categories of system information: one WMI class each, with its row table.
#include "sysinfo/InfoRows.h"

namespace sysinfo {

extern const Category kProcessorInfo;
extern const Category kBiosInfo;
extern const Category kModemInfo;
extern const Category kVideoControllerInfo;
extern const Category kVideoResolutionInfo;
extern const Category kPnPDeviceInfo;
extern const Category kBaseBoardInfo;
extern const Category kMonitorInfo;
extern const Category kOnBoardDeviceInfo;
extern const Category kPhysicalMemoryInfo;
extern const Category kSoundDeviceInfo;
extern const Category kFanInfo;
extern const Category kOperatingSystemInfo;
extern const Category kHotfixInfo;
extern const Category kStartMenuInfo;

// The report's sections, in the order written. They share the row tables above, except the
// operating system's, which is shorter and names the caption "OS Name: ".
extern const Category kReportOperatingSystem;
extern const Category kReportProcessor;
extern const Category kReportBios;  // no separator between BIOS instances
extern const Category kReportBaseBoard;
extern const Category kReportPhysicalMemory;
extern const Category kReportVideoController;

}  // namespace sysinfo
