// The settings editor as a user drives it: pick, focus, type, leave, Save,
// switch the language, close.
#include <algorithm>

#include "localisation/language_file.h"
#include "platform/platform.h"
#include "settings/setting_catalogue.h"
#include "tests/app_fixture.h"

namespace {

using namespace SettingsRole;
using tk::headless::Click;
using tk::headless::Focus;
using tk::headless::Pick;
using tk::headless::Type;

constexpr int kStartMoney = 6;  // position of startMoney in the catalogue
constexpr int kStartDate = 5;   // position of startDate

class SettingsEditor : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", kSettings);
    }

    // What a user does to give a setting a new value: click in, replace the text.
    void Enter(const std::string& text) {
        Focus(Role(ValueEdit));
        tk::SelectAllText(Role(ValueEdit));
        Type(text);
    }

    static constexpr const char* kSettings =
        "; settings\r\nstartDate;1976\r\nstartMoney;5000;x\r\n";
};

TEST_F(SettingsEditor, StartsInChineseSimplifiedWithBothListsFilled) {
    Start();
    EXPECT_EQ(TextOf(SettingsEditorWindow), "Brask \xB9\xA4\xBE\xDF\xCF\xE4          Version:1.13");
    EXPECT_EQ(TextOf(SaveButton), ReadLanguageText("5"));
    EXPECT_EQ(TextOf(AboutButton), "About");
    EXPECT_EQ(tk::Selection(Role(change)), 0);
    ASSERT_EQ(tk::ItemCount(Role(SettingList)), 104);
    ASSERT_EQ(tk::ItemCount(Role(INI)), 104);
    EXPECT_EQ(tk::ItemText(Role(INI), kStartMoney), "startMoney");
    EXPECT_NE(tk::ItemText(Role(SettingList), kStartMoney), "startMoney");
    EXPECT_FALSE(tk::IsEnabled(Role(ValueEdit)));
    EXPECT_FALSE(tk::IsEnabled(Role(SaveButton)));
    EXPECT_FALSE(tk::IsShown(Role(INI)));
    EXPECT_EQ(folder.Read("data/nolt.ini"),
              "[ini]\r\n= settings\r\nstartDate=1976\r\nstartMoney=5000=x\r\n");
}

TEST_F(SettingsEditor, PickTypeLeaveAndSave) {
    Start();
    Pick(Role(SettingList), kStartMoney);
    EXPECT_EQ(tk::Selection(Role(INI)), kStartMoney);
    EXPECT_EQ(TextOf(ValueEdit), "5000=x");
    EXPECT_FALSE(tk::IsEnabled(Role(SaveButton)));

    Enter("a=b");
    EXPECT_TRUE(tk::IsEnabled(Role(SaveButton)));
    const std::size_t before = Messages().size();
    Click(Role(SaveButton));

    EXPECT_EQ(folder.Read("data/ini.txt"), "; settings\r\nstartDate;1976\r\nstartMoney;a;b\r\n");
    EXPECT_EQ(TextOf(ValueEdit), "a=b");
    EXPECT_NE(folder.Read("data/nolt.ini").find("startMoney=a=b\r\n"), std::string::npos);
    ASSERT_EQ(Messages().size(), before + 1);
    EXPECT_EQ(Messages().back().caption, "HELP");
    EXPECT_EQ(Messages().back().kind, tk::MessageKind::Information);
    EXPECT_EQ(Messages().back().text, ReadLanguageText("4"));
    EXPECT_TRUE(tk::IsEnabled(Role(SaveButton)));
}

TEST_F(SettingsEditor, OneSaveCarriesEverySettingEdited) {
    Start();
    Pick(Role(SettingList), kStartDate);
    Enter("1980");
    Pick(Role(SettingList), kStartMoney);  // leaving ValueEdit stores 1980
    Enter("99");
    Click(Role(SaveButton));
    EXPECT_EQ(folder.Read("data/ini.txt"), "; settings\r\nstartDate;1980\r\nstartMoney;99\r\n");
}

TEST_F(SettingsEditor, ASettingTheFileLacksIsAddedEmptyAtTheEnd) {
    Start();
    Pick(Role(SettingList), 0);  // autoSave
    EXPECT_EQ(TextOf(ValueEdit), "");
    Focus(Role(ValueEdit));
    Click(Role(SaveButton));
    EXPECT_EQ(folder.Read("data/ini.txt"),
              "; settings\r\nstartDate;1976\r\nstartMoney;5000;x\r\nautoSave;\r\n");
}

