// Listing a Run key of 4,000 values on the shown startup manager (the user's pick of the key,
// until the list shows it) against the plain platform loop on the same key: the directories
// read once, the key enumerated, each value read through a handle of its own (opened and
// closed per value, as the page's listing is laid down), the enclosing quotes and the two
// folder tokens dealt with, each row inserted into a bare SysListView32 made like the page's
// list, redraw off, one repaint. The same loop reading every value through the one
// enumeration handle is timed too and printed, for information. The three alternate which
// runs first in each round, after one untimed run of each; each runs with its own list in
// front. Goal: ours at most 1.5 times the per-value loop (medians of the rounds).
#include <windows.h>
#include <commctrl.h>

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "services/frmStartupManager.h"
#include "shell/ProgramState.h"
#include "support/bench_rounds.h"
#include "support/plain_list_view.h"
#include "ui/form.h"

namespace {

constexpr int kValues = 4000;
constexpr int kRounds = 5;
constexpr double kGoal = 1.5;
constexpr const char* kRunOnce = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// 4,000 values of the forms Run keys hold: quoted paths, paths with arguments, the two
// expanded folders, other variables, numbers and long paths.
void FillRunOnce() {
  platform::RegKey key = platform::RegKey::Create(HKEY_CURRENT_USER, kRunOnce, KEY_WOW64_64KEY);
  char name[32], data[512];
  for (int i = 0; i < kValues; ++i) {
    std::snprintf(name, sizeof name, "Entry%04d", i);
    switch (i % 8) {
      case 0: std::snprintf(data, sizeof data, "\"C:\\Program Files\\Vendor%d\\app%d.exe\"", i, i); break;
      case 1: std::snprintf(data, sizeof data, "%%ProgramFiles%%\\Vendor%d\\tool.exe /background", i); break;
      case 2: std::snprintf(data, sizeof data, "%%SystemRoot%%\\system32\\rundll32.exe shell32.dll,Run %d", i); break;
      case 3: std::snprintf(data, sizeof data, "C:\\Tools\\t%d.exe", i); break;
      case 4: std::snprintf(data, sizeof data, "\"C:\\Program Files\\App %d\\run.exe\" -silent -tray", i); break;
      case 5: key.WriteDword(name, static_cast<DWORD>(i)); continue;
      case 6: std::snprintf(data, sizeof data, "%%windir%%\\x%d.exe", i); break;
      default:
        std::snprintf(data, sizeof data, "C:\\%s\\%d.exe", std::string(300, 'd').c_str(), i);
        break;
    }
    key.WriteString(name, data);
  }
}

void EmptyRunOnce() {
  platform::RegKey key(HKEY_CURRENT_USER, kRunOnce, KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_WOW64_64KEY);
  for (const std::string& name : key.EnumValues()) key.DeleteValue(name);
}

constexpr REGSAM kRead = KEY_QUERY_VALUE | KEY_WOW64_64KEY;

// `text` begins with `lowerPrefix`, letter case ignored.
bool StartsWithNoCase(const std::string& text, const char* lowerPrefix, size_t length) {
  if (text.size() < length) return false;
  for (size_t i = 0; i < length; ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) != lowerPrefix[i]) return false;
  return true;
}

