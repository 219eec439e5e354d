#pragma once
// The main window's logic: the cycle editor, the schedule table, the chart and run control.
// It owns every piece of run-time state; the other windows read or set a few of its fields.
// Its handlers are defined in the file of their concern (life.cpp, editor.cpp, port.cpp, ...).
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "Tools_oxr/data_file.h"
#include "Tools_oxr/date_time.h"
#include "Tools_oxr/editor_values.h"
#include "Tools_oxr/journal.h"
#include "Tools_oxr/samples.h"
#include "Tools_oxr/schedule.h"
#include "platform/chart_model.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/serial_library.h"
#include "platform/sleep_inhibitor.h"
#include "platform/services.h"
#include "platform/timer.h"

namespace oxr {

// What the window needs from its surroundings.
struct FormEnv {
  Clock& clock;
  TimerHub& timers;
  Dialogs& dialogs;
  SerialLibrary& serial;
  SystemServices& services;
  // Where oxrconf.dat and the cycle data files live (the working directory in the program).
  std::filesystem::path work_dir;
};

class TFormzyklus {
 public:
  explicit TFormzyklus(FormEnv env);
  TFormzyklus(const TFormzyklus&) = delete;
  TFormzyklus& operator=(const TFormzyklus&) = delete;

  FormEnv env;

  // ---- main controller state ----
  std::uint8_t lang_index = 1;  // 0 = English, 1 = German
  std::uint8_t com_port = 0;    // 0..3 = COM1..COM4
  std::array<std::string, 4> com_names{};
  std::uint8_t unit_celsius = 1;
  std::int32_t control_mode = 1;
  std::uint16_t cycle_count = 0;
  std::array<std::uint8_t, kRowCount> row_selected{};
  std::array<DayCounter, kDayCounterCount> day_counters{};
  std::uint8_t save_waiting = 0;
  std::uint8_t take_over_waiting = 0;
  std::uint8_t start_active = 0;
  std::uint8_t tc_connected = 0;
  std::uint8_t config_seen = 0;
  std::int32_t lang_pos = 0;
  std::uint8_t config_date_error = 0;

  ScheduleTable schedule;

  // Message k in the current language.
  const std::string& msg(int k) const;
  // A message box with message k in the current language.
  void show_message(int k);

  // ---- window and controls ----
  Form form{"Formzyklus", 1016, 700};
  MenuItem DateiZyklus1{"DateiZyklus1"};
  MenuItem Neu1{"Neu1"};
  MenuItem ffnen1{"ffnen1"};
  MenuItem Speichern1{"Speichern1"};
  MenuItem Drucken1{"Drucken1"};
  MenuItem Beenden1{"Beenden1"};
  MenuItem Bearbeiten1{"Bearbeiten1"};
  MenuItem Ausschneiden1{"Ausschneiden1"};
  MenuItem Kopieren1{"Kopieren1"};
  MenuItem Einfgen1{"Einfgen1"};
  MenuItem Einstellungen1{"Einstellungen1"};
  MenuItem AuswahlSchnittstelle1{"AuswahlSchnittstelle1"};
  MenuItem Com12{"Com12"};
  MenuItem Com22{"Com22"};
  MenuItem Com32{"Com32"};
  MenuItem Com42{"Com42"};
  MenuItem ComName1{"ComName1"};
  MenuItem N4{"N4"};
  MenuItem Hilfe1{"Hilfe1"};
  MenuItem Info1{"Info1"};
  std::vector<MenuItem*> port_menu_group;

  Button But_new{"But_new"};
  Button But_open{"But_open"};
  Button But_save{"But_save"};
  Button But_print{"But_print"};
  Button But_takeover{"But_takeover"};
  Button But_start{"But_start"};
  Button But_stop{"But_stop"};
  Button Button1{"Button1"};
  Button BitBtn1{"BitBtn1"};

