// The drive list against the prefix's real drives: c:, q: with the label "FIXTURE" (mapped
// by this area's prepare.sh), and whatever other areas map.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/DriveList.h"
#include "ui/form.h"

namespace {

using ui::Def;
using ui::Kind;

constexpr Def kDesign[] = {
    {.kind = Kind::Custom, .name = "Drive1", .rect = {120, 120, 3000, 315},
     .customClass = ui::kDriveListClass},
};
constexpr ui::FormDef kForm{.name = "frmDrives", .caption = "Drives", .width = 4000, .height = 1600};

class FrmDrives : public ui::Form {
 public:
  FrmDrives() : Form(kForm, kDesign) {}
  ui::Ctl<ui::DriveList> Drive1{this, "Drive1"};
  std::vector<std::string> changes;

 protected:
  void BindEvents() override {
    Drive1->Change = [this] { changes.push_back(Drive1->Drive()); };
  }
};

// The current folder for the scope of a test.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    GetCurrentDirectoryA(MAX_PATH, saved_);
    ok_ = SetCurrentDirectoryA(folder.c_str()) != 0;
  }
  ~CurrentFolder() { SetCurrentDirectoryA(saved_); }
  bool ok() const { return ok_; }

 private:
  char saved_[MAX_PATH] = {};
  bool ok_ = false;
};

class DriveListTest : public testing::Test {
 protected:
  void TearDown() override { form.Unload(); }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < form.Drive1->ListCount(); ++i) entries.push_back(form.Drive1->List(i));
    return entries;
  }
  // What the window shows: as many entries as the list, and its selected text.
  std::string Shown() {
    HWND combo = form.Drive1->hWnd();
    char text[MAX_PATH] = {};
    GetWindowTextA(combo, text, MAX_PATH);
    const bool all = SendMessageA(combo, CB_GETCOUNT, 0, 0) == form.Drive1->ListCount();
    return std::string(all ? "all entries, " : "not all entries, ") + text;
  }
  FrmDrives form;
};

TEST_F(DriveListTest, ListsEveryDriveWithItsLabelAndStartsOnTheCurrentFolderDrive) {
  CurrentFolder onQ("Q:\\");
  ASSERT_TRUE(onQ.ok());
  const std::vector<std::string> entries = Entries();
  ASSERT_GE(entries.size(), 2u);
  EXPECT_EQ(entries[0], "c:");
  EXPECT_NE(std::find(entries.begin(), entries.end(), "q: [FIXTURE]"), entries.end());
  EXPECT_TRUE(std::is_sorted(entries.begin(), entries.end())) << "not in letter order";
  EXPECT_EQ(form.Drive1->Drive(), "q: [FIXTURE]");
  EXPECT_EQ(Shown(), "all entries, q: [FIXTURE]");
  EXPECT_TRUE(form.changes.empty()) << "loading raised Change";
  EXPECT_EQ(GetWindowLongA(form.Drive1->hWnd(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
}

TEST_F(DriveListTest, AFolderNotOnADriveLetterStartsOnTheSystemDrive) {
  // A host folder, as Wine gives a program started from one: here the prefix's own
  // drive_c folder, named by its host path.
  char prefix[MAX_PATH] = {};
  ASSERT_GT(GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH), 0u);
  std::string host = std::string("\\\\?\\unix") + prefix + "/drive_c";
  for (char& c : host) if (c == '/') c = '\\';
  {
    CurrentFolder onQ("Q:\\");
    form.Load();
    EXPECT_EQ(form.Drive1->Drive(), "q: [FIXTURE]");
    form.Unload();
  }
  CurrentFolder onHost(host);
  ASSERT_TRUE(onHost.ok()) << host;
  char now[MAX_PATH * 2] = {};
  GetCurrentDirectoryA(sizeof now, now);
  ASSERT_EQ(ui::DriveLetterOf(now), 0) << now;
  form.Load();  // each load reads the drives and the current folder again
  EXPECT_EQ(form.Drive1->Drive(), "c:");
  EXPECT_EQ(Shown(), "all entries, c:");
}

TEST_F(DriveListTest, SettingTheDriveSelectsItsEntryAndRaisesChangeOnce) {
  CurrentFolder onC("C:\\");
  form.Load();
  EXPECT_EQ(form.Drive1->Drive(), "c:");
  for (const char* drive : {"Q:\\", "q", "q: [FIXTURE]"}) EXPECT_TRUE(form.Drive1->SetDrive(drive)) << drive;
  EXPECT_EQ(form.Drive1->Drive(), "q: [FIXTURE]");
  EXPECT_EQ(Shown(), "all entries, q: [FIXTURE]");
  EXPECT_FALSE(form.Drive1->SetDrive("x:"));
  EXPECT_FALSE(form.Drive1->SetDrive(""));
  EXPECT_EQ(form.Drive1->Drive(), "q: [FIXTURE]");

  // The user picks c: from the list.
  SendMessageA(form.Drive1->hWnd(), CB_SETCURSEL, 0, 0);
  SendMessageA(form.hWnd(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(form.Drive1->hWnd()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(form.Drive1->hWnd()));
  EXPECT_EQ(form.Drive1->Drive(), "c:");
  EXPECT_EQ(form.changes, (std::vector<std::string>{"q: [FIXTURE]", "c:"}));
}

TEST(DriveNames, EntriesAndTheDriveOfAFolder) {
  EXPECT_EQ(ui::DriveEntry('C', "SYSTEM"), "c: [SYSTEM]");
  EXPECT_EQ(ui::DriveEntry('d', ""), "d:");
  EXPECT_EQ(ui::DriveLetterOf("C:\\Quenvor"), 'c');
  EXPECT_EQ(ui::DriveLetterOf("r:"), 'r');
  for (const char* folder : {"", "\\", "\\\\server\\share", "\\\\?\\unix\\tmp", "1:\\"})
    EXPECT_EQ(ui::DriveLetterOf(folder), 0) << folder;
}

}  // namespace
