#include <gtest/gtest.h>

#include "remote/scpi_numbers.h"
#include "remote/scpi_parser.h"

namespace kalvira::remote {
namespace {

using Path = std::vector<std::string>;
using Units = std::vector<ProgramUnit>;

ProgramUnit unit(Path path, std::vector<std::string> parameters = {}, bool query = false) {
    return {path.front().starts_with('*'), std::move(path), query, std::move(parameters), {}};
}
ProgramUnit query(Path path) {
    return unit(std::move(path), {}, true);
}
ProgramUnit broken(ScpiError error) {
    ProgramUnit u;
    u.error = error;
    return u;
}

struct ParseCase {
    std::string line;
    Units units;
};

class ScpiParserTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ScpiParserTest, ResolvesHeadersAndSplitsParameters) {
    EXPECT_EQ(parseProgram(GetParam().line), GetParam().units) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ScpiParserTest,
    ::testing::Values(ParseCase{"*idn?", {query({"*IDN"})}},
                      ParseCase{":trig:lev 100;SLOP POS",
                                {unit({"TRIG", "LEV"}, {"100"}), unit({"TRIG", "SLOP"}, {"POS"})}},
                      ParseCase{
                          "MEAS:FREQ?;*OPC?;PER?",  // a common command leaves the node as it is
                          {query({"MEAS", "FREQ"}), query({"*OPC"}), query({"MEAS", "PER"})}},
                      ParseCase{"TRIG:LEV 1;:TIM:SCAL 1E-3",
                                {unit({"TRIG", "LEV"}, {"1"}), unit({"TIM", "SCAL"}, {"1E-3"})}},
                      ParseCase{"ACQ:SRAT  40 kSa/s ", {unit({"ACQ", "SRAT"}, {"40 kSa/s"})}},
                      ParseCase{"X:Y 1 , \"a;b\"", {unit({"X", "Y"}, {"1", "\"a;b\""})}},
                      ParseCase{"*RST;;", {unit({"*RST"})}},
                      ParseCase{"TRIG:LEV 1,", {broken(ScpiError::SyntaxError)}},
                      ParseCase{"TRIG::LEV 1", {broken(ScpiError::SyntaxError)}},
                      ParseCase{"TRIG:LEV\x01 1", {broken(ScpiError::SyntaxError)}},
                      ParseCase{"*IDN?X", {broken(ScpiError::SyntaxError)}},
                      ParseCase{"X \"open", {broken(ScpiError::SyntaxError)}},
                      ParseCase{"?;RUN", {broken(ScpiError::CommandError), unit({"RUN"})}}));

TEST(ScpiParserTest, NodesMatchTheirShortAndLongFormsInAnyCase) {
    for (const char *sent : {"TRIG", "TRIGGER"}) EXPECT_TRUE(matchesNode(sent, "TRIGger")) << sent;
    for (const char *sent : {"TRIGG", "TRI", "TRIGGERS", ""})
        EXPECT_FALSE(matchesNode(sent, "TRIGger")) << sent;
    EXPECT_TRUE(matchesNode("*IDN", "*IDN"));
}

struct NumberCase {
    std::string text;
    NumberUnit unit;
    std::optional<double> value;
};

class ScpiNumberTest : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ScpiNumberTest, ReadsExponentsAndTheUnitsSuffixes) {
    const auto read = parseNumber(GetParam().text, GetParam().unit);
    ASSERT_EQ(read.has_value(), GetParam().value.has_value()) << GetParam().text;
    if (read) {
        EXPECT_DOUBLE_EQ(*read, *GetParam().value) << GetParam().text;
    }
}

INSTANTIATE_TEST_SUITE_P(Numbers, ScpiNumberTest,
                         ::testing::Values(NumberCase{"1E3", NumberUnit::None, 1000.0},
                                           NumberCase{"+2.5", NumberUnit::None, 2.5},
                                           NumberCase{"-.5e-1", NumberUnit::None, -0.05},
                                           NumberCase{"40 kSa/s", NumberUnit::SampleRate, 40000.0},
                                           NumberCase{"2KHZ", NumberUnit::SampleRate, 2000.0},
                                           NumberCase{"5ms", NumberUnit::Seconds, 0.005},
                                           NumberCase{"500 US", NumberUnit::Seconds, 0.0005},
                                           NumberCase{"20mV", NumberUnit::Volts, 0.02},
                                           NumberCase{"5 V", NumberUnit::Seconds, std::nullopt},
                                           NumberCase{"5 S", NumberUnit::None, std::nullopt},
                                           NumberCase{"1e999", NumberUnit::None, std::nullopt},
                                           NumberCase{"-+1", NumberUnit::None, std::nullopt},
                                           NumberCase{"ten", NumberUnit::None, std::nullopt}));

}  // namespace
}  // namespace kalvira::remote
