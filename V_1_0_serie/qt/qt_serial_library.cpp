#include "V_1_0_serie/qt/qt_serial_library.h"

#include <QDir>
#include <QFileInfo>
#include <limits>

namespace oxr {

namespace {

QSerialPort::Parity parity_of(char parity, bool& ok) {
  ok = true;
  switch (parity) {
    case 'N':
      return QSerialPort::NoParity;
    case 'E':
      return QSerialPort::EvenParity;
    case 'O':
      return QSerialPort::OddParity;
    case 'M':
      return QSerialPort::MarkParity;
    case 'S':
      return QSerialPort::SpaceParity;
    default:
      ok = false;
      return QSerialPort::NoParity;
  }
}

}  // namespace

QtSerialLibrary::QtSerialLibrary(QString device_folder)
    : device_folder_(std::move(device_folder)) {}

QtSerialLibrary::~QtSerialLibrary() = default;

QString QtSerialLibrary::device_for(int port) const {
  const QDir folder(device_folder_.isEmpty() ? QDir::currentPath() : device_folder_);
  const QFileInfo link(folder.filePath(QStringLiteral("com%1").arg(port + 1)));
  if (link.isSymLink()) {
    // The fully resolved device, so that every name of one device shares one lock; a dangling
    // link still names its target, which then fails to open.
    const QString resolved = link.canonicalFilePath();
    return resolved.isEmpty() ? link.symLinkTarget() : resolved;
  }
  if (link.exists()) return link.absoluteFilePath();
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(port + 1);
#else
  return QStringLiteral("/dev/ttyS%1").arg(port);
#endif
}

QtSerialLibrary::Port* QtSerialLibrary::live(int port) {
  if (port < 0 || port >= static_cast<int>(ports_.size())) return nullptr;
  Port& p = ports_[static_cast<std::size_t>(port)];
  if (!p.serial || !p.serial->isOpen() || p.gone) return nullptr;
  return &p;
}

void QtSerialLibrary::settle_error(Port& p) {
  switch (p.serial->error()) {
    case QSerialPort::NoError:
      return;
    case QSerialPort::ReadError:
    case QSerialPort::ResourceError:
      // A pulled adapter or a closed far end: the port stays open but nothing comes any more.
      p.gone = true;
      return;
    default:
      // A poll that found nothing (TimeoutError) or a line the device lacks is no fault.
      p.serial->clearError();
  }
}

void QtSerialLibrary::pull(Port& p) {
  p.serial->waitForReadyRead(0);
  settle_error(p);
}

void QtSerialLibrary::open(int port) {
  if (port < 0 || port >= static_cast<int>(ports_.size())) return;
  if (live(port)) return;  // a port stays open once it is; a set-up again keeps it
  Port& p = ports_[static_cast<std::size_t>(port)];
  p = Port{};
  auto serial = std::make_unique<QSerialPort>();
  serial->setPortName(device_for(port));
  if (!serial->open(QIODevice::ReadWrite)) return;  // not usable
  serial->pinoutSignals();
  p.modem_lines = serial->error() == QSerialPort::NoError;
  serial->clearError();
  p.serial = std::move(serial);
}

void QtSerialLibrary::set_buffer_sizes(int port, int rx, int /*tx*/) {
  // QSerialPort has no transmit buffer limit to set; it writes through.
  if (Port* p = live(port)) p->serial->setReadBufferSize(rx);
}

void QtSerialLibrary::ComSetState(int port, int baud, int data_bits, int stop_bits, char parity,
                                  int flow) {
  Port* p = live(port);
  if (!p) return;  // a port that did not open reports itself not usable
  QSerialPort& s = *p->serial;
  bool parity_ok = false;
  const QSerialPort::Parity qt_parity = parity_of(parity, parity_ok);
  const bool ok =
      parity_ok && data_bits >= 5 && data_bits <= 8 && (stop_bits == 1 || stop_bits == 2) &&
      s.setBaudRate(baud) && s.setDataBits(static_cast<QSerialPort::DataBits>(data_bits)) &&
      s.setStopBits(stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
      s.setParity(qt_parity) &&
      s.setFlowControl(flow == 0 ? QSerialPort::NoFlowControl : QSerialPort::HardwareControl);
  if (!ok) {
    const std::string why = s.errorString().toStdString();
    s.clearError();
    throw SerialError("line set-up refused: " + why);
  }
}

std::uint8_t QtSerialLibrary::usable(int port) {
  return live(port) ? 1 : 0;
}

unsigned QtSerialLibrary::receive_count(int port) {
  Port* p = live(port);
  if (!p) return 0;
  pull(*p);
  const qint64 n = p->serial->bytesAvailable();
  if (n <= 0) return 0;
  return n > std::numeric_limits<unsigned>::max() ? std::numeric_limits<unsigned>::max()
                                                  : static_cast<unsigned>(n);
}

void QtSerialLibrary::read_byte(int port, std::uint8_t* byte) {
  *byte = 0;
  Port* p = live(port);
  if (!p) return;
  if (p->serial->bytesAvailable() == 0) pull(*p);
  char c = 0;
  if (p->serial->getChar(&c)) *byte = static_cast<std::uint8_t>(c);
}

void QtSerialLibrary::write_byte(int port, std::uint8_t byte) {
  Port* p = live(port);
  if (!p) throw SerialError("port not open");
  const char c = static_cast<char>(byte);
  if (p->serial->write(&c, 1) != 1 || !p->serial->flush()) {
    if (p->serial->error() == QSerialPort::NoError) return;  // queued; written on the next poll
    const std::string why = p->serial->errorString().toStdString();
    settle_error(*p);
    throw SerialError("byte not written: " + why);
  }
}

void QtSerialLibrary::discard_input(int port) {
  if (Port* p = live(port)) {
    p->serial->clear(QSerialPort::Input);
    settle_error(*p);
  }
}

std::uint8_t QtSerialLibrary::present(int port) {
  Port* p = live(port);
  if (!p) return 0;
  pull(*p);
  if (p->gone) return 0;
  if (!p->modem_lines) return 1;
  const QSerialPort::PinoutSignals lines = p->serial->pinoutSignals();
  settle_error(*p);
  if (p->gone) return 0;
  return (lines & (QSerialPort::DataSetReadySignal | QSerialPort::ClearToSendSignal)) ? 1 : 0;
}

void QtSerialLibrary::toggle_first_half(int port) {
  if (Port* p = live(port)) {
    p->serial->setDataTerminalReady(true);
    settle_error(*p);
  }
}

void QtSerialLibrary::toggle_second_half(int port) {
  if (Port* p = live(port)) {
    p->serial->setDataTerminalReady(false);
    settle_error(*p);
  }
}

}  // namespace oxr
