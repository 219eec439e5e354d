#include "Tools_oxr/u_comname/tformcomname.h"

namespace oxr {

std::string scan_port_name(const std::string& text, std::vector<std::string>& messages) {
  std::string s = text;
  for (std::size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ',') {
      s.erase(i, 1);
      messages.emplace_back(kCommaNotAllowed);
    }
    if (i < s.size() && s[i] == '\\') {
      s.erase(i, 1);
      messages.emplace_back(kBackslashNotAllowed);
    }
    if (i < s.size() && s[i] == ' ') {
      s.erase(i, 1);
      messages.emplace_back(kSpaceNotAllowed);
    }
  }
  return s;
}

TFormcomname::TFormcomname(TFormzyklus& zyklus) : zyklus_(zyklus) {
  for (int port = 0; port < 4; ++port) {
    label(port).set_caption("COM" + std::to_string(port + 1) + " :");
    edit(port).set_max_length(kPortNameMaxLength);
  }
  Bcomname.set_caption("OK");
  Editcom1.OnChange = [this] { Editcom1Change(); };
  Editcom2.OnChange = [this] { Editcom2Change(); };
  Editcom3.OnChange = [this] { Editcom3Change(); };
  Editcom4.OnChange = [this] { Editcom4Change(); };
  Bcomname.OnClick = [this] { BcomnameClick(); };
  form.OnShow = [this] { FormShow(); };
  zyklus_.comname_form = &form;
}

Edit& TFormcomname::edit(int port) {
  Edit* edits[] = {&Editcom1, &Editcom2, &Editcom3, &Editcom4};
  return *edits[port];
}

Label& TFormcomname::label(int port) {
  Label* labels[] = {&Lcom1, &Lcom2, &Lcom3, &Lcom4};
  return *labels[port];
}

void TFormcomname::FormShow() {
  form.set_caption(zyklus_.msg(32));
  for (int port = 0; port < 4; ++port) edit(port).set_text(zyklus_.com_names[port]);
}

void TFormcomname::scan(Edit& e) {
  std::vector<std::string> messages;
  const std::string cleaned = scan_port_name(e.text(), messages);
  for (const std::string& m : messages) zyklus_.env.dialogs.message(m);
  // Writing the text back is itself a change, so a further pass runs until nothing is left.
  e.set_text(cleaned);
}

void TFormcomname::BcomnameClick() {
  for (int port = 0; port < 4; ++port) zyklus_.com_names[port] = edit(port).text();
  zyklus_.StatusBar1.set_panel(2, zyklus_.port_panel_text(zyklus_.com_port));
  form.close();
}

}  // namespace oxr
