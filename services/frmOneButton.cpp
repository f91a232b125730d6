#include "services/frmOneButton.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "resources/picture_ids.h"
#include "services/frmServices.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/PageFrame.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "tweaks/frmMiscellaneous.h"
#include "tweaks/frmMoreTweaks.h"
#include "tweaks/frmPerformance.h"
#include "tweaks/frmPerformanceII.h"

namespace {

using ui::Def;
using ui::Kind;

// ---- design ---------------------------------------------------------------------------

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame1", .rect = {120, 60, 6720, 3480}, .caption = "One Button Auto Tuner"},
    {.kind = Kind::PictureBox, .name = "Picture1", .parent = "Frame1", .rect = {240, 360, 720, 720},
     .picture = IDB_TWEAKS_7},
    {.kind = Kind::Label, .name = "Label1", .parent = "Frame1", .rect = {1140, 360, 5340, 1440}},
    {.kind = Kind::Label, .name = "Label2", .parent = "Frame1", .rect = {240, 1920, 900, 255},
     .style = ui::kBold},
    {.kind = Kind::Label, .name = "Label3", .parent = "Frame1", .rect = {1140, 1920, 5340, 255}},
    {.kind = Kind::Custom, .name = "ProgressBar1", .parent = "Frame1", .rect = {240, 2280, 6240, 330},
     .customClass = ui::kProgressBarClass},
    {.kind = Kind::CommandButton, .name = "Command1", .parent = "Frame1", .rect = {2160, 2820, 2400, 495},
     .caption = "Tune It Up!"},
};

constexpr ui::FormDef kForm{.name = "frmOneButton",
                            .caption = "One Button Auto Tuner",
                            .border = ui::BorderStyle::FixedDialog,
                            .minButton = false,
                            .maxButton = false,
                            .showInTaskbar = false,
                            .clientWidth = 6960,
                            .clientHeight = 3660};

// In the order they are set, after the window caption (string 331).
constexpr CaptionLine kCaptions[] = {
    {{"Frame1"}, 331}, {{"Command1"}, 566}, {{"Label2"}, 366}, {{"Label1"}, 689},
};

// ---- the run ---------------------------------------------------------------------------

// One page step: the string shown in Label3 while it runs, and the page operation, called
// on the page's single instance, which loads the page hidden when the operation first
// touches one of its controls.
struct TunerStep {
  int text;
  void (*call)();
  bool (*runs)() = nullptr;  // null: always
};

bool On32BitWindows() { return !Is64BitWindows(); }

constexpr TunerStep kSteps[] = {
    {478, [] { frmPerformance->Command3_Click(); }},    // Setting Recommended Settings
    {449, [] { frmPerformance->Command1_Click(); }},    // Saving Performance Settings
    {478, [] { frmMiscellaneous->Command9_Click(); }},  // Setting Recommended Settings
    {448, [] { frmMiscellaneous->Command4_Click(); }},  // Saving Miscellaneous Settings
    {60, [] { frmMoreTweaks->Command37_Click(); }},     // Clearing Temp Folders
    {30, [] { frmServices->Command68_Click(); }},       // Apply Safe Services Settings
    {193, [] { frmPerformanceII->Command64_Click(); }}, // Enabling Processor Check Routine
    {97, [] { frmPerformanceII->Command43_Click(); }, On32BitWindows},  // Defragmenting Disk
};

constexpr int kClosingText = 209;     // "Finished optimizing.  Please reboot."
constexpr int kClosingMessage = 605;  // "Quenvor has finished automatically optimizing ..."

using StepFailure = FrmOneButton::StepFailure;

// What a step, or the run itself, that broke off with an error is named with.
std::string Stopped(const char* who, const std::string& error, bool stepsAfter) {
  std::string text = std::string(who) + " stopped with an error";
  if (!error.empty()) text += " (" + error + ")";
  return text + (stepsAfter ? "; the steps after it were not run." : ".");
}
std::string StepStoppedText(const std::string& error, bool stepsAfter) {
  return Stopped("This step", error, stepsAfter);
}
std::string RunStoppedText(const std::string& error) { return Stopped("The run", error, false); }

// The closing message when steps could not do everything: each such step named with what
// it would have said outside a run.
std::string NotDoneMessage(const std::vector<StepFailure>& failures) {
  std::string text =
      "Quenvor has finished automatically optimizing your computer, but not every step could "
      "do all of its work.";
  for (const StepFailure& f : failures) text += "\r\n\r\n" + f.step + ":\r\n" + f.failure;
  if (RestartNeeded) {
    text += "\r\n\r\nThe changes that were made take effect when Windows restarts: when you close "
            "Quenvor, you will be asked to reboot.";
  }
  return text;
}

}  // namespace

FrmOneButton::FrmOneButton() : Form(kForm, kDesign) {}

void FrmOneButton::BindEvents() {
  Command1->Click = [this] { Command1_Click(); };
  Label3->Change = [this] { Label3_Change(); };
}

void FrmOneButton::Form_Load() {
  LoadCaptions();
  ScaleDialogToScreen();
}

void FrmOneButton::LoadCaptions() { LoadPageCaptions(*this, 331, kCaptions); }

void FrmOneButton::ScaleDialogToScreen() { ::ScaleDialogToScreen(*this); }

void FrmOneButton::Label3_Change() { ui::RefreshOnChange(*Label3); }

