// The INI service, profile access and the settings file conversion.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_state.h"
#include "platform/platform.h"
#include "settings/profile_access.h"
#include "settings/settings_conversion.h"
#include "tests/game_folder.h"
#include "toolkit/headless/headless.h"

namespace {

using namespace std::string_literals;

class Settings : public testing::Test {
protected:
    void SetUp() override {
        ResetState();
        tk::headless::Reset();
        State().programFolder = folder.ProgramFolder();
    }
    // a and c are stored, with the working profile removed from outside in between.
    void EditWhileTheWorkingProfileIsRemoved() {
        folder.Write("data/ini.txt", "a;1\r\nb;2\r\nc;3\r\n");
        BuildWorkingProfile();
        StoreSettingValue("a", "10");
        std::filesystem::remove(folder.At("data/nolt.ini"));
        StoreSettingValue("c", "30");
    }

    std::string Path(const std::string& relative) const {
        return folder.ProgramFolder() + "\\" + relative;
    }

    GameFolder folder;
};

struct ReadCase {
    std::string file, section, key, expected;
};

TEST_F(Settings, ReadsValuesByTheServiceRules) {
    const ReadCase cases[] = {
        {"[Sec]\r\nKey=Value\r\n", "sec", "KEY", "Value"},
        {"  [ sec ] \nk = v \n", "sec", "k", "v"},
        {"[s]\rk=v\r", "s", "k", "v"},
        {"[s]\r\nk=\"quoted\"\r\n", "s", "k", "quoted"},
        {"[s]\r\nk='single'\r\n", "s", "k", "single"},
        {"[s]\r\nk=\"open\r\n", "s", "k", "\"open"},
        {"[s]\r\n;k=comment\r\nk=w", "s", "k", "w"},
        {"[s]\r\nk=;x", "s", "k", ";x"},
        {"[s]\r\nk=a=b", "s", "k", "a=b"},
        {"[s]\r\nk=\r\n", "s", "k", ""},
        {"[s]\r\nk=1\r\nk=2\r\n", "s", "k", "1"},
        {"[s]x]\r\nk=1", "s", "k", "1"},
        // Only the first section of a name is searched.
        {"[s]\r\na=1\r\n[S]\r\nb=2\r\n", "s", "b", "default"},
        // Lines before the first heading belong to no section.
        {"k=1\r\n[s]\r\n", "s", "k", "default"},
        {"[s]\r\nk=1\r\n", "other", "k", "default"},
        {"[s]\r\nk=1\r\n", "s", "other", "default"},
    };
    for (const ReadCase& c : cases) {
        folder.Write("case.ini", c.file);
        EXPECT_EQ(ReadProfileValue(Path("case.ini"), c.section, c.key, "default"), c.expected)
            << testing::PrintToString(c.file);
    }
    EXPECT_EQ(ReadProfileValue(Path("missing.ini"), "s", "k", "default"), "default");
}

TEST_F(Settings, ReadSkipsLeadingBlanksAndCutsLongValues) {
    folder.Write("a.ini", "[Chinese Simplified]\r\nkey=value\r\nlong=" + std::string(12000, 'x'));
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "chinese simplified", "KEY"), "value");
    EXPECT_EQ(ReadProfileValue(" \t" + Path("a.ini"), "\x01 Chinese Simplified", "  key"), "value");
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "Chinese Simplified", "long"),
              std::string(10239, 'x'));
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "s", "missing", std::string(12000, 'd')),
              std::string(10239, 'd'));
    // An empty name, once blanks are skipped, reads the empty text even with a default.
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), " ", "key", "default"), "");
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "s", "", "default"), "");
}

TEST_F(Settings, AnEditedFileShowsAtTheNextRead) {
    folder.Write("a.ini", "[s]\r\nk=1\r\n");
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "s", "k"), "1");
    folder.Write("a.ini", "[s]\r\nk=22\r\n");
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "s", "k"), "22");
    std::filesystem::remove(folder.At("a.ini"));
    EXPECT_EQ(ReadProfileValue(Path("a.ini"), "s", "k", "gone"), "gone");
}

