#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cmath>

namespace kalvira::capture {
namespace {

// kalvira-capture --decode against the unit sending "KALVIRA" over and over at 2400 baud, with
// noise of 5 % of its 600 counts' span.
class DecodeCaptureTest : public ::testing::Test {
protected:
    void SetUp() override {
        unit.start(KALVIRA_UNIT_PATH, {"--link", link, "--fast", "--wave", "uart", "--text",
                                       "KALVIRA", "--baud", "2400", "--noise", "30"});
        ASSERT_TRUE(unit.waitForReadyRead(5000));
    }
    int capture(const QStringList &arguments) {
        program.start(KALVIRA_CAPTURE_PATH, QStringList{"--port", link} + arguments);
        EXPECT_TRUE(program.waitForFinished(20000));
        return program.exitCode();
    }
    QList<QJsonObject> lines() {
        QList<QJsonObject> objects;
        for (const QByteArray &line : program.readAllStandardOutput().trimmed().split('\n'))
            objects << QJsonDocument::fromJson(line).object();
        return objects;
    }
    QTemporaryDir dir;
    const QString link = dir.filePath("com");
    QProcess unit, program;
};

// One cycle of the line is 7 frames of 10 bits and 20 idle bits: 90 / 2400 s = 37.5 ms.
TEST_F(DecodeCaptureTest, EachAnnotationIsAJsonLineAndTheBytesComeBackAtTheirTimes) {
    ASSERT_EQ(
        capture({"--samples", "16000", "--measure", "--decode", "uart:baudrate=2400,format=ascii"}),
        0);
    const auto objects = lines();
    ASSERT_GT(objects.size(), 2);
    EXPECT_EQ(objects[0].value("max").toDouble(), 842.0);  // the measurements come first
    QString text;
    std::vector<double> starts;  // of each K
    for (const auto &object : objects.mid(1)) {
        EXPECT_EQ(object.value("record").toInt(), 1);
        EXPECT_LE(object.value("start_s").toDouble(), object.value("end_s").toDouble());
        const QString data = object.value("text").toString();
        if (object.value("row") != "rx-data" || data.endsWith("bit")) continue;
        text += data;
        if (data == "K") starts.push_back(object.value("start_s").toDouble());
    }
    EXPECT_TRUE(text.contains("KALVIRAKALVIRAKALVIRAKALVIRAKALVIRAKALVIRAKALVIRAKALVIRA"))
        << text.toStdString();
    ASSERT_GE(starts.size(), 8u);
    for (std::size_t i = 1; i < starts.size(); ++i)
        EXPECT_NEAR(starts[i] - starts[i - 1], 0.0375, 1 / 40000.0) << i;
}

// What is wrong, and the list of what is known to choose from.
TEST_F(DecodeCaptureTest, UnknownDecodersAndOptionsAreUsageErrorsThatListWhatIsKnown) {
    const std::pair<QString, QString> table[] = {
        {"--decode nosuch", "the decoders of one channel are: "},
        {"--decode nosuch", "uart"},
        {"--decode i2c", "unknown decoder i2c"},
        {"--decode uart:speed=1", "its options are: baudrate, data_bits, parity"},
        {"--decode uart:baudrate=fast", "uart: baudrate must be a whole number"},
        {"--decode uart:parity=evn", "parity must be one of: none, odd, even"},
        {"--decode uart:baudrate", "not NAME=VALUE"},
        {"--decode uart --threshold 1.5V", "needs --volts-per-count and --zero-count"},
        {"--decode uart --threshold x", "--threshold must be a number"},
        {"--decode uart --hysteresis -1", "--hysteresis must be a number not below 0"},
        {"--decode uart --threshold 1V --hysteresis 8 --volts-per-count 0.01 --zero-count 0",
         "must both be in volts or in counts"},
    };
    for (const auto &[arguments, message] : table) {
        EXPECT_EQ(capture(arguments.split(' ')), 2) << arguments.toStdString();
        const QString error = QString::fromLocal8Bit(program.readAllStandardError());
        EXPECT_TRUE(error.contains(message)) << error.toStdString();
        EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
    }
}

// Inverted, the line's idle level reads as a start bit: the bytes are lost.
TEST_F(DecodeCaptureTest, InvertTurnsTheLineOver) {
    for (const bool invert : {false, true}) {
        QStringList arguments{
            "--samples",   "8000", "--decode",     "uart:baudrate=2400,format=ascii",
            "--threshold", "512",  "--hysteresis", "100"};
        if (invert) arguments << "--invert";
        ASSERT_EQ(capture(arguments), 0);
        QString text;
        for (const auto &object : lines()) {
            const QString data = object.value("text").toString();
            if (object.value("row") == "rx-data" && !data.endsWith("bit")) text += data;
        }
        EXPECT_EQ(text.contains("KALVIRA"), !invert) << text.toStdString();
    }
}

}  // namespace
}  // namespace kalvira::capture
