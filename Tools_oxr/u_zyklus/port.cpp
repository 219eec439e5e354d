// Serial port access: set-up at program start, the port menu, the naming dialog's menu item,
// the link watch and the sign-of-life toggle.
#include "Tools_oxr/u_zyklus/tformzyklus.h"

namespace oxr {

void TFormzyklus::wire_port() {
  Timer1.OnTimer = [this] { Timer1Timer(); };
  TIsend.OnTimer = [this] { TIsendTimer(); };
  TIresponse.OnTimer = [this] { TIresponseTimer(); };
  Com12.OnClick = [this] { Com12Click(); };
  Com22.OnClick = [this] { Com22Click(); };
  Com32.OnClick = [this] { Com32Click(); };
  Com42.OnClick = [this] { Com42Click(); };
  ComName1.OnClick = [this] { ComName1Click(); };
}

std::uint8_t TFormzyklus::open_port(int port) {
  SerialLibrary& serial = env.serial;
  tc_connected = 0;
  serial.open(port);
  serial.set_buffer_sizes(port, 4096, 4096);
  try {
    serial.ComSetState(port, 9600, 8, 1, 'N', 0);
  } catch (const SerialError&) {
    show_message(84);
  }
  return serial.usable(port);
}

MenuItem& TFormzyklus::port_menu_item(int port) {
  return *port_menu_group.at(port);
}

std::string TFormzyklus::port_panel_text(int port) const {
  return "COM" + std::to_string(port + 1) + " : " + com_names.at(port);
}

void TFormzyklus::port_setup_at_start() {
  if (!open_port(com_port)) {
    show_message(6);
    return;
  }
  port_menu_item(com_port).check_in_group();
  StatusBar1.set_panel(2, port_panel_text(com_port));
  connect_request();
  mode_query();  // waits in the deferred sender until the connect reply has been read
}

void TFormzyklus::choose_port(int port) {
  com_port = static_cast<std::uint8_t>(port);
  port_menu_item(port).check_in_group();
  const std::uint8_t usable = open_port(port);
  tc_connected = 0;
  if (!usable) {
    show_message(6);
    if (port == 0) {
      StatusBar1.set_panel(2, msg(74));
    } else {
      com_port = 0;
      Com12Click();
    }
    return;
  }
  StatusBar1.set_panel(2, port_panel_text(port));
  StatusBar1.set_panel(0, msg(7));
  connect_request();
}

void TFormzyklus::Com12Click() {
  choose_port(0);
}
void TFormzyklus::Com22Click() {
  choose_port(1);
}
void TFormzyklus::Com32Click() {
  choose_port(2);
}
void TFormzyklus::Com42Click() {
  choose_port(3);
}

void TFormzyklus::ComName1Click() {
  if (comname_form) comname_form->show();
}

void TFormzyklus::link_watch() {
  if (env.serial.present(com_port) == 0 && tc_connected) {
    tc_connected = 0;
    Timer3.set_enabled(false);
    StatusBar1.set_panel(0, msg(9));
    show_message(9);
    // START disabled: a cycle waits for its start or runs.
    if (!But_start.enabled()) {
      TImcresponse.set_enabled(false);
      if (stop_for_link_loss) stop_for_link_loss();
      Lab_tact1.set_caption("");
      Lab_tact2.set_caption("");
    }
  }
  if (!tc_connected) StatusBar1.set_panel(0, msg(9));
}

void TFormzyklus::sign_of_life_toggle() {
  if (heartbeat_phase) {
    env.serial.toggle_second_half(com_port);
    heartbeat_phase = 0;
  } else {
    env.serial.toggle_first_half(com_port);
    heartbeat_phase = 1;
  }
}

}  // namespace oxr
