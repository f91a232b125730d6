#include "support/bench_rounds.h"

#include <algorithm>
#include <cstdio>

#include "support/stopwatch.h"
#include "ui/form.h"

double Timings::Median() const {
  if (values_.empty()) return 0;
  std::vector<double> sorted = values_;
  std::sort(sorted.begin(), sorted.end());
  const size_t middle = sorted.size() / 2;
  return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

double Timings::Min() const { return values_.empty() ? 0 : *std::min_element(values_.begin(), values_.end()); }
double Timings::Max() const { return values_.empty() ? 0 : *std::max_element(values_.begin(), values_.end()); }

std::string Timings::Text() const {
  char text[80];
  std::snprintf(text, sizeof text, "%.3f s (%.3f-%.3f)", Median(), Min(), Max());
  return text;
}

void WarmUp(const std::vector<BenchSide*>& sides) {
  for (BenchSide* side : sides) {
    if (side->prepare) side->prepare();
    ui::DoEvents();
    side->run();
    ui::DoEvents();
    if (side->finish) side->finish();
  }
}

const BenchSide& FirstInRound(int round, const std::vector<BenchSide*>& sides) {
  return *sides[static_cast<size_t>(round) % sides.size()];
}

void RunRounds(int rounds, const std::vector<BenchSide*>& sides, const std::function<void(int round)>& afterRound) {
  const size_t count = sides.size();
  for (int round = 0; round < rounds; ++round) {
    for (size_t turn = 0; turn < count; ++turn) {
      BenchSide& side = *sides[(static_cast<size_t>(round) + turn) % count];
      if (side.prepare) side.prepare();
      ui::DoEvents();  // the clock starts with nothing left to handle
      const double start = Seconds();
      side.run();
      ui::DoEvents();
      side.times.Add(Seconds() - start);
      if (side.finish) side.finish();
    }
    if (afterRound) afterRound(round);
    std::fflush(stdout);
  }
}

bool ReportRatio(const std::string& what, const Timings& ours, const Timings& plain, double goal,
                 const std::string& plainName) {
  const double ratio = ours.Median() / plain.Median();
  // The rounds' own ratios: each pair ran side by side, under the same load.
  double low = 0, high = 0;
  const int pairs = std::min(ours.Count(), plain.Count());
  for (int i = 0; i < pairs; ++i) {
    const double r = ours.Values()[i] / plain.Values()[i];
    low = i == 0 ? r : std::min(low, r);
    high = i == 0 ? r : std::max(high, r);
  }
  std::printf("%s %.3f s / %s %.3f s = %.2f (goal <= %.1f), median of %d rounds; ours %.3f-%.3f s, %s %.3f-%.3f s, "
              "ratio by round %.2f-%.2f%s\n",
              what.c_str(), ours.Median(), plainName.c_str(), plain.Median(), ratio, goal, ours.Count(), ours.Min(),
              ours.Max(), plainName.c_str(), plain.Min(), plain.Max(), low, high, ratio <= goal ? "" : "  MISSED");
  std::fflush(stdout);
  return ratio <= goal;
}

void PaintNow(HWND window) {
  if (window) RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}
