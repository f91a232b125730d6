#include "tweaks/frmPerformance.h"

#include "shell/WmiGuard.h"

#include <windows.h>
#include <shellapi.h>

#include <variant>

#include "platform/native_folders.h"
#include "platform/registry.h"
#include "platform/system_facts.h"
#include "platform/wmi.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/ResourceMonitor.h"
#include "shell/Strings.h"
#include "shell/ColouredMessageBox.h"
#include "tweaks/RunAndReport.h"
#include "tweaks/TweakEngine.h"

// The service control's StartService, not the service manager's StartServiceA.

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

// Posted to the page when Text1 loses the focus.
constexpr UINT kCheckCacheSize = WM_APP + 1;

// The cache size is a plain number: no thousands separators.
bool CacheSizeAccepted(const std::string& text) {
  return NumericText(text) && text.find(',') == std::string::npos;
}

// ---- design ---------------------------------------------------------------------------

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame16", .rect = {120, 120, 11520, 5700}, .caption = "Performance"},
    {.kind = Kind::Frame, .name = "Frame1", .index = 0, .parent = "Frame16",
     .rect = {240, 300, 5520, 3540}, .caption = "FileSystem"},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 23, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 300, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 0, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 700, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 1, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 1100, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 2, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 1500, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 3, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 1900, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 4, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 2300, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check1", .index = 5, .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 2700, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check22", .parent = "Frame1", .parentIndex = 0,
     .rect = {240, 3100, 5160, 315}},
    {.kind = Kind::Frame, .name = "Frame3", .index = 0, .parent = "Frame16",
     .rect = {5880, 300, 5400, 1140}, .caption = "Memory"},
    {.kind = Kind::CheckBox, .name = "Check2", .index = 1, .parent = "Frame3", .parentIndex = 0,
     .rect = {240, 300, 4920, 315}},
    {.kind = Kind::CheckBox, .name = "Check2", .index = 0, .parent = "Frame3", .parentIndex = 0,
     .rect = {240, 700, 4920, 315}},
    {.kind = Kind::Frame, .name = "Frame4", .index = 0, .parent = "Frame16",
     .rect = {5880, 1560, 5400, 1540}, .caption = "TimeOuts"},
    {.kind = Kind::CheckBox, .name = "Check3", .index = 2, .parent = "Frame4", .parentIndex = 0,
     .rect = {240, 300, 4920, 315}},
    {.kind = Kind::CheckBox, .name = "Check3", .index = 1, .parent = "Frame4", .parentIndex = 0,
     .rect = {240, 700, 4920, 315}},
    {.kind = Kind::CheckBox, .name = "Check3", .index = 0, .parent = "Frame4", .parentIndex = 0,
     .rect = {240, 1100, 4920, 315}},
    {.kind = Kind::Frame, .name = "Frame5", .index = 0, .parent = "Frame16",
     .rect = {240, 3960, 5520, 1560}, .caption = "CPU"},
    {.kind = Kind::CheckBox, .name = "Check4", .index = 0, .parent = "Frame5", .parentIndex = 0,
     .rect = {240, 360, 3000, 315}},
    {.kind = Kind::TextBox, .name = "Text1", .parent = "Frame5", .parentIndex = 0,
     .rect = {3360, 330, 1800, 375}},
    {.kind = Kind::Frame, .name = "Frame27", .parent = "Frame16", .rect = {5880, 3220, 5400, 1140},
     .caption = "Manage CPU Priority"},
    {.kind = Kind::OptionButton, .name = "Option1", .parent = "Frame27", .rect = {240, 300, 4920, 315}},
    {.kind = Kind::OptionButton, .name = "Option2", .parent = "Frame27", .rect = {240, 700, 4920, 315}},
    {.kind = Kind::CommandButton, .name = "Command4", .parent = "Frame16",
     .rect = {5880, 4620, 2640, 435}, .caption = "Disable Core Parking"},
    {.kind = Kind::CommandButton, .name = "Command5", .parent = "Frame16",
     .rect = {8640, 4620, 2640, 435}, .caption = "Enable Core Parking"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {120, 5940, 3480, 495},
     .caption = "Save Performance Settings To The Registry"},
    {.kind = Kind::CommandButton, .name = "Command3", .rect = {3720, 5940, 4320, 495},
     .caption = "Choose Settings Recommended For My Computer"},
    {.kind = Kind::CommandButton, .name = "Command19", .rect = {8160, 5940, 3480, 495},
     .caption = "Return ALL Quenvor Settings To Defaults"},
    {.kind = Kind::CommandButton, .name = "Command2", .rect = {8160, 6540, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmPerformance",
                            .caption = "Performance Tweaks",
                            .width = 11880,
                            .height = 7560,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame16"}, 346},       {{"Frame1", 0}, 205},    {{"Check1", 23}, 137, 811},
    {{"Check1", 0}, 112, 878},   {{"Check1", 1}, 59, 877},   {{"Check1", 2}, 113, 812},
    {{"Check1", 3}, 333, 813},   {{"Check1", 4}, 248, 712},  {{"Check1", 5}, 337, 814},
    {{"Check22"}, 332, 815},     {{"Frame3", 0}, 295},    {{"Check2", 1}, 159, 816},
    {{"Check2", 0}, 580, 817},   {{"Frame4", 0}, 560},    {{"Check3", 2}, 470, 818},
    {{"Check3", 1}, 370, 819},   {{"Check3", 0}, 290, 820},  {{"Frame5", 0}, 690},
    {{"Check4", 0}, 475, 879},   {{"Frame27"}, 294},      {{"Option1"}, 371, 824},
    {{"Option2"}, 42, 825},      {{"Command1"}, 444, 821},   {{"Command2"}, 64},
    {{"Command3"}, 55, 822},     {{"Command19"}, 439, 823},
};

// ---- rows, writer by writer in Save order ---------------------------------------------

constexpr const char* kFileSystemKey = "SYSTEM\\CurrentControlSet\\Control\\FileSystem";
constexpr const char* kMemoryKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
constexpr const char* kPrefetchKey =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management\\PrefetchParameters";
constexpr const char* kPriorityKey = "System\\CurrentControlSet\\Control\\PriorityControl";
constexpr const char* kExplorerPoliciesKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kOptimalLayoutKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\OptimalLayout";
constexpr const char* kVisualEffectsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\VisualEffects";
constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kAdvancedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kWindowMetricsKey = "Control Panel\\Desktop\\WindowMetrics";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";
constexpr const char* kControlKey = "System\\CurrentControlSet\\Control";

constexpr Confirmation k8dot3Question{.text = 627, .title = 706};
constexpr Confirmation kPagingQuestion{.text = 524,
                                       .title = 707,
                                       .figure = PhysicalMemoryFigure,
                                       .textAfter = 291,
                                       .askWhen = [](int32_t megabytes) { return megabytes < 512; }};

constexpr Part kPrefetchParts[] = {
    {HKLM, kPrefetchKey, "EnablePrefetcher", Dword(3), Dword(2), NotZero},
    {HKLM, kPrefetchKey, "EnableSuperfetch", Dword(3), Dword(2), Equals(3)},
};
constexpr Option kPriorityOptions[] = {{{"Option1"}, 38}, {{"Option2"}, 24}};

constexpr TweakBinding kSaveFileSystemTweaks[] = {
    {.control = {"Check1", 0}, .caption = 112, .root = HKLM, .key = kFileSystemKey,
     .value = "NtfsDisableLastAccessUpdate", .kind = DwordFlag},
    {.control = {"Check1", 2}, .caption = 113, .root = HKLM, .key = kFileSystemKey,
     .value = "NtfsDisable8dot3NameCreation", .kind = DwordFlag, .confirm = &k8dot3Question},
    {.control = {"Check1", 1}, .caption = 59, .root = HKLM, .key = kMemoryKey,
     .value = "ClearPageFileAtShutdown", .kind = DwordFlag},
    {.control = {"Check1", 5}, .caption = 337, .kind = MultiValue, .parts = kPrefetchParts},
    {.control = {"Option1"}, .caption = 294, .root = HKLM, .key = kPriorityKey,
     .value = "Win32PrioritySeparation", .kind = OptionGroup, .options = kPriorityOptions},
    {.control = {"Check1", 23}, .caption = 137, .root = HKCU, .key = kExplorerPoliciesKey,
     .value = "NoLowDiskSpaceChecks", .kind = DwordFlag, .shown = EqualsOne},
    {.control = {"Check1", 3}, .caption = 333, .root = HKLM, .key = kOptimalLayoutKey,
     .value = "EnableAutoLayout", .kind = DwordFlag, .shown = GreaterThanZero},
};

constexpr TweakBinding kSaveMemoryTweaks[] = {
    {.control = {"Check2", 0}, .caption = 580, .root = HKLM, .key = kMemoryKey,
     .value = "LargeSystemCache", .kind = DwordFlag},
    {.control = {"Check2", 1}, .caption = 159, .root = HKLM, .key = kMemoryKey,
     .value = "DisablePagingExecutive", .kind = DwordFlag, .confirm = &kPagingQuestion},
};

constexpr TweakBinding kSaveL2CacheTweak[] = {
    {.control = {"Check4", 0}, .other = {"Text1"}, .caption = 475, .root = HKLM, .key = kMemoryKey,
     .value = "SecondLevelDataCache", .kind = TextValue},
};

// UserPreferencesMask with the visual effects off, and as Windows sets it by default.
constexpr BYTE kEffectsOffMask[] = {0x98, 0x30, 0x07, 0x80, 0x10, 0x00, 0x00, 0x00};
constexpr BYTE kEffectsOnMask[] = {0x9E, 0x3C, 0x07, 0x80, 0x12};

constexpr Part kGraphicsEffectsParts[] = {
    {HKCU, kVisualEffectsKey, "VisualFXSetting", Dword(3), Dword(1), Equals(3)},
    {HKCU, kDesktopKey, "UserPreferencesMask", Binary(kEffectsOffMask), Binary(kEffectsOnMask)},
    {HKCU, kDesktopKey, "DragFullWindows", Sz("0"), Sz("1")},
    {HKCU, kDesktopKey, "SmoothScroll", Dword(0), Dword(1)},
    {HKCU, kAdvancedKey, "TaskBarAnimations", Dword(0), Dword(1)},
    {HKCU, kWindowMetricsKey, "MinAnimate", Sz("0"), Sz("1")},
};
constexpr Part kAeroParts[] = {
    {HKCU, kDesktopKey, "WindowArrangementActive", Dword(0), Dword(1), EqualsZero},
    {HKCU, kExplorerKey, "NoWindowMinimizingShortcuts", Dword(1), Dword(0)},
    {HKCU, kAdvancedKey, "DisablePreviewDesktop", Dword(1), Dword(0)},
};

constexpr TweakBinding kSaveVisualEffectsTweaks[] = {
    {.control = {"Check22"}, .caption = 332, .kind = MultiValue, .parts = kGraphicsEffectsParts},
    {.control = {"Check1", 4}, .caption = 248, .kind = MultiValue, .parts = kAeroParts},
};

constexpr TweakBinding kSaveTimeoutTweaks[] = {
    {.control = {"Check3", 0}, .caption = 290, .root = HKCU, .key = kDesktopKey,
     .value = "LowLevelHooksTimeout", .kind = StringValues, .ticked = Sz("2000"), .clear = Sz("5000")},
    {.control = {"Check3", 1}, .caption = 370, .root = HKCU, .key = kDesktopKey,
     .value = "HungAppTimeout", .kind = StringValues, .ticked = Sz("2000"), .clear = Sz("5000")},
    {.control = {"Check3", 2}, .caption = 470, .root = HKLM, .key = kControlKey,
     .value = "WaitToKillServiceTimeout", .kind = StringValues, .ticked = Sz("2000"),
     .clear = Sz("20000")},
    {.root = HKCU, .key = kDesktopKey, .value = "AutoEndTasks", .kind = UnconditionalWrite,
     .ticked = Sz("1")},
};

constexpr SaveStep kSaveSteps[] = {
    {Step::SetRestartNeeded},
    {Step::Write, kSaveFileSystemTweaks},
    {Step::Write, kSaveMemoryTweaks},
    {Step::Write, kSaveL2CacheTweak},
    {Step::Write, kSaveVisualEffectsTweaks},
    {Step::Write, kSaveTimeoutTweaks},
    {Step::Message},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 351, .quietInAutoTune = true};

// ---- the recommended-settings preset ---------------------------------------------------

constexpr ControlRef kPresetClears[] = {
    {"Check1", 0}, {"Check1", 1}, {"Check1", 2}, {"Check1", 3}, {"Check1", 4},
    {"Check1", 5}, {"Check1", 23}, {"Check2", 0}, {"Check2", 1}, {"Check3", 0},
    {"Check3", 1}, {"Check3", 2}, {"Check4", 0}, {"Check22"}, {"Option1"}, {"Option2"},
};
constexpr ControlRef kPresetTicks[] = {
    {"Check1", 0}, {"Check1", 3}, {"Check1", 4}, {"Check1", 5}, {"Check1", 23},
    {"Check3", 0}, {"Check3", 1}, {"Check3", 2}, {"Check4", 0}, {"Check22"},
};
constexpr ControlRef kPresetSelects[] = {{"Option1"}};
constexpr TextFill kPresetFills[] = {
    {{"Text1"},
     [](ui::Form& page) {
       static_cast<FrmPerformance&>(page).CheckWMI();
       return L2CacheSizeFromWmi();
     }},
};
constexpr ConditionalTick kPresetConditionalTicks[] = {
    {{"Check2", 1}, [] { return PhysicalMemoryFigure() >= 512; }},
};
constexpr TweakPreset kRecommended{.clear = kPresetClears,
                                   .tick = kPresetTicks,
                                   .select = kPresetSelects,
                                   .fill = kPresetFills,
                                   .tickWhen = kPresetConditionalTicks};

// ---- Core Parking --------------------------------------------------------------------

constexpr const char* kCoreParkingSetting =
    "powercfg -setacvalueindex scheme_current sub_processor 0cc5b647-c1df-4637-891a-dec35c318583 ";
constexpr const char* kActivateScheme = "powercfg -setactive scheme_current";

// Sets the share of cores kept unparked in the current power scheme and records the state.
// A powercfg run that fails (the tool missing, a non-zero exit) is named, and ends it with
// nothing recorded: the record would claim a state the scheme does not have.
void SetCoreParking(int percent, DWORD disabled) {
  for (const std::string& command : {kCoreParkingSetting + std::to_string(percent), std::string(kActivateScheme)})
    if (!RunHiddenCommandOrSayWhy(command, MB_OK)) return;
  platform::RegKey key(HKEY_CURRENT_USER, kSettingsKey, RegWriteAccess);
  key.WriteDword("CoreParkingDisabled", disabled);
}

}  // namespace

