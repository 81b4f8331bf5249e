#pragma once

#include <QObject>
#include <QSerialPort>
#include <memory>

#include "port_settings.h"
#include "serial_driver.h"
#include "serial_port.h"

namespace kalvira::acquisition {

// The message for a port that would not open: the device, then the system's reason; for a lack
// of permission also how to get it.
std::string describeOpenFailure(const std::string &device, QSerialPort::SerialPortError error,
                                const std::string &systemText);

// The real serial port, on QSerialPort. Port numbers map to devices through deviceForPort().
// Any error of an open port (unplugged device, read or write failure) closes it at once and is
// passed on to the listener, so a dead device can never flood the event loop. On open the driver
// is asked for low latency, and its flags are put back on close; the close waits for the output
// only as long as the line needs for it.
class QtSerialPort : public QObject, public SerialPort {
    Q_OBJECT
public:
    explicit QtSerialPort(QObject *parent = nullptr);
    // With the driver calls made through driver instead of the system's.
    explicit QtSerialPort(std::unique_ptr<SerialDriver> driver, QObject *parent = nullptr);
    // Puts the driver's flags back when the port is still open.
    ~QtSerialPort() override;

    void CommPort(std::int16_t number) override;
    void Settings(std::string_view settings) override;
    void RThreshold(std::int16_t threshold) override;
    void InputLen(std::int16_t length) override;
    void OutBufferCount(std::int16_t zero) override;
    std::int16_t OutBufferCount() const override;
    void InBufferCount(std::int16_t zero) override;
    std::int16_t InBufferCount() const override;
    bool PortOpen() const override;
    std::optional<std::string> PortOpen(bool open) override;
    void Output(std::span<const std::uint8_t> bytes) override;
    std::vector<std::uint8_t> Input() override;

    // The device the current port number stands for.
    std::string deviceName() const;

private:
    void applySettings();
    void closeAfterDraining();
    void closeNow();
    int descriptor() const;
    void handleError(QSerialPort::SerialPortError error);

    std::unique_ptr<SerialDriver> driver_;
    std::optional<int> flagsBeforeOpen_;  // the driver's flags to put back on close
    QSerialPort port_;
    std::int16_t portNumber_ = 1;
    PortSettings settings_{115200, 'n', 8, 1};
    std::int16_t inputLength_ = 0;  // 0: everything waiting
};

}  // namespace kalvira::acquisition
