// The folder walk of the temporary-folder cleaner on real files: what it deletes, what it
// leaves and reports, and the folders it never walks (drive roots, folders holding the
// Windows folder, a profile or the program, links), also when they are reached under
// another name (a link on the way, a mapped drive).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/process.h"
#include "platform/seam.h"
#include "support/fakes.h"
#include "support/file_tree.h"
#include "support/scoped_environment.h"
#include "tweaks/FolderDelete.h"

namespace {

// The host-side fixtures of prepare.sh.
const std::wstring kFixtures = L"C:\\QuenvorFixtures";
const std::wstring kLinkedTemp = kFixtures + L"\\linked\\temp";
const std::wstring kCanary = kFixtures + L"\\linked\\canary\\keep.txt";

// What is left below the folder, as sorted relative paths ("sub\\" for a folder).
std::vector<std::string> Left(const std::wstring& folder, const std::wstring& prefix = L"") {
  std::vector<std::string> entries;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return entries;
  do {
    std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries.push_back(Narrow(prefix + name) + "\\");
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        for (auto& inner : Left(folder + L"\\" + name, prefix + name + L"\\")) entries.push_back(inner);
      }
    } else {
      entries.push_back(Narrow(prefix + name));
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(entries.begin(), entries.end());
  return entries;
}

std::string SystemText(DWORD error) { return platform::SystemErrorText(error); }

class FolderDeleteTest : public testing::Test {
 protected:
  std::vector<std::string> Reports() {
    std::vector<std::string> texts;
    for (const auto& box : dialogs.MessageBoxes()) {
      EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONERROR)) << box.text;
      EXPECT_EQ(box.title, "Quenvor Pro");
      EXPECT_TRUE(box.coloured);
      texts.push_back(box.text);
    }
    return texts;
  }
  std::string Path(const std::wstring& relative) { return Narrow(scratch.Sub(relative)); }

  ScratchFolder scratch;
  FakeDialogs dialogs;
  platform::Override<platform::Dialogs> useDialogs{dialogs};
};

