#include <gtest/gtest.h>

#include "export/export_file.h"
#include "export/session_file.h"
#include "export/wav_file.h"
#include "export/zip_archive.h"

namespace kalvira::exporting {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

TEST(ZipArchiveTest, CrcIsZipsCheckValue) {
    EXPECT_EQ(crc32(bytesOf("123456789")), 0xCBF43926u);  // the CRC-32 catalogue's check value
    EXPECT_EQ(crc32({}), 0u);
}

// One entry: a 30-byte local header and the name and data, a 46-byte directory entry and the
// name, the 22-byte end record that finds the directory at offset 34.
TEST(ZipArchiveTest, AStoredEntryHasItsHeadersAtTheirPlaces) {
    const Bytes zip = storedZip({{"a", bytesOf("xyz")}});
    ASSERT_EQ(zip.size(), 30u + 1 + 3 + 46 + 1 + 22);
    const auto at32 = [&](std::size_t i) {
        return std::uint32_t(zip[i]) | std::uint32_t(zip[i + 1]) << 8 |
               std::uint32_t(zip[i + 2]) << 16 | std::uint32_t(zip[i + 3]) << 24;
    };
    EXPECT_EQ(at32(0), 0x04034B50u);
    EXPECT_EQ(at32(14), crc32(bytesOf("xyz")));
    EXPECT_EQ(at32(18), 3u);
    EXPECT_EQ(at32(22), 3u);
    EXPECT_EQ(zip[30], 'a');
    EXPECT_EQ(at32(34), 0x02014B50u);
    EXPECT_EQ(at32(34 + 42), 0u);  // the local header's offset
    EXPECT_EQ(at32(81), 0x06054B50u);
    EXPECT_EQ(at32(81 + 16), 34u);  // the directory's offset
}

TEST(WavFileTest, CountsSpreadOverThePcmRange) {
    const std::pair<std::int16_t, std::int16_t> table[] = {
        {0, -32768},   {1, -32704},   {511, -64},    {512, 0},      {513, 64},
        {1023, 32704}, {1024, 32767}, {1535, 32767}, {32767, 32767}};
    for (const auto &[count, pcm] : table) EXPECT_EQ(pcmOf(count), pcm) << count;
}

TEST(WavFileTest, TheHeaderSaysMonoSixteenBitsAtTheRate) {
    const std::vector<std::int16_t> record{512, 1023};
    const Bytes expected{'R',  'I',  'F', 'F', 40,   0,    0, 0, 'W', 'A', 'V',  'E',
                         'f',  'm',  't', ' ', 16,   0,    0, 0, 1,   0,   1,    0,
                         0x40, 0x9C, 0,   0,   0x80, 0x38, 1, 0, 2,   0,   16,   0,
                         'd',  'a',  't', 'a', 4,    0,    0, 0, 0,   0,   0xC0, 0x7F};
    // 40000 = 0x9C40, 80000 = 0x13880; the samples 0 and 32704 = 0x7FC0.
    EXPECT_EQ(wavFile(record, 40000), expected);
}

TEST(SessionFileTest, RatesAreWrittenAsSigrokWritesThem) {
    const std::pair<int, const char *> table[] = {
        {40000, "40 kHz"}, {5000, "5 kHz"}, {1000, "1 kHz"}, {500, "500 Hz"}, {200, "200 Hz"}};
    for (const auto &[rate, text] : table) EXPECT_EQ(sessionRate(rate), text);
}

TEST(SessionFileTest, AThresholdInVoltsNeedsTheFilesCalibration) {
    records::RecordFile file;
    file.records = {{100, 900}};
    const auto made = sessionFile(file, {1.0, {}, true, false});
    ASSERT_TRUE(std::holds_alternative<std::string>(made));
    EXPECT_EQ(std::get<std::string>(made), "a threshold in volts needs a calibration");
}

TEST(ExportFileTest, TheExtensionNamesTheFormatAndSeveralRecordsMakeNumberedWavs) {
    EXPECT_EQ(exportFormatOf("a/b.SR"), ExportFormat::SigrokSession);
    EXPECT_EQ(exportFormatOf("b.wav"), ExportFormat::Wav);
    EXPECT_EQ(exportFormatOf("b.csv"), std::nullopt);
    EXPECT_EQ(exportFormatOf("wav"), std::nullopt);
    EXPECT_EQ(wavPaths("d/rec.wav", 1), QStringList{"d/rec.wav"});
    EXPECT_EQ(wavPaths("d.x/rec.WAV", 3),
              (QStringList{"d.x/rec-1.WAV", "d.x/rec-2.WAV", "d.x/rec-3.WAV"}));
    records::RecordFile empty;
    EXPECT_EQ(writeExport("x.wav", empty, {}),
              std::optional<std::string>("x.wav: no record to write"));
    empty.records = {{1}};
    EXPECT_EQ(writeExport("/nonexistent/x.sr", empty, {})->rfind("/nonexistent/x.sr: ", 0), 0u);
}

}  // namespace
}  // namespace kalvira::exporting