  Label Label_cycle{"Label_cycle"};
  Label Lab_cycle{"Lab_cycle"};
  Label Label_start{"Label_start"};
  Label Label_starttime{"Label_starttime"};
  Label Label_duration{"Label_duration"};
  Label Label_endless{"Label_endless"};
  Label Label_target1{"Label_target1"};
  Label Label_target2{"Label_target2"};
  Label Label_hyst1{"Label_hyst1"};
  Label Label_hyst2{"Label_hyst2"};
  Label Label_prea{"Label_prea"};
  Label Label_comment{"Label_comment"};
  Label Label_act1{"Label_act1"};
  Label Label_act2{"Label_act2"};
  Label Lab_tact1{"Lab_tact1"};
  Label Lab_tact2{"Lab_tact2"};

  MaskEdit MEdatum{"MEdatum"};
  MaskEdit MEstartz{"MEstartz"};
  MaskEdit MEcycled{"MEcycled"};
  MaskEdit MEtarget1{"MEtarget1"};
  MaskEdit MEtarget2{"MEtarget2"};
  MaskEdit MEhyst1{"MEhyst1"};
  MaskEdit MEhyst2{"MEhyst2"};
  Edit Edit_comment{"Edit_comment"};
  CheckBox CheckBox_endlos{"CheckBox_endlos"};
  RadioGroup unit_group;
  RadioButton RadioBut_C{"RadioBut_C", unit_group};
  RadioButton RadioBut_F{"RadioBut_F", unit_group};
  RadioGroup preheat_group;
  RadioButton RadioBut_prea_off{"RadioBut_prea_off", preheat_group};
  RadioButton RadioBut_prea_on{"RadioBut_prea_on", preheat_group};

  SpeedButton SpeButdateup{"SpeButdateup"};
  SpeedButton SpeButdatedown{"SpeButdatedown"};
  SpeedButton SpeButtimehourup{"SpeButtimehourup"};
  SpeedButton SpeButtimehourdown{"SpeButtimehourdown"};
  SpeedButton SpeButtimeminup{"SpeButtimeminup"};
  SpeedButton SpeButtimemindown{"SpeButtimemindown"};
  SpeedButton SpeButdurhourup{"SpeButdurhourup"};
  SpeedButton SpeButdurhourdown{"SpeButdurhourdown"};
  SpeedButton SpeButdurminup{"SpeButdurminup"};
  SpeedButton SpeButdurmindown{"SpeButdurmindown"};
  SpeedButton SpeButset1up{"SpeButset1up"};
  SpeedButton SpeButset1down{"SpeButset1down"};
  SpeedButton SpeButset2up{"SpeButset2up"};
  SpeedButton SpeButset2down{"SpeButset2down"};
  SpeedButton SpeButhyst1up{"SpeButhyst1up"};
  SpeedButton SpeButhyst1down{"SpeButhyst1down"};
  SpeedButton SpeButhyst2up{"SpeButhyst2up"};
  SpeedButton SpeButhyst2down{"SpeButhyst2down"};

  ToolButton ToolButton_new{"ToolButton_new"};
  ToolButton ToolButton3{"ToolButton3"};  // open
  ToolButton ToolButton4{"ToolButton4"};  // save
  Image OXR_Logo2{"OXR_Logo2"};
  Image OXR_LogoE2{"OXR_LogoE2"};

