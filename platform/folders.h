#pragma once
// Folders named by the environment (TEMP, USERPROFILE ...), and files looked for by name.
#include <optional>
#include <string>

namespace platform {

// The folder that the environment variable names, when it is an existing folder on a
// drive letter ("C:\Users\x\Temp", without a trailing backslash unless it is a drive's
// root); nothing when the variable is unset or empty, or names a network or host path
// ("\\server\share", "\\?\unix\tmp"), a file, or nothing that exists. A path built on
// such a folder can never land in the root of the current drive or outside the drives.
std::optional<std::string> FolderOnDriveFromEnvironment(const char* variable);

// True when a directory search for the path finds a file with normal attributes: a hidden
// or system file, a folder, or nothing at all gives false.
bool FoundWithNormalAttributes(const std::string& path);

}  // namespace platform
