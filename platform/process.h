#pragma once
// Starting other programs by command line (the first word names the program, searched as
// CreateProcessA searches it).
#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {

// How a started program came out.
struct ProcessRun {
  bool started = false;   // the process was created
  DWORD error = 0;        // CreateProcessA's error when it was not
  bool finished = false;  // it ended within the wait
  DWORD exitCode = 0;     // its exit code, when it ended
};

// The window the started program chooses itself (no STARTF_USESHOWWINDOW).
inline constexpr int kOwnWindow = -1;

// Starts the command line with the program's own environment and current directory, at
// normal priority, its window shown as `showCommand` (SW_HIDE, SW_SHOWNORMAL ...; kOwnWindow
// leaves it to the program), and waits at most `waitMs` (0: not at all, INFINITE: until it
// ends). The calling thread is blocked meanwhile. A program still running after the wait
// goes on by itself.
ProcessRun RunProcess(const std::string& commandLine, int showCommand, DWORD waitMs,
                      bool inheritHandles = false);

// Starts the command line with the program's own environment and current directory,
// inheriting handles, at normal priority and with the window the started program chooses
// (a STARTUPINFOA with only its size set), waits until it ends and returns its exit code.
// Blocks the calling thread meanwhile. -1 when the process cannot be created or its exit
// code cannot be read.
int32_t RunAndWait(const std::string& commandLine);

// Starts the command line with its window hidden (STARTF_USESHOWWINDOW, SW_HIDE) and does
// not wait for it. No handles are inherited. True when the process was created.
bool StartHidden(const std::string& commandLine);

// The system's text for an error code (FormatMessage), without the line break it ends
// with; "Error <code>" when the system has none.
std::string SystemErrorText(DWORD error);

}  // namespace platform
