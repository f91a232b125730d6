#pragma once
// Coloured message boxes. The standard message box offers no colours, so the next system
// dialog window ("#32770") that the user-interface thread creates is coloured instead:
// ColorNextDialog arms a thread hook, the hook subclasses the dialog when it is created and
// removes itself, the subclass and the brushes when that dialog is destroyed.
//
// One dialog is coloured at a time. A further "#32770" window created while one is being
// coloured is left in the system's colours: the brushes belong to the first dialog and are
// deleted only when it goes, so no window can be left drawing with a deleted brush.
// (The module was called modDialogs.)
#include <windows.h>

#include <string>

#include "shell/ProgramState.h"

// Arms the colouring of the next dialog window of this thread: text and background of the
// dialog and its controls, and text and background of its edit controls. Arming again
// before the dialog appears (or while it is up) only replaces the colours.
void ColorNextDialog(COLORREF text, COLORREF back, COLORREF editText, COLORREF editBack);

LRESULT CALLBACK DialogHookProc(int code, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK DialogWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Shows a message box in the program's colours (black on MsgBoxShade) and returns the
// button pressed. Every message box of the program goes through here. The box is modal to
// the program: without an owner it belongs to the active form (task-modal when none is
// active), and the program's other forms stay disabled until it closes.
int MsgBox(const std::string& text, UINT style, const std::string& title = kAppTitle,
           HWND owner = nullptr);

// True while the hook is installed: armed, or colouring a dialog.
bool DialogColoringArmed();

// Cancels an arming that no dialog has used yet (a stand-in dialog that shows no window
// calls it). A dialog being coloured keeps its colours, and the hook goes when it closes.
void DisarmDialogColoring();