struct WriteCase {
    std::string before, section, key, value, after;
};

TEST_F(Settings, WritesChangeOnlyTheKeysLine) {
    const WriteCase cases[] = {
        {"[ini]\r\nA=1\r\nb=2\r\n", "ini", "a", "x", "[ini]\r\nA=x\r\nb=2\r\n"},
        {"; top\n[ini]\nk=1\n\n", "ini", "k", "9", "; top\n[ini]\nk=9\n\n"},
        {"[ini]\r\n  Key =1\r\n", "ini", "key", " a ", "[ini]\r\n  Key = a \r\n"},
        {"[ini]\r\nk=1\r\nz=\0\0\r\n"s, "ini", "k", "2", "[ini]\r\nk=2\r\nz=\0\0\r\n"s},
        {"[ini]\r\nk=1\r\n[ini]\r\nk=3\r\n", "ini", "k", "2", "[ini]\r\nk=2\r\n[ini]\r\nk=3\r\n"},
        // A new key goes after the section's last key line.
        {"[ini]\r\na=1\r\n\r\n;c\r\n[x]\r\n", "ini", "b", "2",
         "[ini]\r\na=1\r\nb=2\r\n\r\n;c\r\n[x]\r\n"},
        {"[ini]\r\n", "ini", "k", "v", "[ini]\r\nk=v\r\n"},
        {"[ini]\r\na=1", "ini", "b", "2", "[ini]\r\na=1\r\nb=2\r\n"},
        // A new section goes at the end.
        {"x=1", "s", "k", "v", "x=1\r\n[s]\r\nk=v\r\n"},
        {"x\n", "s", "k", "v", "x\n[s]\r\nk=v\r\n"},
        {"", "s", "k", "v", "[s]\r\nk=v\r\n"},
    };
    for (const WriteCase& c : cases) {
        folder.Write("case.ini", c.before);
        EXPECT_TRUE(WriteProfileValue(Path("case.ini"), c.section, c.key, c.value));
        EXPECT_EQ(folder.Read("case.ini"), c.after) << testing::PrintToString(c.before);
    }
    EXPECT_TRUE(WriteProfileValue(Path("new.ini"), "s", "k", "v"));
    EXPECT_EQ(folder.Read("new.ini"), "[s]\r\nk=v\r\n");
    EXPECT_FALSE(WriteProfileValue(Path("no\\such\\folder.ini"), "s", "k", "v"));
}

struct ConversionCase {
    std::string settings, profile, saved;
};

TEST_F(Settings, ConversionRoundTripHoldsByteForByte) {
    const ConversionCase cases[] = {
        {"\r\n\r\nautoSave;1\r\n", "[ini]\r\n\r\n\r\nautoSave=1\r\n", "autoSave;1\r\n"},
        {"note=a;b\r\n", "[ini]\r\nnote=a=b\r\n", "note;a;b\r\n"},
        {"k;[ini]x\r\n[ini]\r\n", "[ini]\r\nk=[ini]x\r\n[ini]\r\n", "k;x\r\n\r\n"},
        {"k;[INI]\r\n", "[ini]\r\nk=[INI]\r\n", "k;[INI]\r\n"},
        {"; comment\r\nk;1", "[ini]\r\n= comment\r\nk=1", "; comment\r\nk;1"},
        {"", "[ini]\r\n", ""},
        {"k;\xB0;x\r\n", "[ini]\r\nk=\xB0;x\r\n", "k;\xB0;x\r\n"},
        {"a;1\r\n\0rest;2\r\n"s, "[ini]\r\na=1\r\n", "a;1\r\n"},
        {"a;1\x1A;junk", "[ini]\r\na=1", "a;1"},
        {"\rk;1", "[ini]\r\n\rk=1", "\rk;1"},
        {"\n\r\nk;1", "[ini]\r\n\n\r\nk=1", "\n\r\nk;1"},
        {"a;1\r\n\r\nb;2", "[ini]\r\na=1\r\n\r\nb=2", "a;1\r\n\r\nb;2"},
    };
    for (const ConversionCase& c : cases) {
        folder.Write("data/ini.txt", c.settings);
        BuildWorkingProfile();
        EXPECT_EQ(folder.Read("data/nolt.ini"), c.profile) << testing::PrintToString(c.settings);
        EXPECT_TRUE(WriteBackSettings());
        EXPECT_EQ(folder.Read("data/ini.txt"), c.saved) << testing::PrintToString(c.settings);
        DeleteWorkingProfile();
        EXPECT_FALSE(folder.Exists("data/nolt.ini"));
    }
}

