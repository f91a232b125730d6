#include <windows.h>

#include "shell/ProgramState.h"
#include "ui/form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Main();
  return ui::RunMessageLoop();
}
