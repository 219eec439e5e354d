// The text sets of both languages: the message table, the controller status texts, the editor
// texts, the main window captions, the start page texts, the file dialog labels and the
// accessible names. Texts are quoted exactly as the program shows them, trailing blanks and
// typos included.
#include "Tools_oxr/texts.h"

#include <iterator>
#include <stdexcept>
#include <string>

namespace oxr {

namespace {

struct MessagePair {
  const char* english;
  const char* german;
};

// clang-format off
const MessagePair kMessages[kMessageCount] = {
    /*  0 */ {"Interruption of measuring cycle by PC-Stop",
               "Abbruch des Messzyklus durch PC-Stop"},
    /*  1 */ {"OXR - Electronicly controlled heated pumps (.58)",
               "OXR - Steuerung für elektronisch beheizte Pumpen (.58)"},
    /*  2 */ {"OXR - Electronicly controlled heated pumps (.58)",
               "OXR - Steuerung für elektronisch beheizte Pumpen (.58)"},
    /*  3 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /*  4 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /*  5 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /*  6 */ {"Com not valid",
               "Schnittstelle nicht gültig"},
    /*  7 */ {"Com valid",
               "Schnittstelle gültig"},
    /*  8 */ {"Zoom: Press left mouse button and select area\n\rScroll: Press right mouse button and move",
               "Zoom: Linke Maustaste gedrückt halten und Bereich markieren\n\rScrollen: Rechte Maustaste gedrückt halten und verschieben"},
    /*  9 */ {"Temperature control not connected",
               "Keine Temperatursteuerung angeschlossen"},
    /* 10 */ {"Temperature control connected",
               "Temperatursteuerung angeschlossen"},
    /* 11 */ {"Checksum error occured ",
               "Checksummenfehler aufgetreten"},
    /* 12 */ {"Error: No answer from TC after sending a command",
               "Fehler: Keine Antwort von TS auf Anfrage"},
    /* 13 */ {"Time of measuring cycle is ended",
               "Endzeit des Messzyklus erreicht"},
    /* 14 */ {"Interruption of measuring cycle by OFF from TC",
               "Abbruch des Messzyklus durch OFF an TS"},
    /* 15 */ {"No measuring cycle with status 'please start'",
               "Kein Messzyklus mit Status 'bitte starten'"},
    /* 16 */ {"Waiting for measuring cycle",
               "Abfrage Messzyklus"},
    /* 17 */ {"Quit not allowed, as long as start is active",
               "Kein Beenden erlaubt, solange Start aktiv"},
    /* 18 */ {"The stopped continuous operation cycle has been saved!\nDo you want to gernerate a new continuous operation cycle with up-dated time?\nIf a new cycle is generated the stopped continuous operation cycle will be removed from the table\nand replaced with the new one.",
               "Der gestoppte Endlos-Zyklus wurde gespeichert!\nSoll ein neuer Endlos-Zyklus mit aktualisierter Startzeit erstellt werden?\nBei Neuerstellung wird der gestoppte Endlos-Zyklus aus der Tabelle entfernt\nund durch den neuen ersetzt."},
    /* 19 */ {"The stopped cycle has been saved!\nDo you want to generate a new cycle with the remaining time?\nIf a new cycle is generated the stopped cycle will be removed from the table\nand replaced with the new one.",
               "Der gestoppte Zyklus wurde gespeichert!\nSoll mit der Restlaufzeit ein neuer Zyklus erstellt werden?\nBei Neuerstellung wird der gestoppte Zyklus aus der Tabelle entfernt\nund durch den neuen ersetzt."},
    /* 20 */ {"The remaining time is too short or the cycle is ",
               "Die Restlaufzeit ist zu kurz oder die Endzeit von Zyklus "},
    /* 21 */ {" timed out.\nThe cycle could not be started",
               " ist schon überschritten. \nDer Zyklus kann nicht mehr gestartet werden."},
    /* 22 */ {"not started",
               "nicht gestartet"},
    /* 23 */ {"The stopped cycle was saved!\nThe remaining time is too short to proceed with the cycle.",
               "Der gestoppte Zyklus wurde gespeichert!\nDie Restlaufzeit ist zu kurz um den Zyklus fortzuführen."},
    /* 24 */ {"terminated",
               "beendet"},
    /* 25 */ {"PC-Stop",
               "PC-Stop"},
    /* 26 */ {"TC-Stop",
               "TC-Stop"},
    /* 27 */ {"please start",
               "bitte starten"},
    /* 28 */ {"waiting",
               "wartet"},
    /* 29 */ {"running",
               "läuft"},
    /* 30 */ {"Save cycles with status 'please start'?",
               "Zyklen mit Status 'bitte starten' speichern?"},
    /* 31 */ {"Pump Control",
               "Pumpensteuerung"},
    /* 32 */ {"Indication of the interface",
               "Bezeichnung der Schnittstelle"},
    /* 33 */ {"Pump: ON",
               "Pumpe: AN"},
    /* 34 */ {"Pump: OFF",
               "Pumpe: AUS"},
    /* 35 */ {"Pump: --",
               "Pumpe: --"},
    /* 36 */ {"Measuring cycle saved",
               "Messzyklus wurde gespeichert"},
    /* 37 */ {"There is a cycle in the continuous operation mode.\r\nBecause the start of the cycle is after the start\r\nof the continuous operation cycle, the entered cycle will not be implemented.",
               "Es existiert ein Zyklus im Endlos-Modus.\r\nDa sich der Start des von Ihnen eingegebenen Zyklus nach dem Start \r\ndes Zyklus im Endlos-Modus befindet, wird dieser nicht übernommen."},
    /* 38 */ {"The sign ',' is not allowed!",
               "Das Zeichen ',' ist nicht erlaubt!"},
    /* 39 */ {"Backslash is not allowed!",
               "Der linksseitige Schrägstrich ist nicht erlaubt!"},
    /* 40 */ {"Space is not allowed!",
               "Das Leerzeichen ist nicht erlaubt!"},
    /* 41 */ {"Cycle ",
               "Zyklus "},
    /* 42 */ {" cannot be realized! Please delete.",
               " nicht mehr realisierbar! Bitte löschen."},
    /* 43 */ {"File oxrconf.dat created.",
               "Datei oxrconf.dat erstellt."},
    /* 44 */ {"Cycle ",
               "Messzyklus "},
    /* 45 */ {" is running",
               " läuft"},
    /* 46 */ {"Measuring data ",
               "Messdaten "},
    /* 47 */ {"File does not exist",
               "Datei nicht vorhanden"},
    /* 48 */ {"Start date,Start time,Cycle duration",
               "Startdatum,Startzeit,Zyklusdauer"},
    /* 49 */ {"Cycle number,Comment",
               "Zyklusnummer,Kommentar"},
    /* 50 */ {"Temperature unit,Preheating",
               "Temperatureinheit,Vorheizung"},
    /* 51 */ {"Set temperature1,Set temperature2,Hysteresis1,Hysteresis2,Operation mode,Number of measured values",
               "Solltemperatur1,Solltemperatur2,Hysterese1,Hysterese2,Betriebsmodus,Anzahl der Messwerte"},
    /* 52 */ {"Measuring value no.,Measuring date,Measuring time,Temp.1,Temp.2,status,pump",
               "Messwertnummer,Messdatum,Messzeit,Temp.1,Temp.2,Status,Pumpe"},
    /* 53 */ {"Saving error",
               "Fehler beim Speichern"},
    /* 54 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /* 55 */ {"Yes",
               "Ja"},
    /* 56 */ {"No",
               "Nein"},
    /* 57 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /* 58 */ {"Yes",
               "Ja"},
    /* 59 */ {"No",
               "Nein"},
    /* 60 */ {"You have created a continuous operation cycle.\r\nAll following cycles will be deleted.\r\nImplement values?",
               "Sie haben einen Zyklus im Endlos-Modus eingegeben.\r\nBei Übernahme werden die folgenden Zyklen gelöscht.\r\nWerte übernehmen?"},
    /* 61 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /* 62 */ {"Yes",
               "Ja"},
    /* 63 */ {"No",
               "Nein"},
    /* 64 */ {"Unknown Command in Byte 4",
               "Unbekannter Befehl in Byte 4"},
    /* 65 */ {"temperature unit detected",
               "Temperatureinheit erkannt"},
    /* 66 */ {"Control Mode read",
               "Kontroll-Modus gelesen"},
    /* 67 */ {"Error: wrong timer",
               "Fehler: falscher Timer"},
    /* 68 */ {"Unknown Command in Byte 2",
               "Unbekannter Befehl in Byte 2"},
    /* 69 */ {"The both first bytes are not A & T",
               "Die beiden ersten bytes sind nicht A & T"},
    /* 70 */ {"No connection to the temperature control!",
               "Keine Verbindung zur Temperatur-Steuerung!"},
    /* 71 */ {"Temperature control is not active yet",
               "Temperatur-Steuerung noch nicht aktiv"},
    /* 72 */ {"OXR diagram",
               "OXR Diagramm"},
    /* 73 */ {"D/E Error : Temperature-control does not respond\nto the transmitted command.",
               "D/E Fehler: Keine Antwort der Temperatursteuerung\nauf gesendeten Befehl."},
    /* 74 */ {"No Com-Port active",
               "Keine Schnittstelle aktiv"},
    /* 75 */ {"File already exists.\nOverwrite?",
               "Datei existiert bereits.\nÜberschreiben?"},
    /* 76 */ {"OXR - Pump Control",
               "OXR - Pump Control"},
    /* 77 */ {"Yes",
               "Ja"},
    /* 78 */ {"No",
               "Nein"},
    /* 79 */ {"Interruption of measuring cycle by TC -> No PC signal",
               "Abbruch des Messzyklus an TS -> Kein PC-Signal"},
    /* 80 */ {"Interruption of measuring cycle - Connection break",
               "Abbruch des Messzyklus - Verbindung unterbrochen"},
    /* 81 */ {"TC-Break",
               "TC-Break"},
    /* 82 */ {"CON-Break",
               "CON-Break"},
    /* 83 */ {"Data received",
               "Daten empfangen"},
    /* 84 */ {"Error at ComSetState!",
               "Fehler bei ComSetState!"},
    /* 85 */ {"T-Break",
               "T-Break"},
    /* 86 */ {"No measuring values from TC",
               "Keine Messwerte von TS"},
    /* 87 */ {"Confirmation STOP is not allowed, Temp. Control is being initialized",
               "Kein Stop zulässig, Temperatursteuerung wird gerade initialisiert!"},
    /* 88 */ {"No confirmation after STOP command, please check the pump status!",
               "Keine Bestätigung nach STOP-Befehl, bitte Status der Pumpe manuell prüfen!"},
    /* 89 */ {"Undefined interruption of the measuring cycle.\nStatus of the interrupted cycle is PC-Stop.",
               "Unbekannter Abbruch des Messzyklus.\nStatus des abgebrochenen Zyklus ist PC-Stop."},
    /* 90 */ {"The file oxrconf.dat is damaged.\nA new one with preset values will be created.",
               "Die Datei oxrconf.dat ist beschädigt\nSie wird neu erstellt mit voreingestellten Werten."},
    /* 91 */ {"There is already a continuous operation cycle in the table.\nIf you want to entered a new one, please change or delete the existing cycle.",
               "Es befindet sich bereits ein Endlos-Zyklus in der Tabelle.\nWenn Sie einen neuen Zyklus eingeben wollen, müssen Sie den existierenden Zyklus ändern oder löschen"},
};
// clang-format on

int column(int lang) {
  return lang == 0 ? 0 : 1;
}

// clang-format off
const MessagePair kAddedTexts[] = {
    /* JournalNotWritable */
    {"The measured values of cycle %1 cannot be recorded in the file\n%2\n(%3).\n"
     "The cycle goes on and its values are saved when it ends, but a crash or a power failure "
     "before then would lose them.",
     "Die Messwerte des Zyklus %1 können nicht in der Datei\n%2\naufgezeichnet werden (%3).\n"
     "Der Zyklus läuft weiter und seine Werte werden an seinem Ende gespeichert, aber ein Absturz "
     "oder Stromausfall vorher würde sie verlieren."},
    /* JournalRecovered */
    {"The measuring cycle %1 was interrupted when the program ended during its run.\n"
     "Its %2 measured values have been saved to the file\n%3",
     "Der Messzyklus %1 wurde unterbrochen, weil das Programm während des Laufs beendet wurde.\n"
     "Seine %2 Messwerte wurden in der Datei\n%3\ngespeichert."},
    /* JournalUnreadable */
    {"The recording of the interrupted cycle %1 cannot be read.\nIt stays in the file\n%2",
     "Die Aufzeichnung des unterbrochenen Zyklus %1 kann nicht gelesen werden.\n"
     "Sie bleibt in der Datei\n%2"},
    /* JournalNotRecovered */
    {"The measured values of the interrupted cycle %1 could not be saved to the file\n%2\n(%3).\n"
     "They stay in the file\n%4\nand are saved at the next start.",
     "Die Messwerte des unterbrochenen Zyklus %1 konnten nicht in der Datei\n%2\n"
     "gespeichert werden (%3).\nSie bleiben in der Datei\n%4\nund werden beim nächsten Start "
     "gespeichert."},
};
// clang-format on

const char* const kStatusCodes[kStatusCodeCount] = {
    "OK",     "S01",     "S02", "S03",      nullptr /* message 83 */,
    "MC-END", "TC-STOP", "S07", "TC-BREAK", "S09",
    "S10",    "S11",     "S12", "S13",      "S14",
    "E05",    "E04",     "E03", "E02",      "E01"};
constexpr int kDataReceivedMsg = 83;

EditorTexts make_editor_texts_german() {
  EditorTexts t;
  t.comment_too_long = "Zu viele Zeichen, max. 25 Zeichen bitte!";
  t.date_limit = {"Das Startdatum eines Zyklus darf maximal",
                  "   14 Tage im voraus bestimmt werden!"};
  t.bad_date = "Sie haben kein gültiges Datum eingegeben!";
  t.bad_time = "Sie haben keine gültige Zeit eingegeben!";
  t.bad_duration = "Sie haben keine gültige Dauer eingegeben!";
  t.set_range = {" ist kein gültiger Sollwert.", "Der Wert muß zwischen ", " und ", " liegen."};
  t.hyst_range = {" ist kein gültiger Hysteresewert.", "Der Wert muß zwischen ", " und ",
                  " liegen."};
  t.table_full = {"Es kann kein weiterer Zyklus erstellt werden.",
                  "Wenn Sie weitere Zyklen erstellen wollen, müssen Sie einen Zyklus löschen."};
  t.overlap =
      "Der von Ihnen eingebene Zyklus überschneidet \nsich mit einem bereits erstellten "
      "Zyklus!";
  t.start_past =
      "Zyklus ist nicht mehr realisierbar,\ndie Startzeit darf nicht in der "
      "Vergangenheit liegen!";
  return t;
}

EditorTexts make_editor_texts_english() {
  EditorTexts t;
  t.comment_too_long = "Too many characters, max. 25 characters please!";
  t.date_limit = {"You may fix the start date of a cycle only",
                  " within a 14-days-period in advance!"};
  t.bad_date = "You have entered no valid Date!";
  t.bad_time = "You have entered no valid time!";
  t.bad_duration = "You have entered no valid duration!";
  t.set_range = {" is not a valid set temperature value.", "The value has to be between ", " and ",
                 " in this case."};
  t.hyst_range = {" is not a valid hysteresis value.", "The value must has to be between ", " and ",
                  " in this case."};
  t.table_full = {"No further cycle could be created.",
                  "If you want to create a new cycle you have to delete a cycle."};
  t.overlap = "The created cycle overlaps an existing cycle!";
  t.start_past = "Cycle cannot be realized anymore, start time must \nnot be in the past!";
  return t;
}

MainCaptions make_main_captions_german() {
  MainCaptions c;
  c.DateiZyklus1 = "&Datei / Zyklus";
  c.Neu1 = "&Neu";
  c.ffnen1 = "Öffn&en";
  c.Speichern1 = "&Speichern";
  c.Drucken1 = "D&rucken";
  c.Beenden1 = "&Beenden";
  c.Bearbeiten1 = "&Bearbeiten";
  c.Ausschneiden1 = "Ausschneiden";
  c.Kopieren1 = "Kopieren";
  c.Einfgen1 = "Einfügen";
  c.Einstellungen1 = "Einstellun&gen";
  c.AuswahlSchnittstelle1 = "&Auswahl Schnittstelle";
  c.ComName1 = "Be&zeichnung der Schnittstelle";
  c.N4 = "&Hilfe";
  c.Hilfe1 = "Inh&alt Hilfe";
  c.RadioBut_C = "Temperaturen in °C";
  c.RadioBut_F = "Temperaturen in °F";
  c.Label_cycle = "Dateiname :";
  c.Label_start = "Startdatum";
  c.Label_starttime = "Startzeit";
  c.Label_duration = "Zyklusdauer";
  c.Label_endless = "Endlosbetrieb";
  c.Label_target1 = "Solltemp. 1";
  c.Label_target2 = "Solltemp. 2";
  c.Label_hyst1 = "Hysterese1";
  c.Label_hyst2 = "Hysterese2";
  c.Label_prea = "Vorheizung";
  c.RadioBut_prea_off = "Aus";
  c.RadioBut_prea_on = "Ein";
  c.Label_comment = "Kommentar";
  c.But_new = "&Neu";
  c.But_open = "Öffn&en";
  c.But_save = "&Speichern";
  c.But_print = "Seite d&rucken";
  c.But_takeover = "Werte übernehmen";
  c.memo_headers = {"Zyklus",        "Datum\r\nStart",  "Uhrzeit\r\nStart",
                    "Datum\r\nEnde", "Uhrzeit\r\nEnde", "Status"};
  c.Label_act1 = "Aktuelle Temperatur 1:";
  c.Label_act2 = "Aktuelle Temperatur 2:";
  c.But_start = "START";
  c.But_stop = "STOP";
  c.open_dialog_title = "Öffnen";
  c.save_dialog_title = "Speichern";
  c.Button1 = "Zyklus\r\nlöschen";
  return c;
}

MainCaptions make_main_captions_english() {
  MainCaptions c;
  c.DateiZyklus1 = "&File / Cycle";
  c.Neu1 = "&New";
  c.ffnen1 = "Op&en";
  c.Speichern1 = "&Save";
  c.Drucken1 = "P&rint";
  c.Beenden1 = "&Quit";
  c.Bearbeiten1 = "E&dit";
  c.Ausschneiden1 = "Cut";
  c.Kopieren1 = "Copy";
  c.Einfgen1 = "Paste";
  c.Einstellungen1 = "Settin&gs";
  c.AuswahlSchnittstelle1 = "&Select interface";
  c.ComName1 = "&Indication of the interface";
  c.N4 = "&Help";
  c.Hilfe1 = "&Topic Help";
  c.RadioBut_C = "Temperatures in °C";
  c.RadioBut_F = "Temperatures in °F";
  c.Label_cycle = "Filename :";
  c.Label_start = "Start date";
  c.Label_starttime = "Start time";
  c.Label_duration = "Cycle duration";
  c.Label_endless = "Continuous op.";
  c.Label_target1 = "Set temp.1";
  c.Label_target2 = "Set temp.2";
  c.Label_hyst1 = "Hysteresis1";
  c.Label_hyst2 = "Hysteresis2";
  c.Label_prea = "Pre-heating";
  c.RadioBut_prea_off = "Off";
  c.RadioBut_prea_on = "On";
  c.Label_comment = "Comment";
  c.But_new = "&New";
  c.But_open = "Op&en";
  c.But_save = "&Save";
  c.But_print = "P&rint Page";
  c.But_takeover = "Implement Values";
  c.memo_headers = {"Cycle",       "Start\r\nDate", "Start\r\nTime",
                    "End\r\nDate", "End\r\nTime",   "Status"};
  c.Label_act1 = "Current temperature 1:";
  c.Label_act2 = "Current temperature 2:";
  c.But_start = "START";
  c.But_stop = "STOP";
  c.open_dialog_title = "Open";
  c.save_dialog_title = "Save";
  c.Button1 = "Clear cycle ";
  return c;
}

// Control name -> caption field, for the lookup by name.
struct CaptionField {
  const char* control;
  std::string MainCaptions::*field;
};
const CaptionField kCaptionFields[] = {
    {"DateiZyklus1", &MainCaptions::DateiZyklus1},
    {"Neu1", &MainCaptions::Neu1},
    {"ffnen1", &MainCaptions::ffnen1},
    {"Speichern1", &MainCaptions::Speichern1},
    {"Drucken1", &MainCaptions::Drucken1},
    {"Beenden1", &MainCaptions::Beenden1},
    {"Bearbeiten1", &MainCaptions::Bearbeiten1},
    {"Ausschneiden1", &MainCaptions::Ausschneiden1},
    {"Kopieren1", &MainCaptions::Kopieren1},
    {"Einfgen1", &MainCaptions::Einfgen1},
    {"Einstellungen1", &MainCaptions::Einstellungen1},
    {"AuswahlSchnittstelle1", &MainCaptions::AuswahlSchnittstelle1},
    {"ComName1", &MainCaptions::ComName1},
    {"N4", &MainCaptions::N4},
    {"Hilfe1", &MainCaptions::Hilfe1},
    {"RadioBut_C", &MainCaptions::RadioBut_C},
    {"RadioBut_F", &MainCaptions::RadioBut_F},
    {"Label_cycle", &MainCaptions::Label_cycle},
    {"Label_start", &MainCaptions::Label_start},
    {"Label_starttime", &MainCaptions::Label_starttime},
    {"Label_duration", &MainCaptions::Label_duration},
    {"Label_endless", &MainCaptions::Label_endless},
    {"Label_target1", &MainCaptions::Label_target1},
    {"Label_target2", &MainCaptions::Label_target2},
    {"Label_hyst1", &MainCaptions::Label_hyst1},
    {"Label_hyst2", &MainCaptions::Label_hyst2},
    {"Label_prea", &MainCaptions::Label_prea},
    {"RadioBut_prea_off", &MainCaptions::RadioBut_prea_off},
    {"RadioBut_prea_on", &MainCaptions::RadioBut_prea_on},
    {"Label_comment", &MainCaptions::Label_comment},
    {"But_new", &MainCaptions::But_new},
    {"But_open", &MainCaptions::But_open},
    {"But_save", &MainCaptions::But_save},
    {"But_print", &MainCaptions::But_print},
    {"But_takeover", &MainCaptions::But_takeover},
    {"Label_act1", &MainCaptions::Label_act1},
    {"Label_act2", &MainCaptions::Label_act2},
    {"But_start", &MainCaptions::But_start},
    {"But_stop", &MainCaptions::But_stop},
    {"OpenDialog1", &MainCaptions::open_dialog_title},
    {"SaveDialog1", &MainCaptions::save_dialog_title},
    {"Button1", &MainCaptions::Button1},
};

StartTexts make_start_texts_german() {
  StartTexts t;
  t.intro_lines = {"Sie haben sich für ein OXR-Produkt entschieden.",
                   " ",
                   "Mit der vorliegenden Software wird Ihnen der Betrieb der beheizten Pumpe",
                   "über ein PC-Terminal ermöglicht",
                   "Bitte stellen Sie sicher, dass die Pumpe gemäss der OXR-Betriebsanleitung",
                   "korrekt angeschlossen ist."};
  t.address_lines = {"OXR Musterpumpen GmbH, Beispielweg 12, 12345 Musterstadt",
                     "Telefon: +49 (0)1234 5678-0, Fax: +49 (0)1234 5678-99"};
  t.logo_de_visible = true;
  t.logo_en_visible = false;
  t.deutsch_enabled = false;
  t.englisch_enabled = true;
  t.start_caption = "START";
  t.quit_caption = "Beenden";
  t.pump_hint = "Beheizte Pumpe";
  t.logo_hint = "Firmenlogo OXR";
  t.question_line1 = "Sie starten die OXR Pumpensteuerung.";
  t.question_line2 =
      "Sollen die abgespeicherten Zyklen mit Status 'bitte starten' aufgerufen werden?";
  t.yes_caption = "Ja";
  t.no_caption = "Nein";
  t.abort_caption = "Abbrechen";
  t.chart_bottom_title = "Zeit";
  t.chart_title = "Temperaturverlauf";
  t.chart_left_min = 0.0;
  t.chart_left_max = 250.0;
  return t;
}

StartTexts make_start_texts_english() {
  StartTexts t;
  t.intro_lines = {"You have selected a OXR-product.", "",
                   "With this software you are able to operate the heated pump via PC.",
                   "Please ensure that the pump is connected in accordance to the ",
                   "relevant OXR operating instructions."};
  t.address_lines = {"OXR Musterpumpen GmbH, Beispielweg 12, 12345 Musterstadt, Germany",
                     "Phone: +49 1234 5678-0, Fax: +49 1234 5678-99"};
  t.logo_de_visible = false;
  t.logo_en_visible = true;
  t.deutsch_enabled = true;
  t.englisch_enabled = false;
  t.start_caption = "START";
  t.quit_caption = "Quit";
  t.pump_hint = "The heated pump";
  t.logo_hint = "The firm-sign of OXR";
  t.question_line1 = "You are starting the OXR Pump Control.";
  t.question_line2 = "Do you want to take over the cycles with status 'please start'?";
  t.yes_caption = "Yes";
  t.no_caption = "No";
  t.abort_caption = "Quit";
  t.chart_bottom_title = "Time";
  t.chart_title = "Temperature diagram";
  t.chart_left_min = 0.0;
  t.chart_left_max = 500.0;
  return t;
}

struct NamePair {
  const char* control;
  const char* english;
  const char* german;
};
const NamePair kAccessibleNames[] = {
    {"SpeButdateup", "Start date +1 day", "Startdatum +1 Tag"},
    {"SpeButdatedown", "Start date -1 day", "Startdatum -1 Tag"},
    {"SpeButtimehourup", "Start time +1 hour", "Startzeit +1 Stunde"},
    {"SpeButtimehourdown", "Start time -1 hour", "Startzeit -1 Stunde"},
    {"SpeButtimeminup", "Start time +1 minute", "Startzeit +1 Minute"},
    {"SpeButtimemindown", "Start time -1 minute", "Startzeit -1 Minute"},
    {"SpeButdurhourup", "Cycle duration +1 hour", "Zyklusdauer +1 Stunde"},
    {"SpeButdurhourdown", "Cycle duration -1 hour", "Zyklusdauer -1 Stunde"},
    {"SpeButdurminup", "Cycle duration +1 minute", "Zyklusdauer +1 Minute"},
    {"SpeButdurmindown", "Cycle duration -1 minute", "Zyklusdauer -1 Minute"},
    {"SpeButset1up", "Set temperature 1 +1 degree", "Solltemperatur 1 +1 Grad"},
    {"SpeButset1down", "Set temperature 1 -1 degree", "Solltemperatur 1 -1 Grad"},
    {"SpeButset2up", "Set temperature 2 +1 degree", "Solltemperatur 2 +1 Grad"},
    {"SpeButset2down", "Set temperature 2 -1 degree", "Solltemperatur 2 -1 Grad"},
    {"SpeButhyst1up", "Hysteresis 1 +1 degree", "Hysterese 1 +1 Grad"},
    {"SpeButhyst1down", "Hysteresis 1 -1 degree", "Hysterese 1 -1 Grad"},
    {"SpeButhyst2up", "Hysteresis 2 +1 degree", "Hysterese 2 +1 Grad"},
    {"SpeButhyst2down", "Hysteresis 2 -1 degree", "Hysterese 2 -1 Grad"},
    {"BBStop", "Stop the measuring cycle", "Messzyklus stoppen"},
    {"OXR_Logo", "The firm-sign of OXR", "Firmenlogo OXR"},
    {"OXR_LogoE", "The firm-sign of OXR", "Firmenlogo OXR"},
    {"Pumpe", "The heated pump", "Beheizte Pumpe"},
    {"ProgramiconD", "Pump Control", "Pumpensteuerung"},
    {"ProgramiconE", "Pump Control", "Pumpensteuerung"},
    {"RichEdit1", "Help text", "Hilfetext"},
};

const char* const kCellRowWord[2] = {"Row ", "Zeile "};
const char* const kCellColumns[2][6] = {
    {"Cycle", "Start date", "Start time", "End date", "End time", "Status"},
    {"Zyklus", "Startdatum", "Startzeit", "Enddatum", "Endzeit", "Status"}};

}  // namespace

const std::string& message_text(int lang, int k) {
  static const auto table = [] {
    std::array<std::array<std::string, kMessageCount>, 2> t;
    for (int i = 0; i < kMessageCount; ++i) {
      t[0][i] = kMessages[i].english;
      t[1][i] = kMessages[i].german;
    }
    return t;
  }();
  if (k < 0 || k >= kMessageCount) throw std::out_of_range("message number");
  return table[column(lang)][k];
}

const std::string& added_text(int lang, AddedText which) {
  constexpr std::size_t kCount = std::size(kAddedTexts);
  static const auto table = [] {
    std::array<std::array<std::string, kCount>, 2> t;
    for (std::size_t i = 0; i < kCount; ++i) {
      t[0][i] = kAddedTexts[i].english;
      t[1][i] = kAddedTexts[i].german;
    }
    return t;
  }();
  return table[column(lang)].at(static_cast<std::size_t>(which));
}

std::string fill_in(std::string_view text, std::initializer_list<std::string_view> values) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::size_t k = i + 1 < text.size() ? static_cast<std::size_t>(text[i + 1] - '1') : 9;
    if (text[i] == '%' && k < 9 && k < values.size()) {
      out += *(values.begin() + k);
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

const std::string& status_code_text(int lang, int code) {
  static const auto table = [] {
    std::array<std::array<std::string, kStatusCodeCount>, 2> t;
    for (int l = 0; l < 2; ++l) {
      for (int i = 0; i < kStatusCodeCount; ++i) {
        t[l][i] = kStatusCodes[i] ? kStatusCodes[i] : message_text(l, kDataReceivedMsg);
      }
    }
    return t;
  }();
  static const std::string none;
  if (code < 0 || code >= kStatusCodeCount) return none;
  return table[column(lang)][code];
}

const EditorTexts& editor_texts(int lang) {
  static const EditorTexts english = make_editor_texts_english();
  static const EditorTexts german = make_editor_texts_german();
  return lang == 0 ? english : german;
}

const MainCaptions& main_captions(int lang) {
  static const MainCaptions english = make_main_captions_english();
  static const MainCaptions german = make_main_captions_german();
  return lang == 0 ? english : german;
}

const char* main_caption(int lang, std::string_view control_name) {
  const MainCaptions& c = main_captions(lang);
  for (const CaptionField& f : kCaptionFields) {
    if (control_name == f.control) return (c.*f.field).c_str();
  }
  for (int i = 0; i < 6; ++i) {
    if (control_name == "Memo" + std::to_string(i + 1)) return c.memo_headers[i].c_str();
  }
  return nullptr;
}

const StartTexts& start_texts(int lang) {
  static const StartTexts english = make_start_texts_english();
  static const StartTexts german = make_start_texts_german();
  return lang == 0 ? english : german;
}

const FileDialogLabels& open_dialog_labels(int lang) {
  static const FileDialogLabels english{"Open", "Quit", "Filetyp:", "Filename:", "Search in:"};
  static const FileDialogLabels german{"Öffnen", "Abrechen",
                                       "Dateityp:", "Dateiname:", "Suchen in:"};
  return lang == 0 ? english : german;
}

const FileDialogLabels& save_dialog_labels(int lang) {
  static const FileDialogLabels english{"&Save", "Quit", "Filetyp:", "Filename:", "Save"};
  static const FileDialogLabels german{"&Speichern", "Abrechen",
                                       "Dateityp:", "Dateiname:", "Speichern"};
  return lang == 0 ? english : german;
}

const char* accessible_name(int lang, std::string_view control_name) {
  for (const NamePair& n : kAccessibleNames) {
    if (control_name == n.control) return lang == 0 ? n.english : n.german;
  }
  return nullptr;
}

std::string cell_accessible_name(int lang, int row, int column_no) {
  if (row < 1 || row > 5 || column_no < 1 || column_no > 6) {
    throw std::out_of_range("table cell");
  }
  const int l = column(lang);
  return kCellRowWord[l] + std::to_string(row) + ", " + kCellColumns[l][column_no - 1];
}

}  // namespace oxr
