#pragma once
// Wine's recycle bin, seen from the Windows side: the XDG trash of $XDG_DATA_HOME (which
// the scripts point into the prefix), reached through Wine's own kernel32 exports for Unix
// paths. Everything here gives "" (or does nothing) when not running under Wine.
#include <string>

// Whether Wine's Unix-path exports are there.
bool RunningUnderWine();
// The Unix path of a Windows path ("" when it has none).
std::string UnixPathOf(const std::wstring& dosPath);
// The Windows path of a Unix path ("" when it has none).
std::wstring DosPathOf(const std::string& unixPath);
// Where a file recycled under this name lies: $XDG_DATA_HOME/Trash/files/<name>, as a
// Windows path.
std::wstring TrashedFile(const std::wstring& name);
// Removes the recycled file of that name and its .trashinfo record, so that a later
// recycling of the same name lands under the name itself again.
void ForgetTrashed(const std::wstring& name);
