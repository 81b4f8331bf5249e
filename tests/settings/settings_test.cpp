#include <gtest/gtest.h>

#include <QJsonDocument>

#include "settings/setting_fields.h"
#include "settings/settings_json.h"

namespace kalvira::settings {
namespace {

// A record file's text for a field, what it sets, and texts of the same field that are refused.
struct FieldCase {
    std::string_view key, text;
    ScopeSettings expected;
    std::vector<std::string_view> refused;
};

ScopeSettings with(void (*change)(ScopeSettings &)) {
    ScopeSettings settings;
    change(settings);
    return settings;
}

const FieldCase kFieldCases[] = {
    {"sample_rate_sps", "200", with([](auto &s) { s.rateCode = 7; }), {"300", "", "+200", "2e2"}},
    {"samples", "16000", with([](auto &s) { s.recordLength = 16000; }), {"16100", "150", "0"}},
    {"trigger", "level-cont", with([](auto &s) { s.triggerMode = 3; }), {"level", "3"}},
    {"trigger_level", "254", with([](auto &s) { s.triggerLevel = 254; }), {"255", "0", "1.5"}},
    {"trigger_edge", "rise", with([](auto &s) { s.fallingEdge = false; }), {"Rise", "0"}},
    {"time_base_index", "13", with([](auto &s) { s.timeBase = 13; }), {"14", "-1"}},
    {"volts_per_div_half", "1", with([](auto &s) { s.halfHeight = true; }), {"2", "true"}},
    {"line_style", "dot", with([](auto &s) { s.dots = true; }), {"dots", "1"}},
    {"trigger_marker", "1", with([](auto &s) { s.triggerMarker = true; }), {"yes"}},
    {"scroll_divisions", "16000", with([](auto &s) { s.scrollDivisions = 16000; }), {"16001"}},
};

class SettingFieldTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(SettingFieldTest, ReadsItsTextWritesItBackAndRefusesWhatIsNotOne) {
    const FieldCase &c = GetParam();
    const SettingField *field = fieldWithKey(c.key);
    ASSERT_NE(field, nullptr);
    ScopeSettings read;
    ASSERT_TRUE(field->read(c.text, read));
    EXPECT_EQ(read, c.expected);
    EXPECT_EQ(field->text(read), c.text);
    for (const std::string_view text : c.refused) {
        ScopeSettings untouched;
        EXPECT_FALSE(field->read(text, untouched)) << text;
        EXPECT_EQ(untouched, ScopeSettings{}) << text;
    }
}
INSTANTIATE_TEST_SUITE_P(Fields, SettingFieldTest, ::testing::ValuesIn(kFieldCases));

TEST(ScopeSettingsTest, NamesEachFaultAndPassesTheWindowsStart) {
    EXPECT_EQ(problemWith(ScopeSettings{}), std::nullopt);
    const std::pair<void (*)(ScopeSettings &), std::string> faults[] = {
        {[](auto &s) { s.rateCode = 8; }, "sample rate is not one of the unit's"},
        {[](auto &s) { s.recordLength = 16100; },
         "record length is not 100..16000 in steps of 100"},
        {[](auto &s) { s.triggerMode = -1; }, "trigger mode is not 0..3"},
        {[](auto &s) { s.triggerLevel = 255; }, "trigger level is not 1..254"},
        {[](auto &s) { s.timeBase = 14; }, "no such time base"},
        {[](auto &s) { s.scrollDivisions = -1; }, "scroll position is not 0..16000 divisions"},
        {[](auto &s) {
             s.calibration = analysis::Calibration{0.0, 0, 1};
         },
         "calibration is not valid"}};
    for (const auto &[fault, message] : faults) EXPECT_EQ(problemWith(with(fault)), message);
}

// byte 0 mode * 16 + rate, level, N low, N high, 1 for "Fall", five zeros, the sum mod 256.
TEST(ScopeSettingsTest, CarriesTheFiveFrameSettingsIntoTheCommandFrame) {
    ScopeSettings slow = with([](auto &s) { s.rateCode = 7, s.recordLength = 200; });
    EXPECT_EQ(commandFrame(slow),
              (acquisition::CommandFrame{7, 100, 200, 0, 1, 0, 0, 0, 0, 0, 52}));
    ScopeSettings fast = with([](auto &s) {
        s.triggerMode = 3, s.triggerLevel = 200, s.recordLength = 16000, s.fallingEdge = false;
        s.timeBase = 5, s.dots = true;  // not the unit's business
    });
    EXPECT_EQ(commandFrame(fast),
              (acquisition::CommandFrame{48, 200, 0x80, 0x3E, 0, 0, 0, 0, 0, 0, 0xB6}));
    EXPECT_EQ(commandFrame(with([](auto &s) { s.rateCode = -1; })), std::nullopt);
}

TEST(SettingsJsonTest, RoundTripsAndRefusesWrongTypesRangesAndNames) {
    const ScopeSettings settings = with([](auto &s) {
        s.rateCode = 2, s.recordLength = 300, s.triggerMode = 1, s.fallingEdge = false;
        s.halfHeight = true, s.scrollDivisions = 4;
        s.calibration = analysis::Calibration{1 / 3.0, 511.5, 10};
    });
    const QJsonObject json = toJson(settings);
    EXPECT_EQ(json.value("sample_rate_sps").toInt(), 10000);
    EXPECT_EQ(json.value("trigger").toString(), "ext-cont");
    EXPECT_EQ(json.value("volts_per_div_half").toBool(), true);
    EXPECT_TRUE(toJson(ScopeSettings{}).value("calibration").isNull());
    const auto parsed = fromJson(QJsonDocument::fromJson(QJsonDocument(json).toJson()).object());
    ASSERT_TRUE(std::holds_alternative<ScopeSettings>(parsed));
    EXPECT_EQ(std::get<ScopeSettings>(parsed), settings);
    EXPECT_EQ(std::get<ScopeSettings>(fromJson({{"samples", 100}}, settings)).recordLength, 100);
    const std::pair<QJsonObject, std::string> refused[] = {
        {{{"samples", "100"}}, "bad samples"},
        {{{"trigger_level", 254.5}}, "bad trigger_level"},
        {{{"sample_rate_sps", 30000}}, "bad sample_rate_sps"},
        {{{"trigger_marker", 1}}, "bad trigger_marker"},
        {{{"gain", 2}}, "unknown setting gain"},
        {{{"calibration", QJsonObject{{"volts_per_count", 0}, {"zero_count", 0}, {"probe", 1}}}},
         "bad calibration"}};
    for (const auto &[object, message] : refused)
        EXPECT_EQ(std::get<std::string>(fromJson(object)), message);
}

}  // namespace
}  // namespace kalvira::settings
