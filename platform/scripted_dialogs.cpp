#include "platform/scripted_dialogs.h"

namespace oxr {

namespace {
const char* kind_name(ScriptedDialogs::Kind k) {
  switch (k) {
    case ScriptedDialogs::Kind::Message: return "message box";
    case ScriptedDialogs::Kind::Confirm: return "confirmation box";
    case ScriptedDialogs::Kind::Open: return "open dialog";
    case ScriptedDialogs::Kind::Save: return "save dialog";
    case ScriptedDialogs::Kind::Print: return "print dialog";
  }
  return "dialog";
}
}  // namespace

void ScriptedDialogs::answer_confirm(bool yes, std::function<void()> while_open) {
  answers_.push_back(Answer{Kind::Confirm, yes, std::nullopt, std::move(while_open)});
}

void ScriptedDialogs::answer_open(std::optional<std::string> path,
                                  std::function<void()> while_open) {
  answers_.push_back(Answer{Kind::Open, path.has_value(), std::move(path), std::move(while_open)});
}

void ScriptedDialogs::answer_save(std::optional<std::string> path,
                                  std::function<void()> while_open) {
  answers_.push_back(Answer{Kind::Save, path.has_value(), std::move(path), std::move(while_open)});
}

void ScriptedDialogs::answer_print(bool ok, std::function<void()> while_open) {
  answers_.push_back(Answer{Kind::Print, ok, std::nullopt, std::move(while_open)});
}

void ScriptedDialogs::while_next_message(std::function<void()> action) {
  message_actions_.push_back(std::move(action));
}

std::vector<std::string> ScriptedDialogs::texts() const {
  std::vector<std::string> out;
  for (const Shown& s : shown_) out.push_back(s.text);
  return out;
}

std::vector<std::string> ScriptedDialogs::messages() const {
  std::vector<std::string> out;
  for (const Shown& s : shown_) {
    if (s.kind == Kind::Message) out.push_back(s.text);
  }
  return out;
}

ScriptedDialogs::Answer ScriptedDialogs::take(Kind kind, const std::string& what) {
  if (answers_.empty() || answers_.front().kind != kind) {
    std::string queued = answers_.empty() ? "nothing" : kind_name(answers_.front().kind);
    throw UnexpectedDialog(std::string("unexpected ") + kind_name(kind) + " \"" + what +
                           "\" (queued: " + queued + ")");
  }
  Answer a = std::move(answers_.front());
  answers_.pop_front();
  return a;
}

void ScriptedDialogs::message(const std::string& text) {
  shown_.push_back(Shown{Kind::Message, text, {}, {}});
  if (!message_actions_.empty()) {
    auto action = std::move(message_actions_.front());
    message_actions_.pop_front();
    if (action) action();
  }
}

bool ScriptedDialogs::confirm(const ConfirmRequest& request) {
  shown_.push_back(Shown{Kind::Confirm, request.text, request, {}});
  Answer a = take(Kind::Confirm, request.text);
  if (a.while_open) a.while_open();
  return a.yes;
}

std::optional<std::string> ScriptedDialogs::open_file(const FileDialogRequest& request) {
  shown_.push_back(Shown{Kind::Open, request.title, {}, request});
  Answer a = take(Kind::Open, request.title);
  if (a.while_open) a.while_open();
  return a.path;
}

std::optional<std::string> ScriptedDialogs::save_file(const FileDialogRequest& request) {
  shown_.push_back(Shown{Kind::Save, request.title, {}, request});
  Answer a = take(Kind::Save, request.title);
  if (a.while_open) a.while_open();
  return a.path;
}

bool ScriptedDialogs::print_dialog() {
  shown_.push_back(Shown{Kind::Print, "print", {}, {}});
  Answer a = take(Kind::Print, "print");
  if (a.while_open) a.while_open();
  return a.yes;
}

}  // namespace oxr
