#pragma once
// The dialog in which the operator names COM1..COM4. The names reach the main window's
// com_names on OK and the configuration file when it is next written.
#include <string>
#include <vector>

#include "Tools_oxr/u_zyklus/tformzyklus.h"
#include "platform/controls.h"

namespace oxr {

// One pass over a port name: at each position a ',' is removed, then a '\' at that position,
// then a ' ', and the pass moves on. Returns the cleaned text; `messages` receives one text
// per character removed. A second pass (the edit's change event) removes what a removal
// brought to a position already passed.
std::string scan_port_name(const std::string& text, std::vector<std::string>& messages);

// The three texts of the scan; German in both languages.
inline constexpr const char* kCommaNotAllowed = "Das Zeichen ',' ist nicht erlaubt!";
inline constexpr const char* kBackslashNotAllowed = "Dieser Schrägstrich ist nicht erlaubt!";
inline constexpr const char* kSpaceNotAllowed = "Leerzeichen ist nicht erlaubt!";

inline constexpr int kPortNameMaxLength = 8;

class TFormcomname {
 public:
  // Registers its window with the main window, whose menu item ComName1 shows it.
  explicit TFormcomname(TFormzyklus& zyklus);
  TFormcomname(const TFormcomname&) = delete;
  TFormcomname& operator=(const TFormcomname&) = delete;

  Form form{"Formcomname", 260, 200};
  Label Lcom1{"Lcom1"};
  Label Lcom2{"Lcom2"};
  Label Lcom3{"Lcom3"};
  Label Lcom4{"Lcom4"};
  Edit Editcom1{"Editcom1"};
  Edit Editcom2{"Editcom2"};
  Edit Editcom3{"Editcom3"};
  Edit Editcom4{"Editcom4"};
  Button Bcomname{"Bcomname"};

  Edit& edit(int port);
  Label& label(int port);

  void FormShow();
  void Editcom1Change() { scan(Editcom1); }
  void Editcom2Change() { scan(Editcom2); }
  void Editcom3Change() { scan(Editcom3); }
  void Editcom4Change() { scan(Editcom4); }
  void BcomnameClick();

 private:
  void scan(Edit& e);
  TFormzyklus& zyklus_;
};

}  // namespace oxr
