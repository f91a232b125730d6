#pragma once
// An environment variable of the test program set (or, with nullptr, removed) for a test's
// scope, and put back as it was afterwards. Programs the test starts inherit it.
//
//   ScopedEnvironmentVariable temp("TEMP", "C:\\QuenvorFixtures\\temp");
#include <optional>
#include <string>

class ScopedEnvironmentVariable {
 public:
  ScopedEnvironmentVariable(const char* name, const char* value);
  ~ScopedEnvironmentVariable();
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;  // nothing: it was not set
};
