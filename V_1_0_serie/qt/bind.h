#pragma once
// Binds Qt widgets to the control models: the widget shows the model, the operator's input
// becomes the model's events.
//
// - objectName := the model's name, so tests and desktop automation find widgets by it;
// - every model change is applied to the widget (text, enabled, visible, colour, hint as
//   tooltip, accessible name, checked, focus request);
// - clicks, edits, focus in/out (enter/exit), the keys Up/Down/Left/Right/Enter (key down;
//   the key keeps its normal effect unless the handler turns it into Key::Other) and mouse
//   press/release reach the model;
// - a widget update made from the model never fires the model's event again: events come
//   only from operator-side signals (clicked, textEdited, triggered) and input events.
//
// The model must outlive the widget; a widget that is gone is simply no longer updated.
#include <QColor>
#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QString>
#include <functional>
#include <optional>
#include <string>

#include "platform/controls.h"

class QAbstractButton;
class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QToolButton;
class QWidget;

namespace oxr::qt {

// Texts are UTF-8 in the models.
inline QString to_qt(const std::string& s) { return QString::fromStdString(s); }
inline std::string from_qt(const QString& s) { return s.toStdString(); }
// Captions and memo lines use "\r\n" (message 8 even "\n\r"); Qt breaks lines at "\n" only.
QString display_text(const std::string& s);
// The colour to paint, or nothing for the system colours (button face, edit background),
// which the widget's own palette already has.
std::optional<QColor> to_qcolor(Color c);

// The link between one widget and its model; a child of the widget. apply() re-reads the model.
class Binding : public QObject {
  Q_OBJECT
 public:
  Binding(QObject* target, Control& model, std::function<void()> apply);
  Control& model() { return model_; }
  void apply() { apply_(); }
  // The binding of a bound widget or action, if any.
  static Binding* of(QObject* target);

  // What input events reach the model (set by the bind functions).
  bool click_on_release = false;  // edits and labels have no clicked signal

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Control& model_;
  std::function<void()> apply_;
  bool pressed_ = false;
};

Binding* bind(QPushButton* w, Button& m);
Binding* bind(QAbstractButton* w, SpeedButton& m);
Binding* bind(QToolButton* w, ToolButton& m);
Binding* bind(QLabel* w, Label& m);
Binding* bind(QLineEdit* w, Edit& m);
Binding* bind(QLineEdit* w, MaskEdit& m);
Binding* bind(QLabel* w, Memo& m);
Binding* bind(QPlainTextEdit* w, Memo& m);
Binding* bind(QCheckBox* w, CheckBox& m);
Binding* bind(QRadioButton* w, RadioButton& m);
Binding* bind(QAction* a, MenuItem& m);
// A menu of the menu bar: its title and its menu action follow the item.
Binding* bind(QMenu* menu, MenuItem& m);
// A picture frame showing the model's picture (qt/picture.h), scaled to fit; empty when the
// picture cannot be had. The asset name is kept as the property "picture".
Binding* bind(QLabel* w, Image& m);
// Adds one fixed-width label per panel, named "<bar>_panel<i>".
Binding* bind(QStatusBar* w, StatusBar& m);
// A window: caption, visibility (show/hide) and the model's focus request.
Binding* bind_window(QWidget* w, Form& m);

}  // namespace oxr::qt
