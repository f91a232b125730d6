#include "scoped_registry_values.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "registry_fixture.h"

using platform::RegKey;

namespace {

constexpr REGSAM kViews[] = {KEY_WOW64_64KEY, KEY_WOW64_32KEY};

// The shortest leading part of `path` that does not exist in the view, or "" when the
// whole path exists.
std::string HighestMissing(HKEY root, const std::string& path, REGSAM view) {
  for (size_t at = path.find('\\');; at = path.find('\\', at + 1)) {
    std::string prefix = path.substr(0, at);
    if (!KeyExists(root, prefix, view)) return prefix;
    if (at == std::string::npos) return "";
  }
}

bool IsAtOrBelow(const std::string& path, const std::string& ancestor) {
  if (path.size() < ancestor.size() || _strnicmp(path.c_str(), ancestor.c_str(), ancestor.size()))
    return false;
  return path.size() == ancestor.size() || path[ancestor.size()] == '\\';
}

}  // namespace

bool KeyExists(HKEY root, const std::string& path, REGSAM view) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key);
  if (rc == ERROR_SUCCESS) RegCloseKey(key);
  return rc != ERROR_FILE_NOT_FOUND && rc != ERROR_PATH_NOT_FOUND;  // denied: it exists
}

ScopedRegistryValues::ScopedRegistryValues(const std::vector<WatchedKey>& keys) {
  for (const WatchedKey& watched : keys) {
    for (REGSAM view : kViews) {
      std::string missing = HighestMissing(watched.root, watched.path, view);
      if (missing.empty()) continue;
      bool known = false;
      for (const Made& made : made_)
        known = known || (made.root == watched.root && made.view == view && IsAtOrBelow(missing, made.path));
      if (!known) made_.push_back({watched.root, missing, view});
    }
    RegKey read(watched.root, watched.path, KEY_QUERY_VALUE | KEY_WOW64_64KEY);
    for (const std::string& name : watched.values)
      saved_.push_back({watched.root, watched.path, name, read.Read(name)});
    if (watched.windowsHasIt) RegKey::Create(watched.root, watched.path, KEY_WOW64_64KEY);
    RegKey write(watched.root, watched.path, KEY_SET_VALUE | KEY_WOW64_64KEY);
    for (const std::string& name : watched.values) write.DeleteValue(name);
  }
}

ScopedRegistryValues::~ScopedRegistryValues() {
  for (const Saved& s : saved_) {
    RegKey key(s.root, s.path, KEY_SET_VALUE | KEY_WOW64_64KEY);
    if (!s.value) {
      key.DeleteValue(s.name);
    } else {
      EXPECT_EQ(RegSetValueExA(key.Handle(), s.name.c_str(), 0, s.value->type, s.value->data.data(),
                               static_cast<DWORD>(s.value->data.size())),
                ERROR_SUCCESS)
          << "could not put back " << s.path << "\\" << s.name;
    }
  }
  for (const Made& made : made_) DeleteRegistryTree(made.root, made.path, made.view);
}

void ScopedRegistryValues::MakeMissing(HKEY root, const std::string& path) {
  for (const Made& made : made_) {
    if (made.root == root && made.view == KEY_WOW64_64KEY && IsAtOrBelow(path, made.path)) {
      DeleteRegistryTree(root, path, KEY_WOW64_64KEY);
      ASSERT_FALSE(KeyExists(root, path)) << path;
      return;
    }
  }
  ADD_FAILURE() << path << " existed before the test: it is not deleted";
}

std::string DescribeRegValue(const std::optional<platform::RegValue>& v) {
  if (!v) return "missing";
  if (v->type == REG_DWORD && v->data.size() == 4) {
    DWORD n;
    memcpy(&n, v->data.data(), 4);
    return "dword:" + std::to_string(n);
  }
  if (v->type == REG_SZ) {
    if (v->data.empty() || v->data.back() != 0)
      return "sz-unterminated:" + std::string(v->data.begin(), v->data.end());
    return "sz:" + std::string(v->data.begin(), v->data.end() - 1);
  }
  std::string hex = v->type == REG_BINARY ? "binary:" : "type" + std::to_string(v->type) + ":";
  char buf[4];
  for (BYTE b : v->data) {
    snprintf(buf, sizeof buf, "%02X", b);
    hex += buf;
  }
  return hex;
}

std::string StoredValue(HKEY root, const std::string& path, const std::string& name) {
  return DescribeRegValue(RegKey(root, path, KEY_QUERY_VALUE | KEY_WOW64_64KEY).Read(name));
}

ScopedKeyAccess::ScopedKeyAccess(HKEY root, const std::string& path, REGSAM allowed, REGSAM view) {
  if (RegOpenKeyExA(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC | view, &key_) != ERROR_SUCCESS) {
    key_ = nullptr;
    ADD_FAILURE() << "cannot open " << path << " to change its DACL";
    return;
  }
  DWORD size = 0;
  RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, nullptr, &size);
  saved_.resize(size);
  if (RegGetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data(), &size) != ERROR_SUCCESS) {
    ADD_FAILURE() << "cannot read the DACL of " << path;
    return;
  }
  SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
  PSID everyone = nullptr;
  AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &everyone);
  BYTE aclBuffer[256];
  auto* acl = reinterpret_cast<PACL>(aclBuffer);
  InitializeAcl(acl, sizeof aclBuffer, ACL_REVISION);
  AddAccessAllowedAce(acl, ACL_REVISION, allowed, everyone);
  SECURITY_DESCRIPTOR sd;
  InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
  SetSecurityDescriptorDacl(&sd, TRUE, acl, FALSE);
  applied_ = RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, &sd) == ERROR_SUCCESS;
  FreeSid(everyone);
  EXPECT_TRUE(applied_) << "cannot change the DACL of " << path;
}

ScopedKeyAccess::~ScopedKeyAccess() {
  if (!key_) return;
  if (applied_) {
    EXPECT_EQ(RegSetKeySecurity(key_, DACL_SECURITY_INFORMATION, saved_.data()), ERROR_SUCCESS)
        << "the key's own DACL was not put back";
  }
  RegCloseKey(key_);
}
