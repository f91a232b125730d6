#pragma once
// System restore points: listing their descriptions and creating one. A seam, because a
// test cannot make real restore points (Wine has none and only a stub that creates
// nothing); the real implementation goes through platform::wmi(), class SystemRestore of
// root\default.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/seam.h"

namespace platform {

// The restore-point types of SystemRestore.CreateRestorePoint.
enum RestorePointType : int {
  kApplicationInstall = 0,
  kApplicationUninstall = 1,
  kDeviceDriverInstall = 10,
  kModifySettings = 12,
};

// What a creation came to.
struct RestorePointResult {
  HRESULT hr = E_FAIL;                    // the WMI call (connection and method call)
  std::optional<int64_t> returnValue;     // CreateRestorePoint's ReturnValue, when it gave one
  // Only a call that succeeded and returned 0 made a restore point; a missing return value
  // (a stub that answers without doing anything) did not.
  bool Created() const { return SUCCEEDED(hr) && returnValue == 0; }
};

class RestorePoints {
 public:
  virtual ~RestorePoints() = default;
  // Appends the description of every restore point, in the order the system gives them;
  // a point without a description (Null) adds nothing. Returns the query's result; on a
  // failure the descriptions read before it are kept.
  virtual HRESULT List(std::vector<std::string>* descriptions) = 0;
  // Creates a restore point with the description and type, announced as the beginning of
  // a system change (event type 100).
  virtual RestorePointResult Create(const std::string& description, int type) = 0;

  static RestorePoints& Real();
};

inline RestorePoints& restorePoints() { return Seam<RestorePoints>::Get(); }

}  // namespace platform
