#pragma once
// Text between the program's ANSI code page and the system's wide characters, and text the
// system holds wide (environment variables) without a trip through the code page.
#include <string>

namespace platform {

// Every ANSI text has a wide form.
std::wstring WideFromAnsi(const std::string& text);
// For display and messages only: characters the ANSI code page lacks become "?".
std::string AnsiFromWide(const std::wstring& text);

// The value of an environment variable as the system holds it (wide), "" when unset.
std::wstring WideEnvironment(const wchar_t* name);

}  // namespace platform
