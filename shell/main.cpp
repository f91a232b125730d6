#include <windows.h>

#include "shell/RegistryDeclares.h"
#include "ui/form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Main();
  return ui::RunMessageLoop();
}
