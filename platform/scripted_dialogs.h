#pragma once
// Dialogs for tests: records every box shown, in order, and answers from a queue.
// Message boxes need no answer (they are recorded and closed); a confirmation, file or print
// dialog with no queued answer throws UnexpectedDialog, which fails the test.
// Each answer may first run an action while the box is up (advance the clock, as an operator
// who waits before answering), so timers fire meanwhile as they do under a real modal box.
#include <deque>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace oxr {

class UnexpectedDialog : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

class ScriptedDialogs final : public Dialogs {
 public:
  enum class Kind { Message, Confirm, Open, Save, Print };
  struct Shown {
    Kind kind;
    std::string text;  // message text, confirmation text, or file dialog title
    ConfirmRequest confirm;
    FileDialogRequest file;
  };

  // Queue answers, in the order the boxes will come.
  void answer_confirm(bool yes, std::function<void()> while_open = {});
  void answer_open(std::optional<std::string> path, std::function<void()> while_open = {});
  void answer_save(std::optional<std::string> path, std::function<void()> while_open = {});
  void answer_print(bool ok, std::function<void()> while_open = {});
  // Runs while the next message box is up, before it is closed.
  void while_next_message(std::function<void()> action);

  const std::vector<Shown>& shown() const { return shown_; }
  // Texts of every box so far, in order (message and confirmation texts, file dialog titles).
  std::vector<std::string> texts() const;
  // Texts of the message boxes only.
  std::vector<std::string> messages() const;
  void clear_shown() { shown_.clear(); }
  // Answers queued but not used yet.
  std::size_t pending() const { return answers_.size(); }

  void message(const std::string& text) override;
  bool confirm(const ConfirmRequest& request) override;
  std::optional<std::string> open_file(const FileDialogRequest& request) override;
  std::optional<std::string> save_file(const FileDialogRequest& request) override;
  bool print_dialog() override;

 private:
  struct Answer {
    Kind kind;
    bool yes = false;
    std::optional<std::string> path;
    std::function<void()> while_open;
  };
  Answer take(Kind kind, const std::string& what);

  std::vector<Shown> shown_;
  std::deque<Answer> answers_;
  std::deque<std::function<void()>> message_actions_;
};

}  // namespace oxr
