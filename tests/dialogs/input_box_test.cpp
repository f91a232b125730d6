#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "shell/Strings.h"
#include "shell/frmInputBox.h"
#include "shell/frmprogress.h"
#include "support/real_input.h"

namespace {

std::function<void()> g_pending;

void CALLBACK RunPending(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto run = std::move(g_pending);
  run();
}

// Runs `action` once from inside the next modal loop of this thread.
void WhenModal(std::function<void()> action) {
  g_pending = std::move(action);
  SetTimer(nullptr, 0, 1, RunPending);
}

class InputBoxTest : public testing::Test {
 protected:
  void SetUp() override {
    box.Prompt = LoadResString(571);
    box.Title = LoadResString(704);
    box.Default = LoadResString(705);
    box.PasswordProtect = false;
  }
  void TearDown() override {
    box.Unload();
    ui::DoEvents();
  }
  void Click(int index) { SendMessageA(box.cmdButton[index].hWnd(), BM_CLICK, 0, 0); }
  FrmInputBox& box = *frmInputBox;
};

TEST_F(InputBoxTest, OkReturnsTheTextWithTheBoxHiddenButLoaded) {
  WhenModal([&] {
    EXPECT_EQ(box.Caption(), "Enter Description:");
    EXPECT_EQ(box.lblPrompt->Caption(), "Type a description for this item");
    EXPECT_EQ(box.txtInput->Text(), "Description");
    DWORD start = 0, end = 0;
    SendMessageA(box.txtInput->hWnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);  // all selected: typing replaces it
    EXPECT_EQ(end, 11u);
    EXPECT_EQ(GetFocus(), box.txtInput->hWnd());
    EXPECT_EQ(box.cmdButton[0].Caption(), "OK");
    EXPECT_EQ(box.cmdButton[1].Caption(), "Cancel");
    box.txtInput->SetText("My program");
    Click(0);
  });
  box.Display();
  EXPECT_EQ(box.ButtonClicked, 1);
  EXPECT_TRUE(box.Loaded());
  EXPECT_FALSE(IsWindowVisible(box.hWnd()));
  EXPECT_EQ(box.txtInput->Text(), "My program");
}

TEST_F(InputBoxTest, CancelKeepsWhatWasTyped) {
  WhenModal([&] {
    box.txtInput->SetText("typed");
    Click(1);
  });
  box.Display();
  EXPECT_EQ(box.ButtonClicked, 2);
  EXPECT_EQ(box.txtInput->Text(), "typed");
}

TEST_F(InputBoxTest, TheCloseBoxIsCancelAndEachShowingStartsUnanswered) {
  WhenModal([&] { Click(0); });
  box.Display();
  ASSERT_EQ(box.ButtonClicked, 1);
  WhenModal([&] {
    EXPECT_EQ(box.ButtonClicked, 0);
    box.txtInput->SetText("half typed");
    SendMessageA(box.hWnd(), WM_CLOSE, 0, 0);
  });
  box.Display();
  EXPECT_EQ(box.ButtonClicked, 2);
  EXPECT_TRUE(box.Loaded());
  EXPECT_EQ(box.txtInput->Text(), "half typed");
}

// The box is filled once per Display: coming back from another program keeps the text.
TEST_F(InputBoxTest, WhatWasTypedSurvivesAVisitToAnotherProgram) {
  WhenModal([&] {
    for (char c : std::string("My program")) SendMessageA(box.txtInput->hWnd(), WM_CHAR, c, 0);
    OtherProgramWindow other;
    other.ComeToFront();
    EXPECT_NE(GetActiveWindow(), box.hWnd());
    SetForegroundWindow(box.hWnd());
    ui::DoEvents();
    EXPECT_EQ(GetActiveWindow(), box.hWnd());
    EXPECT_EQ(box.txtInput->Text(), "My program");
    EXPECT_EQ(GetFocus(), box.txtInput->hWnd());
    Click(0);
  });
  box.Display();
  EXPECT_EQ(box.ButtonClicked, 1);
  EXPECT_EQ(box.txtInput->Text(), "My program");

  // The next Display starts from the default again.
  WhenModal([&] {
    EXPECT_EQ(box.txtInput->Text(), "Description");
    Click(1);
  });
  box.Display();
}

TEST_F(InputBoxTest, ALongPromptGrowsTheBoxByTheLabelsExtraHeight) {
  float shortHeight = 0, shortTop = 0;
  WhenModal([&] {
    shortHeight = box.Height();
    shortTop = box.txtInput->Top();
    Click(0);
  });
  box.Display();
  EXPECT_FLOAT_EQ(shortHeight, 2250);
  EXPECT_FLOAT_EQ(shortTop, 1360);

  box.Prompt.clear();
  for (int i = 0; i < 40; ++i) box.Prompt += "A rather long prompt line that wraps. ";
  WhenModal([&] {
    float extra = box.lblPrompt->Height() - 1215;
    EXPECT_GT(extra, 0);
    EXPECT_FLOAT_EQ(box.Height(), 2250 + extra);
    EXPECT_FLOAT_EQ(box.txtInput->Top(), 1360 + extra);
    Click(0);
  });
  box.Display();
}

TEST_F(InputBoxTest, PasswordProtectShowsStars) {
  box.PasswordProtect = true;
  WhenModal([&] {
    EXPECT_EQ(SendMessageA(box.txtInput->hWnd(), EM_GETPASSWORDCHAR, 0, 0), '*');
    Click(1);
  });
  box.Display();
}

TEST(ProgressWindow, EachRunStartsFreshAtZero) {
  FrmProgress& p = *frmprogress;
  for (int run = 0; run < 2; ++run) {
    p.Show();
    p.SetCaption(LoadResString(506));
    p.ProgressBar1->SetMax(3);
    EXPECT_DOUBLE_EQ(p.ProgressBar1->Value(), 0);
    for (int step = 0; step < 3; ++step) p.ProgressBar1->SetValue(p.ProgressBar1->Value() + 1);
    EXPECT_DOUBLE_EQ(p.ProgressBar1->Percent(), 100);
    char caption[64]{};
    GetWindowTextA(p.hWnd(), caption, sizeof caption);
    EXPECT_STREQ(caption, "Stopping services...");
    RECT client{};
    GetClientRect(p.hWnd(), &client);
    EXPECT_EQ(client.right, 267);  // 4005 x 375 twips
    EXPECT_EQ(client.bottom, 25);
    p.Unload();
  }
}

}  // namespace
