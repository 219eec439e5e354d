#pragma once
// What each fuzz target does with one input. The libFuzzer entry points call these, and the
// regression test in test_logic replays every saved crash input through them, so a fault the
// fuzzer once found stays found. A broken promise of the unit under test aborts.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace oxr::fuzz {

// parse_config_file; a file written from what was read reads back to the same file.
void config_file_input(std::string_view bytes);
// read_data_file; a failed read changes nothing, a file written from a good read reads back
// to the same file.
void data_file_input(std::string_view bytes);
// The main window's frame reader and reply dispatch fed from a scripted byte stream
// (see frame_stream.cpp for how the input is read as a script).
void frame_stream_input(std::string_view bytes);
// The same, telling where the script left the window, so tests can see a script does what it
// says.
struct FrameStreamOutcome {
  bool connected = false;
  std::int32_t control_mode = 0;
  int frames_sent = 0;
  std::vector<std::string> messages;
};
FrameStreamOutcome run_frame_stream(std::string_view bytes);
// read_rtf; its HTML is valid UTF-8 and holds only the tags the reader writes.
void rtf_input(std::string_view bytes);

}  // namespace oxr::fuzz
