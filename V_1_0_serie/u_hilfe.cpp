#include "V_1_0_serie/u_hilfe.h"

#include <QCloseEvent>
#include <QEvent>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

FormHelpWindow::FormHelpWindow(TFormHelp& help, QWidget* parent)
    : QWidget(parent), help_(help) {
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  resize(help_.form.client_width(), help_.form.client_height());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  text_ = new QTextBrowser(this);
  text_->setObjectName(to_qt(help_.RichEdit1.name()));
  text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  text_->setOpenLinks(false);
  layout->addWidget(text_);

  RichTextBox& box = help_.RichEdit1;
  box.on_model_changed = [this, &box] {
    text_->setAccessibleName(to_qt(box.accessible_name()));
    const QString html = to_qt(box.html());
    if (text_->property("oxr_html").toString() != html) {
      text_->setHtml(html);
      text_->setProperty("oxr_html", html);
    }
  };
  box.on_model_changed();
  bind_window(this, help_.form);
}

bool FormHelpWindow::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    if (in_activate_) {
      back_inside_ = true;
    } else if (skip_next_) {
      skip_next_ = false;
    } else {
      activated();
    }
  } else if (event->type() == QEvent::WindowDeactivate && in_activate_) {
    left_inside_ = true;
  }
  return QWidget::event(event);
}

void FormHelpWindow::activated() {
  in_activate_ = true;
  left_inside_ = back_inside_ = false;
  help_.FormActivate();
  in_activate_ = false;
  // A box of its own went away during the load; the activation it hands back is still to come.
  skip_next_ = left_inside_ && !back_inside_;
}

void FormHelpWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  help_.form.close();
}

}  // namespace oxr::qt
