#pragma once
// Shell file operations and wildcard matching.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace platform {

struct ShellDeleteResult {
  int code = 0;          // SHFileOperationA's result: 0 when it ran to its end
  bool aborted = false;  // the user declined or cancelled part of it
  bool Succeeded() const { return code == 0 && !aborted; }
};

// SHFileOperationA FO_DELETE of one path (the shell expands wildcards in its last
// component), with the given FOF_* flags. A window the shell opens meanwhile (its question
// whether to delete a file for good, an error) is owned by `owner`, or when that is null by
// the program's active window, and keeps the whole program disabled while it is up, as a
// message box does (see platform/modal_to_program.h).
ShellDeleteResult ShellDelete(const std::string& path, FILEOP_FLAGS flags, HWND owner);

// PathMatchSpecW: true when `name` matches one of the ";"-separated wildcard patterns
// ("*", "?"), without regard to case. `name` counts up to its first NUL. An empty pattern
// list matches nothing.
bool PathMatchesSpec(const std::string& name, const std::string& patterns);
// The same for a wide name and wide patterns (both up to their NUL): the text form above
// is this one on the wide forms of its name and patterns.
bool PathMatchesSpec(const wchar_t* name, const wchar_t* patterns);

}  // namespace platform
