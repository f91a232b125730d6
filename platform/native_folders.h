#pragma once
// The file-system redirection of a 32-bit program on 64-bit Windows switched off for a
// scope, for the calling thread: the Windows folder's System32 is then the native one, not
// SysWOW64. Keep the scope to the calls that need it (loading a library inside it would
// load the native one).
#include <windows.h>

namespace platform {

class NativeSystemFolders {
 public:
  // `off` false (32-bit Windows) changes nothing.
  explicit NativeSystemFolders(bool off) : off_(off && Wow64DisableWow64FsRedirection(&saved_)) {}
  ~NativeSystemFolders() {
    if (off_) Wow64RevertWow64FsRedirection(saved_);
  }
  NativeSystemFolders(const NativeSystemFolders&) = delete;
  NativeSystemFolders& operator=(const NativeSystemFolders&) = delete;

 private:
  PVOID saved_ = nullptr;
  bool off_;
};

}  // namespace platform
