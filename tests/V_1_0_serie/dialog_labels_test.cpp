// The open and save dialogs as the operator sees them: relabelled in the language of the run
// each time they open.
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QPushButton>

#include "V_1_0_serie/qt/dialogs.h"
#include "tests/V_1_0_serie/qt_support.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class DialogLabels : public FormFixture {
 protected:
  DialogLabels() { qt_app(); }
};

TEST_F(DialogLabels, ButtonsAndLabelsReadTheTextsOfTheLanguage) {
  struct Case {
    int lang;
    bool save;
    const char* ok;
    const char* cancel;
    const char* type;
    const char* name;
    const char* folder;
  };
  const Case cases[] = {
      {1, false, "Öffnen", "Abrechen", "Dateityp:", "Dateiname:", "Suchen in:"},
      {0, false, "Open", "Quit", "Filetyp:", "Filename:", "Search in:"},
      {1, true, "&Speichern", "Abrechen", "Dateityp:", "Dateiname:", "Speichern"},
      {0, true, "&Save", "Quit", "Filetyp:", "Filename:", "Save"},
  };
  TFormzyklus& f = make_form();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lang) + (c.save ? " save" : " open"));
    f.lang_index = static_cast<std::uint8_t>(c.lang);
    FileDialogRequest request;
    if (c.save)
      f.SaveDialog1Show(request);
    else
      f.OpenDialog1Show(request);
    auto dialog = qt::QtDialogs::make_file_dialog(request, c.save, nullptr);
    auto* buttons = dialog->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_NE(buttons, nullptr);
    const QDialogButtonBox::StandardButton accept =
        c.save ? QDialogButtonBox::Save : QDialogButtonBox::Open;
    ASSERT_NE(buttons->button(accept), nullptr);
    EXPECT_EQ(buttons->button(accept)->text(), QString::fromUtf8(c.ok));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), c.cancel);
    EXPECT_EQ(dialog->findChild<QLabel*>("fileTypeLabel")->text(), c.type);
    EXPECT_EQ(dialog->findChild<QLabel*>("fileNameLabel")->text(), c.name);
    EXPECT_EQ(dialog->findChild<QLabel*>("lookInLabel")->text(), c.folder);
  }
}

}  // namespace
}  // namespace oxr::test
