#include <memory>
#include <string>

#include "Tools_oxr/data_file.h"
#include "tests/fuzz/fuzz_bodies.h"
#include "tests/fuzz/require.h"

namespace oxr::fuzz {

namespace {

// A buffer that is not blank, so a read that writes where it must not is seen.
const SampleBuffer& marked_buffer() {
  static const std::unique_ptr<SampleBuffer> buffer = [] {
    auto b = std::make_unique<SampleBuffer>();
    for (std::size_t i = 0; i < b->entries.size(); ++i) {
      (*b)[i].sample_no = static_cast<std::uint16_t>(i + 1);
      (*b)[i].temp1 = -7;
      (*b)[i].sample_status = "mark";
    }
    return b;
  }();
  return *buffer;
}

DataFileHeader marked_header() {
  DataFileHeader h;
  h.cycle_name = "marked";
  h.value_count = 77;
  h.set1_deg = -3;
  return h;
}

}  // namespace

void data_file_input(std::string_view bytes) {
  // Static: the buffers are large, and one copy per input keeps the run fast.
  static const std::unique_ptr<SampleBuffer> samples = std::make_unique<SampleBuffer>();
  static const std::unique_ptr<SampleBuffer> again = std::make_unique<SampleBuffer>();
  *samples = marked_buffer();
  DataFileHeader header = marked_header();

  const DataFileReadResult r = read_data_file(bytes, header, *samples);
  require(r.samples_read >= 0 && r.samples_read <= kSampleCount, "samples read within buffer");
  require(!read_error_message(r, 0).empty() || r.ok(), "an error has a message");
  if (!r.ok()) {
    require(header == marked_header(), "a failed read leaves the header");
    require(samples->entries == marked_buffer().entries, "a failed read leaves the samples");
    return;
  }
  require(r.samples_read == std::min<int>(header.value_count, kSampleCount),
          "every announced sample read");

  for (int lang = 0; lang <= 1; ++lang) {
    const std::string written = measurement_file_bytes(header, *samples, lang);
    DataFileHeader back;
    const DataFileReadResult r2 = read_data_file(written, back, *again);
    require(r2.ok(), "a written file reads back");
    require(measurement_file_bytes(back, *again, lang) == written,
            "a written file reads back the same");
  }
}

}  // namespace oxr::fuzz
