// A privilege of the process's token enabled for a scope and put back afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "platform/privileges.h"

namespace {

// Whether the token has the privilege enabled now.
bool EnabledNow(const char* name) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  LUID luid{};
  LookupPrivilegeValueA(nullptr, name, &luid);
  DWORD size = 0;
  GetTokenInformation(token, TokenPrivileges, nullptr, 0, &size);
  std::vector<BYTE> buffer(size);
  bool enabled = false;
  if (GetTokenInformation(token, TokenPrivileges, buffer.data(), size, &size)) {
    const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer.data());
    for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
      const LUID_AND_ATTRIBUTES& p = privileges->Privileges[i];
      if (p.Luid.LowPart == luid.LowPart && p.Luid.HighPart == luid.HighPart)
        enabled = (p.Attributes & SE_PRIVILEGE_ENABLED) != 0;
    }
  }
  CloseHandle(token);
  return enabled;
}

TEST(EnabledPrivilege, EnablesForItsScopeAndPutsTheTokenBack) {
  const bool before = EnabledNow(SE_BACKUP_NAME);
  {
    platform::EnabledPrivilege backup(SE_BACKUP_NAME);
    EXPECT_TRUE(backup.Enabled());
    EXPECT_TRUE(EnabledNow(SE_BACKUP_NAME));
  }
  EXPECT_EQ(EnabledNow(SE_BACKUP_NAME), before);
}

TEST(EnabledPrivilege, AnUnknownPrivilegeIsNotEnabled) {
  platform::EnabledPrivilege unknown("SeNoSuchPrivilege");
  EXPECT_FALSE(unknown.Enabled());
}

}  // namespace
