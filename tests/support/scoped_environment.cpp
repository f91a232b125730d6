#include "scoped_environment.h"

#include <windows.h>

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const std::string& name,
                                                     const std::optional<std::string>& value)
    : name_(name) {
  DWORD size = GetEnvironmentVariableA(name.c_str(), nullptr, 0);
  if (size > 0) {
    std::string saved(size, '\0');
    DWORD length = GetEnvironmentVariableA(name.c_str(), saved.data(), size);
    saved.resize(length < size ? length : 0);
    saved_ = saved;
  }
  SetEnvironmentVariableA(name.c_str(), value ? value->c_str() : nullptr);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
  SetEnvironmentVariableA(name_.c_str(), saved_ ? saved_->c_str() : nullptr);
}
