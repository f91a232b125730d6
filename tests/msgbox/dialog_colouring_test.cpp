// The coloured dialogs, against real windows: a real message box shown through MsgBox, and
// "#32770" windows created directly where no modal loop is needed.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

#include "shell/ProgramState.h"
#include "shell/ColouredMessageBox.h"

namespace {

struct Colours {
  COLORREF text, back, editText, editBack;
};

struct ColourMessage {
  UINT message;
  const char* name;
};

constexpr ColourMessage kColourMessages[] = {
    {0x131, "0x131"},
    {WM_CTLCOLORMSGBOX, "WM_CTLCOLORMSGBOX"},
    {WM_CTLCOLOREDIT, "WM_CTLCOLOREDIT"},
    {WM_CTLCOLORLISTBOX, "WM_CTLCOLORLISTBOX"},
    {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
    {WM_CTLCOLORDLG, "WM_CTLCOLORDLG"},
    {WM_CTLCOLORSCROLLBAR, "WM_CTLCOLORSCROLLBAR"},
    {WM_CTLCOLORSTATIC, "WM_CTLCOLORSTATIC"},
};

bool IsLiveBrush(HBRUSH brush) { return GetObjectType(brush) == OBJ_BRUSH; }

bool IsColoured(HWND window) {
  return GetPropA(window, "OrigWindowProc") != nullptr &&
         GetWindowLongA(window, GWL_WNDPROC) == reinterpret_cast<LONG>(&DialogWndProc);
}

// Sends every colour message to the dialog with a memory DC and checks the brush and the
// text colour it answers with. Returns the brushes seen.
std::set<HBRUSH> ExpectColoured(HWND dialog, const Colours& colours) {
  std::set<HBRUSH> brushes;
  HWND control = GetWindow(dialog, GW_CHILD);
  for (const auto& c : kColourMessages) {
    SCOPED_TRACE(c.name);
    bool edit = c.message == WM_CTLCOLOREDIT;
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(
        dialog, c.message, reinterpret_cast<WPARAM>(dc),
        reinterpret_cast<LPARAM>(control ? control : dialog)));
    LOGBRUSH logBrush{};
    EXPECT_EQ(GetObjectA(brush, sizeof logBrush, &logBrush), static_cast<int>(sizeof logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logBrush.lbColor, edit ? colours.editBack : colours.back);
    EXPECT_EQ(GetTextColor(dc), edit ? colours.editText : colours.text);
    DeleteDC(dc);
    brushes.insert(brush);
  }
  return brushes;
}

BOOL CALLBACK KeepDialog(HWND window, LPARAM found) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string(name) != "#32770") return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

HWND FindDialogOfThisThread() {
  HWND found = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), KeepDialog, reinterpret_cast<LPARAM>(&found));
  return found;
}

// Runs `inspect` on the dialog that `show` puts up, from inside the dialog's own modal
// loop (a thread timer is dispatched only once that loop runs), then presses OK.
std::function<void(HWND)> inspectBox;
bool boxInspected = false;

void CALLBACK InspectAndCloseBox(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND box = FindDialogOfThisThread();
  if (!box) return;
  boxInspected = true;
  inspectBox(box);
  PostMessageA(box, WM_COMMAND, IDOK, 0);
}

int ShowAndInspect(const std::function<int()>& show, std::function<void(HWND)> inspect) {
  inspectBox = std::move(inspect);
  boxInspected = false;
  SetTimer(nullptr, 0, 0, InspectAndCloseBox);
  int result = show();
  EXPECT_TRUE(boxInspected) << "no dialog window was found while the box was up";
  return result;
}

class DialogColouring : public testing::Test {
 protected:
  void SetUp() override {
    savedShade_[0] = MsgBoxShadeR;
    savedShade_[1] = MsgBoxShadeG;
    savedShade_[2] = MsgBoxShadeB;
    MsgBoxShadeR = 255;
    MsgBoxShadeG = 250;
    MsgBoxShadeB = 240;
  }

  void TearDown() override {
    for (HWND window : windows_) {
      if (IsWindow(window)) DestroyWindow(window);
    }
    EXPECT_FALSE(DialogColoringArmed()) << "the test left the colouring armed";
    DisarmDialogColoring();
    MsgBoxShadeR = savedShade_[0];
    MsgBoxShadeG = savedShade_[1];
    MsgBoxShadeB = savedShade_[2];
  }

