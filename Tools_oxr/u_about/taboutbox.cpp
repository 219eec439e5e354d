#include "Tools_oxr/u_about/taboutbox.h"

#include <initializer_list>

#include "Tools_oxr/texts.h"

namespace oxr {

namespace {
constexpr int kProductNameMsg = 31;
}

TAboutBox::TAboutBox(TFormzyklus& main_window) : main_(main_window) {
  form.set_caption("Info");
  ProgramiconD.set_picture(kPictureGerman);
  ProgramiconE.set_picture(kPictureEnglish);
  Version.set_caption(kVersionText);
  Copyright.set_caption(kCopyrightText);
  OKButton.set_caption("OK");
  form.OnShow = [this] { FormShow(); };
  OKButton.OnClick = [this] { OKButtonClick(); };
  main_.Info1.OnClick = [this] { Info1Click(); };
}

void TAboutBox::Info1Click() {
  modal_result = ModalResult::None;
  form.show();
  if (run_modal) run_modal();
}

void TAboutBox::FormShow() {
  ProductName.set_caption(message_text(main_.lang_index, kProductNameMsg));
  const bool german = main_.lang_index == 1;
  ProgramiconD.set_visible(german);
  ProgramiconE.set_visible(!german);
  for (Image* picture : {&ProgramiconD, &ProgramiconE})
    picture->set_accessible_name(accessible_name(main_.lang_index, picture->name()));
}

void TAboutBox::OKButtonClick() {
  modal_result = ModalResult::Ok;
  form.close();
}

}  // namespace oxr
