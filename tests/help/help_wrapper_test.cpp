// The help wrapper's requests: what each operation hands to HtmlHelpA, how the help file is
// found, and the wrapper's own messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <htmlhelp.h>

#include <functional>
#include <string>

#include "help_fixtures.h"
#include "platform/seam.h"
#include "shell/help/HTMLHelp.h"
#include "shell/Strings.h"
#include "shell/frmmain.h"
#include "support/fakes.h"

namespace {

const HWND kCaller = reinterpret_cast<HWND>(0x5150);
const std::string kNotValid = "is not a valid HTML Help file.";

std::string Missing(const std::string& path) {
  return "The file" + path + " does not exist.\nPlease make sure the correct path and file name have been specified.";
}

class HelpTest : public testing::Test {
 protected:
  void SetUp() override {
    help.htmlHelp = recorder.Function();
    chm = folder.AddFile("Manual.chm");
    help.CHMFile(chm);
  }
  // The wrapper's warning, as the fake recorded it.
  void ExpectWarning(const FakeDialogs::Call& box, const std::string& text) {
    EXPECT_EQ(box.text, text);
    EXPECT_EQ(box.title, "HTML Help Class");
    EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(box.Buttons(), static_cast<UINT>(MB_OK));
    EXPECT_TRUE(box.coloured);
  }

  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  HelpRecorder recorder;
  TempFolder folder;
  HTMLHelp help;
  std::string chm;
};

// ---- what the display operations pass

struct DisplayCase {
  const char* name;
  std::function<void(HTMLHelp&, HWND)> display;
  UINT command;
};

class DisplayOperationTest : public HelpTest, public testing::WithParamInterface<DisplayCase> {};

TEST_P(DisplayOperationTest, PassesCommandOwnerAndFileWithWindowType) {
  help.HHShowOnTop(true);
  help.HHWindow("main");
  help.HHTopicURL("widgets/performance.htm");
  help.HHTopicID(2000);
  recorder.result = reinterpret_cast<HWND>(0x777);

  GetParam().display(help, kCaller);

  ASSERT_EQ(recorder.calls.size(), 1u);
  const HelpCall& call = recorder.calls[0];
  EXPECT_EQ(call.command, GetParam().command);
  EXPECT_EQ(call.owner, kCaller);
  EXPECT_EQ(call.file, chm + ">main");
  EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<HWND>(0x777));
  switch (GetParam().command) {
    case HH_DISPLAY_TOPIC: EXPECT_EQ(call.topic, "widgets/performance.htm"); break;
    case HH_HELP_CONTEXT: EXPECT_EQ(call.data, 2000u); break;
    case HH_DISPLAY_SEARCH: ASSERT_TRUE(call.search); break;
    default: EXPECT_EQ(call.data, 0u); break;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Wrapper, DisplayOperationTest,
    testing::Values(
        DisplayCase{"Contents", [](HTMLHelp& h, HWND w) { h.HHDisplayContents(w); }, HH_DISPLAY_TOC},
        DisplayCase{"Index", [](HTMLHelp& h, HWND w) { h.HHDisplayIndex(w); }, HH_DISPLAY_INDEX},
        DisplayCase{"Search", [](HTMLHelp& h, HWND w) { h.HHDisplaySearch(w); }, HH_DISPLAY_SEARCH},
        DisplayCase{"TopicURL", [](HTMLHelp& h, HWND w) { h.HHDisplayTopicURL(w); }, HH_DISPLAY_TOPIC},
        DisplayCase{"TopicID", [](HTMLHelp& h, HWND w) { h.HHDisplayTopicID(w); }, HH_HELP_CONTEXT}),
    [](const testing::TestParamInfo<DisplayCase>& info) { return info.param.name; });

TEST_F(HelpTest, SearchRecordAsksForTheSearchPageWithEmptyTexts) {
  help.HHDisplaySearch();
  ASSERT_EQ(recorder.calls.size(), 1u);
  const HelpCall::Search& q = *recorder.calls[0].search;
  EXPECT_EQ(q.cbStruct, static_cast<int>(sizeof(HH_FTS_QUERY)));
  EXPECT_FALSE(q.fUniCodeStrings);
  EXPECT_EQ(q.pszSearchQuery, "");  // an empty text, not a null pointer
  EXPECT_EQ(q.iProximity, 0);
  EXPECT_FALSE(q.fStemmedSearch);
  EXPECT_FALSE(q.fTitleOnly);
  EXPECT_EQ(q.fExecute, 1);
  EXPECT_EQ(q.pszWindow, "");
}

TEST_F(HelpTest, BlankWindowTypeAndOwnerNotOnTopAreLeftOut) {
  help.HHWindow("   ");
  help.HHShowOnTop(false);
  help.HHDisplayIndex(kCaller);
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].file, chm);
  EXPECT_EQ(recorder.calls[0].owner, nullptr);
}

