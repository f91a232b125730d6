#include "security/frmFirewall.h"

#include <commdlg.h>

#include "platform/dialogs.h"
#include "platform/firewall.h"
#include "security/FirewallList.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/Strings.h"
#include "shell/WmiGuard.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr int kListSettings =
    ui::kListReport | ui::kListCheckBoxes | ui::kListGridLines | ui::kListLabelTips | ui::kListMultiSelect;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame51", .rect = {120, 120, 9360, 5280},
     .caption = "Windows 7 Firewall Control Center"},
    {.kind = Kind::Custom, .name = "vbalListViewCtl3", .parent = "Frame51", .rect = {120, 300, 9120, 4800},
     .fontSize = 8.25f, .value = kListSettings, .fontName = "MS Sans Serif", .customClass = ui::kListViewClass},
    {.kind = Kind::CommandButton, .name = "Command69", .rect = {120, 5580, 3000, 435},
     .caption = "Remove Selected Applications"},
    {.kind = Kind::CommandButton, .name = "Command70", .rect = {3300, 5580, 3000, 435},
     .caption = "Add Application to Firewall"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {6480, 5580, 3000, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmFirewall",
                            .caption = "Windows 7 Firewall Control Center",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 9600,
                            .clientHeight = 6180};

constexpr CaptionLine kCaptions[] = {
    {{"Frame51"}, 619}, {{"Command1"}, 64}, {{"Command70"}, 18}, {{"Command69"}, 409},
};

// The file's own name, without its folder.
std::string NamePart(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FrmFirewall::FrmFirewall() : Page(kForm, kDesign) {}

void FrmFirewall::BindEvents() {
  Command70->Click = [this] { Command70_Click(); };
  Command69->Click = [this] { Command69_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  vbalListViewCtl3->ColumnClick = [this](ui::ListViewColumn& column) { vbalListViewCtl3_ColumnClick(column); };
}

void FrmFirewall::LoadCaptions() { LoadPageCaptions(*this, 619, kCaptions); }

void FrmFirewall::Form_Load() {
  LoadCaptions();
  ui::ListView& list = *vbalListViewCtl3;
  list.SetVisible(false);
  ui::ListViewColumn& name = list.AddColumn("DESCRIPTION", LoadResString(27));
  name.SetWidth(3000);
  name.SetTag("Description");
  name.SetData(0);
  ui::ListViewColumn& path = list.AddColumn("VALUE", LoadResString(28));
  path.SetWidth(5000);
  path.SetTag("Value");
  path.SetData(1);
  list.SetVisible(true);
  const bool listed = ListAuthorizedApplications();
  CheckFirewallService();
  if (!listed) ReportUnreadableFirewallList();
  ResizeFirewall();
}

void FrmFirewall::ResizeFirewall() { ScalePageToScreen(*this); }

void FrmFirewall::CheckWMI() { wmi_guard::CheckWMI(ctlService1); }
void FrmFirewall::StartWMI() { wmi_guard::StartWMI(ctlService1); }

void FrmFirewall::Command1_Click() { CloseAndReturn(*this); }

void FrmFirewall::Command69_Click() { RemoveSelectedApplications(); }

void FrmFirewall::vbalListViewCtl3_ColumnClick(ui::ListViewColumn& column) {
  ui::SortListByColumn(*vbalListViewCtl3, column);
}

void FrmFirewall::Command70_Click() {
  ColorNextDialog(RGB(0, 0, 0), MsgBoxShade(), RGB(0, 0, 0), MsgBoxShade());
  platform::OpenFileRequest request;
  request.owner = hWnd();
  request.flags = OFN_FILEMUSTEXIST;  // only a program that is there can be allowed
  if (!platform::dialogs().OpenFile(request)) return;
  const std::string program = request.fileName;
  const HRESULT added = platform::firewall().Add({.name = NamePart(program),
                                                  .ipVersion = 2,  // any IP version
                                                  .processImageFileName = program,
                                                  .remoteAddresses = "*",
                                                  .scope = 0,  // all addresses
                                                  .enabled = true});
  if (!ListAuthorizedApplications()) ReportUnreadableFirewallList();
  // A program listed all the same (it was there already) was not refused.
  if (FAILED(added) && !FirewallListShows(program)) {
    MsgBox(program + " could not be added to Windows Firewall's authorized applications.",
           MB_OK | MB_ICONEXCLAMATION, kAppTitle);
  }
}
