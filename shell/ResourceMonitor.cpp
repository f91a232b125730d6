#include "shell/ResourceMonitor.h"

#include <algorithm>
#include <cmath>

#include "shell/Strings.h"

double OddOrEven(double temp) {
  double n = std::nearbyint(temp);
  return std::fmod(n, 2.0) == 0 ? temp : temp + 1;
}

int32_t MegabyteFigure(uint64_t bytes) {
  double mb = static_cast<double>(bytes) / 1024 / 1024;
  return static_cast<int32_t>(std::nearbyint(OddOrEven(mb)));
}

std::array<MonitorBar, 8> ResourceMonitorBars(uint64_t totalPhys, uint64_t availPhys,
                                              uint64_t totalPageFile, uint64_t availPageFile) {
  // A system that reports more available than there is in all (the 32-bit emulator cuts
  // the total at 4 GB, not the available figure) shows all of it available: no used figure
  // below 0 and no share above 100%.
  const int32_t totalRam = MegabyteFigure(totalPhys);
  const int32_t availRam = std::min(MegabyteFigure(availPhys), totalRam);
  const int32_t pageFile = MegabyteFigure(totalPageFile);
  const int32_t availPage = std::min(MegabyteFigure(availPageFile), pageFile);
  auto mb = [](int32_t n) { return std::to_string(n) + " MB"; };
  auto freeText = [](double max, double value) {
    double percent = max > 0 ? value / max * 100 : 0;  // a bar with no maximum is empty
    return std::to_string(static_cast<int64_t>(std::floor(percent))) + LoadResString(1);
  };
  std::array<MonitorBar, 8> bars;
  bars[6] = {double(totalRam), double(totalRam), mb(totalRam)};
  bars[0] = {double(totalRam), double(totalRam - availRam), mb(totalRam - availRam)};
  bars[2] = {double(totalRam), double(availRam), mb(availRam)};
  bars[3] = {double(totalRam), double(availRam), freeText(totalRam, availRam)};
  bars[7] = {double(pageFile), double(pageFile), mb(pageFile)};
  bars[1] = {double(pageFile), double(pageFile - availPage), mb(pageFile - availPage)};
  bars[4] = {double(pageFile), double(availPage), mb(availPage)};
  bars[5] = {double(pageFile), double(availPage), freeText(pageFile, availPage)};
  return bars;
}
