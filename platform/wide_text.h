#pragma once
// Text between the program's ANSI code page and the system's wide characters.
#include <string>

namespace platform {

// Every ANSI text has a wide form.
std::wstring WideFromAnsi(const std::string& text);
// For display and messages only: characters the ANSI code page lacks become "?".
std::string AnsiFromWide(const std::wstring& text);

}  // namespace platform