TEST_F(HelpTest, KeywordOpensTheFileThenLooksUpWithNullsForEmptyTexts) {
  recorder.results = {reinterpret_cast<HWND>(0x10), reinterpret_cast<HWND>(0x20)};
  help.HHWindow("main");
  help.HHDisplayKeyword();

  ASSERT_EQ(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
  EXPECT_EQ(recorder.calls[0].data, 0u);
  EXPECT_EQ(recorder.calls[0].file, chm);  // lookups pass the window type in the record
  const HelpCall& lookup = recorder.calls[1];
  EXPECT_EQ(lookup.command, static_cast<UINT>(HH_KEYWORD_LOOKUP));
  EXPECT_EQ(lookup.file, chm);
  ASSERT_TRUE(lookup.link);
  EXPECT_EQ(lookup.link->cbStruct, static_cast<int>(sizeof(HH_AKLINK)));
  EXPECT_EQ(lookup.link->pszKeywords, "");
  EXPECT_EQ(lookup.link->pszUrl, std::nullopt);
  EXPECT_EQ(lookup.link->pszMsgText, std::nullopt);
  EXPECT_EQ(lookup.link->pszMsgTitle, std::nullopt);
  EXPECT_EQ(lookup.link->pszWindow, "main");
  EXPECT_FALSE(lookup.link->fIndexOnFail);
  EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<HWND>(0x20));  // the lookup's result remains
}

TEST_F(HelpTest, AssociativeLinkPassesItsNamesAndFallbacks) {
  help.HHALink("SaveButtons");
  help.HHDefaultURL("welcome.htm");
  help.HHMsgText("No topic");
  help.HHMsgTitle("Help");
  help.HHDisplayALink();
  ASSERT_EQ(recorder.calls.size(), 1u);
  const HelpCall& call = recorder.calls[0];
  EXPECT_EQ(call.command, static_cast<UINT>(HH_ALINK_LOOKUP));
  ASSERT_TRUE(call.link);
  EXPECT_EQ(call.link->pszKeywords, "SaveButtons");
  EXPECT_EQ(call.link->pszUrl, "welcome.htm");
  EXPECT_EQ(call.link->pszMsgText, "No topic");
  EXPECT_EQ(call.link->pszMsgTitle, "Help");
  EXPECT_EQ(call.link->pszWindow, std::nullopt);
}

TEST_F(HelpTest, UnreachableViewerKeepsThePreviousHandleAndSaysNothing) {
  help.HHDisplayContents();
  recorder.entryMissing = true;
  help.HHDisplayIndex();
  EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<HWND>(0x1234));
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(HelpTest, NoHandleToReadShowsTheWarning) {
  HTMLHelp fresh;
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(fresh.HHWndHandle(), nullptr);

  recorder.result = nullptr;  // the viewer did not open
  help.HHDisplayContents();
  dialogs.AnswerMessageBox(IDOK);
  EXPECT_EQ(help.HHWndHandle(), nullptr);

  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  for (const auto& box : dialogs.MessageBoxes()) ExpectWarning(box, "No HTML Help window handle to retrieve.");
}

TEST_F(HelpTest, CloseAsksForEveryWindowWithoutOwnerOrFile) {
  help.HHDisplayContents();
  recorder.result = nullptr;
  help.HHClose();
  ASSERT_EQ(recorder.calls.size(), 2u);
  EXPECT_EQ(recorder.calls[1].command, static_cast<UINT>(HH_CLOSE_ALL));
  EXPECT_EQ(recorder.calls[1].owner, nullptr);
  EXPECT_EQ(recorder.calls[1].file, "");
  EXPECT_EQ(recorder.calls[1].data, 0u);
  EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<HWND>(0x1234));
}

// ---- the help file

