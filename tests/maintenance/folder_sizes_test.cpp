// The folder-size walker on real files: what the top-level sums and the full sizes count,
// folders that cannot be listed, files over 4 GB, links that lead back, and the size text.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "maintenance/FolderSizes.h"
#include "maintenance_fixtures.h"
#include "support/file_tree.h"

namespace {

constexpr uint64_t kMB = 1024 * 1024;
constexpr uint64_t kGB = 1024 * kMB;

class FolderSizesTest : public testing::Test {
 protected:
  void SetUp() override {
    // Names beginning with "." count in a full size and not in a top-level sum.
    MakeSizedFile(Top(L"a.bin"), 1000);
    MakeSizedFile(Top(L".hidden"), 50);
    MakeSizedFile(Top(L"sub\\b.bin"), 2000);
    MakeSizedFile(Top(L"sub\\.cache\\c.bin"), 7);
    MakeSizedFile(Top(L".git\\objects\\o.bin"), 300);
    MakeFolder(Top(L"empty"));
  }
  std::wstring Top(const std::wstring& relative = L"") { return scratch.Sub(L"top\\" + relative); }
  uint64_t Sum(bool recurse = true) {
    FolderWalkStats stats;
    stats.recurse = recurse;
    stats.path = Top();
    SumFolderFiles(stats.path, stats);
    return stats.total;
  }

  ScratchFolder scratch;
  GuardedListing listing;
};

TEST_F(FolderSizesTest, TopLevelSumsLeaveOutDotNamesAndFullSizesCountEveryFile) {
  EXPECT_EQ(Sum(), 3000u);
  EXPECT_EQ(Sum(false), 1000u) << "without recursion only the folder's own files";
  const MeasuredSize size = MeasureFolder(Top());
  EXPECT_EQ(size.bytes, 3357u);
  EXPECT_TRUE(size.complete);
  EXPECT_EQ(MeasureFolder(Top(L"empty")).bytes, 0u);
  EXPECT_TRUE(MeasureFolder(Top(L"empty")).complete);

  std::vector<SubFolder> subs;
  ASSERT_TRUE(ListSubFolders(Top(), &subs));
  std::vector<std::string> names;
  for (const SubFolder& sub : subs) names.push_back(sub.ansiName);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".git", "empty", "sub"})) << "files are no sub-folders";
}

