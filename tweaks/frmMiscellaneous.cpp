#include "tweaks/frmMiscellaneous.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/folders.h"
#include "platform/handle_files.h"
#include "platform/wide_text.h"
#include "platform/registry.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "tweaks/IE3.h"
#include "tweaks/TweakEngine.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

// ---- design ---------------------------------------------------------------------------

constexpr float kRow = 420;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame17", .rect = {120, 120, 11520, 6300}, .caption = "Miscellaneous"},
    {.kind = Kind::Frame, .name = "Frame7", .index = 0, .parent = "Frame17", .rect = {240, 300, 5520, 3900}},
    {.kind = Kind::CheckBox, .name = "Check17", .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check14", .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check6", .index = 0, .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 2 * kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check13", .index = 0, .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 3 * kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check7", .index = 0, .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 4 * kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check7", .index = 1, .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 5 * kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check7", .index = 2, .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 6 * kRow, 5160, 315}},
    {.kind = Kind::CheckBox, .name = "Check19", .parent = "Frame7", .parentIndex = 0,
     .rect = {240, 300 + 7 * kRow, 5160, 315}},
    {.kind = Kind::Frame, .name = "Frame8", .index = 0, .parent = "Frame17", .rect = {5880, 300, 5400, 780}},
    {.kind = Kind::CheckBox, .name = "Check8", .index = 0, .parent = "Frame8", .parentIndex = 0,
     .rect = {240, 300, 4920, 315}},
    {.kind = Kind::Frame, .name = "Frame13", .parent = "Frame17", .rect = {5880, 1200, 5400, 1140}},
    {.kind = Kind::CheckBox, .name = "Check11", .parent = "Frame13", .rect = {240, 300, 4920, 315}},
    {.kind = Kind::CheckBox, .name = "Check12", .index = 0, .parent = "Frame13", .rect = {240, 700, 4920, 315}},
    {.kind = Kind::Frame, .name = "Frame10", .parent = "Frame17", .rect = {5880, 2460, 5400, 1740}},
    {.kind = Kind::TextBox, .name = "Text2", .parent = "Frame10", .rect = {240, 300, 4920, 375}},
    {.kind = Kind::Label, .name = "Label2", .parent = "Frame10", .rect = {240, 780, 1200, 255}},
    {.kind = Kind::TextBox, .name = "Text3", .parent = "Frame10", .rect = {240, 1080, 4920, 375}},
    {.kind = Kind::Frame, .name = "Frame6", .index = 0, .parent = "Frame17", .rect = {240, 4320, 5520, 1200}},
    {.kind = Kind::CommandButton, .name = "Command35", .parent = "Frame6", .parentIndex = 0,
     .rect = {240, 360, 2520, 495}},
    {.kind = Kind::CommandButton, .name = "Command20", .parent = "Frame6", .parentIndex = 0,
     .rect = {2880, 360, 2400, 495}},
    {.kind = Kind::CommandButton, .name = "Command4", .rect = {120, 6540, 3840, 495}},
    {.kind = Kind::CommandButton, .name = "Command9", .rect = {4080, 6540, 3480, 495}},
    {.kind = Kind::CommandButton, .name = "Command5", .rect = {8160, 6540, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmMiscellaneous",
                            .caption = "Miscellaneous Tweaks",
                            .width = 11880,
                            .height = 7560,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame17"}, 298},       {{"Frame8", 0}, 306},    {{"Frame7", 0}, 297},
    {{"Frame10"}, 338},       {{"Frame13"}, 280},      {{"Frame6", 0}, 296},
    {{"Check8", 0}, 336, 798},   {{"Check17"}, 156, 881},    {{"Check14"}, 147, 799},
    {{"Check6", 0}, 158, 800},   {{"Check13", 0}, 117, 801}, {{"Check7", 0}, 335, 802},
    {{"Check7", 1}, 334, 803},   {{"Check7", 2}, 189, 880},  {{"Check19"}, 391, 804},
    {{"Check11"}, 578, 807},     {{"Check12", 0}, 579, 808}, {{"Text2"}, 53, 806},
    {{"Text3"}, 52, 805},        {{"Label2"}, 69},        {{"Command9"}, 382, 809},
    {{"Command35"}, 57},      {{"Command20"}, 303},    {{"Command4"}, 447, 797},
    {{"Command5"}, 64},
};

// ---- the two own actions -----------------------------------------------------------------

constexpr const char* kVolumeKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume";

// Every volume's recycle bin set to delete at once (or not). Without the Volume key there
// is nothing to set: the user is told, and the row is not saved.
bool RecycleBinWalk(ui::Form&, bool ticked) {
  platform::RegKey volumes(HKEY_CURRENT_USER, kVolumeKey, KEY_READ);
  if (!volumes) {
    MsgBox(LoadResString(50), MB_OK);
    return false;
  }
  bool ok = true;
  for (const std::string& name : volumes.EnumSubkeys()) {
    platform::RegKey volume(HKEY_CURRENT_USER, std::string(kVolumeKey) + "\\" + name, RegWriteAccess);
    ok = volume.WriteDword("NukeOnDelete", ticked ? 1 : 0) && ok;
  }
  return ok;
}

// On 64-bit Windows the shortcut overlay is changed by importing an installed .reg file
// with regedit (from the native folders). False when the file is missing or regedit fails.
bool ImportShortcutArrowFile(const char* file) {
  const auto windir = platform::FolderOnDriveFromEnvironment("windir");
  if (!windir) return false;
  const std::string path = *windir + "\\" + file;
  PVOID redirection = nullptr;
  Wow64DisableWow64FsRedirection(&redirection);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  const bool imported = attributes != INVALID_FILE_ATTRIBUTES &&
                        !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                        RunAndWait(*windir + "\\regedit.exe /s " + path) == 0;
  Wow64RevertWow64FsRedirection(redirection);
  return imported;
}

bool RemoveShortcutArrow64() { return ImportShortcutArrowFile("64-bit_Remove_Shortcut_Arrow.reg"); }
bool RestoreShortcutArrow64() { return ImportShortcutArrowFile("Restore_Shortcut_Arrow.reg"); }

// 32-bit Windows: the overlay icon named directly (ticked) or its value deleted (clear).
constexpr TweakBinding kShellIcon32{
    .root = HKLM, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Icons",
    .value = "29", .kind = ButtonWrite, .ticked = Sz("%SystemRoot%\\\\noarrow.ico,0"), .clear = Deleted};

// Written when the arrows are removed, on every Windows.
constexpr Part kShortcutClassParts[] = {
    {HKCR, "lnkfile", "IsShortcut", Sz("")},
    {HKCR, "lnkfile", "RemovedArrow", Deleted},
    {HKCR, "InternetShortcut", "IsShortcut", Sz(" ")},
    {HKCR, "piffile", "IsShortcut", Sz("")},
};
constexpr TweakBinding kShortcutClasses{.kind = ButtonWrite, .parts = kShortcutClassParts};

bool ShortcutArrows(ui::Form&, bool remove) {
  const bool overlay = Is64BitWindows() ? (remove ? RemoveShortcutArrow64() : RestoreShortcutArrow64())
                                        : WriteButtonRow(kShellIcon32, !remove);
  const bool classes = !remove || WriteButtonRow(kShortcutClasses, false);
  return overlay && classes;
}

// ---- rows, writer by writer in Save order -----------------------------------------------

constexpr const char* kDesktopKey = "Control Panel\\Desktop";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kExecutiveKey = "System\\CurrentControlSet\\Control\\Session Manager\\Executive";
constexpr const char* kAdvancedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kExplorerPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kOwnerKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

constexpr TweakBinding kSaveOwnerInfo[] = {
    {.control = {"Text2"}, .caption = 338, .root = HKLM, .key = kOwnerKey, .value = "RegisteredOwner",
     .kind = TextValue},
    {.control = {"Text3"}, .caption = 69, .root = HKLM, .key = kOwnerKey,
     .value = "RegisteredOrganization", .kind = TextValue},
};

constexpr TweakBinding kSaveMiscTweaks[] = {
    {.control = {"Check7", 0}, .caption = 335, .root = HKCU, .key = kDesktopKey, .value = "MenuShowDelay",
     .kind = StringValues, .ticked = Sz("65"), .clear = Sz("400")},
    {.control = {"Check7", 2}, .caption = 189, .root = HKCU, .key = kDesktopKey,
     .value = "FontSmoothingType", .kind = DwordValues, .ticked = Dword(2), .clear = Dword(1)},
    {.control = {"Check7", 1}, .caption = 334, .root = HKLM, .key = kExplorerKey,
     .value = "Max Cached Icons", .kind = StringValues, .ticked = Sz("4096"), .clear = Sz("500")},
    {.control = {"Check11"}, .caption = 578, .root = HKLM, .key = kExecutiveKey,
     .value = "AdditionalCriticalWorkerThreads", .kind = DwordValues, .ticked = Dword(16), .clear = Dword(0)},
    {.control = {"Check12", 0}, .caption = 579, .root = HKLM, .key = kExecutiveKey,
     .value = "AdditionalDelayedWorkerThreads", .kind = DwordValues, .ticked = Dword(16), .clear = Dword(0)},
    {.control = {"Check13", 0}, .caption = 117, .root = HKCU, .key = kAdvancedKey,
     .value = "EnableBalloonTips", .kind = DwordInverted, .shown = EqualsZero},
    {.control = {"Check14"}, .caption = 147, .root = HKCU, .key = kSettingsKey,
     .value = "DisableRecycleBin", .kind = OwnKeyAction, .action = RecycleBinWalk},
    {.control = {"Check17"}, .caption = 156, .root = HKCU, .key = kExplorerPoliciesKey,
     .value = "NoInstrumentation", .kind = DwordFlagOrDelete, .shown = EqualsOne},
    {.control = {"Check19"}, .caption = 391, .root = HKCU, .key = kSettingsKey, .value = "RemovedArrows",
     .kind = OwnKeyAction, .action = ShortcutArrows},
};

constexpr Confirmation kMouseQuestion{.text = 626, .title = 307};

constexpr TweakBinding kSaveMouseRateTweak[] = {
    {.control = {"Check8", 0}, .caption = 336, .root = HKLM,
     .key = "System\\CurrentControlSet\\Services\\i8042prt\\Parameters", .value = "SampleRate",
     .kind = StringOrDelete, .ticked = Sz("200"), .confirm = &kMouseQuestion},
};

// The policy key is created only when the box is ticked (the engine's rule for policy keys).
constexpr TweakBinding kSaveMessengerTweak[] = {
    {.control = {"Check6", 0}, .caption = 158, .root = HKLM,
     .key = "Software\\Policies\\Microsoft\\Messenger\\Client", .value = "PreventRun",
     .kind = DwordFlag, .shown = EqualsOne},
};

constexpr SaveStep kSaveSteps[] = {
    {Step::SetRestartNeeded},
    {Step::Write, kSaveOwnerInfo},
    {Step::Write, kSaveMiscTweaks},
    {Step::Write, kSaveMouseRateTweak},
    {Step::Write, kSaveMessengerTweak},
    {Step::Message},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 300, .quietInAutoTune = true};

// ---- the recommended-settings preset ---------------------------------------------------

constexpr ControlRef kPresetClears[] = {
    {"Check7", 0}, {"Check7", 1}, {"Check7", 2}, {"Check13", 0}, {"Check11"},
    {"Check8", 0}, {"Check12", 0}, {"Check6", 0}, {"Check17"},
};
constexpr ControlRef kPresetTicks[] = {
    {"Check7", 0}, {"Check7", 1}, {"Check7", 2}, {"Check13", 0}, {"Check11"}, {"Check12", 0},
};
constexpr TweakPreset kRecommended{.clear = kPresetClears, .tick = kPresetTicks};

// ---- Clear Icon Cache ------------------------------------------------------------------

std::string IconCacheMissingText() {
  std::string text = LoadResString(629);
  for (int part : {4, 5, 6, 7}) text += "\r\n\r\n" + LoadResString(part);
  return text;
}

}  // namespace