TEST_F(HelpTest, OnlyChmFilesAreOpened) {
  struct Case {
    std::string file;
    bool opens;
  };
  std::string upper = folder.AddFile("Upper.CHM");
  for (const Case& c : {Case{upper, true}, Case{folder.AddFile("Notes.txt"), false}, Case{"", false}}) {
    SCOPED_TRACE(c.file);
    recorder.calls.clear();
    help.CHMFile(c.file);
    if (!c.opens) dialogs.AnswerMessageBox(IDOK);
    help.HHDisplayContents();
    EXPECT_EQ(recorder.calls.size(), c.opens ? 1u : 0u);
    if (!c.opens) ExpectWarning(dialogs.MessageBoxes().back(), c.file + kNotValid);
  }
}

TEST_F(HelpTest, MissingFileIsReportedAndNothingOpens) {
  std::string missing = folder.Path() + "\\Gone.chm";
  help.CHMFile(missing);
  dialogs.AnswerMessageBox(IDOK);
  help.HHDisplayTopicID();
  EXPECT_TRUE(recorder.calls.empty());
  ASSERT_EQ(dialogs.MessageBoxes().size(), 1u);
  ExpectWarning(dialogs.MessageBoxes()[0], Missing(missing));
}

TEST_F(HelpTest, HelpFileInTheProgramFolderIsFoundByName) {
  help.CHMFile("Quenvor.chm");
  help.HHDisplayContents();
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].file, AppPath() + "\\Quenvor.chm");
  EXPECT_EQ(help.CHMFile(), AppPath() + "\\Quenvor.chm");
}

TEST_F(HelpTest, SetHelpFileNamesTheLibraryFilesOnly) {
  struct Case {
    int16_t selection;
    std::string expected;
  };
  for (const Case& c : {Case{1, AppPath() + "\\Library.chm"}, Case{2, "Library.txt"}, Case{3, ""},
                        Case{0, ""}}) {
    EXPECT_EQ(help.HHSetHelpFile(c.selection), c.expected) << c.selection;
  }
  EXPECT_EQ(help.CHMFile(), chm);
}

