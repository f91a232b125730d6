#include "test_service.h"

#include <gtest/gtest.h>

#include <cstring>

#include "test_child.h"

namespace {

constexpr DWORD kArrangeWaitMs = 30000;

std::string EventName(const std::string& service, const char* what) {
  return "Global\\QuenvorTestService." + service + "." + what;
}

SC_HANDLE OpenManager() { return OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS); }

bool WaitUntilState(SC_HANDLE service, DWORD wanted) {
  const DWORD start = GetTickCount();
  SERVICE_STATUS status{};
  while (QueryServiceStatus(service, &status) && status.dwCurrentState != wanted &&
         GetTickCount() - start < kArrangeWaitMs) {
    Sleep(50);
  }
  return QueryServiceStatus(service, &status) && status.dwCurrentState == wanted;
}

// ---- the service side

std::string serviceName;
bool holdStart = false, holdStop = false;
SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopRequested = nullptr;

void Report(DWORD state) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  if (state == SERVICE_RUNNING || state == SERVICE_PAUSED) {
    status.dwControlsAccepted = SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE;
  }
  status.dwWaitHint = (state == SERVICE_START_PENDING || state == SERVICE_STOP_PENDING) ? 30000 : 0;
  SetServiceStatus(statusHandle, &status);
}

void WaitForRelease(const char* what) {
  if (HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, EventName(serviceName, what).c_str())) {
    WaitForSingleObject(release, kArrangeWaitMs);
    CloseHandle(release);
  }
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
      Report(SERVICE_STOP_PENDING);
      SetEvent(stopRequested);
      return NO_ERROR;
    case SERVICE_CONTROL_PAUSE:
      Report(SERVICE_PAUSED);
      return NO_ERROR;
    case SERVICE_CONTROL_CONTINUE:
      Report(SERVICE_RUNNING);
      return NO_ERROR;
    case SERVICE_CONTROL_INTERROGATE:
      return NO_ERROR;
    default:
      return ERROR_CALL_NOT_IMPLEMENTED;
  }
}

void WINAPI ServiceMain(DWORD, LPSTR*) {
  statusHandle = RegisterServiceCtrlHandlerExA(serviceName.c_str(), Handler, nullptr);
  if (!statusHandle) return;
  stopRequested = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  Report(SERVICE_START_PENDING);
  if (holdStart) WaitForRelease("start");
  Report(SERVICE_RUNNING);
  // A service that its test forgot goes by itself once the test could no longer be running.
  WaitForSingleObject(stopRequested, 600000);
  if (holdStop) WaitForRelease("stop");
  Report(SERVICE_STOPPED);
}

}  // namespace

ScopedTestService::ScopedTestService(const std::string& name, DWORD startType, int holds)
    : name_(name) {
  startRelease_ = CreateEventA(nullptr, TRUE, FALSE, EventName(name, "start").c_str());
  stopRelease_ = CreateEventA(nullptr, TRUE, FALSE, EventName(name, "stop").c_str());
  std::string command = "\"" + TestProgramPath() + "\" --service " + name;
  if (holds & kHoldStart) command += " --hold-start";
  if (holds & kHoldStop) command += " --hold-stop";
  SC_HANDLE manager = OpenManager();
  SC_HANDLE service = manager ? CreateServiceA(manager, name.c_str(), name.c_str(), SERVICE_ALL_ACCESS,
                                               SERVICE_WIN32_OWN_PROCESS, startType,
                                               SERVICE_ERROR_IGNORE, command.c_str(), nullptr,
                                               nullptr, nullptr, nullptr, nullptr)
                                : nullptr;
  DWORD error = GetLastError();
  created_ = service != nullptr;
  if (!created_) ADD_FAILURE() << "CreateService \"" << name << "\" failed with error " << error;
  if (service) CloseServiceHandle(service);
  if (manager) CloseServiceHandle(manager);
}

ScopedTestService::~ScopedTestService() {
  ReleaseStart();
  ReleaseStop();
  if (created_) {
    SC_HANDLE manager = OpenManager();
    SC_HANDLE service = manager ? OpenServiceA(manager, name_.c_str(), SERVICE_ALL_ACCESS) : nullptr;
    if (service) {
      SERVICE_STATUS status{};
      if (QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED) {
        if (status.dwCurrentState == SERVICE_START_PENDING) WaitUntilState(service, SERVICE_RUNNING);
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        WaitUntilState(service, SERVICE_STOPPED);
      }
      DeleteService(service);
      CloseServiceHandle(service);
      WaitUntilServiceGone(manager, name_);
    }
    // The service manager lets a deleted service go only once its process has ended: wait
    // for that, so that the name can be used again at once.
    const DWORD start = GetTickCount();
    while (manager && GetTickCount() - start < kArrangeWaitMs) {
      SC_HANDLE left = OpenServiceA(manager, name_.c_str(), SERVICE_QUERY_STATUS);
      if (!left) break;
      CloseServiceHandle(left);
      Sleep(50);
    }
    if (manager) CloseServiceHandle(manager);
  }
  if (startRelease_) CloseHandle(startRelease_);
  if (stopRelease_) CloseHandle(stopRelease_);
}

