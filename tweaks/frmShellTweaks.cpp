#include "tweaks/frmShellTweaks.h"

#include <windows.h>

#include <span>
#include <string>
#include <variant>
#include <vector>

#include "platform/privileges.h"
#include "platform/registry.h"
#include "platform/wmi.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/WmiGuard.h"
#include "tweaks/TweakEngine.h"
#include "tweaks/WindowsUpdateServices.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame40", .rect = {120, 120, 11520, 6420}, .caption = "Shell Tweaks"},
    {.kind = Kind::Frame, .name = "Frame41", .parent = "Frame40", .rect = {240, 300, 11040, 1320},
     .caption = "Windows Update"},
    {.kind = Kind::Label, .name = "Label35", .parent = "Frame41", .rect = {240, 300, 7320, 900}},
    {.kind = Kind::CommandButton, .name = "Command45", .parent = "Frame41", .rect = {7800, 300, 3000, 435}},
    {.kind = Kind::CommandButton, .name = "Command46", .parent = "Frame41", .rect = {7800, 780, 3000, 435}},
    {.kind = Kind::Frame, .name = "Frame43", .parent = "Frame40", .rect = {240, 1740, 11040, 1320},
     .caption = "Disable Performance Counters"},
    {.kind = Kind::Label, .name = "Label37", .parent = "Frame43", .rect = {240, 300, 7320, 900}},
    {.kind = Kind::CommandButton, .name = "Command48", .parent = "Frame43", .rect = {7800, 300, 3000, 435}},
    {.kind = Kind::CommandButton, .name = "Command49", .parent = "Frame43", .rect = {7800, 780, 3000, 435}},
    {.kind = Kind::Frame, .name = "Frame42", .parent = "Frame40", .rect = {240, 3180, 11040, 960},
     .caption = "Restore IE ToolBars"},
    {.kind = Kind::Label, .name = "Label36", .parent = "Frame42", .rect = {240, 300, 7320, 540}},
    {.kind = Kind::CommandButton, .name = "Command47", .parent = "Frame42", .rect = {7800, 300, 3000, 435}},
    {.kind = Kind::Frame, .name = "Frame44", .parent = "Frame40", .rect = {240, 4260, 11040, 960},
     .caption = "Clear Search History"},
    {.kind = Kind::Label, .name = "Label38", .parent = "Frame44", .rect = {240, 300, 7320, 540}},
    {.kind = Kind::CommandButton, .name = "Command50", .parent = "Frame44", .rect = {7800, 300, 3000, 435}},
    {.kind = Kind::Frame, .name = "Frame1", .parent = "Frame40", .rect = {240, 5340, 11040, 960},
     .caption = "Clear Event Logs"},
    {.kind = Kind::Label, .name = "Label1", .parent = "Frame1", .rect = {240, 300, 7320, 540},
     .caption = "This button below will clear out the event logs on your computer."},
    {.kind = Kind::CommandButton, .name = "Command2", .parent = "Frame1", .rect = {7800, 300, 3000, 435},
     .caption = "Clear Event Logs"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 6720, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmShellTweaks",
                            .caption = "Shell Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11760,
                            .clientHeight = 7320};

constexpr CaptionLine kCaptions[] = {
    {{"Frame40"}, 482},   {{"Frame41"}, 618},   {{"Label35"}, 693},   {{"Command45"}, 495},
    {{"Command46"}, 503}, {{"Frame42"}, 422},   {{"Label36"}, 549},   {{"Command47"}, 423},
    {{"Frame43"}, 141},   {{"Label37"}, 694},   {{"Command48"}, 141},  {{"Command49"}, 190},
    {{"Frame44"}, 58},    {{"Label38"}, 533},   {{"Command50"}, 58},   {{"Command1"}, 64},
};

// The performance-counter switch: 1 while they are off; deleted to switch them on.
constexpr TweakBinding kCountersOff = {
    .caption = 141, .root = HKLM, .key = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Perflib",
    .value = "Disable Performance Counters", .kind = ButtonWrite, .ticked = Dword(1), .clear = Deleted};

// What the toolbar and search-history buttons delete, as full paths: a path ending in "\"
// names a key, the others values.
constexpr const char* kToolbarLayouts[] = {
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar\\Explorer\\ITBarLayout",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar\\ShellBrowser\\ITBarLayout",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Internet Explorer\\Toolbar\\WebBrowser\\ITBarLayout",
};
constexpr const char* kSearchHistory[] = {
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Search Assistant\\ACMru\\5001\\",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Search Assistant\\ACMru\\5603\\",
    "HKEY_CURRENT_USER\\Software\\Microsoft\\Search Assistant\\ACMru\\5604\\",
};