TEST_F(FolderSizesTest, APartThatCannotBeListedAddsNothingAndLeavesTheSizeIncomplete) {
  struct Case {
    const char* name;
    std::wstring unreadable;
    uint64_t sum, bytes;
    bool complete, listed;
  };
  const Case cases[] = {
      {"a sub-folder", Top(L"sub\\"), 1000, 1350, false, true},
      {"a folder below one left out of the sum", Top(L".git\\objects"), 3000, 3057, false, true},
      {"the folder itself", Top(), 0, 0, false, false},
      {"another folder", scratch.Sub(L"elsewhere"), 3000, 3357, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GuardedListing guarded;
    guarded.MakeUnreadable(c.unreadable);
    EXPECT_EQ(Sum(), c.sum);
    const MeasuredSize size = MeasureFolder(Top());
    EXPECT_EQ(size.bytes, c.bytes);
    EXPECT_EQ(size.complete, c.complete);
    std::vector<SubFolder> subs;
    EXPECT_EQ(ListSubFolders(Top(), &subs), c.listed);
  }
}

TEST_F(FolderSizesTest, FilesOf4GBAndMoreCountWithTheirFullSize) {
  MakeSizedFile(Top(L"sub\\huge.iso"), 5 * kGB + 1);
  MakeSizedFile(Top(L"two.gb"), 2 * kGB);
  EXPECT_EQ(Sum(), 3000 + 7 * kGB + 1);
  EXPECT_EQ(MeasureFolder(Top(L"sub")).bytes, 2007 + 5 * kGB + 1);
  EXPECT_EQ(SizeText(Sum()), "7.00 GB)");
}

TEST_F(FolderSizesTest, AWalkFollowsLinksAndEndsWhereAPathReachesTheLengthLimit) {
  // loop\back leads to loop itself: every round adds "back\" until the path is too long.
  const MeasuredSize size = MeasureFolder(kLoopFolder);
  EXPECT_FALSE(size.complete) << "the listing at the limit fails";
  const int rounds = listing.TotalListings();
  EXPECT_GT(rounds, 40);
  EXPECT_LT(rounds, 60);  // (MAX_PATH - 29) / 5 rounds of "back\"
  FolderWalkStats stats;
  stats.path = kLoopFolder + L"\\";
  SumFolderFiles(stats.path, stats);
  EXPECT_EQ(listing.TotalListings(), 2 * rounds);

  // A plain chain deeper than the limit: its files above the limit count.
  std::wstring deep = Top(L"deep");
  while (deep.size() < MAX_PATH + 40) deep += L"\\chain";
  MakeSizedFile(deep + L"\\lost.bin", 5);
  MakeSizedFile(Top(L"deep\\chain\\found.bin"), 11);
  EXPECT_EQ(Sum(), 3011u);
  EXPECT_FALSE(MeasureFolder(Top(L"deep")).complete);
  EXPECT_EQ(MeasureFolder(Top(L"deep")).bytes, 11u);
}

// A 32-bit program on 64-bit Windows: the walks count the native System32, never SysWOW64
// in its place.
class NativeSystem32Test : public testing::Test {
 protected:
  void SetUp() override {
    if (!RedirectedSystem32()) GTEST_SKIP() << "System32 is not redirected here";
    MakeSizedFile(kNativeSystem32 + L"\\quenvor-native-only\\only.bin", 64 * kMB);
  }
  void TearDown() override { RemoveTree(kNativeSystem32 + L"\\quenvor-native-only"); }
};

TEST_F(NativeSystem32Test, TheWalksSeeTheNativeSystem32AndRedirectionIsOnAgainAfterwards) {
  const std::wstring system32 = L"C:\\windows\\system32\\";
  ASSERT_FALSE(Exists(system32 + L"quenvor-native-only")) << "made in SysWOW64 too";
  std::vector<SubFolder> subs;
  ASSERT_TRUE(ListSubFolders(system32, &subs));
  EXPECT_TRUE(std::any_of(subs.begin(), subs.end(),
                          [](const SubFolder& sub) { return sub.ansiName == "quenvor-native-only"; }));

  const MeasuredSize only = MeasureFolder(system32 + L"quenvor-native-only");
  EXPECT_EQ(only.bytes, 64 * kMB);
  EXPECT_TRUE(only.complete);
  FolderWalkStats stats;
  stats.path = system32;
  SumFolderFiles(stats.path, stats);
  const MeasuredSize whole = MeasureFolder(system32);
  EXPECT_EQ(whole.bytes, FilesBelow(kNativeSystem32));
  EXPECT_GE(stats.total, 64 * kMB);
  EXPECT_LE(stats.total, whole.bytes);

  // The thread's redirection is back: System32 is SysWOW64 again.
  EXPECT_FALSE(Exists(system32 + L"quenvor-native-only"));
}

TEST(FolderSizeText, MegabytesUpTo1024ThenGigabytesInTheUsersLocale) {
  struct Case {
    uint64_t bytes;
    bool complete;
    const char* text;
  };
  const Case cases[] = {
      {0, true, "0.00 MB)"},
      {5000, true, "0.00 MB)"},
      {kMB + kMB / 2, true, "1.50 MB)"},
      {1000 * kMB, true, "1000.00 MB)"},  // no digit grouping
      {kGB, true, "1024.00 MB)"},
      {kGB + 1, true, "1.00 GB)"},
      {5 * kGB + kGB / 4, true, "5.25 GB)"},
      {12 * kMB + kMB / 2, false, "12.50 MB or more)"},
  };
  for (const Case& c : cases) EXPECT_EQ(SizeText(c.bytes, c.complete), c.text) << c.bytes;
}

}  // namespace
