// The cycle editor's fields: checks with their corrections, focus and messages, the steps
// with their limits, the key table, the endless box, the comment check, defaults, the name
// preview and loading a row.
#include "Tools_oxr/editor_values.h"

#include <gtest/gtest.h>

#include <memory>

#include "Tools_oxr/config_file.h"
#include "Tools_oxr/cp1252.h"
#include "Tools_oxr/data_file.h"
#include "tests/Tools_oxr/editor_fixture.h"

namespace oxr::test {
namespace {

// ---- conversions as plain values ----

TEST(TempConversion, ShownAndInternalInBothUnits) {
  struct Case {
    TempKind kind;
    bool celsius;
    int shown;
    int internal;
  };
  const Case to_internal[] = {
      {TempKind::SetTemperature, true, 60, 600},  {TempKind::SetTemperature, false, 140, 600},
      {TempKind::SetTemperature, false, 500, 2600}, {TempKind::SetTemperature, false, 141, 605},
      {TempKind::Hysteresis, true, 3, 30},        {TempKind::Hysteresis, false, 1, 5},
      {TempKind::Hysteresis, false, 54, 300},
  };
  for (const Case& c : to_internal) {
    SCOPED_TRACE(c.shown);
    EXPECT_EQ(internal_from_shown(c.kind, c.celsius, c.shown), c.internal);
  }
  // Back to shown, rounded with integer divisions.
  const Case to_shown[] = {
      {TempKind::SetTemperature, true, 66, 655},  {TempKind::SetTemperature, false, 150, 655},
      {TempKind::SetTemperature, false, 140, 600}, {TempKind::Hysteresis, false, 5, 30},
      {TempKind::Hysteresis, false, 2, 10},       {TempKind::Hysteresis, true, 1, 11},
      {TempKind::Hysteresis, true, 1, 5},
  };
  for (const Case& c : to_shown) {
    SCOPED_TRACE(c.internal);
    EXPECT_EQ(shown_from_internal(c.kind, c.celsius, c.internal), c.shown);
  }
}

TEST(CommentScan, RemovesWhatTheFilesCannotHoldAndKeepsTheRest) {
  const CommentScan s = scan_comment("a,b\\c\xCE\xA9" "d\te_f");  // Ω and a tab
  EXPECT_EQ(s.cleaned, "abcdef");
  EXPECT_EQ(s.removed, (std::vector<CommentFault>{CommentFault::Comma, CommentFault::Backslash,
                                                  CommentFault::NotStorable,
                                                  CommentFault::Control,
                                                  CommentFault::Underscore}));
  EXPECT_EQ(s.removed_chars, (std::vector<std::string>{",", "\\", "Ω", "\t", "_"}));
  const std::string kept = "Probe ä ö ü ß € – 25°";
  EXPECT_EQ(scan_comment(kept).cleaned, kept);
  EXPECT_TRUE(scan_comment(kept).removed.empty());
  // Characters, not bytes.
  EXPECT_EQ(without_char_at("ääx", 1), "äx");
}

// ---- the fields through the window ----

class EditorTest : public EditorFixture {};

TEST_F(EditorTest, DateCheckKeepsTheFourteenDayWindow) {
  const std::string limit =
      "Das Startdatum eines Zyklus darf maximal\r   14 Tage im voraus bestimmt werden!";
  struct Case {
    std::string typed;
    std::string shown;
    int offset;
    std::vector<std::string> messages;
  };
  const Case cases[] = {
      {day_text(0), day_text(0), 0, {}},
      {day_text(14), day_text(14), 14, {}},
      {day_text(15), day_text(0), 0, {limit}},
      {day_text(-1), day_text(0), 0, {limit}},
      {"31.02.2027", day_text(0), 0, {"Sie haben kein gültiges Datum eingegeben!"}},
      {"  .  .    ", day_text(0), 0, {"Sie haben kein gültiges Datum eingegeben!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear_shown();
    w().MEdatum.clear_focus_request();
    type(w().MEdatum, c.typed);
    EXPECT_EQ(w().MEdatum.text(), c.shown);
    EXPECT_EQ(w().editor.edit_day_offset, c.offset);
    EXPECT_EQ(w().editor.edit_date, kToday + c.offset);
    EXPECT_EQ(dialogs.messages(), c.messages);
    EXPECT_EQ(w().MEdatum.focus_requested(), !c.messages.empty());
  }
}

TEST_F(EditorTest, DateKeysStepWithinTheWindowAndRefreshThePreview) {
  w().day_counters[13].count = 4;
  w().day_counters[14].count = 9;
  type(w().MEdatum, day_text(13));
  w().MEdatum.press_key(Key::Up);
  EXPECT_EQ(w().MEdatum.text(), day_text(14));
  EXPECT_EQ(w().editor.edit_day_offset, 14);
  EXPECT_EQ(w().Lab_cycle.caption(), "261223-009");
  w().MEdatum.press_key(Key::Up);  // today + 14 is the last day
  EXPECT_EQ(w().MEdatum.text(), day_text(14));
  w().MEdatum.press_key(Key::Down);
  EXPECT_EQ(w().MEdatum.text(), day_text(13));
  EXPECT_EQ(w().Lab_cycle.caption(), "261222-004");

  type(w().MEdatum, day_text(0));
  w().MEdatum.press_key(Key::Down);  // nothing before today
  EXPECT_EQ(w().MEdatum.text(), day_text(0));
  EXPECT_EQ(w().editor.edit_day_offset, 0);
  // A bad date is corrected and not stepped.
  w().MEdatum.set_text(day_text(20));
  w().MEdatum.press_key(Key::Up);
  EXPECT_EQ(w().MEdatum.text(), day_text(0));
  EXPECT_EQ(dialogs.messages().size(), 1u);
}

TEST_F(EditorTest, NamePreviewWithoutAnEntryForTheDateUsesZero) {
  w().day_counters[0].count = 3;
  type(w().MEdatum, day_text(0));
  EXPECT_EQ(w().Lab_cycle.caption(), "261209-003");
  EXPECT_EQ(w().editor.edit_cycle_name, "261209-003");
  // The window was not moved since midnight: no entry holds the date.
  w().day_counters = {};
  w().refresh_name_preview();
  EXPECT_EQ(w().Lab_cycle.caption(), "261209-000");
  // The preview draws nothing.
  reset_day_counters(w().day_counters, kToday);
  w().refresh_name_preview();
  w().refresh_name_preview();
  EXPECT_EQ(w().day_counters[0].count, 0);
}

TEST_F(EditorTest, StartTimeCheckAgainstNow) {
  advance_ms(4 * 60'000 + 30'000);  // 10:04:30
  struct Case {
    int day;
    std::string typed;
    std::string shown;
    bool message;
  };
  const Case cases[] = {
      {0, "10:04", "10:05", false},  // not after now: now + 1 minute, quietly
      {0, "09:00", "10:05", false},
      {0, "10:06", "10:06", false},
      {1, "09:00", "09:00", false},  // tomorrow any time will do
      {0, "ab:cd", "10:04", true},   // unreadable: now in whole minutes
      {0, "25:00", "10:04", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear_shown();
    w().MEstartz.clear_focus_request();
    type(w().MEdatum, day_text(c.day));
    type(w().MEstartz, c.typed);
    EXPECT_EQ(w().MEstartz.text(), c.shown);
    EXPECT_EQ(format_time_hm(w().editor.edit_start_time), c.shown);
    EXPECT_EQ(w().MEstartz.focus_requested(), c.shown != c.typed);
    EXPECT_EQ(dialogs.messages(),
              c.message ? std::vector<std::string>{"Sie haben keine gültige Zeit eingegeben!"}
                        : std::vector<std::string>{});
  }
}

TEST_F(EditorTest, StartTimeKeysStepWithTheirLimits) {
  struct Case {
    int day;
    std::string start;
    Key key;
    std::string after;
  };
  const Case cases[] = {
      {0, "10:30", Key::Up, "11:30"},   {0, "10:30", Key::Down, "10:30"},  // 09:30 is past
      {0, "11:30", Key::Down, "10:30"}, {1, "00:30", Key::Down, "00:30"},
      {1, "01:00", Key::Down, "00:00"}, {0, "10:30", Key::Right, "10:31"},
      {0, "10:02", Key::Left, "10:01"}, {0, "10:01", Key::Left, "10:01"},  // now + 1 minute
      {1, "00:02", Key::Left, "00:01"}, {1, "00:01", Key::Left, "00:01"},
      {1, "23:30", Key::Up, "00:30"},   {1, "23:59", Key::Right, "00:00"},
      {0, "10:00", Key::Up, "10:01"},   // not acceptable: corrected, not stepped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.start);
    type(w().MEdatum, day_text(c.day));
    w().MEstartz.set_text(c.start);
    w().MEstartz.press_key(c.key);
    EXPECT_EQ(w().MEstartz.text(), c.after);
  }
  // Past midnight the value keeps the extra day.
  type(w().MEdatum, day_text(1));
  w().MEstartz.set_text("23:30");
  w().MEstartz.press_key(Key::Up);
  EXPECT_EQ(to_ms(w().editor.edit_start_time), kDayMs + 30 * kMinuteMs);
  EXPECT_TRUE(dialogs.messages().empty());
}

TEST_F(EditorTest, DurationChecksAndSteps) {
  struct Case {
    std::string before;
    Key key;  // Key::Other: just leave the field
    std::string after;
    bool message;
  };
  const Case cases[] = {
      {"23:00", Key::Up, "00:00", false},    {"23:01", Key::Up, "23:01", false},
      {"01:01", Key::Down, "00:01", false},  {"01:00", Key::Down, "01:00", false},
      {"23:58", Key::Right, "23:59", false}, {"23:59", Key::Right, "23:59", false},
      {"00:02", Key::Left, "00:01", false},  {"00:01", Key::Left, "00:01", false},
      {"00:00", Key::Other, "00:01", false}, {"x1:00", Key::Other, "00:01", true},
      {"00:00", Key::Right, "00:02", false},  // the check first turns 00:00 into 00:01
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    dialogs.clear_shown();
    if (c.key == Key::Other) {
      type(w().MEcycled, c.before);
    } else {
      w().MEcycled.set_text(c.before);
      w().MEcycled.press_key(c.key);
    }
    EXPECT_EQ(w().MEcycled.text(), c.after);
    EXPECT_EQ(dialogs.messages(),
              c.message ? std::vector<std::string>{"Sie haben keine gültige Dauer eingegeben!"}
                        : std::vector<std::string>{});
  }
  // 23:00 and Up: 24:00 held, 00:00 shown; leaving the field makes it 00:01.
  w().MEcycled.set_text("23:00");
  w().MEcycled.press_key(Key::Up);
  EXPECT_EQ(w().editor.edit_duration, 1.0);
  w().MEcycled.exit();
  EXPECT_EQ(w().MEcycled.text(), "00:01");
  EXPECT_EQ(to_ms(w().editor.edit_duration), kMinuteMs);
}

TEST_F(EditorTest, TemperatureCheckMessagesInBothLanguages) {
  start(0);
  w().MEtarget1.set_text("500");
  w().MEtarget1.exit();
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::string>{"'  500  ' is not a valid set temperature value.\rThe value "
                                     "has to be between 140 and 464 in this case."});
  EXPECT_EQ(w().MEtarget1.text(), "140");
  EXPECT_TRUE(w().MEtarget1.focus_requested());
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 600);

  start(1);
  struct Case {
    MaskEdit* field;
    std::string typed;
    std::string message;
    std::string shown;
    int internal;
  };
  const Case cases[] = {
      {&w().MEhyst1, "31",
       "'  31  ' ist kein gültiger Hysteresewert.\rDer Wert muß zwischen 1 und 30 liegen.", "1",
       10},
      {&w().MEtarget2, "ab",
       "'  ab  ' ist kein gültiger Sollwert.\rDer Wert muß zwischen 60 und 240 liegen.", "60",
       600},
      {&w().MEtarget1, "59",
       "'  59  ' ist kein gültiger Sollwert.\rDer Wert muß zwischen 60 und 240 liegen.", "60",
       600},
      {&w().MEtarget1, "240", "", "240", 2400},
      {&w().MEhyst2, " 7", "", " 7", 70},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    dialogs.clear_shown();
    type(*c.field, c.typed);
    EXPECT_EQ(dialogs.messages(),
              c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message});
    EXPECT_EQ(c.field->text(), c.shown);
  }
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 2400);
  EXPECT_EQ(w().editor.hyst2_setting.internal_tenths, 70);
}

TEST_F(EditorTest, TemperatureStepsStopAtTheLimits) {
  struct Case {
    MaskEdit* field;
    std::string before;
    Key key;
    std::string after;
  };
  const Case cases[] = {
      {&w().MEtarget1, "240", Key::Up, "240"}, {&w().MEtarget1, "60", Key::Down, "60"},
      {&w().MEtarget1, "61", Key::Down, "60"}, {&w().MEhyst1, "30", Key::Up, "30"},
      {&w().MEhyst2, "1", Key::Down, "1"},     {&w().MEhyst2, "4", Key::Up, "5"},
      {&w().MEtarget1, "300", Key::Up, "61"},  // corrected to 60 first, then stepped
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    c.field->set_text(c.before);
    c.field->press_key(c.key);
    EXPECT_EQ(c.field->text(), c.after);
  }
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 610);
  EXPECT_EQ(w().editor.hyst2_setting.internal_tenths, 50);
  // Right, Left and Enter do nothing in a temperature field.
  w().MEtarget1.set_text("300");
  w().MEtarget1.press_key(Key::Enter);
  w().MEtarget1.press_key(Key::Right);
  EXPECT_EQ(w().MEtarget1.text(), "300");
}

