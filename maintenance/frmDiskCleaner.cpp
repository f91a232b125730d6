#include "maintenance/frmDiskCleaner.h"

#include "maintenance/JunkSearch.h"
#include "platform/clock.h"
#include "platform/handle_files.h"
#include "platform/locale_numbers.h"
#include "platform/shell_ops.h"
#include "platform/wide_text.h"
#include "services/PrefetchFiles.h"
#include "shell/ColouredMessageBox.h"
#include "shell/LayoutScaling.h"
#include "shell/ProgramState.h"
#include "shell/Strings.h"
#include "shell/frmprogress.h"
#include "ui/Hourglass.h"
#include "ui/PaintPacer.h"

namespace {

using ui::Def;
using ui::Kind;

// The list shows the items alone (no columns), each with a check box.
constexpr int kListSettings = ui::kListCheckBoxes | ui::kListLabelTips | ui::kListMultiSelect;

constexpr Def kDesign[] = {
    {.kind = Kind::Frame, .name = "Frame21", .rect = {120, 120, 11520, 6900}, .caption = "Disk Cleaner"},
    {.kind = Kind::Custom, .name = "Drive1", .parent = "Frame21", .rect = {240, 360, 3000, 315},
     .customClass = ui::kDriveListClass},
    {.kind = Kind::CheckBox, .name = "Check15", .parent = "Frame21", .rect = {3480, 390, 2400, 255},
     .caption = "Search SubFolders", .value = 1},
    {.kind = Kind::CheckBox, .name = "Check9", .index = 0, .parent = "Frame21", .rect = {6000, 390, 3000, 255},
     .caption = "Remove Prefetch Files"},
    {.kind = Kind::Custom, .name = "ListView2", .parent = "Frame21", .rect = {240, 840, 11040, 4560},
     .fontSize = 8.25f, .value = kListSettings, .fontName = "MS Sans Serif", .customClass = ui::kListViewClass},
    {.kind = Kind::Label, .name = "Label7", .parent = "Frame21", .rect = {240, 5580, 1335, 255},
     .caption = "Files Scanned:"},
    {.kind = Kind::TextBox, .name = "Text4", .parent = "Frame21", .rect = {1620, 5535, 1800, 315},
     .style = ui::kLocked},
    {.kind = Kind::Label, .name = "Label8", .parent = "Frame21", .rect = {3720, 5580, 1215, 255},
     .caption = "Files Found:"},
    {.kind = Kind::TextBox, .name = "Text5", .parent = "Frame21", .rect = {4980, 5535, 1800, 315},
     .style = ui::kLocked},
    {.kind = Kind::Label, .name = "Label9", .parent = "Frame21", .rect = {7080, 5580, 1215, 255},
     .caption = "Search Time:"},
    {.kind = Kind::TextBox, .name = "Text6", .parent = "Frame21", .rect = {8340, 5535, 2940, 315},
     .style = ui::kLocked},
    {.kind = Kind::CommandButton, .name = "Command22", .parent = "Frame21", .rect = {240, 6240, 2580, 435},
     .caption = "Begin Search"},
    {.kind = Kind::CommandButton, .name = "Command23", .parent = "Frame21", .rect = {3060, 6240, 2580, 435},
     .caption = "Select All"},
    {.kind = Kind::CommandButton, .name = "Command24", .parent = "Frame21", .rect = {5880, 6240, 2580, 435},
     .caption = "Unselect All"},
    {.kind = Kind::CommandButton, .name = "Command25", .parent = "Frame21", .rect = {8700, 6240, 2580, 435},
     .caption = "Delete Selected Files"},
    {.kind = Kind::CommandButton, .name = "Command1", .rect = {8160, 7140, 3480, 435},
     .caption = "Close This Window", .style = ui::kCancel},
};

constexpr ui::FormDef kForm{.name = "frmDiskCleaner",
                            .caption = "Disk Cleaner",
                            .width = 11880,
                            .height = 8100,
                            .border = ui::BorderStyle::FixedSingle,
                            .maxButton = false};

// In the Part's order; the tool tip of the Prefetch box comes last.
constexpr CaptionLine kCaptions[] = {
    {{"Frame21"}, 171},    {{"Command25"}, 99},  {{"Command23"}, 462}, {{"Command1"}, 64},
    {{"Command22"}, 45},   {{"Command24"}, 576}, {{"Check15"}, 451},   {{"Check9", 0}, 404},
    {{"Label9"}, 452},     {{"Label8"}, 206},    {{"Label7"}, 207},    {{"Check9", 0}, kNoText, 751},
};

// What the search shows while it runs: each found file as a row of the list, whose redraw
// is held off and which repaints at a bounded rate, and the two counters as plain digits,
// painted at most every 50 ms.
class PageSearch : public JunkSearchObserver {
 public:
  PageSearch(ui::ListView& list, ui::TextBox& scanned, ui::TextBox& found)
      : list_(list), scanned_(scanned), found_(found) {}

