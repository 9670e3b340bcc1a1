// The daily backup and its day stamp.
#include "backup/daily_backup.h"
#include "localisation/language_file.h"
#include "tests/app_fixture.h"

namespace {

namespace fs = std::filesystem;

struct StampCase {
    platform::Date date;
    std::string stamp;
};

TEST(DayStamp, WritesTheDateWithoutLeadingZeros) {
    const StampCase cases[] = {
        {{2014, 9, 3},
         "2014\xC4\xEA"
         "9\xD4\xC2"
         "3\xC8\xD5"},
        {{2015, 12, 25},
         "2015\xC4\xEA"
         "12\xD4\xC2"
         "25\xC8\xD5"},
        {{2015, 1, 1},
         "2015\xC4\xEA"
         "1\xD4\xC2"
         "1\xC8\xD5"},
        {{2015, 10, 10},
         "2015\xC4\xEA"
         "10\xD4\xC2"
         "10\xC8\xD5"},
    };
    for (const StampCase& c : cases) {
        EXPECT_EQ(DayStamp(c.date), c.stamp);
    }
}

class DailyBackup : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startMoney;1\r\n");
        folder.Write("data/research.txt", "name;\r\nA;\r\n");
        folder.Write("data/genres1.txt", "name;\r\nB;\r\n");
        folder.Write("data/genres1_en.txt", "name;\r\nC;\r\n");
        folder.Write("data/4/trainings.txt", "name;\r\nD;\r\n");
        folder.Write("data/1/trainings.txt", "other language");
    }
    // Today's folder as a Linux file manager shows it: 2026年12月11日.
    fs::path DayFolder() const { return folder.At("toolsbak") / SystemPathOf(DayStamp()); }
};

TEST_F(DailyBackup, FirstStartOfTheDayCopiesTheFiveFilesAndSaysSo) {
    Start();
    const fs::path day = DayFolder();
    EXPECT_NE(day.filename().u8string().find(u8"\u5E74"), std::u8string::npos);  // 年
    EXPECT_EQ(ReadBytes(day / "ini.txt"), "startMoney;1\r\n");
    EXPECT_EQ(ReadBytes(day / "research.txt"), "name;\r\nA;\r\n");
    EXPECT_EQ(ReadBytes(day / "genres1.txt"), "name;\r\nB;\r\n");
    EXPECT_EQ(ReadBytes(day / "ggenres1_en.txt"), "name;\r\nC;\r\n");
    EXPECT_EQ(ReadBytes(day / "4" / "trainings.txt"), "name;\r\nD;\r\n");
    EXPECT_FALSE(fs::exists(day / "1"));
    EXPECT_TRUE(fs::is_directory(folder.At("Brask Plus")));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].caption, "HELP:");
    EXPECT_EQ(Messages()[0].kind, tk::MessageKind::Information);
    EXPECT_EQ(Messages()[0].text, ReadLanguageText("3"));
}

TEST_F(DailyBackup, SecondStartOfTheDayTouchesNothing) {
    Start();
    tk::headless::Close(kSettingsWindow);
    folder.Write("data/ini.txt", "startMoney;2\r\n");
    const auto stamp = fs::last_write_time(DayFolder() / "ini.txt");
    StartAgain();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(ReadBytes(DayFolder() / "ini.txt"), "startMoney;1\r\n");
    EXPECT_EQ(fs::last_write_time(DayFolder() / "ini.txt"), stamp);
}

TEST_F(DailyBackup, AnIniFolderInTodaysFolderCountsAsTheBackup) {
    fs::create_directories(DayFolder() / "ini.txt");
    Start();
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(fs::exists(DayFolder() / "research.txt"));
}

TEST_F(DailyBackup, AMissingSourceIsNoFailure) {
    fs::remove_all(folder.At("data/4"));
    Start();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, tk::MessageKind::Information);
    EXPECT_TRUE(fs::exists(DayFolder() / "ini.txt"));
}

TEST_F(DailyBackup, ABackupAcrossMidnightStaysInOneFolder) {
    platform::SetNextDatesForTest({{2026, 12, 31}, {2027, 1, 1}, {2027, 1, 1}, {2027, 1, 1}});
    Start();
    const fs::path day = folder.At("toolsbak") / SystemPathOf(DayStamp({2026, 12, 31}));
    for (const char* file : {"ini.txt", "research.txt", "genres1.txt", "ggenres1_en.txt"}) {
        EXPECT_TRUE(fs::exists(day / file)) << file;
    }
    EXPECT_TRUE(fs::exists(day / "4" / "trainings.txt"));
    EXPECT_FALSE(fs::exists(folder.At("toolsbak") / SystemPathOf(DayStamp({2027, 1, 1}))));
    platform::SetNextDatesForTest({});
}

TEST_F(DailyBackup, CopiesThatFailAreReportedNotConfirmed) {
    // A file named toolsbak stops every folder and copy of the backup.
    folder.Write("toolsbak", "in the way");
    Start();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].kind, tk::MessageKind::Warning);
    EXPECT_EQ(Messages()[0].caption, "HELP:");
    EXPECT_EQ(Messages()[0].text.rfind(ReadLanguageText("27"), 0), 0u);
    EXPECT_NE(Messages()[0].text.find("ini.txt"), std::string::npos);
    EXPECT_NE(Messages()[0].text.find("trainings.txt"), std::string::npos);
}

}  // namespace
