#include "V_1_0_serie/qt/input_mask.h"

#include <gtest/gtest.h>

#include <QLineEdit>

#include "tests/V_1_0_serie/qt_support.h"

namespace oxr::qt {
namespace {

struct MaskCase {
  const char* name;
  const char* toolkit;
  const char* qt;
  bool keep_literals;
  char blank;
};

TEST(InputMask, TranslatesTheWindowsMasks) {
  const MaskCase cases[] = {
      {"date", "!90/90/00;1; ", "09.09.99; ", true, ' '},
      {"time", "90:90;1; ", "09:09; ", true, ' '},
      {"set temperature with trailing literal", "999 ;0; ", "000 ; ", false, ' '},
      {"set temperature", "999;0; ", "000; ", false, ' '},
      {"hysteresis", "99;0; ", "00; ", false, ' '},
      {"letters, any, case, escaped", ">LlAaCc\\0#;1;_", ">AaNnXx\\0#;_", true, '_'},
      {"defaults without fields", "00", "99;_", true, '_'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const QtInputMask m = translate_mask(c.toolkit);
    EXPECT_EQ(m.input_mask, QString::fromLatin1(c.qt));
    EXPECT_EQ(m.keep_literals, c.keep_literals);
    EXPECT_EQ(m.blank, QLatin1Char(c.blank));
  }
  EXPECT_TRUE(translate_mask("").input_mask.isEmpty());
}

// What the operator sees in a real Qt field and what the window then reads back.
TEST(InputMask, FieldTextRoundTripsThroughQt) {
  oxr::test::qt_app();
  struct Case {
    const char* mask;
    const char* text;  // the model's text, set into the field
    const char* read;  // the text read back from the field
  };
  const Case cases[] = {
      {"!90/90/00;1; ", "09.12.26", "09.12.26"},
      {"!90/90/00;1; ", "  .  .  ", "  .  .  "},
      {"!90/90/00;1; ", " 9.12.26", " 9.12.26"},
      {"90:90;1; ", "10:01", "10:01"},
      {"90:90;1; ", "  :  ", "  :  "},
      {"999 ;0; ", "60", "60"},
      {"999;0; ", "140", "140"},
      {"99;0; ", "1", "1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.mask) + " / " + c.text);
    const QtInputMask m = translate_mask(c.mask);
    QLineEdit field;
    field.setInputMask(m.input_mask);
    field.setText(QString::fromLatin1(c.text));
    EXPECT_EQ(masked_text(m, field.displayText()), QString::fromLatin1(c.read));
  }
}

TEST(InputMask, LiteralsLeftOutOnlyWhenTheMaskSaysSo) {
  const QtInputMask keep = translate_mask("90:90;1; ");
  EXPECT_EQ(masked_text(keep, QStringLiteral("1 :05")), QStringLiteral("1 :05"));
  const QtInputMask drop = translate_mask("90:90;0; ");
  EXPECT_EQ(masked_text(drop, QStringLiteral("1 :05")), QStringLiteral("105"));
  // A display shorter than the mask (nothing to index past).
  EXPECT_EQ(masked_text(drop, QStringLiteral("1")), QStringLiteral("1"));
}

}  // namespace
}  // namespace oxr::qt
