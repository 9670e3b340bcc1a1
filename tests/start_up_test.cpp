// The start of the program: its folder, its order of steps, the single-instance guard.
#include <filesystem>

#include "localisation/language_file.h"
#include "platform/platform.h"
#include "tests/app_fixture.h"

namespace {

using namespace SettingsRole;

class StartUp : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startMoney;1\r\n");
    }
};

TEST_F(StartUp, WorksFromAnyCurrentFolder) {
    std::filesystem::current_path(std::filesystem::temp_directory_path().root_path());
    Start();
    EXPECT_EQ(platform::CurrentFolder(), folder.ProgramFolder());
    EXPECT_EQ(State().programFolder, folder.ProgramFolder());
    EXPECT_TRUE(folder.Exists("toolsbak"));
    EXPECT_TRUE(folder.Exists("Brask Plus"));
    EXPECT_TRUE(folder.Exists("data/nolt.ini"));
    EXPECT_EQ(State().tableFile, 0);
    EXPECT_TRUE(tk::headless::IsOpen(kSettingsWindow));
}

TEST_F(StartUp, ASecondInstanceSaysSoAndTouchesNothing) {
    // This process plays the running instance.
    ASSERT_TRUE(platform::ClaimInstanceMarker("Brask NOLT"));
    folder.Write("data/nolt.ini", "[ini]\r\nstartMoney=running\r\n");
    Start();

    // The language, captions and lists come before the guard.
    EXPECT_EQ(State().languageSection, "Chinese Simplified");
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0].caption, "Info:");
    EXPECT_EQ(Messages()[0].kind, tk::MessageKind::Information);
    EXPECT_EQ(Messages()[0].text, ReadLanguageText("9"));
    EXPECT_FALSE(tk::headless::IsOpen(kSettingsWindow));

    EXPECT_EQ(folder.Read("data/nolt.ini"), "[ini]\r\nstartMoney=running\r\n");
    EXPECT_EQ(folder.Read("data/ini.txt"), "startMoney;1\r\n");
    EXPECT_FALSE(folder.Exists("toolsbak"));
    EXPECT_FALSE(folder.Exists("Brask Plus"));
}

TEST_F(StartUp, ClosingTheWindowEndsTheRunAndRemovesTheWorkingProfile) {
    Start();
    EXPECT_TRUE(folder.Exists("data/nolt.ini"));
    tk::headless::Close(kSettingsWindow);
    EXPECT_FALSE(tk::headless::IsOpen(kSettingsWindow));
    EXPECT_FALSE(folder.Exists("data/nolt.ini"));
    EXPECT_EQ(folder.Read("data/ini.txt"), "startMoney;1\r\n");
}

}  // namespace
