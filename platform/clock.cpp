#include "platform/clock.h"

namespace platform {
namespace {

class RealClock final : public Clock {
 public:
  DWORD TickCount() override { return GetTickCount(); }
  std::time_t Now() override { return std::time(nullptr); }
};

}  // namespace

Clock& Clock::Real() {
  static RealClock real;
  return real;
}

}  // namespace platform
