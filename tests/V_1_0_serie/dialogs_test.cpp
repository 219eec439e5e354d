#include "V_1_0_serie/qt/dialogs.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() { oxr::test::qt_app(); }
  // Runs `inspect` on the modal box once it is up (the box then has to be closed by it).
  static void when_box_up(std::function<void(QMessageBox*)> inspect) {
    QTimer::singleShot(0, [inspect] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(box, nullptr);
      inspect(box);
    });
  }
  QtDialogs dialogs{QStringLiteral("OXR - Pump Control")};
};

TEST_F(DialogsTest, ConfirmationHasTheRelabelledButtonsAndNoCloseBox) {
  const ConfirmRequest request{"OXR - Pump Control", "Zyklen mit Status 'bitte starten' speichern?",
                               "Ja", "Nein"};
  for (const bool answer_yes : {true, false}) {
    SCOPED_TRACE(answer_yes ? "Ja" : "Nein");
    when_box_up([answer_yes](QMessageBox* box) {
      EXPECT_EQ(box->windowTitle(), QStringLiteral("OXR - Pump Control"));
      EXPECT_EQ(box->text(), QStringLiteral("Zyklen mit Status 'bitte starten' speichern?"));
      EXPECT_FALSE(box->windowFlags() & Qt::WindowCloseButtonHint);
      QStringList labels;
      QPushButton* pick = nullptr;
      for (QAbstractButton* b : box->buttons()) {
        labels << b->text();
        if (b->text() == (answer_yes ? QStringLiteral("Ja") : QStringLiteral("Nein")))
          pick = qobject_cast<QPushButton*>(b);
      }
      labels.sort();
      EXPECT_EQ(labels, (QStringList{QStringLiteral("Ja"), QStringLiteral("Nein")}));
      ASSERT_NE(pick, nullptr);
      pick->click();
    });
    EXPECT_EQ(dialogs.confirm(request), answer_yes);
  }
}

TEST_F(DialogsTest, EscapeOnAConfirmationMeansNo) {
  when_box_up([](QMessageBox* box) { oxr::test::press_key(box, Qt::Key_Escape); });
  EXPECT_FALSE(dialogs.confirm({"OXR - Pump Control", "?", "Ja", "Nein"}));
}

TEST_F(DialogsTest, MessageShowsTheTextWithPlainLineBreaks) {
  QString shown;
  when_box_up([&](QMessageBox* box) {
    shown = box->text();
    EXPECT_EQ(box->windowTitle(), QStringLiteral("OXR - Pump Control"));
    box->button(QMessageBox::Ok)->click();
  });
  dialogs.message("Zoom: Linke Maustaste\n\rScrollen: Rechte <Maustaste>");
  EXPECT_EQ(shown, QStringLiteral("Zoom: Linke Maustaste\nScrollen: Rechte <Maustaste>"));
}

TEST_F(DialogsTest, NameFiltersFromTheToolkitNotation) {
  const struct {
    const char* toolkit;
    QStringList qt;
  } cases[] = {
      {"OXR files (*.oxr)|*.oxr", {QStringLiteral("OXR files (*.oxr)")}},
      {"OXR-Dateien|*.oxr|Alle|*.*",
       {QStringLiteral("OXR-Dateien (*.oxr)"), QStringLiteral("Alle (*.*)")}},
      {"Texte|*.txt;*.csv", {QStringLiteral("Texte (*.txt *.csv)")}},
      {"", {}},
      {"lonely description", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(name_filters(c.toolkit), c.qt) << c.toolkit;
}

TEST_F(DialogsTest, FileDialogCarriesTheRelabelledItems) {
  FileDialogRequest request;
  request.title = "Speichern";
  request.filter = "OXR-Dateien (*.oxr)|*.oxr";
  request.default_ext = "oxr";
  request.initial_dir = QDir::tempPath().toStdString();
  request.ok_label = "&Speichern";
  request.cancel_label = "Abrechen";
  request.type_label = "Dateityp:";
  request.name_label = "Dateiname:";
  request.folder_label = "Speichern";
  auto dialog = QtDialogs::make_file_dialog(request, true, nullptr);
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontUseNativeDialog));
  EXPECT_TRUE(dialog->testOption(QFileDialog::DontConfirmOverwrite));
  EXPECT_EQ(dialog->acceptMode(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Speichern"));
  EXPECT_EQ(dialog->defaultSuffix(), QStringLiteral("oxr"));
  EXPECT_EQ(dialog->nameFilters(), QStringList{QStringLiteral("OXR-Dateien (*.oxr)")});
  EXPECT_EQ(dialog->labelText(QFileDialog::Accept), QStringLiteral("&Speichern"));
  EXPECT_EQ(dialog->labelText(QFileDialog::Reject), QStringLiteral("Abrechen"));
  EXPECT_EQ(dialog->labelText(QFileDialog::FileType), QStringLiteral("Dateityp:"));
  EXPECT_EQ(dialog->labelText(QFileDialog::FileName), QStringLiteral("Dateiname:"));
  EXPECT_EQ(dialog->labelText(QFileDialog::LookIn), QStringLiteral("Speichern"));
  EXPECT_EQ(QDir(dialog->directory()).canonicalPath(), QDir(QDir::tempPath()).canonicalPath());

  auto open = QtDialogs::make_file_dialog(FileDialogRequest{}, false, nullptr);
  EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
  EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
  EXPECT_EQ(QDir(open->directory()).canonicalPath(), QDir::current().canonicalPath());
}

}  // namespace
}  // namespace oxr::qt