FrmMiscellaneous::FrmMiscellaneous() : Page(kForm, kDesign) {}

void FrmMiscellaneous::BindEvents() {
  Command4->Click = [this] { Command4_Click(); };
  Command5->Click = [this] { Command5_Click(); };
  Command9->Click = [this] { Command9_Click(); };
  Command20->Click = [this] { Command20_Click(); };
  Command35->Click = [this] { Command35_Click(); };
}

void FrmMiscellaneous::Form_Load() {
  LoadCaptions();
  ResizeMisc();
  ReadMiscTweaks();
  ReadOwnerInfo();
}

void FrmMiscellaneous::LoadCaptions() { LoadPageCaptions(*this, 299, kCaptions); }

void FrmMiscellaneous::ReadMiscTweaks() {
  for (auto rows : {std::span<const TweakBinding>(kSaveMessengerTweak),
                    std::span<const TweakBinding>(kSaveOwnerInfo),
                    std::span<const TweakBinding>(kSaveMiscTweaks),
                    std::span<const TweakBinding>(kSaveMouseRateTweak)})
    ReadTweaks(*this, rows);
}

void FrmMiscellaneous::ReadOwnerInfo() { ReadTweaks(*this, kSaveOwnerInfo); }

void FrmMiscellaneous::ResizeMisc() { ScalePageToScreen(*this); }

