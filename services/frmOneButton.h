#pragma once
// The One Button Auto Tuner: a dialog over the main window whose one button, "Tune It Up!",
// runs a fixed sequence of other pages' presets, saves and actions on those pages loaded
// hidden, while AutoTuneMode is set, shows which step runs, and ends by telling the user to
// reboot. It holds no tweak of its own.
//
// While a run is in progress nothing can start a second one or pull anything out from under
// it: the button is disabled (and its handler returns at once), the close box is refused,
// and the main window and every open page are disabled until the closing message, so no
// page that the run uses can be opened or closed. The main window refuses to close until
// the run has ended (End Task reaches it disabled) and closes then.
//
// The operations that a run calls keep their messages quiet; what they could not do they
// hand over (ReportAutoTuneFailure), and the run ends with a message naming it, under each
// step's text, instead of its "finished" message. A step that throws ends the run there,
// and an error in the run itself ends it too: either is named in that message, and the run
// ends as any run does (AutoTuneMode clear, the program released, the dialog closed).
//
// While the run works, the main window refuses a log-off or shut-down (WM_QUERYENDSESSION)
// and gives Windows its reason where the system takes one.
#include <optional>
#include <string>
#include <vector>

#include "platform/shutdown_block.h"
#include "ui/ProgressBar.h"
#include "ui/form.h"

class FrmOneButton : public ui::Form {
 public:
  FrmOneButton();

  // Handlers, public so that tests press them as a user does.
  void Command1_Click();  // the run
  void Label3_Change();   // the step text repaints itself at once

  // True from the click until the closing message has been dismissed.
  bool Running() const { return running_; }
  // True while the run does its work and holds the main window and the pages: the main
  // window refuses a log-off meanwhile.
  bool HoldsTheProgram() const { return holding_; }

  // What a step could not do: the step's text, and what its operation would have said.
  struct StepFailure {
    std::string step;
    std::string failure;
  };

  ui::Ctl<ui::Frame> Frame1{this, "Frame1"};
  ui::Ctl<ui::PictureBox> Picture1{this, "Picture1"};
  ui::Ctl<ui::Label> Label1{this, "Label1"};
  ui::Ctl<ui::Label> Label2{this, "Label2"};
  ui::Ctl<ui::Label> Label3{this, "Label3"};
  ui::Ctl<ui::ProgressBar> ProgressBar1{this, "ProgressBar1"};
  ui::Ctl<ui::CommandButton> Command1{this, "Command1"};

 protected:
  void BindEvents() override;
  void Form_Load() override;
  void Form_QueryUnload(int& cancel, int unloadMode) override;

 private:
  void LoadCaptions();
  void ScaleDialogToScreen();
  void AdvanceProgress();
  // The steps, each named in `failures` with what it could not do; a step that throws ends
  // the run there, named so.
  void RunTheSteps(std::vector<StepFailure>& failures);
  // For the run: the button and the close box off, the main window and the open pages
  // disabled.
  void HoldTheProgram();
  // The main window and the pages enabled again, those that the run disabled.
  void ReleaseTheProgram();

  bool running_ = false;
  bool mainDisabled_ = false;               // the run disabled the main window
  std::vector<ui::Form*> disabledPages_;    // and these open forms
  bool holding_ = false;
  std::optional<platform::ShutdownBlockReason> logOffReason_;  // given to the main window
};

inline ui::FormRef<FrmOneButton> frmOneButton;
