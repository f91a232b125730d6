#pragma once
// A privilege of the process's token enabled for a scope, as the WMI monikers' "(Backup)"
// does for the calls made through them.
//
//   platform::EnabledPrivilege backup(SE_BACKUP_NAME);
//   ... calls that need it ...
#include <windows.h>

namespace platform {

class EnabledPrivilege {
 public:
  // Enables the named privilege, when the token holds it.
  explicit EnabledPrivilege(const char* name);
  // Puts the privilege back as it was.
  ~EnabledPrivilege();
  EnabledPrivilege(const EnabledPrivilege&) = delete;
  EnabledPrivilege& operator=(const EnabledPrivilege&) = delete;

  // True when the privilege is enabled now.
  bool Enabled() const { return enabled_; }

 private:
  HANDLE token_ = nullptr;
  TOKEN_PRIVILEGES previous_{};
  bool adjusted_ = false;
  bool enabled_ = false;
};

}  // namespace platform
