#pragma once
// Finding a top-level window by its caption (the module was called Module5).
#include <windows.h>

#include <string>

// The first top-level window whose caption equals `title`; nullptr when there is none.
HWND FindWindowByTitle(const std::string& title);
