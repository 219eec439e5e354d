#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace oxr {

namespace {
// Days from 30 December 1899 to 1 January 1970.
constexpr double kUnixEpochDays = 25569.0;
}  // namespace

DateTime SystemClock::now() const {
  using namespace std::chrono;
  const auto since_epoch = system_clock::now().time_since_epoch();
  const std::time_t secs = duration_cast<seconds>(since_epoch).count();
  const auto ms = duration_cast<milliseconds>(since_epoch).count() % 1000;
  std::tm local{};
  localtime_r(&secs, &local);
  // Local wall time: the UTC instant shifted by the zone's offset at that instant.
  const double local_secs = static_cast<double>(secs) + static_cast<double>(local.tm_gmtoff) +
                            static_cast<double>(ms) / 1000.0;
  return kUnixEpochDays + local_secs / 86400.0;
}

std::int64_t SystemClock::monotonic_ms() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void ManualClock::advance_ms(std::int64_t ms) {
  mono_ms_ += ms;
  wall_ += static_cast<double>(ms) / 86400000.0;
}

}  // namespace oxr