  HWND CreateWindowOfClass(const char* className) {
    HWND window = CreateWindowExA(0, className, "probe", WS_POPUP, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_NE(window, nullptr);
    windows_.push_back(window);
    return window;
  }
  HWND CreateDialogWindow() { return CreateWindowOfClass("#32770"); }

  static constexpr Colours kFirst{RGB(10, 20, 30), RGB(200, 210, 220), RGB(40, 50, 60),
                                  RGB(230, 240, 250)};
  static constexpr Colours kSecond{RGB(0, 0, 128), RGB(255, 250, 240), RGB(128, 0, 0),
                                   RGB(250, 250, 210)};

 private:
  int16_t savedShade_[3] = {};
  std::vector<HWND> windows_;
};

TEST_F(DialogColouring, MessageBoxIsDrawnInTheShadeAndCleansUpWhenClosed) {
  const Colours shade{RGB(0, 0, 0), RGB(255, 250, 240), RGB(0, 0, 0), RGB(255, 250, 240)};
  std::set<HBRUSH> brushes;
  std::string title;
  bool armedWhileUp = false;

  int result = ShowAndInspect([] { return MsgBox("Registry saved.", MB_OK); },
                              [&](HWND box) {
                                armedWhileUp = DialogColoringArmed();
                                EXPECT_TRUE(IsColoured(box));
                                char text[64] = {};
                                GetWindowTextA(box, text, sizeof text);
                                title = text;
                                brushes = ExpectColoured(box, shade);
                              });

  EXPECT_EQ(result, IDOK);
  EXPECT_EQ(title, kAppTitle);
  EXPECT_TRUE(armedWhileUp);
  EXPECT_FALSE(DialogColoringArmed());
  ASSERT_EQ(brushes.size(), 2u) << "one background brush and one edit brush";
  for (HBRUSH brush : brushes) EXPECT_FALSE(IsLiveBrush(brush));
}

TEST_F(DialogColouring, SecondArmingReplacesTheColoursWithoutASecondHook) {
  ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
  ColorNextDialog(kSecond.text, kSecond.back, kSecond.editText, kSecond.editBack);

  HWND dialog = CreateDialogWindow();
  ASSERT_TRUE(IsColoured(dialog));
  ExpectColoured(dialog, kSecond);
  DestroyWindow(dialog);
  EXPECT_FALSE(DialogColoringArmed());

  // A hook left over from the first arming would colour this one.
  EXPECT_FALSE(IsColoured(CreateDialogWindow()));
}

TEST_F(DialogColouring, OtherWindowsLeaveTheArmingInPlace) {
  WNDCLASSA own{};
  own.lpfnWndProc = DefWindowProcA;
  own.hInstance = GetModuleHandleA(nullptr);
  own.lpszClassName = "QuenvorColouringProbe";
  RegisterClassA(&own);

  ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
  HWND form = CreateWindowOfClass(own.lpszClassName);
  EXPECT_FALSE(IsColoured(form));
  EXPECT_NE(GetWindowLongA(form, GWL_WNDPROC), reinterpret_cast<LONG>(&DialogWndProc));
  DestroyWindow(form);
  EXPECT_TRUE(DialogColoringArmed());

  // The arming still serves the next dialog.
  HWND dialog = CreateDialogWindow();
  EXPECT_TRUE(IsColoured(dialog));
  DestroyWindow(dialog);
  EXPECT_FALSE(DialogColoringArmed());
}

TEST_F(DialogColouring, DialogOpenedWhileOneIsColouredKeepsSystemColours) {
  for (bool firstClosesFirst : {false, true}) {
    SCOPED_TRACE(firstClosesFirst ? "first dialog closes first" : "second dialog closes first");
    ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
    HWND first = CreateDialogWindow();
    ASSERT_TRUE(IsColoured(first));
    std::set<HBRUSH> brushes = ExpectColoured(first, kFirst);

    // The caller arms again and opens another dialog on top.
    ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
    HWND second = CreateDialogWindow();
    EXPECT_FALSE(IsColoured(second));

    if (!firstClosesFirst) {
      DestroyWindow(second);
      EXPECT_TRUE(DialogColoringArmed());
      for (HBRUSH brush : brushes) EXPECT_TRUE(IsLiveBrush(brush));
      EXPECT_EQ(ExpectColoured(first, kFirst), brushes);
    }
    DestroyWindow(first);
    EXPECT_FALSE(DialogColoringArmed());
    for (HBRUSH brush : brushes) EXPECT_FALSE(IsLiveBrush(brush));
    if (firstClosesFirst) DestroyWindow(second);
    EXPECT_FALSE(DialogColoringArmed());
  }
}

TEST_F(DialogColouring, DisarmCancelsOnlyAnArmingNoDialogHasUsed) {
  ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
  DisarmDialogColoring();
  EXPECT_FALSE(DialogColoringArmed());
  EXPECT_FALSE(IsColoured(CreateDialogWindow()));

  ColorNextDialog(kFirst.text, kFirst.back, kFirst.editText, kFirst.editBack);
  HWND dialog = CreateDialogWindow();
  DisarmDialogColoring();
  EXPECT_TRUE(DialogColoringArmed());
  std::set<HBRUSH> brushes = ExpectColoured(dialog, kFirst);
  for (HBRUSH brush : brushes) EXPECT_TRUE(IsLiveBrush(brush));

  DestroyWindow(dialog);
  EXPECT_FALSE(DialogColoringArmed());
  for (HBRUSH brush : brushes) EXPECT_FALSE(IsLiveBrush(brush));
}

}  // namespace
