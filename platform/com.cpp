#include "platform/com.h"

#include <objbase.h>

#include "platform/wide_text.h"

namespace platform {

Bstr::Bstr(const std::string& text) {
  const std::wstring wide = WideFromAnsi(text);
  s_ = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
}

std::string AnsiFromBstr(BSTR text) {
  return text ? AnsiFromWide(std::wstring(text, SysStringLen(text))) : std::string();
}

void EnsureCom() {
  thread_local bool ready = false;
  if (ready) return;
  HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  ready = SUCCEEDED(hr) || hr == RPC_E_CHANGED_MODE;
}

}  // namespace platform