int32_t PhysicalMemoryFigure() {
  MEMORYSTATUSEX status{};
  status.dwLength = 64;
  if (!platform::systemFacts().MemoryStatus(&status)) return 0;
  return MegabyteFigure(status.ullTotalPhys);
}

std::string L2CacheSizeFromWmi() {
  std::vector<platform::WmiObject> processors;
  // Rows read before a failure still count; a failed query leaves none.
  platform::wmi().Query("root\\cimv2", "Select * from Win32_Processor", &processors);
  std::string text;
  for (const platform::WmiObject& processor : processors) {
    const platform::WmiValue* size = processor.Find("L2CacheSize");
    if (!size) continue;
    if (auto* number = std::get_if<int64_t>(size)) text = std::to_string(*number);
    else if (auto* string = std::get_if<std::string>(size)) text = *string;
    else if (auto* real = std::get_if<double>(size)) text = std::to_string(static_cast<int64_t>(*real));
  }
  return text;
}

FrmPerformance::FrmPerformance() : Page(kForm, kDesign) {}

void FrmPerformance::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command3->Click = [this] { Command3_Click(); };
  Command4->Click = [this] { Command4_Click(); };
  Command5->Click = [this] { Command5_Click(); };
  Command19->Click = [this] { Command19_Click(); };
  // The cache-size check runs when the focus has moved from Text1 to another control of
  // the page. While Text1 reports the loss, Windows is still moving the focus (a button
  // being pressed takes the mouse only afterwards), so the check waits until that is done.
  Text1->LostFocus = [this] { PostMessageA(hWnd(), kCheckCacheSize, 0, 0); };
}