TEST_F(SettingsEditor, LanguageSwitchRelabelsAndKeepsTheEditedSetting) {
    Start();
    Pick(Role(SettingList), kStartMoney);
    Enter("7");
    Pick(Role(change), 2);

    EXPECT_EQ(TextOf(SettingsEditorWindow), "Brask Tools          Version:1.13");
    EXPECT_EQ(TextOf(SaveButton), "Save");
    EXPECT_EQ(TextOf(LanguageLabel), "Language:");
    EXPECT_EQ(TextOf(AboutButton), "About");
    EXPECT_EQ(tk::ItemText(Role(SettingList), kStartMoney), "Start money");
    EXPECT_EQ(tk::ItemCount(Role(SettingList)), 104);
    EXPECT_EQ(tk::Selection(Role(SettingList)), -1);
    EXPECT_EQ(tk::ItemCount(Role(INI)), 104);
    EXPECT_EQ(tk::Selection(Role(INI)), kStartMoney);
    EXPECT_TRUE(tk::IsEnabled(Role(SettingList)));
    EXPECT_TRUE(tk::IsEnabled(Role(change)));
    EXPECT_FALSE(tk::IsEnabled(Role(SaveButton)));
    EXPECT_EQ(TextOf(ValueEdit), "7");

    Enter("8");
    EXPECT_TRUE(tk::IsEnabled(Role(SaveButton)));
    Click(Role(SaveButton));
    EXPECT_EQ(folder.Read("data/ini.txt"), "; settings\r\nstartDate;1976\r\nstartMoney;8\r\n");
    EXPECT_EQ(Messages().back().text, "Saved.");

    Pick(Role(change), 1);
    EXPECT_EQ(TextOf(SaveButton), ReadLanguageText("5"));
    EXPECT_EQ(ReadLanguageText("5"), "\x83\xA6\xB4\xE6");  // 儲存 in GBK
    EXPECT_EQ(tk::ItemCount(Role(INI)), 104);
}

TEST_F(SettingsEditor, ClosingWithoutSaveKeepsTheSettingsFile) {
    Start();
    Pick(Role(SettingList), kStartMoney);
    Enter("1");
    Focus(Role(SettingList));
    EXPECT_NE(folder.Read("data/nolt.ini").find("startMoney=1\r\n"), std::string::npos);
    tk::headless::Close(kSettingsWindow);
    EXPECT_FALSE(tk::headless::IsOpen(kSettingsWindow));
    EXPECT_EQ(folder.Read("data/ini.txt"), kSettings);
    EXPECT_FALSE(folder.Exists("data/nolt.ini"));
}

TEST_F(SettingsEditor, AWorkingProfileDeletedDuringTheRunLosesNothingAtSave) {
    Start();
    Pick(Role(SettingList), kStartDate);
    Enter("1990");
    Focus(Role(SettingList));
    std::filesystem::remove(folder.At("data/nolt.ini"));
    Pick(Role(SettingList), kStartMoney);
    Enter("42");
    Click(Role(SaveButton));
    EXPECT_EQ(folder.Read("data/ini.txt"), "; settings\r\nstartDate;1990\r\nstartMoney;42\r\n");
    EXPECT_EQ(Messages().back().caption, "HELP");
    EXPECT_EQ(Messages().back().kind, tk::MessageKind::Information);
}

TEST_F(SettingsEditor, ASaveThatCannotWriteWarnsInsteadOfConfirming) {
    Start();
    Pick(Role(SettingList), kStartMoney);
    Enter("1");
    // A folder standing where the settings file was cannot be replaced.
    std::filesystem::remove(folder.At("data/ini.txt"));
    std::filesystem::create_directories(folder.At("data/ini.txt/held"));
    Click(Role(SaveButton));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().kind, tk::MessageKind::Warning);
    EXPECT_EQ(Messages().back().caption, "HELP");
    EXPECT_EQ(Messages().back().text, ReadLanguageText("25"));
    EXPECT_TRUE(std::filesystem::is_directory(folder.At("data/ini.txt")));
}

TEST_F(SettingsEditor, WithoutALanguageFileEveryTextHasItsDefault) {
    std::filesystem::remove(folder.At("language.ini"));
    Start();
    EXPECT_EQ(TextOf(SettingsEditorWindow), "Brask Tools          Version:1.13");
    EXPECT_EQ(TextOf(LanguageLabel), "language");
    EXPECT_EQ(TextOf(SaveButton), "");
    for (int i = 0; i < 104; ++i) {
        EXPECT_EQ(tk::ItemText(Role(SettingList), i),
                  kSettingCatalogue[static_cast<std::size_t>(i)]);
    }
    Pick(Role(SettingList), kStartMoney);
    EXPECT_EQ(TextOf(ValueEdit), "5000=x");
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().front().text, "");  // the backup message, in no language
}

TEST_F(SettingsEditor, TheIniSectionMapsASettingToAnotherKey) {
    folder.Write("language.ini", "[INI]\r\nstartMoney=money\r\n");
    folder.Write("data/ini.txt", "startMoney;1\r\nmoney;2\r\n");
    Start();
    Pick(Role(SettingList), kStartMoney);
    EXPECT_EQ(TextOf(ValueEdit), "2");
    Enter("3");
    Click(Role(SaveButton));
    EXPECT_EQ(folder.Read("data/ini.txt"), "startMoney;1\r\nmoney;3\r\n");
}

}  // namespace
