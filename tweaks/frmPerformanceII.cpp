#include "tweaks/frmPerformanceII.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <sstream>
#include <optional>
#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/handle_files.h"
#include "platform/wide_text.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"
#include "tweaks/TweakEngine.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

// ---- design ---------------------------------------------------------------------------

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame33", .rect = {120, 120, 11520, 6300}, .caption = "Performance II"},
    {.kind = Kind::Frame, .name = "Frame1", .parent = "Frame33", .rect = {240, 300, 5520, 2760}},
    {.kind = Kind::Label, .name = "Label2", .parent = "Frame1", .rect = {240, 360, 5040, 900}},
    {.kind = Kind::CommandButton, .name = "Command2", .parent = "Frame1", .rect = {240, 1380, 5040, 495}},
    {.kind = Kind::CommandButton, .name = "Command3", .parent = "Frame1", .rect = {240, 1980, 5040, 495}},
    {.kind = Kind::Frame, .name = "Frame34", .parent = "Frame33", .rect = {5880, 300, 5400, 2760}},
    {.kind = Kind::Label, .name = "Label32", .parent = "Frame34", .rect = {240, 300, 4920, 900}},
    {.kind = Kind::CommandButton, .name = "Command41", .parent = "Frame34", .rect = {240, 1260, 4920, 435}},
    {.kind = Kind::Label, .name = "Label33", .parent = "Frame34", .rect = {240, 1760, 4920, 420}},
    {.kind = Kind::CommandButton, .name = "Command42", .parent = "Frame34", .rect = {240, 2220, 4920, 435}},
    {.kind = Kind::Frame, .name = "Frame35", .parent = "Frame33", .rect = {240, 3180, 5520, 2940}},
    {.kind = Kind::Label, .name = "Label1", .parent = "Frame35", .rect = {240, 300, 5040, 255}},
    {.kind = Kind::Label, .name = "Label34", .parent = "Frame35", .rect = {240, 620, 5040, 900}},
    {.kind = Kind::Custom, .name = "Drive2", .parent = "Frame35", .rect = {240, 1620, 2400, 315},
     .customClass = ui::kDriveListClass},
    {.kind = Kind::CommandButton, .name = "Command43", .parent = "Frame35", .rect = {240, 2160, 5040, 495}},
    {.kind = Kind::Frame, .name = "Frame46", .index = 1, .parent = "Frame33", .rect = {5880, 3180, 5400, 2940}},
    {.kind = Kind::Label, .name = "Label39", .index = 6, .parent = "Frame46", .parentIndex = 1,
     .rect = {240, 300, 4920, 1140}},
    {.kind = Kind::Label, .name = "Label40", .parent = "Frame46", .parentIndex = 1, .rect = {240, 1500, 4920, 660}},
    {.kind = Kind::CommandButton, .name = "Command64", .parent = "Frame46", .parentIndex = 1,
     .rect = {240, 2280, 4920, 495}},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 6540, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmPerformanceII",
                            .caption = "Performance II Tweaks",
                            .width = 11880,
                            .height = 7560,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

// The Speed Boost frame's caption is the state, set apart.
constexpr CaptionLine kCaptions[] = {
    {{"Frame33"}, 347},   {{"Label2"}, 1152},    {{"Command2"}, 1153}, {{"Command3"}, 1154},
    {{"Frame34"}, 221},   {{"Label32"}, 691},    {{"Command41"}, 15},  {{"Label33"}, 585},
    {{"Command42"}, 92},  {{"Frame35"}, 95},     {{"Label1"}, 558},    {{"Label34"}, 550},
    {{"Command43"}, 487}, {{"Frame46", 1}, 367}, {{"Label39", 6}, 692}, {{"Label40"}, 530},
    {{"Command64"}, 191}, {{"Command1"}, 64},
};

// ---- Speed Boost ---------------------------------------------------------------------------

constexpr const char* kSystemPolicies = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

