// The special-folder browser: the item-ID list walk on lists made by the test, the note
// under the browser against a shell the test describes, and the real browser of the test
// prefix showing the folders the page chooses.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "maintenance/frmShellBrowser.h"
#include "platform/seam.h"
#include "platform/special_folders.h"
#include "shell/Strings.h"
#include "support/fake_special_folders.h"
#include "support/fakes.h"
#include "support/main_window.h"

namespace {

// A list of items of the given byte counts (each filled with its own count's low byte),
// then the terminator; or, with `terminated` false, nothing after the items.
std::vector<uint8_t> ItemIDList(const std::vector<uint16_t>& counts, bool terminated = true) {
  std::vector<uint8_t> bytes;
  for (uint16_t count : counts) {
    bytes.push_back(static_cast<uint8_t>(count & 0xFF));
    bytes.push_back(static_cast<uint8_t>(count >> 8));
    bytes.resize(bytes.size() + (count > 2 ? count - 2 : 0), static_cast<uint8_t>(count));
  }
  if (terminated) bytes.insert(bytes.end(), {0, 0});
  return bytes;
}

// The real shell's list of a folder, as bytes.
std::vector<uint8_t> ListOf(int csidl) {
  LPITEMIDLIST list = nullptr;
  if (SHGetSpecialFolderLocation(nullptr, csidl, &list) != S_OK || !list) return {};
  const auto* bytes = reinterpret_cast<const uint8_t*>(list);
  std::vector<uint8_t> copy(bytes, bytes + ILGetSize(list));
  CoTaskMemFree(list);
  return copy;
}

std::string RealPath(int csidl) {
  char path[MAX_PATH] = {};
  return SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE) ? path : "";
}

struct SizeCase {
  const char* name;
  std::vector<uint16_t> counts;
  int16_t size;
};

TEST(ItemIDLists, SizeIsTheItemsAndTheTerminatorUpTo32767) {
  const SizeCase cases[] = {
      {"terminator only", {}, 2},
      {"items of 20 and 14 bytes", {20, 14}, 36},
      {"exactly 32767 bytes", {32765}, 32767},
      {"one byte over", {32766}, 0},
      {"over in the sum", {20000, 20000}, 0},
      // Read as a signed count, 0x9000 is negative: the walk must not step backwards.
      {"a count above 32767", {0x9000}, 0},
  };
  for (const SizeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<uint8_t> list = ItemIDList(c.counts);
    EXPECT_EQ(frmShellBrowser->GetPIDLSize(list.data()), c.size);
  }
  EXPECT_EQ(frmShellBrowser->GetPIDLSize(nullptr), 0);
  EXPECT_FALSE(frmShellBrowser->Loaded()) << "the public members need no loaded page";
}

TEST(ItemIDLists, StepsFromItemToItemAndStopsAtTheTerminator) {
  const std::vector<uint8_t> list = ItemIDList({20, 14});
  const void* first = list.data();
  EXPECT_EQ(frmShellBrowser->GetItemIDSize(first), 20);
  const void* second = frmShellBrowser->GetNextItemID(first);
  EXPECT_EQ(second, list.data() + 20);
  EXPECT_EQ(frmShellBrowser->GetItemIDSize(second), 14);
  const void* terminator = frmShellBrowser->GetNextItemID(second);
  EXPECT_EQ(terminator, list.data() + 34);
  EXPECT_EQ(frmShellBrowser->GetItemIDSize(terminator), 0);
  EXPECT_EQ(frmShellBrowser->GetNextItemID(terminator), nullptr);
  EXPECT_EQ(frmShellBrowser->GetItemIDSize(nullptr), 0);
  EXPECT_EQ(frmShellBrowser->GetNextItemID(nullptr), nullptr);
}

TEST(ItemIDLists, TheBrowserTakesOnlyBytesThatAreExactlyOneList) {
  EXPECT_TRUE(ui::IsWholeItemIDList(ItemIDList({})));
  EXPECT_TRUE(ui::IsWholeItemIDList(ItemIDList({20, 14})));
  EXPECT_FALSE(ui::IsWholeItemIDList({}));
  EXPECT_FALSE(ui::IsWholeItemIDList(ItemIDList({20, 14}, false)));  // no terminator
  std::vector<uint8_t> trailing = ItemIDList({20});
  trailing.push_back(7);
  EXPECT_FALSE(ui::IsWholeItemIDList(trailing));
  std::vector<uint8_t> overrun = ItemIDList({20});
  overrun[0] = 40;  // the count leads past the end
  EXPECT_FALSE(ui::IsWholeItemIDList(overrun));
  EXPECT_FALSE(ui::IsWholeItemIDList({1, 0, 0, 0}));  // a count too small for an item
}

class ShellBrowserPageTest : public testing::Test {
 protected:
  void TearDown() override { CloseMainWindow(); }

