#pragma once
// The data folder of this program (help files, pictures), from where the program file lies
// and the prefix it was built for; empty when there is none (see choose_data_folder).
#include <filesystem>

namespace oxr::qt {

std::filesystem::path program_data_folder();

}  // namespace oxr::qt
