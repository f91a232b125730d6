#include "platform/launcher.h"

#include <shellapi.h>

#include "platform/com.h"
#include "platform/native_folders.h"

namespace platform {
namespace {

// The system error for one of ShellExecute's own result codes (32 or less).
DWORD ErrorOfShellResult(INT_PTR result) {
  switch (result) {
    case 0:
    case SE_ERR_OOM: return ERROR_NOT_ENOUGH_MEMORY;
    case SE_ERR_FNF: return ERROR_FILE_NOT_FOUND;
    case SE_ERR_PNF: return ERROR_PATH_NOT_FOUND;
    case SE_ERR_ACCESSDENIED: return ERROR_ACCESS_DENIED;
    case ERROR_BAD_FORMAT: return ERROR_BAD_FORMAT;
    case SE_ERR_SHARE: return ERROR_SHARING_VIOLATION;
    case SE_ERR_DLLNOTFOUND: return ERROR_DLL_NOT_FOUND;
    case SE_ERR_ASSOCINCOMPLETE:
    case SE_ERR_NOASSOC: return ERROR_NO_ASSOCIATION;
    case SE_ERR_DDETIMEOUT:
    case SE_ERR_DDEFAIL:
    case SE_ERR_DDEBUSY: return ERROR_DDE_FAIL;
  }
  return ERROR_GEN_FAILURE;
}

class RealLauncher final : public Launcher {
 public:
  LaunchResult Open(const std::string& file, const std::string& parameters,
                    bool nativeSystemFolders) override {
    EnsureCom();  // the shell may hand the file to a COM handler
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    // Started before the call returns, so that the redirection is back on only afterwards.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.nShow = SW_SHOWNORMAL;
    BOOL ok;
    DWORD error;
    {
      NativeSystemFolders native(nativeSystemFolders);
      SetLastError(0);
      ok = ShellExecuteExA(&info);
      error = GetLastError();
    }
    const INT_PTR result = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (ok && result > 32) return {true, 0};
    if (!ok && error != 0) return {false, error};
    return {false, ErrorOfShellResult(result)};
  }
};

}  // namespace

Launcher& Launcher::Real() {
  static RealLauncher real;
  return real;
}

}  // namespace platform
