// The language file we ship, and the start-up language and captions.
#include "localisation/language_choice.h"
#include "localisation/language_file.h"
#include "settings/profile_access.h"
#include "settings/setting_catalogue.h"
#include "table_editor/column_keys.h"
#include "tests/app_fixture.h"

namespace {

using namespace SettingsRole;

constexpr const char* kSections[] = {"Chinese Simplified", "Chinese Traditional", "English"};

class Localisation : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.Write("data/ini.txt", "startMoney;1\r\n");
    }
};

TEST_F(Localisation, ShippedLanguageFileIsCompleteInEveryLanguage) {
    folder.AddLanguageFile();
    const std::string file = folder.ProgramFolder() + "\\language.ini";
    std::vector<std::string> keys = {"title", "language"};
    for (int key = 1; key <= 28; ++key) {
        keys.push_back(std::to_string(key));
    }
    keys.insert(keys.end(), kSettingCatalogue.begin(), kSettingCatalogue.end());
    keys.insert(keys.end(), kColumnKeyCatalogue.begin(), kColumnKeyCatalogue.end());
    for (const char* section : kSections) {
        for (const std::string& key : keys) {
            EXPECT_NE(ReadProfileValue(file, section, key, "<missing>"), "<missing>")
                << section << " lacks " << key;
        }
    }
}

TEST_F(Localisation, CaptionsFollowTheLanguageAndDefaultsFillTheGaps) {
    folder.Write("language.ini",
                 "[Chinese Simplified]\r\ntitle=\r\n1=Group\r\n5=Keep\r\nlanguage=Lang\r\n"
                 "[English]\r\n5=Save\r\n");
    Start();
    // A title present but empty gives the version alone: the default is for a missing key.
    EXPECT_EQ(TextOf(SettingsEditorWindow), "          Version:1.13");
    EXPECT_EQ(TextOf(SettingsGroup), "Group");
    EXPECT_EQ(TextOf(SaveButton), "Keep");
    EXPECT_EQ(TextOf(LanguageLabel), "Lang");

    tk::headless::Pick(Role(change), 2);
    EXPECT_EQ(TextOf(SettingsEditorWindow), "Brask Tools          Version:1.13");
    EXPECT_EQ(TextOf(SettingsGroup), "");
    EXPECT_EQ(TextOf(SaveButton), "Save");
    EXPECT_EQ(TextOf(LanguageLabel), "language");

    // A section the file lacks gives every default.
    tk::headless::Pick(Role(change), 1);
    EXPECT_EQ(TextOf(SaveButton), "");
    EXPECT_EQ(tk::ItemText(Role(SettingList), 6), "startMoney");
    EXPECT_EQ(tk::ItemText(Role(change), 1), "[Chinese Traditional]");
}

TEST_F(Localisation, AnEditedLanguageFileShowsAtTheNextRead) {
    folder.Write("language.ini", "[Chinese Simplified]\r\n9=old\r\n");
    Start();
    EXPECT_EQ(ReadLanguageText("9"), "old");
    folder.Write("language.ini", "[Chinese Simplified]\r\n9=new text\r\n");
    EXPECT_EQ(ReadLanguageText("9"), "new text");
}

TEST_F(Localisation, TheMendedMessagesSaySomethingWithAnOlderLanguageFile) {
    folder.Write("language.ini", "[Chinese Simplified]\r\n4=ok\r\n");
    Start();
    ShowLanguageMessage(messages::kSettingsNotSaved);
    EXPECT_EQ(Messages().back().text, messages::kSettingsNotSaved.fallback);
    EXPECT_FALSE(Messages().back().text.empty());
}

}  // namespace
