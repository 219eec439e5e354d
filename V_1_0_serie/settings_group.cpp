// The cycle editor group: the widgets of every editor field, bound to the main window's
// control models. Labels are the fields' buddies, so the keyboard and screen readers find each
// field by its label; the arrow buttons carry accessible names of their own from the logic.
#include "V_1_0_serie/settings_group.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "V_1_0_serie/qt/bind.h"

namespace {

using oxr::qt::bind;

QLabel* label(QWidget* parent, oxr::Label& model) {
  auto* w = new QLabel(parent);
  bind(w, model);
  return w;
}

QLineEdit* field(QWidget* parent, oxr::MaskEdit& model, int chars, QLabel* buddy) {
  auto* w = new QLineEdit(parent);
  bind(w, model);
  // Room for the characters of the field and the frame.
  w->setFixedWidth(w->fontMetrics().horizontalAdvance(QString(chars + 2, QChar('0'))) + 12);
  if (buddy) buddy->setBuddy(w);
  return w;
}

QToolButton* arrow(QWidget* parent, oxr::SpeedButton& model, Qt::ArrowType type) {
  auto* w = new QToolButton(parent);
  w->setArrowType(type);
  w->setFixedSize(22, 14);
  w->setFocusPolicy(Qt::NoFocus);  // the fields take the arrow keys themselves
  bind(w, model);
  return w;
}

// An up and a down button stacked, as a spin control beside a field.
QWidget* spin_pair(QWidget* parent, oxr::SpeedButton& up, oxr::SpeedButton& down) {
  auto* box = new QWidget(parent);
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  v->setSpacing(1);
  v->addWidget(arrow(box, up, Qt::UpArrow));
  v->addWidget(arrow(box, down, Qt::DownArrow));
  return box;
}

// Radio buttons that exclude each other only among themselves: each pair gets its own parent,
// since Qt makes sibling radio buttons exclusive.
QWidget* radio_pair(QWidget* parent, const char* name, oxr::RadioButton& a, oxr::RadioButton& b) {
  auto* box = new QWidget(parent);
  box->setObjectName(name);
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(0, 0, 0, 0);
  auto* wa = new QRadioButton(box);
  auto* wb = new QRadioButton(box);
  bind(wa, a);
  bind(wb, b);
  h->addWidget(wa);
  h->addWidget(wb);
  h->addStretch();
  return box;
}

}  // namespace

void build_settings_group(QGroupBox* group, oxr::TFormzyklus& f) {
  auto* grid = qobject_cast<QGridLayout*>(group->layout());
  if (!grid) {
    grid = new QGridLayout(group);
  }
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(6);
  int row = 0;

  // The unit is chosen above the fields it applies to.
  grid->addWidget(radio_pair(group, "Group_unit", f.RadioBut_C, f.RadioBut_F), row, 0, 1, 5);
  ++row;

  QLabel* l = label(group, f.Label_start);
  grid->addWidget(l, row, 0);
  grid->addWidget(field(group, f.MEdatum, 10, l), row, 1);
  grid->addWidget(spin_pair(group, f.SpeButdateup, f.SpeButdatedown), row, 2);
  ++row;

  l = label(group, f.Label_starttime);
  grid->addWidget(l, row, 0);
  grid->addWidget(field(group, f.MEstartz, 5, l), row, 1);
  grid->addWidget(spin_pair(group, f.SpeButtimehourup, f.SpeButtimehourdown), row, 2);
  grid->addWidget(spin_pair(group, f.SpeButtimeminup, f.SpeButtimemindown), row, 3);
  ++row;

  l = label(group, f.Label_duration);
  grid->addWidget(l, row, 0);
  grid->addWidget(field(group, f.MEcycled, 5, l), row, 1);
  grid->addWidget(spin_pair(group, f.SpeButdurhourup, f.SpeButdurhourdown), row, 2);
  grid->addWidget(spin_pair(group, f.SpeButdurminup, f.SpeButdurmindown), row, 3);
  auto* unit = new QLabel("h : min", group);
  unit->setObjectName("Label_duration_unit");
  grid->addWidget(unit, row, 4);
  ++row;

  l = label(group, f.Label_endless);
  grid->addWidget(l, row, 0);
  auto* endless = new QCheckBox(group);
  bind(endless, f.CheckBox_endlos);
  l->setBuddy(endless);
  grid->addWidget(endless, row, 1);
  ++row;

  const struct {
    oxr::Label& label;
    oxr::MaskEdit& edit;
    oxr::SpeedButton& up;
    oxr::SpeedButton& down;
    int chars;
  } temps[] = {
      {f.Label_target1, f.MEtarget1, f.SpeButset1up, f.SpeButset1down, 3},
      {f.Label_target2, f.MEtarget2, f.SpeButset2up, f.SpeButset2down, 3},
      {f.Label_hyst1, f.MEhyst1, f.SpeButhyst1up, f.SpeButhyst1down, 2},
      {f.Label_hyst2, f.MEhyst2, f.SpeButhyst2up, f.SpeButhyst2down, 2},
  };
  for (const auto& t : temps) {
    l = label(group, t.label);
    grid->addWidget(l, row, 0);
    grid->addWidget(field(group, t.edit, t.chars, l), row, 1);
    grid->addWidget(spin_pair(group, t.up, t.down), row, 2);
    ++row;
  }

  l = label(group, f.Label_prea);
  grid->addWidget(l, row, 0);
  grid->addWidget(radio_pair(group, "Group_preheating", f.RadioBut_prea_off, f.RadioBut_prea_on),
                  row, 1, 1, 4);
  ++row;

  l = label(group, f.Label_comment);
  grid->addWidget(l, row, 0);
  auto* comment = new QLineEdit(group);
  bind(comment, f.Edit_comment);
  l->setBuddy(comment);
  grid->addWidget(comment, row, 1, 1, 4);
  ++row;

  grid->addWidget(label(group, f.Label_cycle), row, 0);
  QLabel* name = label(group, f.Lab_cycle);
  name->setStyleSheet("font-weight: bold;");
  grid->addWidget(name, row, 1, 1, 4);
  ++row;

  auto* takeover = new QPushButton(group);
  bind(takeover, f.But_takeover);
  grid->addWidget(takeover, row, 0, 1, 5);
  ++row;

  grid->setRowStretch(row, 1);
  grid->setColumnStretch(4, 1);
}
