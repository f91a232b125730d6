#pragma once
// Calls the program should never make: an index out of range in a control (a row, a column,
// a node, a list entry), a control the form's design lacks, a design that names a control
// twice or an unknown container. Each is a programming error, reported here and never
// thrown: the call gives a harmless empty result (an empty row or node handle whose calls do
// nothing, "", a stand-in control that no window shows) and the program goes on. The test
// programs install a handler that fails the running test, so such a call never passes
// unnoticed there.
//
// Nothing thrown inside a message handler goes out through a window procedure of ours
// either: the toolkit's window procedures run their handlers through AtWindowProcedure,
// which reports what came out as a programming error.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

namespace ui {

using ProgrammingErrorHandler = std::function<void(const std::string& what)>;

// Reports the error to the installed handler; with none, to the debugger's output.
void ProgrammingError(const std::string& what);

// Installs a handler (an empty one restores the default) and returns the one it replaces.
ProgrammingErrorHandler SetProgrammingErrorHandler(ProgrammingErrorHandler handler);

// Runs a window procedure's handling; an exception that comes out of it is reported and
// the message gets `fallback` as its result.
template <class Fn>
LRESULT AtWindowProcedure(Fn&& handle, LRESULT fallback) noexcept {
  try {
    return handle();
  } catch (const std::exception& e) {
    ProgrammingError(std::string("exception out of a message handler: ") + e.what());
  } catch (...) {
    ProgrammingError("exception out of a message handler");
  }
  return fallback;
}

}  // namespace ui
