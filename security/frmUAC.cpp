#include "security/frmUAC.h"

#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def Choice(const char* name, const char* frame, int row) {
  return {.kind = Kind::OptionButton, .name = name, .parent = frame,
          .rect = {240, 960 + row * 420.0f, 5040, 315}};
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame14", .rect = {120, 120, 11640, 6720},
     .caption = "Quenvor User Account Control Center"},
    {.kind = Kind::Frame, .name = "Frame52", .parent = "Frame14", .rect = {240, 300, 11160, 1860},
     .caption = "UAC Settings"},
    {.kind = Kind::CheckBox, .name = "Check24", .parent = "Frame52", .rect = {240, 300, 10680, 315}},
    CheckBoxDef("Check25", 0, "Frame52", -1, 240, 660, 10680),
    CheckBoxDef("Check25", 4, "Frame52", -1, 240, 1020, 10680),
    CheckBoxDef("Check25", 5, "Frame52", -1, 240, 1380, 10680),
    {.kind = Kind::Frame, .name = "Frame36", .parent = "Frame14", .rect = {240, 2280, 5520, 4200},
     .caption = "Prompt Behavior for Administrators"},
    {.kind = Kind::Label, .name = "Label17", .parent = "Frame36", .rect = {240, 300, 5040, 555}},
    Choice("Option3", "Frame36", 0), Choice("Option4", "Frame36", 1), Choice("Option5", "Frame36", 2),
    Choice("Option8", "Frame36", 3), Choice("Option1", "Frame36", 4), Choice("Option2", "Frame36", 5),
    {.kind = Kind::Frame, .name = "Frame37", .parent = "Frame14", .rect = {5880, 2280, 5520, 4200},
     .caption = "Prompt Behavior for Users"},
    {.kind = Kind::Label, .name = "Label18", .parent = "Frame37", .rect = {240, 300, 5040, 555}},
    Choice("Option6", "Frame37", 0), Choice("Option7", "Frame37", 1), Choice("Option9", "Frame37", 2),
    {.kind = Kind::CommandButton, .name = "Command29", .rect = {120, 7020, 3000, 495},
     .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8760, 7020, 3000, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmUAC",
                            .caption = "Quenvor User Account Control Center",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 7680};

constexpr CaptionLine kCaptions[] = {
    {{"Frame14"}, 603},           {{"Frame52"}, 573},           {{"Frame36"}, 372},
    {{"Frame37"}, 373},           {{"Command29"}, 446},         {{"Command1"}, 64},
    {{"Check24"}, 155, 872},      {{"Check25", 0}, 108, 870},   {{"Check25", 4}, 509, 869},
    {{"Check25", 5}, 591, 871},   {{"Label17"}, 46, 866},       {{"Label18"}, 47, 868},
    {{"Option3"}, 185, 865},      {{"Option4"}, 377, 864},      {{"Option5"}, 376, 863},
    {{"Option8"}, 1137, 1140},    {{"Option1"}, 1138, 1141},    {{"Option2"}, 1139, 1142},
    {{"Option6"}, 39, 896},       {{"Option7"}, 377, 867},      {{"Option9"}, 1137, 1143},
};

constexpr const char* kSystemKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";

constexpr Option kAdministrators[] = {{{"Option3"}, 0}, {{"Option4"}, 1}, {{"Option5"}, 2},
                                      {{"Option8"}, 3}, {{"Option1"}, 4}, {{"Option2"}, 5}};
constexpr Option kUsers[] = {{{"Option6"}, 0}, {{"Option7"}, 1}, {{"Option9"}, 3}};

// What the page shows for a key it could not read, or for a value stored as another type
// than REG_DWORD, is a guess (UAC off, elevation without a prompt): these rows are written
// only where the key and the value were read.
constexpr TweakBinding kSaveUACSettings[] = {
    {.control = {"Check24"}, .caption = 155, .root = HKLM, .key = kSystemKey, .value = "EnableLUA",
     .kind = DwordInverted, .onlyWhereRead = true},
    {.control = {"Check25", 0}, .caption = 108, .root = HKLM, .key = kSystemKey,
     .value = "EnableInstallerDetection", .kind = DwordFlag, .onlyWhereRead = true},
    {.control = {"Check25", 4}, .caption = 509, .root = HKLM, .key = kSystemKey,
     .value = "PromptOnSecureDesktop", .kind = DwordFlag, .onlyWhereRead = true},
    {.control = {"Check25", 5}, .caption = 591, .root = HKLM, .key = kSystemKey,
     .value = "EnableVirtualization", .kind = DwordFlag, .onlyWhereRead = true},
    {.control = {"Option3"}, .caption = 372, .root = HKLM, .key = kSystemKey,
     .value = "ConsentPromptBehaviorAdmin", .kind = OptionGroup, .options = kAdministrators,
     .onlyWhereRead = true},
    {.control = {"Option6"}, .caption = 373, .root = HKLM, .key = kSystemKey,
     .value = "ConsentPromptBehaviorUser", .kind = OptionGroup, .options = kUsers,
     .onlyWhereRead = true},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveUACSettings};

constexpr SaveStep kSaveSteps[] = {
    {Step::SetRestartNeeded},
    {Step::Write, kSaveUACSettings},
    {Step::Message},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 588};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 603, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmUAC::FrmUAC() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmUAC::BindEvents() {
  Command29->Click = [this] { Command29_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmUAC::ResizeUAC() { ScalePageToScreen(*this); }

void FrmUAC::Command29_Click() { Save(); }

void FrmUAC::Command1_Click() { CloseAndReturn(*this); }
