#include "V_1_0_serie/u_comname.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace oxr {

namespace {
QString q(const std::string& s) {
  return QString::fromStdString(s);
}
}  // namespace

ComnameWindow::ComnameWindow(TFormcomname& logic, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), logic_(logic) {
  setObjectName(q(logic_.form.name()));
  setModal(true);
  auto* grid = new QGridLayout(this);
  for (int port = 0; port < 4; ++port) {
    Label& label_model = logic_.label(port);
    Edit& edit_model = logic_.edit(port);
    labels_[port] = new QLabel(q(label_model.caption()), this);
    labels_[port]->setObjectName(q(label_model.name()));
    edits_[port] = new QLineEdit(this);
    edits_[port]->setObjectName(q(edit_model.name()));
    labels_[port]->setBuddy(edits_[port]);
    grid->addWidget(labels_[port], port, 0);
    grid->addWidget(edits_[port], port, 1);
    // Typing goes into the model, whose change event cleans the text; the model then
    // writes the cleaned text back here.
    connect(edits_[port], &QLineEdit::textEdited, this,
            [&edit_model](const QString& text) { edit_model.set_text(text.toStdString()); });
    edit_model.on_model_changed = [this, port] { sync_edit(port); };
    label_model.on_model_changed = [this, port] {
      labels_[port]->setText(q(logic_.label(port).caption()));
      edits_[port]->setAccessibleName(q(logic_.label(port).caption()));
    };
    sync_edit(port);
    edits_[port]->setAccessibleName(q(label_model.caption()));
  }
  ok_ = new QPushButton(q(logic_.Bcomname.caption()), this);
  ok_->setObjectName(q(logic_.Bcomname.name()));
  ok_->setDefault(true);
  grid->addWidget(ok_, 4, 0, 1, 2, Qt::AlignHCenter);
  connect(ok_, &QPushButton::clicked, this, [this] { logic_.Bcomname.click(); });
  logic_.Bcomname.on_model_changed = [this] {
    ok_->setText(q(logic_.Bcomname.caption()));
    ok_->setEnabled(logic_.Bcomname.enabled());
  };
  logic_.form.on_model_changed = [this] { sync_form(); };
  sync_form();
}

void ComnameWindow::reject() {}

void ComnameWindow::sync_form() {
  setWindowTitle(q(logic_.form.caption()));
  if (logic_.form.visible() && !isVisible()) show();
  if (!logic_.form.visible() && isVisible()) hide();
}

void ComnameWindow::sync_edit(int port) {
  const Edit& model = logic_.edit(port);
  QLineEdit* edit = edits_[port];
  const QString text = q(model.text());
  if (edit->text() != text) edit->setText(text);
  if (model.max_length() > 0) edit->setMaxLength(model.max_length());
  edit->setEnabled(model.enabled());
}

}  // namespace oxr
