#include "help_fixtures.h"

#include <gtest/gtest.h>

#include <cstring>

#include "support/registry_fixture.h"

namespace {

std::optional<std::string> Text(const char* text) {
  return text ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

HTMLHelp::HtmlHelpFunction HelpRecorder::Function() {
  return [this](HWND owner, const char* file, UINT command, DWORD_PTR data) -> std::optional<HWND> {
    if (entryMissing) return std::nullopt;
    HelpCall call;
    call.owner = owner;
    call.file = Text(file);
    call.command = command;
    call.data = data;
    if (command == HH_DISPLAY_TOPIC && data)
      call.topic = reinterpret_cast<const char*>(data);
    if (command == HH_DISPLAY_SEARCH && data) {
      const auto* q = reinterpret_cast<const HH_FTS_QUERY*>(data);
      call.search = HelpCall::Search{q->cbStruct,       q->fUniCodeStrings, Text(q->pszSearchQuery),
                                     q->iProximity,     q->fStemmedSearch,  q->fTitleOnly,
                                     q->fExecute,       Text(q->pszWindow)};
    }
    if ((command == HH_KEYWORD_LOOKUP || command == HH_ALINK_LOOKUP) && data) {
      const auto* l = reinterpret_cast<const HH_AKLINK*>(data);
      call.link = HelpCall::Link{l->cbStruct,          l->fReserved,         Text(l->pszKeywords),
                                 Text(l->pszUrl),      Text(l->pszMsgText),  Text(l->pszMsgTitle),
                                 Text(l->pszWindow),   l->fIndexOnFail};
    }
    if (command == HH_DISPLAY_TEXT_POPUP && data) {
      const auto* p = reinterpret_cast<const HH_POPUP*>(data);
      call.popup = HelpCall::Popup{p->cbStruct, p->hinst,         p->idString,
                                   Text(p->pszText), p->pt,       p->clrForeground,
                                   p->clrBackground, p->rcMargins, Text(p->pszFont)};
    }
    calls.push_back(call);
    if (results.empty()) return result;
    HWND next = results.front();
    results.pop_front();
    return next;
  };
}

TempFolder::TempFolder() {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  static int counter = 0;
  path_ = std::string(temp) + "QuenvorHelpTest." + std::to_string(GetCurrentProcessId()) + "." +
          std::to_string(++counter);
  CreateDirectoryA(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAA data;
  HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = path_ + "\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        // one level of sub-folders is all the tests make
        WIN32_FIND_DATAA inner;
        HANDLE innerSearch = FindFirstFileA((path + "\\*").c_str(), &inner);
        if (innerSearch != INVALID_HANDLE_VALUE) {
          do DeleteFileA((path + "\\" + inner.cFileName).c_str());
          while (FindNextFileA(innerSearch, &inner));
          FindClose(innerSearch);
        }
        RemoveDirectoryA(path.c_str());
      } else {
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &data));
    FindClose(search);
  }
  RemoveDirectoryA(path_.c_str());
}

std::string TempFolder::AddFile(const std::string& name, const std::string& content) {
  std::string path = path_ + "\\" + name;
  size_t slash = name.rfind('\\');
  if (slash != std::string::npos) CreateDirectoryA((path_ + "\\" + name.substr(0, slash)).c_str(), nullptr);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  if (!content.empty()) WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
  return path;
}

HelpRegistrations::HelpRegistrations()
    : existed_(platform::RegKey(HKEY_LOCAL_MACHINE, kKey, KEY_QUERY_VALUE).IsOpen()) {}

HelpRegistrations::~HelpRegistrations() {
  {
    platform::RegKey key(HKEY_LOCAL_MACHINE, kKey, KEY_SET_VALUE);
    for (const std::string& name : names_) key.DeleteValue(name);
  }
  if (!existed_) platform::RegKey::DeleteKey(HKEY_LOCAL_MACHINE, kKey, 0);
}

void HelpRegistrations::Add(const std::string& name, const std::string& text, DWORD type) {
  platform::RegKey key = platform::RegKey::Create(HKEY_LOCAL_MACHINE, kKey, 0);
  ASSERT_TRUE(key.IsOpen());
  ASSERT_EQ(RegSetValueExA(key.Handle(), name.c_str(), 0, type,
                           reinterpret_cast<const BYTE*>(text.c_str()),
                           static_cast<DWORD>(text.size() + 1)),
            ERROR_SUCCESS);
  names_.push_back(name);
}

std::optional<platform::RegValue> HelpRegistrations::Read(const std::string& name) const {
  return platform::RegKey(HKEY_LOCAL_MACHINE, kKey, KEY_QUERY_VALUE).Read(name);
}

std::string HelpRegistrations::Text(const platform::RegValue& value) {
  std::string text(value.data.begin(), value.data.end());
  size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

LibraryRegistration::LibraryRegistration(const std::string& clsid, const std::string& serverKey)
    : classKey_("CLSID\\" + clsid), serverKey_("CLSID\\" + clsid + "\\" + serverKey) {
  EXPECT_FALSE(platform::RegKey(HKEY_CLASSES_ROOT, classKey_, KEY_QUERY_VALUE).IsOpen())
      << "the test prefix already registers " << clsid;
}

LibraryRegistration::~LibraryRegistration() { Remove(); }

void LibraryRegistration::PointAt(const std::string& path) {
  platform::RegKey key = platform::RegKey::Create(HKEY_CLASSES_ROOT, serverKey_, 0);
  ASSERT_TRUE(key.IsOpen());
  ASSERT_TRUE(key.WriteString("", path));
}

void LibraryRegistration::Remove() { DeleteRegistryTree(HKEY_CLASSES_ROOT, classKey_, 0); }

bool WriteVersionedFile(const std::string& path, WORD major, WORD minor, WORD build,
                        WORD revision, bool withVersion) {
  char system[MAX_PATH] = "";
  GetSystemDirectoryA(system, MAX_PATH);
  if (!CopyFileA((std::string(system) + "\\version.dll").c_str(), path.c_str(), FALSE)) return false;

  // VS_VERSIONINFO with its fixed part only: header, L"VS_VERSION_INFO", padding to a
  // 32-bit boundary, VS_FIXEDFILEINFO.
#pragma pack(push, 1)
  struct {
    WORD wLength;
    WORD wValueLength;
    WORD wType;
    WCHAR szKey[16];
    WORD padding;
    VS_FIXEDFILEINFO value;
  } info{};
#pragma pack(pop)
  info.wLength = sizeof(info);
  info.wValueLength = sizeof(VS_FIXEDFILEINFO);
  info.wType = 0;
  std::memcpy(info.szKey, L"VS_VERSION_INFO", sizeof(info.szKey));
  info.value.dwSignature = 0xFEEF04BD;
  info.value.dwStrucVersion = 0x00010000;
  info.value.dwFileVersionMS = MAKELONG(minor, major);
  info.value.dwFileVersionLS = MAKELONG(revision, build);
  info.value.dwProductVersionMS = info.value.dwFileVersionMS;
  info.value.dwProductVersionLS = info.value.dwFileVersionLS;
  info.value.dwFileOS = VOS_NT_WINDOWS32;
  info.value.dwFileType = VFT_DLL;

  HANDLE update = BeginUpdateResourceA(path.c_str(), TRUE);
  if (!update) return false;
  if (withVersion &&
      !UpdateResourceA(update, MAKEINTRESOURCEA(16) /* RT_VERSION */, MAKEINTRESOURCEA(1),
                       MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &info, sizeof(info))) {
    EndUpdateResourceA(update, TRUE);
    return false;
  }
  return EndUpdateResourceA(update, FALSE) != 0;
}
