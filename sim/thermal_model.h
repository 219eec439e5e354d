#pragma once
// Two heated zones of the pump. Each zone is a first-order body: it loses heat to the room with
// its time constant and, with the heater on, tends towards room + the heater's rise. The on/off
// controller switches the heater on at set - hysteresis and off at set + hysteresis, so a zone
// heats up along an exponential curve and then swings inside that band. Switching moments are
// solved exactly from the curve rather than stepped, so a simulated day costs a few thousand
// switchings, and the band holds to the precision of the arithmetic.
#include <cstdint>

namespace oxr::sim {

struct ZoneParams {
  double tau_s;         // heat-loss time constant
  double rise_k;        // how far above room the heater alone would drive the zone
  double boost_rise_k;  // the same while preheating boosts the heater
};

struct ZoneControl {
  bool active = false;  // heater under control; off otherwise
  double set_c = 0.0;
  double hyst_k = 0.0;   // half-width of the band, >= 0
  bool preheat = false;  // boost until the zone first reaches its band's top
};

class ThermalZone {
 public:
  ThermalZone(ZoneParams params, double start_c, std::int64_t now_ms);

  // Starts control afresh (switch-on): heater on below the set point, boost re-armed.
  void begin_control(const ZoneControl& control, std::int64_t now_ms);
  // New settings while running; the heater keeps its state until a threshold says otherwise.
  void set_control(const ZoneControl& control) { control_ = control; }
  // Heater off, control ends; the zone cools towards the room.
  void end_control();

  void advance_to(std::int64_t ms, double room_c);

  double temp_c() const { return temp_; }
  bool heater_on() const { return heater_; }
  bool boosting() const { return heater_ && control_.preheat && !reached_top_; }
  unsigned switchings() const { return switchings_; }

 private:
  double asymptote(double room_c) const;
  // Milliseconds from now until the heater is due to switch; negative when never.
  double ms_to_switch(double room_c) const;
  void evolve(double dt_ms, double room_c);

  ZoneParams params_;
  ZoneControl control_;
  double temp_;
  bool heater_ = false;
  bool reached_top_ = false;
  std::int64_t now_ms_;
  std::int64_t last_switch_ms_;
  unsigned switchings_ = 0;
};

// Both zones with their room.
class ThermalModel {
 public:
  explicit ThermalModel(double room_c, std::int64_t now_ms);

  void begin_control(const ZoneControl& zone1, const ZoneControl& zone2, std::int64_t now_ms);
  void set_control(const ZoneControl& zone1, const ZoneControl& zone2);
  void end_control();
  void advance_to(std::int64_t ms);

  const ThermalZone& zone(int index) const { return index == 0 ? zone1_ : zone2_; }
  double room_c() const { return room_c_; }

  // Zone 1 is the pump head, zone 2 the smaller, quicker outlet.
  // Both reach the top of the editor's range (240 + 30 degrees) in well under an hour.
  static constexpr ZoneParams kZone1{1200.0, 300.0, 600.0};
  static constexpr ZoneParams kZone2{900.0, 280.0, 560.0};

 private:
  double room_c_;
  ThermalZone zone1_;
  ThermalZone zone2_;
};

}  // namespace oxr::sim
