#pragma once
// Fixtures of the help tests: a recorder that stands in for HtmlHelpA, a folder of the
// test's own, the registration key of help files, and COM class registrations of the help
// control and the browser library.
#include <windows.h>
#include <htmlhelp.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry.h"
#include "shell/help/HTMLHelp.h"

// What one HtmlHelpA call received, with the record behind `data` copied while the call ran.
struct HelpCall {
  HWND owner = nullptr;
  std::optional<std::string> file;  // empty for a null pointer
  UINT command = 0;
  DWORD_PTR data = 0;
  std::optional<std::string> topic;  // HH_DISPLAY_TOPIC with a text

  struct Search {
    int cbStruct;
    BOOL fUniCodeStrings;
    std::optional<std::string> pszSearchQuery;
    LONG iProximity;
    BOOL fStemmedSearch, fTitleOnly, fExecute;
    std::optional<std::string> pszWindow;
  };
  struct Link {
    int cbStruct;
    BOOL fReserved;
    std::optional<std::string> pszKeywords, pszUrl, pszMsgText, pszMsgTitle, pszWindow;
    BOOL fIndexOnFail;
  };
  struct Popup {
    int cbStruct;
    HINSTANCE hinst;
    UINT idString;
    std::optional<std::string> pszText;
    POINT pt;
    COLORREF clrForeground, clrBackground;
    RECT rcMargins;
    std::optional<std::string> pszFont;
  };
  std::optional<Search> search;
  std::optional<Link> link;
  std::optional<Popup> popup;
};

class HelpRecorder {
 public:
  std::vector<HelpCall> calls;
  // What the calls return, in order; when none is queued, `result`.
  std::deque<HWND> results;
  HWND result = reinterpret_cast<HWND>(0x1234);
  bool entryMissing = false;  // hhctrl.ocx cannot be reached: nothing is called

  HTMLHelp::HtmlHelpFunction Function();
};

// A folder of the test's own under the temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::string& Path() const { return path_; }
  // Creates an empty file (or one with `content`) in the folder; returns its path.
  std::string AddFile(const std::string& name, const std::string& content = "");

 private:
  std::string path_;
};

// HKEY_LOCAL_MACHINE "Software\Microsoft\Windows\HTML Help" in the view the wrapper uses.
// Values added here, and those named with Forget, are deleted at the end; so is the key
// when it did not exist before.
class HelpRegistrations {
 public:
  static constexpr const char* kKey = "Software\\Microsoft\\Windows\\HTML Help";
  HelpRegistrations();
  ~HelpRegistrations();
  void Add(const std::string& name, const std::string& text, DWORD type = REG_SZ);
  void Forget(const std::string& name) { names_.push_back(name); }
  std::optional<platform::RegValue> Read(const std::string& name) const;
  static std::string Text(const platform::RegValue& value);

 private:
  bool existed_;
  std::vector<std::string> names_;
};

// HKEY_CLASSES_ROOT "CLSID\{clsid}\<server key>" with its default value pointing at a file,
// in the view the wrapper uses; removed at the end. The test prefix has no such key.
class LibraryRegistration {
 public:
  LibraryRegistration(const std::string& clsid, const std::string& serverKey);
  ~LibraryRegistration();
  void PointAt(const std::string& path);
  void Remove();

 private:
  std::string classKey_;
  std::string serverKey_;
};

// The help control's and the browser library's registrations.
inline constexpr const char* kHHCtrlClsid = "{4662DAB0-D393-11D0-9A56-00C04FB68B66}";
inline constexpr const char* kShdocvwClsid = "{0A89A860-D7B1-11CE-8350-444553540000}";

// Writes a copy of a small system library to `path` carrying only a version resource with
// the given file version (or no resource at all when `withVersion` is false).
bool WriteVersionedFile(const std::string& path, WORD major, WORD minor, WORD build,
                        WORD revision, bool withVersion = true);
