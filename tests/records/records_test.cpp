#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <random>

#include "records/record_appender.h"
#include "records/record_file.h"
#include "records/record_history.h"

namespace kalvira::records {
namespace {

// Sample k (from 1) of record r holds 7k + r, so every row is told apart by its value.
RecordFile makeFile(int sps, int samples, int records) {
    RecordFile file;
    file.settings = {.rateCode = settings::rateCodeForSps(sps).value_or(-1),
                     .recordLength = samples,
                     .triggerMode = 3,
                     .triggerLevel = 201,
                     .fallingEdge = false,
                     .timeBase = 13,
                     .halfHeight = true,
                     .dots = true,
                     .triggerMarker = true,
                     .scrollDivisions = 9,
                     .calibration = std::nullopt};
    file.taken = QDateTime(QDate(2026, 12, 6), QTime(23, 15), Qt::UTC);
    for (int r = 1; r <= records; ++r) {
        auto &record = file.records.emplace_back();
        for (int k = 1; k <= samples; ++k)
            record.push_back(static_cast<std::int16_t>((7 * k + r) % 32768));
    }
    return file;
}

std::string text(const RecordFile &file) {
    return formatRecordFile(file).toStdString();
}

TEST(RecordFileTest, RoundTripIsExactThroughTheDisk) {
    QTemporaryDir dir;
    RecordFile several = makeFile(200, 100, 3), scrolled = makeFile(1000, 300, 1);
    several.settings.halfHeight = several.settings.triggerMarker = false;  // each flag alone set
    scrolled.settings.dots = scrolled.settings.triggerMarker = false;
    scrolled.settings.scrollDivisions = 0;
    several.settings.calibration =
        analysis::Calibration{1 / 3.0, 511.25, 100};  // read back exactly
    for (const RecordFile &file : {makeFile(40000, 16000, 1), several, scrolled}) {
        const QString path = dir.filePath(QStringLiteral("r.csv"));
        ASSERT_EQ(writeRecordFile(path, file), std::nullopt);
        const ReadResult read = readRecordFile(path);
        ASSERT_TRUE(std::holds_alternative<RecordFile>(read)) << std::get<ReadError>(read).message;
        EXPECT_EQ(std::get<RecordFile>(read), file);
    }
    EXPECT_EQ(text(scrolled).find("scroll_divisions"), std::string::npos);  // none when unscrolled
    const std::string head =
        "# kalvira-record=1\n# sample_rate_sps=200\n# samples=100\n# trigger=level-cont\n"
        "# trigger_level=201\n# trigger_edge=rise\n# time_base_index=13\n# volts_per_div_half=1\n"
        "# line_style=dot\n# trigger_marker=1\n# scroll_divisions=9\n# "
        "taken=2026-12-06T23:15:00Z\n";
    EXPECT_TRUE(
        text(makeFile(200, 100, 1)).starts_with(head + "sample,time_s,value\n1,0.000000,8\n"));
    EXPECT_TRUE(
        text(makeFile(200, 100, 2))
            .starts_with(head + "# records=2\nrecord,sample,time_s,value\n1,1,0.000000,8\n"));
    EXPECT_NE(writeRecordFile(dir.filePath(QStringLiteral("x.csv")), makeFile(30000, 100, 1)),
              std::nullopt);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("x.csv"))));
}

TEST(RecordFileTest, TimeColumnIsExactAtTheFastestAndSlowestRate) {
    const std::string fast = text(makeFile(40000, 16000, 1)), slow = text(makeFile(200, 16000, 2));
    for (const char *row :
         {"\n2,0.000025,15\n", "\n4001,0.100000,28008\n", "\n16000,0.399975,13697\n"})
        EXPECT_NE(fast.find(row), std::string::npos) << row;
    for (const char *row : {"\n1,2,0.005000,15\n", "\n2,16000,79.995000,13698\n"})
        EXPECT_NE(slow.find(row), std::string::npos) << row;
}

// A file of 100 samples at 200 SPS: settings on lines 2..12, header 13, sample k on line 13 + k.
// Calibrated: volts_per_count on line 12, zero_count 13, probe 14, header 16.
struct Broken {
    const char *from, *to;
    int line;  // 0: the changed file is read
    bool calibrated = false;
};
class BrokenFileTest : public ::testing::TestWithParam<Broken> {};

