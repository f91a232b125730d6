#pragma once
// Real keys and values of the test prefix's registry that a page test works on, saved and
// put back. The values it watches start missing; keys that every Windows has are made for
// the test when the prefix lacks them; when the object goes away every watched value is
// written back as it was (or deleted again), and every key that did not exist is deleted
// again with all below it, in both registry views.
//
//   ScopedRegistryValues registry({
//       {HKEY_LOCAL_MACHINE, "System\\CurrentControlSet\\Control\\CrashControl", {"AutoReboot"}},
//       {HKEY_CURRENT_USER, "Software\\...\\Policies\\Explorer", {"NoFind"}, false},  // a policy key
//   });
//
// Values are read and written in the native (64-bit) view, as the program's masks do.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"

struct WatchedKey {
  HKEY root = HKEY_CURRENT_USER;
  std::string path;
  std::vector<std::string> values;
  // Made for the test when the prefix lacks it. False for a policy key, which is absent
  // until a policy is set: it is left as it is (its watched values still start missing).
  bool windowsHasIt = true;
};

class ScopedRegistryValues {
 public:
  explicit ScopedRegistryValues(const std::vector<WatchedKey>& keys);
  ~ScopedRegistryValues();
  ScopedRegistryValues(const ScopedRegistryValues&) = delete;
  ScopedRegistryValues& operator=(const ScopedRegistryValues&) = delete;

  // Deletes, with all below it, a key that did not exist before this object, so that the
  // test sees it missing. A key that existed before stays and fails the test.
  void MakeMissing(HKEY root, const std::string& path);

 private:
  struct Saved {
    HKEY root;
    std::string path;
    std::string name;
    std::optional<platform::RegValue> value;
  };
  struct Made {
    HKEY root;
    std::string path;
    REGSAM view;
  };
  std::vector<Saved> saved_;
  std::vector<Made> made_;
};

// A stored value as one comparable text: "missing", "dword:N", "sz:TEXT" (a text stored
// without its NUL shows as "sz-unterminated:TEXT"), "binary:HEX", or "typeN:HEX".
std::string DescribeRegValue(const std::optional<platform::RegValue>& value);
// The value root\path\name of the native view, described so.
std::string StoredValue(HKEY root, const std::string& path, const std::string& name);
bool KeyExists(HKEY root, const std::string& path, REGSAM view = KEY_WOW64_64KEY);

// Gives a key a DACL that lets Everyone do only what `allowed` names (KEY_SET_VALUE: values
// can be set but not queried, so opening it for reading fails with ERROR_ACCESS_DENIED;
// KEY_QUERY_VALUE: the reverse); the key's own DACL is put back when the object goes away.
class ScopedKeyAccess {
 public:
  ScopedKeyAccess(HKEY root, const std::string& path, REGSAM allowed, REGSAM view = KEY_WOW64_64KEY);
  ~ScopedKeyAccess();
  ScopedKeyAccess(const ScopedKeyAccess&) = delete;
  ScopedKeyAccess& operator=(const ScopedKeyAccess&) = delete;

  bool Applied() const { return applied_; }

 private:
  HKEY key_ = nullptr;  // opened to read and change the DACL, before it changes
  std::vector<BYTE> saved_;
  bool applied_ = false;
};

// A key that can be written but not read.
class ScopedQueryDenied : public ScopedKeyAccess {
 public:
  ScopedQueryDenied(HKEY root, const std::string& path, REGSAM view = KEY_WOW64_64KEY)
      : ScopedKeyAccess(root, path, KEY_SET_VALUE, view) {}
};
