#pragma once
// Program-wide state, the entry routine and the shared utility procedures.
// (The module was called RegistryDeclares.)
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// Registry access masks: KEY_QUERY_VALUE / KEY_SET_VALUE, with KEY_WOW64_64KEY on 64-bit
// Windows (0x101 / 0x102, else 1 / 2). Every registry open of the program uses one of them
// unless a page names another.
inline REGSAM RegReadAccess = 0;
inline REGSAM RegWriteAccess = 0;

// Background colour of every coloured message box.
inline int16_t MsgBoxShadeR = 0;
inline int16_t MsgBoxShadeG = 0;
inline int16_t MsgBoxShadeB = 0;
inline COLORREF MsgBoxShade() { return RGB(MsgBoxShadeR, MsgBoxShadeG, MsgBoxShadeB); }

inline bool RestartNeeded = false;         // a change takes effect after a restart
inline bool AutoTuneMode = false;          // the Auto Tuner is running
inline bool ShowMainAfterRestore = false;  // the restore-point page shows the main window on unload
inline int16_t IEMajorVersion = 0;         // first digit of Internet Explorer's "Version"
inline bool SoundsDisabled = false;        // the click sounds are off
inline bool ProgramEnding = false;         // the main window has closed: pages no longer return to it

// What the operations of an Auto Tuner run could not do. An operation that leaves out its
// messages while AutoTuneMode is set hands over, instead of its failure message, the text
// that message would have shown; the Auto Tuner names them all at the end of its run in
// place of its "finished" message. Nothing is kept outside a run.
void ReportAutoTuneFailure(const std::string& message);
// The texts handed over since the last call, oldest first; the list is empty afterwards.
std::vector<std::string> TakeAutoTuneFailures();

// The settings keys (HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER).
inline constexpr const char* kSettingsKey = "Software\\Dallmoor Software\\Quenvor";
inline constexpr const char* kAppTitle = "Quenvor Pro";

// The program's entry: masks, message-box colour, common controls, password gate.
void Main();

// "Quenvor Pro 2.0": the product name, then the major and minor number of the file version
// in the program's own version resource ("Quenvor Pro 0.0" when it cannot be read). The
// main window's caption and the about box both show it.
std::string ProductNameWithVersion();

// Shared utility procedures. None shows a window of its own or reports an error: a failing
// system call gives the result named at each.

// True from Windows XP (5.1) on. The version is compared as text (" 6.1" against " 5.1"),
// so a reported 10.0 compares lower and gives False; the manifest makes later Windows
// report 6.2. False when the version cannot be read.
bool IsWindowsXPOrLater();
// True on 64-bit Windows (native x64 or Itanium), also for this 32-bit process. False
// before Windows XP.
bool Is64BitWindows();
// True when the screen has exactly 96 pixels per logical inch.
bool IsNormalDpi();
// The 8 bytes at `address` as one little-endian signed 64-bit integer (the address need
// not be aligned). Callers divide it themselves, e.g. by 1024 twice for megabytes.
int64_t LargeIntToCurrency(const void* address);
// Runs the command line and waits for it (see platform::RunAndWait): its exit code, or -1
// when it cannot be started.
int32_t RunAndWait(const std::string& commandLine);
// True when the file name (up to its first NUL) matches one of the ";"-separated wildcard
// patterns, without regard to case.
bool MatchesSpec(const std::string& fileName, const std::string& patterns);
// Deletes the path for good through the shell (not to the recycle bin), with the shell's
// error windows suppressed; without `noConfirmation` the shell asks first, coloured like the
// program's message boxes. True only when the deletion was carried out: a failure or a
// declined confirmation gives False.
bool DeleteFileShell(const std::string& path, bool noConfirmation);
// The path with a "\" at its end ("C:" and "C:\" both give "C:\"; "" gives "\").
std::string AddBackslash(const std::string& path);
// The text up to, not including, its first NUL character.
std::string TrimAtNull(const std::string& text);
// OleTranslateColor of an OLE colour (0x80000000 + a system colour index, or an RGB value)
// with an optional palette: the RGB colour, or -1 when the colour cannot be translated.
int32_t TranslateSystemColor(uint32_t oleColour, HPALETTE palette);
