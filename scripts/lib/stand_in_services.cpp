// Stand-in services for the sandbox: a Wine prefix has only a few of the Windows 7 services
// that the services page knows. This program makes the others, so that the page lists, acts
// and applies its presets in the sandbox as it does on Windows 7.
//
//   stand_in_services.exe --table             prints the names of the services it knows,
//                                             one a line
//   stand_in_services.exe --install [<file>]  makes every known service the machine lacks,
//                                             as an own-process service of this program, with
//                                             the start type that Windows 7 gives it
//                                             ("DelayedAutoStart" 1 for a delayed one), but
//                                             those <file> names (the table of the last run,
//                                             as --table printed it): what the user did to
//                                             the services stays, deleted ones included
//   stand_in_services.exe <name>              runs as the service <name> (the service manager
//                                             starts it so): it reports running and stops
//                                             when asked
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "scripts/lib/stand_in_install.h"

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

int Install(const char* offeredFile) {
  std::set<std::string> offered;
  if (offeredFile) {
    std::ifstream in(offeredFile, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    if (!in) {
      std::fprintf(stderr, "cannot read %s\n", offeredFile);
      return 1;
    }
    offered = standin::ParseTable(text.str());
  }
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
  if (!manager) {
    std::fprintf(stderr, "the service manager cannot be opened: error %lu\n", GetLastError());
    return 1;
  }
  char program[MAX_PATH];
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string errors;
  const standin::InstallCount count =
      standin::Install(manager, services::kKnownServices, offered, program, errors);
  CloseServiceHandle(manager);
  std::fputs(errors.c_str(), stderr);
  std::printf("stand-in services: %d made, %d there already, %d left as the user has them, %d failed\n",
              count.made, count.there, count.kept, count.failed);
  return count.failed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "--table") == 0) {
    std::fputs(standin::TableText(services::kKnownServices).c_str(), stdout);
    return 0;
  }
  if ((argc == 2 || argc == 3) && std::strcmp(argv[1], "--install") == 0)
    return Install(argc == 3 ? argv[2] : nullptr);
  if (argc != 2) {
    std::fprintf(stderr, "usage: stand_in_services --table | --install [<file>] | <service name>\n");
    return 2;
  }
  serviceName = argv[1];
  SERVICE_TABLE_ENTRYA table[] = {{serviceName.data(), ServiceMain}, {nullptr, nullptr}};
  return StartServiceCtrlDispatcherA(table) ? 0 : 1;
}
