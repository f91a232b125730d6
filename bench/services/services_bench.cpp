// The services page against the plain service-manager loops, over the 144 known services
// (the prefix's own and dummies), in 5 interleaved rounds:
//   (a) one manager handle; OpenService + ChangeServiceConfigA + CloseServiceHandle each,
//   (b) the Auto Tuner's Safe preset through the page (silent),
//   both from a state where every service has a type other than the preset's;
//   (c) one manager handle; OpenService + QueryServiceStatus + QueryServiceConfigA each,
//   (d) "Query Stopped Services" through the page.
// Prints the medians and the ratios b/a and d/c, and fails when either is above 1.5.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "services/KnownServices.h"
#include "services/frmServices.h"
#include "shell/ProgramState.h"
#include "support/known_service_dummies.h"

namespace {

using services::kKnownServices;
using services::Preset;
using Clock = std::chrono::steady_clock;

constexpr int kRounds = 5;
constexpr double kGoal = 1.5;

template <class F>
double Seconds(F&& run) {
  auto start = Clock::now();
  run();
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void PlainChangeLoop() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  for (const auto& known : kKnownServices) {
    SC_HANDLE service = OpenServiceA(manager, known.key, SERVICE_CHANGE_CONFIG);
    ChangeServiceConfigA(service, SERVICE_NO_CHANGE, services::StartTypeOf(known.Code(Preset::SilentSafe)),
                         SERVICE_NO_CHANGE, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
}

void PlainQueryLoop() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  alignas(QUERY_SERVICE_CONFIGA) BYTE buffer[8192];
  for (const auto& known : kKnownServices) {
    SC_HANDLE service = OpenServiceA(manager, known.key, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG);
    SERVICE_STATUS status;
    DWORD needed = 0;
    QueryServiceStatus(service, &status);
    QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer), sizeof buffer, &needed);
    CloseServiceHandle(service);
  }
  CloseServiceHandle(manager);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

bool Report(const char* what, const char* ours, const char* plain, const std::vector<double>& b,
            const std::vector<double>& a) {
  const double ratio = Median(b) / Median(a);
  std::printf("%s: %s %.3f s, %s %.3f s (medians of %d), ratio %.2f (goal at most %.1f)%s\n", what, ours,
              Median(b), plain, Median(a), kRounds, ratio, kGoal, ratio <= kGoal ? "" : "  MISSED");
  return ratio <= kGoal;
}

}  // namespace

int main() {
  RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
  KnownServiceDummies dummies;
  if (!dummies.Ready()) {
    std::printf("the known services could not all be made\n");
    return 2;
  }
  AutoTuneMode = true;
  std::vector<double> a, b, c, d;
  for (int round = 0; round < kRounds; ++round) {
    dummies.ArrangeAllOtherThan(Preset::SilentSafe);
    a.push_back(Seconds(PlainChangeLoop));
    dummies.ArrangeAllOtherThan(Preset::SilentSafe);
    b.push_back(Seconds([] { frmServices->Command68_Click(); }));
    c.push_back(Seconds(PlainQueryLoop));
    d.push_back(Seconds([] { frmServices->Command17_Click(); }));
  }
  AutoTuneMode = false;
  // As the program's end does: the page the run left loaded goes, and no main window comes.
  ProgramEnding = true;
  frmServices->Unload();
  std::fflush(stdout);
  bool ok = Report("Safe preset", "page", "plain change loop", b, a);
  ok = Report("Stopped listing", "page", "plain query loop", d, c) && ok;
  return ok ? 0 : 1;
}
