#include "platform/special_folders.h"

namespace platform {
namespace {

class RealSpecialFolders final : public SpecialFolders {
 public:
  HRESULT Location(HWND owner, int csidl, LPITEMIDLIST* list) override {
    return SHGetSpecialFolderLocation(owner, csidl, list);
  }
  BOOL Path(HWND owner, char* buffer, int csidl) override {
    return SHGetSpecialFolderPathA(owner, buffer, csidl, FALSE);
  }
  BOOL PathFromIDList(LPCITEMIDLIST list, char* buffer) override {
    return SHGetPathFromIDListA(list, buffer);
  }
};

}  // namespace

SpecialFolders& SpecialFolders::Real() {
  static RealSpecialFolders real;
  return real;
}

}  // namespace platform
