#include "sim/thermal_model.h"

#include <algorithm>
#include <cmath>

namespace oxr::sim {

namespace {
// A heater relay does not chatter: it holds each state at least this long.
constexpr std::int64_t kMinDwellMs = 1000;
}  // namespace

ThermalZone::ThermalZone(ZoneParams params, double start_c, std::int64_t now_ms)
    : params_(params), temp_(start_c), now_ms_(now_ms), last_switch_ms_(now_ms - kMinDwellMs) {}

void ThermalZone::begin_control(const ZoneControl& control, std::int64_t now_ms) {
  control_ = control;
  reached_top_ = false;
  const bool on = control_.active && temp_ < control_.set_c;
  if (on != heater_) {
    heater_ = on;
    last_switch_ms_ = now_ms;
    ++switchings_;
  }
}

void ThermalZone::end_control() {
  control_ = ZoneControl{};
  if (heater_) {
    heater_ = false;
    last_switch_ms_ = now_ms_;
    ++switchings_;
  }
}

double ThermalZone::asymptote(double room_c) const {
  if (!heater_) return room_c;
  return room_c + (boosting() ? params_.boost_rise_k : params_.rise_k);
}

double ThermalZone::ms_to_switch(double room_c) const {
  if (!control_.active) return heater_ ? 0.0 : -1.0;
  const double a = asymptote(room_c);
  if (heater_) {
    const double top = control_.set_c + control_.hyst_k;
    if (temp_ >= top) return 0.0;
    if (a <= top) return -1.0;  // the heater cannot get there
    return params_.tau_s * 1000.0 * std::log((a - temp_) / (a - top));
  }
  const double bottom = control_.set_c - control_.hyst_k;
  if (temp_ <= bottom) return 0.0;
  if (bottom <= room_c) return -1.0;  // the room keeps the zone warm enough
  return params_.tau_s * 1000.0 * std::log((temp_ - room_c) / (bottom - room_c));
}

void ThermalZone::evolve(double dt_ms, double room_c) {
  if (dt_ms <= 0.0) return;
  const double a = asymptote(room_c);
  temp_ = a + (temp_ - a) * std::exp(-dt_ms / (params_.tau_s * 1000.0));
}

void ThermalZone::advance_to(std::int64_t ms, double room_c) {
  while (now_ms_ < ms) {
    const double due = ms_to_switch(room_c);
    if (due < 0.0) break;
    const std::int64_t on_threshold = now_ms_ + static_cast<std::int64_t>(std::ceil(due));
    const std::int64_t at = std::max(on_threshold, last_switch_ms_ + kMinDwellMs);
    if (at > ms) break;
    // Switch at the threshold itself, not at the next whole millisecond, so the band holds.
    const double before = at == on_threshold ? due : static_cast<double>(at - now_ms_);
    evolve(before, room_c);
    if (heater_) reached_top_ = true;
    heater_ = !heater_;
    evolve(static_cast<double>(at - now_ms_) - before, room_c);
    now_ms_ = at;
    last_switch_ms_ = at;
    ++switchings_;
  }
  if (now_ms_ < ms) {
    evolve(static_cast<double>(ms - now_ms_), room_c);
    now_ms_ = ms;
  }
}

ThermalModel::ThermalModel(double room_c, std::int64_t now_ms)
    : room_c_(room_c), zone1_(kZone1, room_c, now_ms), zone2_(kZone2, room_c, now_ms) {}

void ThermalModel::begin_control(const ZoneControl& zone1, const ZoneControl& zone2,
                                 std::int64_t now_ms) {
  advance_to(now_ms);
  zone1_.begin_control(zone1, now_ms);
  zone2_.begin_control(zone2, now_ms);
}

void ThermalModel::set_control(const ZoneControl& zone1, const ZoneControl& zone2) {
  zone1_.set_control(zone1);
  zone2_.set_control(zone2);
}

void ThermalModel::end_control() {
  zone1_.end_control();
  zone2_.end_control();
}

void ThermalModel::advance_to(std::int64_t ms) {
  zone1_.advance_to(ms, room_c_);
  zone2_.advance_to(ms, room_c_);
}

}  // namespace oxr::sim
