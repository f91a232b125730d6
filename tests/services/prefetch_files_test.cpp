// The prefetch deletion on real files, with "windir" pointed at a scratch folder of the
// test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <optional>
#include <string>

#include "services/PrefetchFiles.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
  CloseHandle(file);
}

// Deletes a folder with everything in it.
void RemoveTree(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path);
      } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
      }
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

// "windir" as the test sets it, put back afterwards.
class WindirOverride {
 public:
  explicit WindirOverride(const char* value) {
    char buffer[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("windir", buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH) saved_ = std::string(buffer, length);
    SetEnvironmentVariableA("windir", value);
  }
  ~WindirOverride() { SetEnvironmentVariableA("windir", saved_ ? saved_->c_str() : nullptr); }

 private:
  std::optional<std::string> saved_;
};

class PrefetchFiles : public testing::Test {
 protected:
  void SetUp() override {
    root_ = "C:\\QuenvorPrefetchTest" + std::to_string(GetCurrentProcessId());
    RemoveTree(root_);
    ASSERT_TRUE(CreateDirectoryA(root_.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(Prefetch().c_str(), nullptr));
  }
  void TearDown() override { RemoveTree(root_); }
  std::string Prefetch() const { return root_ + "\\Prefetch"; }
  std::string In(const char* name) const { return Prefetch() + "\\" + name; }

  std::string root_;
};

TEST_F(PrefetchFiles, OnlyMatchingFilesGoAndAFileInUseStopsNoOther) {
  for (const char* name : {"a.pf", "B.PF", "keep.txt", "held.pf", "z.pf"}) MakeFile(In(name));
  ASSERT_TRUE(CreateDirectoryA(In("x.pf").c_str(), nullptr));
  MakeFile(In("x.pf\\inner.pf"));
  // Held open without delete sharing: this one cannot go.
  HANDLE held = CreateFileA(In("held.pf").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);

  {
    WindirOverride windir(root_.c_str());
    DeletePrefetchFiles();
  }
  CloseHandle(held);

  EXPECT_FALSE(Exists(In("a.pf")));
  EXPECT_FALSE(Exists(In("B.PF")));
  EXPECT_FALSE(Exists(In("z.pf")));  // after the one in use
  EXPECT_TRUE(Exists(In("held.pf")));
  EXPECT_TRUE(Exists(In("keep.txt")));
  EXPECT_TRUE(Exists(In("x.pf\\inner.pf")));  // a folder is no prefetch file, whatever its name
}

TEST_F(PrefetchFiles, NoWindowsFolderNoDeletion) {
  // With "windir" empty or unset the folder would be "\Prefetch" on the current drive.
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  ASSERT_TRUE(SetCurrentDirectoryA(root_.c_str()));
  const std::string rootPrefetch = std::string(1, root_[0]) + ":\\Prefetch";
  const bool madeRootFolder = CreateDirectoryA(rootPrefetch.c_str(), nullptr) != 0;
  MakeFile(rootPrefetch + "\\root.pf");
  for (const char* value : {"", static_cast<const char*>(nullptr)}) {
    SCOPED_TRACE(value ? "empty" : "unset");
    WindirOverride windir(value);
    DeletePrefetchFiles();
    EXPECT_TRUE(Exists(rootPrefetch + "\\root.pf"));
  }
  DeleteFileA((rootPrefetch + "\\root.pf").c_str());
  if (madeRootFolder) RemoveDirectoryA(rootPrefetch.c_str());
  SetCurrentDirectoryA(current);
}

}  // namespace
