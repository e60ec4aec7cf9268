// SPDX-License-Identifier: GPL-3.0-or-later
// Builds the entity table, the prefix index, the special-call list and the DXCC index from the
// lines of a country list, in one pass over the lines with a small state machine, followed by the
// nesting pass over the prefix index.
#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/CountryList.h"
#include "catalogue/EntityCatalogue.h"
#include "common/Text.h"

namespace wendrix {

namespace {

constexpr std::size_t kSignificantLineLength = 255;
constexpr std::size_t kValidityTokenLength = 60;
constexpr DateKey kEarliestDate = 19000101;
constexpr DateKey kLatestDate = 21001231;

enum class ParserState {
    Idle,
    Prefixes,
    DataFields,
    ExpectName,
    AfterName,
    Specials
};

// Reads a validity token: "FROM-", "-TO" or "FROM-TO". Only dates after 19000101 are taken.
void ParseValidity(std::string_view token, DateKey& validFrom, DateKey& validTo)
{
    token = token.substr(0, kValidityTokenLength);
    const auto dash = token.find('-');
    if (dash == std::string_view::npos) {
        return;
    }
    const auto readDate = [](std::string_view text) -> DateKey {
        const auto value = ReadIntInRange(text, INT64_MIN, INT64_MAX);
        if (!value) {
            return 0;
        }
        return static_cast<DateKey>(std::clamp<std::int64_t>(*value, kEarliestDate, kLatestDate));
    };
    if (dash > 0) {
        const DateKey from = readDate(token.substr(0, dash));
        if (from > kEarliestDate) {
            validFrom = from;
        }
    }
    if (dash + 1 < token.size()) {
        const DateKey to = readDate(token.substr(dash + 1, 8));
        if (to > kEarliestDate) {
            validTo = to;
        }
    }
}

std::int16_t ReadCoordinate(std::string_view token)
{
    const auto value = ReadIntInRange(token, INT64_MIN, INT64_MAX);
    // A coordinate that is no integer takes the "unknown" value; the field is 16 bits wide, so a
    // larger number keeps its low 16 bits.
    return static_cast<std::int16_t>(value ? static_cast<std::uint16_t>(*value) : 20000);
}

void FillRange(std::string_view token, PrefixRange& range)
{
    range.Low = {' ', ' ', ' ', ' '};
    range.High = {'Z', 'Z', 'Z', 'Z'};
    std::string_view low = token;
    std::string_view high = token;
    if (token.find('-') != std::string_view::npos) {
        const std::size_t half = (token.size() - 1) / 2;
        low = token.substr(0, half);
        high = token.substr(std::min(token.size(), half + 1), half);
    }
    // Longer halves are outside the grammar; they are cut so nothing is written past the fields.
    for (std::size_t k = 0; k < low.size() && k < 4; ++k) {
        range.Low[k] = low[k];
    }
    for (std::size_t k = 0; k < high.size() && k < 4; ++k) {
        range.High[k] = high[k];
    }
}

// The four characters of a range field as one number that compares like the bytes do.
std::uint32_t RangeKey(const std::array<char, 4>& field)
{
    std::uint32_t key = 0;
    for (const char c : field) {
        key = (key << 8) | static_cast<unsigned char>(c);
    }
    return key;
}

// What the nesting pass compares of one entry.
struct NestingKey
{
    std::uint32_t Low = 0;
    std::uint32_t High = 0;
    std::size_t LowLength = 0;  // Low without its fill blanks

    explicit NestingKey(const PrefixRange& range)
        : Low(RangeKey(range.Low)),
          High(RangeKey(range.High)),
          LowLength(TrimRight(std::string_view(range.Low.data(), range.Low.size())).size())
    {
    }

