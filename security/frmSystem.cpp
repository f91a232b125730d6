#include "security/frmSystem.h"

#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def Box(int index, float left, int row) {
  return CheckBoxDef("Check12", index, "Frame49", -1, left, 360 + row * 420.0f, 5280);
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame48", .rect = {120, 120, 11640, 3960}, .caption = "System"},
    {.kind = Kind::Frame, .name = "Frame49", .parent = "Frame48", .rect = {240, 300, 11160, 3480},
     .caption = "System Settings"},
    Box(13, 240, 0), Box(1, 240, 1), Box(2, 240, 2), Box(3, 240, 3), Box(4, 240, 4), Box(5, 240, 5),
    Box(6, 240, 6), Box(7, 5640, 0), Box(8, 5640, 1), Box(9, 5640, 2), Box(10, 5640, 3),
    Box(11, 5640, 4), Box(12, 5640, 5),
    {.kind = Kind::CommandButton, .name = "Command52", .rect = {120, 4260, 3000, 495},
     .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8760, 4260, 3000, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmSystem",
                            .caption = "System",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 4920};

constexpr CaptionLine kCaptions[] = {
    {{"Frame48"}, 510},          {{"Command1"}, 64},          {{"Frame49"}, 519},
    {{"Command52"}, 446},        {{"Check12", 13}, 151, 882}, {{"Check12", 1}, 152, 862},
    {{"Check12", 2}, 457, 861},  {{"Check12", 6}, 456, 858},  {{"Check12", 7}, 455, 857},
    {{"Check12", 9}, 420, 855},  {{"Check12", 3}, 134, 860},  {{"Check12", 4}, 380, 883},
    {{"Check12", 5}, 615, 859},  {{"Check12", 8}, 426, 856},  {{"Check12", 10}, 375, 884},
    {{"Check12", 11}, 427, 854}, {{"Check12", 12}, 122, 853},
};

constexpr const char* kSystemRestoreKey = "Software\\Policies\\Microsoft\\Windows NT\\SystemRestore";
constexpr const char* kWinlogonKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// System Restore is restricted only while both of its policy values are 1.
constexpr Part kSystemRestoreParts[] = {
    {HKLM, kSystemRestoreKey, "DisableConfig", Dword(1), Deleted, EqualsOne},
    {HKLM, kSystemRestoreKey, "DisableSR", Dword(1), Deleted, EqualsOne},
};

constexpr TweakBinding kSaveSystemRestrictions[] = {
    {.control = {"Check12", 13}, .caption = 151, .root = HKLM, .key = "System\\CurrentControlSet\\Control\\Lsa",
     .value = "DisableDomainCreds", .kind = DwordFlag},
    {.control = {"Check12", 1}, .caption = 152, .kind = MultiValue, .parts = kSystemRestoreParts},
    {.control = {"Check12", 2}, .caption = 457, .root = HKLM, .key = kWinlogonKey, .value = "AllocateDASD",
     .kind = StringValues, .ticked = Sz("0"), .clear = Sz("2")},
    {.control = {"Check12", 6}, .caption = 456, .root = HKLM, .key = kWinlogonKey, .value = "AllocateFloppies",
     .kind = StringValues, .ticked = Sz("1"), .clear = Sz("0")},
    {.control = {"Check12", 7}, .caption = 455, .root = HKLM, .key = kWinlogonKey, .value = "AllocateCDRoms",
     .kind = StringValues, .ticked = Sz("1"), .clear = Sz("0")},
    {.control = {"Check12", 9}, .caption = 420, .root = HKLM, .key = kWinlogonKey, .value = "AutoRestartShell",
     .kind = DwordFlag},
    {.control = {"Check12", 3}, .caption = 134, .root = HKLM, .key = "Software\\Policies\\Microsoft\\Windows\\System",
     .value = "DisableGPO", .kind = DwordFlag},
    {.control = {"Check12", 4}, .caption = 380, .root = HKLM,
     .key = "System\\CurrentControlSet\\Control\\CrashControl", .value = "AutoReboot", .kind = DwordFlag},
    {.control = {"Check12", 5}, .caption = 615, .root = HKCU, .key = "Software\\Microsoft\\Windows Script Host\\Settings",
     .value = "TrustPolicy", .kind = DwordFlag},
    {.control = {"Check12", 8}, .caption = 426, .root = HKLM,
     .key = "System\\CurrentControlSet\\Control\\Session Manager", .value = "ProtectionMode", .kind = DwordFlag},
    {.control = {"Check12", 10}, .caption = 375, .root = HKLM,
     .key = "Software\\Policies\\Microsoft\\Windows\\System\\Power", .value = "PromptPasswordOnResume",
     .kind = DwordFlag},
    {.control = {"Check12", 11}, .caption = 427, .root = HKLM, .key = "System\\CurrentControlSet\\Services\\EventLog",
     .value = "RestrictGuestAccess", .kind = DwordFlag},
    {.control = {"Check12", 12}, .caption = 122, .root = HKLM,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer", .value = "NoCDBurning",
     .kind = DwordFlag},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveSystemRestrictions};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveSystemRestrictions},
    {Step::Message},
    {Step::SetRestartNeeded},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 520};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 510, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmSystem::FrmSystem() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmSystem::BindEvents() {
  Command52->Click = [this] { Command52_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmSystem::ResizeSystem() { ScalePageToScreen(*this); }

void FrmSystem::Command52_Click() { Save(); }

void FrmSystem::Command1_Click() { CloseAndReturn(*this); }
