#include <string>

#include "Tools_oxr/config_file.h"
#include "Tools_oxr/data_file.h"
#include "tests/fuzz/fuzz_bodies.h"
#include "tests/fuzz/require.h"

namespace oxr::fuzz {

namespace {

// What the program keeps of a read, as the main window takes it over before it writes.
ConfigContents contents_of(const ConfigParse& p) {
  ConfigContents c;
  c.day_counters = p.day_counters;
  if (p.control_mode) c.control_mode = *p.control_mode;
  if (p.com_port) c.com_port = *p.com_port;
  for (std::size_t i = 0; i < c.com_names.size(); ++i) {
    if (p.com_names[i]) c.com_names[i] = *p.com_names[i];
  }
  c.cycles = p.cycles;
  c.cycle_count = p.cycle_count;
  if (p.language) c.lang_index = static_cast<std::uint8_t>(*p.language);
  return c;
}

}  // namespace

void config_file_input(std::string_view bytes) {
  const ConfigParse p = parse_config_file(bytes);
  require(p.cycle_count >= 0 && p.cycle_count <= kRowCount, "cycle count within the table");
  require(p.cycle_count + p.skipped_cycles <= kRowCount, "taken and skipped within the table");
  require(!p.com_port || *p.com_port <= 3, "port 0..3");
  require(!p.language || *p.language == 0 || *p.language == 1, "language 0 or 1");
  for (int i = 0; i < p.cycle_count; ++i) {
    require(is_valid_cycle_name(p.cycles[static_cast<std::size_t>(i)].cycle_name),
            "only valid cycle names are taken");
  }
  for (const auto& name : p.com_names) {
    require(!name || name->size() <= 4 * kComNameMaxChars, "port names bounded");
  }
  const auto first = parse_first_date(bytes);
  require(!p.window_ok || (first && *first == p.day_counters[0].date),
          "first date agrees with the window");
  if (!p.window_ok) return;

  const std::string written = build_config_file(contents_of(p));
  const ConfigParse again = parse_config_file(written);
  require(again.window_ok, "a written file has its numbering window");
  require(again.skipped_cycles == 0, "a written file's cycles all read back");
  require(build_config_file(contents_of(again)) == written, "written file reads back the same");
}

}  // namespace oxr::fuzz
