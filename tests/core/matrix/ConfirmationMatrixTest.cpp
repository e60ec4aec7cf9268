// SPDX-License-Identifier: GPL-3.0-or-later
#include <bitset>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "matrix/ConfirmationMatrix.h"

namespace wendrix {
namespace {

constexpr int kEntity = 7;

// The sums the matrix keeps, recounted from the cells the slow way.
ColumnSumTable Recount(const ConfirmationMatrix& matrix)
{
    ColumnSumTable sums{};
    for (int e = 1; e <= ConfirmationMatrix::kMaxEntities; ++e) {
        for (int b = 0; b < kBandCount; ++b) {
            for (int m = 0; m < kModeCount; ++m) {
                sums[static_cast<std::size_t>(b)][static_cast<std::size_t>(m)] +=
                    matrix.IsTicked(e, BandIndex{b}, ModeIndex{m}) ? 1 : 0;
            }
        }
    }
    return sums;
}

// Records what the matrix tells its observers.
struct RecordingObserver final : MatrixObserver
{
    void CellsChanged(const CellChange& change) override { cellChanges.push_back(change); }
    void ModifiedChanged(bool modified) override { changes.push_back(modified); }

    std::vector<CellChange> cellChanges;
    std::vector<bool> changes;
};

class ConfirmationMatrixTest : public testing::Test
{
protected:
    ConfirmationMatrixTest() { matrix.AddObserver(observer); }

    ConfirmationMatrix matrix;
    RecordingObserver observer;
    std::vector<bool>& changes = observer.changes;
};

TEST_F(ConfirmationMatrixTest, TickingABandCellTicksItsMixedAndAllBandsCells)
{
    EXPECT_TRUE(
        matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeMixed}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}));
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeFone}));
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeCw}), 1);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kBand20m}, ModeIndex{kModeMixed}), 1);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeCw}), 1);
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kAllBands}, ModeIndex{kModeMixed}), 1);
    EXPECT_TRUE(matrix.Modified());
    EXPECT_EQ(changes, std::vector<bool>{true});
}

TEST_F(ConfirmationMatrixTest, TogglingBackClearsTheClassOnlyWhereNoOtherBandHasIt)
{
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Toggle);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Toggle);
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeMixed}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}));

    matrix.SetCell(kEntity, BandIndex{2}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Clear);
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}))
        << "40 m still has CW";
}

TEST_F(ConfirmationMatrixTest, ClearingABandsMixedCellClearsTheBand)
{
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeRtty}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeFone}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeMixed}, CellOperation::Clear);
    for (int m = 0; m < kModeCount; ++m) {
        EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{m})) << m;
    }
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}))
        << "no band keeps Mixed, even though the all-bands Fone cell stands";
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeFone}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}))
        << "the all-bands CW cell is re-examined only when a CW cell is cleared";
}

TEST_F(ConfirmationMatrixTest, AllBandsColumnClearsDownwards)
{
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{2}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{2}, ModeIndex{kModeFone}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}, CellOperation::Clear);
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}));
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{2}, ModeIndex{kModeCw}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeMixed}))
        << "band Mixed cells stay";
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{2}, ModeIndex{kModeFone}));

    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}, CellOperation::Clear);
    for (int b = 0; b < kBandCount; ++b) {
        for (int m = 0; m < kModeCount; ++m) {
            EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{b}, ModeIndex{m})) << b << "/" << m;
        }
    }
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
}

TEST_F(ConfirmationMatrixTest, AllBandsCellsCanBeTickedOnTheirOwn)
{
    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeRtty}, CellOperation::Set);
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeRtty}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}));
    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeRtty}, CellOperation::Clear);
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeRtty}));
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}))
        << "the all-bands Mixed cell is cleared only by itself or with its band cells";
    matrix.SetCell(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}, CellOperation::Clear);
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
}

TEST_F(ConfirmationMatrixTest, RefusedCallsChangeNothing)
{
    EXPECT_FALSE(
        matrix.SetCell(kEntity, BandIndex{kBand30m}, ModeIndex{kModeFone}, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(0, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(401, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set));
    EXPECT_FALSE(
        matrix.SetCell(kEntity, BandIndex{kBandCount}, ModeIndex{kModeCw}, CellOperation::Set));
    EXPECT_FALSE(
        matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCount}, CellOperation::Set));
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
    EXPECT_FALSE(matrix.Modified());
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(matrix.SetCell(400, BandIndex{kBand30m}, ModeIndex{kModeCw}, CellOperation::Set))
        << "30 m CW is fine";
}

TEST_F(ConfirmationMatrixTest, UnknownOperationCodesClear)
{
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, static_cast<CellOperation>(7));
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}));
}

TEST_F(ConfirmationMatrixTest, ClearMatrixKeepsTheModifiedState)
{
    matrix.SetCell(kEntity, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    matrix.ClearMatrix();
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeMixed}));
    EXPECT_TRUE(matrix.Modified());
    matrix.SetModified(false);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(ConfirmationMatrixTest, DirectWritesKeepSumsButNotTheModifiedState)
{
    matrix.WriteCell(kEntity, BandIndex{kBand30m}, ModeIndex{kModeFone}, 1);
    matrix.WriteCell(kEntity, BandIndex{12}, ModeIndex{kModeCw}, 1);
    EXPECT_TRUE(matrix.IsTicked(kEntity, BandIndex{kBand30m}, ModeIndex{kModeFone}));
    EXPECT_FALSE(matrix.IsTicked(kEntity, BandIndex{kAllBands}, ModeIndex{kModeCw}))
        << "no dependent cells";
    EXPECT_EQ(matrix.ColumnSum(BandIndex{kBand30m}, ModeIndex{kModeFone}), 1);
    EXPECT_FALSE(matrix.Modified());
}

