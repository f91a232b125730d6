#include "shell/ProgramState.h"

#include <commctrl.h>
#include <olectl.h>

#include <cstring>
#include <utility>

#include "platform/process.h"
#include "platform/shell_ops.h"
#include "platform/system_facts.h"
#include "platform/registry.h"
#include "shell/passwords/frmLogin.h"
#include "shell/frmmain.h"
#include "shell/ColouredMessageBox.h"

namespace {

static_assert(sizeof(OSVERSIONINFOA) == 148);

// A number as text with the leading blank that positive numbers carry: " 6".
std::string NumberWithSign(DWORD number) { return " " + std::to_string(number); }

std::vector<std::string>& AutoTuneFailures() {
  static std::vector<std::string> failures;
  return failures;
}

}  // namespace

void ReportAutoTuneFailure(const std::string& message) {
  if (AutoTuneMode) AutoTuneFailures().push_back(message);
}

std::vector<std::string> TakeAutoTuneFailures() { return std::exchange(AutoTuneFailures(), {}); }

bool IsWindowsXPOrLater() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof(info);
  if (!platform::systemFacts().Version(&info)) info.dwMajorVersion = info.dwMinorVersion = 0;
  // Major with its blank, a point, minor without it; the reference is 5.1 built alike.
  std::string version =
      NumberWithSign(info.dwMajorVersion) + "." + std::to_string(info.dwMinorVersion);
  std::string reference = NumberWithSign(5) + "." + std::to_string(1);
  return version >= reference;
}

bool Is64BitWindows() {
  if (!IsWindowsXPOrLater()) return false;  // no GetNativeSystemInfo before XP
  WORD architecture = platform::systemFacts().NativeArchitecture();
  return architecture == PROCESSOR_ARCHITECTURE_AMD64 ||
         architecture == PROCESSOR_ARCHITECTURE_IA64;
}

bool IsNormalDpi() { return platform::systemFacts().LogPixelsX() == 96; }

int64_t LargeIntToCurrency(const void* address) {
  int64_t value = 0;
  std::memcpy(&value, address, sizeof(value));
  return value;
}

int32_t RunAndWait(const std::string& commandLine) { return platform::RunAndWait(commandLine); }

bool MatchesSpec(const std::string& fileName, const std::string& patterns) {
  return platform::PathMatchesSpec(fileName, patterns);
}

bool DeleteFileShell(const std::string& path, bool noConfirmation) {
  // A confirmation or progress window of the shell looks like the program's message boxes.
  ColorNextDialog(RGB(0, 0, 0), MsgBoxShade(), RGB(0, 0, 0), MsgBoxShade());
  FILEOP_FLAGS flags = FOF_NOERRORUI | (noConfirmation ? FOF_NOCONFIRMATION : 0);
  // The shell reports success when the user declines its question; that is no deletion.
  return platform::ShellDelete(path, flags, nullptr).Succeeded();
}

std::string AddBackslash(const std::string& path) {
  if (!path.empty() && path.back() == '\\') return path;
  return path + "\\";
}

std::string TrimAtNull(const std::string& text) { return text.substr(0, text.find('\0')); }

int32_t TranslateSystemColor(uint32_t oleColour, HPALETTE palette) {
  COLORREF colour = 0;
  if (FAILED(OleTranslateColor(oleColour, palette, &colour))) return -1;
  return static_cast<int32_t>(colour);
}

std::string ProductNameWithVersion() {
  int major = 0, minor = 0;
  HRSRC found = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), RT_VERSION);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (bytes) {
    // VerQueryValue may write into the block: it works on a copy.
    std::string block(static_cast<const char*>(bytes), SizeofResource(nullptr, found));
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &length) && info &&
        length >= sizeof(VS_FIXEDFILEINFO)) {
      major = HIWORD(info->dwFileVersionMS);
      minor = LOWORD(info->dwFileVersionMS);
    }
  }
  return std::string(kAppTitle) + " " + std::to_string(major) + "." + std::to_string(minor);
}

void Main() {
  if (Is64BitWindows()) {
    RegReadAccess = KEY_QUERY_VALUE | KEY_WOW64_64KEY;
    RegWriteAccess = KEY_SET_VALUE | KEY_WOW64_64KEY;
  } else {
    RegReadAccess = KEY_QUERY_VALUE;
    RegWriteAccess = KEY_SET_VALUE;
  }
  // The window background colour; a failed translation (-1) gives white.
  const uint32_t c = static_cast<uint32_t>(TranslateSystemColor(0x80000005, nullptr));
  MsgBoxShadeR = static_cast<int16_t>(c & 0xFF);
  MsgBoxShadeG = static_cast<int16_t>((c / 256) & 0xFF);
  MsgBoxShadeB = static_cast<int16_t>((c / 65536) & 0xFF);
  InitCommonControls();
  DWORD passwordSet;
  {
    platform::RegKey key(HKEY_LOCAL_MACHINE, kSettingsKey, RegReadAccess);
    passwordSet = key.ReadDword("Password Set", 0);
  }
  if (passwordSet == 1) {
    frmLogin->Show();
  } else {
    frmmain->Show();
  }
}