  // Schedule table: six header memos and 30 cells MaskEdit<row><column>.
  Memo Memo1{"Memo1"};
  Memo Memo2{"Memo2"};
  Memo Memo3{"Memo3"};
  Memo Memo4{"Memo4"};
  Memo Memo5{"Memo5"};
  Memo Memo6{"Memo6"};
  MaskEdit MaskEdit11{"MaskEdit11"};
  MaskEdit MaskEdit12{"MaskEdit12"};
  MaskEdit MaskEdit13{"MaskEdit13"};
  MaskEdit MaskEdit14{"MaskEdit14"};
  MaskEdit MaskEdit15{"MaskEdit15"};
  MaskEdit MaskEdit16{"MaskEdit16"};
  MaskEdit MaskEdit21{"MaskEdit21"};
  MaskEdit MaskEdit22{"MaskEdit22"};
  MaskEdit MaskEdit23{"MaskEdit23"};
  MaskEdit MaskEdit24{"MaskEdit24"};
  MaskEdit MaskEdit25{"MaskEdit25"};
  MaskEdit MaskEdit26{"MaskEdit26"};
  MaskEdit MaskEdit31{"MaskEdit31"};
  MaskEdit MaskEdit32{"MaskEdit32"};
  MaskEdit MaskEdit33{"MaskEdit33"};
  MaskEdit MaskEdit34{"MaskEdit34"};
  MaskEdit MaskEdit35{"MaskEdit35"};
  MaskEdit MaskEdit36{"MaskEdit36"};
  MaskEdit MaskEdit41{"MaskEdit41"};
  MaskEdit MaskEdit42{"MaskEdit42"};
  MaskEdit MaskEdit43{"MaskEdit43"};
  MaskEdit MaskEdit44{"MaskEdit44"};
  MaskEdit MaskEdit45{"MaskEdit45"};
  MaskEdit MaskEdit46{"MaskEdit46"};
  MaskEdit MaskEdit51{"MaskEdit51"};
  MaskEdit MaskEdit52{"MaskEdit52"};
  MaskEdit MaskEdit53{"MaskEdit53"};
  MaskEdit MaskEdit54{"MaskEdit54"};
  MaskEdit MaskEdit55{"MaskEdit55"};
  MaskEdit MaskEdit56{"MaskEdit56"};
  // cell(row, column), both 1-based as in the names.
  MaskEdit& cell(int row, int column) { return *cells_[row - 1][column - 1]; }
  Memo& header_memo(int column) { return *headers_[column - 1]; }

  StatusBar StatusBar1{"StatusBar1", {300, 100, 120, 130, 130}};
  Chart Chart2{"Chart2"};

  // ---- timers (all disabled at creation; intervals fixed) ----
  Timer Timer1;
  Timer TIsend;
  Timer TIresponse;
  Timer Timer3;
  Timer TImcresponse;
  Timer TIstop;
  Timer Timer2;
  Timer Timer4;

  // ---- life: creation, first show, quit ----
  void wire_life();  // connects this concern's events; called by the constructor
  void FormCreate();
  // Runs once per run, when the start page or the start question shows the window.
  void FormShow();
  // The quit path (menu Beenden1 and the close box); false when the close is refused.
  bool FormClose();
  void Beenden1Click();
  void reset_controller_state();
  // The link and run flags of the pump-link and run concerns, back to a fresh run.
  void reset_link_state();
  void check_waiting_rows();
  void apply_control_mode();
  // Status panel 2 (port and its name) and panel 4 (date and time).
  void show_port_panel();
  void show_clock_panel();
  static std::string port_panel_text(int port, const std::string& name);
  static std::string clock_panel_text(DateTime now);

  // The application's handlers installed at creation: on losing the focus the stop window
  // comes to the front; a hint of the chart stays up longer than others.
  void ApplicationDeactivate();
  static constexpr int kChartHintPauseMs = 8000;
  // How long the hint of `c` stays up; nothing = the toolkit's default.
  std::optional<int> hint_hide_pause_ms(const Control& c) const;
  bool app_handlers_installed = false;
  bool maximise_button = true;
  bool first_show_done = false;

  // The other windows, as far as this window's life touches them; set by whoever builds them.
  struct WindowLinks {
    std::function<bool()> stop_window_showing;
    std::function<void()> raise_stop_window;
    std::function<void()> close_stop_window;
    std::function<void()> close_start_page;  // ends the program
  };
  WindowLinks window_links;

