#include "services/frmServices.h"

#include "resources/picture_ids.h"
#include "services/PrefetchFiles.h"
#include "services/ServicePresets.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"

// The service control's StartService, not the service manager's StartServiceA.

using services::kKnownServices;
using services::Preset;

struct FrmServices::PresetButton {
  Preset preset;
  Preset silentPreset;     // the list of a run under the Auto Tuner
  bool silentInAutoTune;   // no question and no closing message while the Auto Tuner runs
  bool emptiesList;
  int question, questionEnd, title;  // strings
  UINT questionStyle;
  int progressText;  // string
};

struct FrmServices::Action {
  int progressText;  // string
  bool stop;
  int startType;  // 0: not changed
  bool start;
  bool restartNeeded;
};

namespace {

using ui::Def;
using ui::Kind;

// ---- design ---------------------------------------------------------------------------

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame19", .rect = {120, 60, 10560, 7440}, .caption = "Windows 7 Services"},
    {.kind = Kind::PictureBox, .name = "Picture1", .parent = "Frame19", .rect = {120, 240, 10320, 7080}},
    {.kind = Kind::Custom, .name = "ListView1", .parent = "Picture1", .rect = {0, 0, 6960, 4560},
     .fontSize = 8.25, .value = ui::kListCheckBoxes | ui::kListMultiSelect, .fontName = "MS Sans Serif",
     .customClass = ui::kListViewClass},
    {.kind = Kind::CommandButton, .name = "Command12", .parent = "Picture1", .rect = {7200, 0, 3000, 495},
     .caption = "Query Running Services"},
    {.kind = Kind::CommandButton, .name = "Command17", .parent = "Picture1", .rect = {7200, 600, 3000, 495},
     .caption = "Query Stopped Services"},
    {.kind = Kind::CommandButton, .name = "Command18", .parent = "Picture1", .rect = {7200, 1200, 3000, 495},
     .caption = "Start Selected Services"},
    {.kind = Kind::CommandButton, .name = "Command13", .parent = "Picture1", .rect = {7200, 1800, 3000, 495},
     .caption = "Stop Selected Services"},
    {.kind = Kind::CommandButton, .name = "Command14", .parent = "Picture1", .rect = {7200, 2400, 3000, 495},
     .caption = "Stop and Disable Selected Services"},
    {.kind = Kind::CommandButton, .name = "Command16", .parent = "Picture1", .rect = {7200, 3000, 3000, 495},
     .caption = "Set To Manual"},
    {.kind = Kind::Frame, .name = "Frame45", .index = 1, .parent = "Picture1", .rect = {0, 4680, 6960, 1560},
     .caption = "Services AutoTuner"},
    {.kind = Kind::CommandButton, .name = "Command68", .parent = "Frame45", .parentIndex = 1,
     .rect = {240, 300, 2040, 495}, .caption = "Safe"},
    {.kind = Kind::CommandButton, .name = "Command67", .parent = "Frame45", .parentIndex = 1,
     .rect = {2460, 300, 2040, 495}, .caption = "Tweaked"},
    {.kind = Kind::CommandButton, .name = "Command65", .parent = "Frame45", .parentIndex = 1,
     .rect = {4680, 300, 2040, 495}, .caption = "Default"},
    {.kind = Kind::Label, .name = "Label24", .parent = "Frame45", .parentIndex = 1,
     .rect = {240, 900, 6480, 495}, .caption = "Clicking on a button above will give an explanation about what each one does.",
     .style = ui::kCenter},
    {.kind = Kind::Image, .name = "Image1", .parent = "Picture1", .rect = {7740, 4320, 1920, 1920},
     .style = ui::kStretch, .picture = IDB_TWEAKS_10},
    {.kind = Kind::CommandButton, .name = "Command1", .parent = "Picture1", .rect = {2280, 6420, 2400, 495},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmServices",
                            .caption = "7 Service Manager",
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false,
                            .clientWidth = 10800,
                            .clientHeight = 7620};

// In the order they are set.
constexpr CaptionLine kCaptions[] = {
    {{"Frame19"}, 620},         {{"Command1"}, 64},         {{"Command13"}, 502, 826},
    {{"Command14"}, 504, 827},  {{"Command16"}, 477, 828},  {{"Command17"}, 379, 829},
    {{"Command18"}, 494, 830},  {{"Command12"}, 378, 831},  {{"Frame45", 1}, 471},
    {{"Command68"}, 443},       {{"Command67"}, 360},       {{"Command65"}, 93},
    {{"Label24"}, 62},
};

// ---- the presets and the actions ---------------------------------------------------------

constexpr FrmServices::PresetButton kDefaultButton{
    .preset = Preset::Default, .silentPreset = Preset::Default, .silentInAutoTune = true,
    .emptiesList = true, .question = 559, .questionEnd = 178, .title = 94,
    .questionStyle = MB_YESNO | MB_ICONINFORMATION, .progressText = 32};
constexpr FrmServices::PresetButton kTweakedButton{
    .preset = Preset::Tweaked, .silentPreset = Preset::Tweaked, .silentInAutoTune = false,
    .emptiesList = false, .question = 551, .questionEnd = 177, .title = 473,
    .questionStyle = MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL, .progressText = 33};
constexpr FrmServices::PresetButton kSafeButton{
    .preset = Preset::Safe, .silentPreset = Preset::SilentSafe, .silentInAutoTune = true,
    .emptiesList = false, .question = 554, .questionEnd = 623, .title = 474,
    .questionStyle = MB_YESNO | MB_ICONINFORMATION | MB_SYSTEMMODAL, .progressText = 34};

constexpr FrmServices::Action kStop{.progressText = 506, .stop = true, .startType = 0, .start = false,
                                    .restartNeeded = false};
constexpr FrmServices::Action kStopAndDisable{.progressText = 506, .stop = true, .startType = 4,
                                              .start = false, .restartNeeded = true};
constexpr FrmServices::Action kSetToManual{.progressText = 54, .stop = true, .startType = 3, .start = false,
                                           .restartNeeded = true};
constexpr FrmServices::Action kStart{.progressText = 497, .stop = false, .startType = 2, .start = true,
                                     .restartNeeded = true};

}  // namespace

