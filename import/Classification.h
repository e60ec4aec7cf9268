// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "catalogue/EntityCatalogue.h"
#include "import/adif/AdifFields.h"
#include "import/ContactRecord.h"

// The fixed rules that turn the text fields of an ADIF record into matrix values: band from
// frequency or band name, mode code and its class, date and time, and the confirmation.
namespace wendrix {

struct BandPlanRow
{
    std::string_view Name;  // the BAND text that names the row
    std::int32_t LowKHz;    // both bounds are inclusive
    std::int32_t HighKHz;
};

// One row per BandIndex 0..16; BandIndex 17 (all bands) has no row.
inline constexpr std::array<BandPlanRow, 17> kBandPlan{{
    {"160M", 1800, 2000},
    {"80M", 3500, 4000},
    {"40M", 7000, 7300},
    {"30M", 10100, 10150},
    {"20M", 14000, 14350},
    {"17M", 18068, 18168},
    {"15M", 21000, 21450},
    {"12M", 24890, 24990},
    {"10M", 28000, 29700},
    {"6M", 50000, 52000},
    {"2M", 144000, 146000},
    {"70CM", 430000, 440000},
    {"23CM", 1240000, 1300000},
    {"13CM", 2300000, 2450000},
    {"9CM", 3400000, 3475000},
    {"6CM", 5650000, 5850000},
    {"3CM", 10000000, 10500000},
}};

// The mode texts; the position is the ModeCode. Entry 16 is empty and never matches; entry 26
// repeats entry 6 and is never the first match.
inline constexpr int kModeCodeCount = 31;
inline constexpr std::array<std::string_view, kModeCodeCount> kModeTable{
    "CW",     "SSB",    "RTTY", "AM",     "FM",   "PSK",    "TOR",  "PKT",
    "SSTV",   "ATV",    "PAC",  "CLO",    "SAT",  "FAX",    "MT63", "HELL",
    "",       "MFSK",   "....", "FSK441", "JT65", "DSTAR",  "JT6M", "CONTESTI",
    "DOMINO", "OLIVIA", "TOR",  "THRB",   "JT9",  "MSK144", "FT8"};

// Reason texts of rejected records; the reason stands directly before the record text.
inline constexpr std::string_view kModeSkippedReason = "Mode skipped: ";
inline constexpr std::string_view kUnknownBandReason = "Unknown frequency/band: ";
inline constexpr std::string_view kWrongYearReason = "Wrong year  : ";
inline constexpr std::string_view kWrongMonthReason = "Wrong month : ";
inline constexpr std::string_view kWrongDayReason = "Wrong day   : ";
inline constexpr std::string_view kWrongHourReason = "Wrong hour  : ";
inline constexpr std::string_view kWrongMinuteReason = "Wrong minute: ";
inline constexpr std::string_view kCallMissingReason = "Call missing: ";

// The first band of the plan holding the frequency, 17 when none does.
[[nodiscard]] int BandFromKHz(std::int32_t kHz);

struct FrequencyReading
{
    bool Valid = false;
    std::int64_t Hz = 0;  // 0 when not valid
    int Band = 17;        // BandIndex, meaningful only when valid
};

// Reads a FREQ text: MHz with '.' or ',' as separator (cut to whole kHz), or without separator
// kHz from 1800 on and MHz below; 10, 18 and 24 MHz are moved into their bands.
[[nodiscard]] FrequencyReading ParseFrequency(std::string_view text);

// The band of a record from FREQ, falling back to the BAND name; none = "Unknown frequency/band".
[[nodiscard]] std::optional<int> BandOfRecord(std::string_view freq, std::string_view band);

// The ModeCode of a MODE text (substring search in table order after the substitutions);
// none = "Mode skipped".
[[nodiscard]] std::optional<int> ModeCodeOf(std::string_view mode);

// The mode class (ModeIndex 0 CW, 1 Fone, 2 RTTY) of a ModeCode; none for codes without class.
[[nodiscard]] std::optional<int> ModeClassOf(int modeCode);

struct ContactDateTime
{
    std::uint16_t Year = 0;
    std::uint8_t Month = 0;
    std::uint8_t Day = 0;
    std::uint8_t Hour = 0;
    std::uint8_t Minute = 0;
};

// Date from QSO_DATE (or YEAR, MONTH, DAY when it is empty) and time from TIME_ON. Returns the
// reason of the first failing check, or an empty text when all pass.
[[nodiscard]] std::string_view DateTimeOfRecord(std::string_view qsoDate, std::string_view year,
                                                std::string_view month, std::string_view day,
                                                std::string_view timeOn, ContactDateTime& result);

// Whether the record's confirmation fields confirm the contact (eQSL only with countEqsl).
[[nodiscard]] bool Confirmed(const AdifFields& fields, bool countEqsl);

// What the DXCC field says of the contact's entity: the catalogue number of the entity with that
// DXCC number (0 for none: find it from the call), and whether the log declared number 0.
struct LoggedEntity
{
    std::uint16_t Entity = 0;
    bool NoEntityDeclared = false;
    friend bool operator==(const LoggedEntity&, const LoggedEntity&) = default;
};
[[nodiscard]] LoggedEntity EntityFromDxcc(std::string_view dxcc, const EntityCatalogue& catalogue);

// Runs the checks in their fixed order (mode, band, date, time, call). On success fills the
// contact completely and returns an empty text; otherwise returns the reason and leaves the
// contact alone.
[[nodiscard]] std::string_view ClassifyRecord(const AdifFields& fields, bool countEqsl,
                                              const EntityCatalogue& catalogue,
                                              ContactRecord& contact);

}  // namespace wendrix
