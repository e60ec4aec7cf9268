// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/EntityCatalogue.h"

#include <array>

#include "common/Text.h"

namespace wendrix {

namespace {
constexpr std::array<std::string_view, 7> kContinentTexts{"", "EU", "AS", "AF", "NA", "SA", "OC"};
}  // namespace

std::string PrefixRange::LowText() const
{
    return std::string(TrimRight(std::string_view(Low.data(), Low.size())));
}

std::string PrefixRange::Describe() const
{
    const std::string low = LowText();
    std::string high(High.data(), High.size());
    // A single prefix has the same characters in both fields up to its length.
    if (high.compare(0, low.size(), low) == 0 &&
        high.find_first_not_of('Z', low.size()) == std::string::npos) {
        return low;
    }
    return low + "-" + high.substr(0, low.size());
}

std::uint16_t EntityCatalogue::FindEntityByPrefix(std::string_view text) const
{
    text = Trim(text);
    if (text.empty()) {
        return 0;
    }
    for (std::size_t e = 0; e < m_entities.size(); ++e) {
        if (m_entities[e].MainPrefix == text) {
            return static_cast<std::uint16_t>(e + 1);
        }
    }
    return 0;
}

std::string_view EntityCatalogue::MainPrefixOf(std::uint16_t number) const
{
    if (number == 0 || number > m_entities.size()) {
        return {};
    }
    return m_entities[number - 1u].MainPrefix;
}

ContinentCode ParseContinent(std::string_view text)
{
    const std::string upper = AsciiUpper(text);
    for (std::size_t code = 1; code < kContinentTexts.size(); ++code) {
        if (upper == kContinentTexts[code]) {
            return static_cast<ContinentCode>(code);
        }
    }
    return ContinentCode::Unknown;
}

std::string_view ContinentText(ContinentCode continent)
{
    const auto code = static_cast<std::size_t>(continent);
    return code < kContinentTexts.size() ? kContinentTexts[code] : std::string_view{};
}

template <std::size_t Bits>
bool ParseZones(std::string_view text, int highest, std::bitset<Bits>& zones)
{
    zones.reset();
    if (text.empty()) {
        return true;
    }
    std::size_t start = 0;
    while (true) {
        const auto slash = text.find('/', start);
        const auto part =
            text.substr(start, slash == std::string_view::npos ? text.npos : slash - start);
        const auto zone = ReadIntInRange(part, 1, highest);
        if (!zone || static_cast<std::size_t>(*zone) >= Bits) {
            return false;
        }
        zones.set(static_cast<std::size_t>(*zone));
        if (slash == std::string_view::npos) {
            return true;
        }
        start = slash + 1;
    }
}

template bool ParseZones<48>(std::string_view, int, std::bitset<48>&);
template bool ParseZones<96>(std::string_view, int, std::bitset<96>&);

std::uint8_t BasePrefixLength(std::string_view mainPrefix)
{
    for (std::size_t p = 0; p + 1 < mainPrefix.size(); ++p) {
        const char c = mainPrefix[p];
        if (c < '0' || (c > '9' && c < 'A')) {
            return static_cast<std::uint8_t>(p);
        }
    }
    return static_cast<std::uint8_t>(mainPrefix.size());
}

}  // namespace wendrix
