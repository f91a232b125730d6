// Stand-in services for the sandbox: a Wine prefix has only a few of the Windows 7 services
// that the services page knows. This program makes the others, so that the page lists, acts
// and applies its presets in the sandbox as it does on Windows 7.
//
//   stand_in_services.exe --install   makes every known service the machine lacks, as an
//                                     own-process service of this program, with the start
//                                     type that Windows 7 gives it ("DelayedAutoStart" 1
//                                     for a delayed one); services already there are left
//                                     alone, so what a user did to them stays
//   stand_in_services.exe <name>      runs as the service <name> (the service manager
//                                     starts it so): it reports running and stops when
//                                     asked
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "services/KnownServices.h"

namespace {

SERVICE_STATUS_HANDLE statusHandle = nullptr;
HANDLE stopRequested = nullptr;
std::string serviceName;

void Report(DWORD state) {
  SERVICE_STATUS status{};
  status.dwServiceType = SERVICE_WIN32_OWN_PROCESS;
  status.dwCurrentState = state;
  status.dwControlsAccepted = state == SERVICE_RUNNING ? SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_SHUTDOWN : 0;
  SetServiceStatus(statusHandle, &status);
}

DWORD WINAPI Handler(DWORD control, DWORD, LPVOID, LPVOID) {
  switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
      Report(SERVICE_STOP_PENDING);
      SetEvent(stopRequested);
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
  Report(SERVICE_RUNNING);
  WaitForSingleObject(stopRequested, INFINITE);
  Report(SERVICE_STOPPED);
}

bool SetDelayedAutoStart(const char* key) {
  HKEY serviceKey;
  const std::string path = std::string(services::kServicesKey) + key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &serviceKey))
    return false;
  const DWORD one = 1;
  bool ok = RegSetValueExA(serviceKey, "DelayedAutoStart", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                           sizeof one) == ERROR_SUCCESS;
  RegCloseKey(serviceKey);
  return ok;
}

int Install() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) {
    std::fprintf(stderr, "the service manager cannot be opened: error %lu\n", GetLastError());
    return 1;
  }
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  int made = 0, there = 0, failed = 0;
  for (const services::KnownService& known : services::kKnownServices) {
    if (SC_HANDLE existing = OpenServiceA(manager, known.key, SERVICE_QUERY_STATUS)) {
      CloseServiceHandle(existing);
      ++there;
      continue;
    }
    const int code = known.Code(services::Preset::Default);
    const std::string command = "\"" + std::string(program) + "\" " + known.key;
    SC_HANDLE service = CreateServiceA(manager, known.key, known.displayName, SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, services::StartTypeOf(code),
                                       SERVICE_ERROR_IGNORE, command.c_str(), nullptr, nullptr, nullptr,
                                       nullptr, nullptr);
    if (!service) {
      std::fprintf(stderr, "%s: error %lu\n", known.key, GetLastError());
      ++failed;
      continue;
    }
    CloseServiceHandle(service);
    if (code == services::kDelayedAutomatic && !SetDelayedAutoStart(known.key)) ++failed;
    ++made;
  }
  CloseServiceHandle(manager);
  std::printf("stand-in services: %d made, %d there already, %d failed\n", made, there, failed);
  return failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--install") == 0) return Install();
  if (argc != 2) {
    std::fprintf(stderr, "usage: stand_in_services --install | <service name>\n");
    return 2;
  }
  serviceName = argv[1];
  SERVICE_TABLE_ENTRYA table[] = {{serviceName.data(), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
