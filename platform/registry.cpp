#include "platform/registry.h"

#include <cstring>
#include <utility>

namespace platform {
namespace {

// A full path split into its root, its key path and, unless the path names a key, its
// value name.
struct PathParts {
  HKEY root = nullptr;
  std::string key;
  std::string value;
  bool namesKey = false;
};

bool SplitPath(const std::string& path, PathParts* parts) {
  static const struct {
    const char* name;
    HKEY root;
  } kRoots[] = {
      {"HKCU", HKEY_CURRENT_USER},   {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
      {"HKLM", HKEY_LOCAL_MACHINE},  {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
      {"HKCR", HKEY_CLASSES_ROOT},   {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
      {"HKEY_USERS", HKEY_USERS},    {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
  };
  const size_t slash = path.find('\\');
  if (slash == std::string::npos) return false;
  const std::string rootName = path.substr(0, slash);
  parts->root = nullptr;
  for (const auto& known : kRoots)
    if (lstrcmpiA(rootName.c_str(), known.name) == 0) parts->root = known.root;
  if (!parts->root) return false;
  std::string rest = path.substr(slash + 1);
  parts->namesKey = !rest.empty() && rest.back() == '\\';
  if (parts->namesKey) {
    parts->key = rest.substr(0, rest.size() - 1);
    parts->value.clear();
  } else {
    const size_t last = rest.rfind('\\');
    parts->key = last == std::string::npos ? std::string() : rest.substr(0, last);
    parts->value = last == std::string::npos ? rest : rest.substr(last + 1);
  }
  // The root itself is never written or deleted through a path.
  return !(parts->namesKey && parts->key.empty()) && !rest.empty();
}

}  // namespace

RegKey::RegKey(HKEY root, const std::string& path, REGSAM access) {
  HKEY key = nullptr;
  openError_ = RegOpenKeyExA(root, path.c_str(), 0, access, &key);
  if (openError_ == ERROR_SUCCESS) key_ = key;
}

RegKey::~RegKey() { Close(); }

RegKey::RegKey(RegKey&& other) noexcept
    : key_(std::exchange(other.key_, nullptr)),
      openError_(std::exchange(other.openError_, ERROR_INVALID_HANDLE)) {}

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = std::exchange(other.key_, nullptr);
    openError_ = std::exchange(other.openError_, ERROR_INVALID_HANDLE);
  }
  return *this;
}

void RegKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

RegKey RegKey::Create(HKEY root, const std::string& path, REGSAM mask) {
  RegKey result;
  HKEY key = nullptr;
  result.openError_ = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_READ | KEY_WRITE | RegistryView(mask), nullptr, &key,
                                      nullptr);
  if (result.openError_ == ERROR_SUCCESS) result.key_ = key;
  return result;
}

RegKey RegKey::CreateWithAccess(HKEY root, const std::string& path, REGSAM access) {
  RegKey result;
  HKEY key = nullptr;
  result.openError_ = RegCreateKeyExA(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      access, nullptr, &key, nullptr);
  if (result.openError_ == ERROR_SUCCESS) result.key_ = key;
  return result;
}

LONG RegKey::DeleteKey(HKEY root, const std::string& path, REGSAM mask) {
  // RegDeleteKeyA always acts in the process's own view; the Ex form takes the view.
  return RegDeleteKeyExA(root, path.c_str(), RegistryView(mask), 0);
}

std::optional<RegValue> RegKey::Read(const std::string& name) const {
  if (!key_) return std::nullopt;
  RegValue value;
  // Most values fit a first buffer, which spares a query of the size.
  value.data.resize(512);
  DWORD size = static_cast<DWORD>(value.data.size());
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &value.type, value.data.data(), &size);
  if (rc == ERROR_SUCCESS) {
    value.data.resize(size);
    return value;
  }
  // The value may grow between the size query and the read: ask again until it fits.
  while (rc == ERROR_SUCCESS || rc == ERROR_MORE_DATA) {
    value.data.resize(size);
    DWORD got = size;
    rc = RegQueryValueExA(key_, name.c_str(), nullptr, &value.type,
                          size ? value.data.data() : nullptr, &got);
    if (rc == ERROR_SUCCESS) {
      value.data.resize(got);
      return value;
    }
    if (rc == ERROR_MORE_DATA && got <= size) return std::nullopt;  // no progress possible
    size = got;
  }
  return std::nullopt;
}

DWORD RegKey::ReadDword(const std::string& name, DWORD missing) const {
  if (!key_) return missing;
  DWORD buffer = 0;
  DWORD size = sizeof(buffer);
  DWORD type = 0;
  LONG rc = RegQueryValueExA(key_, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&buffer), &size);
  return rc == ERROR_SUCCESS ? buffer : missing;
}

