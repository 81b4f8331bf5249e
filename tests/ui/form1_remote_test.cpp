#include <gtest/gtest.h>

#include <QCheckBox>
#include <QScrollBar>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <random>

#include "acquisition/qt_serial_port.h"
#include "form_controls.h"
#include "remote/listen_address.h"
#include "scope/scope.h"
#include "ui/form1.h"
#include "ui/option_button.h"
#include "ui/window_arguments.h"

using kalvira::testing::control;
using kalvira::testing::option;

namespace kalvira::ui {
namespace {

// A port nobody listens on just now.
quint16 freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

struct Client {
    explicit Client(quint16 port) {
        socket.connectToHost(QHostAddress::LocalHost, port);
        connected = socket.waitForConnected(5000);
    }
    QByteArray ask(const QByteArray &line) {
        socket.write(line + '\n');
        const bool answered = QTest::qWaitFor([&] { return socket.canReadLine(); }, 5000);
        return answered ? socket.readLine() : QByteArray();
    }
    QTcpSocket socket;
    bool connected = false;
};

TEST(Form1Remote, ControlsFollowRemoteCommandsAndTheTitleSaysWhileAClientIsThere) {
    Form1 form;
    const quint16 port = freePort();
    ASSERT_FALSE(form.startRemoteControl({QHostAddress(QHostAddress::LocalHost), port}));
    {
        Client client(port);
        ASSERT_TRUE(client.connected);
        EXPECT_EQ(client.ask(":TRIG:LEV 200;:TIM:SCAL 1ms;:ACQ:SRAT 200;:TRIG:LEV?"), "200\n");
        EXPECT_EQ(control<QScrollBar>(form, "TrigLevelScroll")->value(), 200);
        EXPECT_TRUE(option(form, "TimeOption", 13)->isChecked());
        EXPECT_TRUE(option(form, "SampleRate", 7)->isChecked());
        EXPECT_EQ(form.windowTitle(), "KALVIRA – remote");
        control<QCheckBox>(form, "TrigVisible")->click();  // and the other way round
        EXPECT_EQ(client.ask(":SYST:ERR?;:ACQ:POIN?"), "0,\"No error\";5000\n");
    }
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.windowTitle() == "KALVIRA"; }, 5000));
}

// Lines of random bytes, lines too long, and clients that hang up mid-line: nothing starts a
// run or opens the port, and the window still answers.
TEST(Form1Remote, GarbageNeverReachesTheUnitAndTheWindowStillAnswers) {
    Form1 form;
    const quint16 port = freePort();
    ASSERT_FALSE(form.startRemoteControl({QHostAddress(QHostAddress::LocalHost), port}));
    auto *serialPort = control<acquisition::QtSerialPort>(form, "MSComm1");
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        // The one before has been let go: the server takes the next client.
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.windowTitle() == "KALVIRA"; }, 5000));
        Client client(port);
        ASSERT_TRUE(client.connected) << round;
        ASSERT_TRUE(QTest::qWaitFor([&] { return form.windowTitle() != "KALVIRA"; }, 5000));
        QByteArray bytes;
        const int lines = round % 10 == 9 ? 1 : 50;
        for (int line = 0; line < lines; ++line) {
            const std::size_t length = round % 10 == 9 ? 70000 : random() % 300;
            for (std::size_t i = 0; i < length; ++i)
                bytes += round % 10 == 9 ? 'x' : char(random() % 256);
            if (round % 10 != 9) bytes += '\n';
        }
        client.socket.write(bytes);
        client.socket.waitForBytesWritten(5000);
        QTest::qWait(5);
        if (round % 10 == 9) {  // more than 64 KiB without a line end: let go
            EXPECT_TRUE(QTest::qWaitFor(
                [&] { return client.socket.state() == QAbstractSocket::UnconnectedState; }, 5000));
        }
        EXPECT_FALSE(form.scope().running() || serialPort->PortOpen()) << round;
    }
    QTest::qWait(50);
    Client last(port);
    ASSERT_TRUE(last.connected);
    EXPECT_TRUE(last.ask("*IDN?").startsWith("KALVIRA,KALVIRA-1,"));
    EXPECT_FALSE(serialPort->PortOpen());
}

TEST(WindowArguments, ReadARecordFileAndTheRemoteControlsAddress) {
    const auto read = [](QStringList words) {
        words.prepend(QStringLiteral("kalvira"));
        const WindowArguments a = parseWindowArguments(words);
        return std::tuple(a.recordFile.value_or("-"),
                          a.remote ? remote::describe(a.remote->host, a.remote->port) : "-",
                          a.error.has_value());
    };
    EXPECT_EQ(read({"rec.csv"}), std::tuple("rec.csv", "-", false));
    EXPECT_EQ(read({"--remote", "rec.csv"}), std::tuple("rec.csv", "127.0.0.1:5025", false));
    EXPECT_EQ(read({"--remote", "0.0.0.0:6000", "r.csv"}),
              std::tuple("r.csv", "0.0.0.0:6000", false));
    EXPECT_EQ(read({"--remote=[::1]:7"}), std::tuple("-", "[::1]:7", false));
    EXPECT_EQ(read({"--remote=70000"}), std::tuple("-", "-", true));
    EXPECT_EQ(read({"a.csv", "b.csv"}), std::tuple("-", "-", true));
    EXPECT_EQ(read({"--remotely"}), std::tuple("-", "-", true));
}

}  // namespace
}  // namespace kalvira::ui
