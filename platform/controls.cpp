#include "platform/controls.h"

namespace oxr {

void Control::changed() {
  if (on_model_changed) on_model_changed();
}

void Control::set_enabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  changed();
}

void Control::set_visible(bool on) {
  if (visible_ == on) return;
  visible_ = on;
  changed();
}

void Control::set_color(Color c) {
  if (color_ == c) return;
  color_ = c;
  changed();
}

void Control::set_hint(const std::string& h) {
  if (hint_ == h) return;
  hint_ = h;
  changed();
}

void Control::set_accessible_name(const std::string& n) {
  if (accessible_name_ == n) return;
  accessible_name_ = n;
  changed();
}

void Control::set_focus() {
  focus_requested_ = true;
  changed();
}

void Control::click() {
  if (enabled_ && OnClick) OnClick();
}

void Control::enter() {
  if (enabled_ && OnEnter) OnEnter();
}

void Control::exit() {
  if (enabled_ && OnExit) OnExit();
}

void Control::key_down(Key& key) {
  if (enabled_ && OnKeyDown) OnKeyDown(key);
}

void Control::mouse_down() {
  if (enabled_ && OnMouseDown) OnMouseDown();
}

void Control::mouse_up() {
  if (enabled_ && OnMouseUp) OnMouseUp();
}

void CaptionControl::set_caption(const std::string& c) {
  if (caption_ == c) return;
  caption_ = c;
  changed();
}

void Button::set_multi_line(bool on) {
  if (multi_line_ == on) return;
  multi_line_ = on;
  changed();
}

void Edit::set_text(const std::string& t) {
  if (text_ == t) return;
  text_ = t;
  changed();
  // The toolkit fires the change event for every write, also from code and while disabled.
  if (OnChange) OnChange();
}

void Edit::set_read_only(bool on) {
  if (read_only_ == on) return;
  read_only_ = on;
  changed();
}

void Edit::set_max_length(int n) {
  if (max_length_ == n) return;
  max_length_ = n;
  changed();
}

void Edit::set_tab_stop(bool on) {
  if (tab_stop_ == on) return;
  tab_stop_ = on;
  changed();
}

void MaskEdit::set_mask(const std::string& m) {
  if (mask() == m) return;
  mask_ = m;
  changed();
}

void Memo::set_lines(std::vector<std::string> lines) {
  if (lines_ == lines) return;
  lines_ = std::move(lines);
  changed();
}

std::string Memo::text() const {
  std::string out;
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (i > 0) out += "\r\n";
    out += lines_[i];
  }
  return out;
}

void Memo::set_text(const std::string& t) {
  std::vector<std::string> lines;
  if (!t.empty()) {
    std::size_t start = 0;
    for (;;) {
      const std::size_t pos = t.find("\r\n", start);
      if (pos == std::string::npos) {
        lines.push_back(t.substr(start));
        break;
      }
      lines.push_back(t.substr(start, pos - start));
      start = pos + 2;
    }
  }
  set_lines(std::move(lines));
}

void CheckBox::set_checked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  changed();
  if (OnClick) OnClick();
}

RadioButton::RadioButton(std::string name, RadioGroup& group)
    : CaptionControl(std::move(name)), group_(group) {
  group_.add(*this);
}

void RadioButton::set_checked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  if (on) {
    for (RadioButton* other : group_.members()) {
      if (other != this && other->checked_) {
        other->checked_ = false;
        other->changed();
      }
    }
  }
  changed();
  if (on && OnClick) OnClick();
}

void RadioButton::operator_click() {
  if (!enabled()) return;
  if (checked_) {
    if (OnClick) OnClick();
  } else {
    set_checked(true);
  }
}

void MenuItem::set_checked(bool on) {
  if (checked_ == on) return;
  checked_ = on;
  changed();
}

void MenuItem::set_radio_item(bool on, int group_index, std::vector<MenuItem*>* group) {
  radio_item_ = on;
  group_index_ = group_index;
  group_ = group;
  changed();
}

void MenuItem::check_in_group() {
  if (radio_item_ && group_) {
    for (MenuItem* other : *group_) {
      if (other != this && other->group_index_ == group_index_) other->set_checked(false);
    }
  }
  set_checked(true);
}

void Image::set_picture(const std::string& p) {
  if (picture_ == p) return;
  picture_ = p;
  changed();
}

StatusBar::StatusBar(std::string name, std::vector<int> widths) : Control(std::move(name)) {
  for (int w : widths) panels_.push_back(Panel{{}, w});
}

void StatusBar::set_panel(int i, const std::string& text) {
  Panel& p = panels_.at(static_cast<std::size_t>(i));
  if (p.text == text) return;
  p.text = text;
  changed();
}

Form::Form(std::string name, int client_width, int client_height)
    : Control(std::move(name)), client_width_(client_width), client_height_(client_height) {
  set_visible(false);
}

void Form::set_caption(const std::string& c) {
  if (caption_ == c) return;
  caption_ = c;
  changed();
}

void Form::show() {
  if (visible()) return;
  set_visible(true);
  if (OnShow) OnShow();
}

void Form::hide() { set_visible(false); }

void Form::close() {
  if (OnCloseQuery && !OnCloseQuery()) return;
  set_visible(false);
}

}  // namespace oxr
