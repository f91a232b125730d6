// wait_for_window <caption> <seconds>: waits until a visible top-level window whose caption
// begins with <caption> is on the screen and painted, for at most <seconds> (scripts/run,
// before it takes its screenshot). Exit code 0 when it is, 1 when the time ran out.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
  std::string caption;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char caption[256] = {};
  if (!IsWindowVisible(window) || !GetWindowTextA(window, caption, sizeof caption)) return TRUE;
  if (std::string(caption).compare(0, search->caption.size(), search->caption) != 0) return TRUE;
  search->found = window;
  return FALSE;
}

BOOL CALLBACK VisitChild(HWND child, LPARAM param) {
  if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
  *reinterpret_cast<bool*>(param) = false;
  return FALSE;
}

// Nothing of the window or its controls waits to be painted.
bool Painted(HWND window) {
  if (GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(window, VisitChild, reinterpret_cast<LPARAM>(&painted));
  return painted;
}

// True once the window's thread has handled a message: it is running its message loop,
// which also puts what it painted on the screen before it waits for the next message.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: wait_for_window <caption> <seconds>\n");
    return 2;
  }
  const std::string caption = argv[1];
  const ULONGLONG limit = std::strtoull(argv[2], nullptr, 10) * 1000;
  const ULONGLONG start = GetTickCount64();
  do {
    Search search{caption};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    if (search.found && Answers(search.found) && Painted(search.found) && Answers(search.found)) {
      char shown[256] = {};
      GetWindowTextA(search.found, shown, sizeof shown);
      std::printf("On the screen after %llu s: \"%s\"\n", (GetTickCount64() - start) / 1000, shown);
      return 0;
    }
    Sleep(100);  // polling, until the limit
  } while (GetTickCount64() - start < limit);
  std::fprintf(stderr, "No window \"%s...\" on the screen within %s s\n", caption.c_str(), argv[2]);
  return 1;
}
