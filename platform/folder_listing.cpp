#include "platform/folder_listing.h"

namespace platform {
namespace {

class RealFolderListing final : public FolderListing {
 public:
  HANDLE First(const wchar_t* pattern, WIN32_FIND_DATAW* found) override {
    return FindFirstFileExW(pattern, FindExInfoBasic, found, FindExSearchNameMatch, nullptr,
                            FIND_FIRST_EX_LARGE_FETCH);
  }
  bool Next(HANDLE search, WIN32_FIND_DATAW* found) override {
    return FindNextFileW(search, found) != FALSE;
  }
  void Close(HANDLE search) override { FindClose(search); }
};

}  // namespace

FolderListing& FolderListing::Real() {
  static RealFolderListing real;
  return real;
}

}  // namespace platform
