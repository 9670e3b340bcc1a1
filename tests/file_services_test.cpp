// The file services of the platform layer, the same on every system.
#include <gtest/gtest.h>

#include "platform/platform.h"
#include "tests/game_folder.h"

namespace {

TEST(FileServices, FilesAreCopiedReplacedWholeAndOpenedForUpdate) {
    GameFolder folder;
    const std::string root = folder.ProgramFolder();
    folder.Write("a.txt", "first");
    EXPECT_TRUE(platform::CopyFileOver(root + "\\a.txt", root + "\\b.txt"));
    EXPECT_EQ(folder.Read("b.txt"), "first");
    folder.Write("a.txt", "second");
    const platform::FileVersion before = platform::VersionOf(root + "\\b.txt");
    EXPECT_TRUE(platform::CopyFileOver(root + "\\a.txt", root + "\\b.txt"));
    EXPECT_EQ(folder.Read("b.txt"), "second");
    EXPECT_NE(platform::VersionOf(root + "\\b.txt"), before);
    EXPECT_FALSE(platform::CopyFileOver(root + "\\missing.txt", root + "\\c.txt"));
    EXPECT_FALSE(platform::CopyFileOver(root + "\\a.txt", root + "\\no\\c.txt"));
    EXPECT_FALSE(folder.Exists("c.txt"));

    const platform::FileNumber file = platform::OpenForUpdate(root + "\\a.txt");
    ASSERT_NE(file, 0);
    char buffer[16];
    EXPECT_EQ(platform::ReadBytes(file, buffer, sizeof buffer), 6);
    // Written over in place, then cut where the writing ended.
    EXPECT_TRUE(platform::SeekTo(file, 3));
    EXPECT_TRUE(platform::WriteBytes(file, "x"));
    EXPECT_TRUE(platform::EndFileHere(file));
    platform::CloseFile(file);
    EXPECT_EQ(folder.Read("a.txt"), "secx");
    EXPECT_EQ(platform::ReadBytes(file, buffer, sizeof buffer), 0);
    EXPECT_EQ(platform::OpenForUpdate(root + "\\missing.txt"), 0);
    EXPECT_TRUE(platform::RemoveFile(root + "\\a.txt"));
    EXPECT_FALSE(platform::PathExists(root + "\\a.txt"));
}

}  // namespace
