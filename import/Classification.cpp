// SPDX-License-Identifier: GPL-3.0-or-later
#include "import/Classification.h"

#include <algorithm>

#include "common/Text.h"
#include "common/ByteSearch.h"
#include "matrix/Bands.h"

namespace wendrix {

namespace {

// Reading a text as an integer in lo..hi; plain digits, which is what logs hold, are read
// directly, anything else by the general rule (blanks, signs, invalid text).
std::optional<std::int64_t> ReadNumber(std::string_view text, std::int64_t lo, std::int64_t hi)
{
    if (!text.empty() && text.size() <= 9) {
        std::int64_t value = 0;
        bool digits = true;
        for (const char c : text) {
            digits = digits && c >= '0' && c <= '9';
            value = value * 10 + (c - '0');
        }
        if (digits) {
            return value >= lo && value <= hi ? std::optional<std::int64_t>(value) : std::nullopt;
        }
    }
    return ReadIntInRange(text, lo, hi);
}

}  // namespace

int BandFromKHz(std::int32_t kHz)
{
    for (std::size_t band = 0; band < kBandPlan.size(); ++band) {
        if (kHz >= kBandPlan[band].LowKHz && kHz <= kBandPlan[band].HighKHz) {
            return static_cast<int>(band);
        }
    }
    return kAllBands;
}

FrequencyReading ParseFrequency(std::string_view text)
{
    const std::string_view s = Trim(text);
    // Digits before the separator (anything else there is dropped), then the first three
    // characters after it as they stand, padded with '0': a whole number of kHz. Leading zeros
    // are kept as one, which leaves the value alone and bounds the digits worth keeping.
    constexpr std::size_t kMaxDigits = 12;    // far more than any value in range
    std::array<char, kMaxDigits + 3> number;  // filled before use
    std::size_t length = 0;
    bool tooLong = false;
    std::size_t i = 0;
    bool separator = false;
    for (; i < s.size(); ++i) {
        const char c = s[i];
        if (c == '.' || c == ',') {
            separator = true;
            break;
        }
        if (c < '0' || c > '9') {
            continue;
        }
        if (length == 1 && number[0] == '0') {
            number[0] = c;
        } else if (length < kMaxDigits) {
            number[length++] = c;
        } else {
            tooLong = true;
        }
    }
    if (separator) {
        const std::string_view after = s.substr(i + 1);
        for (std::size_t k = 0; k < 3; ++k) {
            number[length++] = k < after.size() ? after[k] : '0';
        }
    }
    const auto value =
        tooLong ? std::nullopt : ReadNumber(std::string_view(number.data(), length), 1, 11000000);
    FrequencyReading result;
    if (!value) {
        return result;
    }
    result.Valid = true;
    result.Hz = *value >= 1800 ? *value * 1000 : *value * 1000000;
    // Whole-MHz names of the WARC bands lie below the band edge; they mean the band.
    switch (result.Hz) {
    case 10000000:
        result.Hz = 10100000;
        break;
    case 18000000:
        result.Hz = 18068000;
        break;
    case 24000000:
        result.Hz = 24890000;
        break;
    default:
        break;
    }
    result.Band = BandFromKHz(static_cast<std::int32_t>(result.Hz / 1000));
    return result;
}

std::optional<int> BandOfRecord(std::string_view freq, std::string_view band)
{
    const FrequencyReading frequency = ParseFrequency(freq);
    if (frequency.Valid && frequency.Band != kAllBands) {
        return frequency.Band;
    }
    if (!band.empty()) {
        for (std::size_t row = 0; row < kBandPlan.size(); ++row) {
            if (bytes::Equal(band, kBandPlan[row].Name)) {
                return static_cast<int>(row);
            }
        }
    }
    if (frequency.Valid) {
        return kAllBands;
    }
    return std::nullopt;
}

std::optional<int> ModeCodeOf(std::string_view mode)
{
    std::string_view m = mode;
    using bytes::Equal;
    if (Equal(m, "PR") || Equal(m, "OLIVIA") || Equal(m, "CONTESTI") || Equal(m, "JT9") ||
        Equal(m, "JT65") || Equal(m, "JTMS") || bytes::StartsWith(m, "ISCAT") || Equal(m, "THRB")) {
        m = "PKT";
    } else if (Equal(m, "LSB") || Equal(m, "USB") || Equal(m, "J3E") || Equal(m, "F3E")) {
        m = "SSB";
    } else if (Equal(m, "A1A")) {
        m = "CW";
    }
    // The first entry in table order that occurs anywhere in the text: every position of the
    // text is tried with the entries beginning with its character, and the lowest code wins.
    static constexpr auto kByFirstCharacter = [] {
        std::array<std::array<std::int8_t, 4>, 256> buckets{};
        for (auto& bucket : buckets) {
            bucket.fill(-1);
        }
        for (std::size_t code = 0; code < kModeTable.size(); ++code) {
            if (kModeTable[code].empty()) {
                continue;
            }
            auto& bucket = buckets[static_cast<unsigned char>(kModeTable[code][0])];
            std::size_t slot = 0;
            while (bucket[slot] >= 0) {
                ++slot;
            }
            bucket[slot] = static_cast<std::int8_t>(code);
        }
        return buckets;
    }();
    int best = kModeCodeCount;
    for (std::size_t i = 0; i < m.size(); ++i) {
        for (const std::int8_t code : kByFirstCharacter[static_cast<unsigned char>(m[i])]) {
            if (code < 0) {
                break;
            }
            if (code < best) {
                const std::string_view entry = kModeTable[static_cast<std::size_t>(code)];
                if (entry.size() <= m.size() - i && bytes::StartsWith(m.substr(i), entry)) {
                    best = code;
                }
            }
        }
    }
    if (best < kModeCodeCount) {
        return best;
    }
    return std::nullopt;
}

std::optional<int> ModeClassOf(int modeCode)
{
    static constexpr std::array<int, 17> kRttyCodes{2,  5,  6,  7,  10, 11, 17, 19, 20,
                                                    21, 22, 24, 25, 26, 28, 29, 30};
    static constexpr std::array<int, 2> kFoneCodes{1, 4};  // FM counts as Fone, AM does not
    if (modeCode == 0) {
        return kModeCw;
    }
    if (std::find(kFoneCodes.begin(), kFoneCodes.end(), modeCode) != kFoneCodes.end()) {
        return kModeFone;
    }
    if (std::find(kRttyCodes.begin(), kRttyCodes.end(), modeCode) != kRttyCodes.end()) {
        return kModeRtty;
    }
    return std::nullopt;
}

namespace {

// Characters first..first+count-1 (0-based) of a text, as far as it has them.
std::string_view Characters(std::string_view text, std::size_t first, std::size_t count)
{
    return first < text.size() ? text.substr(first, count) : std::string_view{};
}

void AppendPadded(std::string_view text, std::size_t width, char* out, std::size_t& length)
{
    for (std::size_t k = text.size(); k < width; ++k) {
        out[length++] = '0';
    }
    std::copy(text.begin(), text.end(), out + length);
    length += text.size();
}

}  // namespace

std::string_view DateTimeOfRecord(std::string_view qsoDate, std::string_view year,
                                  std::string_view month, std::string_view day,
                                  std::string_view timeOn, ContactDateTime& result)
{
    // Only the first eight characters of a composed date are ever looked at.
    std::array<char, 3 * AdifFields::kMaxValueLength + 4> composed;  // filled before use
    std::string_view date = qsoDate;
    if (date.empty()) {
        std::size_t length = 0;
        AppendPadded(year, 0, composed.data(), length);
        AppendPadded(month, 2, composed.data(), length);
        AppendPadded(day, 2, composed.data(), length);
        date = std::string_view(composed.data(), length);
    }
    // Nearly every log writes eight digits and four or six: read those directly.
    if (date.size() >= 8 && timeOn.size() >= 4) {
        const auto digit = [](char c) {
            return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'};
        };
        const unsigned d0 = digit(date[0]), d1 = digit(date[1]), d2 = digit(date[2]),
                       d3 = digit(date[3]), d4 = digit(date[4]), d5 = digit(date[5]),
                       d6 = digit(date[6]), d7 = digit(date[7]), t0 = digit(timeOn[0]),
                       t1 = digit(timeOn[1]), t2 = digit(timeOn[2]), t3 = digit(timeOn[3]);
        const bool plain = (d0 < 10) & (d1 < 10) & (d2 < 10) & (d3 < 10) & (d4 < 10) & (d5 < 10) &
                           (d6 < 10) & (d7 < 10) & (t0 < 10) & (t1 < 10) & (t2 < 10) & (t3 < 10);
        if (plain) {
            const unsigned y = d0 * 1000 + d1 * 100 + d2 * 10 + d3;
            const unsigned mo = d4 * 10 + d5;
            const unsigned d = d6 * 10 + d7;
            const unsigned h = t0 * 10 + t1;
            const unsigned mi = t2 * 10 + t3;
            if (y < 1920 || y > 2100) {
                return kWrongYearReason;
            }
            if (mo < 1 || mo > 12) {
                return kWrongMonthReason;
            }
            if (d < 1 || d > 31) {
                return kWrongDayReason;
            }
            if (h > 23) {
                return kWrongHourReason;
            }
            if (mi > 59) {
                return kWrongMinuteReason;
            }
            result.Year = static_cast<std::uint16_t>(y);
            result.Month = static_cast<std::uint8_t>(mo);
            result.Day = static_cast<std::uint8_t>(d);
            result.Hour = static_cast<std::uint8_t>(h);
            result.Minute = static_cast<std::uint8_t>(mi);
            return {};
        }
    }
    const auto y = ReadNumber(Characters(date, 0, 4), 1920, 2100);
    if (!y) {
        return kWrongYearReason;
    }
    const auto mo = ReadNumber(Characters(date, 4, 2), 1, 12);
    if (!mo) {
        return kWrongMonthReason;
    }
    const auto d = ReadNumber(Characters(date, 6, 2), 1, 31);
    if (!d) {
        return kWrongDayReason;
    }
    const auto h = ReadNumber(Characters(timeOn, 0, 2), 0, 23);
    if (!h) {
        return kWrongHourReason;
    }
    const auto mi = ReadNumber(Characters(timeOn, 2, 2), 0, 59);
    if (!mi) {
        return kWrongMinuteReason;
    }
    result.Year = static_cast<std::uint16_t>(*y);
    result.Month = static_cast<std::uint8_t>(*mo);
    result.Day = static_cast<std::uint8_t>(*d);
    result.Hour = static_cast<std::uint8_t>(*h);
    result.Minute = static_cast<std::uint8_t>(*mi);
    return {};
}

bool Confirmed(const AdifFields& fields, bool countEqsl)
{
    const std::string_view paper = fields.Get(AdifField::QslRcvd);
    const std::string_view lotw = fields.Get(AdifField::LotwQslRcvd);
    const std::string_view eqsl = fields.Get(AdifField::EqslQslRcvd);
    using bytes::Equal;
    if (Equal(paper, "Y") || Equal(paper, "V")) {
        return true;
    }
    if (Equal(lotw, "Y") || Equal(lotw, "V") || Equal(lotw, "1")) {
        return true;
    }
    if (Equal(fields.Get(AdifField::LLotwReceived), "1")) {
        return true;
    }
    return countEqsl && (Equal(eqsl, "Y") || Equal(eqsl, "V") ||
                         Equal(fields.Get(AdifField::LEqslReceived), "1"));
}

LoggedEntity EntityFromDxcc(std::string_view dxcc, const EntityCatalogue& catalogue)
{
    if (dxcc.empty()) {
        return {};
    }
    if (bytes::Equal(dxcc, "0")) {
        return {0, true};
    }
    // 999 is no entity; 00, 1000 and letters are as good as a missing field.
    const auto number = ReadNumber(dxcc, 1, 999);
    if (!number || *number == 999) {
        return {};
    }
    return {catalogue.EntityByDxcc(static_cast<int>(*number)), false};
}

std::string_view ClassifyRecord(const AdifFields& fields, bool countEqsl,
                                const EntityCatalogue& catalogue, ContactRecord& contact)
{
    const std::optional<int> mode = ModeCodeOf(fields.Get(AdifField::Mode));
    if (!mode) {
        return kModeSkippedReason;
    }
    const std::optional<int> band =
        BandOfRecord(fields.Get(AdifField::Freq), fields.Get(AdifField::Band));
    if (!band) {
        return kUnknownBandReason;
    }
    ContactDateTime when;
    const std::string_view dateReason = DateTimeOfRecord(
        fields.Get(AdifField::QsoDate), fields.Get(AdifField::Year), fields.Get(AdifField::Month),
        fields.Get(AdifField::Day), fields.Get(AdifField::TimeOn), when);
    if (!dateReason.empty()) {
        return dateReason;
    }
    const std::string_view call = fields.Get(AdifField::Call);
    if (call.empty()) {
        return kCallMissingReason;
    }
    contact.Clear();
    contact.Day = when.Day;
    contact.Month = when.Month;
    contact.Year = when.Year;
    contact.Hour = when.Hour;
    contact.Minute = when.Minute;
    contact.Call.assign(call.substr(0, ContactRecord::kCallLength));
    contact.Band = static_cast<std::uint8_t>(*band);
    contact.Mode = static_cast<std::uint8_t>(*mode);
    if (Confirmed(fields, countEqsl)) {
        contact.Flags |= ContactRecord::kConfirmedFlag;
    }
    const LoggedEntity logged = EntityFromDxcc(fields.Get(AdifField::Dxcc), catalogue);
    contact.Entity = logged.Entity;
    contact.NoEntityDeclared = logged.NoEntityDeclared;
    std::string_view station = Trim(fields.Get(AdifField::StationCallsign));
    if (station.empty()) {
        station = Trim(fields.Get(AdifField::Operator));
    }
    contact.StationCall.assign(station.substr(0, ContactRecord::kCallLength));
    AsciiUpperInPlace(contact.StationCall);
    return {};
}

}  // namespace wendrix
