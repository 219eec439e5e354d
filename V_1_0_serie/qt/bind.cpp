#include "V_1_0_serie/qt/bind.h"

#include <QAbstractButton>
#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVariant>
#include <algorithm>
#include <memory>
#include <vector>

#include "V_1_0_serie/qt/input_mask.h"
#include "V_1_0_serie/qt/picture.h"

namespace oxr::qt {

QString display_text(const std::string& s) {
  QString t = to_qt(s);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  t.remove(QLatin1Char('\r'));
  return t;
}

std::optional<QColor> to_qcolor(Color c) {
  if (c == Color::BtnFace || c == Color::Window) return std::nullopt;
  const auto v = static_cast<std::uint32_t>(c);  // 0x00BBGGRR
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

namespace {

const char* const kBindingName = "oxr_binding";
const char* const kActiveControl = "oxr_active_control";

std::optional<Key> key_of(int qt_key) {
  switch (qt_key) {
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Down: return Key::Down;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Enter;
    default: return std::nullopt;
  }
}

// Focus that moves because a whole window (a message box, a menu, another program) comes or
// goes is no control's enter or exit: the control stays the active one of its window. Only
// the first focus of a window that opens enters its control.
bool window_level(Qt::FocusReason r) {
  return r == Qt::ActiveWindowFocusReason || r == Qt::PopupFocusReason ||
         r == Qt::MenuBarFocusReason;
}

void paint(QWidget* w, QPalette::ColorRole role, Color c) {
  QPalette p = w->palette();
  if (const auto colour = to_qcolor(c)) {
    p.setColor(role, *colour);
  } else {
    const QPalette system = QApplication::palette(w);
    for (auto g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      p.setBrush(g, role, system.brush(g, role));
  }
  w->setPalette(p);
}

// The state every control has.
void apply_common(QWidget* w, Control& m, QPalette::ColorRole role) {
  w->setEnabled(m.enabled());
  if (w->isHidden() == m.visible()) w->setHidden(!m.visible());
  w->setToolTip(display_text(m.hint()));
  w->setAccessibleName(to_qt(m.accessible_name()));
  paint(w, role, m.color());
  if (m.focus_requested()) {
    m.clear_focus_request();
    w->setFocus(Qt::OtherFocusReason);
  }
}

Binding* attach(QWidget* w, Control& m, QPalette::ColorRole role, std::function<void()> own) {
  w->setObjectName(to_qt(m.name()));
  auto* b = new Binding(w, m, [w, &m, role, own = std::move(own)] {
    apply_common(w, m, role);
    if (own) own();
  });
  w->installEventFilter(b);
  b->apply();
  return b;
}

}  // namespace

Binding::Binding(QObject* target, Control& model, std::function<void()> apply)
    : QObject(target), model_(model), apply_(std::move(apply)) {
  setObjectName(QString::fromLatin1(kBindingName));
  model_.on_model_changed = [self = QPointer<Binding>(this)] {
    if (self) self->apply();
  };
}

Binding* Binding::of(QObject* target) {
  return target ? target->findChild<Binding*>(QString::fromLatin1(kBindingName),
                                              Qt::FindDirectChildrenOnly)
                : nullptr;
}

bool Binding::eventFilter(QObject* watched, QEvent* event) {
  if (watched != parent()) return false;
  switch (event->type()) {
    case QEvent::FocusIn: {
      // The window's active control: set on enter, kept while other windows have the focus.
      QWidget* window = static_cast<QWidget*>(parent())->window();
      auto* active = window->property(kActiveControl).value<QObject*>();
      if (window_level(static_cast<QFocusEvent*>(event)->reason()) && active == this) break;
      window->setProperty(kActiveControl, QVariant::fromValue<QObject*>(this));
      model_.enter();
      break;
    }
    case QEvent::FocusOut: {
      if (window_level(static_cast<QFocusEvent*>(event)->reason())) break;
      QWidget* window = static_cast<QWidget*>(parent())->window();
      if (window->property(kActiveControl).value<QObject*>() == this)
        window->setProperty(kActiveControl, QVariant());
      model_.exit();
      break;
    }
    case QEvent::KeyPress:
      if (auto key = key_of(static_cast<QKeyEvent*>(event)->key())) {
        model_.key_down(*key);
        if (*key == Key::Other) return true;  // the handler swallowed the key
      }
      break;
    case QEvent::MouseButtonPress:
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        pressed_ = true;
        model_.mouse_down();
      }
      break;
    case QEvent::MouseButtonRelease: {
      auto* me = static_cast<QMouseEvent*>(event);
      if (me->button() != Qt::LeftButton || !pressed_) break;
      pressed_ = false;
      model_.mouse_up();
      auto* w = qobject_cast<QWidget*>(parent());
      if (click_on_release && w && w->rect().contains(me->position().toPoint())) model_.click();
      break;
    }
    default:
      break;
  }
  return false;
}

Binding* bind(QPushButton* w, Button& m) {
  Binding* b = attach(w, m, QPalette::Button, [w, &m] { w->setText(display_text(m.caption())); });
  QObject::connect(w, &QAbstractButton::clicked, b, [b, &m] {
    m.click();
    b->apply();
  });
  return b;
}

Binding* bind(QAbstractButton* w, SpeedButton& m) {
  Binding* b = attach(w, m, QPalette::Button, [w, &m] { w->setText(display_text(m.caption())); });
  QObject::connect(w, &QAbstractButton::clicked, b, [&m] { m.click(); });
  return b;
}

Binding* bind(QToolButton* w, ToolButton& m) {
  Binding* b = attach(w, m, QPalette::Button, [w, &m] { w->setText(display_text(m.caption())); });
  QObject::connect(w, &QAbstractButton::clicked, b, [&m] { m.click(); });
  return b;
}

Binding* bind(QLabel* w, Label& m) {
  Binding* b = attach(w, m, QPalette::Window, [w, &m] {
    w->setText(display_text(m.caption()));
    w->setAutoFillBackground(to_qcolor(m.color()).has_value());
  });
  b->click_on_release = true;
  return b;
}

namespace {

void apply_edit_basics(QLineEdit* w, Edit& m) {
  w->setReadOnly(m.read_only());
  w->setFocusPolicy(m.tab_stop() ? Qt::StrongFocus : Qt::ClickFocus);
}

}  // namespace

Binding* bind(QLineEdit* w, Edit& m) {
  Binding* b = attach(w, m, QPalette::Base, [w, &m] {
    apply_edit_basics(w, m);
    w->setMaxLength(m.max_length() > 0 ? m.max_length() : 32767);
    const QString text = to_qt(m.text());
    if (w->text() != text) w->setText(text);
  });
  b->click_on_release = true;
  QObject::connect(w, &QLineEdit::textEdited, b, [w, b, &m] {
    m.set_text(from_qt(w->text()));
    b->apply();
  });
  return b;
}

Binding* bind(QLineEdit* w, MaskEdit& m) {
  struct State {
    std::string toolkit_mask;
    QtInputMask mask;
  };
  auto state = std::make_shared<State>();
  Binding* b = attach(w, m, QPalette::Base, [w, &m, state] {
    apply_edit_basics(w, m);
    if (m.mask() != state->toolkit_mask) {
      state->toolkit_mask = m.mask();
      state->mask = translate_mask(m.mask());
      w->setInputMask(state->mask.input_mask);
      if (state->mask.input_mask.isEmpty())
        w->setMaxLength(m.max_length() > 0 ? m.max_length() : 32767);
    }
    const QString text = to_qt(m.text());
    if (masked_text(state->mask, w->displayText()) != text) w->setText(text);
  });
  b->click_on_release = true;
  QObject::connect(w, &QLineEdit::textEdited, b, [w, b, &m, state] {
    m.set_text(from_qt(masked_text(state->mask, w->displayText())));
    b->apply();
  });
  return b;
}

Binding* bind(QLabel* w, Memo& m) {
  return attach(w, m, QPalette::Window, [w, &m] {
    QStringList lines;
    for (const auto& line : m.lines()) lines << display_text(line);
    w->setText(lines.join(QLatin1Char('\n')));
    w->setAutoFillBackground(to_qcolor(m.color()).has_value());
  });
}

Binding* bind(QPlainTextEdit* w, Memo& m) {
  w->setReadOnly(true);
  return attach(w, m, QPalette::Base, [w, &m] {
    QStringList lines;
    for (const auto& line : m.lines()) lines << display_text(line);
    const QString text = lines.join(QLatin1Char('\n'));
    if (w->toPlainText() != text) w->setPlainText(text);
  });
}

Binding* bind(QCheckBox* w, CheckBox& m) {
  Binding* b = attach(w, m, QPalette::Window, [w, &m] {
    w->setText(display_text(m.caption()));
    w->setChecked(m.checked());
  });
  // The box's own state change is the click the model fires.
  QObject::connect(w, &QAbstractButton::clicked, b, [w, b, &m] {
    m.set_checked(w->isChecked());
    b->apply();
  });
  return b;
}

Binding* bind(QRadioButton* w, RadioButton& m) {
  // The model's group decides what unchecks; Qt's sibling rule would mix groups that share
  // a parent.
  w->setAutoExclusive(false);
  Binding* b = attach(w, m, QPalette::Window, [w, &m] {
    w->setText(display_text(m.caption()));
    w->setChecked(m.checked());
  });
  QObject::connect(w, &QAbstractButton::clicked, b, [b, &m] {
    m.operator_click();
    b->apply();
  });
  return b;
}

Binding* bind(QAction* a, MenuItem& m) {
  a->setObjectName(to_qt(m.name()));
  auto* b = new Binding(a, m, [a, &m] {
    a->setText(display_text(m.caption()));
    a->setEnabled(m.enabled());
    a->setVisible(m.visible());
    a->setToolTip(display_text(m.hint()));
    a->setCheckable(m.radio_item() || m.checked());
    a->setChecked(m.checked());
  });
  QObject::connect(a, &QAction::triggered, b, [a, b, &m] {
    m.click();
    // Qt may have toggled this item (and its group) by itself: show the model's state again.
    b->apply();
    if (auto* group = a->actionGroup())
      for (QAction* other : group->actions())
        if (Binding* ob = Binding::of(other)) ob->apply();
  });
  b->apply();
  return b;
}

Binding* bind(QMenu* menu, MenuItem& m) {
  menu->setObjectName(to_qt(m.name()));
  QAction* a = menu->menuAction();
  a->setObjectName(to_qt(m.name()));
  auto* b = new Binding(menu, m, [menu, a, &m] {
    menu->setTitle(display_text(m.caption()));
    a->setEnabled(m.enabled());
    a->setVisible(m.visible());
    menu->setToolTip(display_text(m.hint()));
  });
  QObject::connect(menu, &QMenu::aboutToShow, b, [&m] { m.click(); });
  b->apply();
  return b;
}

namespace {

// Shows a picture in its frame, scaled to fit and keeping its proportions, also after the
// frame's size changes.
class PictureFit : public QObject {
 public:
  explicit PictureFit(QLabel* frame) : QObject(frame), frame_(frame) {
    frame->installEventFilter(this);
  }
  void show(const std::string& name) {
    if (name == name_) return;
    name_ = name;
    image_ = load_picture(name);
    fit();
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Resize) fit();
    return false;
  }

 private:
  void fit() {
    const QSize box = frame_->contentsRect().size();
    if (image_.isNull() || box.isEmpty()) {
      frame_->clear();
      return;
    }
    frame_->setPixmap(QPixmap::fromImage(
        image_.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
  }

  QLabel* frame_;
  std::string name_;
  QImage image_;
};

}  // namespace

Binding* bind(QLabel* w, Image& m) {
  w->setFrameShape(QFrame::StyledPanel);
  w->setAlignment(Qt::AlignCenter);
  auto* fit = new PictureFit(w);
  return attach(w, m, QPalette::Window, [w, &m, fit] {
    w->setProperty("picture", to_qt(m.picture()));
    fit->show(m.picture());
  });
}

Binding* bind(QStatusBar* w, StatusBar& m) {
  w->setSizeGripEnabled(false);
  std::vector<QLabel*> panels;
  for (int i = 0; i < m.panel_count(); ++i) {
    auto* label = new QLabel(w);
    label->setObjectName(to_qt(m.name()) + QStringLiteral("_panel") + QString::number(i));
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    w->addWidget(label);
    panels.push_back(label);
  }
  return attach(w, m, QPalette::Window, [&m, panels] {
    for (int i = 0; i < m.panel_count() && i < static_cast<int>(panels.size()); ++i) {
      // The panel's own width, or wider where this font would clip its text (the clock).
      const QString text = display_text(m.panel(i));
      const int needed = panels[i]->fontMetrics().horizontalAdvance(text) +
                         2 * panels[i]->frameWidth() + 8;
      panels[i]->setFixedWidth(std::max(m.panel_width(i), needed));
      panels[i]->setText(text);
    }
  });
}

Binding* bind_window(QWidget* w, Form& m) {
  w->setObjectName(to_qt(m.name()));
  auto* b = new Binding(w, m, [w, &m] {
    w->setWindowTitle(to_qt(m.caption()));
    if (m.visible() && !w->isVisible()) w->show();
    if (!m.visible() && w->isVisible()) w->hide();
    if (m.focus_requested()) {
      m.clear_focus_request();
      w->activateWindow();
    }
  });
  b->apply();
  return b;
}

}  // namespace oxr::qt
