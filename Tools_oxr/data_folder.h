#pragma once
// The program's data folder: where the help files and pictures are found when the working
// directory has none.
#include <filesystem>

namespace oxr {

// The name of the data folder below an installation's share folder.
inline constexpr const char* kDataFolderName = "oxr-pump";

// The first of these folders that exists, or an empty path:
//   <program_dir>/../share/oxr-pump   an installation moved as a whole (or unpacked anywhere)
//   installed_dir                     the data folder of the prefix the program was built for
//   source_assets_dir                 the source tree's assets, for a program in its build tree
// Empty arguments are passed over.
std::filesystem::path choose_data_folder(const std::filesystem::path& program_dir,
                                         const std::filesystem::path& installed_dir,
                                         const std::filesystem::path& source_assets_dir);

}  // namespace oxr
