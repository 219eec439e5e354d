#pragma once
// The STOP window: a small always-on-top window with one picture button, shown while a cycle
// waits for its start or runs, so the operator can stop it from anywhere on the screen.
#include <functional>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

// A screen position in pixels (the top-left corner of a window's frame).
struct ScreenPoint {
  int x = 0;
  int y = 0;
  bool operator==(const ScreenPoint&) const = default;
};

class TFormStop {
 public:
  explicit TFormStop(TFormzyklus& main_window);
  TFormStop(const TFormStop&) = delete;
  TFormStop& operator=(const TFormStop&) = delete;

  // Single border, no caption buttons at all, always on top; caption message 4 (set by the
  // main window's texts). The operator cannot close it: the Qt layer ignores a close request
  // from the window system; only the logic's form.close() (STOP, quit) closes it.
  Form form{"FormStop", 120, 97};
  // The picture button filling the window (121 x 97), glyph kGlyph.
  Button BBStop{"BBStop"};
  static constexpr int kButtonWidth = 121;
  static constexpr int kButtonHeight = 97;
  static constexpr const char* kGlyph = "stop.jpg";

  // Where the window stands relative to the main window's frame.
  static constexpr int kOffsetLeft = 660;
  static constexpr int kOffsetTop = 390;
  // The window's own frame position, set by FormShow.
  ScreenPoint position;

  // Places the window beside the main window's STOP area; gives BBStop its accessible name.
  void FormShow();
  // Exactly the main window's STOP: the press is taken only while that STOP button takes one.
  void BBStopClick();
  // The application lost the focus: while this window shows, bring it to the front.
  void ApplicationDeactivate();
  bool showing() const { return form.visible(); }
  void bring_to_front();

  // Set by the Qt layer: the main window's frame position on the screen.
  std::function<ScreenPoint()> main_window_position;
  // Set by the Qt layer: move the window to `position` (called by FormShow).
  std::function<void()> on_placed;
  // Set by the Qt layer: raise the window above all others.
  std::function<void()> on_bring_to_front;

 private:
  TFormzyklus& main_;
};

}  // namespace oxr
