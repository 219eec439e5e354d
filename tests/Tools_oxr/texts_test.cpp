#include "Tools_oxr/texts.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace oxr {
namespace {

constexpr int kEnglish = 0;
constexpr int kGerman = 1;

// Texts whose blanks, line breaks and typos are easy to lose.
TEST(MessageTable, TrickyTextsAreExact) {
  struct Case {
    int k;
    const char* english;
    const char* german;
  };
  const Case cases[] = {
      {8,
       "Zoom: Press left mouse button and select area\n\rScroll: Press right mouse button and move",
       "Zoom: Linke Maustaste gedrückt halten und Bereich markieren\n\rScrollen: Rechte Maustaste "
       "gedrückt halten und verschieben"},
      {11, "Checksum error occured ", "Checksummenfehler aufgetreten"},
      {18,
       "The stopped continuous operation cycle has been saved!\nDo you want to gernerate a new "
       "continuous operation cycle with up-dated time?\nIf a new cycle is generated the stopped "
       "continuous operation cycle will be removed from the table\nand replaced with the new one.",
       "Der gestoppte Endlos-Zyklus wurde gespeichert!\nSoll ein neuer Endlos-Zyklus mit "
       "aktualisierter Startzeit erstellt werden?\nBei Neuerstellung wird der gestoppte "
       "Endlos-Zyklus aus der Tabelle entfernt\nund durch den neuen ersetzt."},
      {21, " timed out.\nThe cycle could not be started",
       " ist schon überschritten. \nDer Zyklus kann nicht mehr gestartet werden."},
      {37,
       "There is a cycle in the continuous operation mode.\r\nBecause the start of the cycle is "
       "after the start\r\nof the continuous operation cycle, the entered cycle will not be "
       "implemented.",
       "Es existiert ein Zyklus im Endlos-Modus.\r\nDa sich der Start des von Ihnen eingegebenen "
       "Zyklus nach dem Start \r\ndes Zyklus im Endlos-Modus befindet, wird dieser nicht "
       "übernommen."},
      {40, "Space is not allowed!", "Das Leerzeichen ist nicht erlaubt!"},
      {66, "Control Mode read", "Kontroll-Modus gelesen"},
      {69, "The both first bytes are not A & T", "Die beiden ersten bytes sind nicht A & T"},
      {83, "Data received", "Daten empfangen"},
      {91,
       "There is already a continuous operation cycle in the table.\nIf you want to entered a new "
       "one, please change or delete the existing cycle.",
       "Es befindet sich bereits ein Endlos-Zyklus in der Tabelle.\nWenn Sie einen neuen Zyklus "
       "eingeben wollen, müssen Sie den existierenden Zyklus ändern oder löschen"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.k);
    EXPECT_EQ(message_text(kEnglish, c.k), c.english);
    EXPECT_EQ(message_text(kGerman, c.k), c.german);
  }
}

// Catches a missing entry, a shifted column or a text copied into the wrong language.
TEST(MessageTable, BothColumnsFilledAndDifferExceptTheSharedTexts) {
  const std::set<int> same_in_both = {3, 4, 5, 25, 26, 54, 57, 61, 76, 81, 82, 85};
  std::set<int> found_same;
  for (int k = 0; k < kMessageCount; ++k) {
    SCOPED_TRACE(k);
    EXPECT_FALSE(message_text(kEnglish, k).empty());
    EXPECT_FALSE(message_text(kGerman, k).empty());
    if (message_text(kEnglish, k) == message_text(kGerman, k)) found_same.insert(k);
  }
  EXPECT_EQ(found_same, same_in_both);
}

TEST(MessageTable, AnyLanguageButZeroIsGermanAndBadNumbersThrow) {
  EXPECT_EQ(message_text(2, 27), "bitte starten");
  EXPECT_EQ(message_text(255, 27), "bitte starten");
  EXPECT_EQ(message_text(kEnglish, 27), "please start");
  EXPECT_THROW(message_text(kGerman, -1), std::out_of_range);
  EXPECT_THROW(message_text(kGerman, kMessageCount), std::out_of_range);
}

TEST(StatusCodeTexts, OnlyCodeFourFollowsTheLanguage) {
  const char* const expected[kStatusCodeCount] = {
      "OK",  "S01", "S02", "S03", nullptr, "MC-END", "TC-STOP", "S07", "TC-BREAK", "S09",
      "S10", "S11", "S12", "S13", "S14",   "E05",    "E04",     "E03", "E02",      "E01"};
  for (int code = 0; code < kStatusCodeCount; ++code) {
    if (!expected[code]) continue;
    SCOPED_TRACE(code);
    EXPECT_EQ(status_code_text(kEnglish, code), expected[code]);
    EXPECT_EQ(status_code_text(kGerman, code), expected[code]);
  }
  EXPECT_EQ(status_code_text(kEnglish, 4), "Data received");
  EXPECT_EQ(status_code_text(kGerman, 4), "Daten empfangen");
}

TEST(StatusCodeTexts, CodeOutsideTheTableGivesAnEmptyText) {
  for (int code : {-1, 20, 255}) EXPECT_EQ(status_code_text(kGerman, code), "") << code;
}

TEST(EditorTexts, BothSetsHoldTheirExactTexts) {
  const EditorTexts& de = editor_texts(kGerman);
  const EditorTexts& en = editor_texts(kEnglish);
  EXPECT_EQ(de.comment_too_long, "Zu viele Zeichen, max. 25 Zeichen bitte!");
  EXPECT_EQ(de.date_limit[1], "   14 Tage im voraus bestimmt werden!");
  EXPECT_EQ(de.set_range[1], "Der Wert muß zwischen ");
  EXPECT_EQ(de.hyst_range[0], " ist kein gültiger Hysteresewert.");
  EXPECT_EQ(de.table_full[1],
            "Wenn Sie weitere Zyklen erstellen wollen, müssen Sie einen Zyklus löschen.");
  EXPECT_EQ(de.overlap,
            "Der von Ihnen eingebene Zyklus überschneidet \nsich mit einem bereits erstellten "
            "Zyklus!");
  EXPECT_EQ(de.start_past,
            "Zyklus ist nicht mehr realisierbar,\ndie Startzeit darf nicht in der Vergangenheit "
            "liegen!");
  EXPECT_EQ(en.date_limit[0], "You may fix the start date of a cycle only");
  EXPECT_EQ(en.date_limit[1], " within a 14-days-period in advance!");
  EXPECT_EQ(en.bad_date, "You have entered no valid Date!");
  EXPECT_EQ(en.set_range[3], " in this case.");
  EXPECT_EQ(en.hyst_range[1], "The value must has to be between ");
  EXPECT_EQ(en.start_past,
            "Cycle cannot be realized anymore, start time must \nnot be in the past!");
  EXPECT_EQ(&editor_texts(3), &de);
}

TEST(MainCaptions, LookOfEachLanguage) {
  struct Case {
    const char* control;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {"DateiZyklus1", "&Datei / Zyklus", "&File / Cycle"},
      {"ffnen1", "Öffn&en", "Op&en"},
      {"Einfgen1", "Einfügen", "Paste"},
      {"ComName1", "Be&zeichnung der Schnittstelle", "&Indication of the interface"},
      {"Hilfe1", "Inh&alt Hilfe", "&Topic Help"},
      {"RadioBut_F", "Temperaturen in °F", "Temperatures in °F"},
      {"Label_cycle", "Dateiname :", "Filename :"},
      {"Label_target1", "Solltemp. 1", "Set temp.1"},
      {"RadioBut_prea_off", "Aus", "Off"},
      {"RadioBut_prea_on", "Ein", "On"},
      {"But_print", "Seite d&rucken", "P&rint Page"},
      {"But_takeover", "Werte übernehmen", "Implement Values"},
      {"Memo1", "Zyklus", "Cycle"},
      {"Memo3", "Uhrzeit\r\nStart", "Start\r\nTime"},
      {"Memo6", "Status", "Status"},
      {"Label_act2", "Aktuelle Temperatur 2:", "Current temperature 2:"},
      {"But_start", "START", "START"},
      {"But_stop", "STOP", "STOP"},
      {"OpenDialog1", "Öffnen", "Open"},
      {"SaveDialog1", "Speichern", "Save"},
      {"Button1", "Zyklus\r\nlöschen", "Clear cycle "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control);
    ASSERT_NE(main_caption(kGerman, c.control), nullptr);
    ASSERT_NE(main_caption(kEnglish, c.control), nullptr);
    EXPECT_STREQ(main_caption(kGerman, c.control), c.german);
    EXPECT_STREQ(main_caption(kEnglish, c.control), c.english);
  }
  EXPECT_EQ(main_caption(kGerman, "Lab_cycle"), nullptr);
  EXPECT_EQ(main_caption(kGerman, "Memo7"), nullptr);
}

TEST(StartTexts, EachLanguageHasItsTextsAndLook) {
  const StartTexts& de = start_texts(kGerman);
  const StartTexts& en = start_texts(kEnglish);
  ASSERT_EQ(de.intro_lines.size(), 6u);
  ASSERT_EQ(en.intro_lines.size(), 5u);
  EXPECT_EQ(de.intro_lines[1], " ");
  EXPECT_EQ(en.intro_lines[1], "");
  EXPECT_EQ(de.intro_lines[3], "über ein PC-Terminal ermöglicht");
  EXPECT_EQ(en.intro_lines[3], "Please ensure that the pump is connected in accordance to the ");
  ASSERT_EQ(de.address_lines.size(), 2u);
  ASSERT_EQ(en.address_lines.size(), 2u);
  EXPECT_NE(de.address_lines, en.address_lines);
  EXPECT_NE(en.address_lines[0].find("Germany"), std::string::npos);

  // Each language shows its own logo and disables its own button.
  EXPECT_TRUE(de.logo_de_visible && !de.logo_en_visible);
  EXPECT_TRUE(!en.logo_de_visible && en.logo_en_visible);
  EXPECT_TRUE(!de.deutsch_enabled && de.englisch_enabled);
  EXPECT_TRUE(en.deutsch_enabled && !en.englisch_enabled);

  EXPECT_EQ(de.quit_caption, "Beenden");
  EXPECT_EQ(en.quit_caption, "Quit");
  EXPECT_EQ(en.logo_hint, "The firm-sign of OXR");
  EXPECT_EQ(de.question_line2,
            "Sollen die abgespeicherten Zyklen mit Status 'bitte starten' aufgerufen werden?");
  EXPECT_EQ(en.question_line1, "You are starting the OXR Pump Control.");
  EXPECT_EQ(de.abort_caption, "Abbrechen");
  EXPECT_EQ(en.abort_caption, "Quit");
  EXPECT_EQ(de.chart_title, "Temperaturverlauf");
  EXPECT_EQ(en.chart_bottom_title, "Time");
  EXPECT_DOUBLE_EQ(de.chart_left_max, 250.0);
  EXPECT_DOUBLE_EQ(en.chart_left_max, 500.0);
  EXPECT_DOUBLE_EQ(en.chart_left_min, 0.0);

  // The maker is fictitious: its addresses stay under the reserved example domain.
  EXPECT_NE(std::string(kMakerEmail).find("example.com"), std::string::npos);
  EXPECT_EQ(std::string(kMakerWebAddress).rfind("https://", 0), 0u);
  EXPECT_NE(std::string(kMakerWebAddress).find(".example.com"), std::string::npos);
}

TEST(FileDialogLabels, OpenAndSavePerLanguage) {
  struct Case {
    int lang;
    bool save;
    FileDialogLabels expected;
  };
  const Case cases[] = {
      {kGerman, false, {"Öffnen", "Abrechen", "Dateityp:", "Dateiname:", "Suchen in:"}},
      {kEnglish, false, {"Open", "Quit", "Filetyp:", "Filename:", "Search in:"}},
      {kGerman, true, {"&Speichern", "Abrechen", "Dateityp:", "Dateiname:", "Speichern"}},
      {kEnglish, true, {"&Save", "Quit", "Filetyp:", "Filename:", "Save"}},
      {7, true, {"&Speichern", "Abrechen", "Dateityp:", "Dateiname:", "Speichern"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lang) + (c.save ? " save" : " open"));
    const FileDialogLabels& l = c.save ? save_dialog_labels(c.lang) : open_dialog_labels(c.lang);
    EXPECT_EQ(l.ok, c.expected.ok);
    EXPECT_EQ(l.cancel, c.expected.cancel);
    EXPECT_EQ(l.type, c.expected.type);
    EXPECT_EQ(l.name, c.expected.name);
    EXPECT_EQ(l.folder, c.expected.folder);
  }
}

// A screen reader must tell the eighteen arrow buttons apart, in either language.
TEST(AccessibleNames, SpinButtonsAndStopButtonHaveDistinctNames) {
  for (int lang : {kEnglish, kGerman}) {
    std::set<std::string> names;
    for (const char* button : kSpinButtonNames) {
      SCOPED_TRACE(button);
      const char* name = accessible_name(lang, button);
      ASSERT_NE(name, nullptr);
      EXPECT_NE(std::string(name), "");
      names.insert(name);
    }
    EXPECT_EQ(names.size(), kSpinButtonNames.size());
    ASSERT_NE(accessible_name(lang, "BBStop"), nullptr);
  }
  EXPECT_STREQ(accessible_name(kGerman, "SpeButdateup"), "Startdatum +1 Tag");
  EXPECT_STREQ(accessible_name(kEnglish, "SpeButdateup"), "Start date +1 day");
  EXPECT_STREQ(accessible_name(kGerman, "SpeButhyst2down"), "Hysterese 2 -1 Grad");
  EXPECT_STREQ(accessible_name(kEnglish, "SpeButdurminup"), "Cycle duration +1 minute");
  EXPECT_STRNE(accessible_name(kGerman, "BBStop"), accessible_name(kEnglish, "BBStop"));
  EXPECT_EQ(accessible_name(kGerman, "MEdatum"), nullptr);
}

TEST(AccessibleNames, TableCellsNameRowAndColumn) {
  EXPECT_EQ(cell_accessible_name(kGerman, 1, 1), "Zeile 1, Zyklus");
  EXPECT_EQ(cell_accessible_name(kGerman, 3, 4), "Zeile 3, Enddatum");
  EXPECT_EQ(cell_accessible_name(kEnglish, 5, 6), "Row 5, Status");
  EXPECT_EQ(cell_accessible_name(kEnglish, 2, 3), "Row 2, Start time");
  std::set<std::string> names;
  for (int row = 1; row <= 5; ++row) {
    for (int col = 1; col <= 6; ++col) names.insert(cell_accessible_name(kGerman, row, col));
  }
  EXPECT_EQ(names.size(), 30u);
  EXPECT_THROW(cell_accessible_name(kGerman, 0, 1), std::out_of_range);
  EXPECT_THROW(cell_accessible_name(kGerman, 1, 7), std::out_of_range);
}

}  // namespace
}  // namespace oxr
