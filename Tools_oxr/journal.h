#pragma once
// The journal of a running cycle: <cycle name>.oxr.journal beside the data files. It begins
// as the measurement file does (lines 1 to 9) and takes one sample line per stored sample,
// each on the disk before the poll goes on, so a crash or a power failure loses at most the
// line being written. The stop removes it once the data file is saved; the next program start
// turns a journal left behind into its data file.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "Tools_oxr/data_file.h"

namespace oxr {

inline constexpr const char* kJournalExtension = ".oxr.journal";

// The journal of a cycle in folder, e.g. folder/260312-004.oxr.journal.
std::filesystem::path journal_path(const std::filesystem::path& folder,
                                   const std::string& cycle_name);

class Journal {
 public:
  Journal() = default;
  ~Journal();
  Journal(const Journal&) = delete;
  Journal& operator=(const Journal&) = delete;

  // Creates the journal of header.cycle_name in folder (replacing one of that name) with
  // lines 1 to 9 of the measurement file in language lang. A journal still open is closed
  // and left on disk. False when it cannot be written; appends then fail until the next begin.
  bool begin(const std::filesystem::path& folder, const DataFileHeader& header, int lang);
  // One sample line, flushed to the disk when this returns true. A write that fails half-way
  // is cut off again, so the lines before and after it stay readable.
  bool append(const MeasurementSample& sample);
  // After the stop. saved_ok: the journal is removed. Otherwise `last` (the newest sample as
  // the stop left it, end word and all) is added and the journal stays for the next start.
  // False when that did not work out (removal or the last line failed).
  bool finish(bool saved_ok, const MeasurementSample& last);

  bool is_open() const { return fd_ >= 0; }
  // The journal of the current or last run (empty before the first begin), also one that
  // could not be written, for the messages.
  const std::filesystem::path& path() const { return path_; }
  // The system's reason for the last failure.
  const std::string& error() const { return error_; }

 private:
  void close();
  bool write_line(const std::string& bytes);

  int fd_ = -1;
  std::filesystem::path path_;
  std::int16_t operation_mode_ = 0;
  std::uint64_t good_size_ = 0;  // the file's size after the last whole line
  bool fragment_left_ = false;   // a failed write left part of a line that could not be cut
  bool active_ = false;          // begun and not finished: the file at path_ is this run's
  std::string line_;             // reused for every sample line
  std::string error_;
};

// What a journal's bytes give.
struct JournalReplay {
  enum class Status {
    Ok,         // file_bytes holds the measurement file
    NoSamples,  // no complete sample line (or not even a complete header): nothing measured
    BadHeader,  // the header lines are all there but do not read
  };
  Status status = Status::NoSamples;
  std::string file_bytes;
  DataFileHeader header;
  int samples = 0;        // sample lines taken over
  int lines_skipped = 0;  // complete lines that did not read as a sample
};

// The measurement file a journal gives: the samples as recorded (a later line of the same
// number replaces an earlier one), the number of values counted from them as the stop counts
// them (newest sample number + 1), the start time that of sample 0, and the newest sample
// marked as the end of an interrupted run ("PC-STOP", "OFF") unless it already carries an
// end word. Only complete lines count: a journal cut in the middle of a line keeps the lines
// before it.
JournalReplay replay_journal(std::string_view bytes);

struct JournalRecovery {
  enum class Outcome {
    Recovered,     // the data file was written and the journal removed
    AlreadySaved,  // a complete data file of that name was there; the journal was removed
    Empty,         // nothing had been measured; the journal was removed
    Unreadable,    // the journal's header does not read; it stays
    CannotWrite,   // the data file could not be written; the journal stays
  };
  Outcome outcome = Outcome::Empty;
  std::string cycle_name;
  std::filesystem::path journal;
  std::filesystem::path data_file;
  int samples = 0;
  std::string detail;  // the system's reason when writing failed
};

// Every journal in folder named <valid cycle name>.oxr.journal (regular files only), in name
// order, turned into folder/<cycle name>.oxr. Nothing is written outside folder.
std::vector<JournalRecovery> recover_journals(const std::filesystem::path& folder);

}  // namespace oxr
