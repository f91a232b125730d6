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
    // less than asking the service manager. The key is read through an open that asks only
    // to read, so that a service that already is as the preset wants it is left alone, and
    // is no failure, also when its key cannot be written.
    const platform::RegKey current(HKEY_LOCAL_MACHINE, path, RegReadAccess);
    bool changed = true;
    if (current.ReadDword("Start", kUnread) != startType && !control.SetStartType(static_cast<int>(startType)) &&
        control.LastError() != ERROR_SERVICE_DOES_NOT_EXIST) {
      changed = false;
    }
    const int delayed = DelayedAutoStartOf(code);
    if (delayed >= 0 && current.ReadDword("DelayedAutoStart", kUnread) != static_cast<DWORD>(delayed)) {
      platform::RegKey key(HKEY_LOCAL_MACHINE, path, RegWriteAccess);
      if (key) {
        if (!key.WriteDword("DelayedAutoStart", static_cast<DWORD>(delayed))) changed = false;
      } else if (key.OpenError() != ERROR_FILE_NOT_FOUND) {
        changed = false;  // there, but closed to us
      }
    }
    if (!changed) notChanged.push_back(service.displayName);
  }
  return notChanged;
}

std::string ServicesNotChangedList(const std::vector<std::string>& displayNames) {
  std::string text = "These services could not be changed:\r\n";
  for (size_t i = 0; i < displayNames.size() && i < kNamesShown; ++i) text += "\r\n    " + displayNames[i];
  if (displayNames.size() > kNamesShown) {
    text += "\r\n    ... and " + std::to_string(displayNames.size() - kNamesShown) + " more";
  }
  return text;
}

std::string ServicesNotChangedMessage(const std::vector<std::string>& displayNames) {
  return ServicesNotChangedList(displayNames) +
         "\r\n\r\nThe start types of the other services have been set and will take effect when you "
         "reboot.";
}

}  // namespace services