    // This entry lies strictly inside the other one and names a longer prefix.
    [[nodiscard]] bool NestsIn(const NestingKey& other) const
    {
        return other.Low < Low && Low < other.High && other.Low < High && High < other.High &&
               LowLength > other.LowLength;
    }
};

}  // namespace

// Holds the parser state while the lines are read; a friend of EntityCatalogue.
class CatalogueBuilder
{
public:
    EntityCatalogue Build(std::span<const std::string_view> lines)
    {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            ReadLine(lines[i], static_cast<std::uint32_t>(i));
        }
        // A list whose last block is not followed by a blank line would leave the entries of that
        // block pointing at no entity; close it as a blank line would.
        CloseBlock();
        NestingPass();
        for (std::size_t e = 0; e < m_catalogue.m_entities.size(); ++e) {
            const auto dxcc = m_catalogue.m_entities[e].DxccNumber;
            if (dxcc != 0) {
                m_catalogue.m_dxccIndex[dxcc] = static_cast<std::uint16_t>(e + 1);
            }
        }
        return std::move(m_catalogue);
    }

private:
    void ReadLine(std::string_view rawLine, std::uint32_t lineNumber)
    {
        std::string line(TrimRight(rawLine.substr(0, kSignificantLineLength)));
        if (line.size() >= 2 && line[0] == '=') {
            if (AsciiUpper(line[1]) == 'S') {
                CloseBlock();
                m_state = ParserState::Specials;
                IndexMainPrefixes();
                // The field counter still holds the last data line's count; the first special
                // call must start from its first field.
                m_fieldCounter = 0;
            }
            return;
        }
        if (line.empty()) {
            if (m_state != ParserState::Idle && m_state != ParserState::Specials) {
                CloseBlock();
            }
            return;
        }
        if (m_state == ParserState::Specials) {
            m_specialOpen = true;
            m_pending = SpecialCall{};
            m_pending.Line = lineNumber;
        }
        bool betweenTokens = true;
        std::size_t tokenStart = 0;
        for (std::size_t i = 0; i <= line.size(); ++i) {
            if (i == line.size()) {
                if (!betweenTokens) {
                    HandleToken(std::string_view(line).substr(tokenStart, i - tokenStart));
                }
                break;
            }
            char& c = line[i];
            if (c == '\t') {
                c = ' ';
            }
            if (m_state != ParserState::ExpectName) {
                c = AsciiUpper(c);
            }
            if (c == ':' && m_state != ParserState::Specials) {
                // A token glued to the colon is no prefix token: drop the entry it opened, which
                // would otherwise match every call.
                if (m_state == ParserState::Prefixes && !betweenTokens && !m_prefixDropped) {
                    m_catalogue.m_prefixes.pop_back();
                }
                OpenEntity();
                betweenTokens = true;
                continue;
            }
            if (c == ' ') {
                if (!betweenTokens) {
                    HandleToken(std::string_view(line).substr(tokenStart, i - tokenStart));
                    betweenTokens = true;
                }
                continue;
            }
            if (betweenTokens) {
                betweenTokens = false;
                tokenStart = i;
                StartToken();
            }
        }
        switch (m_state) {
        case ParserState::ExpectName:
            StoreName(line);
            m_state = ParserState::AfterName;
            break;
        case ParserState::DataFields:
            m_state = ParserState::ExpectName;
            break;
        case ParserState::Specials:
            FinishSpecial();
            m_fieldCounter = 0;
            break;
        default:
            break;
        }
    }

    void OpenEntity()
    {
        m_fieldCounter = 0;
        m_state = ParserState::DataFields;
        if (static_cast<int>(m_catalogue.m_entities.size()) >= EntityCatalogue::kMaxEntities) {
            ++m_catalogue.m_overflow.Entities;
            m_entityDropped = true;
            return;
        }
        m_entityDropped = false;
        m_catalogue.m_entities.emplace_back();
    }

    void StartToken()
    {
        switch (m_state) {
        case ParserState::Idle:
            m_state = ParserState::Prefixes;
            m_blockFirstPrefix = m_catalogue.m_prefixes.size();
            m_blockFirstEntity = m_catalogue.m_entities.size() + 1;
            OpenPrefix();
            break;
        case ParserState::Prefixes:
            OpenPrefix();
            break;
        case ParserState::DataFields:
        case ParserState::Specials:
            ++m_fieldCounter;
            break;
        default:
            break;
        }
    }

