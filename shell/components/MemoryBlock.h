#pragma once
// One block of committed, locked memory of the caller's size, with copies into and out of
// it that test the pointers first, and a reader of zero-terminated ANSI text at any address.
// The block holds data only: it is readable and writable, never executable.
#include <windows.h>

#include <cstdint>
#include <string>

class MemoryBlock {
 public:
  MemoryBlock() = default;
  // The end of the instance releases the block.
  ~MemoryBlock() { ReleaseMemory(); }
  MemoryBlock(const MemoryBlock&) = delete;
  MemoryBlock& operator=(const MemoryBlock&) = delete;

  // The block's address; nullptr when there is none.
  void* Handle() const { return address_; }
  // Releases any block held, then commits and locks a new one of lCount bytes (no block
  // when the allocation fails).
  void Allocate(uint32_t lCount);
  // Copies lLength bytes from the block to hWritePointer, when both ranges test good.
  void ReadFrom(void* hWritePointer, uint32_t lLength);
  // Copies lLength bytes from hReadPointer into the block, when both ranges test good.
  void WriteTo(const void* hReadPointer, uint32_t lLength);
  // The zero-terminated text at hStartPointer, at most lMax characters; "" when the
  // address does not test good.
  std::string ExtractString(const char* hStartPointer, uint32_t lMax);
  // Unlocks, decommits and releases the block; nothing when there is none.
  void ReleaseMemory();

 private:
  void* address_ = nullptr;
  uint32_t size_ = 0;
};
