// Draws the program's pictures (logos, the heated pump, the about-box pictures, the STOP
// glyph, the desktop icon) and writes them into a folder. Run it again after a change:
//   build/tools/make_assets/make-assets assets/
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QLinearGradient>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPolygonF>
#include <QtCore/QDir>

#include <cmath>
#include <cstdio>

namespace {

const QColor kBlue(0, 70, 140);
const QColor kRed(200, 30, 30);

bool save(const QImage& img, const QString& dir, const QString& name) {
  const QString path = QDir(dir).filePath(name);
  const bool ok = img.save(path, name.endsWith(".png") ? "PNG" : "JPEG", 92);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

QImage logo(const QString& subtitle) {
  QImage img(240, 80, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(6, 8, 64, 64), 10, 10);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(38, 40), 14, 14);
  p.setPen(kBlue);
  QFont f("DejaVu Sans", 30, QFont::Bold);
  p.setFont(f);
  p.drawText(QRectF(80, 4, 156, 44), Qt::AlignLeft | Qt::AlignVCenter, "OXR");
  f.setPointSize(11);
  f.setBold(false);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  p.drawText(QRectF(80, 46, 156, 26), Qt::AlignLeft | Qt::AlignVCenter, subtitle);
  return img;
}

// The heated pump: a pump head with a motor, two heating zones (red bands) on the pump body,
// inlet and outlet pipes and the controller box with its two zone displays.
QImage pump() {
  QImage img(360, 270, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient bg(0, 0, 0, 270);
  bg.setColorAt(0, QColor(236, 242, 248));
  bg.setColorAt(1, QColor(200, 212, 226));
  p.fillRect(img.rect(), bg);
  // Base plate.
  p.setPen(QPen(QColor(70, 70, 70), 2));
  p.setBrush(QColor(120, 120, 130));
  p.drawRect(QRectF(30, 220, 300, 18));
  // Motor.
  QLinearGradient metal(0, 110, 0, 200);
  metal.setColorAt(0, QColor(190, 195, 205));
  metal.setColorAt(0.5, QColor(245, 245, 250));
  metal.setColorAt(1, QColor(140, 145, 155));
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(200, 110, 120, 90), 12, 12);
  for (int i = 0; i < 6; ++i) p.drawLine(QPointF(215 + i * 17, 115), QPointF(215 + i * 17, 195));
  p.drawRect(QRectF(225, 200, 70, 20));
  // Pump body with its two heating zones.
  p.setBrush(metal);
  p.drawRoundedRect(QRectF(60, 100, 140, 110), 18, 18);
  p.setBrush(kRed);
  p.drawRect(QRectF(75, 100, 28, 110));
  p.drawRect(QRectF(145, 100, 28, 110));
  p.setPen(QColor(255, 230, 200));
  QFont f("DejaVu Sans", 10, QFont::Bold);
  p.setFont(f);
  p.drawText(QRectF(75, 140, 28, 30), Qt::AlignCenter, "1");
  p.drawText(QRectF(145, 140, 28, 30), Qt::AlignCenter, "2");
  // Pipes.
  p.setPen(QPen(QColor(70, 70, 70), 2));
  p.setBrush(QColor(170, 175, 185));
  p.drawRect(QRectF(10, 140, 50, 24));
  p.drawRect(QRectF(118, 40, 24, 60));
  // Heat waves above the pipe.
  p.setPen(QPen(QColor(230, 90, 40), 3));
  p.setBrush(Qt::NoBrush);
  for (int k = 0; k < 3; ++k) {
    QPainterPath wave;
    const double x = 100 + k * 22;
    wave.moveTo(x, 34);
    for (int s = 1; s <= 20; ++s) wave.lineTo(x + 5 * std::sin(s * 0.6), 34 - s * 1.2);
    p.drawPath(wave);
  }
  // Controller box with two displays.
  p.setPen(QPen(QColor(40, 40, 40), 2));
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(215, 20, 120, 70), 6, 6);
  p.setBrush(QColor(20, 30, 20));
  p.drawRect(QRectF(225, 30, 45, 22));
  p.drawRect(QRectF(280, 30, 45, 22));
  p.setPen(QColor(90, 255, 90));
  f.setPointSize(9);
  p.setFont(f);
  p.drawText(QRectF(225, 30, 45, 22), Qt::AlignCenter, "85.0");
  p.drawText(QRectF(280, 30, 45, 22), Qt::AlignCenter, "60.0");
  p.setPen(Qt::white);
  p.drawText(QRectF(215, 58, 120, 26), Qt::AlignCenter, "OXR TC");
  // Cable from the controller to the pump.
  p.setPen(QPen(QColor(30, 30, 30), 3));
  p.drawLine(QPointF(250, 90), QPointF(250, 110));
  return img;
}

// The about box's program picture (300 x 49, the size of its frame): the pump beside the
// product name of the language.
QImage about(const QString& text) {
  QImage img(300, 49, QImage::Format_RGB32);
  img.fill(Qt::white);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawImage(QRectF(4, 2, 60, 45), pump());
  p.setPen(kBlue);
  QFont f("DejaVu Sans", 17, QFont::Bold);
  p.setFont(f);
  p.drawText(QRectF(72, 0, 70, 49), Qt::AlignLeft | Qt::AlignVCenter, "OXR");
  f.setPointSize(12);
  p.setFont(f);
  p.setPen(QColor(60, 60, 60));
  p.drawText(QRectF(132, 0, 166, 49), Qt::AlignLeft | Qt::AlignVCenter, text);
  p.setPen(QPen(kRed, 2));
  p.drawLine(QPointF(72, 42), QPointF(296, 42));
  return img;
}

QImage stop_glyph() {
  QImage img(96, 96, QImage::Format_RGB32);
  img.fill(QColor(240, 240, 240));
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QPolygonF octagon;
  for (int i = 0; i < 8; ++i) {
    const double a = (22.5 + 45.0 * i) * M_PI / 180.0;
    octagon << QPointF(48 + 44 * std::cos(a), 48 + 44 * std::sin(a));
  }
  p.setPen(QPen(Qt::white, 4));
  p.setBrush(kRed);
  p.drawPolygon(octagon);
  p.setPen(Qt::white);
  QFont f("DejaVu Sans", 17, QFont::Bold);
  p.setFont(f);
  p.drawText(img.rect(), Qt::AlignCenter, "STOP");
  return img;
}

QImage icon() {
  QImage img(64, 64, QImage::Format_ARGB32);
  img.fill(Qt::transparent);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawRoundedRect(QRectF(2, 2, 60, 60), 10, 10);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(32, 24), 12, 12);
  p.setPen(Qt::white);
  QFont f("DejaVu Sans", 12, QFont::Bold);
  p.setFont(f);
  p.drawText(QRectF(0, 38, 64, 22), Qt::AlignCenter, "OXR");
  return img;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("assets");
  QDir().mkpath(dir);
  bool ok = true;
  ok &= save(logo("Pumpensteuerung"), dir, "oxr_logo_de.jpg");
  ok &= save(logo("Pump Control"), dir, "oxr_logo_en.jpg");
  ok &= save(pump(), dir, "pump.jpg");
  ok &= save(about("Pumpensteuerung"), dir, "about_de.jpg");
  ok &= save(about("Pump Control"), dir, "about_en.jpg");
  ok &= save(stop_glyph(), dir, "stop.jpg");
  ok &= save(icon(), dir, "oxr-pump.png");
  return ok ? 0 : 1;
}
