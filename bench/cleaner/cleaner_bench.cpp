// Two pages against the plain platform loop on the same drive, K:, a folder of the prefix
// that prepare.sh maps before the wineserver starts; this program builds the tree in it once:
// 100,000 files in 220 folders, a quarter junk-named, a 30-level chain, names near MAX_PATH
// and a few names outside the ANSI code page. The files are empty.
//
// The junk cleaner's search ("Begin Search" on the shown page, until the page shows its
// result) against FindFirstFileExW (FindExInfoBasic, large fetch) over every folder with
// PathMatchSpecW per file, nothing shown. Timed twice per round: a first search (the list
// emptied before it, outside the time, as on a page just opened) and a repeated search (the
// rows of the search before still in the list: the page empties them inside its time, as a
// user's second search does). The three alternate which goes first in each round, after one
// run of each to warm up. Goal: each search at most 1.3 times the plain loop (medians of the
// rounds), with the figures right (the page's, the loop's and the generator's agree) and the
// counters painted at most every 50 ms plus their final value. For information, the plain
// loop that also fills a bare list view made like the page's with the found paths (redraw
// off, one repaint) is timed once.
//
// The folder-size page's "Process Drive" on K: (the shown page, the drive chosen in its
// list) against the same kind of loop summing the sizes of the files below each top-level
// folder, nothing shown. Goal: the page at most 1.2 times the plain loop (medians of as many
// rounds as the search's, alternating which goes first, after one of each to warm up), every
// top-level node showing the loop's sum (and the loop's files the generator's: all of them,
// 0 bytes), and the tree painted at most every 50 ms plus its first and final paints (the
// count and the smallest gap between two running paints are shown). Also shown: how long
// after a click of "Stop Processing Drive", posted by a timer halfway through a listing, the
// listing ends.
//
// Exits non-zero when a goal is missed.
//
// Size: QUENVOR_CLEANER_BENCH_FILES=<files> in the environment, or --files <n> (or
// --files=<n>); rounds: QUENVOR_CLEANER_BENCH_ROUNDS=<n> or --rounds <n> (5). Where Wine runs
// emulated the full size takes several minutes, the tree about one; a smaller tree runs
// quicker, but the pages' fixed costs (their first and last repaints) then weigh more
// against the loop. QUENVOR_CLEANER_BENCH_DUMP=1 prints the time of every paint.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <tuple>
#include <vector>

#include "maintenance/JunkSearch.h"
#include "maintenance/FolderSizes.h"
#include "maintenance/frmDiskCleaner.h"
#include "maintenance/frmDiskUsage.h"
#include "platform/wide_text.h"
#include "support/bench_rounds.h"
#include "support/bench_tree.h"
#include "support/paint_log.h"
#include "support/plain_list_view.h"
#include "support/stopwatch.h"

namespace {

constexpr double kGoal = 1.3;  // the first search and the repeated one
constexpr double kUsageGoal = 1.2;
constexpr long kPaintPacingMs = 50;
const std::wstring kDrive = L"K:\\";

int Setting(int argc, char** argv, const char* option, const char* variable, int fallback) {
  const size_t length = std::strlen(option);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], option) == 0 && i + 1 < argc) return std::atoi(argv[i + 1]);
    if (std::strncmp(argv[i], option, length) == 0 && argv[i][length] == '=') return std::atoi(argv[i] + length + 1);
  }
  if (const char* value = std::getenv(variable); value && *value) return std::atoi(value);
  return fallback;
}

// What the plain loop met, counted as the cleaner counts.
struct PlainCounts {
  int64_t scanned = 0;  // entries, plus one per folder searched
  int64_t files = 0;
  int64_t folders = 0;
  int64_t matching = 0;
};

