#include "scripts/lib/stand_in_install.h"

#include <sstream>

namespace standin {
namespace {

bool SetDelayedAutoStart(const char* key) {
  HKEY serviceKey;
  const std::string path = std::string(services::kServicesKey) + key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &serviceKey))
    return false;
  const DWORD one = 1;
  bool ok = RegSetValueExA(serviceKey, "DelayedAutoStart", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                           sizeof one) == ERROR_SUCCESS;
  RegCloseKey(serviceKey);
  return ok;
}

}  // namespace

InstallCount Install(SC_HANDLE manager, std::span<const services::KnownService> table,
                     const std::set<std::string>& offered, const std::string& program,
                     std::string& errors) {
  InstallCount count;
  for (const services::KnownService& known : table) {
    if (offered.contains(known.key)) {
      ++count.kept;
      continue;
    }
    if (SC_HANDLE existing = OpenServiceA(manager, known.key, SERVICE_QUERY_STATUS)) {
      CloseServiceHandle(existing);
      ++count.there;
      continue;
    }
    const int code = known.Code(services::Preset::Default);
    const std::string command = "\"" + program + "\" " + known.key;
    SC_HANDLE service = CreateServiceA(manager, known.key, known.displayName, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, services::StartTypeOf(code),
                                       SERVICE_ERROR_IGNORE, command.c_str(), nullptr, nullptr, nullptr,
                                       nullptr, nullptr);
    if (!service) {
      errors += std::string(known.key) + ": error " + std::to_string(GetLastError()) + "\n";
      ++count.failed;
      continue;
    }
    CloseServiceHandle(service);
    if (code == services::kDelayedAutomatic && !SetDelayedAutoStart(known.key)) {
      errors += std::string(known.key) + ": its delayed start cannot be set\n";
      ++count.failed;
    }
    ++count.made;
  }
  return count;
}

std::string TableText(std::span<const services::KnownService> table) {
  std::string text;
  for (const services::KnownService& known : table) text += std::string(known.key) + "\n";
  return text;
}

std::set<std::string> ParseTable(const std::string& text) {
  std::set<std::string> names;
  std::istringstream lines(text);
  std::string line;
  while (std::getline(lines, line)) {
    while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) line.pop_back();
    if (!line.empty()) names.insert(line);
  }
  return names;
}

}  // namespace standin
