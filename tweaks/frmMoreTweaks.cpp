#include "tweaks/frmMoreTweaks.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/wide_text.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "tweaks/FolderDelete.h"
#include "tweaks/RunAndReport.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame28", .rect = {120, 120, 11520, 5640}, .caption = "More Tweaks"},
    {.kind = Kind::Frame, .name = "Frame30", .parent = "Frame28", .rect = {240, 300, 5520, 2280},
     .caption = "Temp Folder Cleaner"},
    {.kind = Kind::Label, .name = "Label29", .parent = "Frame30", .rect = {240, 300, 5040, 1020}},
    {.kind = Kind::CommandButton, .name = "Command37", .parent = "Frame30", .rect = {240, 1500, 2880, 495},
     .caption = "Clean Up Temp Folders"},
    {.kind = Kind::CheckBox, .name = "Check18", .parent = "Frame30", .rect = {3360, 1580, 1920, 315},
     .caption = "Show Errors"},
    {.kind = Kind::Frame, .name = "Frame32", .parent = "Frame28", .rect = {240, 2760, 5520, 2640},
     .caption = "Internet Settings"},
    {.kind = Kind::Label, .name = "Label31", .parent = "Frame32", .rect = {240, 300, 5040, 1560}},
    {.kind = Kind::CommandButton, .name = "Command36", .parent = "Frame32", .rect = {240, 1980, 2400, 495},
     .caption = "Enable Autotuning"},
    {.kind = Kind::CommandButton, .name = "Command40", .parent = "Frame32", .rect = {2880, 1980, 2400, 495},
     .caption = "Disable Autotuning"},
    {.kind = Kind::Frame, .name = "Frame31", .parent = "Frame28", .rect = {5880, 300, 5400, 5100},
     .caption = "Process Idle Tasks"},
    {.kind = Kind::Label, .name = "Label30", .parent = "Frame31", .rect = {240, 300, 4920, 3840}},
    {.kind = Kind::CommandButton, .name = "Command38", .parent = "Frame31", .rect = {240, 4380, 2880, 495},
     .caption = "Process Idle Tasks"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 5940, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmMoreTweaks",
                            .caption = "More Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11760,
                            .clientHeight = 6540};

constexpr CaptionLine kCaptions[] = {
    {{"Frame28"}, 305},   {{"Frame30"}, 522},  {{"Label29"}, 696},       {{"Command37"}, 56},
    {{"Check18"}, 484, 810}, {{"Frame31"}, 365}, {{"Label30"}, 695},     {{"Command38"}, 365},
    {{"Frame32"}, 274},   {{"Label31"}, 697},  {{"Command36"}, 188},     {{"Command40"}, 116},
    {{"Command1"}, 64},
};

// The cleaner's folders, in order: an environment variable and what follows its value.
struct TemporaryFolder {
  const wchar_t* variable;
  const wchar_t* suffix;
};
constexpr TemporaryFolder kTemporaryFolders[] = {{L"TEMP", L"\\"}, {L"TMP", L"\\"}, {L"windir", L"\\Temp"}};

constexpr const char* kIdleTasks = "Rundll32.exe advapi32.dll,ProcessIdleTasks";

}  // namespace

FrmMoreTweaks::FrmMoreTweaks() : Page(kForm, kDesign) {}

void FrmMoreTweaks::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command36->Click = [this] { Command36_Click(); };
  Command37->Click = [this] { Command37_Click(); };
  Command38->Click = [this] { Command38_Click(); };
  Command40->Click = [this] { Command40_Click(); };
}

void FrmMoreTweaks::Form_Load() {
  LoadCaptions();
  ResizeMoreTweaks();
}

void FrmMoreTweaks::LoadCaptions() { LoadPageCaptions(*this, 305, kCaptions); }

void FrmMoreTweaks::ResizeMoreTweaks() { ScalePageToScreen(*this); }

void FrmMoreTweaks::Command1_Click() { CloseAndReturn(*this); }

void FrmMoreTweaks::Command37_Click() {
  const bool showErrors = Check18->Value() == 1;
  // Each folder the cleaner must not walk, and why; each link it left in place.
  std::vector<std::string> skipped;
  std::vector<std::wstring> links;
  for (const TemporaryFolder& folder : kTemporaryFolders) {
    const std::wstring value = platform::WideEnvironment(folder.variable);
    if (value.empty()) {
      skipped.push_back(platform::AnsiFromWide(folder.variable) + " (the variable is empty)");
      continue;
    }
    const std::wstring path = value + folder.suffix;
    const FolderDeleteResult result = ::FolderDelete(path, true, showErrors);
    if (!result.refused.empty()) {
      skipped.push_back(platform::AnsiFromWide(path) + " (" + result.refused + ")");
      continue;
    }
    for (const std::wstring& link : result.linksLeft)
      if (std::find(links.begin(), links.end(), link) == links.end()) links.push_back(link);
    // A folder that is not there is made; an existing one stays as it is.
    CreateDirectoryW(path.c_str(), nullptr);
  }
  if (skipped.empty() && links.empty()) {
    if (!AutoTuneMode) MsgBox(LoadResString(617), MB_OK | MB_ICONINFORMATION);
    return;
  }
  std::string text;
  if (!skipped.empty()) {
    text = "These temporary folders were not cleaned:\r\n";
    for (const std::string& line : skipped) text += "\r\n" + line;
  } else {
    text = LoadResString(617);
  }
  if (!links.empty()) {
    text += "\r\n\r\nThese links in the temporary folders were left in place, and what they point to was not "
            "touched:\r\n";
    constexpr size_t kShown = 20;
    for (size_t i = 0; i < links.size() && i < kShown; ++i) text += "\r\n" + platform::AnsiFromWide(links[i]);
    if (links.size() > kShown) text += "\r\n... and " + std::to_string(links.size() - kShown) + " more";
  }
  if (AutoTuneMode) {
    ReportAutoTuneFailure(text);
    return;
  }
  MsgBox(text, MB_OK | MB_ICONEXCLAMATION);
}

void FrmMoreTweaks::FolderDelete(const std::string& strBaseFolder, bool blnContentOnly,
                                 bool blnShowErrors) {
  ::FolderDelete(strBaseFolder, blnContentOnly, blnShowErrors);
}

void FrmMoreTweaks::Command38_Click() {
  ctlService1.SetServiceName("Schedule");
  if (ctlService1.QueryService() == "Stopped") {
    ctlService1.SetStartType(SERVICE_AUTO_START);
    ctlService1.StartService();
  }
  if (!AutoTuneMode && MsgBox(LoadResString(61), MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) return;
  // Windows works through its idle tasks meanwhile: minutes, or hours.
  const platform::ProcessRun run = platform::RunProcess(kIdleTasks, platform::kOwnWindow, INFINITE, true);
  if (AutoTuneMode) return;
  if (!run.started) {
    MsgBox(std::string("The Process Idle Tasks command could not be started:\r\n\r\n") + kIdleTasks +
               "\r\n\r\n" + platform::SystemErrorText(run.error),
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MsgBox(LoadResString(528), MB_OK | MB_ICONINFORMATION);
}

void FrmMoreTweaks::Command36_Click() {
  RunHiddenCommandAndReport("netsh int tcp set global autotuninglevel=normal", LoadResString(622),
                            MB_ICONINFORMATION);
}

void FrmMoreTweaks::Command40_Click() {
  RunHiddenCommandAndReport("netsh int tcp set global autotuninglevel=disable", LoadResString(621),
                            MB_ICONINFORMATION);
}
