#include "Tools_oxr/u_stop/tformstop.h"

#include "Tools_oxr/texts.h"

namespace oxr {

TFormStop::TFormStop(TFormzyklus& main_window) : main_(main_window) {
  form.set_caption(message_text(main_.lang_index, kStopWindowCaptionMsg));
  main_.stop_form = &form;
  form.OnShow = [this] { FormShow(); };
  BBStop.OnClick = [this] { BBStopClick(); };
  BBStop.set_accessible_name(accessible_name(main_.lang_index, "BBStop"));
  // The main window's application handler and its quit reach this window through these.
  main_.window_links.stop_window_showing = [this] { return showing(); };
  main_.window_links.raise_stop_window = [this] { bring_to_front(); };
  main_.window_links.close_stop_window = [this] { form.close(); };
}

void TFormStop::FormShow() {
  const ScreenPoint main_at = main_window_position ? main_window_position() : ScreenPoint{};
  position = {main_at.x + kOffsetLeft, main_at.y + kOffsetTop};
  BBStop.set_accessible_name(accessible_name(main_.lang_index, "BBStop"));
  if (on_placed) on_placed();
}

void TFormStop::BBStopClick() {
  // Going through the main window's button keeps both presses one and the same: its handler,
  // its refusals and its disabled state.
  main_.But_stop.click();
}

void TFormStop::ApplicationDeactivate() {
  if (showing()) bring_to_front();
}

void TFormStop::bring_to_front() {
  if (on_bring_to_front) on_bring_to_front();
}

}  // namespace oxr