  // ---- texts and captions ----
  void fill_text_tables();
  void apply_main_captions_german();
  void apply_main_captions_english();
  // The other windows whose captions the state reset sets; the program entry fills them in.
  Form* start_form = nullptr;
  Form* quest_form = nullptr;
  Form* stop_form = nullptr;
  Form* help_form = nullptr;
  // The editor's validation texts in the current language (German from creation and after
  // the reset). The type is the one of Tools_oxr/texts.h.
  const struct EditorTexts* editor_text = nullptr;
  // Titles of the open and save dialogs, set by the caption routines.
  std::string open_dialog_title;
  std::string save_dialog_title;
  // Relabel the file dialogs as they open (title and the five relabelled items).
  void OpenDialog1Show(FileDialogRequest& request) const;
  void SaveDialog1Show(FileDialogRequest& request) const;
  // The text after "Status: " in panel 3 for a controller status code, current language.
  const std::string& status_text_for(int code) const;
  // The controls' own texts from creation (the ones no language routine of that look sets).
  bool apply_design_texts();
  bool design_texts_applied_ = apply_design_texts();

  // ---- configuration file ----
  void config_ensure_exists();
  void config_set_defaults();
  void config_write();
  void config_read();
  void config_realign_days();
  // Returns the language digit read (nothing when none could be read).
  std::optional<int> config_check_and_read_language();
  void config_write_language();
  std::filesystem::path config_path() const;  // oxrconf.dat in the working folder

  // ---- schedule table ----
  void table_refresh();
  void clear_row(int k);  // k = 1..5
  void move_row(int k);   // row k+1 to row k, k = 1..4
  void select_row(int k);
  // A row is blank when its name cell shows no name (an emptied cell holds ten blanks).
  bool row_is_blank(int k) const;
  void show_row_cells(int k);   // the six cells of row k from its record
  void empty_row_cells(int k);  // name cell ten blanks, the others empty
  // Number for a new cycle starting on `date` (day_counters, today from the clock); a date
  // outside the 15-day window gives `previous` back.
  std::uint16_t draw_cycle_number(DateTime date, std::uint16_t previous);
  std::string cycle_name_for(DateTime date, unsigned n) const;

  // ---- cycle editor ----
  void wire_editor();
  // The editor's share of the state reset: today, now + 1 minute, 00:01, 60 °C and 1 in
  // Celsius whatever unit is shown (the unit switch that follows converts them), the editor
  // and take-over flags cleared.
  void set_editor_defaults();
  // Shows row k (1..5) in the editor; the editor's values follow what the fields show.
  void load_row_into_editor(int k);
  // Lab_cycle: the name the next cycle for the date in MEdatum would get.
  void refresh_name_preview();

  CycleEditor editor;

  // Checks read their field, correct it in place (focus and message) and keep going.
  bool check_date();        // true when the date was acceptable as it stood
  bool check_start_time();  // likewise
  void check_duration();
  void check_temp(TempField f);
  void check_all();
  // Steps; each re-reads its field and keeps to its limits.
  void date_step(int direction);
  void start_time_step(bool hours, int direction);
  void duration_step(bool hours, int direction);
  void temp_step(TempField f, int direction);
  // Up/Down (and Right/Left) of a field and of its spin buttons: check, then step.
  void date_key_step(int direction);
  void start_time_key_step(bool hours, int direction);
  void duration_key_step(bool hours, int direction);
  void temp_key_step(TempField f, int direction);

  // The editor's fields and arrows usable, as the endless box and the mode allow.
  void enable_editor_fields();
  void enable_editor();
  void disable_editor();
  // The New command's values in the current unit.
  void new_cycle_defaults();

  void MEdatumExit();
  void MEdatumKeyDown(Key& key);
  void MEstartzExit();
  void MEstartzKeyDown(Key& key);
  void MEcycledExit();
  void MEcycledKeyDown(Key& key);
  void temp_field_key_down(TempField f, Key& key);
  void CheckBox_endlosClick();
  void Edit_commentChange();

