#pragma once
// A scripted WMI for tests: rows per query, failures as HRESULTs, method results.
//
//   FakeWmi wmi;
//   platform::Override<platform::Wmi> useWmi(wmi);
//   wmi.ScriptQuery("root\\cimv2", "Select * from Win32_Processor",
//                   {FakeWmi::Row({{"Name", std::string("CPU")}})});
//   wmi.ScriptQuery("root\\cimv2", "Select * from Win32_Fan", {}, WBEM_E_FAILED);
//   wmi.ScriptMethod("root\\default", "SystemRestore", "CreateRestorePoint",
//                    FakeWmi::Row({{"ReturnValue", int64_t{0}}}));
//
// A scripted result answers every call that matches it (namespace, query text, object path
// and method name compared without regard to case); a later script for the same call
// replaces it. The rows of a failing query are those read before the failure (a connection
// failure has none). A call with no script fails the test, naming the call, and gives
// WBEM_E_FAILED. Every call is recorded, in order.
#include <windows.h>
#include <wbemcli.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/wmi.h"

class FakeWmi : public platform::Wmi {
 public:
  struct QueryCall {
    std::string nameSpace;
    std::string wql;
  };
  struct MethodCall {
    std::string nameSpace;
    std::string objectPath;
    std::string method;
    std::map<std::string, platform::WmiValue> in;
  };

  // An object from its properties.
  static platform::WmiObject Row(std::vector<std::pair<std::string, platform::WmiValue>> properties);

  void ScriptQuery(const std::string& nameSpace, const std::string& wql,
                   std::vector<platform::WmiObject> rows, HRESULT result = S_OK);
  // `out` is what the method gives back (none: an empty object).
  void ScriptMethod(const std::string& nameSpace, const std::string& objectPath,
                    const std::string& method, platform::WmiObject out, HRESULT result = S_OK);

  const std::vector<QueryCall>& Queries() const { return queries_; }
  const std::vector<MethodCall>& Methods() const { return methods_; }

  HRESULT Query(const std::string& nameSpace, const std::string& wql,
                std::vector<platform::WmiObject>* rows) override;
  HRESULT CallMethod(const std::string& nameSpace, const std::string& objectPath,
                     const std::string& method, const std::map<std::string, platform::WmiValue>& in,
                     platform::WmiObject* out) override;

 private:
  struct QueryScript {
    std::string nameSpace, wql;
    std::vector<platform::WmiObject> rows;
    HRESULT result;
  };
  struct MethodScript {
    std::string nameSpace, objectPath, method;
    platform::WmiObject out;
    HRESULT result;
  };
  std::vector<QueryScript> queryScripts_;
  std::vector<MethodScript> methodScripts_;
  std::vector<QueryCall> queries_;
  std::vector<MethodCall> methods_;
};
