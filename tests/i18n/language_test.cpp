#include <gtest/gtest.h>

#include <QProcess>
#include <tuple>

namespace {

// LANG, LANGUAGE (nullptr: unset), the arguments, a text of translations/kalvira_hu.ts that must
// be shown and one that must not. No hu_HU locale needs to be generated on the machine.
using Language = std::tuple<const char *, const char *, const char *, const char *, const char *>;
class LanguageTest : public ::testing::TestWithParam<Language> {};

TEST_P(LanguageTest, KalviraCaptureSpeaksTheLanguageOfTheEnvironment) {
    const auto [lang, language, argument, shown, hidden] = GetParam();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"}) environment.remove(name);
    environment.insert("LANG", lang);
    if (language) environment.insert("LANGUAGE", language);
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(KALVIRA_CAPTURE_PATH, QString(argument).split(' '));
    ASSERT_TRUE(program.waitForFinished(10000));
    const QString output = QString::fromUtf8(program.readAll());
    EXPECT_TRUE(output.contains(QString::fromUtf8(shown))) << output.toStdString();
    EXPECT_FALSE(output.contains(QString::fromUtf8(hidden))) << output.toStdString();
}

constexpr auto kHelpHu = "Kiírja ezt a súgót, és kilép.", kHelpEn = "Show this help and exit.";
INSTANTIATE_TEST_SUITE_P(
    Table, LanguageTest,
    ::testing::Values(Language{"hu_HU.UTF-8", nullptr, "--help", kHelpHu, kHelpEn},
                      Language{"hu_HU.UTF-8", "hu", "--help", kHelpHu, kHelpEn},
                      Language{"C", nullptr, "--help", kHelpEn, kHelpHu},
                      Language{"hu_HU.UTF-8", nullptr, "--records -1",
                               "a --records értéke 0..1000 lehet", "--records must be"},
                      Language{"C", nullptr, "--records -1", "--records must be 0..1000",
                               "lehet"}));

}  // namespace
