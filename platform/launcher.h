#pragma once
// Starting a tool as a user's double click would: a program, a program with arguments, or a
// document opened by the program registered for it (a management console file). The shell
// finds the file as it finds programs typed into Run. Tests record what would be started
// instead of starting it.
//
//   platform::launcher().Open("control.exe", "system", Is64BitWindows());
#include <windows.h>

#include <string>

#include "platform/seam.h"

namespace platform {

struct LaunchResult {
  bool started = false;
  DWORD error = 0;  // the system's error code when it was not started
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // ShellExecuteExA with the default verb: `file` with `parameters` ("" for none) in a
  // normal window that gets the focus, without waiting for it and without the shell's own
  // error boxes. With `nativeSystemFolders`, the file-system redirection of a 32-bit program
  // on 64-bit Windows is off around the call, so System32 is the native one (some tools
  // are only there).
  virtual LaunchResult Open(const std::string& file, const std::string& parameters,
                            bool nativeSystemFolders) = 0;
  static Launcher& Real();
};
inline Launcher& launcher() { return Seam<Launcher>::Get(); }

}  // namespace platform
