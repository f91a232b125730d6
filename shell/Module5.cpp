#include "shell/Module5.h"

HWND FindWindowByTitle(const std::string& title) { return FindWindowA(nullptr, title.c_str()); }