TEST_F(HelpTest, JumpToUrlItemLeavesTheSystemMenu) {
  HWND window = CreateWindowExA(0, "STATIC", "help window", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(window);
  HMENU menu = GetSystemMenu(window, FALSE);
  ASSERT_TRUE(AppendMenuA(menu, MF_STRING, 0xEFFF, "Jump to URL..."));

  help.HHDeleteJumpURLSysMenu(window);

  menu = GetSystemMenu(window, FALSE);
  EXPECT_EQ(GetMenuState(menu, 0xEFFF, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_NE(GetMenuState(menu, SC_CLOSE, MF_BYCOMMAND), static_cast<UINT>(-1));
  DestroyWindow(window);
}

// ---- registered help files

class RegisteredHelpTest : public HelpTest {
 protected:
  HelpRegistrations registrations;
};

TEST_F(RegisteredHelpTest, BareNameOpensTheRegisteredFile) {
  registrations.Add("Manual.chm", folder.Path() + "\\");
  help.CHMFile("Manual.chm");
  help.HHDisplayContents();
  ASSERT_EQ(recorder.calls.size(), 1u);
  EXPECT_EQ(recorder.calls[0].file, folder.Path() + "\\Manual.chm");
  EXPECT_EQ(help.CHMFile(), folder.Path() + "\\Manual.chm");
  EXPECT_EQ(help.HHRegFileName(), "Manual.chm");
  EXPECT_EQ(help.HHRegFilePath(), folder.Path() + "\\");
  EXPECT_TRUE(help.HHRegFileExists());
}

TEST_F(RegisteredHelpTest, ExpandableRegistrationIsExpanded) {
  char temp[MAX_PATH] = "";
  ASSERT_TRUE(GetEnvironmentVariableA("TEMP", temp, MAX_PATH));
  std::string folderName = folder.Path().substr(folder.Path().rfind('\\') + 1);
  registrations.Add("manual.CHM", "%TEMP%\\" + folderName + "\\", REG_EXPAND_SZ);
  help.HHCheckRegistry("C:\\Elsewhere\\Manual.chm");
  EXPECT_EQ(help.HHRegFileName(), "Manual.chm");  // as the caller spelled it
  EXPECT_EQ(help.HHRegFilePath(), std::string(temp) + "\\" + folderName + "\\");
  EXPECT_TRUE(help.HHRegFileExists());
}

TEST_F(RegisteredHelpTest, LongExpandedRegistrationIsReadWhole) {
  char temp[MAX_PATH] = "";
  ASSERT_TRUE(GetEnvironmentVariableA("TEMP", temp, MAX_PATH));
  std::string tail = std::string(2100, 'x') + "\\";
  registrations.Add("Long.chm", "%TEMP%\\" + tail, REG_EXPAND_SZ);
  dialogs.AnswerMessageBox(IDOK);  // the registered file does not exist
  help.HHCheckRegistry("Long.chm");
  EXPECT_EQ(help.HHRegFilePath(), std::string(temp) + "\\" + tail);
  EXPECT_FALSE(help.HHRegFileExists());
}

TEST_F(RegisteredHelpTest, UnregisteredBareNameMissingFromTheProgramFolderIsReported) {
  help.CHMFile("NoSuchHelp.chm");
  dialogs.AnswerMessageBox(IDOK);
  help.HHDisplayContents();
  EXPECT_TRUE(recorder.calls.empty());
  ExpectWarning(dialogs.MessageBoxes().at(0), Missing(AppPath() + "\\NoSuchHelp.chm"));
  EXPECT_EQ(help.CHMFile(), AppPath() + "\\NoSuchHelp.chm");
}

TEST_F(RegisteredHelpTest, RegisteredFileMissingFromItsFolderIsReportedTwice) {
  std::string recorded = folder.Path() + "\\gone\\";
  registrations.Add("Manual.chm", recorded);
  help.CHMFile("Manual.chm");
  dialogs.AnswerMessageBox(IDOK);
  dialogs.AnswerMessageBox(IDOK);
  help.HHDisplayContents();
  EXPECT_TRUE(recorder.calls.empty());
  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  ExpectWarning(dialogs.MessageBoxes()[0], Missing(recorded + "\\Manual.chm"));
  ExpectWarning(dialogs.MessageBoxes()[1], Missing(recorded + "Manual.chm"));
  EXPECT_FALSE(help.HHRegFileExists());
}

TEST_F(RegisteredHelpTest, CheckRegistryIgnoresEmptyNamesAndWarnsOfOtherFiles) {
  registrations.Add("Manual.chm", folder.Path() + "\\");
  help.HHCheckRegistry("Manual.chm");
  ASSERT_TRUE(help.HHRegFileExists());

  EXPECT_FALSE(help.HHCheckRegistry(""));
  EXPECT_EQ(help.HHRegFileName(), "Manual.chm");
  EXPECT_TRUE(help.HHRegFileExists());

  dialogs.AnswerMessageBox(IDOK);
  help.HHCheckRegistry("Manual.txt");
  ExpectWarning(dialogs.MessageBoxes().at(0), "Manual.txt" + kNotValid);
  EXPECT_FALSE(help.HHRegFileExists());
  EXPECT_EQ(help.HHRegFileName(), "Manual.chm");
}

TEST_F(RegisteredHelpTest, RegisterRecordsTheFolderUnderTheBareName) {
  registrations.Forget("Manual.chm");
  std::string file = chm;
  help.HHRegister(file);
  EXPECT_EQ(file, "Manual.chm");
  auto value = registrations.Read("Manual.chm");
  ASSERT_TRUE(value);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(HelpRegistrations::Text(*value), folder.Path() + "\\");
  EXPECT_EQ(value->data.size(), folder.Path().size() + 2);  // the terminating NUL counted
  EXPECT_EQ(help.HHRegFileName(), "");  // not read again after the write
  EXPECT_TRUE(dialogs.Calls().empty());
}

TEST_F(RegisteredHelpTest, RegisterOfABareNameRecordsTheProgramFolder) {
  registrations.Forget("Quenvor.chm");
  std::string file = "Quenvor.chm";
  help.HHRegister(file);
  EXPECT_EQ(file, "Quenvor.chm");
  auto value = registrations.Read("Quenvor.chm");
  ASSERT_TRUE(value);
  EXPECT_EQ(HelpRegistrations::Text(*value), AppPath() + "\\");
}

TEST_F(RegisteredHelpTest, RegisterOfARegisteredFileWritesNothing) {
  registrations.Add("Manual.chm", folder.Path() + "\\");
  std::string file = chm;
  dialogs.AnswerMessageBox(IDOK);
  help.HHRegister(file);
  const auto box = dialogs.MessageBoxes().at(0);
  EXPECT_EQ(box.text, "The file" + chm +
                          "is already registered.HHRegister will not be run as no action need be taken.");
  EXPECT_EQ(box.title, "HTML Help Class");
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONASTERISK));
  EXPECT_EQ(HelpRegistrations::Text(*registrations.Read("Manual.chm")), folder.Path() + "\\");
}

TEST_F(RegisteredHelpTest, RegisterOfAMissingFileWritesNothing) {
  registrations.Forget("Gone.chm");
  std::string file = folder.Path() + "\\Gone.chm";
  dialogs.AnswerMessageBox(IDOK);
  help.HHRegister(file);
  ExpectWarning(dialogs.MessageBoxes().at(0), Missing(folder.Path() + "\\Gone.chm"));
  EXPECT_FALSE(registrations.Read("Gone.chm"));
}

TEST_F(RegisteredHelpTest, OtherFilesAreNeitherRegisteredNorUnregistered) {
  registrations.Add("Notes.txt", folder.Path() + "\\");
  std::string file = folder.AddFile("Notes.txt");
  dialogs.AnswerMessageBox(IDOK);
  help.HHUnRegister(file);
  EXPECT_TRUE(registrations.Read("Notes.txt"));

  registrations.Forget("Other.txt");
  std::string other = folder.AddFile("Other.txt");
  dialogs.AnswerMessageBox(IDOK);
  help.HHRegister(other);
  EXPECT_FALSE(registrations.Read("Other.txt"));
  ASSERT_EQ(dialogs.MessageBoxes().size(), 2u);
  ExpectWarning(dialogs.MessageBoxes()[0], file + kNotValid);
  ExpectWarning(dialogs.MessageBoxes()[1], other + kNotValid);
}

TEST_F(RegisteredHelpTest, UnregisterDeletesTheRecordAndReadsTheStateAgain) {
  registrations.Add("Manual.chm", folder.Path() + "\\");
  std::string file = chm;
  help.HHUnRegister(file);
  EXPECT_EQ(file, "Manual.chm");
  EXPECT_FALSE(registrations.Read("Manual.chm"));
  EXPECT_EQ(help.HHRegFileName(), "");
  EXPECT_EQ(help.HHRegFilePath(), "");

  dialogs.AnswerMessageBox(IDOK);
  file = chm;
  help.HHUnRegister(file);
  const auto box = dialogs.MessageBoxes().at(0);
  EXPECT_EQ(box.text, "The file" + chm +
                          "is not registered.HHUnRegister will not be run as no action need be taken.");
  EXPECT_EQ(box.Icon(), static_cast<UINT>(MB_ICONASTERISK));
}

// ---- text popups

class PopupTest : public HelpTest {
 protected:
  const HelpCall::Popup& OnlyPopup() {
    EXPECT_EQ(recorder.calls.size(), 1u);
    return *recorder.calls.back().popup;
  }
};

TEST_F(PopupTest, TextPopupAtTheMouseWithColoursAndFontThenSettingsReturnToDefaults) {
  help.HHShowOnTop(false);  // the popup is owned by the caller all the same
  help.HHPopupType(4);
  help.HHPopupText("Saves every box");
  help.HHPopupTextColor(RGB(1, 2, 3));
  help.HHPopupBackColor(RGB(4, 5, 6));
  help.HHPopupCustomTextColor(RGB(7, 8, 9));
  help.HHPopupCustomBackColor(RGB(10, 11, 12));
  help.HHPopupCustomColors(true);
  help.HHPopupTextBold(true);
  help.HHPopupTextItalic(true);
  help.HHPopupTextUnderline(true);
  POINT mouse{};
  GetCursorPos(&mouse);

  help.HHDisplayPopup(kCaller);

  const HelpCall& call = recorder.calls.at(0);
  EXPECT_EQ(call.owner, kCaller);
  EXPECT_EQ(call.file, std::nullopt);
  EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TEXT_POPUP));
  const HelpCall::Popup& p = OnlyPopup();
  EXPECT_EQ(p.cbStruct, static_cast<int>(sizeof(HH_POPUP)));
  EXPECT_EQ(p.hinst, nullptr);
  EXPECT_EQ(p.idString, 0u);
  EXPECT_EQ(p.pszText, "Saves every box");
  EXPECT_EQ(p.pt.x, mouse.x);
  EXPECT_EQ(p.pt.y, mouse.y);
  EXPECT_EQ(p.clrForeground, RGB(7, 8, 9));
  EXPECT_EQ(p.clrBackground, RGB(10, 11, 12));
  EXPECT_EQ(p.rcMargins.left, -1);
  EXPECT_EQ(p.rcMargins.top, -1);
  EXPECT_EQ(p.rcMargins.right, -1);
  EXPECT_EQ(p.rcMargins.bottom, -1);
  EXPECT_EQ(p.pszFont, "Arial, 10, ascii, Bold Italic Underline");

  recorder.calls.clear();
  help.HHDisplayPopup(kCaller);
  const HelpCall::Popup& again = OnlyPopup();
  EXPECT_EQ(again.clrForeground, 0u);
  EXPECT_EQ(again.clrBackground, 0u);
  EXPECT_EQ(again.pszFont, "Arial, 10, ascii, ");
  EXPECT_TRUE(help.HHPopupCustomColors());
  EXPECT_EQ(again.pszText, "Saves every box");
}

