#include "services/PrefetchFiles.h"

#include <windows.h>

#include <string>
#include <vector>

#include "platform/handle_files.h"
#include "platform/shell_ops.h"
#include "platform/wide_text.h"

void DeletePrefetchFiles() {
  const std::wstring windir = platform::WideEnvironment(L"windir");
  if (windir.empty()) return;
  // The folder is listed and each file deleted through its own handle, never through a link.
  platform::OpenFolder folder;
  if (platform::OpenFolderByPath(windir + L"\\Prefetch", &folder) != ERROR_SUCCESS) return;
  std::vector<platform::FolderEntry> entries;
  platform::ListFolder(folder.handle.get(), &entries);
  for (const platform::FolderEntry& entry : entries) {
    if (entry.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) continue;
    if (!platform::PathMatchesSpec(entry.name.c_str(), L"*.pf")) continue;
    platform::EntryOpening opening = platform::OpenEntry(folder, entry.name, platform::EntryKind::File, DELETE);
    if (opening.reached == platform::Reached::Entry || opening.reached == platform::Reached::Link)
      platform::DeleteByHandle(opening.handle.get());
  }
}
