// The temperature unit: what the four temperature fields show, their limits, the chart's
// temperature axis and the points already drawn. Held values stay in tenths of °C / K.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

void set_temperature_axis(Chart& chart, const char* title, double maximum) {
  ChartAxis axis = chart.left_axis();
  axis.title = title;
  axis.minimum = 0.0;
  axis.maximum = maximum;
  axis.automatic = false;
  chart.set_left_axis(axis);
}

template <typename Convert>
void convert_points(ChartSeries& series, Convert convert) {
  for (int i = 0; i < series.count(); ++i)
    series.set_y(i, convert(series.points()[static_cast<std::size_t>(i)].y));
}

}  // namespace

void TFormzyklus::wire_unit() {
  RadioBut_C.OnClick = [this] { RadioBut_CClick(); };
  RadioBut_F.OnClick = [this] { RadioBut_FClick(); };
}

void TFormzyklus::RadioBut_CClick() {
  if (unit_switched_to == 1) return;
  unit_celsius = 1;
  unit_switched_to = 1;
  switch_to_celsius();
}

void TFormzyklus::RadioBut_FClick() {
  if (unit_switched_to == 0) return;
  unit_celsius = 0;
  unit_switched_to = 0;
  switch_to_fahrenheit();
}

void TFormzyklus::switch_to_celsius() {
  set_temperature_axis(Chart2, "T[°C]", 250.0);
  convert_points(Chart2.Series1, chart_point_to_celsius);
  if (control_mode == 4) convert_points(Chart2.Series2, chart_point_to_celsius);

  // A hysteresis still showing 1 comes back as 1.1 K, whatever it held in the other unit;
  // values read from a °C file keep what the file says.
  if (unit_from_file == 0) {
    for (TempSetting* h : {&editor.hyst1_setting, &editor.hyst2_setting})
      if (h->shown == 1) h->internal_tenths = 11;
  }
  unit_from_file = 0;

  for (TempField f : kTempFields) {
    TempSetting& s = editor.setting(f);
    const int shown = shown_from_internal(kind_of(f), true, s.internal_tenths);
    s.shown = static_cast<std::uint16_t>(shown < 0 ? 0 : shown);
    temp_edit(f).set_text(std::to_string(s.shown));
  }
  mirror_zone2(TempField::Hyst1);
  mirror_zone2(TempField::Set1);

  for (TempField f : kTempFields) {
    const TempLimits lim = temp_limits(kind_of(f), true);
    editor.setting(f).min_shown = lim.min_shown;
    editor.setting(f).max_shown = lim.max_shown;
  }
}

void TFormzyklus::switch_to_fahrenheit() {
  set_temperature_axis(Chart2, "T[°F]", 500.0);
  convert_points(Chart2.Series1, chart_point_to_fahrenheit);
  if (control_mode == 4) convert_points(Chart2.Series2, chart_point_to_fahrenheit);

  for (TempField f : kTempFields) {
    TempSetting& s = editor.setting(f);
    const int shown = shown_from_internal(kind_of(f), false, s.internal_tenths);
    s.shown = static_cast<std::uint16_t>(shown < 0 ? 0 : shown);
    temp_edit(f).set_text(std::to_string(s.shown));
  }
  mirror_zone2(TempField::Hyst1);
  mirror_zone2(TempField::Set1);

  for (TempField f : kTempFields) {
    const TempLimits lim = temp_limits(kind_of(f), false);
    editor.setting(f).min_shown = lim.min_shown;
    editor.setting(f).max_shown = lim.max_shown;
  }
}

}  // namespace oxr
