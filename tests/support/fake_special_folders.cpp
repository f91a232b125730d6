#include "fake_special_folders.h"

#include <cstring>

HRESULT FakeSpecialFolders::Location(HWND owner, int csidl, LPITEMIDLIST* list) {
  *list = nullptr;
  if (missing.count(csidl)) return E_FAIL;
  if (auto big = oversized.find(csidl); big != oversized.end()) {
    const size_t items = big->second;
    auto* bytes = static_cast<uint8_t*>(CoTaskMemAlloc(items + 2));
    if (!bytes) return E_OUTOFMEMORY;
    std::memset(bytes, 0, items + 2);
    for (size_t at = 0; at < items;) {
      const size_t count = items - at > 32767 ? 32767 : items - at;
      bytes[at] = static_cast<uint8_t>(count & 0xFF);
      bytes[at + 1] = static_cast<uint8_t>(count >> 8);
      at += count;
    }
    *list = reinterpret_cast<LPITEMIDLIST>(bytes);
  } else {
    const HRESULT hr = platform::SpecialFolders::Real().Location(owner, csidl, list);
    if (hr != S_OK) return hr;
  }
  given_[*list] = csidl;
  return S_OK;
}

BOOL FakeSpecialFolders::Path(HWND owner, char* buffer, int csidl) {
  auto path = paths.find(csidl);
  if (path == paths.end()) return platform::SpecialFolders::Real().Path(owner, buffer, csidl);
  std::strncpy(buffer, path->second.c_str(), MAX_PATH - 1);
  return !path->second.empty();
}

BOOL FakeSpecialFolders::PathFromIDList(LPCITEMIDLIST list, char* buffer) {
  auto given = given_.find(list);
  if (given != given_.end()) {
    auto path = listPaths.find(given->second);
    if (path != listPaths.end()) {
      if (!path->second) return FALSE;
      std::strncpy(buffer, path->second->c_str(), MAX_PATH - 1);
      return TRUE;
    }
  }
  return platform::SpecialFolders::Real().PathFromIDList(list, buffer);
}
