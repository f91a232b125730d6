#pragma once
// Closes the main window the way a user does, answering what it shows on closing (the
// restart dialog when a restart is needed, otherwise the "no changes" message).
void CloseMainWindow();
