#include "tweaks/IE2.h"

#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "tweaks/TweakEngine.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 120, 6360, 1560}, .caption = "Phishing Filter Control"},
    {.kind = Kind::OptionButton, .name = "Option1", .parent = "Frame1", .rect = {240, 300, 6000, 315}},
    {.kind = Kind::OptionButton, .name = "Option2", .parent = "Frame1", .rect = {240, 700, 6000, 315}},
    {.kind = Kind::OptionButton, .name = "Option3", .parent = "Frame1", .rect = {240, 1100, 6000, 315}},
    {.kind = Kind::CommandButton, .name = "Command5", .rect = {120, 1800, 3600, 435},
     .caption = "Save Phishing Filter Preferences"},
};

constexpr ui::FormDef kForm = OptionDialogForm("IE2", "Internet Explorer", 6600, 2400);

constexpr CaptionLine kCaptions[] = {
    {{"Frame1"}, 354},   {{"Option1"}, 163}, {{"Option2"}, 567},
    {{"Option3"}, 568},  {{"Command5"}, 445, 873},
};

// Internet Explorer 7 keeps the filter in "Enabled" (0 off, 1 manual, 2 automatic); every
// other version in "EnabledV8" (0 off, 1 on). The key is the browser's own: never created.
constexpr const char* kPhishingFilterKey = "Software\\Microsoft\\Internet Explorer\\PhishingFilter";
constexpr Option kSevenOptions[] = {{{"Option1"}, 0}, {{"Option2"}, 1}, {{"Option3"}, 2}};
constexpr Option kOtherOptions[] = {{{"Option1"}, 0}, {{"Option2"}, 1}};

constexpr TweakBinding kFilterRows[] = {
    {.control = {"Option1"}, .caption = 354, .root = HKCU, .key = kPhishingFilterKey, .value = "Enabled",
     .kind = OptionGroup, .options = kSevenOptions, .when = {IeTest::Equals, 7}},
    {.control = {"Option1"}, .caption = 1105, .root = HKCU, .key = kPhishingFilterKey, .value = "EnabledV8",
     .kind = OptionGroup, .options = kOtherOptions, .when = {IeTest::NotEquals, 7}},
};

int SavedMessage() { return IEMajorVersion == 7 ? 628 : 1104; }

}  // namespace

FrmIE2::FrmIE2() : OptionDialog(kForm, kDesign, kFilterRows, SavedMessage) {}

void FrmIE2::BindEvents() { Command5->Click = [this] { Command5_Click(); }; }

void FrmIE2::LoadTexts() {
  LoadPageCaptions(*this, 269, kCaptions);
  if (IEMajorVersion > 7) {
    Frame1->SetCaption(LoadResString(1105));
    Option1->SetCaption(LoadResString(1106));
    Option2->SetCaption(LoadResString(1107));
    Command5->SetCaption(LoadResString(1108));
  }
  // The third option exists only for Internet Explorer 7: the other versions' value has two.
  if (IEMajorVersion != 7) Option3->SetVisible(false);
}

void FrmIE2::Command5_Click() { Save(); }
