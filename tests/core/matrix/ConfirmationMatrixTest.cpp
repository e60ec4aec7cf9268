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
                    matrix.IsTicked(e, b, m) ? 1 : 0;
            }
        }
    }
    return sums;
}

class ConfirmationMatrixTest : public testing::Test
{
protected:
    ConfirmationMatrixTest()
    {
        matrix.SetModifiedObserver([this](bool modified) { changes.push_back(modified); });
    }

    ConfirmationMatrix matrix;
    std::vector<bool> changes;
};

TEST_F(ConfirmationMatrixTest, TickingABandCellTicksItsMixedAndAllBandsCells)
{
    EXPECT_TRUE(matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kBand20m, kModeCw));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kBand20m, kModeMixed));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeCw));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeMixed));
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeFone));
    EXPECT_EQ(matrix.ColumnSum(kBand20m, kModeCw), 1);
    EXPECT_EQ(matrix.ColumnSum(kBand20m, kModeMixed), 1);
    EXPECT_EQ(matrix.ColumnSum(kAllBands, kModeCw), 1);
    EXPECT_EQ(matrix.ColumnSum(kAllBands, kModeMixed), 1);
    EXPECT_TRUE(matrix.Modified());
    EXPECT_EQ(changes, std::vector<bool>{true});
}

TEST_F(ConfirmationMatrixTest, TogglingBackClearsTheClassOnlyWhereNoOtherBandHasIt)
{
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Toggle);
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Toggle);
    EXPECT_FALSE(matrix.IsTicked(kEntity, kBand20m, kModeCw));
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeCw));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kBand20m, kModeMixed));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeMixed));

    matrix.SetCell(kEntity, 2, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Clear);
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeCw)) << "40 m still has CW";
}

TEST_F(ConfirmationMatrixTest, ClearingABandsMixedCellClearsTheBand)
{
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, kBand20m, kModeRtty, CellOperation::Set);
    matrix.SetCell(kEntity, kAllBands, kModeFone, CellOperation::Set);
    matrix.SetCell(kEntity, kBand20m, kModeMixed, CellOperation::Clear);
    for (int m = 0; m < kModeCount; ++m) {
        EXPECT_FALSE(matrix.IsTicked(kEntity, kBand20m, m)) << m;
    }
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeMixed))
        << "no band keeps Mixed, even though the all-bands Fone cell stands";
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeFone));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeCw))
        << "the all-bands CW cell is re-examined only when a CW cell is cleared";
}

TEST_F(ConfirmationMatrixTest, AllBandsColumnClearsDownwards)
{
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, 2, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, 2, kModeFone, CellOperation::Set);
    matrix.SetCell(kEntity, kAllBands, kModeCw, CellOperation::Clear);
    EXPECT_FALSE(matrix.IsTicked(kEntity, kBand20m, kModeCw));
    EXPECT_FALSE(matrix.IsTicked(kEntity, 2, kModeCw));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kBand20m, kModeMixed)) << "band Mixed cells stay";
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeMixed));
    EXPECT_TRUE(matrix.IsTicked(kEntity, 2, kModeFone));

    matrix.SetCell(kEntity, kAllBands, kModeMixed, CellOperation::Clear);
    for (int b = 0; b < kBandCount; ++b) {
        for (int m = 0; m < kModeCount; ++m) {
            EXPECT_FALSE(matrix.IsTicked(kEntity, b, m)) << b << "/" << m;
        }
    }
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
}

TEST_F(ConfirmationMatrixTest, AllBandsCellsCanBeTickedOnTheirOwn)
{
    matrix.SetCell(kEntity, kAllBands, kModeRtty, CellOperation::Set);
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeRtty));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeMixed));
    matrix.SetCell(kEntity, kAllBands, kModeRtty, CellOperation::Clear);
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeRtty));
    EXPECT_TRUE(matrix.IsTicked(kEntity, kAllBands, kModeMixed))
        << "the all-bands Mixed cell is cleared only by itself or with its band cells";
    matrix.SetCell(kEntity, kAllBands, kModeMixed, CellOperation::Clear);
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
}

TEST_F(ConfirmationMatrixTest, RefusedCallsChangeNothing)
{
    EXPECT_FALSE(matrix.SetCell(kEntity, kBand30m, kModeFone, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(0, kBand20m, kModeCw, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(401, kBand20m, kModeCw, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(kEntity, kBandCount, kModeCw, CellOperation::Set));
    EXPECT_FALSE(matrix.SetCell(kEntity, kBand20m, kModeCount, CellOperation::Set));
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
    EXPECT_FALSE(matrix.Modified());
    EXPECT_TRUE(changes.empty());
    EXPECT_TRUE(matrix.SetCell(400, kBand30m, kModeCw, CellOperation::Set)) << "30 m CW is fine";
}

TEST_F(ConfirmationMatrixTest, UnknownOperationCodesClear)
{
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set);
    matrix.SetCell(kEntity, kBand20m, kModeCw, static_cast<CellOperation>(7));
    EXPECT_FALSE(matrix.IsTicked(kEntity, kBand20m, kModeCw));
}

TEST_F(ConfirmationMatrixTest, ClearMatrixKeepsTheModifiedState)
{
    matrix.SetCell(kEntity, kBand20m, kModeCw, CellOperation::Set);
    matrix.ClearMatrix();
    EXPECT_EQ(matrix.ColumnSums(), ColumnSumTable{});
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeMixed));
    EXPECT_TRUE(matrix.Modified());
    matrix.SetModified(false);
    EXPECT_EQ(changes, (std::vector<bool>{true, false}));
}

TEST_F(ConfirmationMatrixTest, DirectWritesKeepSumsButNotTheModifiedState)
{
    matrix.WriteCell(kEntity, kBand30m, kModeFone, 1);
    matrix.WriteCell(kEntity, 12, kModeCw, 1);
    EXPECT_TRUE(matrix.IsTicked(kEntity, kBand30m, kModeFone));
    EXPECT_FALSE(matrix.IsTicked(kEntity, kAllBands, kModeCw)) << "no dependent cells";
    EXPECT_EQ(matrix.ColumnSum(kBand30m, kModeFone), 1);
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
        matrix.SetCell(entity(random), band(random), mode(random),
                       static_cast<CellOperation>(operation(random)));
        if (step % 997 == 0) {
            ASSERT_EQ(matrix.ColumnSums(), Recount(matrix)) << "after step " << step;
        }
    }
    EXPECT_EQ(matrix.ColumnSums(), Recount(matrix));
    // Whatever happened, the relations between cells hold for every row.
    for (int e = 1; e <= ConfirmationMatrix::kMaxEntities; ++e) {
        EXPECT_FALSE(matrix.IsTicked(e, kBand30m, kModeFone));
        for (int b = 0; b < kAllBands; ++b) {
            for (const int m : {kModeCw, kModeFone, kModeRtty}) {
                if (matrix.IsTicked(e, b, m)) {
                    ASSERT_TRUE(matrix.IsTicked(e, b, kModeMixed)) << e << " " << b;
                    ASSERT_TRUE(matrix.IsTicked(e, kAllBands, m)) << e << " " << b;
                    ASSERT_TRUE(matrix.IsTicked(e, kAllBands, kModeMixed)) << e << " " << b;
                }
            }
        }
    }
}

}  // namespace
}  // namespace wendrix
