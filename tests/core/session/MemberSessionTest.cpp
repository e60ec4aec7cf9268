// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/MemberSession.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SessionTestSupport.h"
#include "core/lists/ListTestSupport.h"
#include "lists/SaveList.h"
#include "support/SpecialEntries.h"
#include "support/TempDir.h"
#include "support/WriteFailure.h"

namespace wendrix {
namespace {

using testing::_;
using testing::InSequence;
using testing::Return;
using testing::StrictMock;

namespace fs = std::filesystem;

class MemberSessionTest : public testing::Test
{
protected:
    // A list file as the program writes it, with one 20 m CW confirmation of W.
    void WriteList(std::string_view fileName, std::string_view call)
    {
        ConfirmationMatrix list;
        list.SetCell(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw},
                     CellOperation::Set);
        const std::string text = FormatList(call, catalogue, list);
        directory.Write(fileName, text);
    }
    void Tick() { matrix->SetCell(1, BandIndex{4}, ModeIndex{kModeCw}, CellOperation::Set); }

    EntityCatalogue catalogue = test::SmallListCatalogue();
    std::unique_ptr<ConfirmationMatrix> matrix = std::make_unique<ConfirmationMatrix>();
    test::TempDir directory;
    StrictMock<test::MockSessionPrompts> prompts;
    MemberSession session{catalogue, *matrix, directory.Path(), prompts};
};

TEST_F(MemberSessionTest, StartWithoutListsLeavesAnEmptyMatrixAndNoCallSign)
{
    directory.Write("notes.txt", "x");
    EXPECT_EQ(session.Start(), StartupFound::NoList);
    EXPECT_EQ(session.CallSign(), "");
    EXPECT_EQ(session.UploadHint(), std::nullopt);
    EXPECT_EQ(matrix->ColumnSums(), ColumnSumTable{});
}

TEST_F(MemberSessionTest, TheOnlyListIsReadAtOnceWhateverTheCaseOfItsName)
{
    WriteList("dl1abc.cfd", "DL1ABC");
    EXPECT_EQ(session.Start(), StartupFound::OneListRead);
    EXPECT_EQ(session.CallSign(), "DL1ABC");
    EXPECT_EQ(session.UploadHint(), "Upload zum RAVK: Datei DL1ABC.CFD");
    EXPECT_TRUE(matrix->IsTicked(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw}));
    EXPECT_FALSE(session.HasUnsavedChanges()) << "reading a list is no change";
    EXPECT_FALSE(session.OfferEarlierLists()) << "nothing left to offer";
}

// Entries named like lists that are no files are never offered or read: a pipe alone must not
// block the start-up, and beside them the one real list is read at once.
TEST_F(MemberSessionTest, EntriesThatAreNoFilesAreNoLists)
{
    fs::create_directory(directory.Path() / "FOLDER.CFD");
    (void)test::MakeFifo(directory.Path() / "AB1CD.CFD");
    (void)test::MakeDanglingLink(directory.Path() / "X.CFD");
    EXPECT_EQ(session.Start(), StartupFound::NoList);

    WriteList("DL1ABC.CFD", "DL1ABC");
    EXPECT_EQ(session.Start(), StartupFound::OneListRead);
    EXPECT_EQ(session.CallSign(), "DL1ABC");
    EXPECT_TRUE(matrix->IsTicked(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw}));
}

TEST_F(MemberSessionTest, SeveralListsAreOfferedSortedAndTheChosenOneIsRead)
{
    WriteList("W1AW.CFD", "W1AW");
    WriteList("DL1ABC.CFD", "DL1ABC");
    EXPECT_EQ(session.Start(), StartupFound::SeveralLists);
    EXPECT_EQ(session.CallSign(), "") << "nothing is read before the user chose";
    const std::vector<std::string> offered{"DL1ABC.CFD", "W1AW.CFD"};
    EXPECT_CALL(prompts, ChooseListFile(test::LinesAre(offered)))
        .WillOnce(Return(std::optional<std::string>("W1AW.CFD")));
    EXPECT_TRUE(session.OfferEarlierLists());
    EXPECT_EQ(session.CallSign(), "W1AW");
    EXPECT_EQ(matrix->ColumnSum(BandIndex{4}, ModeIndex{kModeCw}), 1);
}

