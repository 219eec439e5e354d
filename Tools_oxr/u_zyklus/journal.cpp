// The journal of the running cycle and the request to keep the PC awake while cycles are
// armed: what the run start, the poll and the stop call, and the recovery at the first show.
#include "Tools_oxr/texts.h"
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

namespace {

constexpr const char* kKeepAwakeReason =
    "Measuring cycles are armed; the pump controller needs the PC's sign of life";

}  // namespace

void TFormzyklus::wire_journal() {
  journal_notice.OnTimer = [this] { journal_noticeTimer(); };
}

void TFormzyklus::journal_begin(const DataFileHeader& header) {
  journal_fault_reported = 0;
  journal_notice.set_enabled(false);
  if (journal.begin(env.work_dir, header, lang_index)) return;
  journal_fault = {header.cycle_name, journal.path(), journal.error()};
  journal_fault_reported = 1;
  journal_notice.set_enabled(true);
}

void TFormzyklus::journal_append(const MeasurementSample& sample) {
  if (journal.append(sample) || journal_fault_reported == 1) return;
  journal_fault = {journal.path().stem().stem().string(), journal.path(), journal.error()};
  journal_fault_reported = 1;
  journal_notice.set_enabled(true);
}

void TFormzyklus::journal_finish(bool saved_ok, const MeasurementSample& last) {
  // A journal that could not be removed is found next to its complete data file at the
  // next start and removed then; one whose last line failed still holds the lines before.
  journal.finish(saved_ok, last);
}

void TFormzyklus::journal_noticeTimer() {
  journal_notice.set_enabled(false);
  env.dialogs.message(
      fill_in(added_text(lang_index, AddedText::JournalNotWritable),
              {journal_fault.cycle_name, journal_fault.file.string(), journal_fault.reason}));
}

void TFormzyklus::journal_recover() {
  for (const JournalRecovery& r : recover_journals(env.work_dir)) {
    using O = JournalRecovery::Outcome;
    switch (r.outcome) {
      case O::Recovered:
        env.dialogs.message(
            fill_in(added_text(lang_index, AddedText::JournalRecovered),
                    {r.cycle_name, std::to_string(r.samples), r.data_file.string()}));
        break;
      case O::Unreadable:
        env.dialogs.message(fill_in(added_text(lang_index, AddedText::JournalUnreadable),
                                    {r.cycle_name, r.journal.string()}));
        break;
      case O::CannotWrite:
        env.dialogs.message(
            fill_in(added_text(lang_index, AddedText::JournalNotRecovered),
                    {r.cycle_name, r.data_file.string(), r.detail, r.journal.string()}));
        break;
      case O::AlreadySaved:  // the stop had saved it; only the journal's removal was missing
      case O::Empty:         // nothing had been measured
        break;
    }
  }
}

void TFormzyklus::keep_awake_begin() {
  if (keep_awake_held == 1 || sleep_inhibitor == nullptr) return;
  sleep_inhibitor->acquire(kKeepAwakeReason);
  keep_awake_held = 1;
}

void TFormzyklus::keep_awake_end() {
  if (keep_awake_held == 0) return;
  keep_awake_held = 0;
  if (sleep_inhibitor != nullptr) sleep_inhibitor->release();
}

}  // namespace oxr
