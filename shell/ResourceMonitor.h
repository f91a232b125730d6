#pragma once
// The main window's resource monitor: physical memory and page file in megabytes and
// percent, on eight bars refreshed once a second.
#include <array>
#include <cstdint>
#include <string>

// Raises a number whose nearest integer (halves to even) is odd by one, so that every
// figure shown is even.
double OddOrEven(double temp);

// A memory figure in megabytes, as the monitor shows it: bytes / 1024 / 1024, rounded
// (halves to even) and made even.
int32_t MegabyteFigure(uint64_t bytes);

struct MonitorBar {
  double max = 0;
  double value = 0;
  std::string text;
};

// The eight bars, by their index, for the four byte counts of the memory status.
std::array<MonitorBar, 8> ResourceMonitorBars(uint64_t totalPhys, uint64_t availPhys,
                                              uint64_t totalPageFile, uint64_t availPageFile);
