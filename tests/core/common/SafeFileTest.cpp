#include "common/SafeFile.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/resource.h>

#include <gtest/gtest.h>

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using test::LimitFileSizeTo;

namespace fs = std::filesystem;

std::vector<std::string> Entries(const fs::path& directory)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(directory)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(WriteFileSafely, CreatesANewFileWithExactlyTheBytes)
{
    test::TempDir directory;
    const std::string bytes("line\r\n\0\xFF end", 12);
    ASSERT_TRUE(WriteFileSafely(directory.Path() / "A.CFD", bytes));
    EXPECT_EQ(test::ReadFile(directory.Path() / "A.CFD"), bytes);
    EXPECT_EQ(Entries(directory.Path()), std::vector<std::string>{"A.CFD"});
}

TEST(WriteFileSafely, ReplacesTheOldFileAndKeepsItsAccessRights)
{
    test::TempDir directory;
    const auto target = directory.Write("A.CFD", "old content that is longer");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read,
                    fs::perm_options::replace);
    ASSERT_TRUE(WriteFileSafely(target, "new"));
    EXPECT_EQ(test::ReadFile(target), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(directory.Path()), std::vector<std::string>{"A.CFD"});
}

TEST(WriteFileSafely, WritesThroughASymbolicLinkAndKeepsTheLink)
{
    test::TempDir directory;
    const auto real = directory.Write("real.txt", "old");
    fs::create_symlink(real, directory.Path() / "link.txt");
    ASSERT_TRUE(WriteFileSafely(directory.Path() / "link.txt", "new"));
    EXPECT_TRUE(fs::is_symlink(directory.Path() / "link.txt"));
    EXPECT_EQ(test::ReadFile(real), "new");
}

// Failures that also hit a process running as root (which ignores read-only folders).
enum class Failure { MissingDirectory, TargetIsADirectory, FileSizeLimit };

class FailedSafeWrite : public ::testing::TestWithParam<Failure>
{
};

TEST_P(FailedSafeWrite, LeavesThePreviousFileUntouchedAndNoTemporaryFile)
{
    test::TempDir directory;
    const std::string old(4000, 'o');
    directory.Write("keep.txt", old);
    const std::string content(8000, 'n');

    switch (GetParam()) {
    case Failure::MissingDirectory:
        EXPECT_FALSE(WriteFileSafely(directory.Path() / "missing" / "A.CFD", content));
        EXPECT_FALSE(fs::exists(directory.Path() / "missing"));
        break;
    case Failure::TargetIsADirectory:
        fs::create_directory(directory.Path() / "A.CFD");
        directory.Write("A.CFD/inside", "x");
        EXPECT_FALSE(WriteFileSafely(directory.Path() / "A.CFD", content));
        EXPECT_EQ(test::ReadFile(directory.Path() / "A.CFD" / "inside"), "x");
        break;
    case Failure::FileSizeLimit:
        // Files may grow to 1 KiB only: the write fails halfway, as on a full disk.
        EXPECT_EXIT(
            {
                LimitFileSizeTo(1024);
                std::exit(WriteFileSafely(directory.Path() / "keep.txt", content) ? 1 : 0);
            },
            ::testing::ExitedWithCode(0), "");
        break;
    }
    EXPECT_EQ(test::ReadFile(directory.Path() / "keep.txt"), old);
    std::vector<std::string> expected{"keep.txt"};
    if (GetParam() == Failure::TargetIsADirectory) {
        expected.insert(expected.begin(), "A.CFD");
    }
    EXPECT_EQ(Entries(directory.Path()), expected);
}

INSTANTIATE_TEST_SUITE_P(Causes, FailedSafeWrite,
                         ::testing::Values(Failure::MissingDirectory, Failure::TargetIsADirectory,
                                           Failure::FileSizeLimit));

}  // namespace
}  // namespace wendrix
