// The shared utility procedures: version, architecture and DPI through a fake machine,
// everything else against the real system of the test prefix.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "support/fakes.h"
#include "shell/WindowFinder.h"
#include "shell/ProgramState.h"

using namespace std::string_literals;

namespace {

// --- Windows version and architecture ----------------------------------------------------

struct VersionCase {
  DWORD major, minor;
  bool xpOrLater;
};

class IsWindowsXPOrLaterTest : public testing::TestWithParam<VersionCase> {};

TEST_P(IsWindowsXPOrLaterTest, ComparesTheVersionAsText) {
  FakeSystemFacts facts;
  facts.major = GetParam().major;
  facts.minor = GetParam().minor;
  platform::Override<platform::SystemFacts> use(facts);
  EXPECT_EQ(IsWindowsXPOrLater(), GetParam().xpOrLater);
}

// " 10.0" sorts below " 5.1": two-digit majors fail, as they always have.
INSTANTIATE_TEST_SUITE_P(Versions, IsWindowsXPOrLaterTest,
                         testing::Values(VersionCase{5, 0, false}, VersionCase{5, 1, true},
                                         VersionCase{5, 2, true}, VersionCase{6, 0, true},
                                         VersionCase{6, 1, true}, VersionCase{6, 2, true},
                                         VersionCase{10, 0, false}, VersionCase{4, 10, false}));

TEST(IsWindowsXPOrLater, AnUnreadableVersionCountsAsOld) {
  FakeSystemFacts facts;
  facts.versionFails = true;
  platform::Override<platform::SystemFacts> use(facts);
  EXPECT_FALSE(IsWindowsXPOrLater());
  EXPECT_FALSE(Is64BitWindows());
}

struct ArchitectureCase {
  const char* name;
  DWORD major;
  WORD architecture;
  bool is64;
};

class Is64BitWindowsTest : public testing::TestWithParam<ArchitectureCase> {};

TEST_P(Is64BitWindowsTest, UsesTheNativeArchitecture) {
  FakeSystemFacts facts;
  facts.major = GetParam().major;
  facts.minor = 1;
  facts.architecture = GetParam().architecture;
  platform::Override<platform::SystemFacts> use(facts);
  EXPECT_EQ(Is64BitWindows(), GetParam().is64);
}

INSTANTIATE_TEST_SUITE_P(
    Machines, Is64BitWindowsTest,
    testing::Values(ArchitectureCase{"Amd64", 6, PROCESSOR_ARCHITECTURE_AMD64, true},
                    ArchitectureCase{"Itanium", 6, PROCESSOR_ARCHITECTURE_IA64, true},
                    ArchitectureCase{"X86", 6, PROCESSOR_ARCHITECTURE_INTEL, false},
                    ArchitectureCase{"Arm", 6, PROCESSOR_ARCHITECTURE_ARM, false},
                    // Only reachable through the text comparison: a 64-bit machine whose
                    // version reads "10.0" is not taken as XP or later.
                    ArchitectureCase{"Amd64ReportingTen", 10, PROCESSOR_ARCHITECTURE_AMD64, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Is64BitWindows, TrueForThisThirtyTwoBitProgramOnTheSixtyFourBitPrefix) {
  EXPECT_TRUE(IsWindowsXPOrLater());
  EXPECT_TRUE(Is64BitWindows());
}

class IsNormalDpiTest : public testing::TestWithParam<std::pair<int, bool>> {};

TEST_P(IsNormalDpiTest, OnlyExactly96) {
  FakeSystemFacts facts;
  facts.logPixelsX = GetParam().first;
  platform::Override<platform::SystemFacts> use(facts);
  EXPECT_EQ(IsNormalDpi(), GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Dpi, IsNormalDpiTest,
                         testing::Values(std::pair{96, true}, std::pair{120, false},
                                         std::pair{144, false}, std::pair{0, false}));

// --- numbers and texts -----------------------------------------------------------------

TEST(LargeIntToCurrency, ReadsEightLittleEndianBytesAtAnyAddress) {
  struct Case {
    std::vector<BYTE> bytes;
    int64_t value;
  };
  const Case cases[] = {
      {{0, 0, 0, 0, 0, 0, 0, 0}, 0},
      {{0x00, 0x00, 0x00, 0x00, 0x06, 0x00, 0x00, 0x00}, 25769803776},  // 24 GiB
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, -1},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}, INT64_MAX},
  };
  for (const Case& c : cases) {
    BYTE buffer[9] = {0xAA};
    std::memcpy(buffer + 1, c.bytes.data(), 8);  // deliberately misaligned
    EXPECT_EQ(LargeIntToCurrency(buffer + 1), c.value);
  }
  MEMORYSTATUSEX memory{};
  memory.ullTotalPhys = 3ull << 30;
  EXPECT_EQ(LargeIntToCurrency(&memory.ullTotalPhys) / 1024 / 1024, 3072);
}

TEST(AddBackslash, EndsWithExactlyOneAddedBackslash) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:", "C:\\"}, {"C:\\", "C:\\"}, {"", "\\"}, {"C:\\Temp", "C:\\Temp\\"},
      {"\\\\server\\share\\", "\\\\server\\share\\"}};
  for (const auto& [in, out] : cases) EXPECT_EQ(AddBackslash(in), out) << in;
}

