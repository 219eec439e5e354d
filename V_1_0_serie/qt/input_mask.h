#pragma once
// Edit masks as the window definitions write them ("!90/90/00;1; "), turned into Qt input masks.
//
// The toolkit's notation: "<positions>;<keep literals>;<blank>". Positions: 0 digit required,
// 9 digit optional, # digit or sign optional, L/l letter, A/a letter or digit, C/c any
// character (upper case = required), / date separator, : time separator, > and < case
// conversion, \ takes the next character literally, _ a blank; a leading ! only says where the
// blanks of optional positions go and has no Qt counterpart (Qt keeps them where typed).
// Qt swaps the digit letters (9 required, 0 optional), so "!90/90/00;1; " becomes "09.09.99; ".
// The date separator is ".", as every date this program shows is dd.mm.yyyy.
#include <QString>
#include <string>
#include <vector>

namespace oxr::qt {

struct QtInputMask {
  QString input_mask;          // for QLineEdit::setInputMask, blank character included
  bool keep_literals = true;   // "1" after the first ';': the literals are part of the text
  QChar blank = QLatin1Char('_');
  std::vector<bool> literal;   // per shown position: a fixed character, not an input
};

QtInputMask translate_mask(const std::string& toolkit_mask);

// The field's text as the toolkit hands it to the window: what is shown, with the literals
// left out when the mask does not keep them (then blank positions are left out as well, so
// "999 ;0; " showing "60  " reads "60").
QString masked_text(const QtInputMask& mask, const QString& display_text);

}  // namespace oxr::qt
