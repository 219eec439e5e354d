#include "V_1_0_serie/qt/picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QHash>

#include "Tools_oxr/jpeg_picture.h"
#include "V_1_0_serie/qt/program_data_folder.h"

namespace oxr::qt {

namespace {

struct Store {
  QString folder;
  QHash<QString, QImage> pictures;
};

Store& store() {
  static Store s;
  return s;
}

QString default_folder() {
  return QString::fromStdString(program_data_folder().string());
}

QImage to_qimage(const RgbPicture& pic) {
  if (!pic.ok()) return {};
  QImage img(pic.width, pic.height, QImage::Format_RGB888);
  const auto row_bytes = static_cast<std::size_t>(pic.width) * 3;
  for (int y = 0; y < pic.height; ++y)
    std::copy_n(pic.rgb.data() + static_cast<std::size_t>(y) * row_bytes, row_bytes,
                img.scanLine(y));
  return img;
}

}  // namespace

QString picture_folder() {
  Store& s = store();
  if (s.folder.isEmpty()) s.folder = default_folder();
  return s.folder;
}

void set_picture_folder(const QString& folder) {
  store().folder = folder;
  store().pictures.clear();
}

QImage load_picture(const std::string& asset_name) {
  if (asset_name.empty()) return {};
  Store& s = store();
  const QString name = QString::fromStdString(asset_name);
  const auto found = s.pictures.constFind(name);
  if (found != s.pictures.constEnd()) return *found;
  const QString path = QDir(picture_folder()).filePath(name);
  QImage img = to_qimage(load_jpeg(path.toStdString()));
  s.pictures.insert(name, img);
  return img;
}

}  // namespace oxr::qt
