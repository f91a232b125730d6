#include "ui/ProgrammingError.h"

#include <utility>

namespace ui {
namespace {

ProgrammingErrorHandler& Handler() {
  static ProgrammingErrorHandler handler;
  return handler;
}

}  // namespace

void ProgrammingError(const std::string& what) {
  // A handler that itself reports one (or throws) must not bring the program down.
  static bool reporting = false;
  if (Handler() && !reporting) {
    reporting = true;
    try {
      Handler()(what);
    } catch (...) {
    }
    reporting = false;
    return;
  }
  OutputDebugStringA(("Quenvor: programming error: " + what + "\n").c_str());
}

ProgrammingErrorHandler SetProgrammingErrorHandler(ProgrammingErrorHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace ui
