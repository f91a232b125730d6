#include "shell/WindowFinder.h"

HWND FindWindowByTitle(const std::string& title) { return FindWindowA(nullptr, title.c_str()); }