void ScopedTestService::ReleaseStart() {
  if (startRelease_) SetEvent(startRelease_);
}
void ScopedTestService::ReleaseStop() {
  if (stopRelease_) SetEvent(stopRelease_);
}

ScopedServiceMarkedForDeletion::ScopedServiceMarkedForDeletion(const std::string& name) {
  manager_ = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  service_ = manager_ ? OpenServiceA(manager_, name.c_str(), SERVICE_ALL_ACCESS) : nullptr;
  marked_ = service_ && DeleteService(service_);
}

ScopedServiceMarkedForDeletion::~ScopedServiceMarkedForDeletion() {
  if (service_) CloseServiceHandle(service_);
  if (manager_) CloseServiceHandle(manager_);
}

bool WaitUntilServiceGone(SC_HANDLE manager, const std::string& name) {
  const DWORD start = GetTickCount();
  for (;;) {
    SC_HANDLE service = OpenServiceA(manager, name.c_str(), SERVICE_QUERY_STATUS);
    if (!service) return GetLastError() == ERROR_SERVICE_DOES_NOT_EXIST;
    CloseServiceHandle(service);
    if (GetTickCount() - start >= kArrangeWaitMs) return false;
    Sleep(20);
  }
}

ServiceFacts ReadServiceFacts(const std::string& name) {
  ServiceFacts facts;
  SC_HANDLE manager = OpenManager();
  SC_HANDLE service = manager ? OpenServiceA(manager, name.c_str(), SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG)
                              : nullptr;
  if (service) {
    SERVICE_STATUS status{};
    DWORD needed = 0;
    QueryServiceConfigA(service, nullptr, 0, &needed);
    std::string buffer(needed, '\0');
    auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
    if (QueryServiceStatus(service, &status) && needed &&
        QueryServiceConfigA(service, config, needed, &needed)) {
      facts.exists = true;
      facts.state = status.dwCurrentState;
      facts.startType = config->dwStartType;
    }
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return facts;
}

bool ArrangeService(const std::string& name, DWORD startType, bool running) {
  SC_HANDLE manager = OpenManager();
  SC_HANDLE service = manager ? OpenServiceA(manager, name.c_str(), SERVICE_ALL_ACCESS) : nullptr;
  bool ok = false;
  if (service) {
    auto setType = [&](DWORD type) {
      return ChangeServiceConfigA(service, SERVICE_NO_CHANGE, type, SERVICE_NO_CHANGE, nullptr,
                                  nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) != 0;
    };
    SERVICE_STATUS status{};
    if (running) {
      // A disabled service cannot start: start it first, disable it afterwards.
      ok = setType(startType == SERVICE_DISABLED ? SERVICE_DEMAND_START : startType);
      if (ok && !StartServiceA(service, 0, nullptr) && GetLastError() != ERROR_SERVICE_ALREADY_RUNNING) ok = false;
      ok = ok && WaitUntilState(service, SERVICE_RUNNING);
      if (ok && startType == SERVICE_DISABLED) ok = setType(startType);
    } else {
      ok = setType(startType);
      if (ok && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_STOPPED) {
        ControlService(service, SERVICE_CONTROL_STOP, &status);
      }
      ok = ok && WaitUntilState(service, SERVICE_STOPPED);
    }
    CloseServiceHandle(service);
  }
  if (manager) CloseServiceHandle(manager);
  return ok;
}

int RunTestServiceIfAsked(int argc, char** argv) {
  if (argc < 3 || std::strcmp(argv[1], "--service") != 0) return -1;
  serviceName = argv[2];
  for (int i = 3; i < argc; ++i) {
    if (std::strcmp(argv[i], "--hold-start") == 0) holdStart = true;
    if (std::strcmp(argv[i], "--hold-stop") == 0) holdStop = true;
  }
  SERVICE_TABLE_ENTRYA table[] = {{serviceName.data(), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
