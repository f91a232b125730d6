#include "security/frmStartMenu.h"

#include "resources/picture_ids.h"
#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr float kRow = 380;

// Check20 stands in element 0 of the frame array Frame46, Check21 in the single Frame47.
constexpr Def Box20(int index, float left, int row, uint32_t style = 0) {
  return CheckBoxDef("Check20", index, "Frame46", 0, left, 300 + row * kRow, 5280, style);
}
constexpr Def Box21(int index, int row) {
  return CheckBoxDef("Check21", index, "Frame47", -1, 240, 300 + row * kRow, 5280);
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame45", .index = 0, .rect = {120, 120, 11640, 6600},
     .caption = "Start Menu && Taskbar"},
    {.kind = Kind::Frame, .name = "Frame46", .index = 0, .parent = "Frame45", .parentIndex = 0,
     .rect = {240, 300, 11160, 2880}, .caption = "Start Menu && Taskbar Settings"},
    Box20(0, 240, 0), Box20(1, 240, 1),
    Box20(2, 240, 2), Box20(3, 240, 3),
    Box20(4, 240, 4), Box20(5, 240, 5),
    Box20(6, 5640, 0), Box20(8, 5640, 1),
    Box20(7, 5640, 2), Box20(9, 5640, 3),
    Box20(10, 5640, 4), Box20(11, 5640, 5, ui::kHidden),
    {.kind = Kind::Frame, .name = "Frame47", .parent = "Frame45", .parentIndex = 0,
     .rect = {240, 3300, 5760, 3060}, .caption = "Documents && Folders"},
    Box21(0, 0), Box21(1, 1),
    Box21(2, 2), Box21(6, 3),
    Box21(5, 4), Box21(4, 5),
    Box21(3, 6),
    {.kind = Kind::Image, .name = "Image1", .parent = "Frame45", .parentIndex = 0,
     .rect = {8400, 4200, 720, 720}, .picture = IDB_SECURITY_0},
    {.kind = Kind::CommandButton, .name = "Command51", .rect = {120, 6900, 3000, 495},
     .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8760, 6900, 3000, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmStartMenu",
                            .caption = "Start Menu & Taskbar",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 7560};

constexpr CaptionLine kCaptions[] = {
    {{"Frame45", 0}, 490},        {{"Command1"}, 64},           {{"Frame46", 0}, 491},
    {{"Frame47"}, 180},           {{"Command51"}, 446},         {{"Check20", 0}, 241, 834},
    {{"Check20", 1}, 235, 835},   {{"Check20", 9}, 396, 843},   {{"Check20", 2}, 249, 836},
    {{"Check20", 3}, 393, 837},   {{"Check20", 4}, 401, 838},   {{"Check20", 6}, 408, 840},
    {{"Check20", 7}, 410, 841},   {{"Check20", 8}, 416, 842},   {{"Check20", 10}, 218, 844},
    {{"Check20", 5}, 407, 839},   {{"Check21", 0}, 394, 846},   {{"Check21", 1}, 406, 847},
    {{"Check21", 2}, 402, 848},   {{"Check21", 6}, 146, 852},   {{"Check21", 3}, 399, 849},
    {{"Check21", 4}, 698, 850},   {{"Check21", 5}, 400, 851},
};

constexpr const char* kExplorerKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer";
constexpr const char* kUserPoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
constexpr const char* kAdvancedKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
constexpr const char* kMachinePoliciesKey = "Software\\Microsoft\\Windows\\CurrentVersion\\policies\\Explorer";

constexpr TweakBinding kSaveStartMenuRestrictions[] = {
    {.control = {"Check20", 0}, .caption = 241, .key = kExplorerKey, .value = "StartMenuAdminTools",
     .kind = StringValues, .ticked = Sz("No"), .clear = Sz("Yes")},
    {.control = {"Check20", 1}, .caption = 235, .key = kUserPoliciesKey, .value = "NoSetFolders", .kind = DwordFlag},
    {.control = {"Check20", 9}, .caption = 396, .key = kUserPoliciesKey, .value = "NoStartMenuMyGames",
     .kind = DwordFlag},
    {.control = {"Check20", 2}, .caption = 249, .key = kUserPoliciesKey, .value = "NoSetTaskbar", .kind = DwordFlag},
    {.control = {"Check20", 3}, .caption = 393, .key = kUserPoliciesKey, .value = "NoCommonGroups", .kind = DwordFlag},
    {.control = {"Check20", 4}, .caption = 401, .key = kUserPoliciesKey, .value = "NoStartMenuNetworkPlaces",
     .kind = DwordFlag},
    {.control = {"Check20", 6}, .caption = 408, .key = kUserPoliciesKey, .value = "NoFind", .kind = DwordFlag},
    {.control = {"Check20", 7}, .caption = 410, .key = kUserPoliciesKey, .value = "NoTrayItemsDisplay",
     .kind = DwordFlag},
    {.control = {"Check20", 8}, .caption = 416, .key = kUserPoliciesKey, .value = "NoToolbarsOnTaskbar",
     .kind = DwordFlag},
    {.control = {"Check20", 10}, .caption = 218, .key = kUserPoliciesKey, .value = "NoSimpleStartMenu",
     .kind = DwordFlag},
    {.control = {"Check20", 5}, .caption = 407, .key = kAdvancedKey, .value = "Start_ShowRun", .kind = DwordInverted},
};

constexpr TweakBinding kSaveDocumentRestrictions[] = {
    {.control = {"Check21", 0}, .caption = 394, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoFavoritesMenu", .kind = DwordFlag},
    {.control = {"Check21", 1}, .caption = 406, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoRecentDocsMenu", .kind = DwordFlag},
    {.control = {"Check21", 2}, .caption = 402, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoNetworkConnections", .kind = DwordFlag},
    {.control = {"Check21", 6}, .caption = 146, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoRecentDocsHistory", .kind = DwordFlag},
    {.control = {"Check21", 3}, .caption = 399, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoSMMyDocs", .kind = DwordFlag},
    {.control = {"Check21", 4}, .caption = 698, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoSMMyPictures", .kind = DwordFlag},
    {.control = {"Check21", 5}, .caption = 400, .root = HKLM, .key = kMachinePoliciesKey,
     .value = "NoStartMenuMyMusic", .kind = DwordFlag},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveStartMenuRestrictions,
                                                      kSaveDocumentRestrictions};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveStartMenuRestrictions},
    {Step::Write, kSaveDocumentRestrictions},
    {Step::Message},
    {Step::SetRestartNeeded},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 493};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 489, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmStartMenu::FrmStartMenu() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmStartMenu::BindEvents() {
  Command51->Click = [this] { Command51_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmStartMenu::ResizeStartMenu() { ScalePageToScreen(*this); }

void FrmStartMenu::Command51_Click() { Save(); }

void FrmStartMenu::Command1_Click() { CloseAndReturn(*this); }
