// Publishing the game's edited files into Brask Plus, in each language.
#include <algorithm>
#include <filesystem>

#include "backup/publish.h"
#include "localisation/language_file.h"
#include "platform/platform.h"
#include "tests/app_fixture.h"

namespace {

namespace fs = std::filesystem;

using namespace SettingsRole;

// Every file under Brask Plus, relative to it, sorted.
std::vector<std::string> PublishedFiles(const GameFolder& folder) {
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder.At("Brask Plus"))) {
        if (entry.is_regular_file()) {
            files.push_back(fs::relative(entry.path(), folder.At("Brask Plus")).generic_string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

class Publish : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        platform::RecordFileBrowserStarts();
        folder.AddLanguageFile();
        folder.Write("data/ini.txt", "startMoney;5000\r\n");
        folder.Write("data/research.txt", "research\r\n");
        folder.Write("data/genres1.txt", "genres1\r\n");
        folder.Write("data/genres1_en.txt", "genres1_en\r\n");
        for (const char* n : {"1", "3", "4"}) {
            folder.Write(std::string("data/") + n + "/trainings.txt", std::string("t") + n);
        }
        Start();
    }

    void ChooseLanguage(int item) { tk::headless::Pick(Role(change), item); }
};

TEST_F(Publish, EachLanguageCopiesItsFilesThenOpensTheFolder) {
    struct Case {
        int item;
        std::vector<std::string> files;
        const char* rating;  // the published rating table and its source
        const char* ratingSource;
    };
    const Case cases[] = {
        {0,
         {"data/4/trainings.txt", "genres1.txt", "ini.txt", "research.txt"},
         "genres1.txt",
         "genres1\r\n"},
        {1,
         {"data/3/trainings.txt", "genres1.txt", "ini.txt", "research.txt"},
         "genres1.txt",
         "genres1\r\n"},
        {2,
         {"data/1/trainings.txt", "ggenres1_en.txt", "ini.txt", "research.txt"},
         "ggenres1_en.txt",
         "genres1_en\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.item);
        fs::remove_all(folder.At("Brask Plus"));
        ChooseLanguage(c.item);
        const std::size_t shown = Messages().size();
        const std::size_t started = platform::RecordedFileBrowserStarts().size();
        tk::headless::Click(Role(PublishButton));

        EXPECT_EQ(PublishedFiles(folder), c.files);
        EXPECT_EQ(folder.Read(std::string("Brask Plus/") + c.rating), c.ratingSource);
        EXPECT_EQ(folder.Read("Brask Plus/ini.txt"), "startMoney;5000\r\n");
        ASSERT_EQ(Messages().size(), shown + 1);
        EXPECT_EQ(Messages().back().caption, "HELP");
        EXPECT_EQ(Messages().back().kind, tk::MessageKind::SystemModalInformation);
        EXPECT_EQ(Messages().back().text, ReadLanguageText("23"));
        ASSERT_EQ(platform::RecordedFileBrowserStarts().size(), started + 1);
        EXPECT_EQ(platform::RecordedFileBrowserStarts().back(),
                  folder.ProgramFolder() + "\\Brask Plus\\");
    }
}

TEST_F(Publish, AFailedCopyIsNamedInsteadOfTheSuccessMessage) {
    fs::remove(folder.At("data/4/trainings.txt"));  // missing: nothing to publish, no failure
    fs::create_directories(folder.At("Brask Plus/ini.txt"));  // a folder where the copy goes
    tk::headless::Click(Role(PublishButton));
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages().back().kind, tk::MessageKind::Warning);
    EXPECT_EQ(Messages().back().text, ReadLanguageText("28") + "\r\n\r\n" + folder.ProgramFolder() +
                                          "\\Brask Plus\\ini.txt");
    EXPECT_EQ(folder.Read("Brask Plus/research.txt"), "research\r\n");
    EXPECT_FALSE(folder.Exists("Brask Plus/data/4/trainings.txt"));
    EXPECT_FALSE(platform::RecordedFileBrowserStarts().empty());
}

}  // namespace
