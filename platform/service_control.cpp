#include "platform/service_control.h"

#include <utility>
#include <vector>

namespace platform {

// An open service that closes itself.
class ServiceControl::Service {
 public:
  explicit Service(SC_HANDLE handle = nullptr) : handle_(handle) {}
  ~Service() {
    if (handle_) CloseServiceHandle(handle_);
  }
  Service(Service&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  Service(const Service&) = delete;
  Service& operator=(const Service&) = delete;
  SC_HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  SC_HANDLE handle_;
};

namespace {

bool CurrentState(SC_HANDLE service, DWORD* state) {
  SERVICE_STATUS status{};
  if (!QueryServiceStatus(service, &status)) return false;
  *state = status.dwCurrentState;
  return true;
}

// Waits while the service is in `pending`, at most ServiceControl::kStateWaitMs; true when
// it then is in `wanted`.
bool WaitForState(SC_HANDLE service, DWORD pending, DWORD wanted) {
  const DWORD start = GetTickCount();
  DWORD state = 0;
  while (CurrentState(service, &state) && state == pending &&
         GetTickCount() - start < ServiceControl::kStateWaitMs) {
    Sleep(50);
  }
  if (!CurrentState(service, &state)) return false;
  if (state != wanted) SetLastError(ERROR_SERVICE_REQUEST_TIMEOUT);
  return state == wanted;
}

// The start type, read in one call for every configuration that fits the buffer.
bool StartType(SC_HANDLE service, DWORD* startType) {
  alignas(QUERY_SERVICE_CONFIGA) BYTE fixed[2048];
  std::vector<BYTE> large;
  BYTE* buffer = fixed;
  DWORD size = sizeof fixed, needed = 0;
  if (!QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), size, &needed)) {
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return false;
    large.resize(needed);
    buffer = large.data();
    size = needed;
    if (!QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), size, &needed))
      return false;
  }
  *startType = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer)->dwStartType;
  return true;
}

}  // namespace

ServiceControl::~ServiceControl() {
  if (manager_) CloseServiceHandle(manager_);
}

ServiceControl::ServiceControl(ServiceControl&& other) noexcept
    : name_(std::move(other.name_)),
      manager_(std::exchange(other.manager_, nullptr)),
      lastError_(other.lastError_) {}

ServiceControl& ServiceControl::operator=(ServiceControl&& other) noexcept {
  if (this != &other) {
    if (manager_) CloseServiceHandle(manager_);
    name_ = std::move(other.name_);
    manager_ = std::exchange(other.manager_, nullptr);
    lastError_ = other.lastError_;
  }
  return *this;
}

bool ServiceControl::Fail() {
  lastError_ = GetLastError();
  if (lastError_ == ERROR_SUCCESS) lastError_ = ERROR_GEN_FAILURE;
  return false;
}

bool ServiceControl::Succeed() {
  lastError_ = ERROR_SUCCESS;
  return true;
}

ServiceControl::Service ServiceControl::Open(DWORD access) {
  if (name_.empty()) {
    lastError_ = ERROR_INVALID_NAME;
    return Service();
  }
  if (!manager_) manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  if (!manager_) {
    Fail();
    return Service();
  }
  Service service(OpenServiceA(manager_, name_.c_str(), access));
  if (!service) Fail();
  return service;
}

std::string ServiceControl::QueryService() {
  Service service = Open(SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG);
  if (!service) return "";
  DWORD state = 0;
  if (!CurrentState(service.get(), &state)) {
    Fail();
    return "";
  }
  Succeed();
  if (state == SERVICE_RUNNING) return "Started";
  DWORD startType = 0;
  if (!StartType(service.get(), &startType)) {
    Fail();
    return "";
  }
  if (startType == SERVICE_DISABLED) return "Disabled";
  switch (state) {
    case SERVICE_STOPPED: return "Stopped";
    case SERVICE_START_PENDING: return "Start Pending";
    case SERVICE_STOP_PENDING: return "Stop Pending";
    case SERVICE_CONTINUE_PENDING: return "Continue Pending";
    case SERVICE_PAUSE_PENDING: return "Pause Pending";
    case SERVICE_PAUSED: return "Paused";
    default: return "";
  }
}

bool ServiceControl::StartService() {
  Service service = Open(SERVICE_START | SERVICE_QUERY_STATUS);
  if (!service) return false;
  if (!::StartServiceA(service.get(), 0, nullptr) &&
      GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
    return Fail();
  }
  return WaitForState(service.get(), SERVICE_START_PENDING, SERVICE_RUNNING) ? Succeed() : Fail();
}

bool ServiceControl::StopService() {
  Service service = Open(SERVICE_STOP | SERVICE_QUERY_STATUS);
  if (!service) return false;
  SERVICE_STATUS status{};
  if (!ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) {
    DWORD error = GetLastError();
    if (error == ERROR_SERVICE_NOT_ACTIVE) return Succeed();
    // A stop already under way is waited for like our own.
    if (error != ERROR_SERVICE_CANNOT_ACCEPT_CTRL) return Fail();
  }
  return WaitForState(service.get(), SERVICE_STOP_PENDING, SERVICE_STOPPED) ? Succeed() : Fail();
}

bool ServiceControl::SetStartType(int startType) {
  Service service = Open(SERVICE_CHANGE_CONFIG);
  if (!service) return false;
  if (!ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, static_cast<DWORD>(startType),
                            SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                            nullptr, nullptr)) {
    return Fail();
  }
  return Succeed();
}

}  // namespace platform
