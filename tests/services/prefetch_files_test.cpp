// The prefetch deletion on real files, with "windir" pointed at a scratch folder of the
// test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "services/PrefetchFiles.h"
#include "support/file_tree.h"
#include "support/scoped_environment.h"

namespace {

TEST(PrefetchFiles, OnlyMatchingFilesGoAndAFileInUseStopsNoOther) {
  ScratchFolder windows;
  auto in = [&](const wchar_t* name) { return windows.Sub(std::wstring(L"Prefetch\\") + name); };
  for (const wchar_t* name : {L"a.pf", L"B.PF", L"keep.txt", L"held.pf", L"z.pf", L"x.pf\\inner.pf"})
    MakeFile(in(name));
  // Held open without delete sharing: this one cannot go.
  HANDLE held = CreateFileW(in(L"held.pf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  {
    ScopedEnvironmentVariable windir("windir", Narrow(windows.Path()).c_str());
    DeletePrefetchFiles();
  }
  CloseHandle(held);

  EXPECT_FALSE(Exists(in(L"a.pf")));
  EXPECT_FALSE(Exists(in(L"B.PF")));
  EXPECT_FALSE(Exists(in(L"z.pf")));  // after the one in use
  EXPECT_TRUE(Exists(in(L"held.pf")));
  EXPECT_TRUE(Exists(in(L"keep.txt")));
  EXPECT_TRUE(Exists(in(L"x.pf\\inner.pf")));  // a folder is no prefetch file, whatever its name
}

TEST(PrefetchFiles, ALinkAmongThemIsLeftAndWhatItPointsToStays) {
  // prepare.sh: a prefetch file and link.pf, a link to a file outside the folder.
  const std::wstring fixtures = L"C:\\QuenvorServices";
  ASSERT_TRUE(Exists(fixtures + L"\\windows\\Prefetch\\real.pf")) << "the fixture of tests/services/prepare.sh is missing";
  {
    ScopedEnvironmentVariable windir("windir", Narrow(fixtures + L"\\windows").c_str());
    DeletePrefetchFiles();
  }
  EXPECT_FALSE(Exists(fixtures + L"\\windows\\Prefetch\\real.pf"));
  EXPECT_TRUE(Exists(fixtures + L"\\canary.pf"));
  EXPECT_TRUE(Exists(fixtures + L"\\windows\\Prefetch\\link.pf"));
}

TEST(PrefetchFiles, NoWindowsFolderNoDeletion) {
  // With "windir" empty or unset the folder would be "\Prefetch" on the current drive.
  ScratchFolder scratch;
  const std::wstring drive = scratch.Path().substr(0, 2);  // "C:"
  const std::wstring rootFile = drive + L"\\Prefetch\\root.pf";
  const bool madeFolder = !Exists(drive + L"\\Prefetch");
  MakeFile(rootFile);
  wchar_t current[MAX_PATH];
  GetCurrentDirectoryW(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryW(scratch.Path().c_str()));
  for (const char* value : {"", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(value ? "empty" : "unset");
    ScopedEnvironmentVariable windir("windir", value);
    DeletePrefetchFiles();
    EXPECT_TRUE(Exists(rootFile));
  }
  SetCurrentDirectoryW(current);
  if (madeFolder) RemoveTree(drive + L"\\Prefetch");
  else DeleteFileW(rootFile.c_str());
}

}  // namespace
