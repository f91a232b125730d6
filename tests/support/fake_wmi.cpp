#include "fake_wmi.h"

#include <gtest/gtest.h>

namespace {

bool Same(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

}  // namespace

platform::WmiObject FakeWmi::Row(std::vector<std::pair<std::string, platform::WmiValue>> properties) {
  platform::WmiObject object;
  for (auto& [name, value] : properties) object.properties[name] = std::move(value);
  return object;
}

void FakeWmi::ScriptQuery(const std::string& nameSpace, const std::string& wql,
                          std::vector<platform::WmiObject> rows, HRESULT result) {
  std::erase_if(queryScripts_, [&](const QueryScript& s) { return Same(s.nameSpace, nameSpace) && Same(s.wql, wql); });
  queryScripts_.push_back({nameSpace, wql, std::move(rows), result});
}

void FakeWmi::ScriptMethod(const std::string& nameSpace, const std::string& objectPath,
                           const std::string& method, platform::WmiObject out, HRESULT result) {
  std::erase_if(methodScripts_, [&](const MethodScript& s) {
    return Same(s.nameSpace, nameSpace) && Same(s.objectPath, objectPath) && Same(s.method, method);
  });
  methodScripts_.push_back({nameSpace, objectPath, method, std::move(out), result});
}

HRESULT FakeWmi::Query(const std::string& nameSpace, const std::string& wql,
                       std::vector<platform::WmiObject>* rows) {
  queries_.push_back({nameSpace, wql});
  for (const QueryScript& s : queryScripts_) {
    if (!Same(s.nameSpace, nameSpace) || !Same(s.wql, wql)) continue;
    rows->insert(rows->end(), s.rows.begin(), s.rows.end());
    return s.result;
  }
  ADD_FAILURE() << "Unexpected WMI query \"" << wql << "\" in \"" << nameSpace << "\"";
  return WBEM_E_FAILED;
}

HRESULT FakeWmi::CallMethod(const std::string& nameSpace, const std::string& objectPath,
                            const std::string& method,
                            const std::map<std::string, platform::WmiValue>& in,
                            platform::WmiObject* out) {
  methods_.push_back({nameSpace, objectPath, method, in});
  for (const MethodScript& s : methodScripts_) {
    if (!Same(s.nameSpace, nameSpace) || !Same(s.objectPath, objectPath) || !Same(s.method, method))
      continue;
    if (out) *out = s.out;
    return s.result;
  }
  ADD_FAILURE() << "Unexpected WMI method " << objectPath << "." << method << " in \"" << nameSpace << "\"";
  return WBEM_E_FAILED;
}
