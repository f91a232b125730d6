#include "platform/shutdown_block.h"

#include "platform/wide_text.h"

namespace platform {

namespace {

using CreateReason = BOOL(WINAPI*)(HWND, LPCWSTR);
using DestroyReason = BOOL(WINAPI*)(HWND);

FARPROC FromUser32(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");
  return user32 ? GetProcAddress(user32, name) : nullptr;
}

}  // namespace

ShutdownBlockReason::ShutdownBlockReason(HWND window, const std::string& text) : window_(window) {
  auto create = reinterpret_cast<CreateReason>(FromUser32("ShutdownBlockReasonCreate"));
  if (window_ && create) given_ = create(window_, WideFromAnsi(text).c_str()) != FALSE;
}

ShutdownBlockReason::~ShutdownBlockReason() {
  if (!given_ || !IsWindow(window_)) return;
  if (auto destroy = reinterpret_cast<DestroyReason>(FromUser32("ShutdownBlockReasonDestroy")))
    destroy(window_);
}

}  // namespace platform