  FrmShellBrowser& Page() { return *frmShellBrowser; }
  // Chooses a folder as the user does, by its CSIDL.
  void Choose(int csidl) {
    for (int i = 0; i < Page().cboShellFolders->ListCount(); ++i) {
      if (Page().cboShellFolders->ItemData(i) == csidl) {
        Page().cboShellFolders->SetListIndex(i);
        return;
      }
    }
    ADD_FAILURE() << "no folder " << csidl;
  }
  std::vector<uint8_t> Shown() { return Page().ShellBrowser->LocationIDList(); }
  bool BrowserShown() {
    return Page().ShellBrowser->Visible() && IsWindowVisible(Page().ShellBrowser->hWnd());
  }

  FakeSystemFacts facts;  // a screen of 1280 x 1024 at 96 DPI
  platform::Override<platform::SystemFacts> useFacts{facts};
  FakeSound sound;
  platform::Override<platform::Sound> useSound{sound};
  FakeDialogs dialogs;  // the page shows no message box
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(ShellBrowserPageTest, ListsTheThirtyFoldersOnceAlsoAfterAClose) {
  struct Listed {
    int csidl;
    int name;
  };
  const Listed expected[] = {
      {47, 21}, {0, 101},  {1, 267},  {2, 368},  {4, 363},  {5, 352},  {6, 201},  {7, 499},
      {8, 381}, {9, 467},  {10, 383}, {11, 488}, {16, 103}, {17, 308}, {18, 310}, {19, 311},
      {20, 215}, {21, 179}, {22, 492}, {23, 369}, {24, 500}, {25, 104}, {26, 25}, {27, 362},
      {29, 329}, {30, 330}, {31, 202}, {32, 268}, {33, 78},  {34, 253},
  };
  for (int pass = 0; pass < 2; ++pass) {
    SCOPED_TRACE(pass == 0 ? "first opening" : "opened again");
    Page().Show();
    ASSERT_EQ(Page().cboShellFolders->ListCount(), 30);
    for (int i = 0; i < 30; ++i) {
      EXPECT_EQ(Page().cboShellFolders->List(i), LoadResString(expected[i].name)) << i;
      EXPECT_EQ(Page().cboShellFolders->ItemData(i), expected[i].csidl) << i;
    }
    EXPECT_EQ(Page().cboShellFolders->ListIndex(), 0);
    EXPECT_EQ(Page().Caption(), "Shell Browser");
    EXPECT_EQ(Page().Command33->ToolTipText(), "Back");
    EXPECT_EQ(Page().Command34->ToolTipText(), "Forward");
    Page().Command1_Click();
    EXPECT_FALSE(Page().Loaded());
  }
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

// What the shell says of one folder, and the note the page writes for it.
struct NoteCase {
  const char* name;
  int csidl;
  bool missing;
  std::string path;                      // SHGetSpecialFolderPathA
  std::optional<std::string> listPath;   // SHGetPathFromIDListA
  std::string note;                      // "214", "277" and "536" name the page's notes
  bool shown;
  bool browsable = true;  // Wine's browser cannot show the Internet folder: it stays where it was
};

class NotesUnderTheBrowser : public ShellBrowserPageTest, public testing::WithParamInterface<NoteCase> {};

TEST_P(NotesUnderTheBrowser, FollowWhatTheShellSays) {
  const NoteCase& c = GetParam();
  FakeSpecialFolders folders;
  platform::Override<platform::SpecialFolders> useFolders{folders};
  if (c.missing) folders.missing.insert(c.csidl);
  folders.paths[c.csidl] = c.path;
  folders.listPaths[c.csidl] = c.listPath;
  Page().Show();
  Choose(c.csidl);
  std::string note = c.note;
  if (note == "214") note = LoadResString(214);
  if (note == "277") note = LoadResString(277) + "and it doesn't know about the CSIDL value)";
  if (note == "536") note = LoadResString(536);
  EXPECT_EQ(Page().Label20->Caption(), note);
  EXPECT_EQ(BrowserShown(), c.shown);
  if (c.shown) {
    EXPECT_EQ(Shown(), ListOf(c.browsable ? c.csidl : CSIDL_COMMON_ADMINTOOLS));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NotesUnderTheBrowser,
    testing::Values(
        NoteCase{"PathOfTheFolder", CSIDL_FONTS, false, "C:\\windows\\Fonts", "D:\\unused", "C:\\windows\\Fonts",
                 true},
        NoteCase{"PathOfItsList", CSIDL_FONTS, false, "", "C:\\elsewhere\\Fonts", "C:\\elsewhere\\Fonts", true},
        NoteCase{"VirtualFolder", CSIDL_BITBUCKET, false, "", std::nullopt, "214", true},
        NoteCase{"VirtualUpToDocumentTemplates", CSIDL_TEMPLATES, false, "", std::nullopt, "214", true},
        NoteCase{"VirtualAboveDocumentTemplates", CSIDL_COMMON_STARTMENU, false, "", std::nullopt, "277", true},
        // What Wine gives for Internet and Network Neighborhood, and for Printers.
        NoteCase{"WinesInternet", CSIDL_INTERNET, false, "", "::{871C5380-42A0-1069-A2EA-08002B30309D}",
                 "::{871C5380-42A0-1069-A2EA-08002B30309D}", true, false},
        NoteCase{"WinesPrinters", CSIDL_PRINTERS, false, "C:\\windows\\system32", std::nullopt,
                 "C:\\windows\\system32", true},
        NoteCase{"Missing", CSIDL_DRIVES, true, "C:\\unused", "D:\\unused", "536", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ShellBrowserPageTest, OpensOnAdministrativeToolsAndStepsThroughItsHistory) {
  Page().Show();
  const std::vector<uint8_t> adminTools = ListOf(CSIDL_COMMON_ADMINTOOLS);
  const std::vector<uint8_t> desktop = ListOf(CSIDL_DESKTOP);
  ASSERT_FALSE(adminTools.empty());
  EXPECT_EQ(desktop.size(), 2u) << "the desktop's list is the terminator alone";
  EXPECT_EQ(Page().Label20->Caption(), RealPath(CSIDL_COMMON_ADMINTOOLS));
  EXPECT_TRUE(BrowserShown());
  EXPECT_EQ(Shown(), adminTools);

  // Nothing before the first folder.
  Page().Command33_Click();
  EXPECT_EQ(Shown(), adminTools);

  Choose(CSIDL_DESKTOP);
  EXPECT_EQ(Shown(), desktop);
  EXPECT_EQ(Page().Label20->Caption(), RealPath(CSIDL_DESKTOP));
  // Nothing after the newest.
  Page().Command34_Click();
  EXPECT_EQ(Shown(), desktop);
  Page().Command33_Click();
  EXPECT_EQ(Shown(), adminTools);
  Page().Command34_Click();
  EXPECT_EQ(Shown(), desktop);

  // The shell of the test prefix has no Non-Localized Startup Menu.
  Choose(CSIDL_ALTSTARTUP);
  EXPECT_EQ(Page().Label20->Caption(), LoadResString(536));
  EXPECT_FALSE(BrowserShown());
  Choose(CSIDL_DRIVES);
  EXPECT_TRUE(BrowserShown());
  EXPECT_EQ(Shown(), ListOf(CSIDL_DRIVES));

  // The browser fills its place, scaled to the screen of 1280 x 1024.
  EXPECT_FLOAT_EQ(Page().ShellBrowser->Width(), 11040 * 1.25f);
  HWND host = Page().ShellBrowser->hWnd();
  HWND shell = GetWindow(host, GW_CHILD);
  ASSERT_NE(shell, nullptr);
  RECT hostArea, shellArea;
  GetClientRect(host, &hostArea);
  GetWindowRect(shell, &shellArea);
  EXPECT_EQ(shellArea.right - shellArea.left, hostArea.right);
  EXPECT_EQ(shellArea.bottom - shellArea.top, hostArea.bottom);
}

TEST_F(ShellBrowserPageTest, TheHistoryStartsAgainWithEachOpening) {
  Page().Show();
  Choose(CSIDL_DESKTOP);
  Page().Command1_Click();
  Page().Show();
  EXPECT_EQ(Shown(), ListOf(CSIDL_COMMON_ADMINTOOLS));
  Page().Command33_Click();
  EXPECT_EQ(Shown(), ListOf(CSIDL_COMMON_ADMINTOOLS));
}

TEST_F(ShellBrowserPageTest, AListTooLargeToTakeLeavesThePreviousFolderShown) {
  FakeSpecialFolders folders;
  platform::Override<platform::SpecialFolders> useFolders{folders};
  folders.oversized[CSIDL_FONTS] = 40000;
  folders.paths[CSIDL_FONTS] = "C:\\windows\\Fonts";
  Page().Show();
  Choose(CSIDL_FONTS);
  EXPECT_EQ(Shown(), ListOf(CSIDL_COMMON_ADMINTOOLS));
  EXPECT_TRUE(BrowserShown());
  EXPECT_EQ(Page().Label20->Caption(), "C:\\windows\\Fonts");

  // Bytes that are no list are refused too.
  EXPECT_EQ(Page().ShellBrowser->Navigate2(ItemIDList({20, 14}, false)), E_INVALIDARG);
  EXPECT_EQ(Shown(), ListOf(CSIDL_COMMON_ADMINTOOLS));
}

TEST_F(ShellBrowserPageTest, ClosedWhileAChoiceWaitsThePageStaysClosed) {
  Page().Show();
  // The close arrives while the choice clears its note and lets waiting input through.
  PostMessageA(Page().hWnd(), WM_CLOSE, 0, 0);
  Choose(CSIDL_DESKTOP);
  EXPECT_FALSE(Page().Loaded());
  EXPECT_EQ(ui::LoadedFormCount(), 1) << "only the main window, shown again";
}

}  // namespace
