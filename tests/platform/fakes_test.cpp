// The fakes stand between many tests and the faults they look for, so their own rules are
// checked here: unexpected dialogs fail the test, scripted answers come back in order.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include "support/fakes.h"

namespace {

TEST(FakeDialogs, AnswersInOrderAndRecordsEveryCall) {
  FakeDialogs fake;
  platform::Override<platform::Dialogs> use(fake);
  fake.AnswerMessageBox(IDYES);
  fake.AnswerMessageBox(IDNO);
  fake.AnswerOpenFile(true, "C:\\x.exe");

  HWND owner = reinterpret_cast<HWND>(0x1234);
  EXPECT_EQ(platform::dialogs().MessageBox(owner, "First?", "Quenvor Pro",
                                           MB_YESNO | MB_ICONQUESTION), IDYES);
  EXPECT_EQ(platform::dialogs().MessageBox(nullptr, "Second?", "T", MB_YESNOCANCEL), IDNO);
  platform::OpenFileRequest request;
  request.title = "Pick";
  EXPECT_TRUE(platform::dialogs().OpenFile(request));
  EXPECT_EQ(request.fileName, "C:\\x.exe");

  ASSERT_EQ(fake.Calls().size(), 3u);
  auto boxes = fake.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].owner, owner);
  EXPECT_EQ(boxes[0].text, "First?");
  EXPECT_EQ(boxes[0].title, "Quenvor Pro");
  EXPECT_EQ(boxes[0].Buttons(), static_cast<UINT>(MB_YESNO));
  EXPECT_EQ(boxes[0].Icon(), static_cast<UINT>(MB_ICONQUESTION));
  EXPECT_EQ(fake.Calls()[2].kind, FakeDialogs::Kind::OpenFile);
}

TEST(FakeDialogs, AnUnexpectedDialogFailsTheTestNamingItsText) {
  FakeDialogs fake;
  platform::Override<platform::Dialogs> use(fake);
  int answer = 0;
  EXPECT_NONFATAL_FAILURE(
      answer = platform::dialogs().MessageBox(nullptr, "Surprise!", "T", MB_OK), "Surprise!");
  EXPECT_EQ(answer, IDCANCEL);
  EXPECT_NONFATAL_FAILURE(answer = platform::dialogs().RestartDialog(nullptr, "", 0),
                          "restart dialog");
  EXPECT_EQ(answer, 0);
  platform::OpenFileRequest request;
  bool chosen = true;
  EXPECT_NONFATAL_FAILURE(chosen = platform::dialogs().OpenFile(request), "file-open");
  EXPECT_FALSE(chosen);
  BROWSEINFOA info{};
  info.lpszTitle = "Pick a folder";
  LPITEMIDLIST folder = reinterpret_cast<LPITEMIDLIST>(1);
  EXPECT_NONFATAL_FAILURE(folder = platform::dialogs().BrowseForFolder(info), "Pick a folder");
  EXPECT_EQ(folder, nullptr);
}

TEST(FakeDialogs, AnExpectedDialogThatNeverCameFailsTheTest) {
  EXPECT_NONFATAL_FAILURE(
      {
        FakeDialogs fake;
        fake.AnswerRestart(IDNO);
      },
      "never used");
}

TEST(FakeSystemFacts, RejectsStructuresWithoutTheirSizeAsWindowsDoes) {
  FakeSystemFacts fake;
  OSVERSIONINFOA version{};
  EXPECT_FALSE(fake.Version(&version));
  version.dwOSVersionInfoSize = sizeof(version);
  ASSERT_TRUE(fake.Version(&version));
  EXPECT_EQ(version.dwMajorVersion, 6u);
  EXPECT_STREQ(version.szCSDVersion, "Service Pack 1");

  MEMORYSTATUSEX memory{};
  EXPECT_FALSE(fake.MemoryStatus(&memory));
  memory.dwLength = sizeof(memory);
  EXPECT_TRUE(fake.MemoryStatus(&memory));
  EXPECT_EQ(memory.ullTotalPhys, 4ull << 30);
}

}  // namespace