// What the Path column shows of a value's bytes: without a pair of quotes that encloses the
// whole text, "%programfiles%" or "%systemroot%" at the very start replaced by the folder.
std::string PathText(const BYTE* data, DWORD size, const std::string& programFiles, const std::string& windows) {
  std::string text = size ? std::string(reinterpret_cast<const char*>(data), size - 1) : std::string();
  if (const size_t nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"' && text.find('"', 1) == text.size() - 1)
    text = text.substr(1, text.size() - 2);
  if (StartsWithNoCase(text, "%programfiles%", 14)) text = programFiles + text.substr(14);
  if (StartsWithNoCase(text, "%systemroot%", 12)) text = windows + text.substr(12);
  return text;
}

// The plain loop: `perValue` reads each value through a handle opened for it alone, as the
// page's listing is laid down; otherwise through the enumeration's handle.
void PlainListing(PlainListView& list, bool perValue) {
  char windows[MAX_PATH + 1] = "";
  GetWindowsDirectoryA(windows, sizeof windows);
  std::string programFiles;
  HKEY version = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion", 0, kRead, &version) ==
      ERROR_SUCCESS) {
    char folder[255];
    DWORD size = sizeof folder;
    if (RegQueryValueExA(version, "ProgramFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size) ==
            ERROR_SUCCESS && size > 0)
      programFiles.assign(folder, size - 1);
    RegCloseKey(version);
  }
  list.BeginFill();
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnce, 0, kRead, &key) == ERROR_SUCCESS) {
    char name[2000];
    BYTE data[1024];  // every value of the key fits, as it does the page's first read
    for (DWORD index = 0;; ++index) {
      DWORD nameLength = sizeof name;
      if (RegEnumValueA(key, index, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      DWORD size = sizeof data;
      LONG read = ERROR_FILE_NOT_FOUND;
      if (perValue) {
        HKEY each = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnce, 0, kRead, &each) == ERROR_SUCCESS) {
          read = RegQueryValueExA(each, name, nullptr, nullptr, data, &size);
          RegCloseKey(each);
        }
      } else {
        read = RegQueryValueExA(key, name, nullptr, nullptr, data, &size);
      }
      const std::string text = PathText(data, read == ERROR_SUCCESS ? size : 0, programFiles, windows);
      list.AddRow(name, text.c_str());
    }
    RegCloseKey(key);
  }
  list.EndFill();
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegReadAccess = Is64BitWindows() ? KEY_QUERY_VALUE | KEY_WOW64_64KEY : KEY_QUERY_VALUE;
  RegWriteAccess = Is64BitWindows() ? KEY_SET_VALUE | KEY_WOW64_64KEY : KEY_SET_VALUE;
  FillRunOnce();

  FrmStartupManager& page = *frmStartupManager;
  page.Show();
  ui::DoEvents();
  int pick = -1;
  for (int i = 0; i < page.Combo4->ListCount(); ++i)
    if (page.Combo4->List(i) == "HKCU/RunOnce") pick = i;
  const HWND pageList = page.vbalListViewCtl1->hWnd();
  PlainListView plain(pageList);
  PlainListView oneHandle(pageList);

  BenchSide ours{"ours", [&] {
                   page.Combo4->SetListIndex(pick);  // what the user's pick runs
                   PaintNow(page.hWnd());
                 }};
  ours.prepare = [&] { BringToFront(pageList); };
  BenchSide perValue{"per-value plain loop", [&] {
                       PlainListing(plain, true);
                       PaintNow(plain.Host());
                     }};
  perValue.prepare = [&] { plain.BringToFront(); };
  BenchSide shared{"one-handle plain loop", [&] {
                     PlainListing(oneHandle, false);
                     PaintNow(oneHandle.Host());
                   }};
  shared.prepare = [&] { oneHandle.BringToFront(); };
  const std::vector<BenchSide*> sides{&ours, &perValue, &shared};

  WarmUp(sides);
  RunRounds(kRounds, sides, [&](int round) {
    std::printf("round %d (%s first): ours %.3f s (%d rows), per-value plain loop %.3f s (%d rows), "
                "one-handle plain loop %.3f s (%d rows)\n",
                round + 1, FirstInRound(round, sides).name.c_str(), ours.times.Last(),
                page.vbalListViewCtl1->ItemCount(), perValue.times.Last(), plain.Count(), shared.times.Last(),
                oneHandle.Count());
  });
  const bool complete =
      plain.Count() == kValues && oneHandle.Count() == kValues && page.vbalListViewCtl1->ItemCount() == kValues;
  // The texts agree: the page's rows against the per-value loop's.
  int differing = 0;
  for (int i = 0; i < kValues && complete; ++i) {
    char name[2000] = "", path[1024] = "";
    ListView_GetItemText(plain.hWnd(), i, 0, name, sizeof name);
    ListView_GetItemText(plain.hWnd(), i, 1, path, sizeof path);
    ui::ListItem row = page.vbalListViewCtl1->Item(i + 1);
    if (row.Text() != name || std::string(row.SubItem(1).c_str()) != path) ++differing;
  }
  ProgramEnding = true;  // no main window comes back
  page.Unload();
  EmptyRunOnce();

  std::printf("one-handle plain loop %s; ours / one-handle loop = %.2f (no goal)\n", shared.times.Text().c_str(),
              ours.times.Median() / shared.times.Median());
  const bool fast = ReportRatio("startup manager, pick of a key of " + std::to_string(kValues) + " values:", ours.times,
                                perValue.times, kGoal, "per-value plain loop");
  if (!complete) std::printf("FAILED: not every value was listed\n");
  if (differing) std::printf("FAILED: %d rows differ from the plain loop's\n", differing);
  const bool ok = complete && differing == 0 && fast;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  std::fflush(stdout);
  ExitProcess(ok ? 0 : 1);
}
