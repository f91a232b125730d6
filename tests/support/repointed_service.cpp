#include "repointed_service.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "test_child.h"
#include "test_service.h"

namespace {

// Changes the service's program; true when the service manager took it.
bool SetProgram(const std::string& name, const std::string& binary, std::string* previous) {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  SC_HANDLE service = manager ? OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS) : nullptr;
  bool changed = false;
  if (service) {
    DWORD needed = 0;
    QueryServiceConfigA(service, nullptr, 0, &needed);
    std::vector<BYTE> buffer(needed ? needed : 1);
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (QueryServiceConfigA(service, config, needed, &needed)) {
      if (previous) *previous = config->lpBinaryPathName;
      changed = ChangeServiceConfigA(service, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE, SERVICE_NO_CHANGE,
                                     binary.c_str(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) != 0;
    }
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return changed;
}

}  // namespace

RepointedService::RepointedService(const std::string& name, bool runs) : name_(name) {
  const std::string program =
      runs ? "\"" + TestProgramPath() + "\" --service " + name : "C:\\no\\such\\service.exe";
  repointed_ = SetProgram(name, program, &binary_);
  EXPECT_TRUE(repointed_) << "cannot point " << name << " at another program";
}

RepointedService::~RepointedService() {
  if (!repointed_) return;
  ArrangeService(name_, ReadServiceFacts(name_).startType, false);
  EXPECT_TRUE(SetProgram(name_, binary_, nullptr)) << "cannot put back the program of " << name_;
}