TEST_F(Settings, StoredValuesReachTheSettingsFileAtTheEndOfTheSection) {
    folder.Write("data/ini.txt", "a;1\r\nb;x;y\r\n");
    BuildWorkingProfile();
    StoreSettingValue("a", "p=q");
    StoreSettingValue("new", "");
    EXPECT_TRUE(WriteBackSettings());
    EXPECT_EQ(folder.Read("data/ini.txt"), "a;p;q\r\nb;x;y\r\nnew;\r\n");
    EXPECT_EQ(folder.Read("data/nolt.ini"), "[ini]\r\na=p=q\r\nb=x=y\r\nnew=\r\n");
}

TEST_F(Settings, WholeFileWriteIsAtomic) {
    folder.Write("data/ini.txt", "old;content\r\n");
    platform::FailNextWholeFileWrite();
    EXPECT_FALSE(WriteWholeFile(Path("data\\ini.txt"), std::string(100000, 'n')));
    EXPECT_EQ(folder.Read("data/ini.txt"), "old;content\r\n");
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder.At("data"))) {
        ++entries;
    }
    EXPECT_EQ(entries, 1) << "no temporary file is left behind";
    EXPECT_TRUE(WriteWholeFile(Path("data\\ini.txt"), "new;content"));
    EXPECT_EQ(folder.Read("data/ini.txt"), "new;content");
}

TEST_F(Settings, AWorkingProfileRemovedFromOutsideLosesNoSetting) {
    EditWhileTheWorkingProfileIsRemoved();
    EXPECT_TRUE(WriteBackSettings());
    EXPECT_EQ(folder.Read("data/ini.txt"), "a;10\r\nb;2\r\nc;30\r\n");
}

TEST_F(Settings, ASaveThatCannotRebuildKeepsEveryStoredValueForTheNextTry) {
    EditWhileTheWorkingProfileIsRemoved();
    std::filesystem::rename(folder.At("data/ini.txt"), folder.At("data/away.txt"));
    std::filesystem::create_directories(folder.At("data/ini.txt"));
    EXPECT_FALSE(WriteBackSettings());
    EXPECT_EQ(folder.Read("data/nolt.ini"), "[ini]\r\nc=30\r\n");

    std::filesystem::remove(folder.At("data/ini.txt"));
    std::filesystem::rename(folder.At("data/away.txt"), folder.At("data/ini.txt"));
    EXPECT_TRUE(WriteBackSettings());
    EXPECT_EQ(folder.Read("data/ini.txt"), "a;10\r\nb;2\r\nc;30\r\n");
}

TEST_F(Settings, ASettingsFileThatCannotBeReadIsNeverOverwritten) {
    // A folder where the settings file should be cannot be opened as a file.
    std::filesystem::create_directories(folder.At("data/ini.txt"));
    BuildWorkingProfile();
    EXPECT_EQ(folder.Read("data/nolt.ini"), "[ini]\r\n");
    StoreSettingValue("a", "1");
    EXPECT_FALSE(WriteBackSettings());
    EXPECT_TRUE(std::filesystem::is_directory(folder.At("data/ini.txt")));
}

}  // namespace