    void OpenPrefix()
    {
        if (static_cast<int>(m_catalogue.m_prefixes.size()) >= EntityCatalogue::kMaxPrefixEntries) {
            ++m_catalogue.m_overflow.PrefixEntries;
            m_prefixDropped = true;
            return;
        }
        m_prefixDropped = false;
        m_catalogue.m_prefixes.emplace_back();
    }

    void HandleToken(std::string_view token)
    {
        switch (m_state) {
        case ParserState::Prefixes:
            if (!m_prefixDropped) {
                FillRange(token, m_catalogue.m_prefixes.back());
            }
            break;
        case ParserState::DataFields:
            if (!m_entityDropped) {
                HandleDataField(token, m_catalogue.m_entities.back());
            }
            break;
        case ParserState::Specials:
            HandleSpecialField(token);
            break;
        default:
            break;
        }
    }

    void HandleDataField(std::string_view token, EntityRecord& record)
    {
        switch (m_fieldCounter) {
        case 1:
            record = EntityRecord{};
            record.MainPrefix = std::string(token.substr(0, EntityCatalogue::kMainPrefixLength));
            record.BasePrefixLength = BasePrefixLength(record.MainPrefix);
            break;
        case 2:
            record.Continent = ParseContinent(token);
            break;
        case 3:
            ParseZones(token, 40, record.CqZones);
            break;
        case 4:
            ParseZones(token, 90, record.ItuZones);
            break;
        case 5:
            if (token != "-") {
                record.Latitude = ReadCoordinate(token);
            }
            break;
        case 6:
            if (token != "-") {
                record.Longitude = ReadCoordinate(token);
            }
            break;
        case 7: {
            const auto value = ReadIntInRange(token, INT64_MIN, INT64_MAX);
            record.DxccNumber = static_cast<std::uint16_t>(
                value ? std::clamp<std::int64_t>(*value, 0, EntityCatalogue::kMaxDxcc) : 0);
            break;
        }
        case 8:
            ParseValidity(token, record.ValidFrom, record.ValidTo);
            break;
        case 9:
            if (token.size() <= EntityCatalogue::kMainPrefixLength) {
                record.Predecessor = std::string(token);
            }
            break;
        default:
            break;
        }
    }

    void HandleSpecialField(std::string_view token)
    {
        switch (m_fieldCounter) {
        case 1:
            m_pending.Pattern = std::string(token.substr(0, EntityCatalogue::kPatternLength));
            m_pending.ValidFrom = kOpenStart;
            m_pending.ValidTo = kOpenEnd;
            break;
        case 2: {
            const auto prefix = token.substr(0, EntityCatalogue::kMainPrefixLength);
            m_pendingHasEntity = true;
            if (prefix == "-") {
                m_pending.Entity = 0;
            } else {
                m_pending.Entity = FindEntity(prefix);
                m_pendingUnknown = m_pending.Entity == 0;
            }
            break;
        }
        case 3:
            ParseValidity(token, m_pending.ValidFrom, m_pending.ValidTo);
            break;
        default:
            break;
        }
    }

    // The special calls come after every entity, and there are thousands of them: each finds its
    // entity through a table of main prefixes rather than a walk over all entities.
    void IndexMainPrefixes()
    {
        m_entityByPrefix.clear();
        const auto& entities = m_catalogue.m_entities;
        for (std::size_t e = 0; e < entities.size(); ++e) {
            // The first entity with a main prefix wins, as in a walk from entity 1.
            m_entityByPrefix.emplace(entities[e].MainPrefix, static_cast<std::uint16_t>(e + 1));
        }
    }

    [[nodiscard]] std::uint16_t FindEntity(std::string_view prefix) const
    {
        const auto found = m_entityByPrefix.find(std::string(prefix));
        return found == m_entityByPrefix.end() ? 0 : found->second;
    }

