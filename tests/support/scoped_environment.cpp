#include "scoped_environment.h"

#include <windows.h>

#include <vector>

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char* name, const char* value) : name_(name) {
  const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
  if (size) {
    std::vector<char> saved(size);
    const DWORD n = GetEnvironmentVariableA(name, saved.data(), size);
    if (n < size) saved_ = std::string(saved.data(), n);
  }
  SetEnvironmentVariableA(name, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  SetEnvironmentVariableA(name_.c_str(), saved_ ? saved_->c_str() : nullptr);
}
