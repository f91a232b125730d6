// The junk cleaner's search on a fixture folder: which names match, what is counted, which
// folders are searched, and the counters' limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "maintenance/JunkSearch.h"
#include "maintenance_fixtures.h"
#include "support/file_tree.h"

namespace {

class Recorder : public JunkSearchObserver {
 public:
  void FileFound(const std::string& path) override { found.push_back(path); }
  void Scanned() override { ++scans; }
  std::vector<std::string> found;
  int scans = 0;
};

class JunkSearchTest : public testing::Test {
 protected:
  // Runs a search of the scratch folder as the page starts one.
  JunkSearchState Search(bool subFolders) {
    JunkSearchState state;
    state.SearchSubFolders = subFolders;
    state.JunkFilePatterns = kJunkFilePatterns;
    state.SearchRoot = Root();
    SearchFolder(state.SearchRoot, state, recorder);
    return state;
  }
  std::string Root() { return Narrow(scratch.Path()) + "\\"; }
  std::vector<std::string> Found() {
    std::vector<std::string> names;
    for (const std::string& path : recorder.found) names.push_back(path.substr(Root().size()));
    std::sort(names.begin(), names.end());
    return names;
  }

  ScratchFolder scratch;
  Recorder recorder;
};

TEST_F(JunkSearchTest, NamesMatchByThePatternsAloneAndSubFoldersAreSearchedWhenAsked) {
  // 11 entries in the folder, "." and ".." with them.
  for (const wchar_t* name : {L"a.tmp", L"readme.txt", L"WINZIP.LOG", L"fffa.tmpx", L"fffa.tmpxy",
                              L"ffb.tmp", L"~abc", L"notes.doc"})
    MakeFile(scratch.Sub(name));
  MakeFile(scratch.Sub(L"~$report.doc"), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
  MakeFile(scratch.Sub(L"sub\\b.chk"));                 // sub: ".", "..", b.chk, deeper
  MakeFile(scratch.Sub(L"sub\\deeper\\c.DMP"));          // deeper: ".", "..", c.DMP
  MakeFile(scratch.Sub(L".cache\\never.tmp"));           // a folder that is never searched

  struct Case {
    const char* name;
    bool subFolders;
    std::vector<std::string> found;
    int scanned;
  };
  const std::vector<std::string> top = {"WINZIP.LOG", "a.tmp", "ffb.tmp", "fffa.tmpx", "~$report.doc"};
  std::vector<std::string> all = top;
  all.insert(all.end(), {"sub\\b.chk", "sub\\deeper\\c.DMP"});
  std::sort(all.begin(), all.end());
  const Case cases[] = {
      // Every entry of the folder counts once, folders too.
      {"sub-folders clear", false, top, 13},
      // A searched sub-folder adds its entries and itself once more.
      {"sub-folders ticked", true, all, 13 + (4 + 1) + (3 + 1)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    recorder = Recorder();
    const JunkSearchState state = Search(c.subFolders);
    EXPECT_EQ(Found(), c.found);
    EXPECT_EQ(state.FilesFound, static_cast<int32_t>(c.found.size()));
    EXPECT_EQ(state.FilesScanned, c.scanned);
    EXPECT_EQ(recorder.scans, 13 + (c.subFolders ? 4 + 3 : 0)) << "once per entry met";
  }
  // Rows are the folder's path and the name.
  EXPECT_NE(std::find(recorder.found.begin(), recorder.found.end(), Root() + "sub\\deeper\\c.DMP"),
            recorder.found.end());
}

TEST_F(JunkSearchTest, TheLastTwoPatternsTakeOneCharacterAfterTmp) {
  struct Case {
    const wchar_t* name;
    bool matches;
  };
  const Case cases[] = {
      {L"fff1.tmp", true},    {L"fff1.tmpA", true},  {L"fff1.tmpAB", false}, {L"ff.tmp", true},
      {L"xff.tmpA", false},   {L"~.log", true},      {L"~x.y", true},        {L"~abc", false},
      {L"mscreate.dir", true}, {L"MSCREATE.DIRX", false}, {L"old.$$$", true}, {L"x.~", true},
      {L"x.$a", true},        {L"x.bak", false},     {L"RBBAD.CAB", true},   {L"rbbad.cabs", false},
  };
  for (const Case& c : cases) MakeFile(scratch.Sub(c.name));
  Search(false);
  for (const Case& c : cases) {
    const bool found = std::find(recorder.found.begin(), recorder.found.end(), Root() + Narrow(c.name)) !=
                       recorder.found.end();
    EXPECT_EQ(found, c.matches) << Narrow(c.name);
  }
}

TEST_F(JunkSearchTest, AnEmptyFolderFindsNothingAndCountersStopAtTheLargestValue) {
  JunkSearchState state = Search(true);
  EXPECT_EQ(state.FilesFound, 0);
  EXPECT_EQ(state.FilesScanned, 2) << "\".\" and \"..\"";
  EXPECT_TRUE(recorder.found.empty());

  MakeFile(scratch.Sub(L"one.tmp"));
  MakeFile(scratch.Sub(L"two.tmp"));
  state.FilesFound = INT32_MAX - 1;
  state.FilesScanned = INT32_MAX - 2;
  SearchFolder(Root(), state, recorder);
  EXPECT_EQ(state.FilesFound, INT32_MAX);
  EXPECT_EQ(state.FilesScanned, INT32_MAX);
  EXPECT_EQ(recorder.found.size(), 2u) << "rows still come";
}

TEST_F(JunkSearchTest, LinksAndNamesTheCodePageCannotShowAreNotFollowed) {
  // Through the link of prepare.sh: C:\QuenvorMaintenance\jdrive\linked holds junk names.
  JunkSearchState state;
  state.SearchSubFolders = true;
  state.JunkFilePatterns = kJunkFilePatterns;
  SearchFolder("C:\\QuenvorMaintenance\\jdrive\\", state, recorder);
  EXPECT_TRUE(recorder.found.empty());
  EXPECT_EQ(state.FilesScanned, 3) << "\".\", \"..\" and the link, not searched";

  // A name outside the ANSI code page comes back with "?" in place of the character; a
  // path longer than the system's limit cannot be listed.
  MakeFile(scratch.Sub(L"snow\u2603.tmp"));
  std::wstring deep = scratch.Sub(L"deep");
  while (deep.size() < MAX_PATH + 20) deep += L"\\chain";
  MakeFile(deep + L"\\lost.tmp");
  Search(true);
  EXPECT_EQ(Found(), std::vector<std::string>{"snow?.tmp"});
}

TEST_F(JunkSearchTest, NamesAreMatchedAsTheyAreAndShownWithoutLookAlikeLetters) {
  // Code page 1252 (the test prefix's): "\u00e9" and "\u00ef" are in it; the others are not.
  // Their look-alike letters there would name other files ("cafa", "x.tmp", "~.log"): a row
  // shows "?" in their place, and a name is matched as it is.
  ASSERT_EQ(GetACP(), 1252u);
  for (const wchar_t* path : {L"snow\u2603\\inside.tmp",
                              L"caf\u0101\\one.tmp",      // not "cafa"
                              L"cafa\\two.tmp",            // found once, not twice
                              L"\uff0ehidden\\three.tmp",  // not a "." folder: searched
                              L"caf\u00e9\\four.tmp", L"na\u00efve.tmp",
                              L"x.\uff54mp",                // not a ".tmp" name
                              L"\uff5e.log",                 // not a "~" name
                              L"\u0101.tmp"})
    MakeFile(scratch.Sub(path));
  const JunkSearchState state = Search(true);
  EXPECT_EQ(Found(), (std::vector<std::string>{"?.tmp", "?hidden\\three.tmp", "caf?\\one.tmp",
                                               "cafa\\two.tmp", "caf\xe9\\four.tmp", "na\xefve.tmp",
                                               "snow?\\inside.tmp"}));
  EXPECT_EQ(state.FilesFound, 7);
  // 11 entries in the folder; five folders searched (one more each), with 3 entries each.
  EXPECT_EQ(state.FilesScanned, 11 + 5 + 15);
}

TEST_F(JunkSearchTest, AFolderIsListedWhileItsPatternFitsInMaxPath) {
  // A folder's listing pattern is its path, "\" and "*.*".
  const std::string root = Root();
  struct Case {
    int patternLength;
    bool listed;
  };
  const Case cases[] = {{MAX_PATH - 1, true}, {MAX_PATH, true}, {MAX_PATH + 1, false}};
  for (const Case& c : cases) {
    std::wstring name(c.patternLength - root.size() - 4, L'a');
    name[0] = static_cast<wchar_t>(L'0' + c.patternLength % 10);
    MakeFile(scratch.Sub(name + L"\\in.tmp"));
  }
  Search(true);
  ASSERT_EQ(recorder.found.size(), 2u);
  for (const Case& c : cases) {
    const char first = static_cast<char>('0' + c.patternLength % 10);
    const bool found = std::any_of(recorder.found.begin(), recorder.found.end(),
                                   [&](const std::string& path) { return path[root.size()] == first; });
    EXPECT_EQ(found, c.listed) << "pattern of " << c.patternLength << " characters";
  }
}

}  // namespace