bool FrmPerformance::OnMessage(UINT message, WPARAM, LPARAM, LRESULT* result) {
  if (message != kCheckCacheSize) return false;
  *result = 0;
  HWND to = GetFocus();
  if (!to || to == Text1->hWnd() || !IsChild(hWnd(), to)) return true;
  if (CacheSizeAccepted(Text1->Text())) return true;
  // A refused text keeps the focus: the control it went to loses it again (a pressed
  // button lets the mouse go, so the click does not happen).
  Text1->SetFocus();
  int cancel = 0;
  Text1_Validate(cancel);
  return true;
}

void FrmPerformance::Form_Load() {
  LoadCaptions();
  ResizePerformance();
  ReadPerformanceTweaks();
}

void FrmPerformance::LoadCaptions() { LoadPageCaptions(*this, 350, kCaptions); }

void FrmPerformance::ReadPerformanceTweaks() {
  for (auto rows : {std::span<const TweakBinding>(kSaveFileSystemTweaks),
                    std::span<const TweakBinding>(kSaveMemoryTweaks),
                    std::span<const TweakBinding>(kSaveL2CacheTweak),
                    std::span<const TweakBinding>(kSaveVisualEffectsTweaks),
                    std::span<const TweakBinding>(kSaveTimeoutTweaks)})
    ReadTweaks(*this, rows);
}