  MaskEdit& temp_edit(TempField f);
  // The editor's validation texts in the current language.
  const struct EditorTexts& editor_texts_now() const;
  // A box from the editor or the take-over; it ends any hold of a spin button, since the
  // box takes the mouse and its release would never arrive.
  void editor_message(const std::string& text);
  // Zone 2 shows zone 1's value in control modes 2 and 3.
  void mirror_zone2(TempField f);
  // Texts of the comment messages that the message table does not have.
  static std::string comment_unstorable_text(int lang, CommentFault fault,
                                             const std::string& ch);

  // ---- spin buttons ----
  void wire_spin_buttons();
  static constexpr int kSpinButtonCount = 18;
  // In the order Timer4 looks at them: date up first, hysteresis 2 down last.
  std::array<SpeedButton*, kSpinButtonCount> spin_buttons();
  std::array<std::uint8_t, kSpinButtonCount> spin_held{};
  std::int32_t repeat_ticks = 0;
  void spin_press(int i);
  void spin_release(int i);
  void spin_click(int i);
  void stop_spin_repeat();
  void Timer4Timer();

  // ---- temperature unit ----
  void wire_unit();
  // Set right after a cycle data file in °C checked RadioBut_C: the next switch to °C skips
  // the hysteresis adjustment.
  std::uint8_t unit_from_file = 0;
  void RadioBut_CClick();
  void RadioBut_FClick();
  void switch_to_celsius();
  void switch_to_fahrenheit();
  // The unit the editor was last switched to (-1 before the first switch); a click on the
  // button already in force changes nothing.
  int unit_switched_to = -1;

  // ---- take-over ----
  void wire_takeover();
  std::uint8_t start_in_past = 0;
  std::uint8_t overlap_found = 0;
  std::uint8_t confirmed_endless = 0;
  void But_takeoverClick();
  void write_editor_into_row(int p);
  void check_start_in_past(const CycleRecord& row);
  // True (and row p cleared, with the message) when row p clashes with an earlier
  // "please start" row.
  bool overlap_test(int p);
  // Inserts row p in start order; returns the row it ends up in.
  int insert_row(int p);
  // Removes the rows an endless cycle in row p pushes out; returns the cycle's row.
  int delete_after_endless(int p);
  void new_cycle_flow();
  void change_row(int k);
  void endless_cleanup();
  bool endless_please_start(int k) const;

  // ---- row selection, deletion, new cycle ----
  void wire_rows();
  std::uint8_t nothing_deleted = 0;
  void pick_row(int k);
  void Button1Click();
  void But_newClick();
  void deselect_all();
  bool row_blank(int k);

  // ---- serial port ----
  void wire_port();
  void port_setup_at_start();
  std::uint8_t heartbeat_phase = 0;  // set: ordinal 32 comes next; clear: ordinal 34
  // The naming dialog's window (TFormcomname); set when the windows are created.
  Form* comname_form = nullptr;
  // The set-up sequence 1, 109, 4, 45 on `port`; returns the usability byte. A line set-up
  // that fails is reported (message 84) and the set-up goes on.
  std::uint8_t open_port(int port);
  // The port menu: port 0..3 chosen, with the fall-back to COM1.
  void choose_port(int port);
  void Com12Click();
  void Com22Click();
  void Com32Click();
  void Com42Click();
  void ComName1Click();
  MenuItem& port_menu_item(int port);
  // "COM" + number + " : " + the port's name, as status bar panel 2 shows it.
  std::string port_panel_text(int port) const;
  // First and fourth steps of Timer1Timer.
  void link_watch();
  void sign_of_life_toggle();
  // Hook for the run concern: the link watch found the controller gone while a cycle waits
  // or runs; set end_reason 8 and run the stop. TImcresponse is already off; the link watch
  // empties the current-temperature labels afterwards.
  std::function<void()> stop_for_link_loss;

