// The services page against the plain service-manager loops, over the 144 known services
// (the prefix's own and dummies):
//   the Safe preset as the Auto Tuner runs it (silent, the page loaded hidden) against one
//   manager handle with OpenService + ChangeServiceConfigA + CloseServiceHandle for each
//   service and "DelayedAutoStart" written in the key of each service the preset makes
//   automatic, both from a state where every service has a start type and a
//   "DelayedAutoStart" other than the preset's (made before each run, outside the time);
//   "Query Stopped Services" on the shown page, until the list shows the services, against
//   one manager handle with OpenService + QueryServiceStatus (+ QueryServiceConfigA when
//   the service does not run, to leave out the disabled ones) + CloseServiceHandle for each
//   service, the stopped ones' names inserted into a bare SysListView32 made like the page's
//   list, redraw off, one repaint; each listing runs with its own list in front.
// In each pair the two alternate which goes first in each round, after one untimed run of
// each. Prints the medians, their spread and the ratios, and fails when either ratio (of
// the medians) is above 1.5.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "services/KnownServices.h"
#include "services/frmServices.h"
#include "shell/ProgramState.h"
#include "support/bench_rounds.h"
#include "support/known_service_dummies.h"
#include "support/plain_list_view.h"
#include "ui/form.h"

namespace {

using services::kKnownServices;
using services::Preset;

constexpr int kRounds = 5;
constexpr double kGoal = 1.5;

void PlainChangeLoop() {
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  std::string path = services::kServicesKey;
  const size_t pathStart = path.size();
  for (const auto& known : kKnownServices) {
    const int code = known.Code(Preset::SilentSafe);
    SC_HANDLE service = OpenServiceA(manager, known.key, SERVICE_CHANGE_CONFIG);
    ChangeServiceConfigA(service, SERVICE_NO_CHANGE, services::StartTypeOf(code), SERVICE_NO_CHANGE, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    CloseServiceHandle(service);
    const int delayed = services::DelayedAutoStartOf(code);
    if (delayed < 0) continue;
    path.replace(pathStart, std::string::npos, known.key);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_SET_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
      const DWORD value = static_cast<DWORD>(delayed);
      RegSetValueExA(key, "DelayedAutoStart", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
      RegCloseKey(key);
    }
  }
  CloseServiceHandle(manager);
}

// The stopped services (not disabled) by their display names, into the plain list.
void PlainStoppedListing(PlainListView& list) {
  list.BeginFill();
  SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
  alignas(QUERY_SERVICE_CONFIGA) BYTE buffer[8192];
  for (const auto& known : kKnownServices) {
    SC_HANDLE service = OpenServiceA(manager, known.key, SERVICE_QUERY_STATUS | SERVICE_QUERY_CONFIG);
    SERVICE_STATUS status{};
    DWORD needed = 0;
    bool stopped = QueryServiceStatus(service, &status) && status.dwCurrentState == SERVICE_STOPPED;
    if (stopped) {
      auto* config = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer);
      stopped = QueryServiceConfigA(service, config, sizeof buffer, &needed) &&
                config->dwStartType != SERVICE_DISABLED;
    }
    CloseServiceHandle(service);
    if (stopped) list.AddRow(known.displayName);
  }
  CloseServiceHandle(manager);
  list.EndFill();
}

}  // namespace

int main() {
  InitCommonControls();
  RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
  RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
  KnownServiceDummies dummies;
  if (!dummies.Ready()) {
    std::printf("the known services could not all be made\n");
    return 2;
  }

  // The Safe preset, silent, on the page loaded hidden.
  AutoTuneMode = true;
  BenchSide preset{"page", [] { frmServices->Command68_Click(); }};
  BenchSide change{"plain change loop", PlainChangeLoop};
  preset.prepare = change.prepare = [&] { dummies.ArrangeAllOtherThan(Preset::SilentSafe); };
  const std::vector<BenchSide*> presetSides{&preset, &change};
  WarmUp(presetSides);
  RunRounds(kRounds, presetSides, [&](int round) {
    std::printf("round %d (%s first): Safe preset: page %.3f s, plain change loop %.3f s\n", round + 1,
                FirstInRound(round, presetSides).name.c_str(), preset.times.Last(), change.times.Last());
  });
  AutoTuneMode = false;

  // "Query Stopped Services" on the shown page.
  FrmServices& page = *frmServices;
  page.Show();
  ui::DoEvents();
  const HWND pageList = page.ListView1->hWnd();
  PlainListView plain(pageList);
  BenchSide listing{"page", [&] {
                      page.Command17_Click();
                      PaintNow(page.hWnd());
                    }};
  listing.prepare = [&] { BringToFront(pageList); };
  BenchSide query{"plain query loop", [&] {
                    PlainStoppedListing(plain);
                    PaintNow(plain.Host());
                  }};
  query.prepare = [&] { plain.BringToFront(); };
  const std::vector<BenchSide*> listingSides{&listing, &query};
  WarmUp(listingSides);
  RunRounds(kRounds, listingSides, [&](int round) {
    std::printf("round %d (%s first): stopped listing: page %.3f s (%d rows), plain query loop %.3f s (%d rows)\n",
                round + 1, FirstInRound(round, listingSides).name.c_str(), listing.times.Last(),
                page.ListView1->ItemCount(), query.times.Last(), plain.Count());
  });
  // Both listed the same services.
  bool sameRows = page.ListView1->ItemCount() == plain.Count() && plain.Count() > 0;
  for (int i = 0; sameRows && i < plain.Count(); ++i) {
    char name[512] = "";
    ListView_GetItemText(plain.hWnd(), i, 0, name, sizeof name);
    sameRows = page.ListView1->Item(i + 1).Text() == name;
  }

  // As the program's end does: the page goes, and no main window comes.
  ProgramEnding = true;
  page.Unload();
  bool ok = ReportRatio("Safe preset:", preset.times, change.times, kGoal, "plain change loop");
  ok = ReportRatio("stopped listing (page shown):", listing.times, query.times, kGoal, "plain query loop") && ok;
  if (!sameRows) std::printf("FAILED: the page and the plain loop listed different services\n");
  ok = ok && sameRows;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  std::fflush(stdout);
  return ok ? 0 : 1;
}
