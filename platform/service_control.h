#pragma once
// Windows services through the service manager: select a service by its key name, then
// query, start, stop or set its start type. Results other than the status text are not
// needed by callers; every operation reports success for those that want it.
#include <string>

namespace platform {

class ServiceControl {
 public:
  // Selects the service for the following calls.
  void SetServiceName(const std::string& name) { name_ = name; }
  const std::string& ServiceName() const { return name_; }

  // "Started" (running), "Stopped" (not running), "Disabled" (start type disabled), or ""
  // when the service cannot be queried.
  std::string QueryService();
  bool StartService();
  bool StopService();
  // 2 automatic, 3 manual, 4 disabled.
  bool SetStartType(int startType);

 private:
  std::string name_;
};

// Stand-in until the service manager implementation is merged: every service reads as
// not queryable and no call succeeds. The implementation's own definitions replace these
// lines (defining them twice does not compile, so the stand-in cannot outlive it).
inline std::string ServiceControl::QueryService() { return ""; }
inline bool ServiceControl::StartService() { return false; }
inline bool ServiceControl::StopService() { return false; }
inline bool ServiceControl::SetStartType(int) { return false; }

}  // namespace platform