// The close box, or anything else, cannot take the dialog away while its run is on the
// stack: the run unloads the dialog itself at its end.
void FrmOneButton::Form_QueryUnload(int& cancel, int) {
  if (running_) cancel = 1;
}

void FrmOneButton::Command1_Click() {
  // A click that reaches the button while a run passes through the message loop (a pause,
  // a message box) starts nothing.
  if (running_) return;
  // Whatever the run meets, a step that throws or an error in the run itself, it ends with
  // AutoTuneMode clear, the main window and the pages back and the dialog closable.
  struct RunEnd {
    FrmOneButton& dialog;
    ~RunEnd() {
      AutoTuneMode = false;
      dialog.ReleaseTheProgram();
      dialog.running_ = false;
    }
  } runEnd{*this};
  HoldTheProgram();
  std::vector<StepFailure> failures;
  std::optional<std::string> runStopped;
  try {
    RunTheSteps(failures);
  } catch (const std::exception& e) {
    runStopped = RunStoppedText(e.what());
  } catch (...) {
    runStopped = RunStoppedText("");
  }
  if (runStopped) {
    // Named under the dialog's title, after anything a step handed over and left.
    const std::string run = LoadResString(331);
    for (std::string& failure : TakeAutoTuneFailures()) failures.push_back({run, std::move(failure)});
    failures.push_back({run, std::move(*runStopped)});
  }
  AutoTuneMode = false;
  // The main window and the pages are back before the closing message, so that the main
  // window is the one that is activated when the message and then the dialog go.
  ReleaseTheProgram();
  if (failures.empty()) {
    MsgBox(LoadResString(kClosingMessage), MB_OK | MB_ICONINFORMATION | MB_SYSTEMMODAL);
  } else {
    MsgBox(NotDoneMessage(failures), MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL);
  }
  running_ = false;
  Unload();  // the dialog closes itself; nothing touches it after this
  // A close of the main window that was asked for during the run is carried out now.
  if (frmmain.Exists()) frmmain->CloseWaitingForTheAutoTuner();
}

void FrmOneButton::RunTheSteps(std::vector<StepFailure>& failures) {
  Label3->SetCaption("");
  AutoTuneMode = true;
  // The steps of this run, decided once (the defragmentation asks whether Windows is 64-bit),
  // so that the bar's maximum is its number of advances: one after every step and one with
  // the closing label, and the bar ends exactly full.
  std::vector<const TunerStep*> steps;
  for (const TunerStep& step : kSteps)
    if (!step.runs || step.runs()) steps.push_back(&step);
  ProgressBar1->SetMax(static_cast<double>(steps.size() + 1));
  // The operations keep their failures quiet in a run and hand them over instead: each is
  // named at the end, under the text of its step.
  TakeAutoTuneFailures();
  for (const TunerStep* step : steps) {
    const std::string text = LoadResString(step->text);
    Label3->SetCaption(text);
    const bool stepsAfter = step != steps.back();
    std::optional<std::string> stopped;
    try {
      step->call();
    } catch (const std::exception& e) {
      stopped = StepStoppedText(e.what(), stepsAfter);
    } catch (...) {
      stopped = StepStoppedText("", stepsAfter);
    }
    for (std::string& failure : TakeAutoTuneFailures()) failures.push_back({text, std::move(failure)});
    // A step that broke off left its page as it was then: the steps after it are not run.
    if (stopped) {
      failures.push_back({text, std::move(*stopped)});
      return;
    }
    frmmain->Pause(1);
    AdvanceProgress();
  }
  Label3->SetCaption(LoadResString(kClosingText));
  AdvanceProgress();
}

void FrmOneButton::AdvanceProgress() { ProgressBar1->SetValue(ProgressBar1->Value() + 1); }

// Windows shows this with the program when a log-off or shut-down is asked during a run.
constexpr char kLogOffReason[] = "The One Button Auto Tuner is changing your settings. Please wait until it has finished.";

void FrmOneButton::HoldTheProgram() {
  running_ = true;
  holding_ = true;
  Command1->SetEnabled(false);
  if (HMENU system = GetSystemMenu(hWnd(), FALSE)) EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  // Only a main window that is there: touching an unloaded one would load it.
  if (frmmain.Exists() && frmmain->Loaded() && frmmain->Enabled()) {
    frmmain->SetEnabled(false);
    mainDisabled_ = true;
  }
  // The main window refuses a log-off meanwhile and tells Windows why.
  if (frmmain.Exists() && frmmain->Loaded()) logOffReason_.emplace(frmmain->hWnd(), kLogOffReason);
  // Pages that are open (a page opened while the dialog was up, the about box ...) cannot be
  // used or closed meanwhile either.
  for (ui::Form* form : ui::LoadedForms()) {
    if (form == this || form == &*frmmain || !IsWindowVisible(form->hWnd()) || !form->Enabled()) continue;
    form->SetEnabled(false);
    disabledPages_.push_back(form);
  }
}

void FrmOneButton::ReleaseTheProgram() {
  holding_ = false;
  logOffReason_.reset();
  // Each form the run disabled, if it is still there.
  const std::vector<ui::Form*> loaded = ui::LoadedForms();
  for (ui::Form* form : std::exchange(disabledPages_, {}))
    if (std::find(loaded.begin(), loaded.end(), form) != loaded.end()) form->SetEnabled(true);
  if (!mainDisabled_) return;
  mainDisabled_ = false;
  if (frmmain->Loaded()) frmmain->SetEnabled(true);
}
