#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <unistd.h>

#include <QSettings>
#include <QTemporaryDir>

#include "acquisition/qt_serial_port.h"

using namespace kalvira::acquisition;

struct Pty {  // a pseudo-terminal: the port opens the device, the unit's end is the master
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    std::string device = grantpt(master) || unlockpt(master) ? "" : ptsname(master);
    ~Pty() { close(master); }
    int nextByte() const {  // -1 when nothing arrives within two seconds
        pollfd p{master, POLLIN, 0};
        std::uint8_t byte = 0;
        return poll(&p, 1, 2000) > 0 && read(master, &byte, 1) == 1 ? byte : -1;
    }
};

TEST(SerialDrain, TheLastByteIsOnTheLineWhenThePortCloses) {
    Pty pty;
    EXPECT_TRUE(drainOutput(pty.master) && !drainOutput(-1));
    setenv("KALVIRA_COM1", pty.device.c_str(), 1);
    QtSerialPort port;
    ASSERT_EQ(port.PortOpen(true), std::nullopt);
    port.Output(std::vector<std::uint8_t>{0xAA});
    port.PortOpen(false);  // no event loop in between: only the close path can send it
    unsetenv("KALVIRA_COM1");
    EXPECT_EQ(pty.nextByte(), 0xAA);
}

TEST(SerialOpenFailure, LackOfPermissionSaysHowToGetIt) {
    const auto denied = describeOpenFailure("/dev/ttyUSB0", QSerialPort::PermissionError, "No");
    EXPECT_TRUE(denied.starts_with("/dev/ttyUSB0: No\n")) << denied;
    EXPECT_TRUE(denied.ends_with("dialout\", then log out and log in again.")) << denied;
    EXPECT_EQ(describeOpenFailure("/dev/ttyS1", QSerialPort::OpenError, "No"), "/dev/ttyS1: No");
}

TEST(PortNames, EnvironmentWinsOverTheChosenDeviceWhichWinsOverTheDefault) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    chooseDeviceForPort(2, "/dev/ttyUSB0");
    EXPECT_EQ(deviceForPort(1) + deviceForPort(2), "/dev/ttyS0/dev/ttyUSB0");
    setenv("KALVIRA_COM2", "/dev/ttyACM0", 1);
    EXPECT_EQ(deviceForPort(2), "/dev/ttyACM0");
    unsetenv("KALVIRA_COM2");
    forgetDeviceForPort(2);
    EXPECT_EQ(deviceForPort(2), "/dev/ttyS1");
}
