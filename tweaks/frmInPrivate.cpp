#include "tweaks/frmInPrivate.h"

#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "tweaks/TweakEngine.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def kDesign[] = {
    {.kind = Kind::Label, .name = "Label1", .rect = {120, 120, 6360, 615}},
    {.kind = Kind::OptionButton, .name = "Option1", .rect = {240, 840, 6120, 315}},
    {.kind = Kind::OptionButton, .name = "Option2", .rect = {240, 1240, 6120, 315}},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {120, 1800, 3600, 435}},
};

constexpr ui::FormDef kForm = OptionDialogForm("frmInPrivate", "", 6600, 2400);

// The texts for Internet Explorer 8 and 9.
constexpr CaptionLine kEightTexts[] = {
    {{"Label1"}, 1128}, {{"Option1"}, 1129}, {{"Option2"}, 1130}, {{"Command1"}, 447},
};
constexpr CaptionLine kNineTexts[] = {
    {{"Label1"}, 1145}, {{"Option1"}, 1146}, {{"Option2"}, 1147}, {{"Command1"}, 447},
};

// Internet Explorer 8: the browser's own key (never created); Option1 starts in InPrivate,
// Option2 deletes the start mode and leaves the rest. Internet Explorer 9: a policy key.
constexpr const char* kPrivacyKey = "Software\\Microsoft\\Internet Explorer\\Safety\\PrivacIE";
constexpr const char* kPrivacyPolicyKey = "Software\\Policies\\Microsoft\\Internet Explorer\\Safety\\PrivacIE";
constexpr Part kStartModeParts[] = {
    {HKCU, kPrivacyKey, "StartMode", Dword(1), Deleted},
    {HKCU, kPrivacyKey, "LastMode", Dword(1), Nothing},
    {HKCU, kPrivacyKey, "ShowFirstRun", Dword(0), Nothing},
};

constexpr TweakBinding kInPrivateRows[] = {
    {.control = {"Option1"}, .other = {"Option2"}, .caption = 1131, .root = HKCU, .key = kPrivacyKey,
     .value = "StartMode", .kind = OptionPair, .shown = EqualsOne, .parts = kStartModeParts,
     .when = {IeTest::Equals, 8}},
    {.control = {"Option1"}, .other = {"Option2"}, .caption = 1144, .root = HKCU, .key = kPrivacyPolicyKey,
     .value = "DisableTrackingProtection", .kind = OptionPair, .ticked = Dword(0), .clear = Dword(1),
     .shown = EqualsZero, .when = {IeTest::Equals, 9}},
};

int SavedMessage() { return IEMajorVersion == 8 ? 1132 : 1150; }

}  // namespace

FrmInPrivate::FrmInPrivate() : OptionDialog(kForm, kDesign, kInPrivateRows, SavedMessage) {}

void FrmInPrivate::BindEvents() { Command1->Click = [this] { Command1_Click(); }; }

void FrmInPrivate::LoadTexts() {
  if (IEMajorVersion == 8) LoadPageCaptions(*this, 1131, kEightTexts);
  if (IEMajorVersion == 9) LoadPageCaptions(*this, 1144, kNineTexts);
}

void FrmInPrivate::CheckInPrivate() { ReadRows(); }

void FrmInPrivate::Command1_Click() { Save(); }
