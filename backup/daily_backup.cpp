#include "backup/daily_backup.h"

#include "app/app_state.h"
#include "localisation/language_choice.h"
#include "localisation/language_file.h"

namespace {

struct BackupCopy {
    const char* source;  // in ProgramFolder
    const char* target;  // in the day's folder
};

constexpr BackupCopy kDataCopies[] = {
    {"\\data\\ini.txt", "\\ini.txt"},
    {"\\data\\research.txt", "\\research.txt"},
    {"\\data\\genres1.txt", "\\genres1.txt"},
    {"\\data\\genres1_en.txt", "\\ggenres1_en.txt"},
};

// Copies source over target. A source that does not exist is nothing to copy;
// any other failure adds the source to failed.
void CopyIntoBackup(const std::string& source, const std::string& target, std::string& failed) {
    if (platform::PathExists(source) && !platform::CopyFileOver(source, target)) {
        failed.append(failed.empty() ? "" : "\r\n").append(source);
    }
}

}  // namespace

std::string DayStamp(platform::Date date) {
    return std::to_string(date.year) + "\xC4\xEA" + std::to_string(date.month) + "\xD4\xC2" +
           std::to_string(date.day) + "\xC8\xD5";
}

std::string DayStamp() {
    return DayStamp(platform::LocalDate());
}

void MakeDailyBackup() {
    // One stamp for the whole backup, so that a backup across midnight stays in one folder.
    const std::string dayFolder = "toolsbak\\" + DayStamp();
    if (platform::PathExists(InProgramFolder("\\" + dayFolder + "\\ini.txt"))) {
        return;
    }
    platform::MakeFolder("toolsbak\\");
    platform::MakeFolder("Brask Plus\\");
    platform::MakeFolder(dayFolder);

    std::string failed;
    const std::string n =
        std::to_string(LanguageOfSystemCode(SystemLanguageCode())->trainingsFolder);
    platform::MakeFolder(dayFolder + "\\" + n);
    CopyIntoBackup(InProgramFolder("\\data\\" + n + "\\trainings.txt"),
                   dayFolder + "\\" + n + "\\trainings.txt", failed);
    for (const BackupCopy& copy : kDataCopies) {
        CopyIntoBackup(InProgramFolder(copy.source), dayFolder + copy.target, failed);
    }

    if (failed.empty()) {
        ShowLanguageMessage(messages::kBackupMade);
    } else {
        ShowLanguageMessage(messages::kBackupIncomplete, failed);
    }
}
