// apply_stock_registry <folder> <record>: applies to the registry of the prefix it runs in
// the lines of every .reg file in <folder> that the record (a file kept in the prefix) does
// not list yet, and adds them to it (scripts/run, for the sandbox). Exit code 0 when every
// new line is applied; the record is written in either case, with the lines applied.
#include <cstdio>

#include "scripts/lib/stock_registry.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: apply_stock_registry <folder of .reg files> <record file>\n");
    return 2;
  }
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  stock::AppliedLines applied;
  std::string error;
  if (!stock::LoadRegFolder(argv[1], entries, files, error) ||
      !stock::LoadApplied(argv[2], applied, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const size_t before = applied.size();
  stock::Added added;
  const bool ok = stock::ApplyNewLines(entries, applied, added, error);
  if (!ok) std::fprintf(stderr, "%s\n", error.c_str());
  std::string saveError;
  if (!stock::SaveApplied(argv[2], applied, saveError)) {
    std::fprintf(stderr, "%s\n", saveError.c_str());
    return 1;
  }
  std::printf("Windows 7 data (%zu keys in %zu .reg files): %zu lines new to this prefix; added %d "
              "keys and %d values, set %d stock values",
              entries.size(), files.size(), applied.size() - before, added.keysCreated,
              added.valuesSet, added.stockSet);
  if (added.leftOut) std::printf("; %d new lines left out below keys the user deleted", added.leftOut);
  std::printf("\n");
  return ok ? 0 : 1;
}
