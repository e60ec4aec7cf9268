// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/CommandLine.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/TempDir.h"

namespace wendrix {
namespace {

namespace fs = std::filesystem;

class CommandLineTest : public testing::Test
{
protected:
    CommandLineTest()
    {
        fs::create_directory(root.Path() / "lists");
        fs::create_directory(root.Path() / "other");
        root.Write("file.txt", "");
    }
    [[nodiscard]] StartupChoice Parse(std::vector<std::string> parameters) const
    {
        for (std::string& parameter : parameters) {
            if (parameter.starts_with("@")) {
                parameter = (root.Path() / parameter.substr(1)).string();
            }
        }
        return ParseCommandLine(parameters, program);
    }

    test::TempDir root;
    fs::path program = root.Path() / "program";
};

TEST_F(CommandLineTest, WithoutParametersTheProgramDirectoryHoldsTheLists)
{
    const StartupChoice choice = Parse({});
    EXPECT_EQ(choice.ListDirectory, program);
    EXPECT_FALSE(choice.EvaluationMode);
    EXPECT_FALSE(choice.DirectoryGiven);
}

TEST_F(CommandLineTest, ResultInAnyCaseAndADirectoryInEitherOrderEvaluateThatDirectory)
{
    for (const auto& parameters : {std::vector<std::string>{"RESULT", "@lists"},
                                   std::vector<std::string>{"@lists", "result"},
                                   std::vector<std::string>{"rEsUlT", "@lists"}}) {
        const StartupChoice choice = Parse(parameters);
        EXPECT_TRUE(choice.EvaluationMode) << parameters[0];
        EXPECT_EQ(choice.ListDirectory, root.Path() / "lists") << parameters[0];
        EXPECT_TRUE(choice.DirectoryGiven);
    }
}

TEST_F(CommandLineTest, TheLastExistingDirectoryWinsAndEverythingElseIsIgnored)
{
    const StartupChoice choice =
        Parse({"@lists", "@other", "@missing", "@file.txt", "RESULTS", "", "-x"});
    EXPECT_EQ(choice.ListDirectory, root.Path() / "other");
    EXPECT_FALSE(choice.EvaluationMode) << "RESULTS is not RESULT";
}

TEST_F(CommandLineTest, AMistypedDirectoryIsNamedOnceWithTheFolderTheListsGoTo)
{
    EXPECT_EQ(MissingDirectoryNotice(Parse({"RESULT", "@lists"}), root.Path() / "lists"),
              std::nullopt);
    const StartupChoice choice = Parse({"@typo", "result", "@file.txt"});
    const std::string typo = (root.Path() / "typo").string();
    const std::string file = (root.Path() / "file.txt").string();
    EXPECT_EQ(choice.ListDirectory, program);
    EXPECT_EQ(MissingDirectoryNotice(choice, program), "Verzeichnis nicht gefunden: " + typo +
                                                           ", " + file + "; Listen in " +
                                                           program.string());
}

TEST_F(CommandLineTest, AnUnwritableProgramDirectoryFallsBackToTheUsersFolder)
{
    // The program's directory does not exist here, so nothing can be created in it.
    int asked = 0;
    const fs::path fallback = root.Path() / "home" / "Wendrix";
    const auto userFolder = [&] {
        ++asked;
        return fallback;
    };
    EXPECT_EQ(UsableListDirectory(Parse({}), userFolder), fallback);
    EXPECT_TRUE(fs::is_directory(fallback)) << "created when missing";

    fs::create_directory(program);
    EXPECT_TRUE(IsWritableDirectory(program));
    EXPECT_EQ(UsableListDirectory(Parse({}), userFolder), program) << "a portable installation";
    EXPECT_TRUE(fs::is_empty(program)) << "the probe is removed";
    // A directory the user named is used as it is, writable or not.
    EXPECT_EQ(UsableListDirectory(Parse({"@lists"}), userFolder), root.Path() / "lists");
    EXPECT_EQ(asked, 1);
}

}  // namespace
}  // namespace wendrix
