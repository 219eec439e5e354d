#include "Tools_oxr/editor_values.h"

#include <cmath>
#include <utility>

#include "Tools_oxr/cp1252.h"

namespace oxr {

// ---- temperatures ----

TempLimits temp_limits(TempKind kind, bool celsius) {
  if (kind == TempKind::SetTemperature) return celsius ? TempLimits{60, 240} : TempLimits{140, 464};
  return celsius ? TempLimits{1, 30} : TempLimits{1, 54};
}

int internal_from_shown(TempKind kind, bool celsius, int shown) {
  if (celsius) return shown * 10;
  if (kind == TempKind::SetTemperature) return (shown - 32) * 50 / 9;
  return shown * 50 / 9;
}

int shown_from_internal(TempKind kind, bool celsius, int internal_tenths) {
  if (celsius) return (internal_tenths + 5) / 10;
  const int rounded = (internal_tenths * 9 / 5 + 5) / 10;
  return kind == TempKind::SetTemperature ? rounded + 32 : rounded;
}

TempSetting temp_default(TempKind kind, bool celsius) {
  const TempLimits lim = temp_limits(kind, celsius);
  TempSetting s;
  s.min_shown = lim.min_shown;
  s.max_shown = lim.max_shown;
  if (kind == TempKind::SetTemperature) {
    s.shown = celsius ? 60 : 140;
    s.internal_tenths = 600;
  } else {
    // 1 shown and 1.0 K held in both units.
    s.shown = 1;
    s.internal_tenths = 10;
  }
  return s;
}

TempSetting with_shown(TempSetting s, TempKind kind, bool celsius, int shown) {
  s.shown = static_cast<std::uint16_t>(shown < 0 ? 0 : shown);
  s.internal_tenths = static_cast<std::int16_t>(internal_from_shown(kind, celsius, s.shown));
  return s;
}

std::optional<int> parse_whole_number(const std::string& text) {
  std::size_t b = text.find_first_not_of(' ');
  if (b == std::string::npos) return std::nullopt;
  std::size_t e = text.find_last_not_of(' ');
  std::string t = text.substr(b, e - b + 1);
  bool negative = false;
  std::size_t i = 0;
  if (t[0] == '-' || t[0] == '+') {
    negative = t[0] == '-';
    i = 1;
  }
  if (i == t.size() || t.size() - i > 9) return std::nullopt;
  int value = 0;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return std::nullopt;
    value = value * 10 + (t[i] - '0');
  }
  return negative ? -value : value;
}

TempCheck check_temp_text(const TempSetting& s, TempKind kind, bool celsius,
                          const std::string& field_text) {
  const std::optional<int> v = parse_whole_number(field_text);
  if (!v || *v < s.min_shown || *v > s.max_shown)
    return {with_shown(s, kind, celsius, s.min_shown), false};
  return {with_shown(s, kind, celsius, *v), true};
}

TempSetting step_temp(const TempSetting& s, TempKind kind, bool celsius, int direction) {
  int shown = s.shown;
  if (direction > 0 && shown < s.max_shown) ++shown;
  if (direction < 0 && shown > s.min_shown) --shown;
  return with_shown(s, kind, celsius, shown);
}

std::string temp_range_message(const std::array<std::string, 4>& pieces,
                               const std::string& field_text, const TempSetting& s) {
  return "'  " + field_text + "  '" + pieces[0] + "\r" + pieces[1] +
         std::to_string(s.min_shown) + pieces[2] + std::to_string(s.max_shown) + pieces[3];
}

TempSetting& CycleEditor::setting(TempField f) {
  return const_cast<TempSetting&>(std::as_const(*this).setting(f));
}

const TempSetting& CycleEditor::setting(TempField f) const {
  switch (f) {
    case TempField::Set1: return set_temp1_setting;
    case TempField::Set2: return set_temp2_setting;
    case TempField::Hyst1: return hyst1_setting;
    case TempField::Hyst2: break;
  }
  return hyst2_setting;
}

// ---- time values ----

