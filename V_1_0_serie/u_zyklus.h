#pragma once
// The main window: renders TFormzyklus's controls and hands the operator's input to them.
// Layout: menu and tool bar; on the left the editor group; on the right the file buttons and
// logos, the schedule table with START/STOP and the delete button, the current temperatures
// and the chart; the status bar with its five panels at the bottom.
#include <QMainWindow>
#include <functional>

#include "Tools_oxr/u_zyklus/tformzyklus.h"

class QGroupBox;

namespace oxr::qt {

class FormzyklusWindow : public QMainWindow {
  Q_OBJECT
 public:
  // Fills the editor group (build_settings_group of settings_group.h).
  using SettingsBuilder = std::function<void(QGroupBox*, TFormzyklus&)>;

  explicit FormzyklusWindow(TFormzyklus& form, SettingsBuilder build_settings = {},
                            QWidget* parent = nullptr);

  TFormzyklus& form() { return form_; }
  QGroupBox* settings_group() { return settings_; }

 protected:
  // The close box takes the quit path: the form's close query may refuse it.
  void closeEvent(QCloseEvent* event) override;

 private:
  void build_menu();
  void build_tool_bar();
  QWidget* build_file_row();
  QWidget* build_table();
  QWidget* build_run_buttons();
  QWidget* build_temperatures();

  TFormzyklus& form_;
  QGroupBox* settings_ = nullptr;
};

}  // namespace oxr::qt
