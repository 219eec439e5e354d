#pragma once
// The about box (menu "&Info"): the program picture of the language, the product name and
// the version. Shown modally from the main window.
#include <functional>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

class TAboutBox {
 public:
  // Wires the main window's Info1 menu item to Info1Click.
  explicit TAboutBox(TFormzyklus& main_window);
  TAboutBox(const TAboutBox&) = delete;
  TAboutBox& operator=(const TAboutBox&) = delete;

  // Dialog-style, centred on the screen, caption "Info" in both languages.
  Form form{"AboutBox", 352, 200};
  Image ProgramiconD{"ProgramiconD"};  // 300 x 49 frame
  Image ProgramiconE{"ProgramiconE"};
  Label ProductName{"ProductName"};
  Label Version{"Version"};
  Label Copyright{"Copyright"};
  Button OKButton{"OKButton"};  // the default button

  enum class ModalResult { None, Ok };
  ModalResult modal_result = ModalResult::None;

  // The main window's menu handler: shows the box modally.
  void Info1Click();
  void FormShow();
  void OKButtonClick();

  // Set by the Qt layer: runs the box as a modal dialog until it is closed (FormShow has
  // already run). Without it the box is only shown.
  std::function<void()> run_modal;

  static constexpr const char* kPictureGerman = "about_de.jpg";
  static constexpr const char* kPictureEnglish = "about_en.jpg";
  static constexpr const char* kVersionText = "Version 1.0";
  static constexpr const char* kCopyrightText = "© 2026 OXR Musterpumpen GmbH";

 private:
  TFormzyklus& main_;
};

}  // namespace oxr
