#include "qt_serial_port.h"

#include <QCoreApplication>
#include <algorithm>
#include <utility>

namespace kalvira::acquisition {

namespace {

std::int16_t clampCount(qint64 count) {
    return static_cast<std::int16_t>(std::min<qint64>(count, 32767));
}

// What went wrong, in words; the system's own text follows it, since after a vanished device that
// text can be stale.
const char *describeFailure(QSerialPort::SerialPortError error) {
    switch (error) {
        case QSerialPort::ResourceError:
            return QT_TRANSLATE_NOOP("kalvira::acquisition::QtSerialPort",
                                     "the device is no longer available");
        case QSerialPort::ReadError:
            return QT_TRANSLATE_NOOP("kalvira::acquisition::QtSerialPort",
                                     "reading from the device failed");
        case QSerialPort::WriteError:
            return QT_TRANSLATE_NOOP("kalvira::acquisition::QtSerialPort",
                                     "writing to the device failed");
        case QSerialPort::PermissionError:
            return QT_TRANSLATE_NOOP("kalvira::acquisition::QtSerialPort", "permission denied");
        default:
            return QT_TRANSLATE_NOOP("kalvira::acquisition::QtSerialPort", "the port failed");
    }
}

QSerialPort::Parity toQtParity(char parity) {
    switch (parity) {
        case 'e':
            return QSerialPort::EvenParity;
        case 'o':
            return QSerialPort::OddParity;
        case 'm':
            return QSerialPort::MarkParity;
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

}  // namespace

std::string describeOpenFailure(const std::string &device, QSerialPort::SerialPortError error,
                                const std::string &systemText) {
    std::string message = device + ": " + systemText;
    if (error == QSerialPort::PermissionError) {
        message += '\n';
        message += QCoreApplication::translate(
                       "kalvira::acquisition::QtSerialPort",
                       "Serial ports belong to the \"dialout\" group. Join it with "
                       "\"sudo adduser $USER dialout\", then log out and log in again.")
                       .toStdString();
    }
    return message;
}

QtSerialPort::QtSerialPort(QObject *parent) : QtSerialPort(systemSerialDriver(), parent) {}

QtSerialPort::QtSerialPort(std::unique_ptr<SerialDriver> driver, QObject *parent)
    : QObject(parent), driver_(std::move(driver)) {
    connect(&port_, &QSerialPort::readyRead, this, [this] {
        if (listener()) listener()->bytesArrived();
    });
    connect(&port_, &QSerialPort::bytesWritten, this, [this](qint64) {
        if (listener()) listener()->bytesLeft();
    });
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::handleError);
}

QtSerialPort::~QtSerialPort() {
    if (port_.isOpen()) closeNow();
}

void QtSerialPort::CommPort(std::int16_t number) {
    if (!port_.isOpen()) portNumber_ = number;
}

void QtSerialPort::Settings(std::string_view settings) {
    if (const auto parsed = parsePortSettings(settings)) {
        settings_ = *parsed;
        if (port_.isOpen()) applySettings();
    }
}

void QtSerialPort::RThreshold(std::int16_t) {}

void QtSerialPort::InputLen(std::int16_t length) {
    inputLength_ = std::max<std::int16_t>(length, 0);
}

void QtSerialPort::OutBufferCount(std::int16_t) {
    if (port_.isOpen()) port_.clear(QSerialPort::Output);
}

std::int16_t QtSerialPort::OutBufferCount() const {
    return port_.isOpen() ? clampCount(port_.bytesToWrite()) : 0;
}

void QtSerialPort::InBufferCount(std::int16_t) {
    if (port_.isOpen()) port_.clear(QSerialPort::Input);
}

std::int16_t QtSerialPort::InBufferCount() const {
    return port_.isOpen() ? clampCount(port_.bytesAvailable()) : 0;
}

bool QtSerialPort::PortOpen() const {
    return port_.isOpen();
}

std::optional<std::string> QtSerialPort::PortOpen(bool open) {
    if (!open) {
        closeAfterDraining();
        return std::nullopt;
    }
    if (port_.isOpen()) return std::nullopt;
    port_.setPortName(QString::fromStdString(deviceName()));
    applySettings();
    if (!port_.open(QIODevice::ReadWrite)) {
        const std::string message =
            describeOpenFailure(deviceName(), port_.error(), port_.errorString().toStdString());
        port_.clearError();
        return message;
    }
    applySettings();
    flagsBeforeOpen_ = requestLowLatency(*driver_, descriptor());
    return std::nullopt;
}

void QtSerialPort::Output(std::span<const std::uint8_t> bytes) {
    if (!port_.isOpen()) return;
    port_.write(reinterpret_cast<const char *>(bytes.data()), static_cast<qint64>(bytes.size()));
}

std::vector<std::uint8_t> QtSerialPort::Input() {
    if (!port_.isOpen()) return {};
    qint64 wanted = port_.bytesAvailable();
    if (inputLength_ > 0) wanted = std::min<qint64>(wanted, inputLength_);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(std::max<qint64>(wanted, 0)));
    const qint64 got = port_.read(reinterpret_cast<char *>(bytes.data()), wanted);
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(got, 0)));
    return bytes;
}

std::string QtSerialPort::deviceName() const {
    return deviceForPort(portNumber_);
}

// The last byte of an exchange (the acknowledgement) must reach the line at the unit's speed.
// An empty transmit buffer only means the byte was handed to the system, and closing restores the
// line settings the port had before it was opened, at once. Qt 6 no longer offers to leave the
// settings alone on close (settingsRestoredOnClose is gone), so the wait for the output to drain
// before the close is what keeps a byte in flight from going out at another speed. The wait runs
// on the GUI thread, so it lasts no longer than the line needs: a USB adapter that stopped taking
// bytes loses them instead of freezing the window.
void QtSerialPort::closeAfterDraining() {
    if (!port_.isOpen()) return;
    // Hands what Qt still holds to the system; stops when the system takes no more.
    while (port_.isOpen() && port_.bytesToWrite() > 0 && port_.flush()) {
    }
    // A dead device may fail the flush; its error has then closed the port already.
    if (!port_.isOpen()) return;
    drainWithin(*driver_, descriptor(), settings_.baudRate);
    closeNow();
}

// The driver's flags go back first; after a vanished device that call fails and nothing is lost.
void QtSerialPort::closeNow() {
    if (const auto flags = std::exchange(flagsBeforeOpen_, std::nullopt)) {
        driver_->setSerialFlags(descriptor(), *flags);
    }
    port_.close();
}

int QtSerialPort::descriptor() const {
#ifdef Q_OS_UNIX
    return static_cast<int>(port_.handle());
#else
    return -1;
#endif
}

void QtSerialPort::applySettings() {
    port_.setBaudRate(settings_.baudRate);
    port_.setDataBits(static_cast<QSerialPort::DataBits>(settings_.dataBits));
    port_.setParity(toQtParity(settings_.parity));
    port_.setStopBits(settings_.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
}

void QtSerialPort::handleError(QSerialPort::SerialPortError error) {
    if (error == QSerialPort::NoError || !port_.isOpen()) return;
    if (error == QSerialPort::TimeoutError) return;
    const std::string reason = deviceName() + ": " + tr(describeFailure(error)).toStdString() +
                               " (" + port_.errorString().toStdString() + ")";
    port_.clearError();
    closeNow();
    if (listener()) listener()->portFailed(reason);
}

}  // namespace kalvira::acquisition