TEST_F(PopupTest, PopupLeavesTheViewerHandleAlone) {
  help.HHDisplayContents();
  recorder.result = nullptr;
  help.HHPopupType(4);
  help.HHPopupText("x");
  help.HHDisplayPopup();
  EXPECT_EQ(help.HHWndHandle(), reinterpret_cast<HWND>(0x1234));
}

TEST_F(PopupTest, StringTablePopupShowsTheNumberedText) {
  help.HHPopupType(2);
  help.HHPopupID(318);
  help.HHPopupTextFont("Tahoma");
  help.HHPopupTextSize("12");
  help.HHDisplayPopup();
  const HelpCall::Popup& p = OnlyPopup();
  EXPECT_EQ(recorder.calls[0].file, std::nullopt);
  EXPECT_EQ(p.idString, 0u);
  EXPECT_EQ(p.pszText, LoadResString(318));
  EXPECT_EQ(p.pszFont, "Tahoma, 12, ascii, ");
}

TEST_F(PopupTest, HelpFilePopupNamesTheTextFileAndTopic) {
  help.HHPopupType(1);
  help.HHPopupFile("popups.txt");
  help.HHPopupID(7);
  help.HHDisplayPopup();
  const HelpCall::Popup& p = OnlyPopup();
  EXPECT_EQ(recorder.calls[0].file, chm + "::/popups.txt");
  EXPECT_EQ(p.idString, 7u);
  EXPECT_EQ(p.pszText, std::nullopt);

  recorder.calls.clear();
  help.HHPopupFile("popups.htm");
  dialogs.AnswerMessageBox(IDOK);
  help.HHDisplayPopup();
  EXPECT_TRUE(recorder.calls.empty());
  ExpectWarning(dialogs.MessageBoxes().at(0),
                "The file specified as the text popup source, 'popups.htm', is not a valid popup file.");
}

