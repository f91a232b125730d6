#include "platform/service_control.h"

#include <utility>
#include <vector>

namespace platform {
namespace {

// A service-manager handle that closes itself.
class ScHandle {
 public:
  explicit ScHandle(SC_HANDLE handle = nullptr) : handle_(handle) {}
  ~ScHandle() {
    if (handle_) CloseServiceHandle(handle_);
  }
  ScHandle(ScHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
  ScHandle(const ScHandle&) = delete;
  ScHandle& operator=(const ScHandle&) = delete;
  SC_HANDLE get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  SC_HANDLE handle_;
};

// The service with the rights asked for; an empty handle when it cannot be opened.
ScHandle OpenNamedService(const std::string& name, DWORD access) {
  if (name.empty()) return ScHandle();
  ScHandle manager(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT));
  if (!manager) return ScHandle();
  return ScHandle(OpenServiceA(manager.get(), name.c_str(), access));
}

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
  return CurrentState(service, &state) && state == wanted;
}

DWORD StartType(SC_HANDLE service, bool* known) {
  DWORD needed = 0;
  *known = false;
  QueryServiceConfigA(service, nullptr, 0, &needed);
  if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0) return 0;
  std::vector<BYTE> buffer(needed);
  auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
  if (!QueryServiceConfigA(service, config, needed, &needed)) return 0;
  *known = true;
  return config->dwStartType;
}

}  // namespace

std::string ServiceControl::QueryService() {
  ScHandle service = OpenNamedService(name_, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG);
  if (!service) return "";
  DWORD state = 0;
  if (!CurrentState(service.get(), &state)) return "";
  if (state == SERVICE_RUNNING) return "Started";
  bool known = false;
  DWORD startType = StartType(service.get(), &known);
  if (!known) return "";
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
  ScHandle service = OpenNamedService(name_, SERVICE_START | SERVICE_QUERY_STATUS);
  if (!service) return false;
  if (!::StartServiceA(service.get(), 0, nullptr) &&
      GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) {
    return false;
  }
  return WaitForState(service.get(), SERVICE_START_PENDING, SERVICE_RUNNING);
}

bool ServiceControl::StopService() {
  ScHandle service = OpenNamedService(name_, SERVICE_STOP | SERVICE_QUERY_STATUS);
  if (!service) return false;
  SERVICE_STATUS status{};
  if (!ControlService(service.get(), SERVICE_CONTROL_STOP, &status)) {
    DWORD error = GetLastError();
    if (error == ERROR_SERVICE_NOT_ACTIVE) return true;
    // A stop already under way is waited for like our own.
    if (error != ERROR_SERVICE_CANNOT_ACCEPT_CTRL) return false;
  }
  return WaitForState(service.get(), SERVICE_STOP_PENDING, SERVICE_STOPPED);
}

bool ServiceControl::SetStartType(int startType) {
  ScHandle service = OpenNamedService(name_, SERVICE_CHANGE_CONFIG);
  if (!service) return false;
  return ChangeServiceConfigA(service.get(), SERVICE_NO_CHANGE, static_cast<DWORD>(startType),
                              SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr) != 0;
}

}  // namespace platform
