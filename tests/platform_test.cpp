// The POSIX platform layer: paths in the program's code page, the instance marker.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "backup/daily_backup.h"
#include "platform/platform.h"
#include "tests/game_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(Platform, PathsCrossInTheProgramsCodePage) {
    GameFolder folder;
    const std::string day = folder.ProgramFolder() + "\\" + DayStamp({2026, 12, 11});
    EXPECT_TRUE(platform::MakeFolder(day));
    EXPECT_FALSE(platform::MakeFolder(day));
    EXPECT_TRUE(
        fs::is_directory(folder.At("2026\xE5\xB9\xB4"
                                   "12\xE6\x9C\x88"
                                   "11\xE6\x97\xA5")));
    EXPECT_TRUE(platform::SetCurrentFolder(day));
    EXPECT_EQ(platform::CurrentFolder(), day);

    const std::string program = platform::ProgramFilePath();
    EXPECT_EQ(program.substr(program.rfind('\\')), "\\platform_test");
    EXPECT_EQ(program.find('/'), std::string::npos);
}

TEST(Platform, ExactlyOneOfManyProcessesStartedAtOnceGetsTheMarker) {
    GameFolder folder;
    setenv("XDG_RUNTIME_DIR", folder.Root().c_str(), 1);
    constexpr int kProcesses = 8;
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    std::vector<pid_t> children;
    for (int i = 0; i < kProcesses; ++i) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            close(go[1]);
            char start;
            // Every process waits for the same moment, then claims the marker and
            // keeps it until all have tried.
            [[maybe_unused]] ssize_t n = read(go[0], &start, 1);
            const bool claimed = platform::ClaimInstanceMarker("Brask NOLT");
            sleep(1);
            _exit(claimed ? 0 : 1);
        }
        children.push_back(child);
    }
    close(go[0]);
    close(go[1]);  // releases every waiting process at once
    int claimed = 0;
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        ASSERT_TRUE(WIFEXITED(status));
        claimed += WEXITSTATUS(status) == 0 ? 1 : 0;
    }
    EXPECT_EQ(claimed, 1);
    // The marker goes with the process that held it.
    EXPECT_TRUE(platform::ClaimInstanceMarker("Brask NOLT"));
}

}  // namespace
