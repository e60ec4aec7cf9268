// SPDX-License-Identifier: GPL-3.0-or-later
#include "evaluation/Evaluation.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/lists/ListTestSupport.h"

namespace wendrix {
namespace {

constexpr int k20m = 4;

BandThresholds Zero()
{
    BandThresholds thresholds;
    thresholds.minimum.fill(0);
    return thresholds;
}

class EvaluationFigures : public ::testing::Test
{
protected:
    std::unique_ptr<ConfirmationMatrix> list = std::make_unique<ConfirmationMatrix>();
    std::unique_ptr<Evaluation> evaluation = std::make_unique<Evaluation>();

    // Adds a participant whose list ticks exactly the given (entity, band, mode) cells.
    void Add(std::string_view call, std::initializer_list<std::tuple<int, int, int>> cells,
             const BandThresholds& thresholds)
    {
        list->ClearMatrix();
        for (const auto& [entity, band, mode] : cells) {
            list->WriteCell(entity, BandIndex{band}, ModeIndex{mode}, 1);
        }
        evaluation->AccumulateParticipant(call, *list, thresholds);
    }
};

TEST_F(EvaluationFigures, TwoOfThreeCountedListsGive667PerMille)
{
    Add("DL1AA", {{7, k20m, kModeCw}}, Zero());
    Add("DL2BB", {}, Zero());
    Add("DL3CC", {{7, k20m, kModeCw}, {8, k20m, kModeCw}}, Zero());
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 3);
    EXPECT_EQ(evaluation->EntityParticipantCounts(7, k20m, kModeCw), 2);
    EXPECT_EQ(evaluation->PerMilleText(7, k20m, kModeCw), " 667");
    EXPECT_EQ(evaluation->PerMilleText(8, k20m, kModeCw), " 333");
    EXPECT_EQ(evaluation->EntityParticipantCalls(7, k20m, kModeCw), "DL1AA DL3CC ");
}

TEST_F(EvaluationFigures, ListBelowABandThresholdCountsNowhereInThatColumnButElsewhere)
{
    BandThresholds thresholds = Zero();
    thresholds.minimum[k20m] = 2;
    // The first list reaches 2 in 20 m CW; the second has only one 20 m CW entity, and one
    // entity on 40 m, where the threshold is 0.
    Add("OE1AA", {{1, k20m, kModeCw}, {2, k20m, kModeCw}}, thresholds);
    Add("OE2BB", {{1, k20m, kModeCw}, {1, 2, kModeCw}}, thresholds);

    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 1);
    EXPECT_EQ(evaluation->EntityParticipantCounts(1, k20m, kModeCw), 1);
    EXPECT_EQ(evaluation->EntityParticipantCalls(1, k20m, kModeCw), "OE1AA ");
    EXPECT_EQ(evaluation->PerMilleText(1, k20m, kModeCw), "1000");
    EXPECT_EQ(evaluation->ParticipantCounts(2, kModeCw), 2);
    EXPECT_EQ(evaluation->EntityParticipantCounts(1, 2, kModeCw), 1);
    EXPECT_EQ(evaluation->PerMilleText(1, 2, kModeCw), " 500");
}

TEST_F(EvaluationFigures, ColumnSumEqualToTheThresholdCounts)
{
    BandThresholds thresholds = Zero();
    thresholds.minimum[k20m] = 2;
    Add("A", {{1, k20m, kModeRtty}, {2, k20m, kModeRtty}}, thresholds);
    Add("B", {{1, k20m, kModeRtty}}, thresholds);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeRtty), 1);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 0);
}

TEST_F(EvaluationFigures, ColumnNobodyReachesGivesZeroForEveryEntity)
{
    const BandThresholds thresholds;  // defaults: 100 on 20 m
    Add("A", {{1, k20m, kModeCw}, {2, k20m, kModeCw}}, thresholds);
    Add("B", {{1, k20m, kModeCw}}, thresholds);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 0);
    for (int e = 1; e <= Evaluation::kMaxEntities; ++e) {
        ASSERT_EQ(evaluation->PerMilleText(e, k20m, kModeCw), "   0") << e;
    }
    EXPECT_EQ(evaluation->EntityParticipantCalls(1, k20m, kModeCw), "");
}

TEST_F(EvaluationFigures, ResetStartsFromNothing)
{
    Add("A", {{1, k20m, kModeCw}}, Zero());
    evaluation->Reset();
    EXPECT_EQ(evaluation->ParticipantTotal(), 0u);
    EXPECT_EQ(evaluation->ParticipantCounts(k20m, kModeCw), 0);
    EXPECT_EQ(evaluation->EntityParticipantCounts(1, k20m, kModeCw), 0);
    EXPECT_EQ(evaluation->EntityParticipantCalls(1, k20m, kModeCw), "");
    Add("B", {{1, k20m, kModeCw}}, Zero());
    EXPECT_EQ(evaluation->EntityParticipantCalls(1, k20m, kModeCw), "B ");
}

struct ShareCase
{
    int Confirming;
    int Participants;
    const char* Text;
};