TEST_P(BrokenFileTest, IsReadAtTheBoundsAndRefusedAtItsLineBeyond) {
    RecordFile original = makeFile(200, 100, 1);
    if (GetParam().calibrated)
        original.settings.calibration = analysis::Calibration{0.005, 512, 10};
    std::string file = text(original);
    const std::size_t at = file.find(GetParam().from);
    ASSERT_NE(at, std::string::npos);
    file.replace(at, std::string_view(GetParam().from).size(), GetParam().to);
    const ReadResult read = parseRecordFile(file);
    const auto *error = std::get_if<ReadError>(&read);
    EXPECT_EQ(error ? error->line : 0, GetParam().line) << (error ? error->message : "");
}

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenFileTest,
    ::testing::Values(
        Broken{"record=1", "record=2", 1}, Broken{"# kalvira-record=1\n", "", 1},
        Broken{"# samples=", "# sample=", 3}, Broken{"# trigger_level=201\n", "", 12},
        Broken{"# trigger=level-cont\n", "# trigger=level-cont\n# trigger=ext-cont\n", 5},
        Broken{"sps=200", "sps=300", 2}, Broken{"samples=100", "samples=150", 3},
        Broken{"level=201", "level=255", 5}, Broken{"index=13", "index=14", 7},
        Broken{"divisions=9", "divisions=16001", 11}, Broken{"divisions=9", "divisions=0", 0},
        Broken{"# ta", "# records=1000001\n# ta", 12},
        Broken{"taken=2026-12-06T23:15:00Z", "taken=2026-12-06 23:15", 12},
        Broken{"sample,time_s", "record,sample,time_s", 14},  // a log then
        Broken{"# ta", "# records=1\n# ta", 12}, Broken{"\n100,0.495000,701\n", "\n", 113},
        Broken{"\n100,0.495000,701\n", "\n100,0.495000,701\n101,0.500000,1\n", 114},
        Broken{"\n5,0.020000,", "\n6,0.020000,", 18}, Broken{",0.010000,22", ",0.010000,x", 16},
        Broken{",0.010000,22", ",0.010000,32768", 16}, Broken{",0.010000,22", ",0.010000,-1", 16},
        Broken{",0.010000,22", ",0.010000,32767", 0}, Broken{",0.010000,22", ",0.010000,0", 0},
        Broken{",0.010000,22", ",0.01,22", 16}, Broken{",0.010000,22", ",0.010000,22,1", 16}));

INSTANTIATE_TEST_SUITE_P(Calibrated, BrokenFileTest,
                         ::testing::Values(Broken{"probe=10", "probe=100", 0, true},
                                           Broken{"probe=10", "probe=5", 14, true},
                                           Broken{"count=0.005", "count=-1e-05", 0, true},
                                           Broken{"count=0.005", "count=0", 12, true},
                                           Broken{"count=0.005", "count=inf", 12, true},
                                           Broken{"count=0.005", "count=5x", 12, true},
                                           Broken{"zero_count=512", "zero_count=32767", 0, true},
                                           Broken{"zero_count=512", "zero_count=32767.5", 13, true},
                                           Broken{"zero_count=512", "zero_count=-1", 13, true},
                                           Broken{"# probe=10\n", "", 15, true},
                                           Broken{"# zero_count=512\n# probe=10\n", "", 14, true}));

TEST(RecordFileTest, ATruncatedOrOversizedFileIsRefused) {
    const std::string whole = text(makeFile(200, 100, 2));
    for (std::size_t length = 0; length < whole.size(); ++length) {  // cut anywhere
        const bool readable =
            std::holds_alternative<RecordFile>(parseRecordFile(whole.substr(0, length)));
        EXPECT_FALSE(readable) << length;
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("big.csv"));
    ASSERT_EQ(writeRecordFile(path, makeFile(200, 100, 2)), std::nullopt);
    EXPECT_EQ(std::get<ReadError>(readRecordFile(path, qint64(whole.size()) - 1)).line, 0);
    EXPECT_TRUE(std::holds_alternative<RecordFile>(readRecordFile(path, qint64(whole.size()))));
}

}  // namespace
}  // namespace kalvira::records

