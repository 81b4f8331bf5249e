#include "acquisition/port_settings.h"
#include "scoped_environment.h"

#include <gtest/gtest.h>

#include <QSettings>
#include <QTemporaryDir>

using namespace kalvira::acquisition;

TEST(PortSettings, ParsesBaudParityDataAndStopBits) {
    EXPECT_EQ(parsePortSettings("115200,n,8,1"), (PortSettings{115200, 'n', 8, 1}));
    EXPECT_EQ(parsePortSettings("9600,E,7,2"), (PortSettings{9600, 'e', 7, 2}));
    for (const char *bad :
         {"115200", "115200,n,8", "115200,n,8,1,1", "abc,n,8,1", "115200,x,8,1", "115200,n,9,1",
          "115200,n,8,3", "-1,n,8,1", "115200,nn,8,1", "115200,n,8,1x"})
        EXPECT_EQ(parsePortSettings(bad), std::nullopt) << bad;
}

TEST(PortNames, EnvironmentWinsOverTheChosenDeviceWhichWinsOverTheDefault) {
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    chooseDeviceForPort(2, "/dev/ttyUSB0");
    EXPECT_EQ(deviceForPort(1) + deviceForPort(2), "/dev/ttyS0/dev/ttyUSB0");
    {
        const kalvira::testing::ScopedEnvironment com2("KALVIRA_COM2", "/dev/ttyACM0");
        EXPECT_EQ(deviceForPort(2), "/dev/ttyACM0");
    }
    forgetDeviceForPort(2);
    EXPECT_EQ(deviceForPort(2), "/dev/ttyS1");
}
