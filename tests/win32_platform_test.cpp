// The Windows platform layer: paths in the ANSI code page, files with the
// sharing the program promises, the named event, the file browser's command.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <thread>
#include <vector>

#include "backup/daily_backup.h"
#include "platform/platform.h"
#include "platform/win32/win32_platform.h"
#include "tests/game_folder.h"

namespace {

namespace fs = std::filesystem;

TEST(Win32Platform, PathsCrossInTheSystemsCodePage) {
    // The tests run under the Chinese code page, where the day's folder reads 年月日.
    ASSERT_EQ(GetACP(), 936u);
    GameFolder folder;
    const std::string day = folder.ProgramFolder() + "\\" + DayStamp({2026, 12, 11});
    EXPECT_TRUE(platform::MakeFolder(day));
    EXPECT_FALSE(platform::MakeFolder(day));
    EXPECT_TRUE(fs::is_directory(folder.Root() / L"2026\u5E7412\u670811\u65E5"));
    EXPECT_TRUE(platform::SetCurrentFolder(day));
    EXPECT_EQ(platform::CurrentFolder(), day);
    platform::SetCurrentFolder(folder.ProgramFolder());

    const std::string program = platform::ProgramFilePath();
    EXPECT_EQ(program.substr(program.rfind('\\')), "\\win32_platform_test.exe");
}

TEST(Win32Platform, FilesOpenForUpdateAreSharedAndHeldOnesAreLeftAlone) {
    GameFolder folder;
    const std::string root = folder.ProgramFolder();
    folder.Write("a.txt", "second");
    // A file open for update stays open to others for reading and writing...
    const platform::FileNumber file = platform::OpenForUpdate(root + "\\a.txt");
    ASSERT_NE(file, 0);
    EXPECT_EQ(folder.Read("a.txt"), "second");
    const HANDLE other =
        CreateFileA((root + "\\a.txt").c_str(), GENERIC_READ | GENERIC_WRITE,
                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_NE(other, INVALID_HANDLE_VALUE);
    CloseHandle(other);
    platform::CloseFile(file);

    // ...and one that another program holds without sharing cannot be opened,
    // read or replaced: it keeps its content.
    const HANDLE held = CreateFileA((root + "\\a.txt").c_str(), GENERIC_READ, 0, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_EQ(platform::OpenForUpdate(root + "\\a.txt"), 0);
    std::string bytes;
    EXPECT_FALSE(platform::ReadWholeFile(root + "\\a.txt", bytes));
    EXPECT_FALSE(platform::ReplaceWholeFile(root + "\\a.txt", "new"));
    CloseHandle(held);
    EXPECT_EQ(folder.Read("a.txt"), "second");
}

TEST(Win32Platform, ExactlyOneOfManyClaimsStartedAtOnceGetsTheMarker) {
    // Threads stand in for processes: each claim opens and creates the named
    // event as a process of its own would.
    const std::string name = "Brask NOLT test " + std::to_string(GetCurrentProcessId());
    constexpr int kClaims = 8;
    std::atomic<bool> go = false;
    std::atomic<int> claimed = 0;
    std::vector<std::thread> claims;
    for (int i = 0; i < kClaims; ++i) {
        claims.emplace_back([&] {
            while (!go) {
            }
            claimed += platform::ClaimInstanceMarker(name) ? 1 : 0;
        });
    }
    go = true;
    for (std::thread& claim : claims) {
        claim.join();
    }
    EXPECT_EQ(claimed, 1);
    EXPECT_FALSE(platform::ClaimInstanceMarker(name));
    // The marker goes with the handles that held it.
    platform::ReleaseInstanceMarkerForTest();
    EXPECT_TRUE(platform::ClaimInstanceMarker(name));
    platform::ReleaseInstanceMarkerForTest();
}

TEST(Win32Platform, TheFileBrowserStartsOnThePublishFolderAsOneCommandLine) {
    // No quotation marks: the folder follows "explorer " as it is.
    EXPECT_EQ(platform::FileBrowserCommandLine("C:\\Games\\My Studio\\Brask Plus\\"),
              "explorer C:\\Games\\My Studio\\Brask Plus\\");
}

}  // namespace