TEST_F(PopupTest, NothingIsShownForNoSourceAndSettingsStay) {
  help.HHPopupTextColor(RGB(200, 0, 0));
  for (int type : {0, 3}) {
    help.HHPopupType(type);
    help.HHDisplayPopup();
  }
  help.HHPopupType(4);  // no text
  help.HHDisplayPopup();
  EXPECT_TRUE(recorder.calls.empty());

  help.HHPopupText("now");
  help.HHDisplayPopup();
  EXPECT_EQ(OnlyPopup().clrForeground, RGB(200, 0, 0));
}

TEST_F(PopupTest, UnreachableViewerIsPassedOnAndSettingsStay) {
  recorder.entryMissing = true;
  help.HHPopupType(4);
  help.HHPopupText("x");
  help.HHPopupTextColor(RGB(0, 200, 0));
  EXPECT_THROW(help.HHDisplayPopup(), HTMLHelpError);

  recorder.entryMissing = false;
  help.HHDisplayPopup();
  EXPECT_EQ(OnlyPopup().clrForeground, RGB(0, 200, 0));
}

// ---- the main window's Help menu

TEST(MainWindowHelp, HelpMenuOpensTheProgramsHelpFileWithoutOwner) {
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
  HelpRecorder recorder;
  frmmain->hHelp = std::make_unique<HTMLHelp>();
  frmmain->hHelp->htmlHelp = recorder.Function();
  frmmain->hHelp->HHShowOnTop(true);

  frmmain->help_menu2_Click();
  frmmain->Image2_Click();  // the help picture does the same

  ASSERT_EQ(recorder.calls.size(), 2u);
  for (const HelpCall& call : recorder.calls) {
    EXPECT_EQ(call.command, static_cast<UINT>(HH_DISPLAY_TOC));
    EXPECT_EQ(call.owner, nullptr);
    EXPECT_EQ(call.file, AppPath() + "\\Quenvor.chm");
  }
  EXPECT_EQ(frmmain->hHelp->CHMFile(), AppPath() + "\\Quenvor.chm");
  frmmain->hHelp.reset();
}

}  // namespace
