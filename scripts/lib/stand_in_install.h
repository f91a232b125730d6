#pragma once
// Making the sandbox's stand-in services (stand_in_services.cpp): each service of the table
// that the machine lacks becomes an own-process service of the stand-in program, with the
// start type Windows 7 gives it. A service the machine was given before (its name is among
// `offered`, the table of the last run) is never made again: the user deleted it, and
// deleted it stays. A service already there is left as it is.
#include <windows.h>

#include <set>
#include <span>
#include <string>

#include "services/KnownServices.h"

namespace standin {

struct InstallCount {
  int made = 0;
  int there = 0;   // in the machine already
  int kept = 0;    // offered before: left as the user has it, there or not
  int failed = 0;
};

// `program` is the stand-in program's path, run as "<program>" <service name>. Failures are
// described in `errors`, one line each.
InstallCount Install(SC_HANDLE manager, std::span<const services::KnownService> table,
                     const std::set<std::string>& offered, const std::string& program,
                     std::string& errors);

// The names of a table, one a line, as the record of what a machine was offered keeps them.
std::string TableText(std::span<const services::KnownService> table);
std::set<std::string> ParseTable(const std::string& text);

}  // namespace standin
