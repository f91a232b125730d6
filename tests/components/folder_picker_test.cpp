#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "platform/seam.h"
#include "shell/components/FolderPicker.h"
#include "support/fakes.h"

namespace {

const HWND kOwner = reinterpret_cast<HWND>(0x4242);

std::string Special(int csidl) {
  char path[MAX_PATH] = "";
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

std::string WindowsFolder() {
  char path[MAX_PATH] = "";
  GetWindowsDirectoryA(path, MAX_PATH);
  return path;
}

class FolderPickerTest : public testing::Test {
 protected:
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  XQBrowseFolders picker;
};

TEST_F(FolderPickerTest, BrowseOpensTheDialogAndReturnsTheChosenFolder) {
  std::string windows = WindowsFolder();
  dialogs.AnswerBrowseForFolder(true, windows);
  EXPECT_EQ(picker.BrowseFolders(kOwner), windows);

  ASSERT_EQ(dialogs.Calls().size(), 1u);
  const FakeDialogs::Call& call = dialogs.Calls()[0];
  EXPECT_EQ(call.kind, FakeDialogs::Kind::BrowseFolder);
  EXPECT_EQ(call.owner, kOwner);
  EXPECT_EQ(call.text, "Please select a directory:");
  EXPECT_EQ(call.flags, static_cast<DWORD>(BIF_RETURNONLYFSDIRS));
  EXPECT_EQ(call.browseRoot, Special(CSIDL_DESKTOPDIRECTORY));  // Style 0: the desktop
  EXPECT_TRUE(call.browseCallback);
  EXPECT_FALSE(call.coloured);
  EXPECT_TRUE(call.sent.empty());  // no initial folder, no status line
}

TEST_F(FolderPickerTest, CancelledOrNotEnabledGivesNoPath) {
  dialogs.AnswerBrowseForFolder(false);
  EXPECT_EQ(picker.BrowseFolders(kOwner), "");

  picker.EnableOK(false);
  dialogs.AnswerBrowseForFolder(true, WindowsFolder());
  EXPECT_EQ(picker.BrowseFolders(kOwner), "");
}

TEST_F(FolderPickerTest, StatusLineAndRootFollowTheProperties) {
  picker.ShowStatus(true);
  picker.StatusText("Pick the folder to scan");
  picker.Style(CSIDL_WINDOWS);
  picker.Caption("");
  dialogs.AnswerBrowseForFolder(false);
  picker.BrowseFolders(kOwner);

  const FakeDialogs::Call& call = dialogs.Calls().at(0);
  EXPECT_EQ(call.flags, static_cast<DWORD>(BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT));
  EXPECT_EQ(call.text, "");
  EXPECT_EQ(call.browseRoot, WindowsFolder());
  ASSERT_EQ(call.sent.size(), 1u);
  EXPECT_EQ(call.sent[0].message, static_cast<UINT>(BFFM_SETSTATUSTEXTA));
  EXPECT_EQ(call.sent[0].text, "Pick the folder to scan");
}

TEST_F(FolderPickerTest, InitialFolderIsSelectedWhenTheDialogOpens) {
  struct Case {
    std::string initial;
    std::string selected;
  };
  for (const Case& c : {Case{"d:\\data\\", "D:\\DATA"}, Case{"c:\\windows", "C:\\WINDOWS"},
                        Case{"C:\\", "C:\\"}}) {
    picker.InitialDir(c.initial);
    dialogs.AnswerBrowseForFolder(false);
    picker.BrowseFolders(kOwner);
    const FakeDialogs::Call& call = dialogs.Calls().back();
    ASSERT_EQ(call.sent.size(), 1u) << c.initial;
    EXPECT_EQ(call.sent[0].message, static_cast<UINT>(BFFM_SETSELECTIONA));
    EXPECT_EQ(call.sent[0].wParam, 1u);
    EXPECT_EQ(call.sent[0].text, c.selected);
  }
}

TEST_F(FolderPickerTest, EachSelectionIsReportedBeforeStatusAndOkAreSet) {
  std::string windows = WindowsFolder();
  std::string system = windows + "\\system32";
  picker.ShowStatus(true);
  picker.StatusText("status");
  std::vector<std::string> seen;
  // What the handler sets shows in the messages that follow the event.
  picker.SelectionChanged = [&](const std::string& path) {
    seen.push_back(path);
    picker.StatusText("at " + path);
    picker.EnableOK(seen.size() == 1);
  };
  dialogs.AnswerBrowseForFolder(true, system, {windows, system});
  EXPECT_EQ(picker.BrowseFolders(kOwner), "");  // OK was disabled at the end

  EXPECT_EQ(seen, (std::vector<std::string>{windows, system}));
  const std::vector<FakeDialogs::BrowseMessage> sent = dialogs.Calls().at(0).sent;
  struct Expected {
    UINT message;
    std::string text;
    LPARAM lParam;
  };
  const Expected expected[] = {
      {BFFM_SETSTATUSTEXTA, "status", 0},           // the dialog opens
      {BFFM_SETSTATUSTEXTA, "at " + windows, 0},    // first move
      {BFFM_ENABLEOK, "", 1},
      {BFFM_SETSTATUSTEXTA, "at " + system, 0},     // second move
      {BFFM_ENABLEOK, "", 0},
  };
  ASSERT_EQ(sent.size(), std::size(expected));
  for (size_t i = 0; i < sent.size(); ++i) {
    EXPECT_EQ(sent[i].message, expected[i].message) << i;
    EXPECT_EQ(sent[i].text, expected[i].text) << i;
    if (expected[i].message == BFFM_ENABLEOK) EXPECT_EQ(sent[i].lParam, expected[i].lParam) << i;
  }
}

TEST_F(FolderPickerTest, OkButtonIsDisabledAtEveryMoveWhenNotEnabled) {
  picker.EnableOK(false);
  std::string windows = WindowsFolder();
  dialogs.AnswerBrowseForFolder(true, windows, {windows, windows});
  EXPECT_EQ(picker.BrowseFolders(kOwner), "");
  const auto& sent = dialogs.Calls().at(0).sent;
  ASSERT_EQ(sent.size(), 2u);  // no status line: only the OK button, once per move
  for (const auto& message : sent) {
    EXPECT_EQ(message.message, static_cast<UINT>(BFFM_ENABLEOK));
    EXPECT_EQ(message.lParam, 0);
  }
}

TEST_F(FolderPickerTest, TheLastControlToBrowseReceivesTheEvents) {
  XQBrowseFolders other;
  std::vector<std::string> mine, theirs;
  picker.SelectionChanged = [&](const std::string& p) { mine.push_back(p); };
  other.SelectionChanged = [&](const std::string& p) { theirs.push_back(p); };
  std::string windows = WindowsFolder();
  dialogs.AnswerBrowseForFolder(false, "", {windows});
  dialogs.AnswerBrowseForFolder(false, "", {windows});
  picker.BrowseFolders(kOwner);
  other.BrowseFolders(kOwner);
  EXPECT_EQ(mine.size(), 1u);
  EXPECT_EQ(theirs.size(), 1u);
}

TEST_F(FolderPickerTest, PathIsTheStyleFoldersPath) {
  EXPECT_EQ(picker.Path(), Special(CSIDL_DESKTOPDIRECTORY));
  picker.Style(CSIDL_WINDOWS);
  EXPECT_EQ(picker.Path(), WindowsFolder());
  picker.Style(0x7777);  // no such special folder
  EXPECT_EQ(picker.Path(), "");
}

TEST(FolderPickerProperties, NewSavedAndReadBack) {
  XQBrowseFolders fresh;
  EXPECT_EQ(fresh.Style(), 0);
  EXPECT_EQ(fresh.Caption(), "Please select a directory:");
  EXPECT_FALSE(fresh.ShowStatus());
  EXPECT_TRUE(fresh.EnableOK());
  EXPECT_EQ(fresh.StatusText(), "");
  EXPECT_EQ(fresh.InitialDir(), "");

  PropertyBag bag;
  fresh.UserControl_WriteProperties(bag);
  ASSERT_EQ(bag.values.size(), 1u);  // only the caption differs from the defaults
  EXPECT_EQ(std::get<std::string>(bag.values.at("Caption")), "Please select a directory:");

  XQBrowseFolders changed;
  std::vector<std::string> reported;
  changed.PropertyChanged = [&](const std::string& name) { reported.push_back(name); };
  changed.Style(5);
  changed.Caption("Choose");
  changed.ShowStatus(true);
  changed.EnableOK(false);
  changed.StatusText("status");
  changed.InitialDir("C:\\");
  EXPECT_EQ(reported, (std::vector<std::string>{"Style", "Caption", "ShowStatus", "EnableOK",
                                                "StatusText", "InitialDir"}));
  PropertyBag saved;
  changed.UserControl_WriteProperties(saved);
  XQBrowseFolders loaded;
  loaded.UserControl_ReadProperties(saved);
  EXPECT_EQ(loaded.Style(), 5);
  EXPECT_EQ(loaded.Caption(), "Choose");
  EXPECT_TRUE(loaded.ShowStatus());
  EXPECT_FALSE(loaded.EnableOK());
  EXPECT_EQ(loaded.StatusText(), "status");
  EXPECT_EQ(loaded.InitialDir(), "C:\\");

  XQBrowseFolders fromEmpty;
  fromEmpty.UserControl_ReadProperties(PropertyBag{});
  EXPECT_EQ(fromEmpty.Caption(), "");  // an absent caption reads empty
  EXPECT_TRUE(fromEmpty.EnableOK());

  fromEmpty.Width = 3000;
  fromEmpty.Height = 20;
  fromEmpty.UserControl_Resize();
  EXPECT_EQ(fromEmpty.Width, 705);
  EXPECT_EQ(fromEmpty.Height, 465);
}

}  // namespace
