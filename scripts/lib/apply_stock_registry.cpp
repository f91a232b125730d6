// apply_stock_registry <folder>: adds to the registry of the prefix it runs in the keys and
// values of every .reg file in <folder> that are missing (scripts/run, for the sandbox).
// Values that are there already are kept. Exit code 0 when everything is in place.
#include <cstdio>

#include "scripts/lib/stock_registry.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: apply_stock_registry <folder of .reg files>\n");
    return 2;
  }
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  std::string error;
  if (!stock::LoadRegFolder(argv[1], entries, files, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  stock::Added added;
  if (!stock::ApplyMissing(entries, added, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const std::vector<std::string> missing = stock::FindMissing(entries);
  for (const std::string& line : missing) std::fprintf(stderr, "still missing: %s\n", line.c_str());
  std::printf("Windows 7 data (%zu keys in %zu .reg files): added %d keys and %d values\n",
              entries.size(), files.size(), added.keysCreated, added.valuesSet);
  return missing.empty() ? 0 : 1;
}
