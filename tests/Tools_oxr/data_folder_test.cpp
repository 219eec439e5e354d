// Which folder the program takes its help files and pictures from.
#include "Tools_oxr/data_folder.h"

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace oxr::test {
namespace {

TEST(DataFolder, FirstExistingCandidateWins) {
  TempDir root;
  const auto prefix = root.path() / "opt" / "oxr";
  const auto bin = prefix / "bin";
  const auto beside = prefix / "share" / "oxr-pump";
  const auto installed = root.path() / "usr" / "share" / "oxr-pump";
  const auto assets = root.path() / "src" / "assets";
  const auto missing = root.path() / "nowhere";
  std::filesystem::create_directories(bin);

  struct Case {
    const char* name;
    bool make_beside, make_installed, make_assets;
    std::filesystem::path program_dir, installed_dir, assets_dir;
    std::filesystem::path expected;
  };
  const Case cases[] = {
      {"moved installation first", true, true, true, bin, installed, assets, beside},
      {"then the built-in prefix", false, true, true, bin, installed, assets, installed},
      {"then the source tree", false, false, true, bin, installed, assets, assets},
      {"none exists", false, false, false, bin, installed, assets, {}},
      {"missing folders are passed over", false, false, true, bin, missing, assets, assets},
      {"empty arguments are passed over", false, true, false, {}, installed, {}, installed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(beside);
    std::filesystem::remove_all(installed);
    std::filesystem::remove_all(assets);
    if (c.make_beside) std::filesystem::create_directories(beside);
    if (c.make_installed) std::filesystem::create_directories(installed);
    if (c.make_assets) std::filesystem::create_directories(assets);
    EXPECT_EQ(choose_data_folder(c.program_dir, c.installed_dir, c.assets_dir),
              c.expected.lexically_normal());
  }
}

TEST(DataFolder, AFileIsNoFolder) {
  TempDir root;
  const auto bin = root.path() / "bin";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(root.path() / "share");
  write_bytes(root.path() / "share" / "oxr-pump", "not a folder");
  EXPECT_EQ(choose_data_folder(bin, {}, {}), std::filesystem::path());
}

}  // namespace
}  // namespace oxr::test