TEST_F(MemberSessionTest, DecliningTheOfferReadsNothing)
{
    WriteList("W1AW.CFD", "W1AW");
    WriteList("DL1ABC.CFD", "DL1ABC");
    ASSERT_EQ(session.Start(), StartupFound::SeveralLists);
    EXPECT_CALL(prompts, ChooseListFile(_)).WillOnce(Return(std::nullopt));
    EXPECT_FALSE(session.OfferEarlierLists());
    EXPECT_EQ(session.CallSign(), "");
    EXPECT_EQ(matrix->ColumnSums(), ColumnSumTable{});
}

TEST_F(MemberSessionTest, AtMostAThousandListsAreOfferedInNameOrder)
{
    for (int i = 0; i < 1001; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "C%04d.CFD", 1000 - i);  // created in reverse order
        directory.Write(name, "");
    }
    ASSERT_EQ(session.Start(), StartupFound::SeveralLists);
    ASSERT_EQ(session.EarlierLists().size(), 1000u);
    EXPECT_EQ(session.EarlierLists().front(), "C0000.CFD");
    EXPECT_EQ(session.EarlierLists().back(), "C0999.CFD");
}

TEST_F(MemberSessionTest, ReadingAListShowsItsProblemsAfterTheReadError)
{
    // A directory in place of the file: it cannot be read, so nothing is found.
    fs::create_directory(directory.Path() / "DL1ABC.CFD");
    const std::vector<std::string> problems{"Falsches Rufzeichen in Zeile 1",
                                            "Nur 0 von 9 Entities gefunden."};
    {
        InSequence order;
        EXPECT_CALL(prompts, ShowFileError("Lesefehler in Datei " +
                                           (directory.Path() / "DL1ABC.CFD").string()));
        EXPECT_CALL(prompts,
                    ShowReport("Fehler in der Liste DL1ABC.CFD", test::LinesAre(problems), true));
    }
    const ListLoadResult result = session.ReadList("DL1ABC.CFD");
    EXPECT_TRUE(result.Reading.FailedBecause(ListReadFailure::Unreadable));
    EXPECT_EQ(session.CallSign(), "DL1ABC");
}

TEST_F(MemberSessionTest, SavingWithAShortCallSignWritesNothingAndKeepsTheChanges)
{
    Tick();
    session.SetCallSign("dl1");
    EXPECT_CALL(prompts, ShowError(kCallTooShortText));
    EXPECT_TRUE(session.Save().FailedBecause(SaveRefusal::CallTooShort));
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_TRUE(fs::is_empty(directory.Path()));
}

TEST_F(MemberSessionTest, ANewListIsSavedWithoutAskingAndReplacingItIsAsked)
{
    session.SetCallSign("da0wdx");
    Tick();
    EXPECT_TRUE(session.Save().Ok());
    EXPECT_FALSE(session.HasUnsavedChanges());
    const fs::path file = directory.Path() / "DA0WDX.CFD";
    EXPECT_EQ(session.ListFilePath(), file);
    const std::string first = test::ReadFile(file);
    EXPECT_EQ(first, FormatList("DA0WDX", catalogue, *matrix));

    matrix->SetCell(2, BandIndex{0}, ModeIndex{kModeRtty}, CellOperation::Set);
    EXPECT_CALL(prompts, AskOverwriteList()).WillOnce(Return(false)).WillOnce(Return(true));
    EXPECT_TRUE(session.Save().FailedBecause(SaveRefusal::OverwriteDeclined));
    EXPECT_EQ(test::ReadFile(file), first);
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_TRUE(session.Save().Ok());
    EXPECT_EQ(test::ReadFile(file), FormatList("DA0WDX", catalogue, *matrix));
    EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(MemberSessionTest, AListReadFromALowerCaseNameIsReplacedInPlaceNotDoubled)
{
    WriteList("k9cts.cfd", "K9CTS");
    const fs::path file = directory.Path() / "k9cts.cfd";
    ASSERT_EQ(session.Start(), StartupFound::OneListRead);
    ASSERT_EQ(session.CallSign(), "K9CTS");
    EXPECT_EQ(session.ListFilePath(), file) << "the file to upload is the one on disk";
    Tick();
    EXPECT_CALL(prompts, AskOverwriteList()).WillOnce(Return(false)).WillOnce(Return(true));
    EXPECT_TRUE(session.Save().FailedBecause(SaveRefusal::OverwriteDeclined));
    EXPECT_TRUE(session.Save().Ok());
    EXPECT_EQ(test::ReadFile(file), FormatList("K9CTS", catalogue, *matrix));
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory.Path())) {
        files.push_back(entry.path());
    }
    EXPECT_EQ(files, std::vector<fs::path>{file}) << "no second K9CTS.CFD beside it";
}

