#include "security/frmDesktop.h"

#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr float kRow = 380;
constexpr float kLeft = 240, kRight = 5640;

constexpr Def Explorer(int index, float left, int row) {
  return CheckBoxDef("Check8", index, "Frame7", 1, left, 300 + row * kRow, 5280);
}
constexpr Def Component(const char* name, int index, float left, int row) {
  return CheckBoxDef(name, index, "Frame1", 1, left, 300 + row * kRow, 5280);
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame50", .index = 0, .rect = {120, 120, 11640, 5940},
     .caption = "Desktop && Explorer"},
    {.kind = Kind::Frame, .name = "Frame7", .index = 1, .parent = "Frame50", .parentIndex = 0,
     .rect = {240, 300, 11160, 3000}, .caption = "Desktop and Explorer Settings"},
    Explorer(6, kLeft, 0), Explorer(1, kLeft, 1), Explorer(2, kLeft, 2), Explorer(3, kLeft, 3),
    Explorer(4, kLeft, 4), Explorer(5, kLeft, 5), Explorer(7, kLeft, 6),
    Explorer(14, kRight, 0), Explorer(8, kRight, 1), Explorer(9, kRight, 2), Explorer(10, kRight, 3),
    Explorer(11, kRight, 4), Explorer(12, kRight, 5), Explorer(13, kRight, 6),
    {.kind = Kind::Frame, .name = "Frame1", .index = 1, .parent = "Frame50", .parentIndex = 0,
     .rect = {240, 3420, 11160, 2400}, .caption = "Windows Components"},
    Component("Check2", 9, kLeft, 0), Component("Check2", 8, kLeft, 1), Component("Check2", 7, kLeft, 2),
    Component("Check2", 2, kLeft, 3), Component("Check2", 4, kLeft, 4),
    Component("Check2", 6, kRight, 0), Component("Check1", 25, kRight, 1),
    Component("Check1", 27, kRight, 2), Component("Check2", 5, kRight, 3),
    {.kind = Kind::CommandButton, .name = "Command53", .rect = {120, 6240, 3000, 495},
     .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8760, 6240, 3000, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmDesktop",
                            .caption = "Desktop and Explorer Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 6900};

constexpr CaptionLine kCaptions[] = {
    {{"Frame50", 0}, 102},       {{"Frame7", 1}, 105},        {{"Frame1", 1}, 16},
    {{"Command53"}, 446},        {{"Command1"}, 64},          {{"Check2", 9}, 430, 746},
    {{"Check2", 8}, 431, 745},   {{"Check2", 7}, 434, 744},   {{"Check2", 2}, 435, 743},
    {{"Check2", 4}, 436, 742},   {{"Check2", 5}, 320, 741},   {{"Check2", 6}, 135, 740},
    {{"Check1", 25}, 216, 748},  {{"Check1", 27}, 390, 750},  {{"Check8", 6}, 161, 885},
    {{"Check8", 3}, 412, 739},   {{"Check8", 4}, 415, 887},   {{"Check8", 5}, 413, 888},
    {{"Check8", 7}, 160, 1133},  {{"Check8", 14}, 233, 737},  {{"Check8", 8}, 414, 736},
    {{"Check8", 9}, 395, 735},   {{"Check8", 10}, 246, 890},  {{"Check8", 11}, 132, 891},
    {{"Check8", 12}, 405, 734},  {{"Check8", 13}, 411, 733},  {{"Check8", 1}, 437, 886},
    {{"Check8", 2}, 458, 738},
};

constexpr const char* kWindowsUpdateKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\WindowsUpdate";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";

// Windows Update access: shown from the first value alone.
constexpr Part kWindowsUpdateParts[] = {
    {HKCU, kWindowsUpdateKey, "DisableWindowsUpdateAccess", Dword(1), Deleted, NotZero},
    {HKCU, kWindowsUpdateKey, "DisableWindowsUpdateAccessMode", Dword(0), Deleted},
};

// Each component row stands under a key of its own.
constexpr TweakBinding kSaveComponentRestrictions[] = {
    {.control = {"Check2", 9}, .caption = 430,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Windows\\Sidebar",
     .value = "TurnOffSidebar", .kind = DwordFlag},
    {.control = {"Check2", 8}, .caption = 431, .key = "Software\\Policies\\Microsoft\\Windows\\DWM",
     .value = "DisallowAnimations", .kind = DwordFlag},
    {.control = {"Check2", 7}, .caption = 434, .kind = MultiValue, .parts = kWindowsUpdateParts},
    {.control = {"Check2", 2}, .caption = 435, .key = "Software\\Policies\\Microsoft\\SoundRecorder",
     .value = "Soundrec", .kind = DwordFlag},
    {.control = {"Check2", 4}, .caption = 436, .key = "Software\\Policies\\Microsoft\\WindowsMediaCenter",
     .value = "MediaCenter", .kind = DwordFlag},
    {.control = {"Check2", 5}, .caption = 320, .key = "Software\\Policies\\Microsoft\\NetworkProjector",
     .value = "DisableNetworkProjector", .kind = DwordFlagOrDelete},
    {.control = {"Check2", 6}, .caption = 135,
     .key = "Software\\Policies\\Microsoft\\Windows\\Windows Error Reporting", .value = "Disabled",
     .kind = DwordFlagOrDelete},
    {.control = {"Check1", 25}, .caption = 216, .root = HKLM, .key = "SOFTWARE\\Policies\\Microsoft\\Windows\\Explorer",
     .value = "NoDataExecutionPrevention", .kind = DwordFlagOrDelete},
    {.control = {"Check1", 27}, .caption = 390, .root = HKLM, .key = "SOFTWARE\\Policies\\Microsoft\\Windows\\AppCompat",
     .value = "DisableUAR", .kind = DwordFlagOrDelete},
};

constexpr TweakBinding kSaveExplorerRestrictions[] = {
    {.control = {"Check8", 6}, .caption = 161, .key = kExplorerKey, .value = "NoViewContextMenu", .kind = DwordFlag},
    {.control = {"Check8", 3}, .caption = 412, .key = kExplorerKey, .value = "NoDFSTab", .kind = DwordFlag},
    {.control = {"Check8", 4}, .caption = 415, .key = kExplorerKey, .value = "NoSecurityTab", .kind = DwordFlag},
    {.control = {"Check8", 5}, .caption = 413, .key = kExplorerKey, .value = "NoHardwareTab", .kind = DwordFlag},
    {.control = {"Check8", 7}, .caption = 160, .key = kExplorerKey, .value = "NoToolbarCustomize", .kind = DwordFlag},
    {.control = {"Check8", 14}, .caption = 233, .key = kExplorerKey, .value = "NoDesktop", .kind = DwordFlag},
    {.control = {"Check8", 8}, .caption = 414, .key = kExplorerKey, .value = "NoBandCustomize", .kind = DwordFlag},
    {.control = {"Check8", 9}, .caption = 395, .key = kExplorerKey, .value = "NoFileMenu", .kind = DwordFlag},
    {.control = {"Check8", 10}, .caption = 246, .key = kExplorerKey, .value = "NoNetHood", .kind = DwordFlag},
    {.control = {"Check8", 11}, .caption = 132, .key = kExplorerKey, .value = "NoFolderOptions", .kind = DwordFlag},
    {.control = {"Check8", 12}, .caption = 405, .key = kExplorerKey, .value = "NoPropertiesMyComputer",
     .kind = DwordFlag},
    {.control = {"Check8", 13}, .caption = 411, .key = kExplorerKey, .value = "NoFileAssociate", .kind = DwordFlag},
    {.control = {"Check8", 1}, .caption = 437, .key = "Software\\Policies\\Microsoft\\Windows\\Control Panel\\Desktop",
     .value = "ScreenSaveActive", .kind = DwordFlagOrDelete},
    {.control = {"Check8", 2}, .caption = 458, .key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows",
     .value = "SecureDesktop", .kind = DwordFlag},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveComponentRestrictions,
                                                      kSaveExplorerRestrictions};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveComponentRestrictions},
    {Step::Write, kSaveExplorerRestrictions},
    {Step::Message},
    {Step::SetRestartNeeded},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 107};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 106, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmDesktop::FrmDesktop() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmDesktop::BindEvents() {
  Command53->Click = [this] { Command53_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmDesktop::ResizeDesktop() { ScalePageToScreen(*this); }

void FrmDesktop::Command53_Click() { Save(); }

void FrmDesktop::Command1_Click() { CloseAndReturn(*this); }
