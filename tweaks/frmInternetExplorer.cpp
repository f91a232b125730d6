#include "tweaks/frmInternetExplorer.h"

#include <cmath>

#include "platform/process.h"
#include "platform/system_facts.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/WindowFinder.h"
#include "tweaks/IE2.h"
#include "tweaks/RunAndReport.h"
#include "tweaks/TweakEngine.h"
#include "tweaks/frmInPrivate.h"

namespace {

using ui::Def;
using ui::Kind;
using namespace tweaks;

// ---- design ---------------------------------------------------------------------------

constexpr Def Box(const char* name, int index, const char* frame, int row) {
  return {.kind = Kind::CheckBox, .name = name, .index = index, .parent = frame,
          .rect = {240, 300.0f + 300.0f * static_cast<float>(row), 5040, 285}};
}

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame18", .rect = {120, 120, 11520, 5880}, .caption = "Internet Explorer"},
    {.kind = Kind::Frame, .name = "Frame12", .parent = "Frame18", .rect = {240, 240, 5520, 5520},
     .caption = "Control Panel Restrictions"},
    Box("Check1", 22, "Frame12", 0),  Box("Check1", 21, "Frame12", 1),  Box("Check1", 6, "Frame12", 2),
    Box("Check1", 17, "Frame12", 3),  Box("Check1", 18, "Frame12", 4),  Box("Check1", 19, "Frame12", 5),
    Box("Check1", 20, "Frame12", 6),  Box("Check1", 12, "Frame12", 7),  Box("Check1", 11, "Frame12", 8),
    Box("Check1", 10, "Frame12", 9),  Box("Check1", 9, "Frame12", 10),  Box("Check1", 8, "Frame12", 11),
    Box("Check1", 7, "Frame12", 12),  Box("Check1", 14, "Frame12", 13), Box("Check1", 13, "Frame12", 14),
    Box("Check1", 15, "Frame12", 15), Box("Check1", 16, "Frame12", 16),
    {.kind = Kind::Frame, .name = "Frame11", .parent = "Frame18", .rect = {5880, 240, 5520, 5520},
     .caption = "Browser Restrictions"},
    Box("Check10", 0, "Frame11", 0),   Box("Check10", 9, "Frame11", 1),   Box("Check10", 8, "Frame11", 2),
    Box("Check10", 7, "Frame11", 3),   Box("Check10", 6, "Frame11", 4),   Box("Check10", 5, "Frame11", 5),
    Box("Check10", 4, "Frame11", 6),   Box("Check10", 3, "Frame11", 7),   Box("Check10", 15, "Frame11", 8),
    Box("Check10", 14, "Frame11", 9),  Box("Check10", 13, "Frame11", 10), Box("Check10", 12, "Frame11", 11),
    Box("Check10", 11, "Frame11", 12), Box("Check10", 1, "Frame11", 13),  Box("Check10", 2, "Frame11", 14),
    Box("Check10", 10, "Frame11", 15),
    {.kind = Kind::CommandButton, .name = "Command6", .rect = {120, 6120, 1560, 495}, .caption = "Save Settings"},
    {.kind = Kind::CommandButton, .name = "Command8", .rect = {1728, 6120, 1800, 495}, .caption = "Phishing Filter"},
    {.kind = Kind::CommandButton, .name = "Command2", .rect = {3576, 6120, 2280, 495},
     .caption = "IE8 InPrivate Filtering"},
    {.kind = Kind::CommandButton, .name = "Command10", .rect = {5904, 6120, 2040, 495},
     .caption = "Erase IE Internet Files"},
    {.kind = Kind::CommandButton, .name = "Command21", .rect = {7992, 6120, 1800, 495}, .caption = "Flush DNS Cache"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {9840, 6120, 1800, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmInternetExplorer",
                            .caption = "Internet Explorer Tweaks",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 11760,
                            .clientHeight = 6780};

constexpr CaptionLine kCaptions[] = {
    {{"Frame18"}, 269},       {{"Frame11"}, 438},       {{"Frame12"}, 74},
    {{"Check1", 22}, 231, 769}, {{"Check1", 21}, 236, 770}, {{"Check1", 6}, 239, 775},
    {{"Check1", 17}, 234, 774}, {{"Check1", 18}, 238, 773}, {{"Check1", 19}, 237, 772},
    {{"Check1", 20}, 232, 771}, {{"Check1", 12}, 123, 781}, {{"Check1", 11}, 150, 780},
    {{"Check1", 10}, 145, 779}, {{"Check1", 9}, 149, 778},  {{"Check1", 8}, 143, 777},
    {{"Check1", 7}, 133, 776},  {{"Check1", 14}, 144, 783}, {{"Check1", 13}, 125, 782},
    {{"Check1", 15}, 153, 784}, {{"Check1", 16}, 148, 785},
    {{"Check10", 0}, 124, 767},  {{"Check10", 9}, 119, 760},  {{"Check10", 8}, 120, 761},
    {{"Check10", 7}, 121, 762},  {{"Check10", 6}, 128, 763},  {{"Check10", 5}, 129, 764},
    {{"Check10", 4}, 130, 765},  {{"Check10", 3}, 131, 766},  {{"Check10", 15}, 136, 755},
    {{"Check10", 14}, 138, 756}, {{"Check10", 13}, 127, 757}, {{"Check10", 12}, 154, 758},
    {{"Check10", 11}, 157, 759}, {{"Check10", 1}, 142, 754},  {{"Check10", 2}, 118, 753},
    {{"Check10", 10}, 374, 752},
    {{"Command6"}, 446, 768},  {{"Command8"}, 353},      {{"Command2"}, 1126},
    {{"Command10"}, 196, 787}, {{"Command21"}, 213, 788}, {{"Command1"}, 64},
};

// ---- rows, writer by writer in Save order ---------------------------------------------

constexpr const char* kControlPanelKey = "Software\\Policies\\Microsoft\\Internet Explorer\\Control Panel";
constexpr const char* kRestrictionsKey = "Software\\Policies\\Microsoft\\Internet Explorer\\Restrictions";

constexpr TweakBinding Flag(const char* box, int index, int caption, const char* key, const char* value,
                            tweaks::Kind kind = DwordFlag) {
  return {.control = {box, index}, .caption = caption, .root = HKCU, .key = key, .value = value, .kind = kind};
}

constexpr TweakBinding kSaveIEControlPanelRestrictions[] = {
    Flag("Check1", 22, 231, kControlPanelKey, "Accessibility"),
    Flag("Check1", 21, 236, kControlPanelKey, "GeneralTab"),
    Flag("Check1", 6, 239, kControlPanelKey, "SecurityTab"),
    Flag("Check1", 17, 234, kControlPanelKey, "ContentTab"),
    Flag("Check1", 18, 238, kControlPanelKey, "ProgramsTab"),
    Flag("Check1", 19, 237, kControlPanelKey, "PrivacyTab"),
    Flag("Check1", 20, 232, kControlPanelKey, "AdvancedTab"),
    Flag("Check1", 12, 123, kControlPanelKey, "CertifPers"),
    Flag("Check1", 11, 150, kControlPanelKey, "CertifSite"),
    Flag("Check1", 10, 145, kControlPanelKey, "CertifPub"),
    Flag("Check1", 9, 149, kControlPanelKey, "SecChangeSettings"),
    Flag("Check1", 8, 143, kControlPanelKey, "Privacy Settings"),
    Flag("Check1", 7, 133, kControlPanelKey, "FormSuggest", DwordFlagOrDelete),
    Flag("Check1", 14, 144, kControlPanelKey, "FormSuggest Passwords", DwordFlagOrDelete),
    Flag("Check1", 13, 125, kControlPanelKey, "Connwiz Admin Lock"),
    Flag("Check1", 15, 153, kControlPanelKey, "Settings"),
    Flag("Check1", 16, 148, kControlPanelKey, "Advanced"),
};

constexpr TweakBinding kSaveBrowserRestrictions[] = {
    Flag("Check10", 0, 124, kRestrictionsKey, "NoBrowserClose"),
    Flag("Check10", 9, 119, kRestrictionsKey, "NoBrowserContextMenu"),
    Flag("Check10", 8, 120, kRestrictionsKey, "NoBrowserOptions"),
    Flag("Check10", 7, 121, kRestrictionsKey, "NoBrowserSaveAs"),
    Flag("Check10", 6, 128, kRestrictionsKey, "NoFavorites"),
    Flag("Check10", 5, 129, kRestrictionsKey, "NoFileNew"),
    Flag("Check10", 4, 130, kRestrictionsKey, "NoFileOpen"),
    Flag("Check10", 3, 131, kRestrictionsKey, "NoFindFiles"),
    Flag("Check10", 15, 136, kRestrictionsKey, "NoHelpMenu"),
    Flag("Check10", 14, 138, kRestrictionsKey, "NoNavButtons"),
    Flag("Check10", 13, 127, kRestrictionsKey, "NoSelectDownloadDir"),
    Flag("Check10", 12, 154, kRestrictionsKey, "NoTheaterMode"),
    Flag("Check10", 11, 157, kRestrictionsKey, "NoViewSource"),
    Flag("Check10", 1, 142, kRestrictionsKey, "NoPrinting"),
    Flag("Check10", 2, 118, kRestrictionsKey, "NoBrowserBars"),
    Flag("Check10", 10, 374, kRestrictionsKey, "AlwaysPromptWhenDownload"),
};

constexpr SaveStep kSaveSteps[] = {
    {Step::Write, kSaveIEControlPanelRestrictions},
    {Step::Write, kSaveBrowserRestrictions},
    {Step::Message},
};
constexpr TweakSave kSave{.steps = kSaveSteps, .message = 272};

constexpr const char* kDeleteBrowsingHistory = "RunDll32.exe InetCpl.cpl,ShowDeleteBrowsingHistoryDialog";
constexpr const char* kFlushDns = "ipconfig /flushdns";

// The screen size in pixels as the page measures it: the size in twips, rounded, divided
// by the whole twips per pixel.
int ScreenPixels(int pixels) {
  const double twipsPerPixel = platform::TwipsPerPixel();
  const long twips = std::lround(pixels * twipsPerPixel);
  const long perPixel = std::lround(twipsPerPixel);
  return perPixel ? static_cast<int>(twips / perPixel) : pixels;
}

}  // namespace

FrmInternetExplorer::FrmInternetExplorer() : Page(kForm, kDesign) {}

void FrmInternetExplorer::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command2->Click = [this] { Command2_Click(); };
  Command6->Click = [this] { Command6_Click(); };
  Command8->Click = [this] { Command8_Click(); };
  Command10->Click = [this] { Command10_Click(); };
  Command21->Click = [this] { Command21_Click(); };
}

