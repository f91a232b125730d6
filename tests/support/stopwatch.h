#pragma once
// The high-resolution clock in seconds, for benchmarks.
#include <windows.h>

inline double Seconds() {
  static LARGE_INTEGER frequency{};
  if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / frequency.QuadPart;
}
