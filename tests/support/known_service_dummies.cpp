#include "known_service_dummies.h"

#include <gtest/gtest.h>

#include "services/KnownServices.h"
#include "test_child.h"
#include "test_service.h"

namespace {

using services::kKnownServices;
using services::KnownService;

constexpr REGSAM kRead64 = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
constexpr REGSAM kWrite64 = KEY_SET_VALUE | KEY_WOW64_64KEY;

// A service-manager handle that closes itself.
struct Handle {
  SC_HANDLE h = nullptr;
  explicit Handle(SC_HANDLE handle) : h(handle) {}
  ~Handle() {
    if (h) CloseServiceHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  explicit operator bool() const { return h != nullptr; }
};

std::string ServiceKey(const std::string& key) { return services::kServicesKey + key; }

const KnownService* Known(const std::string& key) {
  for (const KnownService& service : kKnownServices)
    if (key == service.key) return &service;
  return nullptr;
}

std::string DummyCommand(const std::string& key) {
  return "\"" + TestProgramPath() + "\" --service " + key;
}

// A dummy that a test or benchmark program made: its command runs that program as this
// service.
bool LooksLikeDummy(SC_HANDLE service, const std::string& key) {
  BYTE buffer[8192];
  DWORD needed = 0;
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer);
  if (!QueryServiceConfigA(service, config, sizeof buffer, &needed) || !config->lpBinaryPathName)
    return false;
  const std::string command = config->lpBinaryPathName;
  const std::string tail = "--service " + key;
  return command.size() > tail.size() &&
         command.compare(command.size() - tail.size(), tail.size(), tail) == 0;
}

// Deletes the service and waits until it is gone, so that one of its name can be made again.
bool DeleteNamedService(SC_HANDLE manager, const std::string& key) {
  {
    Handle service(OpenServiceA(manager, key.c_str(), DELETE));
    if (!service || !DeleteService(service.h)) return false;
  }
  return WaitUntilServiceGone(manager, key);
}

}  // namespace

KnownServiceState ReadKnownServiceState(const std::string& key) {
  KnownServiceState state;
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  Handle service(manager ? OpenServiceA(manager.h, key.c_str(), SERVICE_QUERY_CONFIG) : nullptr);
  BYTE buffer[8192];
  DWORD needed = 0;
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer);
  if (service && QueryServiceConfigA(service.h, config, sizeof buffer, &needed)) {
    state.exists = true;
    state.startType = config->dwStartType;
  }
  HKEY registryKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ServiceKey(key).c_str(), 0, kRead64, &registryKey) == ERROR_SUCCESS) {
    DWORD value = 0, size = sizeof value, type = 0;
    if (RegQueryValueExA(registryKey, "DelayedAutoStart", nullptr, &type, reinterpret_cast<BYTE*>(&value),
                         &size) == ERROR_SUCCESS)
      state.delayedAutoStart = value;
    RegCloseKey(registryKey);
  }
  return state;
}

bool ArrangeKnownService(const std::string& key, DWORD startType, std::optional<DWORD> delayedAutoStart) {
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  Handle service(manager ? OpenServiceA(manager.h, key.c_str(), SERVICE_CHANGE_CONFIG) : nullptr);
  bool ok = service && ChangeServiceConfigA(service.h, SERVICE_NO_CHANGE, startType, SERVICE_NO_CHANGE,
                                            nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
  HKEY registryKey;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, ServiceKey(key).c_str(), 0, kWrite64, &registryKey) != ERROR_SUCCESS)
    return false;
  LONG result = delayedAutoStart
                    ? RegSetValueExA(registryKey, "DelayedAutoStart", 0, REG_DWORD,
                                     reinterpret_cast<const BYTE*>(&*delayedAutoStart), sizeof(DWORD))
                    : RegDeleteValueA(registryKey, "DelayedAutoStart");
  RegCloseKey(registryKey);
  return ok && (result == ERROR_SUCCESS || (!delayedAutoStart && result == ERROR_FILE_NOT_FOUND));
}

