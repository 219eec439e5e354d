#include "Tools_oxr/journal.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <fstream>
#include <memory>
#include <system_error>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace oxr {

namespace {

namespace fs = std::filesystem;

// A journal whose newest line already has an end word ended through a stop whose data file
// could not be saved; otherwise the run was interrupted, and that reads as a PC-STOP.
constexpr const char* kInterruptedEndWord = kEndWordPcStop;
// A full day's journal is some 350 kB; anything far bigger is not one of ours.
constexpr std::uintmax_t kMaxJournalBytes = 4u << 20;
constexpr int kHeadLines = 9;

std::string errno_text(int err) {
  return std::error_code(err, std::generic_category()).message();
}

#ifdef _WIN32
int open_journal(const fs::path& p) {
  return ::_wopen(p.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_APPEND | _O_BINARY,
                  _S_IREAD | _S_IWRITE);
}
long long write_some(int fd, const char* data, std::size_t n) {
  return ::_write(fd, data, static_cast<unsigned>(n));
}
int sync_data(int fd) {
  return ::_commit(fd);
}
int cut_to(int fd, std::uint64_t size) {
  return ::_chsize_s(fd, static_cast<long long>(size));
}
long long file_end(int fd) {
  return ::_lseeki64(fd, 0, SEEK_END);
}
int close_fd(int fd) {
  return ::_close(fd);
}
void sync_folder(const fs::path&) {}
#else
int open_journal(const fs::path& p) {
  // Never through a link: the journal is a plain file in the working folder.
  return ::open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_APPEND | O_CLOEXEC | O_NOFOLLOW, 0644);
}
long long write_some(int fd, const char* data, std::size_t n) {
  return ::write(fd, data, n);
}
int sync_data(int fd) {
#ifdef __APPLE__
  return ::fsync(fd);
#else
  return ::fdatasync(fd);
#endif
}
int cut_to(int fd, std::uint64_t size) {
  return ::ftruncate(fd, static_cast<off_t>(size));
}
long long file_end(int fd) {
  return ::lseek(fd, 0, SEEK_END);
}
int close_fd(int fd) {
  return ::close(fd);
}
// A new or removed name reaches the disk only with its folder.
void sync_folder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}
#endif

bool is_end_word(std::string_view status) {
  return std::find(kEndWords.begin(), kEndWords.end(), status) != kEndWords.end();
}

bool ends_with(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The complete lines of bytes, each without its line feed; a cut-off last line is dropped.
std::vector<std::string_view> complete_lines(std::string_view bytes) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t lf = bytes.find('\n'); lf != std::string_view::npos;
       lf = bytes.find('\n', start)) {
    lines.push_back(bytes.substr(start, lf - start));
    start = lf + 1;
  }
  return lines;
}

bool read_bounded(const fs::path& p, std::string& out) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return false;
  out.resize(kMaxJournalBytes);
  in.read(out.data(), static_cast<std::streamsize>(out.size()));
  out.resize(static_cast<std::size_t>(in.gcount()));
  return !in.bad();
}

// A data file that reads whole and holds measured values: the stop saved it.
bool complete_data_file(const fs::path& p) {
  std::error_code ec;
  if (!fs::is_regular_file(fs::symlink_status(p, ec))) return false;
  std::string bytes;
  if (!read_bounded(p, bytes)) return false;
  DataFileHeader header;
  auto samples = std::make_unique<SampleBuffer>();
  return read_data_file(bytes, header, *samples).ok() && header.value_count > 0;
}

}  // namespace

fs::path journal_path(const fs::path& folder, const std::string& cycle_name) {
  return folder / (cycle_name + kJournalExtension);
}

// ---- writing ----

Journal::~Journal() {
  close();
}

void Journal::close() {
  if (fd_ >= 0) close_fd(fd_);
  fd_ = -1;
}

