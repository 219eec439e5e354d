// The eighteen arrow buttons beside the editor fields: a click makes one step, a held button
// repeats it from the sixth 100-ms tick of Timer4 on, and the release's click adds one more.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

// Ticks counted before a held button starts repeating.
constexpr std::int32_t kRepeatDelayTicks = 5;

}  // namespace

std::array<SpeedButton*, TFormzyklus::kSpinButtonCount> TFormzyklus::spin_buttons() {
  return {&SpeButdateup,     &SpeButdatedown,     &SpeButtimehourup, &SpeButtimehourdown,
          &SpeButtimeminup,  &SpeButtimemindown,  &SpeButdurhourup,  &SpeButdurhourdown,
          &SpeButdurminup,   &SpeButdurmindown,   &SpeButset1up,     &SpeButset1down,
          &SpeButset2up,     &SpeButset2down,     &SpeButhyst1up,    &SpeButhyst1down,
          &SpeButhyst2up,    &SpeButhyst2down};
}

void TFormzyklus::wire_spin_buttons() {
  const auto buttons = spin_buttons();
  for (int i = 0; i < kSpinButtonCount; ++i) {
    buttons[static_cast<std::size_t>(i)]->OnMouseDown = [this, i] { spin_press(i); };
    buttons[static_cast<std::size_t>(i)]->OnMouseUp = [this, i] { spin_release(i); };
    buttons[static_cast<std::size_t>(i)]->OnClick = [this, i] { spin_click(i); };
  }
  Timer4.OnTimer = [this] { Timer4Timer(); };
}

void TFormzyklus::spin_press(int i) {
  repeat_ticks = 0;
  spin_held[static_cast<std::size_t>(i)] = 1;
  Timer4.set_enabled(true);
}

void TFormzyklus::spin_release(int i) {
  Timer4.set_enabled(false);
  spin_held[static_cast<std::size_t>(i)] = 0;
  repeat_ticks = 0;
}

void TFormzyklus::stop_spin_repeat() {
  Timer4.set_enabled(false);
  spin_held.fill(0);
  repeat_ticks = 0;
}

void TFormzyklus::spin_click(int i) {
  switch (i) {
    case 0: date_key_step(+1); break;
    case 1: date_key_step(-1); break;
    case 2: start_time_key_step(true, +1); break;
    case 3: start_time_key_step(true, -1); break;
    case 4: start_time_key_step(false, +1); break;
    case 5: start_time_key_step(false, -1); break;
    case 6: duration_key_step(true, +1); break;
    case 7: duration_key_step(true, -1); break;
    case 8: duration_key_step(false, +1); break;
    case 9: duration_key_step(false, -1); break;
    case 10: temp_key_step(TempField::Set1, +1); break;
    case 11: temp_key_step(TempField::Set1, -1); break;
    case 12: temp_key_step(TempField::Set2, +1); break;
    case 13: temp_key_step(TempField::Set2, -1); break;
    case 14: temp_key_step(TempField::Hyst1, +1); break;
    case 15: temp_key_step(TempField::Hyst1, -1); break;
    case 16: temp_key_step(TempField::Hyst2, +1); break;
    case 17: temp_key_step(TempField::Hyst2, -1); break;
    default: break;
  }
}

void TFormzyklus::Timer4Timer() {
  for (int i = 0; i < kSpinButtonCount; ++i) {
    if (spin_held[static_cast<std::size_t>(i)] == 0) continue;
    // A button disabled while held (the endless box, a locked editor) never sees its
    // release: the hold ends here, without a step.
    if (!spin_buttons()[static_cast<std::size_t>(i)]->enabled()) {
      stop_spin_repeat();
      return;
    }
    if (repeat_ticks == kRepeatDelayTicks) {
      spin_click(i);
      return;
    }
    break;
  }
  ++repeat_ticks;
}

}  // namespace oxr