KnownServiceDummies::KnownServiceDummies() {
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  if (!manager) {
    ADD_FAILURE() << "the service manager cannot be opened: error " << GetLastError();
    return;
  }
  ready_ = true;
  for (const KnownService& known : kKnownServices) {
    const std::string key = known.key;
    bool leftOver = false;
    {
      Handle existing(OpenServiceA(manager.h, key.c_str(), SERVICE_QUERY_CONFIG));
      if (existing && !LooksLikeDummy(existing.h, key)) {
        own_.push_back({key, ReadKnownServiceState(key)});
        continue;
      }
      leftOver = static_cast<bool>(existing);
    }
    // A dummy of a test program that ended early is made again as this fixture makes it.
    if (leftOver) DeleteNamedService(manager.h, key);
    dummies_.push_back(key);
    dummySet_.insert(key);
    ready_ = CreateDummy(key) && ready_;
  }
}

KnownServiceDummies::~KnownServiceDummies() {
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS));
  for (const std::string& key : dummies_) DeleteNamedService(manager.h, key);
  for (const Own& own : own_) ArrangeKnownService(own.key, own.state.startType, own.state.delayedAutoStart);
}

bool KnownServiceDummies::CreateDummy(const std::string& key) {
  const KnownService* known = Known(key);
  if (!known) return false;
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CREATE_SERVICE));
  const int code = known->Code(services::Preset::Default);
  Handle service(manager ? CreateServiceA(manager.h, key.c_str(), known->displayName, SERVICE_ALL_ACCESS,
                                          SERVICE_WIN32_OWN_PROCESS, services::StartTypeOf(code),
                                          SERVICE_ERROR_IGNORE, DummyCommand(key).c_str(), nullptr,
                                          nullptr, nullptr, nullptr, nullptr)
                         : nullptr);
  if (!service) {
    ADD_FAILURE() << "the dummy service " << key << " cannot be made: error " << GetLastError();
    return false;
  }
  if (code == services::kDelayedAutomatic &&
      !ArrangeKnownService(key, services::StartTypeOf(code), DWORD{1})) {
    ADD_FAILURE() << "the dummy service " << key << " cannot be given a delayed start";
    return false;
  }
  return true;
}

void KnownServiceDummies::Remove(const std::string& key) {
  ASSERT_TRUE(IsDummy(key)) << key << " is no dummy";
  Handle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  EXPECT_TRUE(DeleteNamedService(manager.h, key)) << key << ": error " << GetLastError();
  EXPECT_FALSE(ReadKnownServiceState(key).exists) << key << " is still there";
}

void KnownServiceDummies::Recreate(const std::string& key) {
  ASSERT_TRUE(IsDummy(key)) << key << " is no dummy";
  EXPECT_TRUE(CreateDummy(key));
}

void KnownServiceDummies::Reset() {
  for (const std::string& key : dummies_) {
    const int code = Known(key)->Code(services::Preset::Default);
    std::optional<DWORD> delayed;
    if (code == services::kDelayedAutomatic) delayed = 1;
    EXPECT_TRUE(ArrangeKnownService(key, services::StartTypeOf(code), delayed)) << key;
  }
  for (const Own& own : own_)
    EXPECT_TRUE(ArrangeKnownService(own.key, own.state.startType, own.state.delayedAutoStart)) << own.key;
}

void KnownServiceDummies::ArrangeAllOtherThan(services::Preset preset) {
  for (const KnownService& known : kKnownServices) {
    const int code = known.Code(preset);
    DWORD startType = code == services::kManual ? SERVICE_DISABLED : SERVICE_DEMAND_START;
    std::optional<DWORD> delayed;
    if (int wanted = services::DelayedAutoStartOf(code); wanted >= 0) delayed = 1 - wanted;
    EXPECT_TRUE(ArrangeKnownService(known.key, startType, delayed)) << known.key;
  }
}
