// The temperature chart of the main window: live points of the running cycle, the points of
// an opened data file, and "ZoomAll". The ranges and points are worked out in chart_logic.
#include "Tools_oxr/chart_logic.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::empty_chart() { oxr::empty_chart(Chart2); }

void TFormzyklus::add_live_sample(std::uint16_t index, std::uint16_t raw1, std::uint16_t raw2) {
  const LiveChartState state{duration_ticks, frame_checksum_ok(), unit_celsius == 1,
                             control_mode};
  const DateTime time = SampleBuffer::holds(index) ? samples[index].sample_time : 0.0;
  oxr::add_live_sample(Chart2, state, index, raw1, raw2, time);
}

void TFormzyklus::fill_from_loaded_samples() {
  oxr::fill_from_loaded_samples(Chart2, header, samples, loaded_sample_count, unit_celsius == 1);
}

void TFormzyklus::BitBtn1Click() {
  zoom_all(Chart2, ZoomAllState{unit_celsius == 1, file_opened == 1, header.value_count,
                                start_active == 1, duration_ticks});
}

}  // namespace oxr
