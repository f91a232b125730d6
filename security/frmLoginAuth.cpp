#include "security/frmLoginAuth.h"

#include "shell/LayoutScaling.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def Box(int index, float left, int row) {
  return CheckBoxDef("Check9", index, "Frame8", 1, left, 360 + row * 420.0f, 5280);
}

constexpr float kLeft = 240, kRight = 5640;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame50", .index = 2, .rect = {120, 120, 11640, 3960}, .caption = "Login"},
    {.kind = Kind::Frame, .name = "Frame8", .index = 1, .parent = "Frame50", .parentIndex = 2,
     .rect = {240, 300, 11160, 3000}, .caption = "Login and Authentication"},
    Box(3, kLeft, 0), Box(6, kLeft, 1), Box(14, kLeft, 2), Box(9, kLeft, 3), Box(12, kLeft, 4),
    Box(1, kLeft, 5), Box(2, kRight, 0), Box(7, kRight, 1), Box(8, kRight, 2), Box(10, kRight, 3),
    Box(13, kRight, 4), Box(11, kRight, 5),
    {.kind = Kind::CommandButton, .name = "Command55", .parent = "Frame50", .parentIndex = 2,
     .rect = {240, 3360, 3000, 435}, .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command1", .parent = "Frame50", .parentIndex = 2,
     .rect = {8400, 3360, 3000, 435}, .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmLoginAuth",
                            .caption = "Login and Authentication Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11880,
                            .clientHeight = 4200};

// String 0 is a real entry: the recovery-console box's tool tip.
constexpr CaptionLine kCaptions[] = {
    {{"Frame50", 2}, 286},       {{"Frame8", 1}, 287},        {{"Command55"}, 446},
    {{"Command1"}, 64},          {{"Check9", 3}, 192, 795},   {{"Check9", 6}, 485, 793},
    {{"Check9", 14}, 23, 892},   {{"Check9", 9}, 164, 790},   {{"Check9", 12}, 433, 894},
    {{"Check9", 1}, 38, 0},      {{"Check9", 2}, 140, 794},   {{"Check9", 7}, 139, 792},
    {{"Check9", 8}, 418, 791},   {{"Check9", 10}, 162, 789},  {{"Check9", 13}, 577, 895},
    {{"Check9", 11}, 419, 893},
};

// The first key is spelled with a lower-case "system", the last with "System": two groups.
constexpr const char* kPolicySystemKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\system";
constexpr const char* kNetworkKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Network";
constexpr const char* kWinlogonKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

// Verbose status messages: status messages are never switched off by this box.
constexpr Part kVerboseParts[] = {
    {HKLM, kPolicySystemKey, "VerboseStatus", Dword(1), Dword(0), NotZero},
    {HKLM, kPolicySystemKey, "DisableStatusMessages", Dword(0), Dword(0)},
};

constexpr TweakBinding kSaveLoginAuthSettings[] = {
    {.control = {"Check9", 3}, .caption = 192, .root = HKLM, .key = kPolicySystemKey,
     .value = "ShutdownWithoutLogon", .kind = DwordFlag},
    {.control = {"Check9", 6}, .caption = 485, .kind = MultiValue, .parts = kVerboseParts},
    {.control = {"Check9", 14}, .caption = 23, .root = HKLM, .key = kPolicySystemKey,
     .value = "UndockWithoutLogon", .kind = DwordFlag},
    {.control = {"Check9", 9}, .caption = 164, .root = HKLM, .key = kPolicySystemKey,
     .value = "DisableLockWorkstation", .kind = DwordFlag},
    {.control = {"Check9", 12}, .caption = 433, .root = HKLM, .key = kPolicySystemKey,
     .value = "DontDisplayLastUserName", .kind = DwordFlag},
    {.control = {"Check9", 1}, .caption = 38, .root = HKLM,
     .key = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Setup\\RecoveryConsole",
     .value = "SecurityLevel", .kind = DwordFlag},
    {.control = {"Check9", 2}, .caption = 140, .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
     .value = "DisablePasswordCaching", .kind = DwordFlag},
    {.control = {"Check9", 7}, .caption = 139, .root = HKLM, .key = kNetworkKey, .value = "DisablePwdCaching",
     .kind = DwordFlag},
    {.control = {"Check9", 8}, .caption = 418, .root = HKLM, .key = kNetworkKey, .value = "AlphanumPwds",
     .kind = DwordFlag},
    {.control = {"Check9", 10}, .caption = 162, .root = HKLM, .key = kWinlogonKey, .value = "IgnoreShiftOverride",
     .kind = StringValues, .ticked = Sz("1"), .clear = Sz("0")},
    {.control = {"Check9", 13}, .caption = 577, .root = HKLM, .key = kWinlogonKey, .value = "ForceUnlockLogon",
     .kind = DwordFlag},
    {.control = {"Check9", 11}, .caption = 419, .root = HKLM,
     .key = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", .value = "DisableCAD",
     .kind = DwordInverted, .shown = EqualsZero},
};

constexpr std::span<const TweakBinding> kReaders[] = {kSaveLoginAuthSettings};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveLoginAuthSettings},
    {Step::Message},
    {Step::SetRestartNeeded},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 289};

constexpr RestrictionPage::Contents kContents{
    .windowCaption = 288, .captions = kCaptions, .readers = kReaders, .save = &kSave};

}  // namespace

FrmLoginAuth::FrmLoginAuth() : RestrictionPage(kForm, kDesign, kContents) {}

void FrmLoginAuth::BindEvents() {
  Command55->Click = [this] { Command55_Click(); };
  Command1->Click = [this] { Command1_Click(); };
}

void FrmLoginAuth::ResizeLoginAuth() { ScalePageToScreen(*this); }

void FrmLoginAuth::Command55_Click() { Save(); }

void FrmLoginAuth::Command1_Click() { CloseAndReturn(*this); }