// Enable writes the ticked data, Disable the clear data.
constexpr Part kSpeedBoostParts[] = {
    {HKLM, kSystemPolicies, "EnableLUA", Dword(0), Dword(1)},
    {HKLM, kSystemPolicies, "EnableInstallerDetection", Dword(0), Dword(1)},
    {HKLM, kSystemPolicies, "PromptOnSecureDesktop", Dword(0), Dword(1)},
    {HKLM, kSystemPolicies, "EnableVirtualization", Dword(0), Dword(1)},
    {HKLM, kSystemPolicies, "ConsentPromptBehaviorAdmin", Dword(0), Dword(2)},
    {HKLM, kSystemPolicies, "ConsentPromptBehaviorUser", Dword(3), Dword(1)},
};
constexpr TweakBinding kSpeedBoost{.control = {"Command2"}, .other = {"Command3"}, .caption = 1151,
                                   .kind = ButtonWrite, .parts = kSpeedBoostParts};
constexpr const char* kSpeedBoostServices[] = {"Appinfo", "WSearch"};

// ---- Processor Check -------------------------------------------------------------------

constexpr TweakBinding kProcessorCheck{.control = {"Command64"}, .caption = 367, .root = HKLM,
                                       .key = "SYSTEM\\CurrentControlSet\\Control\\Session Manager",
                                       .value = "ProcessorControl", .kind = ButtonWrite,
                                       .ticked = Dword(0)};

// ---- Game Boost ----------------------------------------------------------------------------

std::string Joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\r\n" + line;
  return text;
}

// The list's own spelling of a service name, or nothing for a name not on the list.
std::optional<std::string> GameBoostName(const std::string& name) {
  for (const char* known : GameBoostServices)
    if (lstrcmpiA(known, name.c_str()) == 0) return std::string(known);
  return std::nullopt;
}

bool Contains(const std::vector<std::string>& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

// The list file is in the temporary folder, which is anyone's to write in: it is read,
// written and deleted relative to the folder's handle, never through a link standing under
// its name.
constexpr wchar_t kListName[] = L"services.xps";

// The list file's full name, as the messages show it.
std::string ListPath(const std::string& tempFolder) {
  return tempFolder + "\\" + platform::AnsiFromWide(kListName);
}

// The entries of the list file, one per line (CR LF or LF); nothing when it cannot be read
// (`link` tells when a link stands under its name).
std::optional<std::vector<std::string>> ReadList(const std::string& folder, bool* link = nullptr) {
  std::string content;
  const platform::FileInResult read = platform::ReadFileIn(platform::WideFromAnsi(folder), kListName, &content);
  if (link) *link = read.outcome == platform::FileIn::Link;
  if (read.outcome != platform::FileIn::Done) return std::nullopt;
  std::vector<std::string> entries;
  std::istringstream in(content);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) entries.push_back(line);
  }
  return entries;
}

// The names of the list that the file holds, once each.
std::vector<std::string> GameBoostNames(const std::vector<std::string>& entries) {
  std::vector<std::string> names;
  for (const std::string& entry : entries) {
    auto name = GameBoostName(entry);
    if (name && !Contains(names, *name)) names.push_back(*name);
  }
  return names;
}

// Replaces the list file's content; false when it was not written (`link` tells when a link
// stands under its name).
bool WriteList(const std::string& folder, const std::vector<std::string>& names, bool* link) {
  std::string content;
  for (const std::string& name : names) content += name + "\r\n";
  const platform::FileInResult written = platform::WriteFileIn(platform::WideFromAnsi(folder), kListName, content);
  *link = written.outcome == platform::FileIn::Link;
  return written.outcome == platform::FileIn::Done;
}

std::string LinkLeftText() {
  return "\r\n\r\nA link to another file stands under that name; it was left as it is.";
}

std::string NoTempFolderMessage() {
  return "Game Boost keeps its list of stopped services in the temporary folder, and the "
         "TEMP variable names no folder on a drive of this computer.\r\n\r\nNo service has been "
         "stopped or started.";
}

void ShowProgress(int caption, size_t steps) {
  frmprogress->Show();
  frmprogress->SetCaption(LoadResString(caption));
  frmprogress->ProgressBar1->SetMax(static_cast<double>(steps));
}

}  // namespace

FrmPerformanceII::FrmPerformanceII() : Page(kForm, kDesign) {}

void FrmPerformanceII::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command3->Click = [this] { Command3_Click(); };
  Command41->Click = [this] { Command41_Click(); };
  Command42->Click = [this] { Command42_Click(); };
  Command43->Click = [this] { Command43_Click(); };
  Command64->Click = [this] { Command64_Click(); };
}

