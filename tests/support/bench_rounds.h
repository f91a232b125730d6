#pragma once
// Rounds of a benchmark: our code and the plain platform loop (or more sides) timed in turn,
// each round starting with a different side, so that neither always meets the caches, the
// heap or the machine's load the other left; then each side's median and spread and the
// ratio of the medians against a goal.
//
//   BenchSide page{"page", [&] { page.Command17_Click(); PaintNow(page.hWnd()); }};
//   BenchSide plain{"plain loop", [&] { PlainQueryLoop(list); }};
//   plain.prepare = [&] { list.BringToFront(); };     // outside the time, before each run
//   RunRounds(5, {&page, &plain}, [&](int round) { std::printf(... page.times.Last() ...); });
//   bool ok = ReportRatio("stopped listing", page.times, plain.times, 1.5);
//
// Times are in seconds, from the high-resolution clock.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

// The times of one side, one per round.
class Timings {
 public:
  void Add(double seconds) { values_.push_back(seconds); }
  int Count() const { return static_cast<int>(values_.size()); }
  double Last() const { return values_.back(); }
  const std::vector<double>& Values() const { return values_; }
  double Median() const;  // of an even count, the mean of the middle two
  double Min() const;
  double Max() const;
  // "1.234 s (1.200-1.300)": the median and the spread.
  std::string Text() const;

 private:
  std::vector<double> values_;
};

// One side of a benchmark.
struct BenchSide {
  BenchSide(std::string name, std::function<void()> run) : name(std::move(name)), run(std::move(run)) {}
  std::string name;
  std::function<void()> run;      // timed
  std::function<void()> prepare;  // before each run, outside the time (may be empty)
  std::function<void()> finish;   // right after each run, outside the time (may be empty)
  Timings times;
};

// Runs every side once, untimed: what a first run pays (loading a page, reading the files
// for the first time) is paid by neither side's rounds.
void WarmUp(const std::vector<BenchSide*>& sides);

// `rounds` rounds; round r runs the sides starting with side r modulo their count, then the
// ones after it, in a ring (two sides: first one, then the other). A side's time ends when
// its run has returned and the thread's messages it left (paints, posted work) have been
// handled: what a user waits for. `afterRound` (may be empty) is called with the 0-based
// round once all sides ran.
void RunRounds(int rounds, const std::vector<BenchSide*>& sides, const std::function<void(int round)>& afterRound);

// The side that went first in the round, as RunRounds ordered them.
const BenchSide& FirstInRound(int round, const std::vector<BenchSide*>& sides);

// Prints "<what> <ours> s / <plainName> <plain> s = <ratio> (goal <= <goal>), median of <n>
// rounds; ours <min>-<max> s, <plainName> <min>-<max> s, ratio by round <min>-<max>" and
// returns whether the ratio of the medians is within the goal.
bool ReportRatio(const std::string& what, const Timings& ours, const Timings& plain, double goal,
                 const std::string& plainName = "plain loop");

// What a user waits for ends when the window shows it: paints whatever of the window and
// its children is still waiting to be painted, now.
void PaintNow(HWND window);