void FrmMiscellaneous::Command4_Click() { RunSave(*this, kSave); }

void FrmMiscellaneous::Command9_Click() { ApplyPreset(*this, kRecommended); }

void FrmMiscellaneous::Command5_Click() { CloseAndReturn(*this); }

void FrmMiscellaneous::Command20_Click() { IE3->Show(ui::vbModeless, &*frmmain); }

void FrmMiscellaneous::Command35_Click() {
  const auto profile = platform::FolderOnDriveFromEnvironment("USERPROFILE");
  const std::string folderPath = profile ? *profile + "\\AppData\\Local" : std::string();
  const std::string path = folderPath + "\\IconCache.db";
  // The file is opened relative to its folder's handle and changed and deleted through its
  // own handle: a link standing under its name (the folder is the user's to write in) is
  // never followed to what it points to.
  platform::OpenFolder folder;
  platform::EntryOpening opening;
  if (profile && platform::OpenFolderByPath(platform::WideFromAnsi(folderPath), &folder) == ERROR_SUCCESS)
    opening = platform::OpenEntry(folder, L"IconCache.db", platform::EntryKind::File, DELETE | FILE_WRITE_ATTRIBUTES);
  else
    opening.reached = platform::Reached::Gone;
  if (opening.reached == platform::Reached::Link || opening.reached == platform::Reached::Elsewhere) {
    MsgBox("The icon cache was not cleared: " + path +
               " is a link to another file, and it was left as it is.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  DWORD attributes = opening.attributes;
  if (opening.reached == platform::Reached::Entry && (attributes & FILE_ATTRIBUTE_HIDDEN)) {
    FILE_BASIC_INFO basic{};
    basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
    if (SetFileInformationByHandle(opening.handle.get(), FileBasicInfo, &basic, sizeof(basic)))
      attributes = FILE_ATTRIBUTE_NORMAL;
  }
  // A hidden or system file is not found, as a search with normal attributes would not.
  const bool found = opening.reached == platform::Reached::Entry &&
                     !(attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
  const bool inUse = opening.reached == platform::Reached::Failed;
  if (!found && !inUse) {
    MsgBox(IconCacheMissingText(), MB_OK | MB_ICONERROR, LoadResString(259));
    return;
  }
  if (inUse || platform::DeleteByHandle(opening.handle.get()) != ERROR_SUCCESS) {
    MsgBox("The icon cache could not be cleared: this file could not be deleted.\r\n\r\n" + path,
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  MsgBox(LoadResString(258), MB_OK | MB_ICONINFORMATION);
}
