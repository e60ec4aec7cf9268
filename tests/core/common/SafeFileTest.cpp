// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/SafeFile.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/WriteFailure.h"

namespace wendrix {
namespace {

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
#ifdef _WIN32
    GTEST_SKIP() << "Windows keeps no access rights beyond a read-only flag";
#endif
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
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need extra rights on Windows, and Wine has none";
#endif
    test::TempDir directory;
    const auto real = directory.Write("real.txt", "old");
    fs::create_symlink(real, directory.Path() / "link.txt");
    ASSERT_TRUE(WriteFileSafely(directory.Path() / "link.txt", "new"));
    EXPECT_TRUE(fs::is_symlink(directory.Path() / "link.txt"));
    EXPECT_EQ(test::ReadFile(real), "new");
}

// Failures that also hit a process running as root (which ignores read-only folders).
enum class Failure {
    MissingDirectory,
    TargetIsADirectory,
    WriteRefused
};

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
    case Failure::WriteRefused: {
        const test::WriteBlock block(directory.Path() / "keep.txt");
        ASSERT_TRUE(block.Active());
        EXPECT_FALSE(WriteFileSafely(directory.Path() / "keep.txt", content));
        break;
    }
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
                                           Failure::WriteRefused));

// Runs the disk's steps, writes down their order and fails the one it is told to.
class RecordingSteps final : public SafeWriteSteps
{
public:
    explicit RecordingSteps(std::string failAt = {})
        : m_failAt(std::move(failAt))
    {
    }

    std::FILE* CreateTemporary(const fs::path& target, fs::path& created) override
    {
        return Step("create") ? DiskWriteSteps().CreateTemporary(target, created) : nullptr;
    }
    bool Write(std::FILE* file, std::string_view content) override
    {
        return DiskWriteSteps().Write(file, content) && Step("write");
    }
    bool Flush(std::FILE* file) override { return DiskWriteSteps().Flush(file) && Step("flush"); }
    bool Sync(std::FILE* file) override { return DiskWriteSteps().Sync(file) && Step("sync"); }
    bool Close(std::FILE* file) override { return DiskWriteSteps().Close(file) && Step("close"); }
    bool Replace(const fs::path& temporary, const fs::path& target) override
    {
        return Step("replace") && DiskWriteSteps().Replace(temporary, target);
    }
    bool SyncDirectory(const fs::path& directory) override
    {
        return DiskWriteSteps().SyncDirectory(directory) && Step("sync directory");
    }
    void Remove(const fs::path& temporary) override
    {
        Step("remove");
        DiskWriteSteps().Remove(temporary);
    }

    std::vector<std::string> steps;

private:
    bool Step(const std::string& name)
    {
        steps.push_back(name);
        return name != m_failAt;
    }
    std::string m_failAt;
};

TEST(WriteFileSafely, SyncsTheDataBeforeTheRenameAndTheDirectoryAfterIt)
{
    test::TempDir directory;
    const auto target = directory.Write("A.CFD", "old");
    RecordingSteps steps;
    ASSERT_TRUE(WriteFileSafely(target, "new", steps));
    EXPECT_EQ(steps.steps, (std::vector<std::string>{"create", "write", "flush", "sync", "close",
                                                     "replace", "sync directory"}));
    EXPECT_EQ(test::ReadFile(target), "new");
}

class FailedSafeWriteStep : public ::testing::TestWithParam<std::string>
{
};

TEST_P(FailedSafeWriteStep, BeforeTheRenameKeepsTheOldFileAndRemovesTheTemporaryOne)
{
    test::TempDir directory;
    const auto target = directory.Write("A.CFD", "old");
    RecordingSteps steps(GetParam());
    EXPECT_FALSE(WriteFileSafely(target, "new", steps));
    EXPECT_EQ(test::ReadFile(target), "old");
    EXPECT_EQ(Entries(directory.Path()), std::vector<std::string>{"A.CFD"});
    EXPECT_EQ(std::count(steps.steps.begin(), steps.steps.end(), "close"),
              GetParam() == "create" ? 0 : 1)
        << "the file is closed whatever failed";
    EXPECT_EQ(std::count(steps.steps.begin(), steps.steps.end(), "replace"),
              GetParam() == "replace" ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedSafeWriteStep,
                         ::testing::Values("create", "write", "flush", "sync", "close", "replace"),
                         [](const ::testing::TestParamInfo<std::string>& step) {
                             return step.param;
                         });

TEST(WriteFileSafely, AFailedDirectorySyncIsReportedAlthoughTheNewFileIsInPlace)
{
    test::TempDir directory;
    const auto target = directory.Write("A.CFD", "old");
    RecordingSteps steps("sync directory");
    EXPECT_FALSE(WriteFileSafely(target, "new", steps));
    EXPECT_EQ(test::ReadFile(target), "new");
    EXPECT_EQ(Entries(directory.Path()), std::vector<std::string>{"A.CFD"});
}

}  // namespace
}  // namespace wendrix
