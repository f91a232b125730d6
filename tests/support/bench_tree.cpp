#include "bench_tree.h"

#include <shlwapi.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Junk-like and plain name shapes; which of them match is for PathMatchSpecW to say.
constexpr const wchar_t* kJunkShapes[] = {L"f%d.tmp", L"~f%d.doc", L"f%d.chk", L"f%d.dmp",
                                          L"f%d.gid", L"f%d.$$$",  L"f%d.wbk", L"f%d.bad"};
constexpr const wchar_t* kPlainShapes[] = {L"f%d.txt", L"f%d.dat", L"f%d.doc", L"f%d.ini", L"f%d.exe", L"f%d.log"};

std::wstring Format(const wchar_t* shape, int n) {
  wchar_t name[64];
  std::swprintf(name, 64, shape, n);
  return name;
}

std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

class Builder {
 public:
  Builder(const std::wstring& patterns, BenchTreeFigures& figures) : patterns_(patterns), figures_(figures) {}

  bool Folder(const std::wstring& path) {
    if (!CreateDirectoryW(Long(path).c_str(), nullptr)) return Fail(L"folder", path);
    ++figures_.folders;
    return true;
  }
  // `folder` ends with "\".
  bool File(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = folder + name;
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Fail(L"file", path);
    CloseHandle(file);
    ++figures_.files;
    if (PathMatchSpecW(name.c_str(), patterns_.c_str())) ++figures_.matching;
    figures_.longestPath = std::max(figures_.longestPath, path.size());
    return true;
  }

 private:
  bool Fail(const wchar_t* what, const std::wstring& path) {
    std::fwprintf(stderr, L"cannot make the %ls %ls: error %lu\n", what, path.c_str(), GetLastError());
    return false;
  }
  const std::wstring& patterns_;
  BenchTreeFigures& figures_;
};

}  // namespace

bool MakeBenchTree(const std::wstring& root, const BenchTreeShape& shape, const std::wstring& patterns,
                   BenchTreeFigures* figures) {
  *figures = BenchTreeFigures();
  Builder make(patterns, *figures);

  // The folders that take the ordinary files: a two-level layout of top folders with
  // sub-folders, then the chain.
  const int regular = std::max(1, shape.folders - shape.chainDepth - 1);
  const int top = std::max(1, (regular + 8) / 9);
  std::vector<std::wstring> holders;
  for (int i = 0; i < regular; ++i) {
    std::wstring folder = i < top ? root + Format(L"t%02d", i)
                                  : root + Format(L"t%02d", (i - top) % top) + Format(L"\\s%02d", (i - top) / top);
    if (!make.Folder(folder)) return false;
    holders.push_back(folder + L"\\");
  }
  std::wstring chain = root;
  for (int level = 1; level <= shape.chainDepth; ++level) {
    chain += Format(L"d%02d", level);
    if (!make.Folder(chain)) return false;
    chain += L"\\";
    holders.push_back(chain);
  }
  figures->deepest = std::max(shape.chainDepth, top < regular ? 2 : 1);

  // Names near MAX_PATH: full paths of 259 characters (the most a plain path holds), 258 ...
  const std::wstring longFolder = root + L"long\\";
  if (!make.Folder(root + L"long")) return false;
  int special = 0;
  for (int i = 0; i < shape.longNames && special < shape.files; ++i, ++special) {
    std::wstring name = Format(L"L%d_", i);
    const size_t length = static_cast<size_t>(MAX_PATH - 1 - i) - longFolder.size();
    const wchar_t* extension = i % 2 ? L".txt" : L".tmp";
    if (length > 255 || length < name.size() + 4) break;
    name.append(length - name.size() - 4, L'x');
    name += extension;
    if (!make.File(longFolder, name)) return false;
  }
  // Names the ANSI code page cannot show: half junk-like, half plain.
  for (int i = 0; i < shape.nonAnsiNames && special < shape.files; ++i, ++special) {
    const std::wstring name = Format(i % 2 ? L"\u4e2d%d.txt" : L"snow\u2603%d.tmp", i);
    if (!make.File(holders[i % holders.size()], name)) return false;
  }

  // The rest, spread evenly.
  const int rest = shape.files - special;
  const int per = rest / static_cast<int>(holders.size());
  const int extra = rest % static_cast<int>(holders.size());
  int n = 0;
  for (size_t h = 0; h < holders.size(); ++h) {
    const int count = per + (static_cast<int>(h) < extra ? 1 : 0);
    for (int k = 0; k < count; ++k, ++n) {
      const bool junk = shape.junkEvery > 0 && n % shape.junkEvery == 0;
      const wchar_t* form = junk ? kJunkShapes[(n / shape.junkEvery) % std::size(kJunkShapes)]
                                 : kPlainShapes[n % std::size(kPlainShapes)];
      if (!make.File(holders[h], Format(form, n))) return false;
    }
  }
  return true;
}