void FrmPerformanceII::Form_Load() {
  LoadCaptions();
  ResizePerformanceII();
}

void FrmPerformanceII::LoadCaptions() {
  LoadPageCaptions(*this, 348, kCaptions);
  // Appinfo starts on demand, so a service that is merely not running says nothing about
  // Speed Boost: only a disabled Appinfo shows it enabled.
  ctlService1.SetServiceName("Appinfo");
  Frame1->SetCaption(LoadResString(ctlService1.QueryService() == "Disabled" ? 1151 : 1155));
}

void FrmPerformanceII::ResizePerformanceII() { ScalePageToScreen(*this); }

void FrmPerformanceII::Command1_Click() { CloseAndReturn(*this); }

void FrmPerformanceII::Command2_Click() {
  if (MsgBox(LoadResString(1157), MB_YESNO | MB_ICONWARNING | MB_SYSTEMMODAL,
             LoadResString(1156)) != IDYES)
    return;
  SpeedBoost(true);
}

void FrmPerformanceII::Command3_Click() { SpeedBoost(false); }

void FrmPerformanceII::SpeedBoost(bool on) {
  std::vector<Part> failed;
  WriteButtonRow(kSpeedBoost, !on, &failed);
  // Both steps are taken for each service whatever the first gave: a service that would
  // not stop is disabled all the same, and one whose start type stays is started all the
  // same. Each step that failed is named.
  std::vector<std::string> notStopped, notTyped, notStarted;
  for (const char* name : kSpeedBoostServices) {
    ctlService1.SetServiceName(name);
    if (on) {
      if (!ctlService1.StopService()) notStopped.push_back(name);
      if (!ctlService1.SetStartType(4)) notTyped.push_back(name);
    } else {
      if (!ctlService1.SetStartType(2)) notTyped.push_back(name);
      if (!ctlService1.StartService()) notStarted.push_back(name);
    }
  }
  if (failed.size() < std::size(kSpeedBoostParts)) RestartNeeded = true;
  if (failed.empty() && notStopped.empty() && notTyped.empty() && notStarted.empty()) {
    MsgBox(LoadResString(1158), MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    return;
  }
  std::string text = "Quenvor Speed Boost could not make every change.";
  if (!failed.empty()) {
    std::vector<std::string> values;
    for (const Part& part : failed) values.push_back(part.value);
    text += "\r\n\r\nThese values could not be written to the registry:\r\n" + Joined(values);
  }
  auto name = [&text](const std::vector<std::string>& services, const char* what) {
    if (!services.empty()) text += std::string("\r\n\r\nThese services could not be ") + what + ":\r\n" + Joined(services);
  };
  name(notStopped, "stopped");
  name(notTyped, on ? "disabled" : "set to start automatically");
  name(notStarted, "started");
  MsgBox(text, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

void FrmPerformanceII::Command41_Click() {
  const auto temp = platform::FolderOnDriveFromEnvironment("TEMP");
  if (!temp) {
    MsgBox(NoTempFolderMessage(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::string path = ListPath(*temp);
  // A list from an earlier Activate still names services that only De-Activate starts
  // again: they stay on it.
  std::vector<std::string> names = GameBoostNames(ReadList(*temp).value_or(std::vector<std::string>{}));
  for (const char* name : GameBoostServices) {
    ctlService1.SetServiceName(name);
    if (ctlService1.QueryService() == "Started" && !Contains(names, name)) names.push_back(name);
  }
  // Only what the file holds is stopped, so that De-Activate can start it again.
  bool link = false;
  const auto written = WriteList(*temp, names, &link) ? ReadList(*temp) : std::nullopt;
  if (!written || GameBoostNames(*written) != names) {
    MsgBox("Game Boost could not write its list of stopped services to the file\r\n" + path +
               (link ? LinkLeftText() : std::string()) + "\r\n\r\nNo service has been stopped.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  ShowProgress(506, names.size());
  std::vector<std::string> running;
  for (const std::string& name : names) {
    ctlService1.SetServiceName(name);
    if (!ctlService1.StopService()) running.push_back(name);
    frmprogress->Advance();
  }
  frmprogress->Unload();
  if (running.empty()) {
    MsgBox(LoadResString(466), MB_OK | MB_ICONINFORMATION);
    return;
  }
  MsgBox("Game Boost could not stop these services:\r\n" + Joined(running) +
             "\r\n\r\nThe services that were stopped start again with the \"De-Activate Game "
             "Boost\" button, or when you restart your computer.",
         MB_OK | MB_ICONEXCLAMATION);
}

void FrmPerformanceII::Command42_Click() {
  const auto temp = platform::FolderOnDriveFromEnvironment("TEMP");
  if (!temp) {
    MsgBox(NoTempFolderMessage(), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  const std::string path = ListPath(*temp);
  if (!platform::FoundWithNormalAttributes(path)) {
    MsgBox(LoadResString(523), MB_OK | MB_ICONERROR);
    return;
  }
  bool link = false;
  const auto entries = ReadList(*temp, &link);
  if (!entries) {
    // The list stays, for a later De-Activate.
    MsgBox("Game Boost could not read its list of stopped services from the file\r\n" + path +
               (link ? LinkLeftText() : std::string()) + "\r\n\r\nNo service has been started.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!entries->empty() && GameBoostNames(*entries).empty()) {
    // Not a list that Activate wrote (that one names services of Game Boost, or nothing
    // when none was running): nothing to start, and the file is not ours to delete.
    MsgBox("The file\r\n" + path + "\r\nnames no service that Game Boost stops, so it is not "
               "Game Boost's list of stopped services.\r\n\r\nNo service has been started, and "
               "the file has been left as it is.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  ShowProgress(421, entries->size());
  std::vector<std::string> notStarted;
  for (const std::string& entry : *entries) {
    // The file can be edited by anyone: only services of the list are started.
    if (auto name = GameBoostName(entry)) {
      ctlService1.SetServiceName(*name);
      if (!ctlService1.StartService() && !Contains(notStarted, *name)) notStarted.push_back(*name);
    }
    frmprogress->Advance();
  }
  frmprogress->Unload();
  if (notStarted.empty()) {
    MsgBox(LoadResString(606), MB_OK | MB_ICONINFORMATION);
  } else {
    MsgBox("Game Boost could not start these services again:\r\n" + Joined(notStarted),
           MB_OK | MB_ICONEXCLAMATION);
  }
  platform::DeleteFileIn(platform::WideFromAnsi(*temp), kListName);
}

void FrmPerformanceII::Command43_Click() {
  const std::string drive = Drive2->Drive().substr(0, 2);
  const std::string command = "defrag " + drive + " /u /v";
  if (MsgBox(LoadResString(525), MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
  const bool native = Is64BitWindows();
  const std::string run = native ? "dfrgui.exe" : command;
  int32_t code;
  if (native) {
    // The graphical defragmenter lives in the native System32 folder only.
    PVOID redirection = nullptr;
    Wow64DisableWow64FsRedirection(&redirection);
    code = RunAndWait(run);
    Wow64RevertWow64FsRedirection(redirection);
  } else {
    code = RunAndWait(run);
  }
  std::string failure;
  if (code == -1) {
    failure = "The disk defragmenter could not be started:\r\n\r\n" + run;
  } else if (code != 0) {
    failure = "The disk defragmenter ended with exit code " + std::to_string(code) + ":\r\n\r\n" + run;
  }
  if (AutoTuneMode) {
    if (!failure.empty()) ReportAutoTuneFailure(failure);
    return;
  }
  if (!failure.empty()) {
    MsgBox(failure, MB_OK | MB_ICONEXCLAMATION);
  } else if (!native) {
    MsgBox(LoadResString(96) + " " + drive, MB_OK | MB_ICONINFORMATION);
  }
}

void FrmPerformanceII::Command64_Click() {
  // RegSetValueEx replaces a value of any type: nothing needs deleting first.
  std::vector<Part> failed;
  if (!WriteButtonRow(kProcessorCheck, false, &failed)) {
    const std::string text =
        "The Processor Check Routine could not be enabled: this value could not be written "
        "to the registry:\r\n\r\n" + ValuePath(failed.front());
    if (AutoTuneMode) ReportAutoTuneFailure(text);
    else MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (!AutoTuneMode) MsgBox(LoadResString(529), MB_OK | MB_ICONINFORMATION);
}