TEST(TrimAtNull, CutsAtTheFirstNul) {
  const std::pair<std::string, std::string> cases[] = {
      {"file.tmp\0\0\0\0"s, "file.tmp"}, {"a\0b\0c"s, "a"}, {"whole"s, "whole"},
      {""s, ""}, {"\0tail"s, ""}};
  for (const auto& [in, out] : cases) EXPECT_EQ(TrimAtNull(in), out);
}

struct SpecCase {
  std::string name;
  std::string patterns;
  bool matches;
};

class MatchesSpecTest : public testing::TestWithParam<SpecCase> {};

TEST_P(MatchesSpecTest, Matches) {
  EXPECT_EQ(MatchesSpec(GetParam().name, GetParam().patterns), GetParam().matches)
      << GetParam().name << " against \"" << GetParam().patterns << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, MatchesSpecTest,
    testing::Values(SpecCase{"foo.TMP", "*.tmp", true},
                    SpecCase{"foo.tmpx", "*.tmp", false},
                    SpecCase{"foo.tmp", "*.log;*.tmp", true},
                    SpecCase{"foo.tmp", "*.log; *.tmp", true},
                    SpecCase{"foo.chk", "*.log;*.tmp", false},
                    SpecCase{"a.b", "?.b", true},
                    SpecCase{"ab.b", "?.b", false},
                    SpecCase{"readme", "*.*", true},
                    SpecCase{"foo.tmp", "", false},
                    // A name from a fixed-length buffer: only the part before the NUL counts.
                    SpecCase{"foo.tmp\0\0junk.log"s, "*.tmp", true},
                    SpecCase{"foo.tmp\0\0junk.log"s, "*.log", false}));

// --- colours and windows ---------------------------------------------------------------

TEST(TranslateSystemColor, TranslatesOrGivesMinusOne) {
  const std::pair<uint32_t, int32_t> cases[] = {
      {0x80000005, 0xFFFFFF},          // COLOR_WINDOW of the prefix: white
      {0x80000000 | COLOR_WINDOWTEXT, 0x000000},
      {0x00123456, 0x123456},          // plain RGB passes through
      {0x05000000, -1},                // not an OLE colour
  };
  for (const auto& [colour, rgb] : cases)
    EXPECT_EQ(TranslateSystemColor(colour, nullptr), rgb) << std::hex << colour;
}

