#include "shell/components/FolderPicker.h"

#include <objbase.h>

#include <cctype>

#include "platform/dialogs.h"

namespace {

// The module state: copies of the browsing control's settings, read by the callback.
struct BrowseState {
  XQBrowseFolders* control = nullptr;
  bool showStatus = false;
  bool enableOK = false;
  std::string statusText;
  std::string initialDir;
};
BrowseState browse;

}  // namespace

// ---- XQBrowseFolders

void XQBrowseFolders::Style(int32_t value) {
  style_ = value;
  Changed("Style");
}

void XQBrowseFolders::Caption(const std::string& value) {
  caption_ = value;
  Changed("Caption");
}

void XQBrowseFolders::ShowStatus(bool value) {
  showStatus_ = value;
  Changed("ShowStatus");
}

void XQBrowseFolders::EnableOK(bool value) {
  enableOK_ = value;
  XQmodMain::SetBrowseEnableOK(value);
  Changed("EnableOK");
}

void XQBrowseFolders::StatusText(const std::string& value) {
  statusText_ = value;
  XQmodMain::SetBrowseStatusText(value);
  Changed("StatusText");
}

void XQBrowseFolders::InitialDir(const std::string& value) {
  initialDir_ = value;
  Changed("InitialDir");
}

std::string XQBrowseFolders::BrowseFolders(HWND hWnd_Of_Owner) {
  XQmodMain::SetBrowseEnableOK(enableOK_);
  XQmodMain::SetBrowseShowStatus(showStatus_);
  XQmodMain::SetBrowseStatusText(statusText_);
  XQmodMain::SetBrowseInitialDir(initialDir_);
  UINT flags = showStatus_ ? BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT : BIF_RETURNONLYFSDIRS;
  std::string chosen = XQmodMain::BrowseForFolder(hWnd_Of_Owner, caption_, style_, flags, this);
  return enableOK_ ? chosen : std::string();
}

std::string XQBrowseFolders::Path() const {
  // A component without a window of its own: the shell ignores the owner here anyway.
  return XQmodMain::SpecialFolderPath(nullptr, style_);
}

void XQBrowseFolders::UserControl_InitProperties() {
  style_ = 0;
  caption_ = "Please select a directory:";
  showStatus_ = false;
  enableOK_ = true;
  statusText_.clear();
  initialDir_.clear();
}

void XQBrowseFolders::UserControl_ReadProperties(const PropertyBag& PropBag) {
  style_ = PropBag.ReadProperty<int32_t>("Style", 0);
  caption_ = PropBag.ReadProperty<std::string>("Caption", "");
  statusText_ = PropBag.ReadProperty<std::string>("StatusText", "");
  initialDir_ = PropBag.ReadProperty<std::string>("InitialDir", "");
  showStatus_ = PropBag.ReadProperty<bool>("ShowStatus", false);
  enableOK_ = PropBag.ReadProperty<bool>("EnableOK", true);
}

void XQBrowseFolders::UserControl_WriteProperties(PropertyBag& PropBag) const {
  PropBag.WriteProperty("Style", style_, int32_t{0});
  PropBag.WriteProperty("Caption", caption_);
  PropBag.WriteProperty("StatusText", statusText_, std::string());
  PropBag.WriteProperty("InitialDir", initialDir_, std::string());
  PropBag.WriteProperty("ShowStatus", showStatus_, false);
  PropBag.WriteProperty("EnableOK", enableOK_, true);
}

void XQBrowseFolders::UserControl_Resize() {
  Width = 705;
  Height = 465;
}

void XQBrowseFolders::RaiseSelectionChanged(const std::string& path) {
  if (SelectionChanged) SelectionChanged(path);
}

// ---- XQmodMain

namespace XQmodMain {

void SetBrowseShowStatus(bool value) { browse.showStatus = value; }
void SetBrowseEnableOK(bool value) { browse.enableOK = value; }
void SetBrowseStatusText(const std::string& value) { browse.statusText = value; }

void SetBrowseInitialDir(const std::string& value) {
  if (value.size() < 4) {
    browse.initialDir = value;
    return;
  }
  std::string folder = value;
  if (folder.back() == '\\') folder.pop_back();
  for (char& c : folder) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  browse.initialDir = folder;
}

std::string PathFromPidl(LPCITEMIDLIST pidl) {
  char path[MAX_PATH] = "";
  if (!pidl || !SHGetPathFromIDListA(pidl, path)) return "";
  return path;
}

std::string SpecialFolderPath(HWND owner, int32_t folderId) {
  LPITEMIDLIST pidl = nullptr;
  if (SHGetSpecialFolderLocation(owner, static_cast<int16_t>(folderId), &pidl) != S_OK || !pidl)
    return "";
  std::string path = PathFromPidl(pidl);
  CoTaskMemFree(pidl);
  return path;
}

std::string BrowseForFolder(HWND owner, const std::string& title, int32_t rootId, UINT flags,
                            XQBrowseFolders* control) {
  browse.control = control;
  // A root that is no known special folder leaves the tree at the desktop.
  LPITEMIDLIST root = nullptr;
  if (SHGetSpecialFolderLocation(owner, rootId, &root) != S_OK) root = nullptr;
  BROWSEINFOA info{};
  info.hwndOwner = owner;
  info.pidlRoot = root;
  info.lpszTitle = title.empty() ? nullptr : title.c_str();
  info.ulFlags = flags;
  info.lpfn = BrowseCallback;
  info.lParam = 0;
  LPITEMIDLIST chosen = platform::dialogs().BrowseForFolder(info);
  std::string path = PathFromPidl(chosen);
  if (chosen) CoTaskMemFree(chosen);
  if (root) CoTaskMemFree(root);
  return path;
}

int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data) {
  switch (message) {
    case BFFM_INITIALIZED:
      if (!browse.initialDir.empty())
        SendMessageA(window, BFFM_SETSELECTIONA, 1,
                     reinterpret_cast<LPARAM>(browse.initialDir.c_str()));
      if (browse.showStatus)
        SendMessageA(window, BFFM_SETSTATUSTEXTA, 0,
                     reinterpret_cast<LPARAM>(browse.statusText.c_str()));
      break;
    case BFFM_SELCHANGED: {
      std::string path = PathFromPidl(reinterpret_cast<LPCITEMIDLIST>(lParam));
      if (browse.control) browse.control->RaiseSelectionChanged(path);
      if (browse.showStatus)
        SendMessageA(window, BFFM_SETSTATUSTEXTA, 0,
                     reinterpret_cast<LPARAM>(browse.statusText.c_str()));
      SendMessageA(window, BFFM_ENABLEOK, 0, browse.enableOK ? 1 : 0);
      break;
    }
    default:
      break;
  }
  return 0;
}

}  // namespace XQmodMain