class PerMilleRounding : public EvaluationFigures, public ::testing::WithParamInterface<ShareCase>
{
};

TEST_P(PerMilleRounding, HalvesGoToTheEvenNeighbour)
{
    for (int p = 0; p < GetParam().Participants; ++p) {
        if (p < GetParam().Confirming) {
            Add("X", {{5, 9, kModeMixed}}, Zero());
        } else {
            Add("Y", {}, Zero());
        }
    }
    EXPECT_EQ(evaluation->PerMilleText(5, 9, kModeMixed), GetParam().Text);
}

INSTANTIATE_TEST_SUITE_P(Shares, PerMilleRounding,
                         ::testing::Values(ShareCase{1, 16, "  62"},  // 62.5
                                           ShareCase{3, 16, " 188"},  // 187.5
                                           ShareCase{1, 8, " 125"}, ShareCase{1, 3, " 333"},
                                           ShareCase{2, 3, " 667"}, ShareCase{4, 4, "1000"},
                                           ShareCase{0, 4, "   0"},
                                           ShareCase{1, 2000, "   0"},       // 0.5
                                           ShareCase{3, 2000, "   2"},       // 1.5
                                           ShareCase{1999, 2000, "1000"}));  // 999.5

// The compact bookkeeping must give what a plain count over every cell gives.
TEST_F(EvaluationFigures, CountsAndCallsAgreeWithAPlainCountOverRandomLists)
{
    std::mt19937 random(4242);
    std::uniform_int_distribution<int> threshold(0, 40);
    BandThresholds thresholds;
    for (auto& value : thresholds.minimum) {
        value = threshold(random);
    }
    constexpr int kLists = 30;
    constexpr int kEntities = 120;
    std::vector<std::string> calls;
    std::vector<std::unique_ptr<ConfirmationMatrix>> lists;
    for (int i = 0; i < kLists; ++i) {
        auto matrix = std::make_unique<ConfirmationMatrix>();
        test::FillRandomly(*matrix, kEntities, static_cast<std::uint32_t>(100 + i),
                           0.05 + 0.01 * i);
        calls.push_back("P" + std::to_string(i));
        evaluation->AccumulateParticipant(calls.back(), *matrix, thresholds);
        lists.push_back(std::move(matrix));
    }
    for (int b = 0; b < kBandCount; ++b) {
        for (int m = 0; m < kModeCount; ++m) {
            int participants = 0;
            for (const auto& matrix : lists) {
                participants +=
                    matrix->ColumnSum(BandIndex{b}, ModeIndex{m}) >= thresholds.For(b) ? 1 : 0;
            }
            ASSERT_EQ(evaluation->ParticipantCounts(b, m), participants) << b << "/" << m;
            for (int e = 1; e <= kEntities + 1; ++e) {
                int confirming = 0;
                std::string expected;
                for (int i = 0; i < kLists; ++i) {
                    const auto& matrix = *lists[static_cast<std::size_t>(i)];
                    if (matrix.ColumnSum(BandIndex{b}, ModeIndex{m}) >= thresholds.For(b) &&
                        matrix.IsTicked(e, BandIndex{b}, ModeIndex{m})) {
                        ++confirming;
                        expected += calls[static_cast<std::size_t>(i)] + " ";
                    }
                }
                ASSERT_EQ(evaluation->EntityParticipantCounts(e, b, m), confirming)
                    << e << " " << b << "/" << m;
                ASSERT_EQ(evaluation->EntityParticipantCalls(e, b, m), expected);
            }
        }
    }
}

// ---- Log lines ---------------------------------------------------------------------------

TEST(EvaluationLog, CountGroupsAreZeroFilledAndBelowThresholdCountsAreBlanked)
{
    ColumnSumTable sums{};
    sums[k20m] = {58, 97, 23, 117};  // CW, Fone, RTTY, Mixed
    sums[kAllBands] = {7, 0, 300, 999};
    BandThresholds thresholds = Zero();
    thresholds.minimum[k20m] = 58;
    thresholds.minimum[kAllBands] = 8;

    const std::string counts = CountsLine("DL1ABC : ", sums);
    const std::string limits = ThresholdLine(sums, thresholds);
    const std::string empty = "000-000-000-000";
    EXPECT_EQ(counts, "DL1ABC : 999-007-000-300  " + empty + "  " + empty + "  " + empty + "  " +
                          empty + "  117-058-097-023  " + empty + "  " + empty + "  " + empty +
                          "  " + empty + "  " + empty);
    EXPECT_EQ(limits.substr(0, 9 + 15 + 2), "         999-   -   -300  ");
    EXPECT_EQ(limits.substr(26 + 17 * k20m, 15), "117-058-097-   ");
    EXPECT_EQ(limits.size(), counts.size());
    EXPECT_EQ(ThresholdCountText(sums, thresholds, kAllBands, kModeCw), "   ");
    EXPECT_EQ(ThresholdCountText(sums, thresholds, kAllBands, kModeMixed), "999");
}

}  // namespace
}  // namespace wendrix
