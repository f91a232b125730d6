#include "services/ServicePresets.h"

#include "platform/registry.h"
#include "shell/ProgramState.h"

namespace services {
namespace {

constexpr DWORD kUnread = 0xFFFFFFFFu;
constexpr size_t kNamesShown = 12;

}  // namespace

std::vector<std::string> ApplyServicePreset(Preset preset, platform::ServiceControl& control,
                                            const std::function<void()>& beforeEach) {
  std::vector<std::string> notChanged;
  std::string path = kServicesKey;
  const size_t pathStart = path.size();
  for (const KnownService& service : kKnownServices) {
    beforeEach();
    const int code = service.Code(preset);
    const DWORD startType = StartTypeOf(code);
    if (startType == 0) continue;
    control.SetServiceName(service.key);
    path.replace(pathStart, std::string::npos, service.key);
    // The service manager keeps "Start" equal to its own start type: reading it costs far
    // less than asking the service manager.
    platform::RegKey key(HKEY_LOCAL_MACHINE, path, RegReadAccess | RegWriteAccess);
    bool changed = true;
    if (key.ReadDword("Start", kUnread) != startType && !control.SetStartType(static_cast<int>(startType)) &&
        control.LastError() != ERROR_SERVICE_DOES_NOT_EXIST) {
      changed = false;
    }
    const int delayed = DelayedAutoStartOf(code);
    if (delayed >= 0) {
      if (key) {
        if (key.ReadDword("DelayedAutoStart", kUnread) != static_cast<DWORD>(delayed) &&
            !key.WriteDword("DelayedAutoStart", static_cast<DWORD>(delayed))) {
          changed = false;
        }
      } else if (key.OpenError() != ERROR_FILE_NOT_FOUND) {
        changed = false;  // there, but closed to us
      }
    }
    if (!changed) notChanged.push_back(service.displayName);
  }
  return notChanged;
}

std::string ServicesNotChangedMessage(const std::vector<std::string>& displayNames) {
  std::string text = "These services could not be changed:\r\n\r\n";
  for (size_t i = 0; i < displayNames.size() && i < kNamesShown; ++i) text += "    " + displayNames[i] + "\r\n";
  if (displayNames.size() > kNamesShown) {
    text += "    ... and " + std::to_string(displayNames.size() - kNamesShown) + " more\r\n";
  }
  text +=
      "\r\nThe start types of the other services have been set and will take effect when you "
      "reboot.";
  return text;
}

}  // namespace services
