// SPDX-License-Identifier: GPL-3.0-or-later
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifFields.h"
#include "import/Classification.h"
#include "matrix/Bands.h"

namespace wendrix {
namespace {

constexpr std::optional<int> kNone = std::nullopt;

// ---------------------------------------------------------------------------------------------
// Frequencies and bands

struct FrequencyCase
{
    std::string_view text;
    bool valid;
    std::int64_t hz;
    int band;
};

class FrequencyRules : public ::testing::TestWithParam<FrequencyCase>
{
};

TEST_P(FrequencyRules, ReadsMegahertzKilohertzAndTheWholeMegahertzBands)
{
    const FrequencyCase& c = GetParam();
    const FrequencyReading reading = ParseFrequency(c.text);
    EXPECT_EQ(reading.Valid, c.valid) << c.text;
    EXPECT_EQ(reading.Hz, c.hz) << c.text;
    if (c.valid) {
        EXPECT_EQ(reading.Band, c.band) << c.text;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, FrequencyRules,
    ::testing::Values(
        FrequencyCase{"14.074", true, 14074000, 4},
        FrequencyCase{"7,0305", true, 7030000, 2},    // comma separator, cut to whole kHz
        FrequencyCase{"144.3", true, 144300000, 10},  // fewer than three decimals padded
        FrequencyCase{" 3.5 ", true, 3500000, 1},
        FrequencyCase{"14", true, 14000000, 4},   // no separator, below 1800: MHz
        FrequencyCase{"3550", true, 3550000, 1},  // no separator, 1800 or more: kHz
        FrequencyCase{"1799", true, 1799000000, 17}, FrequencyCase{"1800", true, 1800000, 0},
        FrequencyCase{"10", true, 10100000, 3},  // whole-MHz band names moved
        FrequencyCase{"18", true, 18068000, 5}, FrequencyCase{"24", true, 24890000, 7},
        FrequencyCase{"10.000", true, 10100000, 3},  // the move is on the value
        FrequencyCase{"10.001", true, 10001000, 17}, FrequencyCase{"1296", true, 1296000000, 12},
        FrequencyCase{"2320", true, 2320000, 17},  // read as kHz: outside the plan
        FrequencyCase{"2000", true, 2000000, 0},   // bounds are inclusive
        FrequencyCase{"2001", true, 2001000, 17},
        FrequencyCase{"14MHz.07", true, 14070000, 4},  // non-digits before the separator go
        FrequencyCase{"1a4.074", true, 14074000, 4},
        FrequencyCase{"14.0x4", false, 0, 17},  // but not after it
        FrequencyCase{"14.07.4", false, 0, 17},
        FrequencyCase{"0000000000000014.074", true, 14074000, 4},
        FrequencyCase{"11000", true, 11000000, 17},
        FrequencyCase{"11000000", true, 11000000000, 17},
        FrequencyCase{"11000001", false, 0, 17},  // above the range
        FrequencyCase{"0", false, 0, 17}, FrequencyCase{"", false, 0, 17},
        FrequencyCase{"MHz", false, 0, 17},
        FrequencyCase{".5", true, 500000000, 17},  // no digits before: 500 MHz
        FrequencyCase{"10368.1", true, 10368100000, 16}));

struct BandCase
{
    std::string_view freq;
    std::string_view band;
    std::optional<int> expected;
};

class BandRules : public ::testing::TestWithParam<BandCase>
{
};

TEST_P(BandRules, FrequencyDecidesAndBandNameIsTheFallback)
{
    const BandCase& c = GetParam();
    EXPECT_EQ(BandOfRecord(c.freq, c.band), c.expected) << c.freq << " / " << c.band;
}

INSTANTIATE_TEST_SUITE_P(Table, BandRules,
                         ::testing::Values(BandCase{"14.074", "40M", 4},  // BAND not looked at
                                           BandCase{"5.357", "60M", kAllBands},
                                           BandCase{"5.357", "40M", 2},
                                           BandCase{"5.357", "", kAllBands}, BandCase{"", "20M", 4},
                                           BandCase{"", "60M", kNone}, BandCase{"", "", kNone},
                                           BandCase{"junk", "70CM", 11}, BandCase{"", "3CM", 16},
                                           BandCase{"", "20m", kNone},  // names are upper case
                                           BandCase{"", "160M", 0}));

TEST(BandFromKHz, FirstRowHoldingTheFrequencyWinsAndNoRowMeansAllBands)
{
    for (std::size_t band = 0; band < kBandPlan.size(); ++band) {
        EXPECT_EQ(BandFromKHz(kBandPlan[band].LowKHz), static_cast<int>(band));
        EXPECT_EQ(BandFromKHz(kBandPlan[band].HighKHz), static_cast<int>(band));
        EXPECT_EQ(BandFromKHz(kBandPlan[band].LowKHz - 1), kAllBands);
        EXPECT_EQ(BandFromKHz(kBandPlan[band].HighKHz + 1), kAllBands);
    }
    EXPECT_EQ(BandFromKHz(0), kAllBands);
    EXPECT_EQ(BandFromKHz(-14074), kAllBands);
}

// ---------------------------------------------------------------------------------------------
// Modes

struct ModeCase
{
    std::string_view mode;
    std::optional<int> code;
    std::optional<int> modeClass;
};

class ModeRules : public ::testing::TestWithParam<ModeCase>
{
};

TEST_P(ModeRules, SubstitutionsThenFirstTableEntryInsideTheText)
{
    const ModeCase& c = GetParam();
    const std::optional<int> code = ModeCodeOf(c.mode);
    EXPECT_EQ(code, c.code) << c.mode;
    if (code) {
        EXPECT_EQ(ModeClassOf(*code), c.modeClass) << c.mode;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, ModeRules,
    ::testing::Values(
        ModeCase{"CW", 0, kModeCw}, ModeCase{"A1A", 0, kModeCw}, ModeCase{"USB", 1, kModeFone},
        ModeCase{"LSB", 1, kModeFone}, ModeCase{"J3E", 1, kModeFone}, ModeCase{"F3E", 1, kModeFone},
        ModeCase{"SSB", 1, kModeFone}, ModeCase{"AM", 3, kNone}, ModeCase{"FM", 4, kModeFone},
        ModeCase{"C4FM", 4, kModeFone}, ModeCase{"RTTY", 2, kModeRtty},
        ModeCase{"PSK31", 5, kModeRtty}, ModeCase{"PSK63", 5, kModeRtty},
        ModeCase{"PACTOR", 6, kModeRtty}, ModeCase{"AMTOR", 3, kNone},  // "AM" comes before "TOR"
        ModeCase{"PR", 7, kModeRtty}, ModeCase{"JT65", 7, kModeRtty}, ModeCase{"JT9", 7, kModeRtty},
        ModeCase{"JTMS", 7, kModeRtty}, ModeCase{"ISCAT-B", 7, kModeRtty},
        ModeCase{"ISCA", kNone, kNone}, ModeCase{"OLIVIA", 7, kModeRtty},
        ModeCase{"OLIVIA 8/250", 25, kModeRtty}, ModeCase{"CONTESTI", 7, kModeRtty},
        ModeCase{"CONTESTIA", 23, kNone}, ModeCase{"THRB", 7, kModeRtty},
        ModeCase{"THRBX", 27, kNone}, ModeCase{"JT65B", 20, kModeRtty}, ModeCase{"SSTV", 8, kNone},
        ModeCase{"ATV", 9, kNone}, ModeCase{"MT63", 14, kNone}, ModeCase{"HELL", 15, kNone},
        ModeCase{"MFSK16", 17, kModeRtty}, ModeCase{"DOMINO", 24, kModeRtty},
        ModeCase{"DSTAR", 21, kModeRtty}, ModeCase{"FT8", 30, kModeRtty},
        ModeCase{"MSK144", 29, kModeRtty}, ModeCase{"FT4", kNone, kNone},
        ModeCase{"JT4", kNone, kNone}, ModeCase{"", kNone, kNone}, ModeCase{"....", 18, kNone}));

TEST(ModeClassOf, CodesOutsideTheTableHaveNoClass)
{
    EXPECT_EQ(ModeClassOf(-1), kNone);
    EXPECT_EQ(ModeClassOf(31), kNone);
    EXPECT_EQ(ModeClassOf(16), kNone);
    EXPECT_EQ(ModeClassOf(26), kModeRtty);  // the repeated "TOR" keeps its class
}

// ---------------------------------------------------------------------------------------------
// Date and time

struct DateTimeCase
{
    std::string_view qsoDate;
    std::string_view year;
    std::string_view month;
    std::string_view day;
    std::string_view timeOn;
    std::string_view reason;
    int date = 0;  // year * 10000 + month * 100 + day when accepted
    int hour = 0;
    int minute = 0;
};

class DateTimeRules : public ::testing::TestWithParam<DateTimeCase>
{
};

TEST_P(DateTimeRules, FirstFailingPartGivesTheReason)
{
    const DateTimeCase& c = GetParam();
    ContactDateTime result;
    const std::string_view reason =
        DateTimeOfRecord(c.qsoDate, c.year, c.month, c.day, c.timeOn, result);
    EXPECT_EQ(reason, c.reason) << c.qsoDate << " " << c.timeOn;
    if (c.reason.empty()) {
        EXPECT_EQ(result.Year * 10000 + result.Month * 100 + result.Day, c.date);
        EXPECT_EQ(result.Hour, c.hour);
        EXPECT_EQ(result.Minute, c.minute);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, DateTimeRules,
    ::testing::Values(
        DateTimeCase{"20150307", "", "", "", "1215", "", 20150307, 12, 15},
        DateTimeCase{"20150231", "", "", "", "0000", "", 20150231, 0, 0},  // day not checked
        DateTimeCase{"19191231", "", "", "", "1215", kWrongYearReason},
        DateTimeCase{"19200101", "", "", "", "1215", "", 19200101, 12, 15},
        DateTimeCase{"21001231", "", "", "", "2359", "", 21001231, 23, 59},
        DateTimeCase{"21010101", "", "", "", "1215", kWrongYearReason},
        DateTimeCase{"20151307", "", "", "", "1215", kWrongMonthReason},
        DateTimeCase{"20150007", "", "", "", "1215", kWrongMonthReason},
        DateTimeCase{"20150300", "", "", "", "1215", kWrongDayReason},
        DateTimeCase{"20150332", "", "", "", "1215", kWrongDayReason},
        DateTimeCase{"201503", "", "", "", "1215", kWrongDayReason},
        DateTimeCase{"2015030799", "", "", "", "1215", "", 20150307, 12, 15},
        DateTimeCase{"", "2015", "3", "7", "1215", "", 20150307, 12, 15},
        DateTimeCase{"", "2015", "03", "07", "1215", "", 20150307, 12, 15},
        DateTimeCase{"", "15", "3", "7", "1215", kWrongYearReason},
        DateTimeCase{"", "", "", "", "1215", kWrongYearReason},
        DateTimeCase{"20150307", "1999", "1", "1", "1215", "", 20150307, 12, 15},  // QSO_DATE wins
        DateTimeCase{"20150307", "", "", "", "2400", kWrongHourReason},
        DateTimeCase{"20150307", "", "", "", "1260", kWrongMinuteReason},
        DateTimeCase{"20150307", "", "", "", "121530", "", 20150307, 12, 15},  // seconds ignored
        DateTimeCase{"20150307", "", "", "", "", kWrongHourReason},
        DateTimeCase{"20150307", "", "", "", "12", kWrongMinuteReason},
        DateTimeCase{"20150307", "", "", "", "1A15", kWrongHourReason},
        DateTimeCase{"19000307", "", "", "", "9999", kWrongYearReason}));  // year first

// ---------------------------------------------------------------------------------------------
// Confirmation

struct ConfirmCase
{
    AdifField field;
    std::string_view value;
    bool withoutEqsl;
    bool withEqsl;
};

class ConfirmRules : public ::testing::TestWithParam<ConfirmCase>
{
};

TEST_P(ConfirmRules, OnlyTheNamedValuesConfirmAndEqslOnlyOnRequest)
{
    const ConfirmCase& c = GetParam();
    AdifFields fields;
    fields.Set(c.field, c.value);
    EXPECT_EQ(Confirmed(fields, false), c.withoutEqsl) << c.value;
    EXPECT_EQ(Confirmed(fields, true), c.withEqsl) << c.value;
}

INSTANTIATE_TEST_SUITE_P(Table, ConfirmRules,
                         ::testing::Values(ConfirmCase{AdifField::QslRcvd, "Y", true, true},
                                           ConfirmCase{AdifField::QslRcvd, "V", true, true},
                                           ConfirmCase{AdifField::QslRcvd, "1", false, false},
                                           ConfirmCase{AdifField::QslRcvd, "YES", false, false},
                                           ConfirmCase{AdifField::QslRcvd, "N", false, false},
                                           ConfirmCase{AdifField::QslRcvd, "R", false, false},
                                           ConfirmCase{AdifField::LotwQslRcvd, "Y", true, true},
                                           ConfirmCase{AdifField::LotwQslRcvd, "V", true, true},
                                           ConfirmCase{AdifField::LotwQslRcvd, "1", true, true},
                                           ConfirmCase{AdifField::LotwQslRcvd, "I", false, false},
                                           ConfirmCase{AdifField::LLotwReceived, "1", true, true},
                                           ConfirmCase{AdifField::LLotwReceived, "Y", false, false},
                                           ConfirmCase{AdifField::EqslQslRcvd, "Y", false, true},
                                           ConfirmCase{AdifField::EqslQslRcvd, "V", false, true},
                                           ConfirmCase{AdifField::EqslQslRcvd, "1", false, false},
                                           ConfirmCase{AdifField::LEqslReceived, "1", false, true},
                                           ConfirmCase{AdifField::LEqslReceived, "Y", false, false},
                                           ConfirmCase{AdifField::Call, "Y", false, false}));

// ---------------------------------------------------------------------------------------------
// Prefix from DXCC, and the order of the checks

const EntityCatalogue& SmallCatalogue()
{
    static const EntityCatalogue catalogue = [] {
        const std::vector<std::string_view> lines{
            "=header",
            "DA-DR  : DL  EU  14  28  5100 1000  230",
            "Fed. Rep. of Germany",
            "",
            "3Y   : 3Y/B   AF  38  67  -5443 340  24",
            "Bouvet",
            "",
            "=S",
        };
        return BuildEntityCatalogue(lines);
    }();
    return catalogue;
}

TEST(EntityFromDxcc, NumbersNameEntitiesZeroIsKeptAndEverythingElseMeansResolve)
{
    const EntityCatalogue& catalogue = SmallCatalogue();
    EXPECT_EQ(catalogue.MainPrefixOf(EntityFromDxcc("230", catalogue).Entity), "DL");
    EXPECT_EQ(catalogue.MainPrefixOf(EntityFromDxcc("024", catalogue).Entity), "3Y/B");
    EXPECT_EQ(EntityFromDxcc("0", catalogue), (LoggedEntity{0, true}));
    for (std::string_view resolve : {"", "00", "999", "1000", "DL", "-230", "231"}) {
        EXPECT_EQ(EntityFromDxcc(resolve, catalogue), LoggedEntity{}) << resolve;
    }
}

TEST(ClassifyRecord, FailingCheckLeavesTheContactAloneAndPassingFillsItWhole)
{
    AdifFields fields;
    fields.Set(AdifField::Mode, "USB");
    fields.Set(AdifField::Band, "20M");
    fields.Set(AdifField::QsoDate, "20150307");
    fields.Set(AdifField::TimeOn, "1215");
    ContactRecord contact;
    contact.Call = "KEEP";
    EXPECT_EQ(ClassifyRecord(fields, false, SmallCatalogue(), contact), kCallMissingReason);
    EXPECT_EQ(contact.Call, "KEEP");

    fields.Set(AdifField::Call, "DL1ABC/P1234567890");
    fields.Set(AdifField::Dxcc, "230");
    fields.Set(AdifField::QslRcvd, "Y");
    contact.Flags = 0xFF;
    EXPECT_EQ(ClassifyRecord(fields, false, SmallCatalogue(), contact), "");
    EXPECT_EQ(contact.Call, "DL1ABC/P1234567");
    EXPECT_EQ(contact.Mode, 1);
    EXPECT_EQ(contact.Band, 4);
    EXPECT_EQ(contact.Flags, ContactRecord::kConfirmedFlag) << "only the confirmed flag is set";
    EXPECT_EQ(SmallCatalogue().MainPrefixOf(contact.Entity), "DL");
    EXPECT_EQ(contact.Date(), 20150307u);
}

}  // namespace
}  // namespace wendrix
