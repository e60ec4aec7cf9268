// SPDX-License-Identifier: GPL-3.0-or-later
// Taking the member's changes back and doing them again, through the member's session.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "SessionTestSupport.h"
#include "core/import/ImportRunTestSupport.h"
#include "core/lists/ListTestSupport.h"
#include "session/MemberSession.h"
#include "support/ImportReportLines.h"
#include "support/TempDir.h"

namespace wendrix {
namespace {

using testing::StrictMock;

// Every cell, sum and mark, for comparing the whole matrix with a copy taken earlier.
void ExpectSameMatrix(const ConfirmationMatrix& actual, const ConfirmationMatrix& expected)
{
    EXPECT_EQ(actual.ColumnSums(), expected.ColumnSums());
    EXPECT_EQ(actual.Marks(), expected.Marks());
    for (int entity = 1; entity <= ConfirmationMatrix::kMaxEntities; ++entity) {
        ASSERT_EQ(actual.Row(entity), expected.Row(entity)) << "entity " << entity;
    }
}

class EditHistoryTest : public testing::Test
{
protected:
    void Toggle(int entity, int band, int mode)
    {
        session.ToggleCell(entity, BandIndex{band}, ModeIndex{mode});
    }

    EntityCatalogue catalogue = test::SmallListCatalogue();
    ConfirmationMatrix matrix;
    test::TempDir directory;
    StrictMock<test::MockSessionPrompts> prompts;
    MemberSession session{catalogue, matrix, directory.Path(), prompts};
};

TEST_F(EditHistoryTest, AClickAPopupItemAndAClearAreTakenBackAndDoneAgainExactly)
{
    std::vector<ConfirmationMatrix> states{matrix};
    Toggle(2, 4, kModeCw);
    states.push_back(matrix);
    PopupTarget row;
    row.entity = 3;
    session.ApplyPopup(row, PopupCommand::RowSetAll);
    states.push_back(matrix);
    session.ClearList();
    states.push_back(matrix);
    EXPECT_TRUE(session.HasUnsavedChanges());

    for (std::size_t step = states.size() - 1; step > 0; --step) {
        ASSERT_TRUE(session.Undo());
        ExpectSameMatrix(matrix, states[step - 1]);
    }
    EXPECT_FALSE(session.Undo());
    EXPECT_FALSE(session.HasUnsavedChanges()) << "back where nothing was changed";
    for (std::size_t step = 1; step < states.size(); ++step) {
        ASSERT_TRUE(session.Redo());
        ExpectSameMatrix(matrix, states[step]);
        EXPECT_TRUE(session.HasUnsavedChanges());
    }
    EXPECT_FALSE(session.Redo());
}

TEST_F(EditHistoryTest, FiftyStepsDeepAndANewChangeDropsWhatWasTakenBack)
{
    for (int entity = 1; entity <= 50; ++entity) {
        Toggle(entity, entity % 10, kModeRtty);
    }
    for (int step = 0; step < 50; ++step) {
        ASSERT_TRUE(session.Undo()) << step;
    }
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 0);
    EXPECT_TRUE(session.Redo());
    EXPECT_TRUE(session.Redo());
    Toggle(7, 0, kModeCw);
    EXPECT_FALSE(session.Redo()) << "a new change after taking back drops the later steps";
    EXPECT_TRUE(matrix.IsTicked(1, BandIndex{1}, ModeIndex{kModeRtty}));
    EXPECT_TRUE(matrix.IsTicked(7, BandIndex{0}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix.IsTicked(3, BandIndex{3}, ModeIndex{kModeRtty}));
}

TEST_F(EditHistoryTest, ClicksThatChangeNothingAreNoSteps)
{
    Toggle(2, kBand30m, kModeFone);  // 30 m has no Fone cell
    PopupTarget nowhere;
    session.ApplyPopup(nowhere, PopupCommand::ColumnSetAll);
    EXPECT_FALSE(session.Undo());
    EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(EditHistoryTest, TheUnsavedStateFollowsTheSavedList)
{
    session.SetCallSign("DA0WDX");
    Toggle(2, 4, kModeCw);
    static_cast<void>(session.Save());
    ASSERT_FALSE(session.HasUnsavedChanges());
    Toggle(3, 4, kModeCw);
    EXPECT_TRUE(session.HasUnsavedChanges());
    session.Undo();
    EXPECT_FALSE(session.HasUnsavedChanges()) << "the state the file holds";
    session.Undo();
    EXPECT_TRUE(session.HasUnsavedChanges()) << "older than the file";
    session.Redo();
    EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(EditHistoryTest, ClearingStaysNoChangeOfItsOwnWhenDoneAgain)
{
    Toggle(2, 4, kModeCw);
    matrix.SetModified(false);  // as after reading a list
    session.ClearList();
    EXPECT_FALSE(session.HasUnsavedChanges());
    session.Undo();
    session.Redo();
    EXPECT_FALSE(session.HasUnsavedChanges());
}

TEST_F(EditHistoryTest, AHandEditTakesTheImportMarkOffTheCellsItChanges)
{
    Toggle(2, 4, kModeCw);
    Toggle(2, 4, kModeRtty);
    ConfirmationMatrix::CellMarks marks{};
    marks[2].set(4 * kModeCount + kModeCw);
    marks[2].set(4 * kModeCount + kModeRtty);
    matrix.SetMarks(marks);
    Toggle(2, 4, kModeCw);
    EXPECT_FALSE(matrix.IsMarked(2, BandIndex{4}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsMarked(2, BandIndex{4}, ModeIndex{kModeRtty}));
    session.Undo();
    EXPECT_TRUE(matrix.IsMarked(2, BandIndex{4}, ModeIndex{kModeCw})) << "the mark comes back";
}

// A whole import run is one step; its marks go and come with it, and a hand edit takes the
// mark off the cell it changes.
TEST(EditHistoryOfAnImport, TheRunIsOneStepWithItsMarks)
{
    ConfirmationMatrix imported;
    test::TempDir lists;
    StrictMock<test::MockSessionPrompts> sessionPrompts;
    MemberSession member{test::EmbeddedCatalogue(), imported, lists.Path(), sessionPrompts};
    testing::NiceMock<test::MockImportPrompts> prompts;
    ON_CALL(prompts, AskTakeEntity(testing::_))
        .WillByDefault(testing::Return(EntityAnswer::YesToAll));
    test::RecordingProgress progress;
    ImportReportLines report;
    DiskLogSourceOpener opener;
    const ConfirmationMatrix empty = imported;

    const ImportOutcome outcome =
        member.Import(prompts, progress, report, opener,
                      std::vector{test::TestDataPath("../../examples/demo.adi")});
    ASSERT_EQ(outcome.end, ImportEnd::Completed);
    EXPECT_EQ(imported.Marks(), outcome.news.Ticked);
    const ConfirmationMatrix afterImport = imported;
    const int dl = test::EntityNumber("DL");
    BandIndex band{0};
    for (int b = 0; b < kPlanBandCount; ++b) {
        if (imported.IsMarked(dl, BandIndex{b}, ModeIndex{kModeCw})) {
            band = BandIndex{b};
        }
    }
    ASSERT_TRUE(imported.IsMarked(dl, band, ModeIndex{kModeCw}));
    member.ToggleCell(dl, band, ModeIndex{kModeCw});
    EXPECT_FALSE(imported.IsMarked(dl, band, ModeIndex{kModeCw}));

    ASSERT_TRUE(member.Undo());
    ExpectSameMatrix(imported, afterImport);
    ASSERT_TRUE(member.Undo());
    ExpectSameMatrix(imported, empty);
    EXPECT_FALSE(member.HasUnsavedChanges());
    ASSERT_TRUE(member.Redo());
    ExpectSameMatrix(imported, afterImport);
    EXPECT_TRUE(member.HasUnsavedChanges());
}

}  // namespace
}  // namespace wendrix
