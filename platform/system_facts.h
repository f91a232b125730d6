#pragma once
// Facts about the machine that tests need to vary: screen, DPI, Windows version and
// processor architecture, physical memory.
#include <windows.h>

#include "platform/seam.h"

namespace platform {

class SystemFacts {
 public:
  virtual ~SystemFacts() = default;
  virtual int ScreenWidth() = 0;    // GetSystemMetrics(SM_CXSCREEN)
  virtual int ScreenHeight() = 0;   // GetSystemMetrics(SM_CYSCREEN)
  virtual int LogPixelsX() = 0;     // GetDeviceCaps(desktop DC, LOGPIXELSX); 0 on failure
  // GetVersionExA into *info (size field preset by the caller); false on failure.
  virtual bool Version(OSVERSIONINFOA* info) = 0;
  virtual WORD NativeArchitecture() = 0;  // GetNativeSystemInfo wProcessorArchitecture
  // GlobalMemoryStatusEx; false on failure.
  virtual bool MemoryStatus(MEMORYSTATUSEX* status) = 0;

  static SystemFacts& Real();
};

inline SystemFacts& systemFacts() { return Seam<SystemFacts>::Get(); }

// Twips per pixel of the screen, as forms measure it: 1440 / LOGPIXELSX (15 at 96 DPI).
double TwipsPerPixel();

}  // namespace platform