// Deletes each path in order and shows `message` (with `title`) when nothing is left of
// them; a path not there counts as deleted. Otherwise names the paths left.
void DeleteAndReport(std::span<const char* const> paths, const std::string& message, const std::string& title) {
  std::string left;
  for (const char* path : paths) {
    const LONG result = platform::RegDeletePath(path);
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND) left += std::string("\r\n") + path;
  }
  if (left.empty()) {
    MsgBox(message, MB_OK | MB_ICONINFORMATION, title);
    return;
  }
  MsgBox("These entries could not be deleted from the registry:\r\n" + left, MB_OK | MB_ICONEXCLAMATION);
}

// The name an event log goes by in messages.
std::string LogName(const platform::WmiObject& log) {
  for (const char* property : {"LogfileName", "__RELPATH"}) {
    const platform::WmiValue* value = log.Find(property);
    if (const auto* text = value ? std::get_if<std::string>(value) : nullptr; text && !text->empty()) return *text;
  }
  return "(unnamed)";
}

}  // namespace

FrmShellTweaks::FrmShellTweaks() : Page(kForm, kDesign) {}

void FrmShellTweaks::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command45->Click = [this] { Command45_Click(); };
  Command46->Click = [this] { Command46_Click(); };
  Command47->Click = [this] { Command47_Click(); };
  Command48->Click = [this] { Command48_Click(); };
  Command49->Click = [this] { Command49_Click(); };
  Command50->Click = [this] { Command50_Click(); };
}

void FrmShellTweaks::Form_Load() {
  LoadCaptions();
  ResizeShellTweaks();
}

void FrmShellTweaks::LoadCaptions() { LoadPageCaptions(*this, 482, kCaptions); }

void FrmShellTweaks::ResizeShellTweaks() { ScalePageToScreen(*this); }

void FrmShellTweaks::CheckWMI() { wmi_guard::CheckWMI(ctlService1); }
void FrmShellTweaks::StartWMI() { wmi_guard::StartWMI(ctlService1); }

void FrmShellTweaks::Command1_Click() { CloseAndReturn(*this); }

void FrmShellTweaks::Command45_Click() { StartWindowsUpdateServices(ctlService1); }

void FrmShellTweaks::Command46_Click() { StopWindowsUpdateServices(ctlService1); }

void FrmShellTweaks::Command47_Click() {
  DeleteAndReport(kToolbarLayouts, LoadResString(200), LoadResString(708));
}

void FrmShellTweaks::Command48_Click() {
  const bool written = WriteButtonRow(kCountersOff, false);
  if (written) RestartNeeded = true;
  if (AutoTuneMode) return;
  if (written) MsgBox(LoadResString(538), MB_OK | MB_ICONINFORMATION);
  else MsgBox("The performance counters could not be disabled: the setting could not be written to the registry.",
              MB_OK | MB_ICONEXCLAMATION);
}

void FrmShellTweaks::Command49_Click() {
  if (!WriteButtonRow(kCountersOff, true)) {
    MsgBox("The performance counters could not be enabled: the setting could not be deleted from the registry.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MsgBox(LoadResString(539), MB_OK | MB_ICONINFORMATION);
  RestartNeeded = true;
}

void FrmShellTweaks::Command50_Click() { DeleteAndReport(kSearchHistory, LoadResString(540), kAppTitle); }

void FrmShellTweaks::Command2_Click() {
  CheckWMI();
  std::vector<platform::WmiObject> logs;
  std::vector<std::string> notCleared;
  HRESULT listed = S_OK;
  {
    // As the moniker's "(Backup)" does for the calls made through it.
    platform::EnabledPrivilege backup(SE_BACKUP_NAME);
    listed = platform::wmi().Query("root\\cimv2", "Select * from Win32_NTEventLogFile", &logs);
    for (const platform::WmiObject& log : logs) {
      const platform::WmiValue* path = log.Find("__RELPATH");
      const auto* text = path ? std::get_if<std::string>(path) : nullptr;
      platform::WmiObject out;
      const HRESULT called =
          text ? platform::wmi().CallMethod("root\\cimv2", *text, "ClearEventLog", {}, &out) : E_INVALIDARG;
      const platform::WmiValue* returned = out.Find("ReturnValue");
      const auto* code = returned ? std::get_if<int64_t>(returned) : nullptr;
      if (FAILED(called) || !code || *code != 0) notCleared.push_back(LogName(log));
    }
  }
  std::string text;
  if (logs.empty()) {
    text = FAILED(listed) ? "The event logs could not be listed, so none was cleared."
                          : "No event log was found, so none was cleared.";
  } else if (!notCleared.empty()) {
    text = "These event logs could not be cleared:\r\n";
    for (const std::string& name : notCleared) text += "\r\n" + name;
  }
  if (FAILED(listed) && !logs.empty())
    text += std::string(text.empty() ? "" : "\r\n\r\n") + "Not every event log could be listed.";
  if (text.empty()) MsgBox("The event logs on your computer have been cleared.", MB_OK | MB_ICONINFORMATION);
  else MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
}
