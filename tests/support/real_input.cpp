#include "real_input.h"

#include <gtest/gtest.h>

#include <string>

#include "ui/form.h"

bool ClickAt(POINT screen) {
  // Each event carries its own position, so that no pointer motion still on its way (the
  // display's answer to an earlier move) can put the press or the release elsewhere.
  const int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  INPUT input[2]{};
  for (INPUT& event : input) {
    event.type = INPUT_MOUSE;
    event.mi.dx = MulDiv(screen.x, 65535, width - 1);
    event.mi.dy = MulDiv(screen.y, 65535, height - 1);
  }
  input[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_LEFTUP;
  bool sent = SendInput(2, input, sizeof(INPUT)) == 2;
  ui::DoEvents();
  return sent;
}

bool PressKey(WORD key) {
  INPUT input[2]{};
  for (INPUT& event : input) {
    event.type = INPUT_KEYBOARD;
    event.ki.wVk = key;
    event.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
  }
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  bool sent = SendInput(2, input, sizeof(INPUT)) == 2;
  ui::DoEvents();
  return sent;
}

POINT CentreOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT CloseBoxOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const int y = r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2;
  for (int x = r.right - 1; x > r.left; --x) {
    LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(x, y));
    if (hit == HTCLOSE) return {x - GetSystemMetrics(SM_CXSIZE) / 4, y};
  }
  return {-1, -1};
}

OtherProgramWindow::OtherProgramWindow(RECT place) {
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  thread_ = std::thread([this, ready, place] {
    window_ = CreateWindowExA(0, "STATIC", "Other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                              place.left, place.top, place.right - place.left,
                              place.bottom - place.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
    threadId_ = GetCurrentThreadId();
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
    DestroyWindow(window_);
  });
  WaitForSingleObject(ready, INFINITE);
  CloseHandle(ready);
}

OtherProgramWindow::~OtherProgramWindow() {
  PostThreadMessageA(threadId_, WM_QUIT, 0, 0);
  thread_.join();
  ui::DoEvents();
}

void OtherProgramWindow::ComeToFront() {
  SetForegroundWindow(window_);
  ui::DoEvents();
}

namespace {

RealMessageBoxes* running = nullptr;

struct Search {
  const std::set<HWND>* handled;
  HWND found = nullptr;
};

// A message box of this thread that is up and not answered yet.
BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char name[16]{};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770" || !IsWindowVisible(window) || search->handled->count(window))
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

RealMessageBoxes::RealMessageBoxes() {
  running = this;
  // A thread timer runs in whichever modal loop the thread is in, the box's own included.
  timer_ = SetTimer(nullptr, 0, 10, &Tick);
}

RealMessageBoxes::~RealMessageBoxes() {
  KillTimer(nullptr, timer_);
  running = nullptr;
  if (!steps_.empty())
    ADD_FAILURE() << steps_.size() << " message box(es) the test expected were not shown";
}

void RealMessageBoxes::Answer(int button, std::function<void(HWND)> whileUp) {
  steps_.push_back({button, std::move(whileUp)});
}

void CALLBACK RealMessageBoxes::Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (running) running->AnswerShownBox();
}

void RealMessageBoxes::AnswerShownBox() {
  if (busy_ || steps_.empty()) return;
  std::erase_if(handled_, [](HWND box) { return !IsWindow(box); });
  Search search{&handled_};
  EnumThreadWindows(GetCurrentThreadId(), &FindBox, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return;
  busy_ = true;
  Step step = std::move(steps_.front());
  steps_.pop_front();
  handled_.insert(search.found);
  if (step.whileUp) step.whileUp(search.found);
  PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(step.button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(search.found, step.button)));
  ++answered_;
  busy_ = false;
}