TEST_F(MemberSessionTest, AListFromElsewhereIsReadOnlyAfterTheUnsavedChangesAreSettled)
{
    test::TempDir elsewhere;
    ConfirmationMatrix list;
    list.SetCell(test::EntityOf(catalogue, "W"), BandIndex{4}, ModeIndex{kModeCw},
                 CellOperation::Set);
    const fs::path dropped = elsewhere.Write("w1aw.cfd", FormatList("W1AW", catalogue, list));
    const int w = test::EntityOf(catalogue, "W");

    Tick();  // an unsaved change, and no call sign to save it under
    {
        InSequence order;
        EXPECT_CALL(prompts, AskSaveOnClose()).WillOnce(Return(true));
        EXPECT_CALL(prompts, ShowError(kCallTooShortText));
        EXPECT_CALL(prompts, AskSaveOnClose()).WillOnce(Return(false));
    }
    EXPECT_EQ(session.ReadListFile(dropped), std::nullopt) << "the save failed: nothing read";
    EXPECT_FALSE(matrix->IsTicked(w, BandIndex{4}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix->IsTicked(1, BandIndex{4}, ModeIndex{kModeCw}));

    const std::optional<ListLoadResult> read = session.ReadListFile(dropped);
    ASSERT_TRUE(read.has_value()) << "No: the changes are given up";
    EXPECT_EQ(session.CallSign(), "W1AW");
    EXPECT_TRUE(matrix->IsTicked(w, BandIndex{4}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix->IsTicked(1, BandIndex{4}, ModeIndex{kModeCw}));
}

TEST_F(MemberSessionTest, AFailedWriteKeepsTheOldFileAndTheUnsavedStateAndTheWindowOpen)
{
    // A list of more than 1 KiB, so that a full disk stops it halfway.
    WriteList("DA0WDX.CFD", "DA0WDX");
    const fs::path file = directory.Path() / "DA0WDX.CFD";
    const std::string before = test::ReadFile(file);
    ASSERT_GT(before.size(), 1024u);
    session.SetCallSign("DA0WDX");
    Tick();
    EXPECT_CALL(prompts, AskSaveOnClose()).WillOnce(Return(true));
    EXPECT_CALL(prompts, AskOverwriteList()).WillOnce(Return(true));
    EXPECT_CALL(prompts, ShowFileError("Schreibfehler in Datei " + PathToUtf8(file)));
    {
        const test::WriteBlock block(file);
        ASSERT_TRUE(block.Active());
        EXPECT_FALSE(session.Close()) << "asks, saves, fails: the window stays open";
    }
    EXPECT_TRUE(session.HasUnsavedChanges());
    EXPECT_EQ(test::ReadFile(file), before);
}

TEST_F(MemberSessionTest, ClosingAsksOnlyWithUnsavedChanges)
{
    EXPECT_TRUE(session.Close()) << "right after start-up nothing is asked";

    Tick();
    EXPECT_CALL(prompts, AskSaveOnClose()).WillOnce(Return(false));
    EXPECT_TRUE(session.Close()) << "No closes without writing";
    EXPECT_TRUE(fs::is_empty(directory.Path()));
}

TEST_F(MemberSessionTest, ClosingWithYesAndNoCallSignStaysOpenUntilTheSaveWorks)
{
    Tick();
    EXPECT_CALL(prompts, AskSaveOnClose()).Times(2).WillRepeatedly(Return(true));
    EXPECT_CALL(prompts, ShowError(kCallTooShortText));
    EXPECT_FALSE(session.Close());
    session.SetCallSign("DA0WDX");
    EXPECT_TRUE(session.Close());
    EXPECT_TRUE(fs::exists(directory.Path() / "DA0WDX.CFD"));
}

TEST_F(MemberSessionTest, ClearingTheListIsNoChangeOfItsOwn)
{
    Tick();
    session.ClearList();
    EXPECT_EQ(matrix->ColumnSums(), ColumnSumTable{});
    EXPECT_TRUE(session.HasUnsavedChanges());
    matrix->SetModified(false);
    session.ClearList();
    EXPECT_FALSE(session.HasUnsavedChanges());
}

}  // namespace
}  // namespace wendrix
