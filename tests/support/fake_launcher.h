#pragma once
// Records what would be started instead of starting it:
//
//   FakeLauncher launcher;
//   platform::Override<platform::Launcher> useLauncher(launcher);
//   ... a click on a link ...
//   EXPECT_EQ(launcher.opened[0].file, "control.exe");
#include <windows.h>

#include <string>
#include <vector>

#include "platform/launcher.h"

class FakeLauncher : public platform::Launcher {
 public:
  struct Opened {
    std::string file;
    std::string parameters;
    bool nativeSystemFolders = false;
  };
  std::vector<Opened> opened;
  DWORD error = 0;  // 0: everything starts; otherwise nothing does, with this error

  platform::LaunchResult Open(const std::string& file, const std::string& parameters,
                              bool nativeSystemFolders) override {
    opened.push_back({file, parameters, nativeSystemFolders});
    return {error == 0, error};
  }
};
