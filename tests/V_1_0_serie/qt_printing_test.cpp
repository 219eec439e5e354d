// Page printing with Qt: the page as a PDF file, the stretched image, the window copy, the
// print dialog.
#include "V_1_0_serie/qt/qt_printing.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <cstdlib>

#include "V_1_0_serie/qt/dialogs.h"
#include "V_1_0_serie/qt/system_services.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/temp_dir.h"

namespace oxr::qt {
namespace {

class PrintingTest : public ::testing::Test {
 protected:
  PrintingTest() { oxr::test::qt_app(); }
  // A PDF printer left in portrait, as an operator might have set it in the dialog.
  void to_pdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
  }
  QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // Left half red, right half blue.
  static QImage two_colour_image() {
    QImage image(100, 50, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, 50, 50, Qt::red);
    p.fillRect(50, 0, 50, 50, Qt::blue);
    return image;
  }
  QString path(const char* name) const {
    return QString::fromStdString((dir.path() / name).string());
  }
  oxr::test::TempDir dir;
};

TEST_F(PrintingTest, OneLandscapePageTitledAsAskedGoesToAPdfFile) {
  QPrinter printer(QPrinter::HighResolution);
  const QString file = path("page.pdf");
  to_pdf(printer, file);
  ASSERT_TRUE(print_page(printer, two_colour_image(), QStringLiteral("OXR Diagramm")));

  const QByteArray pdf = read(file);
  ASSERT_TRUE(pdf.startsWith("%PDF-")) << pdf.left(16).toStdString();
  const QString text = QString::fromLatin1(pdf);
  // One page, wider than high (A4 landscape: 842 × 595 points).
  EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page[^s]"))), 1);
  const auto box =
      QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([\\d.]+)\\s+([\\d.]+)"))
          .match(text);
  ASSERT_TRUE(box.hasMatch());
  EXPECT_NEAR(box.captured(1).toDouble(), 842, 1);
  EXPECT_NEAR(box.captured(2).toDouble(), 595, 1);
  EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(printer.docName(), QStringLiteral("OXR Diagramm"));
  // Qt writes the title as UTF-16 in the document information.
  QByteArray utf16("\xfe\xff", 2);
  for (QChar c : QStringLiteral("OXR Diagramm")) utf16 += QByteArray(1, 0) + char(c.unicode());
  EXPECT_TRUE(pdf.contains("/Title (" + utf16 + ")"));
}

TEST_F(PrintingTest, ThePrintedPageLooksRight) {
  const QString gs = QStandardPaths::findExecutable(QStringLiteral("gs"));
  if (gs.isEmpty()) GTEST_SKIP() << "no Ghostscript to render the page";
  QPrinter printer(QPrinter::HighResolution);
  const QString file = path("render.pdf");
  to_pdf(printer, file);
  ASSERT_TRUE(print_page(printer, two_colour_image(), QStringLiteral("OXR diagram")));
  const QString png = path("render.png");
  QProcess render;
  render.start(gs, {QStringLiteral("-q"), QStringLiteral("-dNOPAUSE"), QStringLiteral("-dBATCH"),
                    QStringLiteral("-dSAFER"), QStringLiteral("-sDEVICE=png16m"),
                    QStringLiteral("-r30"), QStringLiteral("-sOutputFile=") + png, file});
  ASSERT_TRUE(render.waitForFinished(30000));
  const QImage page(png);
  ASSERT_FALSE(page.isNull());
  EXPECT_GT(page.width(), page.height());  // landscape
  // Rendering may shift a colour by a step or two.
  const auto near = [&](double fx, double fy, QColor want) {
    const QColor got = page.pixelColor(static_cast<int>(fx * (page.width() - 1)),
                                       static_cast<int>(fy * (page.height() - 1)));
    return std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
               std::abs(got.blue() - want.blue()) <=
           12;
  };
  EXPECT_TRUE(near(0.5, 0.0, Qt::white));
  EXPECT_TRUE(near(0.02, 0.5, Qt::red));  // the picture reaches the page's left edge
  EXPECT_TRUE(near(0.45, 0.9, Qt::red));  // stretched to the full width: halves meet mid-page
  EXPECT_TRUE(near(0.55, 0.9, Qt::blue));
  EXPECT_TRUE(near(0.98, 0.5, Qt::blue));
  EXPECT_FALSE(near(0.5, 0.0, Qt::red));
}

TEST_F(PrintingTest, TheImageFillsThePageBelowABlankBandWithoutKeepingItsShape) {
  QImage page(1000, 700, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter p(&page);
    draw_page(p, page.size(), two_colour_image());
  }
  struct Probe {
    int x, y;
    QColor colour;
  };
  for (const Probe& probe :
       {Probe{500, 50, Qt::white}, Probe{5, 99, Qt::white}, Probe{5, 102, Qt::red},
        Probe{480, 400, Qt::red}, Probe{520, 400, Qt::blue}, Probe{995, 697, Qt::blue}}) {
    SCOPED_TRACE(::testing::Message() << probe.x << "," << probe.y);
    EXPECT_EQ(page.pixelColor(probe.x, probe.y), probe.colour);
  }
}

TEST_F(PrintingTest, APageThatCannotBeWrittenIsNoSuccess) {
  QPrinter printer(QPrinter::HighResolution);
  to_pdf(printer, path("no-such-folder/page.pdf"));
  EXPECT_FALSE(print_page(printer, two_colour_image(), QStringLiteral("OXR diagram")));
}

TEST_F(PrintingTest, TheWindowIsCopiedAsShown) {
  QWidget window;
  window.resize(300, 200);
  QPalette p = window.palette();
  p.setColor(QPalette::Window, QColor(0, 128, 0));
  window.setPalette(p);
  window.setAutoFillBackground(true);
  window.show();
  const QImage image = grab_window_as_shown(&window);
  EXPECT_EQ(image.size() / image.devicePixelRatio(), QSize(300, 200));
  EXPECT_EQ(image.pixelColor(image.width() / 2, image.height() / 2), QColor(0, 128, 0));
}

TEST_F(PrintingTest, TheServicePrintsTheMainWindowOnTheProgramsPrinter) {
  QtSystemServices services;
  to_pdf(application_printer(), path("main.pdf"));
  EXPECT_FALSE(services.print_main_window("OXR diagram"));  // no main window yet
  EXPECT_FALSE(QFile::exists(path("main.pdf")));

  QWidget main;
  main.setObjectName(QStringLiteral("Formzyklus"));
  main.resize(400, 300);
  main.show();
  EXPECT_TRUE(services.print_main_window("OXR diagram"));
  EXPECT_TRUE(read(path("main.pdf")).startsWith("%PDF-"));
  EXPECT_EQ(application_printer().docName(), QStringLiteral("OXR diagram"));
}

TEST_F(PrintingTest, ThePrintDialogOffersPrintToFileAndCancelPrintsNothing) {
  QtDialogs dialogs(QStringLiteral("OXR - Pump Control"));
  bool seen = false, print_to_file = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      auto* dialog = qobject_cast<QPrintDialog*>(w);
      if (!dialog || !dialog->isVisible()) continue;
      seen = true;
      print_to_file = dialog->testOption(QAbstractPrintDialog::PrintToFile);
      dialog->reject();
    }
  });
  EXPECT_FALSE(dialogs.print_dialog());
  EXPECT_TRUE(seen);
  EXPECT_TRUE(print_to_file);
}

}  // namespace
}  // namespace oxr::qt
