// The real implementations behind the seams.
#include <windows.h>
#include <commdlg.h>
#include <mmsystem.h>
#include <shellapi.h>

#include <vector>

#include "platform/dialogs.h"
#include "platform/modal_to_program.h"
#include "platform/sound.h"
#include "platform/system_facts.h"

namespace platform {
namespace {

class RealDialogs final : public Dialogs {
 public:
  int MessageBox(HWND owner, const std::string& text, const std::string& title,
                 UINT style) override {
    // Without an owner the box is task-modal: the system disables every window of the
    // thread.
    ModalToProgram modal(owner);
    if (!modal.Owner() && (style & MB_MODEMASK) == MB_APPLMODAL) style |= MB_TASKMODAL;
    return ::MessageBoxA(modal.Owner(), text.c_str(), title.c_str(), style);
  }

  int RestartDialog(HWND owner, const std::string& prompt, DWORD flags) override {
    using Fn = int(WINAPI*)(HWND, LPCWSTR, DWORD);
    HMODULE shell = GetModuleHandleA("shell32.dll");
    if (!shell) shell = LoadLibraryA("shell32.dll");
    auto fn = shell ? reinterpret_cast<Fn>(GetProcAddress(shell, MAKEINTRESOURCEA(59))) : nullptr;
    if (!fn) return 0;
    std::wstring wide;
    if (!prompt.empty()) {
      int n = MultiByteToWideChar(CP_ACP, 0, prompt.c_str(), -1, nullptr, 0);
      wide.resize(n);
      MultiByteToWideChar(CP_ACP, 0, prompt.c_str(), -1, wide.data(), n);
    }
    return fn(owner, prompt.empty() ? nullptr : wide.c_str(), flags);
  }

  bool OpenFile(OpenFileRequest& request) override {
    std::vector<char> filter(request.filter.begin(), request.filter.end());
    for (char& c : filter) if (c == '|') c = '\0';
    filter.push_back('\0');
    filter.push_back('\0');
    std::vector<char> file(32768, '\0');
    request.fileName.copy(file.data(), file.size() - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = request.owner;
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.data();
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    ofn.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    ofn.Flags = request.flags;
    if (!GetOpenFileNameA(&ofn)) return false;
    request.fileName = file.data();
    return true;
  }

  LPITEMIDLIST BrowseForFolder(BROWSEINFOA& info) override { return SHBrowseForFolderA(&info); }
};

class RealSystemFacts final : public SystemFacts {
 public:
  int ScreenWidth() override { return GetSystemMetrics(SM_CXSCREEN); }
  int ScreenHeight() override { return GetSystemMetrics(SM_CYSCREEN); }
  int LogPixelsX() override {
    HWND desktop = GetDesktopWindow();
    HDC dc = GetDC(desktop);
    if (!dc) return 0;
    int dpi = GetDeviceCaps(dc, LOGPIXELSX);
    ReleaseDC(desktop, dc);
    return dpi;
  }
  bool Version(OSVERSIONINFOA* info) override { return GetVersionExA(info) != 0; }
  WORD NativeArchitecture() override {
    SYSTEM_INFO si{};
    GetNativeSystemInfo(&si);
    return si.wProcessorArchitecture;
  }
  bool MemoryStatus(MEMORYSTATUSEX* status) override {
    return GlobalMemoryStatusEx(status) != 0;
  }
};

class RealSound final : public Sound {
 public:
  bool Play(const std::string& path, UINT flags) override {
    return sndPlaySoundA(path.c_str(), flags) != 0;
  }
};

class RealWebBrowser final : public WebBrowser {
 public:
  INT_PTR Open(const std::string& address) override {
    return reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  }
};

}  // namespace

Dialogs& Dialogs::Real() { static RealDialogs real; return real; }
SystemFacts& SystemFacts::Real() { static RealSystemFacts real; return real; }
Sound& Sound::Real() { static RealSound real; return real; }
WebBrowser& WebBrowser::Real() { static RealWebBrowser real; return real; }

double TwipsPerPixel() {
  int dpi = systemFacts().LogPixelsX();
  return dpi > 0 ? 1440.0 / dpi : 15.0;
}

}  // namespace platform
