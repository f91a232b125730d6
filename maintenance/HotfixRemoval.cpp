#include "maintenance/HotfixRemoval.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <map>
#include <regex>
#include <variant>

#include "platform/process.h"
#include "platform/wide_text.h"
#include "platform/wmi.h"
#include "shell/Strings.h"
#include "tweaks/FolderDelete.h"

namespace {

// HKEY_LOCAL_MACHINE as WMI's registry provider numbers it.
constexpr int64_t kLocalMachine = 0x80000002;
constexpr const char* kRegistryNamespace = "root\\default";
constexpr const char* kRegistryProvider = "StdRegProv";
constexpr const char* kCurrentVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
constexpr const char* kUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

// EnumKey's answers for a key without subkeys: none at all, and the end of the list.
constexpr int64_t kNoSuchKey = ERROR_FILE_NOT_FOUND;
constexpr int64_t kNoMoreItems = ERROR_NO_MORE_ITEMS;

const std::regex& HotfixNamePattern() {
  static const std::regex pattern(R"(hotfix|[KQ]B*\d{6})", std::regex::icase);
  return pattern;
}

// The alternation is grouped, so ".log" binds to both of its branches: "hotfix.dll" is no
// log file.
const std::regex& HotfixLogPattern() {
  static const std::regex pattern(R"((?:hotfix|[KQ]B*\d{6})\.log)", std::regex::icase);
  return pattern;
}

// A registry provider call; its ReturnValue goes to `returned` (-1 when it gave none).
HRESULT CallRegistry(const std::string& method, std::map<std::string, platform::WmiValue> in,
                     platform::WmiObject* out, int64_t* returned) {
  in.emplace("hDefKey", kLocalMachine);
  const HRESULT hr = platform::wmi().CallMethod(kRegistryNamespace, kRegistryProvider, method, in, out);
  const platform::WmiValue* value = out->Find("ReturnValue");
  const auto* code = value ? std::get_if<int64_t>(value) : nullptr;
  *returned = code ? *code : -1;
  return hr;
}

// A string value of HKEY_LOCAL_MACHINE through the registry provider: false when it cannot
// be had. The provider answers a missing value with a non-zero ReturnValue (and, under
// some systems, an empty text instead of Null): either way there is no text.
bool ReadString(const std::string& key, const std::string& name, std::string* text, HRESULT* hr) {
  platform::WmiObject out;
  int64_t returned = -1;
  *hr = CallRegistry("GetStringValue", {{"sSubKeyName", key}, {"sValueName", name}}, &out, &returned);
  if (FAILED(*hr) || returned != 0) return false;
  const platform::WmiValue* value = out.Find("sValue");
  const auto* found = value ? std::get_if<std::string>(value) : nullptr;
  if (!found) return false;
  *text = *found;
  return true;
}

// A folder below a drive's root, as "C:\Windows" (trailing backslashes taken off); "" for
// anything else. A drive's root or a path without a drive would have the folder steps
// search the wrong place.
std::string FolderBelowDriveRoot(std::string path) {
  while (!path.empty() && path.back() == '\\') path.pop_back();
  const bool drive = path.size() > 3 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
                     path[2] == '\\' && path[3] != '\\';
  return drive ? path : "";
}

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\r\n" + line;
  return text;
}

}  // namespace

bool IsHotfixName(const std::string& text) { return std::regex_search(text, HotfixNamePattern()); }

bool IsHotfixLog(const std::string& fileName) { return std::regex_search(fileName, HotfixLogPattern()); }

bool IsUninstallFolder(const std::string& folderName) {
  std::string upper = folderName;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return upper.find("$NTUNINSTALL") != std::string::npos;
}

void HotfixRemoval::ReadWindowsFolder() {
  std::string text;
  HRESULT hr = S_OK;
  if (ReadString(kCurrentVersionKey, "SystemRoot", &text, &hr)) windowsFolder_ = FolderBelowDriveRoot(text);
  if (windowsFolder_.empty())
    notSearched_.push_back("the Windows folder (the registry does not name it: HKEY_LOCAL_MACHINE\\" +
                           std::string(kCurrentVersionKey) + "\\SystemRoot)");
}

