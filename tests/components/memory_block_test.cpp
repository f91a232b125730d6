#include <gtest/gtest.h>

#include <cstdlib>

#include <windows.h>

#include <cstring>
#include <string>

#include "shell/components/MemoryBlock.h"

namespace {

MEMORY_BASIC_INFORMATION Query(const void* address) {
  MEMORY_BASIC_INFORMATION info{};
  VirtualQuery(address, &info, sizeof info);
  return info;
}

// Two pages: the first with the access asked for, the second inaccessible, so that a range
// running past the first page tests bad.
class Pages {
 public:
  explicit Pages(DWORD access) {
    base_ = static_cast<char*>(VirtualAlloc(nullptr, 2 * 4096, MEM_RESERVE, PAGE_NOACCESS));
    VirtualAlloc(base_, 4096, MEM_COMMIT, PAGE_READWRITE);
    std::memset(base_, 'p', 4096);
    DWORD old;
    VirtualProtect(base_, 4096, access, &old);
  }
  ~Pages() { VirtualFree(base_, 0, MEM_RELEASE); }
  char* First() const { return base_; }
  char* EndOfFirst() const { return base_ + 4096; }

 private:
  char* base_;
};

TEST(MemoryBlock, AllocatesCommittedDataMemoryThatIsNotExecutable) {
  MemoryBlock block;
  EXPECT_EQ(block.Handle(), nullptr);
  block.Allocate(100);
  ASSERT_NE(block.Handle(), nullptr);
  MEMORY_BASIC_INFORMATION info = Query(block.Handle());
  EXPECT_EQ(info.State, static_cast<DWORD>(MEM_COMMIT));
  EXPECT_EQ(info.Protect, static_cast<DWORD>(PAGE_READWRITE));
}

TEST(MemoryBlock, CopiesInAndOut) {
  MemoryBlock block;
  block.Allocate(16);
  const char source[] = "quenvor block";
  block.WriteTo(source, sizeof source);
  char target[sizeof source] = {};
  block.ReadFrom(target, sizeof target);
  EXPECT_STREQ(target, "quenvor block");
}

TEST(MemoryBlock, BadRangesCopyNothing) {
  if (std::getenv("QUENVOR_EMULATED"))
    GTEST_SKIP() << "the emulator does not report a write to a read-only page as a page fault";
  MemoryBlock none;
  char target[8] = "intact";
  none.ReadFrom(target, 4);  // no block: its null address tests bad
  EXPECT_STREQ(target, "intact");
  none.WriteTo("data", 4);   // nothing to write into, and no fault

  MemoryBlock block;
  block.Allocate(16);
  block.WriteTo("original", 9);

  Pages readOnly(PAGE_READONLY);
  block.ReadFrom(readOnly.First(), 9);  // a destination that cannot be written
  EXPECT_EQ(readOnly.First()[0], 'p');

  Pages readable(PAGE_READWRITE);
  block.WriteTo(readable.EndOfFirst() - 4, 8);  // a source that runs into an inaccessible page
  block.WriteTo(readable.First(), 8192);        // longer than the block's pages
  char check[9] = {};
  block.ReadFrom(check, 9);
  EXPECT_STREQ(check, "original");
}

TEST(MemoryBlock, AllocatingAgainAndReleasingFreeTheBlock) {
  MemoryBlock block;
  block.Allocate(3 * 4096);
  char* first = static_cast<char*>(block.Handle());
  block.Allocate(64);  // may reuse the start of the first block, never its last page
  EXPECT_EQ(Query(first + 2 * 4096).State, static_cast<DWORD>(MEM_FREE));
  void* second = block.Handle();
  block.ReleaseMemory();
  EXPECT_EQ(block.Handle(), nullptr);
  EXPECT_EQ(Query(second).State, static_cast<DWORD>(MEM_FREE));
  block.ReleaseMemory();  // nothing held: nothing happens
  EXPECT_EQ(block.Handle(), nullptr);

  void* third;
  {
    MemoryBlock scoped;
    scoped.Allocate(64);
    third = scoped.Handle();
  }
  EXPECT_EQ(Query(third).State, static_cast<DWORD>(MEM_FREE));
}

TEST(MemoryBlock, ExtractsTextUpToItsEndOrTheLimit) {
  MemoryBlock block;
  struct Case {
    const char* text;
    uint32_t max;
    std::string expected;
  };
  for (const Case& c : {Case{"hello", 10, "hello"}, Case{"hello", 3, "hel"}, Case{"", 10, ""},
                        Case{"hello", 0, ""}}) {
    EXPECT_EQ(block.ExtractString(c.text, c.max), c.expected) << c.text << " / " << c.max;
  }
  EXPECT_EQ(block.ExtractString(nullptr, 10), "");

  if (std::getenv("QUENVOR_EMULATED"))
    GTEST_SKIP() << "the emulator does not report a read of an inaccessible page as a page fault";
  // Text without an end before an inaccessible page: only what the limit allows is read.
  Pages unterminated(PAGE_READWRITE);
  const char* tail = unterminated.EndOfFirst() - 4;
  EXPECT_EQ(block.ExtractString(tail, 4), "pppp");
  EXPECT_EQ(block.ExtractString(tail, 10), "");
}

}  // namespace
