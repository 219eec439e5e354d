#pragma once
// A fresh folder per test, removed afterwards. It lies in memory where the machine has a
// memory file system: the writers flush every line to the disk, and a simulated day of
// samples would otherwise spend half a minute waiting for it.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace oxr::test {

class TempDir {
 public:
  enum class Place { memory_if_any, disk };
  explicit TempDir(Place place = Place::memory_if_any) {
    std::random_device rd;
    std::error_code ec;
    const std::filesystem::path shm = "/dev/shm";
    const bool memory = place == Place::memory_if_any && std::filesystem::is_directory(shm, ec);
    path_ = (memory ? shm : std::filesystem::temp_directory_path()) /
            ("oxr-test-" + std::to_string(rd()) + "-" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

inline std::string read_bytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void write_bytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace oxr::test
