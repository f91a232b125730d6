#pragma once
// Runs a system tool and tells the user how it went: the tool's own success message only
// when it ended with exit code 0, otherwise a message that names the command and what
// happened (not started, not finished in time, or its exit code).
//
//   RunHiddenCommandAndReport("netsh int tcp set global autotuninglevel=normal",
//                             LoadResString(622), MB_ICONINFORMATION);
#include <windows.h>

#include <string>

// The longest the tools started here are waited for; they are quick ones.
inline constexpr DWORD kCommandWaitMs = 30000;

// Runs the command line with its window hidden, waits for it (at most kCommandWaitMs), then
// shows `message` with `style` (OK button) when it exited with 0, or the failure message.
// The failure message keeps the style's modality and uses the exclamation icon. Both are
// titled with the application title.
void RunHiddenCommandAndReport(const std::string& commandLine, const std::string& message,
                               UINT style);

// The same with the tool's window shown as `showCommand` (SW_SHOWMINIMIZED ...).
void RunCommandAndReport(const std::string& commandLine, int showCommand,
                         const std::string& message, UINT style);

// Runs the command line with its window hidden and waits for it (at most kCommandWaitMs);
// true when it exited with 0. Otherwise shows the failure message as above, with the
// modality of `style`, and gives false. For a step of an action whose success the caller
// itself shows, or records.
bool RunHiddenCommandOrSayWhy(const std::string& commandLine, UINT style);
