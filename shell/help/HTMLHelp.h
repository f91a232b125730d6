#pragma once
// The help-file wrapper. It keeps the compiled help file's path and the settings of the next
// help request, makes sure the file exists before each request (a bare file name is looked
// up among the registered help files, then in the program's folder), and opens the help
// viewer through HtmlHelpA of hhctrl.ocx. It also registers help files, shows text popups
// and reports which versions of the help control and of the browser library are installed.
//
// Its own message boxes are titled "HTML Help Class". The display operations report nothing
// else; the registration, popup and version operations pass a failure that has no result
// code of its own on to their caller as an HTMLHelpError.
//
// Every call of HtmlHelpA goes through the member `htmlHelp`, which tests replace to see
// each call (owner window, file argument, command and data).
#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

class HTMLHelpError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class HTMLHelp {
 public:
  // HtmlHelpA(owner, file, command, data). An empty result means the entry point could not
  // be reached (hhctrl.ocx or its export missing) and nothing was called.
  using HtmlHelpFunction =
      std::function<std::optional<HWND>(HWND owner, const char* file, UINT command, DWORD_PTR data)>;
  // HtmlHelpA of the system's hhctrl.ocx, loaded when first needed.
  static std::optional<HWND> SystemHtmlHelp(HWND owner, const char* file, UINT command,
                                            DWORD_PTR data);

  HtmlHelpFunction htmlHelp = SystemHtmlHelp;

  // ---- public operations
  // Deletes the item 0xEFFF ("Jump to URL") from the system menu of the window.
  void HHDeleteJumpURLSysMenu(HWND HH_hWnd);
  // The display operations open the viewer on CHMFile (after IsValidHelpFile and
  // EnsureFileExists) and keep what HtmlHelpA returned in HHWndHandle. The calling window
  // becomes the viewer's owner only when HHShowOnTop is set.
  void HHDisplayTopicURL(HWND CallingForm = nullptr);
  void HHDisplayTopicID(HWND CallingForm = nullptr);
  void HHDisplaySearch(HWND CallingForm = nullptr);
  void HHDisplayKeyword(HWND CallingForm = nullptr);
  void HHDisplayIndex(HWND CallingForm = nullptr);
  void HHDisplayContents(HWND CallingForm = nullptr);
  void HHDisplayALink(HWND CallingForm = nullptr);
  // Records the help file under the registered help files (its folder, under its bare
  // name). On return the variable holds the bare file name, or the resolved path when the
  // operation stopped after resolving it. A bare name is resolved as EnsureFileExists does.
  void HHRegister(std::string& FileToRegister);
  // Removes that record; on return the variable holds the bare file name.
  void HHUnRegister(std::string& FileToUnRegister);
  // Fills HHRegFileName, HHRegFilePath and HHRegFileExists for the file's bare name. The
  // result is always false: callers read the three properties.
  bool HHCheckRegistry(const std::string& FileToCheck);
  // Closes every help window that this process opened.
  void HHClose();
  // Shows a text popup at the mouse position, owned by CallingForm (see HHPopupType).
  void HHDisplayPopup(HWND CallingForm = nullptr);
  // Puts the calling window into "What's This?" help mode.
  void HHInvokeWhatsThisHelp(HWND CallingForm);
  // True when the registered help control and browser library reach the minimum versions
  // selected by the two codes (0x10-0x1A and 0x100-0x111).
  bool HHVerifyMinConfig(int32_t MinHHVersion, int32_t MinIEVersion);
  // True when the file exists. A name without a backslash is first resolved: to its
  // registered folder, else to the program's folder; the variable keeps the resolved path.
  bool EnsureFileExists(std::string& FileToFind);
  // 1: the program's folder and "\Library.chm"; 2: "Library.txt"; else "".
  std::string HHSetHelpFile(int16_t intSelHelpFile);

