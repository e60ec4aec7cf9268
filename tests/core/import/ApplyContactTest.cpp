// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/ApplyContact.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "ImportRunTestSupport.h"
#include "matrix/Bands.h"

namespace wendrix::test {
namespace {

struct Cell
{
    int band;
    int mode;
};

struct ApplyCase
{
    const char* name;
    std::string prefix;  // of the contact's entity; empty: none
    int band;
    int modeCode;
    ApplyResult result;
    std::vector<Cell> ticked;  // every cell of the row that ends up ticked
};

void PrintTo(const ApplyCase& value, std::ostream* out)
{
    *out << value.name;
}

class ApplyContactCases : public testing::TestWithParam<ApplyCase>
{
};

ContactRecord ConfirmedContact(const ApplyCase& c)
{
    ContactRecord contact;
    contact.Call = "DL1ABC";
    contact.Year = 2023;
    contact.Month = 1;
    contact.Day = 5;
    contact.Band = static_cast<std::uint8_t>(c.band);
    contact.Mode = static_cast<std::uint8_t>(c.modeCode);
    contact.Flags = ContactRecord::kConfirmedFlag;
    contact.Entity = c.prefix.empty() ? 0 : static_cast<std::uint16_t>(EntityNumber(c.prefix));
    return contact;
}

std::vector<Cell> TickedCells(const ConfirmationMatrix& matrix, int entity)
{
    std::vector<Cell> cells;
    for (int band = 0; band < kBandCount; ++band) {
        for (int mode = 0; mode < kModeCount; ++mode) {
            if (matrix.IsTicked(entity, BandIndex{band}, ModeIndex{mode})) {
                cells.push_back({band, mode});
            }
        }
    }
    return cells;
}

bool operator==(const Cell& a, const Cell& b)
{
    return a.band == b.band && a.mode == b.mode;
}

void PrintTo(const Cell& cell, std::ostream* out)
{
    *out << "[" << cell.band << "][" << cell.mode << "]";
}

TEST_P(ApplyContactCases, TicksTheCellOfTheEntityBandAndModeClassWithItsDependents)
{
    const ApplyCase& c = GetParam();
    const ContactRecord contact = ConfirmedContact(c);
    const int dl = EntityNumber("DL");

    ConfirmationMatrix indexed;
    ContactApplier applier(EmbeddedCatalogue(), indexed);
    EXPECT_EQ(applier.Apply(contact), c.result);
    EXPECT_EQ(TickedCells(indexed, dl), c.ticked);
    // Nothing is ticked anywhere else, and a contact that ticks nothing leaves the list unchanged.
    int total = 0;
    for (const auto& band : indexed.ColumnSums()) {
        for (const std::uint16_t sum : band) {
            total += sum;
        }
    }
    EXPECT_EQ(total, static_cast<int>(c.ticked.size()));
    EXPECT_EQ(indexed.Modified(), c.result == ApplyResult::Applied);
}

constexpr int kCw = 0;
constexpr int kSsb = 1;
constexpr int kAm = 3;
constexpr int kFm = 4;
constexpr int kFt8 = 30;

INSTANTIATE_TEST_SUITE_P(
    ApplyContact, ApplyContactCases,
    testing::Values(
        ApplyCase{"CwOn20mTicksBandAndAllBands",
                  "DL",
                  kBand20m,
                  kCw,
                  ApplyResult::Applied,
                  {{4, 0}, {4, 3}, {17, 0}, {17, 3}}},
        ApplyCase{"FmCountsAsFone",
                  "DL",
                  10,
                  kFm,
                  ApplyResult::Applied,
                  {{10, 1}, {10, 3}, {17, 1}, {17, 3}}},
        ApplyCase{"Ft8CountsAsRtty",
                  "DL",
                  9,
                  kFt8,
                  ApplyResult::Applied,
                  {{9, 2}, {9, 3}, {17, 2}, {17, 3}}},
        ApplyCase{"AmHasNoClass", "DL", 1, kAm, ApplyResult::NoModeClass, {}},
        ApplyCase{"FoneOn30mTicksNothing", "DL", kBand30m, kSsb, ApplyResult::NoFoneOn30m, {}},
        ApplyCase{"CwOn30mIsTicked",
                  "DL",
                  kBand30m,
                  kCw,
                  ApplyResult::Applied,
                  {{3, 0}, {3, 3}, {17, 0}, {17, 3}}},
        ApplyCase{"OutOfPlanTicksOnlyTheAllBandsColumn",
                  "DL",
                  kAllBands,
                  kSsb,
                  ApplyResult::Applied,
                  {{17, 1}, {17, 3}}},
        ApplyCase{"NoEntityTicksNothing", "", kBand20m, kCw, ApplyResult::NoEntity, {}}),
    [](const testing::TestParamInfo<ApplyCase>& testInfo) {
        return std::string(testInfo.param.name);
    });

TEST(ApplyContact, UnconfirmedFlagDoesNotStopApplyingWhenTheRunDecidedToApply)
{
    // The run filters unconfirmed contacts; applying itself looks only at prefix, band and mode.
    ContactRecord contact = ConfirmedContact({"", "JA", 6, kCw, ApplyResult::Applied, {}});
    contact.Flags = 0;
    ConfirmationMatrix matrix;
    EXPECT_EQ(ContactApplier(EmbeddedCatalogue(), matrix).Apply(contact), ApplyResult::Applied);
    EXPECT_TRUE(matrix.IsTicked(EntityNumber("JA"), BandIndex{6}, ModeIndex{kCw}));
}

TEST(ApplyContact, ANumberBeyondTheCatalogueTicksNothing)
{
    ContactRecord contact = ConfirmedContact({"", "JA", 6, kCw, ApplyResult::Applied, {}});
    contact.Entity = static_cast<std::uint16_t>(EmbeddedCatalogue().EntityCount() + 1);
    ConfirmationMatrix matrix;
    EXPECT_EQ(ContactApplier(EmbeddedCatalogue(), matrix).Apply(contact),
              ApplyResult::UnknownEntity);
    EXPECT_FALSE(matrix.Modified());
}

}  // namespace
}  // namespace wendrix::test
