#pragma once
// A registry key of the test's own, Software\QuenvorTests\<unique> under HKEY_CURRENT_USER
// (or the root given), created in the native 64-bit view and deleted with everything under
// it, in both views, when the object goes away.
//
//   ScopedTestKey key;                                   // HKCU\Software\QuenvorTests\...
//   platform::RegKey::Create(key.Root(), key.Sub("Run"), KEY_WOW64_64KEY);
#include <windows.h>

#include <string>

class ScopedTestKey {
 public:
  explicit ScopedTestKey(HKEY root = HKEY_CURRENT_USER);
  ~ScopedTestKey();
  ScopedTestKey(const ScopedTestKey&) = delete;
  ScopedTestKey& operator=(const ScopedTestKey&) = delete;

  HKEY Root() const { return root_; }
  const std::string& Path() const { return path_; }
  std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

 private:
  HKEY root_;
  std::string path_;
};

// Deletes root\path and all its subkeys in the view that the view bits of `mask` select.
void DeleteRegistryTree(HKEY root, const std::string& path, REGSAM mask);