  void FileFound(const std::string& path) override {
    list_.AddItem(path);
    list_.RefreshThrottled();
  }
  void Scanned() override {
    if (pacer_.Due()) {
      ShowCounters();
      pacer_.Painted();
    }
  }
  // Both counters as they stand now (a box whose figure has not changed is left alone).
  void ShowCounters() {
    Show(scanned_, JunkSearch.FilesScanned, shownScanned_);
    Show(found_, JunkSearch.FilesFound, shownFound_);
  }

 private:
  // The box's Change handler repaints it.
  static void Show(ui::TextBox& box, int32_t value, int64_t& shown) {
    if (value == shown) return;
    shown = value;
    box.SetText(std::to_string(value));
  }

  ui::ListView& list_;
  ui::TextBox& scanned_;
  ui::TextBox& found_;
  ui::PaintPacer pacer_;
  int64_t shownScanned_ = -1;
  int64_t shownFound_ = -1;
};

// The row's path lies below the searched drive's root folder.
bool UnderSearchRoot(const std::string& path) {
  const std::string& root = JunkSearch.SearchRoot;
  if (root.size() < 3 || path.size() <= root.size()) return false;
  return CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, path.data(), static_cast<int>(root.size()),
                        root.data(), static_cast<int>(root.size())) == CSTR_EQUAL;
}

}  // namespace

FILEOP_FLAGS RecycleFlags(bool quiet) {
  FILEOP_FLAGS flags = FOF_ALLOWUNDO;
  if (quiet) flags |= FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_WANTNUKEWARNING;
  return flags;
}

std::string CleanerCountText(int32_t count) { return platform::LocaleNumber(count, 0, true); }

std::string CleanerTimeText(DWORD startTicks, DWORD endTicks) {
  const DWORD elapsed = endTicks - startTicks;  // unsigned: right across the wrap
  return platform::LocaleNumber(elapsed / 1000.0, 2, true) + LoadResString(662);
}

FrmDiskCleaner::FrmDiskCleaner() : Page(kForm, kDesign) {}

