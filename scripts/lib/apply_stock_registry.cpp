// apply_stock_registry <folder> <record> <new record>: applies to the registry of the prefix
// it runs in the lines of every .reg file in <folder> that the record (a file kept in the
// prefix) does not list yet (scripts/run, for the sandbox). When every new line is applied
// it writes the record with them, whole, to <new record> and exits with 0; the caller puts
// that file in the record's place. Otherwise it writes nothing:
//   1  a line could not be applied (those before it may be)
//   2  wrong arguments, or the data cannot be read
//   3  the record is damaged: nothing is applied
#include <cstdio>

#include "scripts/lib/stock_registry.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: apply_stock_registry <folder of .reg files> <record> <new record>\n");
    return 2;
  }
  std::vector<stock::RegEntry> entries;
  std::vector<std::string> files;
  stock::AppliedLines applied;
  std::string error;
  if (!stock::LoadRegFolder(argv[1], entries, files, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 2;
  }
  if (!stock::LoadApplied(argv[2], applied, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 3;
  }
  const size_t before = applied.size();
  stock::Added added;
  if (!stock::ApplyNewLines(entries, applied, added, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  if (!stock::SaveApplied(argv[3], applied, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::printf("Windows 7 data (%zu keys in %zu .reg files): %zu lines new to this prefix; added %d "
              "keys and %d values, set %d stock values",
              entries.size(), files.size(), applied.size() - before, added.keysCreated,
              added.valuesSet, added.stockSet);
  if (added.leftOut) std::printf("; %d new lines left out below keys the user deleted", added.leftOut);
  std::printf("\n");
  return 0;
}