namespace kalvira::records {
namespace {

// Three records as a long capture or a saved history holds them: the second at another rate and
// length and uncalibrated between two calibrated ones, the third at another trigger level.
std::vector<RecordFile> logEntries() {
    std::vector<RecordFile> entries{makeFile(200, 100, 1), makeFile(1000, 200, 1),
                                    makeFile(1000, 200, 1)};
    entries[0].settings.calibration = analysis::Calibration{0.005, 512, 10};
    entries[2].settings.calibration = analysis::Calibration{0.005, 512, 100};
    entries[1].taken = entries[0].taken.addSecs(1);
    entries[2].taken = entries[0].taken.addSecs(2);
    entries[2].settings.triggerLevel = 7;
    entries[2].records[0][0] = 1234;
    return entries;
}

TEST(RecordLogTest, KeepsEachRecordsSettingsAndOnlyTheBudgetsNewest) {
    const std::vector<RecordFile> entries = logEntries();
    const std::string text = formatRecordLog(entries).toStdString();
    EXPECT_NE(text.find("\n# sample_rate_sps=1000\n# samples=200\n# volts_per_count=none\n# "
                        "taken=2026-12-06T23:15:01Z\n2,1,"),
              std::string::npos);
    EXPECT_NE(text.find("\n# trigger_level=7\n# volts_per_count=0.005\n# zero_count=512\n# "
                        "probe=100\n# taken=2026-12-06T23:15:02Z\n3,1,0.000000,1234\n"),
              std::string::npos);
    const auto read = parseRecordLog(text);
    ASSERT_TRUE(std::holds_alternative<RecordLog>(read)) << std::get<ReadError>(read).message;
    EXPECT_EQ(std::get<RecordLog>(read).entries, entries);
    const auto budget = RecordHistory::costOf(entries[1]) + RecordHistory::costOf(entries[2]);
    const auto newest = std::get<RecordLog>(parseRecordLog(text, budget));
    EXPECT_EQ(newest.entries, std::vector(entries.begin() + 1, entries.end()));
    EXPECT_EQ(newest.leftOut, 1u);
}

// Cut anywhere after its header, a log reads back every record complete before the cut, and
// names the line where the one cut off began.
TEST(RecordLogTest, ACutOffLastRecordIsLeftOutAndNamed) {
    const std::string text = formatRecordLog(logEntries()).toStdString();
    const std::size_t ends[] = {text.find("# sample_rate_sps=1000"), text.find("# trigger_level=7"),
                                text.size()};
    const auto lineAt = [&](std::size_t at) {
        return 1 + std::count(text.begin(), text.begin() + at, '\n');
    };
    for (std::size_t length = text.find("record,sample") + 27; length <= text.size(); ++length) {
        const auto read = parseRecordLog(std::string_view(text).substr(0, length));
        ASSERT_TRUE(std::holds_alternative<RecordLog>(read)) << length;
        const RecordLog &log = std::get<RecordLog>(read);
        const auto complete =
            std::size_t(std::upper_bound(std::begin(ends), std::end(ends), length) - ends);
        ASSERT_EQ(log.entries.size(), complete) << length;
        const bool atABoundary = complete > 0 && length == ends[complete - 1];
        const auto cutLine = complete == 0 ? 17 : lineAt(ends[complete - 1]);  // 17: first row
        EXPECT_EQ(log.cutOffLine, atABoundary ? 0 : cutLine) << length;
    }
}

TEST(RecordLogTest, DamageBeforeTheEndIsRefusedAtItsLine) {
    std::string text = formatRecordLog(logEntries()).toStdString();
    for (const auto &[from, to] :
         {std::pair("# trigger_level=7", "# trigger_level=700"),
          std::pair("# trigger_level=7", "# colour=7"), std::pair("\n2,5,", "\n2,6,"),
          std::pair("# samples=200", "# records=2")}) {
        std::string broken = text;
        const std::size_t at = broken.find(from);
        broken.replace(at, std::string_view(from).size(), to);
        const auto read = parseRecordLog(broken);
        ASSERT_TRUE(std::holds_alternative<ReadError>(read)) << to;
        EXPECT_EQ(std::get<ReadError>(read).line,
                  1 + std::count(broken.begin(), broken.begin() + at + (from[0] == '\n'), '\n'))
            << to;
    }
}

// Whatever damage a log takes, what it yields can be written again.
TEST(RecordLogTest, ADamagedLogIsReadSafely) {
    const std::string whole = formatRecordLog(logEntries()).toStdString();
    std::mt19937 random(11);
    int accepted = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string file = whole;
        for (int n = 0; n < 3; ++n) file[random() % file.size()] = static_cast<char>(random());
        const auto read = parseRecordLog(file.substr(0, random() % (file.size() + 1)));
        if (const auto *log = std::get_if<RecordLog>(&read)) {
            ++accepted;
            for (const RecordFile &entry : log->entries)
                EXPECT_EQ(checkRecordFile(entry), std::nullopt);
        }
    }
    // Damage in the rows of a record is refused, but a log cut inside its last record is read:
    // some of the damaged logs must have gone through the checks above.
    EXPECT_GT(accepted, 0);
}

// Appended one at a time, the records make the same log as written at once.
TEST(RecordLogTest, AnAppendedLogIsTheLogOfItsRecords) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("capture.csv"));
    const std::vector<RecordFile> entries = logEntries();
    std::vector<qint64> synced, written;  // the file's size at each sync and after each append
    const auto sync = [&](int) { return synced.push_back(QFileInfo(path).size()), 0; };
    RecordAppender appender(sync);
    ASSERT_EQ(appender.open(path), std::nullopt);
    for (const RecordFile &entry : entries) {
        ASSERT_EQ(appender.append(entry), std::nullopt);
        written.push_back(QFileInfo(path).size());
        EXPECT_EQ(synced, written);  // each record synced whole, before append returns
    }
    RecordAppender toStandardOutput(sync);  // flushed, never synced
    const int standardOutput = ::dup(STDOUT_FILENO), nowhere = ::open("/dev/null", O_WRONLY);
    ::dup2(nowhere, STDOUT_FILENO);
    EXPECT_TRUE(!toStandardOutput.open({}) && !toStandardOutput.append(entries[0]));
    ::dup2(standardOutput, STDOUT_FILENO);
    ::close(nowhere), ::close(standardOutput);
    EXPECT_EQ(synced, written);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), formatRecordLog(entries));
    EXPECT_EQ(appender.bytesWritten(), file.size());
    EXPECT_NE(RecordAppender().open(dir.filePath(QStringLiteral("no/such/dir.csv"))), std::nullopt);
}

}  // namespace
}  // namespace kalvira::records
