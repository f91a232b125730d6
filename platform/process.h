#pragma once
// Starting other programs by command line (the first word names the program, searched as
// CreateProcessA searches it).
#include <windows.h>

#include <cstdint>
#include <string>

namespace platform {

// Starts the command line with the program's own environment and current directory,
// inheriting handles, at normal priority and with the window the started program chooses
// (a STARTUPINFOA with only its size set), waits until it ends and returns its exit code.
// Blocks the calling thread meanwhile. -1 when the process cannot be created or its exit
// code cannot be read.
int32_t RunAndWait(const std::string& commandLine);

// Starts the command line with its window hidden (STARTF_USESHOWWINDOW, SW_HIDE) and does
// not wait for it; for console tools such as powercfg, netsh and ipconfig whose outcome
// nobody reads. No handles are inherited. True when the process was created.
bool StartHidden(const std::string& commandLine);

}  // namespace platform