void FrmInternetExplorer::Form_Load() {
  LoadCaptions();
  // The two dialog buttons by the browser's version.
  if (IEMajorVersion == 8 || IEMajorVersion == 9) {
    Command8->SetCaption(LoadResString(1109));
    Command8->SetToolTipText(LoadResString(1159));
  }
  if (IEMajorVersion < 8) {
    Command8->SetToolTipText(LoadResString(786));
    Command2->SetVisible(false);
  }
  if (IEMajorVersion == 9) Command2->SetCaption(LoadResString(1148));
  ResizeInternetExplorer();
  ReadBrowserRestrictions();
  ReadIEControlPanelRestrictions();
}

void FrmInternetExplorer::LoadCaptions() {
  LoadPageCaptions(*this, 270, kCaptions);
  if (IEMajorVersion == 8) Command2->SetToolTipText(LoadResString(1127));
  if (IEMajorVersion == 9) Command2->SetToolTipText(LoadResString(1149));
}

void FrmInternetExplorer::ReadBrowserRestrictions() { ReadTweaks(*this, kSaveBrowserRestrictions); }

void FrmInternetExplorer::ReadIEControlPanelRestrictions() {
  ReadTweaks(*this, kSaveIEControlPanelRestrictions);
}

void FrmInternetExplorer::ResizeInternetExplorer() { ScalePageToScreen(*this); }