    void FinishSpecial()
    {
        // A line without an entity, or naming an entity the list does not have, would otherwise
        // read as "no valid entity" and hide calls that resolve normally; such lines are left out.
        if (!m_specialOpen) {
            return;
        }
        m_specialOpen = false;
        if (!m_pendingHasEntity || m_pendingUnknown) {
            ++m_catalogue.m_overflow.SpecialCallsWithUnknownEntity;
        } else if (static_cast<int>(m_catalogue.m_specials.size()) >=
                   EntityCatalogue::kMaxSpecialCalls) {
            ++m_catalogue.m_overflow.SpecialCalls;
        } else {
            m_catalogue.m_specials.push_back(m_pending);
        }
        m_pendingHasEntity = false;
        m_pendingUnknown = false;
    }

    void StoreName(std::string_view line)
    {
        if (m_entityDropped || m_catalogue.m_entities.empty()) {
            return;
        }
        std::string name(Trim(line).substr(0, EntityCatalogue::kNameLength));
        // Trim also drops leading control characters; only blanks (tabs became blanks) and
        // control characters can lead, so this is the text from the first non-blank character.
        const auto ampersand = name.find('&');
        if (ampersand != std::string::npos) {
            name[ampersand] = '+';
        }
        m_catalogue.m_entities.back().Name = std::move(name);
    }

    void CloseBlock()
    {
        if (m_state == ParserState::Specials) {
            return;
        }
        auto& prefixes = m_catalogue.m_prefixes;
        const std::size_t entityCount = m_catalogue.m_entities.size();
        const std::size_t blockSize =
            entityCount + 1 > m_blockFirstEntity ? entityCount + 1 - m_blockFirstEntity : 0;
        if (blockSize == 0) {
            // Prefix lines without a data line: their entries would point at no entity.
            prefixes.resize(std::min(prefixes.size(), m_blockFirstPrefix));
        }
        for (std::size_t p = m_blockFirstPrefix; p < prefixes.size(); ++p) {
            prefixes[p].FirstEntity = static_cast<std::uint16_t>(m_blockFirstEntity);
            prefixes[p].BlockSize =
                static_cast<std::uint8_t>(std::min<std::size_t>(blockSize, 255));
        }
        m_state = ParserState::Idle;
        m_blockFirstPrefix = prefixes.size();
        m_blockFirstEntity = entityCount + 1;
    }

    // Moves every entry that lies strictly inside a broader, earlier entry ahead of it, so that
    // the first-match search finds the more specific prefix first.
    // Only a later entry (i > j) is ever moved, so j runs below i; the keys move with their
    // entries, so each comparison sees the table as it now stands.
    void NestingPass()
    {
        auto& prefixes = m_catalogue.m_prefixes;
        std::vector<NestingKey> keys(prefixes.begin(), prefixes.end());
        for (std::size_t i = 0; i < keys.size(); ++i) {
            for (std::size_t j = 0; j < i; ++j) {
                if (keys[i].NestsIn(keys[j])) {
                    std::swap(prefixes[i], prefixes[j]);
                    std::swap(keys[i], keys[j]);
                    ++m_catalogue.m_nestingExchanges;
                }
            }
        }
    }

    EntityCatalogue m_catalogue;
    ParserState m_state = ParserState::Idle;
    int m_fieldCounter = 0;
    std::size_t m_blockFirstPrefix = 0;
    std::size_t m_blockFirstEntity = 1;
    bool m_entityDropped = false;
    bool m_prefixDropped = false;
    SpecialCall m_pending;
    bool m_specialOpen = false;
    bool m_pendingHasEntity = false;
    bool m_pendingUnknown = false;
    std::unordered_map<std::string, std::uint16_t> m_entityByPrefix;
};

EntityCatalogue BuildEntityCatalogue(std::span<const std::string_view> lines)
{
    return CatalogueBuilder{}.Build(lines);
}

EntityCatalogue BuildEntityCatalogue()
{
    return BuildEntityCatalogue(EmbeddedCountryList());
}

}  // namespace wendrix