TEST(FindWindowByTitle, FindsTopLevelWindowsOnly) {
  std::string title = "Quenvor test window " + std::to_string(GetCurrentProcessId());
  std::string childTitle = title + " child";
  HWND top = CreateWindowExA(0, "STATIC", title.c_str(), WS_OVERLAPPED, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(top);
  HWND child = CreateWindowExA(0, "STATIC", childTitle.c_str(), WS_CHILD, 0, 0, 10, 10, top,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_TRUE(child);

  EXPECT_EQ(FindWindowByTitle(title), top);
  EXPECT_EQ(FindWindowByTitle(childTitle), nullptr);
  EXPECT_EQ(FindWindowByTitle(title + " that does not exist"), nullptr);
  DestroyWindow(top);
  EXPECT_EQ(FindWindowByTitle(title), nullptr);
}

// --- processes ---------------------------------------------------------------------------

TEST(RunAndWait, GivesTheExitCodeOrMinusOne) {
  const std::pair<std::string, int32_t> cases[] = {
      {"cmd /c exit 3", 3},
      {"cmd.exe /c exit 0", 0},
      {"cmd /c exit -2", -2},
      {"C:\\no\\such\\program.exe", -1},
      {"", -1},
  };
  for (const auto& [line, code] : cases) EXPECT_EQ(RunAndWait(line), code) << line;
}

// --- shell delete ------------------------------------------------------------------------

// Answers the shell's own confirmation window for real: a thread timer fires once the
// shell's modal loop runs, presses the chosen button on the first visible "#32770" window
// of this thread and records its caption. Nothing fires while no message loop runs.
class ShellConfirmationAnswerer {
 public:
  explicit ShellConfirmationAnswerer(int button) {
    button_ = button;
    last_ = nullptr;
    seen_.clear();
    timer_ = SetTimer(nullptr, 0, 20, &Tick);
  }
  ~ShellConfirmationAnswerer() {
    if (timer_) KillTimer(nullptr, timer_);
  }
  static const std::vector<std::string>& Seen() { return seen_; }

 private:
  static BOOL CALLBACK FindDialog(HWND window, LPARAM found) {
    char cls[64] = {};
    GetClassNameA(window, cls, sizeof(cls));
    if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(window)) {
      *reinterpret_cast<HWND*>(found) = window;
      return FALSE;
    }
    return TRUE;
  }
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), &FindDialog, reinterpret_cast<LPARAM>(&dialog));
    if (!dialog) return;
    if (dialog != last_) {
      char caption[256] = {};
      GetWindowTextA(dialog, caption, sizeof(caption));
      seen_.push_back(caption);
      last_ = dialog;
    }
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button_, BN_CLICKED), 0);
  }

  UINT_PTR timer_ = 0;
  static inline int button_ = IDCANCEL;
  static inline HWND last_ = nullptr;
  static inline std::vector<std::string> seen_;
};

std::string MakeTempFile(const char* name) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  std::string path = std::string(temp) + name + "." + std::to_string(GetCurrentProcessId());
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
  DWORD written = 0;
  WriteFile(file, "junk", 4, &written, nullptr);
  CloseHandle(file);
  return path;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

TEST(DeleteFileShell, WithoutConfirmationDeletesForGood) {
  std::string path = MakeTempFile("quenvor-delete");
  ShellConfirmationAnswerer guard(IDCANCEL);  // would catch any window the shell showed
  EXPECT_TRUE(DeleteFileShell(path, true));
  EXPECT_FALSE(Exists(path));
  EXPECT_TRUE(ShellConfirmationAnswerer::Seen().empty());
}

TEST(DeleteFileShell, MissingOrLockedFileGivesFalseSilently) {
  ShellConfirmationAnswerer guard(IDCANCEL);
  EXPECT_FALSE(DeleteFileShell("C:\\no\\such\\folder\\file.db", true));

  std::string path = MakeTempFile("quenvor-locked");
  HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(DeleteFileShell(path, true));
  CloseHandle(lock);
  EXPECT_TRUE(Exists(path));
  DeleteFileA(path.c_str());
  EXPECT_TRUE(ShellConfirmationAnswerer::Seen().empty());
}

struct ConfirmCase {
  const char* name;
  int button;
  bool deleted;
};

class DeleteFileShellConfirm : public testing::TestWithParam<ConfirmCase> {};

// With confirmation the shell asks first. Declining leaves the file, and the shell still
// returns 0 for that: only its "aborted" flag tells, and the result must be False.
TEST_P(DeleteFileShellConfirm, TheAnswerDecides) {
  std::string path = MakeTempFile("quenvor-confirm");
  ShellConfirmationAnswerer answer(GetParam().button);
  EXPECT_EQ(DeleteFileShell(path, false), GetParam().deleted);
  EXPECT_EQ(Exists(path), !GetParam().deleted);
  EXPECT_EQ(ShellConfirmationAnswerer::Seen().size(), 1u);
  DeleteFileA(path.c_str());
}

INSTANTIATE_TEST_SUITE_P(Answers, DeleteFileShellConfirm,
                         testing::Values(ConfirmCase{"Yes", IDYES, true},
                                         ConfirmCase{"No", IDNO, false},
                                         ConfirmCase{"Cancel", IDCANCEL, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
