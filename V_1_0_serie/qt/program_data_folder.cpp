#include "V_1_0_serie/qt/program_data_folder.h"

#include <QCoreApplication>

#include "Tools_oxr/data_folder.h"

namespace oxr::qt {

std::filesystem::path program_data_folder() {
  return choose_data_folder(QCoreApplication::applicationDirPath().toStdString(), OXR_DATA_DIR,
                            OXR_SOURCE_ASSETS_DIR);
}

}  // namespace oxr::qt
