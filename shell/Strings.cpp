#include "shell/Strings.h"

#include <windows.h>

std::string LoadResString(int id) {
  // LoadStringA copies at most the buffer; the longest entry is well under 4096 characters.
  char buffer[4096];
  int n = LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), buffer, sizeof buffer);
  return n > 0 ? std::string(buffer, n) : std::string();
}
