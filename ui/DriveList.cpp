#include "ui/DriveList.h"

#include <cctype>
#include <vector>

namespace ui {
namespace {

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// The drives, as their entries, in letter order. A drive without a medium is listed
// without a label; no "insert a disk" window is shown for it.
std::vector<std::string> ReadDrives() {
  std::vector<std::string> entries;
  const DWORD mask = GetLogicalDrives();
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  for (int i = 0; i < 26; ++i) {
    if (!(mask & (1u << i))) continue;
    const char letter = static_cast<char>('a' + i);
    const std::string root = std::string(1, letter) + ":\\";
    char label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr, nullptr,
                               nullptr, 0))
      label[0] = '\0';
    entries.push_back(DriveEntry(letter, label));
  }
  SetErrorMode(oldMode);
  return entries;
}

// The drive the list starts on: the current folder's, else the system drive's.
char StartingDrive() {
  char folder[MAX_PATH * 2] = {};
  DWORD n = GetCurrentDirectoryA(sizeof folder, folder);
  if (n > 0 && n < sizeof folder) {
    if (char letter = DriveLetterOf(folder)) return letter;
  }
  char windows[MAX_PATH] = {};
  n = GetWindowsDirectoryA(windows, sizeof windows);
  if (n > 0 && n < sizeof windows) return DriveLetterOf(windows);
  return 0;
}

}  // namespace

std::string DriveEntry(char letter, const std::string& label) {
  std::string entry = std::string(1, Lower(letter)) + ":";
  if (!label.empty()) entry += " [" + label + "]";
  return entry;
}

char DriveLetterOf(const std::string& folder) {
  if (folder.size() < 2 || folder[1] != ':' || !std::isalpha(static_cast<unsigned char>(folder[0])))
    return 0;
  return Lower(folder[0]);
}

DriveList::DriveList(Form* form, const Def& def) : ComboBox(form, def) {}

DWORD DriveList::WindowStyle() const { return WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; }

void DriveList::ResetKindState() {
  ComboBox::ResetKindState();
  items_ = ReadDrives();
  data_.assign(items_.size(), 0);
  listIndex_ = IndexOf(StartingDrive());
  caption_ = listIndex_ >= 0 ? items_[listIndex_] : std::string();
}

int DriveList::IndexOf(char letter) {
  if (!letter) return -1;
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i][0] == Lower(letter)) return static_cast<int>(i);
  return -1;
}

std::string DriveList::Drive() {
  Touch();
  return listIndex_ >= 0 ? items_[listIndex_] : std::string();
}

bool DriveList::SetDrive(const std::string& drive) {
  Touch();
  const int index = drive.empty() ? -1 : IndexOf(drive[0]);
  if (index < 0) return false;
  if (index == listIndex_) return true;
  listIndex_ = index;
  caption_ = items_[index];
  if (hwnd_) SendMessageA(hwnd_, CB_SETCURSEL, index, 0);
  Raise(Change);
  return true;
}

void DriveList::OnCommand(int code) {
  if (code != CBN_SELCHANGE) return;
  const int index = static_cast<int>(SendMessageA(hwnd_, CB_GETCURSEL, 0, 0));
  if (index < 0 || index >= static_cast<int>(items_.size()) || index == listIndex_) return;
  listIndex_ = index;
  caption_ = items_[index];
  Raise(Change);
}

}  // namespace ui
