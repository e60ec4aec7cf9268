// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Dates.h"

// The entity catalogue: the entity table, the prefix index, the special-call list and the DXCC
// index, built once from the country list and read-only afterwards.
namespace wendrix {

enum class ContinentCode : std::uint8_t {
    Unknown = 0,
    EU = 1,
    AS = 2,
    AF = 3,
    NA = 4,
    SA = 5,
    OC = 6
};

// Catalogue data of one DXCC entity. The confirmation cells of the entity live in the
// ConfirmationMatrix, addressed by the same entity number.
struct EntityRecord
{
    std::string MainPrefix;             // up to 5 characters; the entity's identity
    std::uint8_t BasePrefixLength = 0;  // length of MainPrefix before its first "/" or "."
    ContinentCode Continent = ContinentCode::Unknown;
    std::bitset<48> CqZones;       // bit z for CQ zone z, 1..40
    std::bitset<96> ItuZones;      // bit z for ITU zone z, 1..90
    std::string Name;              // up to 30 characters
    std::int16_t Latitude = 0;     // hundredths of a degree, north positive
    std::int16_t Longitude = 0;    // hundredths of a degree, east positive
    std::uint16_t DxccNumber = 0;  // 0..999
    DateKey ValidFrom = kOpenStart;
    DateKey ValidTo = kOpenEnd;
    std::string Predecessor;  // main prefix of the entity that counted before ValidFrom

    [[nodiscard]] bool IsValidOn(DateKey date) const
    {
        return date >= ValidFrom && date <= ValidTo;
    }
};

// One prefix token: a call matches when each of its first (up to four) characters lies between
// the corresponding characters of Low and High.
struct PrefixRange
{
    std::array<char, 4> Low{' ', ' ', ' ', ' '};   // token characters padded with blanks
    std::array<char, 4> High{'Z', 'Z', 'Z', 'Z'};  // token (upper half) padded with "Z"
    std::uint16_t FirstEntity = 0;                 // first entity of the token's block
    std::uint8_t BlockSize = 0;                    // number of entities in that block

    [[nodiscard]] bool Matches(std::string_view text) const
    {
        // Bytes compare as unsigned, as in the resolver's index by first characters, so that a
        // byte above 127 (in a call or a list) is ordered the same way everywhere.
        const auto byte = [](char c) { return static_cast<unsigned char>(c); };
        const std::size_t m = text.size() < 4 ? text.size() : 4;
        for (std::size_t k = 0; k < m; ++k) {
            if (byte(text[k]) < byte(Low[k]) || byte(text[k]) > byte(High[k])) {
                return false;
            }
        }
        return true;
    }
    [[nodiscard]] std::string LowText() const;   // Low without its fill blanks
    [[nodiscard]] std::string Describe() const;  // "KG4" or "UA8-UA9" style
};

struct SpecialCall
{
    std::string Pattern;       // up to 15 characters, "?" and a trailing "*" as wildcards
    std::uint16_t Entity = 0;  // 0: calls matching the pattern are no valid entity
    DateKey ValidFrom = kOpenStart;
    DateKey ValidTo = kOpenEnd;
    std::uint32_t Line = 0;  // line of the country list it came from

    [[nodiscard]] bool IsValidOn(DateKey date) const
    {
        return date >= ValidFrom && date <= ValidTo;
    }
};

// What a build had to leave out because the text did not fit the fixed tables.
struct CatalogueOverflow
{
    int Entities = 0;
    int PrefixEntries = 0;
    int SpecialCalls = 0;
    int SpecialCallsWithUnknownEntity = 0;
};

class EntityCatalogue
{
public:
    static constexpr int kMaxEntities = 400;
    static constexpr int kMaxPrefixEntries = 2000;
    // Room for every individual call of the public country files (about 11700 lines need one)
    // and their growth over the coming years; text beyond it is left out and counted.
    static constexpr int kMaxSpecialCalls = 20000;
    static constexpr int kMaxDxcc = 999;
    static constexpr std::size_t kMainPrefixLength = 5;
    static constexpr std::size_t kNameLength = 30;
    static constexpr std::size_t kPatternLength = 15;

    // Number of entities, numbered 1..EntityCount().
    [[nodiscard]] std::uint16_t EntityCount() const
    {
        return static_cast<std::uint16_t>(m_entities.size());
    }
    // The record of entity 1..EntityCount().
    [[nodiscard]] const EntityRecord& Entity(std::uint16_t number) const
    {
        return m_entities.at(number - 1u);
    }
    [[nodiscard]] std::span<const EntityRecord> Entities() const { return m_entities; }
    [[nodiscard]] std::span<const PrefixRange> PrefixIndex() const { return m_prefixes; }
    [[nodiscard]] std::span<const SpecialCall> SpecialCallList() const { return m_specials; }

    // Entity number carrying the DXCC number 1..999, 0 where none does.
    [[nodiscard]] std::uint16_t EntityByDxcc(int dxcc) const
    {
        return (dxcc >= 1 && dxcc <= kMaxDxcc) ? m_dxccIndex[static_cast<std::size_t>(dxcc)] : 0;
    }

    // First entity whose MainPrefix equals the text without surrounding blanks, 0 if none.
    [[nodiscard]] std::uint16_t FindEntityByPrefix(std::string_view text) const;

    // The MainPrefix of an entity, empty for 0 or a number past the table.
    [[nodiscard]] std::string_view MainPrefixOf(std::uint16_t number) const;

    [[nodiscard]] int NestingExchanges() const { return m_nestingExchanges; }
    [[nodiscard]] const CatalogueOverflow& Overflow() const { return m_overflow; }

private:
    friend class CatalogueBuilder;

    std::vector<EntityRecord> m_entities;
    std::vector<PrefixRange> m_prefixes;
    std::vector<SpecialCall> m_specials;
    std::array<std::uint16_t, kMaxDxcc + 1> m_dxccIndex{};
    int m_nestingExchanges = 0;
    CatalogueOverflow m_overflow;
};

// Builds the catalogue from country-list lines. Never fails: malformed numbers take defaults
// and text beyond the fixed capacities is left out (and counted in Overflow()).
[[nodiscard]] EntityCatalogue BuildEntityCatalogue(std::span<const std::string_view> lines);
// Builds the catalogue from the country list compiled into the program.
[[nodiscard]] EntityCatalogue BuildEntityCatalogue();

[[nodiscard]] ContinentCode ParseContinent(std::string_view text);
[[nodiscard]] std::string_view ContinentText(ContinentCode continent);

// Fills the set with the "/"-separated zone numbers 1..highest; stops at the first bad part and
// returns false there, keeping what was added before. An empty text gives an empty set and true.
template <std::size_t Bits>
bool ParseZones(std::string_view text, int highest, std::bitset<Bits>& zones);

[[nodiscard]] std::uint8_t BasePrefixLength(std::string_view mainPrefix);

}  // namespace wendrix