std::int64_t to_ms(DateTime t) { return std::llround(t * static_cast<double>(kDayMs)); }

DateTime from_ms(std::int64_t ms) {
  return static_cast<double>(ms) / static_cast<double>(kDayMs);
}

namespace {

std::int64_t day_of(DateTime t) { return static_cast<std::int64_t>(std::floor(t)); }

std::int64_t time_of_day_ms(DateTime t) { return to_ms(t) - day_of(t) * kDayMs; }

bool is_today(DateTime date, DateTime now) { return day_of(date) == day_of(now); }

}  // namespace

DateTime now_whole_minutes(DateTime now) {
  return from_ms(time_of_day_ms(now) / kMinuteMs * kMinuteMs);
}

DateCheck check_date_value(std::optional<DateTime> parsed, DateTime now) {
  const std::int64_t today = day_of(now);
  const DateCheck fallback{Verdict::OutOfRange, static_cast<DateTime>(today), 0};
  if (!parsed) return {Verdict::Unreadable, fallback.date, 0};
  const std::int64_t d = day_of(*parsed);
  if (d < today || d > today + 14) return fallback;
  return {Verdict::Accepted, static_cast<DateTime>(d), static_cast<std::int32_t>(d - today)};
}

TimeCheck check_start_time_value(std::optional<DateTime> parsed, DateTime edit_date,
                                 DateTime now) {
  if (!parsed) return {Verdict::Unreadable, now_whole_minutes(now)};
  const std::int64_t now_ms = time_of_day_ms(now);
  if (is_today(edit_date, now) && to_ms(*parsed) <= now_ms)
    return {Verdict::OutOfRange, from_ms((now_ms + kMinuteMs) / kMinuteMs * kMinuteMs)};
  return {Verdict::Accepted, *parsed};
}

TimeCheck check_duration_value(std::optional<DateTime> parsed) {
  if (!parsed) return {Verdict::Unreadable, from_ms(kMinuteMs)};
  if (to_ms(*parsed) == 0) return {Verdict::OutOfRange, from_ms(kMinuteMs)};
  return {Verdict::Accepted, *parsed};
}

DateTime start_time_hour_step(DateTime start_time, int direction, DateTime edit_date,
                              DateTime now) {
  const std::int64_t t = to_ms(start_time);
  if (direction > 0) return from_ms(t + kHourMs);
  if (t < kHourMs) return start_time;
  // An hour back that would land before now (today) is not made.
  if (is_today(edit_date, now) && t - kHourMs < time_of_day_ms(now)) return start_time;
  return from_ms(t - kHourMs);
}

DateTime start_time_minute_step(DateTime start_time, int direction, DateTime edit_date,
                                DateTime now) {
  const std::int64_t t = to_ms(start_time);
  if (direction > 0) return from_ms(t + kMinuteMs);
  if (t < 2 * kMinuteMs) return start_time;
  if (is_today(edit_date, now) && t <= time_of_day_ms(now) + kMinuteMs) return start_time;
  return from_ms(t - kMinuteMs);
}

DateTime duration_hour_step(DateTime duration, int direction) {
  const std::int64_t d = to_ms(duration);
  if (direction > 0 && d <= 23 * kHourMs) return from_ms(d + kHourMs);
  if (direction < 0 && d >= kHourMs + kMinuteMs) return from_ms(d - kHourMs);
  return duration;
}

DateTime duration_minute_step(DateTime duration, int direction) {
  const std::int64_t d = to_ms(duration);
  if (direction > 0 && d <= 23 * kHourMs + 58 * kMinuteMs) return from_ms(d + kMinuteMs);
  if (direction < 0 && d >= 2 * kMinuteMs) return from_ms(d - kMinuteMs);
  return duration;
}

// ---- comment ----

