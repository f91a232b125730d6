#pragma once
// Service repair: every service whose start mode is automatic and whose state is stopped
// is set to manual start through WMI, without a question.
//
//   const ServiceRepair repair = RepairStoppedAutomaticServices();
//   MsgBox(repair.ClosingText(), repair.ClosingStyle());
#include <windows.h>

#include <string>
#include <vector>

// The services WMI is asked for, exactly.
inline constexpr const char* kStoppedAutomaticQuery =
    "Select * from Win32_Service Where State = 'Stopped' and StartMode = 'Auto'";

struct ServiceRepair {
  HRESULT query = S_OK;                 // the query's result; rows read before a failure count
  int changed = 0;                      // services whose change to manual succeeded
  std::vector<std::string> notChanged;  // names of the services whose change failed

  // String 599 when the query found none; strings 600, the number changed and 663 when
  // some were changed; the services that could not be changed, and a query that could
  // not be run to its end, are named.
  std::string ClosingText() const;
  UINT ClosingStyle() const;
};

// Runs the query and sets each service it gives to start mode "Manual".
ServiceRepair RepairStoppedAutomaticServices();

// The WMI object path of a service: Win32_Service.Name='name', with a backslash before
// each backslash or single quote in the name.
std::string ServiceObjectPath(const std::string& name);
