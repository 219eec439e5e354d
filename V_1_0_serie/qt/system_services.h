#pragma once
// Opening web addresses with the desktop's handler, and printing the main window on the
// printer the print dialog set up.
#include "platform/services.h"

namespace oxr::qt {

class QtSystemServices final : public SystemServices {
 public:
  void open_url(const std::string& url) override;
  // Prints the top-level window named Formzyklus (the main window's model name); false when
  // there is none or the printer could not be opened.
  bool print_main_window(const std::string& document_title) override;
};

}  // namespace oxr::qt