TEST_F(FolderDeleteTest, NestedFoldersGoDepthFirstAndTheBaseStaysOnlyForContentOnly) {
  for (bool contentOnly : {true, false}) {
    SCOPED_TRACE(contentOnly);
    const std::wstring base = scratch.Sub(L"base");
    MakeFile(base + L"\\top.txt");
    MakeFile(base + L"\\a\\b\\c\\deep.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFolder(base + L"\\empty");
    const FolderDeleteResult result = FolderDelete(Narrow(base), contentOnly, true);
    EXPECT_EQ(result.refused, "");
    EXPECT_EQ(result.notDeleted, 0);
    EXPECT_FALSE(result.stopped);
    EXPECT_EQ(Exists(base), contentOnly);
    EXPECT_EQ(Left(base), std::vector<std::string>{});
  }
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

struct LeftCase {
  const char* name;
  bool showErrors;
};

class FolderDeleteLeaves : public FolderDeleteTest, public testing::WithParamInterface<LeftCase> {};

TEST_P(FolderDeleteLeaves, ReadOnlyAndOpenFilesStayWithTheirFoldersAndAreReportedWhenAsked) {
  const bool showErrors = GetParam().showErrors;
  MakeFile(scratch.Sub(L"sub\\locked.txt"), FILE_ATTRIBUTE_READONLY);
  MakeFile(scratch.Sub(L"sub\\plain.txt"));
  MakeFile(scratch.Sub(L"open.txt"));
  MakeFile(scratch.Sub(L"plain.txt"));
  // Held open without share-delete, as a program using the file would.
  if (showErrors)
    for (int i = 0; i < 3; ++i) dialogs.AnswerMessageBox(IDOK);
  HANDLE open = CreateFileW((L"\\\\?\\" + scratch.Sub(L"open.txt")).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(open, INVALID_HANDLE_VALUE);

  const FolderDeleteResult result = FolderDelete(scratch.Path(), true, showErrors);
  CloseHandle(open);

  EXPECT_EQ(result.notDeleted, 3);
  EXPECT_EQ(Left(scratch.Path()), (std::vector<std::string>{"open.txt", "sub\\", "sub\\locked.txt"}));
  if (!showErrors) {
    EXPECT_TRUE(dialogs.MessageBoxes().empty());
    return;
  }
  // Subfolders first (a folder after its contents), then the files of the folder.
  EXPECT_EQ(Reports(), (std::vector<std::string>{
                           Path(L"sub\\locked.txt") + ": " + SystemText(ERROR_ACCESS_DENIED),
                           Path(L"sub") + ": " + SystemText(ERROR_DIR_NOT_EMPTY),
                           Path(L"open.txt") + ": " + SystemText(ERROR_SHARING_VIOLATION)}));
}

INSTANTIATE_TEST_SUITE_P(ShowErrors, FolderDeleteLeaves,
                         testing::Values(LeftCase{"On", true}, LeftCase{"Off", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(FolderDeleteTest, LongPathsAndNamesOutsideTheCodePageAreDeletedAsTheyAre) {
  // These letters have no place in the ANSI code page: as ANSI they would read "?", a
  // wildcard.
  const std::wstring foreign = L"\u0416\u0443\u043a";
  MakeFile(scratch.Sub(foreign + L"\\" + foreign + L".txt"));
  MakeFile(scratch.Sub(L"\u0416.txt"));
  std::wstring deep = scratch.Sub(L"long");
  while (deep.size() < MAX_PATH + 40) deep += L"\\" + std::wstring(40, L'n');
  MakeFile(deep + L"\\far.txt");

  const FolderDeleteResult result = FolderDelete(scratch.Path(), true, true);
  EXPECT_EQ(result.notDeleted, 0);
  EXPECT_EQ(Left(scratch.Path()), std::vector<std::string>{});
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(FolderDeleteTest, ALinkIsNeverWalkedAndWhatItPointsToStays) {
  ASSERT_TRUE(Exists(kCanary)) << "the link fixture of tests/tweaks/prepare.sh is missing";
  const std::wstring outside = kFixtures + L"\\linked\\outside";
  ASSERT_TRUE(Exists(outside + L"\\thesis.txt"));
  MakeFile(kLinkedTemp + L"\\mine.txt");
  // Windows removes a link itself; Wine would follow it, so each link stays and is named:
  // a link to a folder that holds something, to a file and to an empty folder.
  for (int i = 0; i < 3; ++i) dialogs.AnswerMessageBox(IDOK);
  const FolderDeleteResult result = FolderDelete(kLinkedTemp, true, true);
  EXPECT_TRUE(Exists(kCanary));
  EXPECT_TRUE(Exists(outside + L"\\thesis.txt"));
  EXPECT_TRUE(Exists(outside + L"\\EmptyProject"));
  EXPECT_FALSE(Exists(kLinkedTemp + L"\\mine.txt"));
  const std::vector<std::wstring> links{kLinkedTemp + L"\\emptylink", kLinkedTemp + L"\\link",
                                        kLinkedTemp + L"\\notes-link.txt"};
  for (const std::wstring& link : links) EXPECT_TRUE(Exists(link)) << Narrow(link);
  std::vector<std::wstring> left = result.linksLeft;
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, links);
  EXPECT_EQ(result.notDeleted, 3);
  std::vector<std::string> reports = Reports(), expected;
  for (const std::wstring& link : links) expected.push_back(Narrow(link) + ": " + kLinkLeftText);
  std::sort(reports.begin(), reports.end());
  EXPECT_EQ(reports, expected);
  // The link as the folder given: what it points to is not emptied.
  const FolderDeleteResult direct = FolderDelete(kLinkedTemp + L"\\link", true, false);
  EXPECT_EQ(direct.refused, "it is a link to another folder");
  EXPECT_TRUE(Exists(kCanary));
}

// Between the listing of a folder and the opening of its entries, another program may
// rename an entry away and leave a link under its name. prepare.sh gives race\temp\mid a
// folder "victim" and a file "notes.txt" with links "VICTIM" and "NOTES.TXT" beside them (to
// race\canary and its notes.txt): once the real entry is renamed away, its name opens the
// link, as a name swapped for a link would.
class RenameAway final : public FolderWalkWatch {
 public:
  void BeforeOpening(const std::wstring& path) override {
    for (const wchar_t* name : {L"\\mid\\victim", L"\\mid\\notes.txt"}) {
      const size_t length = wcslen(name);
      if (path.size() < length || path.compare(path.size() - length, length, name) != 0) continue;
      renamed.push_back(MoveFileW(path.c_str(), (path + L"-gone").c_str()) != FALSE);
    }
  }
  std::vector<bool> renamed;
};

TEST_F(FolderDeleteTest, ANameThatLeadsThroughALinkOnceListedIsNeverFollowed) {
  const std::wstring race = kFixtures + L"\\race";
  const std::wstring mid = race + L"\\temp\\mid";
  ASSERT_TRUE(Exists(mid + L"\\victim\\keep.txt")) << "the race fixture of tests/tweaks/prepare.sh is missing";
  RenameAway renameAway;
  platform::Override<FolderWalkWatch> watch(renameAway);

  const FolderDeleteResult result = FolderDelete(race + L"\\temp", true, false);

  EXPECT_EQ(renameAway.renamed, (std::vector<bool>{true, true}));
  EXPECT_TRUE(Exists(race + L"\\canary\\keep.txt"));
  EXPECT_TRUE(Exists(race + L"\\canary\\notes.txt"));
  std::vector<std::wstring> left = result.linksLeft;
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::wstring>{mid + L"\\NOTES.TXT", mid + L"\\VICTIM", mid + L"\\notes.txt",
                                             mid + L"\\victim"}));
  EXPECT_EQ(result.refused, "");
}

TEST_F(FolderDeleteTest, AFolderThatIsNotThereOrIsAFileIsLeftAlone) {
  MakeFile(scratch.Sub(L"file.txt"));
  for (const std::wstring& path : {scratch.Sub(L"missing"), scratch.Sub(L"file.txt")}) {
    const FolderDeleteResult result = FolderDelete(path, false, true);
    EXPECT_EQ(result.refused, "");
    EXPECT_EQ(result.notDeleted, 0);
  }
  EXPECT_TRUE(Exists(scratch.Sub(L"file.txt")));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

// ---- folders never walked --------------------------------------------------------------

std::wstring ProgramFolder() {
  wchar_t path[MAX_PATH];
  DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring program(path, n);
  return program.substr(0, program.find_last_of(L'\\'));
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  GetEnvironmentVariableW(name, value, MAX_PATH);
  return value;
}

std::wstring WindowsFolder() {
  wchar_t path[MAX_PATH] = {};
  GetWindowsDirectoryW(path, MAX_PATH);
  return path;
}

std::wstring Profile() { return Environment(L"USERPROFILE"); }
std::wstring ProfileName() { return Profile().substr(Profile().find_last_of(L'\\') + 1); }

// Other names for C:\users and C:\ (host links of prepare.sh).
const std::wstring kUsersLink = kFixtures + L"\\users";
const std::wstring kRootLink = kFixtures + L"\\root";

struct RefusalCase {
  const char* name;
  std::wstring (*folder)();
  std::string (*reason)();
};

class FolderRefusals : public testing::TestWithParam<RefusalCase> {};

TEST_P(FolderRefusals, NameWhyTheFolderIsLeftAlone) {
  ASSERT_TRUE(Exists(kUsersLink + L"\\Public")) << "the links of tests/tweaks/prepare.sh are missing";
  std::wstring resolved;
  EXPECT_EQ(FolderRefusal(GetParam().folder(), &resolved), GetParam().reason()) << Narrow(resolved);
}

std::string Text(const char* text) { return text; }
std::string Is(const char* what, const std::wstring& folder) {
  return std::string("it is ") + what + " " + Narrow(folder);
}
std::string LiesIn(const char* what, const std::wstring& folder) {
  return std::string("it lies in ") + what + " " + Narrow(folder);
}
std::string Holds(const char* what, const std::wstring& folder) {
  return std::string("it holds ") + what + " " + Narrow(folder);
}

INSTANTIATE_TEST_SUITE_P(
    Folders, FolderRefusals,
    testing::Values(
        RefusalCase{"Empty", [] { return std::wstring(); }, [] { return Text("no folder is named"); }},
        RefusalCase{"DriveRoot", [] { return std::wstring(L"C:\\"); }, [] { return Text("a drive root"); }},
        RefusalCase{"DriveRootByDots", [] { return std::wstring(L"c:\\windows\\.."); },
                    [] { return Text("a drive root"); }},
        RefusalCase{"DriveRootLong", [] { return std::wstring(L"\\\\?\\C:\\"); }, [] { return Text("a drive root"); }},
        RefusalCase{"Network", [] { return std::wstring(L"\\\\server\\share\\temp"); },
                    [] { return Text("not a folder on a drive letter"); }},
        RefusalCase{"Device", [] { return std::wstring(L"\\\\.\\C:\\temp"); },
                    [] { return Text("not a folder on a drive letter"); }},
        RefusalCase{"Wildcards", [] { return std::wstring(L"C:\\users\\???"); },
                    [] { return Text("the name holds wildcard characters"); }},
        RefusalCase{"WindowsFolder", [] { return std::wstring(L"C:\\WINDOWS\\"); },
                    [] { return Is("the Windows folder", WindowsFolder()); }},
        RefusalCase{"UsersHoldTheProfile", [] { return std::wstring(L"C:\\users"); },
                    [] { return Holds("the user profile", Profile()); }},
        RefusalCase{"Profile", [] { return Profile(); }, [] { return Is("the user profile", Profile()); }},
        RefusalCase{"AnotherProfile", [] { return std::wstring(L"C:\\users\\Public\\"); },
                    [] { return Is("a user profile", L"C:\\users\\Public"); }},
        RefusalCase{"ProgramFolder", [] { return ProgramFolder(); },
                    [] { return Is("the program's folder", ProgramFolder()); }},
        // The same folders reached through a link on the way.
        RefusalCase{"ProfileThroughALink", [] { return kUsersLink + L"\\" + ProfileName(); },
                    [] { return Is("the user profile", Profile()); }},
        RefusalCase{"UsersThroughALink", [] { return kUsersLink; },
                    [] { return Holds("the user profile", Profile()); }},
        RefusalCase{"AnotherProfileThroughALink", [] { return kUsersLink + L"\\public"; },
                    [] { return Is("a user profile", L"C:\\users\\Public"); }},
        RefusalCase{"DriveRootThroughALink", [] { return kRootLink; }, [] { return Text("a drive root"); }},
        RefusalCase{"WindowsThroughALinkToTheRoot", [] { return kRootLink + L"\\windows"; },
                    [] { return Is("the Windows folder", WindowsFolder()); }},
        RefusalCase{"ProgramFolderThroughALinkToTheRoot", [] { return kRootLink + ProgramFolder().substr(2); },
                    [] { return Is("the program's folder", ProgramFolder()); }},
        // Names that are not full paths on a drive letter.
        RefusalCase{"Relative", [] { return std::wstring(L"."); },
                    [] { return Text("the name is relative, not a full path"); }},
        RefusalCase{"RelativeUpward", [] { return std::wstring(L"..\\windows\\system32"); },
                    [] { return Text("the name is relative, not a full path"); }},
        RefusalCase{"RelativeToADrive", [] { return std::wstring(L"C:windows"); },
                    [] { return Text("the name is relative, not a full path"); }},
        RefusalCase{"LongNetwork", [] { return std::wstring(L"\\\\?\\UNC\\server\\share\\temp"); },
                    [] { return Text("not a folder on a drive letter"); }},
        RefusalCase{"LongDevice", [] { return std::wstring(L"\\\\?\\GLOBALROOT\\Device\\HarddiskVolume1\\temp"); },
                    [] { return Text("not a folder on a drive letter"); }},
        // The system's folders and the users' own.
        RefusalCase{"System32", [] { return WindowsFolder() + L"\\System32"; },
                    [] { return LiesIn("the Windows folder", WindowsFolder()); }},
        RefusalCase{"SysWOW64", [] { return WindowsFolder() + L"\\SysWOW64\\"; },
                    [] { return LiesIn("the Windows folder", WindowsFolder()); }},
        RefusalCase{"ProgramFiles", [] { return Environment(L"ProgramW6432"); },
                    [] { return Is("a program files folder", Environment(L"ProgramW6432")); }},
        RefusalCase{"ProgramFilesX86", [] { return Environment(L"ProgramFiles(x86)") + L"\\Common Files"; },
                    [] { return LiesIn("a program files folder", Environment(L"ProgramFiles(x86)")); }},
        RefusalCase{"ProgramData", [] { return Environment(L"ProgramData"); },
                    [] { return Is("the program data folder", Environment(L"ProgramData")); }},
        RefusalCase{"Documents", [] { return Profile() + L"\\Documents"; },
                    [] { return Is("a user's Documents folder", Profile() + L"\\Documents"); }},
        RefusalCase{"InsideDesktop", [] { return Profile() + L"\\Desktop\\old stuff"; },
                    [] { return LiesIn("a user's Desktop folder", Profile() + L"\\Desktop"); }},
        RefusalCase{"AnotherUsersRoaming", [] { return std::wstring(L"C:\\users\\Public\\AppData\\Roaming\\x"); },
                    [] { return LiesIn("a user's AppData\\Roaming folder", L"C:\\users\\Public\\AppData\\Roaming"); }},
        RefusalCase{"LocalAppData", [] { return Profile() + L"\\AppData\\Local"; },
                    [] { return Is("a user's AppData\\Local folder", Profile() + L"\\AppData\\Local"); }},
        // The same through a link on the way.
        RefusalCase{"System32ThroughALinkToTheRoot", [] { return kRootLink + L"\\windows\\system32"; },
                    [] { return LiesIn("the Windows folder", WindowsFolder()); }},
        RefusalCase{"DocumentsThroughALink", [] { return kUsersLink + L"\\" + ProfileName() + L"\\documents"; },
                    [] { return Is("a user's Documents folder", Profile() + L"\\Documents"); }},
        // Inside them is fine: the Windows Temp folder, the profile's Temp folder, also by
        // another name.
        RefusalCase{"InsideWindowsTemp", [] { return WindowsFolder() + L"\\Temp\\setup files"; },
                    [] { return Text(""); }},
        RefusalCase{"WindowsTempThroughALinkToTheRoot", [] { return kRootLink + L"\\windows\\temp"; },
                    [] { return Text(""); }},
        RefusalCase{"LocalAppDataTemp", [] { return Profile() + L"\\AppData\\Local\\Temp"; },
                    [] { return Text(""); }},
        RefusalCase{"WindowsTemp", [] { return std::wstring(L"C:\\windows\\Temp"); }, [] { return Text(""); }},
        RefusalCase{"ProfileTemp", [] { return Profile() + L"\\Temp\\"; }, [] { return Text(""); }},
        RefusalCase{"ProfileTempThroughALink", [] { return kUsersLink + L"\\" + ProfileName() + L"\\Temp"; },
                    [] { return Text(""); }},
        RefusalCase{"NameStartingLikeTheWindowsFolder", [] { return std::wstring(L"C:\\windowsold"); },
                    [] { return Text(""); }}),
    [](const auto& info) { return std::string(info.param.name); });

// Drive K: is the folder holding a profile folder: the profile is reached by a drive letter.
TEST_F(FolderDeleteTest, AProfileReachedThroughAMappedDriveIsLeftAlone) {
  ASSERT_NE(GetLogicalDrives() & (1u << ('K' - 'A')), 0u) << "drive K: of tests/tweaks/prepare.sh is missing";
  const std::wstring profile = kFixtures + L"\\profiles\\someone";
  const std::wstring canary = profile + L"\\Documents\\keep.txt";
  ASSERT_TRUE(Exists(canary));
  ScopedEnvironmentVariable user("USERPROFILE", Narrow(profile).c_str());
  const struct {
    std::wstring folder;
    std::string reason;
  } cases[] = {
      {L"K:\\someone", Is("the user profile", profile)},
      {L"k:\\SOMEONE\\", Is("the user profile", profile)},
      // The folder holding the drive's folder, by another name: the system names the
      // profile by its drive (K:\someone), not by a path below this folder.
      {kRootLink + L"\\QuenvorFixtures", Holds("the user profile", profile)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.folder));
    const FolderDeleteResult result = FolderDelete(c.folder, true, true);
    EXPECT_EQ(result.refused, c.reason);
    EXPECT_EQ(result.notDeleted, 0);
  }
  EXPECT_TRUE(Exists(canary));
  // Inside it is fine.
  MakeFile(profile + L"\\Temp\\old.tmp");
  EXPECT_EQ(FolderDelete(std::wstring(L"K:\\someone\\Temp"), true, true).refused, "");
  EXPECT_FALSE(Exists(profile + L"\\Temp\\old.tmp"));
  EXPECT_TRUE(Exists(canary));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
}

TEST_F(FolderDeleteTest, ALoneBackslashNamesTheCurrentDrivesRootAndIsLeftAlone) {
  ASSERT_NE(GetLogicalDrives() & (1u << ('R' - 'A')), 0u)
      << "drive R: of tests/tweaks/prepare.sh is missing";
  MakeFile(L"R:\\canary.txt");
  MakeFile(L"R:\\folder\\inside.txt");
  wchar_t before[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, before);
  ASSERT_TRUE(SetCurrentDirectoryW(L"R:\\"));
  const FolderDeleteResult result = FolderDelete(std::string("\\"), true, true);
  SetCurrentDirectoryW(before);

  EXPECT_EQ(result.refused, "the name is relative, not a full path");
  EXPECT_TRUE(Exists(L"R:\\canary.txt"));
  EXPECT_TRUE(Exists(L"R:\\folder\\inside.txt"));
  EXPECT_TRUE(dialogs.MessageBoxes().empty());
  RemoveTree(L"R:\\folder");
  RemoveTree(L"R:\\canary.txt");
}

}  // namespace
