#pragma once
// Why a window of the program refuses to let the session end: the text Windows shows with
// the program on its log-off screen. The functions exist from Windows Vista on and are
// resolved where the system has them; where it lacks them, or they fail (Wine has them as
// stubs that fail with ERROR_CALL_NOT_IMPLEMENTED), nothing is shown. The refusal itself
// never depends on them: the window answers WM_QUERYENDSESSION with FALSE.
#include <windows.h>

#include <string>

namespace platform {

class ShutdownBlockReason {
 public:
  // Gives `window` the reason `text` until this goes.
  ShutdownBlockReason(HWND window, const std::string& text);
  ~ShutdownBlockReason();
  ShutdownBlockReason(const ShutdownBlockReason&) = delete;
  ShutdownBlockReason& operator=(const ShutdownBlockReason&) = delete;

  // The system took the reason.
  bool Given() const { return given_; }

 private:
  HWND window_;
  bool given_ = false;
};

}  // namespace platform