FrmServices::FrmServices() : Page(kForm, kDesign) {}

void FrmServices::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Command12->Click = [this] { Command12_Click(); };
  Command13->Click = [this] { Command13_Click(); };
  Command14->Click = [this] { Command14_Click(); };
  Command16->Click = [this] { Command16_Click(); };
  Command17->Click = [this] { Command17_Click(); };
  Command18->Click = [this] { Command18_Click(); };
  Command65->Click = [this] { Command65_Click(); };
  Command67->Click = [this] { Command67_Click(); };
  Command68->Click = [this] { Command68_Click(); };
}

void FrmServices::Form_Load() {
  LoadCaptions();
  ResizeServices();
}

void FrmServices::LoadCaptions() { LoadPageCaptions(*this, 592, kCaptions); }

void FrmServices::ResizeServices() { ScalePageToScreen(*this); }

void FrmServices::Command1_Click() { Unload(); }

// ---- listings and actions ------------------------------------------------------------

void FrmServices::Command12_Click() { ListServices("Started"); }
void FrmServices::Command17_Click() { ListServices("Stopped"); }
void FrmServices::Command13_Click() { ActOnTickedRows(kStop); }
void FrmServices::Command14_Click() { ActOnTickedRows(kStopAndDisable); }
void FrmServices::Command16_Click() { ActOnTickedRows(kSetToManual); }
void FrmServices::Command18_Click() { ActOnTickedRows(kStart); }

void FrmServices::ListServices(const char* status) {
  ui::ListView& list = *ListView1;
  ui::ListView::RedrawOff quiet(list);
  list.Clear();
  ListedServiceKeys.clear();
  for (const auto& service : kKnownServices) {
    ctlService1.SetServiceName(service.key);
    if (ctlService1.QueryService() != status) continue;
    list.AddItem(service.displayName);
    ListedServiceKeys.push_back(service.key);
  }
}

void FrmServices::ActOnTickedRows(const Action& action) {
  ui::ListView& list = *ListView1;
  const int rows = list.ItemCount();
  frmprogress->Show();
  frmprogress->SetCaption(LoadResString(action.progressText));
  frmprogress->ProgressBar1->SetMax(rows);
  for (int row = 1; row <= rows; ++row) {
    frmprogress->Advance();
    if (!list.Item(row).Checked()) continue;
    ctlService1.SetServiceName(ListedServiceKeys[row - 1]);
    if (action.stop) ctlService1.StopService();
    if (action.startType) ctlService1.SetStartType(action.startType);
    if (action.start) ctlService1.StartService();
  }
  frmprogress->Unload();
  if (action.restartNeeded) RestartNeeded = true;
}

// ---- presets ---------------------------------------------------------------------------

void FrmServices::Command65_Click() { RunPreset(kDefaultButton); }
void FrmServices::Command67_Click() { RunPreset(kTweakedButton); }
void FrmServices::Command68_Click() { RunPreset(kSafeButton); }

void FrmServices::RunPreset(const PresetButton& button) {
  const bool silent = button.silentInAutoTune && AutoTuneMode;
  if (!silent) {
    const std::string question = LoadResString(button.question) + "\r\n\r\n" + LoadResString(button.questionEnd);
    if (MsgBox(question, button.questionStyle, LoadResString(button.title)) != IDYES) return;
  }
  // The run works on the page's list and service control: the Auto Tuner's call loads the
  // page, which then stays loaded and hidden.
  EnsureLoaded();
  if (button.emptiesList) {
    ListView1->Clear();
    ListedServiceKeys.clear();
  }
  frmprogress->Show();
  frmprogress->SetCaption(LoadResString(button.progressText));
  frmprogress->ProgressBar1->SetMax(services::kKnownServiceCount);
  const std::vector<std::string> notChanged = services::ApplyServicePreset(
      silent ? button.silentPreset : button.preset, ctlService1, [] { frmprogress->Advance(); });
  frmprogress->Unload();
  DeletePrefetchFiles();
  RestartNeeded = true;
  if (silent) {
    if (!notChanged.empty()) ReportAutoTuneFailure(services::ServicesNotChangedList(notChanged));
    return;
  }
  if (notChanged.empty()) {
    MsgBox(LoadResString(543), MB_OK | MB_ICONINFORMATION);
  } else {
    MsgBox(services::ServicesNotChangedMessage(notChanged), MB_OK | MB_ICONEXCLAMATION);
  }
}