void FrmInternetExplorer::Command1_Click() { CloseAndReturn(*this); }

void FrmInternetExplorer::Command6_Click() { RunSave(*this, kSave); }

void FrmInternetExplorer::Command8_Click() { IE2->Show(ui::vbModeless, this); }

void FrmInternetExplorer::Command2_Click() { frmInPrivate->Show(ui::vbModeless, this); }

void FrmInternetExplorer::Command10_Click() {
  platform::RunProcess(kDeleteBrowsingHistory, SW_SHOWNORMAL, 0);
  HWND dialog = FindWindowByTitle(LoadResString(98));
  if (!dialog) return;
  RECT client{};
  GetClientRect(dialog, &client);
  const int width = client.right - client.left, height = client.bottom - client.top;
  const int screenWidth = ScreenPixels(platform::systemFacts().ScreenWidth());
  const int screenHeight = ScreenPixels(platform::systemFacts().ScreenHeight());
  // Halves go to the even neighbour.
  const int x = static_cast<int>(std::nearbyint((screenWidth - width) / 2.0));
  const int y = static_cast<int>(std::nearbyint((screenHeight - height) / 2.0));
  SetWindowPos(dialog, HWND_TOP, x, y, 0, 0, SWP_NOSIZE);
}

void FrmInternetExplorer::Command21_Click() {
  ctlService1.SetServiceName("Dnscache");
  if (ctlService1.QueryService() == "Started") {
    FlushDnsCache(SW_SHOWMINIMIZED);
    return;
  }
  if (MsgBox(LoadResString(91), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) return;
  ctlService1.SetStartType(SERVICE_AUTO_START);
  ctlService1.StartService();
  if (ctlService1.QueryService() != "Started") {
    MsgBox("The DNS Client service (Dnscache) could not be started, so the DNS cache was not flushed.",
           MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  if (MsgBox(LoadResString(90), MB_YESNO | MB_ICONINFORMATION) != IDYES) return;
  FlushDnsCache(SW_HIDE);
}

void FrmInternetExplorer::FlushDnsCache(int showCommand) {
  RunCommandAndReport(kFlushDns, showCommand, LoadResString(89), MB_ICONINFORMATION);
}
