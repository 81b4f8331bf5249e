#include "acquisition/port_settings.h"

#include <gtest/gtest.h>

using namespace kalvira::acquisition;

// Which device each COM port opens: PortNames in serial_hardware_test.cpp.
TEST(PortSettings, ParsesBaudParityDataAndStopBits) {
    EXPECT_EQ(parsePortSettings("115200,n,8,1"), (PortSettings{115200, 'n', 8, 1}));
    EXPECT_EQ(parsePortSettings("9600,E,7,2"), (PortSettings{9600, 'e', 7, 2}));
    for (const char *bad :
         {"115200", "115200,n,8", "115200,n,8,1,1", "abc,n,8,1", "115200,x,8,1", "115200,n,9,1",
          "115200,n,8,3", "-1,n,8,1", "115200,nn,8,1", "115200,n,8,1x"})
        EXPECT_EQ(parsePortSettings(bad), std::nullopt) << bad;
}
