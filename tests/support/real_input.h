#pragma once
// A user's own input: mouse clicks injected with SendInput (they reach whatever window is
// under the pointer, as a real click does, disabled windows included), and real message
// boxes answered from inside their own modal loops.
#include <windows.h>

#include <deque>
#include <functional>
#include <set>
#include <thread>

#include "platform/dialogs.h"
#include "platform/seam.h"

// Presses and releases the left button at a screen point, then lets the thread handle the
// input. Returns false when the input could not be injected.
//
// The press and the release each carry the point. A program that drives ours, from this
// process or another, clicks the same way, never with SetCursorPos and then a press without
// a position: under Wine's virtual desktop SetCursorPos grabs and warps the display's
// pointer, and the desktop process turns the grab's crossing event, which still holds the
// point from before the warp, into a move back there. A press sent before the next move
// lands where the previous click was: a quarter to a third of the clicks between two windows
// were lost that way, on bare windows as on ours, and none with their own point.
bool ClickAt(POINT screen);
// Presses and releases a key (a virtual-key code) as the keyboard does, to the window that
// has the keyboard focus, then lets the thread handle the input. Returns false when the
// input could not be injected.
bool PressKey(WORD key);
// The centre of a window, in screen coordinates.
POINT CentreOf(HWND window);
// A point on the window's close box (found by asking the window what lies under points of
// its caption); {-1, -1} when it has none.
POINT CloseBoxOf(HWND window);

// A window of another program (its own thread), for the user to switch to.
class OtherProgramWindow {
 public:
  explicit OtherProgramWindow(RECT place = {40, 400, 340, 550});
  ~OtherProgramWindow();
  OtherProgramWindow(const OtherProgramWindow&) = delete;
  OtherProgramWindow& operator=(const OtherProgramWindow&) = delete;

  HWND Window() const { return window_; }
  // Makes it the foreground window, as the user's click on it would.
  void ComeToFront();

 private:
  std::thread thread_;
  HWND window_ = nullptr;
  DWORD threadId_ = 0;
};

// Shows the real message boxes (whatever seam the test installed) and answers each in turn:
// `whileUp` runs with the box's window while the box is up, inside its modal loop, then the
// box's `button` is pressed. A box the script has no answer for is left to the test's
// timeout; answers left over when the script goes fail the test.
//
//   RealMessageBoxes boxes;
//   boxes.Answer(IDYES, [&](HWND box) { EXPECT_FALSE(IsWindowEnabled(page)); });
//   page.Command1_Click();
class RealMessageBoxes {
 public:
  RealMessageBoxes();
  ~RealMessageBoxes();
  RealMessageBoxes(const RealMessageBoxes&) = delete;
  RealMessageBoxes& operator=(const RealMessageBoxes&) = delete;

  void Answer(int button, std::function<void(HWND box)> whileUp = {});
  int Answered() const { return answered_; }

 private:
  struct Step {
    int button;
    std::function<void(HWND)> whileUp;
  };
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  void AnswerShownBox();

  platform::Override<platform::Dialogs> real_{platform::Dialogs::Real()};
  std::deque<Step> steps_;
  std::set<HWND> handled_;
  UINT_PTR timer_ = 0;
  bool busy_ = false;
  int answered_ = 0;
};
