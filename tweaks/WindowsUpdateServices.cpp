#include "tweaks/WindowsUpdateServices.h"

#include <string>
#include <vector>

#include "platform/process.h"
#include "shell/ColouredMessageBox.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kWindowsUpdateServices[] = {"wuauserv", "wscsvc", "BITS"};

// Sets each service's start type and brings it to the state wanted; returns a line per
// service that did not get there, naming it by its key name and saying what failed.
std::vector<std::string> Apply(platform::ServiceControl& service, int startType, bool start) {
  std::vector<std::string> failures;
  for (const char* name : kWindowsUpdateServices) {
    service.SetServiceName(name);
    const bool typeSet = service.SetStartType(startType);
    const bool arrived = start ? service.StartService() : service.StopService();
    std::string what;
    if (!typeSet) what = start ? "not set to start automatically" : "not disabled";
    if (!arrived) what += std::string(what.empty() ? "" : ", ") + (start ? "not started" : "not stopped");
    if (!what.empty()) failures.push_back(std::string(name) + ": " + what);
  }
  return failures;
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\r\n" + line;
  return text;
}

}  // namespace

void StartWindowsUpdateServices(platform::ServiceControl& service) {
  const std::vector<std::string> failures = Apply(service, SERVICE_AUTO_START, true);
  std::string question = LoadResString(541);
  UINT icon = MB_ICONQUESTION;
  if (!failures.empty()) {
    question = "Not every service required by Windows Update could be started:\r\n" +
               Lines(failures) + "\r\n\r\nWould you like to go to the Windows Update website?";
    icon = MB_ICONEXCLAMATION;
  }
  if (MsgBox(question, MB_YESNO | icon, LoadResString(496)) != IDYES) return;
  const platform::ProcessRun run = platform::RunProcess("wuapp.exe", SW_SHOWNORMAL, 0);
  if (!run.started) {
    MsgBox("Windows Update (wuapp.exe) could not be started:\r\n\r\n" +
               platform::SystemErrorText(run.error),
           MB_OK | MB_ICONEXCLAMATION);
  }
}

void StopWindowsUpdateServices(platform::ServiceControl& service) {
  const std::vector<std::string> failures = Apply(service, SERVICE_DISABLED, false);
  if (failures.empty()) {
    MsgBox(LoadResString(542), MB_OK | MB_ICONINFORMATION);
    return;
  }
  MsgBox("Not every service required by Windows Update could be stopped and disabled:\r\n" +
             Lines(failures),
         MB_OK | MB_ICONEXCLAMATION);
}