TEST_F(EditorTest, ZoneTwoMirrorsZoneOneInModesTwoAndThree) {
  for (int mode : {1, 2, 3, 4}) {
    SCOPED_TRACE(mode);
    start(1);
    w().control_mode = mode;
    type(w().MEtarget1, "80");
    w().MEhyst1.set_text("3");
    w().MEhyst1.press_key(Key::Up);
    const bool mirrors = mode == 2 || mode == 3;
    EXPECT_EQ(w().MEtarget2.text(), mirrors ? "80" : "60");
    EXPECT_EQ(w().MEhyst2.text(), mirrors ? "4" : "1");
    // Zone 2's own values are not touched.
    EXPECT_EQ(w().editor.set_temp2_setting.internal_tenths, 600);
  }
}

TEST_F(EditorTest, EndlessBoxLocksTheDuration) {
  w().MEcycled.set_text("05:00");
  w().CheckBox_endlos.set_checked(true);
  EXPECT_EQ(w().MEcycled.text(), "24:00");
  EXPECT_EQ(w().editor.edit_duration, 1.0);
  for (Control* c : std::initializer_list<Control*>{&w().MEcycled, &w().SpeButdurhourup,
                                                    &w().SpeButdurhourdown, &w().SpeButdurminup,
                                                    &w().SpeButdurmindown})
    EXPECT_FALSE(c->enabled()) << c->name();
  w().CheckBox_endlos.set_checked(false);
  EXPECT_EQ(w().MEcycled.text(), "00:01");
  EXPECT_EQ(to_ms(w().editor.edit_duration), kMinuteMs);
  EXPECT_TRUE(w().MEcycled.enabled());
  EXPECT_TRUE(w().SpeButdurmindown.enabled());
}

