#include "tweaks/IE3.h"

#include <span>
#include <string>
#include <vector>

#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "tweaks/TweakEngine.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 120, 5040, 3240}},
    {.kind = Kind::Frame, .name = "Frame3", .parent = "Frame1", .rect = {120, 240, 4800, 1440}},
    {.kind = Kind::CommandButton, .name = "Command3", .parent = "Frame3", .rect = {120, 300, 1200, 375}},
    {.kind = Kind::CommandButton, .name = "Command4", .parent = "Frame3", .rect = {1440, 300, 1200, 375}},
    {.kind = Kind::Label, .name = "Label2", .parent = "Frame3", .rect = {120, 780, 4560, 555}},
    {.kind = Kind::Frame, .name = "Frame2", .parent = "Frame1", .rect = {120, 1740, 4800, 1440}},
    {.kind = Kind::CommandButton, .name = "Command1", .parent = "Frame2", .rect = {120, 300, 1200, 375}},
    {.kind = Kind::CommandButton, .name = "Command2", .parent = "Frame2", .rect = {1440, 300, 1200, 375}},
    {.kind = Kind::Label, .name = "Label1", .parent = "Frame2", .rect = {120, 780, 4560, 555}},
    {.kind = Kind::CommandButton, .name = "Command5", .rect = {3600, 3480, 1560, 375},
     .caption = "Close Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "IE3",
                            .caption = "More IE Tweaks",
                            .width = 5400,
                            .height = 4440,
                            .border = ui::BorderStyle::FixedSingle,
                            .minButton = false,
                            .maxButton = false};

constexpr CaptionLine kCaptions[] = {
    {{"Frame1"}, 302},   {{"Frame3"}, 265},   {{"Command3"}, 186}, {{"Command4"}, 111},
    {{"Label2"}, 548},   {{"Frame2"}, 460},   {{"Command1"}, 186}, {{"Command2"}, 111},
    {{"Label1"}, 546},   {{"Command5"}, 65},
};

// Each button writes its row of the browser's version: the Enable buttons the ticked data,
// the Disable buttons the clear data. Version 7 keeps these settings in policy keys, which
// a button creates when they are missing; the browser's own keys are never created.
constexpr const char* kBandPolicy =
    "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SECURITYBAND";
constexpr const char* kBand = "SOFTWARE\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_SECURITYBAND";
constexpr const char* kSecurityPolicy = "SOFTWARE\\Policies\\Microsoft\\Internet Explorer\\Security";
constexpr const char* kSecurity = "SOFTWARE\\Microsoft\\Internet Explorer\\Security";

constexpr Condition kVersion7{.ie = IeTest::Equals, .version = 7};
constexpr Condition kVersion8Up{.ie = IeTest::AtLeast, .version = 8};

constexpr Part kBandPolicyParts[] = {
    {HKLM, kBandPolicy, "(Reserved)", Sz("1"), Sz("0")},
    {HKLM, kBandPolicy, "explorer.exe", Sz("1"), Sz("0")},
    {HKLM, kBandPolicy, "iexplore.exe", Sz("1"), Sz("0")},
};
constexpr Part kBandParts[] = {
    {HKLM, kBand, "(Reserved)", Sz("1"), Sz("0")},
    {HKLM, kBand, "explorer.exe", Sz("1"), Sz("0")},
    {HKLM, kBand, "iexplore.exe", Sz("1"), Sz("0")},
};

constexpr TweakBinding kInformationBar[] = {
    {.control = {"Command3"}, .other = {"Command4"}, .caption = 265, .kind = ButtonWrite,
     .parts = kBandPolicyParts, .when = kVersion7},
    {.control = {"Command3"}, .other = {"Command4"}, .caption = 265, .kind = ButtonWrite,
     .parts = kBandParts, .when = kVersion8Up},
};
constexpr TweakBinding kSecuritySettingsCheck[] = {
    {.control = {"Command1"}, .other = {"Command2"}, .caption = 460, .root = HKLM, .key = kSecurityPolicy,
     .value = "DisableSecuritySettingsCheck", .kind = ButtonWrite, .ticked = Dword(0), .clear = Dword(1),
     .when = kVersion7},
    {.control = {"Command1"}, .other = {"Command2"}, .caption = 460, .root = HKLM, .key = kSecurity,
     .value = "DisableSecuritySettingsCheck", .kind = ButtonWrite, .ticked = Dword(0), .clear = Dword(1),
     .when = kVersion8Up},
};

// Writes the rows of one button and reports: its message when everything was written, the
// values that were not otherwise. Before version 7 nothing applies and nothing is shown.
void Press(std::span<const TweakBinding> rows, bool partner, int message) {
  if (IEMajorVersion < 7) return;
  std::vector<Part> failed;
  for (const TweakBinding& row : rows) WriteButtonRow(row, partner, &failed);
  if (failed.empty()) {
    MsgBox(LoadResString(message), MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
    return;
  }
  std::string text = "These settings could not be saved to the registry:\r\n";
  for (const Part& part : failed) text += "\r\n" + ValuePath(part);
  MsgBox(text, MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
}

}  // namespace

FrmIE3::FrmIE3() : Form(kForm, kDesign) {}

void FrmIE3::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command3->Click = [this] { Command3_Click(); };
  Command4->Click = [this] { Command4_Click(); };
  Command5->Click = [this] { Command5_Click(); };
}

void FrmIE3::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen(*this);
}

void FrmIE3::LoadCaptions() { LoadPageCaptions(*this, 303, kCaptions); }

void FrmIE3::Command1_Click() { Press(kSecuritySettingsCheck, false, 257); }
void FrmIE3::Command2_Click() { Press(kSecuritySettingsCheck, true, 256); }
void FrmIE3::Command3_Click() { Press(kInformationBar, false, 255); }
void FrmIE3::Command4_Click() { Press(kInformationBar, true, 254); }
void FrmIE3::Command5_Click() { Unload(); }