namespace {

// Byte length of the UTF-8 character starting at text[i]; a stray byte counts as one.
std::size_t char_length(const std::string& text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t n = 1;
  if (lead >= 0xF0 && lead < 0xF8) n = 4;
  else if (lead >= 0xE0) n = lead < 0xF0 ? 3 : 1;
  else if (lead >= 0xC0) n = 2;
  if (i + n > text.size()) return 1;
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 1;
  return n;
}

bool is_control(const std::string& ch) {
  const auto b0 = static_cast<unsigned char>(ch[0]);
  if (ch.size() == 1) return b0 < 0x20 || b0 == 0x7F;
  // U+0080..U+009F are encoded C2 80..C2 9F.
  return ch.size() == 2 && b0 == 0xC2 && static_cast<unsigned char>(ch[1]) < 0xA0;
}

}  // namespace

CommentScan scan_comment(const std::string& text) {
  CommentScan scan;
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = char_length(text, i);
    const std::string ch = text.substr(i, n);
    i += n;
    bool dropped = false;
    keep_cp1252_representable(ch, &dropped);
    std::optional<CommentFault> fault;
    if (ch == ",")
      fault = CommentFault::Comma;
    else if (ch == "\\")
      fault = CommentFault::Backslash;
    else if (ch == "_")
      fault = CommentFault::Underscore;
    else if (dropped)
      fault = CommentFault::NotStorable;
    else if (is_control(ch))
      fault = CommentFault::Control;
    if (fault) {
      scan.removed.push_back(*fault);
      scan.removed_chars.push_back(ch);
    } else {
      scan.cleaned += ch;
    }
  }
  return scan;
}

std::string without_char_at(const std::string& text, std::size_t index) {
  std::size_t i = 0;
  for (std::size_t k = 0; i < text.size(); ++k) {
    const std::size_t n = char_length(text, i);
    if (k == index) return text.substr(0, i) + text.substr(i + n);
    i += n;
  }
  return text;
}

// ---- scheduling rules ----

bool cycles_clash(const CycleRecord& e, const CycleRecord& n) {
  constexpr std::int64_t g = 30'000;
  const std::int64_t e_sd = day_of(e.start_date), e_ed = day_of(e.end_date);
  const std::int64_t n_sd = day_of(n.start_date), n_ed = day_of(n.end_date);
  const std::int64_t e_st = to_ms(e.start_time), e_et = to_ms(e.end_time);
  const std::int64_t n_st = to_ms(n.start_time), n_et = to_ms(n.end_time);
  const std::int64_t d = e_sd - n_sd;
  if (d == 0) {
    return (e_st >= n_st - g && (e_st <= n_et + g || n_ed > e_sd)) ||
           (n_st - g >= e_st && n_st - g <= e_et) ||  //
           (e_st <= n_st + g && e_ed > e_sd);         // the existing one runs past midnight
  }
  if (d == -1) return e_ed == n_sd && e_et >= n_st - g;
  if (d == 1) return n_ed == e_sd && e_st <= n_et + g;
  return false;
}

namespace {

bool starts_later(const CycleRecord& a, const CycleRecord& b) {
  const std::int64_t ad = day_of(a.start_date), bd = day_of(b.start_date);
  return ad > bd || (ad == bd && to_ms(a.start_time) > to_ms(b.start_time));
}

}  // namespace

int insert_in_start_order(std::array<CycleRecord, kRowCount>& rows, int p) {
  int at = p;
  for (int j = p - 1; j >= 1; --j) {
    if (starts_later(rows[j - 1], rows[j])) {
      std::swap(rows[j - 1], rows[j]);
      if (at == j + 1) at = j;
    }
  }
  return at;
}

int first_row_pushed_out(const std::array<CycleRecord, kRowCount>& rows, int p) {
  const CycleRecord& x = rows[p - 1];
  const std::int64_t xd = day_of(x.start_date);
  const std::int64_t xt = to_ms(x.start_time);
  for (int i = 1; i < p; ++i) {
    const CycleRecord& r = rows[i - 1];
    const std::int64_t rd = day_of(r.start_date);
    if (rd > xd || (rd == xd && to_ms(r.start_time) + kMinuteMs > xt)) return i;
  }
  return 0;
}

}  // namespace oxr
