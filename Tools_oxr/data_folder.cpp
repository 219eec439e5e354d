#include "Tools_oxr/data_folder.h"

#include <system_error>

namespace oxr {

std::filesystem::path choose_data_folder(const std::filesystem::path& program_dir,
                                         const std::filesystem::path& installed_dir,
                                         const std::filesystem::path& source_assets_dir) {
  const std::filesystem::path beside =
      program_dir.empty() ? program_dir : program_dir / ".." / "share" / kDataFolderName;
  for (const std::filesystem::path& candidate : {beside, installed_dir, source_assets_dir}) {
    std::error_code ec;
    if (!candidate.empty() && std::filesystem::is_directory(candidate, ec)) {
      return candidate.lexically_normal();
    }
  }
  return {};
}

}  // namespace oxr