  // ---- frame protocol ----
  std::array<std::uint8_t, 10> tx_frame{};  // the frame being sent or waiting to be sent
  std::array<std::uint8_t, 15> rx_frame{};  // the frame last read
  std::uint8_t awaiting_reply = 0;
  std::uint16_t send_retry_count = 0;    // 200-ms rounds a deferred frame has waited
  std::uint16_t reply_wait_seconds = 0;  // one-second ticks while a reply is awaited
  std::uint16_t tc_status_code = 0;      // 0..19, shown in status bar panel 3
  // The start sequence: the run start sets current_row, start_step := 1 and
  // start_seq_active := 1, sets tc_init_running and sends write_operation(0); each
  // acknowledgement then releases the next step.
  std::uint8_t start_seq_active = 0;
  std::int32_t start_step = 0;   // next step 1..6; 0 = none
  std::int32_t current_row = 0;  // schedule row 0..4 whose values are sent
  std::uint16_t duration_ticks = 0;
  std::uint8_t tc_init_running = 0;

  // Command builders: fill tx_frame and send it, or leave it for the deferred sender.
  void connect_request();
  void mode_query();
  void sign_off();
  void write_preheating(std::uint8_t on);
  void write_unit(std::uint8_t celsius);
  void write_duration(std::uint16_t ticks);
  void write_set_temps(std::int16_t t1, std::int16_t t2);
  void write_hysteresis(std::int16_t h1, std::int16_t h2);
  void write_operation(std::uint8_t operation);  // 2 = switch on, 0 = switch off
  void queue_or_send();
  void send_frame();
  // Results of receive_frame.
  static constexpr int kFrameRead = 0;
  static constexpr int kNoFrame = 1;      // nothing, or fewer than 3 bytes after the 'A'
  static constexpr int kFrameRejected = 2;  // not 'A' 'T', or a length that is no frame
  static constexpr int kFrameLate = 3;    // the rest did not arrive in time; it stays queued
  int receive_frame(int port);
  bool frame_checksum_ok() const;
  void dispatch_reply();
  void TIresponseTimer();
  void TIsendTimer();
  void reply_watch();  // last step of Timer1Timer
  void Timer1Timer();
  // At quit: the sign-off, when the controller is connected.
  void send_sign_off();
  // Hooks for other concerns; empty ones do nothing.
  // 'R' 'M' read control_mode: apply_control_mode and pick the selected row again.
  std::function<void()> on_control_mode_read;
  // 'W' 'O' with state 4 (TImcresponse is on, tc_init_running cleared): value_count := 0.
  std::function<void()> on_controller_running;
  // 'W' 'O' with another state: clear stop_confirm_pending and stop_retry_count.
  std::function<void()> on_switch_off_acknowledged;

  // ---- run start ----
  void wire_run();  // the run, chart and file handlers and hooks
  std::uint8_t row_chosen = 0;
  std::uint8_t other_row_seen = 0;
  std::uint8_t start_issued = 0;
  // From the moment a cycle becomes due until its data have been written at the stop.
  std::uint8_t measuring_active = 0;
  std::int16_t tc_end_state = 0;  // 5 after the controller reported the end of the cycle time
  std::uint8_t follow_up_prepared = 0;
  std::string running_text;  // panel 0 while the cycle runs
  // 0 PC-STOP, 5 MC-END, 6 TC-STOP, 7 TC-BREAK, 8 CONNECT-BREAK, 9 T-BREAK.
  std::uint16_t end_reason = 0;
  void But_startClick();
  void choose_due_row();
  void resume_follow_up();
  void lock_for_run();
  void Timer3Timer();
  void start_when_due();
  // The reply watch gave up on a frame of the start sequence: the start ends in order.
  void start_not_answered();
  void show_stop_window();
  void close_stop_window();

  // ---- run poll ----
  // Held on the heap: the window object may live on a small stack.
  std::unique_ptr<SampleBuffer> sample_storage = std::make_unique<SampleBuffer>();
  SampleBuffer& samples = *sample_storage;
  std::uint16_t last_sample_index = 0;
  DateTime first_sample_date = 0;
  DateTime first_sample_time = 0;
  std::uint16_t no_data_count = 0;
  void TImcresponseTimer();
  // The controller confirmed the start: a fresh buffer and count for the run.
  void run_confirmed();
  // Offers a controller status code for panel 3: it holds until a higher one or a 0 comes.
  void offer_status_code(int code);
  // The next 24-hour cycle in the selected row after an endless cycle's time is over.
  void prepare_follow_up();

