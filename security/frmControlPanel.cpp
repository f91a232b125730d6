#include "security/frmControlPanel.h"

#include "resources/picture_ids.h"
#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr float kRow = 360;  // the distance between two boxes of a frame

constexpr Def Box(const char* name, int index, const char* frame, int row, uint32_t style = 0) {
  return CheckBoxDef(name, index, frame, -1, 240, 300 + row * kRow, 5160, style);
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame50", .rect = {120, 120, 11640, 6840}, .caption = "Control Panel"},
    // Left column.
    {.kind = Kind::Frame, .name = "Frame5", .parent = "Frame50", .rect = {240, 300, 5640, 2940},
     .caption = "Display Control Panel Applet Security Settings"},
    Box("Check6", 2, "Frame5", 0), Box("Check6", 1, "Frame5", 1), Box("Check6", 7, "Frame5", 2),
    Box("Check6", 6, "Frame5", 3), Box("Check6", 5, "Frame5", 4), Box("Check6", 4, "Frame5", 5),
    Box("Check6", 3, "Frame5", 6),
    {.kind = Kind::Frame, .name = "Frame6", .parent = "Frame50", .rect = {240, 3360, 5640, 1500},
     .caption = "Restrict Desktop Theme Controls"},
    Box("Check7", 5, "Frame6", 0), Box("Check7", 4, "Frame6", 1), Box("Check7", 3, "Frame6", 2),
    {.kind = Kind::Frame, .name = "Frame4", .parent = "Frame50", .rect = {240, 4980, 5640, 1140},
     .caption = "Printers"},
    Box("Check5", 2, "Frame4", 0), Box("Check5", 1, "Frame4", 1),
    {.kind = Kind::Image, .name = "Image1", .parent = "Frame50", .rect = {2580, 6180, 720, 600},
     .picture = IDB_SECURITY_3},
    // Right column; the hidden boxes are never shown.
    {.kind = Kind::Frame, .name = "Frame2", .parent = "Frame50", .rect = {6000, 300, 5520, 1500},
     .caption = "Control Panel Settings"},
    Box("Check3", 3, "Frame2", 0), Box("Check3", 7, "Frame2", 1), Box("Check3", 5, "Frame2", 2),
    Box("Check3", 4, "Frame2", 3, ui::kHidden),
    {.kind = Kind::Frame, .name = "Frame3", .parent = "Frame50", .rect = {6000, 1920, 5520, 2940},
     .caption = "Programs Restrictions"},
    Box("Check4", 9, "Frame3", 0), Box("Check4", 1, "Frame3", 1), Box("Check4", 2, "Frame3", 2),
    Box("Check4", 3, "Frame3", 3), Box("Check4", 4, "Frame3", 4), Box("Check4", 5, "Frame3", 5),
    Box("Check4", 6, "Frame3", 6), Box("Check4", 7, "Frame3", 7, ui::kHidden),
    Box("Check4", 8, "Frame3", 7, ui::kHidden),
    {.kind = Kind::CommandButton, .name = "Command54", .parent = "Frame50",
     .rect = {6000, 5100, 2640, 495}, .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .parent = "Frame50",
     .rect = {8880, 5100, 2640, 495}, .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmControlPanel",
                            .caption = "Control Panel Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 7080};

constexpr CaptionLine kCaptions[] = {
    {{"Frame50"}, 73},           {{"Frame2"}, 75},            {{"Frame3"}, 20},
    {{"Frame4"}, 363},           {{"Frame5"}, 174},           {{"Frame6"}, 432},
    {{"Command54"}, 446},        {{"Command1"}, 64},          {{"Check3", 3}, 483, 711},
    {{"Check3", 4}, 240, 724},   {{"Check3", 5}, 126, 725},   {{"Check3", 7}, 217, 726},
    {{"Check4", 1}, 321, 719},   {{"Check4", 2}, 315, 718},   {{"Check4", 3}, 327, 717},
    {{"Check4", 4}, 312, 716},   {{"Check4", 5}, 313, 715},   {{"Check4", 6}, 314, 714},
    {{"Check4", 7}, 323},        {{"Check4", 8}, 325},        {{"Check4", 9}, 316, 720},
    {{"Check5", 1}, 166, 710},   {{"Check5", 2}, 165, 709},   {{"Check6", 1}, 245, 727},
    {{"Check6", 2}, 250, 728},   {{"Check6", 3}, 242, 729},   {{"Check6", 4}, 243, 730},
    {{"Check6", 5}, 247, 1135},  {{"Check6", 6}, 244, 731},   {{"Check6", 7}, 429, 732},
    {{"Check7", 3}, 324, 721},   {{"Check7", 4}, 317, 722},   {{"Check7", 5}, 326, 723},
};

constexpr const char* kNameSpaceKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\ControlPanel\\NameSpace";
constexpr const char* kProgramsKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Programs";
constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kSystemKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

constexpr TweakBinding kSaveControlPanelRestrictions[] = {
    // The Administrative Tools entry: which of the two sibling subkeys exists.
    {.control = {"Check3", 3}, .caption = 483, .root = HKLM, .key = kNameSpaceKey,
     .value = "{D20EA4E1-3957-11d2-A40B-0C5020524153}", .kind = KeyToggle,
     .ticked = Sz("Administrative Tools")},
    {.control = {"Check4", 9}, .caption = 316, .key = kProgramsKey, .value = "NoDefaultPrograms", .kind = DwordFlag},
    {.control = {"Check4", 1}, .caption = 321, .key = kProgramsKey, .value = "NoGetPrograms", .kind = DwordFlag},
    {.control = {"Check4", 2}, .caption = 315, .key = kProgramsKey, .value = "NoInstalledUpdates", .kind = DwordFlag},
    {.control = {"Check4", 3}, .caption = 327, .key = kProgramsKey, .value = "NoProgramsAndFeatures",
     .kind = DwordFlag},
    {.control = {"Check4", 4}, .caption = 312, .key = kProgramsKey, .value = "NoProgramsCPL", .kind = DwordFlag},
    {.control = {"Check4", 5}, .caption = 313, .key = kProgramsKey, .value = "NoWindowsFeatures", .kind = DwordFlag},
    {.control = {"Check4", 6}, .caption = 314, .key = kProgramsKey, .value = "NoWindowsMarketplace",
     .kind = DwordFlag},
    {.control = {"Check3", 7}, .caption = 217, .key = kExplorerKey, .value = "ForceClassicControlPanel",
     .kind = DwordFlagOrDelete},
    {.control = {"Check3", 5}, .caption = 126, .key = kExplorerKey, .value = "NoControlPanel", .kind = DwordFlag},
    {.control = {"Check5", 2}, .caption = 165, .key = kExplorerKey, .value = "NoAddPrinter", .kind = DwordFlag},
    {.control = {"Check5", 1}, .caption = 166, .key = kExplorerKey, .value = "NoDeletePrinter", .kind = DwordFlag},
};

constexpr TweakBinding kSaveDisplayRestrictions[] = {
    {.control = {"Check6", 2}, .caption = 250, .key = kExplorerKey, .value = "NoThemesTab", .kind = DwordFlag},
    {.control = {"Check6", 7}, .caption = 429, .key = kExplorerKey, .value = "NoChangeAnimation", .kind = DwordFlag},
    {.control = {"Check6", 6}, .caption = 244, .key = kSystemKey, .value = "NoDispSettingsPage", .kind = DwordFlag},
    {.control = {"Check6", 1}, .caption = 245, .key = kSystemKey, .value = "NoDispCPL", .kind = DwordFlag},
    {.control = {"Check6", 5}, .caption = 247, .key = kSystemKey, .value = "NoDispScrSavPage", .kind = DwordFlag},
    {.control = {"Check6", 4}, .caption = 243, .key = kSystemKey, .value = "NoDispBackgroundPage",
     .kind = DwordFlag},
    {.control = {"Check6", 3}, .caption = 242, .key = kSystemKey, .value = "NoDispAppearancePage",
     .kind = DwordFlag},
    {.control = {"Check7", 5}, .caption = 326, .key = kSystemKey, .value = "NoVisualStyleChoice", .kind = DwordFlag},
    {.control = {"Check7", 4}, .caption = 317, .key = kSystemKey, .value = "NoColorChoice", .kind = DwordFlag},
    {.control = {"Check7", 3}, .caption = 324, .key = kSystemKey, .value = "NoSizeChoice", .kind = DwordFlag},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveControlPanelRestrictions,
                                                      kSaveDisplayRestrictions};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveControlPanelRestrictions},
    {Step::Write, kSaveDisplayRestrictions},
    {Step::Message},
    {Step::SetRestartNeeded},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 77};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 76, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmControlPanel::FrmControlPanel() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmControlPanel::BindEvents() {
  Command54->Click = [this] { Command54_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmControlPanel::ResizeControlPanel() { ScalePageToScreen(*this); }

void FrmControlPanel::Command54_Click() { Save(); }

void FrmControlPanel::Command1_Click() { CloseAndReturn(*this); }
