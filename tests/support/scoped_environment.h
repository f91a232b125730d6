#pragma once
// An environment variable of the test program set for a test's scope, and put back as it
// was (or removed again) when the object goes: the program reads TEMP, TMP, windir ... at
// each use, so a test points them at folders of its own.
//
//   ScratchFolder scratch;
//   ScopedEnvironmentVariable windir("windir", Narrow(scratch.Path()));
#include <optional>
#include <string>

class ScopedEnvironmentVariable {
 public:
  // Sets the variable to `value`, or removes it when `value` is empty.
  ScopedEnvironmentVariable(const std::string& name, const std::optional<std::string>& value);
  ~ScopedEnvironmentVariable();
  ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
  ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

 private:
  std::string name_;
  std::optional<std::string> saved_;
};
