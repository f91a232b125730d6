// TEMPORARY: a do-nothing ColorNextDialog so that this branch links until the real
// colouring module arrives. Delete this file when that module is merged.
#include "shell/modDialogs.h"

void ColorNextDialog(COLORREF, COLORREF, COLORREF, COLORREF) {}
