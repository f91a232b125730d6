#pragma once
// Windows services through the service manager: select a service by its key name, then
// query, start, stop or set its start type. Callers mostly ignore the results; every
// operation reports success for those that want it.
//
//   platform::ServiceControl service;
//   service.SetServiceName("winmgmt");
//   if (service.QueryService() != "Started") { service.SetStartType(2); service.StartService(); }
//
// windows.h is included here on purpose: it renames StartService to StartServiceA, and the
// member must carry the same name in every file that sees it.
#include <windows.h>

#include <string>

namespace platform {

class ServiceControl {
 public:
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

  // The longest a start or stop waits for the service to arrive in its new state: the user
  // interface thread is blocked meanwhile.
  static constexpr DWORD kStateWaitMs = 5000;

 private:
  std::string name_;
};

}  // namespace platform