TEST_F(ConfirmationMatrixTest, SumsAlwaysEqualARecountAfterRandomEditing)
{
    std::mt19937 random(20261208);
    std::uniform_int_distribution<int> entity(0, 401);
    std::uniform_int_distribution<int> band(0, kBandCount - 1);
    std::uniform_int_distribution<int> mode(0, kModeCount - 1);
    std::uniform_int_distribution<int> operation(0, 3);
    for (int step = 0; step < 20000; ++step) {
        matrix.SetCell(entity(random), BandIndex{band(random)}, ModeIndex{mode(random)},
                       static_cast<CellOperation>(operation(random)));
        if (step % 997 == 0) {
            ASSERT_EQ(matrix.ColumnSums(), Recount(matrix)) << "after step " << step;
        }
    }
    EXPECT_EQ(matrix.ColumnSums(), Recount(matrix));
    // Whatever happened, the relations between cells hold for every row.
    for (int e = 1; e <= ConfirmationMatrix::kMaxEntities; ++e) {
        EXPECT_FALSE(matrix.IsTicked(e, BandIndex{kBand30m}, ModeIndex{kModeFone}));
        for (int b = 0; b < kAllBands; ++b) {
            for (const int m : {kModeCw, kModeFone, kModeRtty}) {
                if (matrix.IsTicked(e, BandIndex{b}, ModeIndex{m})) {
                    ASSERT_TRUE(matrix.IsTicked(e, BandIndex{b}, ModeIndex{kModeMixed}))
                        << e << " " << b;
                    ASSERT_TRUE(matrix.IsTicked(e, BandIndex{kAllBands}, ModeIndex{m}))
                        << e << " " << b;
                    ASSERT_TRUE(matrix.IsTicked(e, BandIndex{kAllBands}, ModeIndex{kModeMixed}))
                        << e << " " << b;
                }
            }
        }
    }
}

TEST_F(ConfirmationMatrixTest, ObserversAreToldExactlyTheCellsThatChanged)
{
    // Every observer hears every change, and the cells named are exactly those whose value
    // differs between before and after, so a view repainting only them is never stale.
    RecordingObserver second;
    matrix.AddObserver(second);
    std::mt19937 random(7);
    std::uniform_int_distribution<int> entity(1, 3);
    std::uniform_int_distribution<int> band(0, kBandCount - 1);
    std::uniform_int_distribution<int> mode(0, kModeCount - 1);
    std::uniform_int_distribution<int> operation(0, 2);
    for (int step = 0; step < 3000; ++step) {
        const int e = entity(random);
        const ConfirmationMatrix::CellRow before = matrix.Row(e);
        observer.cellChanges.clear();
        matrix.SetCell(e, BandIndex{band(random)}, ModeIndex{mode(random)},
                       static_cast<CellOperation>(operation(random)));
        const ConfirmationMatrix::CellRow& after = matrix.Row(e);
        std::bitset<CellChange::kCellsPerRow> expected;
        for (int b = 0; b < kBandCount; ++b) {
            for (int m = 0; m < kModeCount; ++m) {
                const auto bs = static_cast<std::size_t>(b);
                const auto ms = static_cast<std::size_t>(m);
                expected.set(bs * kModeCount + ms, before[bs][ms] != after[bs][ms]);
            }
        }
        if (expected.none()) {
            ASSERT_TRUE(observer.cellChanges.empty()) << "step " << step;
            continue;
        }
        ASSERT_EQ(observer.cellChanges.size(), 1u) << "step " << step;
        EXPECT_EQ(observer.cellChanges[0].entity, e);
        ASSERT_EQ(observer.cellChanges[0].cells, expected) << "step " << step;
    }
    EXPECT_EQ(second.changes, std::vector<bool>{true});

    observer.cellChanges.clear();
    matrix.ClearMatrix();
    ASSERT_EQ(observer.cellChanges.size(), 1u);
    EXPECT_TRUE(observer.cellChanges[0].AllRows());

    matrix.RemoveObserver(second);
    matrix.SetModified(false);
    EXPECT_EQ(second.changes, std::vector<bool>{true});
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(ConfirmationMatrixTest, ReadingOutOfRangeGivesClearCellsInsteadOfThrowing)
{
    matrix.SetCell(400, BandIndex{kBand20m}, ModeIndex{kModeCw}, CellOperation::Set);
    EXPECT_EQ(matrix.Cell(401, BandIndex{kBand20m}, ModeIndex{kModeCw}), 0);
    EXPECT_EQ(matrix.Cell(-1, BandIndex{kBand20m}, ModeIndex{kModeCw}), 0);
    EXPECT_EQ(matrix.Cell(400, BandIndex{18}, ModeIndex{kModeCw}), 0);
    EXPECT_EQ(matrix.Cell(400, BandIndex{kBand20m}, ModeIndex{4}), 0);
    EXPECT_EQ(matrix.Row(401), ConfirmationMatrix::CellRow{});
    EXPECT_EQ(matrix.ColumnSum(BandIndex{-1}, ModeIndex{kModeCw}), 0);
    EXPECT_FALSE(matrix.SetCell(400, BandIndex{18}, ModeIndex{kModeCw}, CellOperation::Set));
}

}  // namespace
}  // namespace wendrix
