// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/CallResolver.h"

#include <span>

#include "catalogue/ResolveCallImpl.h"

namespace wendrix {

namespace {

constexpr std::size_t kCharCount = 256;

// The index lists hold table positions as 16-bit numbers.
static_assert(EntityCatalogue::kMaxSpecialCalls <= 65536 &&
              EntityCatalogue::kMaxPrefixEntries <= 65536);
constexpr std::size_t kMaxCallLength = detail::kCallLength;

std::size_t Byte(char c)
{
    return static_cast<unsigned char>(c);
}

// Flattens per-bucket index lists (kept in list order) into one array with offsets.
template <typename Bucket>
void Flatten(const std::vector<std::vector<std::uint16_t>>& lists,
             std::vector<std::uint16_t>& indices, std::vector<Bucket>& buckets)
{
    buckets.resize(lists.size());
    for (std::size_t b = 0; b < lists.size(); ++b) {
        buckets[b].Begin = static_cast<std::uint32_t>(indices.size());
        indices.insert(indices.end(), lists[b].begin(), lists[b].end());
        buckets[b].End = static_cast<std::uint32_t>(indices.size());
    }
}

bool HasWildcard(std::string_view pattern)
{
    return pattern.find('?') != std::string_view::npos ||
           (!pattern.empty() && pattern.back() == '*');
}

// The indices of two ascending lists as one ascending sequence, without copying them.
class MergedIndices
{
public:
    MergedIndices(std::span<const std::uint16_t> first, std::span<const std::uint16_t> second)
        : m_first(first),
          m_second(second)
    {
    }

    class Iterator
    {
    public:
        Iterator(std::span<const std::uint16_t> first, std::span<const std::uint16_t> second)
            : m_first(first),
              m_second(second)
        {
        }
        [[nodiscard]] std::uint16_t operator*() const
        {
            if (m_second.empty() || (!m_first.empty() && m_first.front() < m_second.front())) {
                return m_first.front();
            }
            return m_second.front();
        }
        Iterator& operator++()
        {
            if (m_second.empty() || (!m_first.empty() && m_first.front() < m_second.front())) {
                m_first = m_first.subspan(1);
            } else {
                m_second = m_second.subspan(1);
            }
            return *this;
        }
        [[nodiscard]] bool operator!=(const Iterator& /*end*/) const
        {
            return !m_first.empty() || !m_second.empty();
        }

    private:
        std::span<const std::uint16_t> m_first;
        std::span<const std::uint16_t> m_second;
    };

    [[nodiscard]] Iterator begin() const { return {m_first, m_second}; }
    [[nodiscard]] Iterator end() const { return {{}, {}}; }

private:
    std::span<const std::uint16_t> m_first;
    std::span<const std::uint16_t> m_second;
};

}  // namespace

CallResolver::CallResolver(const EntityCatalogue& catalogue)
    : m_catalogue(catalogue)
{
    const auto specials = catalogue.SpecialCallList();
    const auto prefixes = catalogue.PrefixIndex();
    for (std::size_t i = 0; i < specials.size(); ++i) {
        m_allSpecials.push_back(static_cast<std::uint16_t>(i));
    }
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        m_allPrefixes.push_back(static_cast<std::uint16_t>(i));
    }

    // Special calls by (first character, length) of the whole call: a pattern can only match a
    // call whose length fits its fixed part and whose first character fits its first position.
    std::vector<std::vector<std::uint16_t>> specialLists(kCharCount * (kMaxCallLength + 1));
    std::unordered_map<std::string, std::vector<std::uint16_t>> exactLists;
    for (std::size_t i = 0; i < specials.size(); ++i) {
        const std::string_view pattern = specials[i].Pattern;
        if (!HasWildcard(pattern)) {
            exactLists[specials[i].Pattern].push_back(static_cast<std::uint16_t>(i));
            continue;
        }
        const bool open = !pattern.empty() && pattern.back() == '*';
        const std::size_t fixed = open ? pattern.size() - 1 : pattern.size();
        for (std::size_t length = 1; length <= kMaxCallLength; ++length) {
            if (open ? length < fixed : length != fixed) {
                continue;
            }
            for (std::size_t first = 0; first < kCharCount; ++first) {
                const bool fits = fixed == 0 || (pattern[0] == '?' ? first != Byte('/')
                                                                   : first == Byte(pattern[0]));
                if (fits) {
                    specialLists[first * (kMaxCallLength + 1) + length].push_back(
                        static_cast<std::uint16_t>(i));
                }
            }
        }
    }
    Flatten(specialLists, m_specialIndices, m_specialBuckets);
    for (const auto& [pattern, indices] : exactLists) {
        const Bucket bucket{static_cast<std::uint32_t>(m_exactIndices.size()),
                            static_cast<std::uint32_t>(m_exactIndices.size() + indices.size())};
        m_exactIndices.insert(m_exactIndices.end(), indices.begin(), indices.end());
        m_exactSpecials.emplace(pattern, bucket);
    }

    // Prefix entries by the first two characters of the part (slot 256 for a one-character
    // part, which is compared on its first position only).
    std::vector<std::vector<std::uint16_t>> prefixLists(kCharCount * (kCharCount + 1));
    for (std::size_t i = 0; i < prefixes.size(); ++i) {
        const PrefixRange& range = prefixes[i];
        for (std::size_t c0 = Byte(range.Low[0]); c0 <= Byte(range.High[0]); ++c0) {
            prefixLists[c0 * (kCharCount + 1) + kCharCount].push_back(
                static_cast<std::uint16_t>(i));
            for (std::size_t c1 = Byte(range.Low[1]); c1 <= Byte(range.High[1]); ++c1) {
                prefixLists[c0 * (kCharCount + 1) + c1].push_back(static_cast<std::uint16_t>(i));
            }
        }
    }
    Flatten(prefixLists, m_prefixIndices, m_prefixBuckets);
}

ResolutionResult CallResolver::Resolve(std::string_view call, DateKey date,
                                       ResolutionTrace* trace) const
{
    const auto specialsFor = [this](std::string_view whole) -> MergedIndices {
        if (whole.empty() || whole.size() > kMaxCallLength) {
            return {m_allSpecials, {}};
        }
        const Bucket& bucket =
            m_specialBuckets[Byte(whole[0]) * (kMaxCallLength + 1) + whole.size()];
        const auto wildcards = std::span<const std::uint16_t>(m_specialIndices)
                                   .subspan(bucket.Begin, bucket.End - bucket.Begin);
        const auto exact = m_exactSpecials.find(whole);
        if (exact == m_exactSpecials.end()) {
            return {wildcards, {}};
        }
        return {wildcards,
                std::span<const std::uint16_t>(m_exactIndices)
                    .subspan(exact->second.Begin, exact->second.End - exact->second.Begin)};
    };
    const auto prefixesFor = [this](std::string_view part) -> std::span<const std::uint16_t> {
        if (part.empty()) {
            return m_allPrefixes;
        }
        const std::size_t second = part.size() >= 2 ? Byte(part[1]) : kCharCount;
        const Bucket& bucket = m_prefixBuckets[Byte(part[0]) * (kCharCount + 1) + second];
        return std::span<const std::uint16_t>(m_prefixIndices)
            .subspan(bucket.Begin, bucket.End - bucket.Begin);
    };
    return detail::ResolveWith(m_catalogue, call, date, trace, specialsFor, prefixesFor);
}

}  // namespace wendrix
