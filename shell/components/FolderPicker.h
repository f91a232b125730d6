#pragma once
// The folder picker: a component that wraps the shell's folder-browse dialog. A host sets
// its properties and calls BrowseFolders with an owner window; while the dialog is open the
// component raises SelectionChanged each time the user moves to another folder, and
// BrowseFolders returns the chosen folder's path. The module XQmodMain holds the dialog's
// callback and the state that the callback reads (one copy for the program, filled by the
// last BrowseFolders).
#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <variant>

// A host's store of a component's saved properties.
struct PropertyBag {
  using Value = std::variant<int32_t, bool, std::string>;
  std::map<std::string, Value> values;

  template <class T>
  T ReadProperty(const std::string& name, const T& defaultValue) const {
    auto found = values.find(name);
    if (found == values.end()) return defaultValue;
    const T* value = std::get_if<T>(&found->second);
    return value ? *value : defaultValue;
  }
  // Always written.
  void WriteProperty(const std::string& name, const Value& value) { values[name] = value; }
  // Written only when it differs from the default (the default is what a read gives back).
  void WriteProperty(const std::string& name, const Value& value, const Value& defaultValue) {
    if (value == defaultValue)
      values.erase(name);
    else
      values[name] = value;
  }
};

class XQBrowseFolders {
 public:
  XQBrowseFolders() { UserControl_InitProperties(); }

  // Returns/sets the Style of BrowseWindow: the special-folder identifier (CSIDL) at the
  // root of the dialog's tree and named by Path; 0 is the desktop.
  int32_t Style() const { return style_; }
  void Style(int32_t value);
  // Returns/sets the text, that should appear in the dialog.
  std::string Caption() const { return caption_; }
  void Caption(const std::string& value);
  // Returns/sets if there should be some extra text below "Caption".
  bool ShowStatus() const { return showStatus_; }
  void ShowStatus(bool value);
  // Returns/sets if the OK-button is enabled (TRUE) or not (FALSE).
  bool EnableOK() const { return enableOK_; }
  void EnableOK(bool value);
  // Returns/sets extra text, that appears below "Caption". To use this property, set
  // ShowStatus to TRUE.
  std::string StatusText() const { return statusText_; }
  void StatusText(const std::string& value);
  // Returns/sets which directory should be selected if the dialog will be shown.
  std::string InitialDir() const { return initialDir_; }
  void InitialDir(const std::string& value);
  // Shows the dialog. Returns the chosen folder's path, or "" (cancelled, no file-system
  // path, or EnableOK false).
  std::string BrowseFolders(HWND hWnd_Of_Owner);
  // Returns the absolute path of 'Style'; "" when it has none.
  std::string Path() const;

  void UserControl_InitProperties();
  void UserControl_ReadProperties(const PropertyBag& PropBag);
  void UserControl_WriteProperties(PropertyBag& PropBag) const;
  // The component keeps its fixed size, 705 x 465 twips, whatever the host gives it.
  void UserControl_Resize();
  void RaiseSelectionChanged(const std::string& path);

  // Event: the dialog's selection moved to CurrentPath ("" for a folder without a path).
  std::function<void(const std::string& CurrentPath)> SelectionChanged;
  // The host is told the name of each property set.
  std::function<void(const std::string& PropertyName)> PropertyChanged;

  float Width = 705;   // twips
  float Height = 465;  // twips

 private:
  void Changed(const char* name) {
    if (PropertyChanged) PropertyChanged(name);
  }

  int32_t style_ = 0;
  std::string caption_;
  bool showStatus_ = false;
  bool enableOK_ = true;
  std::string statusText_;
  std::string initialDir_;
};

namespace XQmodMain {

void SetBrowseShowStatus(bool value);
void SetBrowseEnableOK(bool value);
void SetBrowseStatusText(const std::string& value);
// Stores the folder to select when the dialog opens: a text of fewer than 4 characters as
// it is; a longer one without a trailing "\" and in upper case (c:\windows\ -> C:\WINDOWS).
void SetBrowseInitialDir(const std::string& value);
// The file-system path of a special folder, or "".
std::string SpecialFolderPath(HWND owner, int32_t folderId);
// Opens the folder dialog rooted at the special folder rootId for `control`: the chosen
// path, or "".
std::string BrowseForFolder(HWND owner, const std::string& title, int32_t rootId, UINT flags,
                            XQBrowseFolders* control);
// The file-system path of an item-ID list, or "".
std::string PathFromPidl(LPCITEMIDLIST pidl);
// The dialog's callback; always 0.
int CALLBACK BrowseCallback(HWND window, UINT message, LPARAM lParam, LPARAM data);

}  // namespace XQmodMain
