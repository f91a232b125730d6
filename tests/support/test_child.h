#pragma once
// Each test program can also act as a small child process for tests that start programs:
//
//   <test program> --report-startup <report file> <release event> <done event>
//
// The child waits (at most 30 s) until the named release event is set, writes one line to
// the report file, "flags=<STARTUPINFO dwFlags> show=<wShowWindow> released=<0|1>", and
// sets the named done event. The test starts it, sets the release event once the starter
// has returned, and waits for the done event.
#include <string>

// The full path of the running test program.
std::string TestProgramPath();

// Runs the child and returns its exit code when argv asks for it; otherwise returns -1
// and the caller goes on as a test program.
int RunTestChildIfAsked(int argc, char** argv);