void FrmDiskCleaner::BindEvents() {
  Command22->Click = [this] { Command22_Click(); };
  Command23->Click = [this] { Command23_Click(); };
  Command24->Click = [this] { Command24_Click(); };
  Command25->Click = [this] { Command25_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  Text4->Change = [this] { ui::RefreshOnChange(*Text4); };
  Text5->Change = [this] { ui::RefreshOnChange(*Text5); };
}

void FrmDiskCleaner::Form_Load() {
  LoadCaptions();
  // The items alone, each across the list's width (its one column, which the scaler
  // scales with the list), not cut at the list view's default width.
  ui::ListView& list = *ListView2;
  RECT client{};
  GetClientRect(list.hWnd(), &client);
  list.AddColumn("PATH", "").SetWidth(client.right * TwipsPerPixel());
  ResizeDiskCleaner();
}

void FrmDiskCleaner::LoadCaptions() { LoadPageCaptions(*this, 171, kCaptions); }

void FrmDiskCleaner::ResizeDiskCleaner() { ScalePageToScreen(*this); }

void FrmDiskCleaner::Command1_Click() { Unload(); }

bool FrmDiskCleaner::MoveToRecycleBin(const std::string& fileSpec, bool quiet) {
  const std::string path = TrimAtNull(fileSpec);
  if (path.empty() || path.find_first_of("?*") != std::string::npos) return false;
  // The search saw the path a while ago. The shell takes it by its text: every folder on it is
  // opened from the drive's root by handle, never through a link, and held so that none can
  // be renamed or swapped for a link until the shell is done; a file that is a link, or a
  // path that leads through one, stays (as a file the shell could not take would).
  platform::HeldPath held;
  if (!platform::HoldFilePath(platform::WideFromAnsi(path), &held)) return false;
  // The shell's question is owned by the page while it is loaded (without loading it).
  return platform::ShellDelete(path, RecycleFlags(quiet), Loaded() ? window() : nullptr).Succeeded();
}

void FrmDiskCleaner::Command22_Click() {
  ++searches_;
  ui::ListView& list = *ListView2;
  list.Clear();
  Text4->SetText("");
  Text5->SetText("");
  Text6->SetText("");
  JunkSearch.SearchRoot = AddBackslash(Drive1->Drive().substr(0, 2) + "\\");
  JunkSearch.JunkFilePatterns = kJunkFilePatterns;
  JunkSearch.SearchSubFolders = Check15->Value() == 1;
  JunkSearch.FilesFound = 0;
  JunkSearch.FilesScanned = 0;

  PageSearch search(list, *Text4, *Text5);
  const DWORD start = platform::clock().TickCount();
  {
    ui::HourglassPointer hourglass;
    // The rows show by the timed refresh while the search runs, and at once when it ends.
    ui::ListView::RedrawOff quiet(list);
    SearchFolder(JunkSearch.SearchRoot, JunkSearch, search);
    ShowPathsWhole();
  }
  const DWORD end = platform::clock().TickCount();

  if (Check9[0].Value() == 1) {
    // The counters stand at their final figures while the message is up.
    search.ShowCounters();
    DeletePrefetchFiles();
    MsgBox(LoadResString(361), MB_OK | MB_ICONINFORMATION);
    if (!Loaded()) return;
  }
  Text4->SetText(CleanerCountText(JunkSearch.FilesScanned));
  Text5->SetText(CleanerCountText(JunkSearch.FilesFound));
  Text6->SetText(CleanerTimeText(start, end));
}

void FrmDiskCleaner::ShowPathsWhole() {
  // The list view gives the items of a list without columns the width of the first row
  // that comes into it (a short path cuts all longer ones): its column's width is given
  // again once the rows are in.
  ui::ListViewColumn& path = ListView2->Column(1);
  path.SetWidth(path.Width());
}

void FrmDiskCleaner::TickAll(bool ticked) {
  ui::ListView& list = *ListView2;
  ui::ListView::RedrawOff quiet(list);
  const int count = list.ItemCount();
  for (int i = 1; i <= count; ++i) {
    list.Item(i).SetChecked(ticked);
    list.RefreshThrottled();
  }
}

void FrmDiskCleaner::Command23_Click() { TickAll(true); }

void FrmDiskCleaner::Command24_Click() { TickAll(false); }

void FrmDiskCleaner::Command25_Click() {
  const int load = LoadCount();
  const int search = searches_;
  if (MsgBox(LoadResString(36), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  // Closed, or searched anew, while the question was up: the rows are not those asked about.
  if (!Loaded() || LoadCount() != load || searches_ != search) return;
  frmprogress->Show();
  frmprogress->SetCaption(LoadResString(100));
  ui::ListView& list = *ListView2;
  const int count = list.ItemCount();
  frmprogress->ProgressBar1->SetMax(count);
  bool interrupted = false;
  for (int i = 1; i <= count; ++i) {
    frmprogress->Advance();
    ui::ListItem row = list.Item(i);
    if (!row.Checked()) continue;
    const std::string path = row.Text();
    // Only what the search found on the drive; one shell call per row.
    if (!UnderSearchRoot(path)) continue;
    MoveToRecycleBin(path, true);
    // While the shell asked about a file, messages ran: the page may have been closed
    // (touching it would load it again), closed and opened anew, or its list changed (by
    // another press of this button, or a new search, which may find as many rows). The
    // rows counted above are not those any more: stop, and leave the list as it is now.
    if (!Loaded() || LoadCount() != load || searches_ != search || list.ItemCount() != count) {
      interrupted = true;
      break;
    }
  }
  frmprogress->Unload();
  if (!interrupted) list.Clear();
}
