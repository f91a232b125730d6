#include "shell/WmiGuard.h"

namespace wmi_guard {

void CheckWMI(platform::ServiceControl& service) {
  service.SetServiceName("winmgmt");
  if (service.QueryService() == "Started") return;
  StartWMI(service);
}

void StartWMI(platform::ServiceControl& service) {
  service.SetServiceName("winmgmt");
  service.SetStartType(SERVICE_AUTO_START);
  service.StartService();
}

}  // namespace wmi_guard
