// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The fifteen ADIF fields the reader keeps of a record, and the tag scanner that finds them.
namespace wendrix {

enum class AdifField : std::uint8_t {
    Band,
    Freq,
    QsoDate,
    Year,
    Month,
    Day,
    TimeOn,
    Mode,
    Call,
    Dxcc,
    QslRcvd,
    LotwQslRcvd,
    EqslQslRcvd,
    LLotwReceived,
    LEqslReceived,
    StationCallsign,
    Operator,
};
inline constexpr std::size_t kAdifFieldCount = 17;

// Tag names in the order of AdifField, as they stand after upper-casing.
inline constexpr std::array<std::string_view, kAdifFieldCount> kAdifFieldNames{"BAND",
                                                                               "FREQ",
                                                                               "QSO_DATE",
                                                                               "YEAR",
                                                                               "MONTH",
                                                                               "DAY",
                                                                               "TIME_ON",
                                                                               "MODE",
                                                                               "CALL",
                                                                               "DXCC",
                                                                               "QSL_RCVD",
                                                                               "LOTW_QSL_RCVD",
                                                                               "EQSL_QSL_RCVD",
                                                                               "L_LOTW_RECEIVED",
                                                                               "L_EQSL_RECEIVED",
                                                                               "STATION_CALLSIGN",
                                                                               "OPERATOR"};

// The values of the known fields of one record, each the trimmed value text (empty when the
// record does not carry the field). Fixed storage: a declared length is at most 255.
class AdifFields
{
public:
    static constexpr std::size_t kMaxValueLength = 255;

    [[nodiscard]] std::string_view Get(AdifField field) const
    {
        const auto& slot = m_values[static_cast<std::size_t>(field)];
        return {slot.text.data(), slot.length};
    }
    // Stores the value upper-cased (cut to kMaxValueLength, which a scanned value never
    // exceeds).
    void Set(AdifField field, std::string_view value);
    void Clear();

private:
    struct Slot
    {
        std::array<char, kMaxValueLength> text{};
        std::uint8_t length = 0;
    };
    std::array<Slot, kAdifFieldCount> m_values{};
};

// The field of a tag name, compared as if upper-cased; false for every other name.
[[nodiscard]] bool FindAdifField(std::string_view name, AdifField& field);

// Scans the text of one record (trimmed, without its end tag) tag by tag and fills the fields,
// treating the text as if upper-cased; a field that occurs more than once keeps its last value.
// Values whose declared length runs into the next '<' are clipped before it; a value that the
// text ends before its declared length leaves the field unset; lengths that are not a number in
// 1..255 make the tag's value be read over. Returns whether the text holds an "<EOR>" or "<EOH>"
// (which a record text never does; the reader uses this to check a line cheaply).
bool ScanAdifTags(std::string_view recordText, AdifFields& fields);

}  // namespace wendrix