std::string RegKey::ReadString(const std::string& name, const std::string& missing) const {
  auto value = Read(name);
  if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) return missing;
  const auto& bytes = value->data;
  const void* nul = std::memchr(bytes.data(), 0, bytes.size());
  size_t length = nul ? static_cast<const BYTE*>(nul) - bytes.data() : bytes.size();
  return std::string(reinterpret_cast<const char*>(bytes.data()), length);
}

bool RegKey::WriteDword(const std::string& name, DWORD value) {
  return key_ && RegSetValueExA(key_, name.c_str(), 0, REG_DWORD,
                                reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
                     ERROR_SUCCESS;
}

bool RegKey::WriteString(const std::string& name, const std::string& text) {
  return key_ && RegSetValueExA(key_, name.c_str(), 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

bool RegKey::WriteBinary(const std::string& name, const std::vector<BYTE>& bytes) {
  return key_ && RegSetValueExA(key_, name.c_str(), 0, REG_BINARY, bytes.data(),
                                static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS;
}

bool RegKey::DeleteValue(const std::string& name) {
  return key_ && RegDeleteValueA(key_, name.c_str()) == ERROR_SUCCESS;
}

std::vector<std::string> RegKey::EnumSubkeys() const {
  std::vector<std::string> names;
  if (!key_) return names;
  char buffer[256];  // key names are at most 255 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof(buffer);
    LONG rc = RegEnumKeyExA(key_, index, buffer, &length, nullptr, nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer, length);
  }
  return names;
}

std::vector<std::string> RegKey::EnumValues() const {
  std::vector<std::string> names;
  if (!key_) return names;
  std::vector<char> buffer(32768);  // value names are at most 16383 characters
  for (DWORD index = 0;; ++index) {
    DWORD length = static_cast<DWORD>(buffer.size());
    LONG rc = RegEnumValueA(key_, index, buffer.data(), &length, nullptr, nullptr, nullptr,
                            nullptr);
    if (rc != ERROR_SUCCESS) break;
    names.emplace_back(buffer.data(), length);
  }
  return names;
}

LONG RegWritePath(const std::string& path, DWORD type, const std::vector<BYTE>& data,
                  REGSAM view) {
  PathParts parts;
  if (!SplitPath(path, &parts)) return ERROR_INVALID_PARAMETER;
  HKEY key = nullptr;
  LONG rc = RegCreateKeyExA(parts.root, parts.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE | RegistryView(view), nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  rc = RegSetValueExA(key, parts.value.c_str(), 0, type, data.data(),
                      static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  return rc;
}

LONG RegWritePath(const std::string& path, const std::string& text, REGSAM view) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(text.c_str());
  return RegWritePath(path, REG_SZ, std::vector<BYTE>(bytes, bytes + text.size() + 1), view);
}

LONG RegWritePath(const std::string& path, DWORD number, REGSAM view) {
  const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
  return RegWritePath(path, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof(number)), view);
}

LONG RegDeletePath(const std::string& path, REGSAM view) {
  PathParts parts;
  if (!SplitPath(path, &parts)) return ERROR_INVALID_PARAMETER;
  if (!parts.namesKey) {
    RegKey key(parts.root, parts.key, KEY_SET_VALUE | RegistryView(view));
    if (!key) return key.OpenError();
    return RegDeleteValueA(key.Handle(), parts.value.c_str());
  }
  RegKey key(parts.root, parts.key, KEY_QUERY_VALUE | RegistryView(view));
  if (!key) return key.OpenError();
  DWORD subkeys = 0;
  LONG rc = RegQueryInfoKeyA(key.Handle(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                             nullptr, nullptr, nullptr, nullptr, nullptr);
  if (rc != ERROR_SUCCESS) return rc;
  if (subkeys) return ERROR_ACCESS_DENIED;
  return RegKey::DeleteKey(parts.root, parts.key, view);
}

}  // namespace platform
