#include "security/FirewallList.h"

#include <windows.h>

#include <vector>

#include "platform/firewall.h"
#include "security/frmFirewall.h"
#include "shell/ColouredMessageBox.h"
#include "shell/Strings.h"

namespace {

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

bool Holds(const std::vector<std::string>& paths, const std::string& path) {
  for (const std::string& held : paths)
    if (SamePath(held, path)) return true;
  return false;
}

}  // namespace

void AddFirewallListRow(const std::string& name, const std::string& path) {
  frmFirewall->vbalListViewCtl3->AddItem(name).SetSubItem(1, path);
}

bool ListAuthorizedApplications() {
  ui::ListView& list = *frmFirewall->vbalListViewCtl3;
  ui::ListView::RedrawOff quiet(list);
  list.Clear();
  std::vector<platform::FirewallApplication> applications;
  const bool read = platform::firewall().List(&applications);
  for (const platform::FirewallApplication& application : applications)
    AddFirewallListRow(application.name, application.path);
  return read;
}

bool FirewallListShows(const std::string& path) {
  ui::ListView& list = *frmFirewall->vbalListViewCtl3;
  for (int i = 1; i <= list.ItemCount(); ++i)
    if (SamePath(list.Item(i).SubItem(1), path)) return true;
  return false;
}

void RemoveSelectedApplications() {
  ui::ListView& list = *frmFirewall->vbalListViewCtl3;
  // A program file ticked in two rows is removed once: a second removal could only fail.
  std::vector<std::string> removed, refused;
  const int count = list.ItemCount();
  for (int i = 1; i <= count; ++i) {
    ui::ListItem row = list.Item(i);
    if (!row.Checked()) continue;
    const std::string path = row.SubItem(1);
    if (Holds(removed, path)) continue;
    removed.push_back(path);
    if (FAILED(platform::firewall().Remove(path))) refused.push_back(path);
  }
  if (!ListAuthorizedApplications()) ReportUnreadableFirewallList();
  // A refusal for a program that is gone all the same is no failure.
  std::string kept;
  for (const std::string& path : refused)
    if (FirewallListShows(path)) kept += "\r\n" + path;
  if (!kept.empty()) {
    MsgBox("These programs could not be removed from Windows Firewall's authorized applications:\r\n" + kept,
           MB_OK | MB_ICONEXCLAMATION, kAppTitle);
  }
}

void CheckFirewallService() {
  FrmFirewall& page = *frmFirewall;
  page.ctlService1.SetServiceName("MpsSvc");
  const bool started = page.ctlService1.QueryService() == "Started";
  page.vbalListViewCtl3->SetEnabled(started);
  page.Command70->SetEnabled(started);
  page.Command69->SetEnabled(started);
  if (!started) MsgBox(LoadResString(613), MB_OK | MB_ICONSTOP, kAppTitle);
}

void ReportUnreadableFirewallList() {
  if (!frmFirewall->vbalListViewCtl3->Enabled()) return;
  MsgBox("Windows Firewall's authorized applications could not be read, so the list may be incomplete.",
         MB_OK | MB_ICONEXCLAMATION, kAppTitle);
}
