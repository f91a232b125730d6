#pragma once
// Windows services through the service manager: select a service by its key name, then
// query, start, stop or set its start type. Callers mostly ignore the results; every
// operation reports success for those that want it, and LastError says why one failed.
//
//   platform::ServiceControl service;
//   service.SetServiceName("winmgmt");
//   if (service.QueryService() != "Started") { service.SetStartType(2); service.StartService(); }
//
// The control keeps one connection to the service manager for its whole life (opened on
// first use): a walk over many services opens only each service. Every call opens the
// selected service by its name afresh, so a call on a service that does not exist fails
// on its own and never reaches the service selected before.
//
// windows.h is included here on purpose: it renames StartService to StartServiceA, and the
// member must carry the same name in every file that sees it.
#include <windows.h>

#include <string>

namespace platform {

class ServiceControl {
 public:
  ServiceControl() = default;
  ~ServiceControl();
  ServiceControl(ServiceControl&& other) noexcept;
  ServiceControl& operator=(ServiceControl&& other) noexcept;
  ServiceControl(const ServiceControl&) = delete;
  ServiceControl& operator=(const ServiceControl&) = delete;

  // Selects the service for the following calls.
  void SetServiceName(const std::string& name) { name_ = name; }
  const std::string& ServiceName() const { return name_; }

  // The status text of the selected service, compared by callers exactly (case included):
  //   "Started"   the service is running, whatever its start type (a disabled service that
  //               is still running counts as started);
  //   "Disabled"  not running, and its start type is disabled;
  //   "Stopped"   stopped, with any other start type;
  //   "Start Pending", "Stop Pending", "Continue Pending", "Pause Pending", "Paused"
  //               a service between states (not disabled), which none of the three match;
  //   ""          the service does not exist or cannot be queried.
  std::string QueryService();

  // Starts the service and waits (at most kStateWaitMs) until it is running. True when it
  // runs, also when it was running already.
  bool StartService();
  // Asks the service to stop and waits (at most kStateWaitMs) until it has stopped. True
  // when it is stopped, also when it was not running.
  bool StopService();
  // 2 automatic, 3 manual, 4 disabled (the service manager's start types). Only the start
  // type changes. True when the service manager took it.
  bool SetStartType(int startType);

  // The Windows error of the last call above: ERROR_SUCCESS when it succeeded,
  // ERROR_SERVICE_DOES_NOT_EXIST for a service this computer lacks, ERROR_ACCESS_DENIED,
  // ERROR_SERVICE_MARKED_FOR_DELETE ... otherwise (ERROR_SERVICE_REQUEST_TIMEOUT: a start
  // or stop that did not arrive in its new state in time).
  DWORD LastError() const { return lastError_; }

  // The longest a start or stop waits for the service to arrive in its new state: the user
  // interface thread is blocked meanwhile.
  static constexpr DWORD kStateWaitMs = 5000;

 private:
  class Service;
  // The selected service with the rights asked for; an empty one (and LastError set) when
  // it cannot be opened.
  Service Open(DWORD access);
  bool Fail();  // records GetLastError() and gives false
  bool Succeed();

  std::string name_;
  SC_HANDLE manager_ = nullptr;
  DWORD lastError_ = ERROR_SUCCESS;
};

}  // namespace platform
