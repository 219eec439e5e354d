#include "Tools_oxr/u_zyklus/tformzyklus.h"

#include "Tools_oxr/texts.h"

namespace oxr {

TFormzyklus::TFormzyklus(FormEnv e)
    : env(std::move(e)),
      Timer1(env.timers, "Timer1", 1000),
      TIsend(env.timers, "TIsend", 200),
      TIresponse(env.timers, "TIresponse", 200),
      Timer3(env.timers, "Timer3", 1000),
      TImcresponse(env.timers, "TImcresponse", 6000),
      TIstop(env.timers, "TIstop", 1000),
      Timer2(env.timers, "Timer2", 1000),
      Timer4(env.timers, "Timer4", 100) {
  cells_ = {{{&MaskEdit11, &MaskEdit12, &MaskEdit13, &MaskEdit14, &MaskEdit15, &MaskEdit16},
             {&MaskEdit21, &MaskEdit22, &MaskEdit23, &MaskEdit24, &MaskEdit25, &MaskEdit26},
             {&MaskEdit31, &MaskEdit32, &MaskEdit33, &MaskEdit34, &MaskEdit35, &MaskEdit36},
             {&MaskEdit41, &MaskEdit42, &MaskEdit43, &MaskEdit44, &MaskEdit45, &MaskEdit46},
             {&MaskEdit51, &MaskEdit52, &MaskEdit53, &MaskEdit54, &MaskEdit55, &MaskEdit56}}};
  headers_ = {&Memo1, &Memo2, &Memo3, &Memo4, &Memo5, &Memo6};
  port_menu_group = {&Com12, &Com22, &Com32, &Com42};
  for (MenuItem* item : port_menu_group) item->set_radio_item(true, 1, &port_menu_group);
  wire_life();
  wire_editor();
  wire_port();
  wire_journal();
  wire_run();
  wire_printing();
}

const std::string& TFormzyklus::msg(int k) const { return message_text(lang_index, k); }

void TFormzyklus::show_message(int k) { env.dialogs.message(msg(k)); }

}  // namespace oxr
