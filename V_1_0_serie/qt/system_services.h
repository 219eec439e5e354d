#pragma once
// Opening web addresses with the desktop's handler; printing the main window comes with the
// chart view and answers false until then.
#include "platform/services.h"

namespace oxr::qt {

class QtSystemServices final : public SystemServices {
 public:
  void open_url(const std::string& url) override;
  bool print_main_window(const std::string& document_title) override;
};

}  // namespace oxr::qt
