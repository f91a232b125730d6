#include "platform/privileges.h"

namespace platform {

EnabledPrivilege::EnabledPrivilege(const char* name) {
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token_)) {
    token_ = nullptr;
    return;
  }
  TOKEN_PRIVILEGES wanted{};
  wanted.PrivilegeCount = 1;
  wanted.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
  if (!LookupPrivilegeValueA(nullptr, name, &wanted.Privileges[0].Luid)) return;
  DWORD size = sizeof(previous_);
  // AdjustTokenPrivileges succeeds with ERROR_NOT_ALL_ASSIGNED when the token lacks it.
  if (AdjustTokenPrivileges(token_, FALSE, &wanted, sizeof(previous_), &previous_, &size)) {
    adjusted_ = true;
    enabled_ = GetLastError() == ERROR_SUCCESS;
  }
}

EnabledPrivilege::~EnabledPrivilege() {
  if (adjusted_ && previous_.PrivilegeCount)
    AdjustTokenPrivileges(token_, FALSE, &previous_, 0, nullptr, nullptr);
  if (token_) CloseHandle(token_);
}

}  // namespace platform