TEST_F(EditorTest, CommentCheckInBothLanguages) {
  struct Case {
    int lang;
    std::string pasted;
    std::string kept;
    std::vector<std::string> messages;
  };
  const std::string too_long_de = "Zu viele Zeichen, max. 25 Zeichen bitte!";
  const Case cases[] = {
      {1, "a,b\\c", "abc",
       {"Das Zeichen ',' ist nicht erlaubt!", "Der linksseitige Schrägstrich ist nicht erlaubt!"}},
      {0, "a,b\\c", "abc", {"The sign ',' is not allowed!", "Backslash is not allowed!"}},
      {1, "Probe 7 mit Öl", "Probe 7 mit Öl", {}},
      {1, std::string(26, 'x'), std::string(25, 'x'), {too_long_de}},
      {1, std::string(27, 'x'), std::string(25, 'x'), {too_long_de, too_long_de}},
      // 26 umlauts are 52 bytes: the 26th character goes, not a byte of one.
      {0, [] { std::string s; for (int i = 0; i < 26; ++i) s += "ä"; return s; }(),
       [] { std::string s; for (int i = 0; i < 25; ++i) s += "ä"; return s; }(),
       {"Too many characters, max. 25 characters please!"}},
      {1, "Ω-Probe",
       "-Probe",
       {"Das Zeichen 'Ω' kann in den Zyklusdateien nicht gespeichert werden und wurde "
        "entfernt!"}},
      {0, "Ω-Probe \xF0\x9F\x94\xA5",  // and a four-byte character
       "-Probe ",
       {"The sign 'Ω' cannot be stored in the cycle files and has been removed!",
        "The sign '\xF0\x9F\x94\xA5' cannot be stored in the cycle files and has been removed!"}},
      {0, "a\tb", "ab", {"This sign cannot be stored in the cycle files and has been removed!"}},
      {1, "a\nb",
       "ab",
       {"Dieses Zeichen kann in den Zyklusdateien nicht gespeichert werden und wurde entfernt!"}},
      // The cycle files write a blank as "_" and read every "_" back as a blank.
      {1, "Lauf_1", "Lauf1",
       {"Das Zeichen '_' ist nicht erlaubt, die Zyklusdateien schreiben damit Leerzeichen!"}},
      {0, "run_1", "run1", {"The sign '_' is not allowed, the cycle files use it for blanks!"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pasted);
    start(c.lang);
    w().Edit_comment.set_text(c.pasted);
    EXPECT_EQ(w().Edit_comment.text(), c.kept);
    EXPECT_EQ(dialogs.messages(), c.messages);
  }
}

// Every character a keyboard can type into the comment either goes with a message or comes
// back unchanged from both files: the configuration file and a cycle data file.
TEST_F(EditorTest, WhatTheCommentKeepsReadsBackUnchangedFromBothFiles) {
  std::string typable;
  for (int b = 0x20; b <= 0xFF; ++b) {
    // DEL and the five bytes Windows-1252 leaves undefined are controls, not characters.
    if (b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D) continue;
    typable += cp1252_to_utf8(std::string(1, static_cast<char>(b)));
  }
  const std::string refused = ",\\_";
  std::vector<std::string> chunks;  // comments of at most 25 characters
  for (std::size_t i = 0; i < typable.size();) {
    std::string chunk;
    for (std::size_t n = 0; n < kCommentMaxChars && i < typable.size(); ++n) {
      std::size_t len = 1;
      while (i + len < typable.size() && (static_cast<unsigned char>(typable[i + len]) & 0xC0) == 0x80)
        ++len;
      chunk += typable.substr(i, len);
      i += len;
    }
    chunks.push_back(chunk);
  }
  ASSERT_GE(chunks.size(), 8u);
  for (const std::string& chunk : chunks) {
    SCOPED_TRACE(chunk);
    start(1);
    w().But_new.click();
    type(w().MEdatum, day_text(1));
    type(w().MEstartz, "08:00");
    w().Edit_comment.set_text(chunk);
    std::string expected;
    std::size_t refusals = 0;
    for (char c : chunk) {
      if (refused.find(c) != std::string::npos)
        ++refusals;
      else
        expected += c;
    }
    EXPECT_EQ(w().Edit_comment.text(), expected);
    EXPECT_EQ(dialogs.messages().size(), refusals);
    w().But_takeover.click();
    ASSERT_EQ(w().cycle_count, 1);
    EXPECT_EQ(row(1).comment, expected);

    ConfigContents contents;
    contents.day_counters = w().day_counters;
    contents.cycles[0] = row(1);
    contents.cycle_count = 1;
    const ConfigParse back = parse_config_file(build_config_file(contents));
    ASSERT_EQ(back.cycle_count, 1);
    EXPECT_EQ(back.cycles[0].comment, expected);

    DataFileHeader header;
    header.start_date = row(1).start_date;
    header.start_time = row(1).start_time;
    header.duration = row(1).duration;
    header.cycle_name = row(1).cycle_name;
    header.comment = row(1).comment;
    header.unit_word = "Celcius";
    header.preheating_word = kPreheatingOffWord;
    header.operation_mode = 1;
    DataFileHeader read;
    auto samples = std::make_unique<SampleBuffer>();
    ASSERT_TRUE(read_data_file(cycle_file_bytes(header, 1), read, *samples).ok());
    EXPECT_EQ(comment_for_editor(read.comment), expected);
  }
}

TEST_F(EditorTest, NewPutsBackTheDefaultsOfTheUnit) {
  start(0);  // °F
  w().day_counters[0].count = 2;
  advance_ms(90'000);  // 10:01:30
  type(w().MEdatum, day_text(3));
  type(w().MEstartz, "12:00");
  w().CheckBox_endlos.set_checked(true);
  type(w().MEtarget1, "300");
  type(w().MEhyst1, "9");
  w().RadioBut_prea_on.set_checked(true);
  w().Edit_comment.set_text("Probe");
  w().Chart2.Series1.add(0.1, 150.0, "10:00:00");
  w().row_selected[1] = 1;
  w().cell(2, 3).set_color(Color::Aqua);

  w().But_new.click();
  EXPECT_EQ(w().MEdatum.text(), day_text(0));
  EXPECT_EQ(w().MEstartz.text(), "10:02");
  EXPECT_EQ(w().MEcycled.text(), "00:01");
  EXPECT_FALSE(w().CheckBox_endlos.checked());
  EXPECT_TRUE(w().MEcycled.enabled());
  EXPECT_TRUE(w().RadioBut_prea_off.checked());
  EXPECT_EQ(w().Edit_comment.text(), "");
  EXPECT_EQ(w().MEtarget1.text(), "140");
  EXPECT_EQ(w().MEhyst1.text(), "1");
  EXPECT_EQ(w().editor.set_temp1_setting, (TempSetting{600, 140, 140, 464}));
  EXPECT_EQ(w().editor.hyst1_setting, (TempSetting{10, 1, 1, 54}));
  EXPECT_EQ(w().Chart2.Series1.count(), 0);
  EXPECT_EQ(w().Lab_cycle.caption(), "261209-002");
  EXPECT_EQ(w().row_selected[1], 0);
  EXPECT_EQ(w().cell(2, 3).color(), Color::BtnFace);
}

TEST_F(EditorTest, LoadingARowShowsItInTheCurrentUnit) {
  CycleRecord endless{"261210-000", kToday + 1, 8.0 / 24, 1.0, kToday + 2, 8.0 / 24,
                      "bitte starten", 655, 700, 30, 20, 1, "Dauerlauf"};
  CycleRecord normal{"261211-004", kToday + 2, 14.5 / 24, 2.25 / 24, kToday + 2, 16.75 / 24,
                     "bitte starten", 600, 600, 10, 10, 0, ""};
  w().schedule.rows[0] = endless;
  w().schedule.rows[1] = normal;

  w().load_row_into_editor(1);
  EXPECT_EQ(w().Lab_cycle.caption(), "261210-000");
  EXPECT_EQ(w().MEdatum.text(), day_text(1));
  EXPECT_EQ(w().MEstartz.text(), "08:00");
  EXPECT_TRUE(w().CheckBox_endlos.checked());
  EXPECT_EQ(w().MEcycled.text(), "24:00");
  EXPECT_FALSE(w().MEcycled.enabled());
  EXPECT_EQ(w().MEtarget1.text(), "66");
  EXPECT_EQ(w().MEtarget2.text(), "70");
  EXPECT_EQ(w().MEhyst1.text(), "3");
  EXPECT_EQ(w().MEhyst2.text(), "2");
  EXPECT_EQ(w().editor.set_temp1_setting.internal_tenths, 655);
  EXPECT_TRUE(w().RadioBut_prea_on.checked());
  EXPECT_EQ(w().Edit_comment.text(), "Dauerlauf");

  // A normal row right after an endless one: its own duration, controls enabled.
  w().load_row_into_editor(2);
  EXPECT_FALSE(w().CheckBox_endlos.checked());
  EXPECT_EQ(w().MEcycled.text(), "02:15");
  EXPECT_TRUE(w().MEcycled.enabled());
  EXPECT_TRUE(w().SpeButdurhourup.enabled());
  EXPECT_EQ(w().MEstartz.text(), "14:30");
  EXPECT_TRUE(w().RadioBut_prea_off.checked());
  // The editor holds what it shows.
  EXPECT_EQ(w().editor.edit_date, kToday + 2);
  EXPECT_EQ(w().editor.edit_day_offset, 2);
  EXPECT_EQ(to_ms(w().editor.edit_duration), 135 * kMinuteMs);

  start(0);
  w().schedule.rows[0] = endless;
  w().load_row_into_editor(1);
  EXPECT_EQ(w().MEtarget1.text(), "150");
  EXPECT_EQ(w().MEhyst1.text(), "5");
}

TEST_F(EditorTest, EnableFollowsTheControlModeAndDisableLocksEverything) {
  for (int mode : {1, 4}) {
    SCOPED_TRACE(mode);
    w().control_mode = mode;
    w().disable_editor();
    for (Control* c : std::initializer_list<Control*>{
             &w().MEdatum, &w().MEstartz, &w().MEcycled, &w().MEtarget1, &w().MEtarget2,
             &w().SpeButhyst2down, &w().CheckBox_endlos, &w().Edit_comment, &w().But_takeover,
             &w().RadioBut_prea_on})
      EXPECT_FALSE(c->enabled()) << c->name();
    w().enable_editor();
    for (Control* c : std::initializer_list<Control*>{
             &w().MEdatum, &w().MEstartz, &w().MEcycled, &w().MEtarget1, &w().SpeButdateup,
             &w().CheckBox_endlos, &w().Edit_comment, &w().But_takeover, &w().RadioBut_prea_on})
      EXPECT_TRUE(c->enabled()) << c->name();
    for (Control* c : std::initializer_list<Control*>{&w().MEtarget2, &w().MEhyst2,
                                                      &w().SpeButset2up, &w().SpeButhyst2down})
      EXPECT_EQ(c->enabled(), mode == 4) << c->name();
  }
}

TEST_F(EditorTest, CheckAllCorrectsEveryFieldInOrder) {
  w().MEdatum.set_text(day_text(20));
  w().MEstartz.set_text("09:00");
  w().MEcycled.set_text("00:00");
  w().MEtarget1.set_text("10");
  w().MEhyst2.set_text("99");
  w().check_all();
  EXPECT_EQ(w().MEdatum.text(), day_text(0));
  EXPECT_EQ(w().MEstartz.text(), "10:01");
  EXPECT_EQ(w().MEcycled.text(), "00:01");
  EXPECT_EQ(w().MEtarget1.text(), "60");
  EXPECT_EQ(w().MEhyst2.text(), "1");
  const std::vector<std::string> msgs = dialogs.messages();
  ASSERT_EQ(msgs.size(), 3u);
  EXPECT_EQ(msgs[0].rfind("Das Startdatum", 0), 0u);
  EXPECT_EQ(msgs[1].rfind("'  10  '", 0), 0u);
  EXPECT_EQ(msgs[2].rfind("'  99  '", 0), 0u);
}

}  // namespace
}  // namespace oxr::test
