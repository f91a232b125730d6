#include "sysinfo/CategoryReaders.h"

#include "sysinfo/Categories.h"
#include "sysinfo/frmSystemInformation.h"

namespace {

// The rows are read first, then added with the list's repainting held off: one repaint for
// the whole category.
void ShowCategory(const sysinfo::Category& category) {
  const std::vector<sysinfo::InfoRow> rows = sysinfo::ReadCategory(category);
  ui::ListView::RedrawOff quiet(*frmSystemInformation->vbalListViewCtl2);
  for (const sysinfo::InfoRow& row : rows) AddSystemInfoRow(row.label, row.value);
}

}  // namespace

void AddSystemInfoRow(const std::string& label, const std::string& value) {
  ui::ListItem item = frmSystemInformation->vbalListViewCtl2->AddItem(label);
  item.SetSubItem(1, value);
}

void ShowProcessorInfo() { ShowCategory(sysinfo::kProcessorInfo); }
void ShowBIOSInfo() { ShowCategory(sysinfo::kBiosInfo); }
void ShowModemInfo() { ShowCategory(sysinfo::kModemInfo); }
void ShowVideoControllerInfo() { ShowCategory(sysinfo::kVideoControllerInfo); }
void ShowVideoResolutionInfo() { ShowCategory(sysinfo::kVideoResolutionInfo); }
void ShowPnPDeviceInfo() { ShowCategory(sysinfo::kPnPDeviceInfo); }
void ShowBaseBoardInfo() { ShowCategory(sysinfo::kBaseBoardInfo); }
void ShowMonitorInfo() { ShowCategory(sysinfo::kMonitorInfo); }
void ShowOnBoardDeviceInfo() { ShowCategory(sysinfo::kOnBoardDeviceInfo); }
void ShowPhysicalMemoryInfo() { ShowCategory(sysinfo::kPhysicalMemoryInfo); }
void ShowSoundDeviceInfo() { ShowCategory(sysinfo::kSoundDeviceInfo); }
void ShowFanInfo() { ShowCategory(sysinfo::kFanInfo); }
void ShowOperatingSystemInfo() { ShowCategory(sysinfo::kOperatingSystemInfo); }
void ShowHotfixInfo() { ShowCategory(sysinfo::kHotfixInfo); }
void ShowStartMenuInfo() { ShowCategory(sysinfo::kStartMenuInfo); }
