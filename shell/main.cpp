#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MessageBoxA(nullptr, "Quenvor Pro 2.0", "Quenvor Pro", MB_OK);
  return 0;
}
