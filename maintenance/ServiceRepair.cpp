#include "maintenance/ServiceRepair.h"

#include <cstdint>
#include <variant>

#include "platform/wmi.h"
#include "shell/Strings.h"

namespace {

constexpr const char* kNamespace = "root\\cimv2";

std::string NameOf(const platform::WmiObject& service) {
  const platform::WmiValue* value = service.Find("Name");
  const auto* name = value ? std::get_if<std::string>(value) : nullptr;
  return name ? *name : "";
}

}  // namespace

std::string ServiceObjectPath(const std::string& name) {
  std::string path = "Win32_Service.Name='";
  for (char c : name) {
    if (c == '\\' || c == '\'') path += '\\';
    path += c;
  }
  return path + "'";
}

ServiceRepair RepairStoppedAutomaticServices() {
  ServiceRepair repair;
  std::vector<platform::WmiObject> services;
  repair.query = platform::wmi().Query(kNamespace, kStoppedAutomaticQuery, &services);
  for (const platform::WmiObject& service : services) {
    const std::string name = NameOf(service);
    if (name.empty()) {
      repair.notChanged.push_back("(a service without a name)");
      continue;
    }
    platform::WmiObject out;
    const HRESULT hr =
        platform::wmi().CallMethod(kNamespace, ServiceObjectPath(name), "Change", {{"StartMode", std::string("Manual")}}, &out);
    const platform::WmiValue* value = out.Find("ReturnValue");
    const auto* returned = value ? std::get_if<int64_t>(value) : nullptr;
    if (SUCCEEDED(hr) && returned && *returned == 0) ++repair.changed;
    else repair.notChanged.push_back(name);
  }
  return repair;
}

std::string ServiceRepair::ClosingText() const {
  std::string text;
  if (changed > 0) text = LoadResString(600) + std::to_string(changed) + LoadResString(663);
  if (!notChanged.empty()) {
    if (!text.empty()) text += "\r\n\r\n";
    text += "These services could not be set to Manual:\r\n";
    for (const std::string& name : notChanged) text += "\r\n" + name;
  }
  if (FAILED(query)) {
    if (!text.empty()) text += "\r\n\r\n";
    text += changed == 0 && notChanged.empty()
                ? "The services could not be listed, so none was set to Manual."
                : "Not every service set to Automatic and Stopped could be listed.";
  }
  return text.empty() ? LoadResString(599) : text;
}

UINT ServiceRepair::ClosingStyle() const {
  return notChanged.empty() && SUCCEEDED(query) ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION;
}
