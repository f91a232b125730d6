#pragma once
// A registry key that closes itself. Every open names its access mask explicitly (the
// program's RegReadAccess / RegWriteAccess, which carry KEY_WOW64_64KEY on 64-bit
// Windows), and every read names what a missing value reads as.
//
//   platform::RegKey key(HKEY_LOCAL_MACHINE, kSettingsKey, RegReadAccess);
//   DWORD set = key.ReadDword("Password Set", 0);   // 0 when the key or value is missing
//
// A key that failed to open is still a usable object: its reads give the missing values
// and its writes fail, so callers that ignore errors need no extra branch.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace platform {

// The registry view bits of an access mask (KEY_WOW64_64KEY / KEY_WOW64_32KEY).
inline REGSAM RegistryView(REGSAM mask) { return mask & (KEY_WOW64_64KEY | KEY_WOW64_32KEY); }

struct RegValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

class RegKey {
 public:
  RegKey() = default;
  // RegOpenKeyExA(root, path, 0, access). The key is not created.
  RegKey(HKEY root, const std::string& path, REGSAM access);
  ~RegKey();
  RegKey(RegKey&& other) noexcept;
  RegKey& operator=(RegKey&& other) noexcept;
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;

  // Opens, or creates when missing, root\path with read and write access in the view that
  // the view bits of `mask` select (its other bits are ignored).
  static RegKey Create(HKEY root, const std::string& path, REGSAM mask);
  // Opens, or creates when missing, root\path with exactly the access `access` asks for
  // (view bits included), for callers whose mask is fixed.
  static RegKey CreateWithAccess(HKEY root, const std::string& path, REGSAM access);
  // Deletes root\path, which must have no subkeys, in the view that the view bits of `mask`
  // select. Returns the registry error (ERROR_SUCCESS when deleted).
  static LONG DeleteKey(HKEY root, const std::string& path, REGSAM mask);

  bool IsOpen() const { return key_ != nullptr; }
  explicit operator bool() const { return IsOpen(); }
  HKEY Handle() const { return key_; }
  // The error of the open or create that made this key (ERROR_SUCCESS when open).
  LONG OpenError() const { return openError_; }

  // The value as stored: its type and its bytes. Empty when the key or value is missing.
  // `name` "" is the key's default value.
  std::optional<RegValue> Read(const std::string& name) const;
  // The value's first 4 bytes as a number, read into a 4-byte buffer preset to 0 without
  // looking at the stored type (so a 2-byte text "1" reads 0x31). `missing` when the key
  // or value is missing or the data is longer than 4 bytes.
  DWORD ReadDword(const std::string& name, DWORD missing) const;
  // A REG_SZ or REG_EXPAND_SZ value (not expanded) of any length, up to its first NUL;
  // data stored without a terminating NUL reads whole. `missing` when the key or value is
  // missing or holds another type.
  std::string ReadString(const std::string& name, const std::string& missing) const;

  bool WriteDword(const std::string& name, DWORD value);
  // REG_SZ with the terminating NUL counted in the size.
  bool WriteString(const std::string& name, const std::string& text);
  bool WriteBinary(const std::string& name, const std::vector<BYTE>& bytes);
  bool DeleteValue(const std::string& name);

  // Names of the direct subkeys, and of the values ("" for a set default value). Empty
  // when the key is not open; the key needs KEY_ENUMERATE_SUB_KEYS / KEY_QUERY_VALUE.
  std::vector<std::string> EnumSubkeys() const;
  std::vector<std::string> EnumValues() const;

 private:
  void Close();

  HKEY key_ = nullptr;
  LONG openError_ = ERROR_INVALID_HANDLE;
};

// Full registry paths as the scripting shell writes them: a root name ("HKCU" or
// "HKEY_CURRENT_USER", "HKLM", "HKCR", "HKEY_USERS", "HKEY_CURRENT_CONFIG", any letter
// case), a backslash and the rest. A path ending in "\" names a key (the data goes into its
// default value); otherwise its last component names a value of the key before it.
// `view` is KEY_WOW64_64KEY, KEY_WOW64_32KEY or 0 for the process's own view.
//
// Writes the value (REG_SZ, REG_EXPAND_SZ, REG_DWORD or REG_BINARY data as given), creating
// the key and any missing key above it. Returns the registry error (ERROR_SUCCESS when
// written; ERROR_INVALID_PARAMETER for a path without a known root or with nothing after it).
LONG RegWritePath(const std::string& path, DWORD type, const std::vector<BYTE>& data,
                  REGSAM view = 0);
LONG RegWritePath(const std::string& path, const std::string& text, REGSAM view = 0);
LONG RegWritePath(const std::string& path, DWORD number, REGSAM view = 0);

// Deletes the value, or the key when the path ends in "\". A key is deleted only when it has
// no subkeys (ERROR_ACCESS_DENIED otherwise, as the system answers). Returns the registry
// error: ERROR_SUCCESS when deleted, ERROR_FILE_NOT_FOUND when there was nothing to delete
// (the value, its key or the key is missing).
LONG RegDeletePath(const std::string& path, REGSAM view = 0);

}  // namespace platform