double FrmPerformance::OddOrEven(double value) { return ::OddOrEven(value); }

void FrmPerformance::CheckWMI() { wmi_guard::CheckWMI(ctlService1); }
void FrmPerformance::StartWMI() { wmi_guard::StartWMI(ctlService1); }

void FrmPerformance::Command1_Click() { RunSave(*this, kSave); }

void FrmPerformance::Command3_Click() { ApplyPreset(*this, kRecommended); }

void FrmPerformance::Command19_Click() {
  char windir[MAX_PATH] = {};
  GetEnvironmentVariableA("windir", windir, MAX_PATH);
  const std::string path = std::string(windir) + "\\System32\\QuenvorUndo.exe";
  // The undo program is installed in the native System32 folder.
  INT_PTR started;
  {
    platform::NativeSystemFolders native(Is64BitWindows());
    started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "runas", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  }
  if (started <= 32) {
    MsgBox("The settings undo program could not be started:\r\n" + path,
           MB_OK | MB_ICONEXCLAMATION, LoadResString(601));
    return;
  }
  RestartNeeded = true;
  MsgBox(LoadResString(544), MB_OK | MB_ICONINFORMATION, LoadResString(601));
}

void FrmPerformance::ResizePerformance() { ScalePageToScreen(*this); }

void FrmPerformance::Command2_Click() { CloseAndReturn(*this); }

void FrmPerformance::Command4_Click() {
  const std::string text =
      "This will disable core parking for your current power scheme.  This may make your "
      "computer seem a bit snappier.  Your battery will most likely run out quicker on a laptop "
      "with core parking disabled. You will not need to reboot. This tweak takes effect "
      "immediately.\r\nWould you like to disable core parking?";
  if (MsgBox(text, MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL,
             "Disable Windows 7 Core Parking") != IDYES)
    return;
  SetCoreParking(100, 1);
}

void FrmPerformance::Command5_Click() { SetCoreParking(0, 0); }

void FrmPerformance::Text1_Validate(int& Cancel) {
  if (CacheSizeAccepted(Text1->Text())) return;
  Cancel = 1;
  MsgBox(LoadResString(624), MB_OK | MB_ICONEXCLAMATION);
  Text1->SetText("0");
  Text1->Refresh();
}
