#pragma once
// Control models: what the window handlers read and write, with the toolkit semantics they
// rely on. The Qt layer renders them and turns user input into their events.
//
// - writing an edit's text fires its OnChange (when the text changes);
// - checking an unchecked radio button unchecks the others of its group and fires its OnClick;
// - a check box whose state changes fires its OnClick;
// - a disabled control takes no events.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace oxr {

// Colours as the windows use them (0x00BBGGRR, as the toolkit writes them).
enum class Color : std::uint32_t {
  BtnFace = 0xFF000001u,  // system colour: button face
  Window = 0xFF000002u,   // system colour: edit background
  White = 0x00FFFFFFu,
  Aqua = 0x00FFFF00u,
  Red = 0x000000FFu,
  Lime = 0x0000FF00u,
  Green = 0x00008000u,
  Black = 0x00000000u,
};

// Keys the handlers look at; the others arrive as Key::Other.
enum class Key { Other, Enter, Left, Up, Right, Down };

class Control {
 public:
  explicit Control(std::string name) : name_(std::move(name)) {}
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& name() const { return name_; }

  bool enabled() const { return enabled_; }
  void set_enabled(bool on);
  bool visible() const { return visible_; }
  void set_visible(bool on);
  Color color() const { return color_; }
  void set_color(Color c);
  const std::string& hint() const { return hint_; }
  void set_hint(const std::string& h);
  // Accessible name (what a screen reader says); set by the logic in the current language.
  const std::string& accessible_name() const { return accessible_name_; }
  void set_accessible_name(const std::string& n);

  // Focus: the logic asks for it; the Qt layer (or a test) reports where it is.
  void set_focus();
  bool focus_requested() const { return focus_requested_; }
  void clear_focus_request() { focus_requested_ = false; }

  // Events; each is ignored while the control is disabled.
  std::function<void()> OnClick;
  std::function<void()> OnEnter;
  std::function<void()> OnExit;
  std::function<void(Key&)> OnKeyDown;
  std::function<void()> OnMouseDown;
  std::function<void()> OnMouseUp;

  void click();
  void enter();
  void exit();
  void key_down(Key& key);
  // A key press whose possible rewrite by the handler is of no interest to the caller.
  void press_key(Key key) { key_down(key); }
  void mouse_down();
  void mouse_up();

  // The Qt layer's listener: called after any change of the model's state.
  std::function<void()> on_model_changed;

 protected:
  void changed();

 private:
  std::string name_;
  bool enabled_ = true;
  bool visible_ = true;
  Color color_ = Color::BtnFace;
  std::string hint_;
  std::string accessible_name_;
  bool focus_requested_ = false;
};

// A control with a caption: buttons, labels, menu items, speed buttons, tool buttons.
class CaptionControl : public Control {
 public:
  using Control::Control;
  const std::string& caption() const { return caption_; }
  void set_caption(const std::string& c);

 private:
  std::string caption_;
};

class Button : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
  // Two-line caption style (the caption may hold "\r\n").
  bool multi_line() const { return multi_line_; }
  void set_multi_line(bool on);

 private:
  bool multi_line_ = false;
};

class Label : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
};

class SpeedButton : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
};

class ToolButton : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
};

class Edit : public Control {
 public:
  using Control::Control;
  const std::string& text() const { return text_; }
  // Fires OnChange when the text changes, as the toolkit does for any write.
  void set_text(const std::string& t);
  bool read_only() const { return read_only_; }
  void set_read_only(bool on);
  int max_length() const { return max_length_; }
  void set_max_length(int n);
  bool tab_stop() const { return tab_stop_; }
  void set_tab_stop(bool on);

  std::function<void()> OnChange;

 private:
  std::string text_;
  bool read_only_ = false;
  int max_length_ = 0;
  bool tab_stop_ = true;
};

// An edit with an edit mask such as "!90:00;1;_" (the toolkit's mask syntax).
class MaskEdit : public Edit {
 public:
  using Edit::Edit;
  const std::string& mask() const { return mask_; }
  void set_mask(const std::string& m);

 private:
  std::string mask_;
};

class Memo : public Control {
 public:
  using Control::Control;
  const std::vector<std::string>& lines() const { return lines_; }
  void set_lines(std::vector<std::string> lines);
  // All lines joined by "\r\n", as the toolkit's Text property reads.
  std::string text() const;
  void set_text(const std::string& t);  // splits at "\r\n"
  void clear() { set_lines({}); }

 private:
  std::vector<std::string> lines_;
};

class CheckBox : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
  bool checked() const { return checked_; }
  // Fires OnClick when the state changes.
  void set_checked(bool on);

 private:
  bool checked_ = false;
};

class RadioButton;

// The radio buttons that exclude each other.
class RadioGroup {
 public:
  void add(RadioButton& b) { members_.push_back(&b); }
  const std::vector<RadioButton*>& members() const { return members_; }

 private:
  std::vector<RadioButton*> members_;
};

class RadioButton : public CaptionControl {
 public:
  RadioButton(std::string name, RadioGroup& group);
  bool checked() const { return checked_; }
  // Checking an unchecked button unchecks its group and fires OnClick; unchecking is silent.
  void set_checked(bool on);
  // An operator's click checks the button.
  void operator_click();

 private:
  RadioGroup& group_;
  bool checked_ = false;
};

class MenuItem : public CaptionControl {
 public:
  using CaptionControl::CaptionControl;
  bool checked() const { return checked_; }
  void set_checked(bool on);
  // Radio items with the same group index exclude each other when checked through this.
  bool radio_item() const { return radio_item_; }
  void set_radio_item(bool on, int group_index, std::vector<MenuItem*>* group);
  void check_in_group();

 private:
  bool checked_ = false;
  bool radio_item_ = false;
  int group_index_ = 0;
  std::vector<MenuItem*>* group_ = nullptr;
};

// A picture by asset name (for example "oxr_logo_de.jpg"); empty when none is loaded.
class Image : public Control {
 public:
  using Control::Control;
  const std::string& picture() const { return picture_; }
  void set_picture(const std::string& p);

 private:
  std::string picture_;
};

class StatusBar : public Control {
 public:
  struct Panel {
    std::string text;
    int width = 0;
  };
  StatusBar(std::string name, std::vector<int> widths);
  int panel_count() const { return static_cast<int>(panels_.size()); }
  const std::string& panel(int i) const { return panels_.at(i).text; }
  int panel_width(int i) const { return panels_.at(i).width; }
  void set_panel(int i, const std::string& text);

 private:
  std::vector<Panel> panels_;
};

// A window: caption and visibility. show() and close() tell the Qt layer.
class Form : public Control {
 public:
  Form(std::string name, int client_width, int client_height);
  const std::string& caption() const { return caption_; }
  void set_caption(const std::string& c);
  int client_width() const { return client_width_; }
  int client_height() const { return client_height_; }
  void show();
  void hide();
  void close();  // hides; the owner decides what closing means

  std::function<void()> OnShow;    // fired by show() when the form was hidden
  std::function<bool()> OnCloseQuery;  // false refuses the close

 private:
  std::string caption_;
  int client_width_;
  int client_height_;
};

}  // namespace oxr