  // ---- run stop ----
  std::uint8_t stop_confirm_pending = 0;
  std::uint16_t stop_retry_count = 0;
  void But_stopClick();
  void leave_run_mode();
  void settle_stopped_row(int k);
  void offer_continuation(int k);
  void TIstopTimer();
  // The row status for end_reason 6..9, "PC-Stop" for any other value.
  const std::string& end_status_word() const;

  // ---- chart ----
  void empty_chart();
  void add_live_sample(std::uint16_t index, std::uint16_t raw1, std::uint16_t raw2);
  void fill_from_loaded_samples();
  void BitBtn1Click();

  // ---- chart settings and page printing ----
  ToolButton ToolButton7{"ToolButton7"};
  // The editor's group box, hidden and shown again after printing to repaint it.
  Control GroupBox_Einstellungen{"GroupBox_Einstellungen"};
  void wire_printing();  // the chart's design settings and the print handlers
  void Drucken1Click();
  void PrintDialog1Close();
  void Timer2Timer();

  // ---- cycle data files ----
  // 1 while the editor shows a measurement file read from disk (only its comment may change).
  std::uint8_t file_opened = 0;
  // Picking a row or New leaves that view: editor and Button1 usable, the chart emptied.
  void leave_file_view();

  // ---- journal of the running cycle; keeping the PC awake (journal.cpp) ----
  void wire_journal();
  // The controller confirmed the start: the journal begins as the data file would
  // (the header as fill_header_from_run(0) leaves it).
  void journal_begin(const DataFileHeader& header);
  // A sample was stored in the SampleBuffer.
  void journal_append(const MeasurementSample& sample);
  // The stop wrote the data file (saved_ok) or could not; last = the newest sample with the
  // end word the stop gave it.
  void journal_finish(bool saved_ok, const MeasurementSample& last);
  // Journals of runs that never reached their stop become data files; each is reported.
  void journal_recover();
  Journal journal;
  // A journal that cannot be written is reported once per run, from its own timer so the
  // box never holds up the poll.
  std::uint8_t journal_fault_reported = 0;
  struct JournalFault {
    std::string cycle_name;
    std::filesystem::path file;
    std::string reason;
  } journal_fault;
  Timer journal_notice{env.timers, "journal_notice", 100};
  void journal_noticeTimer();

  // Set by the program entry; none: nothing is asked of the system.
  SleepInhibitor* sleep_inhibitor = nullptr;
  std::uint8_t keep_awake_held = 0;
  // While start_active is 1 the system is asked not to suspend (lock_for_run, leave_run_mode).
  void keep_awake_begin();
  void keep_awake_end();

  DataFileHeader header;
  std::uint8_t open_failed = 0;
  int loaded_sample_count = 0;  // sample lines read from the opened file
  void fill_header_from_run(std::uint16_t n);
  void fill_header_from_editor();
  // The measurement file <cycle name>.oxr from the header and the samples; "Saving error"
  // when it cannot be written.
  bool write_data_file();
  // The same without a message, for callers with a fallback of their own.
  SaveResult write_data_file_quietly();
  // The stop's write: when the file cannot be written the samples go to a fallback file
  // named in the message; true when they reached the disk in either file.
  bool save_run_data();
  void save_cycle_file();
  void read_data_file();
  void show_header_in_editor();
  void But_saveClick();
  void ffnen1Click();
  // A measurement file is on display: only its comment can be changed.
  void lock_editor_for_file();
  // The editor usable again for planning (a cycle file, or leaving a measurement file).
  void unlock_editor_after_file();
  std::string data_file_filter() const;

 private:
  std::array<std::array<MaskEdit*, 6>, kRowCount> cells_{};
  std::array<Memo*, 6> headers_{};
};

}  // namespace oxr