void HotfixRemoval::RemoveUninstallEntries() {
  platform::WmiObject listed;
  int64_t returned = -1;
  const HRESULT hr = CallRegistry("EnumKey", {{"sSubKeyName", std::string(kUninstallKey)}}, &listed, &returned);
  if (FAILED(hr) || (returned != 0 && returned != kNoSuchKey && returned != kNoMoreItems)) {
    notSearched_.push_back("the list of installed programs (HKEY_LOCAL_MACHINE\\" + std::string(kUninstallKey) + ")");
    return;
  }
  const platform::WmiValue* names = listed.Find("sNames");
  const auto* subkeys = names ? std::get_if<std::vector<std::string>>(names) : nullptr;
  if (returned != 0 || !subkeys) return;
  for (const std::string& name : *subkeys) {
    const std::string path = std::string(kUninstallKey) + "\\" + name;
    std::string displayName;
    HRESULT read = S_OK;
    if (!ReadString(path, "DisplayName", &displayName, &read)) {
      if (FAILED(read)) notSearched_.push_back("the entry HKEY_LOCAL_MACHINE\\" + path);
      continue;
    }
    if (!IsHotfixName(displayName)) continue;
    found_ = true;
    platform::WmiObject out;
    int64_t deleted = -1;
    if (FAILED(CallRegistry("DeleteKey", {{"sSubKeyName", path}}, &out, &deleted)) || deleted != 0)
      notRemoved_.push_back("HKEY_LOCAL_MACHINE\\" + path);
  }
}

bool HotfixRemoval::ListWindowsFolder(platform::OpenFolder* folder, std::vector<platform::FolderEntry>* entries) {
  if (windowsFolder_.empty()) return false;
  DWORD error = platform::OpenFolderByPath(platform::WideFromAnsi(windowsFolder_), folder);
  if (error == ERROR_SUCCESS) error = platform::ListFolder(folder->handle.get(), entries);
  if (error != ERROR_SUCCESS) {
    if (!listingFailed_) notSearched_.push_back(windowsFolder_ + " (" + platform::SystemErrorText(error) + ")");
    listingFailed_ = true;
    return false;
  }
  return true;
}

void HotfixRemoval::RemoveUninstallFolders() {
  platform::OpenFolder folder;
  std::vector<platform::FolderEntry> entries;
  if (!ListWindowsFolder(&folder, &entries)) return;
  for (const platform::FolderEntry& entry : entries) {
    const std::string name = platform::AnsiFromWide(entry.name);
    if (!(entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || !IsUninstallFolder(name)) continue;
    found_ = true;
    const FolderDeleteResult result =
        DeleteFolderEntry(folder, platform::WideFromAnsi(windowsFolder_), entry.name, false);
    if (result.notDeleted || result.stopped) {
      const bool link = result.linksLeft.size() == 1 && result.linksLeft[0] == platform::WideFromAnsi(windowsFolder_) +
                                                                                   L"\\" + entry.name;
      notRemoved_.push_back(windowsFolder_ + "\\" + name + (link ? " (" + std::string(kLinkLeftText) + ")" : ""));
    }
  }
}

void HotfixRemoval::RemoveLogFiles() {
  platform::OpenFolder folder;
  std::vector<platform::FolderEntry> entries;
  if (!ListWindowsFolder(&folder, &entries)) return;
  for (const platform::FolderEntry& entry : entries) {
    const std::string name = platform::AnsiFromWide(entry.name);
    if ((entry.attributes & FILE_ATTRIBUTE_DIRECTORY) || !IsHotfixLog(name)) continue;
    found_ = true;
    const std::string path = windowsFolder_ + "\\" + name;
    if (entry.attributes & FILE_ATTRIBUTE_READONLY) {  // nothing is forced
      notRemoved_.push_back(path);
      continue;
    }
    platform::EntryOpening opening = platform::OpenEntry(folder, entry.name, platform::EntryKind::File, DELETE);
    switch (opening.reached) {
      case platform::Reached::Gone: break;
      case platform::Reached::Elsewhere: notRemoved_.push_back(path + " (" + kLinkLeftText + ")"); break;
      case platform::Reached::Failed: notRemoved_.push_back(path); break;
      case platform::Reached::Entry:
      case platform::Reached::Link:  // the link itself goes
        if (platform::DeleteByHandle(opening.handle.get()) != ERROR_SUCCESS) notRemoved_.push_back(path);
        break;
    }
  }
}

std::string HotfixRemoval::ClosingText() const {
  if (notRemoved_.empty() && notSearched_.empty()) return LoadResString(found_ ? 22 : 319);
  std::string text;
  if (!notRemoved_.empty()) text = "This hotfix uninstall information could not be removed:\r\n" + Lines(notRemoved_);
  if (!notSearched_.empty()) {
    if (!text.empty()) text += "\r\n\r\n";
    text += "These places could not be searched for hotfix uninstall information:\r\n" + Lines(notSearched_);
  }
  return text;
}

UINT HotfixRemoval::ClosingStyle() const {
  return notRemoved_.empty() && notSearched_.empty() ? MB_OK | MB_ICONINFORMATION : MB_OK | MB_ICONEXCLAMATION;
}