  // ---- properties (a set stores, a get returns, unless noted)
  void HHWindow(const std::string& vData) { window_ = vData; }
  std::string HHWindow() const { return window_; }
  void HHTopicURL(const std::string& vData) { topicURL_ = vData; }
  std::string HHTopicURL() const { return topicURL_; }
  void HHTopicID(int32_t vData) { topicID_ = vData; }
  int32_t HHTopicID() const { return topicID_; }
  void HHMsgTitle(const std::string& vData) { msgTitle_ = vData; }
  std::string HHMsgTitle() const { return msgTitle_; }
  void HHMsgText(const std::string& vData) { msgText_ = vData; }
  std::string HHMsgText() const { return msgText_; }
  void HHKeyword(const std::string& vData) { keyword_ = vData; }
  std::string HHKeyword() const { return keyword_; }
  void HHDefaultURL(const std::string& vData) { defaultURL_ = vData; }
  std::string HHDefaultURL() const { return defaultURL_; }
  void HHALink(const std::string& vData) { aLink_ = vData; }
  std::string HHALink() const { return aLink_; }
  void CHMFile(const std::string& vData) { chmFile_ = vData; }
  std::string CHMFile() const { return chmFile_; }
  void HHShowOnTop(bool vData) { showOnTop_ = vData; }
  bool HHShowOnTop() const { return showOnTop_; }
  std::string HHRegFileName() const { return regFileName_; }
  std::string HHRegFilePath() const { return regFilePath_; }
  bool HHRegFileExists() const { return regFileExists_; }
  // Popup source: 0 none, 1 a text file inside CHMFile (HHPopupFile, topic HHPopupID),
  // 2 the program's string HHPopupID, 4 HHPopupText; any other value shows nothing.
  void HHPopupFile(const std::string& vData) { popupFile_ = vData; }
  void HHPopupID(int32_t vData) { popupID_ = vData; }
  void HHPopupText(const std::string& vData) { popupText_ = vData; }
  void HHPopupType(int32_t vData) { popupType_ = vData; }
  void HHPopupTextColor(COLORREF vData) { popupTextColor_ = vData; }
  void HHPopupBackColor(COLORREF vData) { popupBackColor_ = vData; }
  void HHPopupCustomTextColor(COLORREF vData) { popupCustomTextColor_ = vData; }
  void HHPopupCustomBackColor(COLORREF vData) { popupCustomBackColor_ = vData; }
  void HHPopupCustomColors(bool vData) { popupCustomColors_ = vData; }
  bool HHPopupCustomColors() const { return popupCustomColors_; }
  void HHPopupTextFont(const std::string& vData) { popupTextFont_ = vData; }  // "" = Arial
  void HHPopupTextSize(const std::string& vData) { popupTextSize_ = vData; }  // "" = 10
  void HHPopupTextBold(bool vData) { popupTextBold_ = vData; }
  void HHPopupTextItalic(bool vData) { popupTextItalic_ = vData; }
  void HHPopupTextUnderline(bool vData) { popupTextUnderline_ = vData; }
  // Whether the HTML Help type library's registration can be opened; read anew each time.
  bool HHInstalled();
  // Version texts of the registered hhctrl.ocx and shdocvw.dll, read anew each time (a
  // failed read shows its error and returns the previous text).
  std::string HHVersion();
  std::string IEVersion();
  // Release names of the stored version texts, or "unknown".
  std::string HHFriendlyName();
  std::string IEFriendlyName();
  // What the last display operation's HtmlHelpA returned; 0 shows a warning first.
  HWND HHWndHandle();

 private:
  // display steps shared by the operations
  bool PrepareDisplay();
  HWND Owner(HWND CallingForm) const { return showOnTop_ ? CallingForm : nullptr; }
  std::string FileWithWindowType() const;
  void CallAndKeep(HWND owner, const std::string& file, UINT command, DWORD_PTR data);
  void DisplayLookup(HWND CallingForm, UINT command, const std::string& keywords);

  std::string GetFileVersionText(const std::string& file);
  bool IsValidHelpFile(const std::string& path);
  bool IsValidPopupFile(const std::string& path);
  // The text of the REG_SZ or REG_EXPAND_SZ value `valueName` (expanded), or nothing.
  std::optional<std::string> FindRegisteredValue(const std::string& hiveName,
                                                 const std::string& keyPath,
                                                 const std::string& valueName);
  bool RegKeyExists(const std::string& keyPath);
  HKEY HiveFromName(const std::string& hiveName);
  std::string GetLongFileName(const std::string& path);
  std::string StripNull(std::string& text);
  void CheckHHCtrlRegistration();
  void CheckShdocvwRegistration();
  void CheckLibraryRegistration(const char* key, int notRegistered1, int notRegistered2,
                                int notFound1, int notFound2, std::string& version);
  void HHVersionName();
  void IEVersionName();
  int GetOSKind();
  int ShowHHError(const std::string& text);
  int ShowHHWarning(const std::string& text);
  int ShowHHInfo(const std::string& text);

  std::string chmFile_;
  std::string window_;
  bool showOnTop_ = false;
  std::string topicURL_;
  int32_t topicID_ = 0;
  std::string keyword_;
  std::string aLink_;
  std::string defaultURL_;
  std::string msgText_;
  std::string msgTitle_;
  HWND wndHandle_ = nullptr;
  std::string regFileName_;
  std::string regFilePath_;
  bool regFileExists_ = false;

  int32_t popupType_ = 0;
  std::string popupFile_;
  int32_t popupID_ = 0;
  std::string popupText_;
  COLORREF popupTextColor_ = 0;
  COLORREF popupBackColor_ = 0;
  COLORREF popupCustomTextColor_ = 0;
  COLORREF popupCustomBackColor_ = 0;
  bool popupCustomColors_ = false;
  std::string popupTextFont_;
  std::string popupTextSize_;
  bool popupTextBold_ = false;
  bool popupTextItalic_ = false;
  bool popupTextUnderline_ = false;

  bool installed_ = false;
  std::string hhVersion_;
  std::string ieVersion_;
  std::string hhFriendlyName_;
  std::string ieFriendlyName_;
};
