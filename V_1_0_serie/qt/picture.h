#pragma once
// The program's pictures (logos, the pump, the about-box pictures, the STOP glyph): JPEG files
// of the picture folder, decoded with libjpeg (Tools_oxr/jpeg_picture), never through Qt's
// image plugins. A picture that is missing or does not decode is a null image: its frame
// stays empty and the program goes on.
#include <QImage>
#include <QString>
#include <string>

namespace oxr::qt {

// The folder the pictures and the installed help files are read from: share/oxr-pump beside
// the program's folder when it is installed, else the source tree's assets folder.
QString picture_folder();
// Another folder (tests); the pictures read so far are forgotten.
void set_picture_folder(const QString& folder);

// The picture by asset name ("pump.jpg"), decoded once and kept; null when it cannot be had.
QImage load_picture(const std::string& asset_name);

}  // namespace oxr::qt
