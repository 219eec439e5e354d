#include "V_1_0_serie/u_zyklus.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "V_1_0_serie/chart_view.h"
#include "V_1_0_serie/qt/bind.h"

namespace oxr::qt {

namespace {

// Table columns in characters: name, start date, start time, end date, end time, status.
constexpr int kColumnChars[6] = {10, 10, 5, 10, 5, 15};

int column_width(const QWidget* w, int chars) {
  return w->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12;
}

QPushButton* make_button(Button& m, QWidget* parent) {
  auto* w = new QPushButton(parent);
  bind(w, m);
  return w;
}

QLabel* make_label(Label& m, QWidget* parent) {
  auto* w = new QLabel(parent);
  bind(w, m);
  return w;
}

// The edit actions work on the field that has the focus, as the toolkit's standard ones do.
template <class Action>
void edit_focused(Action action) {
  if (auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget())) action(edit);
}

}  // namespace

FormzyklusWindow::FormzyklusWindow(TFormzyklus& form, SettingsBuilder build_settings,
                                   QWidget* parent)
    : QMainWindow(parent), form_(form) {
  // No maximise button: the layout is made for the window's own size.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  build_menu();
  build_tool_bar();

  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);

  // No title: the system has no text for it in either language.
  settings_ = new QGroupBox(central);
  settings_->setObjectName(QStringLiteral("GroupBox_settings"));
  settings_->setMinimumWidth(330);
  new QGridLayout(settings_);
  columns->addWidget(settings_);

  auto* right = new QVBoxLayout;
  right->addWidget(build_file_row());
  auto* table_row = new QHBoxLayout;
  table_row->addWidget(build_table());
  table_row->addWidget(build_run_buttons());
  table_row->addStretch();
  right->addLayout(table_row);
  right->addWidget(build_temperatures());

  auto* chart_view = new ChartView(form_.Chart2, form_.BitBtn1,
                                   form_.hint_hide_pause_ms(form_.Chart2).value_or(-1), central);
  chart_view->setMinimumHeight(240);
  right->addWidget(chart_view, 1);
  columns->addLayout(right, 1);
  setCentralWidget(central);

  auto* bar = new QStatusBar(this);
  bind(bar, form_.StatusBar1);
  setStatusBar(bar);

  if (build_settings) build_settings(settings_, form_);
  // The group keeps its own name; only its visibility follows the model (the repaint after
  // printing hides and shows it).
  new Binding(settings_, form_.GroupBox_Einstellungen, [this] {
    settings_->setVisible(form_.GroupBox_Einstellungen.visible());
  });

  // The form's size is its client area; the menu bar sits above it.
  resize(form_.form.client_width(),
         form_.form.client_height() + menuBar()->sizeHint().height());
  bind_window(this, form_.form);
}

void FormzyklusWindow::build_menu() {
  QMenuBar* bar = menuBar();
  const auto add = [this](QMenu* menu, MenuItem& item) {
    auto* action = new QAction(menu);
    bind(action, item);
    menu->addAction(action);
    return action;
  };
  const auto top = [bar](MenuItem& item) {
    auto* menu = new QMenu(bar);
    bind(menu, item);
    bar->addMenu(menu);
    return menu;
  };

  QMenu* file = top(form_.DateiZyklus1);
  add(file, form_.Neu1)->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  add(file, form_.ffnen1);
  add(file, form_.Speichern1);
  add(file, form_.Drucken1);
  file->addSeparator();
  add(file, form_.Beenden1);

  QMenu* edit = top(form_.Bearbeiten1);
  connect(add(edit, form_.Ausschneiden1), &QAction::triggered, this,
          [] { edit_focused([](QLineEdit* e) { e->cut(); }); });
  connect(add(edit, form_.Kopieren1), &QAction::triggered, this,
          [] { edit_focused([](QLineEdit* e) { e->copy(); }); });
  connect(add(edit, form_.Einfgen1), &QAction::triggered, this,
          [] { edit_focused([](QLineEdit* e) { e->paste(); }); });

  QMenu* settings = top(form_.Einstellungen1);
  auto* ports = new QMenu(settings);
  bind(ports, form_.AuswahlSchnittstelle1);
  settings->addMenu(ports);
  // Radio look; which item is checked is the model's business (the handler may refuse a port).
  auto* port_group = new QActionGroup(ports);
  port_group->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (MenuItem* item : {&form_.Com12, &form_.Com22, &form_.Com32, &form_.Com42})
    port_group->addAction(add(ports, *item));
  add(settings, form_.ComName1);

  QMenu* help = top(form_.N4);
  add(help, form_.Hilfe1);
  help->addSeparator();
  add(help, form_.Info1);
}

