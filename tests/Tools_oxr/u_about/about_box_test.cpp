#include "Tools_oxr/u_about/taboutbox.h"
#include "tests/support/form_fixture.h"

namespace oxr::test {
namespace {

class AboutBox : public FormFixture {};

TEST_F(AboutBox, InfoMenuShowsTheProductAndPictureOfTheLanguage) {
  struct Case {
    std::uint8_t lang;
    const char* product;
    bool german_picture;
  };
  for (const Case c : {Case{0, "Pump Control", false}, Case{1, "Pumpensteuerung", true}}) {
    SCOPED_TRACE(int{c.lang});
    TFormzyklus& main = make_form();
    TAboutBox about(main);
    main.lang_index = c.lang;
    std::string product_while_modal;
    about.run_modal = [&] { product_while_modal = about.ProductName.caption(); };

    main.Info1.click();

    EXPECT_TRUE(about.form.visible());
    EXPECT_EQ(product_while_modal, c.product);  // filled before the box runs
    EXPECT_EQ(about.ProgramiconD.visible(), c.german_picture);
    EXPECT_EQ(about.ProgramiconE.visible(), !c.german_picture);
    EXPECT_EQ(about.form.caption(), "Info");
    EXPECT_EQ(about.Version.caption(), "Version 1.0");
    EXPECT_EQ(about.ProgramiconD.accessible_name(), c.product);
    EXPECT_EQ(about.ProgramiconE.accessible_name(), c.product);
  }
}

TEST_F(AboutBox, ShowsTheLanguageOfEachOpeningAndOkClosesWithOk) {
  TFormzyklus& main = make_form();
  TAboutBox about(main);
  main.lang_index = 1;
  main.Info1.click();
  about.OKButton.click();
  EXPECT_FALSE(about.form.visible());
  EXPECT_EQ(about.modal_result, TAboutBox::ModalResult::Ok);

  main.lang_index = 0;
  main.Info1.click();
  EXPECT_EQ(about.modal_result, TAboutBox::ModalResult::None);
  EXPECT_EQ(about.ProductName.caption(), "Pump Control");
  EXPECT_TRUE(about.ProgramiconE.visible());
  EXPECT_FALSE(about.ProgramiconD.visible());
}

}  // namespace
}  // namespace oxr::test
