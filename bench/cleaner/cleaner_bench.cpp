// The junk cleaner's search ("Begin Search" on the shown page) against the plain platform
// loop on the same drive: FindFirstFileExW (FindExInfoBasic, large fetch) over every folder
// with PathMatchSpecW per file, nothing shown. The drive, K:, is a folder of the prefix that
// prepare.sh maps before the wineserver starts; this program builds the tree in it once:
// 100,000 files in 220 folders, a quarter junk-named, a 30-level chain, names near MAX_PATH
// and a few names outside the ANSI code page.
//
// Goal: the page at most 1.5 times the plain loop (best of interleaved rounds, after one
// search of each to warm up; the list is emptied before each of the page's rounds, outside
// the time, and that time is shown), with the figures right (the page's, the loop's and the
// generator's agree) and the counters painted at most every 50 ms plus their final value.
// Exits non-zero otherwise.
//
// Size: QUENVOR_CLEANER_BENCH_FILES=<files> in the environment, or --files <n> (or
// --files=<n>); rounds: QUENVOR_CLEANER_BENCH_ROUNDS=<n> or --rounds <n> (5). Where Wine runs
// emulated the full size takes about three minutes, the tree about one; a smaller tree runs
// quicker, but the search's fixed costs (its first and last repaints) then weigh more
// against the loop. QUENVOR_CLEANER_BENCH_DUMP=1 prints the time of every paint.
#include <windows.h>
#include <commctrl.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "maintenance/JunkSearch.h"
#include "maintenance/frmDiskCleaner.h"
#include "platform/wide_text.h"
#include "support/bench_tree.h"
#include "support/paint_log.h"
#include "support/stopwatch.h"

namespace {

constexpr double kGoal = 1.5;
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

}  // namespace

int main(int argc, char** argv) {
  InitCommonControls();
  BenchTreeShape shape;
  shape.files = Setting(argc, argv, "--files", "QUENVOR_CLEANER_BENCH_FILES", shape.files);
  const int rounds = std::max(1, Setting(argc, argv, "--rounds", "QUENVOR_CLEANER_BENCH_ROUNDS", 5));
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

  // Warm: the plain loop reads the folders once.
  PlainCounts plain;
  {
    std::wstring path = kDrive;
    PlainWalk(path, patterns.c_str(), plain);
  }

  // And the page searches once before the rounds, so that no round pays for first times.
  page.Command22_Click();

  std::vector<double> ours, loop;
  std::vector<PaintFigures> paints;
  std::vector<double> clearTimes;
  bool paced = true;
  for (int round = 0; round < rounds; ++round) {
    double pageTime = 0, loopTime = 0;
    for (int turn = 0; turn < 2; ++turn) {
      if ((turn == 0) == (round % 2 == 0)) {
        // The rows of the round before go first, outside the time: Begin Search empties the
        // list itself, which the plain loop has no counterpart for (its time is shown).
        const double clearStart = Seconds();
        page.ListView2->Clear();
        clearTimes.push_back(Seconds() - clearStart);
        scannedLog.Clear();
        foundLog.Clear();
        listLog.Clear();
        const DWORD startTick = GetTickCount();
        const double start = Seconds();
        page.Command22_Click();
        pageTime = Seconds() - start;
        paints.push_back(Figures(scannedLog, foundLog, listLog));
        if (std::getenv("QUENVOR_CLEANER_BENCH_DUMP")) {
          for (const PaintLog* log : {&scannedLog, &foundLog, &listLog}) {
            std::printf("paints:");
            for (const auto& p : log->Paints()) std::printf(" %lu'%s'", p.at - startTick, p.text.c_str());
            std::printf("\n");
          }
          std::printf("search ended at %lu\n", GetTickCount() - startTick);
        }
      } else {
        PlainCounts counts;
        std::wstring path = kDrive;
        const double start = Seconds();
        PlainWalk(path, patterns.c_str(), counts);
        loopTime = Seconds() - start;
        plain = counts;
      }
      ui::DoEvents();
    }
    ours.push_back(pageTime);
    loop.push_back(loopTime);
    const PaintFigures& p = paints.back();
    // Cleared, the running figure at most every 50 ms, the final figure. (The time between two
    // paints is shown too; the pacing decides by the clock before painting, so a paint that
    // is quicker than the one before may come a few milliseconds short of 50 after it.)
    const size_t bound = static_cast<size_t>(pageTime * 1000 / kPaintPacingMs) + 3;
    paced = paced && p.counters <= bound && p.found <= bound;
    std::printf("round %d (%s first): page %.3f s, plain loop %.3f s; counters painted %u and %u times "
                "(smallest gap %ld ms, at most %u allowed), list painted %u times\n",
                round + 1, round % 2 == 0 ? "page" : "loop", pageTime, loopTime, static_cast<unsigned>(p.counters),
                static_cast<unsigned>(p.found), p.smallestGap, static_cast<unsigned>(bound),
                static_cast<unsigned>(p.list));
    std::fflush(stdout);
  }

  // Where the page's time goes: the ANSI walk alone, and the list filled alone.
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
  std::printf("of the page's time: the ANSI walk alone %.3f s (%d found); the list filled alone (and painted once) %.3f s\n", walkAlone,
              alone.FilesFound, fillAlone);

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
  std::printf("select all %d rows: %.3f s; unselect all: %.3f s; emptying the list before a search: %.3f s\n", rows,
              selectAll, unselectAll, *std::max_element(clearTimes.begin(), clearTimes.end()));

  const bool figuresRight = JunkSearch.FilesFound == tree.matching && plain.matching == tree.matching &&
                            rows == tree.matching && plain.files == tree.files && plain.folders == tree.folders &&
                            JunkSearch.FilesScanned == plain.scanned;
  const double ourTime = *std::min_element(ours.begin(), ours.end());
  const double loopTime = *std::min_element(loop.begin(), loop.end());
  const double ratio = ourTime / loopTime;
  std::printf("junk search %.3f s / plain loop %.3f s = %.2f (goal <= %.1f), best of %d rounds on %lld files\n",
              ourTime, loopTime, ratio, kGoal, rounds, static_cast<long long>(tree.files));
  if (!figuresRight) std::printf("FAILED: the figures disagree\n");
  if (!paced) std::printf("FAILED: the counters were painted more often than every %ld ms\n", kPaintPacingMs);
  const bool ok = figuresRight && paced && ratio <= kGoal;
  std::printf("%s\n", ok ? "PASS" : "FAIL");
  std::fflush(stdout);
  // Straight out: unloading the page would bring back a main window that asks its start-up
  // question.
  ExitProcess(ok ? 0 : 1);
}