void FormzyklusWindow::build_tool_bar() {
  auto* tools = new QToolBar(this);
  tools->setObjectName(QStringLiteral("ToolBar1"));
  tools->setMovable(false);
  auto* new_cycle = new QToolButton(tools);
  new_cycle->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
  bind(new_cycle, form_.ToolButton_new);
  tools->addWidget(new_cycle);
  const auto tool = [&](ToolButton& model, const QIcon& icon) {
    auto* w = new QToolButton(tools);
    w->setIcon(icon);
    bind(w, model);
    tools->addWidget(w);
  };
  tool(form_.ToolButton3, style()->standardIcon(QStyle::SP_DialogOpenButton));
  tool(form_.ToolButton4, style()->standardIcon(QStyle::SP_DialogSaveButton));
  tool(form_.ToolButton7,
       QIcon::fromTheme(QStringLiteral("document-print"),
                        style()->standardIcon(QStyle::SP_FileDialogDetailedView)));
  addToolBar(tools);
}

QWidget* FormzyklusWindow::build_file_row() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  for (Button* b : {&form_.But_new, &form_.But_open, &form_.But_save, &form_.But_print})
    layout->addWidget(make_button(*b, row));
  layout->addStretch();
  // German and English logo in the same place; the window's show makes one of them visible.
  for (Image* logo : {&form_.OXR_Logo2, &form_.OXR_LogoE2}) {
    auto* frame = new QLabel(row);
    frame->setFixedSize(180, 44);
    bind(frame, *logo);
    layout->addWidget(frame);
  }
  return row;
}

QWidget* FormzyklusWindow::build_table() {
  auto* group = new QGroupBox(this);
  group->setObjectName(QStringLiteral("GroupBox_table"));
  auto* grid = new QGridLayout(group);
  grid->setHorizontalSpacing(2);
  grid->setVerticalSpacing(2);
  for (int column = 1; column <= 6; ++column) {
    const int width = column_width(group, kColumnChars[column - 1]);
    auto* header = new QLabel(group);
    header->setAlignment(Qt::AlignCenter);
    header->setFrameShape(QFrame::StyledPanel);
    header->setFixedWidth(width);
    header->setMinimumHeight(2 * header->fontMetrics().height() + 6);
    bind(header, form_.header_memo(column));
    grid->addWidget(header, 0, column - 1);
    for (int row = 1; row <= kRowCount; ++row) {
      auto* cell = new QLineEdit(group);
      cell->setFixedWidth(width);
      // The name cell picks its row when clicked.
      if (column == 1) cell->setCursor(Qt::PointingHandCursor);
      bind(cell, form_.cell(row, column));
      grid->addWidget(cell, row, column - 1);
    }
  }
  return group;
}

QWidget* FormzyklusWindow::build_run_buttons() {
  auto* box = new QWidget(this);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 6, 0, 0);
  QFont big = font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  for (Button* b : {&form_.But_start, &form_.But_stop}) {
    QPushButton* w = make_button(*b, box);
    w->setFont(big);
    w->setFixedSize(110, 44);
    layout->addWidget(w);
  }
  QPushButton* clear = make_button(form_.Button1, box);
  clear->setFixedSize(110, 2 * clear->fontMetrics().height() + 14);
  layout->addWidget(clear);
  layout->addStretch();
  return box;
}

QWidget* FormzyklusWindow::build_temperatures() {
  auto* row = new QWidget(this);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto pair = [&](Label& caption, Label& value) {
    layout->addWidget(make_label(caption, row));
    QLabel* v = make_label(value, row);
    v->setMinimumWidth(50);
    v->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(v);
    layout->addSpacing(20);
  };
  pair(form_.Label_act1, form_.Lab_tact1);
  pair(form_.Label_act2, form_.Lab_tact2);
  layout->addStretch();
  return row;
}

void FormzyklusWindow::closeEvent(QCloseEvent* event) {
  // The model decides: its close query may refuse; an accepted close hides the window
  // through the binding (and the quit path may end the program).
  event->ignore();
  form_.form.close();
}

}  // namespace oxr::qt
