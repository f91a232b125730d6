#include "shell/components/MemoryBlock.h"

#include <cstring>

void MemoryBlock::Allocate(uint32_t lCount) {
  ReleaseMemory();
  address_ = VirtualAlloc(nullptr, lCount, MEM_COMMIT, PAGE_READWRITE);
  size_ = lCount;
  if (address_) VirtualLock(address_, lCount);
}

void MemoryBlock::ReadFrom(void* hWritePointer, uint32_t lLength) {
  if (IsBadWritePtr(hWritePointer, lLength) == 0 && IsBadReadPtr(address_, lLength) == 0)
    std::memmove(hWritePointer, address_, lLength);
}

void MemoryBlock::WriteTo(const void* hReadPointer, uint32_t lLength) {
  if (IsBadReadPtr(hReadPointer, lLength) == 0 && IsBadWritePtr(address_, lLength) == 0)
    std::memmove(address_, hReadPointer, lLength);
}

std::string MemoryBlock::ExtractString(const char* hStartPointer, uint32_t lMax) {
  if (IsBadStringPtrA(hStartPointer, lMax) != 0) return "";
  // The test above read up to lMax characters or the terminator; the length is counted
  // within the same bound, so nothing past what was tested is read.
  uint32_t length = 0;
  while (length < lMax && hStartPointer[length] != '\0') ++length;
  return std::string(hStartPointer, length);
}

void MemoryBlock::ReleaseMemory() {
  if (!address_) return;
  VirtualUnlock(address_, size_);
  VirtualFree(address_, size_, MEM_DECOMMIT);
  VirtualFree(address_, 0, MEM_RELEASE);
  address_ = nullptr;
}
