#include "tweaks/RunAndReport.h"

#include "platform/process.h"
#include "shell/ColouredMessageBox.h"

namespace {

// Runs the command line; true when it ended with exit code 0, else the message that names the
// command and what happened is shown.
bool RunOrSayWhy(const std::string& commandLine, int showCommand, UINT style) {
  const platform::ProcessRun run = platform::RunProcess(commandLine, showCommand, kCommandWaitMs);
  if (run.finished && run.exitCode == 0) return true;
  std::string text;
  if (!run.started) {
    text = "The command could not be started:\r\n\r\n" + commandLine + "\r\n\r\n" +
           platform::SystemErrorText(run.error);
  } else if (!run.finished) {
    text = "The command did not finish within " + std::to_string(kCommandWaitMs / 1000) +
           " seconds:\r\n\r\n" + commandLine;
  } else {
    text = "The command did not succeed:\r\n\r\n" + commandLine + "\r\n\r\nExit code: " +
           std::to_string(run.exitCode);
  }
  MsgBox(text, (style & ~(MB_ICONMASK | MB_TYPEMASK)) | MB_OK | MB_ICONEXCLAMATION);
  return false;
}

}  // namespace

void RunHiddenCommandAndReport(const std::string& commandLine, const std::string& message,
                               UINT style) {
  RunCommandAndReport(commandLine, SW_HIDE, message, style);
}

void RunCommandAndReport(const std::string& commandLine, int showCommand,
                         const std::string& message, UINT style) {
  if (RunOrSayWhy(commandLine, showCommand, style)) MsgBox(message, style);
}

bool RunHiddenCommandOrSayWhy(const std::string& commandLine, UINT style) {
  return RunOrSayWhy(commandLine, SW_HIDE, style);
}