// `path` ends with "\" and is the one buffer of the walk.
void PlainWalk(std::wstring& path, const wchar_t* patterns, PlainCounts& counts) {
  const size_t base = path.size();
  path += L"*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  path.resize(base);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    ++counts.scanned;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (found.cFileName[0] == L'.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
      ++counts.folders;
      path += found.cFileName;
      path += L'\\';
      PlainWalk(path, patterns, counts);
      path.resize(base);
      ++counts.scanned;
    } else {
      ++counts.files;
      if (PathMatchSpecW(found.cFileName, patterns)) ++counts.matching;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// The plain loop that also shows what it finds: each matching file's full path, in the
// system's code page, as a row of a bare list view (its redraw held off by the caller).
void PlainWalkIntoList(std::wstring& path, const wchar_t* patterns, PlainListView& list, std::string& row) {
  const size_t base = path.size();
  path += L"*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  path.resize(base);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      if (found.cFileName[0] == L'.' || (found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
      path += found.cFileName;
      path += L'\\';
      PlainWalkIntoList(path, patterns, list, row);
      path.resize(base);
    } else if (PathMatchSpecW(found.cFileName, patterns)) {
      path += found.cFileName;
      row.resize(path.size() * 2 + 1);
      const int n = WideCharToMultiByte(CP_ACP, 0, path.c_str(), static_cast<int>(path.size()), row.data(),
                                        static_cast<int>(row.size()), nullptr, nullptr);
      row.resize(n > 0 ? n : 0);
      list.AddRow(row.c_str());
      path.resize(base);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

struct PaintFigures {
  size_t counters = 0;   // paints of the scanned-files box
  size_t found = 0;      // paints of the found-files box
  long smallestGap = -1; // between two running figures (the clearing and the final paint left out)
  size_t list = 0;       // paints of the list
};

PaintFigures Figures(const PaintLog& scanned, const PaintLog& found, const PaintLog& list) {
  PaintFigures f;
  f.counters = scanned.Paints().size();
  f.found = found.Paints().size();
  f.list = list.Paints().size();
  for (const PaintLog* log : {&scanned, &found}) {
    if (log->Paints().size() < 3) continue;
    const long gap = log->SmallestGap(1, log->Paints().size() - 1);
    if (gap >= 0 && (f.smallestGap < 0 || gap < f.smallestGap)) f.smallestGap = gap;
  }
  return f;
}

// A top-level folder of the drive and the bytes of the files below it, counted as the
// folder-size page counts them: names beginning with "." left out below the top.
struct PlainSum {
  std::wstring name;
  uint64_t bytes = 0;
};

// `path` ends with "\" and is the one buffer of the walk.
void PlainAddSizes(std::wstring& path, uint64_t& bytes, int64_t& files) {
  const size_t base = path.size();
  path += L"*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  path.resize(base);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    if (found.cFileName[0] == L'.') continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      path += found.cFileName;
      path += L'\\';
      PlainAddSizes(path, bytes, files);
      path.resize(base);
    } else {
      bytes += (static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
      ++files;
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

std::vector<PlainSum> PlainFolderSums(const std::wstring& root, int64_t& files) {
  std::vector<PlainSum> sums;
  std::wstring path = root + L"*";
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileExW(path.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) return sums;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    const wchar_t* name = found.cFileName;
    if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0))) continue;
    PlainSum sum{name};
    path = root + name + L"\\";
    PlainAddSizes(path, sum.bytes, files);
    sums.push_back(std::move(sum));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return sums;
}

// "Stop Processing Drive" pressed by a timer while a listing runs.
HWND stopButton = nullptr;
double stopPostedAt = 0;
void CALLBACK PressStop(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  stopPostedAt = Seconds();
  PostMessageA(stopButton, BM_CLICK, 0, 0);
}

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  BenchTreeShape shape;
  shape.files = Setting(argc, argv, "--files", "QUENVOR_CLEANER_BENCH_FILES", shape.files);
  const int rounds = std::max(1, Setting(argc, argv, "--rounds", "QUENVOR_CLEANER_BENCH_ROUNDS", 5));
  const bool dump = std::getenv("QUENVOR_CLEANER_BENCH_DUMP") != nullptr;
  if (GetFileAttributesW(kDrive.c_str()) == INVALID_FILE_ATTRIBUTES) {
    std::printf("FAILED: drive K: is not there (bench/cleaner/prepare.sh maps it)\n");
    return 1;
  }

  const std::wstring patterns = platform::WideFromAnsi(kJunkFilePatterns);
  BenchTreeFigures tree;
  double t0 = Seconds();
  if (!MakeBenchTree(kDrive, shape, patterns, &tree)) {
    std::printf("FAILED: the tree could not be made\n");
    return 1;
  }
  std::printf("tree on K: %lld files (%lld junk-named) in %lld folders, deepest %d, longest path %u; made in %.1f s\n",
              static_cast<long long>(tree.files), static_cast<long long>(tree.matching),
              static_cast<long long>(tree.folders), tree.deepest, static_cast<unsigned>(tree.longestPath),
              Seconds() - t0);
  std::fflush(stdout);

  FrmDiskCleaner& page = *frmDiskCleaner;
  page.Show();
  if (!page.Drive1->SetDrive("k")) {
    std::printf("FAILED: the page's drive list has no K:\n");
    ExitProcess(1);
  }
  ui::DoEvents();
  PaintLog scannedLog(page.Text4->hWnd(), [] { return GetTickCount(); });
  PaintLog foundLog(page.Text5->hWnd(), [] { return GetTickCount(); });
  PaintLog listLog(page.ListView2->hWnd(), [] { return GetTickCount(); });

  // One search as a user starts it: the logs emptied, then the click, until the page shows
  // the figures.
  DWORD searchStart = 0;
  auto search = [&] {
    page.Command22_Click();
    PaintNow(page.hWnd());
  };
  auto beforeSearch = [&] {
    scannedLog.Clear();
    foundLog.Clear();
    listLog.Clear();
    searchStart = GetTickCount();
  };
  PaintFigures lastPaints;
  auto afterSearch = [&] {
    lastPaints = Figures(scannedLog, foundLog, listLog);
    if (!dump) return;
    for (const PaintLog* log : {&scannedLog, &foundLog, &listLog}) {
      std::printf("paints:");
      for (const auto& p : log->Paints()) std::printf(" %lu'%s'", p.at - searchStart, p.text.c_str());
      std::printf("\n");
    }
    std::printf("search ended at %lu\n", GetTickCount() - searchStart);
  };

  Timings clearTimes;  // emptying the list before a first search, outside its time
  int rowsBeforeRepeat = -1;
  BenchSide first{"first search", search};
  first.prepare = [&] {
    const double start = Seconds();
    page.ListView2->Clear();
    PaintNow(page.hWnd());
    clearTimes.Add(Seconds() - start);
    beforeSearch();
  };
  BenchSide repeat{"repeat search", search};
  repeat.prepare = [&] {
    rowsBeforeRepeat = page.ListView2->ItemCount();  // the search before left its rows
    beforeSearch();
  };
  PlainCounts plain;
  BenchSide loop{"plain loop", [&] {
                   PlainCounts counts;
                   std::wstring path = kDrive;
                   PlainWalk(path, patterns.c_str(), counts);
                   plain = counts;
                 }};
  const std::vector<BenchSide*> searchSides{&first, &repeat, &loop};

  PaintFigures firstPaints, repeatPaints;
  first.finish = [&] {
    afterSearch();
    firstPaints = lastPaints;
  };
  repeat.finish = [&] {
    afterSearch();
    repeatPaints = lastPaints;
  };
  // One of each before the rounds, so that no round pays for first times.
  WarmUp(searchSides);
  bool paced = true;
  bool repeatFull = true;
  RunRounds(rounds, searchSides, [&](int round) {
    repeatFull = repeatFull && rowsBeforeRepeat == tree.matching;
    // Cleared, the running figure at most every 50 ms, the final figure. (The time between
    // two paints is shown too; the pacing decides by the clock before painting, so a paint
    // that is quicker than the one before may come a few milliseconds short of 50 after it.)
    std::string paints;
    for (const auto& [name, p, time] : {std::tuple{"first", &firstPaints, first.times.Last()},
                                        std::tuple{"repeat", &repeatPaints, repeat.times.Last()}}) {
      const size_t bound = static_cast<size_t>(time * 1000 / kPaintPacingMs) + 3;
      paced = paced && p->counters <= bound && p->found <= bound;
      char text[200];
      std::snprintf(text, sizeof text, "; %s: counters painted %u and %u times (smallest gap %ld ms, at most %u allowed), list %u times",
                    name, static_cast<unsigned>(p->counters), static_cast<unsigned>(p->found), p->smallestGap,
                    static_cast<unsigned>(bound), static_cast<unsigned>(p->list));
      paints += text;
    }
    std::printf("round %d (%s first): first search %.3f s, repeat search %.3f s (%d rows before), plain loop %.3f s%s\n",
                round + 1, FirstInRound(round, searchSides).name.c_str(), first.times.Last(), repeat.times.Last(),
                rowsBeforeRepeat, loop.times.Last(), paints.c_str());
  });

  // Where the page's time goes: its walk alone, and the list filled alone.
  struct Quiet : JunkSearchObserver {
    void FileFound(const std::string&) override {}
    void Scanned() override {}
  } quiet;
  JunkSearchState alone;
  alone.SearchSubFolders = true;
  alone.JunkFilePatterns = kJunkFilePatterns;
  double t2 = Seconds();
  SearchFolder("K:\\", alone, quiet);
  const double walkAlone = Seconds() - t2;
  std::vector<std::string> texts;
  for (int i = 1; i <= page.ListView2->ItemCount(); ++i) texts.push_back(page.ListView2->Item(i).Text());
  page.ListView2->Clear();
  t2 = Seconds();
  {
    ui::ListView::RedrawOff off(*page.ListView2);
    for (const std::string& text : texts) page.ListView2->AddItem(text);
  }
  const double fillAlone = Seconds() - t2;
  std::printf("of the page's time: its walk alone %.3f s (%d found); the list filled alone (and painted once) %.3f s\n",
              walkAlone, alone.FilesFound, fillAlone);

  // For information: the plain loop that also shows what it finds, in a bare list view.
  double plainWithList = 0;
  int plainListRows = 0;
  {
    PlainListView plainList(page.ListView2->hWnd());
    plainList.BringToFront();
    std::wstring path = kDrive;
    std::string row;
    const double start = Seconds();
    plainList.BeginFill();
    PlainWalkIntoList(path, patterns.c_str(), plainList, row);
    plainList.EndFill();
    PaintNow(plainList.Host());
    plainWithList = Seconds() - start;
    plainListRows = plainList.Count();
  }
  ui::DoEvents();
  std::printf("plain loop that also fills a bare list view (redraw off, one repaint), once: %.3f s, %d rows "
              "(no goal: the goal's plain loop shows nothing)\n",
              plainWithList, plainListRows);

  const int rows = page.ListView2->ItemCount();
  double t1 = Seconds();
  page.Command23_Click();
  const double selectAll = Seconds() - t1;
  t1 = Seconds();
  page.Command24_Click();
  const double unselectAll = Seconds() - t1;

  std::printf("figures: page found %d of %d scanned, %d rows (shown \"%s\" and \"%s\", time \"%s\")\n",
              JunkSearch.FilesFound, JunkSearch.FilesScanned, rows, page.Text5->Text().c_str(),
              page.Text4->Text().c_str(), page.Text6->Text().c_str());
  std::printf("         plain loop %lld junk of %lld files in %lld folders, %lld scanned; generator %lld junk of %lld files in %lld folders\n",
              static_cast<long long>(plain.matching), static_cast<long long>(plain.files),
              static_cast<long long>(plain.folders), static_cast<long long>(plain.scanned),
              static_cast<long long>(tree.matching), static_cast<long long>(tree.files),
              static_cast<long long>(tree.folders));
  std::printf("select all %d rows: %.3f s; unselect all: %.3f s; emptying the list before a first search "
              "(outside its time): %s\n",
              rows, selectAll, unselectAll, clearTimes.Text().c_str());

  // The folder-size page: Process Drive on K: against the plain sums.
  FrmDiskUsage& usage = *frmDiskUsage;
  usage.Show();
  if (!usage.drvChoose->SetDrive("k")) {
    std::printf("FAILED: the folder-size page's drive list has no K:\n");
    ExitProcess(1);
  }
  ui::DoEvents();
  PaintLog treeLog(usage.trvDriveView->hWnd(), [] { return GetTickCount(); });

  int64_t sumFiles = 0;
  std::vector<PlainSum> sums;
  DWORD processStart = 0;
  size_t painted = 0;
  BenchSide process{"process drive", [&] {
                      usage.cmdProcess_Click();
                      PaintNow(usage.hWnd());
                    }};
  process.prepare = [&] {
    treeLog.Clear();
    processStart = GetTickCount();
  };
  process.finish = [&] {
    painted = treeLog.Paints().size();
    if (!dump) return;
    std::printf("tree paints:");
    for (const auto& p : treeLog.Paints()) std::printf(" %lu", p.at - processStart);
    std::printf("\nprocess drive ended at %lu\n", GetTickCount() - processStart);
  };
  BenchSide sumLoop{"plain loop", [&] {
                      int64_t files = 0;
                      sums = PlainFolderSums(kDrive, files);
                      sumFiles = files;
                    }};
  const std::vector<BenchSide*> usageSides{&process, &sumLoop};
  WarmUp(usageSides);
  bool treePaced = true;
  size_t treePaints = 0;
  long treeGap = -1;
  RunRounds(rounds, usageSides, [&](int round) {
    // The root shown, the running tree at most every 50 ms, the final tree.
    const long gap = painted >= 3 ? treeLog.SmallestGap(1, painted - 1) : -1;
    const size_t bound = static_cast<size_t>(process.times.Last() * 1000 / kPaintPacingMs) + 3;
    treePaced = treePaced && painted <= bound;
    treePaints = std::max(treePaints, painted);
    if (gap >= 0 && (treeGap < 0 || gap < treeGap)) treeGap = gap;
    std::printf("round %d (%s first): process drive %.3f s, plain loop %.3f s; tree painted %u times "
                "(smallest gap %ld ms, at most %u allowed)\n",
                round + 1, FirstInRound(round, usageSides).name.c_str(), process.times.Last(), sumLoop.times.Last(),
                static_cast<unsigned>(painted), gap, static_cast<unsigned>(bound));
  });
  // Every top-level folder once, with the loop's sum.
  std::vector<std::string> wrongNodes;
  const int nodes = usage.trvDriveView->NodeCount() - 1;  // the root left out
  uint64_t sumBytes = 0;
  for (const PlainSum& sum : sums) {
    sumBytes += sum.bytes;
    const std::string key = platform::AnsiFromWide(sum.name);
    const std::string expected = key + " (" + SizeText(sum.bytes);
    ui::TreeNode node = usage.trvDriveView->Node(key);
    if (!node) wrongNodes.push_back(key + ": no node");
    else if (node.Text() != expected || node.ParentKey() != "main")
      wrongNodes.push_back(key + ": \"" + node.Text() + "\", not \"" + expected + "\"");
  }
  const bool usageRight = wrongNodes.empty() && nodes == static_cast<int>(sums.size()) && sumFiles == tree.files &&
                          sumBytes == 0;
  std::printf("folder sizes: page %d top-level nodes; plain loop %u top-level folders, %lld files, %llu bytes; "
              "generator %lld files, 0 bytes\n",
              nodes, static_cast<unsigned>(sums.size()), static_cast<long long>(sumFiles),
              static_cast<unsigned long long>(sumBytes), static_cast<long long>(tree.files));
  for (const std::string& wrong : wrongNodes) std::printf("  wrong node %s\n", wrong.c_str());

  // Stop, pressed halfway through a listing: how long until the listing ends.
  const double processTime = process.times.Median();
  // The press counts from when the timer is due: the click waits in the queue like a user's
  // until the listing next reads it.
  stopButton = usage.Command2->hWnd();
  stopPostedAt = 0;
  const UINT stopAfterMs = std::max<UINT>(1, static_cast<UINT>(processTime * 1000 / 2));
  const double stopStart = Seconds();
  const UINT_PTR stopTimer = SetTimer(nullptr, 0, stopAfterMs, PressStop);
  usage.cmdProcess_Click();
  const double stoppedAt = Seconds();
  if (stopPostedAt == 0) KillTimer(nullptr, stopTimer);
  ui::DoEvents();
  const double stopDueAt = stopStart + stopAfterMs / 1000.0;
  long stopDelayMs = -1;
  if (stopPostedAt > 0 && usage.StopProcessing) {
    stopDelayMs = static_cast<long>((stoppedAt - stopDueAt) * 1000 + 0.5);
    std::printf("stop pressed %u ms into process drive: the listing ended %ld ms later, with %d of %u "
                "top-level nodes\n",
                stopAfterMs, stopDelayMs, usage.trvDriveView->NodeCount() - 1, static_cast<unsigned>(sums.size()));
  } else {
    std::printf("stop pressed %u ms into process drive was not taken: the listing had ended (%.0f ms)\n",
                stopAfterMs, (stoppedAt - stopStart) * 1000);
  }

  const bool figuresRight = JunkSearch.FilesFound == tree.matching && plain.matching == tree.matching &&
                            rows == tree.matching && plain.files == tree.files && plain.folders == tree.folders &&
                            JunkSearch.FilesScanned == plain.scanned;
  const std::string files = std::to_string(tree.files);
  const bool firstFast = ReportRatio("junk search", first.times, loop.times, kGoal);
  const bool repeatFast = ReportRatio("repeat search", repeat.times, loop.times, kGoal);
  const bool usageFast = ReportRatio("process drive", process.times, sumLoop.times, kUsageGoal);
  std::printf("on %s files; process drive: tree painted at most %u times in a round, smallest gap %ld ms; stop to "
              "end of listing %ld ms\n",
              files.c_str(), static_cast<unsigned>(treePaints), treeGap, stopDelayMs);
  if (!repeatFull) std::printf("FAILED: a repeated search did not find the rows of the search before in the list\n");
  if (!figuresRight) std::printf("FAILED: the figures disagree\n");
  if (!paced) std::printf("FAILED: the counters were painted more often than every %ld ms\n", kPaintPacingMs);
  if (!usageRight) std::printf("FAILED: the folder sizes disagree\n");
  if (!treePaced) std::printf("FAILED: the folder tree was painted more often than every %ld ms\n", kPaintPacingMs);
  const bool ok = figuresRight && paced && repeatFull && firstFast && repeatFast && usageRight && treePaced && usageFast;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  std::fflush(stdout);
  // Straight out: unloading the page would bring back a main window that asks its start-up
  // question.
  ExitProcess(ok ? 0 : 1);
}
