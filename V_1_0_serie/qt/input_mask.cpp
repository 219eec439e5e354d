#include "V_1_0_serie/qt/input_mask.h"

namespace oxr::qt {

namespace {

// Characters with a meaning of their own in a Qt mask; as literals they need a backslash.
bool qt_meta(QChar c) { return QStringLiteral("AaNnXx90DdHhBb#><!{}[]\\").contains(c); }

void add_literal(QtInputMask& m, QChar c) {
  if (qt_meta(c)) m.input_mask += QLatin1Char('\\');
  m.input_mask += c;
  m.literal.push_back(true);
}

void add_input(QtInputMask& m, char qt_code) {
  m.input_mask += QLatin1Char(qt_code);
  m.literal.push_back(false);
}

}  // namespace

QtInputMask translate_mask(const std::string& toolkit_mask) {
  QtInputMask m;
  const QString all = QString::fromStdString(toolkit_mask);
  // Only the first two ';' split: the blank character may itself be any character.
  const qsizetype first = all.indexOf(QLatin1Char(';'));
  const QString positions = first < 0 ? all : all.left(first);
  if (first >= 0) {
    const qsizetype second = all.indexOf(QLatin1Char(';'), first + 1);
    const QString keep = second < 0 ? all.mid(first + 1) : all.mid(first + 1, second - first - 1);
    m.keep_literals = keep != QStringLiteral("0");
    if (second >= 0 && second + 1 < all.size()) m.blank = all.at(second + 1);
  }

  for (qsizetype i = 0; i < positions.size(); ++i) {
    const QChar c = positions.at(i);
    switch (c.unicode()) {
      case '!':
        if (i == 0) continue;
        add_literal(m, c);
        break;
      case '0': add_input(m, '9'); break;
      case '9': add_input(m, '0'); break;
      case '#': add_input(m, '#'); break;
      case 'L': add_input(m, 'A'); break;
      case 'l': add_input(m, 'a'); break;
      case 'A': add_input(m, 'N'); break;
      case 'a': add_input(m, 'n'); break;
      case 'C': add_input(m, 'X'); break;
      case 'c': add_input(m, 'x'); break;
      case '>':
      case '<': m.input_mask += c; break;  // case switches occupy no position
      case '/': add_literal(m, QLatin1Char('.')); break;
      case '_': add_literal(m, QLatin1Char(' ')); break;
      case '\\':
        if (i + 1 < positions.size()) add_literal(m, positions.at(++i));
        break;
      default: add_literal(m, c); break;
    }
  }
  if (!positions.isEmpty()) {
    m.input_mask += QLatin1Char(';');
    m.input_mask += m.blank;
  }
  return m;
}

QString masked_text(const QtInputMask& mask, const QString& display_text) {
  if (mask.keep_literals || mask.literal.empty()) return display_text;
  QString out;
  const qsizetype n = std::min<qsizetype>(display_text.size(), mask.literal.size());
  for (qsizetype i = 0; i < n; ++i) {
    const QChar c = display_text.at(i);
    if (!mask.literal[i] && c != mask.blank) out += c;
  }
  return out;
}

}  // namespace oxr::qt
