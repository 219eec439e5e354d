#pragma once
// System services the windows use beyond boxes and dialogs.
#include <string>

namespace oxr {

// One instance per machine, by name.
class InstanceGuard {
 public:
  virtual ~InstanceGuard() = default;
  // True when this is the only instance; false when another one holds the name.
  virtual bool acquire(const std::string& name) = 0;
  virtual void release() = 0;
};

class SystemServices {
 public:
  virtual ~SystemServices() = default;
  // Opens a web address with the desktop's default handler.
  virtual void open_url(const std::string& url) = 0;
  // Prints an image of the main window as one landscape page titled `document_title`.
  virtual bool print_main_window(const std::string& document_title) = 0;
};

}  // namespace oxr
