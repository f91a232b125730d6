#include "shell/help/HTMLHelp.h"

#include <htmlhelp.h>
#include <winver.h>

#include <cctype>
#include <map>
#include <vector>

#include "platform/registry.h"
#include "platform/system_facts.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "shell/ColouredMessageBox.h"

namespace {

constexpr const char* kMessageTitle = "HTML Help Class";
constexpr const char* kRegistrationKey = "Software\\Microsoft\\Windows\\HTML Help";
constexpr const char* kHHCtrlKey = "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32";
constexpr const char* kShdocvwKey = "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32";
constexpr const char* kHHTypeLibKey = "SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}";
constexpr UINT kJumpToURLCommand = 0xEFFF;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && Lower(a) == Lower(b);
}

// Blank: nothing left once the leading and trailing spaces are removed.
bool IsBlank(const std::string& text) { return text.find_first_not_of(' ') == std::string::npos; }

// The last three characters compared with `extension`, ignoring case.
bool EndsWithExtension(const std::string& path, const char* extension) {
  std::string tail = path.size() > 3 ? path.substr(path.size() - 3) : path;
  return EqualIgnoringCase(tail, extension);
}

std::string AfterLastBackslash(const std::string& path) {
  size_t slash = path.rfind('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// FindFirstFileA: true when something matches; the search is closed again.
bool FileFound(const std::string& path, std::string* foundName = nullptr) {
  WIN32_FIND_DATAA data{};
  HANDLE search = FindFirstFileA(path.c_str(), &data);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  if (foundName) *foundName = data.cFileName;  // cut at its first NUL
  return true;
}

// A number of at least `digits` digits, with its sign in front.
std::string Padded(int value, size_t digits) {
  std::string number = std::to_string(value < 0 ? -value : value);
  if (number.size() < digits) number.insert(0, digits - number.size(), '0');
  return value < 0 ? "-" + number : number;
}

std::string Lookup(const std::map<std::string, std::string>& names, const std::string& version) {
  for (const auto& [text, name] : names)
    if (EqualIgnoringCase(text, version)) return name;
  return "unknown";
}

const std::map<std::string, std::string> kHHReleaseNames = {
    {"4.72.7290.00", "1.0"},
    {"4.72.7323.00", "1.1"},
    {"4.72.7325.00", "1.1a"},
    {"4.72.8164.00", "1.1b"},
    {"4.73.8252.00", "1.2"},
    {"4.73.8412.00", "1.21"},
    {"4.73.8474.00", "1.21a"},
    {"4.73.8561.00", "1.22"},
    {"4.74.8566.00", "1.3 Windows 2000 Beta"},
    {"4.74.8637.00", "1.3 IE 5.5 Platform Preview Beta"},
    {"4.74.8702.00", "1.3"},
};

const std::map<std::string, std::string> kIEReleaseNames = {
    {"4.70.1155.0000", "3.0"},
    {"4.70.1158.0000", "3.0 OSR2"},
    {"4.70.1215.0000", "3.02"},
    {"4.70.1300.0000", "3.02"},
    {"4.71.1008.3000", "4.0 PP2"},
    {"4.71.1712.5000", "4.0"},
    {"4.72.2106.7000", "4.01"},
    {"4.72.3110.0300", "4.0 SP1"},
    {"4.72.3612.1707", "4.0 SP2"},
    {"5.00.0518.5000", "5.0 beta 1"},
    {"5.00.0910.1308", "5.0 beta 2"},
    {"5.00.2014.2130", "5.0"},
    {"5.00.2314.1000", "5.0a (Office 2000)"},
    {"5.00.2614.3500", "5.0b (Windows 98 SE)"},
    {"5.00.2717.2000", "5.0c (Icon Security Issue Update)"},
    {"5.00.2721.1400", "5.0d (ImportExport Favorites Issue Update)"},
    {"5.00.2919.800", "5.x (Windows 2000 RC1, build 5.00.2072)"},
    {"5.00.2919.3800", "5.x (Windows 2000 RC2, build 5.00.2128)"},
    {"5.00.2919.6307", "5.01"},
    {"5.50.3825.1300", "5.5 Platform Preview"},
};

const std::map<int32_t, std::string> kMinHHVersions = {
    {0x10, "4.72.7290"}, {0x11, "4.72.7323"}, {0x12, "4.72.7325"}, {0x13, "4.72.8164.0"},
    {0x14, "4.73.8252"}, {0x15, "4.73.8412"}, {0x16, "4.73.8474"}, {0x17, "4.73.8561"},
    {0x18, "4.74.8566"}, {0x19, "4.74.8637"}, {0x1A, "4.74.8702"},
};

const std::map<int32_t, std::string> kMinIEVersions = {
    {0x100, "4.70.1155"},      {0x101, "4.70.1158"},      {0x102, "4.70.1215"},
    {0x103, "4.70.1300"},      {0x104, "4.71.1008.3"},    {0x105, "4.71.1712.5"},
    {0x106, "4.72.2106.7"},    {0x107, "4.72.3110.03"},   {0x108, "4.72.3612.1707"},
    {0x109, "5.00.0518.5"},    {0x10A, "5.00.0910.1308"}, {0x10B, "5.00.2014.213"},
    {0x10C, "5.00.2314.1000"}, {0x10D, "5.00.2614.3500"}, {0x10E, "5.0.2717.2000"},
    {0x10F, "5.00.2721.1400"}, {0x110, "5.00.2919.800"},  {0x111, "5.00.2919.3800"},
};

// The minimum-version test: the stored version text compared with the minimum as text,
// ignoring case, character by character. A stored text that is no version text at all (""
// before any read, or "unknown" left by a code outside the table) never passes.
bool ReachesMinimum(const std::string& version, const std::string& minimum) {
  if (version.empty() || !std::isdigit(static_cast<unsigned char>(version[0]))) return false;
  return Lower(version).compare(Lower(minimum)) >= 0;
}

}  // namespace

std::optional<HWND> HTMLHelp::SystemHtmlHelp(HWND owner, const char* file, UINT command,
                                             DWORD_PTR data) {
  using Entry = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
  // The library stays loaded: the help windows it opens live in this process.
  static Entry entry = nullptr;
  if (!entry) {
    HMODULE module = LoadLibraryA("hhctrl.ocx");
    if (module) entry = reinterpret_cast<Entry>(GetProcAddress(module, "HtmlHelpA"));
  }
  if (!entry) return std::nullopt;
  return entry(owner, file, command, data);
}

// ---- display operations

bool HTMLHelp::PrepareDisplay() {
  if (!IsValidHelpFile(chmFile_)) return false;
  return EnsureFileExists(chmFile_);
}

std::string HTMLHelp::FileWithWindowType() const {
  return IsBlank(window_) ? chmFile_ : chmFile_ + ">" + window_;
}

void HTMLHelp::CallAndKeep(HWND owner, const std::string& file, UINT command, DWORD_PTR data) {
  if (!htmlHelp) return;
  if (std::optional<HWND> result = htmlHelp(owner, file.c_str(), command, data))
    wndHandle_ = *result;
}

void HTMLHelp::HHDisplayContents(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  CallAndKeep(Owner(CallingForm), FileWithWindowType(), HH_DISPLAY_TOC, 0);
}

void HTMLHelp::HHDisplayIndex(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  CallAndKeep(Owner(CallingForm), FileWithWindowType(), HH_DISPLAY_INDEX, 0);
}

void HTMLHelp::HHDisplaySearch(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  HH_FTS_QUERY query{};
  query.cbStruct = sizeof(query);
  query.fUniCodeStrings = FALSE;
  query.pszSearchQuery = "";
  query.iProximity = 0;
  query.fStemmedSearch = FALSE;
  query.fTitleOnly = FALSE;
  query.fExecute = 1;
  query.pszWindow = "";
  CallAndKeep(Owner(CallingForm), FileWithWindowType(), HH_DISPLAY_SEARCH,
              reinterpret_cast<DWORD_PTR>(&query));
}

void HTMLHelp::HHDisplayTopicURL(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  CallAndKeep(Owner(CallingForm), FileWithWindowType(), HH_DISPLAY_TOPIC,
              reinterpret_cast<DWORD_PTR>(topicURL_.c_str()));
}

void HTMLHelp::HHDisplayTopicID(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  CallAndKeep(Owner(CallingForm), FileWithWindowType(), HH_HELP_CONTEXT,
              static_cast<DWORD_PTR>(topicID_));
}

void HTMLHelp::DisplayLookup(HWND CallingForm, UINT command, const std::string& keywords) {
  auto textOrNull = [](const std::string& text) { return text.empty() ? nullptr : text.c_str(); };
  HH_AKLINK link{};
  link.cbStruct = sizeof(link);
  link.fReserved = FALSE;
  link.pszKeywords = keywords.c_str();
  link.pszUrl = textOrNull(defaultURL_);
  link.pszMsgText = textOrNull(msgText_);
  link.pszMsgTitle = textOrNull(msgTitle_);
  link.pszWindow = IsBlank(window_) ? nullptr : window_.c_str();
  link.fIndexOnFail = FALSE;
  CallAndKeep(Owner(CallingForm), chmFile_, command, reinterpret_cast<DWORD_PTR>(&link));
}

void HTMLHelp::HHDisplayKeyword(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  CallAndKeep(Owner(CallingForm), chmFile_, HH_DISPLAY_TOPIC, 0);
  DisplayLookup(CallingForm, HH_KEYWORD_LOOKUP, keyword_);
}

void HTMLHelp::HHDisplayALink(HWND CallingForm) {
  if (!PrepareDisplay()) return;
  DisplayLookup(CallingForm, HH_ALINK_LOOKUP, aLink_);
}

void HTMLHelp::HHClose() {
  if (htmlHelp) htmlHelp(nullptr, "", HH_CLOSE_ALL, 0);
}

void HTMLHelp::HHDeleteJumpURLSysMenu(HWND HH_hWnd) {
  HMENU menu = GetSystemMenu(HH_hWnd, FALSE);
  if (menu) DeleteMenu(menu, kJumpToURLCommand, MF_BYCOMMAND);
}

void HTMLHelp::HHInvokeWhatsThisHelp(HWND CallingForm) {
  DefWindowProcA(CallingForm, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
}

std::string HTMLHelp::HHSetHelpFile(int16_t intSelHelpFile) {
  switch (intSelHelpFile) {
    case 1: return AppPath() + "\\Library.chm";
    case 2: return "Library.txt";
    default: return "";
  }
}

HWND HTMLHelp::HHWndHandle() {
  if (!wndHandle_) {
    ShowHHWarning(LoadResString(318));
    return nullptr;
  }
  return wndHandle_;
}

// ---- the help file and its registration

bool HTMLHelp::IsValidHelpFile(const std::string& path) {
  if (EndsWithExtension(path, "chm")) return true;
  ShowHHWarning(path + LoadResString(659));
  return false;
}

bool HTMLHelp::EnsureFileExists(std::string& FileToFind) {
  if (FileToFind.find('\\') == std::string::npos) {
    HHCheckRegistry(FileToFind);
    FileToFind = regFileName_.empty() ? AppPath() + "\\" + FileToFind
                                      : regFilePath_ + regFileName_;
  }
  if (FileFound(FileToFind)) return true;
  ShowHHWarning(LoadResString(534) + FileToFind + " does not exist." + "\n" + LoadResString(357));
  return false;
}

bool HTMLHelp::HHCheckRegistry(const std::string& FileToCheck) {
  if (FileToCheck.empty()) return false;
  regFileExists_ = false;
  if (!IsValidHelpFile(FileToCheck)) return false;
  std::string fileName = AfterLastBackslash(FileToCheck);
  if (std::optional<std::string> folder = FindRegisteredValue("HKLM", kRegistrationKey, fileName)) {
    regFileName_ = fileName;
    regFilePath_ = *folder;
    std::string registered = regFilePath_ + "\\" + regFileName_;
    if (EnsureFileExists(registered)) regFileExists_ = true;
  } else {
    regFileName_.clear();
    regFilePath_.clear();
  }
  return false;
}

std::optional<std::string> HTMLHelp::FindRegisteredValue(const std::string& hiveName,
                                                         const std::string& keyPath,
                                                         const std::string& valueName) {
  HKEY root = HiveFromName(hiveName);
  if (!root) return std::nullopt;
  platform::RegKey key(root, keyPath, KEY_QUERY_VALUE);
  if (!key) return std::nullopt;
  for (const std::string& name : key.EnumValues()) {
    if (!EqualIgnoringCase(name, valueName)) continue;
    std::optional<platform::RegValue> value = key.Read(name);
    if (!value || (value->type != REG_SZ && value->type != REG_EXPAND_SZ)) continue;
    std::string text = key.ReadString(name, "");
    if (value->type == REG_EXPAND_SZ) {
      DWORD needed = ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
      if (needed == 0) return std::nullopt;
      std::vector<char> expanded(needed + 1, '\0');
      ExpandEnvironmentStringsA(text.c_str(), expanded.data(), needed + 1);
      text = expanded.data();
    }
    return text;
  }
  return std::nullopt;
}

HKEY HTMLHelp::HiveFromName(const std::string& hiveName) {
  std::string name = hiveName;
  for (char& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  if (name == "HKCU") return HKEY_CURRENT_USER;
  if (name == "HKLM") return HKEY_LOCAL_MACHINE;
  if (name == "HKU") return HKEY_USERS;
  if (name == "HKDD") return HKEY_DYN_DATA;
  if (name == "HKCC") return HKEY_CURRENT_CONFIG;
  if (name == "HKCR") return HKEY_CLASSES_ROOT;
  return nullptr;
}

void HTMLHelp::HHRegister(std::string& FileToRegister) {
  if (FileToRegister.empty()) return;
  if (!IsValidHelpFile(FileToRegister)) return;
  HHCheckRegistry(FileToRegister);
  if (!regFileName_.empty()) {
    ShowHHInfo(LoadResString(534) + FileToRegister + LoadResString(658) + LoadResString(222));
    return;
  }
  if (!EnsureFileExists(FileToRegister)) return;
  size_t slash = FileToRegister.rfind('\\');
  std::string folder = FileToRegister.substr(0, slash + 1);
  std::string fileName = FileToRegister.substr(slash + 1);
  FileToRegister = fileName;
  bool written = false;
  {
    platform::RegKey key = platform::RegKey::CreateWithAccess(
        HKEY_LOCAL_MACHINE, kRegistrationKey, KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    if (!key) {
      ShowHHWarning(LoadResString(224));
      return;
    }
    written = key.WriteString(fileName, folder);
  }
  if (!written) HHCheckRegistry(fileName);
}

void HTMLHelp::HHUnRegister(std::string& FileToUnRegister) {
  if (FileToUnRegister.empty()) return;
  if (!IsValidHelpFile(FileToUnRegister)) return;
  HHCheckRegistry(FileToUnRegister);
  if (regFileName_.empty()) {
    ShowHHInfo(LoadResString(534) + FileToUnRegister + LoadResString(660) + LoadResString(223));
    return;
  }
  FileToUnRegister = AfterLastBackslash(FileToUnRegister);
  {
    platform::RegKey key(HKEY_LOCAL_MACHINE, kRegistrationKey, KEY_SET_VALUE);
    if (key) key.DeleteValue(FileToUnRegister);
  }
  HHCheckRegistry(FileToUnRegister);
}

// ---- text popups

bool HTMLHelp::IsValidPopupFile(const std::string& path) {
  if (EndsWithExtension(path, "txt")) return true;
  ShowHHWarning(LoadResString(535) + path + "', is not a valid popup file.");
  return false;
}

void HTMLHelp::HHDisplayPopup(HWND CallingForm) {
  if (popupType_ == 0) return;
  if (popupType_ == 1 && (!IsValidHelpFile(chmFile_) || !EnsureFileExists(chmFile_))) return;

  std::string tableText;
  HH_POPUP popup{};
  popup.cbStruct = sizeof(popup);
  popup.hinst = nullptr;
  popup.idString = popupType_ == 1 ? static_cast<UINT>(popupID_) : 0;
  if (popupType_ == 2) {
    tableText = LoadResString(popupID_);
    popup.pszText = tableText.c_str();
  } else if (popupType_ == 4) {
    popup.pszText = popupText_.c_str();
  }
  GetCursorPos(&popup.pt);
  popup.clrForeground = popupCustomColors_ ? popupCustomTextColor_ : popupTextColor_;
  popup.clrBackground = popupCustomColors_ ? popupCustomBackColor_ : popupBackColor_;
  popup.rcMargins = {-1, -1, -1, -1};
  if (popupType_ == 4 && popupText_.empty()) return;

  if (popupTextFont_.empty()) popupTextFont_ = "Arial";
  if (popupTextSize_.empty()) popupTextSize_ = "10";
  std::string font = popupTextFont_ + ", " + popupTextSize_ + ", ascii, ";
  if (popupTextBold_) font += "Bold ";
  if (popupTextItalic_) font += "Italic ";
  if (popupTextUnderline_) font += "Underline";
  popup.pszFont = font.c_str();

  std::optional<HWND> shown;
  const DWORD_PTR data = reinterpret_cast<DWORD_PTR>(&popup);
  switch (popupType_) {
    case 1: {
      if (!IsValidPopupFile(popupFile_)) return;
      std::string source = chmFile_ + "::/" + popupFile_;
      if (htmlHelp) shown = htmlHelp(CallingForm, source.c_str(), HH_DISPLAY_TEXT_POPUP, data);
      break;
    }
    case 2:
    case 4:
      if (htmlHelp) shown = htmlHelp(CallingForm, nullptr, HH_DISPLAY_TEXT_POPUP, data);
      break;
    default:
      return;
  }
  if (!shown) throw HTMLHelpError("HtmlHelpA of hhctrl.ocx cannot be called");

  popupTextColor_ = popupBackColor_ = popupCustomTextColor_ = popupCustomBackColor_ = 0;
  popupTextFont_ = "Arial";
  popupTextSize_ = "10";
  popupTextBold_ = popupTextItalic_ = popupTextUnderline_ = false;
}

// ---- installation and versions

bool HTMLHelp::HHInstalled() {
  installed_ = RegKeyExists(kHHTypeLibKey);
  return installed_;
}

bool HTMLHelp::RegKeyExists(const std::string& keyPath) {
  platform::RegKey key(HKEY_LOCAL_MACHINE, keyPath, KEY_ALL_ACCESS);
  return key.IsOpen();
}

std::string HTMLHelp::HHVersion() {
  CheckHHCtrlRegistration();
  return hhVersion_;
}

std::string HTMLHelp::IEVersion() {
  CheckShdocvwRegistration();
  return ieVersion_;
}

std::string HTMLHelp::HHFriendlyName() {
  HHVersionName();
  return hhFriendlyName_;
}

std::string HTMLHelp::IEFriendlyName() {
  IEVersionName();
  return ieFriendlyName_;
}

void HTMLHelp::CheckHHCtrlRegistration() {
  CheckLibraryRegistration(kHHCtrlKey, 227, 355, 226, 358, hhVersion_);
}

void HTMLHelp::CheckShdocvwRegistration() {
  CheckLibraryRegistration(kShdocvwKey, 480, 356, 271, 359, ieVersion_);
}

void HTMLHelp::CheckLibraryRegistration(const char* key, int notRegistered1, int notRegistered2,
                                        int notFound1, int notFound2, std::string& version) {
  std::optional<std::string> registered = FindRegisteredValue("HKCR", key, "");
  if (!registered || registered->empty()) {
    ShowHHError(LoadResString(notRegistered1) + LoadResString(notRegistered2));
    return;
  }
  std::string path = GetLongFileName(StripNull(*registered));
  if (!FileFound(path)) {
    ShowHHError(LoadResString(notFound1) + LoadResString(notFound2));
    return;
  }
  version = GetFileVersionText(path);
}

void HTMLHelp::HHVersionName() {
  if (hhVersion_.empty()) CheckHHCtrlRegistration();
  hhFriendlyName_ = Lookup(kHHReleaseNames, hhVersion_);
}

void HTMLHelp::IEVersionName() {
  if (ieVersion_.empty()) CheckShdocvwRegistration();
  ieFriendlyName_ = Lookup(kIEReleaseNames, ieVersion_);
}

bool HTMLHelp::HHVerifyMinConfig(int32_t MinHHVersion, int32_t MinIEVersion) {
  CheckHHCtrlRegistration();
  CheckShdocvwRegistration();
  bool hhPasses = false;
  if (auto minimum = kMinHHVersions.find(MinHHVersion); minimum != kMinHHVersions.end())
    hhPasses = ReachesMinimum(hhVersion_, minimum->second);
  else
    hhVersion_ = "unknown";
  bool iePasses = false;
  if (auto minimum = kMinIEVersions.find(MinIEVersion); minimum != kMinIEVersions.end())
    iePasses = ReachesMinimum(ieVersion_, minimum->second);
  else
    ieVersion_ = "unknown";
  HHVersionName();
  IEVersionName();
  return hhPasses && iePasses;
}

std::string HTMLHelp::StripNull(std::string& text) {
  size_t nul = text.find('\0');
  if (nul != std::string::npos) text.erase(nul);
  return text;
}

int HTMLHelp::GetOSKind() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!platform::systemFacts().Version(&info)) return 0;
  if (info.dwPlatformId == VER_PLATFORM_WIN32_NT) {
    if (info.dwMajorVersion == 3) return 1;
    if (info.dwMajorVersion == 4) return 3;
    if (info.dwMajorVersion == 5) return 5;
  } else if (info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS) {
    if (info.dwMinorVersion == 0) return 2;
    if (info.dwMinorVersion == 10) return 4;
  }
  return 0;
}

std::string HTMLHelp::GetLongFileName(const std::string& path) {
  if (path.find('~') == std::string::npos) return path;
  int kind = GetOSKind();
  if (kind == 4 || kind == 5) {
    DWORD needed = GetLongPathNameA(path.c_str(), nullptr, 0);
    if (needed == 0) return "";
    std::vector<char> buffer(needed + 1, '\0');
    GetLongPathNameA(path.c_str(), buffer.data(), needed + 1);
    return buffer.data();
  }
  // Folder by folder: each part followed by a backslash is replaced by the name that
  // FindFirstFileA finds for it; the part after the last backslash stays as it is.
  std::string unquoted = path;
  if (!unquoted.empty() && unquoted.front() == '"') unquoted.erase(0, 1);
  if (!unquoted.empty() && unquoted.back() == '"') unquoted.pop_back();
  std::string longPath = unquoted.substr(0, 2);
  std::string rest = unquoted.size() > 3 ? unquoted.substr(3) : std::string();
  size_t start = 0;
  for (size_t slash; (slash = rest.find('\\', start)) != std::string::npos; start = slash + 1) {
    std::string found;
    if (!FileFound(longPath + "\\" + rest.substr(start, slash - start), &found)) return "";
    longPath += "\\" + found;
  }
  return longPath + "\\" + rest.substr(start);
}

std::string HTMLHelp::GetFileVersionText(const std::string& file) {
  // A file without a version resource has no version text.
  DWORD handle = 0;
  DWORD size = GetFileVersionInfoSizeA(file.c_str(), &handle);
  if (size == 0) return "";
  if (size > 64000) size = 64000;
  std::vector<BYTE> resource(size + 1);
  if (!GetFileVersionInfoA(file.c_str(), handle, size, resource.data())) return "";
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(resource.data(), "\\", reinterpret_cast<void**>(&fixed), &length) ||
      !fixed || length < sizeof(VS_FIXEDFILEINFO))
    return "";
  // Each part is read as a signed 16-bit number.
  int major = static_cast<int16_t>(HIWORD(fixed->dwFileVersionMS));
  int minor = static_cast<int16_t>(LOWORD(fixed->dwFileVersionMS));
  int build = static_cast<int16_t>(HIWORD(fixed->dwFileVersionLS));
  int revision = static_cast<int16_t>(LOWORD(fixed->dwFileVersionLS));
  std::string text = std::to_string(major) + "." + Padded(minor, 2) + ".";
  if (build > 0)
    text += Padded(build, 2) + "." + Padded(revision, 2);
  else
    text += Padded(revision, 4);
  return text;
}

// ---- message boxes

int HTMLHelp::ShowHHError(const std::string& text) {
  return MsgBox(text, MB_OK | MB_ICONHAND, kMessageTitle);
}

int HTMLHelp::ShowHHWarning(const std::string& text) {
  return MsgBox(text, MB_OK | MB_ICONEXCLAMATION, kMessageTitle);
}

int HTMLHelp::ShowHHInfo(const std::string& text) {
  return MsgBox(text, MB_OK | MB_ICONASTERISK, kMessageTitle);
}
