#include "backup/publish.h"

#include "app/app_state.h"
#include "localisation/language_file.h"
#include "platform/platform.h"

namespace {

struct PublishCopy {
    const char* source;  // in ProgramFolder
    const char* target;  // in ProgramFolder
};

// What each language publishes beside the files every language publishes.
struct LanguagePublish {
    const char* section;
    const char* trainingsFolder;
    PublishCopy trainings;
    PublishCopy rating;
};

constexpr LanguagePublish kLanguagePublishes[] = {
    {"Chinese Traditional",
     "\\Brask Plus\\data\\3",
     {"\\data\\3\\trainings.txt", "\\Brask Plus\\data\\3\\trainings.txt"},
     {"\\data\\genres1.txt", "\\Brask Plus\\genres1.txt"}},
    {"Chinese Simplified",
     "\\Brask Plus\\data\\4",
     {"\\data\\4\\trainings.txt", "\\Brask Plus\\data\\4\\trainings.txt"},
     {"\\data\\genres1.txt", "\\Brask Plus\\genres1.txt"}},
    {"English",
     "\\Brask Plus\\data\\1",
     {"\\data\\1\\trainings.txt", "\\Brask Plus\\data\\1\\trainings.txt"},
     {"\\data\\genres1_en.txt", "\\Brask Plus\\ggenres1_en.txt"}},
};

constexpr PublishCopy kEveryLanguage[] = {
    {"\\data\\ini.txt", "\\Brask Plus\\ini.txt"},
    {"\\data\\research.txt", "\\Brask Plus\\research.txt"},
};

// A source that does not exist is nothing to publish; any other failure adds
// the target to failed.
void Publish(const PublishCopy& copy, std::string& failed) {
    const std::string source = InProgramFolder(copy.source);
    const std::string target = InProgramFolder(copy.target);
    if (platform::PathExists(source) && !platform::CopyFileOver(source, target)) {
        failed.append(failed.empty() ? "" : "\r\n").append(target);
    }
}

}  // namespace

void PublishEdits() {
    platform::MakeFolder(InProgramFolder("\\Brask Plus"));
    platform::MakeFolder(InProgramFolder("\\Brask Plus\\data"));
    std::string failed;
    for (const LanguagePublish& language : kLanguagePublishes) {
        if (State().languageSection == language.section) {
            platform::MakeFolder(InProgramFolder(language.trainingsFolder));
            Publish(language.trainings, failed);
            Publish(language.rating, failed);
            break;
        }
    }
    for (const PublishCopy& copy : kEveryLanguage) {
        Publish(copy, failed);
    }
    if (failed.empty()) {
        ShowLanguageMessage(messages::kPublished);
    } else {
        ShowLanguageMessage(messages::kPublishIncomplete, failed);
    }
    platform::StartFileBrowser(InProgramFolder("\\Brask Plus\\"));
}