bool Journal::write_line(const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const long long n = write_some(fd_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = errno_text(n < 0 ? errno : ENOSPC);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  if (sync_data(fd_) != 0) {
    error_ = errno_text(errno);
    return false;
  }
  return true;
}

bool Journal::begin(const fs::path& folder, const DataFileHeader& header, int lang) {
  close();
  active_ = false;
  fragment_left_ = false;
  good_size_ = 0;
  error_.clear();
  path_.clear();
  if (!is_valid_cycle_name(header.cycle_name)) {
    error_ = "invalid cycle name";
    return false;
  }
  path_ = journal_path(folder, header.cycle_name);
  operation_mode_ = header.operation_mode;
  line_.reserve(64);

  fd_ = open_journal(path_);
  if (fd_ < 0) {
    error_ = errno_text(errno);
    return false;
  }
  const std::string head = measurement_file_head_bytes(header, lang);
  if (!write_line(head)) {
    close();
    std::error_code ec;
    fs::remove(path_, ec);
    return false;
  }
  sync_folder(folder);
  good_size_ = head.size();
  active_ = true;
  return true;
}

bool Journal::append(const MeasurementSample& sample) {
  if (fd_ < 0) {
    if (error_.empty()) error_ = "no journal open";
    return false;
  }
  line_.clear();
  // Ends a piece of a line an earlier failure left behind, so it cannot swallow this one.
  if (fragment_left_) line_ = "\r\n";
  append_sample_line(line_, sample, operation_mode_);
  const bool ok = write_line(line_);
  const long long end = file_end(fd_);
  if (ok || (end >= 0 && static_cast<std::uint64_t>(end) == good_size_ + line_.size())) {
    // Written whole (even when the flush failed): the line stands in the file.
    good_size_ = end >= 0 ? static_cast<std::uint64_t>(end) : good_size_ + line_.size();
    fragment_left_ = false;
    return ok;
  }
  // Part of the line may be there: cut the file back to its last whole line.
  fragment_left_ = cut_to(fd_, good_size_) != 0;
  return false;
}

bool Journal::finish(bool saved_ok, const MeasurementSample& last) {
  if (!active_) return true;  // nothing of this run on disk (never begun, or already finished)
  active_ = false;
  if (!saved_ok) {
    const bool ok = append(last);
    close();
    return ok;
  }
  close();
  std::error_code ec;
  fs::remove(path_, ec);
  if (ec) {
    error_ = ec.message();
    return false;
  }
  sync_folder(path_.parent_path());
  return true;
}

// ---- recovery ----

JournalReplay replay_journal(std::string_view bytes) {
  JournalReplay out;
  const std::vector<std::string_view> lines = complete_lines(bytes);
  if (lines.size() <= static_cast<std::size_t>(kHeadLines)) return out;  // nothing measured

  std::string head;
  for (int i = 0; i < kHeadLines - 1; ++i) {
    head += lines[static_cast<std::size_t>(i)];
    head += '\n';
  }
  if (!read_data_file_header(head, out.header).ok()) {
    out.status = JournalReplay::Status::BadHeader;
    return out;
  }
  // The titles as the run wrote them; German is the program's own default.
  const int lang = data_file_language(bytes).value_or(1);

  auto buffer = std::make_unique<SampleBuffer>();
  std::array<bool, kSampleCount> seen{};
  int newest = -1;
  for (std::size_t i = kHeadLines; i < lines.size(); ++i) {
    MeasurementSample s;
    // A line that does not read is the remains of a failed write; the others still count.
    if (!ends_with(lines[i], ",\r") || !read_sample_line(lines[i], s) || !buffer->store(s)) {
      ++out.lines_skipped;
      continue;
    }
    if (!seen[s.sample_no]) ++out.samples;
    seen[s.sample_no] = true;
    newest = s.sample_no;
  }
  if (newest < 0) {
    out.samples = 0;
    return out;
  }

  MeasurementSample& last = (*buffer)[static_cast<std::size_t>(newest)];
  if (!is_end_word(last.sample_status)) last.sample_status = kInterruptedEndWord;
  last.pump_text = kPumpOffText;
  out.header.value_count = static_cast<std::uint16_t>(newest + 1);
  if (seen[0]) out.header.start_time = (*buffer)[0].sample_time;
  out.file_bytes = measurement_file_bytes(out.header, *buffer, lang);
  out.status = JournalReplay::Status::Ok;
  return out;
}

std::vector<JournalRecovery> recover_journals(const fs::path& folder) {
  std::vector<fs::path> journals;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!ends_with(name, kJournalExtension)) continue;
    const std::string cycle =
        name.substr(0, name.size() - std::string_view(kJournalExtension).size());
    std::error_code sec;
    if (!is_valid_cycle_name(cycle) || !fs::is_regular_file(it->symlink_status(sec))) continue;
    journals.push_back(it->path());
  }
  std::sort(journals.begin(), journals.end());

  std::vector<JournalRecovery> results;
  for (const fs::path& journal : journals) {
    JournalRecovery r;
    const std::string name = journal.filename().string();
    r.cycle_name = name.substr(0, name.size() - std::string_view(kJournalExtension).size());
    r.journal = journal;
    r.data_file = folder / (r.cycle_name + kDataFileExtension);

    std::string bytes;
    if (!read_bounded(journal, bytes)) {
      r.outcome = JournalRecovery::Outcome::Unreadable;
      results.push_back(r);
      continue;
    }
    const JournalReplay replay = replay_journal(bytes);
    r.samples = replay.samples;
    bool remove = true;
    if (replay.status == JournalReplay::Status::BadHeader) {
      r.outcome = JournalRecovery::Outcome::Unreadable;
      remove = false;
    } else if (replay.status == JournalReplay::Status::NoSamples) {
      r.outcome = JournalRecovery::Outcome::Empty;
    } else if (complete_data_file(r.data_file)) {
      r.outcome = JournalRecovery::Outcome::AlreadySaved;
    } else {
      const SaveResult saved = write_file_atomically(r.data_file, replay.file_bytes);
      if (saved.ok()) {
        r.outcome = JournalRecovery::Outcome::Recovered;
      } else {
        r.outcome = JournalRecovery::Outcome::CannotWrite;
        r.detail = saved.detail;
        remove = false;
      }
    }
    if (remove) {
      std::error_code rec;
      fs::remove(journal, rec);
      sync_folder(folder);
    }
    results.push_back(r);
  }
  return results;
}

}  // namespace oxr
