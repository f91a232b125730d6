// Listing a Run key of 4,000 values: the startup manager's pick of the key against the
// plain platform loop (enumerate, open, query and close each value, insert into a bare
// SysListView32 with redraw off, one repaint), on the same data, median of 5 interleaved
// rounds. Goal: ours at most 1.5 times the plain loop.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "services/frmStartupManager.h"
#include "shell/ProgramState.h"
#include "support/stopwatch.h"
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

// The plain loop into a bare list view of the page's list size.
class PlainList {
 public:
  PlainList() {
    frame_ = CreateWindowExA(0, "STATIC", "plain", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 960, 560, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    list_ = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT, 0, 0, 920,
                            420, frame_, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    const char* headers[] = {"Name", "Path"};
    for (int c = 0; c < 2; ++c) {
      LVCOLUMNA column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
      column.pszText = const_cast<char*>(headers[c]);
      column.cx = c ? 583 : 292;
      column.iSubItem = c;
      SendMessageA(list_, LVM_INSERTCOLUMNA, c, reinterpret_cast<LPARAM>(&column));
    }
  }
  ~PlainList() { DestroyWindow(frame_); }

  void Fill() {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list_, LVM_DELETEALLITEMS, 0, 0);
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnce, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &key) == ERROR_SUCCESS) {
      std::vector<char> name(32768);
      std::vector<BYTE> data(1024);
      for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumValueA(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
          break;
        HKEY each = nullptr;
        DWORD size = static_cast<DWORD>(data.size());
        std::string text;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunOnce, 0, KEY_QUERY_VALUE | KEY_WOW64_64KEY, &each) == ERROR_SUCCESS) {
          if (RegQueryValueExA(each, name.data(), nullptr, nullptr, data.data(), &size) == ERROR_SUCCESS && size > 0)
            text.assign(reinterpret_cast<char*>(data.data()), size - 1);
          RegCloseKey(each);
        }
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(index);
        item.pszText = name.data();
        int at = static_cast<int>(SendMessageA(list_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
        item.iSubItem = 1;
        item.pszText = text.data();
        SendMessageA(list_, LVM_SETITEMTEXTA, at, reinterpret_cast<LPARAM>(&item));
      }
      RegCloseKey(key);
    }
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(list_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
  int Count() { return static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0)); }

 private:
  HWND frame_ = nullptr;
  HWND list_ = nullptr;
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  RegReadAccess = Is64BitWindows() ? KEY_QUERY_VALUE | KEY_WOW64_64KEY : KEY_QUERY_VALUE;
  RegWriteAccess = Is64BitWindows() ? KEY_SET_VALUE | KEY_WOW64_64KEY : KEY_SET_VALUE;
  FillRunOnce();

  PlainList plain;
  FrmStartupManager& page = *frmStartupManager;
  page.Show();
  ui::DoEvents();
  int pick = -1;
  for (int i = 0; i < page.Combo4->ListCount(); ++i)
    if (page.Combo4->List(i) == "HKCU/RunOnce") pick = i;

  std::vector<double> plainTimes, ourTimes;
  for (int round = 0; round < kRounds; ++round) {
    double t0 = Seconds();
    plain.Fill();
    double t1 = Seconds();
    ui::DoEvents();
    double t2 = Seconds();
    page.Combo4->SetListIndex(pick);  // what the user's pick runs
    double t3 = Seconds();
    ui::DoEvents();
    plainTimes.push_back(t1 - t0);
    ourTimes.push_back(t3 - t2);
    std::printf("round %d: plain %.3f s (%d rows), ours %.3f s (%d rows)\n", round + 1, t1 - t0, plain.Count(),
                t3 - t2, page.vbalListViewCtl1->ItemCount());
  }
  const bool complete = plain.Count() == kValues && page.vbalListViewCtl1->ItemCount() == kValues;
  ProgramEnding = true;  // no main window comes back
  page.Unload();
  EmptyRunOnce();

  const double ours = Median(ourTimes), base = Median(plainTimes);
  const double ratio = ours / base;
  std::printf("startup manager, pick of a key of %d values: ours %.3f s, plain loop %.3f s, ratio %.2f (goal %.1f)\n",
              kValues, ours, base, ratio, kGoal);
  if (!complete) {
    std::printf("FAILED: not every value was listed\n");
    return 1;
  }
  return ratio <= kGoal ? 0 : 1;
}
